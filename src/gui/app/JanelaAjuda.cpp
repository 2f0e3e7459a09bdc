#include "app/JanelaAjuda.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "ui_JanelaAjuda.h"

namespace zovi::gui {

JanelaAjuda::JanelaAjuda(const QString& pasta, QWidget* pai)
    : QWidget(pai, Qt::Window), ui_(std::make_unique<Ui::JanelaAjuda>()), pasta_(pasta) {
    ui_->setupUi(this);
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    ui_->spAjuda->setSizes({240, 620});
    ui_->tbPagina->setSearchPaths({pasta_});
    Carrega();
    connect(ui_->lwConteudo, &QListWidget::currentRowChanged, this, [this](int linha) {
        if (linha >= 0) Abre(linha);
    });
    connect(ui_->lwIndice, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Abre(item->data(Qt::UserRole).toInt()); });
    connect(ui_->lwIndice, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Abre(item->data(Qt::UserRole).toInt()); });
    connect(ui_->edIndice, &QLineEdit::textChanged, this, &JanelaAjuda::FiltraIndice);
    // A link followed inside a page moves the contents list along.
    connect(ui_->tbPagina, &QTextBrowser::sourceChanged, this, &JanelaAjuda::Acompanha);
}

JanelaAjuda::~JanelaAjuda() = default;

// "ajuda" beside the program (build tree, portable copy), else the installed pages under share/.
QString JanelaAjuda::PastaDoPrograma() {
    const QDir pastaPrograma(QCoreApplication::applicationDirPath());
    const QString aoLado = pastaPrograma.filePath(QStringLiteral("ajuda"));
    const QString instalada = pastaPrograma.filePath(QStringLiteral("../share/gdzovi2005/ajuda"));
    if (!QDir(aoLado).exists() && QDir(instalada).exists()) return QDir::cleanPath(instalada);
    return aoLado;
}

void JanelaAjuda::Carrega() {
    QFile arquivo(QDir(pasta_).filePath(QStringLiteral("topicos.txt")));
    if (!arquivo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ui_->tbPagina->setHtml(QStringLiteral("<p>Os arquivos de ajuda não foram encontrados na pasta <b>%1</b>. "
                                              "Instale novamente o GDZOVI.</p>")
                                   .arg(pasta_.toHtmlEscaped()));
        return;
    }
    QTextStream entrada(&arquivo);
    while (!entrada.atEnd()) {
        const auto linha = entrada.readLine().trimmed();
        if (linha.isEmpty() || linha.startsWith(QLatin1Char('#'))) continue;
        const auto partes = linha.split(QLatin1Char('|'));
        if (partes.size() < 3) continue;
        const int posicao = topicos_.size();
        topicos_.push_back({partes[0].toInt(), partes[1].trimmed(), partes[2].trimmed()});
        ui_->lwConteudo->addItem(partes[2].trimmed());
        indice_.insert(partes[2].trimmed().toLower(), posicao);
        if (partes.size() > 3)
            for (const auto& chave : partes[3].split(QLatin1Char(';'), Qt::SkipEmptyParts))
                indice_.insert(chave.trimmed().toLower(), posicao);
    }
    FiltraIndice({});
}

void JanelaAjuda::FiltraIndice(const QString& texto) {
    ui_->lwIndice->clear();
    const auto procura = texto.trimmed().toLower();
    for (auto i = indice_.cbegin(); i != indice_.cend(); ++i) {
        if (!procura.isEmpty() && !i.key().contains(procura)) continue;
        auto* item = new QListWidgetItem(i.key(), ui_->lwIndice);
        item->setData(Qt::UserRole, i.value());
        item->setToolTip(topicos_[i.value()].titulo);
    }
}

void JanelaAjuda::Abre(int indice, const QString& ancora) {
    if (indice < 0 || indice >= topicos_.size()) return;
    QUrl pagina = QUrl::fromLocalFile(QDir(pasta_).filePath(topicos_[indice].arquivo));
    if (!ancora.isEmpty()) pagina.setFragment(ancora);
    ui_->tbPagina->setSource(pagina);
}

void JanelaAjuda::Exibe() {
    // Called from a form shown modally (F1 in a field), the window is modal over it: otherwise
    // the form's modality would leave it unreachable.
    const auto modalidade = QApplication::activeModalWidget() && QApplication::activeModalWidget() != this
                                ? Qt::ApplicationModal
                                : Qt::NonModal;
    if (windowModality() != modalidade) {
        hide();
        setWindowModality(modalidade);
    }
    show();
    raise();
    activateWindow();
}

void JanelaAjuda::Acompanha(const QUrl& pagina) {
    const auto arquivo = QFileInfo(pagina.toLocalFile()).fileName();
    for (int i = 0; i < topicos_.size(); ++i) {
        if (topicos_[i].arquivo != arquivo) continue;
        atual_ = topicos_[i].numero;
        const QSignalBlocker bloqueio(ui_->lwConteudo);
        ui_->lwConteudo->setCurrentRow(i);
        return;
    }
}

void JanelaAjuda::MostraConteudo() {
    ui_->tbNavegacao->setCurrentWidget(ui_->tsConteudo);
    Abre(0);
    Exibe();
}

void JanelaAjuda::MostraTopico(int numero, const QString& ancora) {
    for (int i = 0; i < topicos_.size(); ++i) {
        if (topicos_[i].numero != numero) continue;
        Abre(i, ancora);
        Exibe();
        return;
    }
    MostraConteudo();
}

}  // namespace zovi::gui
