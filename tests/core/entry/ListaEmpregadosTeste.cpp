#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "data/ModulosDados.h"
#include "entry/ListaEmpregados.h"

using namespace zovi;
using zovi::teste::PastaTeste;

namespace {

class ListaEmpregadosTeste : public ::testing::Test {
protected:
    PastaTeste pasta;
    TdmGDZovi dm{pasta.Caminho()};
    ListaEmpregados lista{dm.dbZovi, "2005", "11222333000181", "01"};

    void SetUp() override {
        Tabela t(dm.dbZovi, "BD8VINC");
        t.Abre();
        auto poe = [&](const char* prefixo, const char* pis, const char* nome, const char* seq = "") {
            t.Acrescenta();
            t.PoeTexto("AnBase", "2005");
            t.PoeTexto("CoCgcCeiEstabelecimento", "11222333000181");
            t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
            t.PoeTexto("CoPisPasepEmpregado", pis);
            t.PoeTexto("DaAdmissaoEmpregado", "01022005");
            t.PoeTexto("NoEmpregado", nome);
            t.PoeTexto("NuSequencialRegistro", seq);
            t.Grava();
        };
        poe("01", "12345678919", "ZULEICA SOUZA");
        poe("01", "10987654321", "antonio lima");
        poe("01", "12300000001", "EDSON FARIA");
        poe("01", "12300000001", "EDSON FARIA", "000007");  // differs only by the sequence number
        poe("01", "19999999999", "FABIO ZANON");
        poe("01", "00000000000", "MARIO SEM PIS");
        poe("02", "12345678919", "ZULEICA SOUZA");  // another prefix: never listed
    }

    std::vector<std::string> Nomes() {
        std::vector<std::string> n;
        for (const auto& l : lista.Linhas(0, 100)) n.push_back(l.nome + (l.sequencial.empty() ? "" : "#"));
        return n;
    }
};

TEST_F(ListaEmpregadosTeste, BuscaEOrdem) {
    struct Caso {
        FiltroEmpregados filtro;
        OrdemEmpregados ordem;
        bool descendente;
        std::vector<std::string> nomes;
    };
    using O = OrdemEmpregados;
    const std::vector<Caso> casos = {
        {{}, O::PisPasep, false,
         {"MARIO SEM PIS", "antonio lima", "EDSON FARIA", "EDSON FARIA#", "ZULEICA SOUZA", "FABIO ZANON"}},
        {{}, O::Nome, false,
         {"antonio lima", "EDSON FARIA", "EDSON FARIA#", "FABIO ZANON", "MARIO SEM PIS", "ZULEICA SOUZA"}},
        {{}, O::Nome, true,
         {"ZULEICA SOUZA", "MARIO SEM PIS", "FABIO ZANON", "EDSON FARIA#", "EDSON FARIA", "antonio lima"}},
        {{"123", "", ""}, O::PisPasep, false, {"EDSON FARIA", "EDSON FARIA#", "ZULEICA SOUZA"}},
        {{"1999", "", ""}, O::PisPasep, false, {"FABIO ZANON"}},
        {{"", "ANT", ""}, O::PisPasep, false, {"antonio lima"}},       // without letter case
        {{"", "edson f", ""}, O::Nome, false, {"EDSON FARIA", "EDSON FARIA#"}},
        {{"", "", "EF"}, O::Nome, false, {"EDSON FARIA", "EDSON FARIA#", "FABIO ZANON"}},
        {{"", "", "YZ"}, O::Nome, false, {"ZULEICA SOUZA"}},
        {{"", "", "A"}, O::PisPasep, false, {"antonio lima"}},
        // A typed name wins over the letter; PIS/PASEP and name together narrow the search.
        {{"", "Z", "A"}, O::Nome, false, {"ZULEICA SOUZA"}},
        {{"12", "E", ""}, O::PisPasep, false, {"EDSON FARIA", "EDSON FARIA#"}},
        {{"5", "", ""}, O::PisPasep, false, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.filtro.pisPasep + "|" + c.filtro.nome + "|" + c.filtro.letras);
        lista.Filtra(c.filtro);
        lista.Ordena(c.ordem, c.descendente);
        EXPECT_EQ(Nomes(), c.nomes);
        EXPECT_EQ(lista.Conta(), static_cast<long>(c.nomes.size()));
    }
}

TEST_F(ListaEmpregadosTeste, PaginasEPosicao) {
    lista.Ordena(OrdemEmpregados::Nome);
    auto pagina = lista.Linhas(4, 10);
    ASSERT_EQ(pagina.size(), 2u);
    EXPECT_EQ(pagina[0].nome, "MARIO SEM PIS");
    EXPECT_TRUE(lista.Linhas(6, 10).empty());

    ChaveEmpregado segundoEdson{"12300000001", "01022005", "EDSON FARIA", "000007"};
    EXPECT_EQ(lista.Posicao(segundoEdson), 2);
    lista.Ordena(OrdemEmpregados::Nome, true);
    EXPECT_EQ(lista.Posicao(segundoEdson), 3);
    lista.Ordena(OrdemEmpregados::PisPasep);
    EXPECT_EQ(lista.Posicao(segundoEdson), 3);
    lista.Filtra({"", "Z", ""});
    EXPECT_FALSE(lista.Posicao(segundoEdson));
    EXPECT_FALSE(lista.Posicao({"55555555555", "01022005", "NINGUEM", ""}));
}

TEST(ProximoPrefixo, LimiteSuperiorDeUmaBusca) {
    EXPECT_EQ(ProximoPrefixo("123"), "124");
    EXPECT_EQ(ProximoPrefixo("129"), "12:");
    EXPECT_EQ(ProximoPrefixo("a\xFF"), "b");
    EXPECT_EQ(ProximoPrefixo("\xFF\xFF"), "");
    EXPECT_EQ(ProximoPrefixo(""), "");
}

}  // namespace
