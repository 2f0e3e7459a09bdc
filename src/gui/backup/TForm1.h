#pragma once
// "TCopiaSeguranca Demo": a window that drives every option of the backup
// archive component (titles, file lists and masks, modes, levels, the file
// list entry, restore modes and targets). The program creates it hidden at
// start-up; no command shows it.
#include <QWidget>

#include <memory>

#include "backup/CopiaSeguranca.h"
#include "backup/InteracaoFormulario.h"

class QFileSystemModel;

namespace Ui {
class TForm1;
}

namespace zovi::gui {

class ServicoDialogos;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TForm1() override;
    Ui::TForm1& Interface() { return *ui_; }
    TCopiaSeguranca& Componente() { return copia_; }

    // The archive picked on the "Restore" page: its title and, when it holds one, its file list.
    void MostraCopia(const QString& arquivo);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void AdicionaArquivos();
    void AdicionaMascara();
    void CriaCopia();
    void Restaura();
    void Cancela();

    std::unique_ptr<Ui::TForm1> ui_;
    ServicoDialogos& dialogos_;
    InteracaoFormulario interacao_;
    TCopiaSeguranca copia_;
    QFileSystemModel* pastas_ = nullptr;
    QString copiaEscolhida_;
};

}  // namespace zovi::gui
