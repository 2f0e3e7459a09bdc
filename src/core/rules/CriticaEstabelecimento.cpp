#include "rules/CriticaEstabelecimento.h"

#include <array>

#include "rules/Primitivas.h"
#include "rules/RegrasContribuicao.h"
#include "rules/RegrasEndereco.h"
#include "rules/RegrasEstabelecimento.h"
#include "rules/Rotulos.h"

namespace zovi {

namespace {

using A = Alcance;

std::string Aparado(const std::string& s) { return std::string(Apara(s)); }

bool UmDe(const std::string& r, std::initializer_list<const char*> codigos) {
    for (const char* c : codigos)
        if (r == c) return true;
    return false;
}

// The state whose abbreviation the address holds; null when none.
const Uf* UfDoEndereco(const Endereco& e, const Referencias& ref, std::string* codigo = nullptr) {
    const Uf* uf = nullptr;
    const auto r = fCriticaUf(ref, e.uf, &uf);
    if (codigo) *codigo = r;
    return uf;
}

// The linked CEI: its first two characters and the twelve after them.
std::string InicioCei(const RegistroEstabelecimento& e) { return Aparado(e.CoCgcVinculado.substr(0, 2)); }
std::string Cei12(const RegistroEstabelecimento& e) {
    return e.CoCgcVinculado.size() > 2 ? e.CoCgcVinculado.substr(2, 12) : std::string();
}

const char* const kRotulosPercentuais[kPercentuaisPat] = {
    rotulo::PoServicoProprio,         rotulo::PoAdmCozinha,    rotulo::PoRefeicaoConvenio,
    rotulo::PoRefeicaoTransportadora, rotulo::PoCestaAlimento, rotulo::PoAlimentacaoConvenio,
};

struct Contribuicao {
    std::string RegistroEstabelecimento::*cnpj;
    std::string RegistroEstabelecimento::*valor;
    const char *lblCnpj, *lblValor;
};
const Contribuicao kContribuicoes[4] = {
    {&RegistroEstabelecimento::CoCNPJSindical, &RegistroEstabelecimento::VaGlobalSindical, rotulo::CnpjSindical,
     rotulo::ValorSindical},
    {&RegistroEstabelecimento::CoCNPJAssociativa, &RegistroEstabelecimento::VaGlobalAssociativa,
     rotulo::CnpjAssociativa, rotulo::ValorAssociativa},
    {&RegistroEstabelecimento::CoCNPJAssistencial, &RegistroEstabelecimento::VaGlobalAssistencial,
     rotulo::CnpjAssistencial, rotulo::ValorAssistencial},
    {&RegistroEstabelecimento::CoCNPJConfederativa, &RegistroEstabelecimento::VaGlobalConfederativa,
     rotulo::CnpjConfederativa, rotulo::ValorConfederativa},
};
constexpr int kSindical = 0, kAssociativa = 1, kAssistencial = 2, kConfederativa = 3;

}  // namespace

const std::string RegistroEstabelecimento::* const kPercentuaisPatEstabelecimento[kPercentuaisPat] = {
    &RegistroEstabelecimento::PoServicoProprio,         &RegistroEstabelecimento::PoAdmCozinha,
    &RegistroEstabelecimento::PoRefeicaoConvenio,       &RegistroEstabelecimento::PoRefeicaoTransportadora,
    &RegistroEstabelecimento::PoCestaAlimento,          &RegistroEstabelecimento::PoAlimentacaoConvenio,
};

Endereco EnderecoEstabelecimento(const RegistroEstabelecimento& e) {
    return {Aparado(e.EdEstabelecimento), e.NuEnderecoEstabelecimento, Aparado(e.TxComplemEstabelecimento),
            Aparado(e.NoBairroEstabelecimento), e.CoCepEstabelecimento, e.CoMunicipio,
            Aparado(e.NoMunicEstabelecimento), Aparado(e.SgUf), Aparado(e.NuDDD), Aparado(e.NuTelefone)};
}

// ---- address ------------------------------------------------------------------------------

void CadeiaLogradouro(const Endereco& e, PassosCritica& p) {
    p.Erro(fCriticaLogradouro(e.logradouro), {{e.logradouro, rotulo::Logradouro}});
}

void CadeiaNumero(const Endereco& e, PassosCritica& p) {
    p.Erro(fCriticaNumeroLogradouro(e.numero), {{e.numero, rotulo::NumeroLogradouro}});
}

void CadeiaComplemento(const Endereco& e, PassosCritica& p) {
    if (p.Erro(fCriticaComplemento(e.complemento), {{e.complemento, rotulo::Complemento}}, true)) return;
    p.Erro(fCriticaNumeroComplemento(e.numero, e.complemento),
           {{e.numero, rotulo::NumeroLogradouro}, {e.complemento, rotulo::Complemento}});
}

void CadeiaBairro(const Endereco& e, PassosCritica& p) {
    p.Erro(fCriticaBairro(e.bairro), {{e.bairro, rotulo::Bairro}});
}

void CadeiaCep(const Endereco& e, PassosCritica& p) { p.Erro(fCriticaCep(e.cep), {{e.cep, rotulo::Cep}}); }

void CadeiaMunicipio(const Endereco& e, const Referencias& ref, PassosCritica& p, ResultadoMunicipioCep* lido) {
    if (p.Roda(A::Formulario)) {
        // The form: one judgement of the pair, sending the user to the municipality when it is
        // unknown and to the CEP otherwise.
        auto r = TCriticaZovi(ref).CriticaMunicipioCep(e.municipio, e.cep);
        const bool passa =
            r.situacao == SituacaoMunicipioCep::Coerente || r.situacao == SituacaoMunicipioCep::MunicipioSemCep;
        const bool municipio = r.situacao == SituacaoMunicipioCep::MunicipioInvalido;
        const std::string codigo = passa ? kPassa : r.resultado;
        if (lido) *lido = std::move(r);
        p.Erro(codigo, {{municipio ? e.municipio : e.cep, municipio ? rotulo::Municipio : rotulo::Cep}});
        return;
    }
    const Municipio* municipio = nullptr;
    if (auto r = fCriticaCodigoMunicipio(ref, e.municipio, &municipio); !fPassou(r))
        p.Erro(r, {{e.municipio, rotulo::Municipio}});
    else
        p.Aviso(fCriticaCepMunicipio(ref, e.cep, e.municipio, true), {{e.cep, rotulo::Cep}, {e.municipio, rotulo::Municipio}});
    p.Aviso(fCriticaNomeMunicipio(e.nomeMunicipio, municipio), {{e.nomeMunicipio, rotulo::NomeMunicipio}});

    std::string codigoUf;
    const Uf* uf = UfDoEndereco(e, ref, &codigoUf);
    if (!p.Erro(codigoUf, {{e.uf, rotulo::Uf}}, true))
        p.Erro(fCriticaMunicipioUf(ref, e.municipio, e.uf), {{e.municipio, rotulo::Municipio}, {e.uf, rotulo::Uf}});
    // The CEP is judged against the state found above; without one there is nothing to judge against.
    p.Erro(fCriticaCepUf(ref, e.cep, uf ? uf->codigo : std::string()), {{e.cep, rotulo::Cep}, {e.uf, rotulo::Uf}});
}

void CadeiaDdd(const Endereco& e, const Referencias& ref, PassosCritica& p) {
    if (p.Erro(fCriticaDdd(e.ddd), {{e.ddd, rotulo::Ddd}}, true)) return;
    // The area code against the state: the run reads the state stored with the address, the form
    // the one the municipality's code begins with.
    std::string codigoUf;
    if (p.Roda(A::Verificacao)) {
        const Uf* uf = UfDoEndereco(e, ref);
        codigoUf = uf ? uf->codigo : std::string();
    } else {
        codigoUf = e.municipio.substr(0, 2);
    }
    p.Aviso(fCriticaDddUf(e.ddd, codigoUf), {{e.uf, rotulo::Uf}, {e.ddd, rotulo::Ddd}});
}

void CadeiaTelefone(const Endereco& e, PassosCritica& p) {
    if (p.Erro(fCriticaTelefone(e.telefone), {{e.telefone, rotulo::Telefone}}, true)) return;
    p.Erro(fCriticaDddTelefone(e.ddd, e.telefone), {{e.ddd, rotulo::Ddd}, {e.telefone, rotulo::Telefone}});
}

// ---- the run's own checks -------------------------------------------------------------------

void CadeiaOpcaoAberta(const DadosEstabelecimento& d, PassosCritica& p) {
    if (!p.Roda(A::Verificacao)) return;
    const auto opcao = Apara(d.e.InOpcaoAberta);
    if (opcao.empty()) return;
    const char* conteudo = (opcao == "1" || opcao == "2" || opcao == "3") ? "Outras opções"
                           : opcao == "4" ? "Exclusão de estabelecimento"
                                          : "Atualização de estabelecimento";
    p.Erro("1677", {{conteudo, rotulo::OpcaoAberta}});
}

void CadeiaAnoBase(const DadosEstabelecimento& d, PassosCritica& p) {
    if (p.Roda(A::Verificacao))
        p.Erro(Apara(d.e.AnBase) != kTextoAnoBase ? "1911" : kPassa, {{d.e.AnBase, rotulo::AnoBase}});
}

void CadeiaInscricao(const DadosEstabelecimento& d, PassosCritica& p) {
    if (!p.Roda(A::Verificacao)) return;
    const auto& v = d.e.CoCgcCeiEstabelecimento;
    const auto& tipo = d.e.InInscrEstabelecimento;
    if (auto r = fCriticaInscricao(v); !UmDe(r, {"0050", "0051", "0052"}))
        p.Erro(r, {{v, rotulo::InscricaoEstabelecimento}});
    const std::string exibido = ExibeTipoInscricaoEstabelecimento(tipo);
    if (p.Erro(fCriticaTipoInscricao(tipo), {{exibido, rotulo::TipoInscricao}}, true)) return;
    p.Erro(fCriticaInscricaoPorTipo(v, tipo), {{exibido, rotulo::TipoInscricao}, {v, rotulo::InscricaoEstabelecimento}});
}

void CadeiaPrefixo(const DadosEstabelecimento& d, PassosCritica& p) {
    if (p.Roda(A::Verificacao))
        p.Erro(fCriticaPrefixo(d.e.NuPrefixoEstabelecimento), {{d.e.NuPrefixoEstabelecimento, rotulo::Prefixo}});
}

void CadeiaAtividade(const DadosEstabelecimento& d, PassosCritica& p) {
    if (!p.Roda(A::Verificacao)) return;
    const std::string atividade = Aparado(d.e.InAtividadeAnoBase);
    p.Erro(fCriticaAtividadeAnoBase(atividade), {{atividade, rotulo::AtividadeAnoBase}});
}

// ---- fields of both -------------------------------------------------------------------------

void CadeiaRazaoSocial(const DadosEstabelecimento& d, PassosCritica& p) {
    const std::string nome = Aparado(d.e.NoRazaoEstabelecimento);
    p.Erro(fCriticaRazaoSocial(nome, d.e.CoCgcCeiEstabelecimento), {{nome, rotulo::RazaoSocial}});
}

void CadeiaUso(const DadosEstabelecimento& d, PassosCritica& p) {
    const std::string uso = Aparado(d.e.TxUsoEstabelecimento);
    p.Erro(fCriticaTextoUso(uso), {{uso, rotulo::TextoUso}});
}

void CadeiaEmail(const DadosEstabelecimento& d, PassosCritica& p) {
    p.Erro(fCriticaEmail(d.e.TxEmailEstabelecimento), {{d.e.TxEmailEstabelecimento, rotulo::Email}});
}

void CadeiaPorte(const DadosEstabelecimento& d, PassosCritica& p) {
    const std::string porte = Aparado(d.e.InPorte);
    p.Erro(fCriticaPorte(porte), {{porte, rotulo::Porte}});
}

void CadeiaSimples(const DadosEstabelecimento& d, PassosCritica& p) {
    const std::string porte = Aparado(d.e.InPorte), opcao = Aparado(d.e.InOptanteSimples);
    if (p.Erro(fCriticaOptanteSimples(opcao), {{opcao, rotulo::OptanteSimples}}, true)) return;
    p.Erro(fCriticaSimplesPorte(opcao, porte), {{porte, rotulo::Porte}, {opcao, rotulo::OptanteSimples}});
}

void CadeiaCnae(const DadosEstabelecimento& d, PassosCritica& p) {
    const auto& cnae = d.e.CoCnae;
    const std::string nome = Aparado(d.e.NoRazaoEstabelecimento);
    if (p.Erro(fCriticaCnae(d.ref, cnae), {{cnae, rotulo::Cnae}}, true)) return;
    const auto r = fCriticaCnaeRazao(cnae, nome);
    p.Passo(r, r == "0363" ? kAviso : kErro, false, {{cnae, rotulo::Cnae}, {nome, rotulo::RazaoSocial}});
}

void CadeiaNatureza(const DadosEstabelecimento& d, PassosCritica& p) {
    const auto& natureza = d.e.CoNaturezaJuridica;
    const std::string nome = Aparado(d.e.NoRazaoEstabelecimento);
    if (p.Erro(fCriticaNaturezaJuridica(d.ref, natureza), {{natureza, rotulo::NaturezaJuridica}}, true)) return;
    p.Aviso(fCriticaNaturezaPrefeitura(natureza, nome),
            {{natureza, rotulo::NaturezaJuridica}, {nome, rotulo::RazaoSocial}});
}

void CadeiaProprietarios(const DadosEstabelecimento& d, PassosCritica& p) {
    p.Erro(fCriticaTamanhoNumerico(d.e.NuProprietEstabelecimento, 2),
           {{d.e.NuProprietEstabelecimento, rotulo::Proprietarios}});
}

void CadeiaMesDataBase(const DadosEstabelecimento& d, PassosCritica& p) {
    const auto& mes = d.e.MeDataBase;
    if (p.Erro(fCriticaMesDataBase(mes), {{mes, rotulo::MesDataBase}}, true)) return;
    p.Erro(fCriticaMesDataBaseNegativa(mes, d.e.InZoviNegEstabelecimento),
           {{mes, rotulo::MesDataBase}, {d.e.InZoviNegEstabelecimento, rotulo::ZoviNegativa}});
}

void CadeiaTipoDeclaracao(const DadosEstabelecimento& d, PassosCritica& p) {
    const auto& negativa = d.e.InZoviNegEstabelecimento;
    // The form offers only the two types; the run judges the stored indicator.
    if (p.Roda(A::Verificacao) &&
        p.Erro(fCriticaIndicadorZoviNegativa(negativa), {{negativa, rotulo::ZoviNegativa}}, true))
        return;
    const std::string cei12 = Cei12(d.e);
    p.Erro(fCriticaZoviNegativaInscricao(negativa, d.e.InInscrEstabelecimento, cei12),
           {{negativa, rotulo::ZoviNegativa},
            {d.e.InInscrEstabelecimento, rotulo::TipoInscricao},
            {cei12, rotulo::CeiVinculado}});
}

void CadeiaCeiVinculado(const DadosEstabelecimento& d, PassosCritica& p) {
    const std::string inicio = InicioCei(d.e), cei12 = Cei12(d.e), cei = "00" + cei12;
    const auto& tipo = d.e.InInscrEstabelecimento;
    // The form always stores "00" before the twelve digits it takes, and judges only a CEI typed.
    if (p.Roda(A::Verificacao)) p.Erro(inicio != "00" ? kNaoNumerico : kPassa, {{inicio, rotulo::InicioCeiVinculado}});
    if (p.Roda(A::Formulario)) {
        if (fVazioOuZeros(cei12)) return;
        // A CEI establishment has no linked CEI.
        if (p.Erro(Apara(tipo) == "3" ? "0350" : kPassa, {{cei12, rotulo::CeiVinculado}})) return;
    }
    if (p.Erro(fCriticaCeiVinculado(cei), {{cei12, rotulo::CeiVinculado}}, true)) return;
    if (p.Erro(fCriticaCeiVinculadoTipo(tipo, cei),
               {{ExibeTipoInscricaoEstabelecimento(tipo), rotulo::TipoInscricao}, {cei12, rotulo::CeiVinculado}}))
        return;
    // The form judges the type of declaration with the CEI just typed; the run in its own step.
    if (p.Roda(A::Formulario)) CadeiaTipoDeclaracao(d, p);
}

void CadeiaEncerramento(const DadosEstabelecimento& d, PassosCritica& p) {
    const auto& e = d.e;
    const auto r = fCriticaEncerramento(e.InEncerramentoAtividade, e.DaEncerramentoAtividade, e.AnBase,
                                        d.exigePreenchimento);
    if (r == "3516") {
        p.Erro(r, {{e.DaEncerramentoAtividade, rotulo::DataEncerramento}, {e.AnBase, rotulo::AnoBase}});
        return;
    }
    const char* indicador =
        Apara(e.InEncerramentoAtividade) == "1" ? "Assinalado para encerramento das atividades" : "Não assinalado";
    p.Erro(r, {{e.DaEncerramentoAtividade, rotulo::DataEncerramento}, {indicador, rotulo::Encerramento}});
}

void CadeiaParticipaPat(const DadosEstabelecimento& d, PassosCritica& p) {
    p.Erro(fCriticaParticipaPat(d.e.InParticipaPAT), {{d.e.InParticipaPAT, rotulo::ParticipaPat}});
}

void CadeiaPatAcimaCinco(const DadosEstabelecimento& d, PassosCritica& p) {
    p.Erro(fCriticaNumeroBeneficiariosPat(d.e.NuVinculoPatMaior5),
           {{d.e.NuVinculoPatMaior5, rotulo::PatAcimaCincoSalarios}});
}

void CadeiaPatAteCinco(const DadosEstabelecimento& d, PassosCritica& p) {
    const auto& e = d.e;
    if (p.Erro(fCriticaNumeroBeneficiariosPat(e.NuVinculoPatMenor5), {{e.NuVinculoPatMenor5, rotulo::PatAteCincoSalarios}},
               true))
        return;
    if (!fPassou(fCriticaNumeroBeneficiariosPat(e.NuVinculoPatMaior5))) return;
    std::string r = fCriticaParticipanteSemBeneficiariosPat(e.InParticipaPAT, e.NuVinculoPatMaior5, e.NuVinculoPatMenor5);
    if (fPassou(r)) r = fCriticaBeneficiariosPat(e.InParticipaPAT, e.NuVinculoPatMenor5, e.NuVinculoPatMaior5);
    // The form lets the user go on past counts the run reports as errors ("3522", "3525").
    const bool aceito = p.Roda(A::Formulario) && (r == "3522" || r == "3525");
    p.Passo(r, aceito ? kAviso : kErro, false,
            {{e.InParticipaPAT, rotulo::ParticipaPat},
             {e.NuVinculoPatMaior5, rotulo::PatAcimaCincoSalarios},
             {e.NuVinculoPatMenor5, rotulo::PatAteCincoSalarios}});
}

void CadeiaPercentualPat(const DadosEstabelecimento& d, int i, PassosCritica& p) {
    const auto& valor = d.e.*kPercentuaisPatEstabelecimento[i];
    const auto r = fCriticaPercentualPat(valor);
    p.Passo(r, r == "3521" ? kAviso : kErro, false, {{valor, kRotulosPercentuais[i]}});
}

void CadeiaPercentuaisPat(const DadosEstabelecimento& d, PassosCritica& p) {
    std::array<std::string, kPercentuaisPat> valores;
    for (int i = 0; i < kPercentuaisPat; ++i) {
        valores[i] = d.e.*kPercentuaisPatEstabelecimento[i];
        // A percentage that is not one is reported alone; above 100 ("3521") still adds up.
        const auto r = fCriticaPercentualPat(valores[i]);
        if (!fPassou(r) && r != "3521") return;
    }
    const auto r = fCriticaPercentuaisPat(d.e.InParticipaPAT, valores);
    // The run reports the sum as a warning; the form stops on any result but "3600" and "3601".
    const bool aviso = p.Roda(A::Verificacao) || r == "3600" || r == "3601";
    const char* tipo = aviso ? kAviso : kErro;
    // The form shows the code once; the run writes it on the indicator and on each percentage.
    if (p.Passo(r, tipo, false, {{d.e.InParticipaPAT, rotulo::ParticipaPat}}) || fPassou(r) || p.Roda(A::Formulario))
        return;
    for (int i = 0; i < kPercentuaisPat; ++i) p.Passo(r, tipo, false, {{valores[i], kRotulosPercentuais[i]}});
}

void CadeiaCnpjContribuicao(const DadosEstabelecimento& d, int i, PassosCritica& p) {
    const auto& k = kContribuicoes[i];
    const auto& cnpj = d.e.*k.cnpj;
    if (p.Erro(fCriticaPreenchimento(cnpj, d.exigePreenchimento), {{cnpj, k.lblCnpj}}, true)) return;
    if (fVazioOuZeros(cnpj)) return;
    auto propria = [&] {
        return p.Erro(fCriticaCnpjEntidadePropria(cnpj, d.e.CoCgcCeiEstabelecimento), {{cnpj, k.lblCnpj}}, true);
    };
    // Only a valid head-office CNPJ identifies the entity.
    auto entidade = [&] {
        const auto r = fCriticaCnpjEntidade(cnpj);
        return p.Erro(UmDe(r, {"0000", "0051"}) ? kPassa : r, {{cnpj, k.lblCnpj}}, true);
    };
    // The form judges the associative CNPJ the other way round, the entity first.
    if (i == kAssociativa && p.Roda(A::Formulario)) {
        if (!entidade()) propria();
        return;
    }
    if (!propria()) entidade();
}

void CadeiaValorContribuicao(const DadosEstabelecimento& d, int i, PassosCritica& p) {
    const auto& k = kContribuicoes[i];
    const auto& valor = d.e.*k.valor;
    if (i != kSindical) {
        if (p.Erro(fCriticaPreenchimento(valor, d.exigePreenchimento), {{valor, k.lblValor}}, true)) return;
        // Assistance and confederative contributions are optional.
        const bool opcional = i == kAssistencial || i == kConfederativa;
        if (opcional && (fVazio(valor) || valor == "00000000")) return;
    }
    p.Erro(fCriticaValorContribuicao(valor), {{valor, k.lblValor}});
}

}  // namespace zovi
