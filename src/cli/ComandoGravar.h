#pragma once
// gdzovi-lote gravar: verifies the declaration as the generation wizard does
// and, without errors, writes it to drive A: or B: or to a folder.
#include <string>
#include <vector>

namespace zovi {

class Banco;

// Rows of te8errwa of one kind ("err", "war"); the table is absent after a clean run.
long ContaInconsistencias(Banco& banco, const char* tipo);

int ComandoGravar(const std::vector<std::string>& argumentos);

}  // namespace zovi
