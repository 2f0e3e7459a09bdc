// The generation wizard driven offscreen through the dialog service, writing to
// emulated diskettes (GDZOVI_UNIDADE_A=folder:BYTES) and to a chosen folder.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "Aceleradores.h"
#include "Gerador.h"
#include "PastaTeste.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "entry/TfmDadosResp.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"
#include "platform/Texto1252.h"
#include "rules/CriticaZovi.h"
#include "wizards/AssistenteGravacao.h"
#include "wizards/EscolhaUnidade.h"
#include "wizards/ListaMarcacao.h"
#include "zovi2005.h"

using namespace zovi;
using namespace zovi::gui;
namespace fs = std::filesystem;

namespace {

using Acao = ServicoDialogos::AcaoFormulario;

QPushButton* Botao(QWidget& w, const char* nome) { return w.findChild<QPushButton*>(nome); }

Acao Clica(const char* botao) {
    return [botao](QDialog& d) {
        Botao(d, botao)->click();
        return d.result();
    };
}

// Ticks every establishment and goes on.
Acao MarcaTodasEAvanca() {
    return [](QDialog& d) {
        d.findChild<ListaMarcacao*>("clEmpresas")->Modelo().MarcaTodas(true);
        Botao(d, "btAvancar")->click();
        return d.result();
    };
}

// On the result page: the date typed, the drive entry chosen (-1 none), then `depois`.
Acao DataEDrive(const QString& data, int entrada, std::function<int(QDialog&)> depois) {
    return [=](QDialog& d) {
        d.findChild<QLineEdit*>("edData")->setText(data);
        d.findChild<EscolhaUnidade*>("cbDrive")->Seleciona(entrada);
        return depois(d);
    };
}

// The text of the result page's panel.
QString TextoResultado(QDialog& d) {
    return d.findChild<QWidget*>("paResultado")->findChild<QLabel*>("laTexto")->text();
}

QStringList Textos(const ServicoDialogos& d) {
    QStringList r;
    for (const auto& c : d.caixas) r << c.texto;
    return r;
}

std::string Le(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool SeloConfere(const fs::path& p) {
    char selo[ZOVI2005_SELO] = {};
    hashFileGenerate(p.c_str(), selo);
    const std::string c = Le(p);
    return c.size() > 34 && std::string(selo).size() == 32 && c.substr(c.size() - 34, 32) == selo;
}

const QString kInterrompida = QStringLiteral("A gravação do arquivo \"ZOVI2005\" interrompida pelo usuário!");

// Answers the windows that really open over a page, as a user would: every message box with
// its default button (its text kept), the folder dialog with `pasta`.
class Respondedor : public QObject {
public:
    explicit Respondedor(QString pasta = {}) : pasta_(std::move(pasta)) {
        connect(&relogio_, &QTimer::timeout, this, &Respondedor::Responde);
        relogio_.start(20);
    }
    QStringList caixas;
    QStringList pastasIniciais;  // where each folder dialog opened

private:
    void Responde() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* caixa = qobject_cast<QMessageBox*>(modal)) {
            caixas << caixa->text();
            QTest::keyClick(caixa, Qt::Key_Return);
        } else if (auto* pastas = qobject_cast<QFileDialog*>(modal)) {
            pastasIniciais << pastas->directory().absolutePath();
            pastas->setDirectory(pasta_);
            QMetaObject::invokeMethod(pastas, "accept");
        }
    }
    QString pasta_;
    QTimer relogio_;
};

}  // namespace

class AssistenteGravacaoTeste : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<teste::PastaTeste> pasta_, midias_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<CatalogoMensagens> catalogo_;
    std::unique_ptr<Mensagens> mensagens_;
    std::unique_ptr<Referencias> ref_;
    std::unique_ptr<TCriticaZovi> critica_;
    std::unique_ptr<Seletores> seletores_;
    ServicoDialogos dialogos_;

    QString Mensagem(const char* codigo) {
        return QString::fromStdString(Cp1252ParaUtf8(catalogo_->Busca(codigo)->texto));
    }
    fs::path Disquete(int n) const { return midias_->Caminho() / ("disquete" + std::to_string(n)); }
    // Diskette n of `bytes` in drive A:.
    void Insere(int n, long bytes = 1457664) {
        fs::create_directories(Disquete(n));
        qputenv("GDZOVI_UNIDADE_A", QByteArray::fromStdString(Disquete(n).string() + ":" + std::to_string(bytes)));
    }
    void Gera(long estabelecimentos, long empregados) {
        bancada::ParametrosGeracao p;
        p.estabelecimentos = estabelecimentos;
        p.empregadosPorEstabelecimento = empregados;
        bancada::GeraDeclaracao(dm_->dbZovi, p);
    }
    void Altera(const std::string& sql) {
        Consulta q(dm_->dbZovi, {sql});
        q.Executa();
    }
    // The three pages before the result page, each going on.
    void AteOResultado() {
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
        dialogos_.AgeNoFormulario(MarcaTodasEAvanca());
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
    }
    std::string Gravado(const char* campo) {
        Tabela t(dm_->dbZovi, "BD8RESP");
        t.Abre();
        t.Primeiro();
        return t.Texto(campo);
    }
    // The welcome page and the list, each going on.
    void AteOResponsavel() {
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
        dialogos_.AgeNoFormulario(MarcaTodasEAvanca());
    }
    // The declarant page on screen (the dialog service runs pages without showing them).
    static TfmDadosResp& Mostra(QDialog& d) {
        d.show();
        d.activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(&d)); }();
        return *d.findChild<TfmDadosResp*>();
    }
    void Executa() {
        AssistenteGravacao assistente(*dm_, *mensagens_, *critica_, *seletores_, dialogos_);
        assistente.Executa();
    }

private slots:
    void init() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        midias_ = std::make_unique<teste::PastaTeste>(false);
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        catalogo_ = std::make_unique<CatalogoMensagens>(dm_->dbZovi);
        mensagens_ = std::make_unique<Mensagens>(*catalogo_, dialogos_);
        ref_ = std::make_unique<Referencias>(dm_->dbZovi);
        critica_ = std::make_unique<TCriticaZovi>(*ref_);
        seletores_ = std::make_unique<Seletores>(*dm_, dialogos_);
        Insere(1);
        qunsetenv("GDZOVI_UNIDADE_B");
        EscolhaUnidade::PastaDaSessao().reset();
        dialogos_.Esquece();
        dialogos_.Roteiriza();
    }
    void cleanup() {
        qunsetenv("GDZOVI_UNIDADE_A");
        seletores_.reset();
        critica_.reset();
        ref_.reset();
        mensagens_.reset();
        catalogo_.reset();
        dm_.reset();
    }

    // A clean declaration from the welcome page to the end page: one sealed file on the diskette.
    void DeclaracaoCorretaGravadaNoDisquete() {
        Gera(2, 3);
        AteOResultado();
        QString texto;
        dialogos_.AgeNoFormulario(DataEDrive("15/03/2006", 0, [&](QDialog& d) {
            texto = TextoResultado(d);
            Botao(d, "btAvancar")->click();
            return d.result();
        }));
        QString sucesso;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            sucesso = d.findChild<QLabel*>("laSucesso")->text();
            Botao(d, "btFechar")->click();
            return d.result();
        });
        Executa();
        QCOMPARE(Textos(dialogos_), QStringList{});
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmGravaDecl00", "TfmGravaDecl02", "TfmGravaDecl01",
                                                              "TfmGravaDecl03", "TfmGravaDecl04"}));
        QVERIFY(texto.startsWith(QStringLiteral("As informações do(s) estabelecimento(s) selecionado(s) estão corretamente declaradas.")));
        QCOMPARE(sucesso, QStringLiteral("Arquivo gerado com SUCESSO !"));
        QVERIFY(SeloConfere(Disquete(1) / "Zovi2005"));
        QCOMPARE(Le(Disquete(1) / "Zovi2005").size(), size_t(525 * (1 + 2 * 4 + 1)));
    }

    // Errors stop at the errors panel: Avançar stays disabled and nothing is written.
    void ErrosParamNoPainelDeErros() {
        Gera(1, 2);
        Altera("update BD8EMP set NoRazaoEstabelecimento = ''");
        AteOResultado();
        bool avancar = true, dataVisivel = true;
        QString texto, imprimir;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            avancar = Botao(d, "btAvancar")->isEnabled();
            dataVisivel = d.findChild<QLineEdit*>("edData")->isVisibleTo(&d);
            texto = TextoResultado(d);
            imprimir = Botao(d, "btImprimir")->text();
            Botao(d, "btCancelar")->click();
            return d.result();
        });
        Executa();
        QVERIFY(!avancar);
        QVERIFY(!dataVisivel);
        QVERIFY(texto.startsWith(QStringLiteral("As informações do(s) estabelecimento(s) selecionado(s) apresentaram ERROS.")));
        QCOMPARE(imprimir, QStringLiteral("&Erros"));
        QVERIFY(fs::is_empty(Disquete(1)));
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmGravaDecl03"));
    }

    // Warnings do not stop the file.
    void SoAvisosPodeGravar() {
        Gera(1, 6);
        // More foreigners declared than a third of the employees: warning "1670".
        Altera("update BD8EMP set NuEstrangeirosEstabelec = '3'");
        AteOResultado();
        QString texto, imprimir;
        dialogos_.AgeNoFormulario(DataEDrive("02/01/2006", 0, [&](QDialog& d) {
            texto = TextoResultado(d);
            imprimir = Botao(d, "btImprimir")->text();
            Botao(d, "btAvancar")->click();
            return d.result();
        }));
        Executa();
        QVERIFY2(texto.startsWith(QStringLiteral("As informações do(s) estabelecimento(s)  não apresentaram erros.")),
                 qPrintable(texto));
        QCOMPARE(imprimir, QStringLiteral("Avi&sos"));
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmGravaDecl04"));
        QVERIFY(SeloConfere(Disquete(1) / "Zovi2005"));
    }

    // A declaration over two diskettes: the writer asks for the second with OK and Cancel; the user
    // takes the first out and puts a blank one in; both files are sealed.
    void DoisDisquetes() {
        Gera(1, 6);
        Insere(1, 3525 + 4 * 525);  // the establishment and three employees
        AteOResultado();
        dialogos_.RespondeCom([&](const CaixaMostrada&) {
            Insere(2, 3525 + 4 * 525);
            return Resposta::Ok;
        });
        dialogos_.AgeNoFormulario(DataEDrive("15/03/2006", 0, Clica("btAvancar")));
        // The labels on a machine without a printer: saved as PDF.
        const auto etiquetas = midias_->Caminho() / "etiquetas.pdf";
        dialogos_.EscolheArquivo(QString::fromStdString(etiquetas.string()));
        dialogos_.AgeNoFormulario([](QDialog& d) {
            Botao(d, "btEtiqueta")->click();
            return Clica("btFechar")(d);
        });
        Executa();
        QCOMPARE(Textos(dialogos_).first(), QStringLiteral("Insira o disquete # 2\nno drive A:"));
        QCOMPARE(dialogos_.caixas[0].botoes, (QList<Resposta>{Resposta::Ok, Resposta::Cancela}));
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmGravaDecl04"));
        QVERIFY(SeloConfere(Disquete(1) / "Zovi2005"));
        QVERIFY(SeloConfere(Disquete(2) / "Zovi2005"));
        QVERIFY(fs::file_size(etiquetas) > 0);
    }

    // Cancel while writing, then Yes: no unfinished file, the user stays on the page with
    // Avançar enabled, and the next Avançar writes afresh.
    void CancelarDuranteAGravacao() {
        Gera(2, 20);
        AteOResultado();
        dialogos_.Responde(Resposta::Sim);
        bool avancar = false, vazio = false;
        dialogos_.AgeNoFormulario(DataEDrive("15/03/2006", 0, [&](QDialog& d) {
            QTimer::singleShot(0, Botao(d, "btCancelar"), &QPushButton::click);
            Botao(d, "btAvancar")->click();
            avancar = Botao(d, "btAvancar")->isEnabled();
            vazio = fs::is_empty(Disquete(1));
            Botao(d, "btAvancar")->click();
            return d.result();
        }));
        Executa();
        QCOMPARE(Textos(dialogos_), (QStringList{"Deseja interromper?", kInterrompida}));
        QVERIFY(avancar);
        QVERIFY(vazio);
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmGravaDecl04"));
        QVERIFY(SeloConfere(Disquete(1) / "Zovi2005"));
    }

    // The generation date and the drive are checked before writing, each failure with its code.
    void DataEDriveCriticados() {
        Gera(1, 0);
        AteOResultado();
        const std::pair<const char*, const char*> datas[] = {
            {"31/12/2005", "0420"}, {"01/01/2007", "0423"}, {"31/02/2006", "0421"}, {"", "0421"}};
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            for (const auto& caso : datas) DataEDrive(caso.first, 0, Clica("btAvancar"))(d);
            // A good date without a drive.
            DataEDrive("15/03/2006", -1, Clica("btAvancar"))(d);
            return Clica("btCancelar")(d);
        });
        Executa();
        QStringList esperados;
        for (const auto& [data, codigo] : datas) esperados << Mensagem(codigo);
        esperados << Mensagem("0600");
        QCOMPARE(Textos(dialogos_), esperados);
        QVERIFY(fs::is_empty(Disquete(1)));
    }

    // The result page on screen, its message boxes and the folder dialog really opened: the
    // checks run only when the focus moves to another control of the page, one message at a
    // time. Tab out of a bad date says only the date's message (not the empty drive's too) and
    // the focus comes back; Alt+A with a bad date says it once; "Outra pasta..." picked with the
    // keyboard opens the folder dialog and nothing over it; Escape with the date empty closes
    // the wizard in silence.
    void ResultadoComFocoReal() {
        Gera(1, 2);
        const fs::path pasta = midias_->Caminho() / "teclado";
        fs::create_directories(pasta);
        // The user's folders, and where the program keeps what it remembers, for this test alone.
        const QByteArray casa = qgetenv("HOME"), configuracao = qgetenv("XDG_CONFIG_HOME");
        const QString novaCasa = QString::fromStdString((midias_->Caminho() / "casa").string());
        qputenv("HOME", novaCasa.toUtf8());
        qputenv("XDG_CONFIG_HOME", (novaCasa + QStringLiteral("/.config")).toUtf8());
        AteOResultado();
        QStringList aoEscolherPasta, aoTab, aoAltA, aoEsc, abriuEm;
        QString lembrada;
        QString focoDepoisTab;
        QString escolhido;
        bool fechou = false;
        dialogos_.AgeNoFormulario([&](QDialog& d) -> int {
            dialogos_.Roteiriza(false);
            // A window manager gives the page its activation back when a box over it closes;
            // offscreen, the test does.
            auto ativa = [&d] {
                d.activateWindow();
                QTest::qWaitForWindowActive(&d);
            };
            d.show();
            ativa();
            auto* edData = d.findChild<QLineEdit*>("edData");
            auto* drive = d.findChild<EscolhaUnidade*>("cbDrive");
            {
                // The page opens in the date, the drive not chosen.
                Respondedor r;
                edData->setText("31/12/2005");
                QTest::keyClick(edData, Qt::Key_Tab);
                QTest::qWaitFor([&] { return !r.caixas.isEmpty(); });
                QTest::qWait(150);
                // The page's focus, which the window gives back when it is active again.
                focoDepoisTab = d.focusWidget() ? d.focusWidget()->objectName() : QString();
                aoTab = r.caixas;
            }
            ativa();
            {
                Respondedor r;
                QTest::keyClick(edData, Qt::Key_A, Qt::AltModifier);
                QTest::qWaitFor([&] { return !r.caixas.isEmpty(); });
                QTest::qWait(250);
                aoAltA = r.caixas;
            }
            ativa();
            {
                Respondedor r(QString::fromStdString(pasta.string()));
                edData->setText("15/03/2006");
                QTest::keyClick(edData, Qt::Key_Tab);
                // "Drive A:", then "Outra pasta...".
                QTest::keyClick(drive, Qt::Key_Down);
                QTest::keyClick(drive, Qt::Key_Down);
                QTest::qWait(150);
                escolhido = drive->currentText();
                aoEscolherPasta = r.caixas;
                abriuEm = r.pastasIniciais;
                lembrada = ServicoDialogos::PastaInicial(QDir::homePath());
            }
            ativa();
            {
                Respondedor r;
                edData->setFocus();
                edData->clear();
                QTest::keyClick(edData, Qt::Key_Escape);
                QTest::qWait(150);
                fechou = !d.isVisible();
                aoEsc = r.caixas;
            }
            dialogos_.Roteiriza(true);
            return d.result();
        });
        Executa();
        qputenv("HOME", casa);
        configuracao.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", configuracao);
        QCOMPARE(aoEscolherPasta, QStringList{});
        QCOMPARE(escolhido, QString::fromStdString(pasta.string()));
        // The folder dialog opened in the documents folder, never the bare home; the folder
        // picked is where the next file dialog opens.
        QCOMPARE(abriuEm, QStringList{novaCasa + QStringLiteral("/Documents")});
        QCOMPARE(lembrada, QString::fromStdString(pasta.string()));
        QCOMPARE(aoTab, QStringList{Mensagem("0420")});
        QCOMPARE(focoDepoisTab, QStringLiteral("edData"));
        QCOMPARE(aoAltA, QStringList{Mensagem("0420")});
        QVERIFY(fechou);
        QCOMPARE(aoEsc, QStringList{});
        QVERIFY(fs::is_empty(pasta));
    }

    // "Outra pasta...": the folder picked in the folder dialog holds the file, and stays offered.
    void OutraPasta() {
        Gera(1, 2);
        const fs::path pasta = midias_->Caminho() / "declaracoes";
        fs::create_directories(pasta);
        dialogos_.EscolheArquivo(QString::fromStdString(pasta.string()));
        AteOResultado();
        QStringList entradas;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto* drive = d.findChild<EscolhaUnidade*>("cbDrive");
            DataEDrive("15/03/2006", drive->count() - 1, Clica("btAvancar"))(d);
            return d.result();
        });
        Executa();
        QCOMPARE(Textos(dialogos_), QStringList{});
        QVERIFY(SeloConfere(pasta / "Zovi2005"));
        QVERIFY(fs::is_empty(Disquete(1)));
        EscolhaUnidade escolha;
        for (int i = 0; i < escolha.count(); ++i) entradas << escolha.itemText(i);
        QCOMPARE(entradas, (QStringList{"Drive A:", QString::fromStdString(pasta.string()), "Outra pasta..."}));
    }

    // The declarant page shows the stored row. Avançar stops at the first failing check, with
    // its message and the focus there, storing nothing and verifying nothing; once the checks
    // pass, the row is stored (the street number zero-filled) and the verification runs.
    void ResponsavelGravadoAoAvancar() {
        Gera(1, 2);
        // A telephone stored with a blank (as imported) goes back trimmed.
        Altera("update BD8RESP set NuLogradouroRespArquivo = '000012', NuFoneAssinante = ' 3632885'");
        const std::string nome = Gravado("NoResponsavelArquivo");
        AteOResponsavel();
        QString numeroMostrado;
        QWidget *foco = nullptr, *nomeEdicao = nullptr;
        bool ficou = false;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& f = Mostra(d);
            numeroMostrado = f.Edicao("edNumero")->text();
            nomeEdicao = f.Edicao("edNome");
            f.Edicao("edNome")->setText("MATRIZ");
            f.Edicao("edNumero")->setText("345");
            Botao(d, "btAvancar")->click();
            foco = QApplication::focusWidget();
            ficou = d.isVisible() && d.result() == 0;
            f.Edicao("edNome")->setText("ESCRITORIO CONTABIL MODELO");
            Botao(d, "btAvancar")->click();
            return d.result();
        });
        dialogos_.AgeNoFormulario(Clica("btCancelar"));
        Executa();
        QCOMPARE(numeroMostrado, QStringLiteral("12"));
        QCOMPARE(Textos(dialogos_), QStringList{Mensagem("0111")});
        QCOMPARE(foco, nomeEdicao);
        QVERIFY(ficou);
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmGravaDecl03"));
        QCOMPARE(Gravado("NoResponsavelArquivo"), std::string("ESCRITORIO CONTABIL MODELO"));
        QCOMPARE(Gravado("NuLogradouroRespArquivo"), std::string("000345"));
        QCOMPARE(Gravado("NuFoneAssinante"), std::string("3632885"));
        QVERIFY(nome != "ESCRITORIO CONTABIL MODELO");
    }

    // Voltar drops what was typed (the page comes back with the stored row), and leaving a
    // field for Cancelar runs no check: the wizard just closes, the row as it was.
    void VoltarECancelarNaoGravam() {
        Gera(1, 2);
        const std::string nome = Gravado("NoResponsavelArquivo");
        AteOResponsavel();
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            Mostra(d).Edicao("edNome")->setText("OUTRO NOME");
            return Clica("btVoltar")(d);
        });
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
        QString nomeDeNovo;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& f = Mostra(d);
            nomeDeNovo = f.Edicao("edNome")->text();
            f.Edicao("edNome")->setFocus();
            f.Edicao("edNome")->setText("MATRIZ");
            QTest::mouseClick(Botao(d, "btCancelar"), Qt::LeftButton);
            return d.result();
        });
        Executa();
        QCOMPARE(nomeDeNovo, QString::fromStdString(Cp1252ParaUtf8(nome)));
        QCOMPARE(Textos(dialogos_), QStringList{});
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmGravaDecl01"));
        QCOMPARE(Gravado("NoResponsavelArquivo"), nome);
    }

    // Cancel during the verification, confirmed: the message, then the declarant's fields again
    // with the row as it was saved, Voltar and Avançar back; the wizard stays on the page.
    void VerificacaoInterrompidaVoltaAosCampos() {
        Gera(3, 20);
        AteOResponsavel();
        dialogos_.Responde(Resposta::Sim);
        bool dadosVisiveis = false, botoes = false;
        QString nomeMostrado;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& f = *d.findChild<TfmDadosResp*>();
            f.Edicao("edNome")->setText("ESCRITORIO CONTABIL MODELO");
            QTimer::singleShot(0, Botao(d, "btCancelar"), &QPushButton::click);
            Botao(d, "btAvancar")->click();
            dadosVisiveis = d.findChild<QStackedWidget*>("stPaineis")->currentWidget()->objectName() == "paDados";
            botoes = Botao(d, "btAvancar")->isEnabled() && Botao(d, "btVoltar")->isEnabled();
            nomeMostrado = f.Edicao("edNome")->text();
            return Clica("btCancelar")(d);
        });
        Executa();
        QCOMPARE(Textos(dialogos_), (QStringList{"Deseja interromper?", "Consistência interrompida pelo usuário"}));
        QCOMPARE(dialogos_.caixas[1].icone, QMessageBox::Information);
        QVERIFY(dadosVisiveis && botoes);
        QCOMPARE(nomeMostrado, QStringLiteral("ESCRITORIO CONTABIL MODELO"));
        QCOMPARE(Gravado("NoResponsavelArquivo"), std::string("ESCRITORIO CONTABIL MODELO"));
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmGravaDecl01"));
    }

    // In rectification, a failed copy into the work tables ends the wizard after the declarant
    // was saved, without verifying.
    void RetificacaoSemCopiaFechaOAssistente() {
        Gera(1, 2);
        Altera("update BD8EMP set NoRazaoEstabelecimento = ''");  // a verification would find it
        AteOResponsavel();
        dialogos_.AgeNoFormulario([](QDialog& d) {
            d.findChild<TfmDadosResp*>()->Edicao("edNome")->setText("ESCRITORIO CONTABIL MODELO");
            return Clica("btAvancar")(d);
        });
        AssistenteGravacao assistente(*dm_, *mensagens_, *critica_, *seletores_, dialogos_);
        assistente.Contexto().dmDadosResp.modoRetificacao = true;
        int copias = 0;
        assistente.Contexto().copiaRetificacao = [&] { return ++copias, false; };
        assistente.Executa();
        QCOMPARE(copias, 1);
        QVERIFY(assistente.Contexto().dmDadosResp.cancelado);
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmGravaDecl01"));
        QCOMPARE(Textos(dialogos_), QStringList{});
        QCOMPARE(Gravado("NoResponsavelArquivo"), std::string("ESCRITORIO CONTABIL MODELO"));
        QVERIFY(!assistente.Contexto().resultado.vrErro);
    }

    // An area code of another state is a notice when the user moves to the next field, and
    // nothing when leaving it for Avançar: the page goes on to the verification.
    void DddDeOutraUfSoAvisaForaDoAvancar() {
        Gera(1, 2);
        AteOResponsavel();
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto* ddd = Mostra(d).Edicao("edDdd");
            ddd->setFocus();
            ddd->setText("11");
            QTest::keyClick(ddd, Qt::Key_Tab);
            ddd->setFocus();
            QTest::mouseClick(Botao(d, "btAvancar"), Qt::LeftButton);
            return d.result();
        });
        dialogos_.AgeNoFormulario(Clica("btCancelar"));
        Executa();
        QCOMPARE(Textos(dialogos_), QStringList{Mensagem("0402")});
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmGravaDecl03"));
        QCOMPARE(Gravado("NuFoneDDD"), std::string("11"));
    }

    // Each accelerator of the declarant page (its fields' and the wizard's buttons) reaches
    // one control only, and the page says whose data these are once.
    void AceleradoresDoResponsavelUnicos() {
        Gera(1, 2);
        AteOResponsavel();
        QStringList repetidos, titulos;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            repetidos = teste::AceleradoresRepetidos(d);
            for (auto* l : d.findChildren<QLabel*>()) titulos << l->text();
            for (auto* g : d.findChildren<QGroupBox*>()) titulos << g->title();
            return Clica("btCancelar")(d);
        });
        Executa();
        QCOMPARE(repetidos, QStringList{});
        QCOMPARE(titulos.filter(QStringLiteral("Dados do Responsável pela Declaração"), Qt::CaseInsensitive).size(), 1);
    }

    // The main window's "Gravar Declaração": the typed declaration written to a folder, and its
    // labels saved as PDF on a machine without a printer.
    void DaJanelaPrincipalAteAsEtiquetas() {
        Gera(2, 3);
        const fs::path pasta = midias_->Caminho() / "entregas";
        const fs::path etiquetas = midias_->Caminho() / "etiquetas.pdf";
        dialogos_.EscolheArquivo(QString::fromStdString(pasta.string()));
        dialogos_.EscolheArquivo(QString::fromStdString(etiquetas.string()));
        AteOResultado();
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto* drive = d.findChild<EscolhaUnidade*>("cbDrive");
            return DataEDrive("15/03/2006", drive->count() - 1, Clica("btAvancar"))(d);
        });
        dialogos_.AgeNoFormulario([](QDialog& d) {
            Botao(d, "btEtiqueta")->click();
            return Clica("btFechar")(d);
        });
        JanelaAjuda ajuda(QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
        TfmGDZOVI janela(*dm_, dialogos_, ajuda);
        janela.ExecutaComando("sbGravar");
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmGravaDecl00", "TfmGravaDecl02", "TfmGravaDecl01",
                                                              "TfmGravaDecl03", "TfmGravaDecl04"}));
        QVERIFY(SeloConfere(pasta / "Zovi2005"));
        QVERIFY(fs::is_empty(Disquete(1)));
        QVERIFY(fs::exists(etiquetas) && fs::file_size(etiquetas) > 0);
    }

    // Escape in a declarant field is the page's Cancelar: the wizard closes, nothing asked.
    void EscNoResponsavelFechaOAssistente() {
        Gera(1, 2);
        AteOResponsavel();
        bool fechou = false;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& f = Mostra(d);
            f.Edicao("edNome")->setFocus();
            QTest::keyClick(f.Edicao("edNome"), Qt::Key_Escape);
            fechou = !d.isVisible() && d.result() == QDialog::Rejected;
            return d.result();
        });
        Executa();
        QVERIFY(fechou);
        QCOMPARE(Textos(dialogos_), QStringList{});
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmGravaDecl01"));
    }

    // Nothing to write: "1700" on the welcome page; nothing ticked: "1301" on the list.
    void SemEstabelecimentosOuNadaMarcado() {
        dialogos_.AgeNoFormulario([](QDialog& d) {
            Botao(d, "btAvancar")->click();
            return Clica("btCancelar")(d);
        });
        Executa();
        QCOMPARE(Textos(dialogos_), QStringList{Mensagem("1700")});
        QCOMPARE(dialogos_.formularios, std::vector<QString>{"TfmGravaDecl00"});

        Gera(1, 0);
        dialogos_.Esquece();
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
        dialogos_.AgeNoFormulario([](QDialog& d) {
            Botao(d, "btAvancar")->click();
            return Clica("btCancelar")(d);
        });
        Executa();
        QCOMPARE(Textos(dialogos_), QStringList{Mensagem("1301")});
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmGravaDecl00", "TfmGravaDecl02"}));
    }
};

QTEST_MAIN(AssistenteGravacaoTeste)
#include "AssistenteGravacaoTeste.moc"
