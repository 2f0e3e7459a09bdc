// The print assistant, offscreen: the print options' checks, the pages from the
// kind of report to the selection (lines, Total and Parcial, the messages that
// stop printing), printing each page range as its own job (one past the last
// page said and skipped), and the assistant with its pages really running.
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "Gerador.h"
#include "PastaTeste.h"
#include "PdfTexto.h"
#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "messages/ServicoDialogos.h"
#include "wizards/AssistenteImpressao.h"
#include "wizards/ListaMarcacao.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

QPushButton* Botao(QWidget& w, const char* nome) { return w.findChild<QPushButton*>(nome); }
QRadioButton* Opcao(QWidget& w, const char* nome) { return w.findChild<QRadioButton*>(nome); }
ModeloMarcacao& Lista(QWidget& w, const char* nome) { return w.findChild<ListaMarcacao*>(nome)->Modelo(); }

}  // namespace

class ImpressaoTeste : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    ServicoDialogos dialogos_;
    QTemporaryDir saida_;

    QString UltimaCaixa() const { return dialogos_.caixas.empty() ? QString() : dialogos_.caixas.back().texto; }

private slots:
    void initTestCase() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        bancada::ParametrosGeracao g;
        g.estabelecimentos = 3;
        g.empregadosPorEstabelecimento = 8;
        bancada::GeraDeclaracao(dm_->dbZovi, g);
    }
    void init() {
        dialogos_.Esquece();
        dialogos_.Roteiriza();
        dialogos_.impressoraInstalada = false;
    }

    void OpcoesDeImpressao() {
        struct Caso {
            const char* paginas;  // nullptr: "Todos"
            const char* copias;
            const char* mensagem;  // nullptr: accepted
            std::vector<std::pair<int, int>> intervalos;
        };
        const Caso casos[] = {
            {nullptr, "1", nullptr, {{0, 0}}},
            {"1;3;5-12;4", "2", nullptr, {{1, 1}, {3, 3}, {5, 12}, {4, 4}}},
            {"5-3", "1", "Este não é um intervalo válido para impressão.", {}},
            {"1;;3", "1", "Este não é um intervalo válido para impressão.", {}},
            {"", "1", "Este não é um intervalo válido para impressão.", {}},
            {nullptr, "dois", "Este não é um número válido.", {}},
            {nullptr, "0", "Este não é um número válido.", {}},
        };
        for (const auto& c : casos) {
            dialogos_.Esquece();
            TfmPrintOpc fm(dialogos_);
            if (c.paginas) {
                Opcao(fm, "rbPaginas")->setChecked(true);
                fm.findChild<QLineEdit*>("edPaginas")->setText(QString::fromUtf8(c.paginas));
            }
            fm.findChild<QLineEdit*>("edCopias")->setText(QString::fromUtf8(c.copias));
            Botao(fm, "btOk")->click();
            if (c.mensagem) {
                QCOMPARE(UltimaCaixa(), QString::fromUtf8(c.mensagem));
                QCOMPARE(fm.result(), int(QDialog::Rejected));
            } else {
                QVERIFY(dialogos_.caixas.empty());
                QCOMPARE(fm.result(), int(QDialog::Accepted));
                QCOMPARE(fm.Intervalos(), c.intervalos);
                QCOMPARE(fm.Copias(), QString::fromUtf8(c.copias).toInt());
            }
        }
        // The arrows move the copies by one within 1 to 9999.
        TfmPrintOpc fm(dialogos_);
        auto* copias = fm.findChild<QLineEdit*>("edCopias");
        fm.findChild<QToolButton*>("btMenos")->click();
        QCOMPARE(copias->text(), QStringLiteral("1"));
        fm.findChild<QToolButton*>("btMais")->click();
        QCOMPARE(copias->text(), QStringLiteral("2"));
        copias->setText("9999");
        fm.findChild<QToolButton*>("btMais")->click();
        QCOMPARE(copias->text(), QStringLiteral("9999"));
    }

    // From the kind of report to the selection: the lines, the refusals, a partial summary
    // report by name printed as two ranges, the second past the last page.
    void AssistenteAteAImpressao() {
        dialogos_.impressoraInstalada = true;
        QStringList empresas, empregados, mensagens;
        bool protocolo = true, totalDeVolta = false;
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmRelatorio03
            protocolo = Opcao(d, "rbProtocolo")->isEnabled();
            Botao(d, "btAvancar")->click();
            return d.result();
        });
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmRelatorio02
            Opcao(d, "rbResumido")->setChecked(true);
            Botao(d, "btAvancar")->click();
            return d.result();
        });
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmRelatorio00
            Opcao(d, "rbNome")->setChecked(true);
            Botao(d, "btAvancar")->click();
            return d.result();
        });
        const QString pdf = saida_.filePath(QStringLiteral("parcial.pdf"));
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmRelatorio01
            d.show();
            for (const auto& l : Lista(d, "clbEmpresas").Linhas()) empresas << QString::fromStdString(l);
            Botao(d, "btVisualizar")->click();
            mensagens << UltimaCaixa();
            Lista(d, "clbEmpresas").Alterna(0);
            Lista(d, "clbEmpresas").Alterna(1);
            Opcao(d, "rbParcial")->click();
            mensagens << UltimaCaixa();
            totalDeVolta = Opcao(d, "rbTotal")->isChecked();
            Lista(d, "clbEmpresas").Alterna(0);
            Opcao(d, "rbParcial")->click();
            for (const auto& l : Lista(d, "clbEmpregados").Linhas()) empregados << QString::fromStdString(l);
            Botao(d, "btImprimir")->click();
            mensagens << UltimaCaixa();
            Lista(d, "clbEmpregados").Alterna(0);
            Lista(d, "clbEmpregados").Alterna(1);
            dialogos_.AgeNoFormulario([](QDialog& o) {  // fmPrintOpc
                Opcao(o, "rbPaginas")->setChecked(true);
                o.findChild<QLineEdit*>("edPaginas")->setText("1;5");
                Botao(o, "btOk")->click();
                return o.result();
            });
            dialogos_.EscolheImpressao([&](QPrinter& impressora) {
                impressora.setOutputFormat(QPrinter::PdfFormat);
                impressora.setOutputFileName(pdf);
                return true;
            });
            Botao(d, "btImprimir")->click();
            mensagens << dialogos_.caixas[dialogos_.caixas.size() - 2].texto;
            Botao(d, "btCancelar")->click();
            return d.result();
        });
        ContextoImpressao contexto(dm_->dbZovi, QStringLiteral("2005.2"));
        ExecutaAssistenteImpressao(contexto, dialogos_, nullptr);
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"fmRelatorio03", "fmRelatorio02", "fmRelatorio00",
                                                               "fmRelatorio01", "fmPrintOpc"}));
        QVERIFY(!protocolo);
        QVERIFY(totalDeVolta);
        QCOMPARE(empresas.size(), 3);
        QVERIFY(empresas[0].contains(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d{3}\\.\\d{3}/\\d{4}-\\d\\d {4}01 {4}\\S"))));
        QCOMPARE(mensagens, (QStringList{QStringLiteral("É necessário selecionar uma empresa antes de imprimir"),
                                         QStringLiteral("Não pode imprimir mais de um estabelecimento parcial por vez."),
                                         QStringLiteral("É necessário selecionar um empregado antes de imprimir"),
                                         QStringLiteral(" Página não existe, impressão suspensa. ")}));
        // Name order: the name in 30 characters first, in ascending order.
        QCOMPARE(empregados.size(), 8);
        for (int i = 1; i < empregados.size(); ++i) QVERIFY(empregados[i - 1].left(30) <= empregados[i].left(30));
        const auto texto = teste::PaginasPdf(pdf).join(QLatin1Char('\n'));
        QVERIFY(texto.contains(QStringLiteral("Relatório resumido do estabelecimento")));
        QVERIFY(texto.contains(QStringLiteral("Classificação : Nome do empregado")));
        QVERIFY(texto.contains(empregados[0].left(30).trimmed()));
        QVERIFY(texto.contains(empregados[1].left(30).trimmed()));
        QVERIFY(!texto.contains(empregados[2].left(30).trimmed()));
    }

    // The pages really running: Avançar, Voltar and Avançar again, then Cancelar, by the keyboard's
    // buttons as a user presses them.
    void ComPaginasReais() {
        dialogos_.Roteiriza(false);
        QStringList titulos;
        int passos = 0;
        QTimer relogio;
        connect(&relogio, &QTimer::timeout, this, [&] {
            auto* pagina = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!pagina || !pagina->isVisible()) return;
            titulos << pagina->objectName();
            const char* botoes[] = {"btAvancar", "btAvancar", "btVoltar", "btAvancar", "btAvancar", "btCancelar"};
            if (passos < 6) Botao(*pagina, botoes[passos++])->click();
        });
        relogio.start(30);
        ContextoImpressao contexto(dm_->dbZovi, QStringLiteral("2005.2"));
        ExecutaAssistenteImpressao(contexto, dialogos_, nullptr);
        relogio.stop();
        QCOMPARE(titulos, (QStringList{"fmRelatorio03", "fmRelatorio02", "fmRelatorio00", "fmRelatorio02",
                                       "fmRelatorio00", "fmRelatorio01"}));
        QCOMPARE(contexto.parametros.completo, true);
    }
};

QTEST_MAIN(ImpressaoTeste)
#include "ImpressaoTeste.moc"
