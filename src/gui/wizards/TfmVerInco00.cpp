#include "wizards/TfmVerInco00.h"

#include "app/Figuras.h"
#include "ui_TfmVerInco00.h"

namespace zovi::gui {

TfmVerInco00::TfmVerInco00(ContextoVerificacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmVerInco00>()) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    ui_->laAnoBase->setText(ui_->laAnoBase->text() + QString::fromStdString(contexto.anoBase));
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmVerInco00::Avanca);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmVerInco00::FechaTudo);
}

TfmVerInco00::~TfmVerInco00() = default;

void TfmVerInco00::PodeAvancar(bool pode) {
    ui_->btAvancar->setEnabled(pode);
    (pode ? ui_->btAvancar : ui_->btCancelar)->setFocus();
}

}  // namespace zovi::gui
