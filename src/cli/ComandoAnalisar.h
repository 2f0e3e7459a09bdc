#pragma once
// gdzovi-lote analisar ARQUIVO DADOS [--anterior]
#include <string>
#include <vector>

namespace zovi {

class Banco;

// Analyses the structure of a declaration file into the work tables of the data
// folder, prints the outcome and the fault rows, and returns the outcome.
int ComandoAnalisar(const std::vector<std::string>& argumentos);
// Prints the fault rows the analysis left in Te8stru, each code with its catalogue text.
void EscreveFalhasEstrutura(Banco& banco);

}  // namespace zovi
