// Writing a large declaration, and sealing a large file.
//
//   bench_grava_declaracao [EMPREGADOS=200000] [MEGABYTES=100] [VEZES=3]
//
// 1. A declaration of EMPREGADOS employees over 200 establishments is written
//    (made by the benchmarks' generator) to a folder drive without a capacity
//    limit. Floor: BD8VINC read in key order through the SQLite C interface
//    with one prepared statement, every column of every row copied into a
//    525-byte record written with buffered fwrite, and the file sealed with
//    hashFileGenerate. The resident memory is sampled while the run writes.
// 2. A file of MEGABYTES is sealed; floor: `sha256sum` on the same file.
// Floor and run alternate, VEZES times each; each figure is the best, in wall
// time and in processor time (user + system) alike.
#include <sqlite3.h>
#include <sys/resource.h>
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
#include "data/Tabelas.h"
#include "declfile/GravaDeclaracao.h"
#include "declfile/Leiaute.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "zovi2005.h"

namespace fs = std::filesystem;
using namespace zovi;

namespace {

// Wall and processor seconds (user + system, of this process and of the children it waited for).
struct Tempo {
    double parede = 1e9, cpu = 1e9;
};

double Processador() {
    double s = 0;
    for (int quem : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(quem, &u);
        s += static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
             static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    }
    return s;
}

void Mede(Tempo& melhor, const std::function<void()>& f) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = Processador();
    f();
    melhor.cpu = std::min(melhor.cpu, Processador() - c0);
    melhor.parede =
        std::min(melhor.parede, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
}

// Floor and run alternate, so that the load of a shared machine weighs on both alike.
void Alterna(int vezes, Tempo& piso, const std::function<void()>& fPiso, Tempo& execucao,
             const std::function<void()>& fExecucao) {
    for (int i = 0; i < vezes; ++i) {
        Mede(piso, fPiso);
        Mede(execucao, fExecucao);
    }
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

// The floor: every employee row read in key order through the SQLite C interface, every column copied
// into a 525-byte record written with buffered fwrite, and the file sealed.
void Piso(const fs::path& dados, const fs::path& destino) {
    sqlite3* con = nullptr;
    if (sqlite3_open_v2((dados / "BD8VINC.DB").c_str(), &con, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) std::exit(4);
    std::string ordem = kChaveEmpregado;
    std::replace(ordem.begin(), ordem.end(), ';', ',');
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(con, ("SELECT * FROM BD8VINC ORDER BY " + ordem + ", rowid").c_str(), -1, &st, nullptr) !=
        SQLITE_OK)
        std::exit(4);
    std::FILE* f = std::fopen(destino.c_str(), "wb");
    std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
    char linha[kTamanhoLinha];
    std::fill(std::begin(linha), std::end(linha), ' ');
    const int colunas = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        size_t pos = 0;
        for (int i = 0; i < colunas; ++i) {
            auto v = static_cast<const char*>(sqlite3_column_blob(st, i));
            size_t n = std::min(static_cast<size_t>(sqlite3_column_bytes(st, i)), sizeof linha - pos);
            if (v) std::copy_n(v, n, linha + pos);
            pos = (pos + n) % kTamanhoRegistro;
        }
        std::fwrite(linha, 1, sizeof linha, f);
    }
    std::fclose(f);
    sqlite3_finalize(st);
    sqlite3_close(con);
    char selo[ZOVI2005_SELO];
    hashFileGenerate(destino.c_str(), selo);
}

}  // namespace

int main(int argc, char** argv) {
    const long empregados = argc > 1 ? std::atol(argv[1]) : 200000;
    const long megabytes = argc > 2 ? std::atol(argv[2]) : 100;
    const int vezes = argc > 3 ? std::atoi(argv[3]) : 3;
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

    Silenciosa ui;
    int resultado = 0;
    Tempo piso, gravacao;
    Alterna(vezes, piso, [&] { Piso(dados, base / "piso.txt"); }, gravacao,
            [&] { resultado = fGravaDeclaracao(banco, p, ui); });
    const auto tamanho = fs::file_size(midia / "Zovi2005");
    std::printf("gravação (%s, %.1f MB): parede %.2f s, CPU %.2f s; piso: parede %.2f s, CPU %.2f s; "
                "razão parede %.2f, CPU %.2f (limite 1.5)\n",
                resultado == kGravado ? "gravado" : "FALHOU", tamanho / 1e6, gravacao.parede, gravacao.cpu,
                piso.parede, piso.cpu, gravacao.parede / piso.parede, gravacao.cpu / piso.cpu);
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
    char selo[ZOVI2005_SELO];
    Tempo sha, sela;
    Alterna(vezes, sha, [&] { (void)std::system(comando.c_str()); }, sela, [&] { hashFileGenerate(grande.c_str(), selo); });
    std::printf("selo de %ld MB: parede %.3f s, CPU %.3f s; sha256sum: parede %.3f s, CPU %.3f s; "
                "razão parede %.2f, CPU %.2f (limite 1.5)\n",
                megabytes, sela.parede, sela.cpu, sha.parede, sha.cpu, sela.parede / sha.parede, sela.cpu / sha.cpu);

    banco.Fecha();
    fs::remove_all(base);
    return resultado;
}
