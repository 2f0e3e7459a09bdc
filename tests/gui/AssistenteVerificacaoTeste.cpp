// The verification wizard driven offscreen through the dialog service: each
// step is acted on by the script in the order the wizard opens them.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <memory>

#include "Aceleradores.h"
#include "Gerador.h"
#include "PastaTeste.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "data/ModulosDados.h"
#include "engine/Tabela.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "wizards/AssistenteVerificacao.h"
#include "wizards/ListaMarcacao.h"
#include "wizards/TfmVerInco01.h"

using namespace zovi;
using namespace zovi::gui;
namespace fs = std::filesystem;

namespace {

using Acao = ServicoDialogos::AcaoFormulario;

QPushButton* Botao(QWidget& w, const char* nome) { return w.findChild<QPushButton*>(nome); }

// Presses a button of the page and ends the page's turn with its result.
Acao Clica(const char* botao) {
    return [botao](QDialog& d) {
        Botao(d, botao)->click();
        return d.result();
    };
}

// Ticks the list's lines (by row) and presses "&Avançar >".
Acao MarcaEAvanca(std::vector<int> linhas, std::function<void(QDialog&)> antes = {}) {
    return [linhas, antes](QDialog& d) {
        auto& modelo = d.findChild<ListaMarcacao*>("lmEmpresas")->Modelo();
        for (int l : linhas) modelo.Alterna(l);
        if (antes) antes(d);
        Botao(d, "btAvancar")->click();
        return d.result();
    };
}

QStringList Textos(const ServicoDialogos& d) {
    QStringList r;
    for (const auto& c : d.caixas) r << c.texto;
    return r;
}

}  // namespace

class AssistenteVerificacaoTeste : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<CatalogoMensagens> catalogo_;
    std::unique_ptr<Mensagens> mensagens_;
    ServicoDialogos dialogos_;

    QString Mensagem(const char* codigo) {
        return QString::fromStdString(Cp1252ParaUtf8(catalogo_->Busca(codigo)->texto));
    }
    // An establishment declared with employees but without any: error "1673" among others.
    void EstabelecimentoComErros(const char* inscricao) {
        Tabela t(dm_->dbZovi, "BD8EMP");
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("AnBase", "2005");
        t.PoeTexto("CoCgcCeiEstabelecimento", inscricao);
        t.PoeTexto("NuPrefixoEstabelecimento", "01");
        t.PoeTexto("InInscrEstabelecimento", "1");
        t.PoeTexto("NoRazaoEstabelecimento", "EMPRESA COM ERROS");
        t.PoeTexto("InZoviNegEstabelecimento", "0");
        t.Grava();
    }
    void Gera(long estabelecimentos, long empregados) {
        bancada::ParametrosGeracao p;
        p.estabelecimentos = estabelecimentos;
        p.empregadosPorEstabelecimento = empregados;
        bancada::GeraDeclaracao(dm_->dbZovi, p);
    }
    bool Verificou() { return dm_->dbZovi.ExisteTabela("TE8ERRWA"); }

private slots:
    void init() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        catalogo_ = std::make_unique<CatalogoMensagens>(dm_->dbZovi);
        mensagens_ = std::make_unique<Mensagens>(*catalogo_, dialogos_);
        dialogos_.Esquece();
        dialogos_.Roteiriza();
    }
    void cleanup() {
        mensagens_.reset();
        catalogo_.reset();
        dm_.reset();
    }

    // No establishment of 2005: "1700", and the first step cannot advance.
    void DeclaracaoVaziaNaoAvanca() {
        AssistenteVerificacao assistente(*dm_, *mensagens_, dialogos_);
        bool podiaAvancar = true;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            podiaAvancar = Botao(d, "btAvancar")->isEnabled();
            Botao(d, "btCancelar")->click();
            return d.result();
        });
        assistente.Executa();
        QCOMPARE(Textos(dialogos_), QStringList{Mensagem("1700")});
        QVERIFY(!podiaAvancar);
        QCOMPARE(dialogos_.formularios, std::vector<QString>{"TfmVerInco00"});
    }

    // Nothing ticked: "1301", the run does not start, the user stays on the list.
    void NadaMarcadoNaoVerifica() {
        Gera(2, 1);
        AssistenteVerificacao assistente(*dm_, *mensagens_, dialogos_);
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
        int lista = -1;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            Botao(d, "btAvancar")->click();
            lista = d.findChild<QStackedWidget*>("stPaineis")->currentIndex();
            Botao(d, "btCancelar")->click();
            return d.result();
        });
        assistente.Executa();
        QCOMPARE(Textos(dialogos_), QStringList{Mensagem("1301")});
        QCOMPARE(lista, 0);
        QVERIFY(!Verificou());
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmVerInco00", "TfmVerInco01"}));
    }

    // The outcome of the run picks the last step's panel: errors in the ticked establishment
    // (the clean ones around it are not in the way), a clean declaration, back and forth.
    void DesfechoDaVerificacao() {
        Gera(2, 3);
        EstabelecimentoComErros("99999999000191");
        AssistenteVerificacao assistente(*dm_, *mensagens_, dialogos_);
        QString textoErros, textoNenhum, botaoImprimir;
        bool visualizarVisivel = true;
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
        dialogos_.AgeNoFormulario(MarcaEAvanca({2}));  // the last line: 99.999.999/0001-91
        // The report on screen, then "printed" on a machine without a printer: saved as PDF.
        const auto pdf = pasta_->Caminho() / "erros.pdf";
        dialogos_.EscolheArquivo(QString::fromStdString(pdf.string()));
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            textoErros = d.findChild<QLabel*>("laTexto")->text();
            botaoImprimir = Botao(d, "btImprimir")->text();
            Botao(d, "btVisualizar")->click();
            Botao(d, "btImprimir")->click();
            Botao(d, "btVoltar")->click();
            return d.result();
        });
        int paginasPrevia = 0;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            paginasPrevia = d.findChild<QSpinBox*>("edPagina")->maximum();
            return int(QDialog::Rejected);
        });
        // Back on the list: the other two instead.
        dialogos_.AgeNoFormulario(MarcaEAvanca({0, 1, 2}));
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            textoNenhum = d.findChild<QLabel*>("laTexto")->text();
            visualizarVisivel = Botao(d, "btVisualizar")->isVisibleTo(&d);
            Botao(d, "btCancelar")->click();
            return d.result();
        });
        assistente.Executa();
        QCOMPARE(Textos(dialogos_), (QStringList{QStringLiteral("Não há impressora instalada neste computador.\n"
                                                                "Salve o relatório em PDF para imprimi-lo em outro computador."),
                                                 QStringLiteral("Relatório gravado em %1").arg(QString::fromStdString(pdf.string()))}));
        QVERIFY(fs::file_size(pdf) > 0);
        QVERIFY(paginasPrevia >= 1);
        QVERIFY2(textoErros.startsWith(QStringLiteral("Houveram erros nas declarações selecionadas.")), qPrintable(textoErros));
        QCOMPARE(botaoImprimir, QStringLiteral("&Erros"));
        QCOMPARE(textoNenhum, QStringLiteral("As declarações selecionadas não apresentaram erros ou avisos."));
        QVERIFY(!visualizarVisivel);
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmVerInco00", "TfmVerInco01", "TfmVerInco02", "TfmPreview",
                                                              "TfmVerInco01", "TfmVerInco02"}));
    }

    // On the result page each accelerator is one button's: Alt+V, pressed on the page on screen,
    // opens the report ("< Vo&ltar" goes back), and the page stays.
    void AltVVisualiza() {
        EstabelecimentoComErros("99999999000191");
        AssistenteVerificacao assistente(*dm_, *mensagens_, dialogos_);
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
        dialogos_.AgeNoFormulario(MarcaEAvanca({0}));
        QStringList repetidos;
        bool ficou = false;
        dialogos_.AgeNoFormulario([&](QDialog& d) -> int {
            d.show();
            d.activateWindow();
            QTest::qWaitForWindowActive(&d);
            repetidos = teste::AceleradoresRepetidos(d);
            QTest::keyClick(&d, Qt::Key_V, Qt::AltModifier);
            QTest::qWaitFor([&] { return dialogos_.formularios.back() == QStringLiteral("TfmPreview"); });
            ficou = d.isVisible() && d.result() == 0;
            return Clica("btCancelar")(d);
        });
        dialogos_.AgeNoFormulario([](QDialog&) { return int(QDialog::Rejected); });
        assistente.Executa();
        QCOMPARE(repetidos, QStringList{});
        QVERIFY(ficou);
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmVerInco00", "TfmVerInco01", "TfmVerInco02", "TfmPreview"}));
    }

    // Cancel while the run goes asks "Deseja interromper?"; Yes ends it as interrupted and the
    // list is back, with its buttons, for another choice.
    void CancelarDuranteAVerificacao() {
        Gera(3, 20);
        AssistenteVerificacao assistente(*dm_, *mensagens_, dialogos_);
        dialogos_.Responde(Resposta::Sim);
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
        int lista = -1;
        bool avancar = false, voltar = false;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            MarcaEAvanca({0, 1, 2}, [](QDialog& p) { QTimer::singleShot(0, Botao(p, "btCancelar"), &QPushButton::click); })(d);
            lista = d.findChild<QStackedWidget*>("stPaineis")->currentIndex();
            avancar = Botao(d, "btAvancar")->isEnabled();
            voltar = Botao(d, "btVoltar")->isEnabled();
            Botao(d, "btCancelar")->click();
            return d.result();
        });
        assistente.Executa();
        QCOMPARE(Textos(dialogos_), (QStringList{"Deseja interromper?", "Consistência interrompida pelo usuário"}));
        QCOMPARE(dialogos_.caixas[0].botoes, (QList<Resposta>{Resposta::Sim, Resposta::Nao}));
        QCOMPARE(dialogos_.caixas[1].icone, QMessageBox::Information);
        QCOMPARE(lista, 0);
        QVERIFY(avancar && voltar);
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmVerInco00", "TfmVerInco01"}));
    }

    // A click anywhere on a line toggles it, also on its check mark (once, not twice); Space and
    // Enter toggle the current line; the box ticks and clears them all.
    void MarcacaoPeloMouseEPeloTeclado() {
        Gera(3, 0);
        AssistenteVerificacao assistente(*dm_, *mensagens_, dialogos_);
        dialogos_.AgeNoFormulario(Clica("btCancelar"));
        assistente.Executa();
        auto& lista = *assistente.Passo2().findChild<ListaMarcacao*>("lmEmpresas");
        auto& modelo = lista.Modelo();
        auto* vista = lista.findChild<QAbstractItemView*>("lvLinhas");
        assistente.Passo2().show();
        QVERIFY(QTest::qWaitForWindowExposed(&assistente.Passo2()));

        const QRect linha0 = vista->visualRect(modelo.index(0));
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, linha0.center());
        QCOMPARE(modelo.Marcas(), (std::vector<bool>{true, false, false}));
        // The check mark sits at the line's left.
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, QPoint(linha0.left() + 8, linha0.center().y()));
        QCOMPARE(modelo.Marcas(), (std::vector<bool>{false, false, false}));

        vista->setFocus();
        vista->setCurrentIndex(modelo.index(1));
        QTest::keyClick(vista, Qt::Key_Space);
        QTest::keyClick(vista, Qt::Key_Down);
        QTest::keyClick(vista, Qt::Key_Return);
        QCOMPARE(modelo.Marcas(), (std::vector<bool>{false, true, true}));

        auto* todas = lista.findChild<QCheckBox*>("cbTodas");
        todas->click();
        QCOMPARE(modelo.Marcas(), (std::vector<bool>{true, true, true}));
        todas->click();
        QVERIFY(!modelo.AlgumaMarcada());
        assistente.Passo2().hide();
    }

    // The main window's command opens the wizard.
    void AbertoPelaJanelaPrincipal() {
        Gera(1, 0);
        JanelaAjuda ajuda(QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
        TfmGDZOVI janela(*dm_, dialogos_, ajuda);
        janela.ExecutaComando("miVerInco");
        QCOMPARE(dialogos_.formularios, std::vector<QString>{"TfmVerInco00"});
        QVERIFY(dialogos_.caixas.empty());
    }
};

QTEST_MAIN(AssistenteVerificacaoTeste)
#include "AssistenteVerificacaoTeste.moc"
