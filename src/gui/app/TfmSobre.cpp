#include "app/TfmSobre.h"

#include <QScreen>

#include "app/Figuras.h"
#include "app/TfmGDZOVI.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmSobre.h"

namespace zovi::gui {

TfmSobre::TfmSobre(const QString& versao, ServicoDialogos& dialogos, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmSobre>()) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(120, 68)));
    ui_->laVersao->setText(QStringLiteral("Versão ") + versao);
    ui_->laSite->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(EnderecoSiteZovi()));
    connect(ui_->laSite, &QLabel::linkActivated, this, [&dialogos](const QString& url) { dialogos.AbreEndereco(QUrl(url)); });
}

TfmSobre::~TfmSobre() = default;

void TfmSobre::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (auto* tela = screen()) move(tela->availableGeometry().center() - rect().center());
}

}  // namespace zovi::gui
