#pragma once
// gdzovi-lote relatorio erros|etiquetas|cartela DADOS --pdf ARQUIVO
#include <string>
#include <vector>

namespace zovi {

// Renders one of the program's reports, read from the data folder, to a PDF file.
int ComandoRelatorio(const std::vector<std::string>& argumentos);

}  // namespace zovi
