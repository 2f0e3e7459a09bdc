// Pictures of the import wizard's pages as a desktop shows them. Not a test:
//   captura_importacao ARQUIVO PASTA   (with DISPLAY on an X server with a window manager;
//   each picture is the whole screen, taken by ImageMagick's import)
// ARQUIVO is a declaration file to import; a copy with a fault shows the failure page.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include "data/ModulosDados.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "wizards/AssistenteImportacao.h"
#include "wizards/ListaMarcacao.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

void Tela(QWidget& w, const QString& arquivo) {
    w.show();
    w.raise();
    w.activateWindow();
    QTest::qWait(400);
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), arquivo});
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) return 64;
    const QString arquivo = QString::fromLocal8Bit(argv[1]), saida = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir pasta;
    for (const auto& e : std::filesystem::directory_iterator(GDZOVI_DADOS_CONSTRUIDOS))
        std::filesystem::copy_file(e.path(), std::filesystem::path(pasta.path().toStdString()) / e.path().filename());
    TdmGDZovi dm(pasta.path().toStdString());
    CatalogoMensagens catalogo(dm.dbZovi);
    auto& dialogos = ServicoDialogos::Programa();
    Mensagens mensagens(catalogo, dialogos);

    // The wizard driven by the script; each page is put on the screen on its turn.
    auto progresso = [](QDialog& d, int valor) {
        d.findChild<QStackedWidget*>("stPaineis")->setCurrentIndex(1);
        d.findChild<QProgressBar*>("pbProgresso")->setValue(valor);
    };
    dialogos.Roteiriza();
    dialogos.AgeNoFormulario([&](QDialog& d) {
        d.findChild<QLineEdit*>("arquivo")->setText(arquivo);
        Tela(d, saida + "/importacao-1-arquivo.png");
        progresso(d, 60);
        Tela(d, saida + "/importacao-2-verificando.png");
        d.findChild<QStackedWidget*>("stPaineis")->setCurrentIndex(0);
        d.hide();
        d.findChild<QPushButton*>("btAvancar")->click();
        return d.result();
    });
    dialogos.AgeNoFormulario([&](QDialog& d) {
        auto& modelo = d.findChild<ListaMarcacao*>("LEmpresas")->Modelo();
        modelo.Alterna(0);
        Tela(d, saida + "/importacao-3-selecao.png");
        progresso(d, 35);
        Tela(d, saida + "/importacao-4-importando.png");
        d.findChild<QStackedWidget*>("stPaineis")->setCurrentIndex(0);
        d.hide();
        modelo.MarcaTodas(true);
        d.findChild<QPushButton*>("btConcluir")->click();
        return d.result();
    });
    dialogos.AgeNoFormulario([&](QDialog& d) {
        Tela(d, saida + "/importacao-6-concluida.png");
        return int(QDialog::Rejected);
    });
    AssistenteImportacao importacao(dm, mensagens, dialogos, 2005);
    importacao.Executa();

    // A copy of the file whose third record is out of sequence: the failure page.
    const QString falho = pasta.filePath(QStringLiteral("falho"));
    QFile::copy(arquivo, falho);
    QFile f(falho);
    f.open(QIODevice::ReadWrite);
    f.seek(525 * 2);
    f.write("000009");
    f.close();
    dialogos.AgeNoFormulario([&](QDialog& d) {
        d.findChild<QLineEdit*>("arquivo")->setText(falho);
        d.findChild<QPushButton*>("btAvancar")->click();
        return d.result();
    });
    dialogos.AgeNoFormulario([&](QDialog& d) {
        Tela(d, saida + "/importacao-5-falha.png");
        return int(QDialog::Rejected);
    });
    AssistenteImportacao comFalha(dm, mensagens, dialogos, 2004);
    comFalha.Executa();
    return 0;
}
