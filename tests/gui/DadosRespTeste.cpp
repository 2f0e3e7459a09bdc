// The declarant form, driven offscreen through the dialog service: typed end
// to end and stored, reopened, refused field by field and on "&Ok", cancelled,
// and the municipality taken from its picker.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <map>
#include <memory>

#include "PastaTeste.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "data/ModulosDados.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"
#include "entry/TfmDadosResp.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"
#include "pickers/TfmSeletor.h"
#include "platform/Texto1252.h"
#include "rules/CriticaZovi.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

using Valores = std::map<QString, QString>;

// A declarant that passes every check (a CPF typed with its 11 digits).
Valores Valido() {
    return {{"edInscricao", "52998224725"}, {"edNome", "  Escritorio Contabil Modelo "},
            {"edLogradouro", "AVENIDA PAULISTA"}, {"edNumero", "12"}, {"edComplemento", "SALA 5"},
            {"edBairro", "BELA VISTA"}, {"edCep", "01310100"}, {"edEmail", "contato@modelo.com.br"},
            {"edDdd", "11"}, {"edTelefone", "32345678"}, {"edMunicipio", "3550308"}};
}

}  // namespace

class DadosRespTeste : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<CatalogoMensagens> catalogo_;
    std::unique_ptr<Mensagens> mensagens_;
    std::unique_ptr<Referencias> ref_;
    std::unique_ptr<TCriticaZovi> critica_;
    std::unique_ptr<Seletores> seletores_;
    ServicoDialogos dialogos_;

    QString TextoMensagem(const char* codigo) {
        return QString::fromStdString(Cp1252ParaUtf8(catalogo_->Busca(codigo)->texto));
    }
    std::unique_ptr<TfmDadosResp> Formulario() {
        auto f = std::make_unique<TfmDadosResp>(*dm_, *critica_, *seletores_, dialogos_, *mensagens_);
        f->show();
        f->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(f.get())); }();
        return f;
    }
    static void Preenche(TfmDadosResp& f, const Valores& valores) {
        for (const auto& [nome, texto] : valores) f.Edicao(nome)->setText(texto);
    }
    static void Ok(TfmDadosResp& f) { f.findChild<QPushButton*>("btOk")->click(); }
    std::string Gravado(const char* campo) {
        Tabela t(dm_->dbZovi, "BD8RESP");
        t.Abre();
        t.Primeiro();
        return t.Vazia() ? std::string("(vazia)") : t.Texto(campo);
    }

private slots:
    void initTestCase() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        catalogo_ = std::make_unique<CatalogoMensagens>(dm_->dbZovi);
        mensagens_ = std::make_unique<Mensagens>(*catalogo_, dialogos_);
        ref_ = std::make_unique<Referencias>(dm_->dbZovi);
        critica_ = std::make_unique<TCriticaZovi>(*ref_);
        seletores_ = std::make_unique<Seletores>(*dm_, dialogos_);
        dialogos_.Roteiriza();
    }
    void init() { dialogos_.Esquece(); }

    // Typed, stored with the stored-value conventions, and shown the same way when reopened.
    void GravaEReabre() {
        {
            auto f = Formulario();
            Preenche(*f, Valido());
            f->findChild<QCheckBox*>("cbRecibo")->setChecked(true);
            Ok(*f);
            QVERIFY2(dialogos_.caixas.empty(), dialogos_.caixas.empty() ? "" : qPrintable(dialogos_.caixas[0].texto));
            QCOMPARE(f->result(), int(QDialog::Accepted));
        }
        const std::map<const char*, std::string> esperados = {
            {"CoCgcCeiResponsavel", "00052998224725"}, {"InInscrResponsavel", "4"},
            {"NoResponsavelArquivo", "Escritorio Contabil Modelo"}, {"NuLogradouroRespArquivo", "000012"},
            {"CoCepRespArquivo", "01310100"}, {"CoMunicipioRespArquivo", "3550308"},
            {"NoMunicipioRespArquivo", "SAO PAULO"}, {"SgUfRespArquivo", "SP"}, {"NuFoneDDD", "11"},
            {"NuFoneAssinante", "32345678"}, {"TxComplementoRespArquivo", "SALA 5"},
        };
        for (const auto& [campo, valor] : esperados) QCOMPARE(Gravado(campo), valor);

        // The form opens on its first field, the inscription, whose box gives back the digits as
        // typed while the cursor is in it, and shows the CPF mask once left.
        auto f = Formulario();
        QCOMPARE(QApplication::focusWidget(), f->Edicao("edInscricao"));
        QCOMPARE(f->Edicao("edInscricao")->text(), QStringLiteral("52998224725"));
        QCOMPARE(f->Edicao("edTipoInscricao")->text(), QStringLiteral("CPF"));
        QCOMPARE(f->Edicao("edNumero")->text(), QStringLiteral("12"));
        QCOMPARE(f->Edicao("edCep")->text(), QStringLiteral("01310-100"));
        QVERIFY(f->findChild<QCheckBox*>("cbRecibo")->isChecked());
        f->Edicao("edNome")->setFocus();
        QCOMPARE(f->Edicao("edInscricao")->text(), QStringLiteral("529.982.247-25"));
    }

    // Leaving a field that fails shows its code and keeps the focus there.
    void SaidaReprovada_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("foco");
        QTest::newRow("cpf com 14 digitos") << "edInscricao" << "00052998224725" << "3509" << "edInscricao";
        QTest::newRow("cei com 14 digitos") << "edInscricao" << "00123456789010" << "1004" << "edInscricao";
        QTest::newRow("matriz") << "edNome" << "MATRIZ" << "0111" << "edNome";
        QTest::newRow("logradouro repetido") << "edLogradouro" << "RUA AAAA" << "3100" << "edLogradouro";
        QTest::newRow("cep com 00") << "edCep" << "00131010" << "0080" << "edCep";
        QTest::newRow("telefone vazio") << "edTelefone" << "" << "3674" << "edTelefone";
        QTest::newRow("ddd vazio") << "edDdd" << "" << "3674" << "edDdd";
        QTest::newRow("municipio inexistente") << "edMunicipio" << "3599999" << "0090" << "edMunicipio";
        QTest::newRow("email sem arroba") << "edEmail" << "contato" << "3627" << "edEmail";
    }
    void SaidaReprovada() {
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QString, codigo);
        QFETCH(QString, foco);
        auto f = Formulario();
        Preenche(*f, Valido());
        f->Edicao(campo)->setFocus();
        f->Edicao(campo)->setText(texto);
        QTest::keyClick(f->Edicao(campo), Qt::Key_Return);  // Enter moves on: leaving the field
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas.back().texto, TextoMensagem(codigo.toLatin1().constData()));
        QCOMPARE(QApplication::focusWidget(), f->Edicao(foco));
    }

    // The area code of another state is a notice: shown, and the user moves on.
    void DddDeOutraUfAvisaESegue() {
        auto f = Formulario();
        Preenche(*f, Valido());
        f->Edicao("edDdd")->setFocus();
        f->Edicao("edDdd")->setText("41");
        QTest::keyClick(f->Edicao("edDdd"), Qt::Key_Return);
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas.back().texto, TextoMensagem("0402"));
        QCOMPARE(QApplication::focusWidget(), f->Edicao("edTelefone"));
    }

    // "&Ok" runs the checks in its own order (the telephone before the street) and stores
    // nothing until all pass.
    void OkParaNaPrimeiraFalha() {
        const std::string antes = Gravado("NuFoneAssinante");
        auto f = Formulario();
        auto v = Valido();
        v["edLogradouro"] = "";
        v["edTelefone"] = "";
        v["edEmail"] = "sem-arroba";
        Preenche(*f, v);
        Ok(*f);
        QCOMPARE(dialogos_.caixas.back().texto, TextoMensagem("3674"));
        QCOMPARE(QApplication::focusWidget(), f->Edicao("edTelefone"));
        f->Edicao("edTelefone")->setText("32345678");
        Ok(*f);
        QCOMPARE(dialogos_.caixas.back().texto, TextoMensagem("0120"));
        QCOMPARE(QApplication::focusWidget(), f->Edicao("edLogradouro"));
        QCOMPARE(Gravado("NuFoneAssinante"), antes);
        QVERIFY(f->isVisible());
    }

    // "&Cancelar" and the title bar's close ask before dropping what was typed; the row stays.
    void CancelarPerguntaENaoGrava() {
        {
            auto f = Formulario();
            Preenche(*f, Valido());
            Ok(*f);
        }
        for (bool pelaBarra : {false, true}) {
            dialogos_.Esquece();
            auto f = Formulario();
            f->Edicao("edNome")->setText("OUTRO NOME");
            dialogos_.Responde(Resposta::Nao);
            pelaBarra ? (void)f->close() : f->findChild<QPushButton*>("btCancelar")->click();
            QVERIFY(f->isVisible());
            dialogos_.Responde(Resposta::Sim);
            pelaBarra ? (void)f->close() : f->findChild<QPushButton*>("btCancelar")->click();
            QVERIFY(!f->isVisible());
            QCOMPARE(dialogos_.caixas.size(), size_t(2));
            QCOMPARE(dialogos_.caixas[0].titulo, QStringLiteral("Confirme"));
            QCOMPARE(Gravado("NoResponsavelArquivo"), std::string("Escritorio Contabil Modelo"));
        }
        // Nothing changed: closes without asking.
        dialogos_.Esquece();
        auto f = Formulario();
        f->findChild<QPushButton*>("btCancelar")->click();
        QVERIFY(!f->isVisible());
        QVERIFY(dialogos_.caixas.empty());
    }

    // An engine error while storing (the table held by another writer) reaches the caller, on
    // its way to the program's general handler; the stored row stays as it was.
    void ErroAoGravarNaoMudaALinha() {
        const std::string antes = Gravado("NoResponsavelArquivo");
        auto f = Formulario();
        Preenche(*f, Valido());
        f->Edicao("edNome")->setText("OUTRA RAZAO SOCIAL");
        bool erro = false;
        {
            Banco outro;
            outro.Abre("Zovi2005", {pasta_->Parametro()});
            Transacao escrevendo(outro);
            Tabela t(outro, "BD8RESP");
            t.Abre();
            t.Primeiro();
            t.Edita();
            t.PoeTexto("NuFoneDDD", "99");
            t.Grava();
            try {
                Ok(*f);
            } catch (const std::exception&) {
                erro = true;
            }
        }
        QVERIFY(erro);
        QVERIFY(f->isVisible());
        QCOMPARE(Gravado("NoResponsavelArquivo"), antes);
    }

    // "&Dados Responsável ..." of the main window opens the form on the stored row.
    void AbertoPelaJanelaPrincipal() {
        JanelaAjuda ajuda(QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
        TfmGDZOVI janela(*dm_, dialogos_, ajuda);
        QString titulo, inscricao;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            titulo = d.windowTitle();
            inscricao = static_cast<TfmDadosResp&>(d).Edicao("edInscricao")->text();
            return int(QDialog::Rejected);
        });
        janela.ExecutaComando("sbResp");
        QCOMPARE(dialogos_.formularios, std::vector<QString>{"fmDadosResp"});
        QCOMPARE(titulo, QStringLiteral("Informações do Responsável pela Declaração da Zovi"));
        QCOMPARE(inscricao, QStringLiteral("529.982.247-25"));
    }

    // The picker button fills the municipality code, then its name and state.
    void MunicipioPeloSeletor() {
        auto f = Formulario();
        Preenche(*f, Valido());
        f->Edicao("edMunicipio")->clear();
        dialogos_.AgeNoFormulario([](QDialog& d) {
            auto& s = static_cast<TfmSeletor&>(d);
            auto* arvore = d.findChild<QTreeView*>("tvLinhas");
            arvore->setCurrentIndex(s.Filtro().mapFromSource(s.Modelo().IndiceDoCodigo("4106902")));
            QTest::keyClick(arvore, Qt::Key_Return);
            return d.result();
        });
        f->Edicao("edCep")->setText("80010000");
        f->findChild<QToolButton*>("sbMunicipio")->click();
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("frmT8Munic"));
        QCOMPARE(f->Edicao("edMunicipio")->text(), QStringLiteral("41-06902"));
        QCOMPARE(f->Edicao("edNomeMunicipio")->text(), QStringLiteral("CURITIBA"));
        QCOMPARE(f->Edicao("edUf")->text(), QStringLiteral("PR"));
        QVERIFY(dialogos_.caixas.empty());
    }
};

QTEST_MAIN(DadosRespTeste)
#include "DadosRespTeste.moc"
