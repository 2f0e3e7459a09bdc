#include "wizards/PainelProgresso.h"

#include <QPainter>

#include "ui_PainelProgresso.h"

namespace zovi::gui {

AnimacaoEspera::AnimacaoEspera(QWidget* pai) : QWidget(pai) {
    relogio_.setInterval(120);
    connect(&relogio_, &QTimer::timeout, this, [this] {
        passo_ = (passo_ + 1) % 8;
        update();
    });
}

void AnimacaoEspera::Liga(bool ligada) {
    if (ligada)
        relogio_.start();
    else
        relogio_.stop();
}

void AnimacaoEspera::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal lado = qMin(width(), height());
    p.translate(width() / 2.0, height() / 2.0);
    const QColor cor = palette().color(QPalette::Highlight);
    for (int i = 0; i < 8; ++i) {
        QColor c = cor;
        // The dot of the current step is the strongest; the ones behind it fade.
        c.setAlphaF(1.0 - ((passo_ - i + 8) % 8) / 9.0);
        p.setBrush(c);
        p.setPen(Qt::NoPen);
        p.save();
        p.rotate(45.0 * i);
        p.drawEllipse(QPointF(0, -lado * 0.34), lado * 0.09, lado * 0.09);
        p.restore();
    }
}

PainelProgresso::PainelProgresso(QWidget* pai) : QWidget(pai), ui_(std::make_unique<Ui::PainelProgresso>()) {
    ui_->setupUi(this);
}

PainelProgresso::~PainelProgresso() = default;

QString PainelProgresso::Texto() const { return ui_->laTexto->text(); }
void PainelProgresso::PoeTexto(const QString& texto) { ui_->laTexto->setText(texto); }

void PainelProgresso::Roda(ServicoDialogos& dialogos, const std::function<void(Interacao&)>& corrida) {
    ui_->pbProgresso->setRange(0, 100);
    ui_->pbProgresso->setValue(0);
    interacao_ = std::make_unique<InteracaoFormulario>(dialogos, *window());
    interacao_->MostraProgressoEm(*ui_->laTexto, *ui_->pbProgresso);
    ui_->anAnimacao->Liga(true);
    struct Fim {
        PainelProgresso& painel;
        ~Fim() {
            painel.ui_->anAnimacao->Liga(false);
            painel.interacao_.reset();
        }
    } fim{*this};
    corrida(*interacao_);
}

void PainelProgresso::PedeInterrupcao() {
    if (interacao_) interacao_->PedeInterrupcao();
}

}  // namespace zovi::gui
