#include "rules/VerificaEstabelecimento.h"

#include "rules/CriticaEstabelecimento.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEndereco.h"
#include "rules/RegrasEstabelecimento.h"
#include "rules/Rotulos.h"

namespace zovi {

const std::vector<CampoDeclarante>& CamposDeclarante() {
    using R = RegistroDeclarante;
    static const std::vector<CampoDeclarante> campos = {
        {"CoCgcCeiResponsavel", &R::CoCgcCeiResponsavel},
        {"InInscrResponsavel", &R::InInscrResponsavel},
        {"NoResponsavelArquivo", &R::NoResponsavelArquivo},
        {"EdLogradouroRespArquivo", &R::EdLogradouroRespArquivo},
        {"NuLogradouroRespArquivo", &R::NuLogradouroRespArquivo},
        {"TxComplementoRespArquivo", &R::TxComplementoRespArquivo},
        {"NoBairroRespArquivo", &R::NoBairroRespArquivo},
        {"CoCepRespArquivo", &R::CoCepRespArquivo},
        {"CoMunicipioRespArquivo", &R::CoMunicipioRespArquivo},
        {"NoMunicipioRespArquivo", &R::NoMunicipioRespArquivo},
        {"SgUfRespArquivo", &R::SgUfRespArquivo},
        {"NuFoneDDD", &R::NuFoneDDD},
        {"NuFoneAssinante", &R::NuFoneAssinante},
        {"DaRetificacao", &R::DaRetificacao},
        {"DaGeracao", &R::DaGeracao},
        {"TxEMailRespArquivo", &R::TxEMailRespArquivo},
    };
    return campos;
}

const std::vector<CampoEstabelecimento>& CamposEstabelecimento() {
    using R = RegistroEstabelecimento;
    static const std::vector<CampoEstabelecimento> campos = {
        {"AnBase", &R::AnBase},
        {"CoCgcCeiEstabelecimento", &R::CoCgcCeiEstabelecimento},
        {"NuPrefixoEstabelecimento", &R::NuPrefixoEstabelecimento},
        {"InInscrEstabelecimento", &R::InInscrEstabelecimento},
        {"CoCgcVinculado", &R::CoCgcVinculado},
        {"NoRazaoEstabelecimento", &R::NoRazaoEstabelecimento},
        {"EdEstabelecimento", &R::EdEstabelecimento},
        {"NuEnderecoEstabelecimento", &R::NuEnderecoEstabelecimento},
        {"TxComplemEstabelecimento", &R::TxComplemEstabelecimento},
        {"NoBairroEstabelecimento", &R::NoBairroEstabelecimento},
        {"CoCepEstabelecimento", &R::CoCepEstabelecimento},
        {"CoMunicipio", &R::CoMunicipio},
        {"NoMunicEstabelecimento", &R::NoMunicEstabelecimento},
        {"SgUf", &R::SgUf},
        {"NuDDD", &R::NuDDD},
        {"NuTelefone", &R::NuTelefone},
        {"TxEmailEstabelecimento", &R::TxEmailEstabelecimento},
        {"InPorte", &R::InPorte},
        {"InOptanteSimples", &R::InOptanteSimples},
        {"CoCnae", &R::CoCnae},
        {"CoNaturezaJuridica", &R::CoNaturezaJuridica},
        {"NuProprietEstabelecimento", &R::NuProprietEstabelecimento},
        {"MeDataBase", &R::MeDataBase},
        {"InZoviNegEstabelecimento", &R::InZoviNegEstabelecimento},
        {"InOpcaoAberta", &R::InOpcaoAberta},
        {"InEncerramentoAtividade", &R::InEncerramentoAtividade},
        {"DaEncerramentoAtividade", &R::DaEncerramentoAtividade},
        {"InParticipaPAT", &R::InParticipaPAT},
        {"NuVinculoPatMaior5", &R::NuVinculoPatMaior5},
        {"NuVinculoPatMenor5", &R::NuVinculoPatMenor5},
        {"PoServicoProprio", &R::PoServicoProprio},
        {"PoAdmCozinha", &R::PoAdmCozinha},
        {"PoRefeicaoConvenio", &R::PoRefeicaoConvenio},
        {"PoRefeicaoTransportadora", &R::PoRefeicaoTransportadora},
        {"PoCestaAlimento", &R::PoCestaAlimento},
        {"PoAlimentacaoConvenio", &R::PoAlimentacaoConvenio},
        {"CoCNPJSindical", &R::CoCNPJSindical},
        {"VaGlobalSindical", &R::VaGlobalSindical},
        {"CoCNPJAssociativa", &R::CoCNPJAssociativa},
        {"VaGlobalAssociativa", &R::VaGlobalAssociativa},
        {"CoCNPJAssistencial", &R::CoCNPJAssistencial},
        {"VaGlobalAssistencial", &R::VaGlobalAssistencial},
        {"CoCNPJConfederativa", &R::CoCNPJConfederativa},
        {"VaGlobalConfederativa", &R::VaGlobalConfederativa},
        {"InAtividadeAnoBase", &R::InAtividadeAnoBase},
        {"TxUsoEstabelecimento", &R::TxUsoEstabelecimento},
    };
    return campos;
}

std::string ExibeTipoInscricaoEstabelecimento(const std::string& tipo) {
    auto t = Apara(tipo);
    if (t == "1") return "1 (CGC)";
    if (t == "3") return "3 (CEI)";
    return tipo;
}

IdentificacaoEstabelecimento IdentificaEstabelecimento(const RegistroEstabelecimento& e) {
    return {e.CoCgcCeiEstabelecimento, e.InInscrEstabelecimento, e.NuPrefixoEstabelecimento, e.NoRazaoEstabelecimento};
}

namespace {

bool Falhou(const std::string& r) { return !fPassou(r); }

bool UmDe(const std::string& r, std::initializer_list<const char*> codigos) {
    for (const char* c : codigos)
        if (r == c) return true;
    return false;
}

std::string Aparado(const std::string& s) { return std::string(Apara(s)); }

// The address chains in the run's order.
void VerificaEndereco(const Endereco& e, const Referencias& ref, PassosCritica& p) {
    CadeiaLogradouro(e, p);
    CadeiaNumero(e, p);
    CadeiaComplemento(e, p);
    CadeiaBairro(e, p);
    CadeiaCep(e, p);
    CadeiaMunicipio(e, ref, p);
    CadeiaDdd(e, ref, p);
    CadeiaTelefone(e, p);
}

std::string TipoDeclarante(const std::string& tipo) {
    auto t = Apara(tipo);
    if (t == "1") return "1 (CNPJ)";
    if (t == "3") return "3 (CEI)";
    if (t == "4") return "4 (CPF)";
    return tipo;
}

// The declarant's inscription may be a CNPJ, a CEI or a CPF: a value rejected
// as the kind its type names is still accepted when it is a valid inscription
// of another kind, and the type check then judges the pair.
void VerificaInscricaoDeclarante(const RegistroDeclarante& d, EmissorInconsistencias& em) {
    const std::string& v = d.CoCgcCeiResponsavel;
    const std::string tipo = Aparado(d.InInscrResponsavel);
    std::string primeiro, segundo;
    bool aceito;
    if (tipo != "4") {
        primeiro = fCriticaInscricao(v);
        aceito = UmDe(primeiro, {"0000", "0050", "0051", "0052"});
        if (!aceito) segundo = fCriticaInscricaoResponsavel(v, 11);
    } else {
        primeiro = fCriticaInscricaoResponsavel(v, 11);
        aceito = primeiro == "0056";
        if (!aceito) segundo = fCriticaInscricao(v);
    }
    if (!aceito && !UmDe(segundo, {"0050", "0051", "0052", "0056"})) {
        em.Linha(kErro, primeiro, v, rotulo::InscricaoResponsavel);
        return;
    }
    const std::string exibido = TipoDeclarante(d.InInscrResponsavel);
    if (auto r = fCriticaTipoInscricaoResponsavel(tipo); Falhou(r))
        em.Linha(kErro, r, exibido, rotulo::TipoInscricao);
    else if (r = fCriticaInscricaoPorTipo(v, tipo); Falhou(r))
        em.Linhas(kErro, r, {{exibido, rotulo::TipoInscricao}, {v, rotulo::InscricaoResponsavel}});
}

}  // namespace

void pVerificaDeclarante(const RegistroDeclarante& d, const Referencias& ref, DestinoInconsistencias& destino) {
    EmissorInconsistencias em(destino, kRegistroDeclarante);
    VerificaInscricaoDeclarante(d, em);

    const std::string nome = Aparado(d.NoResponsavelArquivo);
    if (auto r = fCriticaRazaoSocial(nome, ""); Falhou(r)) em.Linha(kErro, r, nome, rotulo::RazaoSocial);

    PassosVerificacao passos(em);
    VerificaEndereco({Aparado(d.EdLogradouroRespArquivo), d.NuLogradouroRespArquivo,
                      Aparado(d.TxComplementoRespArquivo), Aparado(d.NoBairroRespArquivo), d.CoCepRespArquivo,
                      d.CoMunicipioRespArquivo, Aparado(d.NoMunicipioRespArquivo), Aparado(d.SgUfRespArquivo),
                      Aparado(d.NuFoneDDD), Aparado(d.NuFoneAssinante)},
                     ref, passos);

    if (auto r = fCriticaDataRetificacao(d.InRetificacao, d.DaRetificacao); Falhou(r))
        em.Linhas(kErro, r,
                  {{d.DaRetificacao, rotulo::DataRetificacao},
                   {d.InRetificacao ? "Assinalado para retificação" : "Não assinalado", rotulo::Retificacao}});
    if (auto r = fCriticaDataGeracao(d.DaGeracao); Falhou(r)) em.Linha(kErro, r, d.DaGeracao, rotulo::DataGeracao);
    if (auto r = fCriticaEmail(d.TxEMailRespArquivo); Falhou(r))
        em.Linha(kErro, r, d.TxEMailRespArquivo, rotulo::Email);
}

void pVerificaEstabelecimento(const RegistroEstabelecimento& e, const Referencias& ref, bool exigePreenchimento,
                              DestinoInconsistencias& destino) {
    EmissorInconsistencias em(destino, kRegistroEstabelecimento, IdentificaEstabelecimento(e));
    PassosVerificacao p(em);
    const DadosEstabelecimento d{e, ref, exigePreenchimento};

    CadeiaOpcaoAberta(d, p);
    CadeiaAnoBase(d, p);
    CadeiaInscricao(d, p);
    CadeiaPrefixo(d, p);
    CadeiaRazaoSocial(d, p);
    VerificaEndereco(EnderecoEstabelecimento(e), ref, p);
    CadeiaEmail(d, p);
    CadeiaPorte(d, p);
    CadeiaSimples(d, p);
    CadeiaCnae(d, p);
    CadeiaNatureza(d, p);
    CadeiaProprietarios(d, p);
    CadeiaMesDataBase(d, p);
    CadeiaTipoDeclaracao(d, p);
    CadeiaCeiVinculado(d, p);
    CadeiaEncerramento(d, p);
    CadeiaParticipaPat(d, p);
    CadeiaPatAcimaCinco(d, p);
    CadeiaPatAteCinco(d, p);
    for (int i = 0; i < kPercentuaisPat; ++i) CadeiaPercentualPat(d, i, p);
    CadeiaPercentuaisPat(d, p);
    for (int i = 0; i < 4; ++i) {
        CadeiaCnpjContribuicao(d, i, p);
        CadeiaValorContribuicao(d, i, p);
    }
    CadeiaAtividade(d, p);
    CadeiaUso(d, p);
}

}  // namespace zovi
