#pragma once
// The message catalogue TB8MSG held in memory: read once when the program
// starts, so that a form leaving a field looks its code up without touching
// the table.
#include <cstddef>
#include <string>
#include <unordered_map>

#include "engine/Banco.h"

namespace zovi {

struct Mensagem {
    std::string tipo;   // TpMensagem: "CNF", "WAR", "INF" or "ERR" (trimmed)
    std::string texto;  // TxMensagem (trimmed)
};

class CatalogoMensagens {
public:
    // Reads every row of TB8MSG.
    explicit CatalogoMensagens(Banco& banco);

    // The row of the code, or nullptr when the catalogue has none.
    const Mensagem* Busca(const std::string& codigo) const;
    std::size_t Tamanho() const { return mensagens_.size(); }

private:
    std::unordered_map<std::string, Mensagem> mensagens_;
};

}  // namespace zovi
