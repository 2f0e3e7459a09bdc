#include "rules/VerificaEstabelecimento.h"

#include <array>

#include "rules/Primitivas.h"
#include "rules/RegrasContribuicao.h"
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

// Address and contact fields, shared by the declarant and the establishment.
// The text fields arrive trimmed.
struct Endereco {
    std::string logradouro, numero, complemento, bairro, cep, municipio, nomeMunicipio, uf, ddd, telefone;
};

void VerificaEndereco(const Endereco& e, const Referencias& ref, EmissorInconsistencias& em) {
    if (auto r = fCriticaLogradouro(e.logradouro); Falhou(r)) em.Linha(kErro, r, e.logradouro, rotulo::Logradouro);
    if (auto r = fCriticaNumeroLogradouro(e.numero); Falhou(r)) em.Linha(kErro, r, e.numero, rotulo::NumeroLogradouro);

    if (auto r = fCriticaComplemento(e.complemento); Falhou(r))
        em.Linha(kErro, r, e.complemento, rotulo::Complemento);
    else if (r = fCriticaNumeroComplemento(e.numero, e.complemento); Falhou(r))
        em.Linhas(kErro, r, {{e.numero, rotulo::NumeroLogradouro}, {e.complemento, rotulo::Complemento}});

    if (auto r = fCriticaBairro(e.bairro); Falhou(r)) em.Linha(kErro, r, e.bairro, rotulo::Bairro);
    if (auto r = fCriticaCep(e.cep); Falhou(r)) em.Linha(kErro, r, e.cep, rotulo::Cep);

    const Municipio* municipio = nullptr;
    if (auto r = fCriticaCodigoMunicipio(ref, e.municipio, &municipio); Falhou(r))
        em.Linha(kErro, r, e.municipio, rotulo::Municipio);
    else if (r = fCriticaCepMunicipio(ref, e.cep, e.municipio, true); Falhou(r))
        em.Linhas(kAviso, r, {{e.cep, rotulo::Cep}, {e.municipio, rotulo::Municipio}});

    if (auto r = fCriticaNomeMunicipio(e.nomeMunicipio, municipio); Falhou(r))
        em.Linha(kAviso, r, e.nomeMunicipio, rotulo::NomeMunicipio);

    const Uf* uf = nullptr;
    if (auto r = fCriticaUf(ref, e.uf, &uf); Falhou(r))
        em.Linha(kErro, r, e.uf, rotulo::Uf);
    else if (r = fCriticaMunicipioUf(ref, e.municipio, e.uf); Falhou(r))
        em.Linhas(kErro, r, {{e.municipio, rotulo::Municipio}, {e.uf, rotulo::Uf}});
    // The CEP is judged against the state found above; without one there is nothing to judge against.
    const std::string codigoUf = uf ? uf->codigo : std::string();
    if (auto r = fCriticaCepUf(ref, e.cep, codigoUf); Falhou(r))
        em.Linhas(kErro, r, {{e.cep, rotulo::Cep}, {e.uf, rotulo::Uf}});

    if (auto r = fCriticaDdd(e.ddd); Falhou(r))
        em.Linha(kErro, r, e.ddd, rotulo::Ddd);
    else if (r = fCriticaDddUf(e.ddd, codigoUf); Falhou(r))
        em.Linhas(kAviso, r, {{e.uf, rotulo::Uf}, {e.ddd, rotulo::Ddd}});

    if (auto r = fCriticaTelefone(e.telefone); Falhou(r))
        em.Linha(kErro, r, e.telefone, rotulo::Telefone);
    else if (r = fCriticaDddTelefone(e.ddd, e.telefone); Falhou(r))
        em.Linhas(kErro, r, {{e.ddd, rotulo::Ddd}, {e.telefone, rotulo::Telefone}});
}

std::string TipoDeclarante(const std::string& tipo) {
    auto t = Apara(tipo);
    if (t == "1") return "1 (CNPJ)";
    if (t == "3") return "3 (CEI)";
    if (t == "4") return "4 (CPF)";
    return tipo;
}

std::string TipoEstabelecimento(const std::string& tipo) {
    auto t = Apara(tipo);
    if (t == "1") return "1 (CGC)";
    if (t == "3") return "3 (CEI)";
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

void VerificaInscricaoEstabelecimento(const RegistroEstabelecimento& e, EmissorInconsistencias& em) {
    const std::string& v = e.CoCgcCeiEstabelecimento;
    if (auto r = fCriticaInscricao(v); !UmDe(r, {"0050", "0051", "0052"}))
        em.Linha(kErro, r, v, rotulo::InscricaoEstabelecimento);
    const std::string exibido = TipoEstabelecimento(e.InInscrEstabelecimento);
    if (auto r = fCriticaTipoInscricao(e.InInscrEstabelecimento); Falhou(r))
        em.Linha(kErro, r, exibido, rotulo::TipoInscricao);
    else if (r = fCriticaInscricaoPorTipo(v, e.InInscrEstabelecimento); Falhou(r))
        em.Linhas(kErro, r, {{exibido, rotulo::TipoInscricao}, {v, rotulo::InscricaoEstabelecimento}});
}

void VerificaOpcaoAberta(const RegistroEstabelecimento& e, EmissorInconsistencias& em) {
    auto opcao = Apara(e.InOpcaoAberta);
    if (opcao.empty()) return;
    const char* conteudo = (opcao == "1" || opcao == "2" || opcao == "3") ? "Outras opções"
                           : opcao == "4"                                 ? "Exclusão de estabelecimento"
                                                                          : "Atualização de estabelecimento";
    em.Linha(kErro, "1677", conteudo, rotulo::OpcaoAberta);
}

void VerificaCeiVinculado(const RegistroEstabelecimento& e, EmissorInconsistencias& em) {
    const std::string& vinculado = e.CoCgcVinculado;
    const std::string inicio = Aparado(vinculado.substr(0, 2));
    const std::string cei12 = vinculado.size() > 2 ? vinculado.substr(2, 12) : std::string();
    if (inicio != "00") em.Linha(kErro, kNaoNumerico, inicio, rotulo::InicioCeiVinculado);
    const std::string cei = "00" + cei12;
    if (auto r = fCriticaCeiVinculado(cei); Falhou(r))
        em.Linha(kErro, r, cei12, rotulo::CeiVinculado);
    else if (r = fCriticaCeiVinculadoTipo(e.InInscrEstabelecimento, cei); Falhou(r))
        em.Linhas(
            kErro, r,
            {{TipoEstabelecimento(e.InInscrEstabelecimento), rotulo::TipoInscricao}, {cei12, rotulo::CeiVinculado}});
}

void VerificaEncerramento(const RegistroEstabelecimento& e, bool exige, EmissorInconsistencias& em) {
    auto r = fCriticaEncerramento(e.InEncerramentoAtividade, e.DaEncerramentoAtividade, e.AnBase, exige);
    if (!Falhou(r)) return;
    if (r == "3516") {
        em.Linhas(kErro, r, {{e.DaEncerramentoAtividade, rotulo::DataEncerramento}, {e.AnBase, rotulo::AnoBase}});
        return;
    }
    const char* indicador =
        Apara(e.InEncerramentoAtividade) == "1" ? "Assinalado para encerramento das atividades" : "Não assinalado";
    em.Linhas(kErro, r, {{e.DaEncerramentoAtividade, rotulo::DataEncerramento}, {indicador, rotulo::Encerramento}});
}

void VerificaBeneficiariosPat(const RegistroEstabelecimento& e, EmissorInconsistencias& em) {
    auto maior = fCriticaNumeroBeneficiariosPat(e.NuVinculoPatMaior5);
    if (Falhou(maior)) em.Linha(kErro, maior, e.NuVinculoPatMaior5, rotulo::PatAcimaCincoSalarios);
    auto menor = fCriticaNumeroBeneficiariosPat(e.NuVinculoPatMenor5);
    if (Falhou(menor)) em.Linha(kErro, menor, e.NuVinculoPatMenor5, rotulo::PatAteCincoSalarios);
    if (Falhou(maior) || Falhou(menor)) return;
    std::string r;
    if (e.NuVinculoPatMaior5 == "000000" && e.NuVinculoPatMenor5 == "000000" && Apara(e.InParticipaPAT) == "1")
        r = "3626";  // a participant with no beneficiary
    else
        r = fCriticaBeneficiariosPat(e.InParticipaPAT, e.NuVinculoPatMenor5, e.NuVinculoPatMaior5);
    if (Falhou(r))
        em.Linhas(kErro, r,
                  {{e.InParticipaPAT, rotulo::ParticipaPat},
                   {e.NuVinculoPatMaior5, rotulo::PatAcimaCincoSalarios},
                   {e.NuVinculoPatMenor5, rotulo::PatAteCincoSalarios}});
}

void VerificaPercentuaisPat(const RegistroEstabelecimento& e, EmissorInconsistencias& em) {
    const std::array<std::pair<const std::string*, const char*>, 6> campos = {{
        {&e.PoServicoProprio, rotulo::PoServicoProprio},
        {&e.PoAdmCozinha, rotulo::PoAdmCozinha},
        {&e.PoRefeicaoConvenio, rotulo::PoRefeicaoConvenio},
        {&e.PoRefeicaoTransportadora, rotulo::PoRefeicaoTransportadora},
        {&e.PoCestaAlimento, rotulo::PoCestaAlimento},
        {&e.PoAlimentacaoConvenio, rotulo::PoAlimentacaoConvenio},
    }};
    bool somente3521 = true;
    for (const auto& [valor, lbl] : campos) {
        auto r = fCriticaPercentualPat(*valor);
        if (!Falhou(r)) continue;
        if (r == "3521") {
            em.Linha(kAviso, r, *valor, lbl);
        } else {
            em.Linha(kErro, r, *valor, lbl);
            somente3521 = false;
        }
    }
    if (!somente3521) return;
    std::array<std::string, 6> valores;
    for (std::size_t i = 0; i < campos.size(); ++i) valores[i] = *campos[i].first;
    if (auto r = fCriticaPercentuaisPat(e.InParticipaPAT, valores); Falhou(r)) {
        em.Linha(kAviso, r, e.InParticipaPAT, rotulo::ParticipaPat);
        for (const auto& [valor, lbl] : campos) em.Linha(kAviso, r, *valor, lbl);
    }
}

enum class Entidade { Sindical, Associativa, Assistencial, Confederativa };

struct Contribuicao {
    Entidade entidade;
    const std::string& cnpj;
    const char* lblCnpj;
    const std::string& valor;
    const char* lblValor;
};

void VerificaContribuicao(const Contribuicao& c, const std::string& inscricao, bool exige, EmissorInconsistencias& em) {
    if (auto r = fCriticaPreenchimento(c.cnpj, exige); Falhou(r)) {
        em.Linha(kErro, r, c.cnpj, c.lblCnpj);
    } else if (!fVazioOuZeros(c.cnpj)) {
        if (r = fCriticaCnpjEntidadePropria(c.cnpj, inscricao); Falhou(r))
            em.Linha(kErro, r, c.cnpj, c.lblCnpj);
        else if (r = fCriticaCnpjEntidade(c.cnpj); !UmDe(r, {"0000", "0051"}))
            em.Linha(kErro, r, c.cnpj, c.lblCnpj);
    }

    if (c.entidade != Entidade::Sindical) {
        if (auto r = fCriticaPreenchimento(c.valor, exige); Falhou(r)) {
            em.Linha(kErro, r, c.valor, c.lblValor);
            return;
        }
        // Assistance and confederative contributions are optional.
        bool opcional = c.entidade == Entidade::Assistencial || c.entidade == Entidade::Confederativa;
        if (opcional && (fVazio(c.valor) || c.valor == "00000000")) return;
    }
    if (auto r = fCriticaValorContribuicao(c.valor); Falhou(r)) em.Linha(kErro, r, c.valor, c.lblValor);
}

}  // namespace

void pVerificaDeclarante(const RegistroDeclarante& d, const Referencias& ref, DestinoInconsistencias& destino) {
    EmissorInconsistencias em(destino, kRegistroDeclarante);
    VerificaInscricaoDeclarante(d, em);

    const std::string nome = Aparado(d.NoResponsavelArquivo);
    if (auto r = fCriticaRazaoSocial(nome, ""); Falhou(r)) em.Linha(kErro, r, nome, rotulo::RazaoSocial);

    VerificaEndereco({Aparado(d.EdLogradouroRespArquivo), d.NuLogradouroRespArquivo,
                      Aparado(d.TxComplementoRespArquivo), Aparado(d.NoBairroRespArquivo), d.CoCepRespArquivo,
                      d.CoMunicipioRespArquivo, Aparado(d.NoMunicipioRespArquivo), Aparado(d.SgUfRespArquivo),
                      Aparado(d.NuFoneDDD), Aparado(d.NuFoneAssinante)},
                     ref, em);

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

    VerificaOpcaoAberta(e, em);
    if (Apara(e.AnBase) != kTextoAnoBase) em.Linha(kErro, "1911", e.AnBase, rotulo::AnoBase);
    VerificaInscricaoEstabelecimento(e, em);
    if (auto r = fCriticaPrefixo(e.NuPrefixoEstabelecimento); Falhou(r))
        em.Linha(kErro, r, e.NuPrefixoEstabelecimento, rotulo::Prefixo);
    const std::string nome = Aparado(e.NoRazaoEstabelecimento);
    if (auto r = fCriticaRazaoSocial(nome, e.CoCgcCeiEstabelecimento); Falhou(r))
        em.Linha(kErro, r, nome, rotulo::RazaoSocial);

    VerificaEndereco({Aparado(e.EdEstabelecimento), e.NuEnderecoEstabelecimento, Aparado(e.TxComplemEstabelecimento),
                      Aparado(e.NoBairroEstabelecimento), e.CoCepEstabelecimento, e.CoMunicipio,
                      Aparado(e.NoMunicEstabelecimento), Aparado(e.SgUf), Aparado(e.NuDDD), Aparado(e.NuTelefone)},
                     ref, em);
    if (auto r = fCriticaEmail(e.TxEmailEstabelecimento); Falhou(r))
        em.Linha(kErro, r, e.TxEmailEstabelecimento, rotulo::Email);

    const std::string porte = Aparado(e.InPorte), opcao = Aparado(e.InOptanteSimples);
    if (auto r = fCriticaPorte(porte); Falhou(r)) em.Linha(kErro, r, porte, rotulo::Porte);
    if (auto r = fCriticaOptanteSimples(opcao); Falhou(r))
        em.Linha(kErro, r, opcao, rotulo::OptanteSimples);
    else if (r = fCriticaSimplesPorte(opcao, porte); Falhou(r))
        em.Linhas(kErro, r, {{porte, rotulo::Porte}, {opcao, rotulo::OptanteSimples}});

    if (auto r = fCriticaCnae(ref, e.CoCnae); Falhou(r))
        em.Linha(kErro, r, e.CoCnae, rotulo::Cnae);
    else if (r = fCriticaCnaeRazao(e.CoCnae, nome); Falhou(r))
        em.Linhas(r == "0363" ? kAviso : kErro, r, {{e.CoCnae, rotulo::Cnae}, {nome, rotulo::RazaoSocial}});

    if (auto r = fCriticaNaturezaJuridica(ref, e.CoNaturezaJuridica); Falhou(r))
        em.Linha(kErro, r, e.CoNaturezaJuridica, rotulo::NaturezaJuridica);
    else if (r = fCriticaNaturezaPrefeitura(e.CoNaturezaJuridica, nome); Falhou(r))
        em.Linhas(kAviso, r, {{e.CoNaturezaJuridica, rotulo::NaturezaJuridica}, {nome, rotulo::RazaoSocial}});

    if (auto r = fCriticaTamanhoNumerico(e.NuProprietEstabelecimento, 2); Falhou(r))
        em.Linha(kErro, r, e.NuProprietEstabelecimento, rotulo::Proprietarios);

    if (auto r = fCriticaMesDataBase(e.MeDataBase); Falhou(r))
        em.Linha(kErro, r, e.MeDataBase, rotulo::MesDataBase);
    else if (r = fCriticaMesDataBaseNegativa(e.MeDataBase, e.InZoviNegEstabelecimento); Falhou(r))
        em.Linhas(kErro, r, {{e.MeDataBase, rotulo::MesDataBase}, {e.InZoviNegEstabelecimento, rotulo::ZoviNegativa}});

    const std::string cei12 = e.CoCgcVinculado.size() > 2 ? e.CoCgcVinculado.substr(2, 12) : std::string();
    if (auto r = fCriticaIndicadorZoviNegativa(e.InZoviNegEstabelecimento); Falhou(r))
        em.Linha(kErro, r, e.InZoviNegEstabelecimento, rotulo::ZoviNegativa);
    else if (r = fCriticaZoviNegativaInscricao(e.InZoviNegEstabelecimento, e.InInscrEstabelecimento, cei12); Falhou(r))
        em.Linhas(kErro, r,
                  {{e.InZoviNegEstabelecimento, rotulo::ZoviNegativa},
                   {e.InInscrEstabelecimento, rotulo::TipoInscricao},
                   {cei12, rotulo::CeiVinculado}});

    VerificaCeiVinculado(e, em);
    VerificaEncerramento(e, exigePreenchimento, em);

    if (auto r = fCriticaParticipaPat(e.InParticipaPAT); Falhou(r))
        em.Linha(kErro, r, e.InParticipaPAT, rotulo::ParticipaPat);
    VerificaBeneficiariosPat(e, em);
    VerificaPercentuaisPat(e, em);

    const Contribuicao contribuicoes[] = {
        {Entidade::Sindical, e.CoCNPJSindical, rotulo::CnpjSindical, e.VaGlobalSindical, rotulo::ValorSindical},
        {Entidade::Associativa, e.CoCNPJAssociativa, rotulo::CnpjAssociativa, e.VaGlobalAssociativa,
         rotulo::ValorAssociativa},
        {Entidade::Assistencial, e.CoCNPJAssistencial, rotulo::CnpjAssistencial, e.VaGlobalAssistencial,
         rotulo::ValorAssistencial},
        {Entidade::Confederativa, e.CoCNPJConfederativa, rotulo::CnpjConfederativa, e.VaGlobalConfederativa,
         rotulo::ValorConfederativa},
    };
    for (const auto& c : contribuicoes) VerificaContribuicao(c, e.CoCgcCeiEstabelecimento, exigePreenchimento, em);

    const std::string atividade = Aparado(e.InAtividadeAnoBase);
    if (auto r = fCriticaAtividadeAnoBase(atividade); Falhou(r))
        em.Linha(kErro, r, atividade, rotulo::AtividadeAnoBase);
    const std::string uso = Aparado(e.TxUsoEstabelecimento);
    if (auto r = fCriticaTextoUso(uso); Falhou(r)) em.Linha(kErro, r, uso, rotulo::TextoUso);
}

}  // namespace zovi
