#pragma once
// gdzovi-lote analisar ARQUIVO DADOS [--anterior]
#include <string>
#include <vector>

namespace zovi {

class Banco;

// Analyses the structure of a declaration file into the work tables of the data
// folder, prints the outcome and the fault rows, and returns the outcome.
int ComandoAnalisar(const std::vector<std::string>& argumentos);
// The fault rows the last analysis left in Te8stru, each code followed by its catalogue text.
void EscreveFalhas(Banco& banco);

}  // namespace zovi
