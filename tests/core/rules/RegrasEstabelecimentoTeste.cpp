#include <gtest/gtest.h>

#include "BaseReferencia.h"
#include "CasosRegra.h"
#include "rules/RegrasEstabelecimento.h"

using namespace zovi;
using teste::Caso1;
using teste::Caso2;

namespace {

// Valid CNPJ only, valid CEI only, valid as both, neither.
constexpr const char* kCnpj = "11222333000181";
constexpr const char* kCei = "00123456789010";
constexpr const char* kAmbos = "00945807000105";
constexpr const char* kNenhum = "11222333000182";

TEST(RegrasEstabelecimento, Inscricao) {
    teste::Confere(std::vector<Caso1>{
        {REGRA(fCriticaInscricao), "", "0055"},
        {REGRA(fCriticaInscricao), "   ", "0055"},
        {REGRA(fCriticaInscricao), "1122233300018", "0030"},
        {REGRA(fCriticaInscricao), "1122233300018A", "0040"},
        {REGRA(fCriticaInscricao), "112223330001811", "X"},
        {REGRA(fCriticaInscricao), "00000000000000", "0055"},
        {REGRA(fCriticaInscricao), kAmbos, "0050"},
        {REGRA(fCriticaInscricao), kCnpj, "0051"},
        {REGRA(fCriticaInscricao), kCei, "0052"},
        {REGRA(fCriticaInscricao), kNenhum, "0053"},
        {REGRA(fCriticaInscricao), "11222333000000", "0053"},  // order number 0000
        {REGRA(fCriticaTipoInscricao), "", "0132"},
        {REGRA(fCriticaTipoInscricao), "A", "0040"},
        {REGRA(fCriticaTipoInscricao), "13", "X"},
        {REGRA(fCriticaTipoInscricao), "2", "0130"},
        {REGRA(fCriticaTipoInscricao), "4", "0130"},
        {REGRA(fCriticaTipoInscricao), "1", "0000"},
        {REGRA(fCriticaTipoInscricao), "3", "0000"},
        {REGRA(fCriticaTipoInscricaoResponsavel), "", "0128"},
        {REGRA(fCriticaTipoInscricaoResponsavel), "x", "0040"},
        {REGRA(fCriticaTipoInscricaoResponsavel), "2", "0129"},
        {REGRA(fCriticaTipoInscricaoResponsavel), "4", "0000"},
    });
    teste::Confere(std::vector<Caso2>{
        {REGRA(fCriticaInscricaoPorTipo), "00000000000000", "1", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), "", "3", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), kNenhum, "0", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), kNenhum, "", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), kCnpj, "1", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), kCnpj, "3", "0131"},
        {REGRA(fCriticaInscricaoPorTipo), kCei, "1", "0131"},
        {REGRA(fCriticaInscricaoPorTipo), kCei, "3", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), kAmbos, "1", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), kAmbos, "3", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), kNenhum, "2", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), "00052998224725", "4", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), "52998224725", "4", "0000"},
        {REGRA(fCriticaInscricaoPorTipo), kCnpj, "4", "0131"},
        {REGRA(fCriticaInscricaoPorTipo), "00052998224724", "4", "0131"},
    });
}

TEST(RegrasEstabelecimento, InscricaoResponsavel) {
    struct Caso { std::string valor; int tamanho; std::string esperado; };
    const std::vector<Caso> casos = {
        {"", 11, "0055"},
        {"1A", 14, "0040"},
        {"52998224725", 11, "0056"},            // padded to 14 by the rule
        {"00052998224725", 11, "0056"},
        {"00052998224724", 11, "0054"},
        {"10052998224725", 11, "0054"},         // CPF typed, but positions 1-3 not zero
        {"00000000000000", 11, "0055"},
        {kCnpj, 11, "0054"},
        {kCnpj, 14, "0051"},
        {kAmbos, 14, "0049"},
        {kCei, 14, "0052"},
        {kNenhum, 14, "0054"},
        {"0", 14, "0055"},
        {"00052998224725", 14, "0054"},         // a CPF is not a CNPJ or CEI
        {"112223330001811", 14, "0054"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(fCriticaInscricaoResponsavel(c.valor, c.tamanho), c.esperado) << c.valor << " " << c.tamanho;
}

TEST(RegrasEstabelecimento, PrefixoERazaoSocial) {
    teste::Confere(std::vector<Caso1>{
        {REGRA(fCriticaPrefixo), "", "0061"},
        {REGRA(fCriticaPrefixo), "01", "0000"},
        {REGRA(fCriticaPrefixo), "0A", "0000"},
        {REGRA(fCriticaPrefixo), "Z9", "0000"},
        {REGRA(fCriticaPrefixo), "a1", "0060"},
        {REGRA(fCriticaPrefixo), "-1", "0060"},
        {REGRA(fCriticaPrefixo), "1a", "0060"},
        {REGRA(fCriticaPrefixo), "1", "0062"},
        {REGRA(fCriticaPrefixo), "123", "X"},
    });
    teste::Confere(std::vector<Caso2>{
        {REGRA(fCriticaRazaoSocial), "", kCnpj, "0110"},
        {REGRA(fCriticaRazaoSocial), "AB", kCnpj, "0010"},
        {REGRA(fCriticaRazaoSocial), "D'AVILA LTDA", kCnpj, "0020"},
        {REGRA(fCriticaRazaoSocial), "matriz", kCnpj, "0111"},
        {REGRA(fCriticaRazaoSocial), " FILIAL ", kCnpj, "0111"},
        {REGRA(fCriticaRazaoSocial), "MATRIZ LTDA", kCnpj, "0000"},
        {REGRA(fCriticaRazaoSocial), "QUALQUER NOME", "", "0000"},
        // Reserved inscription roots: the name must begin as registered (15 or 14 characters).
        {REGRA(fCriticaRazaoSocial), "BANCO DO BRASIL SA", "00000000000191", "0000"},
        {REGRA(fCriticaRazaoSocial), "Banco do Brasil - agencia", "00000000123456", "0000"},
        {REGRA(fCriticaRazaoSocial), "BB AGENCIA CENTRO", "00000000000191", "0053"},
        {REGRA(fCriticaRazaoSocial), "BANCO DO BRASI", "00000000000191", "0053"},  // shorter than the prefix
        {REGRA(fCriticaRazaoSocial), "CAIXA ECONOMICA FEDERAL", "00360305000104", "0000"},
        {REGRA(fCriticaRazaoSocial), "CEF AGENCIA", "00360305123456", "0053"},
        {REGRA(fCriticaRazaoSocial), "BANCO DO NORDESTE DO BRASIL", "07237373000120", "0000"},
        {REGRA(fCriticaRazaoSocial), "BANCO DO NORDE", "07237373000120", "0000"},
        {REGRA(fCriticaRazaoSocial), "BANCO DO NORD", "07237373000120", "0053"},
        {REGRA(fCriticaRazaoSocial), "BB AGENCIA CENTRO", "00000001000191", "0000"},  // root differs
    });
}

TEST(RegrasEstabelecimento, CeiVinculadoEZoviNegativa) {
    teste::Confere(std::vector<Caso1>{
        {REGRA(fCriticaCeiVinculado), "", "0431"},
        {REGRA(fCriticaCeiVinculado), "00000000000000", "0000"},
        {REGRA(fCriticaCeiVinculado), kCei, "0000"},
        {REGRA(fCriticaCeiVinculado), "00123456789011", "0430"},
        {REGRA(fCriticaCeiVinculado), "00000012345677", "0430"},  // positions 3-6 zero
        {REGRA(fCriticaCeiVinculado), "00", "0030"},
        {REGRA(fCriticaIndicadorZoviNegativa), "", "0140"},
        {REGRA(fCriticaIndicadorZoviNegativa), "0", "0000"},
        {REGRA(fCriticaIndicadorZoviNegativa), "1", "0000"},
        {REGRA(fCriticaIndicadorZoviNegativa), "2", "0140"},
        {REGRA(fCriticaIndicadorZoviNegativa), "A", "0040"},
        {REGRA(fCriticaIndicadorZoviNegativa), "10", "X"},
        {REGRA(fCriticaMesDataBase), "", "0030"},
        {REGRA(fCriticaMesDataBase), "00", "0000"},
        {REGRA(fCriticaMesDataBase), "12", "0000"},
        {REGRA(fCriticaMesDataBase), "13", "0071"},
        {REGRA(fCriticaMesDataBase), "1", "0030"},
        {REGRA(fCriticaMesDataBase), "1A", "0040"},
    });
    teste::Confere(std::vector<Caso2>{
        {REGRA(fCriticaCeiVinculadoTipo), "3", "00000000000000", "0000"},
        {REGRA(fCriticaCeiVinculadoTipo), "1", kCei, "0000"},
        {REGRA(fCriticaCeiVinculadoTipo), "3", kCei, "0350"},
        {REGRA(fCriticaMesDataBaseNegativa), "00", "0", "0070"},
        {REGRA(fCriticaMesDataBaseNegativa), "00", "1", "0000"},
        {REGRA(fCriticaMesDataBaseNegativa), "05", "0", "0000"},
    });
    struct Caso { std::string indicador, tipo, cei12, esperado; };
    const std::vector<Caso> casos = {
        {"0", "3", "123456789010", "0000"}, {"1", "3", "000000000000", "0133"}, {"1", "1", "000000000000", "0000"},
        {"1", "1", "123456789010", "0133"}, {"1", "1", "", "0133"},             {"1", "2", "123456789010", "0000"}};
    for (const auto& c : casos)
        EXPECT_EQ(fCriticaZoviNegativaInscricao(c.indicador, c.tipo, c.cei12), c.esperado)
            << c.indicador << " " << c.tipo << " '" << c.cei12 << "'";
}

TEST(RegrasEstabelecimento, Classificacao) {
    teste::BaseReferencia base;
    base.Insere("TB8CNAE", {{"CoCnae", "70408"}});
    base.Insere("TB8CNAE", {{"CoCnae", "75116"}});
    base.Insere("TB8NATJU", {{"CoNaturezaJuridica", "1031"}});
    base.Insere("TB8NATJU", {{"CoNaturezaJuridica", "2062"}});
    const Referencias ref = base.Carrega();
    struct Caso { std::string (*regra)(const Referencias&, std::string_view); std::string valor, esperado; };
    const std::vector<Caso> codigos = {
        {fCriticaCnae, "", "0360"},          {fCriticaCnae, "7040", "0030"},   {fCriticaCnae, "7040A", "0040"},
        {fCriticaCnae, "00000", "0360"},     {fCriticaCnae, "70408", "0000"},  {fCriticaCnae, "70409", "0361"},
        {fCriticaNaturezaJuridica, "", "0370"},     {fCriticaNaturezaJuridica, "103", "0030"},
        {fCriticaNaturezaJuridica, "0000", "0370"}, {fCriticaNaturezaJuridica, "2062", "0000"},
        {fCriticaNaturezaJuridica, "9999", "0371"}};
    for (const auto& c : codigos) EXPECT_EQ(c.regra(ref, c.valor), c.esperado) << c.valor;

    teste::Confere(std::vector<Caso1>{
        {REGRA(fCriticaPorte), "1", "0000"},
        {REGRA(fCriticaPorte), "3", "0000"},
        {REGRA(fCriticaPorte), "4", "3124"},
        {REGRA(fCriticaPorte), "", "3124"},
        {REGRA(fCriticaOptanteSimples), "2", "0000"},
        {REGRA(fCriticaOptanteSimples), "3", "3604"},
        {REGRA(fCriticaAtividadeAnoBase), "1", "0000"},
        {REGRA(fCriticaAtividadeAnoBase), "0", "3668"},
        {REGRA(fCriticaTextoUso), "", "0000"},
        {REGRA(fCriticaTextoUso), "USO 123", "0000"},
        {REGRA(fCriticaTextoUso), "A\"B", "0020"},
    });
    teste::Confere(std::vector<Caso2>{
        {REGRA(fCriticaSimplesPorte), "1", "3", "3125"},
        {REGRA(fCriticaSimplesPorte), "2", "3", "0000"},
        {REGRA(fCriticaSimplesPorte), "1", "2", "0000"},
        {REGRA(fCriticaCnaeRazao), "70408", "CONDOMINIO EDIFICIO SOL", "0000"},
        {REGRA(fCriticaCnaeRazao), "74993", "CONDOMINIO SOL", "0362"},
        {REGRA(fCriticaCnaeRazao), "74993", "condominio sol", "0362"},
        {REGRA(fCriticaCnaeRazao), "74993", "EDIFICIO SOL", "0362"},
        {REGRA(fCriticaCnaeRazao), "75116", "PREFEITURA MUNICIPAL DE X", "0000"},
        {REGRA(fCriticaCnaeRazao), "74993", "PREFEITURA MUNICIPAL DE X", "0363"},
        {REGRA(fCriticaCnaeRazao), "74993", "PREF", "0363"},
        {REGRA(fCriticaCnaeRazao), "74993", "PREF.", "0363"},
        {REGRA(fCriticaCnaeRazao), "74993", "PREF MUNICIPAL", "0000"},
        {REGRA(fCriticaCnaeRazao), "74993", "PREFIXO LTDA", "0000"},
        {REGRA(fCriticaNaturezaPrefeitura), "2062", "PREF", "0372"},
        {REGRA(fCriticaNaturezaPrefeitura), "1031", "PREF", "0000"},
        {REGRA(fCriticaNaturezaPrefeitura), "2062", "PREFEITURA DE X", "0372"},
        {REGRA(fCriticaNaturezaPrefeitura), "2062", "PREFIXO COMERCIO", "0000"},
        {REGRA(fCriticaNaturezaPrefeitura), "2062", "PREF. DE X", "0000"},
    });
}

TEST(RegrasEstabelecimento, Encerramento) {
    struct Caso { std::string indicador, data; bool exige; std::string esperado; };
    const std::vector<Caso> casos = {
        {"0", "", false, "0000"},          {"0", "", true, "3514"},          {"0", "00000000", false, "0000"},
        {"0", "00000000", true, "0000"},   {"0", "3112", false, "0000"},     {"0", "31122005", false, "3515"},
        {"2", "31122005", true, "3515"},   {"", "31122005", false, "3515"},  {"1", "", false, "3513"},
        {"1", "00000000", false, "3513"},  {"1", "3112200", false, "0030"},  {"1", "3112200A", false, "0040"},
        {"1", "31022005", false, "3514"},  {"1", "31122004", false, "3516"}, {"1", "01012005", false, "0000"},
        {"1", "31122006", false, "0000"},  {"1", "01012007", false, "3516"}};
    for (const auto& c : casos)
        EXPECT_EQ(fCriticaEncerramento(c.indicador, c.data, "2005", c.exige), c.esperado)
            << c.indicador << " '" << c.data << "' " << c.exige;
}

}  // namespace
