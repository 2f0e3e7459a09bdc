#pragma once
// Builds a data folder from the CSV sources of data/tabelas: every shipped
// table is created, and filled from "<TABLE>.csv" when that file exists.
#include <filesystem>
#include <string>
#include <vector>

namespace zovi {

// Reads a CSV file (UTF-8, comma separated, quotes where needed, header first).
std::vector<std::vector<std::string>> LeCsv(const std::filesystem::path& arquivo);

// Creates the tables in pastaDados (which must not hold them yet) and loads the CSV rows.
// Returns the number of rows loaded per table, in creation order. Throws on any fault,
// naming the file and line.
std::vector<std::pair<std::string, long>> CriaPastaDados(const std::filesystem::path& pastaCsv,
                                                         const std::filesystem::path& pastaDados);

}  // namespace zovi
