#pragma once
// Deletion of one establishment with all its employees, after the user confirms
// it. The core's ExcluiEstabelecimento removes the row and its employees in one
// transaction, so an interruption leaves everything or nothing; the form shows
// its progress.
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
