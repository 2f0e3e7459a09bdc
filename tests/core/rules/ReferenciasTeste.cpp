#include <gtest/gtest.h>

#include "BaseReferencia.h"
#include "engine/Tabela.h"

using namespace zovi;

namespace {

TEST(Referencias, CarregaUmaVezEBuscaPorChave) {
    teste::BaseReferencia base;
    base.Municipio("3550308", "SAO PAULO", "", "1");
    base.Municipio("3500105", "ADAMANTINA", "17800", "0");
    base.Insere("TB8FXCEP", {{"CoMunicipio", "3550308"}, {"CoCep1Inicial", "01000"}, {"CoCep1Final", "05999"},
                             {"CoCep2Inicial", "08000"}, {"CoCep2Final", "08499"}});
    base.Uf("35", "SP");
    base.Insere("TBUFCEP", {{"CoUf", "35"}, {"IdUf", "1"}, {"CoCepInicial", "01000"}, {"CoCepFinal", "19999"}});
    base.Insere("TBUFCEP", {{"CoUf", "35"}, {"IdUf", "2"}, {"CoCepInicial", "09000"}, {"CoCepFinal", "09999"}});
    base.Insere("TB8CNAE", {{"CoCnae", "70408"}});
    base.Insere("TB8DESL", {{"CoCausaDesligamento", "10"}});
    {
        Tabela cbo(base.banco, "TB8CBO");
        cbo.Abre();
        cbo.Acrescenta();
        cbo.PoeTexto("CoCbo", "223505");
        cbo.PoeLogico("InCriticaCbo", true);
        cbo.Grava();
    }
    const Referencias ref = base.Carrega();

    const Municipio* sp = ref.BuscaMunicipio("3550308");
    ASSERT_NE(sp, nullptr);
    EXPECT_EQ(sp->nome, "SAO PAULO");
    EXPECT_EQ(sp->faixa, "1");
    EXPECT_EQ(ref.BuscaMunicipio("3500105")->cep, "17800");
    EXPECT_EQ(ref.BuscaMunicipio("9999999"), nullptr);
    EXPECT_EQ(ref.BuscaMunicipio(""), nullptr);
    EXPECT_EQ(ref.BuscaFaixasCep("3550308")->cep2Final, "08499");
    EXPECT_EQ(ref.BuscaUfPorSigla("sp")->codigo, "35");
    EXPECT_EQ(ref.BuscaUfPorCodigo("35")->sigla, "SP");
    EXPECT_EQ(ref.BuscaUfPorSigla("RJ"), nullptr);
    ASSERT_EQ(ref.FaixasCepUf("35").size(), 2u);
    EXPECT_EQ(ref.FaixasCepUf("35")[1].inicial, 9000);
    EXPECT_TRUE(ref.FaixasCepUf("33").empty());
    EXPECT_TRUE(ref.ExisteCodigo(TabelaCodigos::Cnae, "70408"));
    EXPECT_FALSE(ref.ExisteCodigo(TabelaCodigos::Cnae, "70409"));
    EXPECT_TRUE(ref.ExisteCodigo(TabelaCodigos::CausaDesligamento, "10"));
    EXPECT_FALSE(ref.ExisteCodigo(TabelaCodigos::NaturezaJuridica, "10"));
    ASSERT_NE(ref.BuscaCbo("223505"), nullptr);
    EXPECT_TRUE(ref.BuscaCbo("223505")->criticaCbo);
    EXPECT_FALSE(ref.BuscaCbo("223505")->criticaAna);
}

TEST(Referencias, VaziaNaoAchaNada) {
    Referencias ref;
    EXPECT_EQ(ref.BuscaMunicipio("3550308"), nullptr);
    EXPECT_TRUE(ref.FaixasCepUf("35").empty());
    EXPECT_FALSE(ref.ExisteCodigo(TabelaCodigos::Raca, "1"));
}

}  // namespace
