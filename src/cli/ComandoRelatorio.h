#pragma once
// gdzovi-lote relatorio erros|etiquetas|cartela DADOS --pdf ARQUIVO
// gdzovi-lote relatorio declaracao DADOS --pdf ARQUIVO [options of the declaration report]
#include <string>
#include <vector>

namespace zovi {

// Renders one of the program's reports, read from the data folder, to a PDF file.
int ComandoRelatorio(const std::vector<std::string>& argumentos);

}  // namespace zovi
