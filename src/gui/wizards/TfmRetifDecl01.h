#pragma once
// Welcome page of the rectification wizard; its Avançar reads the establishments of the base year.
#include <memory>

#include "declfile/Retificacao.h"
#include "wizards/AssistenteGravacao.h"

namespace Ui {
class TfmRetifDecl01;
}

namespace zovi::gui {

class TfmRetifDecl01 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmRetifDecl01(ContextoGravacao& contexto, SelecaoRetificacao& selecao, ServicoDialogos& dialogos,
                   QWidget* pai = nullptr);
    ~TfmRetifDecl01() override;

private:
    void Avancar();

    std::unique_ptr<Ui::TfmRetifDecl01> ui_;
    ContextoGravacao& gravacao_;
    SelecaoRetificacao& selecao_;
};

}  // namespace zovi::gui
