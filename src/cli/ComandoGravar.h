#pragma once
// gdzovi-lote gravar: verifies the declaration as the generation wizard does
// and, without errors, writes it to drive A: or B: or to a folder;
// gdzovi-lote retificar: the same for a rectifying declaration of chosen employees.
#include <string>
#include <vector>

namespace zovi {

class Banco;

// Rows of one kind ("err", "war") in te8errwa, absent after a clean run, or in the table of
// a run cut short.
long ContaInconsistencias(Banco& banco, const char* tipo, const std::string& tabela = "TE8ERRWA");

int ComandoGravar(const std::vector<std::string>& argumentos);
int ComandoRetificar(const std::vector<std::string>& argumentos);

}  // namespace zovi
