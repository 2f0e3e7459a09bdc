#pragma once
// Field rules of the employee record: monthly remunerations, 13th salary,
// leave periods, work municipality, rescission values and monthly hours, and
// the checks that only the employee form makes.
//
// Same calling convention as RegrasEmpregado.h. Months are two-digit texts
// "01" to "12" ("99" for a single 13th instalment); `anoRef` is the employee's
// reference year Y. Money values are centavo digit strings; an edited "0,00"
// counts as zeros.
#include <array>
#include <string>
#include <string_view>

#include "rules/ApoioRegrasEmpregado.h"
#include "rules/Referencias.h"

namespace zovi {

// Monthly remunerations and 13th salary.
std::string fCriticaRemuneracaoMensal(std::string_view valor, std::string_view mes, std::string_view tipoSalario,
                                      std::string_view desligamento, std::string_view admissao,
                                      std::string_view anoRef);
std::string fCriticaRemuneracaoAdmissao(std::string_view mes, std::string_view admissao, std::string_view anoRef);
std::string fCriticaRemuneracaoDesligamento(std::string_view mes, std::string_view desligamento);
std::string fCriticaRemuneracaoRepetida(std::string_view valor, std::string_view mes,
                                        std::string_view valorAnterior);
// anoComparacao: 2005.
std::string fCriticaRemuneracaoAprendiz(std::string_view mes, std::string_view vinculo,
                                        std::string_view nascimento, std::string_view anoComparacao);

// The same monthly checks over fields read once, for the verification run that
// checks twelve months of every employee: each value as apoio::Numeral of its
// ValorCampo, each month as apoio::Numeral of its text, and what the monthly
// salary check takes from the contract. The forms above read their texts and
// call these.
struct ContratoMensal {
    ContratoMensal(std::string_view tipoSalario, std::string_view desligamento, std::string_view admissao,
                   std::string_view anoRef);
    bool mensalista;      // type of salary "1"
    int mesDesligamento;  // month of a ddmm termination; -1 when it is not 4 digits
    bool admitidoNoAno;   // a complete admission date in the reference year
    int mesAdmissao;      // its month, when admitidoNoAno
};
std::string fCriticaRemuneracaoMensal(const apoio::Numeral& valor, const apoio::Numeral& mes,
                                      const ContratoMensal& contrato);
std::string fCriticaRemuneracaoRepetida(const apoio::Numeral& valor, const apoio::Numeral& mes,
                                        const apoio::Numeral& valorAnterior);

std::string fCriticaMes13Adiantamento(std::string_view mes);
std::string fCriticaMes13ParcelaFinal(std::string_view mes);
std::string fCriticaMes13Admissao(std::string_view mes, std::string_view admissao, std::string_view anoRef);
std::string fCriticaMes13Desligamento(std::string_view mesAdiantamento, std::string_view desligamento);
std::string fCriticaParcelaFinal13Desligamento(std::string_view mesFinal, std::string_view desligamento);
std::string fCriticaMesesParcelas13(std::string_view mesAdiantamento, std::string_view mesFinal);
std::string fCriticaValor13Adiantamento(std::string_view valor);
std::string fCriticaValor13ParcelaFinal(std::string_view valor);
std::string fCriticaAdiantamento13(std::string_view mes, std::string_view valor);
std::string fCriticaParcelaFinal13(std::string_view mes, std::string_view valor);

// Leave, work municipality, rescission values and hours.
std::string fCriticaMotivoAfastamento(std::string_view motivo);
// anoBase: the program's base year, which completes the day and month into a full date.
std::string fCriticaDataAfastamento(std::string_view data, std::string_view anoBase);
std::string fCriticaAfastamentoAdmissao(std::string_view data, std::string_view admissao, std::string_view anoRef);
std::string fCriticaAfastamentoDesligamento(std::string_view data, std::string_view desligamento);
std::string fCriticaAfastamentoMotivo(std::string_view data, std::string_view motivo);
std::string fCriticaAfastamentoPeriodo(std::string_view inicio, std::string_view fim);
std::string fCriticaQtDiasAfastamento(std::string_view dias);
std::string fCriticaDiasAfastamento(std::string_view motivo1, std::string_view motivo2, std::string_view motivo3,
                                    std::string_view dias);
std::string fCriticaMunicipioTrabalho(const Referencias& ref, std::string_view municipio);
std::string fCriticaValorRescisorio(std::string_view valor);
std::string fCriticaQuantidadeMeses(std::string_view meses);
std::string fCriticaBancoHoras(std::string_view valor, std::string_view meses);
std::string fCriticaDissidio(std::string_view valor, std::string_view meses);
std::string fCriticaGratificacoes(std::string_view valor, std::string_view meses);
std::string fCriticaFeriasDesligamento(std::string_view causa, std::string_view ferias);
std::string fCriticaHorasMes(std::string_view horas);

// Remuneration totals of one employee, each value counted only when it is
// non-empty and numeric (an edited "0,00" counts as zero).
struct TotaisRemuneracao {
    long long mensal = 0;          // sum of the twelve months (T)
    long long decimoTerceiro = 0;  // sum of the two 13th values (T13)
    long long mesesPagos = 0;      // months with a non-zero value (n)
};
TotaisRemuneracao fTotaisRemuneracao(const std::array<std::string_view, 12>& meses,
                                     std::string_view va13Adiantamento, std::string_view va13ParcelaFinal);
TotaisRemuneracao fTotaisRemuneracao(const std::array<apoio::Numeral, 12>& meses, const apoio::Numeral& va13Adiantamento,
                                     const apoio::Numeral& va13ParcelaFinal);
// The 13th salary above one and a half times the average paid month ("3508").
bool fDecimoTerceiroDesproporcional(const TotaisRemuneracao& totais);
// A first leave with motive 40 or 70 over the whole year ("0101" to "3112").
bool fAfastadoAnoInteiro(std::string_view motivo, std::string_view inicio, std::string_view fim);

// Checks made only by the employee form.
std::string fCriticaAfastamentoPar(std::string_view inicio, std::string_view fim);
// The amount paid to an entity whose CNPJ was informed must be informed too ("3673").
std::string fCriticaValorObrigatorio(std::string_view valor, std::string_view cnpj);
// An employee paid nothing all year ("1056"), unless away the whole year (fAfastadoAnoInteiro
// with the first leave) or terminated by a cause that pays nothing (70, 72 to 76, 79).
std::string fCriticaRemuneracaoInformada(const TotaisRemuneracao& totais, std::string_view motivo,
                                         std::string_view inicio, std::string_view fim, std::string_view causa);
// mesFinal and mesInicial: months ("mm") of the end and start of the leave;
// empty or zero when there is none.
std::string fCriticaHorasRemuneracao(std::string_view horas, std::string_view valor, int mes,
                                     std::string_view mesFinal, std::string_view mesInicial);
std::string fCriticaMesesSelecionados(int mes, const std::array<std::string_view, 12>& valores);
std::string fCriticaMes13AdmissaoAno(std::string_view mes, std::string_view admissao, std::string_view anoRef);
// The form's leave-month check: for a leave whose motive is neither 40 nor 70,
// "3634" when every month from its start month to its end month has no
// remuneration; "0000" otherwise (and for a leave without usable dates).
std::string fCriticaRemuneracaoAfastamento(std::string_view motivo, std::string_view inicio, std::string_view fim,
                                           const std::array<std::string_view, 12>& valores);

}  // namespace zovi
