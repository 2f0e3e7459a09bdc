#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"
#include "rules/CriticaResponsavel.h"

using namespace zovi;
using C = CampoResponsavel;

namespace {

// A declarant that passes every check, on the shipped reference tables.
DadosResponsavel Valido() {
    DadosResponsavel d;
    d.NoResponsavelArquivo = "ESCRITORIO CONTABIL MODELO";
    d.EdLogradouroRespArquivo = "AVENIDA PAULISTA";
    d.NuLogradouroRespArquivo = "1000";
    d.CoCepRespArquivo = "01310100";
    d.CoMunicipioRespArquivo = "3550308";
    d.NuFoneDDD = "11";
    d.NuFoneAssinante = "32345678";
    d.TxEMailRespArquivo = "contato@modelo.com.br";
    return d;
}

class CriticaResponsavelTeste : public ::testing::Test {
protected:
    CriticaResponsavelTeste() {
        banco.Abre("Zovi2005", {pasta.Parametro()});
        ref.Carrega(banco);
    }
    teste::PastaTeste pasta;
    Banco banco;
    Referencias ref;
    TCriticaZovi critica{ref};
};

// The number of digits typed decides the kind; a kind that needs another number of digits
// says so; nothing is stored on failure.
TEST(CriticaResponsavel, Inscricao) {
    struct Caso {
        const char* digitos;
        std::string codigo;
        std::string guardada;
        std::string tipo;
    };
    const std::vector<Caso> casos = {
        {"52998224725", "0000", "00052998224725", "4"},
        {"00052998224725", "3509", "", ""},        // a CPF typed with 14 digits
        {"945807000105", "0000", "00945807000105", "3"},  // valid as both, 12 digits: a CEI
        {"00945807000105", "0000", "00945807000105", "1"},  // the same, 14 digits: a CNPJ
        {"11222333000181", "0000", "11222333000181", "1"},
        {"123456789010", "0000", "00123456789010", "3"},
        {"00123456789010", "1004", "", ""},        // a CEI typed with 14 digits
        {"11222333000182", "0054", "", ""},
        {"52998224724", "0054", "", ""},
        {"", "0055", "", ""},
    };
    for (const auto& c : casos) {
        DadosResponsavel d;
        const auto r = CriticaInscricaoResp(d, c.digitos);
        EXPECT_EQ(r.codigo, c.codigo) << c.digitos;
        EXPECT_EQ(r.falhou, c.codigo != "0000") << c.digitos;
        EXPECT_EQ(r.campo, C::Inscricao);
        EXPECT_EQ(d.CoCgcCeiResponsavel, c.guardada) << c.digitos;
        EXPECT_EQ(d.InInscrResponsavel, c.tipo) << c.digitos;
    }
}

TEST(CriticaResponsavel, InscricaoExibidaPeloTipo) {
    struct Caso {
        const char* inscricao;
        const char* tipo;
        InscricaoExibida esperada;
        const char* digitos;
    };
    const std::vector<Caso> casos = {
        {"11222333000181", "1", {"11.222.333/0001-81", "CNPJ"}, "11222333000181"},
        {"00123456789010", "3", {"12-345-67.890-1/0", "CEI"}, "123456789010"},
        {"00052998224725", "4", {"529.982.247-25", "CPF"}, "52998224725"},
        {"", "1", {"", ""}, ""},
    };
    for (const auto& c : casos) {
        const auto e = MostraInscricaoResp(c.inscricao, c.tipo);
        EXPECT_EQ(e.texto, c.esperada.texto) << c.inscricao;
        EXPECT_EQ(e.tipo, c.esperada.tipo) << c.inscricao;
        EXPECT_EQ(DigitosInscricaoResp(c.inscricao, c.tipo), c.digitos) << c.inscricao;
    }
}

// Each routine's refusal: the code shown and the field the user goes back to.
TEST_F(CriticaResponsavelTeste, CadaRotinaRecusaComSeuCampo) {
    struct Caso {
        const char* nome;
        std::function<void(DadosResponsavel&)> muda;
        std::function<ResultadoResponsavel(DadosResponsavel&)> rotina;
        std::string codigo;
        CampoResponsavel campo;
    };
    const auto nome = [](DadosResponsavel& d) { return CriticaNomeResp(d); };
    const auto telefone = [](DadosResponsavel& d) { return CriticaTelefoneResp(d); };
    const auto complemento = [](DadosResponsavel& d) { return CriticaComplementoResp(d); };
    const auto municipio = [this](DadosResponsavel& d) { return CriticaMunicipioResp(critica, d); };
    const std::vector<Caso> casos = {
        {"nome vazio", [](auto& d) { d.NoResponsavelArquivo = "  "; }, nome, "0110", C::Nome},
        {"nome MATRIZ", [](auto& d) { d.NoResponsavelArquivo = "matriz"; }, nome, "0111", C::Nome},
        {"logradouro repetido", [](auto& d) { d.EdLogradouroRespArquivo = "RUA AAAA"; },
         [](auto& d) { return CriticaLogradouroResp(d); }, "3100", C::Logradouro},
        {"numero com letra", [](auto& d) { d.NuLogradouroRespArquivo = "12A"; },
         [](auto& d) { return CriticaNumeroResp(d); }, "0040", C::Numero},
        {"sem numero nem complemento", [](auto& d) { d.NuLogradouroRespArquivo = ""; }, complemento, "0120",
         C::Complemento},
        {"complemento com aspas", [](auto& d) { d.TxComplementoRespArquivo = "AP \"1\""; }, complemento, "0020",
         C::Complemento},
        {"bairro curto", [](auto& d) { d.NoBairroRespArquivo = "CE"; }, [](auto& d) { return CriticaBairroResp(d); },
         "0010", C::Bairro},
        {"cep vazio", [](auto& d) { d.CoCepRespArquivo = ""; }, [](auto& d) { return CriticaCepResp(d); }, "0081",
         C::Cep},
        {"telefone vazio", [](auto& d) { d.NuFoneAssinante = ""; }, telefone, "3674", C::Telefone},
        {"telefone sem ddd", [](auto& d) { d.NuFoneDDD = ""; }, telefone, "3101", C::Ddd},
        {"ddd com letra", [](auto& d) { d.NuFoneDDD = "1A"; },
         [](auto& d) { return CriticaDddResp(d, false); }, "3674", C::Ddd},
        {"municipio inexistente", [](auto& d) { d.CoMunicipioRespArquivo = "3599999"; }, municipio, "0090",
         C::Municipio},
        {"cep de outra uf", [](auto& d) { d.CoCepRespArquivo = "80000000"; }, municipio, "0083", C::Cep},
        {"email sem arroba", [](auto& d) { d.TxEMailRespArquivo = "contato.modelo"; },
         [](auto& d) { return CriticaEmailResp(d); }, "3627", C::Email},
    };
    for (const auto& c : casos) {
        auto d = Valido();
        c.muda(d);
        const auto r = c.rotina(d);
        EXPECT_TRUE(r.falhou) << c.nome;
        EXPECT_EQ(r.codigo, c.codigo) << c.nome;
        EXPECT_EQ(r.campo, c.campo) << c.nome;
    }
}

// What the routines keep: trimmed texts, the number without leading zeros, the
// municipality's name and state.
TEST_F(CriticaResponsavelTeste, ValoresLimposGuardados) {
    auto d = Valido();
    d.NoResponsavelArquivo = "  ESCRITORIO MODELO  ";
    d.NuLogradouroRespArquivo = "000012";
    d.TxEMailRespArquivo = " a@b.com ";
    ASSERT_FALSE(CriticaResponsavel(critica, d, "52998224725").falhou);
    EXPECT_EQ(d.NoResponsavelArquivo, "ESCRITORIO MODELO");
    EXPECT_EQ(d.NuLogradouroRespArquivo, "12");
    EXPECT_EQ(d.TxEMailRespArquivo, "a@b.com");
    EXPECT_EQ(d.NoMunicipioRespArquivo, "SAO PAULO");
    EXPECT_EQ(d.SgUfRespArquivo, "SP");
    EXPECT_EQ(d.CoCgcCeiResponsavel, "00052998224725");
    FinalizaResponsavel(d);
    EXPECT_EQ(d.NuLogradouroRespArquivo, "000012");
}

// The area code outside the municipality's state is only a notice, and not given when the
// user is moving on to the next page.
TEST_F(CriticaResponsavelTeste, DddDeOutraUfSoAvisa) {
    auto d = Valido();
    d.NuFoneDDD = "41";
    const auto aviso = CriticaDddResp(d, false);
    EXPECT_FALSE(aviso.falhou);
    EXPECT_EQ(aviso.codigo, "0402");
    EXPECT_EQ(CriticaDddResp(d, true).codigo, "0000");
}

// "&Ok" runs the checks in its order and stops at the first failure.
TEST_F(CriticaResponsavelTeste, TodasParamNaPrimeiraFalha) {
    auto d = Valido();
    d.NoResponsavelArquivo = "";
    d.CoCepRespArquivo = "";
    EXPECT_EQ(CriticaResponsavel(critica, d, "52998224725").codigo, "0110");
    d = Valido();
    d.CoCepRespArquivo = "";
    d.TxEMailRespArquivo = "x";
    EXPECT_EQ(CriticaResponsavel(critica, d, "52998224725").codigo, "0081");
    d = Valido();
    EXPECT_EQ(CriticaResponsavel(critica, d, "1").campo, C::Inscricao);
}

// Stored and read back: the number zero-filled in the table, without zeros on screen.
TEST_F(CriticaResponsavelTeste, GravaELe) {
    auto d = Valido();
    ASSERT_FALSE(CriticaResponsavel(critica, d, "52998224725").falhou);
    d.InReciboParaRespArquivo = true;
    FinalizaResponsavel(d);
    {
        Tabela t(banco, "BD8RESP");
        t.Abre();
        t.Primeiro();
        t.Edita();
        PoeResponsavel(t, d);
        t.Grava();
    }
    Tabela t(banco, "BD8RESP");
    t.Abre();
    t.Primeiro();
    EXPECT_EQ(t.NumRegistros(), 1);
    EXPECT_EQ(t.Texto("NuLogradouroRespArquivo"), "001000");
    EXPECT_EQ(t.Texto("InInscrResponsavel"), "4");
    const auto lido = LeResponsavel(t);
    EXPECT_EQ(lido.NuLogradouroRespArquivo, "1000");
    EXPECT_EQ(lido.CoCgcCeiResponsavel, "00052998224725");
    EXPECT_TRUE(lido.InReciboParaRespArquivo);
}

}  // namespace
