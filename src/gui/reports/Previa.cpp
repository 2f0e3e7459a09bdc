#include "reports/Previa.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressDialog>

#include "messages/RotinasFormulario.h"
#include "messages/ServicoDialogos.h"
#include "motor/Composicao.h"
#include "motor/Saida.h"
#include "reports/TfmPreview.h"

namespace zovi::gui {

namespace {

// Laying out, saving or printing a long report: the pages go by in a window with "Cancelar", shown once
// the work lasts more than a moment; the windows behind it wait.
class ProgressoSaida {
public:
    ProgressoSaida(QWidget* pai, const QString& texto)
        : texto_(texto), janela_(texto, QStringLiteral("Cancelar"), 0, 0, pai) {
        janela_.setObjectName(QStringLiteral("ProgressoSaida"));
        janela_.setWindowTitle(ServicoDialogos::TituloPrograma());
        janela_.setWindowModality(Qt::ApplicationModal);
        janela_.setMinimumDuration(500);
        janela_.setAutoClose(false);
        janela_.setAutoReset(false);
    }
    // Laying the report out: the pages counted so far.
    std::function<bool(int)> Contagem() {
        return [this](int paginas) { return Mostra(QStringLiteral("%1\n%2 páginas").arg(texto_).arg(paginas), 0, 0); };
    }
    // Sending the pages: how many of how many.
    relatorios::Progresso Envio() {
        return [this](int feitas, int total) {
            return Mostra(total > 0 ? QStringLiteral("%1\nPágina %2 de %3").arg(texto_).arg(feitas).arg(total)
                                    : QStringLiteral("%1\nPágina %2").arg(texto_).arg(feitas),
                          feitas, total);
        };
    }
    bool Cancelada() const { return janela_.wasCanceled(); }

private:
    bool Mostra(const QString& texto, int feitas, int total) {
        if (janela_.maximum() != total) janela_.setRange(0, total);
        janela_.setLabelText(texto);
        // Without a total the bar only says the work goes on. The events go through, so that
        // the window shows itself in time and "Cancelar" is heard.
        janela_.setValue(std::min(feitas, total));
        QCoreApplication::processEvents();
        return !janela_.wasCanceled();
    }

    QString texto_;
    QProgressDialog janela_;
};

QString Nativo(const QString& arquivo) { return QDir::toNativeSeparators(QFileInfo(arquivo).absoluteFilePath()); }

// Where the printed pages went: a printer's queue, or the file a printer writes to.
QString OndeFoiImpresso(const QPrinter& impressora, int paginas) {
    if (!impressora.outputFileName().isEmpty())
        return QStringLiteral("Relatório gravado em %1").arg(Nativo(impressora.outputFileName()));
    return QStringLiteral("%1 página(s) enviada(s) para a impressora \"%2\".").arg(paginas).arg(impressora.printerName());
}

}  // namespace

void MostraRelatorio(QWidget* pai, relatorios::Relatorio& relatorio, ServicoDialogos& dialogos, int limite) {
    TfmPreview fmPreview(relatorio, dialogos, pai);
    bool coube = false, cancelada = false;
    {
        ProgressoSaida progresso(pai, QStringLiteral("Preparando o relatório..."));
        coube = fmPreview.Prepara(limite, progresso.Contagem());
        cancelada = progresso.Cancelada();
    }
    if (cancelada) return;
    if (!coube) {
        LimitePaginas(fmPreview, dialogos);
        return;
    }
    dialogos.Executa(fmPreview);
}

bool SalvaRelatorioPdf(QWidget* pai, relatorios::Composicao& composicao, ServicoDialogos& dialogos) {
    const QString sugestao = QDir::home().filePath(composicao.relatorio().Titulo() + QStringLiteral(".pdf"));
    QString arquivo = dialogos.ArquivoParaSalvar(pai, QStringLiteral("Salvar o relatório em PDF"), sugestao,
                                                 QStringLiteral("Documentos PDF (*.pdf)"));
    if (arquivo.isEmpty()) return false;
    if (QFileInfo(arquivo).suffix().isEmpty()) arquivo += QStringLiteral(".pdf");
    QString erro;
    bool gravado = false, cancelada = false;
    {
        ProgressoSaida progresso(pai, QStringLiteral("Gravando o relatório em PDF..."));
        gravado = relatorios::GeraPdf(composicao, arquivo, &erro, progresso.Envio());
        cancelada = progresso.Cancelada();
    }
    if (gravado)
        dialogos.Mensagem(TipoDialogo::Informacao, QStringLiteral("Relatório gravado em %1").arg(Nativo(arquivo)), pai);
    else if (!cancelada)
        dialogos.Mensagem(TipoDialogo::Erro, erro, pai);
    return gravado;
}

bool ImprimeRelatorio(QWidget* pai, relatorios::Composicao& composicao, ServicoDialogos& dialogos, bool comDialogo) {
    if (!composicao.Composta()) {
        ProgressoSaida progresso(pai, QStringLiteral("Preparando o relatório..."));
        if (!composicao.Compoe(std::numeric_limits<int>::max(), progresso.Contagem())) return false;
    }
    // A report without pages (no labels to print) prints nothing, and says nothing.
    if (composicao.Paginas() == 0) return false;
    if (!dialogos.ImpressoraInstalada()) {
        dialogos.Mensagem(TipoDialogo::Informacao,
                          QStringLiteral("Não há impressora instalada neste computador.\n"
                                         "Salve o relatório em PDF para imprimi-lo em outro computador."),
                          pai);
        return SalvaRelatorioPdf(pai, composicao, dialogos);
    }
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setPageLayout(composicao.relatorio().Pagina());
    impressora.setDocName(composicao.relatorio().Titulo());
    if (!dialogos.ConfiguraImpressao(impressora, composicao.Paginas(), pai, comDialogo)) return false;
    int de = 1, ate = 0;
    if (impressora.printRange() == QPrinter::PageRange) {
        de = impressora.fromPage();
        ate = impressora.toPage();
    }
    // A printer that cannot make copies itself gets the pages again.
    const int copias = impressora.supportsMultipleCopies() ? 1 : impressora.copyCount();
    int impressas = 0;
    {
        ProgressoSaida progresso(pai, QStringLiteral("Imprimindo o relatório..."));
        impressas = relatorios::ImprimeEm(composicao, impressora, de, ate, copias, progresso.Envio());
    }
    if (impressas == relatorios::kSaidaCancelada) return false;
    if (impressas < 0) {
        dialogos.Mensagem(TipoDialogo::Erro,
                          QStringLiteral("Não foi possível imprimir em \"%1\".").arg(impressora.printerName()), pai);
        return false;
    }
    if (impressas > 0)
        dialogos.Mensagem(TipoDialogo::Informacao, OndeFoiImpresso(impressora, impressas), pai);
    return impressas > 0;
}

bool ImprimeRelatorio(QWidget* pai, relatorios::Relatorio& relatorio, ServicoDialogos& dialogos, bool comDialogo) {
    relatorios::Composicao composicao(relatorio);
    return ImprimeRelatorio(pai, composicao, dialogos, comDialogo);
}

}  // namespace zovi::gui
