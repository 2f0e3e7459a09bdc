#pragma once
// "Restaurar Cópia de Segurança": brings the declaration tables back from a
// backup archive, replacing the current ones only once the whole archive was read.
#include <memory>

#include "backup/FormularioExecucao.h"
#include "engine/Banco.h"

namespace Ui {
class TfmRestore00;
}

namespace zovi::gui {

class TfmRestore00 : public FormularioExecucao {
    Q_OBJECT
public:
    // banco is the program's open database, on the data folder the tables return to.
    TfmRestore00(Banco& banco, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmRestore00() override;
    Ui::TfmRestore00& Interface() { return *ui_; }

private:
    void Iniciar();

    std::unique_ptr<Ui::TfmRestore00> ui_;
    Banco& banco_;
};

}  // namespace zovi::gui
