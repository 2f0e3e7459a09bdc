#include "rules/CriticaEmpregado.h"

#include "rules/Primitivas.h"
#include "rules/RegrasContribuicao.h"
#include "rules/RegrasEmpregado.h"
#include "rules/RegrasEstabelecimento.h"
#include "rules/VerificaEmpregado.h"

namespace zovi {

namespace {

using A = Alcance;

std::array<apoio::Numeral, 12> RemuneracoesLidas(const RegistroVinculo& e) {
    std::array<apoio::Numeral, 12> r;
    for (size_t m = 0; m < 12; ++m) r[m] = apoio::Numeral(apoio::ValorCampo(e.*kRemuneracoesVinculo[m], 9));
    return r;
}

const char* const kMeses[12] = {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12"};

// The month texts as the monthly checks read them, once for every employee.
const std::array<apoio::Numeral, 12>& MesesLidos() {
    static const auto meses = [] {
        std::array<apoio::Numeral, 12> m;
        for (size_t i = 0; i < 12; ++i) m[i] = apoio::Numeral(kMeses[i]);
        return m;
    }();
    return meses;
}

std::array<std::string_view, 12> Remuneracoes(const RegistroVinculo& e) {
    std::array<std::string_view, 12> meses;
    for (size_t m = 0; m < 12; ++m) meses[m] = e.*kRemuneracoesVinculo[m];
    return meses;
}

// Centavos shown as a decimal number with a comma: 123456 -> "1234,56".
std::string Decimal(long long centavos) {
    std::string centimos = std::to_string(centavos % 100);
    if (centimos.size() < 2) centimos.insert(0, "0");
    return std::to_string(centavos / 100) + "," + centimos;
}

// The three leaves: motive, start and end.
struct Afastamento {
    std::string RegistroVinculo::*motivo;
    std::string RegistroVinculo::*inicio;
    std::string RegistroVinculo::*fim;
};
const Afastamento kAfastamentos[3] = {
    {&RegistroVinculo::CoMotivoPrimAfas, &RegistroVinculo::DaInicioprimeiroAfas, &RegistroVinculo::DaFinalPrimeiroAfas},
    {&RegistroVinculo::CoMotivoSeguAfas, &RegistroVinculo::DaInicioSegundoAfas, &RegistroVinculo::DaFinalSegundoAfas},
    {&RegistroVinculo::CoMotivoTercAfas, &RegistroVinculo::DaInicioTerceiroAfas,
     &RegistroVinculo::DaFinalTerceiroAfas},
};

// The union contributions: the entity's CNPJ and the amount paid to it, with their labels.
struct Contribuicao {
    std::string RegistroVinculo::*cnpj;
    std::string RegistroVinculo::*valor;
    const char *lblCnpj, *lblValor;
};
const Contribuicao kContribuicoes[5] = {
    {&RegistroVinculo::CoCNPJSindical, &RegistroVinculo::VaGlobalSindical, rotulo::CnpjSindical,
     rotulo::ValorSindical},
    {&RegistroVinculo::CoCNPJPrimAssociativa, &RegistroVinculo::VaGlobalPrimAssociativa, rotulo::CnpjAssociativa,
     rotulo::ValorAssociativa},
    {&RegistroVinculo::CoCNPJSegAssociativa, &RegistroVinculo::VaGlobalSegAssociativa, rotulo::CnpjAssociativa,
     rotulo::ValorAssociativa},
    {&RegistroVinculo::CoCNPJAssistencial, &RegistroVinculo::VaGlobalAssistencial, rotulo::CnpjAssistencial,
     rotulo::ValorAssistencial},
    {&RegistroVinculo::CoCNPJConfederativa, &RegistroVinculo::VaGlobalConfederativa, rotulo::CnpjConfederativa,
     rotulo::ValorConfederativa},
};
constexpr int kSindical = 0;

inline constexpr const char* kSemRemuneracao = "N\xE3o h\xE1 remunera\xE7\xE3o informada.";

// A rescission value and, for three of them, the months it covers.
void ValorRescisorio(const std::string& valor, const char* lbl, PassosCritica& p) {
    p.Erro(fCriticaValorRescisorio(valor), {{valor, lbl}});
}
void MesesRescisorio(const std::string& valor, const std::string& meses, const char* lbl,
                     std::string (*regra)(std::string_view, std::string_view), PassosCritica& p) {
    if (p.Erro(fCriticaQuantidadeMeses(meses), {{meses, lbl}}, true)) return;
    p.Erro(regra(valor, meses), {{meses, lbl}});
}

// A 13th-salary amount: its own form, then against its month ("0332", at or above the ceiling,
// only warns). True when the chain stops.
bool Valor13(const std::string& mes, const char* lblMes, const std::string& valor, const char* lblValor,
             std::string (*regraValor)(std::string_view), std::string (*regraMes)(std::string_view, std::string_view),
             PassosCritica& p) {
    if (p.Erro(regraValor(valor), {{valor, lblValor}}, true)) return true;
    const auto codigo = regraMes(mes, valor);
    return p.Passo(codigo, codigo == "0332" ? kAviso : kErro, false, {{mes, lblMes}, {valor, lblValor}});
}

}  // namespace

DadosEmpregado::DadosEmpregado(const RegistroVinculo& empregado, const RegistroEstabelecimento& estabelecimento,
                               const Referencias& referencias, bool exigePreenchimento, std::string anoReferencia)
    : e(empregado),
      est(estabelecimento),
      ref(referencias),
      exigePreenchimento(exigePreenchimento),
      ano(anoReferencia.empty() ? AnoReferenciaEmpregado(estabelecimento.InEncerramentoAtividade,
                                                         estabelecimento.DaEncerramentoAtividade)
                                : std::move(anoReferencia)),
      deslAno(empregado.DaDesligamentoEmpregado + ano),
      contrato(empregado.CoTipoSalarioContratual, empregado.DaDesligamentoEmpregado, empregado.DaAdmissaoEmpregado,
               ano),
      remuneracoes(RemuneracoesLidas(empregado)),
      admitidoNoAno(apoio::AnoData(empregado.DaAdmissaoEmpregado) == ano),
      mesDesligamento(apoio::MesData(empregado.DaDesligamentoEmpregado) != "00") {}

// ---- personal data ----------------------------------------------------------------------

void CadeiaPisPasep(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaPisPasep(d.e.CoPisPasepEmpregado), {{d.e.CoPisPasepEmpregado, rotulo::PisPasep}});
}

void CadeiaNome(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaNomeEmpregado(d.e.NoEmpregado, d.e.CoPisPasepEmpregado), {{d.e.NoEmpregado, rotulo::Nome}});
}

void CadeiaNascimento(const DadosEmpregado& d, PassosCritica& p) {
    const auto& nasc = d.e.DaNascimentoEmpregado;
    if (p.Erro(fCriticaDataNascimento(nasc), {{nasc, rotulo::Nascimento}}, true)) return;
    // The form asks the stored rows of the same worker at once; the run compares them in a step of its own.
    if (p.Roda(A::Formulario) && d.nascimentoDivergente && p.Erro(d.nascimentoDivergente() ? "1053" : kPassa, {}))
        return;
    const auto idade = fCriticaIdadeAnoBase(nasc, d.ano);
    p.Passo(idade, idade == "0176" ? kAviso : kErro, false, {{nasc, rotulo::Nascimento}, {d.ano, rotulo::AnoBase}});
}

// The form offers only "Sim" and "Não": the run alone judges a stored value.
void CadeiaDeficiente(const DadosEmpregado& d, PassosCritica& p) {
    if (p.Roda(A::Verificacao))
        p.Erro(fCriticaDeficiente(d.e.InDeficienteFisico), {{d.e.InDeficienteFisico, rotulo::Deficiente}});
}

void CadeiaRaca(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaRacaCor(d.ref, d.e.CoTipoRaca), {{d.e.CoTipoRaca, rotulo::RacaCor}});
}

void CadeiaNacionalidade(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaNacionalidade(d.ref, d.e.CoNacionalidade), {{d.e.CoNacionalidade, rotulo::Nacionalidade}});
}

void CadeiaSexo(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaSexo(d.e.InSexo), {{d.e.InSexo, rotulo::Sexo}});
}

void CadeiaAnoChegada(const DadosEmpregado& d, PassosCritica& p) {
    const auto& chegada = d.e.AnChegadaEmpregado;
    const auto& nac = d.e.CoNacionalidade;
    if (p.Erro(fCriticaAnoChegada(chegada), {{chegada, rotulo::AnoChegada}}, true)) return;
    if (p.Erro(fCriticaAnoChegadaNacionalidade(chegada, nac),
               {{chegada, rotulo::AnoChegada}, {nac, rotulo::Nacionalidade}}, true))
        return;
    if (p.Erro(fCriticaAnoChegadaAnoBase(chegada, d.ano, nac), {{chegada, rotulo::AnoChegada}, {d.ano, rotulo::AnoBase}}))
        return;
    p.Erro(fCriticaAnoChegadaNascimento(chegada, d.e.DaNascimentoEmpregado, nac),
           {{chegada, rotulo::AnoChegada}, {d.e.DaNascimentoEmpregado, rotulo::Nascimento}});
}

void CadeiaInstrucao(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaInstrucao(d.ref, d.e.CoInstrucao), {{d.e.CoInstrucao, rotulo::Instrucao}});
}

// The run judges the work card with the CPF before the CPF itself; the form, leaving the CPF,
// the CPF first.
void CadeiaCpf(const DadosEmpregado& d, PassosCritica& p) {
    const auto& ctps = d.e.NuCartTrabEmpregado;
    const auto& cpf = d.e.CoCpfEmpregado;
    auto par = [&] {
        return p.Erro(fCriticaCtpsCpf(ctps, cpf), {{ctps, rotulo::CarteiraTrabalho}, {cpf, rotulo::Cpf}});
    };
    if (p.Roda(A::Verificacao) && par()) return;
    if (p.Erro(fCriticaCpf(cpf), {{cpf, rotulo::Cpf}})) return;
    if (p.Roda(A::Formulario)) par();
}

void CadeiaUso(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaTextoUso(d.e.TxUsoEmpregado), {{d.e.TxUsoEmpregado, rotulo::TextoUso}});
}

// ---- admission and contract -----------------------------------------------------------------

void CadeiaAdmissao(const DadosEmpregado& d, PassosCritica& p) {
    const auto& adm = d.e.DaAdmissaoEmpregado;
    const auto& nasc = d.e.DaNascimentoEmpregado;
    if (p.Erro(fCriticaDataAdmissao(adm), {{adm, rotulo::Admissao}}, true)) return;
    if (p.Erro(fCriticaAdmissaoAnoBase(adm, d.ano), {{adm, rotulo::Admissao}, {d.ano, rotulo::AnoBase}})) return;
    if (p.Erro(fCriticaAdmissaoEncerramento(d.est.DaEncerramentoAtividade, adm),
               {{adm, rotulo::Admissao}, {d.est.DaEncerramentoAtividade, rotulo::DataEncerramento}}))
        return;
    const auto idade = fCriticaIdadeAdmissao(nasc, adm);
    if (p.Passo(idade, idade == "0171" ? kAviso : kErro, false, {{adm, rotulo::Admissao}, {nasc, rotulo::Nascimento}}))
        return;
    p.Erro(fCriticaAdmissaoChegada(d.e.AnChegadaEmpregado, adm, d.e.CoNacionalidade),
           {{adm, rotulo::Admissao}, {d.e.AnChegadaEmpregado, rotulo::AnoChegada}});
}

void CadeiaTipoAdmissao(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaTipoAdmissao(d.ref, d.e.CoTipoAdmissao), {{d.e.CoTipoAdmissao, rotulo::TipoAdmissao}});
}

void CadeiaSalario(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaSalarioContratual(d.e.VaSalContratualEmpregado),
           {{d.e.VaSalContratualEmpregado, rotulo::SalarioContratual}});
}

void CadeiaTipoSalario(const DadosEmpregado& d, PassosCritica& p) {
    const auto& tipo = d.e.CoTipoSalarioContratual;
    if (p.Erro(fCriticaTipoSalario(d.ref, tipo), {{tipo, rotulo::TipoSalario}}, true)) return;
    p.Aviso(fCriticaSalarioContratualTipo(d.e.VaSalContratualEmpregado, tipo),
            {{d.e.VaSalContratualEmpregado, rotulo::SalarioContratual}, {tipo, rotulo::TipoSalario}});
}

void CadeiaHorasSemanais(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaHorasSemanais(d.e.HoSemanaisEmpregado), {{d.e.HoSemanaisEmpregado, rotulo::HorasSemanais}});
}

void CadeiaCbo(const DadosEmpregado& d, PassosCritica& p) {
    const auto codigo = fCriticaCbo(d.ref, d.e.CoCbo);
    if (p.Passo(codigo, codigo == "3645" ? kAviso : kErro, true, {{d.e.CoCbo, rotulo::Cbo}})) return;
    p.Erro(fCriticaCboInstrucao(d.ref, d.e.CoInstrucao, d.e.CoCbo),
           {{d.e.CoCbo, rotulo::Cbo}, {d.e.CoInstrucao, rotulo::Instrucao}});
}

// ---- type of employment and termination -----------------------------------------------------

void CadeiaVinculo(const DadosEmpregado& d, PassosCritica& p) {
    const auto& tipo = d.e.CoVinculo;
    const auto& nasc = d.e.DaNascimentoEmpregado;
    if (p.Erro(fCriticaTipoVinculo(d.ref, tipo), {{tipo, rotulo::Vinculo}}, true)) return;
    if (p.Erro(fCriticaVinculoPis(tipo, d.e.CoPisPasepEmpregado),
               {{tipo, rotulo::Vinculo}, {d.e.CoPisPasepEmpregado, rotulo::PisPasep}}))
        return;
    const auto& inscricao = d.est.InInscrEstabelecimento;
    if (p.Erro(fCriticaVinculoTipoInscricao(tipo, inscricao),
               {{tipo, rotulo::Vinculo}, {ExibeTipoInscricaoEstabelecimento(inscricao), rotulo::TipoInscricao}}, true))
        return;
    // Age limits: the run measures them in 2004 and leaves an under-16 worker ("3510") to the
    // permit's check; the form measures them in 2005 and asks about the permit when the field is left.
    if (p.Roda(A::Verificacao)) {
        const auto idade = fCriticaIdadeVinculo(tipo, nasc, kAnoIdadeVinculo);
        if (idade == "3502") p.Erro(idade, {{tipo, rotulo::Vinculo}, {nasc, rotulo::Nascimento}});
    } else {
        const auto idade = fCriticaIdadeVinculo(tipo, nasc, kTextoAnoBase);
        if (p.Erro(idade == "3510" ? kPassa : idade, {{tipo, rotulo::Vinculo}, {nasc, rotulo::Nascimento}})) return;
    }
    p.Aviso(fCriticaVinculoCnae(tipo, d.est.CoCnae), {{tipo, rotulo::Vinculo}, {d.est.CoCnae, rotulo::Cnae}});
    p.Aviso(fCriticaVinculoNatureza(tipo, d.est.CoNaturezaJuridica),
            {{tipo, rotulo::Vinculo}, {d.est.CoNaturezaJuridica, rotulo::NaturezaJuridica}});
}

// The form asks about the permit itself ("Sim" or "Não"): the run alone judges a stored value.
void CadeiaAlvara(const DadosEmpregado& d, PassosCritica& p) {
    if (!p.Roda(A::Verificacao)) return;
    const auto& alvara = d.e.InAlvaraEmpregado;
    p.Erro(fCriticaAlvara(alvara), {{alvara, rotulo::Alvara}});
    p.Aviso(fCriticaAlvaraIdade(alvara, d.e.DaNascimentoEmpregado, d.e.CoVinculo, kAnoIdadeVinculo),
            {{alvara, rotulo::Alvara}, {d.e.CoVinculo, rotulo::Vinculo}, {d.e.DaNascimentoEmpregado, rotulo::Nascimento}});
}

void CadeiaCausaDesligamento(const DadosEmpregado& d, PassosCritica& p) {
    const auto& causa = d.e.CoCausaDesligamento;
    if (p.Erro(fCriticaCausaDesligamento(d.ref, causa), {{causa, rotulo::CausaDesligamento}}, true)) return;
    p.Erro(fCriticaCausaEncerramento(d.est.InEncerramentoAtividade, d.est.AnBase, causa, kTextoAnoBase),
           {{causa, rotulo::CausaDesligamento}, {d.est.InEncerramentoAtividade, rotulo::EncerramentoNoEmpregado}});
}

void CadeiaDataDesligamento(const DadosEmpregado& d, PassosCritica& p) {
    const auto& desl = d.e.DaDesligamentoEmpregado;
    const auto& adm = d.e.DaAdmissaoEmpregado;
    if (p.Erro(fCriticaDataDesligamento(desl, kTextoAnoBase), {{desl, rotulo::Desligamento}}, true)) return;
    if (p.Erro(fCriticaDesligamentoCausa(desl, d.e.CoCausaDesligamento),
               {{desl, rotulo::Desligamento}, {d.e.CoCausaDesligamento, rotulo::CausaDesligamento}}))
        return;
    if (p.Erro(fCriticaDesligamentoAnoReferencia(desl, d.ano), {{desl, rotulo::Desligamento}, {d.ano, rotulo::AnoBase}}))
        return;
    if (p.Erro(fCriticaDesligamentoAdmissao(desl, adm, d.ano), {{desl, rotulo::Desligamento}, {adm, rotulo::Admissao}}))
        return;
    p.Erro(fCriticaDesligamentoEncerramento(desl, d.est.DaEncerramentoAtividade, d.ano),
           {{d.deslAno, rotulo::Desligamento}, {d.est.DaEncerramentoAtividade, rotulo::DataEncerramentoNoEmpregado}});
}

void CadeiaAvisoPrevio(const DadosEmpregado& d, PassosCritica& p) {
    p.Erro(fCriticaAvisoPrevio(d.e.VaAvisoPrevioEmpregado), {{d.e.VaAvisoPrevioEmpregado, rotulo::AvisoPrevio}});
}

void CadeiaMunicipioTrabalho(const DadosEmpregado& d, PassosCritica& p) {
    const auto& municipio = d.e.CoMunicipioTrabalho;
    if (p.Erro(fCriticaPreenchimento(municipio, d.exigePreenchimento), {{municipio, rotulo::MunicipioTrabalho}}, true))
        return;
    const auto m = Apara(municipio);
    if (m.empty() || m == "0000000") return;
    p.Erro(fCriticaMunicipioTrabalho(d.ref, municipio), {{municipio, rotulo::MunicipioTrabalho}});
}

// ---- leaves ---------------------------------------------------------------------------------

void CadeiaMotivoAfastamento(const DadosEmpregado& d, int i, PassosCritica& p) {
    const auto& motivo = d.e.*kAfastamentos[i].motivo;
    p.Erro(fCriticaMotivoAfastamento(motivo), {{motivo, rotulo::MotivoAfastamento}});
}

void CadeiaDataAfastamento(const DadosEmpregado& d, int i, bool fim, PassosCritica& p) {
    const auto& a = kAfastamentos[i];
    const auto& motivo = d.e.*a.motivo;
    const auto& inicio = d.e.*a.inicio;
    const auto& final = d.e.*a.fim;
    const auto& data = fim ? final : inicio;
    constexpr const char* lbl = rotulo::DataAfastamento;
    // "0000", no leave, is what almost every record holds: it passes every check of the date but
    // the one against the motive (and the form's pairing of start and end).
    const bool informada = data != "0000";
    if (informada) {
        if (p.Erro(fCriticaDataAfastamento(data, kTextoAnoBase), {{data, lbl}}, true)) return;
        if (p.Erro(fCriticaAfastamentoAdmissao(data, d.e.DaAdmissaoEmpregado, d.ano),
                   {{data, lbl}, {d.e.DaAdmissaoEmpregado, rotulo::Admissao}}))
            return;
        if (p.Erro(fCriticaAfastamentoDesligamento(data, d.e.DaDesligamentoEmpregado),
                   {{data, lbl}, {d.deslAno, rotulo::Desligamento}}))
            return;
    }
    if (p.Erro(fCriticaAfastamentoMotivo(data, motivo), {{motivo, rotulo::MotivoAfastamentoCruzado}, {data, lbl}}))
        return;
    // The period is judged once: the run on its start date, the form when its end is left.
    if (informada && (p.Roda(A::Verificacao) ? !fim : fim) &&
        p.Erro(fCriticaAfastamentoPeriodo(inicio, final), {{inicio, lbl}, {final, lbl}}))
        return;
    if (p.Roda(A::Formulario) && fim && i > 0) p.Erro(fCriticaAfastamentoPar(inicio, final), {});
}

void CadeiaDiasAfastamento(const DadosEmpregado& d, PassosCritica& p) {
    const auto& dias = d.e.QtDiasAfas;
    if (p.Erro(fCriticaQtDiasAfastamento(dias), {{dias, rotulo::DiasAfastamento}})) return;
    p.Erro(fCriticaDiasAfastamento(d.e.CoMotivoPrimAfas, d.e.CoMotivoSeguAfas, d.e.CoMotivoTercAfas, dias),
           {{dias, rotulo::DiasAfastamento}, {d.e.CoMotivoPrimAfas, rotulo::MotivoAfastamentoCruzado}});
}

// ---- union contributions --------------------------------------------------------------------

void CadeiaCnpjContribuicao(const DadosEmpregado& d, int i, PassosCritica& p) {
    const auto& k = kContribuicoes[i];
    const auto& cnpj = d.e.*k.cnpj;
    if (p.Erro(fCriticaPreenchimento(cnpj, d.exigePreenchimento), {{cnpj, k.lblCnpj}}, true)) return;
    if (fVazioOuZeros(cnpj)) return;
    // The form also refuses the establishment's own CNPJ, and judges the union's CNPJ as the
    // others; the run asks only that the union's be present.
    if (p.Roda(A::Formulario) && p.Erro(fCriticaCnpjEntidadePropria(cnpj, d.est.CoCgcCeiEstabelecimento), {}))
        return;
    if (i == kSindical && p.Roda(A::Verificacao)) return;
    // Only a valid head-office CNPJ identifies the entity.
    const auto codigo = fCriticaCnpjEntidade(cnpj);
    p.Erro(codigo == "0051" ? kPassa : codigo, {{cnpj, k.lblCnpj}});
}

void CadeiaValorContribuicao(const DadosEmpregado& d, int i, PassosCritica& p) {
    const auto& k = kContribuicoes[i];
    const auto& valor = d.e.*k.valor;
    if (p.Erro(fCriticaValorContribuicao(valor), {{valor, k.lblValor}})) return;
    // The form asks for the amount paid to every entity but the union once its CNPJ is typed.
    if (p.Roda(A::Formulario) && i != kSindical) p.Erro(fCriticaValorObrigatorio(valor, d.e.*k.cnpj), {});
}

// ---- remunerations ------------------------------------------------------------------------

void CadeiaRemuneracao(const DadosEmpregado& d, int m, PassosCritica& p) {
    const auto& valor = d.e.*kRemuneracoesVinculo[m - 1];
    const auto& lido = d.remuneracoes[m - 1];
    const char* lbl = rotulo::Remuneracao(m);
    const char* mm = kMeses[m - 1];
    const auto& adm = d.e.DaAdmissaoEmpregado;
    const auto& desl = d.e.DaDesligamentoEmpregado;
    const auto codigo = fCriticaRemuneracaoMensal(lido, MesesLidos()[m - 1], d.contrato);
    const bool foraDosLimites = codigo == "0312" || codigo == "0313";
    if (p.Passo(codigo, foraDosLimites ? kAviso : kErro, !foraDosLimites, {{valor, lbl}})) return;
    const bool informado = !lido.zero;
    if (informado && d.admitidoNoAno &&
        p.Erro(fCriticaRemuneracaoAdmissao(mm, adm, d.ano), {{valor, lbl}, {adm, rotulo::Admissao}}))
        return;
    if (informado && d.mesDesligamento)
        p.Aviso(fCriticaRemuneracaoDesligamento(mm, desl), {{desl, rotulo::Desligamento}, {valor, lbl}});
    if (m > 1) {
        const auto& anterior = d.e.*kRemuneracoesVinculo[m - 2];
        p.Aviso(fCriticaRemuneracaoRepetida(lido, MesesLidos()[m - 1], d.remuneracoes[m - 2]),
                {{anterior, rotulo::Remuneracao(m - 1)}, {valor, lbl}});
    }
    if (informado)
        p.Erro(fCriticaRemuneracaoAprendiz(mm, d.e.CoVinculo, d.e.DaNascimentoEmpregado, kAnoIdadeAprendiz),
               {{valor, lbl}, {d.e.CoVinculo, rotulo::Vinculo}, {d.e.DaNascimentoEmpregado, rotulo::Nascimento}});
}

// The form also holds the hours against the month's pay and the first leave.
void CadeiaHorasMes(const DadosEmpregado& d, int m, PassosCritica& p) {
    const auto& horas = d.e.*kHorasVinculo[m - 1];
    if (p.Erro(fCriticaHorasMes(horas), {{horas, rotulo::HorasMes}}, true)) return;
    if (p.Roda(A::Formulario))
        p.Erro(fCriticaHorasRemuneracao(horas, d.e.*kRemuneracoesVinculo[m - 1], m,
                                        apoio::MesData(d.e.DaFinalPrimeiroAfas), apoio::MesData(d.e.DaInicioprimeiroAfas)),
               {});
}

void CadeiaMesAdiantamento(const DadosEmpregado& d, PassosCritica& p) {
    const auto& mes = d.e.Me13AdiantamentoEmpregado;
    if (p.Erro(fCriticaMes13Adiantamento(mes), {{mes, rotulo::Mes13Adiantamento}}, true)) return;
    if (p.Erro(fCriticaMes13Admissao(mes, d.e.DaAdmissaoEmpregado, d.ano),
               {{mes, rotulo::Mes13Adiantamento}, {d.e.DaAdmissaoEmpregado, rotulo::Admissao}}))
        return;
    p.Aviso(fCriticaMes13Desligamento(mes, d.e.DaDesligamentoEmpregado),
            {{mes, rotulo::Mes13Adiantamento}, {d.e.DaDesligamentoEmpregado, rotulo::Desligamento}});
}

void CadeiaValorAdiantamento(const DadosEmpregado& d, PassosCritica& p) {
    Valor13(d.e.Me13AdiantamentoEmpregado, rotulo::Mes13Adiantamento, d.e.Va13AdiantamentoEmpregado,
            rotulo::Valor13Adiantamento, fCriticaValor13Adiantamento, fCriticaAdiantamento13, p);
}

void CadeiaMesParcelaFinal(const DadosEmpregado& d, PassosCritica& p) {
    const auto& mes = d.e.Me13ParcelaFinalEmpregado;
    const auto& adm = d.e.DaAdmissaoEmpregado;
    if (p.Erro(fCriticaMes13ParcelaFinal(mes), {{mes, rotulo::Mes13ParcelaFinal}}, true)) return;
    if (p.Erro(fCriticaMesesParcelas13(d.e.Me13AdiantamentoEmpregado, mes),
               {{d.e.Me13AdiantamentoEmpregado, rotulo::Mes13Adiantamento}, {mes, rotulo::Mes13ParcelaFinal}}))
        return;
    // Against the admission month the run reads the final month as it reads the advance's; the
    // form has a check of its own.
    const auto admissao =
        p.Roda(A::Verificacao) ? fCriticaMes13Admissao(mes, adm, d.ano) : fCriticaMes13AdmissaoAno(mes, adm, d.ano);
    if (p.Erro(admissao, {{mes, rotulo::Mes13ParcelaFinal}, {adm, rotulo::Admissao}})) return;
    p.Aviso(fCriticaParcelaFinal13Desligamento(mes, d.e.DaDesligamentoEmpregado),
            {{mes, rotulo::Mes13ParcelaFinal}, {d.e.DaDesligamentoEmpregado, rotulo::Desligamento}});
}

void CadeiaValorParcelaFinal(const DadosEmpregado& d, PassosCritica& p) {
    if (Valor13(d.e.Me13ParcelaFinalEmpregado, rotulo::Mes13ParcelaFinal, d.e.Va13ParcelaFinalEmpregado,
                rotulo::Valor13ParcelaFinal, fCriticaValor13ParcelaFinal, fCriticaParcelaFinal13, p))
        return;
    // The form warns of a leave whose months were all left unpaid.
    if (!p.Roda(A::Formulario)) return;
    const auto meses = Remuneracoes(d.e);
    for (const auto& a : kAfastamentos)
        p.Aviso(fCriticaRemuneracaoAfastamento(d.e.*a.motivo, d.e.*a.inicio, d.e.*a.fim, meses), {});
}

void CadeiaTotaisRemuneracao(const DadosEmpregado& d, PassosCritica& p) {
    const auto& e = d.e;
    const auto t = fTotaisRemuneracao(d.remuneracoes, apoio::Numeral(apoio::ValorCampo(e.Va13AdiantamentoEmpregado, 9)),
                                      apoio::Numeral(apoio::ValorCampo(e.Va13ParcelaFinalEmpregado, 9)));
    if (p.Roda(A::Verificacao)) {
        // The run reports a year without monthly pay or without a 13th; nothing paid at all is
        // accepted for a whole year on leave, or for someone who left during the year.
        if (t.mensal == 0 && t.decimoTerceiro != 0) {
            p.Aviso("1675", {{kSemRemuneracao, rotulo::TotalMensal}});
        } else if (t.mensal != 0 && t.decimoTerceiro == 0) {
            p.Aviso("1676", {{kSemRemuneracao, rotulo::Total13}});
        } else if (t.mensal == 0 && t.decimoTerceiro == 0) {
            const auto desl = Apara(e.DaDesligamentoEmpregado);
            const bool afastado = fAfastadoAnoInteiro(e.CoMotivoPrimAfas, e.DaInicioprimeiroAfas, e.DaFinalPrimeiroAfas);
            if (!afastado && (desl.empty() || desl == "0000"))
                p.Erro("1674", {{kSemRemuneracao, rotulo::SemRemuneracao}});
        }
    }
    if (fDecimoTerceiroDesproporcional(t)) {
        const std::string mensal = Decimal(t.mensal), decimo = Decimal(t.decimoTerceiro);
        p.Aviso("3508", {{mensal, rotulo::TotalMensal}, {decimo, rotulo::Total13}});
    }
    // The form refuses to store an employee paid nothing, by causes of its own.
    if (p.Roda(A::Formulario))
        p.Erro(fCriticaRemuneracaoInformada(t, e.CoMotivoPrimAfas, e.DaInicioprimeiroAfas, e.DaFinalPrimeiroAfas,
                                            e.CoCausaDesligamento),
               {});
}

// ---- rescission values --------------------------------------------------------------------

void CadeiaFerias(const DadosEmpregado& d, PassosCritica& p) {
    const auto& ferias = d.e.VaGlobalFerias;
    if (p.Erro(fCriticaValorRescisorio(ferias), {{ferias, rotulo::Ferias}}, true)) return;
    p.Erro(fCriticaFeriasDesligamento(d.e.CoCausaDesligamento, ferias), {{ferias, rotulo::Ferias}});
}
void CadeiaMultas(const DadosEmpregado& d, PassosCritica& p) { ValorRescisorio(d.e.VaGlobalMultas, rotulo::Multas, p); }
void CadeiaBancoHoras(const DadosEmpregado& d, PassosCritica& p) {
    ValorRescisorio(d.e.VaGlobalBcoHoras, rotulo::BancoHoras, p);
}
void CadeiaMesesBancoHoras(const DadosEmpregado& d, PassosCritica& p) {
    MesesRescisorio(d.e.VaGlobalBcoHoras, d.e.QtCompBcoHoras, rotulo::MesesBancoHoras, fCriticaBancoHoras, p);
}
void CadeiaDissidio(const DadosEmpregado& d, PassosCritica& p) {
    ValorRescisorio(d.e.VaGlobalDissidio, rotulo::Dissidio, p);
}
void CadeiaMesesDissidio(const DadosEmpregado& d, PassosCritica& p) {
    MesesRescisorio(d.e.VaGlobalDissidio, d.e.QtCompDissidio, rotulo::MesesDissidio, fCriticaDissidio, p);
}
void CadeiaGratificacoes(const DadosEmpregado& d, PassosCritica& p) {
    ValorRescisorio(d.e.VaGlobalGratificacoes, rotulo::Gratificacoes, p);
}
void CadeiaMesesGratificacoes(const DadosEmpregado& d, PassosCritica& p) {
    MesesRescisorio(d.e.VaGlobalGratificacoes, d.e.QtCompGratificacoes, rotulo::MesesGratificacoes,
                    fCriticaGratificacoes, p);
}

}  // namespace zovi
