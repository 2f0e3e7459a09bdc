#pragma once
// Showing the catalogue's messages through the run's dialogs (GUI, terminal or
// test script), and the notice of an operation left open on an establishment.
#include <optional>
#include <string>

#include "engine/Banco.h"
#include "messages/Catalogo.h"
#include "platform/Interacao.h"

namespace zovi {

// The name of a dialog's result as callers compare it: "mrOk", "mrCancel", "mrAbort",
// "mrRetry", "mrIgnore", "mrYes", "mrNo"; "Erro de Memoria" when no button was pressed.
std::string NomeBotao(Resposta resposta);

// The dialog of a catalogue kind: "CNF" confirmation, "WAR" warning, "INF" information,
// "ERR" error; any other kind shows no dialog.
std::optional<TipoDialogo> TipoDialogoMensagem(const std::string& tpMensagem);

// The catalogue message of an open-operation marker of BD8EMP ("0" entry, "1" deletion,
// "3" copy, "4" multiple deletion, "5" change of relationship type); empty for other values.
std::string CodigoOpcaoAberta(const std::string& inOpcaoAberta);

// "Deseja interromper?" with Yes and No in an information dialog; true on Yes.
// Long runs ask it when the user pressed Cancel.
bool ConfirmaInterrupcao(Interacao& interacao);

class Mensagens {
public:
    Mensagens(const CatalogoMensagens& catalogo, Interacao& interacao)
        : catalogo_(catalogo), interacao_(interacao) {}

    // Shows the code's text in the dialog of its kind and returns the pressed button's name
    // (a "CNF" message: "mrYes" or "mrNo", or "mrCancel" when its window was closed).
    // Empty text when nothing is shown: "0000" (no remark) or a row of an unknown kind.
    // A code missing from the catalogue is reported in an error dialog that names it;
    // callers of a confirmation act only on "mrYes".
    std::string MostraMensagem(const std::string& codigo);

    // The code's text in an information dialog headed by the establishment's identification:
    // inscription (masked for types "1" and "3"), prefix and name.
    void MostraMensagemEstabelecimento(const std::string& codigo, const std::string& inscricao,
                                       const std::string& nome, const std::string& tipoInscricao,
                                       const std::string& prefixo);

    // "Deseja interromper?" with Yes and No; true on Yes.
    bool ConfirmaInterrupcao();

    const CatalogoMensagens& Catalogo() const { return catalogo_; }
    Interacao& Dialogos() { return interacao_; }

private:
    std::string Texto(const std::string& codigo) const;

    const CatalogoMensagens& catalogo_;
    Interacao& interacao_;
};

// Reports an operation that did not finish on the establishment (its BD8EMP marker
// InOpcaoAberta still set) and clears the marker. Nothing happens when the establishment
// does not exist or has no marker.
void VerificaOpcaoAberta(Banco& banco, Mensagens& mensagens, const std::string& anoBase,
                         const std::string& inscricao, const std::string& prefixo);

}  // namespace zovi
