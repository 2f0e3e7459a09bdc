#pragma once
// gdzovi-lote gravar: writes the declaration to drive A: or B: (or a folder);
// gdzovi-lote retificar: writes a rectifying declaration of chosen employees.
#include <string>
#include <vector>

namespace zovi {

int ComandoGravar(const std::vector<std::string>& argumentos);
int ComandoRetificar(const std::vector<std::string>& argumentos);

}  // namespace zovi
