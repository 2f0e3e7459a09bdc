#include "reports/TfmPreview.h"

#include <QKeySequence>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QScrollBar>
#include <QShortcut>

#include "messages/ServicoDialogos.h"
#include "reports/Previa.h"
#include "ui_TfmPreview.h"

namespace zovi::gui {

namespace {

constexpr qreal kMmPorPolegada = 25.4;
enum Zoom { kLarguraPagina, kPaginaInteira, k50, k75, k100, k150, k200 };

}  // namespace

TfmPreview::TfmPreview(relatorios::Relatorio& relatorio, ServicoDialogos& dialogos, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmPreview>()), relatorio_(relatorio), dialogos_(dialogos),
      composicao_(relatorio) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("TfmPreview"));
    setWindowTitle(QStringLiteral("Visualização - ") + relatorio.Titulo());
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    ui_->saPagina->setBackgroundRole(QPalette::Dark);
    ui_->imPagina->setBackgroundRole(QPalette::Dark);
    ui_->imPagina->setAutoFillBackground(true);
    LigaComandos();
}

TfmPreview::~TfmPreview() = default;

void TfmPreview::LigaComandos() {
    connect(ui_->sbPrimeira, &QToolButton::clicked, this, [this] { MostraPagina(1); });
    connect(ui_->sbAnterior, &QToolButton::clicked, this, [this] { MostraPagina(pagina_ - 1); });
    connect(ui_->sbProxima, &QToolButton::clicked, this, [this] { MostraPagina(pagina_ + 1); });
    connect(ui_->sbUltima, &QToolButton::clicked, this, [this] { MostraPagina(Paginas()); });
    connect(ui_->edPagina, &QSpinBox::valueChanged, this, [this](int n) { MostraPagina(n); });
    connect(ui_->cbZoom, &QComboBox::currentIndexChanged, this, [this] { Desenha(); });
    connect(ui_->btImprimir, &QPushButton::clicked, this, &TfmPreview::Imprime);
    connect(ui_->btSalvarPdf, &QPushButton::clicked, this, &TfmPreview::SalvaPdf);
    connect(ui_->btFechar, &QPushButton::clicked, this, &QDialog::reject);
    const auto atalho = [this](QKeySequence tecla, auto acao) {
        connect(new QShortcut(tecla, this), &QShortcut::activated, this, acao);
    };
    atalho(QKeySequence(Qt::Key_PageDown), [this] { MostraPagina(pagina_ + 1); });
    atalho(QKeySequence(Qt::Key_PageUp), [this] { MostraPagina(pagina_ - 1); });
    atalho(QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { MostraPagina(1); });
    atalho(QKeySequence(Qt::CTRL | Qt::Key_End), [this] { MostraPagina(Paginas()); });
    atalho(QKeySequence::Print, [this] { Imprime(); });
}

bool TfmPreview::Prepara(int limite, const std::function<bool(int)>& aoContar) {
    if (!composicao_.Compoe(limite, aoContar)) return false;
    ui_->edPagina->setMaximum(std::max(Paginas(), 1));
    ui_->laTotal->setText(QStringLiteral("de %1").arg(Paginas()));
    pagina_ = 1;
    Desenha();
    return true;
}

void TfmPreview::MostraPagina(int numero) {
    numero = std::clamp(numero, 1, std::max(Paginas(), 1));
    if (numero == pagina_ && !imagem_.isNull()) {
        AtualizaBotoes();
        return;
    }
    pagina_ = numero;
    Desenha();
    ui_->saPagina->verticalScrollBar()->setValue(0);
}

void TfmPreview::AtualizaBotoes() {
    const QSignalBlocker bloqueio(ui_->edPagina);
    ui_->edPagina->setValue(pagina_);
    ui_->sbPrimeira->setEnabled(pagina_ > 1);
    ui_->sbAnterior->setEnabled(pagina_ > 1);
    ui_->sbProxima->setEnabled(pagina_ < Paginas());
    ui_->sbUltima->setEnabled(pagina_ < Paginas());
}

// Pixels per inch of the page on the screen, from the zoom chosen.
qreal TfmPreview::Resolucao() const {
    const QSizeF paginaMm = relatorio_.Pagina().fullRect(QPageLayout::Millimeter).size();
    const QSize janela = ui_->saPagina->viewport()->size() - QSize(24, 24);
    const qreal larguraCabe = janela.width() * kMmPorPolegada / paginaMm.width();
    const qreal alturaCabe = janela.height() * kMmPorPolegada / paginaMm.height();
    const qreal tela = logicalDpiY();
    switch (ui_->cbZoom->currentIndex()) {
    case kLarguraPagina: return std::max(larguraCabe, 20.0);
    case kPaginaInteira: return std::max(std::min(larguraCabe, alturaCabe), 20.0);
    case k50: return tela * 0.5;
    case k75: return tela * 0.75;
    case k150: return tela * 1.5;
    case k200: return tela * 2;
    default: return tela;
    }
}

void TfmPreview::Desenha() {
    if (!composicao_.Composta() || Paginas() == 0) return;
    // Drawn at the screen's own pixel density, so the text stays sharp on high-density screens.
    const qreal densidade = devicePixelRatioF();
    const qreal dpi = Resolucao() * densidade;
    const QRectF pagina = relatorio_.Pagina().fullRect(QPageLayout::Millimeter);
    const QPointF margem = relatorio_.Pagina().paintRect(QPageLayout::Millimeter).topLeft();
    const qreal k = dpi / kMmPorPolegada;
    imagem_ = QImage((pagina.size() * k).toSize(), QImage::Format_RGB32);
    const int pontosPorMetro = qRound(dpi / kMmPorPolegada * 1000);
    imagem_.setDotsPerMeterX(pontosPorMetro);
    imagem_.setDotsPerMeterY(pontosPorMetro);
    imagem_.fill(Qt::white);
    {
        QPainter p(&imagem_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.translate(margem * k);
        composicao_.DesenhaPagina(pagina_, p);
    }
    auto figura = QPixmap::fromImage(imagem_);
    figura.setDevicePixelRatio(densidade);
    ui_->imPagina->setPixmap(figura);
    AtualizaBotoes();
}

void TfmPreview::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    if (ui_->cbZoom->currentIndex() <= kPaginaInteira) Desenha();
}

void TfmPreview::showEvent(QShowEvent* e) {
    // A page reads best tall: the window takes most of the screen's height, centred.
    if (!dimensionada_) {
        dimensionada_ = true;
        const QRect tela = screen()->availableGeometry();
        const QSize tamanho(std::min(tela.width() * 9 / 10, 1000), tela.height() * 9 / 10);
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, tamanho, tela));
    }
    QDialog::showEvent(e);
    Desenha();
}

void TfmPreview::Imprime() { ImprimeRelatorio(this, composicao_, dialogos_); }

void TfmPreview::SalvaPdf() { SalvaRelatorioPdf(this, composicao_, dialogos_); }

}  // namespace zovi::gui
