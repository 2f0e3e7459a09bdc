#pragma once
// Last step of the verification wizard: what the run found, and the error
// report on screen or on the printer.
#include <memory>

#include "wizards/AssistenteVerificacao.h"

namespace Ui {
class TfmVerInco02;
}

namespace zovi::gui {

class TfmVerInco02 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmVerInco02(ContextoVerificacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmVerInco02() override;

    // Shows the panel of the run's outcome.
    void MostraDesfecho(Desfecho desfecho);

private:
    std::unique_ptr<Ui::TfmVerInco02> ui_;
    ContextoVerificacao& verificacao_;
};

}  // namespace zovi::gui
