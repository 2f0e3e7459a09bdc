#include "engine/Definicao.h"

#include <algorithm>

namespace zovi {

std::string NomeMaiusculo(std::string texto) {
    for (auto& c : texto)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return texto;
}

bool MesmoNome(const std::string& a, const std::string& b) {
    return a.size() == b.size() && NomeMaiusculo(a) == NomeMaiusculo(b);
}

const DefCampo* DefTabela::Campo(const std::string& nomeCampo) const {
    auto it = std::find_if(campos.begin(), campos.end(),
                           [&](const DefCampo& c) { return MesmoNome(c.nome, nomeCampo); });
    return it == campos.end() ? nullptr : &*it;
}

std::vector<std::string> SeparaCampos(const std::string& lista) {
    std::vector<std::string> partes;
    std::string atual;
    auto fecha = [&] {
        auto ini = atual.find_first_not_of(" \t");
        auto fim = atual.find_last_not_of(" \t");
        if (ini != std::string::npos) partes.push_back(atual.substr(ini, fim - ini + 1));
        atual.clear();
    };
    for (char c : lista) {
        if (c == ';') fecha();
        else atual += c;
    }
    fecha();
    return partes;
}

}  // namespace zovi
