// The new-declaration wizard, the establishment form and the establishment
// list, driven offscreen from the main window's commands through the dialog service.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QTest>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "PastaTeste.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "entry/ModeloEstabelecimentos.h"
#include "entry/TfmConEstab.h"
#include "entry/TfmDadosEstab.h"
#include "entry/TfmExcluir.h"
#include "entry/TfmNovaDecl.h"
#include "pickers/TfmSeletor.h"
#include "messages/Catalogo.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

constexpr const char* kCnpj = "11222333000181";
constexpr const char* kCei = "00123456789010";

using Campos = std::map<std::string, std::string>;

// Shown and active, as a modal form is for the user (the window hidden before it may
// still be handing the activation over).
void Ativa(QDialog& d) {
    d.show();
    for (int i = 0; i < 50 && QApplication::activeWindow() != &d; ++i) {
        d.activateWindow();
        QTest::qWait(10);
    }
    if (QApplication::activeWindow() != &d) qWarning("janela %s não ativada", qPrintable(d.objectName()));
}

QLineEdit* Edicao(QDialog& d, const char* nome) { return d.findChild<QLineEdit*>(nome); }
void Clica(QDialog& d, const char* nome) { d.findChild<QPushButton*>(nome)->click(); }

// Everything an establishment needs to be stored, as stored values put into the form's controls.
const Campos kEstabelecimentoValido = {
    {"edLogradouro", "RUA DAS FLORES"}, {"edNumero", "100"},       {"edBairro", "CENTRO"},
    {"edCep", "70040010"},             {"edMunicipio", "5300108"}, {"edDdd", "61"},
    {"edTelefone", "33334444"},        {"edEmail", "CONTATO@EMPRESA.COM.BR"},
    {"edValorSindical", "00123456"},   {"edCnae", "52418"},        {"edNatureza", "2062"},
    {"edMesDataBase", "5"},            {"rgPorte", "3"},           {"rgPat", "2"},
};

void Preenche(FormularioDeclarado& f, const Campos& campos) {
    for (const auto& [nome, valor] : campos) f.PoeTexto(QString::fromStdString(nome), valor);
}

std::map<std::string, std::string> LeEstabelecimento(Banco& banco, const std::string& inscricao, const std::string& prefixo) {
    Tabela t(banco, "BD8EMP");
    t.Abre();
    std::map<std::string, std::string> r;
    if (!t.BuscaChave({"2005", inscricao, prefixo})) return r;
    for (const auto& campo : t.Definicao().campos)
        if (campo.tipo == TipoCampo::Texto) r[campo.nome] = t.Texto(campo.nome);
    return r;
}

void AcrescentaEstabelecimento(Banco& banco, const std::string& inscricao, const std::string& prefixo,
                               const std::string& tipo, const std::string& nome, const std::string& opcaoAberta = "") {
    Tabela t(banco, "BD8EMP");
    t.Abre();
    t.Acrescenta();
    t.PoeTexto("AnBase", "2005");
    t.PoeTexto("CoCgcCeiEstabelecimento", inscricao);
    t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
    t.PoeTexto("InInscrEstabelecimento", tipo);
    t.PoeTexto("NoRazaoEstabelecimento", nome);
    t.PoeTexto("InZoviNegEstabelecimento", "0");
    t.PoeTexto("InOpcaoAberta", opcaoAberta);
    t.Grava();
}

void AcrescentaEmpregado(Banco& banco, const std::string& inscricao, const std::string& prefixo, const std::string& pis) {
    Tabela t(banco, "BD8VINC");
    t.Abre();
    t.Acrescenta();
    t.PoeTexto("AnBase", "2005");
    t.PoeTexto("CoCgcCeiEstabelecimento", inscricao);
    t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
    t.PoeTexto("CoPisPasepEmpregado", pis);
    t.PoeTexto("DaAdmissaoEmpregado", "01012005");
    t.PoeTexto("NoEmpregado", "FULANO DE TAL");
    t.PoeTexto("NuSequencialRegistro", "");
    t.Grava();
}

long Conta(Banco& banco, const std::string& tabela) {
    Consulta q(banco, {"select count(*) from " + tabela});
    q.Abre();
    return q.Inteiro(0);
}

}  // namespace

class EstabelecimentoTeste : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<JanelaAjuda> ajuda_;
    std::unique_ptr<TfmGDZOVI> janela_;
    ServicoDialogos dialogos_;

    QString Texto(const char* codigo) {
        return QString::fromStdString(Cp1252ParaUtf8(janela_->MensagensPrograma().Catalogo().Busca(codigo)->texto));
    }
    bool Mostrou(const char* codigo) {
        for (const auto& c : dialogos_.caixas)
            if (c.texto.contains(Texto(codigo))) return true;
        return false;
    }
    // Acts on the next form shown, which must be of the class given.
    template <class F>
    void NoFormulario(std::function<void(F&)> acao) {
        dialogos_.AgeNoFormulario([acao](QDialog& d) {
            auto* f = dynamic_cast<F*>(&d);
            if (!f) return int(QDialog::Rejected);
            Ativa(d);
            acao(*f);
            return d.result();
        });
    }

private slots:
    void init() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
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

    void NovaDeclaracaoDigitadaDeFimAFim_data() {
        QTest::addColumn<QString>("digitada");
        QTest::addColumn<QString>("armazenada");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("textoTipo");
        QTest::newRow("CNPJ") << kCnpj << kCnpj << "1" << "CNPJ";
        QTest::newRow("CEI") << "123456789010" << kCei << "3" << "CEI";
    }
    void NovaDeclaracaoDigitadaDeFimAFim() {
        QFETCH(QString, digitada);
        QFETCH(QString, armazenada);
        QFETCH(QString, tipo);
        QFETCH(QString, textoTipo);
        NoFormulario<TfmNovaDecl>([&](TfmNovaDecl& f) {
            QTest::keyClicks(Edicao(f, "edInscricao"), digitada);
            QTest::keyClick(Edicao(f, "edInscricao"), Qt::Key_Return);
            QCOMPARE(Edicao(f, "edTipoInscricao")->text(), textoTipo);
            QCOMPARE(Edicao(f, "edCeiVinculado")->isEnabled(), tipo == "1");
            QCOMPARE(QApplication::focusWidget(), Edicao(f, "edPrefixo"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // empty prefix: "00"
            QCOMPARE(Edicao(f, "edPrefixo")->text(), QStringLiteral("00"));
            Edicao(f, "edRazao")->setFocus();
            QTest::keyClicks(Edicao(f, "edRazao"), "comercial exemplo ltda");
            QTest::keyClick(Edicao(f, "edRazao"), Qt::Key_Return);
            QVERIFY(Mostrou("3625"));
            Clica(f, "btOk");
        });
        NoFormulario<TfmDadosEstab>([&](TfmDadosEstab& f) {
            QCOMPARE(Edicao(f, "edRazao")->text(), QStringLiteral("COMERCIAL EXEMPLO LTDA"));
            QCOMPARE(Edicao(f, "edTipoInscricao")->text(), textoTipo);
            QCOMPARE(QApplication::focusWidget(), Edicao(f, "edLogradouro"));
            Preenche(f, kEstabelecimentoValido);
            Clica(f, "btOk");
            // Stored, and on to the employees: the form of the first one, there being none yet.
            QCOMPARE(f.SaidaFormulario(), TfmDadosEstab::Saida::Empregados);
            QCOMPARE(dialogos_.formularios.back(), QStringLiteral("fmDadosEmpreg"));
        });
        dialogos_.AgeNoFormulario([](QDialog&) { return int(QDialog::Rejected); });  // the employee form, left at once
        int linhasNaLista = -1;
        NoFormulario<TfmConEstab>([&](TfmConEstab& f) {
            linhasNaLista = f.Modelo().rowCount();
            Clica(f, "btRetornar");
        });
        janela_->ExecutaComando("miNova");
        QCOMPARE(linhasNaLista, 1);

        auto row = LeEstabelecimento(dm_->dbZovi, armazenada.toStdString(), "00");
        QVERIFY(!row.empty());
        const std::map<std::string, std::string> esperado = {
            {"InInscrEstabelecimento", tipo.toStdString()}, {"CoCgcVinculado", "00000000000000"},
            {"NoRazaoEstabelecimento", "COMERCIAL EXEMPLO LTDA"}, {"NuEnderecoEstabelecimento", "000100"},
            {"CoCepEstabelecimento", "70040010"}, {"CoMunicipio", "5300108"}, {"NoMunicEstabelecimento", "BRASILIA"},
            {"SgUf", "DF"}, {"NuDDD", "61"}, {"NuTelefone", "33334444"}, {"CoCnae", "52418"},
            {"CoNaturezaJuridica", "2062"}, {"MeDataBase", "05"}, {"NuProprietEstabelecimento", "00"},
            {"VaGlobalSindical", "00123456"}, {"VaGlobalAssociativa", "00000000"}, {"InPorte", "3"},
            {"InOptanteSimples", "2"}, {"InParticipaPAT", "2"}, {"NuVinculoPatMaior5", "000000"},
            {"PoAdmCozinha", "000"}, {"NuVinculosEstabelecimento", "000000"}, {"NuEstrangeirosEstabelec", "00000"},
            {"InZoviNegEstabelecimento", "0"}, {"InAtividadeAnoBase", "1"}, {"InOpcaoAberta", ""},
        };
        for (const auto& [campo, valor] : esperado) QCOMPARE(QString::fromStdString(campo + "=" + row[campo]), QString::fromStdString(campo + "=" + valor));
        QVERIFY(janela_->findChild<QAction*>("miAbrir")->isEnabled());
    }

    void InscricaoRecusadaPeloTamanhoDigitado_data() {
        QTest::addColumn<QString>("digitada");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("CEI digitado com 14") << kCei << "1004";
        QTest::newRow("13 dígitos") << "1122233300018" << "0030";
        QTest::newRow("nem CNPJ nem CEI") << "11222333000182" << "0053";
    }
    void InscricaoRecusadaPeloTamanhoDigitado() {
        QFETCH(QString, digitada);
        QFETCH(QString, codigo);
        NoFormulario<TfmNovaDecl>([&](TfmNovaDecl& f) {
            QTest::keyClicks(Edicao(f, "edInscricao"), "a./-");  // the box takes digits only
            QCOMPARE(Edicao(f, "edInscricao")->text(), QString());
            QTest::keyClicks(Edicao(f, "edInscricao"), digitada);
            QTest::keyClick(Edicao(f, "edInscricao"), Qt::Key_Tab);
            QVERIFY(dialogos_.caixas.back().texto.startsWith(Texto(codigo.toLatin1().constData())));
            // The catalogue's text for a wrong check digit also speaks of the name: the box says which.
            if (codigo == "0053") QVERIFY(dialogos_.caixas.back().texto.contains("dígitos verificadores não conferem"));
            QCOMPARE(QApplication::focusWidget(), Edicao(f, "edInscricao"));
            Clica(f, "btCancelar");
        });
        janela_->ExecutaComando("miNova");
        QCOMPARE(Conta(dm_->dbZovi, "BD8EMP"), 0L);
    }

    void CancelarAbandonaONovoEstabelecimento() {
        NoFormulario<TfmNovaDecl>([&](TfmNovaDecl& f) {
            f.Edicao("edInscricao")->setText(kCnpj);
            f.Edicao("edRazao")->setText("COMERCIAL EXEMPLO LTDA");
            Clica(f, "btOk");
        });
        bool gravadaAntes = false;
        NoFormulario<TfmDadosEstab>([&](TfmDadosEstab& f) {
            gravadaAntes = Conta(dm_->dbZovi, "BD8EMP") == 1;
            dialogos_.Responde(Resposta::Nao);  // "Deseja sair ?" No: stays, on the name
            Clica(f, "btCancelar");
            QVERIFY(f.isVisible());
            QCOMPARE(QApplication::focusWidget(), Edicao(f, "edRazao"));
            dialogos_.Responde(Resposta::Sim);
            f.close();  // the title bar's close asks the same
        });
        janela_->ExecutaComando("miNova");
        QVERIFY(gravadaAntes);
        QCOMPARE(Conta(dm_->dbZovi, "BD8EMP"), 0L);
        // Nothing left to list: the list is not shown.
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"fmNovaDecl", "fmDadosEstab"}));
        QCOMPARE(std::count_if(dialogos_.caixas.begin(), dialogos_.caixas.end(),
                               [](const CaixaMostrada& c) { return c.titulo == QStringLiteral("Confirmação"); }),
                 2);
    }

    void SemEmpregadosComEmpregadosPerguntaAntesDeApagar_data() {
        QTest::addColumn<bool>("confirma");
        QTest::newRow("não") << false;
        QTest::newRow("sim") << true;
    }
    void SemEmpregadosComEmpregadosPerguntaAntesDeApagar() {
        QFETCH(bool, confirma);
        AcrescentaEstabelecimento(dm_->dbZovi, kCnpj, "01", "1", "EMPRESA EXEMPLO");
        AcrescentaEmpregado(dm_->dbZovi, kCnpj, "01", "12345678901");
        AcrescentaEmpregado(dm_->dbZovi, kCnpj, "01", "12345678902");
        NoFormulario<TfmConEstab>([&](TfmConEstab& lista) { Clica(lista, "btExibir"); });
        NoFormulario<TfmDadosEstab>([&](TfmDadosEstab& f) {
            Preenche(f, kEstabelecimentoValido);
            f.Opcoes("rgTipoDeclaracao")->Botao("1")->click();
            QVERIFY(Mostrou("1007"));
            QVERIFY(!f.findChild<QPushButton*>("btVinculos")->isEnabled());
            QVERIFY(f.Controle("rgAtividade")->isEnabled());
            dialogos_.Responde(Resposta::Nao);  // "Sindicalizada, SIM ou NÃO?" (legal nature 2062)
            dialogos_.Responde(confirma ? Resposta::Sim : Resposta::Nao);
            Clica(f, "btOk");
            QVERIFY(Mostrou("1005"));
            QCOMPARE(f.isVisible(), !confirma);
            if (!confirma) {
                dialogos_.Responde(Resposta::Sim);
                Clica(f, "btCancelar");
            }
        });
        NoFormulario<TfmConEstab>([&](TfmConEstab& lista) { Clica(lista, "btRetornar"); });
        janela_->ExecutaComando("miAbrir");
        QCOMPARE(Conta(dm_->dbZovi, "BD8VINC"), confirma ? 0L : 2L);
        const auto row = LeEstabelecimento(dm_->dbZovi, kCnpj, "01");
        QCOMPARE(row.at("InZoviNegEstabelecimento"), std::string(confirma ? "1" : "0"));
        if (confirma) QCOMPARE(row.at("NuVinculosEstabelecimento"), std::string("000000"));
    }

    void InscricaoEPrefixoExistentesRecusados_data() {
        QTest::addColumn<QString>("prefixoExistente");
        QTest::addColumn<QString>("prefixoDigitado");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("mesmo prefixo, deixado vazio") << "00" << "" << "1000";
        QTest::newRow("mesmo prefixo digitado") << "A1" << "a1" << "1000";
        QTest::newRow("só com outro prefixo, não copiado") << "01" << "02" << "1001";
    }
    void InscricaoEPrefixoExistentesRecusados() {
        QFETCH(QString, prefixoExistente);
        QFETCH(QString, prefixoDigitado);
        QFETCH(QString, codigo);
        AcrescentaEstabelecimento(dm_->dbZovi, kCnpj, prefixoExistente.toStdString(), "1", "JA CADASTRADA");
        NoFormulario<TfmNovaDecl>([&](TfmNovaDecl& f) {
            QTest::keyClicks(Edicao(f, "edInscricao"), kCnpj);
            QTest::keyClick(Edicao(f, "edInscricao"), Qt::Key_Tab);
            QTest::keyClicks(Edicao(f, "edPrefixo"), prefixoDigitado);
            QTest::keyClick(Edicao(f, "edPrefixo"), Qt::Key_Tab);  // leaving the prefix runs the duplicate test
            QCOMPARE(dialogos_.caixas.back().texto, Texto(codigo.toLatin1().constData()));
            if (codigo == "1000") {
                QCOMPARE(QApplication::focusWidget(), Edicao(f, "edPrefixo"));
                Edicao(f, "edRazao")->setText("OUTRA EMPRESA");
                const auto antes = dialogos_.caixas.size();
                Clica(f, "btOk");  // "&Ok" repeats the test of the exact key
                QCOMPARE(dialogos_.caixas.size(), antes + 1);
                QCOMPARE(dialogos_.caixas.back().texto, Texto("1000"));
            }
            Clica(f, "btCancelar");
        });
        janela_->ExecutaComando("miNova");
        QCOMPARE(Conta(dm_->dbZovi, "BD8EMP"), 1L);
        QCOMPARE(dialogos_.formularios, std::vector<QString>{"fmNovaDecl"});
    }

    void CampoReprovadoMantemFocoEMostraCodigo_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<int>("aba");
        QTest::newRow("CEP") << "edCep" << "00131010" << "0080" << 0;
        QTest::newRow("e-mail") << "edEmail" << "ab.com" << "3627" << 0;
        QTest::newRow("valor com letra") << "edValorSindical" << "12a" << "0040" << 1;
        QTest::newRow("mês 13") << "edMesDataBase" << "13" << "0071" << 2;
    }
    void CampoReprovadoMantemFocoEMostraCodigo() {
        QFETCH(QString, campo);
        QFETCH(QString, valor);
        QFETCH(QString, codigo);
        QFETCH(int, aba);
        AcrescentaEstabelecimento(dm_->dbZovi, kCnpj, "01", "1", "EMPRESA EXEMPLO");
        NoFormulario<TfmConEstab>([&](TfmConEstab& lista) { Clica(lista, "btExibir"); });
        NoFormulario<TfmDadosEstab>([&](TfmDadosEstab& f) {
            auto* tabs = f.findChild<QTabWidget*>("pcEstabelecimento");
            tabs->setCurrentIndex(aba);
            auto* edicao = f.findChild<QLineEdit*>(campo);
            edicao->setFocus();
            edicao->setText(valor);
            const auto antes = dialogos_.caixas.size();
            QTest::keyClick(edicao, Qt::Key_Tab);
            QCOMPARE(dialogos_.caixas.size(), antes + 1);
            QCOMPARE(dialogos_.caixas.back().texto, Texto(codigo.toLatin1().constData()));
            QCOMPARE(QApplication::focusWidget(), edicao);
            QCOMPARE(tabs->currentIndex(), aba);
            // Towards "&Cancelar" nothing is judged; "Sim" leaves without storing.
            f.findChild<QPushButton*>("btCancelar")->setFocus();
            QCOMPARE(dialogos_.caixas.size(), antes + 1);
            dialogos_.Responde(Resposta::Sim);
            Clica(f, "btCancelar");
        });
        janela_->ExecutaComando("miAbrir");
        QCOMPARE(LeEstabelecimento(dm_->dbZovi, kCnpj, "01")["CoCepEstabelecimento"], std::string());
    }

    void TabulacaoNaOrdemDeLeitura() {
        AcrescentaEstabelecimento(dm_->dbZovi, kCnpj, "01", "1", "EMPRESA EXEMPLO");
        QStringList percurso;
        NoFormulario<TfmConEstab>([&](TfmConEstab& lista) { Clica(lista, "btExibir"); });
        NoFormulario<TfmDadosEstab>([&](TfmDadosEstab& f) {
            Preenche(f, kEstabelecimentoValido);
            Edicao(f, "edLogradouro")->setFocus();
            for (int i = 0; i < 10; ++i) {
                percurso << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            dialogos_.Responde(Resposta::Sim);
            Clica(f, "btCancelar");
        });
        janela_->ExecutaComando("miAbrir");
        // Leaving the e-mail opens the union tab on its first CNPJ; the picker button is no stop (F2 opens it).
        QCOMPARE(percurso, (QStringList{"edLogradouro", "edNumero", "edComplemento", "edBairro", "edCep", "edMunicipio",
                                        "edDdd", "edTelefone", "edEmail", "edCnpjSindical"}));
        QVERIFY(dialogos_.caixas.size() == 1);  // only the Cancel confirmation: every field passed
    }

    // F2 in the municipality code opens its picker, as the hint of the "..." button says; the
    // municipality chosen there shows its name and UF and is checked against the CEP at once.
    // F1 opens the help at the field's entry.
    void F2EscolheMunicipioCriticadoNaHora() {
        AcrescentaEstabelecimento(dm_->dbZovi, kCnpj, "01", "1", "EMPRESA EXEMPLO");
        NoFormulario<TfmConEstab>([&](TfmConEstab& lista) { Clica(lista, "btExibir"); });
        NoFormulario<TfmDadosEstab>([&](TfmDadosEstab& f) {
            QCOMPARE(f.Controle("sbMunicipio")->toolTip(), QStringLiteral("Escolher da tabela (F2)"));
            f.PoeTexto("edCep", "70040010");  // Brasília's
            Edicao(f, "edMunicipio")->setFocus();
            QTest::keyClick(Edicao(f, "edMunicipio"), Qt::Key_F1);
            QCOMPARE(dialogos_.ajudas, std::vector<QString>{"910#edMunicipio"});
            dialogos_.AgeNoFormulario([](QDialog& d) {
                auto& s = static_cast<TfmSeletor&>(d);
                s.findChild<QTreeView*>("tvLinhas")->setCurrentIndex(s.Filtro().mapFromSource(s.Modelo().IndiceDoCodigo("3550308")));
                QTest::keyClick(s.findChild<QTreeView*>("tvLinhas"), Qt::Key_Return);
                return d.result();
            });
            QTest::keyClick(Edicao(f, "edMunicipio"), Qt::Key_F2);
            QCOMPARE(dialogos_.formularios.back(), QStringLiteral("frmT8Munic"));
            QCOMPARE(Edicao(f, "edNomeMunicipio")->text(), QStringLiteral("SAO PAULO"));
            QCOMPARE(Edicao(f, "edUf")->text(), QStringLiteral("SP"));
            QVERIFY(!dialogos_.caixas.empty());  // a CEP of another municipality, said at once
            QCOMPARE(QApplication::focusWidget(), Edicao(f, "edCep"));
            dialogos_.Responde(Resposta::Sim);
            Clica(f, "btCancelar");
        });
        janela_->ExecutaComando("miAbrir");
    }

    void OkParaNaPrimeiraFalhaNaOrdemDaTabela() {
        AcrescentaEstabelecimento(dm_->dbZovi, kCnpj, "01", "1", "EMPRESA EXEMPLO");
        NoFormulario<TfmConEstab>([&](TfmConEstab& lista) { Clica(lista, "btExibir"); });
        NoFormulario<TfmDadosEstab>([&](TfmDadosEstab& f) {
            Preenche(f, kEstabelecimentoValido);
            f.PoeTexto("edMesDataBase", "13");  // third tab
            f.PoeTexto("edEmail", "ab.com");    // first tab, after the CEP
            f.PoeTexto("edCep", "00131010");    // first tab
            auto* tabs = f.findChild<QTabWidget*>("pcEstabelecimento");
            tabs->setCurrentIndex(3);
            const struct {
                const char* codigo;
                const char* campo;
                const char* correcao;
                int aba;
            } ordem[] = {{"0080", "edCep", "70040010", 0}, {"3627", "edEmail", "A@B.COM", 0}, {"0071", "edMesDataBase", "5", 2}};
            for (const auto& o : ordem) {
                Clica(f, "btOk");
                QCOMPARE(dialogos_.caixas.back().texto, Texto(o.codigo));
                QCOMPARE(QApplication::focusWidget(), f.findChild<QLineEdit*>(o.campo));
                QCOMPARE(tabs->currentIndex(), o.aba);
                QVERIFY(f.isVisible());
                f.PoeTexto(o.campo, o.correcao);
            }
            Clica(f, "btOk");
            QCOMPARE(f.SaidaFormulario(), TfmDadosEstab::Saida::Empregados);
        });
        janela_->ExecutaComando("miAbrir");
        QCOMPARE(LeEstabelecimento(dm_->dbZovi, kCnpj, "01")["MeDataBase"], std::string("05"));
    }

    void MarcadorDeixadoAbertoRelatadoELimpo() {
        AcrescentaEstabelecimento(dm_->dbZovi, kCnpj, "01", "1", "EMPRESA EXEMPLO", "1");
        bool marcadoAberto = false;
        NoFormulario<TfmConEstab>([&](TfmConEstab& lista) { Clica(lista, "btExibir"); });
        NoFormulario<TfmDadosEstab>([&](TfmDadosEstab& f) {
            // While the form is open the row carries the entry marker.
            marcadoAberto = LeEstabelecimento(dm_->dbZovi, kCnpj, "01")["InOpcaoAberta"] == "0";
            dialogos_.Responde(Resposta::Sim);
            Clica(f, "btCancelar");
        });
        janela_->ExecutaComando("miAbrir");
        QVERIFY(Mostrou("0501"));
        QVERIFY(marcadoAberto);
        QCOMPARE(LeEstabelecimento(dm_->dbZovi, kCnpj, "01")["InOpcaoAberta"], std::string());
    }

    void ExcluiEstabelecimentoDaLista() {
        AcrescentaEstabelecimento(dm_->dbZovi, kCnpj, "01", "1", "ALFA COMERCIO");
        AcrescentaEstabelecimento(dm_->dbZovi, kCei, "00", "3", "BETA OBRAS");
        AcrescentaEmpregado(dm_->dbZovi, kCnpj, "01", "12345678901");
        AcrescentaEmpregado(dm_->dbZovi, kCei, "00", "12345678902");
        int restantes = -1;
        NoFormulario<TfmConEstab>([&](TfmConEstab& lista) {
            QTest::keyClicks(lista.findChild<QLineEdit*>("edInscricao"), "112");
            QCOMPARE(lista.Modelo().rowCount(), 1);
            dialogos_.Responde(Resposta::Sim);  // "Você tem certeza que deseja excluir ?"
            Clica(lista, "btExcluir");
            restantes = lista.Modelo().rowCount();
            Clica(lista, "btRetornar");
        });
        NoFormulario<TfmExcluir>([&](TfmExcluir& f) { Clica(f, "btExcluir"); });
        janela_->ExecutaComando("miExcluir");
        QCOMPARE(restantes, 1);
        QVERIFY(LeEstabelecimento(dm_->dbZovi, kCnpj, "01").empty());
        QVERIFY(!LeEstabelecimento(dm_->dbZovi, kCei, "00").empty());
        QCOMPARE(Conta(dm_->dbZovi, "BD8VINC"), 1L);
        QCOMPARE(dialogos_.caixas.back().texto, QStringLiteral("Estabelecimento excluído com sucesso."));
    }

    void ListaPesquisaPorInscricaoNomeELetra_data() {
        QTest::addColumn<QString>("inscricao");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("letra");
        QTest::addColumn<QStringList>("nomes");
        // In key order: inscription (a CEI stored behind "00"), then prefix.
        QTest::newRow("todos") << "" << "" << "Todos" << QStringList{"FABRICA GAMA", "ALFA COMERCIO", "EMPRESA BETA", "ALVORADA"};
        QTest::newRow("A") << "" << "" << "A" << QStringList{"ALFA COMERCIO", "ALVORADA"};
        QTest::newRow("EF") << "" << "" << "EF" << QStringList{"FABRICA GAMA", "EMPRESA BETA"};
        QTest::newRow("nome") << "" << "alv" << "" << QStringList{"ALVORADA"};
        QTest::newRow("CNPJ") << "112" << "" << "" << QStringList{"ALFA COMERCIO", "EMPRESA BETA"};
        QTest::newRow("CEI sem os zeros") << "1234" << "" << "" << QStringList{"FABRICA GAMA"};
    }
    void ListaPesquisaPorInscricaoNomeELetra() {
        QFETCH(QString, inscricao);
        QFETCH(QString, nome);
        QFETCH(QString, letra);
        QFETCH(QStringList, nomes);
        AcrescentaEstabelecimento(dm_->dbZovi, kCnpj, "01", "1", "ALFA COMERCIO");
        AcrescentaEstabelecimento(dm_->dbZovi, kCnpj, "02", "1", "EMPRESA BETA");
        AcrescentaEstabelecimento(dm_->dbZovi, kCei, "00", "3", "FABRICA GAMA");
        AcrescentaEstabelecimento(dm_->dbZovi, "33000167000101", "00", "1", "ALVORADA");
        QStringList achados;
        NoFormulario<TfmConEstab>([&](TfmConEstab& lista) {
            if (!letra.isEmpty()) lista.findChild<QPushButton*>("btLetra" + letra)->click();
            QTest::keyClicks(lista.findChild<QLineEdit*>("edInscricao"), inscricao);
            QTest::keyClicks(lista.findChild<QLineEdit*>("edNome"), nome);
            for (int i = 0; i < lista.Modelo().rowCount(); ++i)
                achados << lista.Modelo().index(i, 2).data().toString();
            Clica(lista, "btRetornar");
        });
        janela_->ExecutaComando("miAbrir");
        QCOMPARE(achados, nomes);
    }
};

QTEST_MAIN(EstabelecimentoTeste)
#include "EstabelecimentoTeste.moc"
