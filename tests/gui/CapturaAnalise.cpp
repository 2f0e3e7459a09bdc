// Pictures of the analyzer wizard's pages as a desktop shows them. Not a test:
//   captura_analise ARQUIVO PASTA   (with DISPLAY on an X server with a window manager;
//   each picture is the whole screen, taken by ImageMagick's import)
// ARQUIVO is an unsealed declaration file; a copy with a fault shows the fault panel.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include "data/ModulosDados.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "wizards/AssistenteAnalise.h"

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

    dialogos.Roteiriza();
    auto paraArquivo = [&](const QString& caminho, const QString& foto) {
        dialogos.AgeNoFormulario([&, caminho, foto](QDialog& d) {
            d.findChild<QLineEdit*>("arquivo")->setText(caminho);
            if (!foto.isEmpty()) Tela(d, foto);
            d.findChild<QPushButton*>("btAvancar")->click();
            return d.result();
        });
    };
    paraArquivo(arquivo, saida + "/analise-1-arquivo.png");
    dialogos.AgeNoFormulario([&](QDialog& d) {
        Tela(d, saida + "/analise-3-resultado.png");
        return int(QDialog::Rejected);
    });
    AssistenteAnalise(dm, mensagens, dialogos).Executa();

    // A copy of the file whose third record is out of sequence: the fault panel.
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
        Tela(d, saida + "/analise-2-falha.png");
        return int(QDialog::Rejected);
    });
    AssistenteAnalise(dm, mensagens, dialogos).Executa();
    return 0;
}
