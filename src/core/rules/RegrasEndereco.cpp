#include "rules/RegrasEndereco.h"

#include <vector>

#include "rules/Primitivas.h"

namespace zovi {

namespace {

// Width of the municipality-name fields of the establishment and the declarant.
constexpr std::size_t kLarguraNomeMunicipio = 30;

struct Intervalo {
    int inicial, final;
};

// CEP prefixes (five digits, inclusive ranges) that each state, by the first two
// digits of the municipality code, accepts outside the municipality's own range.
struct ExcecoesCepUf {
    std::string_view uf;
    std::vector<Intervalo> prefixos;
};
const ExcecoesCepUf kExcecoesCep[] = {
    {"11", {{78939, 78939}}},
    {"17", {{77714, 77714}, {77785, 77785}}},
    {"21", {{65368, 65368}}},
    {"22", {{64180, 64180}, {64764, 64764}}},
    {"23", {{62230, 62230}, {62790, 62790}, {62980, 62980}, {63165, 63165}}},
    {"24", {{59182, 59182}, {59245, 59245}, {59260, 59260}, {59270, 59270}, {59290, 59290}, {59440, 59440},
            {59680, 59680}, {59950, 59950}}},
    {"25", {{58124, 58978}}},
    {"26", {{53400, 56870}}},
    {"27", {{57150, 57150}, {57180, 57180}, {57420, 57420}, {57490, 57490}, {57525, 57525}, {57630, 57630},
            {57700, 57700}}},
    {"28", {{49130, 49130}, {49500, 49500}, {49580, 49580}, {49670, 49670}, {49700, 49700}, {49945, 49945},
            {49970, 49970}}},
    {"29", {{44270, 48895}}},
    {"31", {{33000, 39848}}},
    {"32", {{29135, 29135}, {29350, 29350}, {29845, 29845}}},
    {"33", {{25880, 25880}, {27600, 27600}, {28380, 28380}, {28500, 28500}, {28660, 28660}}},
    {"35", {{11300, 19300}, {9000, 9000}}},
    {"41", {{84950, 87840}}},
    {"42", {{88180, 89998}}},
    {"43", {{94800, 99950}}},
    {"50", {{79000, 79980}}},
    {"51", {{78110, 78795}}},
    {"52", {{73860, 76530}}},
    {"53", {{70640, 73499}}},
};

// Area codes of each state, by state code; a state not listed accepts any.
struct DddsUf {
    std::string_view uf;
    std::vector<Intervalo> ddds;
};
const DddsUf kDddsUf[] = {
    {"11", {{69, 69}}},
    {"12", {{68, 68}}},
    {"13", {{92, 92}, {97, 97}}},
    {"14", {{95, 95}}},
    {"15", {{91, 91}, {93, 94}}},
    {"16", {{96, 96}}},
    {"17", {{61, 61}, {63, 63}}},
    {"21", {{98, 99}}},
    {"22", {{86, 86}, {89, 89}}},
    {"23", {{85, 85}, {88, 88}}},
    {"24", {{84, 84}}},
    {"25", {{83, 83}}},
    {"26", {{81, 81}, {87, 87}}},
    {"27", {{82, 82}}},
    {"28", {{79, 79}}},
    {"29", {{61, 61}, {71, 71}, {73, 75}, {77, 77}}},
    {"31", {{27, 27}, {31, 35}, {37, 38}, {61, 61}}},
    {"32", {{27, 28}}},
    {"33", {{21, 22}, {24, 24}}},
    {"35", {{11, 19}, {21, 21}}},
    {"41", {{41, 46}}},
    {"42", {{47, 49}}},
    {"43", {{51, 51}, {53, 55}}},
    {"50", {{67, 67}}},
    {"51", {{65, 66}}},
    {"52", {{61, 62}, {64, 64}}},
    {"53", {{61, 61}}},
};

bool Dentro(long long valor, const std::vector<Intervalo>& intervalos) {
    for (const auto& i : intervalos)
        if (valor >= i.inicial && valor <= i.final) return true;
    return false;
}

// A range of full CEPs built from two five-digit prefixes: "ppppp000" to "qqqqq999".
bool NaFaixa(long long cep, const std::string& inicial, const std::string& final) {
    long long ini = fNumeroDigitos(inicial + "000"), fim = fNumeroDigitos(final + "999");
    return ini >= 0 && fim >= 0 && cep >= ini && cep <= fim;
}

std::string ValidaAnoSeguinte(std::string_view data, const char* antes, const char* depois) {
    std::string invertida = fDataInvertida(data);
    std::string ano = std::to_string(kAnoBase + 1);
    if (invertida < ano + "0101") return antes;
    if (invertida > ano + "1231") return depois;
    return kPassa;
}

}  // namespace

std::string fCriticaLogradouro(std::string_view logradouro) {
    if (fVazio(logradouro)) return "0120";
    if (!fSemRepeticao(logradouro)) return "3100";
    return fCriticaTexto(logradouro);
}

std::string fCriticaNumeroLogradouro(std::string_view numero) { return fCriticaTamanhoNumerico(numero, 6); }

std::string fCriticaComplemento(std::string_view complemento) {
    if (fVazio(complemento)) return kPassa;
    if (!fTextoValido(complemento)) return kTextoInvalido;
    if (!fSemRepeticao(complemento)) return "3100";
    return kPassa;
}

std::string fCriticaNumeroComplemento(std::string_view numero, std::string_view complemento) {
    if (fVazioOuZeros(numero) && fVazio(complemento)) return "0120";
    return kPassa;
}

std::string fCriticaBairro(std::string_view bairro) {
    if (fVazio(bairro)) return kPassa;
    return fCriticaTexto(bairro);
}

std::string fCriticaCep(std::string_view cep) {
    auto v = Apara(cep);
    if (v.empty()) return "0081";
    if (auto r = fCriticaTamanhoNumerico(v, 8); !fPassou(r)) return r;
    if (fTodosZeros(v)) return "0081";
    if (v.starts_with("00")) return "0080";
    return kPassa;
}

std::string fCriticaCodigoMunicipio(const Referencias& ref, std::string_view municipio, const Municipio** encontrado) {
    if (encontrado) *encontrado = nullptr;
    auto v = Apara(municipio);
    if (v.empty()) return "0092";
    if (auto r = fCriticaTamanhoNumerico(v, 7); !fPassou(r)) return r;
    if (fTodosZeros(v)) return "0092";
    const Municipio* m = ref.BuscaMunicipio(v);
    if (!m) return "0090";
    if (encontrado) *encontrado = m;
    return kPassa;
}

std::string fCriticaNomeMunicipio(std::string_view nome, const Municipio* encontrado) {
    auto v = Apara(nome);
    if (v.empty()) return "0093";
    if (auto r = fCriticaTexto(v); !fPassou(r)) return r;
    if (!encontrado) return kPassa;
    // The declaration's name field may be shorter than the reference name: a
    // name copied from the reference and cut at the field's width is the same.
    std::string_view referencia = encontrado->nome;
    if (v == referencia) return kPassa;
    if (referencia.size() > kLarguraNomeMunicipio && v == Apara(referencia.substr(0, kLarguraNomeMunicipio)))
        return kPassa;
    return "3666";
}

std::string fCriticaUf(const Referencias& ref, std::string_view sigla, const Uf** encontrada) {
    if (encontrada) *encontrada = nullptr;
    if (fVazioOuZeros(sigla)) return "0101";
    const Uf* uf = ref.BuscaUfPorSigla(sigla);
    if (!uf) return "0100";
    if (encontrada) *encontrada = uf;
    return kPassa;
}

std::string fCriticaMunicipioUf(const Referencias& ref, std::string_view municipio, std::string_view sigla) {
    auto m = Apara(municipio);
    if (fVazioOuZeros(m) || fVazio(sigla)) return kPassa;
    const Uf* uf = ref.BuscaUfPorCodigo(m.substr(0, 2));
    if (uf && Maiusculas(uf->sigla) != Maiusculas(sigla)) return "0091";
    return kPassa;
}

std::string fCriticaCepMunicipio(const Referencias& ref, std::string_view cep, std::string_view municipio,
                                 bool tolerante) {
    auto c = Apara(cep), m = Apara(municipio);
    if (fVazioOuZeros(c) || fVazioOuZeros(m)) return kPassa;
    const Municipio* mun = ref.BuscaMunicipio(m);
    if (!mun) return kPassa;  // an unknown municipality is the municipality rule's to report
    if (mun->faixa != "0") {
        const FaixasCepMunicipio* faixas = ref.BuscaFaixasCep(m);
        if (!faixas) return "0082";
        long long n = fNumeroDigitos(c);
        if (NaFaixa(n, faixas->cep1Inicial, faixas->cep1Final) || NaFaixa(n, faixas->cep2Inicial, faixas->cep2Final))
            return kPassa;
        return fCriticaCepFaixaUf(c, m);
    }
    if (c.substr(0, 5) == mun->cep) return kPassa;
    if (!mun->cep.empty() || !tolerante) return fCriticaCepFaixaUf(c, m);
    return kPassa;
}

std::string fCriticaCepFaixaUf(std::string_view cep, std::string_view municipio) {
    auto c = Apara(cep), m = Apara(municipio);
    if (!fNumerico(c) || !fNumerico(m) || c.empty() || m.empty()) return kPassa;
    long long prefixo = fNumeroDigitos(c.substr(0, 5));
    auto uf = m.substr(0, 2);
    for (const auto& e : kExcecoesCep)
        if (e.uf == uf) return Dentro(prefixo, e.prefixos) ? kPassa : "0082";
    return "0082";
}

std::string fCriticaCepUf(const Referencias& ref, std::string_view cep, std::string_view codigoUf) {
    auto c = Apara(cep);
    if (fVazioOuZeros(c) || fVazioOuZeros(codigoUf) || !fNumerico(c)) return kPassa;
    long long prefixo = fNumeroDigitos(c.substr(0, 5));
    for (const auto& f : ref.FaixasCepUf(codigoUf))
        if (prefixo >= f.inicial && prefixo <= f.final) return kPassa;
    return "0083";
}

std::string fCriticaDdd(std::string_view ddd) {
    if (fVazioOuZeros(ddd) || !fNumerico(ddd)) return "3674";
    return kPassa;
}

std::string fCriticaTelefone(std::string_view telefone) { return fCriticaDdd(telefone); }

std::string fCriticaDddUf(std::string_view ddd, std::string_view codigoUf) {
    auto d = Apara(ddd).substr(0, 2);
    auto uf = Apara(codigoUf);
    if (fVazioOuZeros(d) || !fNumerico(d) || fVazioOuZeros(uf) || !fNumerico(uf)) return kPassa;
    long long n = fNumeroDigitos(d);
    for (const auto& e : kDddsUf)
        if (e.uf == uf) return Dentro(n, e.ddds) ? kPassa : "0402";
    return kPassa;
}

std::string fCriticaDddTelefone(std::string_view ddd, std::string_view telefone) {
    bool semDdd = fVazioOuZeros(ddd), semTelefone = fVazioOuZeros(telefone);
    if (semDdd && semTelefone) return "3102";
    if (semDdd || semTelefone) return "3101";
    return kPassa;
}

std::string fCriticaEmail(std::string_view email) {
    if (fVazio(email)) return kPassa;
    if (!fTextoValido(email)) return kTextoInvalido;
    if (!fTemArroba(email)) return "3627";
    return kPassa;
}

std::string fCriticaDataGeracao(std::string_view data) {
    auto d = Apara(data);
    if (auto r = fCriticaTamanhoNumerico(d, 8); !fPassou(r)) return r;
    if (fTodosZeros(d)) return "0420";
    if (!fDataValida(d)) return "0421";
    return ValidaAnoSeguinte(d, "0420", "0423");
}

std::string fCriticaDataRetificacao(bool retificacao, std::string_view data) {
    auto d = Apara(data);
    if (auto r = fCriticaTamanhoNumerico(d, 8); !fPassou(r)) return r;
    if (!retificacao) return fTodosZeros(d) ? kPassa : "0411";
    if (fTodosZeros(d)) return "0410";
    if (!fDataValida(d)) return "0412";
    return ValidaAnoSeguinte(d, "0410", "0413");
}

}  // namespace zovi
