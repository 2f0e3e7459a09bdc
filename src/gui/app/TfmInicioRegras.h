#pragma once
// The tips box: five pieces of filling advice and the tick, stored in the
// declarant's row (BD8RESP.InDicas), that stops it from opening at start-up.
#include <QDialog>

#include <memory>

#include "engine/Banco.h"

namespace Ui {
class TfmInicioRegras;
}

namespace zovi::gui {

class ServicoDialogos;

class TfmInicioRegras : public QDialog {
    Q_OBJECT
public:
    TfmInicioRegras(Banco& banco, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmInicioRegras() override;

    // True when the user asked not to see the box at start-up again.
    bool DicasDesligadas();
    // Shows the box modally, its tick read from the declarant's row.
    void Mostra();

    Ui::TfmInicioRegras& Interface() { return *ui_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Confirma();

    std::unique_ptr<Ui::TfmInicioRegras> ui_;
    Banco& banco_;
    ServicoDialogos& dialogos_;
};

}  // namespace zovi::gui
