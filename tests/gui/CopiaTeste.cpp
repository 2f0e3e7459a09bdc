// Backup, restore and index rebuild through their dialogs, offscreen, with the
// user's answers scripted in the dialog service.
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>


#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "OutroProcesso.h"
#include "PastaTeste.h"
#include "TabelasPreenchidas.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "backup/TForm1.h"
#include "backup/TfmBackup00.h"
#include "backup/TfmGeraIndice.h"
#include "backup/TfmRestore00.h"
#include "data/ModulosDados.h"
#include "engine/Tabela.h"
#include "messages/ServicoDialogos.h"

using namespace zovi;
using namespace zovi::gui;
namespace fs = std::filesystem;

namespace {

// Made-up rows that do not compress to nothing, so a few thousand need several 30000-byte
// volumes; the establishments are of 2005, so the main window's commands are enabled.
void Preenche(Banco& b, const std::string& tabela, int linhas) {
    zovi::teste::PreencheTabela(b, tabela, linhas, 0, tabela == "BD8EMP" ? "2005" : "");
}

// Presses the form's "&Iniciar", as the user would.
ServicoDialogos::AcaoFormulario Inicia() {
    return [](QDialog& d) {
        d.findChild<QPushButton*>("btIniciar")->click();
        return d.result();
    };
}

const CaixaMostrada* Caixa(const ServicoDialogos& d, const QString& texto) {
    for (const auto& c : d.caixas)
        if (c.texto == texto) return &c;
    return nullptr;
}

const QString kRestaurada = QStringLiteral("Restauração da cópia bem sucedida.");

}  // namespace

class CopiaTeste : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<teste::PastaTeste> pasta_, destino_;
    std::unique_ptr<TdmGDZovi> dm_;
    ServicoDialogos dialogos_;

    fs::path Arquivo(const char* nome) const { return destino_->Caminho() / nome; }

    // Runs the backup dialog into arquivo on volumes that each offer livre bytes.
    int Grava(const fs::path& arquivo, std::uintmax_t livre) {
        dialogos_.EscolheArquivo(QString::fromStdString(arquivo.string()));
        TfmBackup00 fm(dm_->dbZovi.Pasta(), dialogos_, nullptr, [livre](const fs::path&) { return livre; });
        dialogos_.AgeNoFormulario(Inicia());
        return dialogos_.Executa(fm);
    }

private slots:
    void init() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        destino_ = std::make_unique<teste::PastaTeste>(false);
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        Preenche(dm_->dbZovi, "BD8VINC", 1500);
        Preenche(dm_->dbZovi, "BD8EMP", 3);
        dialogos_.Esquece();
        dialogos_.Roteiriza();
    }
    void cleanup() { dm_.reset(); }

    // Saved over diskettes (volumes of 50000 bytes) and restored from the main window's command
    // over tables the user changed meanwhile: the tables come back and the commands follow them.
    void IdaEVoltaEmVariosVolumes() {
        const auto salvos = zovi::teste::ArquivosDasTabelasDeclaracao(pasta_->Caminho());
        for (int i = 0; i < 30; ++i) dialogos_.Responde(Resposta::Ok);
        // The name typed without extension gets the archives' one.
        QCOMPARE(Grava(Arquivo("zovi2005"), 50000), int(QDialog::Accepted));
        QVERIFY(fs::exists(Arquivo("zovi2005.BKP")) && fs::exists(Arquivo("zovi2005.002")));
        const auto* volume = Caixa(dialogos_, QStringLiteral("Insira o volume n° 2"));
        QVERIFY(volume);
        QCOMPARE(volume->titulo, QStringLiteral("Informação"));
        QCOMPARE(volume->botoes, (QList<Resposta>{Resposta::Ok, Resposta::Cancela}));
        QCOMPARE(dialogos_.caixas.back().texto, QStringLiteral("Gravação da cópia bem sucedida."));

        {
            Tabela t(dm_->dbZovi, "BD8EMP");
            t.Abre();
            while (!t.Vazia()) {
                t.Primeiro();
                t.Apaga();
            }
        }
        JanelaAjuda ajuda(QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
        TfmGDZOVI janela(*dm_, dialogos_, ajuda);
        janela.ControlaBotoes();
        QVERIFY(!janela.findChild<QAction*>("miCopiaGravar")->isEnabled());

        dialogos_.Esquece();
        dialogos_.EscolheArquivo(QString::fromStdString(Arquivo("zovi2005.BKP").string()));
        for (int i = 0; i < 30; ++i) dialogos_.Responde(Resposta::Ok);
        dialogos_.AgeNoFormulario(Inicia());
        janela.ExecutaComando("miCopiaRestaurar");
        QCOMPARE(dialogos_.formularios, std::vector<QString>{"TfmRestore00"});
        QVERIFY(Caixa(dialogos_, QStringLiteral("Insira o volume n° 2")));
        QCOMPARE(dialogos_.caixas.back().texto, kRestaurada);
        QCOMPARE(zovi::teste::ArquivosDasTabelasDeclaracao(pasta_->Caminho()), salvos);
        QVERIFY(!fs::exists(pasta_->Caminho() / "Work"));
        QCOMPARE(zovi::teste::ContaLinhas(dm_->dbZovi, "BD8VINC"), 1500L);
        QVERIFY(janela.findChild<QAction*>("miCopiaGravar")->isEnabled());
    }

    // "&Cancelar" pressed while the copy runs asks first; Yes stops it and closes the dialog.
    void CancelarDuranteAGravacao() {
        dialogos_.Responde(Resposta::Sim);
        dialogos_.EscolheArquivo(QString::fromStdString(Arquivo("Zovi2005.bkp").string()));
        TfmBackup00 fm(dm_->dbZovi.Pasta(), dialogos_, nullptr, [](const fs::path&) { return 50000; });
        dialogos_.AgeNoFormulario([](QDialog& d) {
            QTimer::singleShot(0, d.findChild<QPushButton*>("btCancelar"), &QPushButton::click);
            d.findChild<QPushButton*>("btIniciar")->click();
            return d.result();
        });
        QCOMPARE(dialogos_.Executa(fm), int(QDialog::Rejected));
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].texto, QStringLiteral("Cancelar o processo de Backup ?"));
        QCOMPARE(dialogos_.caixas[0].botoes, (QList<Resposta>{Resposta::Sim, Resposta::Nao}));
        QVERIFY(!fs::exists(Arquivo("Zovi2005.002")));
    }

    // A diskette of 50000 bytes in drive A: the first volume fills it, and the same diskette
    // offered again for the second has no room left: the space question, and Cancel ends the copy.
    void DisqueteCheioNoSegundoVolume() {
        const auto unidade = destino_->Caminho() / "a";
        fs::create_directories(unidade);
        qputenv("GDZOVI_UNIDADE_A", QByteArray::fromStdString(unidade.string() + ":50000"));
        dialogos_.EscolheArquivo(QString::fromStdString((unidade / "Zovi2005.bkp").string()));
        dialogos_.Responde(Resposta::Ok);
        dialogos_.Responde(Resposta::Cancela);
        TfmBackup00 fm(dm_->dbZovi.Pasta(), dialogos_);
        dialogos_.AgeNoFormulario(Inicia());
        const int resultado = dialogos_.Executa(fm);
        qunsetenv("GDZOVI_UNIDADE_A");
        QCOMPARE(resultado, int(QDialog::Rejected));
        QCOMPARE(dialogos_.caixas.size(), size_t(2));
        QCOMPARE(dialogos_.caixas[0].texto, QStringLiteral("Insira o volume n° 2"));
        const auto& espaco = dialogos_.caixas[1];
        QCOMPARE(espaco.texto, QStringLiteral("A unidade nao oferece o espaço mínimo exigido para o Backup. \nSe utilizar "
                                              "disquetes, insira um novo\ncom espaco disponivel.\nPronto para "
                                              "continuar ou cancelar?"));
        QCOMPARE(espaco.icone, QMessageBox::Warning);
        QCOMPARE(espaco.botoes, (QList<Resposta>{Resposta::Ok, Resposta::Cancela}));
        // The first volume waited beside its name; cancelled, the copy leaves nothing on the diskette.
        QVERIFY(fs::is_empty(unidade));
    }

    // With the dialogs really shown: the save dialog takes the name of the archive already
    // there (its replace question answered Yes), the second volume's question Cancel. The
    // dialog closes and the earlier archive is whole, with nothing left beside it.
    void CanceladaNoSegundoVolumeComDialogosReais() {
        QCOMPARE(Grava(Arquivo("Zovi2005.bkp"), 4'000'000'000u), int(QDialog::Accepted));
        std::ifstream lido(Arquivo("Zovi2005.bkp"), std::ios::binary);
        const std::string anterior{std::istreambuf_iterator<char>(lido), {}};
        dialogos_.Roteiriza(false);
        TfmBackup00 fm(dm_->dbZovi.Pasta(), dialogos_, nullptr, [](const fs::path&) { return 50000; });
        QStringList caixas;
        bool escolhido = false;
        QTimer responde;
        connect(&responde, &QTimer::timeout, [&] {
            auto* janela = QApplication::activeModalWidget();
            if (auto* arquivos = qobject_cast<QFileDialog*>(janela); arquivos && !escolhido) {
                escolhido = true;
                arquivos->selectFile(QString::fromStdString(Arquivo("Zovi2005.bkp").string()));
                // Queued: the replace question it asks then runs in a loop of its own.
                QMetaObject::invokeMethod(arquivos, "accept", Qt::QueuedConnection);
            } else if (auto* caixa = qobject_cast<QMessageBox*>(janela)) {
                caixas << caixa->text();
                auto* botao = caixa->button(QMessageBox::Cancel);
                (botao ? botao : caixa->button(QMessageBox::Yes))->click();
            }
        });
        responde.start(20);
        QTimer::singleShot(0, &fm, [&] { fm.findChild<QPushButton*>("btIniciar")->click(); });
        QCOMPARE(fm.exec(), int(QDialog::Rejected));
        responde.stop();
        QVERIFY(!caixas.isEmpty());
        QCOMPARE(caixas.back(), QStringLiteral("Insira o volume n° 2"));
        std::ifstream depois(Arquivo("Zovi2005.bkp"), std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(depois), {}), anterior);
        QCOMPARE(std::distance(fs::directory_iterator(destino_->Caminho()), fs::directory_iterator()), 1L);
        dialogos_.Roteiriza();
    }

    // An archive cut short stops the restore with its error and leaves the data folder alone.
    void ArquivoDanificadoNaoTocaOsDados() {
        QCOMPARE(Grava(Arquivo("Zovi2005.bkp"), 4'000'000'000u), int(QDialog::Accepted));
        fs::resize_file(Arquivo("Zovi2005.bkp"), fs::file_size(Arquivo("Zovi2005.bkp")) / 2);
        const auto antes = zovi::teste::ArquivosDasTabelasDeclaracao(pasta_->Caminho());

        dialogos_.Esquece();
        dialogos_.EscolheArquivo(QString::fromStdString(Arquivo("Zovi2005.bkp").string()));
        TfmRestore00 fm(dm_->dbZovi, dialogos_);
        dialogos_.AgeNoFormulario(Inicia());
        QCOMPARE(dialogos_.Executa(fm), int(QDialog::Rejected));
        QVERIFY(Caixa(dialogos_, QStringLiteral("A cópia de segurança não pode ser restaurada: ela está danificada. As "
                                                "tabelas da declaração não foram alteradas.")));
        QVERIFY(!Caixa(dialogos_, kRestaurada));
        QCOMPARE(zovi::teste::ArquivosDasTabelasDeclaracao(pasta_->Caminho()), antes);
        QCOMPARE(zovi::teste::ContaLinhas(dm_->dbZovi, "BD8EMP"), 3L);
    }

    // Every step rebuilt: the bar climbs to its end, then goes away before the closing message.
    void IndexacaoCompleta() {
        TfmGeraIndice fm(*dm_, dialogos_);
        auto* barra = fm.findChild<QProgressBar*>("pbProgresso");
        QSignalSpy passos(barra, &QProgressBar::valueChanged);
        bool cancelarDesabilitado = false;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            QTimer::singleShot(0, [&] { cancelarDesabilitado = !d.findChild<QPushButton*>("btCancelar")->isEnabled(); });
            d.findChild<QPushButton*>("btIniciar")->click();
            return d.result();
        });
        QCOMPARE(dialogos_.Executa(fm), int(QDialog::Accepted));
        QVERIFY(cancelarDesabilitado);
        QCOMPARE(barra->maximum(), 17);
        QList<int> posicoes, esperadas;
        for (const auto& p : passos) posicoes << p.at(0).toInt();
        for (int i = 1; i <= 17; ++i) esperadas << i;
        QCOMPARE(posicoes, esperadas);  // from 0 one position per step; the last two leave it full
        QVERIFY(barra->isHidden());
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].texto, QStringLiteral("Arquivos indexados com sucesso."));
        QCOMPARE(dialogos_.caixas[0].icone, QMessageBox::Warning);
        QVERIFY(dm_->taCBO.Aberta());
    }

    // The occupation table held by another program: the rebuild stops at its step with the
    // engine's warning and the advice to reinstall, and the dialog closes there.
    void IndexacaoParaNaTabelaOcupada() {
        // A child would share the locks of tables this process has open: fork with none open.
        dm_.reset();
        zovi::teste::OutroProcesso outro(pasta_->Caminho(), "TB8CBO");
        QVERIFY(outro.Segura());
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        TfmGeraIndice fm(*dm_, dialogos_);
        dialogos_.AgeNoFormulario(Inicia());
        QCOMPARE(dialogos_.Executa(fm), int(QDialog::Rejected));
        QCOMPARE(dialogos_.caixas.size(), size_t(2));
        QVERIFY(dialogos_.caixas[0].texto.contains(QStringLiteral("Table is busy")));
        QCOMPARE(dialogos_.caixas[1].texto,
                 QStringLiteral("Arquivos com problemas. Reinstale novamente o sistema GDZOVI2005."));
        QCOMPARE(fm.findChild<QProgressBar*>("pbProgresso")->value(), 14);
    }

    // The component's demonstration: two files (one by a mask) packed with their file list,
    // the list read back, and restored into another folder.
    void DemonstracaoDoComponente() {
        const auto origem = destino_->Caminho() / "origem";
        fs::create_directories(origem);
        std::ofstream(origem / "a.txt") << "primeiro arquivo";
        std::ofstream(origem / "b.dat") << std::string(40000, 'z');
        TForm1 form1(dialogos_);
        auto clica = [&](const char* botao) { form1.findChild<QPushButton*>(botao)->click(); };

        clica("btCria");
        QCOMPARE(dialogos_.caixas.back().texto, QStringLiteral("No files added"));
        dialogos_.EscolheArquivo(QString::fromStdString((origem / "a.txt").string()));
        clica("btAdicionaArquivos");
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            static_cast<QInputDialog&>(d).setTextValue(QString::fromStdString((origem / "*.dat").string()));
            return int(QDialog::Accepted);
        });
        clica("btAdicionaMascara");
        QCOMPARE(form1.findChild<QListWidget*>("lbArquivos")->count(), 2);
        form1.findChild<QCheckBox*>("cbSaveFileID")->setChecked(true);
        form1.findChild<QRadioButton*>("rbMax")->setChecked(true);
        const auto copia = destino_->Caminho() / "demo";
        dialogos_.EscolheArquivo(QString::fromStdString(copia.string()));
        clica("btCria");
        QVERIFY(dialogos_.caixas.back().texto.startsWith(QStringLiteral("Backup sucessful. Compression rate = ")));
        QVERIFY(dialogos_.caixas.back().texto.endsWith(QStringLiteral(" %")));
        QCOMPARE(form1.Componente().CompressionLevel, TCompressionLevel::clMax);

        form1.MostraCopia(QString::fromStdString(copia.string() + ".bck"));
        QCOMPARE(form1.findChild<QLabel*>("laTituloLido")->text(), QStringLiteral("My backup"));
        auto* conteudo = form1.findChild<QListWidget*>("lbConteudo");
        QCOMPARE(conteudo->count(), 2);
        QVERIFY(conteudo->item(1)->text().startsWith(QString::fromStdString((origem / "b.dat").string()) + " from "));
        QVERIFY(conteudo->item(1)->text().endsWith(QStringLiteral(", 40000 bytes")));

        form1.findChild<QRadioButton*>("rbOutra")->setChecked(true);
        clica("btRestaura");
        QCOMPARE(dialogos_.caixas.back().texto, QStringLiteral("Please enter a target path"));
        const auto alvo = destino_->Caminho() / "alvo";
        form1.findChild<QLineEdit*>("edOutra")->setText(QString::fromStdString(alvo.string()));
        clica("btRestaura");
        QCOMPARE(dialogos_.caixas.back().texto, QStringLiteral("Restore successfully finished, 2 files of 2 restored"));
        QCOMPARE(fs::file_size(alvo / "b.dat"), 40000u);
        QVERIFY(!form1.isVisible());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CopiaTeste teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "CopiaTeste.moc"
