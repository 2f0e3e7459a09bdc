// The bulk maintenance wizards opened from the establishment list by Ctrl+Alt+F3, F4 and
// F5, driven offscreen page by page through the dialog service; and the multiple deletion
// once with every window really running, answered through timers.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "PastaTeste.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "entry/TfmConEstab.h"
#include "messages/Catalogo.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "wizards/ListaMarcacao.h"
#include "wizards/TfmAltVinculo.h"
#include "wizards/TfmCopEstab.h"
#include "wizards/TfmExclMult.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

constexpr const char* kCnpj = "11222333000181";
constexpr const char* kCei = "00123456789010";

void Estabelecimento(Banco& banco, const char* inscricao, const char* prefixo, const char* tipo, const char* nome) {
    Tabela t(banco, "BD8EMP");
    t.Abre();
    t.Acrescenta();
    t.PoeTexto("AnBase", "2005");
    t.PoeTexto("CoCgcCeiEstabelecimento", inscricao);
    t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
    t.PoeTexto("InInscrEstabelecimento", tipo);
    t.PoeTexto("InZoviNegEstabelecimento", "0");
    t.PoeTexto("CoCgcVinculado", "00000000000000");
    t.PoeTexto("NoRazaoEstabelecimento", nome);
    t.Grava();
}

void Empregado(Banco& banco, const char* inscricao, const char* prefixo, const char* pis, const char* nome) {
    Tabela t(banco, "BD8VINC");
    t.Abre();
    t.Acrescenta();
    t.PoeTexto("AnBase", "2005");
    t.PoeTexto("CoCgcCeiEstabelecimento", inscricao);
    t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
    t.PoeTexto("CoPisPasepEmpregado", pis);
    t.PoeTexto("DaAdmissaoEmpregado", "01022005");
    t.PoeTexto("NoEmpregado", nome);
    t.PoeTexto("CoNacionalidade", "10");
    t.PoeTexto("CoVinculo", "10");
    t.Grava();
}

// "NOME=VINCULO" of the establishment's employees, by name.
QStringList Empregados(Banco& banco, const char* inscricao, const char* prefixo) {
    Consulta q(banco, {"select NoEmpregado, CoVinculo from bd8Vinc where CoCgcCeiEstabelecimento = :i",
                       "and NuPrefixoEstabelecimento = :p order by NoEmpregado"});
    q.Parametro("i", inscricao);
    q.Parametro("p", prefixo);
    QStringList r;
    for (q.Abre(); !q.Fim(); q.Proximo()) r << QString::fromStdString(q.Texto(0) + "=" + q.Texto(1));
    return r;
}

std::string Campo(Banco& banco, const char* inscricao, const char* prefixo, const char* campo) {
    Tabela t(banco, "BD8EMP");
    t.Abre();
    return t.BuscaChave({"2005", inscricao, prefixo}) ? t.Texto(campo) : "(ausente)";
}

QPushButton* Botao(QWidget& w, const char* nome) { return w.findChild<QPushButton*>(nome); }

// Ticks the lines whose text holds one of the names.
void Marca(ListaMarcacao& lista, const QStringList& nomes) {
    auto& m = lista.Modelo();
    for (int i = 0; i < static_cast<int>(m.Linhas().size()); ++i)
        for (const auto& n : nomes)
            if (QString::fromStdString(m.Linhas()[i]).contains(n)) m.Alterna(i);
}

}  // namespace

class ManutencaoTeste : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<JanelaAjuda> ajuda_;
    std::unique_ptr<TfmGDZOVI> janela_;
    ServicoDialogos dialogos_;

    QString Texto(const char* codigo) {
        return QString::fromStdString(Cp1252ParaUtf8(janela_->MensagensPrograma().Catalogo().Busca(codigo)->texto));
    }
    QStringList Mostradas() {
        QStringList r;
        for (const auto& c : dialogos_.caixas) r << c.texto;
        return r;
    }
    // The pages, in the order they are shown: each acts on its page (by class and index).
    template <class P>
    void NaPagina(std::function<void(P&)> acao) {
        dialogos_.AgeNoFormulario([acao](QDialog& d) {
            auto* p = dynamic_cast<P*>(&d);
            if (!p) return int(QDialog::Rejected);
            d.show();
            acao(*p);
            return d.result();
        });
    }
    // The establishment list the main window opens next gets the chord (its action comes
    // before those of the wizard's pages).
    void ListaComTecla(Qt::Key tecla) {
        dialogos_.AgeNoFormulario([tecla](QDialog& d) {
            d.show();
            QTest::keyClick(&d, tecla, Qt::ControlModifier | Qt::AltModifier);
            return d.result();
        });
    }
    // Chooses the establishment line that holds the text on a drop-down page.
    static void Escolhe(QDialog& pagina, const QString& texto) {
        auto* cb = pagina.findChild<QComboBox*>("cbEstabelecimentos");
        cb->setCurrentIndex(cb->findText(texto, Qt::MatchContains));
    }

private slots:
    void init() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        Estabelecimento(dm_->dbZovi, kCnpj, "01", "1", "ALFA COMERCIO");
        Estabelecimento(dm_->dbZovi, kCei, "00", "3", "BETA OBRAS");
        Empregado(dm_->dbZovi, kCnpj, "01", "12345678919", "ANA");
        Empregado(dm_->dbZovi, kCnpj, "01", "20000000001", "BRUNO");
        Empregado(dm_->dbZovi, kCnpj, "01", "10987654321", "CARLA");
        Empregado(dm_->dbZovi, kCei, "00", "12345678919", "ANA");
        ajuda_ = std::make_unique<JanelaAjuda>(QString());
        dialogos_.Esquece();
        dialogos_.Roteiriza();
        janela_ = std::make_unique<TfmGDZOVI>(*dm_, dialogos_, *ajuda_);
    }
    void cleanup() {
        janela_.reset();
        ajuda_.reset();
        dm_.reset();
        pasta_.reset();
    }

    // No establishment chosen, no line ticked: the messages, the page kept; then the
    // name order, two lines ticked, and only they go, with the count rewritten.
    void ExclusaoMultiplaApagaSoOsMarcados() {
        ListaComTecla(Qt::Key_F4);
        NaPagina<TfmExclMult>([](TfmExclMult& p) { Botao(p, "btAvancar")->click(); });
        NaPagina<TfmExclMult>([](TfmExclMult& p) {
            Botao(p, "btAvancar")->click();  // nothing chosen: "1301"
            QVERIFY(p.isVisible());
            Escolhe(p, QStringLiteral("ALFA"));
            Botao(p, "btAvancar")->click();
        });
        NaPagina<TfmExclMult>([](TfmExclMult& p) {
            p.findChild<QRadioButton*>("rbNome")->setChecked(true);
            Botao(p, "btAvancar")->click();
        });
        NaPagina<TfmExclMult>([](TfmExclMult& p) {
            QVERIFY(p.Empregados().Modelo().Linhas().front().rfind("ANA", 0) == 0);  // name order
            Botao(p, "btAvancar")->click();                                           // nothing ticked: "1310"
            Marca(p.Empregados(), {"ANA", "CARLA"});
            Botao(p, "btAvancar")->click();
        });
        NaPagina<TfmExclMult>([](TfmExclMult& p) {
            QCOMPARE(p.findChild<QLineEdit*>("edTotal")->text(), QStringLiteral("2"));
            Botao(p, "btConcluir")->click();
        });
        janela_->ExecutaComando("miAbrir");
        const auto mostradas = Mostradas();
        QVERIFY(mostradas.contains(Texto("1301")));
        QVERIFY(mostradas.contains(Texto("1310")));
        QCOMPARE(mostradas.back(), QStringLiteral("2 Empregado(s) excluído(s) com sucesso."));
        QCOMPARE(Empregados(dm_->dbZovi, kCnpj, "01"), QStringList{"BRUNO=10"});
        QCOMPARE(Empregados(dm_->dbZovi, kCei, "00"), QStringList{"ANA=10"});
        QCOMPARE(Campo(dm_->dbZovi, kCnpj, "01", "NuVinculosEstabelecimento"), std::string("000001"));
    }

    // A code the CNPJ does not allow is refused; an allowed one goes to every employee
    // of the establishment and to no other.
    void TrocaDeVinculoRecusaCodigoDoTipoErrado() {
        ListaComTecla(Qt::Key_F5);
        NaPagina<TfmAltVinculo>([](TfmAltVinculo& p) { Botao(p, "btAvancar")->click(); });
        NaPagina<TfmAltVinculo>([](TfmAltVinculo& p) {
            Escolhe(p, QStringLiteral("ALFA"));
            Botao(p, "btAvancar")->click();
        });
        NaPagina<TfmAltVinculo>([](TfmAltVinculo& p) {
            auto* codigos = p.findChild<QComboBox*>("llVinculo");
            Botao(p, "btConcluir")->click();  // no code: "1306"
            codigos->setCurrentIndex(codigos->findText("15"));
            Botao(p, "btConcluir")->click();  // "1307"
            QVERIFY(p.isVisible());
            codigos->setCurrentIndex(codigos->findText("35"));
            Botao(p, "btConcluir")->click();
        });
        janela_->ExecutaComando("miAbrir");
        const auto mostradas = Mostradas();
        QVERIFY(mostradas.contains(Texto("1306")));
        QVERIFY(mostradas.contains(Texto("1307")));
        QCOMPARE(mostradas.back(), Texto("1305"));
        QCOMPARE(Empregados(dm_->dbZovi, kCnpj, "01"), (QStringList{"ANA=35", "BRUNO=35", "CARLA=35"}));
        QCOMPARE(Empregados(dm_->dbZovi, kCei, "00"), QStringList{"ANA=10"});
    }

    // The rules notice; a destination that exists is refused; a new one is created with the
    // ticked employees and both counts.
    void TransferenciaCriaODestinoComOsMarcados() {
        ListaComTecla(Qt::Key_F3);
        NaPagina<TfmCopEstab>([](TfmCopEstab& p) {
            Botao(p, "btRegras")->click();
            Botao(p, "btAvancar")->click();
        });
        dialogos_.AgeNoFormulario([](QDialog& regras) { return regras.objectName() == "fmCopEstabRegras" ? 1 : 0; });
        NaPagina<TfmCopEstab>([](TfmCopEstab& p) {
            Escolhe(p, QStringLiteral("ALFA"));
            Botao(p, "btAvancar")->click();
        });
        NaPagina<TfmCopEstab>([](TfmCopEstab& p) {
            p.findChild<QRadioButton*>("rbTodos")->click();
            Marca(p.Empregados(), {"CARLA"});  // all but Carla
            Botao(p, "btAvancar")->click();
        });
        NaPagina<TfmCopEstab>([](TfmCopEstab& p) {
            auto* inscricao = p.findChild<QLineEdit*>("edInscricao");
            inscricao->setText(kCnpj);
            p.findChild<QLineEdit*>("edPrefixo")->setText("01");
            Botao(p, "btConcluir")->click();  // the source itself: "1308"
            QVERIFY(p.isVisible());
            inscricao->setText(kCnpj);
            p.findChild<QLineEdit*>("edPrefixo")->setText("07");
            Botao(p, "btConcluir")->click();
        });
        janela_->ExecutaComando("miAbrir");
        QVERIFY(dialogos_.formularios.size() > 2);
        QCOMPARE(dialogos_.formularios[2], QStringLiteral("fmCopEstabRegras"));
        const auto mostradas = Mostradas();
        QVERIFY2(mostradas.contains(Texto("1308")), qPrintable(mostradas.join("\n")));
        QCOMPARE(mostradas.back(), Texto("1309"));
        QCOMPARE(Empregados(dm_->dbZovi, kCnpj, "07"), (QStringList{"ANA=10", "BRUNO=10"}));
        QCOMPARE(Empregados(dm_->dbZovi, kCnpj, "01"), QStringList{"CARLA=10"});
        QCOMPARE(Campo(dm_->dbZovi, kCnpj, "07", "NuVinculosEstabelecimento"), std::string("000002"));
        QCOMPARE(Campo(dm_->dbZovi, kCnpj, "01", "NuVinculosEstabelecimento"), std::string("000001"));
        QCOMPARE(Campo(dm_->dbZovi, kCnpj, "07", "InInscrEstabelecimento"), std::string("1"));
    }

    // Deleting the last establishments empties the declaration: the commands that need one
    // are disabled when the list returns.
    void ExclusaoDoUltimoEstabelecimentoDesabilitaComandos() {
        auto* abrir = janela_->findChild<QAction*>("miAbrir");
        QVERIFY(abrir->isEnabled());
        // The first found by its inscription, the other the only one left in the list.
        for (const char* inicio : {"112", ""}) {
            dialogos_.AgeNoFormulario([inicio, this](QDialog& lista) {
                lista.show();
                QTest::keyClicks(lista.findChild<QLineEdit*>("edInscricao"), inicio);
                dialogos_.Responde(Resposta::Sim);
                dialogos_.AgeNoFormulario([](QDialog& f) {
                    Botao(f, "btExcluir")->click();
                    return f.result();
                });
                Botao(lista, "btExcluir")->click();
                if (lista.isVisible()) Botao(lista, "btRetornar")->click();
                return lista.result();
            });
            janela_->ExecutaComando("miExcluir");
        }
        QCOMPARE(Empregados(dm_->dbZovi, kCnpj, "01"), QStringList());
        QCOMPARE(Campo(dm_->dbZovi, kCei, "00", "NoRazaoEstabelecimento"), std::string("(ausente)"));
        QVERIFY(!abrir->isEnabled());
    }

    // The multiple deletion with every window really running: the chord on the list, the
    // keyboard on the pages, the closing message answered as a person would.
    void ExclusaoMultiplaComJanelasReais() {
        dialogos_.Roteiriza(false);
        QStringList passos;
        QTimer relogio;
        relogio.setInterval(20);
        connect(&relogio, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || !w->isVisible() || w->property("visto").toBool()) return;
            w->setProperty("visto", true);
            const QString nome = w->objectName();
            passos << nome;
            // Acted on from a timer of its own: what the action opens runs its own loop, in
            // which this polling timer must go on.
            QTimer::singleShot(0, w, [&passos, w, nome] {
                if (auto* caixa = qobject_cast<QMessageBox*>(w)) {
                    passos.last() = caixa->text();
                    caixa->button(QMessageBox::Ok)->click();
                } else if (nome == "fmConEstab") {
                    QTest::keyClick(w, Qt::Key_F4, Qt::ControlModifier | Qt::AltModifier);
                } else if (nome == "fmExclMult01") {
                    auto* cb = w->findChild<QComboBox*>("cbEstabelecimentos");
                    QCOMPARE(QApplication::focusWidget(), cb);
                    cb->setCurrentIndex(cb->findText("ALFA", Qt::MatchContains));
                    Botao(*w, "btAvancar")->click();
                } else if (nome == "fmExclMult03") {
                    auto* lista = w->findChild<QListView*>();
                    QCOMPARE(QApplication::focusWidget(), lista);
                    QTest::keyClick(lista, Qt::Key_Down);   // moving does not tick
                    QTest::keyClick(lista, Qt::Key_Return);  // Enter ticks the current line
                    Botao(*w, "btAvancar")->click();
                } else if (nome == "fmExclMult04") {
                    QCOMPARE(QApplication::focusWidget(), Botao(*w, "btConcluir"));
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                } else if (nome.startsWith("fmExclMult")) {
                    QTest::keyClick(w, Qt::Key_Return);  // the focused button
                    if (w->isVisible()) Botao(*w, "btAvancar")->click();
                }
            });
        });
        relogio.start();
        // A window the flow did not expect is closed, so the test ends and names it.
        QTimer guarda;
        guarda.setSingleShot(true);
        connect(&guarda, &QTimer::timeout, [&] {
            while (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        guarda.start(15000);
        janela_->ExecutaComando("miAbrir");
        relogio.stop();
        QCOMPARE(passos, (QStringList{"fmConEstab", "fmExclMult00", "fmExclMult01", "fmExclMult02", "fmExclMult03",
                                      "fmExclMult04", "1 Empregado(s) excluído(s) com sucesso."}));
        QCOMPARE(Empregados(dm_->dbZovi, kCnpj, "01"), (QStringList{"BRUNO=10", "CARLA=10"}));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(ManutencaoTeste)
#include "ManutencaoTeste.moc"
