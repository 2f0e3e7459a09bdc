#pragma once
// The about box: the program, its version and the declaration's web site.
#include <QDialog>

#include <memory>

namespace Ui {
class TfmSobre;
}

namespace zovi::gui {

class ServicoDialogos;

class TfmSobre : public QDialog {
    Q_OBJECT
public:
    TfmSobre(const QString& versao, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmSobre() override;
    Ui::TfmSobre& Interface() { return *ui_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    std::unique_ptr<Ui::TfmSobre> ui_;
};

}  // namespace zovi::gui
