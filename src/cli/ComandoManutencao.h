#pragma once
// gdzovi-lote's bulk maintenance: exclui-estabelecimento, exclui-empregados, transfere and
// troca-vinculo, with the checks and catalogue messages of the wizards that do the same.
#include <string>
#include <vector>

namespace zovi {

int ComandoExcluiEstabelecimento(const std::vector<std::string>& argumentos);
int ComandoExcluiEmpregados(const std::vector<std::string>& argumentos);
int ComandoTransfere(const std::vector<std::string>& argumentos);
int ComandoTrocaVinculo(const std::vector<std::string>& argumentos);

}  // namespace zovi
