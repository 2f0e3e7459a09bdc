#include "rules/RegrasEstabelecimento.h"

#include "rules/Primitivas.h"

namespace zovi {

namespace {

bool LetraOuDigito(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

bool Um(std::string_view v, std::initializer_list<std::string_view> opcoes) {
    for (auto o : opcoes)
        if (v == o) return true;
    return false;
}

std::string ClassificaCnpjCei(std::string_view inscricao, const char* ambos, const char* nenhum) {
    bool cnpj = fValidaCnpj(inscricao), cei = fValidaCei(inscricao);
    if (cnpj && cei) return ambos;
    if (cnpj) return "0051";
    if (cei) return "0052";
    return nenhum;
}

// Roots (first 8 digits of the CNPJ) of public bodies and banks whose names
// must appear as registered, with the beginning of that name.
struct RaizReservada {
    std::string_view raiz;
    std::string_view nome;
};
constexpr RaizReservada kRaizesReservadas[] = {
    {"00000000", "BANCO DO BRASIL"},  // Banco do Brasil S.A.
    {"00360305", "CAIXA ECONOMICA"},  // Caixa Economica Federal
    {"00038166", "BANCO CENTRAL D"},  // Banco Central do Brasil
    {"34028316", "EMPRESA BRASILE"},  // Empresa Brasileira de Correios e Telegrafos
    {"29979036", "INSTITUTO NACIO"},  // Instituto Nacional do Seguro Social
    {"07237373", "BANCO DO NORDE"},   // Banco do Nordeste do Brasil S.A.
    {"04902979", "BANCO DA AMAZO"},   // Banco da Amazonia S.A.
};

// A CPF held in an inscription field: zero-filled on the left to 14, "000" then the 11 CPF digits.
bool CpfEmInscricao(std::string_view inscricao) {
    if (inscricao.size() > 14 || !fNumerico(inscricao)) return false;
    std::string v = std::string(14 - inscricao.size(), '0') + std::string(inscricao);
    return v.starts_with("000") && fValidaCpf(std::string_view(v).substr(3));
}

bool NomeDePrefeitura(const std::string& nomeMaiusculo) {
    return nomeMaiusculo.starts_with("PREFEITURA") || nomeMaiusculo == "PREF" || nomeMaiusculo == "PREF.";
}

}  // namespace

std::string fCriticaInscricao(std::string_view inscricao) {
    auto v = Apara(inscricao);
    if (v.empty()) return "0055";
    if (auto r = fCriticaTamanhoNumerico(v, 14); !fPassou(r)) return r;
    if (fTodosZeros(v)) return "0055";
    return ClassificaCnpjCei(v, "0050", "0053");
}

std::string fCriticaTipoInscricao(std::string_view tipo) {
    auto v = Apara(tipo);
    if (v.empty()) return "0132";
    if (auto r = fCriticaTamanhoNumerico(v, 1); !fPassou(r)) return r;
    if (v != "1" && v != "3") return "0130";
    return kPassa;
}

std::string fCriticaInscricaoPorTipo(std::string_view inscricao, std::string_view tipo) {
    auto v = Apara(inscricao), t = Apara(tipo);
    if (fVazioOuZeros(v) || fVazioOuZeros(t)) return kPassa;
    if (t == "1") return fValidaCnpj(v) ? kPassa : "0131";
    if (t == "3") return fValidaCei(v) ? kPassa : "0131";
    if (t == "4") return CpfEmInscricao(v) ? kPassa : "0131";
    return kPassa;
}

std::string fCriticaTipoInscricaoResponsavel(std::string_view tipo) {
    auto v = Apara(tipo);
    if (v.empty()) return "0128";
    if (auto r = fCriticaTamanhoNumerico(v, 1); !fPassou(r)) return r;
    if (!Um(v, {"1", "3", "4"})) return "0129";
    return kPassa;
}

std::string fCriticaInscricaoResponsavel(std::string_view inscricao, int tamanhoDigitado) {
    auto t = Apara(inscricao);
    if (t.empty()) return "0055";
    if (!fNumerico(t)) return "0040";
    if (t.size() > 14) return "0054";
    std::string v = std::string(14 - t.size(), '0') + std::string(t);
    if (tamanhoDigitado == 11) {
        if (v.substr(0, 3) != "000") return "0054";
        std::string cpf = v.substr(3);
        if (fTodosZeros(cpf)) return "0055";
        return fValidaCpf(cpf) ? "0056" : "0054";
    }
    if (fTodosZeros(v)) return "0055";
    return ClassificaCnpjCei(v, "0049", "0054");
}

std::string fCriticaPrefixo(std::string_view prefixo) {
    auto v = Apara(prefixo);
    if (v.empty()) return "0061";
    if (!LetraOuDigito(v[0])) return "0060";
    if (v.size() == 2) return LetraOuDigito(v[1]) ? kPassa : "0060";
    if (v.size() == 1) return "0062";
    return kLongo;
}

std::string fCriticaRazaoSocial(std::string_view nome, std::string_view inscricao) {
    if (fVazio(nome)) return "0110";
    if (auto r = fCriticaTexto(nome); !fPassou(r)) return r;
    std::string maiusculo = Maiusculas(nome);
    if (maiusculo == "MATRIZ" || maiusculo == "FILIAL") return "0111";
    auto raiz = Apara(inscricao).substr(0, 8);
    for (const auto& reservada : kRaizesReservadas)
        if (raiz == reservada.raiz && std::string_view(maiusculo).substr(0, reservada.nome.size()) != reservada.nome)
            return "0053";
    return kPassa;
}

std::string fCriticaCeiVinculado(std::string_view ceiVinculado) {
    auto v = Apara(ceiVinculado);
    if (v.empty()) return "0431";
    if (auto r = fCriticaTamanhoNumerico(v, 14); !fPassou(r)) return r;
    if (fTodosZeros(v) || fValidaCei(v)) return kPassa;
    return "0430";
}

std::string fCriticaCeiVinculadoTipo(std::string_view tipo, std::string_view ceiVinculado) {
    if (fTodosZeros(Apara(ceiVinculado))) return kPassa;
    if (Apara(tipo) != "3") return kPassa;
    return "0350";
}

std::string fCriticaIndicadorZoviNegativa(std::string_view indicador) {
    auto v = Apara(indicador);
    if (v.empty()) return "0140";
    if (auto r = fCriticaTamanhoNumerico(v, 1); !fPassou(r)) return r;
    if (v[0] > '1') return "0140";
    return kPassa;
}

std::string fCriticaZoviNegativaInscricao(std::string_view indicador, std::string_view tipo,
                                          std::string_view ceiVinculado12) {
    if (Apara(indicador) != "1") return kPassa;
    auto t = Apara(tipo);
    if (t == "3") return "0133";
    if (t == "1" && !fTodosZeros(Apara(ceiVinculado12))) return "0133";
    return kPassa;
}

std::string fCriticaMesDataBase(std::string_view mes) {
    auto v = Apara(mes);
    if (v.empty()) return kCurtoOuVazio;
    if (auto r = fCriticaTamanhoNumerico(v, 2); !fPassou(r)) return r;
    if (fNumeroDigitos(v) > 12) return "0071";
    return kPassa;
}

std::string fCriticaMesDataBaseNegativa(std::string_view mes, std::string_view indicadorZoviNegativa) {
    if (Apara(indicadorZoviNegativa) != "0") return kPassa;
    if (fTodosZeros(Apara(mes))) return "0070";
    return kPassa;
}

std::string fCriticaPorte(std::string_view porte) { return Um(Apara(porte), {"1", "2", "3"}) ? kPassa : "3124"; }

std::string fCriticaOptanteSimples(std::string_view opcao) { return Um(Apara(opcao), {"1", "2"}) ? kPassa : "3604"; }

std::string fCriticaSimplesPorte(std::string_view opcao, std::string_view porte) {
    if (Apara(porte) != "3" || Apara(opcao) == "2") return kPassa;
    return "3125";
}

std::string fCriticaAtividadeAnoBase(std::string_view atividade) {
    return Um(Apara(atividade), {"1", "2"}) ? kPassa : "3668";
}

std::string fCriticaCnae(const Referencias& ref, std::string_view cnae) {
    auto v = Apara(cnae);
    if (v.empty()) return "0360";
    if (auto r = fCriticaTamanhoNumerico(v, 5); !fPassou(r)) return r;
    if (fTodosZeros(v)) return "0360";
    if (!ref.ExisteCodigo(TabelaCodigos::Cnae, v)) return "0361";
    return kPassa;
}

std::string fCriticaCnaeRazao(std::string_view cnae, std::string_view nome) {
    std::string n = Maiusculas(nome);
    auto c = Apara(cnae);
    if (n.starts_with("CONDOMINIO") || n.starts_with("EDIFICIO")) return c == "70408" ? kPassa : "0362";
    if (NomeDePrefeitura(n)) return c.starts_with("75") ? kPassa : "0363";
    return kPassa;
}

std::string fCriticaNaturezaJuridica(const Referencias& ref, std::string_view natureza) {
    auto v = Apara(natureza);
    if (v.empty()) return "0370";
    if (auto r = fCriticaTamanhoNumerico(v, 4); !fPassou(r)) return r;
    if (fTodosZeros(v)) return "0370";
    if (!ref.ExisteCodigo(TabelaCodigos::NaturezaJuridica, v)) return "0371";
    return kPassa;
}

std::string fCriticaNaturezaPrefeitura(std::string_view natureza, std::string_view nome) {
    if (NomeDePrefeitura(Maiusculas(nome))) return Apara(natureza) == "1031" ? kPassa : "0372";
    return kPassa;
}

std::string fCriticaEncerramento(std::string_view indicador, std::string_view data, std::string_view anoBase,
                                 bool exigePreenchimento) {
    auto d = Apara(data);
    if (Apara(indicador) != "1") {
        if (d.empty()) return exigePreenchimento ? "3514" : kPassa;
        if (d.size() == 4 || fTodosZeros(d)) return kPassa;
        return "3515";
    }
    if (d.empty() || fTodosZeros(d)) return "3513";
    if (auto r = fCriticaTamanhoNumerico(d, 8); !fPassou(r)) return r;
    if (!fDataValida(d)) return "3514";
    long long ano = fNumeroDigitos(anoBase);
    if (ano < 0) ano = 0;
    long long dia = fNumeroDigitos(fDataInvertida(d));
    if (dia < ano * 10000 + 101 || dia > (ano + 1) * 10000 + 1231) return "3516";
    return kPassa;
}

std::string fCriticaTextoUso(std::string_view texto) { return fTextoValido(texto) ? kPassa : kTextoInvalido; }

}  // namespace zovi
