// The reader's slot tables in both layouts, field extraction and the character classes.
#include <gtest/gtest.h>

#include <string>

#include "analysis/LeiauteArquivo.h"

namespace zovi {
namespace {

TEST(LeiauteArquivo, SlotsNosDoisLeiautes) {
    struct Caso {
        char tipo;
        int slot;
        int posAtual, tamAtual, posAnterior, tamAnterior;
    };
    const Caso casos[] = {
        {'0', 19, 0, 0, 0, 0},        {'0', 23, 240, 45, 240, 45},   {'0', 24, 288, 6, 288, 6},
        {'1', 22, 281, 12, 281, 12},  {'1', 23, 293, 4, 293, 4},     {'1', 25, 0, 0, 0, 0},
        {'1', 28, 512, 12, 339, 12},  {'1', 40, 219, 45, 219, 45},   {'1', 41, 339, 14, 0, 0},
        {'1', 49, 427, 1, 0, 0},      {'2', 12, 91, 11, 91, 11},     {'2', 13, 0, 0, 0, 0},
        {'2', 41, 512, 12, 339, 12},  {'2', 42, 270, 9, 270, 9},     {'2', 54, 310, 3, 310, 3},
        {'2', 55, 313, 8, 0, 0},      {'2', 85, 509, 3, 0, 0},       {'9', 9, 48, 48, 48, 48},
        {'9', 10, 492, 32, 319, 32},
    };
    LeiauteLeitura l;
    auto campo = [&](char tipo, int slot) -> const TArquivo& {
        switch (tipo) {
            case '0': return l.tipoZero.Campo(slot);
            case '1': return l.tipoUm.Campo(slot);
            case '2': return l.tipoDois.Campo(slot);
            default: return l.tipoNove.Campo(slot);
        }
    };
    // Loading the current layout after the previous one, and back, leaves nothing behind.
    for (int volta = 0; volta < 2; ++volta) {
        pCarregaLayoutAtual(l);
        EXPECT_EQ(l.tamanhoRegistro, 523);
        EXPECT_EQ(l.tipoUm.Campo(23).legenda, "2005");
        for (const auto& c : casos) {
            EXPECT_EQ(campo(c.tipo, c.slot).posicao, c.posAtual) << c.tipo << " " << c.slot;
            EXPECT_EQ(campo(c.tipo, c.slot).tamanho, c.tamAtual) << c.tipo << " " << c.slot;
        }
        pCarregaLayoutAnterior(l);
        EXPECT_EQ(l.tamanhoRegistro, 350);
        EXPECT_EQ(l.tipoUm.Campo(23).legenda, "2004");
        for (const auto& c : casos) {
            EXPECT_EQ(campo(c.tipo, c.slot).posicao, c.posAnterior) << c.tipo << " " << c.slot;
            EXPECT_EQ(campo(c.tipo, c.slot).tamanho, c.tamAnterior) << c.tipo << " " << c.slot;
        }
    }
    EXPECT_EQ(l.tipoDois.Campo(13).legenda, "Carteira de Trabalho(Número)");
    EXPECT_EQ(l.tipoDois.Campo(86).posicao, 0) << "a slot beyond the table reads empty";
}

TEST(LeiauteArquivo, ExtracaoDeCampo) {
    const std::string r = std::string("ABCDEF") + '\0' + "XYZ";
    EXPECT_EQ(fExtraiCampo(r, 2, 3), "BCD");
    EXPECT_EQ(fExtraiCampo(r, 5, 5), "EF") << "stops at NUL";
    EXPECT_EQ(fExtraiCampo(r, 8, 10), "XYZ") << "stops at the end of the record";
    EXPECT_EQ(fExtraiCampo(r, 0, 3), "");
    EXPECT_EQ(fExtraiCampo(r, 2, 0), "");
    EXPECT_EQ(fExtraiCampo(r, 2, 257), "");
    EXPECT_EQ(fExtraiCampo(r, 65535, 2), "");
    EXPECT_EQ(fExtraiCampo(r, 40, 2), "");
}

TEST(LeiauteArquivo, ClassesDeCaracteres) {
    EXPECT_TRUE(fSoDigitos("0123456789"));
    EXPECT_TRUE(fSoDigitos(""));
    EXPECT_FALSE(fSoDigitos("12 3"));
    EXPECT_FALSE(fSoDigitos("\xB2"));  // superscript two is not a digit of a number
    EXPECT_EQ(fPosicaoNaoDigito("12a4", 4), 3u);
    EXPECT_EQ(fPosicaoNaoDigito("1234", 4), 5u);
    EXPECT_TRUE(fSoImprimiveis(" ~AZ"));
    EXPECT_FALSE(fSoImprimiveis("\xC7"));
    EXPECT_TRUE(fExibivel(0xC7));
    EXPECT_FALSE(fExibivel(0x0D));
    EXPECT_FALSE(fExibivel(0xD7));  // multiplication sign
    EXPECT_EQ(fPosicaoNaoImprimivel("ab\x7F", 3), 3u);
    EXPECT_TRUE(fTemQuebra("ab\ncd", 5));
    EXPECT_FALSE(fTemQuebra("ab\ncd", 2));
    EXPECT_EQ(fMostraCaracter(0x0D, true), "0D(hexadecimal)");
    EXPECT_EQ(fMostraCaracter(0x0A, false), "0A");
    EXPECT_EQ(fMostraCaracter('x', true), "x");
}

TEST(LeiauteArquivo, QuebrasDeLinha) {
    const std::string reg(10, 'x');
    struct Caso {
        std::string fim;
        int tipo, passo;
    };
    const Caso casos[] = {{"xx", 0, 10}, {"\r\n", 1, 12}, {"\n\r", 2, 12}, {"\rx", 3, 11},
                          {"\nx", 4, 11}, {"x\n", 0, 10}, {"\r\r", 3, 11}};
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::PrintToString(c.fim));
        EXPECT_EQ(fTipoQuebra(reg + c.fim, 10), c.tipo);
        EXPECT_EQ(fPasso(c.tipo, 10), c.passo);
        EXPECT_TRUE(fConfereQuebra(reg + c.fim, c.passo, c.tipo));
    }
    EXPECT_FALSE(fConfereQuebra(reg + "\r\n", 12, 2));
    EXPECT_FALSE(fConfereQuebra(reg + "\r", 12, 1)) << "too short";
}

}  // namespace
}  // namespace zovi
