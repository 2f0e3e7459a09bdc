#pragma once
// Second step of the verification wizard: the establishments to check, ticked
// in a list, and the run itself with its progress.
#include <memory>

#include "wizards/AssistenteVerificacao.h"

namespace Ui {
class TfmVerInco01;
}

namespace zovi::gui {

class ListaMarcacao;

class TfmVerInco01 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmVerInco01(ContextoVerificacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmVerInco01() override;

    ListaMarcacao& Empresas();

protected:
    void Cancela() override;

private:
    void Avancar();
    // The list again, with the buttons that the run disabled.
    void MostraLista();

    std::unique_ptr<Ui::TfmVerInco01> ui_;
    ContextoVerificacao& verificacao_;
};

}  // namespace zovi::gui
