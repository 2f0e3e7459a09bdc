#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "data/ListasSelecao.h"
#include "data/ModulosDados.h"

using namespace zovi;
using zovi::teste::PastaTeste;

namespace {

class ListasSelecao : public ::testing::Test {
protected:
    PastaTeste pasta;
    TdmGDZovi dm{pasta.Caminho()};
    TdmEntradaDados entrada{dm};

    void SetUp() override {
        Empresa("11222333000181", "01", "1", "PADARIA BOM PAO LTDA", "0");
        Empresa("001234567890", "A1", "3", "OBRA CENTRO", "0");  // CEI stored with 12 characters
        Empresa("44555666000100", "01", "1", "ALFA SEM EMPREGADOS", "1");
        Empregado("12345678901", "01022005", "ZULEICA SOUZA");
        Empregado("10987654321", "15032004", "ANTONIO LIMA");
    }
    void Empresa(const char* inscr, const char* prefixo, const char* tipo, const char* nome, const char* negativa) {
        auto& t = entrada.ta8Empresa;
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("AnBase", "2005");
        t.PoeTexto("CoCgcCeiEstabelecimento", inscr);
        t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
        t.PoeTexto("InInscrEstabelecimento", tipo);
        t.PoeTexto("NoRazaoEstabelecimento", nome);
        t.PoeTexto("InZoviNegEstabelecimento", negativa);
        t.Grava();
    }
    void Empregado(const char* pis, const char* admissao, const char* nome) {
        auto& t = entrada.ta8Empreg;
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("AnBase", "2005");
        t.PoeTexto("CoCgcCeiEstabelecimento", "11222333000181");
        t.PoeTexto("NuPrefixoEstabelecimento", "01");
        t.PoeTexto("CoPisPasepEmpregado", pis);
        t.PoeTexto("DaAdmissaoEmpregado", admissao);
        t.PoeTexto("NoEmpregado", nome);
        t.Grava();
    }
};

TEST_F(ListasSelecao, LinhasDeEstabelecimentoComPosicoesFixas) {
    auto linhas = MarcaEstabelecimentos(dm.quBd8Emp, "2005", 'S', '0');
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0], "00-123-45.678-9/0   A1  OBRA CENTRO");
    EXPECT_EQ(linhas[1], "11.222.333/0001-81  01  PADARIA BOM PAO LTDA");
    // The prefix is read back from positions 21-22 and the name from 25.
    EXPECT_EQ(linhas[0].substr(20, 2), "A1");
    EXPECT_EQ(linhas[2].substr(20, 2), "01");
    EXPECT_EQ(linhas[2].substr(24), "ALFA SEM EMPREGADOS");
    EXPECT_EQ(RetiraSeparadores(linhas[1].substr(0, 18)), "11222333000181");

    // Only declarations with employees; by name.
    auto comEmpregados = MarcaEstabelecimentos(dm.quBd8Emp, "2005", 'N', '1');
    ASSERT_EQ(comEmpregados.size(), 2u);
    EXPECT_EQ(comEmpregados[0].substr(24), "OBRA CENTRO");
    EXPECT_EQ(ListaEstabelecimentos(dm.quBd8Emp, "2005", 'N').size(), 2u);
    EXPECT_TRUE(ListaEstabelecimentos(dm.quBd8Emp, "2004", 'S').empty());
}

TEST_F(ListasSelecao, LinhasDeEmpregadoPorPisOuPorNome) {
    auto porPis = MarcaEmpregados(dm.quBd8Emp, "2005", "11222333000181", "01", '0');
    ASSERT_EQ(porPis.size(), 2u);
    EXPECT_EQ(porPis[0], "109.87654.32.1  15/03/2004  ANTONIO LIMA");
    auto porNome = MarcaEmpregados(dm.quBd8Emp, "2005", "11222333000181", "01", '1');
    EXPECT_EQ(porNome[1], "ZULEICA SOUZA                   123.45678.90.1  01/02/2005");
}

TEST(ItensMarcados, CortaEm65EIgnoraOsNaoMarcados) {
    std::vector<std::string> linhas = {std::string(80, 'x'), "b", "c"};
    EXPECT_TRUE(ItensMarcados(linhas, {false, false, false}).empty());
    auto marcados = ItensMarcados(linhas, {true, false, true});
    ASSERT_EQ(marcados.size(), 2u);
    EXPECT_EQ(marcados[0].size(), 65u);
    EXPECT_EQ(marcados[1], "c");
    EXPECT_EQ(LarguraMaiorItem(linhas), 80);
    EXPECT_EQ(LarguraMaiorItem({}), 0);
}

}  // namespace
