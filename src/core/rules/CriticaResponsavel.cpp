#include "rules/CriticaResponsavel.h"

#include <functional>

#include "engine/Tabela.h"
#include "messages/Formatacao.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEndereco.h"
#include "rules/RegrasEstabelecimento.h"

namespace zovi {

namespace {

using C = CampoResponsavel;

ResultadoResponsavel Passa() { return {}; }

// The rule's code as a result: any code but "0000" fails and sends the user to the field.
ResultadoResponsavel Falha(const std::string& codigo, CampoResponsavel campo) {
    ResultadoResponsavel r;
    r.codigo = codigo;
    r.campo = campo;
    r.falhou = codigo != "0000";
    return r;
}

// Runs a text rule on the trimmed value and keeps the trimmed value when it passes.
template <class Regra>
ResultadoResponsavel CriticaTexto(std::string& valor, CampoResponsavel campo, Regra regra) {
    std::string limpo = fAparaTexto(valor);
    auto r = Falha(regra(limpo), campo);
    if (!r.falhou) valor = std::move(limpo);
    return r;
}

// The type an accepted inscription takes by the number of digits typed, or the code that
// tells the user how many digits the kind the digits are valid as needs.
struct TipoDigitado {
    std::string tipo;
    std::string codigo;
};

TipoDigitado TipoPeloTamanho(const std::string& codigo, std::size_t tamanho, std::string_view digitos) {
    if (codigo == "0049") {
        if (tamanho == 14) return {"1", "0000"};
        if (tamanho == 12) return {"3", "0000"};
        return {"", tamanho > 12 ? "1003" : "1004"};
    }
    if (codigo == "0051") return tamanho == 14 ? TipoDigitado{"1", "0000"} : TipoDigitado{"", "1003"};
    if (codigo == "0052") return tamanho == 12 ? TipoDigitado{"3", "0000"} : TipoDigitado{"", "1004"};
    if (codigo == "0056") return tamanho == 11 ? TipoDigitado{"4", "0000"} : TipoDigitado{"", "3509"};
    // A CPF typed with leading zeros beyond its 11 digits is invalid as CNPJ or CEI; the
    // user learns that a CPF is typed with 11 digits.
    if (codigo == "0054" && tamanho != 11 && fCriticaInscricaoResponsavel(digitos, 11) == "0056") return {"", "3509"};
    return {"", codigo};
}

}  // namespace

DadosResponsavel LeResponsavel(const Tabela& t) {
    DadosResponsavel d;
    d.CoCgcCeiResponsavel = fAparaTexto(t.Texto("CoCgcCeiResponsavel"));
    d.InInscrResponsavel = fAparaTexto(t.Texto("InInscrResponsavel"));
    d.NoResponsavelArquivo = fAparaTexto(t.Texto("NoResponsavelArquivo"));
    d.EdLogradouroRespArquivo = fAparaTexto(t.Texto("EdLogradouroRespArquivo"));
    d.NuLogradouroRespArquivo = RetiraZerosEsquerda(fAparaTexto(t.Texto("NuLogradouroRespArquivo")));
    d.TxComplementoRespArquivo = fAparaTexto(t.Texto("TxComplementoRespArquivo"));
    d.NoBairroRespArquivo = fAparaTexto(t.Texto("NoBairroRespArquivo"));
    d.CoCepRespArquivo = fAparaTexto(t.Texto("CoCepRespArquivo"));
    d.CoMunicipioRespArquivo = fAparaTexto(t.Texto("CoMunicipioRespArquivo"));
    d.NoMunicipioRespArquivo = fAparaTexto(t.Texto("NoMunicipioRespArquivo"));
    d.SgUfRespArquivo = fAparaTexto(t.Texto("SgUfRespArquivo"));
    d.NuFoneDDD = fAparaTexto(t.Texto("NuFoneDDD"));
    d.NuFoneAssinante = fAparaTexto(t.Texto("NuFoneAssinante"));
    d.TxEMailRespArquivo = fAparaTexto(t.Texto("TxEMailRespArquivo"));
    d.InReciboParaRespArquivo = t.Logico("InReciboParaRespArquivo");
    return d;
}

void PoeResponsavel(Tabela& t, const DadosResponsavel& d) {
    t.PoeTexto("CoCgcCeiResponsavel", d.CoCgcCeiResponsavel);
    t.PoeTexto("InInscrResponsavel", d.InInscrResponsavel);
    t.PoeTexto("NoResponsavelArquivo", d.NoResponsavelArquivo);
    t.PoeTexto("EdLogradouroRespArquivo", d.EdLogradouroRespArquivo);
    t.PoeTexto("NuLogradouroRespArquivo", d.NuLogradouroRespArquivo);
    t.PoeTexto("TxComplementoRespArquivo", d.TxComplementoRespArquivo);
    t.PoeTexto("NoBairroRespArquivo", d.NoBairroRespArquivo);
    t.PoeTexto("CoCepRespArquivo", d.CoCepRespArquivo);
    t.PoeTexto("CoMunicipioRespArquivo", d.CoMunicipioRespArquivo);
    t.PoeTexto("NoMunicipioRespArquivo", d.NoMunicipioRespArquivo);
    t.PoeTexto("SgUfRespArquivo", d.SgUfRespArquivo);
    t.PoeTexto("NuFoneDDD", d.NuFoneDDD);
    t.PoeTexto("NuFoneAssinante", d.NuFoneAssinante);
    t.PoeTexto("TxEMailRespArquivo", d.TxEMailRespArquivo);
    t.PoeLogico("InReciboParaRespArquivo", d.InReciboParaRespArquivo);
}

void FinalizaResponsavel(DadosResponsavel& d) {
    if (d.NuLogradouroRespArquivo.size() < 6) d.NuLogradouroRespArquivo = CompletaZeros(d.NuLogradouroRespArquivo, 6);
    d.NuFoneDDD = fAparaTexto(d.NuFoneDDD);
    d.NuFoneAssinante = fAparaTexto(d.NuFoneAssinante);
}

InscricaoExibida MostraInscricaoResp(const std::string& inscricao, const std::string& tipo) {
    if (fAparaTexto(inscricao).empty()) return {};
    const std::string v = CompletaZeros(fAparaTexto(inscricao), 14);
    if (tipo == "1") return {FormataInscricao(v, "1"), "CNPJ"};
    if (tipo == "3") return {FormataInscricao(v, "3"), "CEI"};
    return {FormataInscricaoCpf(v, "4"), "CPF"};
}

std::string DigitosInscricaoResp(const std::string& inscricao, const std::string& tipo) {
    if (fAparaTexto(inscricao).empty()) return {};
    const std::string v = CompletaZeros(fAparaTexto(inscricao), 14);
    if (tipo == "1") return v;
    if (tipo == "3") return v.substr(2);
    return v.substr(3);
}

ResultadoResponsavel CriticaInscricaoResp(DadosResponsavel& d, std::string_view digitos) {
    const std::string typed(Apara(digitos));
    const std::string codigo = fCriticaInscricaoResponsavel(typed, static_cast<int>(typed.size()));
    const auto tipo = TipoPeloTamanho(codigo, typed.size(), typed);
    if (tipo.tipo.empty()) return Falha(tipo.codigo == "0000" ? codigo : tipo.codigo, C::Inscricao);
    d.CoCgcCeiResponsavel = CompletaZeros(typed, 14);
    d.InInscrResponsavel = tipo.tipo;
    return Passa();
}

ResultadoResponsavel CriticaNomeResp(DadosResponsavel& d) {
    return CriticaTexto(d.NoResponsavelArquivo, C::Nome, [](const std::string& v) { return fCriticaRazaoSocial(v, ""); });
}

ResultadoResponsavel AvisoDddUfResp(const DadosResponsavel& d) {
    const std::string uf = d.CoMunicipioRespArquivo.substr(0, 2);
    return {fCriticaDddUf(d.NuFoneDDD, uf), C::Ddd, false};
}

ResultadoResponsavel CriticaDddResp(const DadosResponsavel& d, bool focoEmAvancar) {
    auto r = Falha(fCriticaDdd(d.NuFoneDDD), C::Ddd);
    if (r.falhou || focoEmAvancar) return r;
    return AvisoDddUfResp(d);
}

ResultadoResponsavel CriticaTelefoneResp(const DadosResponsavel& d) {
    if (auto r = Falha(fCriticaTelefone(d.NuFoneAssinante), C::Telefone); r.falhou) return r;
    const std::string codigo = fCriticaDddTelefone(d.NuFoneDDD, d.NuFoneAssinante);
    return Falha(codigo == "3102" ? "3101" : codigo, C::Ddd);
}

ResultadoResponsavel CriticaLogradouroResp(DadosResponsavel& d) {
    return CriticaTexto(d.EdLogradouroRespArquivo, C::Logradouro, [](const std::string& v) { return fCriticaLogradouro(v); });
}

ResultadoResponsavel CriticaNumeroResp(DadosResponsavel& d) {
    const std::string numero = fAparaTexto(d.NuLogradouroRespArquivo);
    auto r = Falha(fCriticaNumeroLogradouro(CompletaZeros(numero, 6)), C::Numero);
    if (r.falhou) return r;
    if (!numero.empty()) {
        const std::string semZeros = RetiraZerosEsquerda(numero);
        d.NuLogradouroRespArquivo = semZeros.empty() ? "0" : semZeros;
    }
    return r;
}

ResultadoResponsavel CriticaComplementoResp(DadosResponsavel& d) {
    auto r = CriticaTexto(d.TxComplementoRespArquivo, C::Complemento, [](const std::string& v) { return fCriticaComplemento(v); });
    if (r.falhou) return r;
    return Falha(fCriticaNumeroComplemento(CompletaZeros(fAparaTexto(d.NuLogradouroRespArquivo), 6),
                                           d.TxComplementoRespArquivo),
                 C::Complemento);
}

ResultadoResponsavel CriticaBairroResp(DadosResponsavel& d) {
    return CriticaTexto(d.NoBairroRespArquivo, C::Bairro, [](const std::string& v) { return fCriticaBairro(v); });
}

ResultadoResponsavel CriticaCepResp(const DadosResponsavel& d) { return Falha(fCriticaCep(d.CoCepRespArquivo), C::Cep); }

ResultadoResponsavel CriticaMunicipioResp(const TCriticaZovi& critica, DadosResponsavel& d) {
    const auto r = critica.CriticaMunicipioCep(d.CoMunicipioRespArquivo, d.CoCepRespArquivo);
    d.NoMunicipioRespArquivo = fAparaTexto(r.nomeMunicipio);
    d.SgUfRespArquivo = fAparaTexto(r.siglaUf);
    if (r.situacao == SituacaoMunicipioCep::Coerente || r.situacao == SituacaoMunicipioCep::MunicipioSemCep)
        return Passa();
    // A code that passes with a situation that does not is still a failure here.
    const bool municipio = r.situacao == SituacaoMunicipioCep::MunicipioInvalido;
    return {r.resultado, municipio ? C::Municipio : C::Cep, true};
}

ResultadoResponsavel CriticaEmailResp(DadosResponsavel& d) {
    return CriticaTexto(d.TxEMailRespArquivo, C::Email, [](const std::string& v) { return fCriticaEmail(v); });
}

ResultadoResponsavel CriticaResponsavel(const TCriticaZovi& critica, DadosResponsavel& d,
                                        std::string_view digitosInscricao) {
    const std::function<ResultadoResponsavel()> passos[] = {
        [&] { return CriticaInscricaoResp(d, digitosInscricao); },
        [&] { return CriticaNomeResp(d); },
        [&] { return CriticaTelefoneResp(d); },
        [&] { return CriticaLogradouroResp(d); },
        [&] { return CriticaNumeroResp(d); },
        [&] { return CriticaComplementoResp(d); },
        [&] { return CriticaBairroResp(d); },
        [&] { return CriticaCepResp(d); },
        [&] { return CriticaMunicipioResp(critica, d); },
        [&] { return CriticaEmailResp(d); },
    };
    for (const auto& passo : passos)
        if (auto r = passo(); r.falhou) return r;
    return Passa();
}

}  // namespace zovi
