#pragma once
// What a run may ask or tell the user in its middle. The GUI answers with
// dialogs, the command line with a terminal prompt or its flags, tests with a
// scripted list; the run's code is the same for all three.
#include <string>

namespace zovi {

enum class TipoDialogo { Confirmacao, Aviso, Informacao, Erro };

// Button names, as the message routines return them.
enum class Resposta { Nenhuma, Ok, Cancela, Aborta, Repete, Ignora, Sim, Nao };

class Interacao {
public:
    virtual ~Interacao() = default;
    // Shows a text in a dialog of the kind; Confirmacao offers Yes and No, the others OK.
    virtual Resposta Mostra(TipoDialogo tipo, const std::string& texto) = 0;
    // Asks a Yes/No question in a dialog of another kind (its icon and caption), such as
    // the information dialog of "Deseja interromper?". Without a dialog of that shape the
    // question is asked as a confirmation.
    virtual Resposta Pergunta(TipoDialogo /*tipo*/, const std::string& texto) {
        return Mostra(TipoDialogo::Confirmacao, texto);
    }
    // Shows a text with OK and Cancel, for a prompt that waits on the user (insert a
    // diskette); answers Ok or Cancela, or Aborta when nobody can answer (a terminal
    // without input), which stops the run.
    virtual Resposta MostraOkCancela(TipoDialogo tipo, const std::string& texto) { return Mostra(tipo, texto); }
    // Progress of a long run.
    virtual void Progresso(long /*posicao*/, long /*maximo*/) {}
    // True when the user asked to stop the run in progress (the Cancel button of its page);
    // reading the request clears it, so a run that goes on asks again only on a new request.
    virtual bool InterrupcaoPedida() { return false; }

    void Aviso(const std::string& texto) { Mostra(TipoDialogo::Aviso, texto); }
    bool Confirma(const std::string& texto) { return Mostra(TipoDialogo::Confirmacao, texto) == Resposta::Sim; }
};

}  // namespace zovi
