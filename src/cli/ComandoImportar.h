#pragma once
// gdzovi-lote importar ARQUIVO DADOS [--ano 2004|2005] [--estabelecimentos INSCRICAO/PREFIXO,...]
#include <string>
#include <vector>

namespace zovi {

// Analyses the file and imports its establishments (all, or those named) into the
// declaration tables, leaving TE8IMP for the import report; returns the exit code
// its usage text lists.
int ComandoImportar(const std::vector<std::string>& argumentos);

}  // namespace zovi
