// A declaration written by the writer analyses without fault and loads back
// into the work tables what the declaration tables hold: every field that the
// file carries, written again from the work tables, gives the same characters.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "analysis/AnaliseEstrutura.h"
#include "declfile/GravaDeclaracao.h"
#include "declfile/Leiaute.h"
#include "engine/Tabela.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;

std::string Escrito(const CampoLeiaute& c, const std::string& valor) {
    std::string r(kTamanhoRegistro, ' ');
    PoeCampoLeiaute(r.data(), c, valor);
    return r.substr(static_cast<size_t>(c.posicao - 1), static_cast<size_t>(c.largura));
}

// What the analysis stores for an indicator the file carries as written: "1" or "X"
// is "1"; a blank or "2" is "2" (some indicators keep any other value).
std::string Indicador(const std::string& valor, bool mantemOutros) {
    if (valor == "1" || valor == "X" || valor == "x") return "1";
    if (valor == "2" || valor.find_first_not_of(' ') == std::string::npos || !mantemOutros) return "2";
    return valor;
}

// Every table field the record type carries, as the writer would write it from each table.
void ComparaCampos(char tipo, const Tabela& origem, const Tabela& carregada) {
    for (const auto& c : CamposLeiaute(tipo)) {
        if (c.formato != FormatoCampo::Texto && c.formato != FormatoCampo::Dinheiro) continue;
        const std::string nome = c.origem, valor = origem.Texto(nome);
        if (nome == "InParticipaPAT" || nome == "InDeficienteFisico") {
            EXPECT_EQ(carregada.Texto(nome), Indicador(valor, true)) << nome;
            continue;
        }
        if (nome == "InOptanteSimples") {
            EXPECT_EQ(carregada.Texto(nome), Indicador(valor, false)) << nome;
            continue;
        }
        if (nome == "CoCgcVinculado") {  // read as "00" and the 12 characters of the linked CEI
            EXPECT_EQ(carregada.Texto(nome), "00" + Escrito(c, valor).substr(2)) << nome;
            continue;
        }
        EXPECT_EQ(Escrito(c, origem.Texto(c.origem)), Escrito(c, carregada.Texto(c.origem)))
            << "tipo " << tipo << " " << c.origem;
    }
}

class IdaEVolta : public ::testing::Test {
protected:
    IdaEVolta() {
        banco.Abre("Zovi2005", {pasta.Parametro()});
        fs::create_directories(unidade);
        ::setenv("GDZOVI_UNIDADE_A", unidade.c_str(), 1);
    }
    ~IdaEVolta() override { ::unsetenv("GDZOVI_UNIDADE_A"); }

    teste::PastaTeste pasta;
    Banco banco;
    fs::path unidade = pasta.Caminho() / "unidade-a";
};

TEST_F(IdaEVolta, DeclaracaoGravadaCarregaIgualAsTabelas) {
    bancada::ParametrosGeracao g;
    g.estabelecimentos = 6;
    g.empregadosPorEstabelecimento = 7;
    const auto gerada = bancada::GeraDeclaracao(banco, g);

    teste::InteracaoRoteirizada interacao;
    ParametrosGravacao p;
    p.unidade = 'A';
    p.dataGeracao = "15022006";
    ASSERT_EQ(fGravaDeclaracao(banco, p, interacao), kGravado);

    const fs::path arquivo = unidade / "Zovi2005";
    ASSERT_TRUE(fs::exists(arquivo));
    TAnaliseEstrutura analise(banco, interacao);
    long nEstab = 0, nEmpreg = 0;
    ASSERT_EQ(analise.fAnalisaArquivo(arquivo, 2005, false, nEstab, nEmpreg), kAnaliseSemFalha);
    EXPECT_EQ(nEstab, gerada.estabelecimentos);
    EXPECT_EQ(nEmpreg, gerada.empregados);

    Tabela bdResp(banco, "BD8RESP"), teResp(banco, "TE8RESP");
    bdResp.Abre();
    teResp.Abre();
    bdResp.Primeiro();
    teResp.Primeiro();
    ComparaCampos('0', bdResp, teResp);
    EXPECT_EQ(bdResp.Logico("InReciboParaRespArquivo"), teResp.Logico("InReciboParaRespArquivo"));
    EXPECT_FALSE(teResp.Logico("InRetificacao"));
    EXPECT_EQ(teResp.Texto("DaGeracao"), "15022006");
    EXPECT_EQ(fFormataCampo(bdResp.Texto("NuRespostaPesquisa"), 48), teResp.Texto("NuRespostaPesquisa"));

    Tabela bdEmp(banco, "BD8EMP"), teEmp(banco, "TE8EMP");
    bdEmp.Abre();
    teEmp.Abre();
    EXPECT_EQ(teEmp.NumRegistros(), bdEmp.NumRegistros());
    for (bdEmp.Primeiro(); !bdEmp.Fim(); bdEmp.Proximo()) {
        SCOPED_TRACE(bdEmp.Texto("CoCgcCeiEstabelecimento") + "/" + bdEmp.Texto("NuPrefixoEstabelecimento"));
        ASSERT_TRUE(teEmp.BuscaChave({"2005", bdEmp.Texto("CoCgcCeiEstabelecimento"),
                                      bdEmp.Texto("NuPrefixoEstabelecimento")}));
        ComparaCampos('1', bdEmp, teEmp);
        EXPECT_EQ(teEmp.Texto("InEncerramentoAtividade"), bdEmp.Texto("InEncerramentoAtividade") == "1" ? "1" : "2");
        const bool negativo = bdEmp.Texto("InZoviNegEstabelecimento") != "0";
        EXPECT_EQ(teEmp.Texto("NuVinculosEstabelecimento"), negativo ? "000000" : "000007");
    }

    Tabela bdVinc(banco, "BD8VINC"), teVinc(banco, "TE8VINC");
    bdVinc.Abre();
    teVinc.Abre();
    EXPECT_EQ(teVinc.NumRegistros(), bdVinc.NumRegistros());
    for (bdVinc.Primeiro(); !bdVinc.Fim(); bdVinc.Proximo()) {
        SCOPED_TRACE(bdVinc.Texto("CoPisPasepEmpregado"));
        ASSERT_TRUE(teVinc.BuscaChave({"2005", bdVinc.Texto("CoCgcCeiEstabelecimento"),
                                       bdVinc.Texto("NuPrefixoEstabelecimento"), bdVinc.Texto("CoPisPasepEmpregado"),
                                       bdVinc.Texto("DaAdmissaoEmpregado")}));
        ComparaCampos('2', bdVinc, teVinc);
    }
    bdResp.Fecha();
    teResp.Fecha();
    bdEmp.Fecha();
    teEmp.Fecha();
    bdVinc.Fecha();
    teVinc.Fecha();

    // The work tables written again as a rectifying declaration: the analysis tells it by its header.
    const fs::path outra = pasta.Caminho() / "unidade-a-retificadora";
    fs::create_directories(outra);
    ::setenv("GDZOVI_UNIDADE_A", outra.c_str(), 1);
    p.retificacao = p.trabalho = true;
    ASSERT_EQ(fGravaDeclaracao(banco, p, interacao), kGravado);
    EXPECT_EQ(analise.fAnalisaArquivo(outra / "Zovi2005", 2005, false, nEstab, nEmpreg), kAnaliseRetificacao);
    EXPECT_EQ(nEmpreg, gerada.empregados);
}

}  // namespace
}  // namespace zovi
