#pragma once
// "Indexar Arquivos": rebuilds the index of every table of the data folder,
// for when an interruption may have left indexes out of step with their data.
#include <memory>

#include "backup/FormularioExecucao.h"
#include "data/ModulosDados.h"

namespace Ui {
class TfmGeraIndice;
}

namespace zovi::gui {

class TfmGeraIndice : public FormularioExecucao {
    Q_OBJECT
public:
    TfmGeraIndice(TdmGDZovi& dm, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmGeraIndice() override;
    Ui::TfmGeraIndice& Interface() { return *ui_; }

private:
    class InteracaoIndexacao;
    void Iniciar();

    std::unique_ptr<Ui::TfmGeraIndice> ui_;
    TdmGDZovi& dm_;
};

}  // namespace zovi::gui
