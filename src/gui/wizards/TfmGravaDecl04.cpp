#include "wizards/TfmGravaDecl04.h"

#include "TrpEtiquetas.h"
#include "app/Figuras.h"
#include "messages/ServicoDialogos.h"
#include "reports/Previa.h"
#include "ui_TfmGravaDecl04.h"

namespace zovi::gui {

TfmGravaDecl04::TfmGravaDecl04(ContextoGravacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmGravaDecl04>()), gravacao_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    ui_->laDestino->setText(contexto.destino);
    ui_->laDestino->setVisible(!contexto.destino.isEmpty());
    connect(ui_->btEtiqueta, &QPushButton::clicked, this, &TfmGravaDecl04::ImprimeEtiquetas);
    connect(ui_->btFechar, &QPushButton::clicked, this, &TfmGravaDecl04::FechaTudo);
    ui_->btEtiqueta->setFocus();
}

TfmGravaDecl04::~TfmGravaDecl04() = default;

void TfmGravaDecl04::ImprimeEtiquetas() {
    // Straight to the printer, from te8ProID of the run just ended; the button waits while they go.
    ui_->btEtiqueta->setEnabled(false);
    relatorios::TrpEtiquetas rpEtiquetas(gravacao_.dm.dbZovi);
    ImprimeRelatorio(this, rpEtiquetas, dialogos_, false);
    ui_->btEtiqueta->setEnabled(true);
}

}  // namespace zovi::gui
