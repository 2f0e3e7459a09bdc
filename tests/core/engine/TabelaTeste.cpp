#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"

using namespace zovi;
using zovi::teste::PastaTeste;

namespace {

DefTabela Pessoas() {
    return {"PESSOAS",
            {DefCampo{"Ano", TipoCampo::Texto, 4}, DefCampo{"Nome", TipoCampo::Texto, 10},
             DefCampo{"Seq", TipoCampo::Texto, 2}, DefCampo{"Ativo", TipoCampo::Logico, 0}},
            {DefIndice{"Main", "Ano;Nome;Seq", true, false}}};
}

void Insere(Tabela& t, const std::string& ano, const std::string& nome, const std::string& seq) {
    t.Acrescenta();
    t.PoeTexto("Ano", ano);
    t.PoeTexto("Nome", nome);
    t.PoeTexto("Seq", seq);
    t.Grava();
}

std::vector<std::string> Nomes(Tabela& t) {
    std::vector<std::string> r;
    for (t.Primeiro(); !t.Fim(); t.Proximo()) r.push_back(t.Texto("Nome") + t.Texto("Seq"));
    return r;
}

class TabelaTeste : public ::testing::Test {
protected:
    PastaTeste pasta{false};
    Banco banco;
    void SetUp() override {
        banco.Abre("Zovi2005", {pasta.Parametro()});
        banco.CriaTabela(Pessoas());
    }
};

TEST_F(TabelaTeste, CursorSegueAChavePrimariaEmQualquerOrdemDeInclusao) {
    Tabela t(banco, "pessoas.db");
    t.Abre();
    EXPECT_TRUE(t.Vazia());
    Insere(t, "2005", "CARLA", "01");
    Insere(t, "2005", "ANA", "02");
    Insere(t, "2005", "ANA", "01");
    Insere(t, "2004", "ZECA", "01");
    EXPECT_EQ(Nomes(t), (std::vector<std::string>{"ZECA01", "ANA01", "ANA02", "CARLA01"}));
    EXPECT_EQ(t.NumRegistros(), 4);
    t.Ultimo();
    EXPECT_EQ(t.Texto("Nome"), "CARLA");
    EXPECT_TRUE(t.Fim());
    t.Anterior();
    EXPECT_EQ(t.Texto("Nome") + t.Texto("Seq"), "ANA02");
    t.Primeiro();
    EXPECT_EQ(t.Move(2), 2);
    EXPECT_EQ(t.Texto("Nome") + t.Texto("Seq"), "ANA02");
}

TEST_F(TabelaTeste, BuscaPelaChaveCompletaOuPelosPrimeirosCampos) {
    Tabela t(banco, "PESSOAS");
    t.Abre();
    Insere(t, "2005", "BETO", "01");
    Insere(t, "2005", "ANA", "01");
    Insere(t, "2004", "ANA", "01");
    ASSERT_TRUE(t.BuscaChave({"2005"}));
    EXPECT_EQ(t.Texto("Nome"), "ANA");
    EXPECT_EQ(t.Texto("Ano"), "2005");
    ASSERT_TRUE(t.BuscaChave({"2005", "BETO", "01"}));
    // Nothing found: the cursor stays where it was.
    EXPECT_FALSE(t.BuscaChave({"2006"}));
    EXPECT_EQ(t.Texto("Nome"), "BETO");
    t.Proximo();
    EXPECT_TRUE(t.Fim());
}

TEST_F(TabelaTeste, ChaveRepetidaDaErro9729ELarguraExcedidaNaoCorta) {
    Tabela t(banco, "Pessoas");
    t.Abre();
    Insere(t, "2005", "ANA", "");
    try {
        Insere(t, "2005", "ANA", "");
        FAIL() << "chave repetida aceita";
    } catch (const ErroMotor& e) {
        EXPECT_EQ(e.Codigo(), 9729);
        EXPECT_EQ(e.Categoria(), 0x26);
    }
    t.Cancela();
    // Differing only in the last key field is another key.
    Insere(t, "2005", "ANA", "01");
    t.Acrescenta();
    EXPECT_THROW(t.PoeTexto("Nome", "NOME LONGO DEMAIS"), ErroMotor);
    t.Cancela();
    Consulta q(banco, {"update pessoas set Nome = 'NOME LONGO DEMAIS'"});
    EXPECT_THROW(q.Executa(), ErroMotor);
    EXPECT_EQ(t.NumRegistros(), 2);
}

TEST_F(TabelaTeste, EditarTabelaVaziaAcrescentaEApagarAvancaParaOProximo) {
    Tabela t(banco, "PESSOAS");
    t.Abre();
    t.Edita();
    EXPECT_EQ(t.Estado(), EstadoTabela::Inserindo);
    t.PoeTexto("Ano", "2005");
    t.PoeTexto("Nome", "A");
    t.PoeLogico("Ativo", true);
    t.Grava();
    Insere(t, "2005", "B", "");
    Insere(t, "2005", "C", "");
    t.Primeiro();
    EXPECT_TRUE(t.Logico("Ativo"));
    t.Edita();
    t.PoeTexto("Seq", "9");
    t.Grava();
    t.Apaga();
    EXPECT_EQ(t.Texto("Nome"), "B");
    // Deleting everything from the first record on.
    while (!t.Fim()) t.Apaga();
    EXPECT_TRUE(t.Vazia());
}

TEST_F(TabelaTeste, ConsultaComParametrosConstantesEntreAspasDuplasEJuncao) {
    Tabela t(banco, "PESSOAS");
    t.Abre();
    Insere(t, "2005", "ANA", "01");
    Insere(t, "2006", "BIA", "01");
    Insere(t, "2004", "CAIO", "01");
    Insere(t, "2005", "DANI", "01");

    Consulta q(banco, {"Select Nome from Pessoas", "where Ano = \"2005\" or Ano = \"2006\"", "order by Nome desc"});
    q.Abre();
    std::vector<std::string> nomes;
    for (; !q.Fim(); q.Proximo()) nomes.push_back(q.Texto("nome"));
    EXPECT_EQ(nomes, (std::vector<std::string>{"DANI", "BIA", "ANA"}));

    Consulta c(banco, {"select count(*) from \"pessoas.db\" where Ano = :ano"});
    c.Parametro("ano", "2005");
    c.Abre();
    EXPECT_EQ(c.Inteiro(0), 2);

    Consulta lista(banco, {"select distinct Ano from PESSOAS.DB where Nome in (:nomes) order by Ano"});
    lista.ParametroLista("nomes", {"ANA", "CAIO", "DANI"});
    lista.Abre();
    EXPECT_EQ(lista.NumRegistros(), 2);
    EXPECT_EQ(lista.Texto("Ano"), "2004");

    banco.CriaTabela({"ANOS", {DefCampo{"Ano", TipoCampo::Texto, 4}, DefCampo{"Rotulo", TipoCampo::Texto, 10}}, {}});
    Consulta ins(banco, {"insert into anos (Ano, Rotulo) values (\"2005\", 'atual')"});
    EXPECT_EQ(ins.Executa(), 1);
    Consulta j(banco, {"select p.Nome, a.Rotulo from Pessoas p, Anos a", "where p.Ano = a.Ano order by p.Nome"});
    j.Abre();
    EXPECT_EQ(j.NumRegistros(), 2);
    EXPECT_EQ(j.Texto("Rotulo"), "atual");
    Consulta upd(banco, {"update pessoas set Seq = '02' where Ano = :a"});
    upd.Parametro("a", "2005");
    EXPECT_EQ(upd.Executa(), 2);

    // Run again with other parameters, the statement kept; a new text is prepared anew.
    upd.Parametro("a", "2004");
    EXPECT_EQ(upd.ExecutaPreparada(), 1);
    upd.Parametro("a", "2006");
    EXPECT_EQ(upd.ExecutaPreparada(), 1);
    upd.DefineSql({"update pessoas set Seq = '03' where Nome = :n"});
    upd.Parametro("n", "ANA");
    EXPECT_EQ(upd.ExecutaPreparada(), 1);
    Consulta seq(banco, {"select Nome, Seq from pessoas order by Nome"});
    std::vector<std::string> seqs;
    for (seq.Abre(); !seq.Fim(); seq.Proximo()) seqs.push_back(seq.Texto("Seq"));
    EXPECT_EQ(seqs, (std::vector<std::string>{"03", "02", "02", "02"}));
}

TEST_F(TabelaTeste, IndiceSecundarioSemDistincaoDeCaixa) {
    banco.CriaTabela({"UF",
                      {DefCampo{"CoUf", TipoCampo::Texto, 2}, DefCampo{"SgUf", TipoCampo::Texto, 2}},
                      {DefIndice{"Main", "CoUf;SgUf", true, false}, DefIndice{"ISgUf", "SgUf", false, true}}});
    Tabela t(banco, "uf");
    t.Abre();
    for (auto [co, sg] : {std::pair{"35", "SP"}, {"33", "RJ"}, {"11", "RO"}}) {
        t.Acrescenta();
        t.PoeTexto("CoUf", co);
        t.PoeTexto("SgUf", sg);
        t.Grava();
    }
    t.UsaIndiceCampos("SgUf");
    ASSERT_TRUE(t.BuscaChave({"sp"}));
    EXPECT_EQ(t.Texto("CoUf"), "35");
    t.Primeiro();
    EXPECT_EQ(t.Texto("SgUf"), "RJ");
    auto def = banco.LeDefinicao("UF");
    ASSERT_EQ(def.indices.size(), 2u);
    EXPECT_TRUE(def.indices[0].primario);
    EXPECT_TRUE(def.indices[1].semCaixa);
}

TEST_F(TabelaTeste, TransacaoDesfeitaNaoDeixaNadaEmNenhumaTabela) {
    banco.CriaTabela({"OUTRA", {DefCampo{"X", TipoCampo::Texto, 3}}, {}});
    {
        Transacao tr(banco);
        Consulta(banco, {"insert into pessoas (Ano, Nome) values ('2005', 'A')"}).Executa();
        Consulta(banco, {"insert into outra (X) values ('1')"}).Executa();
    }
    Consulta c(banco, {"select (select count(*) from pessoas) + (select count(*) from outra) as n"});
    c.Abre();
    EXPECT_EQ(c.Inteiro("n"), 0);
}

TEST_F(TabelaTeste, MaisTabelasQueOLimiteDeAnexosDoSqlite) {
    std::vector<std::unique_ptr<Tabela>> abertas;
    for (int i = 0; i < 14; ++i) {
        auto nome = "T" + std::to_string(i);
        banco.CriaTabela({nome, {DefCampo{"X", TipoCampo::Texto, 3}}, {}});
        abertas.push_back(std::make_unique<Tabela>(banco, nome));
        abertas.back()->Abre();
        abertas.back()->Acrescenta();
        abertas.back()->PoeTexto("X", std::to_string(i));
        abertas.back()->Grava();
    }
    for (int i = 0; i < 14; ++i) {
        abertas[i]->Primeiro();
        EXPECT_EQ(abertas[i]->Texto("X"), std::to_string(i));
    }
}

TEST_F(TabelaTeste, CriaTabelaComoCopiaCamposEIndices) {
    banco.CriaTabelaComo("PESSOAS", "copia", true);
    auto def = banco.LeDefinicao("COPIA");
    EXPECT_EQ(def.campos.size(), 4u);
    ASSERT_EQ(def.indices.size(), 1u);
    EXPECT_EQ(def.indices[0].campos, "Ano;Nome;Seq");
    EXPECT_TRUE(banco.fCriaTabelaComo("PESSOAS", "SEMINDICE", false));
    EXPECT_TRUE(banco.LeDefinicao("semindice").indices.empty());
    EXPECT_FALSE(banco.fCriaTabelaComo("NAOEXISTE", "X", false));
}

}  // namespace
