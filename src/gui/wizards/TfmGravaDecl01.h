#pragma once
// Declarant page of the generation wizard: the declarant's data reviewed and
// saved (the declarant form's fields and checks, inside the page), then the
// verification of the chosen establishments.
#include <memory>

#include "wizards/AssistenteGravacao.h"

namespace Ui {
class TfmGravaDecl01;
}

namespace zovi::gui {

class TfmDadosResp;

class TfmGravaDecl01 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmGravaDecl01(ContextoGravacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmGravaDecl01() override;

    TfmDadosResp& Responsavel() { return *responsavel_; }

protected:
    void Cancela() override;

private:
    void Avancar();
    // The verification run; false when the user interrupted it.
    bool Verifica();

    std::unique_ptr<Ui::TfmGravaDecl01> ui_;
    ContextoGravacao& gravacao_;
    TfmDadosResp* responsavel_ = nullptr;
};

}  // namespace zovi::gui
