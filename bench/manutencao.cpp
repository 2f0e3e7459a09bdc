// bench_manutencao [EMPREGADOS]
// The bulk maintenance against its floors: an establishment of EMPREGADOS employees
// (100,000 unless told) is generated once into a copy of the built data folder; then
// each operation runs on a fresh copy of it, alternating with its floor, best of three:
//   exclusão do estabelecimento: ExcluiEstabelecimento; floor: one DELETE of its
//       employee rows and one of its row;
//   exclusão de metade: ExcluiEmpregados with every other line of the PIS/PASEP-order
//       tick list; floor: one DELETE of the same rows (their rowids, gathered before the
//       clock starts) and the count written to the establishment;
//   transferência de metade: TransfereEmpregados with the same lines; floor: one UPDATE
//       of the same rows to the new key and one write to BD8EMP.
// Each floor is one statement per table in one transaction over the same two files,
// through the SQLite C interface; only the operation itself is timed, not the copy,
// the opening of the tables or the reading of the list.
#include <sqlite3.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Gerador.h"
#include "data/ListasSelecao.h"
#include "data/ModulosDados.h"
#include "entry/ManutencaoLote.h"

namespace fs = std::filesystem;
using namespace zovi;

namespace {

struct Medida {
    double parede = 1e9, cpu = 1e9;
};

double Cpu() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}

void Mede(Medida& m, const std::function<void()>& f) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = Cpu();
    f();
    m.cpu = std::min(m.cpu, Cpu() - c0);
    m.parede = std::min(m.parede, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
}

void Sql(sqlite3* con, const std::string& sql) {
    char* erro = nullptr;
    if (sqlite3_exec(con, sql.c_str(), nullptr, nullptr, &erro) != SQLITE_OK) {
        std::fprintf(stderr, "bench_manutencao: %s\n%s\n", erro ? erro : "?", sql.c_str());
        std::exit(1);
    }
}

// The floor's connection: BD8VINC.DB as the main file, BD8EMP.DB attached, the rowids of
// the rows to touch in a temporary table (filled before the clock starts).
sqlite3* AbrePiso(const fs::path& pasta, const std::vector<long long>& alvo) {
    sqlite3* con = nullptr;
    sqlite3_open((pasta / "BD8VINC.DB").c_str(), &con);
    Sql(con, "ATTACH '" + (pasta / "BD8EMP.DB").string() + "' AS BD8EMP");
    Sql(con, "CREATE TEMP TABLE alvo(r INTEGER PRIMARY KEY)");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(con, "INSERT INTO alvo VALUES (?1)", -1, &st, nullptr);
    Sql(con, "BEGIN");
    for (long long r : alvo) {
        sqlite3_bind_int64(st, 1, r);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    Sql(con, "COMMIT");
    sqlite3_finalize(st);
    return con;
}

}  // namespace

int main(int argc, char** argv) {
    const long empregados = argc > 1 ? std::atol(argv[1]) : 100000;
    if (empregados <= 0) {
        std::fprintf(stderr, "uso: bench_manutencao [EMPREGADOS]\n");
        return 2;
    }
    const fs::path raiz = fs::temp_directory_path() / ("bench-manutencao-" + std::to_string(getpid()));
    const fs::path modelo = raiz / "modelo", trabalho = raiz / "trabalho";
    fs::create_directories(raiz);
    fs::copy(GDZOVI_DADOS_CONSTRUIDOS, modelo, fs::copy_options::recursive);
    {
        Banco banco;
        banco.Abre("Zovi2005", {"path=" + modelo.string()});
        bancada::ParametrosGeracao p;
        p.empregadosPorEstabelecimento = empregados;
        bancada::GeraDeclaracao(banco, p);
    }

    // The establishment, and every other line of its tick list with its row.
    ChaveEstabelecimento estab{"2005", "", ""};
    std::vector<EmpregadoMarcado> metade;
    std::vector<long long> rowids;
    {
        TdmGDZovi dm(modelo);
        Consulta q(dm.dbZovi, {"select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento from bd8Emp"});
        q.Abre();
        estab.inscricao = q.Texto(0);
        estab.prefixo = q.Texto(1);
        const auto linhas = MarcaEmpregados(dm.quBd8Emp, "2005", estab.inscricao, estab.prefixo, '0');
        Consulta r(dm.dbZovi, {"select rowid from bd8Vinc order by CoPisPasepEmpregado, DaAdmissaoEmpregado,",
                               "NoEmpregado, NuSequencialRegistro"});
        size_t i = 0;
        for (r.Abre(); !r.Fim(); r.Proximo(), ++i)
            if (i % 2 == 0) {
                metade.push_back(LeLinhaEmpregado(linhas.at(i).substr(0, 65), '0'));
                rowids.push_back(std::atoll(r.Texto(0).c_str()));
            }
    }
    const std::string condicao = " WHERE AnBase = '2005' AND CoCgcCeiEstabelecimento = '" + estab.inscricao +
                                 "' AND NuPrefixoEstabelecimento = '" + estab.prefixo + "'";
    const DestinoTransferencia destino{estab.inscricao, estab.prefixo == "99" ? "98" : "99", "1"};

    struct Operacao {
        const char* nome;
        std::vector<long long> alvo;
        std::function<void(sqlite3*)> piso;
        std::function<void(TdmEntradaDados&)> roda;
    };
    const std::vector<Operacao> operacoes = {
        {"exclusão do estabelecimento", {},
         [&](sqlite3* c) {
             Sql(c, "BEGIN; DELETE FROM BD8VINC" + condicao + "; DELETE FROM BD8EMP.BD8EMP" + condicao + "; COMMIT");
         },
         [&](TdmEntradaDados& e) { ExcluiEstabelecimento(e, estab); }},
        {"exclusão de metade", rowids,
         [&](sqlite3* c) {
             Sql(c, "BEGIN; DELETE FROM BD8VINC WHERE rowid IN (SELECT r FROM alvo);"
                    " UPDATE BD8EMP.BD8EMP SET NuVinculosEstabelecimento = '000000'" + condicao + "; COMMIT");
         },
         [&](TdmEntradaDados& e) { ExcluiEmpregados(e, estab, metade); }},
        {"transferência de metade", rowids,
         [&](sqlite3* c) {
             Sql(c, "BEGIN; UPDATE BD8VINC SET NuPrefixoEstabelecimento = '" + destino.prefixo +
                        "' WHERE rowid IN (SELECT r FROM alvo);"
                        " UPDATE BD8EMP.BD8EMP SET NuVinculosEstabelecimento = '000000'" + condicao + "; COMMIT");
         },
         [&](TdmEntradaDados& e) { TransfereEmpregados(e, estab, destino, metade); }},
    };

    std::printf("| operação | linhas | piso (parede / CPU) | operação (parede / CPU) | operação ÷ piso (parede / CPU) |\n"
                "|---|---|---|---|---|\n");
    for (const auto& op : operacoes) {
        Medida piso, roda;
        for (int vez = 0; vez < 3; ++vez) {
            fs::remove_all(trabalho);
            fs::copy(modelo, trabalho, fs::copy_options::recursive);
            sqlite3* con = AbrePiso(trabalho, op.alvo);
            Mede(piso, [&] { op.piso(con); });
            sqlite3_close(con);

            fs::remove_all(trabalho);
            fs::copy(modelo, trabalho, fs::copy_options::recursive);
            TdmGDZovi dm(trabalho);
            TdmEntradaDados entrada(dm);
            Mede(roda, [&] { op.roda(entrada); });
        }
        std::printf("| %s | %zu | %.3f / %.3f s | %.3f / %.3f s | %.2f / %.2f |\n", op.nome,
                    op.alvo.empty() ? static_cast<size_t>(empregados) : op.alvo.size(), piso.parede, piso.cpu,
                    roda.parede, roda.cpu, roda.parede / piso.parede, roda.cpu / piso.cpu);
        std::fflush(stdout);
    }
    fs::remove_all(raiz);
    return 0;
}
