#pragma once
// The main window's establishment commands: "&Nova..." (the new-declaration
// wizard, then the establishment form, then the list), "&Abrir..." and
// "&Excluir..." (the list in its open and delete modes). Each command creates
// the forms it needs and destroys them when it returns.
#include <functional>

#include "entry/TfmConEstab.h"
#include "entry/TfmDadosEstab.h"

namespace zovi {
struct EstabelecimentoEmpregados;
}

namespace zovi::gui {

class ContextoEntrada;

class ComandosEstabelecimento {
public:
    // janela: the window the forms open over.
    ComandosEstabelecimento(ContextoEntrada& contexto, QWidget& janela) : ctx_(contexto), janela_(janela) {}

    void NovaDeclaracao();
    void Lista(TfmConEstab::Modo modo);

    // The employees of a stored establishment ("&Ok" and "&Vinculos"); the main window sets it.
    std::function<void(const EstabelecimentoEmpregados&)> abreEmpregados;

private:
    void AbreEstabelecimento(const std::string& anoBase, const std::string& inscricao, const std::string& prefixo,
                             bool novo);
    bool ExistemEstabelecimentos();

    ContextoEntrada& ctx_;
    QWidget& janela_;
};

}  // namespace zovi::gui
