// The rectification: chosen employees of chosen establishments copied into the
// work tables and written as a rectifying declaration; the declaration tables
// only read, whatever happens.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <stdexcept>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "TabelasPreenchidas.h"
#include "analysis/AnaliseEstrutura.h"
#include "declfile/GravaDeclaracao.h"
#include "declfile/Retificacao.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::ContaLinhas;
using teste::InteracaoRoteirizada;

class RetificacaoTeste : public ::testing::Test {
protected:
    RetificacaoTeste() {
        banco.Abre("Zovi2005", {dados.Parametro()});
        bancada::ParametrosGeracao g;
        g.estabelecimentos = 2;
        g.empregadosPorEstabelecimento = 3;
        bancada::GeraDeclaracao(banco, g);
        g.estabelecimentos = 1;
        g.empregadosPorEstabelecimento = 0;
        g.semente = 77;
        bancada::GeraDeclaracao(banco, g);
        selecao = fEstabelecimentosRetificacao(banco, "2005");
    }

    // The employees of an establishment as the list shows them, by PIS.
    std::vector<EmpregadoRetificacao> Empregados(const EstabelecimentoRetificacao& e) {
        Consulta q(banco, {"SELECT CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado FROM BD8Vinc",
                           "WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p",
                           "ORDER BY CoPisPasepEmpregado"});
        q.Parametro("a", e.anBase);
        q.Parametro("i", e.inscricao);
        q.Parametro("p", e.prefixo);
        std::vector<EmpregadoRetificacao> r;
        for (q.Abre(); !q.Fim(); q.Proximo()) r.emplace_back(q.Texto(0), q.Texto(1), q.Texto(2));
        return r;
    }
    EstabelecimentoRetificacao& ComEmpregados(int n) {
        for (auto& e : selecao)
            if (e.comEmpregados && n-- == 0) return e;
        throw std::logic_error("sem estabelecimento");
    }
    EstabelecimentoRetificacao& SemEmpregados() {
        for (auto& e : selecao)
            if (!e.comEmpregados) return e;
        throw std::logic_error("sem estabelecimento");
    }
    ParametrosGravacao Retificadora() {
        ParametrosGravacao p;
        p.retificacao = p.trabalho = true;
        p.pasta = saida;
        p.dataGeracao = "15032006";
        p.hora = "101112";
        return p;
    }

    teste::PastaTeste dados;
    Banco banco;
    SelecaoRetificacao selecao;
    fs::path saida = dados.Caminho() / "retificadora";
};

TEST_F(RetificacaoTeste, EscolhidosGravadosComAMarcaDeRetificacao) {
    ASSERT_EQ(selecao.size(), 3u);
    auto& primeiro = ComEmpregados(0);
    const auto empregados = Empregados(primeiro);
    ASSERT_EQ(empregados.size(), 3u);
    primeiro.selecionado = true;
    primeiro.escolhidos = {empregados[2], empregados[0]};
    SemEmpregados().selecionado = true;  // written as its establishment record alone
    const auto antes = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());

    ASSERT_TRUE(fCriaTabelasRetificacao(banco));
    // A pass through the declarant page copies again from scratch: no row twice.
    ASSERT_EQ(fCopiaRetificacao(banco, selecao), "0000");
    ASSERT_EQ(fCopiaRetificacao(banco, selecao), "0000");
    EXPECT_EQ(ContaLinhas(banco, "TE8RESP"), 1);
    EXPECT_EQ(ContaLinhas(banco, "TE8EMP"), 2);
    EXPECT_EQ(ContaLinhas(banco, "TE8VINC"), 2);

    InteracaoRoteirizada interacao;
    ASSERT_EQ(fGravaDeclaracao(banco, Retificadora(), interacao), kGravado);
    EXPECT_EQ(fs::file_size(saida / "Zovi2005"), 6u * 525);  // header, 2 type 1, 2 type 2, trailer

    TAnaliseEstrutura analise(banco, interacao);
    long nEstab = 0, nEmpreg = 0;
    EXPECT_EQ(analise.fAnalisaArquivo(saida / "Zovi2005", 2005, false, nEstab, nEmpreg), kAnaliseRetificacao);
    EXPECT_EQ(nEstab, 2);
    EXPECT_EQ(nEmpreg, 2);
    Tabela lidos(banco, "TE8VINC");
    lidos.Abre();
    for (const auto& v : {empregados[0], empregados[2]})
        EXPECT_TRUE(lidos.BuscaChave({primeiro.anBase, primeiro.inscricao, primeiro.prefixo, v.pis, v.admissao})) << v.pis;
    lidos.Fecha();
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), antes);
}

TEST_F(RetificacaoTeste, EscolhaIncompletaRecusada) {
    size_t falta = 99;
    EXPECT_EQ(fCriticaSelecaoRetificacao(selecao), "1301");
    SemEmpregados().selecionado = true;
    EXPECT_EQ(fCriticaSelecaoRetificacao(selecao), "0000") << "an establishment declared without employees goes alone";
    ComEmpregados(1).selecionado = true;
    EXPECT_EQ(fCriticaSelecaoRetificacao(selecao, &falta), "1304");
    EXPECT_EQ(&selecao[falta], &ComEmpregados(1));
    ComEmpregados(1).escolhidos = {Empregados(ComEmpregados(1)).front()};
    EXPECT_EQ(fCriticaSelecaoRetificacao(selecao), "0000");
}

TEST_F(RetificacaoTeste, LinhaDesaparecidaOuRepetidaCancelaACopia) {
    ASSERT_TRUE(fCriaTabelasRetificacao(banco));
    auto& e = ComEmpregados(0);
    const auto empregados = Empregados(e);
    e.selecionado = true;
    struct Caso {
        const char* nome;
        std::vector<EmpregadoRetificacao> escolhidos;
        std::string inscricao;
        const char* codigo;
    } casos[] = {
        {"employee gone", {EmpregadoRetificacao("12345678901", "01012005", "")}, e.inscricao, "1925"},
        {"establishment gone", {empregados[0]}, "99999999000191", "1925"},
        {"the same employee twice", {empregados[1], empregados[1]}, e.inscricao, "1926"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        auto escolha = selecao;
        auto& alvo = escolha[static_cast<size_t>(e.posicao)];
        alvo.escolhidos = c.escolhidos;
        alvo.inscricao = c.inscricao;
        EXPECT_EQ(fCopiaRetificacao(banco, escolha), c.codigo);
        EXPECT_EQ(ContaLinhas(banco, "TE8EMP") + ContaLinhas(banco, "TE8VINC") + ContaLinhas(banco, "TE8RESP"), 0);
    }
}

TEST_F(RetificacaoTeste, EmpregadoSemPisAchadoPeloNome) {
    auto& e = ComEmpregados(0);
    for (const char* nome : {"ANA SEM PIS", "BRUNO SEM PIS"}) {
        Consulta q(banco, {"UPDATE BD8Vinc SET CoPisPasepEmpregado = :z, NoEmpregado = :n",
                           "WHERE rowid = (SELECT rowid FROM BD8Vinc WHERE CoPisPasepEmpregado <> :z",
                           "AND CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p LIMIT 1)"});
        q.Parametro("z", kPisNaoInformado);
        q.Parametro("n", nome);
        q.Parametro("i", e.inscricao);
        q.Parametro("p", e.prefixo);
        ASSERT_EQ(q.Executa(), 1);
    }
    e.selecionado = true;
    for (const auto& v : Empregados(e))
        if (v.pis == kPisNaoInformado) e.escolhidos.push_back(v);
    ASSERT_EQ(e.escolhidos.size(), 2u);
    EXPECT_TRUE(EmpregadoRetificacao("10000000001", "01012005", "NOME").nome.empty())
        << "the name is kept only without a PIS";
    ASSERT_TRUE(fCriaTabelasRetificacao(banco));
    ASSERT_EQ(fCopiaRetificacao(banco, selecao), "0000");
    Tabela t(banco, "TE8VINC");
    t.Abre();
    std::set<std::string> nomes;
    for (t.Primeiro(); !t.Fim(); t.Proximo()) nomes.insert(t.Texto("NoEmpregado").substr(0, 5));
    EXPECT_EQ(nomes, (std::set<std::string>{"ANA S", "BRUNO"}));
}

TEST_F(RetificacaoTeste, InterrompidaNaoMexeNaDeclaracao) {
    auto& e = ComEmpregados(1);
    e.selecionado = true;
    e.escolhidos = Empregados(e);
    const auto antes = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    ASSERT_TRUE(fCriaTabelasRetificacao(banco));
    ASSERT_EQ(fCopiaRetificacao(banco, selecao), "0000");
    InteracaoRoteirizada interacao({Resposta::Sim});  // "Deseja interromper?"
    interacao.InterrompeApos(2);
    EXPECT_EQ(fGravaDeclaracao(banco, Retificadora(), interacao), kGravacaoInterrompida);
    EXPECT_FALSE(fs::exists(saida / "Zovi2005"));
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), antes);
}

}  // namespace
}  // namespace zovi
