#include "rules/RegrasRemuneracao.h"

#include "rules/ApoioRegrasEmpregado.h"
#include "rules/Primitivas.h"

namespace zovi {

using namespace apoio;

namespace {

// Month number of a text already known to be digits.
int Mes(std::string_view mes) { return static_cast<int>(Numero(mes)); }

// Month (positions 3-4) of a day-and-month ddmm as a number; -1 when not 4 digits.
int MesDiaMes(std::string_view ddmm) {
    auto t = Apara(ddmm);
    if (t.size() != 4 || !SoDigitos(t)) return -1;
    return (t[2] - '0') * 10 + (t[3] - '0');
}

// The admission falls in the reference year: a complete date whose year is Y.
bool AdmitidoNoAno(std::string_view admissao, std::string_view anoRef) {
    auto a = Apara(admissao), ano = Apara(anoRef);
    return a.size() == 8 && !ano.empty() && a.substr(4, 4) == ano && SoDigitos(a) && !fTodosZeros(a);
}

// A 13th instalment: month and value must come together, and stay below the ceiling.
std::string Parcela13(std::string_view mes, std::string_view valor, const char* semMes, const char* semValor) {
    auto v = ValorCampo(valor, 9);
    if (fVazio(mes) || !Digitos(v)) return kPassa;
    if (!fNumerico(mes)) return kPassa;
    if (Zero(mes) && Zero(v)) return kPassa;
    if (Zero(mes)) return semMes;
    if (Zero(v)) return semValor;
    return fAcimaTetoSalarial(Numero(v), Mes(mes)) ? "0332" : kPassa;
}

// A rescission amount and the number of months it refers to go together.
std::string ValorComMeses(std::string_view valor, std::string_view meses) {
    bool valorInformado = !fValorNaoInformado(valor);
    bool mesesInformados = !fVazioOuZeros(meses);
    return valorInformado == mesesInformados ? kPassa : kCurtoOuVazio;
}

bool AfastamentoSemRemuneracao(std::string_view motivo) { return UmDe(motivo, {"40", "70"}); }

}  // namespace

// ---- monthly remunerations and 13th salary -------------------------------------------

ContratoMensal::ContratoMensal(std::string_view tipoSalario, std::string_view desligamento,
                               std::string_view admissao, std::string_view anoRef)
    : mensalista(Apara(tipoSalario) == "1"),
      mesDesligamento(MesDiaMes(desligamento)),
      admitidoNoAno(AdmitidoNoAno(admissao, anoRef)),
      mesAdmissao(admitidoNoAno ? Mes(MesData(admissao)) : 0) {}

std::string fCriticaRemuneracaoMensal(const Numeral& v, const Numeral& mes, const ContratoMensal& contrato) {
    if (v.texto.empty()) return "0315";
    if (!v.digitos) return kNaoNumerico;
    if (v.texto.size() > 9) return kLongo;
    if (v.texto.size() < 9) return kCurtoOuVazio;
    if (v.zero || !mes.digitos) return kPassa;
    const long long centavos = v.numero;
    const int m = static_cast<int>(mes.numero);
    const bool acimaTeto = fAcimaTetoSalarial(centavos, m);
    if (!contrato.mensalista) return acimaTeto ? "0313" : kPassa;

    // Monthly salary: a month worked only in part (admission or termination) may be below the floor.
    const bool mesDesligamento = contrato.mesDesligamento == m;
    bool parcial = mesDesligamento;
    if (contrato.admitidoNoAno) parcial = parcial || contrato.mesAdmissao == m;
    else if (mesDesligamento) return kPassa;
    if (!parcial && fAbaixoSalarioMinimo(centavos, m)) return "0312";
    return acimaTeto ? "0313" : kPassa;
}

std::string fCriticaRemuneracaoMensal(std::string_view valor, std::string_view mes, std::string_view tipoSalario,
                                      std::string_view desligamento, std::string_view admissao,
                                      std::string_view anoRef) {
    return fCriticaRemuneracaoMensal(Numeral(ValorCampo(valor, 9)), Numeral(mes),
                                     ContratoMensal(tipoSalario, desligamento, admissao, anoRef));
}

std::string fCriticaRemuneracaoAdmissao(std::string_view mes, std::string_view admissao, std::string_view anoRef) {
    if (!Positivo(mes) || !Positivo(anoRef) || !AdmitidoNoAno(admissao, anoRef)) return kPassa;
    return Mes(mes) < Mes(MesData(admissao)) ? "0310" : kPassa;
}

std::string fCriticaRemuneracaoDesligamento(std::string_view mes, std::string_view desligamento) {
    if (!Digitos(mes) || !Positivo(desligamento)) return kPassa;
    int mesDeslig = MesDiaMes(desligamento);
    if (mesDeslig < 0) return kPassa;
    return mesDeslig < Mes(mes) ? "0311" : kPassa;
}

std::string fCriticaRemuneracaoRepetida(const Numeral& v, const Numeral& mes, const Numeral& anterior) {
    if (!mes.digitos || mes.numero < 2) return kPassa;
    if (!v.Positivo() || !anterior.Positivo()) return kPassa;
    return v.numero == 10 * anterior.numero ? "0314" : kPassa;
}

std::string fCriticaRemuneracaoRepetida(std::string_view valor, std::string_view mes,
                                        std::string_view valorAnterior) {
    return fCriticaRemuneracaoRepetida(Numeral(ValorCampo(valor, 9)), Numeral(mes),
                                       Numeral(ValorCampo(valorAnterior, 9)));
}

std::string fCriticaRemuneracaoAprendiz(std::string_view mes, std::string_view vinculo,
                                        std::string_view nascimento, std::string_view anoComparacao) {
    if (Apara(vinculo) != "55") return kPassa;
    const Numeral nasc(nascimento), numeroMes(mes), ano(anoComparacao);
    if (!nasc.Positivo() || nasc.texto.size() != 8 || !numeroMes.digitos || !ano.digitos) return kPassa;
    const long long idade = ano.numero - Numero(AnoData(nascimento));
    const int mesNascimento = Mes(MesData(nascimento));
    const int m = static_cast<int>(numeroMes.numero);
    // An apprentice contract runs from 14 to 24 years of age: months paid after
    // the 24th birthday or before the 14th one do not fit it.
    if (idade == 24 && mesNascimento < m) return "3503";
    if (idade == 14 && m < mesNascimento) return "3503";
    return kPassa;
}

std::string fCriticaMes13Adiantamento(std::string_view mes) {
    if (fVazio(mes)) return "0322";
    if (auto c = fCriticaTamanhoNumerico(mes, 2); !fPassou(c)) return c;
    int m = Mes(mes);
    return m <= 12 ? kPassa : "0322";
}

std::string fCriticaMes13ParcelaFinal(std::string_view mes) {
    if (fVazio(mes)) return "0322";
    if (auto c = fCriticaTamanhoNumerico(mes, 2); !fPassou(c)) return c;
    int m = Mes(mes);
    return m <= 12 || m == 99 ? kPassa : "0322";
}

std::string fCriticaMes13Admissao(std::string_view mes, std::string_view admissao, std::string_view anoRef) {
    if (fVazio(admissao)) return kPassa;
    if (!Positivo(mes) || !Positivo(anoRef) || !AdmitidoNoAno(admissao, anoRef)) return kPassa;
    return Mes(mes) < Mes(MesData(admissao)) ? "0320" : kPassa;
}

std::string fCriticaMes13Desligamento(std::string_view mesAdiantamento, std::string_view desligamento) {
    if (!Positivo(mesAdiantamento) || !Positivo(desligamento)) return kPassa;
    int mesDeslig = MesDiaMes(desligamento);
    if (mesDeslig < 0) return kPassa;
    return mesDeslig < Mes(mesAdiantamento) ? "0321" : kPassa;
}

std::string fCriticaParcelaFinal13Desligamento(std::string_view mesFinal, std::string_view desligamento) {
    if (!Positivo(mesFinal) || !Positivo(desligamento)) return kPassa;
    int mesDeslig = MesDiaMes(desligamento);
    int m = Mes(mesFinal);
    if (mesDeslig < 0 || m == 99) return kPassa;
    return mesDeslig < m ? "0321" : kPassa;
}

std::string fCriticaMesesParcelas13(std::string_view mesAdiantamento, std::string_view mesFinal) {
    if (!Positivo(mesAdiantamento) || !Positivo(mesFinal)) return kPassa;
    int adiantamento = Mes(mesAdiantamento), final = Mes(mesFinal);
    if (final <= adiantamento) return "0323";
    if (final == 99) return "0326";
    return kPassa;
}

std::string fCriticaValor13Adiantamento(std::string_view valor) {
    auto v = ValorCampo(valor, 9);
    if (fVazio(v)) return "0333";
    return fCriticaTamanhoNumerico(v, 9);
}

std::string fCriticaValor13ParcelaFinal(std::string_view valor) {
    auto v = ValorCampo(valor, 9);
    if (fVazio(v)) return "0334";
    return fCriticaTamanhoNumerico(v, 9);
}

std::string fCriticaAdiantamento13(std::string_view mes, std::string_view valor) {
    return Parcela13(mes, valor, "0324", "0330");
}

std::string fCriticaParcelaFinal13(std::string_view mes, std::string_view valor) {
    return Parcela13(mes, valor, "0325", "0331");
}

// ---- leave, work municipality, rescission, hours ----------------------------------------

std::string fCriticaMotivoAfastamento(std::string_view motivo) {
    if (auto c = fCriticaTamanhoNumerico(motivo, 2); !fPassou(c)) return c;
    if (Zero(motivo)) return kPassa;
    return UmDe(motivo, {"10", "20", "30", "40", "50", "60", "70"}) ? kPassa : "3629";
}

std::string fCriticaDataAfastamento(std::string_view data, std::string_view anoBase) {
    if (auto c = fCriticaTamanhoNumerico(data, 4); !fPassou(c)) return c;
    if (Zero(data)) return kPassa;
    // ddmm followed by the year: a full date only when the year has 4 characters.
    auto ddmm = Apara(data), ano = Apara(anoBase);
    if (ano.size() != 4) return "3630";
    char dataCompleta[8];
    ddmm.copy(dataCompleta, 4);
    ano.copy(dataCompleta + 4, 4);
    return fDataValida({dataCompleta, 8}) ? kPassa : "3630";
}

std::string fCriticaAfastamentoAdmissao(std::string_view data, std::string_view admissao, std::string_view anoRef) {
    if (!Positivo(data) || !Tamanho(data, 4) || !AdmitidoNoAno(admissao, anoRef)) return kPassa;
    return MesDia(data) < MesDia(admissao) ? "3632" : kPassa;
}

std::string fCriticaAfastamentoDesligamento(std::string_view data, std::string_view desligamento) {
    if (!Positivo(desligamento) || !Tamanho(desligamento, 4)) return kPassa;
    if (!Positivo(data) || !Tamanho(data, 4)) return kPassa;
    return MesDia(data) > MesDia(desligamento) ? "3631" : kPassa;
}

std::string fCriticaAfastamentoMotivo(std::string_view data, std::string_view motivo) {
    if (!Digitos(data) || !Digitos(motivo)) return kPassa;
    if (!Zero(motivo) && Zero(data)) return "3639";
    if (Zero(motivo) && !Zero(data)) return "3646";
    return kPassa;
}

std::string fCriticaAfastamentoPeriodo(std::string_view inicio, std::string_view fim) {
    if (!Positivo(inicio) || !Tamanho(inicio, 4) || !Positivo(fim) || !Tamanho(fim, 4)) return kPassa;
    return MesDia(fim) < MesDia(inicio) ? "3633" : kPassa;
}

std::string fCriticaQtDiasAfastamento(std::string_view dias) {
    if (auto c = fCriticaTamanhoNumerico(dias, 3); !fPassou(c)) return c;
    if (Zero(dias)) return kPassa;
    return Numero(dias) >= 366 ? "3640" : kPassa;
}

std::string fCriticaDiasAfastamento(std::string_view motivo1, std::string_view motivo2, std::string_view motivo3,
                                    std::string_view dias) {
    for (auto motivo : {motivo1, motivo2, motivo3}) {
        auto m = Apara(motivo);
        if (m.empty() || m == "00") continue;
        auto d = Apara(dias);
        return d.empty() || d == "000" ? "3644" : kPassa;
    }
    return kPassa;
}

std::string fCriticaMunicipioTrabalho(const Referencias& ref, std::string_view municipio) {
    if (auto c = fCriticaTamanhoNumerico(municipio, 7); !fPassou(c)) return c;
    return ref.BuscaMunicipio(municipio) ? kPassa : "0090";
}

std::string fCriticaValorRescisorio(std::string_view valor) {
    return fCriticaTamanhoNumerico(ValorCampo(valor, 8), 8) == kPassa ? kPassa : "3648";
}

std::string fCriticaQuantidadeMeses(std::string_view meses) {
    return fCriticaTamanhoNumerico(meses, 2) == kPassa ? kPassa : "3648";
}

std::string fCriticaBancoHoras(std::string_view valor, std::string_view meses) { return ValorComMeses(valor, meses); }
std::string fCriticaDissidio(std::string_view valor, std::string_view meses) { return ValorComMeses(valor, meses); }
std::string fCriticaGratificacoes(std::string_view valor, std::string_view meses) {
    return ValorComMeses(valor, meses);
}

std::string fCriticaFeriasDesligamento(std::string_view causa, std::string_view ferias) {
    if (fVazio(causa)) return kPassa;
    // Terminations that always pay the proportional holidays.
    bool pagaFerias = UmDe(causa, {"10", "11", "12", "20", "21", "60", "62", "63", "64", "70", "72", "73", "74",
                                   "75", "76", "79"});
    return pagaFerias && fValorNaoInformado(ferias) ? "3675" : kPassa;
}

std::string fCriticaHorasMes(std::string_view horas) { return fCriticaTamanhoNumerico(horas, 3); }

// ---- totals ---------------------------------------------------------------------------------

TotaisRemuneracao fTotaisRemuneracao(const std::array<Numeral, 12>& meses, const Numeral& va13Adiantamento,
                                     const Numeral& va13ParcelaFinal) {
    TotaisRemuneracao t;
    for (const auto& v : meses) {
        if (!v.digitos) continue;
        t.mensal += v.numero;
        if (!v.zero) ++t.mesesPagos;
    }
    for (const auto* v : {&va13Adiantamento, &va13ParcelaFinal})
        if (v->digitos) t.decimoTerceiro += v->numero;
    return t;
}

TotaisRemuneracao fTotaisRemuneracao(const std::array<std::string_view, 12>& meses,
                                     std::string_view va13Adiantamento, std::string_view va13ParcelaFinal) {
    std::array<Numeral, 12> lidos;
    for (size_t m = 0; m < 12; ++m) lidos[m] = Numeral(ValorCampo(meses[m], 9));
    return fTotaisRemuneracao(lidos, Numeral(ValorCampo(va13Adiantamento, 9)), Numeral(ValorCampo(va13ParcelaFinal, 9)));
}

bool fDecimoTerceiroDesproporcional(const TotaisRemuneracao& t) {
    // S / n * 1.5 < T13, in whole centavos: 3 S < 2 n T13.
    return t.mesesPagos > 0 && 3 * t.mensal < 2 * t.mesesPagos * t.decimoTerceiro;
}

bool fAfastadoAnoInteiro(std::string_view motivo, std::string_view inicio, std::string_view fim) {
    return AfastamentoSemRemuneracao(motivo) && Apara(inicio) == "0101" && Apara(fim) == "3112";
}

// ---- employee form only -----------------------------------------------------------------

std::string fCriticaAfastamentoPar(std::string_view inicio, std::string_view fim) {
    return !fVazioOuZeros(inicio) && fVazioOuZeros(fim) ? "3643" : kPassa;
}

std::string fCriticaValorObrigatorio(std::string_view valor, std::string_view cnpj) {
    return !fVazioOuZeros(cnpj) && fValorNaoInformado(valor) ? "3673" : kPassa;
}

std::string fCriticaRemuneracaoInformada(const TotaisRemuneracao& totais, std::string_view motivo,
                                         std::string_view inicio, std::string_view fim, std::string_view causa) {
    if (totais.mensal != 0 || totais.decimoTerceiro != 0) return kPassa;
    if (fAfastadoAnoInteiro(motivo, inicio, fim)) return kPassa;
    return UmDe(causa, {"70", "72", "73", "74", "75", "76", "79"}) ? kPassa : "1056";
}

std::string fCriticaHorasRemuneracao(std::string_view horas, std::string_view valor, int mes,
                                     std::string_view mesFinal, std::string_view mesInicial) {
    const bool temHoras = !fVazioOuZeros(horas);
    if (fValorNaoInformado(valor)) return temHoras ? "3677" : kPassa;
    const int inicio = Positivo(mesInicial) ? Mes(mesInicial) : 0;
    const int fim = Positivo(mesFinal) ? Mes(mesFinal) : 0;
    const bool afastado = inicio > 0 && fim > 0 && inicio <= mes && mes <= fim;
    if (afastado && temHoras) return "3677";
    if (!afastado && !temHoras) return "3676";
    return kPassa;
}

std::string fCriticaMesesSelecionados(int mes, const std::array<std::string_view, 12>& valores) {
    if (mes < 1 || mes > 12) return kPassa;
    return fValorNaoInformado(valores[mes - 1]) ? "3634" : kPassa;
}

std::string fCriticaMes13AdmissaoAno(std::string_view mes, std::string_view admissao, std::string_view anoRef) {
    if (!Positivo(mes) || fVazioOuZeros(admissao) || !AdmitidoNoAno(admissao, anoRef)) return kPassa;
    return Mes(mes) < Mes(MesData(admissao)) ? "0320" : kPassa;
}

std::string fCriticaRemuneracaoAfastamento(std::string_view motivo, std::string_view inicio, std::string_view fim,
                                           const std::array<std::string_view, 12>& valores) {
    if (fVazioOuZeros(motivo) || AfastamentoSemRemuneracao(motivo)) return kPassa;
    const int primeiro = MesDiaMes(inicio), ultimo = MesDiaMes(fim);
    if (primeiro < 1 || ultimo > 12 || primeiro > ultimo) return kPassa;
    for (int m = primeiro; m <= ultimo; ++m)
        if (fCriticaMesesSelecionados(m, valores) == kPassa) return kPassa;
    return "3634";
}

}  // namespace zovi
