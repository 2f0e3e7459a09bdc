#include "rules/VerificaEmpregado.h"

#include <array>

#include "rules/ApoioRegrasEmpregado.h"
#include "rules/Primitivas.h"
#include "rules/RegrasContribuicao.h"
#include "rules/RegrasEmpregado.h"
#include "rules/RegrasEstabelecimento.h"
#include "rules/RegrasRemuneracao.h"

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

bool Falha(const std::string& codigo) { return !fPassou(codigo); }

// Centavos shown as a decimal number with a comma: 123456 -> "1234,56".
std::string Decimal(long long centavos) {
    std::string centimos = std::to_string(centavos % 100);
    if (centimos.size() < 2) centimos.insert(0, "0");
    return std::to_string(centavos / 100) + "," + centimos;
}

// "1 (CGC)" / "3 (CEI)": the inscription type as the rows show it.
std::string ExibeTipoInscricao(const std::string& tipo) {
    auto t = Apara(tipo);
    if (t == "1") return "1 (CGC)";
    if (t == "3") return "3 (CEI)";
    return tipo;
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

// The twelve monthly values of an employee, each read once for every check that takes them.
std::array<apoio::Numeral, 12> RemuneracoesLidas(const RegistroVinculo& e) {
    std::array<apoio::Numeral, 12> r;
    for (size_t m = 0; m < 12; ++m) r[m] = apoio::Numeral(apoio::ValorCampo(e.*kRemuneracoesVinculo[m], 9));
    return r;
}

inline constexpr const char* kSemRemuneracao = "N\xE3o h\xE1 remunera\xE7\xE3o informada.";

class PassosEmpregado {
public:
    PassosEmpregado(const RegistroVinculo& e, const RegistroEstabelecimento& est,
                    const ContextoVerificacaoEmpregado& ctx, DestinoInconsistencias& destino)
        : e_(e),
          est_(est),
          ctx_(ctx),
          ref_(ctx.referencias),
          propria_(ctx.identificacao ? IdentificacaoEstabelecimento{} : IdentificaEstabelecimento(est)),
          saida_(destino, kRegistroEmpregado, ctx.identificacao ? ctx.identificacao : &propria_,
                 {e.CoPisPasepEmpregado, e.NoEmpregado, e.DaAdmissaoEmpregado, e.TxUsoEmpregado}),
          ano_(AnoReferenciaEmpregado(est.InEncerramentoAtividade, est.DaEncerramentoAtividade)),
          remuneracoes_(RemuneracoesLidas(e)) {}

    // The order of the checks is the order of the rows the user reads.
    void Executa() {
        PisPasep();
        Admissao();
        if (ctx_.consultas) ctx_.consultas->VerificaDuplicado(e_, saida_);
        Nome();
        Nascimento();
        Um(fCriticaDeficiente(e_.InDeficienteFisico), e_.InDeficienteFisico, rotulo::Deficiente);
        Um(fCriticaRacaCor(ref_, e_.CoTipoRaca), e_.CoTipoRaca, rotulo::RacaCor);
        if (ctx_.consultas) ctx_.consultas->VerificaNascimento(e_, saida_);
        Um(fCriticaNacionalidade(ref_, e_.CoNacionalidade), e_.CoNacionalidade, rotulo::Nacionalidade);
        Um(fCriticaSexo(e_.InSexo), e_.InSexo, rotulo::Sexo);
        AnoChegada();
        Um(fCriticaInstrucao(ref_, e_.CoInstrucao), e_.CoInstrucao, rotulo::Instrucao);
        Par(kErro, fCriticaCtpsCpf(e_.NuCartTrabEmpregado, e_.CoCpfEmpregado),
            {{e_.NuCartTrabEmpregado, rotulo::CarteiraTrabalho}, {e_.CoCpfEmpregado, rotulo::Cpf}});
        Um(fCriticaCpf(e_.CoCpfEmpregado), e_.CoCpfEmpregado, rotulo::Cpf);
        Um(fCriticaTipoAdmissao(ref_, e_.CoTipoAdmissao), e_.CoTipoAdmissao, rotulo::TipoAdmissao);
        Um(fCriticaSalarioContratual(e_.VaSalContratualEmpregado), e_.VaSalContratualEmpregado,
           rotulo::SalarioContratual);
        TipoSalario();
        Um(fCriticaHorasSemanais(e_.HoSemanaisEmpregado), e_.HoSemanaisEmpregado, rotulo::HorasSemanais);
        Ocupacao();
        TipoVinculo();
        Alvara();
        CausaDesligamento();
        DataDesligamento();
        Um(fCriticaAvisoPrevio(e_.VaAvisoPrevioEmpregado), e_.VaAvisoPrevioEmpregado, rotulo::AvisoPrevio);
        Remuneracoes();
        Adiantamento13();
        ParcelaFinal13();
        PresencaRemuneracao();
        MotivosAfastamento();
        DatasAfastamento();
        DiasAfastamento();
        Um(fCriticaTextoUso(e_.TxUsoEmpregado), e_.TxUsoEmpregado, rotulo::TextoUso);
        MunicipioTrabalho();
        Contribuicoes();
        ValoresRescisorios();
        for (int m = 1; m <= 12; ++m)
            Um(fCriticaHorasMes(e_.*kHorasVinculo[m - 1]), e_.*kHorasVinculo[m - 1], rotulo::HorasMes);
    }

private:
    // Views, not copies: most rules pass, and their rows' contents are only copied on a failure.
    using Campos = std::initializer_list<std::pair<std::string_view, const char*>>;

    // One field's own rule: a failure is one error row with the field's content.
    bool Um(const std::string& codigo, const std::string& conteudo, const char* lbl, const char* tipo = kErro) {
        if (!Falha(codigo)) return false;
        saida_.Linha(tipo, codigo, conteudo, lbl);
        return true;
    }
    // A cross-field rule: a failure is one row per field, same code and kind.
    bool Par(const char* tipo, const std::string& codigo, Campos campos) {
        if (!Falha(codigo)) return false;
        for (const auto& [conteudo, lbl] : campos) saida_.Linha(tipo, codigo, std::string(conteudo), lbl);
        return true;
    }

    const std::string& Adm() const { return e_.DaAdmissaoEmpregado; }
    const std::string& Nasc() const { return e_.DaNascimentoEmpregado; }
    const std::string& Desl() const { return e_.DaDesligamentoEmpregado; }
    // The termination with the reference year, as the rows comparing it with full dates show it.
    const std::string& DeslAno() const { return deslAno_; }

    void PisPasep() { Um(fCriticaPisPasep(e_.CoPisPasepEmpregado), e_.CoPisPasepEmpregado, rotulo::PisPasep); }

    void Admissao() {
        if (Um(fCriticaDataAdmissao(Adm()), e_.DaAdmissaoEmpregado, rotulo::Admissao)) return;
        Par(kErro, fCriticaAdmissaoAnoBase(Adm(), ano_), {{Adm(), rotulo::Admissao}, {ano_, rotulo::AnoBase}});
        Par(kErro, fCriticaAdmissaoEncerramento(est_.DaEncerramentoAtividade, Adm()),
            {{Adm(), rotulo::Admissao}, {est_.DaEncerramentoAtividade, rotulo::DataEncerramento}});
        auto idade = fCriticaIdadeAdmissao(Nasc(), Adm());
        Par(idade == "0171" ? kAviso : kErro, idade, {{Adm(), rotulo::Admissao}, {Nasc(), rotulo::Nascimento}});
        Par(kErro, fCriticaAdmissaoChegada(e_.AnChegadaEmpregado, Adm(), e_.CoNacionalidade),
            {{Adm(), rotulo::Admissao}, {e_.AnChegadaEmpregado, rotulo::AnoChegada}});
    }

    void Nome() { Um(fCriticaNomeEmpregado(e_.NoEmpregado, e_.CoPisPasepEmpregado), e_.NoEmpregado, rotulo::Nome); }

    void Nascimento() {
        if (Um(fCriticaDataNascimento(Nasc()), e_.DaNascimentoEmpregado, rotulo::Nascimento)) return;
        auto idade = fCriticaIdadeAnoBase(Nasc(), ano_);
        Par(idade == "0176" ? kAviso : kErro, idade, {{Nasc(), rotulo::Nascimento}, {ano_, rotulo::AnoBase}});
    }

    void AnoChegada() {
        const auto& chegada = e_.AnChegadaEmpregado;
        const auto& nac = e_.CoNacionalidade;
        if (Um(fCriticaAnoChegada(chegada), e_.AnChegadaEmpregado, rotulo::AnoChegada)) return;
        if (Par(kErro, fCriticaAnoChegadaNacionalidade(chegada, nac),
                {{chegada, rotulo::AnoChegada}, {nac, rotulo::Nacionalidade}}))
            return;
        Par(kErro, fCriticaAnoChegadaAnoBase(chegada, ano_, nac),
            {{chegada, rotulo::AnoChegada}, {ano_, rotulo::AnoBase}});
        Par(kErro, fCriticaAnoChegadaNascimento(chegada, Nasc(), nac),
            {{chegada, rotulo::AnoChegada}, {Nasc(), rotulo::Nascimento}});
    }

    void TipoSalario() {
        if (Um(fCriticaTipoSalario(ref_, e_.CoTipoSalarioContratual), e_.CoTipoSalarioContratual, rotulo::TipoSalario))
            return;
        Par(kAviso, fCriticaSalarioContratualTipo(e_.VaSalContratualEmpregado, e_.CoTipoSalarioContratual),
            {{e_.VaSalContratualEmpregado, rotulo::SalarioContratual},
             {e_.CoTipoSalarioContratual, rotulo::TipoSalario}});
    }

    void Ocupacao() {
        auto codigo = fCriticaCbo(ref_, e_.CoCbo);
        if (Um(codigo, e_.CoCbo, rotulo::Cbo, codigo == "3645" ? kAviso : kErro)) return;
        Par(kErro, fCriticaCboInstrucao(ref_, e_.CoInstrucao, e_.CoCbo),
            {{e_.CoCbo, rotulo::Cbo}, {e_.CoInstrucao, rotulo::Instrucao}});
    }

    void TipoVinculo() {
        const auto& tipo = e_.CoVinculo;
        if (Um(fCriticaTipoVinculo(ref_, tipo), e_.CoVinculo, rotulo::Vinculo)) return;
        Par(kErro, fCriticaVinculoPis(tipo, e_.CoPisPasepEmpregado),
            {{tipo, rotulo::Vinculo}, {e_.CoPisPasepEmpregado, rotulo::PisPasep}});
        const auto& tipoInscricao = est_.InInscrEstabelecimento;
        if (Par(kErro, fCriticaVinculoTipoInscricao(tipo, tipoInscricao),
                {{tipo, rotulo::Vinculo}, {ExibeTipoInscricao(tipoInscricao), rotulo::TipoInscricao}}))
            return;
        // Under-16 workers of other types ("3510") are the permit check's business, not a row here.
        auto idade = fCriticaIdadeVinculo(tipo, Nasc(), kAnoIdadeVinculo);
        if (idade == "3502") Par(kErro, idade, {{tipo, rotulo::Vinculo}, {Nasc(), rotulo::Nascimento}});
        Par(kAviso, fCriticaVinculoCnae(tipo, est_.CoCnae), {{tipo, rotulo::Vinculo}, {est_.CoCnae, rotulo::Cnae}});
        Par(kAviso, fCriticaVinculoNatureza(tipo, est_.CoNaturezaJuridica),
            {{tipo, rotulo::Vinculo}, {est_.CoNaturezaJuridica, rotulo::NaturezaJuridica}});
    }

    void Alvara() {
        const auto& alvara = e_.InAlvaraEmpregado;
        Um(fCriticaAlvara(alvara), e_.InAlvaraEmpregado, rotulo::Alvara);
        Par(kAviso, fCriticaAlvaraIdade(alvara, Nasc(), e_.CoVinculo, kAnoIdadeVinculo),
            {{alvara, rotulo::Alvara}, {e_.CoVinculo, rotulo::Vinculo}, {Nasc(), rotulo::Nascimento}});
    }

    void CausaDesligamento() {
        const auto& causa = e_.CoCausaDesligamento;
        if (Um(fCriticaCausaDesligamento(ref_, causa), e_.CoCausaDesligamento, rotulo::CausaDesligamento)) return;
        Par(kErro, fCriticaCausaEncerramento(est_.InEncerramentoAtividade, est_.AnBase, causa, kTextoAnoBase),
            {{causa, rotulo::CausaDesligamento}, {est_.InEncerramentoAtividade, rotulo::EncerramentoNoEmpregado}});
    }

    void DataDesligamento() {
        if (Um(fCriticaDataDesligamento(Desl(), kTextoAnoBase), e_.DaDesligamentoEmpregado, rotulo::Desligamento))
            return;
        Par(kErro, fCriticaDesligamentoCausa(Desl(), e_.CoCausaDesligamento),
            {{Desl(), rotulo::Desligamento}, {e_.CoCausaDesligamento, rotulo::CausaDesligamento}});
        // Closing in a later year: every employee must leave by the closing.
        if (ano_ != kTextoAnoBase && Apara(Desl()) == "0000")
            Par(kErro, "0294", {{Desl(), rotulo::Desligamento}, {ano_, rotulo::AnoBase}});
        Par(kErro, fCriticaDesligamentoAdmissao(Desl(), Adm(), ano_),
            {{Desl(), rotulo::Desligamento}, {Adm(), rotulo::Admissao}});
        Par(kErro, fCriticaDesligamentoEncerramento(Desl(), est_.DaEncerramentoAtividade, ano_),
            {{DeslAno(), rotulo::Desligamento}, {est_.DaEncerramentoAtividade, rotulo::DataEncerramentoNoEmpregado}});
    }

    void Remuneracoes() {
        std::string_view anterior = "0";  // the remembered previous month, "0" before January
        const apoio::Numeral* anteriorLido = nullptr;
        const bool admitidoNoAno = apoio::AnoData(Adm()) == ano_;
        const bool mesDesligamento = apoio::MesData(Desl()) != "00";
        const ContratoMensal contrato(e_.CoTipoSalarioContratual, Desl(), Adm(), ano_);
        for (int m = 1; m <= 12; ++m) {
            const std::string& valor = e_.*kRemuneracoesVinculo[m - 1];
            const apoio::Numeral& lido = remuneracoes_[m - 1];
            const char* lbl = rotulo::Remuneracao(m);
            const char* mm = kMeses[m - 1];
            auto codigo = fCriticaRemuneracaoMensal(lido, MesesLidos()[m - 1], contrato);
            if (codigo == "0312" || codigo == "0313") {
                saida_.Linha(kAviso, codigo, valor, lbl);
            } else if (Falha(codigo)) {
                saida_.Linha(kErro, codigo, valor, lbl);
                anterior = valor;
                anteriorLido = &lido;
                continue;
            }
            const bool informado = !lido.zero;
            if (admitidoNoAno && informado)
                Par(kErro, fCriticaRemuneracaoAdmissao(mm, Adm(), ano_), {{valor, lbl}, {Adm(), rotulo::Admissao}});
            if (mesDesligamento && informado)
                Par(kAviso, fCriticaRemuneracaoDesligamento(mm, Desl()),
                    {{Desl(), rotulo::Desligamento}, {valor, lbl}});
            if (m > 1) {
                Par(kAviso, fCriticaRemuneracaoRepetida(lido, MesesLidos()[m - 1], *anteriorLido),
                    {{anterior, rotulo::Remuneracao(m - 1)}, {valor, lbl}});
            }
            if (informado)
                Par(kErro, fCriticaRemuneracaoAprendiz(mm, e_.CoVinculo, Nasc(), kAnoIdadeAprendiz),
                    {{valor, lbl}, {e_.CoVinculo, rotulo::Vinculo}, {Nasc(), rotulo::Nascimento}});
            anterior = valor;
            anteriorLido = &lido;
        }
    }

    void Adiantamento13() {
        const auto& mes = e_.Me13AdiantamentoEmpregado;
        const auto& valor = e_.Va13AdiantamentoEmpregado;
        if (!Um(fCriticaMes13Adiantamento(mes), e_.Me13AdiantamentoEmpregado, rotulo::Mes13Adiantamento)) {
            Par(kErro, fCriticaMes13Admissao(mes, Adm(), ano_),
                {{mes, rotulo::Mes13Adiantamento}, {Adm(), rotulo::Admissao}});
            Par(kAviso, fCriticaMes13Desligamento(mes, Desl()),
                {{mes, rotulo::Mes13Adiantamento}, {Desl(), rotulo::Desligamento}});
        }
        if (Um(fCriticaValor13Adiantamento(valor), e_.Va13AdiantamentoEmpregado, rotulo::Valor13Adiantamento)) return;
        auto codigo = fCriticaAdiantamento13(mes, valor);
        Par(codigo == "0332" ? kAviso : kErro, codigo,
            {{mes, rotulo::Mes13Adiantamento}, {valor, rotulo::Valor13Adiantamento}});
    }

    void ParcelaFinal13() {
        const auto& mes = e_.Me13ParcelaFinalEmpregado;
        const auto& valor = e_.Va13ParcelaFinalEmpregado;
        if (!Um(fCriticaMes13ParcelaFinal(mes), e_.Me13ParcelaFinalEmpregado, rotulo::Mes13ParcelaFinal)) {
            Par(kErro, fCriticaMesesParcelas13(e_.Me13AdiantamentoEmpregado, mes),
                {{e_.Me13AdiantamentoEmpregado, rotulo::Mes13Adiantamento}, {mes, rotulo::Mes13ParcelaFinal}});
            Par(kErro, fCriticaMes13Admissao(mes, Adm(), ano_),
                {{mes, rotulo::Mes13ParcelaFinal}, {Adm(), rotulo::Admissao}});
            Par(kAviso, fCriticaParcelaFinal13Desligamento(mes, Desl()),
                {{mes, rotulo::Mes13ParcelaFinal}, {Desl(), rotulo::Desligamento}});
        }
        if (Um(fCriticaValor13ParcelaFinal(valor), e_.Va13ParcelaFinalEmpregado, rotulo::Valor13ParcelaFinal)) return;
        auto codigo = fCriticaParcelaFinal13(mes, valor);
        Par(codigo == "0332" ? kAviso : kErro, codigo,
            {{mes, rotulo::Mes13ParcelaFinal}, {valor, rotulo::Valor13ParcelaFinal}});
    }

    void PresencaRemuneracao() {
        auto t = fTotaisRemuneracao(remuneracoes_, apoio::Numeral(apoio::ValorCampo(e_.Va13AdiantamentoEmpregado, 9)),
                                    apoio::Numeral(apoio::ValorCampo(e_.Va13ParcelaFinalEmpregado, 9)));
        if (t.mensal == 0 && t.decimoTerceiro != 0) {
            saida_.Linha(kAviso, "1675", kSemRemuneracao, rotulo::TotalMensal);
        } else if (t.mensal != 0 && t.decimoTerceiro == 0) {
            saida_.Linha(kAviso, "1676", kSemRemuneracao, rotulo::Total13);
        } else if (t.mensal == 0 && t.decimoTerceiro == 0) {
            // Nothing paid is accepted for a whole year on leave, or for someone who left during the year.
            bool afastadoAnoInteiro =
                fAfastadoAnoInteiro(e_.CoMotivoPrimAfas, e_.DaInicioprimeiroAfas, e_.DaFinalPrimeiroAfas);
            auto desl = Apara(Desl());
            if (!afastadoAnoInteiro && (desl.empty() || desl == "0000"))
                saida_.Linha(kErro, "1674", kSemRemuneracao, rotulo::SemRemuneracao);
        }
        if (fDecimoTerceiroDesproporcional(t))
            Par(kAviso, "3508",
                {{Decimal(t.mensal), rotulo::TotalMensal}, {Decimal(t.decimoTerceiro), rotulo::Total13}});
    }

    void MotivosAfastamento() {
        for (const std::string* motivo : {&e_.CoMotivoPrimAfas, &e_.CoMotivoSeguAfas, &e_.CoMotivoTercAfas})
            Um(fCriticaMotivoAfastamento(*motivo), *motivo, rotulo::MotivoAfastamento);
    }

    void DatasAfastamento() {
        struct Periodo {
            const std::string &motivo, &inicio, &fim;
        };
        for (const auto& p : {Periodo{e_.CoMotivoPrimAfas, e_.DaInicioprimeiroAfas, e_.DaFinalPrimeiroAfas},
                              Periodo{e_.CoMotivoSeguAfas, e_.DaInicioSegundoAfas, e_.DaFinalSegundoAfas},
                              Periodo{e_.CoMotivoTercAfas, e_.DaInicioTerceiroAfas, e_.DaFinalTerceiroAfas}}) {
            DataAfastamento(p.inicio, p.motivo, p.fim);
            DataAfastamento(p.fim, p.motivo, p.fim);
        }
    }

    void DataAfastamento(const std::string& d, const std::string& motivo, const std::string& fim) {
        // "0000", no leave, is what almost every record holds: it passes every check of the date
        // but the one against the reason, so only that one runs.
        if (d == "0000") {
            Par(kErro, fCriticaAfastamentoMotivo(d, motivo),
                {{motivo, rotulo::MotivoAfastamentoCruzado}, {d, rotulo::DataAfastamento}});
            return;
        }
        if (Um(fCriticaDataAfastamento(d, kTextoAnoBase), d, rotulo::DataAfastamento)) return;
        Par(kErro, fCriticaAfastamentoAdmissao(d, Adm(), ano_),
            {{d, rotulo::DataAfastamento}, {Adm(), rotulo::Admissao}});
        Par(kErro, fCriticaAfastamentoDesligamento(d, Desl()),
            {{d, rotulo::DataAfastamento}, {DeslAno(), rotulo::Desligamento}});
        Par(kErro, fCriticaAfastamentoMotivo(d, motivo),
            {{motivo, rotulo::MotivoAfastamentoCruzado}, {d, rotulo::DataAfastamento}});
        Par(kErro, fCriticaAfastamentoPeriodo(d, fim), {{d, rotulo::DataAfastamento}, {fim, rotulo::DataAfastamento}});
    }

    void DiasAfastamento() {
        const auto& dias = e_.QtDiasAfas;
        Um(fCriticaQtDiasAfastamento(dias), e_.QtDiasAfas, rotulo::DiasAfastamento);
        Par(kErro, fCriticaDiasAfastamento(e_.CoMotivoPrimAfas, e_.CoMotivoSeguAfas, e_.CoMotivoTercAfas, dias),
            {{dias, rotulo::DiasAfastamento}, {e_.CoMotivoPrimAfas, rotulo::MotivoAfastamentoCruzado}});
    }

    void MunicipioTrabalho() {
        const auto& municipio = e_.CoMunicipioTrabalho;
        if (Um(fCriticaPreenchimento(municipio, ctx_.exigePreenchimento), e_.CoMunicipioTrabalho,
               rotulo::MunicipioTrabalho))
            return;
        auto m = Apara(municipio);
        if (!m.empty() && m != "0000000")
            Um(fCriticaMunicipioTrabalho(ref_, municipio), e_.CoMunicipioTrabalho, rotulo::MunicipioTrabalho);
    }

    void Contribuicoes() {
        Um(fCriticaPreenchimento(e_.CoCNPJSindical, ctx_.exigePreenchimento), e_.CoCNPJSindical, rotulo::CnpjSindical);
        Um(fCriticaValorContribuicao(e_.VaGlobalSindical), e_.VaGlobalSindical, rotulo::ValorSindical);
        struct Entidade {
            const std::string &cnpj, &valor;
            const char *lblCnpj, *lblValor;
        };
        for (const auto& ent : {Entidade{e_.CoCNPJPrimAssociativa, e_.VaGlobalPrimAssociativa, rotulo::CnpjAssociativa,
                                         rotulo::ValorAssociativa},
                                Entidade{e_.CoCNPJSegAssociativa, e_.VaGlobalSegAssociativa, rotulo::CnpjAssociativa,
                                         rotulo::ValorAssociativa},
                                Entidade{e_.CoCNPJAssistencial, e_.VaGlobalAssistencial, rotulo::CnpjAssistencial,
                                         rotulo::ValorAssistencial},
                                Entidade{e_.CoCNPJConfederativa, e_.VaGlobalConfederativa, rotulo::CnpjConfederativa,
                                         rotulo::ValorConfederativa}}) {
            if (!Um(fCriticaPreenchimento(ent.cnpj, ctx_.exigePreenchimento), ent.cnpj, ent.lblCnpj) &&
                !fVazioOuZeros(ent.cnpj)) {
                // Only a valid head-office CNPJ identifies the union.
                auto codigo = fCriticaCnpjEntidade(ent.cnpj);
                if (codigo != "0051") Um(codigo, ent.cnpj, ent.lblCnpj);
            }
            Um(fCriticaValorContribuicao(ent.valor), ent.valor, ent.lblValor);
        }
    }

    void ValoresRescisorios() {
        if (!Um(fCriticaValorRescisorio(e_.VaGlobalFerias), e_.VaGlobalFerias, rotulo::Ferias))
            Um(fCriticaFeriasDesligamento(e_.CoCausaDesligamento, e_.VaGlobalFerias), e_.VaGlobalFerias,
               rotulo::Ferias);
        Um(fCriticaValorRescisorio(e_.VaGlobalMultas), e_.VaGlobalMultas, rotulo::Multas);
        ValorComMeses(e_.VaGlobalBcoHoras, rotulo::BancoHoras, e_.QtCompBcoHoras, rotulo::MesesBancoHoras,
                      fCriticaBancoHoras);
        ValorComMeses(e_.VaGlobalDissidio, rotulo::Dissidio, e_.QtCompDissidio, rotulo::MesesDissidio,
                      fCriticaDissidio);
        ValorComMeses(e_.VaGlobalGratificacoes, rotulo::Gratificacoes, e_.QtCompGratificacoes,
                      rotulo::MesesGratificacoes, fCriticaGratificacoes);
    }

    void ValorComMeses(const std::string& valor, const char* lblValor, const std::string& meses, const char* lblMeses,
                       std::string (*regra)(std::string_view, std::string_view)) {
        Um(fCriticaValorRescisorio(valor), valor, lblValor);
        if (!Um(fCriticaQuantidadeMeses(meses), meses, lblMeses)) Um(regra(valor, meses), meses, lblMeses);
    }

    const RegistroVinculo& e_;
    const RegistroEstabelecimento& est_;
    const ContextoVerificacaoEmpregado& ctx_;
    const Referencias& ref_;
    const IdentificacaoEstabelecimento propria_;  // when the run gives none
    EmissorInconsistencias saida_;
    const std::string ano_;
    const std::string deslAno_ = e_.DaDesligamentoEmpregado + ano_;
    const std::array<apoio::Numeral, 12> remuneracoes_;
};

}  // namespace

void pVerificaEmpregado(const RegistroVinculo& empregado, const RegistroEstabelecimento& estabelecimento,
                        const ContextoVerificacaoEmpregado& contexto, DestinoInconsistencias& destino) {
    PassosEmpregado(empregado, estabelecimento, contexto, destino).Executa();
}

}  // namespace zovi
