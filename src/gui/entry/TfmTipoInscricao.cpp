#include "entry/TfmTipoInscricao.h"

#include "messages/ServicoDialogos.h"
#include "ui_TfmTipoInscricao.h"

namespace zovi::gui {

TfmTipoInscricao::TfmTipoInscricao(QWidget* pai) : QDialog(pai), ui_(std::make_unique<Ui::TfmTipoInscricao>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    connect(ui_->btOk, &QPushButton::clicked, this, &QDialog::accept);
    ui_->rbCgc->setFocus();
}

TfmTipoInscricao::~TfmTipoInscricao() = default;

QString TfmTipoInscricao::Resposta() const {
    return ui_->rbCei->isChecked() ? QStringLiteral("CEI") : QStringLiteral("CNPJ");
}

QString TfmTipoInscricao::Pergunta(ServicoDialogos& dialogos, QWidget* pai) {
    TfmTipoInscricao fm(pai);
    if (dialogos.Executa(fm) != QDialog::Accepted) return {};
    return fm.Resposta();
}

}  // namespace zovi::gui
