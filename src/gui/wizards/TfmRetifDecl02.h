#pragma once
// Choice page of the rectification wizard: the establishments of the base
// year, and the employees of the one last ticked, each with its tick; an
// establishment that has employees goes only with at least one of them.
#include <memory>

#include "declfile/Retificacao.h"
#include "wizards/AssistenteGravacao.h"
#include "wizards/ModeloVinculosRetificacao.h"

namespace Ui {
class TfmRetifDecl02;
}

namespace zovi::gui {

class ListaMarcacao;

class TfmRetifDecl02 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmRetifDecl02(ContextoGravacao& contexto, SelecaoRetificacao& selecao, ServicoDialogos& dialogos,
                   QWidget* pai = nullptr);
    ~TfmRetifDecl02() override;

    ListaMarcacao& Empresas();
    ListaMarcacao& Vinculos();
    ModeloVinculosRetificacao& ModeloVinculos() { return vinculos_; }
    SelecaoRetificacao& Selecao() { return selecao_; }

private:
    void Avancar();
    // An establishment's tick changed (by the user or by the page).
    void EmpresaAlterada(int linha);
    // The establishment current until now, ticked with employees and none chosen: "1304" and its tick cleared.
    bool DesmarcaSemEscolha(int atual);

    std::unique_ptr<Ui::TfmRetifDecl02> ui_;
    ContextoGravacao& gravacao_;
    SelecaoRetificacao& selecao_;
    ModeloVinculosRetificacao vinculos_;
    int atual_ = -1;
    bool desmarcando_ = false;
};

}  // namespace zovi::gui
