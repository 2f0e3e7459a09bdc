#pragma once
// The program's local SQL, turned into SQLite's dialect.
//
// Statements are written as the program always wrote them: table names with or
// without ".DB" (also in double quotes), text constants in double or single
// quotes, parameters as ":name". Double-quoted words that are not table names
// become text constants; a list parameter expands to one placeholder per item.
#include <map>
#include <string>
#include <vector>

namespace zovi {

struct SqlConvertido {
    std::string sql;
    std::vector<std::string> tabelas;  // upper-case names of the tables the statement reads or writes
};

// tamanhoListas: list parameters and their number of items (":p" -> ":p_0, :p_1, ...").
SqlConvertido AnalisaSqlLocal(const std::string& texto, const std::map<std::string, size_t>& tamanhoListas = {});
std::string ConverteSqlLocal(const std::string& texto);

}  // namespace zovi
