// The program's start and main window, driven offscreen through the dialog service.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "PastaTeste.h"
#include "app/AplicacaoGDZovi.h"
#include "app/InstanciaUnica.h"
#include "app/JanelaAjuda.h"
#include "app/ProgramaGDZovi.h"
#include "app/TfmGDZOVI.h"
#include "app/TfmSobre.h"
#include "data/ModulosDados.h"
#include "engine/Tabela.h"
#include "messages/RotinasFormulario.h"
#include "messages/ServicoDialogos.h"

using namespace zovi;
using namespace zovi::gui;
namespace fs = std::filesystem;

namespace {

const QString kPastaAjuda = QStringLiteral(GDZOVI_PASTA_BIN "/ajuda");

// The commands that need an establishment of 2005 or 2006, and those that stay disabled.
const char* const kDependentes[] = {"sbAbrir",  "sbExcluir", "sbVerInco", "sbRetif",  "sbGravar",     "miAbrir",
                                    "miExcluir", "miVerInco", "miGravar",  "miRetif", "miCopiaGravar"};
const char* const kSempreDesabilitados[] = {"miImprimir", "sbRelatorio", "miConsultaArquivo", "sbConsDisq"};

bool Habilitado(QObject& janela, const char* nome) {
    if (auto* b = janela.findChild<QToolButton*>(nome)) return b->isEnabled();
    auto* a = janela.findChild<QAction*>(nome);
    return a && a->isEnabled();
}

void AcrescentaEstabelecimento(Banco& banco, const std::string& ano, const std::string& inscricao) {
    Tabela t(banco, "BD8EMP");
    t.Abre();
    t.Acrescenta();
    t.PoeTexto("AnBase", ano);
    t.PoeTexto("CoCgcCeiEstabelecimento", inscricao);
    t.PoeTexto("NuPrefixoEstabelecimento", "01");
    t.Grava();
}

// Ticks (or not) the tips box and presses its "&Ok", as the user would.
ServicoDialogos::AcaoFormulario ConfirmaDicas(bool naoMostrar) {
    return [naoMostrar](QDialog& d) {
        d.findChild<QCheckBox*>("cbDicas")->setChecked(naoMostrar);
        d.findChild<QPushButton*>("btOk")->click();
        return d.result();
    };
}

}  // namespace

class JanelaTeste : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<QTemporaryDir> trava_;
    ServicoDialogos dialogos_;

    std::unique_ptr<ProgramaGDZovi> Programa() {
        return std::make_unique<ProgramaGDZovi>(dialogos_, pasta_->Caminho(), trava_->path(), kPastaAjuda);
    }

private slots:
    void init() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        trava_ = std::make_unique<QTemporaryDir>();
        dialogos_.Esquece();
        dialogos_.Roteiriza();
    }

    void ControlaBotoesPelosAnosBase_data() {
        QTest::addColumn<QStringList>("anos");
        QTest::addColumn<bool>("habilitados");
        QTest::newRow("sem estabelecimentos") << QStringList{} << false;
        QTest::newRow("apenas 2004") << QStringList{"2004", "2004"} << false;
        QTest::newRow("um de 2005") << QStringList{"2004", "2005"} << true;
        QTest::newRow("um de 2006") << QStringList{"2006"} << true;
    }
    void ControlaBotoesPelosAnosBase() {
        QFETCH(QStringList, anos);
        QFETCH(bool, habilitados);
        {
            Banco b;
            b.Abre("Zovi2005", {pasta_->Parametro()});
            int n = 0;
            for (const auto& ano : anos) AcrescentaEstabelecimento(b, ano.toStdString(), "1111111111111" + std::to_string(n++));
        }
        dialogos_.AgeNoFormulario(ConfirmaDicas(true));
        auto programa = Programa();
        QVERIFY(programa->Inicia());
        auto& janela = *programa->fmGDZOVI();
        for (const char* nome : kDependentes) QCOMPARE(Habilitado(janela, nome), habilitados);
        for (const char* nome : kSempreDesabilitados) QVERIFY(!Habilitado(janela, nome));
        QVERIFY(Habilitado(janela, "sbNova") && Habilitado(janela, "miCopiaRestaurar"));
    }

    void ExcluirOUltimoEstabelecimentoDesabilita() {
        TdmGDZovi dm(pasta_->Caminho());
        AcrescentaEstabelecimento(dm.dbZovi, "2005", "11111111111111");
        JanelaAjuda ajuda(kPastaAjuda);
        TfmGDZOVI janela(dm, dialogos_, ajuda);
        janela.ControlaBotoes();
        QVERIFY(Habilitado(janela, "sbExcluir"));
        {
            Tabela t(dm.dbZovi, "BD8EMP");
            t.Abre();
            t.Primeiro();
            t.Apaga();
        }
        janela.ExecutaComando("sbExcluir");
        for (const char* nome : kDependentes) QVERIFY(!Habilitado(janela, nome));
        // Every other command, on a database left without establishments: each returns with no
        // window left open over the main window, writes no row, and leaves it usable.
        const auto linhas = [&dm] {
            long n = 0;
            for (const char* tabela : {"BD8EMP", "BD8VINC"}) {
                Tabela t(dm.dbZovi, tabela);
                t.Abre();
                for (t.Primeiro(); !t.Fim(); t.Proximo()) ++n;
            }
            return n;
        };
        for (auto* acao : janela.findChildren<QAction*>()) {
            if (acao->objectName() == "miSair" || acao->objectName().isEmpty() || acao->menu()) continue;
            janela.ExecutaComando(acao->objectName());
            QVERIFY2(!QApplication::activeModalWidget(), qPrintable(acao->objectName()));
            QVERIFY2(janela.isEnabled(), qPrintable(acao->objectName()));
            QVERIFY2(linhas() == 0, qPrintable(acao->objectName()));
        }
        for (const char* nome : kDependentes) QVERIFY(!Habilitado(janela, nome));
    }

    void SegundaInstanciaRecusada() {
        InstanciaUnica primeira(trava_->path());
        QVERIFY(primeira.Obtem());
        // Another process is refused while this one holds the lock.
        QProcess outro;
        outro.start(QCoreApplication::applicationFilePath(), {"--tenta-trava", trava_->path()});
        QVERIFY(outro.waitForFinished(10000));
        QCOMPARE(outro.exitCode(), 3);
        // A second start: the message, then the end (exit code 0) without any window.
        auto programa = Programa();
        QVERIFY(!programa->Inicia());
        QVERIFY(!programa->fmGDZOVI());
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].titulo, QStringLiteral("Aviso"));
        QCOMPARE(dialogos_.caixas[0].texto, QStringLiteral("Este programa já está sendo executado."));
        QCOMPARE(dialogos_.caixas[0].icone, QMessageBox::Critical);
    }

    void TravaDeUmaCopiaQueMorreuEhRetomada() {
        QProcess morta;
        morta.start(QCoreApplication::applicationFilePath(), {"--toma-trava-e-morre", trava_->path()});
        QVERIFY(morta.waitForFinished(10000));
        QCOMPARE(morta.exitCode(), 0);
        QVERIFY(QFile::exists(trava_->path() + "/GDZovi2005"));
        InstanciaUnica nova(trava_->path());
        QVERIFY(nova.Obtem());
    }

    void TabelaAusenteEncerraComAviso() {
        fs::remove(pasta_->Caminho() / "TBUFCEP.DB");
        auto programa = Programa();
        QVERIFY(!programa->Inicia());
        QVERIFY(!programa->fmGDZOVI());
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].titulo, QStringLiteral("Atenção"));
        QCOMPARE(dialogos_.caixas[0].texto,
                 QStringLiteral("Faltam arquivos para execução do sistema. Instale novamente o GDZOVI."));
        QVERIFY(!fs::exists(pasta_->Caminho() / "TBUFCEP.DB"));
    }

    void DicasUmaVezDepoisSoPeloMenu() {
        {
            // First start on an empty declarant table: the box opens; the user ticks it.
            dialogos_.AgeNoFormulario(ConfirmaDicas(true));
            auto programa = Programa();
            QVERIFY(programa->Inicia());
            QTRY_COMPARE(dialogos_.formularios.size(), size_t(1));
            QCOMPARE(dialogos_.formularios[0], QStringLiteral("TfmInicioRegras"));
            QCOMPARE(programa->fmGDZOVI()->windowTitle(),
                     QStringLiteral("GDZovi2005 - Gerador de Declaração Zovi [Versão: 2005.2]"));
        }
        {
            // Next start: no box; the menu still shows it, with the tick read back.
            auto programa = Programa();
            QVERIFY(programa->Inicia());
            QTest::qWait(50);
            QVERIFY(dialogos_.formularios.size() == 1);
            bool marcado = false;
            dialogos_.AgeNoFormulario([&](QDialog& d) {
                marcado = d.findChild<QCheckBox*>("cbDicas")->isChecked();
                return int(QDialog::Rejected);
            });
            programa->fmGDZOVI()->ExecutaComando("miInformacoesUteis");
            QCOMPARE(dialogos_.formularios.size(), size_t(2));
            QVERIFY(marcado);
        }
    }

    void AjudaPorTopicoEContexto() {
        TdmGDZovi dm(pasta_->Caminho());
        JanelaAjuda ajuda(kPastaAjuda);
        TfmGDZOVI janela(dm, dialogos_, ajuda);
        janela.show();
        janela.ExecutaComando("miComoFazer");
        QVERIFY(ajuda.isVisible());
        QCOMPARE(ajuda.TopicoAtual(), 10);
        // F1 on a highlighted menu item opens that command's page.
        auto* menu = janela.findChild<QMenu*>("mnDeclaracao");
        menu->popup(QPoint(0, 0));
        menu->setActiveAction(janela.findChild<QAction*>("miResp"));
        QTest::keyClick(menu, Qt::Key_F1);
        QTRY_COMPARE(ajuda.TopicoAtual(), 905);
        // Context 0 (the help command) opens the contents at the first topic.
        janela.ExecutaComando("spHelp");
        QCOMPARE(ajuda.TopicoAtual(), 1);
        QVERIFY(ajuda.NumTopicos() > 20);
        // Leaving the program closes the help as well.
        janela.ExecutaComando("miSair");
        QVERIFY(!janela.isVisible() && !ajuda.isVisible());
    }

    // The catalogue's messages reach the user through the main window's dialogs.
    void MensagensDoCatalogoPelosDialogos() {
        TdmGDZovi dm(pasta_->Caminho());
        JanelaAjuda ajuda(kPastaAjuda);
        TfmGDZOVI janela(dm, dialogos_, ajuda);
        dialogos_.Responde(Resposta::Sim);
        QCOMPARE(janela.MensagensPrograma().MostraMensagem("1001"), std::string("mrYes"));
        QVERIFY(janela.MensagensPrograma().ConfirmaInterrupcao() == false);
        QCOMPARE(dialogos_.caixas.size(), size_t(2));
        QCOMPARE(dialogos_.caixas[0].titulo, QStringLiteral("Confirme"));
        QVERIFY(dialogos_.caixas[0].texto.startsWith(QStringLiteral("Esta inscrição já está cadastrada")));
        QCOMPARE(dialogos_.caixas[1].titulo, QStringLiteral("Informação"));
        QCOMPARE(dialogos_.caixas[1].texto, QStringLiteral("Deseja interromper?"));
        QCOMPARE(dialogos_.caixas[1].icone, QMessageBox::Information);
        QCOMPARE(dialogos_.caixas[1].botoes, (QList<Resposta>{Resposta::Sim, Resposta::Nao}));
        // A run waiting for a diskette asks with OK and Cancel.
        dialogos_.Responde(Resposta::Cancela);
        QVERIFY(dialogos_.MostraOkCancela(zovi::TipoDialogo::Informacao, "Insira o disquete # 2") == Resposta::Cancela);
        QCOMPARE(dialogos_.caixas[2].botoes, (QList<Resposta>{Resposta::Ok, Resposta::Cancela}));
    }

    void SobreMostraVersaoEAbreSite() {
        TdmGDZovi dm(pasta_->Caminho());
        JanelaAjuda ajuda(kPastaAjuda);
        TfmGDZOVI janela(dm, dialogos_, ajuda);
        janela.show();
        QString versao;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            versao = d.findChild<QLabel*>("laVersao")->text();
            auto* site = d.findChild<QLabel*>("laSite");
            emit site->linkActivated(EnderecoSiteZovi());
            return int(QDialog::Accepted);
        });
        janela.ExecutaComando("miSobre");
        QCOMPARE(versao, QStringLiteral("Versão 2005.2"));
        QCOMPARE(dialogos_.enderecos.size(), size_t(1));
        QCOMPARE(dialogos_.enderecos[0], QUrl(EnderecoSiteZovi()));
    }

    void ErroNaoTratadoEncerraOPrograma_data() {
        QTest::addColumn<QString>("erro");
        QTest::addColumn<QString>("inicio");
        QTest::newRow("excecao qualquer") << "fatal" << "Erro fatal.\n\nfalhou de verdade";
        QTest::newRow("erro de banco") << "banco" << "Erro DataBase.\n\ncampo inexistente";
        QTest::newRow("erro do motor") << "motor" << "Erro BDE  10756 : $2A04";
        QTest::newRow("dentro de um formulario") << "modal" << "Erro fatal.";
    }
    // In another process, since the program really ends: the error is shown once with the
    // closing text, the exit code tells the failure, and the row stored before it stays.
    void ErroNaoTratadoEncerraOPrograma() {
        QFETCH(QString, erro);
        QFETCH(QString, inicio);
        QProcess filho;
        filho.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        filho.start(QCoreApplication::applicationFilePath(),
                    {"--erro-nao-tratado", erro, QString::fromStdString(pasta_->Caminho().string())});
        QVERIFY(filho.waitForFinished(20000));
        QCOMPARE(filho.exitCode(), AplicacaoGDZovi::kSaidaErro);
        const auto caixas = QString::fromUtf8(filho.readAllStandardOutput()).split(QChar(0x1e), Qt::SkipEmptyParts);
        QCOMPARE(caixas.size(), 1);
        QVERIFY2(caixas[0].startsWith("Erro|" + inicio), qPrintable(caixas[0]));
        QVERIFY(caixas[0].endsWith("\n\nErro não previsto.\nContatar a CATZOVI comunicando todos os itens da mensagem."));
        TdmGDZovi dm(pasta_->Caminho());
        Tabela t(dm.dbZovi, "BD8EMP");
        t.Abre();
        QVERIFY(t.BuscaChave({"2005", "22222222222222", "01"}));
    }

    void LimpaEdicoesDesceNosPaineis() {
        QWidget formulario;
        auto* abas = new QTabWidget(&formulario);
        auto* pagina = new QWidget;
        abas->addTab(pagina, "Dados");
        auto* painel = new QWidget(pagina);
        auto* direta = new QLineEdit("direta", &formulario);
        auto* funda = new QLineEdit("funda", painel);
        auto* memo = new QPlainTextEdit("memo", painel);
        auto* numero = new QSpinBox(painel);
        numero->setValue(7);
        auto* lista = new QComboBox(painel);
        lista->setEditable(true);
        lista->addItems({"um", "dois"});
        auto* texto = new QTextBrowser(painel);
        texto->setPlainText("fixo");
        LimpaEdicoes(formulario);
        QVERIFY(direta->text().isEmpty() && funda->text().isEmpty() && memo->toPlainText().isEmpty());
        QCOMPARE(numero->value(), 7);
        QCOMPARE(lista->currentText(), QStringLiteral("um"));
        QCOMPARE(texto->toPlainText(), QStringLiteral("fixo"));
    }

    void LimitePaginasAvisaEFechaAPrevia() {
        QWidget previa;
        previa.show();
        LimitePaginas(previa, dialogos_);
        QVERIFY(!previa.isVisible());
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].texto,
                 QStringLiteral(" Limite de páginas excedido para visualização. Utilize a função IMPRIMIR. "));
        QCOMPARE(dialogos_.caixas[0].icone, QMessageBox::NoIcon);
    }

    // The real message box: Portuguese buttons, No, and the close box giving Cancel.
    void CaixaDeConfirmacaoReal() {
        dialogos_.Roteiriza(false);
        QString titulo;
        QStringList botoes;
        QTimer::singleShot(0, [&] {
            auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(caixa);
            titulo = caixa->windowTitle();
            for (auto* b : caixa->buttons()) botoes << b->text();
            caixa->button(QMessageBox::No)->click();
        });
        QCOMPARE(dialogos_.Mensagem(TipoDialogo::Confirmacao, QStringLiteral("Deseja continuar?")), Resposta::Nao);
        QCOMPARE(titulo, QStringLiteral("Confirme"));
        botoes.sort();
        QCOMPARE(botoes, (QStringList{"&Não", "&Sim"}));
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QCOMPARE(dialogos_.Mensagem(TipoDialogo::Confirmacao, QStringLiteral("Deseja continuar?")), Resposta::Cancela);
    }
};

int ErroNaoTratado(int argc, char** argv) {
    const QByteArray erro = argv[2];
    ServicoDialogos dialogos;
    dialogos.Roteiriza();
    AplicacaoGDZovi app(argc, argv, dialogos);
    TdmGDZovi dm(argv[3]);
    AcrescentaEstabelecimento(dm.dbZovi, "2005", "22222222222222");
    auto falha = [erro] {
        if (erro == "banco") throw ErroBanco("campo inexistente");
        if (erro == "motor") throw ErroMotor(codigo_motor::ValorForaDaLista, "");
        throw std::runtime_error("falhou de verdade");
    };
    if (erro == "modal") {
        QTimer::singleShot(0, [falha] {
            QDialog formulario;
            QTimer::singleShot(0, falha);
            formulario.exec();
        });
    } else {
        QTimer::singleShot(0, falha);
    }
    const int saida = app.exec();
    for (const auto& c : dialogos.caixas)
        std::cout << (c.titulo + "|" + c.texto).toStdString() << '\x1e';
    return saida;
}

int main(int argc, char** argv) {
    // Used by the second-instance test: try to take the lock in another process.
    if (argc == 3 && QByteArray(argv[1]) == "--tenta-trava") {
        QCoreApplication app(argc, argv);
        return InstanciaUnica(QString::fromLocal8Bit(argv[2])).Obtem() ? 0 : 3;
    }
    // Used by the stale-lock test: take the lock and end without releasing it, as a crash would.
    if (argc == 3 && QByteArray(argv[1]) == "--toma-trava-e-morre") {
        QCoreApplication app(argc, argv);
        auto* trava = new InstanciaUnica(QString::fromLocal8Bit(argv[2]));
        std::_Exit(trava->Obtem() ? 0 : 3);
    }
    // Used by the unhandled-error test: the program's application object meets an error.
    if (argc == 4 && QByteArray(argv[1]) == "--erro-nao-tratado") return ErroNaoTratado(argc, argv);
    QApplication app(argc, argv);
    JanelaTeste teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "JanelaTeste.moc"
