#pragma once
// Texts of the last-resort error messages. Any error that reaches the
// application unhandled is shown with one of them and the program then ends;
// the GUI shows the text (with the exclamation beep when asked) and quits.
#include <exception>
#include <string>

#include "engine/Erros.h"

namespace zovi {

struct MensagemErroGeral {
    std::string texto;
    bool bipe;  // sound the exclamation beep before the dialog
};

// Appended to every last-resort message: what the user should do next.
std::string TextoEncerramento();

// An engine error: "Erro BDE", its native code in decimal and hexadecimal, the engine's
// texts for the code's category and for the code, and the entry before it when that one
// carries another code.
std::string TextoErroMotor(const ErroMotor& erro);

// Engine error 10756 (a value missing from a lookup list) raised while a lookup list bound
// to a table has the focus is expected there and shows no message.
bool ErroMotorSemMensagem(const ErroMotor& erro, bool focoEmListaDeConsulta);

// The message for any error: engine errors as TextoErroMotor, other database errors as
// "Erro DataBase.", everything else as "Erro fatal.".
MensagemErroGeral MensagemErro(std::exception_ptr erro);

}  // namespace zovi
