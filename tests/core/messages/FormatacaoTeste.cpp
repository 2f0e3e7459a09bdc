#include <gtest/gtest.h>

#include "messages/Formatacao.h"

using namespace zovi;

namespace {

std::string Espacos(size_t n) { return std::string(n, ' '); }

struct Caso {
    const char* descricao;
    std::string obtido;
    std::string esperado;
};

TEST(Formatacao, TabelaDeCasos) {
    const Caso casos[] = {
        {"mês 1", NomeMes("1"), "Janeiro"},
        {"mês 01", NomeMes("01"), "Janeiro"},
        {"mês 1 entre brancos", NomeMes("  1 "), "Janeiro"},
        {"mês 12", NomeMes("12"), "Dezembro"},
        {"mês 0", NomeMes("0"), ""},
        {"mês 13", NomeMes("13"), ""},
        {"mês ab", NomeMes("ab"), ""},
        {"mês vazio", NomeMes(""), ""},
        {"mês 99", NomeMes("99"), "Totaliza\xE7\xE3o"},  // in Windows-1252, as the core's texts
        {"mês com muitos zeros", NomeMes("00000000000000000003"), "Mar\xE7o"},

        {"valor 1234,5", FormataValor("1234,5"), Espacos(7) + "1.234,50"},
        {"valor 0", FormataValor("0"), Espacos(14) + "0,00"},
        {"valor 10", FormataValor("10"), Espacos(12) + "10,00"},
        {"valor 100", FormataValor("100"), Espacos(11) + "100,00"},
        {"valor 12.345,67", FormataValor("12.345,67"), Espacos(5) + "12.345,67"},
        {"valor 123456", FormataValor("123456"), Espacos(3) + "123.456,00"},
        {"valor 1.234.567,00", FormataValor("1.234.567,00"), "1.234.567,00"},
        {"valor arredondado", FormataValor("0,005"), Espacos(14) + "0,01"},
        {"valor negativo sem alinhamento", FormataValor("-100"), "-100,00"},
        {"valor 12a", FormataValor("12a"), "Erro"},
        {"valor só vírgula", FormataValor(","), "Erro"},
        {"valor com duas vírgulas", FormataValor("1,2,3"), "Erro"},
        {"valor em branco", FormataValor("   "), ""},

        {"retira pontos", RetiraPontos(" 1.234.567,89 "), "1234567,89"},

        {"CNPJ", FormataInscricao("12345678000195", "1"), "12.345.678/0001-95"},
        {"CEI de 14", FormataInscricao("00123456789012", "3"), "12-345-67.890-1/2"},
        {"CEI de 12 recebe 00", FormataInscricao("123456789012", "3"), "12-345-67.890-1/2"},
        {"CEI de 12 com tipo 1", FormataInscricao("123456789012", "1"), "12.345.678/9012-"},
        {"outro tipo inalterado", FormataInscricao("123", "4"), "123"},
        {"CPF de 11 recebe 000", FormataInscricaoCpf("12345678909", "4"), "123.456.789-09"},
        {"CPF de 14", FormataInscricaoCpf("00012345678909", "4"), "123.456.789-09"},
        {"CpF aceita CNPJ", FormataInscricaoCpf("12345678000195", "1"), "12.345.678/0001-95"},

        {"PIS", FormataPisPasep("12345678919"), "123.45678.91.9"},
        {"data", FormataData("31122005"), "31/12/2005"},
        {"telefone", FormataTelefone("032345678"), "3234-5678"},
        {"telefone curto", FormataTelefone("0001234"), "1234"},

        {"completa espaços", CompletaEspacos("ab", 4), "ab  "},
        {"completa espaços corta", CompletaEspacos("abcdef", 4), "abcd"},
        {"completa zeros", CompletaZeros("123", 6), "000123"},
        {"completa zeros corta", CompletaZeros("1234567", 6), "123456"},
        {"retira zeros", RetiraZerosEsquerda("000120"), "120"},
        {"retira zeros de zeros", RetiraZerosEsquerda("0000"), ""},
        {"apara", fAparaTexto(" \t texto  \r\n"), "texto"},
        {"apara brancos", fAparaTexto("    "), ""},

        {"inteiro", std::to_string(TextoParaInteiro(" 42 ")), "42"},
        {"inteiro negativo", std::to_string(TextoParaInteiro("-7")), "-7"},
        {"inteiro inválido", std::to_string(TextoParaInteiro("4a")), "0"},
        {"inteiro vazio", std::to_string(TextoParaInteiro("")), "0"},
        {"inteiro grande demais", std::to_string(TextoParaInteiro("99999999999999999999999")), "0"},
    };
    for (const auto& c : casos) EXPECT_EQ(c.obtido, c.esperado) << c.descricao;
}

}  // namespace
