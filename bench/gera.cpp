// gdzovi-gera DADOS N M [--semente S] [--um-estabelecimento]
// Writes N establishments with M employees each, and the declarant, into the
// data folder DADOS, for benchmarks and manual trials of large declarations.
// Its texts are UTF-8, as the terminal's; the core's messages are converted.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "Gerador.h"
#include "engine/Banco.h"
#include "platform/Texto1252.h"

namespace {

// On standard error after a wrong call, on standard output for --help.
int Uso(std::FILE* saida = stderr) {
    std::fprintf(saida, "uso: gdzovi-gera DADOS N M [--semente S] [--um-estabelecimento]\n"
                         "  N estabelecimentos com M empregados cada, gravados na pasta de dados DADOS\n"
                         "  --um-estabelecimento: todos sob a mesma inscrição, distinguidos pelo prefixo\n");
    return saida == stderr ? 2 : 0;
}

bool Numero(const char* texto, long& valor) {
    char* fim = nullptr;
    valor = std::strtol(texto, &fim, 10);
    return *texto && *fim == '\0' && valor >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return Uso(stdout);
    if (argc < 4) return Uso();
    zovi::bancada::ParametrosGeracao p;
    if (!Numero(argv[2], p.estabelecimentos) || !Numero(argv[3], p.empregadosPorEstabelecimento)) return Uso();
    for (int i = 4; i < argc; ++i) {
        long semente = 0;
        if (std::strcmp(argv[i], "--semente") == 0 && i + 1 < argc && Numero(argv[i + 1], semente)) {
            p.semente = static_cast<std::uint64_t>(semente);
            ++i;
        } else if (std::strcmp(argv[i], "--um-estabelecimento") == 0) {
            p.umaInscricao = true;
        } else {
            return Uso();
        }
    }
    try {
        auto inicio = std::chrono::steady_clock::now();
        zovi::Banco banco;
        banco.Abre("Zovi2005", {std::string("path=") + argv[1]});
        auto r = zovi::bancada::GeraDeclaracao(banco, p);
        double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        std::printf("%ld estabelecimentos, %ld empregados (%ld estrangeiros) em %.1f s\n", r.estabelecimentos,
                    r.empregados, r.estrangeiros, segundos);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gdzovi-gera: %s\n", zovi::Cp1252ParaUtf8(e.what()).c_str());
        return 1;
    }
}
