#pragma once
// End page of the generation wizard: the file is written; the diskette labels can be printed.
#include <memory>

#include "wizards/AssistenteGravacao.h"

namespace Ui {
class TfmGravaDecl04;
}

namespace zovi::gui {

class TfmGravaDecl04 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmGravaDecl04(ContextoGravacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmGravaDecl04() override;

private:
    void ImprimeEtiquetas();

    std::unique_ptr<Ui::TfmGravaDecl04> ui_;
    ContextoGravacao& gravacao_;
};

}  // namespace zovi::gui
