#include "rules/VerificaEmpregado.h"

#include "rules/CriticaEmpregado.h"
#include "rules/Primitivas.h"

namespace zovi {

const char* rotulo::Remuneracao(int mes) {
    static const char* const rotulos[12] = {"1641", "1642", "1643", "1644", "1645", "1646",
                                            "1647", "1648", "1649", "1650", "1651", "1652"};
    return rotulos[mes - 1];
}

std::string AnoReferenciaEmpregado(std::string_view indicadorEncerramento, std::string_view dataEncerramento) {
    // An establishment that closes in a later year declares its employees up to
    // the closing: their months and dates run into the following year.
    auto data = Apara(dataEncerramento);
    bool encerraEmOutroAno = Apara(indicadorEncerramento) == "1" && !data.empty() && !fTodosZeros(data) &&
                             apoio::AnoData(data) != kTextoAnoBase;
    return encerraEmOutroAno ? "2006" : kTextoAnoBase;
}

namespace {

// The run's order of the employee's chains, which is the order of the rows the user reads.
class PassosEmpregado {
public:
    PassosEmpregado(const RegistroVinculo& e, const RegistroEstabelecimento& est,
                    const ContextoVerificacaoEmpregado& ctx, DestinoInconsistencias& destino)
        : ctx_(ctx),
          propria_(ctx.identificacao ? IdentificacaoEstabelecimento{} : IdentificaEstabelecimento(est)),
          saida_(destino, kRegistroEmpregado, ctx.identificacao ? ctx.identificacao : &propria_,
                 {e.CoPisPasepEmpregado, e.NoEmpregado, e.DaAdmissaoEmpregado, e.TxUsoEmpregado}),
          passos_(saida_),
          d_(e, est, ctx.referencias, ctx.exigePreenchimento, ctx.anoReferencia ? *ctx.anoReferencia : std::string()) {}

    void Executa() {
        auto& p = passos_;
        CadeiaPisPasep(d_, p);
        CadeiaAdmissao(d_, p);
        if (ctx_.consultas) ctx_.consultas->VerificaDuplicado(d_.e, saida_);
        CadeiaNome(d_, p);
        CadeiaNascimento(d_, p);
        CadeiaDeficiente(d_, p);
        CadeiaRaca(d_, p);
        if (ctx_.consultas) ctx_.consultas->VerificaNascimento(d_.e, saida_);
        CadeiaNacionalidade(d_, p);
        CadeiaSexo(d_, p);
        CadeiaAnoChegada(d_, p);
        CadeiaInstrucao(d_, p);
        CadeiaCpf(d_, p);
        CadeiaTipoAdmissao(d_, p);
        CadeiaSalario(d_, p);
        CadeiaTipoSalario(d_, p);
        CadeiaHorasSemanais(d_, p);
        CadeiaCbo(d_, p);
        CadeiaVinculo(d_, p);
        CadeiaAlvara(d_, p);
        CadeiaCausaDesligamento(d_, p);
        CadeiaDataDesligamento(d_, p);
        CadeiaAvisoPrevio(d_, p);
        for (int m = 1; m <= 12; ++m) CadeiaRemuneracao(d_, m, p);
        CadeiaMesAdiantamento(d_, p);
        CadeiaValorAdiantamento(d_, p);
        CadeiaMesParcelaFinal(d_, p);
        CadeiaValorParcelaFinal(d_, p);
        CadeiaTotaisRemuneracao(d_, p);
        for (int i = 0; i < 3; ++i) CadeiaMotivoAfastamento(d_, i, p);
        for (int i = 0; i < 3; ++i) {
            CadeiaDataAfastamento(d_, i, false, p);
            CadeiaDataAfastamento(d_, i, true, p);
        }
        CadeiaDiasAfastamento(d_, p);
        CadeiaUso(d_, p);
        CadeiaMunicipioTrabalho(d_, p);
        for (int i = 0; i < 5; ++i) {
            CadeiaCnpjContribuicao(d_, i, p);
            CadeiaValorContribuicao(d_, i, p);
        }
        CadeiaFerias(d_, p);
        CadeiaMultas(d_, p);
        CadeiaBancoHoras(d_, p);
        CadeiaMesesBancoHoras(d_, p);
        CadeiaDissidio(d_, p);
        CadeiaMesesDissidio(d_, p);
        CadeiaGratificacoes(d_, p);
        CadeiaMesesGratificacoes(d_, p);
        for (int m = 1; m <= 12; ++m) CadeiaHorasMes(d_, m, p);
    }

private:
    const ContextoVerificacaoEmpregado& ctx_;
    const IdentificacaoEstabelecimento propria_;  // when the run gives none
    EmissorInconsistencias saida_;
    PassosVerificacao passos_;
    const DadosEmpregado d_;
};

}  // namespace

void pVerificaEmpregado(const RegistroVinculo& empregado, const RegistroEstabelecimento& estabelecimento,
                        const ContextoVerificacaoEmpregado& contexto, DestinoInconsistencias& destino) {
    PassosEmpregado(empregado, estabelecimento, contexto, destino).Executa();
}

}  // namespace zovi
