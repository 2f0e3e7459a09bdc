// gdzovi: the desktop program.
#include "app/AplicacaoGDZovi.h"
#include "app/ProgramaGDZovi.h"
#include "data/PastaUsuario.h"
#include "messages/ServicoDialogos.h"

#include <cstdio>
#include <cstring>

using namespace zovi::gui;

namespace {

// --help and --version answer on the terminal, before any window or display is needed.
bool RespondeOpcao(int argc, char** argv) {
    if (argc < 2) return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::puts("gdzovi " GDZOVI_VERSAO);
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::puts("uso: gdzovi [--help] [--version]\n"
                  "Gerador de Declaração ZOVI, ano-base 2005: digita, verifica, grava e imprime a declaração.\n"
                  "As tabelas ficam na pasta \"dados\" ao lado do programa quando ela pode ser gravada;\n"
                  "no programa instalado, em ~/.local/share/gdzovi2005. GDZOVI_DADOS=PASTA escolhe outra.");
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (RespondeOpcao(argc, argv)) return 0;
    auto& dialogos = ServicoDialogos::Programa();
    AplicacaoGDZovi app(argc, argv, dialogos);
    try {
        ProgramaGDZovi programa(dialogos,
                                zovi::EscolhePastaDados(QCoreApplication::applicationDirPath().toStdString()));
        if (!programa.Inicia()) return 0;
        return app.exec();
    } catch (...) {
        // An error while starting, before the event loop runs.
        app.GDZOVIExcecaoGeral(std::current_exception());
        return AplicacaoGDZovi::kSaidaErro;
    }
}
