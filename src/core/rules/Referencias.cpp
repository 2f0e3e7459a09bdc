#include "rules/Referencias.h"

#include <functional>

#include "engine/Tabela.h"
#include "rules/Primitivas.h"

namespace zovi {

namespace {

std::string Chave(std::string_view s) { return std::string(Apara(s)); }

// Number of a five-digit CEP prefix; -1 when the stored text is not a number.
long NumeroCep(std::string_view s) {
    auto t = Apara(s);
    if (t.empty() || t.size() > 9 || !fNumerico(t)) return -1;
    long r = 0;
    for (char c : t) r = r * 10 + (c - '0');
    return r;
}

// Calls `linha` for every record of a table, in a single forward pass.
void Percorre(Banco& banco, const char* nome, const std::function<void(const Tabela&)>& linha) {
    Tabela t(banco, nome);
    t.Abre();
    for (t.Primeiro(); !t.Fim(); t.Proximo()) linha(t);
    t.Fecha();
}

struct TabelaDeCodigo {
    TabelaCodigos tabela;
    const char* nome;
    const char* campo;
};

constexpr TabelaDeCodigo kTabelasDeCodigo[] = {
    {TabelaCodigos::Cnae, "TB8CNAE", "CoCnae"},
    {TabelaCodigos::NaturezaJuridica, "TB8NATJU", "CoNaturezaJuridica"},
    {TabelaCodigos::Nacionalidade, "TB8NACIO", "CoNacionalidade"},
    {TabelaCodigos::Instrucao, "TB8INSTR", "CoInstrucao"},
    {TabelaCodigos::TipoAdmissao, "TB8TPADM", "CoTipoAdmissao"},
    {TabelaCodigos::Raca, "TB8RACA", "CoRaca"},
    {TabelaCodigos::Vinculo, "TB8VINC", "CoVinculo"},
    {TabelaCodigos::CausaDesligamento, "TB8DESL", "CoCausaDesligamento"},
    {TabelaCodigos::TipoSalario, "TB8TPSAL", "CoTipoSalarioContratual"},
    {TabelaCodigos::Afastamento, "TB8AFAST", "CoAfastamento"},
};

}  // namespace

void Referencias::Carrega(Banco& banco) {
    Referencias novas;
    Percorre(banco, "TB8MUNIC", [&](const Tabela& t) {
        auto codigo = Chave(t.Texto("CoMunicipio"));
        novas.municipios_[codigo] = {codigo, Chave(t.Texto("NoMunicipio")), Chave(t.Texto("CoCep")),
                                     Chave(t.Texto("InFaixa"))};
    });
    Percorre(banco, "TB8FXCEP", [&](const Tabela& t) {
        novas.faixasCep_[Chave(t.Texto("CoMunicipio"))] = {Chave(t.Texto("CoCep1Inicial")),
                                                           Chave(t.Texto("CoCep1Final")),
                                                           Chave(t.Texto("CoCep2Inicial")),
                                                           Chave(t.Texto("CoCep2Final"))};
    });
    Percorre(banco, "TBUF", [&](const Tabela& t) {
        Uf uf{Chave(t.Texto("CoUf")), Chave(t.Texto("SgUf")), Chave(t.Texto("NoUf"))};
        novas.ufPorSigla_.try_emplace(Maiusculas(uf.sigla), uf);
        novas.ufPorCodigo_.try_emplace(uf.codigo, uf);
    });
    Percorre(banco, "TBUFCEP", [&](const Tabela& t) {
        long ini = NumeroCep(t.Texto("CoCepInicial")), fim = NumeroCep(t.Texto("CoCepFinal"));
        if (ini >= 0 && fim >= 0) novas.faixasCepUf_[Chave(t.Texto("CoUf"))].push_back({ini, fim});
    });
    Percorre(banco, "TB8CBO", [&](const Tabela& t) {
        novas.cbos_[Chave(t.Texto("CoCbo"))] = {t.Logico("InCriticaAna"), t.Logico("InCriticaCbo")};
    });
    for (const auto& tc : kTabelasDeCodigo) {
        auto& conjunto = novas.codigos_[static_cast<int>(tc.tabela)];
        Percorre(banco, tc.nome, [&](const Tabela& t) { conjunto.insert(Chave(t.Texto(tc.campo))); });
    }
    *this = std::move(novas);
}

const Municipio* Referencias::BuscaMunicipio(std::string_view codigo) const {
    auto it = municipios_.find(Apara(codigo));
    return it == municipios_.end() ? nullptr : &it->second;
}

const FaixasCepMunicipio* Referencias::BuscaFaixasCep(std::string_view codigoMunicipio) const {
    auto it = faixasCep_.find(Apara(codigoMunicipio));
    return it == faixasCep_.end() ? nullptr : &it->second;
}

const Uf* Referencias::BuscaUfPorSigla(std::string_view sigla) const {
    auto it = ufPorSigla_.find(Maiusculas(sigla));
    return it == ufPorSigla_.end() ? nullptr : &it->second;
}

const Uf* Referencias::BuscaUfPorCodigo(std::string_view codigo) const {
    auto it = ufPorCodigo_.find(Apara(codigo));
    return it == ufPorCodigo_.end() ? nullptr : &it->second;
}

const std::vector<FaixaCepUf>& Referencias::FaixasCepUf(std::string_view codigoUf) const {
    static const std::vector<FaixaCepUf> kNenhuma;
    auto it = faixasCepUf_.find(Apara(codigoUf));
    return it == faixasCepUf_.end() ? kNenhuma : it->second;
}

const Cbo* Referencias::BuscaCbo(std::string_view codigo) const {
    auto it = cbos_.find(Apara(codigo));
    return it == cbos_.end() ? nullptr : &it->second;
}

bool Referencias::ExisteCodigo(TabelaCodigos tabela, std::string_view codigo) const {
    const auto& conjunto = codigos_[static_cast<int>(tabela)];
    return conjunto.find(Apara(codigo)) != conjunto.end();
}

}  // namespace zovi
