#pragma once
// Deletion of one establishment with all its employees. The establishment is
// marked ("1", deletion) before anything is removed; the row and its employees
// then go in one transaction, so an interruption leaves either everything or
// nothing, and a marker that tells the next opening.
#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class TfmExcluir;
}

namespace zovi {
class Banco;
}

namespace zovi::gui {

class ServicoDialogos;

class TfmExcluir : public QDialog {
    Q_OBJECT
public:
    TfmExcluir(Banco& banco, ServicoDialogos& dialogos, std::string anoBase, std::string inscricao,
               std::string prefixo, QWidget* pai = nullptr);
    ~TfmExcluir() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Carrega();
    void Exclui();

    std::unique_ptr<Ui::TfmExcluir> ui_;
    Banco& banco_;
    ServicoDialogos& dialogos_;
    std::string anoBase_, inscricao_, prefixo_;
};

}  // namespace zovi::gui
