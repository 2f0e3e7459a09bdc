// The report preview and printing, offscreen, with the user's choices
// scripted in the dialog service: page navigation, the page limit, saving as
// PDF, printing a page range and copies, and the missing printer.
#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "PastaTeste.h"
#include "PdfTexto.h"
#include "app/ProgramaGDZovi.h"
#include "app/TfmGDZOVI.h"
#include "messages/ServicoDialogos.h"
#include "motor/Composicao.h"
#include "motor/Relatorio.h"
#include "reports/Previa.h"
#include "reports/TfmPreview.h"

using namespace zovi;
using namespace zovi::gui;
using zovi::teste::PaginasPdf;

namespace {

// `n` rows of 5 mm in groups of 10: 90 make a few A4 pages, each numbered.
std::unique_ptr<relatorios::Relatorio> RelatorioDeTeste(int n = 90) {
    auto r = std::make_unique<relatorios::Relatorio>(QStringLiteral("Teste da prévia"));
    std::vector<QStringList> linhas;
    for (int i = 0; i < n; ++i) linhas.push_back({QString::number(i / 10), QStringLiteral("linha %1").arg(i)});
    r->DefineFonte(std::make_unique<relatorios::FonteMemoria>(QStringList{"grupo", "texto"}, std::move(linhas)));
    const auto fonte = relatorios::FonteRelatorio(10);
    r->CabecalhoPagina(10).Texto({0, 0, 190, 6}, QStringLiteral("Cabeçalho"), fonte);
    r->RodapePagina(8).NumeroPagina({0, 2, 190, 5}, fonte, Qt::AlignRight, true);
    r->CabecalhoGrupo(relatorios::Campo("grupo"), 8).Dado({0, 1, 100, 6}, relatorios::Campo("grupo"), fonte);
    r->Detalhe(5).Dado({10, 0, 100, 5}, relatorios::Campo("texto"), fonte);
    return r;
}

}  // namespace

class PreviaTeste : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogos_.Esquece();
        dialogos_.Roteiriza(true);
        dialogos_.impressoraInstalada = false;
    }

    void NavegaPelasPaginasESalvaEmPdf() {
        auto relatorio = RelatorioDeTeste();
        const QString pdf = pasta_.filePath(QStringLiteral("previa.pdf"));
        int paginas = 0;
        bool passou = false;
        int falha = 0;
        dialogos_.EscolheArquivo(pdf);
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& fm = static_cast<TfmPreview&>(d);
            paginas = fm.Paginas();
            auto* proxima = fm.findChild<QToolButton*>(QStringLiteral("sbProxima"));
            auto* anterior = fm.findChild<QToolButton*>(QStringLiteral("sbAnterior"));
            auto* numero = fm.findChild<QSpinBox*>(QStringLiteral("edPagina"));
            if (fm.Pagina() != 1 || anterior->isEnabled() || fm.ImagemPagina().isNull()) return falha = 1, -1;
            // The keys are the window's shortcuts: it must be shown and active, as for the user.
            fm.show();
            if (!QTest::qWaitForWindowActive(&fm)) return falha = 6, -1;
            // A fixed zoom: the page's width on the screen no longer follows the scroll bars.
            fm.findChild<QComboBox*>(QStringLiteral("cbZoom"))->setCurrentText(QStringLiteral("100%"));
            const QImage primeira = fm.ImagemPagina();
            proxima->click();
            if (fm.Pagina() != 2 || numero->value() != 2 || fm.ImagemPagina() == primeira) return falha = 2, -1;
            numero->setValue(paginas);
            if (fm.Pagina() != paginas || proxima->isEnabled()) return falha = 3, -1;
            QTest::keyClick(&fm, Qt::Key_Home, Qt::ControlModifier);
            if (fm.Pagina() != 1) return falha = 4, -1;
            if (fm.ImagemPagina() != primeira) return falha = 7, -1;
            QTest::keyClick(&fm, Qt::Key_PageDown);
            if (fm.Pagina() != 2) return falha = 5, -1;
            fm.findChild<QPushButton*>(QStringLiteral("btSalvarPdf"))->click();
            passou = true;
            return int(QDialog::Accepted);
        });
        MostraRelatorio(nullptr, *relatorio, dialogos_);
        QCOMPARE(dialogos_.formularios, std::vector<QString>{QStringLiteral("TfmPreview")});
        QVERIFY(paginas >= 3);
        QCOMPARE(falha, 0);
        QVERIFY(passou);
        const auto texto = PaginasPdf(pdf);
        QCOMPARE(texto.size(), paginas);
        QVERIFY(texto.back().contains(QStringLiteral("Página %1 de %1").arg(paginas)));
        // Where the file went.
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].texto, QStringLiteral("Relatório gravado em %1").arg(pdf));
    }

    // A long report saved as PDF: its pages go by in a progress window with Cancelar; cancelled,
    // no file is left and nothing more is said.
    void SalvarLongoMostraProgressoECancela() {
        auto relatorio = RelatorioDeTeste(30000);
        relatorios::Composicao composicao(*relatorio);
        QVERIFY(composicao.Compoe());
        const QString pdf = pasta_.filePath(QStringLiteral("longo.pdf"));
        dialogos_.EscolheArquivo(pdf);
        QString texto;
        QTimer relogio;
        connect(&relogio, &QTimer::timeout, [&] {
            if (auto* progresso = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) {
                texto = progresso->labelText();
                progresso->cancel();
            }
        });
        relogio.start(50);
        QVERIFY(!SalvaRelatorioPdf(nullptr, composicao, dialogos_));
        QVERIFY2(texto.startsWith(QStringLiteral("Gravando o relatório em PDF...\nPágina ")), qPrintable(texto));
        QVERIFY(texto.endsWith(QStringLiteral(" de %1").arg(composicao.Paginas())));
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(dialogos_.caixas.empty());
    }

    void AlemDoLimiteDePaginasNaoMostraEMandaImprimir() {
        auto relatorio = RelatorioDeTeste();
        MostraRelatorio(nullptr, *relatorio, dialogos_, 2);
        QVERIFY(dialogos_.formularios.empty());
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].texto,
                 QStringLiteral(" Limite de páginas excedido para visualização. Utilize a função IMPRIMIR. "));
    }

    void ImprimeFaixaDePaginasECopias() {
        auto relatorio = RelatorioDeTeste();
        dialogos_.impressoraInstalada = true;
        const QString saida = pasta_.filePath(QStringLiteral("impressora.pdf"));
        dialogos_.EscolheImpressao([&](QPrinter& impressora) {
            impressora.setOutputFormat(QPrinter::PdfFormat);
            impressora.setOutputFileName(saida);
            impressora.setPrintRange(QPrinter::PageRange);
            impressora.setFromTo(2, 3);
            impressora.setCopyCount(2);
            return true;
        });
        QVERIFY(ImprimeRelatorio(nullptr, *relatorio, dialogos_));
        const auto texto = PaginasPdf(saida);
        // A PDF printer makes no copies itself: the range is drawn twice.
        QCOMPARE(texto.size(), 4);
        for (int i = 0; i < 4; ++i) QVERIFY(texto[i].contains(QStringLiteral("Página %1 de").arg(2 + i % 2)));
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].texto, QStringLiteral("Relatório gravado em %1").arg(saida));
    }

    void ImpressaoCanceladaNaoImprime() {
        auto relatorio = RelatorioDeTeste();
        dialogos_.impressoraInstalada = true;
        QVERIFY(!ImprimeRelatorio(nullptr, *relatorio, dialogos_));
        QVERIFY(dialogos_.caixas.empty());
    }

    void RelatorioSemPaginasNadaImprime() {
        relatorios::Relatorio vazio(QStringLiteral("Etiquetas"));
        vazio.paginaSemLinhas = false;
        vazio.Detalhe(10);
        for (bool impressora : {true, false}) {
            dialogos_.impressoraInstalada = impressora;
            QVERIFY(!ImprimeRelatorio(nullptr, vazio, dialogos_, false));
        }
        QVERIFY(dialogos_.caixas.empty());
    }

    void SemImpressoraAvisaEOfereceOPdf() {
        auto relatorio = RelatorioDeTeste();
        const QString pdf = pasta_.filePath(QStringLiteral("sem-impressora"));
        dialogos_.EscolheArquivo(pdf);
        QVERIFY(ImprimeRelatorio(nullptr, *relatorio, dialogos_));
        QCOMPARE(dialogos_.caixas.size(), size_t(2));
        QVERIFY(dialogos_.caixas[0].texto.startsWith(QStringLiteral("Não há impressora instalada")));
        QCOMPARE(dialogos_.caixas[1].texto, QStringLiteral("Relatório gravado em %1.pdf").arg(pdf));
        QVERIFY(!PaginasPdf(pdf + QStringLiteral(".pdf")).isEmpty());
    }

    // The Help menu's layout sheet: previewed (seven pages), then "printed" with no printer.
    void CartelaPeloMenuAjuda() {
        teste::PastaTeste dados;
        QTemporaryDir trava;
        dialogos_.AgeNoFormulario([](QDialog& d) {  // the tips at the first activation
            d.findChild<QCheckBox*>(QStringLiteral("cbDicas"))->setChecked(true);
            return int(QDialog::Accepted);
        });
        ProgramaGDZovi programa(dialogos_, dados.Caminho(), trava.path(), QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
        QVERIFY(programa.Inicia());
        // The tips come with the window's first activation; the commands below let events
        // through (their progress), so the tips must have come before.
        QVERIFY(QTest::qWaitFor([&] { return !dialogos_.formularios.empty(); }));
        dialogos_.Esquece();
        int paginas = 0;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            paginas = static_cast<TfmPreview&>(d).Paginas();
            return int(QDialog::Accepted);
        });
        programa.fmGDZOVI()->ExecutaComando(QStringLiteral("miVisualizarCartela"));
        QCOMPARE(dialogos_.formularios, std::vector<QString>{QStringLiteral("TfmPreview")});
        QCOMPARE(paginas, 7);

        const QString pdf = pasta_.filePath(QStringLiteral("cartela.pdf"));
        dialogos_.EscolheArquivo(pdf);
        programa.fmGDZOVI()->ExecutaComando(QStringLiteral("miEmitirCartela"));
        const auto texto = PaginasPdf(pdf);
        QCOMPARE(texto.size(), 7);
        QVERIFY(texto[6].contains(QStringLiteral("Versão: 2005.2")));
    }

private:
    ServicoDialogos dialogos_;
    QTemporaryDir pasta_;
};

QTEST_MAIN(PreviaTeste)
#include "PreviaTeste.moc"
