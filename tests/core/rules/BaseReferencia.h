#pragma once
// A temporary data folder whose reference tables hold only the rows a test
// inserts, so that rule tests do not depend on the shipped reference data.
#include <initializer_list>
#include <string>
#include <utility>

#include "PastaTeste.h"
#include "engine/Banco.h"
#include "rules/Referencias.h"

namespace zovi::teste {

class BaseReferencia {
public:
    BaseReferencia();
    // One row: (field, value) pairs; fields left out stay empty.
    void Insere(const std::string& tabela, std::initializer_list<std::pair<const char*, std::string>> campos);
    // Shortcuts for the tables most tests need.
    void Municipio(const std::string& codigo, const std::string& nome, const std::string& cep,
                   const std::string& faixa);
    void Uf(const std::string& codigo, const std::string& sigla);
    Referencias Carrega() { return Referencias(banco); }

    PastaTeste pasta;
    Banco banco;
};

}  // namespace zovi::teste
