#pragma once
// The analyzer's result page: what the verification of the file found and,
// unless it found errors, the drive or folder where the analysed file is
// written again, sealed, with the rectification mark of the file.
#include <memory>

#include "wizards/AssistenteAnalise.h"

namespace Ui {
class TfmAnalis01;
}

namespace zovi::gui {

class TfmAnalis01 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmAnalis01(ContextoAnalise& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmAnalis01() override;

    // Shows the panel of the verification result; errors leave "&Gravar" disabled.
    void MostraResultado();

protected:
    // While writing, Cancel asks the writer to stop.
    void Cancela() override;

private:
    void Gravar();

    std::unique_ptr<Ui::TfmAnalis01> ui_;
    ContextoAnalise& analise_;
};

}  // namespace zovi::gui
