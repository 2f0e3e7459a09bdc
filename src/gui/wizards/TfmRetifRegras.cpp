#include "wizards/TfmRetifRegras.h"

#include "ui_TfmRetifRegras.h"

namespace zovi::gui {

TfmRetifRegras::TfmRetifRegras(QWidget* pai) : QDialog(pai), ui_(std::make_unique<Ui::TfmRetifRegras>()) {
    ui_->setupUi(this);
    ui_->btOk->setFocus();
}

TfmRetifRegras::~TfmRetifRegras() = default;

}  // namespace zovi::gui
