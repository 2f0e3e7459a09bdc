#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "rules/Primitivas.h"

using namespace zovi;

namespace {

TEST(Primitivas, TamanhoNumerico) {
    struct Caso { std::string valor; std::size_t n; std::string esperado; };
    const std::vector<Caso> casos = {
        {"", 2, "0030"},     {"   ", 2, "0030"}, {"1", 2, "0030"},  {"12", 2, "0000"}, {" 12 ", 2, "0000"},
        {"123", 2, "X"},     {"1a", 2, "0040"},  {"a", 2, "0040"},  {"1 2", 3, "0040"}, {"00", 2, "0000"},
        {"-1", 2, "0040"},   {"12345678901234", 14, "0000"}};
    for (const auto& c : casos) EXPECT_EQ(fCriticaTamanhoNumerico(c.valor, c.n), c.esperado) << "'" << c.valor << "'";
    EXPECT_TRUE(fNumerico(""));
    EXPECT_TRUE(fNumerico(" 0123 "));
    EXPECT_FALSE(fNumerico("12,5"));
}

TEST(Primitivas, Texto) {
    struct Caso { std::string valor; std::string esperado; };
    const std::vector<Caso> casos = {
        {"", "0010"},        {"AB", "0010"},       {"  AB  ", "0010"},  {"ABC", "0000"},  {"RUA X", "0000"},
        {"D'AVILA", "0020"}, {"O \"REI\"", "0020"}, {"AB\tC", "0020"},   {"S\xC3O", "0020"},  // Windows-1252 accented letter
        {"~~~", "0000"}};
    for (const auto& c : casos) EXPECT_EQ(fCriticaTexto(c.valor), c.esperado) << "'" << c.valor << "'";
    EXPECT_TRUE(fTextoValido(" "));
    EXPECT_FALSE(fTextoValido(std::string("A\0B", 3)));
    EXPECT_FALSE(fTextoValido("A\x7F"));
}

TEST(Primitivas, DataValida) {
    struct Caso { std::string valor; bool esperado; };
    const std::vector<Caso> casos = {
        {"31012005", true},  {"28022005", true},  {"29022005", false}, {"31022005", false}, {"29022004", true},
        {"29022000", true},  {"29021900", false}, {"00012005", false}, {"01002005", false}, {"01132005", false},
        {"3101200a", false}, {"3101205", false},  {"310120055", false}, {"", false},        {"01010000", false},
        {"31129999", true},  {"30042005", true},  {"31042005", false}, {" 31012005 ", true}};
    for (const auto& c : casos) EXPECT_EQ(fDataValida(c.valor), c.esperado) << "'" << c.valor << "'";
}

TEST(Primitivas, ZerosRepeticaoPalavrasArroba) {
    EXPECT_TRUE(fTodosZeros("0"));
    EXPECT_TRUE(fTodosZeros("00000000"));
    EXPECT_FALSE(fTodosZeros(""));
    EXPECT_FALSE(fTodosZeros(" 00"));  // not trimmed
    EXPECT_FALSE(fTodosZeros("0,00"));

    struct Rep { std::string valor; bool esperado; };
    const std::vector<Rep> repeticoes = {
        {"AAA", true},       {"RUA AAA", true},   {"AAAA", false},  {"RUA AAAA B", false}, {"A    B", true},
        {"1111", false},     {"  AAA  ", true},   {"XAAAX", true},  {"....", false},       {"", true}};
    for (const auto& c : repeticoes) EXPECT_EQ(fSemRepeticao(c.valor), c.esperado) << "'" << c.valor << "'";

    struct Pal { std::string valor; int esperado; };
    const std::vector<Pal> palavras = {
        {"", 0}, {"   ", 0}, {"JOSE", 1}, {"JOSE SILVA", 2}, {"  JOSE   DA  SILVA  ", 3}, {"A B C D", 4}};
    for (const auto& c : palavras) EXPECT_EQ(fContaPalavras(c.valor), c.esperado) << "'" << c.valor << "'";

    EXPECT_TRUE(fTemArroba("a@b"));
    EXPECT_FALSE(fTemArroba("ab.com"));
    EXPECT_EQ(fDataInvertida("31122005"), "20051231");
    EXPECT_LT(fDataInvertida("31122005"), fDataInvertida("01012006"));
    EXPECT_EQ(fDataInvertida("123"), "123");
}

// Check digits computed the textbook way, independently of the program's routines.
int Mod11Padrao(const std::string& s, const std::vector<int>& pesos) {
    int soma = 0;
    for (std::size_t i = 0; i < pesos.size(); ++i) soma += (s[i] - '0') * pesos[i];
    int r = soma % 11;
    return r < 2 ? 0 : 11 - r;
}

bool OraculoCnpj(const std::string& s) {
    if (s.substr(8, 4) == "0000") return false;
    return Mod11Padrao(s, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}) == s[12] - '0' &&
           Mod11Padrao(s, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}) == s[13] - '0';
}

bool OraculoCpf(const std::string& s) {
    return Mod11Padrao(s, {10, 9, 8, 7, 6, 5, 4, 3, 2}) == s[9] - '0' &&
           Mod11Padrao(s, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}) == s[10] - '0';
}

bool OraculoPis(const std::string& s) {
    if (s[0] != '1' && s[0] != '2') return false;
    if (s == "12345678900" || s == "10987654321" || s == "10000000008") return false;
    const int pesos[10] = {3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    int soma = 0;
    for (int i = 0; i < 10; ++i) soma += (s[i] - '0') * pesos[i];
    int r = soma % 11;
    if (r == 1) return false;
    return (r == 0 ? 0 : 11 - r) == s[10] - '0';
}

bool OraculoCei(const std::string& s) {
    if (s.substr(0, 2) != "00" || s.substr(2, 4) == "0000") return false;
    const int pesos[11] = {7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4};
    int soma = 0;
    for (int i = 0; i < 11; ++i) soma += (s[2 + i] - '0') * pesos[i];
    int t = soma % 100;
    int n = (t / 10 + t % 10) % 10;
    return (10 - n) % 10 == s[13] - '0';
}

// Completes a base with the digits that make it valid for the oracle (trying every ending).
std::string Completa(std::string base, std::size_t largura, bool (*oraculo)(const std::string&)) {
    std::size_t faltam = largura - base.size();
    int limite = faltam == 1 ? 10 : 100;
    for (int f = 0; f < limite; ++f) {
        std::string s = base;
        if (faltam == 2) s += static_cast<char>('0' + f / 10);
        s += static_cast<char>('0' + f % 10);
        if (oraculo(s)) return s;
    }
    return {};
}

struct Identificador {
    const char* nome;
    std::size_t largura;
    std::size_t digitosVerificadores;
    std::string prefixo;  // fixed leading characters of a plausible number
    bool (*oraculo)(const std::string&);
    bool (*rotina)(std::string_view);
};

TEST(DigitosVerificadores, ConferemComGeradorIndependente) {
    const std::vector<Identificador> ids = {
        {"CNPJ", 14, 2, "", OraculoCnpj, fValidaCnpj},
        {"CPF", 11, 2, "", OraculoCpf, fValidaCpf},
        {"PIS", 11, 1, "1", OraculoPis, fValidaPisPasep},
        {"PIS2", 11, 1, "2", OraculoPis, fValidaPisPasep},
        {"CEI", 14, 1, "00", OraculoCei, fValidaCei}};
    std::mt19937 gerador(20051231);
    std::uniform_int_distribution<int> digito(0, 9);
    for (const auto& id : ids) {
        int validos = 0;
        for (int amostra = 0; amostra < 400; ++amostra) {
            std::string base = id.prefixo;
            while (base.size() < id.largura - id.digitosVerificadores) base += static_cast<char>('0' + digito(gerador));
            std::string numero = Completa(base, id.largura, id.oraculo);
            if (numero.empty()) continue;  // PIS base with remainder 1: no valid ending
            ++validos;
            ASSERT_TRUE(id.rotina(numero)) << id.nome << " " << numero;
            for (std::size_t pos = 0; pos < id.largura; ++pos) {
                std::string alterado = numero;
                alterado[pos] = static_cast<char>('0' + (alterado[pos] - '0' + 1 + digito(gerador) % 9) % 10);
                ASSERT_EQ(id.rotina(alterado), id.oraculo(alterado)) << id.nome << " " << alterado;
            }
        }
        EXPECT_GT(validos, 300) << id.nome;
    }
}

TEST(DigitosVerificadores, CasosLimite) {
    struct Caso { bool (*rotina)(std::string_view); std::string valor; bool esperado; };
    const std::vector<Caso> casos = {
        // CNPJ: known number, remainders 0 and 1 giving digit 0, order number 0000, malformed values.
        {fValidaCnpj, "11222333000181", true},
        {fValidaCnpj, "11222333000182", false},
        {fValidaCnpj, "28921840000106", true},   // first remainder 0
        {fValidaCnpj, "68387380000100", true},   // first remainder 1
        {fValidaCnpj, "11222333000000", false},  // order number 0000 (digits would be 00)
        {fValidaCnpj, "00000000000000", false},
        {fValidaCnpj, "1122233300018", false},
        {fValidaCnpj, "1122233300018A", false},
        {fValidaCnpj, "", false},
        // CPF.
        {fValidaCpf, "52998224725", true},
        {fValidaCpf, "52998224724", false},
        {fValidaCpf, "58783101209", true},  // first remainder 0
        {fValidaCpf, "58501775401", true},  // first remainder 1
        {fValidaCpf, "5299822472", false},
        // PIS/PASEP: remainder 0 gives 0; remainder 1 has no valid digit; reserved numbers.
        {fValidaPisPasep, "17366258510", true},
        {fValidaPisPasep, "12914177765", true},
        {fValidaPisPasep, "10636083770", false},  // remainder 1: digit 0 would pass by the standard rule
        {fValidaPisPasep, "12345678900", false},
        {fValidaPisPasep, "10987654321", false},
        {fValidaPisPasep, "10000000008", false},
        {fValidaPisPasep, "32914177765", false},  // first digit must be 1 or 2
        {fValidaPisPasep, "00000000000", false},
        // CEI: positions 3-6 all zeros rejected even with a matching digit.
        {fValidaCei, "00123456789010", true},
        {fValidaCei, "00123456789011", false},
        {fValidaCei, "00000012345677", false},
        {fValidaCei, "01123456789010", false},
        {fValidaCei, "0012345678901", false},
    };
    for (const auto& c : casos) EXPECT_EQ(c.rotina(c.valor), c.esperado) << c.valor;
}

TEST(DigitosVerificadores, InscricaoValidaComoCnpjECei) {
    EXPECT_TRUE(fValidaCnpj("00945807000105"));
    EXPECT_TRUE(fValidaCei("00945807000105"));
}

TEST(Primitivas, CnpjNaoMatriz) {
    EXPECT_TRUE(fCnpjNaoMatriz("00000000000000"));
    EXPECT_FALSE(fCnpjNaoMatriz("11222333000181"));
    EXPECT_TRUE(fCnpjNaoMatriz("11222333000262"));
    EXPECT_TRUE(fCnpjNaoMatriz(""));
}

TEST(Primitivas, Dinheiro) {
    struct Caso { std::string valor; bool naoInformado; long long centavos; };
    const std::vector<Caso> casos = {
        {"", true, 0},           {"0,00", true, 0},        {"00000000", true, 0}, {"000000000", true, 0},
        {"000026000", false, 26000}, {"260,00", false, 26000}, {"1.234,56", false, 123456}, {"1,5", false, 150},
        {"12a", false, -1},      {"1,234", false, -1}};
    for (const auto& c : casos) {
        EXPECT_EQ(fValorNaoInformado(c.valor), c.naoInformado) << c.valor;
        EXPECT_EQ(fCentavos(c.valor), c.centavos) << c.valor;
    }
}

TEST(Primitivas, SalarioMinimoETeto) {
    struct Caso { std::string valor; std::string mes; bool abaixo; bool acima; };
    const std::vector<Caso> casos = {
        {"000025999", "04", true, false},  {"000026000", "04", false, false}, {"000026000", "05", true, false},
        {"000030000", "05", false, false}, {"000029999", "12", true, false},  {"000029999", "99", true, false},
        {"003899999", "01", false, false}, {"003900000", "01", false, true},  {"003900000", "05", false, false},
        {"004499999", "12", false, false}, {"004500000", "12", false, true},  {"004500000", "99", false, true},
        {"1.000,00", "03", false, false}};
    for (const auto& c : casos) {
        EXPECT_EQ(fAbaixoSalarioMinimo(c.valor, c.mes), c.abaixo) << c.valor << " " << c.mes;
        EXPECT_EQ(fAcimaTetoSalarial(c.valor, c.mes), c.acima) << c.valor << " " << c.mes;
    }
    EXPECT_TRUE(fAcimaTetoSalarial(4500000, 12));
    EXPECT_FALSE(fAcimaTetoSalarial(4499999, 12));
}

}  // namespace
