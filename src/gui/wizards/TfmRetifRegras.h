#pragma once
// "Retificação da Declaração": what a rectification is, before its wizard opens.
#include <QDialog>

#include <memory>

namespace Ui {
class TfmRetifRegras;
}

namespace zovi::gui {

class TfmRetifRegras : public QDialog {
    Q_OBJECT
public:
    explicit TfmRetifRegras(QWidget* pai = nullptr);
    ~TfmRetifRegras() override;

private:
    std::unique_ptr<Ui::TfmRetifRegras> ui_;
};

}  // namespace zovi::gui
