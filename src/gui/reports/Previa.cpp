#include "reports/Previa.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include "messages/RotinasFormulario.h"
#include "messages/ServicoDialogos.h"
#include "motor/Composicao.h"
#include "motor/Saida.h"
#include "reports/TfmPreview.h"

namespace zovi::gui {

namespace {

// Laying out a long report takes a moment: the wait cursor says so.
class CursorEspera {
public:
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void MostraRelatorio(QWidget* pai, relatorios::Relatorio& relatorio, ServicoDialogos& dialogos, int limite) {
    TfmPreview fmPreview(relatorio, dialogos, pai);
    bool coube = false;
    {
        CursorEspera espera;
        coube = fmPreview.Prepara(limite);
    }
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
    bool gravado = false;
    {
        CursorEspera espera;
        gravado = relatorios::GeraPdf(composicao, arquivo, &erro);
    }
    if (!gravado) dialogos.Mensagem(TipoDialogo::Erro, erro, pai);
    return gravado;
}

bool ImprimeRelatorio(QWidget* pai, relatorios::Composicao& composicao, ServicoDialogos& dialogos, bool comDialogo) {
    if (!composicao.Composta()) {
        CursorEspera espera;
        composicao.Compoe();
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
        CursorEspera espera;
        impressas = relatorios::ImprimeEm(composicao, impressora, de, ate, copias);
    }
    if (impressas < 0) {
        dialogos.Mensagem(TipoDialogo::Erro,
                          QStringLiteral("Não foi possível imprimir em \"%1\".").arg(impressora.printerName()), pai);
        return false;
    }
    return impressas > 0;
}

bool ImprimeRelatorio(QWidget* pai, relatorios::Relatorio& relatorio, ServicoDialogos& dialogos, bool comDialogo) {
    relatorios::Composicao composicao(relatorio);
    return ImprimeRelatorio(pai, composicao, dialogos, comDialogo);
}

}  // namespace zovi::gui
