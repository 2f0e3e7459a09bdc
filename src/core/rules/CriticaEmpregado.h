#pragma once
// The employee's checks, one chain per field (CadeiaCriticas.h): the employee
// form runs a field's chain when the field is left and every chain on "&Ok";
// the verification run runs them over each stored row, in its own order
// (pVerificaEmpregado). Each chain holds the field's rules in order, the
// fields its rows name and, marked with Alcance, the steps only the form or
// only the run makes.
//
// A form field's chain is named after the field; where the run splits a
// field's checks over two of its steps (the work card before the CPF, the
// 13th month before its value), each step is its own chain.
#include <array>
#include <functional>
#include <string>

#include "rules/ApoioRegrasEmpregado.h"
#include "rules/CadeiaCriticas.h"
#include "rules/Referencias.h"
#include "rules/RegistroVinculo.h"
#include "rules/RegrasRemuneracao.h"
#include "rules/VerificaEstabelecimento.h"

namespace zovi {

// One employee as the chains read it, with what every chain derives from it once.
struct DadosEmpregado {
    // anoReferencia: the form's reference year (the establishment's base year, plus one when it
    // closes in 2006); empty, the run's Y (AnoReferenciaEmpregado).
    DadosEmpregado(const RegistroVinculo& empregado, const RegistroEstabelecimento& estabelecimento,
                   const Referencias& referencias, bool exigePreenchimento = false, std::string anoReferencia = {});

    const RegistroVinculo& e;
    const RegistroEstabelecimento& est;
    const Referencias& ref;
    // The run's presence flag: work municipality and union CNPJs must be informed.
    const bool exigePreenchimento;
    const std::string ano;      // the employee's reference year Y
    const std::string deslAno;  // the termination followed by Y, as rows comparing full dates show it
    const ContratoMensal contrato;
    const std::array<apoio::Numeral, 12> remuneracoes;  // the twelve months, each read once
    const bool admitidoNoAno;                           // the admission's year is Y
    const bool mesDesligamento;                         // a termination month is informed

    // Form only: whether other rows of the same worker hold another birth date ("1053").
    std::function<bool()> nascimentoDivergente;
};

// Personal data.
void CadeiaPisPasep(const DadosEmpregado& d, PassosCritica& p);
void CadeiaNome(const DadosEmpregado& d, PassosCritica& p);
void CadeiaNascimento(const DadosEmpregado& d, PassosCritica& p);
void CadeiaDeficiente(const DadosEmpregado& d, PassosCritica& p);
void CadeiaRaca(const DadosEmpregado& d, PassosCritica& p);
void CadeiaNacionalidade(const DadosEmpregado& d, PassosCritica& p);
void CadeiaSexo(const DadosEmpregado& d, PassosCritica& p);
void CadeiaAnoChegada(const DadosEmpregado& d, PassosCritica& p);
void CadeiaInstrucao(const DadosEmpregado& d, PassosCritica& p);
void CadeiaCpf(const DadosEmpregado& d, PassosCritica& p);
void CadeiaUso(const DadosEmpregado& d, PassosCritica& p);
// Admission and contract.
void CadeiaAdmissao(const DadosEmpregado& d, PassosCritica& p);
void CadeiaTipoAdmissao(const DadosEmpregado& d, PassosCritica& p);
void CadeiaSalario(const DadosEmpregado& d, PassosCritica& p);
void CadeiaTipoSalario(const DadosEmpregado& d, PassosCritica& p);
void CadeiaHorasSemanais(const DadosEmpregado& d, PassosCritica& p);
void CadeiaCbo(const DadosEmpregado& d, PassosCritica& p);
// Type of employment and termination.
void CadeiaVinculo(const DadosEmpregado& d, PassosCritica& p);
void CadeiaAlvara(const DadosEmpregado& d, PassosCritica& p);
void CadeiaCausaDesligamento(const DadosEmpregado& d, PassosCritica& p);
void CadeiaDataDesligamento(const DadosEmpregado& d, PassosCritica& p);
void CadeiaAvisoPrevio(const DadosEmpregado& d, PassosCritica& p);
void CadeiaMunicipioTrabalho(const DadosEmpregado& d, PassosCritica& p);
// Leaves: i is 0, 1, 2 for the first, second and third; fim the end date rather than the start.
void CadeiaMotivoAfastamento(const DadosEmpregado& d, int i, PassosCritica& p);
void CadeiaDataAfastamento(const DadosEmpregado& d, int i, bool fim, PassosCritica& p);
void CadeiaDiasAfastamento(const DadosEmpregado& d, PassosCritica& p);
// Union contributions: i is 0 union, 1 and 2 the associations, 3 assistance, 4 confederative.
void CadeiaCnpjContribuicao(const DadosEmpregado& d, int i, PassosCritica& p);
void CadeiaValorContribuicao(const DadosEmpregado& d, int i, PassosCritica& p);
// Remunerations: m is 1 for January to 12 for December.
void CadeiaRemuneracao(const DadosEmpregado& d, int m, PassosCritica& p);
void CadeiaHorasMes(const DadosEmpregado& d, int m, PassosCritica& p);
void CadeiaMesAdiantamento(const DadosEmpregado& d, PassosCritica& p);
void CadeiaValorAdiantamento(const DadosEmpregado& d, PassosCritica& p);
void CadeiaMesParcelaFinal(const DadosEmpregado& d, PassosCritica& p);
void CadeiaValorParcelaFinal(const DadosEmpregado& d, PassosCritica& p);
// The whole year's pay: whether any was informed, and the 13th's proportion.
void CadeiaTotaisRemuneracao(const DadosEmpregado& d, PassosCritica& p);
// Rescission values.
void CadeiaFerias(const DadosEmpregado& d, PassosCritica& p);
void CadeiaMultas(const DadosEmpregado& d, PassosCritica& p);
void CadeiaBancoHoras(const DadosEmpregado& d, PassosCritica& p);
void CadeiaMesesBancoHoras(const DadosEmpregado& d, PassosCritica& p);
void CadeiaDissidio(const DadosEmpregado& d, PassosCritica& p);
void CadeiaMesesDissidio(const DadosEmpregado& d, PassosCritica& p);
void CadeiaGratificacoes(const DadosEmpregado& d, PassosCritica& p);
void CadeiaMesesGratificacoes(const DadosEmpregado& d, PassosCritica& p);

}  // namespace zovi
