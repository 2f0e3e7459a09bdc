// gdzovi-piso DADOS
// The floor of the verification benchmark: one pass over every BD8VINC row
// through the engine, reading every field of every row once.
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "engine/Banco.h"
#include "engine/Tabela.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: gdzovi-piso DADOS\n");
        return 2;
    }
    try {
        auto inicio = std::chrono::steady_clock::now();
        zovi::Banco banco;
        banco.Abre("Zovi2005", {std::string("path=") + argv[1]});
        zovi::Tabela vinc(banco, "BD8VINC");
        vinc.Abre();
        int campos = static_cast<int>(vinc.Definicao().campos.size());
        long linhas = 0;
        unsigned long long bytes = 0;
        for (vinc.Primeiro(); !vinc.Fim(); vinc.Proximo()) {
            for (int c = 0; c < campos; ++c) bytes += vinc.TextoColuna(c).size();
            ++linhas;
        }
        double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        std::printf("%ld empregados lidos, %llu bytes, em %.2f s\n", linhas, bytes, segundos);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gdzovi-piso: %s\n", e.what());
        return 1;
    }
}
