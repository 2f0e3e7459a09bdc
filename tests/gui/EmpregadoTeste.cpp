// The employee list and the employee form, driven offscreen through the dialog
// service: a whole employee typed with the keyboard and stored, the checks on
// leaving a field, the look-ups against the establishment's other employees,
// the counts, and a declaration typed this way passing the verification run.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <memory>

#include "Gerador.h"
#include "PastaTeste.h"
#include "data/ModulosDados.h"
#include "entry/EdicaoValor.h"
#include "entry/TfmConEmpreg.h"
#include "entry/TfmDadosEmpreg.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"
#include "platform/Texto1252.h"
#include "rules/VerificaDeclaracao.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

constexpr const char* kPis = "12012345672";
constexpr const char* kOutroPis = "12076543211";

}  // namespace

class EmpregadoTeste : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<CatalogoMensagens> catalogo_;
    std::unique_ptr<Mensagens> mensagens_;
    ServicoDialogos dialogos_;
    std::unique_ptr<ContextoEntrada> entrada_;
    std::unique_ptr<ContextoEmpregados> ctx_;
    std::string vinculo_;  // a type of employment the establishment's inscription allows

    QString TextoMensagem(const char* codigo) {
        return QString::fromStdString(Cp1252ParaUtf8(catalogo_->Busca(codigo)->texto));
    }
    QStringList Caixas() {
        QStringList t;
        for (const auto& c : dialogos_.caixas) t << c.texto;
        return t;
    }
    std::unique_ptr<TfmDadosEmpreg> Formulario(const std::optional<ChaveEmpregado>& chave = std::nullopt) {
        auto f = std::make_unique<TfmDadosEmpreg>(*ctx_, chave);
        Mostra(*f);
        return f;
    }
    static void Mostra(QWidget& w) {
        w.show();
        w.activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(&w)); }();
    }
    // Types into the field that has the focus, which must be `nome`, and presses Enter.
    static void Entra(TfmDadosEmpreg& f, const char* nome, const QString& texto = {}) {
        QWidget* foco = QApplication::focusWidget();
        QWidget* controle = f.Controle(QLatin1String(nome));
        QVERIFY2(foco && (foco == controle || controle->isAncestorOf(foco)),
                 qPrintable(QStringLiteral("foco em %1, esperado %2").arg(foco ? foco->objectName() : "-", nome)));
        if (auto* opcoes = qobject_cast<GrupoOpcoes*>(controle)) {
            if (!texto.isEmpty()) opcoes->Botao(texto)->click();
        } else if (!texto.isEmpty()) {
            static_cast<QLineEdit*>(foco)->selectAll();
            QTest::keyClicks(foco, texto);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    // Puts a value into a field and leaves it, as a click elsewhere would.
    static void Digita(TfmDadosEmpreg& f, const char* nome, const QString& texto) {
        auto* e = f.Edicao(QLatin1String(nome));
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, texto);
        f.Paginas()->setFocus();
    }
    std::map<std::string, std::string> Linha(const char* pis, const char* admissao = "01022005") {
        Consulta q(dm_->dbZovi, {"select * from BD8VINC where CoPisPasepEmpregado = :p and DaAdmissaoEmpregado = :a"});
        q.Parametro("p", pis);
        q.Parametro("a", admissao);
        q.Abre();
        std::map<std::string, std::string> r;
        if (!q.Vazia())
            for (int i = 0; i < q.NumCampos(); ++i) r[q.NomeCampo(i)] = q.Texto(i);
        return r;
    }
    std::pair<std::string, std::string> Contagens() {
        Tabela t(dm_->dbZovi, "BD8EMP");
        t.Abre();
        t.BuscaChave({ctx_->estabelecimento.AnBase, ctx_->estabelecimento.CoCgcCeiEstabelecimento,
                      ctx_->estabelecimento.NuPrefixoEstabelecimento});
        return {t.Texto("NuVinculosEstabelecimento"), t.Texto("NuEstrangeirosEstabelec")};
    }

    // Types a whole employee page by page with the keyboard alone and presses "&Ok".
    void DigitaEmpregado(TfmDadosEmpreg& f, const char* pis, const char* nacionalidade = "10") {
        Entra(f, "dePisPasep", pis);
        Entra(f, "deNomeEmpregado", "maria da silva");
        Entra(f, "deNascimento", "15031980");
        Entra(f, "deNacionalidade", nacionalidade);
        if (QString(nacionalidade) != "10") Entra(f, "deAnoChegada", "1999");
        Entra(f, "deInstrucao", "7");
        Entra(f, "deCarteiraTrab", "1234567");
        Entra(f, "deCPF", "12345678909");
        Entra(f, "deUsoEmpregado", "SETOR 4");
        Entra(f, "deRaca", "2");
        Entra(f, "dgDeficiencia", "2");
        Entra(f, "cbSexo", "2");
        QCOMPARE(f.Paginas()->currentIndex(), 1);
        Entra(f, "deAdmissao", "01022005");
        Entra(f, "deTipoAdmissao", "2");
        Entra(f, "edSalario", "1.500,00");
        Entra(f, "deHoras", "44");
        Entra(f, "deTipoSalContratual", "1");
        Entra(f, "deCBO", "411005");
        QCOMPARE(f.Paginas()->currentIndex(), 2);
        Entra(f, "deVinculo", QString::fromStdString(vinculo_));
        Entra(f, "deCodDeslig");
        Entra(f, "deMunicipioTrabalho", "3550308");
        QCOMPARE(f.Paginas()->currentIndex(), 3);
        for (const char* n : {"dePrimCod", "dePrimInicio", "dePrimFim", "deSegCod", "deSegInicio", "deSegFim",
                              "deTerCod", "deTerInicio", "deTerFim", "deAfastQtDias"})
            Entra(f, n);
        QCOMPARE(f.Paginas()->currentIndex(), 4);
        for (const char* n : {"deCNPJSindical", "edValorSindical", "deCNPJPrimeiroAssociativa",
                              "edValorPrimeiroAssociativa", "deCNPJSegundoAssociativa", "edValorSegundoAssociativa",
                              "deCNPJAssistencial", "edValorAssistencial", "deCNPJConfederativa",
                              "edValorConfederativa"})
            Entra(f, n);
        QCOMPARE(f.Paginas()->currentIndex(), 5);
        const char* meses[] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                               "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
        for (int m = 0; m < 12; ++m) {
            Entra(f, qPrintable(QStringLiteral("ed%1").arg(meses[m])), m == 0 ? "" : "1.500,00");
            Entra(f, qPrintable(QStringLiteral("deHoras%1").arg(meses[m])), m == 0 ? "" : "176");
        }
        Entra(f, "deMesAdiantamento", "11");
        Entra(f, "edAdiantamento", "750");
        Entra(f, "deMesParcelaFinal", "12");
        Entra(f, "edParcelaFinal", "750,00");
        QCOMPARE(f.Paginas()->currentIndex(), 6);
        for (const char* n : {"edFerias", "edBancoHoras", "deCompetenciaHoras", "edDissidio", "deCompetenciaDissidio",
                              "edGratificacoes", "deCompetenciaGratificacoes"})
            Entra(f, n);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BtOk"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

private slots:
    void init() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        {
            Banco b;
            b.Abre("Zovi2005", {pasta_->Parametro()});
            bancada::GeraDeclaracao(b, {.estabelecimentos = 1, .empregadosPorEstabelecimento = 1});
        }
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        catalogo_ = std::make_unique<CatalogoMensagens>(dm_->dbZovi);
        mensagens_ = std::make_unique<Mensagens>(*catalogo_, dialogos_);
        dialogos_.Roteiriza();
        dialogos_.Esquece();
        entrada_ = std::make_unique<ContextoEntrada>(*dm_, dialogos_, *mensagens_);
        Tabela t(dm_->dbZovi, "BD8EMP");
        t.Abre();
        t.Primeiro();
        auto estab = LeEstabelecimento(t);
        vinculo_ = estab.InInscrEstabelecimento == "1" ? "10" : "15";
        ctx_ = std::make_unique<ContextoEmpregados>(*entrada_, estab);
    }
    void cleanup() {
        ctx_.reset();
        entrada_.reset();
        mensagens_.reset();
        catalogo_.reset();
        dm_.reset();
        pasta_.reset();
    }

    void EmpregadoDigitadoDePontaAPontaEGravado() {
        auto f = Formulario();
        DigitaEmpregado(*f, kPis);
        QVERIFY2(dialogos_.caixas.empty(), qPrintable(Caixas().join("\n")));
        QCOMPARE(f->result(), int(QDialog::Accepted));
        auto r = Linha(kPis);
        const std::map<std::string, std::string> esperado = {
            {"NoEmpregado", "MARIA DA SILVA"}, {"DaNascimentoEmpregado", "15031980"}, {"CoNacionalidade", "10"},
            {"AnChegadaEmpregado", "0000"},    {"NuCartTrabEmpregado", "00001234567"},   {"CoCpfEmpregado", "12345678909"},
            {"VaSalContratualEmpregado", "000150000"}, {"HoSemanaisEmpregado", "44"},   {"CoCbo", "411005"},
            {"CoCausaDesligamento", "00"},     {"DaDesligamentoEmpregado", "0000"},     {"VaAvisoPrevioEmpregado", "000000000"},
            {"VaJaneiroEmpregado", "000000000"}, {"VaFevereiroEmpregado", "000150000"}, {"HoTrabalhadasJaneiro", "000"},
            {"HoTrabalhadasMarco", "176"},     {"Me13AdiantamentoEmpregado", "11"},     {"Va13AdiantamentoEmpregado", "000075000"},
            {"CoMotivoPrimAfas", "00"},        {"DaInicioprimeiroAfas", "0000"},        {"QtDiasAfas", "000"},
            {"VaGlobalSindical", "00000000"},  {"CoCNPJSindical", ""},                  {"QtCompBcoHoras", "00"},
            {"CoMunicipioTrabalho", "3550308"}, {"NoMunicipioTrabalho", "SAO PAULO"},   {"SgUfTrabalho", "SP"},
            {"InDeficienteFisico", "2"},       {"InAlvaraEmpregado", "2"},              {"InSexo", "2"},
            {"TxUsoEmpregado", "SETOR 4"},     {"NuSequencialRegistro", ""},
        };
        for (const auto& [campo, valor] : esperado) QCOMPARE(QString::fromStdString(r[campo] + " " + campo), QString::fromStdString(valor + " " + campo));
        QCOMPARE(Contagens(), std::make_pair(std::string("000002"), std::string("00000")));

        // The declaration typed through the form has nothing to report.
        f.reset();
        ctx_.reset();
        entrada_.reset();
        dm_.reset();
        auto resultado = fVerificaDeclaracao(dialogos_, pasta_->Caminho(), false, nullptr, "2005", false, false);
        if (!resultado.Vazio()) {
            Banco b;
            b.Abre("Zovi2005", {pasta_->Parametro()});
            Consulta q(b, {"select retorno, lbl, Conteudo from te8errwa"});
            for (q.Abre(); !q.Fim(); q.Proximo()) qWarning() << q.Texto(0).c_str() << q.Texto(1).c_str() << q.Texto(2).c_str();
        }
        QVERIFY(resultado.Vazio());
    }

    void CampoComFalhaMantemOFoco() {
        auto f = Formulario();
        Entra(*f, "dePisPasep", kPis);
        Entra(*f, "deNomeEmpregado", "MARIA DA SILVA");
        Entra(*f, "deNascimento", "31021980");  // no 31 February
        QCOMPARE(Caixas(), QStringList{TextoMensagem("0175")});
        QCOMPARE(QApplication::focusWidget(), f->Controle("deNascimento"));
        // A warning is shown and the user goes on.
        dialogos_.Esquece();
        Digita(*f, "deNascimento", "15031995");
        QCOMPARE(Caixas(), QStringList{TextoMensagem("0176")});
        QVERIFY(QApplication::focusWidget() != f->Controle("deNascimento"));
        // The amount paid to an association whose CNPJ was typed must be informed ("&Ok" asks for it:
        // leaving an amount of "0,00" checks nothing).
        dialogos_.Esquece();
        f->Paginas()->setCurrentIndex(4);
        Digita(*f, "deCNPJPrimeiroAssociativa", "33000167000101");
        QCOMPARE(Caixas(), QStringList{});
        QVERIFY(!f->CriticaCampo(QStringLiteral("edValorPrimeiroAssociativa")));
        QCOMPARE(Caixas(), QStringList{TextoMensagem("3673")});
        QCOMPARE(QApplication::focusWidget(), f->Controle("edValorPrimeiroAssociativa"));
        // Cancelling with a PIS/PASEP typed asks first; "Não" (the default) keeps the form open.
        dialogos_.Esquece();
        auto* cancelar = f->findChild<QPushButton*>("BtCancelar");
        cancelar->setFocus();
        cancelar->click();
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].padrao, Resposta::Nao);
        QVERIFY(f->isVisible());
    }

    // A stored employee for the look-ups: the same worker, another row.
    RegistroVinculo Guardado(const char* pis, const char* admissao, const char* nacionalidade = "10") {
        RegistroVinculo r;
        r.CoPisPasepEmpregado = pis;
        r.NoEmpregado = "JOSE PEREIRA";
        r.DaAdmissaoEmpregado = admissao;
        r.DaNascimentoEmpregado = "10101970";
        r.CoNacionalidade = nacionalidade;
        r.AnChegadaEmpregado = "0000";
        r.CoInstrucao = "5";
        r.NuCartTrabEmpregado = "00000000000";
        r.CoCpfEmpregado = "98765432100";
        r.CoTipoRaca = "8";
        r.InDeficienteFisico = "2";
        r.InSexo = "1";
        r.VaMarcoEmpregado = "000123456";
        r.HoTrabalhadasMarco = "160";
        ctx_->cadastro.Grava(r, std::nullopt);
        return r;
    }

    void PisJaCadastradoCopiaOsDadosPessoaisOuVoltaALista() {
        Guardado(kOutroPis, "01012005");
        // Yes: the ten personal fields are copied, the focus goes to the CPF.
        dialogos_.Responde(Resposta::Sim);
        auto f = Formulario();
        Entra(*f, "dePisPasep", kOutroPis);
        QCOMPARE(Caixas(), QStringList{TextoMensagem("1050")});
        QCOMPARE(f->Edicao("deNomeEmpregado")->text(), QStringLiteral("JOSE PEREIRA"));
        QCOMPARE(f->Texto("deNascimento"), std::string("10101970"));
        QCOMPARE(f->Texto("deCPF"), std::string("98765432100"));
        QCOMPARE(f->Texto("cbSexo"), std::string("1"));
        QCOMPARE(f->Edicao("deCarteiraTrab")->text(), QString());
        QCOMPARE(QApplication::focusWidget(), f->Controle("deCPF"));
        QVERIFY(f->isVisible());

        // No: the form closes and the list is to show that worker.
        dialogos_.Esquece();
        dialogos_.Responde(Resposta::Nao);
        auto g = Formulario();
        Entra(*g, "dePisPasep", kOutroPis);
        QVERIFY(!g->isVisible());
        QCOMPARE(g->result(), int(QDialog::Rejected));
        QCOMPARE(g->PisParaBusca().value_or(""), std::string(kOutroPis));
        QVERIFY(!g->ChaveGravada());
    }

    void MesmaAdmissaoAbreOVinculoOuEhRecusada() {
        auto existente = Guardado(kOutroPis, "01032005");
        Guardado(kOutroPis, "01062005");
        // Mode "I", Yes to "1051": the existing row is opened for editing.
        dialogos_.Responde(Resposta::Sim);  // "1050": the personal data copied
        dialogos_.Responde(Resposta::Sim);  // "1051"
        auto f = Formulario();
        Digita(*f, "dePisPasep", kOutroPis);
        f->AbrePaginaDe(f->Controle("deAdmissao"));
        QCOMPARE(f->Modo(), 'I');
        Digita(*f, "deAdmissao", "01032005");
        QCOMPARE(Caixas().last(), TextoMensagem("1051"));
        QCOMPARE(f->Modo(), 'A');
        QCOMPARE(f->Edicao("deNomeEmpregado")->text(), QStringLiteral("JOSE PEREIRA"));
        QCOMPARE(f->findChild<QPushButton*>("BtExcluir")->isEnabled(), true);

        // Mode "A": another row's admission date is refused and the original put back.
        dialogos_.Esquece();
        f->AbrePaginaDe(f->Controle("deAdmissao"));
        Digita(*f, "deAdmissao", "01062005");
        QCOMPARE(Caixas(), QStringList{TextoMensagem("1058")});
        QCOMPARE(f->Texto("deAdmissao"), std::string("01032005"));

        // Mode "I", No to "1051" and "&Ok" anyway: the key exists, "1059", nothing stored.
        dialogos_.Esquece();
        dialogos_.Responde(Resposta::Sim);  // "1050"
        auto g = Formulario();
        Digita(*g, "dePisPasep", kOutroPis);
        dialogos_.Esquece();
        dialogos_.Responde(Resposta::Nao);  // "1051": back to the admission date
        g->AbrePaginaDe(g->Controle("deAdmissao"));
        Digita(*g, "deAdmissao", "01032005");
        QCOMPARE(QApplication::focusWidget(), g->Controle("deAdmissao"));
        auto r = existente;
        r.NuSequencialRegistro.clear();
        for (const auto& [nome, valor] : std::vector<std::pair<const char*, std::string>>{
                 {"deNomeEmpregado", r.NoEmpregado}, {"deNascimento", r.DaNascimentoEmpregado},
                 {"deNacionalidade", "10"}, {"deInstrucao", "5"}, {"deCPF", r.CoCpfEmpregado}, {"deRaca", "8"},
                 {"deTipoAdmissao", "2"}, {"edSalario", "000100000"}, {"deHoras", "40"}, {"deTipoSalContratual", "1"},
                 {"deCBO", "411005"}, {"deVinculo", vinculo_}, {"edMarco", "000100000"}, {"deHorasMarco", "160"}}) {
            g->AbrePaginaDe(g->Controle(nome));
            g->PoeTexto(nome, valor);
        }
        g->PoeTexto("cbSexo", "1");
        dialogos_.Esquece();
        g->Ok();
        QCOMPARE(Caixas(), QStringList{TextoMensagem("1059")});
        QVERIFY(g->isVisible());
        QCOMPARE(Contagens().first, std::string("000003"));
    }

    void ContagensAposGravarEExcluirPeloFormulario() {
        auto f = Formulario();
        DigitaEmpregado(*f, kPis, "30");  // a foreigner
        QCOMPARE(Contagens(), std::make_pair(std::string("000002"), std::string("00001")));
        auto g = Formulario(ChaveEmpregado{kPis, "01022005", "MARIA DA SILVA", ""});
        QCOMPARE(g->Modo(), 'A');
        QCOMPARE(QApplication::focusWidget(), g->Controle("deNomeEmpregado"));
        dialogos_.Responde(Resposta::Sim);
        g->Excluir();
        QCOMPARE(dialogos_.caixas.back().texto, QStringLiteral("Deseja excluir o vínculo ?"));
        QCOMPARE(Contagens(), std::make_pair(std::string("000001"), std::string("00000")));
        QVERIFY(Linha(kPis).empty());
    }

    void RemuneracaoNaTelaENaTabela_data() {
        QTest::addColumn<QString>("armazenado");
        QTest::addColumn<QString>("exibido");
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("gravado");
        QTest::newRow("milhares") << "000123456" << "1.234,56" << "1.234,56" << "000123456";
        QTest::newRow("inteiro") << "000150000" << "1.500,00" << "1234" << "000123400";
        QTest::newRow("centavos") << "000000005" << "0,05" << "0,5" << "000000050";
        QTest::newRow("vazio") << "000000000" << "0,00" << "" << "000000000";
    }
    void RemuneracaoNaTelaENaTabela() {
        QFETCH(QString, armazenado);
        QFETCH(QString, exibido);
        QFETCH(QString, digitado);
        QFETCH(QString, gravado);
        auto r = Guardado(kOutroPis, "01012005");
        Tabela t(dm_->dbZovi, "BD8VINC");
        t.Abre();
        QVERIFY(t.BuscaChave({r.AnBase, r.CoCgcCeiEstabelecimento, r.NuPrefixoEstabelecimento, kOutroPis, "01012005",
                              r.NoEmpregado, ""}));
        t.Edita();
        t.PoeTexto("VaAbrilEmpregado", armazenado.toStdString());
        t.Grava();
        t.Fecha();
        auto f = Formulario(ChaveDe(r));
        QCOMPARE(f->Edicao("edAbril")->text(), exibido);
        QCOMPARE(f->Edicao("edMarco")->text(), QStringLiteral("1.234,56"));
        f->Edicao("edAbril")->clear();
        f->PoeTexto("edAbril", "");
        if (!digitado.isEmpty()) {
            f->AbrePaginaDe(f->Controle("edAbril"));
            Digita(*f, "edAbril", digitado);
        }
        QCOMPARE(QString::fromStdString(f->Registro().VaAbrilEmpregado), gravado);
    }

    void ListaBuscaAbreEExclui() {
        Guardado(kOutroPis, "01012005");
        TfmConEmpreg lista(*ctx_);
        Mostra(lista);
        auto* pis = lista.findChild<QLineEdit*>("edPisPasep");
        auto* grade = lista.findChild<QTableView*>("DBGridVinculo");
        QCOMPARE(lista.Modelo().rowCount(), 2);
        pis->setFocus();
        QTest::keyClicks(pis, "1207");
        QCOMPARE(lista.Modelo().rowCount(), 1);
        QTest::keyClick(pis, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BtExibir"));
        pis->setText("5");
        QTest::keyClick(pis, Qt::Key_Return);
        QCOMPARE(lista.Modelo().rowCount(), 0);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BtNovo"));

        // "Novo" with a PIS/PASEP already stored, "1050" answered No: the list searches for it.
        dialogos_.Responde(Resposta::Nao);
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& f = static_cast<TfmDadosEmpreg&>(d);
            Mostra(f);
            Entra(f, "dePisPasep", kOutroPis);
            return f.result();
        });
        lista.Novo();
        QCOMPARE(pis->text(), QString::fromLatin1(kOutroPis));
        QCOMPARE(lista.Modelo().rowCount(), 1);
        QVERIFY(lista.isVisible());

        // Deleting every employee closes the list and tells the establishment form.
        for (int i = 0; i < 2; ++i) {
            pis->clear();
            grade->setFocus();
            grade->selectRow(0);
            dialogos_.Responde(Resposta::Sim);
            QTest::keyClick(grade, Qt::Key_Delete);
        }
        QVERIFY(lista.SemEmpregados());
        QVERIFY(!lista.isVisible());
    }
};

QTEST_MAIN(EmpregadoTeste)
#include "EmpregadoTeste.moc"
