#include "wizards/PecasManutencao.h"

#include "platform/Texto1252.h"
#include "ui_EscolhaEstabelecimento.h"
#include "ui_ResumoEstabelecimento.h"

namespace zovi::gui {

namespace {
QString Tela(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(cp1252)); }
}  // namespace

EscolhaEstabelecimento::EscolhaEstabelecimento(QWidget* pai)
    : QWidget(pai), ui_(std::make_unique<Ui::EscolhaEstabelecimento>()) {
    ui_->setupUi(this);
    // The hint always shows the chosen line, however narrow the box.
    connect(ui_->cbEstabelecimentos, &QComboBox::currentTextChanged, ui_->cbEstabelecimentos, &QWidget::setToolTip);
}

EscolhaEstabelecimento::~EscolhaEstabelecimento() = default;

void EscolhaEstabelecimento::Textos(const QString& anoBase, const QString& texto, const QString& conselho) {
    ui_->laAnoBase->setText(QStringLiteral("Informações do Ano-Base ") + anoBase);
    ui_->laTexto->setText(texto);
    ui_->laConselho->setText(conselho);
    ui_->laConselho->setVisible(!conselho.isEmpty());
}

void EscolhaEstabelecimento::Define(const std::vector<std::string>& linhas) {
    ui_->cbEstabelecimentos->clear();
    for (const auto& l : linhas) ui_->cbEstabelecimentos->addItem(Tela(l));
    ui_->cbEstabelecimentos->setCurrentIndex(-1);
}

std::optional<std::string> EscolhaEstabelecimento::Escolhida() const {
    if (ui_->cbEstabelecimentos->currentIndex() < 0) return std::nullopt;
    return Utf8ParaCp1252(ui_->cbEstabelecimentos->currentText().toStdString());
}

void EscolhaEstabelecimento::Foca() { ui_->cbEstabelecimentos->setFocus(); }

ResumoEstabelecimento::ResumoEstabelecimento(QWidget* pai)
    : QGroupBox(pai), ui_(std::make_unique<Ui::ResumoEstabelecimento>()) {
    ui_->setupUi(this);
}

ResumoEstabelecimento::~ResumoEstabelecimento() = default;

void ResumoEstabelecimento::Mostra(const std::string& inscricao, const std::string& prefixo, const std::string& nome) {
    ui_->edInscricao->setText(Tela(inscricao));
    ui_->edPrefixo->setText(Tela(prefixo));
    ui_->edNome->setText(Tela(nome));
    ui_->edNome->setToolTip(ui_->edNome->text());
}

}  // namespace zovi::gui
