// Writing a large declaration, and sealing a large file.
//
//   bench_grava_declaracao [EMPREGADOS=200000] [MEGABYTES=100]
//
// 1. A declaration of EMPREGADOS employees over 200 establishments is written
//    (made by the benchmarks' generator) to a folder drive without a capacity limit. Floor, measured in the same
//    run: the same employee rows read through the engine in key order with
//    every field fetched, and the same number of bytes written with plain
//    buffered writes. The resident memory is sampled while the run writes.
// 2. A file of MEGABYTES is sealed; floor: `sha256sum` on the same file.
// Each figure is the best of three runs.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "Gerador.h"
#include "declfile/GravaDeclaracao.h"
#include "declfile/Leiaute.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "zovi2005.h"

namespace fs = std::filesystem;
using namespace zovi;

namespace {

double Segundos(const std::function<void()>& f) {
    double melhor = 1e9;
    for (int i = 0; i < 3; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        melhor = std::min(melhor, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return melhor;
}

long RssKb() {
    std::ifstream f("/proc/self/status");
    for (std::string l; std::getline(f, l);)
        if (l.rfind("VmRSS:", 0) == 0) return std::stol(l.substr(6));
    return 0;
}

class Silenciosa : public Interacao {
public:
    // Each run finds the previous run's file: overwriting it is the one question expected.
    Resposta Mostra(TipoDialogo tipo, const std::string& texto) override {
        if (tipo == TipoDialogo::Confirmacao && texto.rfind("Existe um arquivo", 0) == 0) return Resposta::Sim;
        std::cerr << "mensagem inesperada: " << texto << "\n";
        std::exit(3);
    }
    void Progresso(long posicao, long) override {
        if (posicao % 10000 == 0) {
            long rss = RssKb();
            if (posicao == 10000) inicial = rss;
            pico = std::max(pico, rss);
        }
    }
    long inicial = 0, pico = 0;
};

// The floor: every employee row through the engine, every field fetched, and 525 bytes a row written.
void Piso(Banco& banco, const fs::path& destino) {
    std::FILE* f = std::fopen(destino.c_str(), "wb");
    std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
    char linha[kTamanhoLinha];
    std::fill(std::begin(linha), std::end(linha), ' ');
    Consulta q(banco, {"SELECT * FROM BD8VINC",
                       "ORDER BY AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado,",
                       "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro"});
    for (q.Abre(); !q.Fim(); q.Proximo()) {
        size_t pos = 0;
        for (int i = 0; i < q.NumCampos(); ++i) {
            std::string v = q.Texto(i);
            size_t n = std::min(v.size(), sizeof linha - pos);
            std::copy_n(v.data(), n, linha + pos);
            pos = (pos + n) % kTamanhoRegistro;
        }
        std::fwrite(linha, 1, sizeof linha, f);
    }
    std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
    const long empregados = argc > 1 ? std::atol(argv[1]) : 200000;
    const long megabytes = argc > 2 ? std::atol(argv[2]) : 100;
    std::string modelo = (fs::temp_directory_path() / "gdzovi-bench-XXXXXX").string();
    if (!::mkdtemp(modelo.data())) return 1;
    const fs::path base = modelo, dados = base / "dados", midia = base / "midia";
    fs::copy(GDZOVI_DADOS_CONSTRUIDOS, dados);
    fs::create_directory(midia);
    ::setenv("GDZOVI_UNIDADE_A", midia.c_str(), 1);

    Banco banco;
    banco.Abre("Zovi2005", {"path=" + dados.string()});
    auto t0 = std::chrono::steady_clock::now();
    bancada::ParametrosGeracao g;
    g.estabelecimentos = 200;
    g.empregadosPorEstabelecimento = empregados / g.estabelecimentos;
    bancada::GeraDeclaracao(banco, g);
    std::printf("declaração de %ld empregados criada em %.1f s\n", empregados,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());

    ParametrosGravacao p;
    p.dataGeracao = "15032006";
    p.hora = "101112";
    {
        std::vector<ItemSelecao> itens;
        Consulta q(banco, {"SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento FROM BD8EMP",
                           "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
        for (q.Abre(); !q.Fim(); q.Proximo()) itens.push_back({q.Texto(0), q.Texto(1), q.Texto(2), true});
        p.selecao = itens;
    }

    const double piso = Segundos([&] { Piso(banco, base / "piso.txt"); });
    Silenciosa ui;
    int resultado = 0;
    const double gravacao = Segundos([&] { resultado = fGravaDeclaracao(banco, p, ui); });
    const auto tamanho = fs::file_size(midia / "Zovi2005");
    std::printf("gravação: %.2f s (%s, %.1f MB), piso %.2f s, razão %.2f (limite 2.0)\n", gravacao,
                resultado == kGravado ? "gravado" : "FALHOU", tamanho / 1e6, piso, gravacao / piso);
    std::printf("memória residente durante a gravação: %ld kB após 10 mil registros, pico %ld kB\n", ui.inicial,
                ui.pico);

    // Sealing a large file.
    const fs::path grande = base / "grande";
    {
        std::ofstream f(grande, std::ios::binary);
        std::string bloco(1 << 20, ' ');
        for (size_t i = 0; i < bloco.size(); ++i) bloco[i] = static_cast<char>('A' + i * 31 % 26);
        for (long i = 0; i < megabytes; ++i) f.write(bloco.data(), static_cast<std::streamsize>(bloco.size()));
    }
    const std::string comando = "sha256sum " + grande.string() + " >/dev/null";
    const double sha = Segundos([&] { (void)std::system(comando.c_str()); });
    char selo[ZOVI2005_SELO];
    const double sela = Segundos([&] { hashFileGenerate(grande.c_str(), selo); });
    std::printf("selo de %ld MB: %.3f s, sha256sum %.3f s, razão %.2f (limite 1.5)\n", megabytes, sela, sha, sela / sha);

    banco.Fecha();
    fs::remove_all(base);
    return resultado;
}
