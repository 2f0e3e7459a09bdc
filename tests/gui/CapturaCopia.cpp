// Pictures of the backup, restore and index rebuild dialogs and of the backup
// component's demonstration window, waiting and in the middle of a run, for a
// look at their layout. Not a test:
//   captura_copia PASTA     (QT_QPA_PLATFORM=offscreen, or under xvfb-run)
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>

#include "app/ProgramaGDZovi.h"
#include "app/TfmGDZOVI.h"
#include "backup/TForm1.h"
#include "backup/TfmBackup00.h"
#include "backup/TfmGeraIndice.h"
#include "backup/TfmRestore00.h"
#include "data/ModulosDados.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

void Salva(QWidget& w, const QString& arquivo) {
    w.show();
    QApplication::processEvents();
    w.grab().save(arquivo);
}

// The form as it looks while its run goes: label and bar shown at a position.
void EmAndamento(QWidget& w, int posicao) {
    w.findChild<QLabel*>("laProgresso")->show();
    auto* barra = w.findChild<QProgressBar*>("pbProgresso");
    barra->show();
    barra->setValue(posicao);
}

// A question of a run as the form asks it, saved while it waits for the answer.
void SalvaPergunta(InteracaoFormulario& interacao, const char* texto, const QString& arquivo) {
    QTimer::singleShot(300, [arquivo] {
        if (auto* caixa = QApplication::activeModalWidget()) {
            caixa->grab().save(arquivo);
            caixa->close();
        }
    });
    interacao.Mostra(TipoDialogo::Confirmacao, *Utf8ParaCp1252(texto));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString saida = argc > 1 ? argv[1] : QStringLiteral(".");
    QTemporaryDir pasta;
    for (const auto& e : std::filesystem::directory_iterator(GDZOVI_DADOS_CONSTRUIDOS))
        std::filesystem::copy_file(e.path(), std::filesystem::path(pasta.path().toStdString()) / e.path().filename());
    TdmGDZovi dm(pasta.path().toStdString());
    auto& dialogos = ServicoDialogos::Programa();

    TfmBackup00 fmBackup00(dm.dbZovi.Pasta(), dialogos);
    Salva(fmBackup00, saida + "/copia-1-gravar.png");
    EmAndamento(fmBackup00, 40);
    Salva(fmBackup00, saida + "/copia-2-gravar-andamento.png");

    InteracaoFormulario interacao(dialogos, fmBackup00);
    SalvaPergunta(interacao, "Insira o volume n° 2", saida + "/copia-9-volume.png");
    SalvaPergunta(interacao,
                  "A unidade nao oferece o espaço mínimo exigido para o Backup. \nSe utilizar disquetes, insira um "
                  "novo\ncom espaco disponivel.\nPronto para continuar ou cancelar?",
                  saida + "/copia-10-espaco.png");

    TfmRestore00 fmRestore00(dm.dbZovi, dialogos);
    Salva(fmRestore00, saida + "/copia-3-restaurar.png");
    EmAndamento(fmRestore00, 70);
    Salva(fmRestore00, saida + "/copia-4-restaurar-andamento.png");

    TfmGeraIndice fmGeraIndice(dm, dialogos);
    Salva(fmGeraIndice, saida + "/copia-5-indexar.png");
    EmAndamento(fmGeraIndice, 9);
    Salva(fmGeraIndice, saida + "/copia-6-indexar-andamento.png");

    TForm1 form1(dialogos);
    Salva(form1, saida + "/copia-7-demo-backup.png");
    form1.findChild<QTabWidget*>("pcPaginas")->setCurrentIndex(1);
    Salva(form1, saida + "/copia-8-demo-restore.png");
    form1.hide();

    // The backup dialog in its place over the running program (needs a screen: xvfb-run).
    ProgramaGDZovi programa(dialogos, pasta.path().toStdString(), pasta.path(), QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
    if (!programa.Inicia()) return 1;
    auto fechaModal = [] {
        if (auto* modal = QApplication::activeModalWidget()) modal->close();
    };
    QTimer::singleShot(1500, fechaModal);
    QTimer::singleShot(2000, [&] { programa.fmGDZOVI()->ExecutaComando("miCopiaGravar"); });
    QTimer::singleShot(3000, [&] { QGuiApplication::primaryScreen()->grabWindow(0).save(saida + "/copia-11-na-tela.png"); });
    // Its "&Iniciar": the save dialog.
    QTimer::singleShot(3200, [] {
        if (auto* modal = QApplication::activeModalWidget()) modal->findChild<QPushButton*>("btIniciar")->click();
    });
    QTimer::singleShot(4500, [&] { QGuiApplication::primaryScreen()->grabWindow(0).save(saida + "/copia-12-arquivo.png"); });
    QTimer::singleShot(4700, fechaModal);
    QTimer::singleShot(5000, [] { QApplication::quit(); });
    return app.exec();
}
