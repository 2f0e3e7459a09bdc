// The consultation's windows, offscreen, over a file written from a generated
// declaration: the chain of windows in scripted mode (declarant, establishment
// grid, establishment, employee grid, employee, with their Anterior/Próximo),
// and with the boxes and windows really running (a missing file, a file out
// of the layout, a good one closed by Fechar). The declaration tables are never
// written.
#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <memory>
#include <sstream>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "RespondeCaixas.h"
#include "consulta/JanelasConsulta.h"
#include "data/ModulosDados.h"
#include "declfile/GravaDeclaracao.h"
#include "messages/ServicoDialogos.h"

using namespace zovi;
using namespace zovi::gui;
namespace fs = std::filesystem;

namespace {

QPushButton* Botao(QWidget& w, const char* nome) { return w.findChild<QPushButton*>(nome); }
QString Valor(QWidget& w, const char* rotulo) {
    auto* l = w.findChild<QLabel*>(QString::fromUtf8(rotulo));
    return l ? l->text() : QStringLiteral("(ausente)");
}

std::string Conteudo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace

class ConsultaTeste : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    ServicoDialogos dialogos_;
    fs::path arquivo_;
    std::map<std::string, std::string> tabelas_;

    void ConfereTabelas() {
        for (const auto& [t, c] : tabelas_) QCOMPARE(Conteudo(pasta_->Caminho() / (t + ".DB")), c);
    }

private slots:
    void initTestCase() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        bancada::ParametrosGeracao g;
        g.estabelecimentos = 2;
        g.empregadosPorEstabelecimento = 3;
        bancada::GeraDeclaracao(dm_->dbZovi, g);
        teste::InteracaoRoteirizada interacao;
        ParametrosGravacao p;
        p.pasta = pasta_->Caminho() / "saida";
        p.dataGeracao = "15022006";
        QCOMPARE(fGravaDeclaracao(dm_->dbZovi, p, interacao), int(kGravado));
        arquivo_ = *p.pasta / "Zovi2005";
        for (const char* t : {"BD8EMP", "BD8VINC", "BD8RESP"}) tabelas_[t] = Conteudo(pasta_->Caminho() / (std::string(t) + ".DB"));
    }
    void init() {
        dialogos_.Esquece();
        dialogos_.Roteiriza();
    }

    // From the declarant down to an employee and back out by Fechar, every window showing its record.
    void CadeiaDeJanelas() {
        QString responsavel, nacionalidade, salario;
        int linhasGrade = 0, linhasEmpregados = 0;
        bool anteriorNoPrimeiro = true, proximoNoUltimo = true, proximoNoEmpregado = true;
        int relatorios = 0;
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmConsulta01
            responsavel = Valor(d, "Nome");
            Botao(d, "btRelatorio")->click();
            Botao(d, "btConteudo")->click();
            return d.result();
        });
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmConsulta02
            linhasGrade = d.findChild<QTableView*>("dgEstabelecimentos")->model()->rowCount();
            static_cast<TfmConsulta02&>(d).Consulta(0);
            return d.result();
        });
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmConsulta03
            anteriorNoPrimeiro = Botao(d, "btAnterior")->isEnabled();
            Botao(d, "btProximo")->click();
            proximoNoUltimo = Botao(d, "btProximo")->isEnabled();
            Botao(d, "btEmpregados")->click();
            return d.result();
        });
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmConsulta04
            linhasEmpregados = d.findChild<QTableView*>("dgEmpregados")->model()->rowCount();
            static_cast<TfmConsulta04&>(d).Consulta(2);
            return d.result();
        });
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmConsulta05
            nacionalidade = Valor(d, "Nacionalidade");
            salario = Valor(d, "Salário contratual");
            proximoNoEmpregado = Botao(d, "btProximo")->isEnabled();
            Botao(d, "btFechar")->click();
            return d.result();
        });
        TfmConsultaDisquete fm(dm_->dbZovi, dialogos_, [&](QWidget*) { ++relatorios; });
        fm.Carrega(QString::fromStdString(arquivo_.string()));
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"fmConsulta01", "fmConsulta02", "fmConsulta03",
                                                               "fmConsulta04", "fmConsulta05"}));
        QCOMPARE(fm.result(), kFecharConsulta);
        QVERIFY(!responsavel.isEmpty() && responsavel != QLatin1String("(ausente)"));
        QCOMPARE(relatorios, 1);
        QCOMPARE(linhasGrade, 2);
        QVERIFY(!anteriorNoPrimeiro);
        QVERIFY(!proximoNoUltimo);
        QCOMPARE(linhasEmpregados, 3);
        QCOMPARE(nacionalidade, QStringLiteral("10 - Brasileira"));
        QVERIFY(salario.contains(QLatin1Char(',')));
        QVERIFY(!proximoNoEmpregado);
        ConfereTabelas();
    }

    // With the boxes and windows really running: a missing file is refused with its message and
    // the focus back on the path; a file out of the layout shows the refusal and its faults,
    // Voltar clears it; a good file opens the declarant's window, whose Fechar ends it all.
    void ComJanelasReais() {
        dialogos_.Roteiriza(false);
        // The declarant's window, once up, is closed by Fechar.
        QStringList janelas;
        teste::RespondeCaixas respondedor([&janelas](QWidget& janela) {
            if (janela.objectName() != QLatin1String("fmConsulta01")) return;
            janelas << janela.objectName();
            Botao(janela, "btFechar")->click();
        });
        TfmConsultaDisquete fm(dm_->dbZovi, dialogos_, {});
        fm.show();
        QVERIFY(QTest::qWaitForWindowActive(&fm));
        auto* caminho = fm.findChild<QLineEdit*>("edArquivo");
        QCOMPARE(QApplication::focusWidget(), caminho);
        QTest::keyClicks(caminho, QString::fromStdString((pasta_->Caminho() / "nao-existe").string()));
        QTest::keyClick(caminho, Qt::Key_Return);
        QTRY_COMPARE(respondedor.caixas.size(), qsizetype(1));
        QVERIFY(respondedor.caixas.front().startsWith(QStringLiteral("O arquivo especificado não existe.")));
        QTRY_COMPARE(fm.focusWidget(), caminho);

        const fs::path ruim = pasta_->Caminho() / "ruim";
        std::ofstream(ruim) << "isto nao e uma declaracao\r\n";
        caminho->setText(QString::fromStdString(ruim.string()));
        QTest::keyClick(caminho, Qt::Key_Return);
        QTRY_VERIFY(fm.findChild<QWidget*>("paRecusa")->isVisible());
        QVERIFY(fm.findChild<QListWidget*>("lbFalhas")->count() > 0);
        Botao(fm, "btVoltar")->click();
        QVERIFY(caminho->text().isEmpty());
        QVERIFY(!fm.findChild<QWidget*>("paRecusa")->isVisible());

        caminho->setText(QString::fromStdString(arquivo_.string()));
        QTest::keyClick(caminho, Qt::Key_Return);
        QTRY_COMPARE(janelas, QStringList{"fmConsulta01"});
        QTRY_VERIFY(!fm.isVisible());
        QCOMPARE(fm.result(), kFecharConsulta);
        QCOMPARE(respondedor.caixas.size(), qsizetype(1));
        ConfereTabelas();
    }
};

QTEST_MAIN(ConsultaTeste)
#include "ConsultaTeste.moc"
