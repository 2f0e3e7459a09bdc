#pragma once
// Welcome page of the generation wizard; its Avançar reads the establishments of the base year.
#include <memory>

#include "wizards/AssistenteGravacao.h"

namespace Ui {
class TfmGravaDecl00;
}

namespace zovi::gui {

class TfmGravaDecl00 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmGravaDecl00(ContextoGravacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmGravaDecl00() override;

private:
    void Avancar();

    std::unique_ptr<Ui::TfmGravaDecl00> ui_;
    ContextoGravacao& gravacao_;
};

}  // namespace zovi::gui
