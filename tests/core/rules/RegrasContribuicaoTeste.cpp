#include <gtest/gtest.h>

#include "CasosRegra.h"
#include "rules/RegrasContribuicao.h"

using namespace zovi;
using teste::Caso1;
using teste::Caso2;

namespace {

std::string Preenchimento(std::string_view valor, std::string_view flag) {
    return fCriticaPreenchimento(valor, flag == "1");
}

TEST(RegrasContribuicao, Pat) {
    teste::Confere(std::vector<Caso1>{
        {REGRA(fCriticaParticipaPat), "", "3608"},
        {REGRA(fCriticaParticipaPat), "1", "0000"},
        {REGRA(fCriticaParticipaPat), "2", "0000"},
        {REGRA(fCriticaParticipaPat), "3", "3602"},
        {REGRA(fCriticaNumeroBeneficiariosPat), "", "0000"},
        {REGRA(fCriticaNumeroBeneficiariosPat), "000010", "0000"},
        {REGRA(fCriticaNumeroBeneficiariosPat), "10", "0030"},
        {REGRA(fCriticaNumeroBeneficiariosPat), "00001A", "0040"},
        {REGRA(fCriticaPercentualPat), "", "0000"},
        {REGRA(fCriticaPercentualPat), "100", "0000"},
        {REGRA(fCriticaPercentualPat), "101", "3521"},
        {REGRA(fCriticaPercentualPat), "050", "0000"},
        {REGRA(fCriticaPercentualPat), "50", "0030"},
        {REGRA(fCriticaPercentualPat), "5A0", "0040"},
    });
    struct Beneficiarios { std::string indicador, ate5, acima5, esperado; };
    const std::vector<Beneficiarios> beneficiarios = {
        {"1", "000010", "000020", "0000"}, {"2", "000000", "000000", "0000"}, {"2", "", "", "0000"},
        {"2", "000001", "000000", "3525"}, {"2", "000000", "000001", "3525"}, {"3", "000001", "000000", "0000"}};
    for (const auto& c : beneficiarios)
        EXPECT_EQ(fCriticaBeneficiariosPat(c.indicador, c.ate5, c.acima5), c.esperado)
            << c.indicador << " " << c.ate5 << " " << c.acima5;
    // A participant must have beneficiaries in one of the counts.
    const std::vector<Beneficiarios> semBeneficiarios = {
        {"1", "000000", "000000", "3626"}, {"1", "000001", "000000", "0000"}, {"2", "000000", "000000", "0000"}};
    for (const auto& c : semBeneficiarios)
        EXPECT_EQ(fCriticaParticipanteSemBeneficiariosPat(c.indicador, c.acima5, c.ate5), c.esperado)
            << c.indicador << " " << c.ate5 << " " << c.acima5;
    struct Percentuais { std::string indicador; std::array<std::string, 6> valores; std::string esperado; };
    const std::vector<Percentuais> percentuais = {
        {"1", {"050", "050", "", "", "", ""}, "0000"},
        {"1", {"050", "051", "", "", "", ""}, "3601"},
        {"1", {"", "", "", "", "", ""}, "0000"},
        {"2", {"000", "000", "000", "000", "000", "000"}, "0000"},
        {"2", {"", "", "", "", "", ""}, "0000"},
        {"2", {"", "", "", "", "", "001"}, "3526"},
        {"", {"010", "", "", "", "", ""}, "3526"}};
    for (const auto& c : percentuais)
        EXPECT_EQ(fCriticaPercentuaisPat(c.indicador, c.valores), c.esperado) << c.indicador << " " << c.valores[0];
}

TEST(RegrasContribuicao, Sindicais) {
    teste::Confere(std::vector<Caso1>{
        {REGRA(fCriticaCnpjEntidade), "", "0030"},
        {REGRA(fCriticaCnpjEntidade), "1122233300018", "0030"},
        {REGRA(fCriticaCnpjEntidade), "1122233300018A", "0040"},
        {REGRA(fCriticaCnpjEntidade), "11222333000181", "0051"},
        {REGRA(fCriticaCnpjEntidade), "00945807000105", "0050"},
        {REGRA(fCriticaCnpjEntidade), "00000000000000", "3649"},
        {REGRA(fCriticaCnpjEntidade), "00123456789010", "3649"},  // a CEI is not a head office
        {REGRA(fCriticaCnpjEntidade), "11222333000262", "3649"},  // a branch
        {REGRA(fCriticaCnpjEntidade), "11222333000182", "3649"},
        {REGRA(fCriticaValorContribuicao), "", "3648"},
        {REGRA(fCriticaValorContribuicao), "00000000", "0000"},
        {REGRA(fCriticaValorContribuicao), "00012345", "0000"},
        {REGRA(fCriticaValorContribuicao), "123", "0030"},
        {REGRA(fCriticaValorContribuicao), "1234567A", "0040"},
    });
    teste::Confere(std::vector<Caso2>{
        {Preenchimento, "fCriticaPreenchimento", "", "0", "0000"},
        {Preenchimento, "fCriticaPreenchimento", "", "1", "0030"},
        {Preenchimento, "fCriticaPreenchimento", "  ", "1", "0030"},
        {Preenchimento, "fCriticaPreenchimento", "00000000", "1", "0000"},
        {REGRA(fCriticaCnpjEntidadePropria), "", "11222333000181", "0000"},
        {REGRA(fCriticaCnpjEntidadePropria), "11222333000181", "11222333000181", "3649"},
        {REGRA(fCriticaCnpjEntidadePropria), "00000000000191", "11222333000181", "3649"},
        {REGRA(fCriticaCnpjEntidadePropria), "00360305000104", "11222333000181", "3649"},
        {REGRA(fCriticaCnpjEntidadePropria), "11222333000181", "00945807000105", "0000"},
    });
}

}  // namespace
