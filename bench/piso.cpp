// gdzovi-piso DADOS
// The floor of the verification benchmark: BD8VINC opened without mutexes, as
// the engine opens its tables, and read in key order through
// the SQLite C interface with one prepared statement, every column of every
// row fetched once. Nothing of the engine is in the way.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "data/Tabelas.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: gdzovi-piso DADOS\n");
        return 2;
    }
    const auto inicio = std::chrono::steady_clock::now();
    const std::string arquivo = std::string(argv[1]) + "/BD8VINC.DB";
    sqlite3* con = nullptr;
    if (sqlite3_open_v2(arquivo.c_str(), &con, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "gdzovi-piso: não abre %s\n", arquivo.c_str());
        return 1;
    }
    std::string ordem = zovi::kChaveEmpregado;
    for (char& c : ordem)
        if (c == ';') c = ',';
    const std::string sql = "SELECT * FROM BD8VINC ORDER BY " + ordem + ", rowid";
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(con, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "gdzovi-piso: %s\n", sqlite3_errmsg(con));
        return 1;
    }
    const int colunas = sqlite3_column_count(st);
    long linhas = 0;
    unsigned long long bytes = 0, soma = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (int c = 0; c < colunas; ++c) {
            auto p = static_cast<const unsigned char*>(sqlite3_column_blob(st, c));
            auto n = static_cast<unsigned>(sqlite3_column_bytes(st, c));
            bytes += n;
            if (n) soma += p[0];  // touches the value, so that nothing is skipped
        }
        ++linhas;
    }
    sqlite3_finalize(st);
    sqlite3_close(con);
    if (rc != SQLITE_DONE) {
        std::fprintf(stderr, "gdzovi-piso: erro %d ao ler\n", rc);
        return 1;
    }
    const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    std::printf("%ld empregados lidos, %llu bytes (%llu), em %.2f s\n", linhas, bytes, soma, segundos);
    return 0;
}
