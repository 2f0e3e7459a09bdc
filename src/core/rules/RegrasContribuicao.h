#pragma once
// Field rules of the food programme (PAT) and of the union contributions of an
// establishment; the contribution rules also serve the employee's fields.
// Calling convention: see Primitivas.h.
#include <array>
#include <string>
#include <string_view>

namespace zovi {

// InParticipaPAT: "3608" empty, "3602" not 1 or 2.
std::string fCriticaParticipaPat(std::string_view indicador);
// Number of beneficiaries (6): optional, else the numeric-length rule.
std::string fCriticaNumeroBeneficiariosPat(std::string_view numero);
// Beneficiaries against the indicator: a non-participant ("2") must have none:
// "3525". Other indicators pass (the caller keeps the result it had).
// A participant of the PAT ("1") with no beneficiary in either count ("000000" both): "3626".
std::string fCriticaParticipanteSemBeneficiariosPat(std::string_view indicador, std::string_view acimaCincoSalarios,
                                                    std::string_view ateCincoSalarios);
std::string fCriticaBeneficiariosPat(std::string_view indicador, std::string_view ateCincoSalarios,
                                     std::string_view acimaCincoSalarios);
// One percentage (3): optional, numeric-length, "3521" above 100.
std::string fCriticaPercentualPat(std::string_view percentual);
// The six percentages together: a non-participant must have them all zero
// ("3526"); a participant's may not add up to more than 100 ("3601").
std::string fCriticaPercentuaisPat(std::string_view indicador, const std::array<std::string, 6>& percentuais);
// A value required when the presence flag is on (files produced elsewhere): "0030".
std::string fCriticaPreenchimento(std::string_view valor, bool exigePreenchimento);
// An entity's CNPJ may be neither the establishment's own inscription nor one of
// the two reserved CNPJs: "3649". An empty CNPJ passes (the caller keeps its result).
std::string fCriticaCnpjEntidadePropria(std::string_view cnpj, std::string_view inscricaoEstabelecimento);
// An entity's CNPJ (14): numeric-length ("0030" empty), "3649" not a head
// office, then "0050" CNPJ and CEI, "0051" CNPJ, "0052" CEI, "3649" neither.
// Callers accept only "0051" (and "0000" where they skip the rule).
std::string fCriticaCnpjEntidade(std::string_view cnpj);
// Contribution value (8, centavos): "3648" empty, else numeric-length (zeros pass).
std::string fCriticaValorContribuicao(std::string_view valor);

}  // namespace zovi
