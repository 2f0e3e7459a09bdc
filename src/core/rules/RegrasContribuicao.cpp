#include "rules/RegrasContribuicao.h"

#include <algorithm>

#include "rules/Primitivas.h"

namespace zovi {

namespace {

// Value of a digit string already checked by the numeric rules; empty reads as 0
// and anything else that is not a number as -1.
// An empty count or percentage is zero.
long long ValorOuZero(std::string_view s) { return fVazio(s) ? 0 : fNumeroDigitos(s); }

}  // namespace

std::string fCriticaParticipaPat(std::string_view indicador) {
    auto v = Apara(indicador);
    if (v.empty()) return "3608";
    if (v != "1" && v != "2") return "3602";
    return kPassa;
}

std::string fCriticaNumeroBeneficiariosPat(std::string_view numero) {
    if (fVazio(numero)) return kPassa;
    return fCriticaTamanhoNumerico(numero, 6);
}

std::string fCriticaParticipanteSemBeneficiariosPat(std::string_view indicador, std::string_view acimaCincoSalarios,
                                                    std::string_view ateCincoSalarios) {
    const bool semBeneficiarios = Apara(acimaCincoSalarios) == "000000" && Apara(ateCincoSalarios) == "000000";
    return semBeneficiarios && Apara(indicador) == "1" ? "3626" : kPassa;
}

std::string fCriticaBeneficiariosPat(std::string_view indicador, std::string_view ateCincoSalarios,
                                     std::string_view acimaCincoSalarios) {
    if (Apara(indicador) != "2") return kPassa;
    return ValorOuZero(ateCincoSalarios) == 0 && ValorOuZero(acimaCincoSalarios) == 0 ? kPassa : "3525";
}

std::string fCriticaPercentualPat(std::string_view percentual) {
    if (fVazio(percentual)) return kPassa;
    if (auto r = fCriticaTamanhoNumerico(percentual, 3); !fPassou(r)) return r;
    if (ValorOuZero(percentual) > 100) return "3521";
    return kPassa;
}

std::string fCriticaPercentuaisPat(std::string_view indicador, const std::array<std::string, 6>& percentuais) {
    long long soma = 0;
    for (const auto& p : percentuais) soma += std::max(ValorOuZero(p), 0LL);
    if (Apara(indicador) != "1") return soma != 0 ? "3526" : kPassa;
    return soma > 100 ? "3601" : kPassa;
}

std::string fCriticaPreenchimento(std::string_view valor, bool exigePreenchimento) {
    if (!exigePreenchimento || !fVazio(valor)) return kPassa;
    return kCurtoOuVazio;
}

std::string fCriticaCnpjEntidadePropria(std::string_view cnpj, std::string_view inscricaoEstabelecimento) {
    auto c = Apara(cnpj);
    if (c.empty()) return kPassa;
    if (c == Apara(inscricaoEstabelecimento) || c == "00000000000191" || c == "00360305000104") return "3649";
    return kPassa;
}

std::string fCriticaCnpjEntidade(std::string_view cnpj) {
    auto c = Apara(cnpj);
    if (auto r = fCriticaTamanhoNumerico(c, 14); !fPassou(r)) return r;
    if (fCnpjNaoMatriz(c)) return "3649";
    bool valido = fValidaCnpj(c), cei = fValidaCei(c);
    if (valido && cei) return "0050";
    if (valido) return "0051";
    if (cei) return "0052";
    return "3649";
}

std::string fCriticaValorContribuicao(std::string_view valor) {
    if (fVazio(valor)) return "3648";
    return fCriticaTamanhoNumerico(valor, 8);
}

}  // namespace zovi
