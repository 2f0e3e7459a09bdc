#include "entry/TfmPesq.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "declfile/Pesquisa.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmPesq.h"

namespace zovi::gui {

namespace {

constexpr int kUltimaPrimeiraPagina = 10;  // R11, whose exit opens the second page

const QString kValorInvalido = QStringLiteral("Valor Inválido. Consulte régua de valores.");

}  // namespace

TfmPesq::TfmPesq(Banco& banco, ServicoDialogos& dialogos, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmPesq>()), banco_(banco), dialogos_(dialogos) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmPesq"));
    for (int i = 0; i < kQuestoesPesquisa; ++i) {
        respostas_[static_cast<size_t>(i)] = findChild<QLineEdit*>(QStringLiteral("R%1").arg(i + 1));
        respostas_[static_cast<size_t>(i)]->installEventFilter(this);
    }
    connect(ui_->btOk, &QPushButton::clicked, this, &TfmPesq::Ok);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmPesq::reject);
    // Leaving an answer by the mouse or Tab is checked as leaving it by Enter is, except
    // towards Cancelar, and never while its own message is up.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* antes, QWidget* agora) {
        if (conferindo_ || !agora || agora->window() != this || agora == ui_->btCancelar) return;
        for (int i = 0; i < kQuestoesPesquisa; ++i)
            if (antes == respostas_[static_cast<size_t>(i)] && agora != antes) {
                QTimer::singleShot(0, this, [this, i] { SaiDaResposta(i); });
                return;
            }
    });
}

TfmPesq::~TfmPesq() = default;

void TfmPesq::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Carrega();
}

void TfmPesq::Carrega() {
    ui_->pcPesquisa->setCurrentIndex(0);
    const std::string codigos = LeRespostaPesquisa(banco_).value_or(PesquisaSemRespostas());
    for (int i = 0; i < kQuestoesPesquisa; ++i) {
        auto* r = respostas_[static_cast<size_t>(i)];
        r->setEnabled(true);
        r->setText(QString::fromStdString(RespostaDoCodigo(codigos[static_cast<size_t>(i)])));
    }
    respostas_[0]->setFocus();
    respostas_[0]->selectAll();
}

std::string TfmPesq::Codigos() const {
    std::string r;
    for (auto* resposta : respostas_) {
        const auto codigo = fCodificaResposta(resposta->text().trimmed().toStdString());
        if (!codigo) return {};
        r += *codigo;
    }
    return r;
}

bool TfmPesq::SaiDaResposta(int indice) {
    auto* r = respostas_[static_cast<size_t>(indice)];
    const QString texto = r->text().trimmed();
    if (fCodificaResposta(texto.toStdString())) {
        // What was typed shows as it is coded: "7" becomes "07".
        if (!texto.isEmpty()) r->setText(texto.rightJustified(2, QLatin1Char('0')));
        return true;
    }
    conferindo_ = true;
    dialogos_.Mensagem(TipoDialogo::Informacao, kValorInvalido, this);
    ui_->pcPesquisa->setCurrentWidget(r->parentWidget());
    r->setFocus();
    r->selectAll();
    conferindo_ = false;
    return false;
}

void TfmPesq::VaiPara(int indice) {
    if (indice < 0 || indice >= kQuestoesPesquisa) return;
    auto* r = respostas_[static_cast<size_t>(indice)];
    ui_->pcPesquisa->setCurrentWidget(r->parentWidget());
    r->setFocus();
    r->selectAll();
}

bool TfmPesq::eventFilter(QObject* objeto, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(objeto, e);
    int indice = -1;
    for (int i = 0; i < kQuestoesPesquisa; ++i)
        if (objeto == respostas_[static_cast<size_t>(i)]) indice = i;
    if (indice < 0) return QDialog::eventFilter(objeto, e);
    int passo = 0;
    switch (static_cast<QKeyEvent*>(e)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_PageDown:
        case Qt::Key_Down: passo = 1; break;
        case Qt::Key_PageUp:
        case Qt::Key_Up: passo = -1; break;
        default: return QDialog::eventFilter(objeto, e);
    }
    // Moving on is checked here, before the focus leaves, so the focus change sees no exit to check.
    conferindo_ = true;
    const bool aceita = SaiDaResposta(indice);
    if (aceita && !(passo < 0 && indice == 0)) VaiPara(indice == kUltimaPrimeiraPagina && passo > 0 ? indice + 1 : indice + passo);
    conferindo_ = false;
    return true;
}

void TfmPesq::Ok() {
    for (int i = 0; i < kQuestoesPesquisa; ++i)
        if (!SaiDaResposta(i)) return;
    GravaRespostaPesquisa(banco_, Codigos());
    accept();
}

}  // namespace zovi::gui
