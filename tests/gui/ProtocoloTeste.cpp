// "Assistente para Imprimir Protocolo" offscreen, on a declaration written to a
// folder or an emulated drive A: and receipted with the tests' receiving key:
// the receipt that validates reaches the done panel and its preview; a missing
// receipt keeps the user on the drive choice; one signed with another key ends
// on the refusal panel; and one run with the real message boxes.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "Selo.h"
#include "data/ModulosDados.h"
#include "declfile/GravaDeclaracao.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "wizards/AssistenteImpressao.h"
#include "wizards/EscolhaUnidade.h"
#include "wizards/TfmRelatorio04.h"

using namespace zovi;
using namespace zovi::gui;
namespace fs = std::filesystem;

namespace {

QPushButton* Botao(QWidget& w, const char* nome) { return w.findChild<QPushButton*>(nome); }
QString Painel(QWidget& w) { return w.findChild<QStackedWidget*>("stPaineis")->currentWidget()->objectName(); }

std::string Le(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace

class ProtocoloTeste : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<teste::PastaTeste> pasta_, midia_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<CatalogoMensagens> catalogo_;
    std::unique_ptr<Mensagens> mensagens_;
    ServicoDialogos dialogos_;

    fs::path Arquivo() const { return midia_->Caminho() / "Zovi2005"; }
    void Emite(const std::string& chave) {
        std::string erro;
        const std::string recibo = selo::EmiteRecibo(Arquivo(), chave, "000123456789", "2803", erro);
        QVERIFY2(!recibo.empty(), erro.c_str());
        std::ofstream(midia_->Caminho() / selo::kNomeRecibo, std::ios::binary) << recibo;
    }
    // Opens the assistant on the folder and presses Avançar; `depois` looks at the result.
    void Roda(const std::function<void(QDialog&)>& depois) {
        dialogos_.EscolheArquivo(QString::fromStdString(midia_->Caminho().string()));
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto* drive = d.findChild<EscolhaUnidade*>("cbDrive");
            drive->Seleciona(drive->count() - 1);
            Botao(d, "btAvancar")->click();
            depois(d);
            Botao(d, "btFechar")->click();
            return d.result();
        });
        TfmRelatorio04 fmRelatorio04(*dm_, *mensagens_, dialogos_);
        dialogos_.Executa(fmRelatorio04);
    }

private slots:
    void init() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        midia_ = std::make_unique<teste::PastaTeste>(false);
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        catalogo_ = std::make_unique<CatalogoMensagens>(dm_->dbZovi);
        mensagens_ = std::make_unique<Mensagens>(*catalogo_, dialogos_);
        EscolhaUnidade::PastaDaSessao().reset();
        dialogos_.Esquece();
        dialogos_.Roteiriza();
        bancada::ParametrosGeracao g;
        g.estabelecimentos = 2;
        g.empregadosPorEstabelecimento = 3;
        bancada::GeraDeclaracao(dm_->dbZovi, g);
        ParametrosGravacao p;
        p.pasta = midia_->Caminho();
        p.dataGeracao = "15032006";
        teste::InteracaoRoteirizada interacao;
        QCOMPARE(fGravaDeclaracao(dm_->dbZovi, p, interacao), static_cast<int>(kGravado));
        for (const char* t : {"TE8PROID", "TE8PROES"}) dm_->dbZovi.ApagaTabela(t);
    }
    void cleanup() {
        mensagens_.reset();
        catalogo_.reset();
        dm_.reset();
        pasta_.reset();
        midia_.reset();
        qunsetenv("GDZOVI_UNIDADE_A");
    }

    void ReciboValidoChegaAoFim() {
        Emite(Le(GDZOVI_CHAVE_TESTE));
        QString painel, rotulo, fechar;
        bool tabelas = false;
        Roda([&](QDialog& d) {
            painel = Painel(d);
            rotulo = d.findChild<QLabel*>("laArquivo")->text();
            fechar = Botao(d, "btFechar")->text();
            tabelas = dm_->dbZovi.ExisteTabela("TE8PROID") && dm_->dbZovi.ExisteTabela("TE8PROES");
            Botao(d, "btVisualizar")->click();
        });
        QCOMPARE(painel, QStringLiteral("paPronto"));
        QCOMPARE(fechar, QStringLiteral("&Fechar"));
        QVERIFY(rotulo.startsWith(QStringLiteral("Analisando o arquivo: ")));
        QVERIFY(rotulo.endsWith(QStringLiteral("Zovi2005.pro")));
        QVERIFY(tabelas);
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmRelatorio04", "TfmPreview"}));
        QVERIFY(!dm_->dbZovi.ExisteTabela("TE8PROID"));
        QVERIFY(!dm_->dbZovi.ExisteTabela("TE8PROES"));
    }

    // "Imprimir o Protocolo" in the print assistant opens this assistant on the receipt.
    void PeloAssistenteDeImpressao() {
        Emite(Le(GDZOVI_CHAVE_TESTE));
        bool habilitada = false;
        QString painel;
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmRelatorio03
            auto* opcao = d.findChild<QRadioButton*>("rbProtocolo");
            habilitada = opcao->isEnabled();
            opcao->setChecked(true);
            Botao(d, "btAvancar")->click();
            return d.result();
        });
        dialogos_.EscolheArquivo(QString::fromStdString(midia_->Caminho().string()));
        dialogos_.AgeNoFormulario([&](QDialog& d) {  // fmRelatorio04
            auto* drive = d.findChild<EscolhaUnidade*>("cbDrive");
            drive->Seleciona(drive->count() - 1);
            Botao(d, "btAvancar")->click();
            painel = Painel(d);
            Botao(d, "btFechar")->click();
            return d.result();
        });
        ContextoImpressao contexto(dm_->dbZovi, QStringLiteral("2005.2"));
        contexto.abreProtocolo = AbreProtocolo(*dm_, *mensagens_, dialogos_);
        ExecutaAssistenteImpressao(contexto, dialogos_, nullptr);
        QVERIFY(habilitada);
        QCOMPARE(painel, QStringLiteral("paPronto"));
        QVERIFY(std::count(dialogos_.formularios.begin(), dialogos_.formularios.end(), QStringLiteral("TfmRelatorio04")) == 1);
        QVERIFY(!dm_->dbZovi.ExisteTabela("TE8PROID"));
    }

    void SemReciboOuOutraChave() {
        QString painel;
        Roda([&](QDialog& d) { painel = Painel(d); });
        QCOMPARE(painel, QStringLiteral("paLocaliza"));
        QCOMPARE(dialogos_.caixas.size(), size_t{1});
        QCOMPARE(dialogos_.caixas[0].texto, QString::fromUtf8(kAvisoSemProtocolo));

        Emite(selo::GeraChaves()->first);
        dialogos_.Esquece();
        bool imprime = true;
        Roda([&](QDialog& d) {
            painel = Painel(d);
            imprime = Botao(d, "btProtocolo")->isVisible() || Botao(d, "btAvancar")->isEnabled();
        });
        QCOMPARE(painel, QStringLiteral("paRecusa"));
        QVERIFY(!imprime);
        QVERIFY(dialogos_.caixas.empty());
    }

    // Drive A: with the real message boxes: no receipt, the warning answered with Enter and the
    // focus back on the drive choice; then the receipt in place, Avançar to the done panel.
    void DialogosReais() {
        qputenv("GDZOVI_UNIDADE_A", QByteArray::fromStdString(midia_->Caminho().string()));
        dialogos_.Roteiriza(false);
        TfmRelatorio04 fm(*dm_, *mensagens_, dialogos_);
        QString aviso, foco, painel;
        QTimer::singleShot(0, [&] {
            QVERIFY(QTest::qWaitForWindowActive(&fm));
            auto* drive = fm.findChild<EscolhaUnidade*>("cbDrive");
            drive->Seleciona(drive->findText(QStringLiteral("Drive A:")));
            QTimer::singleShot(0, [&] {
                auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(caixa);
                aviso = caixa->text();
                QTest::keyClick(caixa, Qt::Key_Return);
            });
            Botao(fm, "btAvancar")->click();
            // The offscreen platform has no window manager to give the window back its activation.
            fm.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&fm));
            foco = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            Emite(Le(GDZOVI_CHAVE_TESTE));
            Botao(fm, "btAvancar")->click();
            painel = Painel(fm);
            Botao(fm, "btFechar")->click();
        });
        dialogos_.Executa(fm);
        QCOMPARE(aviso, QString::fromUtf8(kAvisoSemProtocolo));
        QCOMPARE(foco, QStringLiteral("cbDrive"));
        QCOMPARE(painel, QStringLiteral("paPronto"));
        QVERIFY(!fm.isVisible());
        QVERIFY(!dm_->dbZovi.ExisteTabela("TE8PROID"));
    }
};

QTEST_MAIN(ProtocoloTeste)
#include "ProtocoloTeste.moc"
