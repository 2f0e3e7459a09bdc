#include "ReferenciasEmpregado.h"

#include "BaseReferencia.h"
#include "engine/Tabela.h"

namespace zovi::teste {

namespace {

void Cbo(BaseReferencia& base, const char* codigo, bool criticaCbo, bool criticaAna) {
    Tabela t(base.banco, "TB8CBO");
    t.Abre();
    t.Acrescenta();
    t.PoeTexto("CoCbo", codigo);
    t.PoeLogico("InCriticaCbo", criticaCbo);
    t.PoeLogico("InCriticaAna", criticaAna);
    t.Grava();
}

Referencias Monta() {
    BaseReferencia base;
    for (const char* c : {"1", "2"}) base.Insere("TB8RACA", {{"CoRaca", c}});
    for (const char* c : {"10", "20"}) base.Insere("TB8NACIO", {{"CoNacionalidade", c}});
    for (const char* c : {"1", "2", "3", "4", "5", "6", "7", "8", "9"}) base.Insere("TB8INSTR", {{"CoInstrucao", c}});
    for (const char* c : {"1", "2"}) base.Insere("TB8TPADM", {{"CoTipoAdmissao", c}});
    for (const char* c : {"1", "2", "3", "4", "5", "6", "7"})
        base.Insere("TB8TPSAL", {{"CoTipoSalarioContratual", c}});
    for (const char* c : {"10", "15", "20", "25", "30", "35", "55", "80"}) base.Insere("TB8VINC", {{"CoVinculo", c}});
    for (const char* c : {"10", "11", "20", "21", "60", "71", "78", "80"})
        base.Insere("TB8DESL", {{"CoCausaDesligamento", c}});
    base.Municipio("3550308", "SAO PAULO", "", "1");
    Cbo(base, "223505", true, false);
    Cbo(base, "411005", false, true);
    Cbo(base, "782510", false, false);
    return base.Carrega();
}

}  // namespace

const Referencias& ReferenciasEmpregado() {
    static const Referencias referencias = Monta();
    return referencias;
}

RegistroEstabelecimento Estabelecimento() {
    RegistroEstabelecimento e;
    e.AnBase = "2005";
    e.CoCgcCeiEstabelecimento = "11222333000181";
    e.NuPrefixoEstabelecimento = "01";
    e.InInscrEstabelecimento = "1";
    e.NoRazaoEstabelecimento = "PADARIA BOM PAO LTDA";
    e.CoCnae = "15814";
    e.CoNaturezaJuridica = "2062";
    e.InEncerramentoAtividade = "2";
    e.DaEncerramentoAtividade = "00000000";
    return e;
}

RegistroVinculo Empregado() {
    RegistroVinculo r;
    r.AnBase = "2005";
    r.CoCgcCeiEstabelecimento = "11222333000181";
    r.NuPrefixoEstabelecimento = "01";
    r.CoPisPasepEmpregado = "12034567899";
    r.DaAdmissaoEmpregado = "01032004";
    r.NoEmpregado = "MARIA DE SOUZA";
    r.DaNascimentoEmpregado = "15061980";
    r.CoNacionalidade = "10";
    r.AnChegadaEmpregado = "0000";
    r.CoInstrucao = "7";
    r.NuCartTrabEmpregado = "12345600001";
    r.CoCpfEmpregado = "52998224725";
    r.CoTipoAdmissao = "2";
    r.VaSalContratualEmpregado = "000100000";
    r.CoTipoSalarioContratual = "1";
    r.HoSemanaisEmpregado = "44";
    r.CoCbo = "782510";
    r.CoVinculo = "10";
    r.CoCausaDesligamento = "00";
    r.DaDesligamentoEmpregado = "0000";
    for (int m = 1; m <= 12; ++m) {
        r.*kRemuneracoesVinculo[m - 1] = "000100000";
        r.*kHorasVinculo[m - 1] = "176";
    }
    r.Me13AdiantamentoEmpregado = "11";
    r.Va13AdiantamentoEmpregado = "000050000";
    r.Me13ParcelaFinalEmpregado = "12";
    r.Va13ParcelaFinalEmpregado = "000050000";
    r.TxUsoEmpregado = "SETOR 2";
    r.CoTipoRaca = "1";
    r.InDeficienteFisico = "2";
    r.VaAvisoPrevioEmpregado = "000000000";
    r.InAlvaraEmpregado = "2";
    r.InSexo = "2";
    for (auto* c : {&r.CoMotivoPrimAfas, &r.CoMotivoSeguAfas, &r.CoMotivoTercAfas}) *c = "00";
    for (auto* c : {&r.DaInicioprimeiroAfas, &r.DaFinalPrimeiroAfas, &r.DaInicioSegundoAfas, &r.DaFinalSegundoAfas,
                    &r.DaInicioTerceiroAfas, &r.DaFinalTerceiroAfas})
        *c = "0000";
    r.QtDiasAfas = "000";
    for (auto* c : {&r.VaGlobalSindical, &r.VaGlobalPrimAssociativa, &r.VaGlobalSegAssociativa,
                    &r.VaGlobalAssistencial, &r.VaGlobalConfederativa, &r.VaGlobalFerias, &r.VaGlobalMultas,
                    &r.VaGlobalBcoHoras, &r.VaGlobalDissidio, &r.VaGlobalGratificacoes})
        *c = "00000000";
    for (auto* c : {&r.QtCompBcoHoras, &r.QtCompDissidio, &r.QtCompGratificacoes}) *c = "00";
    r.CoMunicipioTrabalho = "3550308";
    r.NoMunicipioTrabalho = "SAO PAULO";
    r.SgUfTrabalho = "SP";
    return r;
}

}  // namespace zovi::teste
