#include "data/ConfereTabela.h"

#include <sqlite3.h>

#include <fstream>
#include <memory>
#include <vector>

#include "engine/Banco.h"

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

// The table and its indexes exactly as the program creates them: the fields' widths and
// required values are CHECKs of the table, and its key a unique index, so a file whose
// statements differ (a CHECK dropped, the key's index missing) is not a table of the program.
// An index of the definition may be missing (the start-up check rebuilds it), never
// different; exigeChave: the key's index must be there, as in a file that comes from outside.
std::string MotivoDefinicao(const std::vector<std::vector<std::string>>& objetos, const DefTabela& def,
                            bool exigeChave) {
    const auto nome = NomeMaiusculo(def.nome);
    for (const auto& o : objetos)
        if (o[0] == "table" && o[1] == nome && o[3] != SqlCriaTabela(def))
            return "não tem a definição da tabela " + nome + " (larguras, campos obrigatórios)";
    for (const auto& o : objetos) {
        if (o[0] != "index") continue;
        const DefIndice* esperado = nullptr;
        for (const auto& i : def.indices)
            if (NomeIndice(i.nome) == o[1]) esperado = &i;
        if (!esperado || o[3] != SqlCriaIndice(nome, *esperado))
            return "tem o índice \"" + o[1] + "\", que não é o da tabela " + nome;
    }
    for (const auto& i : def.indices) {
        if (!i.primario || !exigeChave) continue;
        bool presente = false;
        for (const auto& o : objetos) presente = presente || (o[0] == "index" && o[1] == NomeIndice(i.nome));
        if (!presente) return "não tem o índice " + i.nome + " (a chave única) da tabela " + nome;
    }
    return {};
}

std::string MotivoEsquema(sqlite3* con, const DefTabela& def, bool exigeChave) {
    const auto nome = NomeMaiusculo(def.nome);
    auto colunas = Linhas(con, "SELECT name, type FROM pragma_table_info('" + nome + "')");
    if (colunas.empty()) return "não contém a tabela " + nome;
    auto objetos = Linhas(con, "SELECT type, name, tbl_name, sql FROM sqlite_master");
    for (const auto& o : objetos) {
        bool daTabela = o[0] == "table" && (o[1] == nome || o[1] == "zovi_campos");
        bool indice = o[0] == "index" && o[2] == nome;
        if (!daTabela && !indice) return "contém o objeto estranho \"" + o[1] + "\"";
    }
    auto descritos = Linhas(con, "SELECT nome, tipo, largura, obrigatorio FROM zovi_campos ORDER BY ordem");
    if (colunas.size() != def.campos.size() || descritos.size() != def.campos.size())
        return "não tem os campos da tabela " + nome;
    for (std::size_t i = 0; i < def.campos.size(); ++i) {
        const auto& c = def.campos[i];
        bool logico = c.tipo == TipoCampo::Logico;
        if (colunas[i][0] != c.nome || NomeMaiusculo(colunas[i][1]) != TipoEsperado(c) || descritos[i][0] != c.nome ||
            descritos[i][1] != (logico ? "L" : "A") || descritos[i][2] != std::to_string(c.largura) ||
            descritos[i][3] != (c.obrigatorio ? "1" : "0"))
            return "não tem o campo " + c.nome + " como a tabela " + nome + " o define";
    }
    return MotivoDefinicao(objetos, def, exigeChave);
}

// The first field of a row that its table does not admit, once the check found one: too
// long for its width, empty where required, or NULL.
std::string MotivoLinha(sqlite3* con, const DefTabela& def) {
    std::string colunas, algum;
    for (const auto& c : def.campos) {
        auto q = Aspas(c.nome);
        std::string ok = c.tipo == TipoCampo::Logico
                             ? (c.obrigatorio ? q + " IS NOT NULL" : "1")
                             : q + " IS NOT NULL AND length(CAST(" + q + " AS BLOB)) <= " + std::to_string(c.largura) +
                                   (c.obrigatorio ? " AND " + q + " <> ''" : "");
        colunas += (colunas.empty() ? "" : ", ") + ("(" + ok + ")");
        algum += (algum.empty() ? "NOT (" : ") OR NOT (") + ok;
    }
    auto linhas = Linhas(con, "SELECT " + colunas + " FROM " + Aspas(NomeMaiusculo(def.nome)) + " WHERE " + algum +
                                  ") LIMIT 1");
    if (linhas.empty()) return "tem registros que a tabela não admite";
    for (std::size_t i = 0; i < def.campos.size(); ++i) {
        if (linhas[0][i] == "1") continue;
        const auto& c = def.campos[i];
        if (c.tipo == TipoCampo::Logico || c.obrigatorio)
            return "tem um registro com o campo " + c.nome + " vazio ou maior que " + std::to_string(c.largura) +
                   " caracteres";
        return "tem um registro com o campo " + c.nome + " maior que " + std::to_string(c.largura) + " caracteres";
    }
    return "tem registros que a tabela não admite";
}

}  // namespace

std::string fMotivoTabelaInvalida(const fs::path& arquivo, const DefTabela& def, bool completo) {
    if (auto motivo = MotivoCabecalho(arquivo); !motivo.empty()) return motivo;
    sqlite3* bruto = nullptr;
    // Opened for writing though only read: SQLite tests a table's CHECKs (its widths and
    // required fields) in the integrity check only then.
    int rc = sqlite3_open_v2(arquivo.c_str(), &bruto, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    Conexao con(bruto, sqlite3_close);
    if (rc != SQLITE_OK) return "não pode ser aberto";
    // Nothing stored in the file may run while it is examined.
    sqlite3_db_config(con.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(con.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    try {
        auto exame = Linhas(con.get(), completo ? "PRAGMA integrity_check" : "PRAGMA quick_check");
        bool soRegistros = !exame.empty();  // sound pages, but rows their table does not admit
        for (const auto& linha : exame)
            soRegistros = soRegistros && (linha.at(0).rfind("CHECK constraint failed", 0) == 0 ||
                                          linha.at(0).rfind("NULL value in", 0) == 0);
        if (!soRegistros && (exame.size() != 1 || exame[0].at(0) != "ok"))
            return "está danificado (" + (exame.empty() ? std::string("sem resposta") : exame[0].at(0)) + ")";
        if (auto motivo = MotivoEsquema(con.get(), def, completo); !motivo.empty()) return motivo;
        return soRegistros ? MotivoLinha(con.get(), def) : std::string();
    } catch (const std::exception& e) {
        return "está danificado (" + std::string(e.what()) + ")";
    }
}

}  // namespace zovi
