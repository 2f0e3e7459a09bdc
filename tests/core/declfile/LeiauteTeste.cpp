// The layout table against the record length and the table widths, and the Text rule.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/Tabelas.h"
#include "declfile/Leiaute.h"

namespace zovi {
namespace {

TEST(Leiaute, CadaTipoCobreOs523CaracteresSemSobreposicao) {
    for (char tipo : {'0', '1', '2', '9'}) {
        SCOPED_TRACE(std::string("tipo ") + tipo);
        auto campos = CamposLeiaute(tipo);
        ASSERT_FALSE(campos.empty());
        int proxima = 1;
        for (const auto& c : campos) {
            EXPECT_EQ(c.posicao, proxima) << (c.origem ? c.origem : c.padrao ? c.padrao : "brancos");
            EXPECT_GT(c.largura, 0);
            proxima = c.posicao + c.largura;
        }
        EXPECT_EQ(proxima, kTamanhoRegistro + 1);
    }
    size_t total = 0;
    for (char tipo : {'0', '1', '2', '9'}) total += CamposLeiaute(tipo).size();
    EXPECT_EQ(total, CamposLeiaute().size()) << "types must be contiguous in the table";
}

TEST(Leiaute, LiteraisEPadroesTemALarguraDoCampo) {
    for (const auto& c : CamposLeiaute()) {
        if (c.formato == FormatoCampo::Literal) {
            ASSERT_NE(c.padrao, nullptr);
        }
        if (c.padrao) {
            EXPECT_EQ(std::strlen(c.padrao), static_cast<size_t>(c.largura)) << c.tipo << " " << c.posicao;
        }
    }
}

TEST(Leiaute, CamposDeTabelaTemALarguraDoCampoArmazenado) {
    for (const auto& c : CamposLeiaute()) {
        if (c.formato != FormatoCampo::Texto && c.formato != FormatoCampo::Dinheiro) continue;
        const char* tabela = c.tipo == '1' ? "BD8EMP" : c.tipo == '2' ? "BD8VINC" : "BD8RESP";
        const DefCampo* def = DefinicaoTabela(tabela).Campo(c.origem);
        ASSERT_NE(def, nullptr) << tabela << "." << c.origem;
        EXPECT_EQ(def->largura, c.largura) << tabela << "." << c.origem;
    }
}

TEST(Leiaute, PosicoesQueOsLeitoresUsam) {
    auto acha = [](char tipo, const char* origem) {
        for (const auto& c : CamposLeiaute(tipo))
            if (c.origem && std::strcmp(c.origem, origem) == 0) return c;
        ADD_FAILURE() << origem;
        return CampoLeiaute{};
    };
    EXPECT_EQ(acha('2', "VaFevereiroEmpregado").posicao, 146);
    EXPECT_EQ(acha('2', "VaDezembroEmpregado").posicao, 236);
    EXPECT_EQ(acha('2', "HoTrabalhadasFevereiro").posicao, 479);
    EXPECT_EQ(acha('2', "HoTrabalhadasDezembro").posicao, 509);
    EXPECT_EQ(acha('9', item::Selo).posicao, kTamanhoRegistro - kTamanhoSelo + 1);
    EXPECT_EQ(acha('1', "TxUsoEstabelecimento").posicao, 512);
}

TEST(Leiaute, RegraDeTexto) {
    struct Caso {
        const char* valor;
        int largura;
        const char* esperado;
    } casos[] = {
        {"abc", 5, "ABC  "},
        {"", 3, "   "},
        {"José da Conceição", 20, "JOSé DA CONCEIçãO   "},  // accented letters as stored
        {"Ação ÿ", 6, "AçãO ÿ"},
        {"0123", 4, "0123"},
        {"  x", 4, "  X "},                 // leading blanks kept
        {"e-mail@a.com.br", 15, "E-MAIL@A.COM.BR"},
        {"abcdef", 4, "ABCD"},              // never longer than the field
    };
    for (const auto& c : casos) EXPECT_EQ(fFormataCampo(c.valor, c.largura), c.esperado) << c.valor;
}

TEST(Leiaute, PadraoParaValorEmBranco) {
    auto campo = [](char tipo, const char* origem) {
        for (const auto& c : CamposLeiaute(tipo))
            if (c.origem && std::strcmp(c.origem, origem) == 0) return c;
        return CampoLeiaute{};
    };
    struct Caso {
        char tipo;
        const char* origem;
        const char* valor;
        const char* esperado;
    } casos[] = {
        {'2', "CoTipoRaca", "", "9"},
        {'2', "CoTipoRaca", " ", "9"},
        {'2', "CoTipoRaca", "1", "1"},
        {'2', "HoTrabalhadasMarco", "", "000"},
        {'2', "HoTrabalhadasMarco", "44", "44 "},
        {'2', "VaGlobalSindical", "", "        "},          // no default in type 2
        {'2', "VaGlobalSegAssociativa", "", "00000000"},
        {'1', "VaGlobalSindical", "  ", "00000000"},        // default in type 1
        {'1', "DaEncerramentoAtividade", "", "00000000"},
        {'1', "CoCNPJSindical", "", "00000000000000"},
    };
    for (const auto& c : casos) {
        CampoLeiaute f = campo(c.tipo, c.origem);
        ASSERT_GT(f.largura, 0) << c.origem;
        std::string registro(kTamanhoRegistro, '#');
        PoeCampoLeiaute(registro.data(), f, c.valor);
        EXPECT_EQ(registro.substr(f.posicao - 1, f.largura), c.esperado) << c.tipo << " " << c.origem;
        EXPECT_EQ(registro.size(), static_cast<size_t>(kTamanhoRegistro));
    }
}

}  // namespace
}  // namespace zovi
