#include <gtest/gtest.h>

#include <fstream>

#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "rules/GravadorInconsistencias.h"
#include "rules/VerificaDeclaracao.h"

using namespace zovi;
using zovi::teste::InteracaoRoteirizada;
using zovi::teste::PastaTeste;

namespace {

struct Empregado {
    const char* pis;
    const char* admissao;
    const char* nome;
    const char* nascimento;
    const char* nacionalidade = "10";
};

class VerificacaoTeste : public ::testing::Test {
protected:
    PastaTeste pasta;
    Banco banco;
    void SetUp() override { banco.Abre("Zovi2005", {pasta.Parametro()}); }

    void Estabelecimento(const char* inscricao, const char* negativa, const char* estrangeiros = "0",
                         const char* ano = "2005") {
        Tabela t(banco, "BD8EMP");
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("AnBase", ano);
        t.PoeTexto("CoCgcCeiEstabelecimento", inscricao);
        t.PoeTexto("NuPrefixoEstabelecimento", "01");
        t.PoeTexto("InInscrEstabelecimento", "1");
        t.PoeTexto("NoRazaoEstabelecimento", "EMPRESA DE TESTE LTDA");
        t.PoeTexto("InZoviNegEstabelecimento", negativa);
        t.PoeTexto("NuEstrangeirosEstabelec", estrangeiros);
        t.Grava();
    }
    void Empregados(const char* inscricao, std::initializer_list<Empregado> lista) {
        Tabela t(banco, "BD8VINC");
        t.Abre();
        int seq = 0;
        for (const auto& e : lista) {
            t.Acrescenta();
            t.PoeTexto("AnBase", "2005");
            t.PoeTexto("CoCgcCeiEstabelecimento", inscricao);
            t.PoeTexto("NuPrefixoEstabelecimento", "01");
            t.PoeTexto("CoPisPasepEmpregado", e.pis);
            t.PoeTexto("DaAdmissaoEmpregado", e.admissao);
            t.PoeTexto("NoEmpregado", e.nome);
            t.PoeTexto("NuSequencialRegistro", std::to_string(++seq));
            t.PoeTexto("DaNascimentoEmpregado", e.nascimento);
            t.PoeTexto("CoNacionalidade", e.nacionalidade);
            t.Grava();
        }
    }
    // The rows of one result code, as "content/label" in writing order.
    std::vector<std::string> Linhas(const char* codigo) {
        std::vector<std::string> r;
        if (!banco.ExisteTabela("TE8ERRWA")) return r;
        Consulta q(banco, {"select Conteudo, lbl, errwar from te8errwa where retorno = :c order by Sequencial"});
        q.Parametro("c", codigo);
        for (q.Abre(); !q.Fim(); q.Proximo()) r.push_back(q.Texto(0) + "/" + q.Texto(1) + "/" + q.Texto(2));
        return r;
    }
    ResultadoVerificacao Verifica(InteracaoRoteirizada& ui, const SelecaoEstabelecimentos* lista = nullptr) {
        return fVerificaDeclaracao(ui, pasta.Caminho(), false, lista, "2005", false, false);
    }
};

TEST_F(VerificacaoTeste, DeclaracaoVaziaNaoDeixaTabelaDeInconsistencias) {
    InteracaoRoteirizada ui;
    auto r = Verifica(ui);
    EXPECT_TRUE(r.Vazio());
    EXPECT_FALSE(banco.ExisteTabela("TE8ERRWA"));
    ASSERT_FALSE(ui.progresso.empty());
    EXPECT_EQ(ui.progresso.back(), std::make_pair(100L, 100L));
}

TEST_F(VerificacaoTeste, EstabelecimentoComEmpregadosDeclaradoSemNenhum) {
    Estabelecimento("11222333000181", "0");
    InteracaoRoteirizada ui;
    auto r = Verifica(ui);
    EXPECT_TRUE(r.vrErro);
    EXPECT_EQ(Linhas("1673"), (std::vector<std::string>{"0/1661/err", "0/1622/err"}));
}

TEST_F(VerificacaoTeste, EstrangeirosAcimaDeUmTerco) {
    Estabelecimento("11222333000181", "0", "2");
    Estabelecimento("44555666000100", "0", "4");
    Empregados("11222333000181", {{"10000000001", "01012005", "A", "01011980"},
                                  {"10000000002", "01012005", "B", "01011980"},
                                  {"10000000003", "01012005", "C", "01011980"},
                                  {"10000000004", "01012005", "D", "01011980"},
                                  {"10000000005", "01012005", "E", "01011980"}});
    // Four employees, four foreigners: not above four employees, no warning.
    Empregados("44555666000100", {{"10000000001", "01012005", "A", "01011980", "21"},
                                  {"10000000002", "01012005", "B", "01011980", "21"},
                                  {"10000000003", "01012005", "C", "01011980", "21"},
                                  {"10000000004", "01012005", "D", "01011980", "21"}});
    InteracaoRoteirizada ui;
    auto r = Verifica(ui);
    EXPECT_TRUE(r.vrAviso);
    EXPECT_EQ(Linhas("1670"), (std::vector<std::string>{"5/1661/war", "2/1659/war"}));
}

TEST_F(VerificacaoTeste, EmpregadoDuplicadoENascimentoDivergente) {
    Estabelecimento("11222333000181", "0");
    Empregados("11222333000181",
               {{"12345678900", "01022005", "ANA", "01011980"},
                {"12345678900", "01022005", "ANA MARIA", "02021981"},  // same PIS and admission: duplicate
                {"00000000000", "05052005", "JOAO", "01011970"},
                {"00000000000", "05052005", "PEDRO", "01011970"}});  // PIS zeros, other name: not a duplicate
    InteracaoRoteirizada ui;
    Verifica(ui);
    // Each copy reports the duplicate; each sees the other's birth date once.
    EXPECT_EQ(Linhas("1671"), (std::vector<std::string>{"1/1662/err", "12345678900/1624/err", "ANA/1625/err",
                                                         "01022005/1632/err", "2/1662/err", "12345678900/1624/err",
                                                         "ANA MARIA/1625/err", "01022005/1632/err"}));
    auto nascimento = Linhas("1672");
    ASSERT_EQ(nascimento.size(), 10u);
    EXPECT_EQ(nascimento[4], "01011980/1626/err");
    EXPECT_EQ(nascimento[9], "02021981/1626/err");
}

// Without a PIS/PASEP the name tells workers apart, wherever the records stand in key order.
TEST_F(VerificacaoTeste, PisZeradoComparaPeloNome) {
    Estabelecimento("11222333000181", "0");
    Empregados("11222333000181", {{"00000000000", "05052005", "JOAO", "01011970"},
                                  {"00000000000", "06062005", "MARIA", "01011960"},
                                  {"00000000000", "05052005", "JOAO", "02021972"},
                                  {"00000000000", "07072005", "JOAO", "01011970"}});
    InteracaoRoteirizada ui;
    Verifica(ui);
    // The two JOAO admitted on 05/05 are duplicates; MARIA is nobody's.
    auto dup = Linhas("1671");
    ASSERT_EQ(dup.size(), 8u);
    EXPECT_EQ(dup[2], "JOAO/1625/err");
    // Each JOAO sees the birth dates of the others that differ from his: 1 + 2 + 1 records.
    EXPECT_EQ(Linhas("1672").size(), (1u + 2u + 1u) * 5u);
}

// The analyzer's run asks for the work municipality; the wizard's does not.
TEST_F(VerificacaoTeste, MarcaDePreenchimentoExigeMunicipioDeTrabalho) {
    Estabelecimento("11222333000181", "0");
    Empregados("11222333000181", {{"12345678900", "01022005", "ANA", "01011980"}});
    auto municipioVazio = [&] {
        Consulta q(banco, {"select count(*) from te8errwa where retorno = '0030' and lbl = '3671' and Conteudo = ''"});
        q.Abre();
        return q.Inteiro(0);
    };
    InteracaoRoteirizada ui;
    fVerificaDeclaracao(ui, pasta.Caminho(), false, nullptr, "2005", false, true);
    EXPECT_EQ(municipioVazio(), 1);
    fVerificaDeclaracao(ui, pasta.Caminho(), false, nullptr, "2005", false, false);
    EXPECT_EQ(municipioVazio(), 0);
}

// Work tables that mark records for rectification: only the marked ones are checked.
TEST_F(VerificacaoTeste, RetificacaoSoVerificaRegistrosMarcados) {
    for (auto [origem, destino] : {std::pair{"BD8EMP", "TE8EMP"}, {"BD8VINC", "TE8VINC"}, {"BD8RESP", "TE8RESP"}}) {
        auto def = banco.LeDefinicao(origem);
        def.nome = destino;
        if (std::string(destino) != "TE8RESP") def.campos.push_back(DefCampo{"InRetificacao", TipoCampo::Logico, 0});
        banco.CriaTabela(def);
    }
    Consulta(banco, {"insert into te8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento,",
                     "InZoviNegEstabelecimento, InRetificacao) values",
                     "('2005', '11222333000181', '01', '0', 1), ('2005', '44555666000100', '01', '0', 0)"})
        .Executa();
    SelecaoEstabelecimentos lista{{true}, true};  // one line: the marked establishment
    InteracaoRoteirizada ui;
    fVerificaDeclaracao(ui, pasta.Caminho(), true, &lista, "2005", false, false);
    Consulta q(banco, {"select distinct inscricao from te8errwa where tiporegistro = '1'"});
    q.Abre();
    EXPECT_EQ(q.NumRegistros(), 1);
    EXPECT_EQ(q.Texto(0), "11222333000181");
}

TEST_F(VerificacaoTeste, SoOsEstabelecimentosMarcadosNaLista) {
    Estabelecimento("11222333000181", "0");
    Estabelecimento("44555666000100", "0");
    Estabelecimento("77888999000155", "0", "0", "2004");  // other base year: not in the list
    SelecaoEstabelecimentos lista{{false, true}, false};
    InteracaoRoteirizada ui;
    Verifica(ui, &lista);
    Consulta q(banco, {"select distinct inscricao from te8errwa where retorno = '1673'"});
    q.Abre();
    EXPECT_EQ(q.NumRegistros(), 1);
    EXPECT_EQ(q.Texto(0), "44555666000100");

    SelecaoEstabelecimentos nenhum{{false, false}, false};
    InteracaoRoteirizada ui2;
    EXPECT_TRUE(Verifica(ui2, &nenhum).Vazio());
    EXPECT_FALSE(banco.ExisteTabela("TE8ERRWA"));
}

TEST_F(VerificacaoTeste, InterrupcaoConfirmadaOuRecusada) {
    Estabelecimento("11222333000181", "0");
    Empregados("11222333000181", {{"12345678900", "01022005", "ANA", "01011980"}});
    Estabelecimento("44555666000100", "0");

    InteracaoRoteirizada sim({Resposta::Sim});
    sim.InterrompeApos(1);
    auto r = Verifica(sim);
    EXPECT_TRUE(r.vrInterrompida);
    EXPECT_FALSE(r.vrErro);
    ASSERT_EQ(sim.mostradas.size(), 1u);
    EXPECT_EQ(sim.mostradas[0].texto, "Deseja interromper?");

    InteracaoRoteirizada nao({Resposta::Nao});
    nao.InterrompeApos(1);
    r = Verifica(nao);
    EXPECT_FALSE(r.vrInterrompida);
    EXPECT_TRUE(r.vrErro);
    EXPECT_EQ(Linhas("1673").size(), 2u);  // the second establishment was still checked
}

// A run cut short never passes for a result: te8errwa keeps the last complete run's rows,
// the verification counts as unfinished, and the error report of gdzovi-lote says so,
// writes no PDF and exits 2; the next complete run replaces the table whole.
TEST_F(VerificacaoTeste, VerificacaoInterrompidaNaoViraResultado) {
    Estabelecimento("11222333000181", "0");
    InteracaoRoteirizada completa;
    ASSERT_TRUE(Verifica(completa).vrErro);
    const auto anteriores = Linhas("1673");
    ASSERT_EQ(anteriores.size(), 2u);
    EXPECT_FALSE(fVerificacaoInacabada(banco));

    Estabelecimento("44555666000100", "0");
    Estabelecimento("77888999000100", "0");
    InteracaoRoteirizada interrompida({Resposta::Sim});
    interrompida.InterrompeApos(2);
    ASSERT_TRUE(Verifica(interrompida).vrInterrompida);
    EXPECT_TRUE(fVerificacaoInacabada(banco));
    EXPECT_EQ(Linhas("1673"), anteriores);

    const auto pdf = pasta.Caminho() / "erros.pdf";
    const auto relatorio = [&] {
        auto cmd = (teste::PastaProgramas() / "gdzovi-lote").string() + " relatorio erros " + pasta.Caminho().string() +
                   " --pdf " + pdf.string() + " > /dev/null 2>&1";
        return WEXITSTATUS(std::system(cmd.c_str()));
    };
    EXPECT_EQ(relatorio(), 2);
    EXPECT_FALSE(std::filesystem::exists(pdf));

    InteracaoRoteirizada outra;
    ASSERT_TRUE(Verifica(outra).vrErro);
    EXPECT_FALSE(fVerificacaoInacabada(banco));
    EXPECT_EQ(Linhas("1673").size(), 6u);
    // The PDF is written beside and renamed: the earlier file of that name is replaced, never
    // rewritten in place (a second name of it keeps the earlier bytes).
    std::ofstream(pdf) << "ANTERIOR";
    const auto ligacao = pasta.Caminho() / "ligacao.pdf";
    std::filesystem::create_hard_link(pdf, ligacao);
    EXPECT_EQ(relatorio(), 0);
    std::ifstream lido(ligacao);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(lido), {}), "ANTERIOR");
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
    EXPECT_FALSE(std::filesystem::exists(pasta.Caminho() / "erros.pdf.tmp"));
}

}  // namespace
