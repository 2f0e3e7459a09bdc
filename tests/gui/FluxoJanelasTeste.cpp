// The way between the entry windows with their real modal loops (no scripted
// dialog service): the main window's commands open the establishment list,
// the establishment form, the employee list and the employee form, and every
// step checks which window the user finds when the previous one closes.
// Message boxes are answered through their buttons or with Enter.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <map>
#include <memory>

#include "Gerador.h"
#include "PastaTeste.h"
#include "RoteiroModal.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "entry/TfmConEmpreg.h"
#include "entry/TfmConEstab.h"
#include "entry/TfmDadosEmpreg.h"
#include "messages/ServicoDialogos.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

const QString kSair = QStringLiteral("As informações não salvas serão perdidas");
// The generated establishment's legal nature asks this when its associative CNPJ is empty.
const QString kSindicalizada = QStringLiteral("Sindicalizada, SIM ou NÃO?");

void Clica(QWidget& w, const char* nome) {
    auto* b = w.findChild<QPushButton*>(nome);
    QVERIFY2(b, nome);
    b->click();
}

QString Chave(QWidget& lista) {
    auto& l = static_cast<TfmConEmpreg&>(lista);
    const auto indice = l.findChild<QTableView*>("DBGridVinculo")->currentIndex();
    return indice.isValid() ? QString::fromStdString(l.Modelo().Linha(indice.row()).pisPasep) : QString();
}

}  // namespace

class FluxoJanelasTeste : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<JanelaAjuda> ajuda_;
    std::unique_ptr<TfmGDZOVI> janela_;
    ServicoDialogos dialogos_;

    void Prepara(long empregados) {
        pasta_ = std::make_unique<teste::PastaTeste>();
        {
            Banco b;
            b.Abre("Zovi2005", {pasta_->Parametro()});
            bancada::GeraDeclaracao(b, {.estabelecimentos = 1, .empregadosPorEstabelecimento = empregados});
        }
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        ajuda_ = std::make_unique<JanelaAjuda>(QString());
        // Not shown: its first showing opens the tips box; the forms need only their parent.
        janela_ = std::make_unique<TfmGDZOVI>(*dm_, dialogos_, *ajuda_);
    }
    long Conta(const char* tabela) {
        Consulta q(dm_->dbZovi, {std::string("select count(*) from ") + tabela});
        q.Abre();
        return q.Inteiro(0);
    }
    std::string PisDaLinha(int n) {
        Consulta q(dm_->dbZovi, {"select CoPisPasepEmpregado from BD8VINC order by CoPisPasepEmpregado"});
        q.Abre();
        for (int i = 0; i < n; ++i) q.Proximo();
        return q.Texto(0);
    }
    void Roda(RoteiroModal& roteiro, const char* comando) {
        const bool completo = roteiro.Executa([&] { janela_->ExecutaComando(comando); });
        QVERIFY2(completo, qPrintable(roteiro.Pendente()));
        QVERIFY(!QApplication::activeModalWidget());
    }

private slots:
    void init() {
        dialogos_.Esquece();
        dialogos_.Roteiriza(false);
    }
    void cleanup() {
        janela_.reset();
        ajuda_.reset();
        dm_.reset();
        pasta_.reset();
    }

    // "&Ok" on an establishment with employees goes on to them; saving an employee brings the
    // list back with that employee selected; "&Retornar" goes back to the establishment list.
    void GravarEmpregadoVoltaAListaComEleSelecionado() {
        Prepara(3);
        const QString pis = QString::fromStdString(PisDaLinha(1));
        RoteiroModal roteiro;
        roteiro.Em("fmConEstab", [](QWidget& w) { Clica(w, "btExibir"); })
            .Em("fmDadosEstab", [](QWidget& w) { Clica(w, "btOk"); })
            .Caixa(kSindicalizada, "&Não")
            .Em("TfmConEmpreg", [](QWidget& w) {
                auto& lista = static_cast<TfmConEmpreg&>(w);
                lista.findChild<QTableView*>("DBGridVinculo")->selectRow(1);
                Clica(w, "BtExibir");
            })
            .Em("fmDadosEmpreg", [](QWidget& w) { Clica(w, "BtOk"); })
            .Em("TfmConEmpreg", [&](QWidget& w) {
                QCOMPARE(Chave(w), pis);
                QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("DBGridVinculo"));
                Clica(w, "BtCancelar");
            })
            .Em("fmConEstab", [](QWidget& w) { Clica(w, "btRetornar"); });
        Roda(roteiro, "miAbrir");
    }

    // "&Cancelar" of an employee asks with "Não" preselected: Enter keeps the edits; "Sim"
    // brings the employee list back, not the main window.
    void CancelarEmpregadoVoltaALista() {
        Prepara(2);
        RoteiroModal roteiro;
        roteiro.Em("fmConEstab", [](QWidget& w) { Clica(w, "btExibir"); })
            .Em("fmDadosEstab", [](QWidget& w) { Clica(w, "btVinculos"); })
            .Caixa(kSindicalizada, "&Não")
            .Em("TfmConEmpreg", [](QWidget& w) { Clica(w, "BtNovo"); })
            .Em("fmDadosEmpreg", [](QWidget& w) {
                QTest::keyClicks(QApplication::focusWidget(), "1201234567");
                Clica(w, "BtCancelar");
            })
            .CaixaEnter(kSair)
            .Em("fmDadosEmpreg", [](QWidget& w) {
                QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("deNomeEmpregado"));
                Clica(w, "BtCancelar");
            })
            .Caixa(kSair, "&Sim")
            .Em("TfmConEmpreg", [](QWidget& w) { Clica(w, "BtCancelar"); })
            .Em("fmConEstab", [](QWidget& w) { Clica(w, "btRetornar"); });
        Roda(roteiro, "miAbrir");
        QCOMPARE(Conta("BD8VINC"), 2L);
    }

    // "Não" to a PIS/PASEP already stored shows the list filtered on it.
    void PisRepetidoNaoMostraAListaFiltrada() {
        Prepara(3);
        const QString pis = QString::fromStdString(PisDaLinha(2));
        RoteiroModal roteiro;
        roteiro.Em("fmConEstab", [](QWidget& w) { Clica(w, "btExibir"); })
            .Em("fmDadosEstab", [](QWidget& w) { Clica(w, "btVinculos"); })
            .Caixa(kSindicalizada, "&Não")
            .Em("TfmConEmpreg", [](QWidget& w) { Clica(w, "BtNovo"); })
            .Em("fmDadosEmpreg", [&](QWidget&) {
                QTest::keyClicks(QApplication::focusWidget(), pis);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            })
            .Caixa(QStringLiteral("Já existe empregado com este PIS/PASEP"), "&Não")
            .Em("TfmConEmpreg", [&](QWidget& w) {
                auto& lista = static_cast<TfmConEmpreg&>(w);
                QCOMPARE(lista.findChild<QLineEdit*>("edPisPasep")->text(), pis);
                QCOMPARE(lista.Modelo().rowCount(), 1);
                Clica(w, "BtCancelar");
            })
            .Em("fmConEstab", [](QWidget& w) { Clica(w, "btRetornar"); });
        Roda(roteiro, "miAbrir");
        QCOMPARE(Conta("BD8VINC"), 3L);
    }

    // Deleting the last employee closes the employee list and the establishment form: the
    // establishment list is what the user finds.
    void ExcluirUltimoEmpregadoVoltaAosEstabelecimentos() {
        Prepara(1);
        RoteiroModal roteiro;
        roteiro.Em("fmConEstab", [](QWidget& w) { Clica(w, "btExibir"); })
            .Em("fmDadosEstab", [](QWidget& w) { Clica(w, "btVinculos"); })
            .Caixa(kSindicalizada, "&Não")
            .Em("TfmConEmpreg", [](QWidget& w) { Clica(w, "BtExibir"); })
            .Em("fmDadosEmpreg", [](QWidget& w) { Clica(w, "BtExcluir"); })
            .CaixaEnter(QStringLiteral("Deseja excluir o vínculo ?"))  // Enter: "Não"
            .Em("fmDadosEmpreg", [](QWidget& w) { Clica(w, "BtExcluir"); })
            .Caixa(QStringLiteral("Deseja excluir o vínculo ?"), "&Sim")
            .Em("fmConEstab", [](QWidget& w) { Clica(w, "btRetornar"); });
        Roda(roteiro, "miAbrir");
        QCOMPARE(Conta("BD8VINC"), 0L);
    }

    // "&Cancelar" of an establishment opened from the list: Enter keeps the edits, "Sim" goes
    // back to the list.
    void CancelarEstabelecimentoVoltaALista() {
        Prepara(1);
        RoteiroModal roteiro;
        roteiro.Em("fmConEstab", [](QWidget& w) { Clica(w, "btExibir"); })
            .Em("fmDadosEstab", [](QWidget& w) { Clica(w, "btCancelar"); })
            .CaixaEnter(kSair)
            .Em("fmDadosEstab", [](QWidget& w) {
                QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edRazao"));
                Clica(w, "btCancelar");
            })
            .Caixa(kSair, "&Sim")
            .Em("fmConEstab", [](QWidget& w) { Clica(w, "btRetornar"); });
        Roda(roteiro, "miAbrir");
        QCOMPARE(Conta("BD8EMP"), 1L);
    }

    // "Sim" to "1001" copies the establishment of the other prefix into the wizard and the new
    // row before any check, and opens the establishment form with it; "&Cancelar" there removes
    // the new row and leaves the user at the establishment list.
    void CopiaDeOutroPrefixoNaOrdemEmQueSeDigita() {
        Prepara(0);
        std::map<std::string, std::string> original;
        {
            Tabela t(dm_->dbZovi, "BD8EMP");
            t.Abre();
            t.Primeiro();
            for (const char* c : {"CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "NoRazaoEstabelecimento",
                                  "EdEstabelecimento", "CoMunicipio", "CoCnae", "InInscrEstabelecimento"})
                original[c] = t.Texto(c);
        }
        const std::string prefixo = original["NuPrefixoEstabelecimento"] == "77" ? "78" : "77";
        std::map<std::string, std::string> copiado;
        QString razaoNoFormulario;
        RoteiroModal roteiro;
        roteiro.Em("fmNovaDecl", [&](QWidget&) {
                const std::string& inscricao = original["CoCgcCeiEstabelecimento"];
                QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(
                                     original["InInscrEstabelecimento"] == "1" ? inscricao : inscricao.substr(2)));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(prefixo));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            })
            .Caixa(QStringLiteral("Deseja copiar os dados"), "&Sim")
            .Em("fmDadosEstab", [&](QWidget& w) {
                razaoNoFormulario = w.findChild<QLineEdit*>("edRazao")->text();
                Tabela t(dm_->dbZovi, "BD8EMP");
                t.Abre();
                if (t.BuscaChave({"2005", original["CoCgcCeiEstabelecimento"], prefixo}))
                    for (const auto& [campo, valor] : original) copiado[campo] = t.Texto(campo);
                Clica(w, "btCancelar");
            })
            .Caixa(kSair, "&Sim")
            .Em("fmConEstab", [](QWidget& w) { Clica(w, "btRetornar"); });
        Roda(roteiro, "miNova");
        QCOMPARE(razaoNoFormulario.toStdString(), original["NoRazaoEstabelecimento"]);
        for (const char* c : {"NoRazaoEstabelecimento", "EdEstabelecimento", "CoMunicipio", "CoCnae"})
            QCOMPARE(copiado[c], original[c]);
        QCOMPARE(Conta("BD8EMP"), 1L);
    }

    // A new establishment with employees goes from "&Ok" straight to the employee form; once an
    // employee is there, the list.
    void NovoEstabelecimentoVaiDiretoAoEmpregado() {
        Prepara(0);
        {
            // The generated establishment, emptied of employees, opened as the wizard leaves a new one.
            Tabela t(dm_->dbZovi, "BD8EMP");
            t.Abre();
            t.Primeiro();
            t.Edita();
            t.PoeTexto("InZoviNegEstabelecimento", "0");
            t.Grava();
        }
        RoteiroModal roteiro;
        roteiro.Em("fmConEstab", [](QWidget& w) { Clica(w, "btExibir"); })
            .Em("fmDadosEstab", [](QWidget& w) { Clica(w, "btOk"); })
            .Caixa(kSindicalizada, "&Não")
            .Em("fmDadosEmpreg", [](QWidget& w) { Clica(w, "BtCancelar"); })
            .Em("fmConEstab", [](QWidget& w) { Clica(w, "btRetornar"); });
        Roda(roteiro, "miAbrir");
    }
};

QTEST_MAIN(FluxoJanelasTeste)
#include "FluxoJanelasTeste.moc"
