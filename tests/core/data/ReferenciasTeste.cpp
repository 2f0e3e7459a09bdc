// Facts of the shipped reference tables, read back from the built data folder: they
// catch a CSV that did not load, lost its accents or broke a rule's assumption.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "PastaTeste.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"

using namespace zovi;
using zovi::teste::PastaTeste;

namespace {

class ReferenciasTeste : public ::testing::Test {
protected:
    PastaTeste pasta;
    Banco banco;
    void SetUp() override { banco.Abre("Zovi2005", {pasta.Parametro()}); }

    // Field values of the row found by its primary key, or an empty map.
    std::map<std::string, std::string> Linha(const std::string& tabela, const std::string& chave) {
        Tabela t(banco, tabela);
        t.Abre();
        std::map<std::string, std::string> r;
        if (t.BuscaChave({chave}))
            for (const auto& c : t.Definicao().campos) r[c.nome] = t.Texto(c.nome);
        return r;
    }
};

TEST_F(ReferenciasTeste, LinhasConhecidasComAcentosECamposIntactos) {
    struct Caso {
        std::string tabela, chave, campo, valor;
    };
    const std::vector<Caso> casos = {
        {"TB8MUNIC", "3550308", "NoMunicipio", "SAO PAULO"},
        {"TB8MUNIC", "3550308", "InFaixa", "1"},
        {"TB8MUNIC", "1100015", "NoMunicipio", "ALTA FLORESTA D OESTE"},
        {"TB8MUNIC", "1100031", "CoCep", "76994"},
        {"TB8MUNIC", "1100031", "InFaixa", "0"},
        {"TB8MUNIC", "3515004", "NoMunicipio", "EMBU"},
        {"TB8MUNIC", "35", "NoMunicipio", "SAO PAULO"},
        {"TB8MUNIC", "53", "NoMunicipio", "DISTRITO FEDERAL"},
        {"TB8FXCEP", "3550308", "CoCep1Inicial", "01000"},
        {"TB8FXCEP", "3550308", "CoCep2Final", "08499"},
        {"TBUF", "52", "NoUf", "Goiás"},
        {"TB8CBO", "223110", "NoCbo", "Médico cirurgião geral"},
        {"TB8CBO", "01", "NoCbo", "MEMBROS DAS FORÇAS ARMADAS"},
        {"TB8CNAE", "01112", "NoCnae", "Cultivo de cereais para grãos"},
        {"TB8CNAE", "70408", "NoCnae", "Condomínios prediais"},
        {"TB8NATJU", "1031", "NoNaturezaJuridica", "Órgão Público do Poder Executivo Municipal"},
        {"TB8NACIO", "10", "NoNacionalidade", "Brasileira"},
        {"TB8INSTR", "9", "NoInstrucao", "Educação superior completa"},
        {"TB8RACA", "9", "NoRaca", "Não informado"},
        {"TB8DESL", "80", "NoCausaDesligamento", "Aposentadoria especial, sem rescisão contratual"},
        {"TB8VINC", "55", "NoVinculo", "Aprendiz contratado nos termos do art. 428 da CLT"},
        {"TB8AFAST", "70", "NoAfastamento", "Licença sem remuneração/vencimento"},
    };
    for (const auto& c : casos) EXPECT_EQ(Linha(c.tabela, c.chave)[c.campo], c.valor) << c.tabela << " " << c.chave;
    EXPECT_TRUE(Linha("TB8MUNIC", "1504752").empty()) << "municipality installed after 2005";
    EXPECT_TRUE(Linha("TB8NATJU", "2305").empty()) << "legal nature created after 2005";
}

// Municipality names are copied into 30-character declaration fields and judged by the
// text rule, so they must be plain printable ASCII; each belongs to the state heading it.
TEST_F(ReferenciasTeste, MunicipiosSobCabecalhoDoEstadoComNomesDeDeclaracao) {
    Tabela faixas(banco, "TB8FXCEP");
    faixas.Abre();
    Tabela t(banco, "TB8MUNIC");
    t.Abre();
    std::map<std::string, int> porEstado;
    std::string estado;
    for (t.Primeiro(); !t.Fim(); t.Proximo()) {
        const std::string codigo = t.Texto("CoMunicipio"), nome = t.Texto("NoMunicipio");
        if (codigo.size() == 2) {
            estado = codigo;
            porEstado[estado] = 0;
            continue;
        }
        ASSERT_EQ(codigo.size(), 7u);
        EXPECT_EQ(codigo.substr(0, 2), estado) << codigo;
        ++porEstado[estado];
        EXPECT_LE(nome.size(), 30u) << codigo;
        for (char ch : nome) EXPECT_TRUE((ch >= 'A' && ch <= 'Z') || ch == ' ' || ch == '-') << codigo << " " << nome;
        EXPECT_EQ(t.Texto("CoCep").size(), 5u) << codigo;
        EXPECT_EQ(faixas.BuscaChave({codigo}), t.Texto("InFaixa") == "1") << codigo;
    }
    EXPECT_EQ(porEstado.size(), 27u);
    EXPECT_EQ(porEstado["35"], 645);
    EXPECT_EQ(porEstado["31"], 853);
    EXPECT_EQ(porEstado["53"], 1);
}

TEST_F(ReferenciasTeste, EstadoPelaSiglaEFaixasDeCepDoEstado) {
    Tabela uf(banco, "TBUF");
    uf.Abre();
    uf.UsaIndiceCampos("SgUf");
    ASSERT_TRUE(uf.BuscaChave({"sp"}));
    EXPECT_EQ(uf.Texto("CoUf"), "35");
    EXPECT_EQ(uf.Texto("NoUf"), "São Paulo");

    auto faixas = [&](const std::string& coUf) {
        Consulta q(banco, {"Select * from tbUfCep", "where CoUf = :xCoUf"});
        q.Parametro("xCoUf", coUf);
        q.Abre();
        std::vector<std::string> r;
        for (; !q.Fim(); q.Proximo()) r.push_back(q.Texto("CoCepInicial") + "-" + q.Texto("CoCepFinal"));
        return r;
    };
    EXPECT_EQ(faixas("13"), (std::vector<std::string>{"69000-69299", "69400-69899"}));
    EXPECT_EQ(faixas("35"), (std::vector<std::string>{"01000-19999"}));
    EXPECT_EQ(faixas("11"), (std::vector<std::string>{"76800-76999", "78900-78999"}));
}

TEST_F(ReferenciasTeste, IndicadoresDaCboPorOcupacao) {
    struct Caso {
        std::string cbo;
        bool criticaAna, criticaCbo;
    };
    const std::vector<Caso> casos = {
        {"223110", true, true},    // médico
        {"252210", true, true},    // contador
        {"411005", true, false},   // auxiliar de escritório
        {"377110", false, false},  // atleta profissional de futebol
        {"715210", false, false},  // pedreiro
    };
    Tabela t(banco, "TB8CBO");
    t.Abre();
    for (const auto& c : casos) {
        ASSERT_TRUE(t.BuscaChave({c.cbo})) << c.cbo;
        EXPECT_EQ(t.Logico("InCriticaAna"), c.criticaAna) << c.cbo;
        EXPECT_EQ(t.Logico("InCriticaCbo"), c.criticaCbo) << c.cbo;
    }
    // An occupation that demands a degree can never be held by someone who cannot read.
    for (t.Primeiro(); !t.Fim(); t.Proximo()) {
        if (t.Logico("InCriticaCbo")) {
            EXPECT_TRUE(t.Logico("InCriticaAna")) << t.Texto("CoCbo");
        }
    }
}

}  // namespace
