#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "BaseReferencia.h"
#include "Paridade.h"
#include "engine/Tabela.h"
#include "rules/CriticaEstabelecimento.h"
#include "rules/CriticaZovi.h"
#include "rules/VerificaEstabelecimento.h"

using namespace zovi;

namespace {

// What a test checks of a row: kind, code, content, label.
struct Linha {
    std::string errwar, retorno, conteudo, lbl;
    bool operator==(const Linha&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Linha& l) {
    return os << "{" << l.errwar << " " << l.retorno << " '" << l.conteudo << "' " << l.lbl << "}";
}

std::vector<Linha> Resumo(const ColetorInconsistencias& c) {
    std::vector<Linha> r;
    for (const auto& l : c.linhas) r.push_back({l.errwar, l.retorno, l.conteudo, l.lbl});
    return r;
}

class Verificacao : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        base_ = new teste::BaseReferencia;
        auto& b = *base_;
        b.Municipio("3550308", "SAO PAULO", "", "1");
        b.Insere("TB8FXCEP", {{"CoMunicipio", "3550308"}, {"CoCep1Inicial", "01000"}, {"CoCep1Final", "05999"}});
        b.Municipio("3304557", "RIO DE JANEIRO", "20000", "0");
        b.Municipio("3599999", "SEM CEP", "", "0");
        b.Uf("35", "SP");
        b.Uf("33", "RJ");
        b.Insere("TBUFCEP", {{"CoUf", "35"}, {"IdUf", "1"}, {"CoCepInicial", "01000"}, {"CoCepFinal", "19999"}});
        b.Insere("TBUFCEP", {{"CoUf", "33"}, {"IdUf", "1"}, {"CoCepInicial", "20000"}, {"CoCepFinal", "28999"}});
        for (const char* c : {"52116", "75116", "70408"}) b.Insere("TB8CNAE", {{"CoCnae", c}});
        for (const char* n : {"2062", "1031"}) b.Insere("TB8NATJU", {{"CoNaturezaJuridica", n}});
        ref_ = new Referencias(b.Carrega());
    }
    static void TearDownTestSuite() {
        delete ref_;
        delete base_;
    }

    static RegistroEstabelecimento Estabelecimento() {
        RegistroEstabelecimento e;
        e.AnBase = "2005";
        e.CoCgcCeiEstabelecimento = "11222333000181";
        e.NuPrefixoEstabelecimento = "01";
        e.InInscrEstabelecimento = "1";
        e.CoCgcVinculado = "00000000000000";
        e.NoRazaoEstabelecimento = "ACME COMERCIO LTDA";
        e.EdEstabelecimento = "RUA DAS FLORES";
        e.NuEnderecoEstabelecimento = "000100";
        e.NoBairroEstabelecimento = "CENTRO";
        e.CoCepEstabelecimento = "01310100";
        e.CoMunicipio = "3550308";
        e.NoMunicEstabelecimento = "SAO PAULO";
        e.SgUf = "SP";
        e.NuDDD = "11";
        e.NuTelefone = "32145678";
        e.TxEmailEstabelecimento = "contato@acme.com.br";
        e.InPorte = "1";
        e.InOptanteSimples = "2";
        e.CoCnae = "52116";
        e.CoNaturezaJuridica = "2062";
        e.NuProprietEstabelecimento = "01";
        e.MeDataBase = "05";
        e.InZoviNegEstabelecimento = "0";
        e.InEncerramentoAtividade = "2";
        e.DaEncerramentoAtividade = "00000000";
        e.InParticipaPAT = "2";
        e.NuVinculoPatMaior5 = e.NuVinculoPatMenor5 = "000000";
        e.PoServicoProprio = e.PoAdmCozinha = e.PoRefeicaoConvenio = e.PoRefeicaoTransportadora =
            e.PoCestaAlimento = e.PoAlimentacaoConvenio = "000";
        e.CoCNPJSindical = e.CoCNPJAssociativa = e.CoCNPJAssistencial = e.CoCNPJConfederativa = "00000000000000";
        e.VaGlobalSindical = e.VaGlobalAssociativa = e.VaGlobalAssistencial = e.VaGlobalConfederativa = "00000000";
        e.InAtividadeAnoBase = "1";
        return e;
    }

    static RegistroDeclarante Declarante() {
        RegistroDeclarante d;
        d.CoCgcCeiResponsavel = "11222333000181";
        d.InInscrResponsavel = "1";
        d.NoResponsavelArquivo = "JOAO DA SILVA CONTABIL";
        d.EdLogradouroRespArquivo = "RUA DAS FLORES";
        d.NuLogradouroRespArquivo = "000100";
        d.NoBairroRespArquivo = "CENTRO";
        d.CoCepRespArquivo = "01310100";
        d.CoMunicipioRespArquivo = "3550308";
        d.NoMunicipioRespArquivo = "SAO PAULO";
        d.SgUfRespArquivo = "SP";
        d.NuFoneDDD = "11";
        d.NuFoneAssinante = "32145678";
        d.DaRetificacao = "00000000";
        d.DaGeracao = "15032006";
        return d;
    }

    static std::vector<Linha> Verifica(const RegistroEstabelecimento& e, bool exige = false) {
        ColetorInconsistencias c;
        pVerificaEstabelecimento(e, *ref_, exige, c);
        return Resumo(c);
    }

    static teste::BaseReferencia* base_;
    static Referencias* ref_;
};
teste::BaseReferencia* Verificacao::base_ = nullptr;
Referencias* Verificacao::ref_ = nullptr;

struct CasoEstabelecimento {
    const char* descricao;
    std::function<void(RegistroEstabelecimento&)> altera;
    std::vector<Linha> esperado;
    bool exigePreenchimento = false;
};

TEST_F(Verificacao, EstabelecimentoCorretoNaoGeraLinhas) { EXPECT_EQ(Verifica(Estabelecimento()), std::vector<Linha>{}); }

TEST_F(Verificacao, LinhasDeCadaPassoDoEstabelecimento) {
    using E = RegistroEstabelecimento;
    const std::vector<CasoEstabelecimento> casos = {
        {"operation left open: entry", [](E& e) { e.InOpcaoAberta = "0"; },
         {{"err", "1677", "Atualização de estabelecimento", "1666"}}},
        {"operation left open: copy", [](E& e) { e.InOpcaoAberta = "3"; }, {{"err", "1677", "Outras opções", "1666"}}},
        {"operation left open: multiple deletion", [](E& e) { e.InOpcaoAberta = "4"; },
         {{"err", "1677", "Exclusão de estabelecimento", "1666"}}},
        {"base year", [](E& e) { e.AnBase = "2004"; }, {{"err", "1911", "2004", "1658"}}},
        {"valid as CNPJ and CEI, declared CNPJ",
         [](E& e) { e.CoCgcCeiEstabelecimento = "00945807000105"; }, {}},
        {"valid as CNPJ and CEI, declared CEI",
         [](E& e) { e.CoCgcCeiEstabelecimento = "00945807000105"; e.InInscrEstabelecimento = "3"; }, {}},
        {"CEI declared as CNPJ", [](E& e) { e.CoCgcCeiEstabelecimento = "00123456789010"; },
         {{"err", "0131", "1 (CGC)", "1601"}, {"err", "0131", "00123456789010", "1600"}}},
        {"invalid inscription", [](E& e) { e.CoCgcCeiEstabelecimento = "11222333000182"; },
         {{"err", "0053", "11222333000182", "1600"},
          {"err", "0131", "1 (CGC)", "1601"},
          {"err", "0131", "11222333000182", "1600"}}},
        {"inscription type", [](E& e) { e.InInscrEstabelecimento = "2"; }, {{"err", "0130", "2", "1601"}}},
        {"prefix", [](E& e) { e.NuPrefixoEstabelecimento = "1"; }, {{"err", "0062", "1", "1602"}}},
        {"name", [](E& e) { e.NoRazaoEstabelecimento = " FILIAL "; }, {{"err", "0111", "FILIAL", "1604"}}},
        {"street", [](E& e) { e.EdEstabelecimento = ""; }, {{"err", "0120", "", "1605"}}},
        {"street number", [](E& e) { e.NuEnderecoEstabelecimento = ""; },
         {{"err", "0030", "", "1606"}, {"err", "0120", "", "1606"}, {"err", "0120", "", "1607"}}},
        {"complement", [](E& e) { e.TxComplemEstabelecimento = "APTO'1"; }, {{"err", "0020", "APTO'1", "1607"}}},
        {"district", [](E& e) { e.NoBairroEstabelecimento = "CE"; }, {{"err", "0010", "CE", "1608"}}},
        {"CEP missing", [](E& e) { e.CoCepEstabelecimento = ""; }, {{"err", "0081", "", "1609"}}},
        {"CEP of another state",
         [](E& e) { e.CoCepEstabelecimento = "20000000"; },
         {{"war", "0082", "20000000", "1609"},
          {"war", "0082", "3550308", "1610"},
          {"err", "0083", "20000000", "1609"},
          {"err", "0083", "SP", "1612"}}},
        {"unknown municipality", [](E& e) { e.CoMunicipio = "9999999"; }, {{"err", "0090", "9999999", "1610"}}},
        {"municipality of another state",
         [](E& e) { e.CoMunicipio = "3304557"; },
         {{"war", "0082", "01310100", "1609"},
          {"war", "0082", "3304557", "1610"},
          {"war", "3666", "SAO PAULO", "3667"},
          {"err", "0091", "3304557", "1610"},
          {"err", "0091", "SP", "1612"}}},
        {"municipality without CEP: lenient in the run",
         [](E& e) { e.CoMunicipio = "3599999"; e.NoMunicEstabelecimento = "SEM CEP"; e.CoCepEstabelecimento = "05000000"; },
         {}},
        {"municipality name", [](E& e) { e.NoMunicEstabelecimento = ""; }, {{"war", "0093", "", "3667"}}},
        {"state", [](E& e) { e.SgUf = "XX"; }, {{"err", "0100", "XX", "1612"}}},
        {"area code missing", [](E& e) { e.NuDDD = ""; },
         {{"err", "3674", "", "1613"}, {"err", "3101", "", "1613"}, {"err", "3101", "32145678", "1614"}}},
        {"area code of another state", [](E& e) { e.NuDDD = "22"; },
         {{"war", "0402", "SP", "1612"}, {"war", "0402", "22", "1613"}}},
        {"telephone", [](E& e) { e.NuTelefone = ""; }, {{"err", "3674", "", "1614"}}},
        {"e-mail", [](E& e) { e.TxEmailEstabelecimento = "acme.com"; }, {{"err", "3627", "acme.com", "1617"}}},
        {"size", [](E& e) { e.InPorte = "5"; }, {{"err", "3124", "5", "3520"}}},
        {"simples and size", [](E& e) { e.InPorte = "3"; e.InOptanteSimples = "1"; },
         {{"err", "3125", "3", "3520"}, {"err", "3125", "1", "3123"}}},
        {"simples", [](E& e) { e.InOptanteSimples = ""; }, {{"err", "3604", "", "3123"}}},
        {"CNAE", [](E& e) { e.CoCnae = "99999"; }, {{"err", "0361", "99999", "1618"}}},
        {"city hall with another activity and nature",
         [](E& e) { e.NoRazaoEstabelecimento = "PREFEITURA MUNICIPAL DE X"; },
         {{"war", "0363", "52116", "1618"},
          {"war", "0363", "PREFEITURA MUNICIPAL DE X", "1604"},
          {"war", "0372", "2062", "1619"},
          {"war", "0372", "PREFEITURA MUNICIPAL DE X", "1604"}}},
        {"city hall as registered",
         [](E& e) { e.NoRazaoEstabelecimento = "PREFEITURA MUNICIPAL DE X"; e.CoCnae = "75116"; e.CoNaturezaJuridica = "1031"; },
         {}},
        {"PREF", [](E& e) { e.NoRazaoEstabelecimento = "PREF"; e.CoCnae = "75116"; },
         {{"war", "0372", "2062", "1619"}, {"war", "0372", "PREF", "1604"}}},
        {"name merely beginning with PREF", [](E& e) { e.NoRazaoEstabelecimento = "PREFIXO LTDA"; }, {}},
        {"condominium", [](E& e) { e.NoRazaoEstabelecimento = "CONDOMINIO SOL"; },
         {{"err", "0362", "52116", "1618"}, {"err", "0362", "CONDOMINIO SOL", "1604"}}},
        {"legal nature", [](E& e) { e.CoNaturezaJuridica = "0000"; }, {{"err", "0370", "0000", "1619"}}},
        {"owners missing", [](E& e) { e.NuProprietEstabelecimento = ""; }, {{"err", "0030", "", "1621"}}},
        {"owners zero", [](E& e) { e.NuProprietEstabelecimento = "00"; }, {}},
        {"base month zero with employees", [](E& e) { e.MeDataBase = "00"; },
         {{"err", "0070", "00", "1620"}, {"err", "0070", "0", "1622"}}},
        {"base month zero, ZOVI negativa",
         [](E& e) { e.MeDataBase = "00"; e.InZoviNegEstabelecimento = "1"; }, {}},
        {"base month", [](E& e) { e.MeDataBase = "13"; }, {{"err", "0071", "13", "1620"}}},
        {"ZOVI negativa with a linked CEI",
         [](E& e) { e.InZoviNegEstabelecimento = "1"; e.CoCgcVinculado = "00123456789010"; },
         {{"err", "0133", "1", "1622"}, {"err", "0133", "1", "1601"}, {"err", "0133", "123456789010", "1603"}}},
        {"ZOVI negativa indicator", [](E& e) { e.InZoviNegEstabelecimento = "2"; }, {{"err", "0140", "2", "1622"}}},
        {"linked CEI not beginning with 00", [](E& e) { e.CoCgcVinculado = "01123456789010"; },
         {{"err", "0040", "01", "1678"}}},
        {"linked CEI invalid", [](E& e) { e.CoCgcVinculado = "00123456789011"; },
         {{"err", "0430", "123456789011", "1603"}}},
        {"linked CEI on a CEI establishment",
         [](E& e) {
             e.CoCgcCeiEstabelecimento = e.CoCgcVinculado = "00123456789010";
             e.InInscrEstabelecimento = "3";
         },
         {{"err", "0350", "3 (CEI)", "1601"}, {"err", "0350", "123456789010", "1603"}}},
        {"closing without a date", [](E& e) { e.InEncerramentoAtividade = "1"; e.DaEncerramentoAtividade = ""; },
         {{"err", "3513", "", "1669"}, {"err", "3513", "Assinalado para encerramento das atividades", "1668"}}},
        {"closing at the end of the next year",
         [](E& e) { e.InEncerramentoAtividade = "1"; e.DaEncerramentoAtividade = "31122006"; }, {}},
        {"closing two years later",
         [](E& e) { e.InEncerramentoAtividade = "1"; e.DaEncerramentoAtividade = "01012007"; },
         {{"err", "3516", "01012007", "1669"}, {"err", "3516", "2005", "1658"}}},
        {"closing date without the indicator", [](E& e) { e.DaEncerramentoAtividade = "31122005"; },
         {{"err", "3515", "31122005", "1669"}, {"err", "3515", "Não assinalado", "1668"}}},
        {"closing date required", [](E& e) { e.DaEncerramentoAtividade = ""; },
         {{"err", "3514", "", "1669"}, {"err", "3514", "Não assinalado", "1668"}}, true},
        {"PAT indicator", [](E& e) { e.InParticipaPAT = ""; }, {{"err", "3608", "", "3122"}}},
        {"PAT participant without beneficiaries", [](E& e) { e.InParticipaPAT = "1"; },
         {{"err", "3626", "1", "3122"}, {"err", "3626", "000000", "3610"}, {"err", "3626", "000000", "3611"}}},
        {"beneficiaries of a non-participant", [](E& e) { e.NuVinculoPatMaior5 = "000010"; },
         {{"err", "3525", "2", "3122"}, {"err", "3525", "000010", "3610"}, {"err", "3525", "000000", "3611"}}},
        {"beneficiaries number", [](E& e) { e.NuVinculoPatMaior5 = "10"; }, {{"err", "0030", "10", "3610"}}},
        {"percentage above 100",
         [](E& e) { e.InParticipaPAT = "1"; e.NuVinculoPatMaior5 = "000010"; e.PoServicoProprio = "101"; },
         {{"war", "3521", "101", "3612"},
          {"war", "3601", "1", "3122"},
          {"war", "3601", "101", "3612"},
          {"war", "3601", "000", "3613"},
          {"war", "3601", "000", "3614"},
          {"war", "3601", "000", "3615"},
          {"war", "3601", "000", "3616"},
          {"war", "3601", "000", "3617"}}},
        {"percentage not numeric", [](E& e) { e.PoAdmCozinha = "5A0"; }, {{"err", "0040", "5A0", "3613"}}},
        {"percentages of a non-participant", [](E& e) { e.PoAlimentacaoConvenio = "010"; },
         {{"war", "3526", "2", "3122"},
          {"war", "3526", "000", "3612"},
          {"war", "3526", "000", "3613"},
          {"war", "3526", "000", "3614"},
          {"war", "3526", "000", "3615"},
          {"war", "3526", "000", "3616"},
          {"war", "3526", "010", "3617"}}},
        {"union entities with reserved or own CNPJs",
         [](E& e) {
             e.CoCNPJSindical = e.CoCgcCeiEstabelecimento;
             e.CoCNPJAssociativa = "00000000000191";
             e.CoCNPJAssistencial = "00360305000104";
             e.CoCNPJConfederativa = "11222333000262";
         },
         {{"err", "3649", "11222333000181", "3652"},
          {"err", "3649", "00000000000191", "3650"},
          {"err", "3649", "00360305000104", "3654"},
          {"err", "3649", "11222333000262", "3656"}}},
        {"union entity valid as CNPJ and CEI", [](E& e) { e.CoCNPJConfederativa = "00945807000105"; },
         {{"err", "0050", "00945807000105", "3656"}}},
        {"union entity head office", [](E& e) { e.CoCNPJSindical = "28921840000106"; }, {}},
        {"union values",
         [](E& e) {
             e.VaGlobalSindical = e.VaGlobalAssociativa = e.VaGlobalAssistencial = "";
             e.VaGlobalConfederativa = "123";
         },
         {{"err", "3648", "", "3653"}, {"err", "3648", "", "3651"}, {"err", "0030", "123", "3657"}}},
        {"union fields required",
         [](E& e) { e.CoCNPJSindical = ""; e.VaGlobalAssistencial = ""; e.CoCNPJConfederativa = ""; },
         {{"err", "0030", "", "3652"}, {"err", "0030", "", "3655"}, {"err", "0030", "", "3656"}}, true},
        {"union CNPJ empty", [](E& e) { e.CoCNPJSindical = ""; }, {}},
        {"activity in the base year", [](E& e) { e.InAtividadeAnoBase = "3"; }, {{"err", "3668", "3", "3669"}}},
        {"use text", [](E& e) { e.TxUsoEstabelecimento = "A'B"; }, {{"err", "0020", "A'B", "1623"}}},
    };
    for (const auto& c : casos) {
        auto e = Estabelecimento();
        c.altera(e);
        EXPECT_EQ(Verifica(e, c.exigePreenchimento), c.esperado) << c.descricao;
    }
}

TEST_F(Verificacao, LinhasSeguemAOrdemDosPassosELevamOEstabelecimento) {
    auto e = Estabelecimento();
    e.TxUsoEstabelecimento = "A'B";
    e.InPorte = "";
    e.AnBase = "2004";
    e.InOpcaoAberta = "1";
    ColetorInconsistencias c;
    pVerificaEstabelecimento(e, *ref_, false, c);
    EXPECT_EQ(Resumo(c), (std::vector<Linha>{{"err", "1677", "Outras opções", "1666"},
                                             {"err", "1911", "2004", "1658"},
                                             {"err", "3124", "", "3520"},
                                             {"err", "0020", "A'B", "1623"}}));
    for (const auto& l : c.linhas) {
        EXPECT_EQ(l.tiporegistro, "1");
        EXPECT_EQ(l.estabelecimento, (IdentificacaoEstabelecimento{"11222333000181", "1", "01", "ACME COMERCIO LTDA"}));
    }
}

struct CasoDeclarante {
    const char* descricao;
    std::function<void(RegistroDeclarante&)> altera;
    std::vector<Linha> esperado;
};

TEST_F(Verificacao, LinhasDeCadaPassoDoDeclarante) {
    using D = RegistroDeclarante;
    const std::vector<CasoDeclarante> casos = {
        {"clean", [](D&) {}, {}},
        {"CPF", [](D& d) { d.InInscrResponsavel = "4"; d.CoCgcCeiResponsavel = "00052998224725"; }, {}},
        {"CPF declared as CNPJ", [](D& d) { d.CoCgcCeiResponsavel = "00052998224725"; },
         {{"err", "0131", "1 (CNPJ)", "1601"}, {"err", "0131", "00052998224725", "1599"}}},
        {"invalid CNPJ", [](D& d) { d.CoCgcCeiResponsavel = "11222333000182"; },
         {{"err", "0053", "11222333000182", "1599"}}},
        {"invalid CPF", [](D& d) { d.InInscrResponsavel = "4"; d.CoCgcCeiResponsavel = "00052998224724"; },
         {{"err", "0054", "00052998224724", "1599"}}},
        {"CNPJ declared as CPF", [](D& d) { d.InInscrResponsavel = "4"; },
         {{"err", "0131", "4 (CPF)", "1601"}, {"err", "0131", "11222333000181", "1599"}}},
        {"type", [](D& d) { d.InInscrResponsavel = "2"; }, {{"err", "0129", "2", "1601"}}},
        {"CNPJ declared as CEI", [](D& d) { d.InInscrResponsavel = "3"; },
         {{"err", "0131", "3 (CEI)", "1601"}, {"err", "0131", "11222333000181", "1599"}}},
        {"name", [](D& d) { d.NoResponsavelArquivo = ""; }, {{"err", "0110", "", "1604"}}},
        {"name of a reserved root is not judged by the declarant's inscription",
         [](D& d) { d.CoCgcCeiResponsavel = "00000000000191"; d.NoResponsavelArquivo = "OUTRO NOME"; }, {}},
        {"CEP outside the municipality", [](D& d) { d.CoCepRespArquivo = "12000000"; }, {}},
        {"municipality without CEP", [](D& d) {
             d.CoMunicipioRespArquivo = "3599999";
             d.NoMunicipioRespArquivo = "SEM CEP";
             d.CoCepRespArquivo = "05000000";
         }, {}},
        {"municipality name", [](D& d) { d.NoMunicipioRespArquivo = "SAO PAULA"; },
         {{"war", "3666", "SAO PAULA", "3667"}}},
        {"rectification without date", [](D& d) { d.InRetificacao = true; },
         {{"err", "0410", "00000000", "1615"}, {"err", "0410", "Assinalado para retificação", "1660"}}},
        {"rectification date empty", [](D& d) { d.DaRetificacao = ""; },
         {{"err", "0030", "", "1615"}, {"err", "0030", "Não assinalado", "1660"}}},
        {"generation date", [](D& d) { d.DaGeracao = "01012007"; }, {{"err", "0423", "01012007", "1616"}}},
        {"e-mail", [](D& d) { d.TxEMailRespArquivo = "x"; }, {{"err", "3627", "x", "1617"}}},
    };
    for (const auto& c : casos) {
        auto d = Declarante();
        c.altera(d);
        ColetorInconsistencias coletor;
        pVerificaDeclarante(d, *ref_, coletor);
        EXPECT_EQ(Resumo(coletor), c.esperado) << c.descricao;
        for (const auto& l : coletor.linhas) {
            EXPECT_EQ(l.tiporegistro, "0");
            EXPECT_EQ(l.estabelecimento, IdentificacaoEstabelecimento{});
        }
    }
}

TEST_F(Verificacao, MunicipioECepDosFormularios) {
    const TCriticaZovi critica(*ref_);
    struct Caso { std::string municipio, cep, nome, uf; char situacao; std::string resultado; };
    const std::vector<Caso> casos = {
        {"", "01310100", "", "", '1', "0092"},
        {"9999999", "01310100", "", "", '1', "0090"},
        {"3550308", "01310100", "SAO PAULO", "SP", '0', "0000"},
        {"3550308", "", "SAO PAULO", "SP", '0', "0000"},
        {"3550308", "20000000", "SAO PAULO", "SP", '3', "0083"},          // outside the state
        {"3304557", "21000000", "RIO DE JANEIRO", "RJ", '2', "0082"},     // in the state, not the municipality
        {"3599999", "05000000", "SEM CEP", "SP", '4', "0000"},            // no CEP of its own to compare
        {"3599999", "12000000", "SEM CEP", "SP", '0', "0000"},            // the state's exception range
    };
    for (const auto& c : casos) {
        auto r = critica.CriticaMunicipioCep(c.municipio, c.cep);
        EXPECT_EQ(r.nomeMunicipio, c.nome) << c.municipio << " " << c.cep;
        EXPECT_EQ(r.siglaUf, c.uf) << c.municipio << " " << c.cep;
        EXPECT_EQ(static_cast<char>(r.situacao), c.situacao) << c.municipio << " " << c.cep;
        EXPECT_EQ(r.resultado, c.resultado) << c.municipio << " " << c.cep;
    }
}

TEST_F(Verificacao, RegistrosLidosDaTabela) {
    Tabela emp(base_->banco, "BD8EMP");
    emp.Abre();
    emp.Acrescenta();
    const auto modelo = Estabelecimento();
    for (const auto& [nome, membro] : CamposEstabelecimento()) emp.PoeTexto(nome, modelo.*membro);
    emp.PoeTexto("NuPrefixoEstabelecimento", "1");
    emp.Grava();
    emp.Primeiro();
    const auto lido = LeEstabelecimento(emp);
    EXPECT_EQ(lido.NuPrefixoEstabelecimento, "1");
    EXPECT_EQ(lido.VaGlobalConfederativa, "00000000");
    EXPECT_EQ(Verifica(lido), (std::vector<Linha>{{"err", "0062", "1", "1602"}}));

    Tabela resp(base_->banco, "BD8RESP");
    resp.Abre();
    resp.Acrescenta();
    const auto declarante = Declarante();
    for (const auto& [nome, membro] : CamposDeclarante()) resp.PoeTexto(nome, declarante.*membro);
    resp.PoeLogico("InRetificacao", true);
    resp.Grava();
    resp.Primeiro();
    const auto d = LeDeclarante(resp);
    EXPECT_TRUE(d.InRetificacao);
    EXPECT_EQ(d.DaGeracao, "15032006");
}

}  // namespace

// The establishment form and the verification run judge a field alike: for each field and each
// value of a table of passing and failing values, the form's check of the field (its chain read
// as the form reads it) and the run over the row holding that value give the same code, and the
// whole run writes the chain's rows. Where the chain makes them differ on purpose, the table says
// which code each gives.
TEST_F(Verificacao, FormularioEVerificacaoDaoOMesmoCodigoPorCampo) {
    using E = RegistroEstabelecimento;
    using Cadeia = std::function<void(const DadosEstabelecimento&, PassosCritica&)>;
    auto endereco = [](void (*f)(const Endereco&, PassosCritica&)) -> Cadeia {
        return [f](const DadosEstabelecimento& d, PassosCritica& p) { f(EnderecoEstabelecimento(d.e), p); };
    };
    auto comRef = [](void (*f)(const Endereco&, const Referencias&, PassosCritica&)) -> Cadeia {
        return [f](const DadosEstabelecimento& d, PassosCritica& p) { f(EnderecoEstabelecimento(d.e), d.ref, p); };
    };
    auto indice = [](void (*f)(const DadosEstabelecimento&, int, PassosCritica&), int i) -> Cadeia {
        return [f, i](const DadosEstabelecimento& d, PassosCritica& p) { f(d, i, p); };
    };
    auto municipio = [](const DadosEstabelecimento& d, PassosCritica& p) {
        CadeiaMunicipio(EnderecoEstabelecimento(d.e), d.ref, p);
    };
    struct Campo {
        const char* nome;
        std::string E::*membro;
        Cadeia cadeia;
        std::vector<teste::ValorParidade> valores;
    };
    const std::vector<Campo> campos = {
        {"razão social", &E::NoRazaoEstabelecimento, CadeiaRazaoSocial, {{"", "0110"}, {"ACME COMERCIO LTDA", "0000"}}},
        {"logradouro", &E::EdEstabelecimento, endereco(CadeiaLogradouro), {{"", "0120"}, {"RUA DAS FLORES", "0000"}}},
        {"número", &E::NuEnderecoEstabelecimento, endereco(CadeiaNumero), {{"12A456", "0040"}, {"000100", "0000"}}},
        {"CEP", &E::CoCepEstabelecimento, endereco(CadeiaCep), {{"", "0081"}, {"01310100", "0000"}}},
        // The form judges municipality and CEP as a pair; the run the code alone (and the CEP apart).
        {"município", &E::CoMunicipio, municipio, {{"9999999", "0090"}, {"3304557", "0083", "0091"}, {"3550308", "0000"}}},
        {"DDD", &E::NuDDD, comRef(CadeiaDdd), {{"AB", "3674"}, {"11", "0000"}}},
        {"telefone", &E::NuTelefone, endereco(CadeiaTelefone), {{"", "3674"}, {"32145678", "0000"}}},
        {"e-mail", &E::TxEmailEstabelecimento, CadeiaEmail, {{"contato acme", "3627"}, {"contato@acme.com.br", "0000"}}},
        {"CNAE", &E::CoCnae, CadeiaCnae, {{"", "0360"}, {"99999", "0361"}, {"52116", "0000"}}},
        {"natureza jurídica", &E::CoNaturezaJuridica, CadeiaNatureza, {{"9999", "0371"}, {"2062", "0000"}}},
        {"mês da data-base", &E::MeDataBase, CadeiaMesDataBase, {{"13", "0071"}, {"05", "0000"}}},
        {"porte", &E::InPorte, CadeiaPorte, {{"4", "3124"}, {"1", "0000"}}},
        {"CEI vinculado", &E::CoCgcVinculado, CadeiaCeiVinculado,
         {{"00123456789012", "0430"}, {"00000000000000", "0000"}}},
        // Beneficiaries of an establishment outside the PAT: an error for the run, a notice the form
        // lets the user go past.
        {"PAT até 5 salários", &E::NuVinculoPatMenor5, CadeiaPatAteCinco,
         {{"00001A", "0040"}, {"000005", "0000", "3525"}, {"000000", "0000"}}},
        {"CNPJ sindical", &E::CoCNPJSindical, indice(CadeiaCnpjContribuicao, 0),
         {{"11222333000181", "3649"}, {"12345678000100", "3649"}, {"00000000000000", "0000"}}},
        {"valor associativo", &E::VaGlobalAssociativa, indice(CadeiaValorContribuicao, 1),
         {{"0000000A", "0040"}, {"00010000", "0000"}}},
    };
    for (const auto& campo : campos) {
        for (const auto& v : campo.valores) {
            SCOPED_TRACE(std::string(campo.nome) + " = '" + v.valor + "'");
            auto e = Estabelecimento();
            e.*campo.membro = v.valor;
            const DadosEstabelecimento d{e, *ref_};
            auto cadeia = [&](PassosCritica& p) { campo.cadeia(d, p); };
            EXPECT_EQ(teste::LeFormulario(cadeia), v.formulario);
            const auto verificacao = teste::LeVerificacao(cadeia);
            EXPECT_EQ(verificacao.codigo, v.Verificacao());
            ColetorInconsistencias todas;
            pVerificaEstabelecimento(e, *ref_, false, todas);
            EXPECT_TRUE(teste::Contem(todas.linhas, verificacao.linhas)) << "the run does not write the chain's rows";
        }
    }
}
