#pragma once
// Case tables for the field rules: each case names the rule, its inputs and the
// expected result code, so that a failure says which rule and value went wrong.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace zovi::teste {

using Regra1 = std::string (*)(std::string_view);
using Regra2 = std::string (*)(std::string_view, std::string_view);

struct Caso1 {
    Regra1 regra;
    const char* nome;
    std::string valor;
    std::string esperado;
};

struct Caso2 {
    Regra2 regra;
    const char* nome;
    std::string valor1, valor2;
    std::string esperado;
};

inline void Confere(const std::vector<Caso1>& casos) {
    for (const auto& c : casos) EXPECT_EQ(c.regra(c.valor), c.esperado) << c.nome << "('" << c.valor << "')";
}

inline void Confere(const std::vector<Caso2>& casos) {
    for (const auto& c : casos)
        EXPECT_EQ(c.regra(c.valor1, c.valor2), c.esperado)
            << c.nome << "('" << c.valor1 << "', '" << c.valor2 << "')";
}

}  // namespace zovi::teste

// A rule and its name, for the first two members of a case.
#define REGRA(f) f, #f
