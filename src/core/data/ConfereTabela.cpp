#include "data/ConfereTabela.h"

#include <sqlite3.h>

#include <fstream>
#include <memory>
#include <vector>

namespace zovi {

namespace fs = std::filesystem;

namespace {

using Conexao = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;

// Every row of a statement, each column as text (NULL as empty).
std::vector<std::vector<std::string>> Linhas(sqlite3* con, const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(con, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(con));
    std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> guarda(st, sqlite3_finalize);
    std::vector<std::vector<std::string>> linhas;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        std::vector<std::string> linha;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            auto t = sqlite3_column_text(st, i);
            linha.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
        }
        linhas.push_back(std::move(linha));
    }
    if (rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(con));
    return linhas;
}

// The file's first bytes: an SQLite database whose pages are written through a
// rollback journal, as the program keeps its tables.
std::string MotivoCabecalho(const fs::path& arquivo) {
    unsigned char cab[100] = {};
    std::ifstream f(arquivo, std::ios::binary);
    if (!f.read(reinterpret_cast<char*>(cab), sizeof cab) ||
        std::string(reinterpret_cast<char*>(cab), 16) != std::string("SQLite format 3\0", 16))
        return "não é um arquivo de tabela";
    if (cab[18] != 1 || cab[19] != 1) return "não está no formato das tabelas do programa";
    return {};
}

std::string TipoEsperado(const DefCampo& c) {
    return c.tipo == TipoCampo::Logico ? "BOOLEAN" : "VARCHAR(" + std::to_string(c.largura) + ")";
}

std::string MotivoEsquema(sqlite3* con, const DefTabela& def) {
    const auto nome = NomeMaiusculo(def.nome);
    auto colunas = Linhas(con, "SELECT name, type FROM pragma_table_info('" + nome + "')");
    if (colunas.empty()) return "não contém a tabela " + nome;
    for (const auto& o : Linhas(con, "SELECT type, name, tbl_name FROM sqlite_master")) {
        bool daTabela = o[0] == "table" && (o[1] == nome || o[1] == "zovi_campos");
        bool indice = o[0] == "index" && o[2] == nome;
        if (!daTabela && !indice) return "contém o objeto estranho \"" + o[1] + "\"";
    }
    auto descritos = Linhas(con, "SELECT nome, tipo, largura FROM zovi_campos ORDER BY ordem");
    if (colunas.size() != def.campos.size() || descritos.size() != def.campos.size())
        return "não tem os campos da tabela " + nome;
    for (std::size_t i = 0; i < def.campos.size(); ++i) {
        const auto& c = def.campos[i];
        bool logico = c.tipo == TipoCampo::Logico;
        if (colunas[i][0] != c.nome || NomeMaiusculo(colunas[i][1]) != TipoEsperado(c) || descritos[i][0] != c.nome ||
            descritos[i][1] != (logico ? "L" : "A") || descritos[i][2] != std::to_string(c.largura))
            return "não tem o campo " + c.nome + " como a tabela " + nome + " o define";
    }
    return {};
}

}  // namespace

std::string fMotivoTabelaInvalida(const fs::path& arquivo, const DefTabela& def, bool completo) {
    if (auto motivo = MotivoCabecalho(arquivo); !motivo.empty()) return motivo;
    sqlite3* bruto = nullptr;
    int rc = sqlite3_open_v2(arquivo.c_str(), &bruto, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    Conexao con(bruto, sqlite3_close);
    if (rc != SQLITE_OK) return "não pode ser aberto";
    // Nothing stored in the file may run while it is examined.
    sqlite3_db_config(con.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(con.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    try {
        auto exame = Linhas(con.get(), completo ? "PRAGMA integrity_check" : "PRAGMA quick_check");
        if (exame.size() != 1 || exame[0].at(0) != "ok")
            return "está danificado (" + (exame.empty() ? std::string("sem resposta") : exame[0].at(0)) + ")";
        return MotivoEsquema(con.get(), def);
    } catch (const std::exception& e) {
        return "está danificado (" + std::string(e.what()) + ")";
    }
}

}  // namespace zovi
