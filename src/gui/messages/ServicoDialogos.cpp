#include "messages/ServicoDialogos.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

#include "platform/Texto1252.h"

namespace zovi::gui {

namespace {

QMessageBox::StandardButton BotaoPadrao(Resposta r) {
    switch (r) {
    case Resposta::Ok: return QMessageBox::Ok;
    case Resposta::Cancela: return QMessageBox::Cancel;
    case Resposta::Aborta: return QMessageBox::Abort;
    case Resposta::Repete: return QMessageBox::Retry;
    case Resposta::Ignora: return QMessageBox::Ignore;
    case Resposta::Sim: return QMessageBox::Yes;
    case Resposta::Nao: return QMessageBox::No;
    case Resposta::Nenhuma: break;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon IconeTipo(TipoDialogo tipo) {
    switch (tipo) {
    case TipoDialogo::Confirmacao: return QMessageBox::Question;
    case TipoDialogo::Aviso: return QMessageBox::Warning;
    case TipoDialogo::Informacao: return QMessageBox::Information;
    case TipoDialogo::Erro: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

ServicoDialogos& ServicoDialogos::Programa() {
    static ServicoDialogos servico;
    return servico;
}

QString ServicoDialogos::TituloPrograma() { return QStringLiteral("Gerador de Declaração ZOVI - GDZOVI2005"); }

QString ServicoDialogos::TextoBotao(Resposta botao) {
    switch (botao) {
    case Resposta::Ok: return QStringLiteral("OK");
    case Resposta::Cancela: return QStringLiteral("Cancela");
    case Resposta::Aborta: return QStringLiteral("&Abortar");
    case Resposta::Repete: return QStringLiteral("&Repetir");
    case Resposta::Ignora: return QStringLiteral("&Ignorar");
    case Resposta::Sim: return QStringLiteral("&Sim");
    case Resposta::Nao: return QStringLiteral("&Não");
    case Resposta::Nenhuma: break;
    }
    return {};
}

QString ServicoDialogos::TituloTipo(TipoDialogo tipo) {
    switch (tipo) {
    case TipoDialogo::Confirmacao: return QStringLiteral("Confirme");
    case TipoDialogo::Aviso: return QStringLiteral("Atenção");
    case TipoDialogo::Informacao: return QStringLiteral("Informação");
    case TipoDialogo::Erro: return QStringLiteral("Erro");
    }
    return {};
}

Resposta ServicoDialogos::Mensagem(TipoDialogo tipo, const QString& texto, QWidget* pai) {
    QList<Resposta> botoes{Resposta::Ok};
    if (tipo == TipoDialogo::Confirmacao) botoes = {Resposta::Sim, Resposta::Nao};
    return MostraCaixa({TituloTipo(tipo), texto, IconeTipo(tipo), botoes}, pai);
}

Resposta ServicoDialogos::Simples(const QString& texto, QWidget* pai) {
    return MostraCaixa({TituloPrograma(), texto, QMessageBox::NoIcon, {Resposta::Ok}}, pai);
}

Resposta ServicoDialogos::Caixa(const QString& titulo, const QString& texto, QMessageBox::Icon icone,
                                const QList<Resposta>& botoes, QWidget* pai, Resposta padrao) {
    return MostraCaixa({titulo, texto, icone, botoes, padrao}, pai);
}

Resposta ServicoDialogos::Mostra(TipoDialogo tipo, const std::string& texto) {
    return Mensagem(tipo, QString::fromStdString(Cp1252ParaUtf8(texto)), QApplication::activeWindow());
}

Resposta ServicoDialogos::Pergunta(TipoDialogo tipo, const std::string& texto) {
    return Caixa(TituloTipo(tipo), QString::fromStdString(Cp1252ParaUtf8(texto)), IconeTipo(tipo),
                 {Resposta::Sim, Resposta::Nao}, QApplication::activeWindow());
}

Resposta ServicoDialogos::MostraOkCancela(TipoDialogo tipo, const std::string& texto) {
    return Caixa(TituloTipo(tipo), QString::fromStdString(Cp1252ParaUtf8(texto)), IconeTipo(tipo),
                 {Resposta::Ok, Resposta::Cancela}, QApplication::activeWindow());
}

Resposta ServicoDialogos::MostraCaixa(const CaixaMostrada& caixa, QWidget* pai) {
    if (roteirizado_) {
        caixas.push_back(caixa);
        if (!respostas_.empty()) {
            auto resposta = std::move(respostas_.front());
            respostas_.pop_front();
            return resposta(caixa);
        }
        return caixa.botoes.isEmpty() ? Resposta::Nenhuma : caixa.botoes.back();
    }
    auto box = CriaCaixa(caixa, pai);
    // Closing the box with its close button is a cancel, not the No that Escape gives.
    Resposta clicada = Resposta::Cancela;
    QObject::connect(box.get(), &QMessageBox::buttonClicked, [&](QAbstractButton* b) {
        for (auto r : caixa.botoes)
            if (box->button(BotaoPadrao(r)) == b) clicada = r;
    });
    box->exec();
    return clicada;
}

std::unique_ptr<QMessageBox> ServicoDialogos::CriaCaixa(const CaixaMostrada& caixa, QWidget* pai) {
    auto box = std::make_unique<QMessageBox>(caixa.icone, caixa.titulo, caixa.texto, QMessageBox::NoButton, pai);
    for (auto r : caixa.botoes) box->addButton(BotaoPadrao(r))->setText(TextoBotao(r));
    if (caixa.padrao != Resposta::Nenhuma) box->setDefaultButton(BotaoPadrao(caixa.padrao));
    return box;
}

int ServicoDialogos::Executa(QDialog& formulario) {
    if (!roteirizado_) {
        int resultado = formulario.exec();
        // A window that hid itself while a form it opened took its place, and showed itself
        // again when that form returned, goes on: hiding a dialog ends its exec().
        while (formulario.isVisible()) resultado = formulario.exec();
        return resultado;
    }
    formularios.push_back(formulario.objectName());
    if (acoes_.empty()) return QDialog::Rejected;
    auto acao = std::move(acoes_.front());
    acoes_.pop_front();
    return acao(formulario);
}

QString ServicoDialogos::ProximoArquivo() {
    if (arquivos_.empty()) return {};
    auto nome = arquivos_.front();
    arquivos_.pop_front();
    return nome;
}

namespace {

QSettings Preferencias() { return QSettings(QStringLiteral("GDZOVI2005"), QStringLiteral("gdzovi")); }
const QString kUltimaPasta = QStringLiteral("dialogos/ultimaPasta");

}  // namespace

QString ServicoDialogos::PastaInicial(const QString& pedida) {
    const QString casa = QDir::homePath();
    if (!pedida.isEmpty() && QDir::cleanPath(pedida) != QDir::cleanPath(casa) && QFileInfo(pedida).isDir())
        return pedida;
    if (const QString ultima = Preferencias().value(kUltimaPasta).toString();
        !ultima.isEmpty() && QFileInfo(ultima).isDir())
        return ultima;
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documentos.isEmpty() && QDir().mkpath(documentos)) return documentos;
    return casa;
}

void ServicoDialogos::LembraPasta(const QString& escolhido) {
    if (escolhido.isEmpty()) return;
    const QFileInfo info(escolhido);
    Preferencias().setValue(kUltimaPasta, info.isDir() ? info.absoluteFilePath() : info.absolutePath());
}

QString ServicoDialogos::ArquivoParaAbrir(QWidget* pai, const QString& titulo, const QString& pasta,
                                          const QString& filtro) {
    if (roteirizado_) return ProximoArquivo();
    const QString arquivo = QFileDialog::getOpenFileName(pai, titulo, PastaInicial(pasta), filtro);
    LembraPasta(arquivo);
    return arquivo;
}

QString ServicoDialogos::ArquivoParaSalvar(QWidget* pai, const QString& titulo, const QString& sugestao,
                                           const QString& filtro) {
    if (roteirizado_) return ProximoArquivo();
    const QFileInfo sugerido(sugestao);
    const QString inicial = QDir(PastaInicial(sugestao.contains(QLatin1Char('/')) ? sugerido.path() : QString()))
                                .filePath(sugerido.fileName());
    const QString arquivo = QFileDialog::getSaveFileName(pai, titulo, inicial, filtro);
    LembraPasta(arquivo);
    return arquivo;
}

QString ServicoDialogos::Pasta(QWidget* pai, const QString& titulo, const QString& inicial) {
    if (roteirizado_) return ProximoArquivo();
    const QString pasta = QFileDialog::getExistingDirectory(pai, titulo, PastaInicial(inicial));
    LembraPasta(pasta);
    return pasta;
}

void ServicoDialogos::AbreEndereco(const QUrl& endereco) {
    if (roteirizado_)
        enderecos.push_back(endereco);
    else
        QDesktopServices::openUrl(endereco);
}

void ServicoDialogos::MostraAjuda(int topico, const QString& ancora) {
    if (roteirizado_)
        ajudas.push_back(QStringLiteral("%1#%2").arg(topico).arg(ancora));
    else if (abreAjuda)
        abreAjuda(topico, ancora);
}

bool ServicoDialogos::ImpressoraInstalada() {
    if (roteirizado_) return impressoraInstalada;
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool ServicoDialogos::ConfiguraImpressao(QPrinter& impressora, int paginas, QWidget* pai, bool comDialogo) {
    if (roteirizado_) {
        if (impressoes_.empty()) return false;
        auto acao = std::move(impressoes_.front());
        impressoes_.pop_front();
        return acao(impressora);
    }
    if (!comDialogo) return true;
    QPrintDialog dialogo(&impressora, pai);
    dialogo.setWindowTitle(QStringLiteral("Imprimir"));
    dialogo.setMinMax(1, std::max(paginas, 1));
    dialogo.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies |
                       QAbstractPrintDialog::PrintShowPageSize);
    return dialogo.exec() == QDialog::Accepted;
}

void ServicoDialogos::Esquece() {
    caixas.clear();
    formularios.clear();
    enderecos.clear();
    ajudas.clear();
    respostas_.clear();
    acoes_.clear();
    arquivos_.clear();
    impressoes_.clear();
}

}  // namespace zovi::gui
