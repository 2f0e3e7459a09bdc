#pragma once
// Field rules of the employee record: personal data, admission, contract,
// occupation, type of employment and termination.
//
// Same calling convention as the primitives (Primitivas.h): text inputs as the
// tables hold them, a result code out, the first failing check's. Rules that
// look a code up take the reference tables first.
//
// Years: `anoRef` is the employee's reference year Y (AnoReferenciaEmpregado
// in VerificaEmpregado.h): 2005, or 2006 for an establishment that closes its
// activity in another year. Some checks take a fixed year instead, named in
// their parameter.
#include <string>
#include <string_view>

#include "rules/Referencias.h"

namespace zovi {

// The sample worker of the employee guide: PIS/PASEP and the only name it may carry.
inline constexpr const char* kPisTrabalhadorExemplo = "12345678919";
inline constexpr const char* kNomeTrabalhadorExemplo = "JOAO DA SILVA PEREIRA SANTOS";

// Occupations reserved for elected members of the public powers: never declared here.
inline constexpr const char* kCbosVedados[] = {"111105", "111110", "111230", "111235",
                                               "111240", "111245", "111250", "111255"};

// Personal data.
std::string fCriticaPisPasep(std::string_view pisPasep);
std::string fCriticaNomeEmpregado(std::string_view nome, std::string_view pisPasep);
std::string fCriticaDataNascimento(std::string_view nascimento);
std::string fCriticaIdadeAnoBase(std::string_view nascimento, std::string_view anoRef);
std::string fCriticaDeficiente(std::string_view indicador);
std::string fCriticaRacaCor(const Referencias& ref, std::string_view raca);
std::string fCriticaNacionalidade(const Referencias& ref, std::string_view nacionalidade);
std::string fCriticaSexo(std::string_view sexo);
std::string fCriticaAnoChegada(std::string_view chegada);
std::string fCriticaAnoChegadaNacionalidade(std::string_view chegada, std::string_view nacionalidade);
std::string fCriticaAnoChegadaAnoBase(std::string_view chegada, std::string_view anoRef,
                                      std::string_view nacionalidade);
std::string fCriticaAnoChegadaNascimento(std::string_view chegada, std::string_view nascimento,
                                         std::string_view nacionalidade);
std::string fCriticaInstrucao(const Referencias& ref, std::string_view instrucao);
std::string fCriticaCtpsCpf(std::string_view carteira, std::string_view cpf);
std::string fCriticaCpf(std::string_view cpf);

// Admission, contract and occupation.
std::string fCriticaDataAdmissao(std::string_view admissao);
std::string fCriticaAdmissaoAnoBase(std::string_view admissao, std::string_view anoRef);
std::string fCriticaAdmissaoEncerramento(std::string_view encerramento, std::string_view admissao);
std::string fCriticaIdadeAdmissao(std::string_view nascimento, std::string_view admissao);
std::string fCriticaAdmissaoChegada(std::string_view chegada, std::string_view admissao,
                                    std::string_view nacionalidade);
std::string fCriticaTipoAdmissao(const Referencias& ref, std::string_view tipo);
std::string fCriticaSalarioContratual(std::string_view salario);
std::string fCriticaTipoSalario(const Referencias& ref, std::string_view tipo);
std::string fCriticaSalarioContratualTipo(std::string_view salario, std::string_view tipo);
std::string fCriticaHorasSemanais(std::string_view horas);
std::string fCriticaCbo(const Referencias& ref, std::string_view cbo);
std::string fCriticaCboInstrucao(const Referencias& ref, std::string_view instrucao, std::string_view cbo);
std::string fCriticaTipoVinculo(const Referencias& ref, std::string_view vinculo);
std::string fCriticaVinculoPis(std::string_view vinculo, std::string_view pisPasep);
std::string fCriticaVinculoTipoInscricao(std::string_view vinculo, std::string_view tipoInscricao);
// anoComparacao: the verification run passes 2004, the employee form 2005.
std::string fCriticaIdadeVinculo(std::string_view vinculo, std::string_view nascimento,
                                 std::string_view anoComparacao);
std::string fCriticaVinculoCnae(std::string_view vinculo, std::string_view cnae);
std::string fCriticaVinculoNatureza(std::string_view vinculo, std::string_view naturezaJuridica);
// The employee form's notice when a foreigner is typed: more than five employees stored, of whom
// more than a third are foreigners ("0393").
std::string fCriticaProporcaoEstrangeiros(long empregados, long estrangeiros);
std::string fCriticaAlvara(std::string_view alvara);
// anoComparacao: 2004 in the verification run.
std::string fCriticaAlvaraIdade(std::string_view alvara, std::string_view nascimento, std::string_view vinculo,
                                std::string_view anoComparacao);

// Termination.
std::string fCriticaCausaDesligamento(const Referencias& ref, std::string_view causa);
std::string fCriticaCausaEncerramento(std::string_view indicadorEncerramento, std::string_view anoBaseEstab,
                                      std::string_view causa, std::string_view anoBasePrograma);
// anoBase: the program's base year, which completes the day and month into a full date.
std::string fCriticaDataDesligamento(std::string_view desligamento, std::string_view anoBase);
std::string fCriticaDesligamentoCausa(std::string_view desligamento, std::string_view causa);
// The causes that end nothing ("71", "78", "80") and keep the termination date empty.
bool fCausaSemDataDesligamento(std::string_view causa);
// An establishment closing in a later year (anoRef not the base year) ends every
// employment: a termination date "0000" gives "0294".
std::string fCriticaDesligamentoAnoReferencia(std::string_view desligamento, std::string_view anoRef);
std::string fCriticaDesligamentoAdmissao(std::string_view desligamento, std::string_view admissao,
                                         std::string_view anoRef);
std::string fCriticaDesligamentoEncerramento(std::string_view desligamento, std::string_view encerramento,
                                             std::string_view anoRef);
std::string fCriticaAvisoPrevio(std::string_view aviso);

}  // namespace zovi
