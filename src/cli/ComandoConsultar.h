#pragma once
// gdzovi-lote consultar ARQUIVO [--pdf SAIDA]
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zovi {

// Reads a declaration file into the work tables of the data folder the program opens
// (`pastaDados`, asked only once the arguments are right) and shows its contents on the
// terminal, or writes the declaration report over the work tables to SAIDA. A file that
// cannot be consulted gets its faults and exit 1. The declaration tables are never touched.
int ComandoConsultar(const std::vector<std::string>& argumentos,
                     const std::function<std::filesystem::path()>& pastaDados);

}  // namespace zovi
