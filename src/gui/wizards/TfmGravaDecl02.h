#pragma once
// Establishments page of the generation wizard: which establishments go into the file.
#include <memory>

#include "wizards/AssistenteGravacao.h"

namespace Ui {
class TfmGravaDecl02;
}

namespace zovi::gui {

class ListaMarcacao;

class TfmGravaDecl02 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmGravaDecl02(ContextoGravacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmGravaDecl02() override;

    ListaMarcacao& Empresas();

private:
    void Avancar();

    std::unique_ptr<Ui::TfmGravaDecl02> ui_;
    ContextoGravacao& gravacao_;
};

}  // namespace zovi::gui
