#include <gtest/gtest.h>

#include "OutroProcesso.h"
#include "PastaTeste.h"
#include "data/ModulosDados.h"
#include "engine/Erros.h"
#include "entry/CadastroEmpregado.h"

using namespace zovi;
using zovi::teste::PastaTeste;

namespace {

const EstabelecimentoEmpregados kPadaria{"2005", "11222333000181", "1", "01", "PADARIA BOM PAO LTDA", false};

class CadastroEmpregadoTeste : public ::testing::Test {
protected:
    PastaTeste pasta;
    std::unique_ptr<TdmGDZovi> dm = std::make_unique<TdmGDZovi>(pasta.Caminho());
    std::unique_ptr<TdmEntradaDados> entrada = std::make_unique<TdmEntradaDados>(*dm);
    std::unique_ptr<CadastroEmpregado> cadastro = std::make_unique<CadastroEmpregado>(*entrada, kPadaria);

    void SetUp() override {
        for (const char* prefixo : {"01", "02"}) {
            auto& t = entrada->ta8Empresa;
            t.Abre();
            t.Acrescenta();
            t.PoeTexto("AnBase", "2005");
            t.PoeTexto("CoCgcCeiEstabelecimento", kPadaria.inscricao);
            t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
            t.PoeTexto("NoRazaoEstabelecimento", kPadaria.nome);
            t.Grava();
            t.Fecha();
        }
    }

    static RegistroVinculo Empregado(const char* pis, const char* nome, const char* nacionalidade,
                                     const char* admissao = "01022005") {
        RegistroVinculo r;
        r.CoPisPasepEmpregado = pis;
        r.NoEmpregado = nome;
        r.DaAdmissaoEmpregado = admissao;
        r.CoNacionalidade = nacionalidade;
        r.DaNascimentoEmpregado = "10101970";
        return r;
    }

    // The two counts as stored in the establishment's row.
    std::pair<std::string, std::string> Contagens(const char* prefixo = "01") {
        Tabela t(dm->dbZovi, "BD8EMP");
        t.Abre();
        EXPECT_TRUE(t.BuscaChave({"2005", kPadaria.inscricao, prefixo}));
        return {t.Texto("NuVinculosEstabelecimento"), t.Texto("NuEstrangeirosEstabelec")};
    }
    long LinhasEmpregados() {
        Consulta q(dm->dbZovi, {"select count(*) from BD8Vinc"});
        q.Abre();
        return q.Inteiro(0);
    }
};

TEST_F(CadastroEmpregadoTeste, ContagensAcompanhamCadaGravacaoEExclusao) {
    auto brasileira = Empregado("12345678919", "JOAO DA SILVA PEREIRA SANTOS", "10");
    auto estrangeira = Empregado("10987654321", "ANA MARIA LOPEZ", "30");
    auto outra = Empregado("20000000001", "CARLOS PRADO", "10");

    struct Passo {
        std::function<void()> faz;
        const char* empregados;
        const char* estrangeiros;
    };
    std::vector<Passo> passos = {
        {[&] { cadastro->Grava(brasileira, std::nullopt); }, "000001", "00000"},
        {[&] { cadastro->Grava(estrangeira, std::nullopt); }, "000002", "00001"},
        {[&] { cadastro->Grava(outra, std::nullopt); }, "000003", "00001"},
        // An edit that makes the worker a foreigner, and one that changes the key.
        {[&] {
             auto original = ChaveDe(outra);
             outra.CoNacionalidade = "45";
             outra.DaAdmissaoEmpregado = "01032005";
             cadastro->Grava(outra, original);
         },
         "000003", "00002"},
        {[&] { EXPECT_TRUE(cadastro->Exclui(ChaveDe(estrangeira))); }, "000002", "00001"},
        {[&] { EXPECT_FALSE(cadastro->Exclui(ChaveDe(estrangeira))); }, "000002", "00001"},
        {[&] { EXPECT_TRUE(cadastro->Exclui(ChaveDe(outra))); }, "000001", "00000"},
        {[&] { EXPECT_TRUE(cadastro->Exclui(ChaveDe(brasileira))); }, "000000", "00000"},
    };
    for (size_t i = 0; i < passos.size(); ++i) {
        SCOPED_TRACE(i);
        passos[i].faz();
        EXPECT_EQ(Contagens(), std::make_pair(std::string(passos[i].empregados), std::string(passos[i].estrangeiros)));
    }
    // The other prefix of the same inscription was never touched.
    EXPECT_EQ(Contagens("02"), std::make_pair(std::string(), std::string()));
}

TEST_F(CadastroEmpregadoTeste, GravaComAChaveDoEstabelecimentoEAlteraALinhaOriginal) {
    auto r = Empregado("12345678919", "JOAO DA SILVA PEREIRA SANTOS", "10");
    cadastro->Grava(r, std::nullopt);
    auto original = ChaveDe(r);
    r.NoEmpregado = "JOAO DA SILVA PEREIRA SANTO";
    cadastro->Grava(r, original);
    EXPECT_FALSE(cadastro->Le(original));
    auto lido = cadastro->Le(ChaveDe(r));
    ASSERT_TRUE(lido);
    EXPECT_EQ(lido->AnBase, "2005");
    EXPECT_EQ(lido->CoCgcCeiEstabelecimento, kPadaria.inscricao);
    EXPECT_EQ(lido->NuPrefixoEstabelecimento, "01");
    EXPECT_EQ(LinhasEmpregados(), 1);
}

TEST_F(CadastroEmpregadoTeste, ChaveRepetidaEhViolacaoDeChaveENadaMuda) {
    auto r = Empregado("12345678919", "JOAO DA SILVA PEREIRA SANTOS", "10");
    cadastro->Grava(r, std::nullopt);
    auto repetido = r;
    repetido.CoNacionalidade = "30";
    try {
        cadastro->Grava(repetido, std::nullopt);
        FAIL() << "a chave repetida foi gravada";
    } catch (const ErroMotor& e) {
        EXPECT_EQ(e.Codigo(), codigo_motor::ViolacaoChave);
    }
    EXPECT_EQ(LinhasEmpregados(), 1);
    EXPECT_EQ(Contagens(), std::make_pair(std::string("000001"), std::string("00000")));
    // The tables are usable again after the failure.
    auto outro = Empregado("10987654321", "ANA MARIA LOPEZ", "30");
    cadastro->Grava(outro, std::nullopt);
    EXPECT_EQ(Contagens(), std::make_pair(std::string("000002"), std::string("00001")));
}

TEST_F(CadastroEmpregadoTeste, FalhaDoMotorAoGravarAsContagensNaoDeixaOEmpregadoGravado) {
    auto r = Empregado("12345678919", "JOAO DA SILVA PEREIRA SANTOS", "10");
    cadastro->Grava(r, std::nullopt);
    // Every table is let go, then another program holds the establishments exclusively.
    cadastro.reset();
    entrada.reset();
    dm.reset();
    {
        teste::OutroProcesso outro(pasta.Caminho(), "BD8EMP", true);
        ASSERT_TRUE(outro.Segura());
        dm = std::make_unique<TdmGDZovi>(pasta.Caminho());
        entrada = std::make_unique<TdmEntradaDados>(*dm);
        cadastro = std::make_unique<CadastroEmpregado>(*entrada, kPadaria);
        auto novo = Empregado("10987654321", "ANA MARIA LOPEZ", "30");
        EXPECT_THROW(cadastro->Grava(novo, std::nullopt), ErroMotor);
        EXPECT_THROW(cadastro->Exclui(ChaveDe(r)), ErroMotor);
        EXPECT_EQ(outro.Libera(), 0);
    }
    EXPECT_EQ(LinhasEmpregados(), 1);
    EXPECT_TRUE(cadastro->Le(ChaveDe(r)));
    EXPECT_EQ(Contagens(), std::make_pair(std::string("000001"), std::string("00000")));
}

TEST_F(CadastroEmpregadoTeste, ConsultasDoFormulario) {
    auto r = Empregado("12345678919", "JOAO DA SILVA PEREIRA SANTOS", "10");
    r.AnChegadaEmpregado = "0000";
    r.NuCartTrabEmpregado = "00000000000";
    r.CoCpfEmpregado = "00000000000";
    r.CoTipoRaca = "2";
    r.InSexo = "1";
    cadastro->Grava(r, std::nullopt);
    auto semPis1 = Empregado("00000000000", "MARIA SEM PIS", "10");
    cadastro->Grava(semPis1, std::nullopt);

    auto dados = cadastro->DadosPessoaisDoPis("12345678919");
    ASSERT_TRUE(dados);
    EXPECT_EQ(dados->NoEmpregado, r.NoEmpregado);
    EXPECT_EQ(dados->DaNascimentoEmpregado, "10101970");
    EXPECT_EQ(dados->AnChegadaEmpregado, "");
    EXPECT_EQ(dados->NuCartTrabEmpregado, "");
    EXPECT_EQ(dados->CoCpfEmpregado, "");
    EXPECT_EQ(dados->CoTipoRaca, "2");
    EXPECT_EQ(dados->InSexo, "1");
    EXPECT_FALSE(cadastro->DadosPessoaisDoPis("10987654321"));

    // Same admission: by PIS/PASEP, and by name as well when the PIS/PASEP is all zeros.
    EXPECT_EQ(cadastro->MesmaAdmissao("12345678919", "01022005", "OUTRO NOME"), ChaveDe(r));
    EXPECT_FALSE(cadastro->MesmaAdmissao("12345678919", "02022005", r.NoEmpregado));
    EXPECT_EQ(cadastro->MesmaAdmissao("00000000000", "01022005", "MARIA SEM PIS"), ChaveDe(semPis1));
    EXPECT_FALSE(cadastro->MesmaAdmissao("00000000000", "01022005", "JOSE SEM PIS"));

    EXPECT_EQ(cadastro->NascimentosDiferentes("12345678919", "", "10101970"), 0);
    EXPECT_EQ(cadastro->NascimentosDiferentes("12345678919", "", "11101970"), 1);
    EXPECT_EQ(cadastro->NascimentosDiferentes("00000000000", "JOSE SEM PIS", "11101970"), 0);
}

}  // namespace
