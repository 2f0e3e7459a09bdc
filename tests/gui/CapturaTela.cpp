// Screenshots of the program for a look at its windows under a virtual X
// server (xvfb-run): starts it on a copy of the data folder and saves the
// screen at a few moments. Without a window manager there is no title bar, so
// the main window's caption is drawn above each picture.
//   captura_tela PASTA          the tour, pictures saved in PASTA
//   captura_tela --tela ARQUIVO  only the screen as it is now (another program's windows)
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <filesystem>
#include <functional>

#include "app/JanelaAjuda.h"
#include "app/ProgramaGDZovi.h"
#include "app/TfmGDZOVI.h"
#include "messages/ServicoDialogos.h"

using namespace zovi::gui;

namespace {

void Salva(const QString& arquivo, const QString& titulo) {
    auto tela = QGuiApplication::primaryScreen()->grabWindow(0);
    QImage imagem(tela.width(), tela.height() + 24, QImage::Format_RGB32);
    imagem.fill(QColor(30, 60, 120));
    QPainter p(&imagem);
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, tela.width(), 24), Qt::AlignVCenter, titulo);
    p.drawPixmap(0, 24, tela);
    p.end();
    imagem.save(arquivo);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--tela") {
        Salva(QString::fromLocal8Bit(argv[2]), QStringLiteral("(tela)"));
        return 0;
    }
    const QString saida = argc > 1 ? argv[1] : QStringLiteral(".");
    QTemporaryDir pasta;
    for (const auto& e : std::filesystem::directory_iterator(GDZOVI_DADOS_CONSTRUIDOS))
        std::filesystem::copy_file(e.path(), std::filesystem::path(pasta.path().toStdString()) / e.path().filename());
    ProgramaGDZovi programa(ServicoDialogos::Programa(), pasta.path().toStdString(), pasta.path(),
                            QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
    if (!programa.Inicia()) return 1;
    auto* janela = programa.fmGDZOVI();

    std::vector<std::function<void()>> passos = {
        [&] { Salva(saida + "/tela-1-inicio.png", janela->windowTitle()); },
        [&] {
            if (auto* modal = QApplication::activeModalWidget()) modal->close();
        },
        [&] {
            auto* botao = janela->findChild<QToolButton*>("sbResp");
            QToolTip::showText(botao->mapToGlobal(QPoint(10, 30)), botao->toolTip(), botao);
        },
        [&] { Salva(saida + "/tela-2-janela.png", janela->windowTitle()); },
        [&] { janela->findChild<QMenu*>("mnDeclaracao")->popup(janela->mapToGlobal(QPoint(0, 24))); },
        [&] {
            auto* sub = janela->findChild<QMenu*>("mnImportar");
            sub->popup(janela->mapToGlobal(QPoint(300, 250)));
        },
        [&] { Salva(saida + "/tela-3-menu.png", janela->windowTitle()); },
        [&] {
            while (auto* aberto = QApplication::activePopupWidget()) aberto->close();
            janela->findChild<QMenu*>("mnAjuda")->popup(janela->mapToGlobal(QPoint(250, 24)));
        },
        [&] { Salva(saida + "/tela-4-ajuda.png", janela->windowTitle()); },
        [&] {
            while (auto* aberto = QApplication::activePopupWidget()) aberto->close();
            janela->ExecutaComando("miSobre");
        },
        [&] {
            if (auto* modal = QApplication::activeModalWidget()) modal->close();
            janela->ExecutaComando("miComoFazer");
        },
        [&] { Salva(saida + "/tela-6-janela-ajuda.png", janela->windowTitle()); },
        // The report preview is modal: the steps after it run inside its loop.
        [&] { janela->ExecutaComando("miVisualizarCartela"); },
        [&] {
            auto* previa = QApplication::activeModalWidget();
            Salva(saida + "/tela-7-previa.png", previa ? previa->windowTitle() : janela->windowTitle());
        },
        [&] {
            if (auto* modal = QApplication::activeModalWidget()) modal->close();
        },
        [&] { QApplication::quit(); },
    };
    // A modal box runs its own loop: each step is a timer, so it fires inside it too.
    for (size_t i = 0; i < passos.size(); ++i) QTimer::singleShot(1500 + 700 * int(i), passos[i]);
    // The about box: saved while it is open.
    QTimer::singleShot(1500 + 700 * 9 + 400, [&] { Salva(saida + "/tela-5-sobre.png", janela->windowTitle()); });
    return app.exec();
}
