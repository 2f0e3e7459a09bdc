#pragma once
// First step of the verification wizard: what it does, and the base year.
#include <memory>

#include "wizards/AssistenteVerificacao.h"

namespace Ui {
class TfmVerInco00;
}

namespace zovi::gui {

class TfmVerInco00 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmVerInco00(ContextoVerificacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmVerInco00() override;

    // With no establishment of the base year the wizard cannot go on.
    void PodeAvancar(bool pode);

private:
    std::unique_ptr<Ui::TfmVerInco00> ui_;
};

}  // namespace zovi::gui
