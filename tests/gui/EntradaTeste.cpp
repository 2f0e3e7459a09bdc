// The declared entry form and its shared pieces (money box, Windows-1252
// refusal), driven offscreen through the dialog service.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

#include "PastaTeste.h"
#include "data/ModulosDados.h"
#include "entry/EdicaoValor.h"
#include "entry/FormularioDeclarado.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "rules/Primitivas.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

// Two tabs; the number fails above 12 with "0071", the text fails when shorter than 3 ("0010").
class FormularioExemplo : public FormularioDeclarado {
public:
    FormularioExemplo(ServicoDialogos& d, Mensagens& m) : FormularioDeclarado(d, m) {
        auto* abas = new QTabWidget(this);
        abas->setObjectName("pcAbas");
        AdicionaAba(abas, "tsUm", "Um");
        AdicionaAba(abas, "tsDois", "Dois");
        auto* ok = new QPushButton("&Ok", this);
        ok->setObjectName("btOk");
        auto* cancelar = new QPushButton("&Cancelar", this);
        cancelar->setObjectName("btCancelar");
        auto* caixa = new QVBoxLayout(this);
        caixa->addWidget(abas);
        caixa->addWidget(ok);
        caixa->addWidget(cancelar);
        auto mes = [this] {
            const auto m = Texto("edMes");
            return zovi::gui::Critica{m > std::string("12") ? "0071" : "0000"};
        };
        auto nome = [this] { return zovi::gui::Critica{fCriticaTexto(Texto("edNome"))}; };
        auto valor = [this] { return zovi::gui::Critica{Texto("edValor") == "Erro" ? "0040" : "0000"}; };
        MontaCampos({{.pagina = "tsUm", .nome = "gbUm", .titulo = "Primeira"}, {.pagina = "tsDois", .nome = "gbDois"}},
                    {
                        {.nome = "edMes", .rotulo = "&Mês", .campo = "MeDataBase", .largura = 2,
                         .valor = ValorCampo::Numero, .grupo = "gbUm", .regra = mes},
                        {.nome = "edCep", .rotulo = "CE&P", .campo = "CoCepEstabelecimento", .largura = 8,
                         .valor = ValorCampo::Codigo, .mascara = "99999-999", .grupo = "gbUm", .linha = 1},
                        {.nome = "edNome", .rotulo = "&Nome", .campo = "NoRazaoEstabelecimento", .largura = 52,
                         .valor = ValorCampo::Maiusculas, .grupo = "gbDois", .saidaSoPreenchido = false, .regra = nome},
                        {.nome = "edValor", .rotulo = "&Valor", .campo = "VaGlobalSindical", .largura = 8,
                         .valor = ValorCampo::Dinheiro, .grupo = "gbDois", .linha = 1, .regra = valor},
                    });
        IgnoraSaidaPara({"btCancelar"});
    }
    int cancelamentos = 0;

protected:
    void Cancela() override { ++cancelamentos; }
};

}  // namespace

class EntradaTeste : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<CatalogoMensagens> catalogo_;
    std::unique_ptr<Mensagens> mensagens_;
    ServicoDialogos dialogos_;

    QString TextoMensagem(const char* codigo) {
        return QString::fromStdString(Cp1252ParaUtf8(catalogo_->Busca(codigo)->texto));
    }
    std::unique_ptr<FormularioExemplo> Formulario() {
        auto f = std::make_unique<FormularioExemplo>(dialogos_, *mensagens_);
        f->show();
        f->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(f.get())); }();
        return f;
    }

private slots:
    void initTestCase() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        catalogo_ = std::make_unique<CatalogoMensagens>(dm_->dbZovi);
        mensagens_ = std::make_unique<Mensagens>(*catalogo_, dialogos_);
        dialogos_.Roteiriza();
    }
    void init() { dialogos_.Esquece(); }

    void ValorNaTelaEArmazenado_data() {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<int>("largura");
        QTest::addColumn<QString>("armazenado");  // "" = refused
        QTest::addColumn<QString>("exibido");
        QTest::addColumn<bool>("naoInformado");
        QTest::newRow("milhares e centavos") << "1.234,56" << 9 << "000123456" << "1.234,56" << false;
        QTest::newRow("sem pontos") << "1234,5" << 8 << "00123450" << "1.234,50" << false;
        QTest::newRow("inteiro") << "1234" << 9 << "000123400" << "1.234,00" << false;
        QTest::newRow("zero") << "0,00" << 9 << "000000000" << "0,00" << true;
        QTest::newRow("vazio") << "" << 8 << "00000000" << "0,00" << true;
        QTest::newRow("letras") << "12a" << 8 << "" << "12a" << false;
        QTest::newRow("negativo") << "-5,00" << 8 << "" << "-5,00" << false;
        QTest::newRow("não cabe em 8") << "1.000.000,00" << 8 << "" << "1.000.000,00" << false;
        QTest::newRow("cabe em 9") << "1.000.000,00" << 9 << "100000000" << "1.000.000,00" << false;
    }
    void ValorNaTelaEArmazenado() {
        QFETCH(QString, digitado);
        QFETCH(int, largura);
        QFETCH(QString, armazenado);
        QFETCH(QString, exibido);
        QFETCH(bool, naoInformado);
        EdicaoValor e;
        e.setText(digitado);
        const auto centavos = e.Centavos(largura);
        QCOMPARE(centavos ? QString::fromStdString(*centavos) : QString(), armazenado);
        QCOMPARE(e.NaoInformado(), naoInformado);
        e.Formata();
        QCOMPARE(e.text(), exibido);
        if (!armazenado.isEmpty()) {
            EdicaoValor lido;
            lido.PoeCentavos(armazenado.toStdString());
            QCOMPARE(lido.text(), exibido);
        }
    }

    void CaracterForaDo1252Recusado() {
        QLineEdit e;
        e.setValidator(new Validador1252(true, &e));
        auto digita = [&e](const QString& texto) {
            for (const QChar c : texto) {
                QKeyEvent tecla(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(&e, &tecla);
            }
        };
        digita(QStringLiteral("ação €"));
        QCOMPARE(e.text(), QStringLiteral("AÇÃO €"));
        digita(QStringLiteral("ă"));  // no Windows-1252 byte
        QCOMPARE(e.text(), QStringLiteral("AÇÃO €"));
    }

    void SaidaReprovadaMostraCodigoEFicaNoCampo() {
        auto f = Formulario();
        f->Edicao("edMes")->setFocus();
        QTest::keyClicks(f->Edicao("edMes"), "13");
        QTest::keyClick(f->Edicao("edMes"), Qt::Key_Return);  // Enter moves on: leaving the field
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas.back().texto, TextoMensagem("0071"));
        QCOMPARE(QApplication::focusWidget(), f->Edicao("edMes"));
        QTRY_COMPARE(f->Edicao("edMes")->selectedText(), QStringLiteral("13"));
        QVERIFY(f->AbaBloqueada());

        // Fixed, Enter goes on to the next control without a message.
        f->Edicao("edMes")->setText("12");
        QTest::keyClick(f->Edicao("edMes"), Qt::Key_Return);
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(QApplication::focusWidget(), f->Edicao("edCep"));
    }

    void SaidaParaCancelarNaoCritica() {
        auto f = Formulario();
        f->Edicao("edMes")->setFocus();
        f->Edicao("edMes")->setText("99");
        f->findChild<QPushButton*>("btCancelar")->setFocus();
        QVERIFY(dialogos_.caixas.empty());
        QTest::keyClick(f.get(), Qt::Key_Escape);
        QCOMPARE(f->cancelamentos, 1);
    }

    void AbaRecusadaUmaVezAposFalha() {
        auto f = Formulario();
        auto* barra = f->findChild<QTabWidget*>("pcAbas")->tabBar();
        f->Edicao("edMes")->setFocus();
        f->Edicao("edMes")->setText("13");
        f->Edicao("edCep")->setFocus();
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
        QCOMPARE(barra->currentIndex(), 0);
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
        QCOMPARE(barra->currentIndex(), 1);
        // Leaving through the hidden page runs no check: "&Ok" runs them all.
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
    }

    // However the focus reaches a masked field, what is typed lands from its first free
    // position: a jump of the form, Ctrl+Tab back to its page, a click in its right half, the
    // return from a window opened over the form (a picker). The cursor starts at the mask's
    // end, where a value put into the field leaves it.
    void CampoComMascaraRecebeTudoODigitado_data() {
        QTest::addColumn<QString>("caminho");
        QTest::addColumn<QString>("antes");
        QTest::addColumn<QString>("digitado");
        for (const char* caminho : {"salto", "ctrl+tab", "clique", "seletor"})
            QTest::newRow(caminho) << caminho << "" << "70040010";
        QTest::newRow("clique depois do digitado") << "clique" << "700" << "40010";
    }
    void CampoComMascaraRecebeTudoODigitado() {
        QFETCH(QString, caminho);
        QFETCH(QString, antes);
        QFETCH(QString, digitado);
        auto f = Formulario();
        auto* abas = f->findChild<QTabWidget*>("pcAbas");
        auto* cep = f->Edicao("edCep");
        cep->setText(antes);
        auto paraOFim = [cep] { cep->setCursorPosition(static_cast<int>(cep->displayText().size())); };
        if (caminho == "salto") {
            f->Edicao("edMes")->setFocus();
            paraOFim();
            cep->setFocus();
        } else if (caminho == "ctrl+tab") {
            cep->setFocus();
            abas->setCurrentIndex(1);
            f->Edicao("edNome")->setFocus();
            paraOFim();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(abas->currentIndex(), 0);
        } else if (caminho == "clique") {
            f->Edicao("edMes")->setFocus();
            paraOFim();
            QTest::mouseClick(cep, Qt::LeftButton, {}, QPoint(cep->width() - 4, cep->height() / 2));
        } else {
            cep->setFocus();
            paraOFim();
            QDialog seletor(f.get());
            QTimer::singleShot(50, &seletor, &QDialog::reject);
            seletor.exec();
            f->activateWindow();  // as the window manager does when the picker closes
        }
        QTRY_VERIFY(cep->hasFocus());
        QTest::keyClicks(cep, digitado);
        QCOMPARE(f->Texto("edCep"), std::string("70040010"));
    }

    // A text refused for its accented letters ("0020") says so and offers their plain letters:
    // "Sim" makes them plain and the field passes; "Não" keeps the text and the user on it.
    void AcentosRecusadosComOfertaDeTroca_data() {
        QTest::addColumn<bool>("troca");
        QTest::newRow("troca") << true;
        QTest::newRow("mantém") << false;
    }
    void AcentosRecusadosComOfertaDeTroca() {
        QFETCH(bool, troca);
        auto f = Formulario();
        f->findChild<QTabWidget*>("pcAbas")->setCurrentIndex(1);
        f->Edicao("edNome")->setFocus();
        for (const QChar c : QStringLiteral("joão da conceição")) {  // keyClicks takes ASCII only
            QKeyEvent tecla(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(f->Edicao("edNome"), &tecla);
        }
        dialogos_.Responde(troca ? Resposta::Sim : Resposta::Nao);
        f->Edicao("edValor")->setFocus();
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        const auto& caixa = dialogos_.caixas.back();
        QVERIFY(caixa.texto.startsWith(TextoMensagem("0020")));
        QVERIFY(caixa.texto.contains(QStringLiteral("Letras acentuadas")));
        QCOMPARE(caixa.padrao, Resposta::Sim);
        QCOMPARE(f->Edicao("edNome")->text(), troca ? QStringLiteral("JOAO DA CONCEICAO") : QStringLiteral("JOÃO DA CONCEIÇÃO"));
        QCOMPARE(QApplication::focusWidget(), troca ? static_cast<QWidget*>(f->Edicao("edValor")) : f->Edicao("edNome"));
    }

    // Arrows tick the neighbouring choice of a radio group, even when none was ticked.
    void SetasEscolhemNoGrupo() {
        GrupoOpcoes grupo("rgPorte", "Micro=1|Pequena=2|Outra=3", false);
        grupo.show();
        grupo.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&grupo));
        const auto botoes = grupo.Botoes();
        botoes[0]->setFocus();
        QTest::keyClick(botoes[0], Qt::Key_Right);
        QCOMPARE(grupo.Valor(), QStringLiteral("2"));
        QVERIFY(botoes[1]->hasFocus());
        QTest::keyClick(botoes[1], Qt::Key_Down);
        QCOMPARE(grupo.Valor(), QStringLiteral("3"));
        QTest::keyClick(botoes[2], Qt::Key_Left);
        QCOMPARE(grupo.Valor(), QStringLiteral("2"));
    }

    // A click on another tab leaves the field being typed: its check runs first and a failure
    // keeps the tab; the click after that goes through.
    void CliqueEmOutraAbaCriticaOCampo() {
        auto f = Formulario();
        auto* barra = f->findChild<QTabWidget*>("pcAbas")->tabBar();
        f->Edicao("edMes")->setFocus();
        QTest::keyClicks(f->Edicao("edMes"), "13");
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas.back().texto, TextoMensagem("0071"));
        QCOMPARE(barra->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), f->Edicao("edMes"));
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
        QCOMPARE(barra->currentIndex(), 1);
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
    }

    void OkParaNaPrimeiraFalhaNaOrdemDaTabela() {
        auto f = Formulario();
        f->Edicao("edMes")->setText("13");  // first in the table, on the first tab
        f->Edicao("edNome")->setText("AB");
        f->Edicao("edValor")->setText("x1");
        f->findChild<QTabWidget*>("pcAbas")->setCurrentIndex(1);
        QVERIFY(!f->CriticaTodos());
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas.back().texto, TextoMensagem("0071"));
        QCOMPARE(f->findChild<QTabWidget*>("pcAbas")->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), f->Edicao("edMes"));

        f->Edicao("edMes")->setText("1");
        QVERIFY(!f->CriticaTodos());
        QCOMPARE(dialogos_.caixas.back().texto, TextoMensagem("0010"));
        QCOMPARE(QApplication::focusWidget(), f->Edicao("edNome"));
        f->Edicao("edNome")->setText("ABC");
        QVERIFY(!f->CriticaTodos());
        QCOMPARE(dialogos_.caixas.back().texto, TextoMensagem("0040"));
        f->Edicao("edValor")->setText("1.234,56");
        QVERIFY(f->CriticaTodos());
    }

    void ValoresArmazenadosSemMascaraECompletados() {
        auto f = Formulario();
        f->Edicao("edMes")->setText("3");
        f->Edicao("edCep")->setText("70040010");
        f->Edicao("edNome")->setText("  joão da silva ");
        f->Edicao("edValor")->setText("1.234,56");
        QCOMPARE(f->Edicao("edCep")->text(), QStringLiteral("70040-010"));
        QCOMPARE(f->Texto("edMes"), std::string("03"));
        QCOMPARE(f->Texto("edCep"), std::string("70040010"));
        QCOMPARE(f->Texto("edNome"), std::string("JO\xC3O DA SILVA"));
        QCOMPARE(f->Texto("edValor"), std::string("00123456"));

        f->PoeTexto("edMes", "07");
        f->PoeTexto("edValor", "00000000");
        QCOMPARE(f->Edicao("edMes")->text(), QStringLiteral("7"));
        QCOMPARE(f->Edicao("edValor")->text(), QStringLiteral("0,00"));
    }
};

QTEST_MAIN(EntradaTeste)
#include "EntradaTeste.moc"
