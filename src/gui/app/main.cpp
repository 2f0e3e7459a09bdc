// gdzovi: the desktop program.
#include <QApplication>

#include "app/ProgramaGDZovi.h"
#include "data/VerificaArquivos.h"
#include "messages/ServicoDialogos.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zovi::gui::ProgramaGDZovi programa(zovi::gui::ServicoDialogos::Programa(),
                                       zovi::PastaDadosDoPrograma(QCoreApplication::applicationDirPath().toStdString()));
    if (!programa.Inicia()) return 0;
    return app.exec();
}
