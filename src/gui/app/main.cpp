// gdzovi: the desktop program.
#include "app/AplicacaoGDZovi.h"
#include "app/ProgramaGDZovi.h"
#include "data/VerificaArquivos.h"
#include "messages/ServicoDialogos.h"

using namespace zovi::gui;

int main(int argc, char** argv) {
    auto& dialogos = ServicoDialogos::Programa();
    AplicacaoGDZovi app(argc, argv, dialogos);
    try {
        ProgramaGDZovi programa(dialogos,
                                zovi::PastaDadosDoPrograma(QCoreApplication::applicationDirPath().toStdString()));
        if (!programa.Inicia()) return 0;
        return app.exec();
    } catch (...) {
        // An error while starting, before the event loop runs.
        app.GDZOVIExcecaoGeral(std::current_exception());
        return AplicacaoGDZovi::kSaidaErro;
    }
}
