#pragma once
// gdzovi-lote gravar: writes the declaration to drive A: or B:.
#include <string>
#include <vector>

namespace zovi {

int ComandoGravar(const std::vector<std::string>& argumentos);

}  // namespace zovi
