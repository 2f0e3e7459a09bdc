// The user survey: its answer codes, and the answers carried through a written
// declaration file into the analyzer's work tables in each of the three states
// the declarant row can be in (never saved, saved without answers, answered).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "analysis/AnaliseEstrutura.h"
#include "declfile/GravaDeclaracao.h"
#include "declfile/Pesquisa.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;

TEST(Pesquisa, CodificaCadaRespostaDaRegua) {
    const struct {
        const char* digitado;
        std::optional<char> codigo;
    } casos[] = {
        {"", 'B'},  {"00", 'B'}, {"0", 'B'},  {"7", '7'},  {"07", '7'}, {"01", '1'}, {"09", '9'},
        {"10", 'A'}, {"77", 'X'}, {"11", std::nullopt}, {"78", std::nullopt}, {"99", std::nullopt},
        {"100", std::nullopt}, {"1a", std::nullopt}, {" 7", std::nullopt},
    };
    for (const auto& c : casos) EXPECT_EQ(fCodificaResposta(c.digitado), c.codigo) << '"' << c.digitado << '"';
    for (char codigo : std::string("123456789AXB")) {
        const auto exibida = RespostaDoCodigo(codigo);
        EXPECT_EQ(fCodificaResposta(exibida), codigo) << codigo;
    }
    EXPECT_EQ(RespostaDoCodigo('A'), "10");
    EXPECT_EQ(RespostaDoCodigo('X'), "77");
    EXPECT_EQ(RespostaDoCodigo('B'), "");
    EXPECT_EQ(RespostaDoCodigo('5'), "05");
}

class PesquisaNoArquivo : public ::testing::Test {
protected:
    PesquisaNoArquivo() {
        banco.Abre("Zovi2005", {pasta.Parametro()});
        bancada::ParametrosGeracao g;
        g.estabelecimentos = 1;
        g.empregadosPorEstabelecimento = 2;
        bancada::GeraDeclaracao(banco, g);
    }

    // The survey field of the trailer, as the analysis loads it from a freshly written file.
    std::string PesquisaLida() {
        const fs::path destino = pasta.Caminho() / ("saida" + std::to_string(++gravacoes));
        teste::InteracaoRoteirizada interacao;
        ParametrosGravacao p;
        p.pasta = destino;
        p.dataGeracao = "15022006";
        EXPECT_EQ(fGravaDeclaracao(banco, p, interacao), kGravado);
        TAnaliseEstrutura analise(banco, interacao);
        long nEstab = 0, nEmpreg = 0;
        EXPECT_EQ(analise.fAnalisaArquivo(destino / "Zovi2005", 2005, false, nEstab, nEmpreg), kAnaliseSemFalha);
        Consulta q(banco, {"Select NuRespostaPesquisa from TE8RESP"});
        q.Abre();
        return q.Texto("NuRespostaPesquisa");
    }

    teste::PastaTeste pasta;
    Banco banco;
    int gravacoes = 0;
};

TEST_F(PesquisaNoArquivo, ViajaNoRegistroFinalNosTresEstados) {
    // The generator's declarant never answered the survey.
    Consulta limpa(banco, {"update BD8Resp set NuRespostaPesquisa = ''"});
    limpa.Executa();
    EXPECT_EQ(LeRespostaPesquisa(banco), PesquisaSemRespostas());
    EXPECT_EQ(PesquisaLida(), std::string(48, ' '));

    GravaRespostaPesquisa(banco, PesquisaSemRespostas());
    EXPECT_EQ(PesquisaLida(), std::string(22, 'B') + std::string(26, ' '));

    const std::string respostas = "123456789AXB987654321A";
    GravaRespostaPesquisa(banco, respostas);
    EXPECT_EQ(LeRespostaPesquisa(banco), respostas);
    EXPECT_EQ(PesquisaLida(), respostas + std::string(26, ' '));
}

TEST(PesquisaSemResponsavel, GravarCriaALinhaDoResponsavel) {
    teste::PastaTeste pasta;
    Banco banco;
    banco.Abre("Zovi2005", {pasta.Parametro()});
    EXPECT_FALSE(LeRespostaPesquisa(banco).has_value());
    GravaRespostaPesquisa(banco, "7XB" + std::string(19, 'B'));
    EXPECT_EQ(LeRespostaPesquisa(banco), "7XB" + std::string(19, 'B'));
    GravaRespostaPesquisa(banco, std::string(22, 'A'));
    Tabela resp(banco, "BD8RESP");
    resp.Abre();
    resp.Primeiro();
    EXPECT_EQ(resp.NumRegistros(), 1);
    EXPECT_EQ(resp.Texto("NuRespostaPesquisa"), std::string(22, 'A'));
}

}  // namespace
}  // namespace zovi
