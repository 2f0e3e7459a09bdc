#include "rules/Primitivas.h"

namespace zovi {

namespace {

bool Digito(char c) { return c >= '0' && c <= '9'; }
int ValorDigito(char c) { return c - '0'; }

bool SoDigitos(std::string_view s, std::size_t largura) {
    if (s.size() != largura) return false;
    for (char c : s)
        if (!Digito(c)) return false;
    return true;
}

// Sum of digit times weight, the weights applied from the rightmost digit leftwards
// cycling from 2 up to `maior`.
int SomaPonderada(std::string_view digitos, int maior) {
    int soma = 0, peso = 2;
    for (auto i = digitos.size(); i-- > 0;) {
        soma += ValorDigito(digitos[i]) * peso;
        peso = peso == maior ? 2 : peso + 1;
    }
    return soma;
}

// Remainder 0 or 1 gives 0, otherwise 11 - remainder.
char DigitoModulo11(int soma) {
    int r = soma % 11;
    return static_cast<char>('0' + (r < 2 ? 0 : 11 - r));
}

bool Bissexto(int ano) { return (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0; }

}  // namespace

std::string Maiusculas(std::string_view texto) {
    std::string r(Apara(texto));
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

std::string fCriticaTamanhoNumerico(std::string_view texto, std::size_t n) {
    auto t = Apara(texto);
    for (char c : t)
        if (!Digito(c)) return kNaoNumerico;
    if (t.size() > n) return kLongo;
    if (t.size() < n) return kCurtoOuVazio;
    return kPassa;
}

bool fTextoValido(std::string_view texto) {
    for (char c : texto) {
        auto u = static_cast<unsigned char>(c);
        if (u < 32 || u > 126 || c == '"' || c == '\'') return false;
    }
    return true;
}

std::string fCriticaTexto(std::string_view texto) {
    auto t = Apara(texto);
    if (!fTextoValido(t)) return kTextoInvalido;
    if (t.size() <= 2) return kTextoCurto;
    return kPassa;
}

bool fDataValida(std::string_view texto) {
    auto t = Apara(texto);
    if (!SoDigitos(t, 8)) return false;
    int dia = ValorDigito(t[0]) * 10 + ValorDigito(t[1]);
    int mes = ValorDigito(t[2]) * 10 + ValorDigito(t[3]);
    int ano = 0;
    for (std::size_t i = 4; i < 8; ++i) ano = ano * 10 + ValorDigito(t[i]);
    if (ano < 1 || mes < 1 || mes > 12 || dia < 1) return false;
    static constexpr int kDias[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int maximo = kDias[mes - 1] + (mes == 2 && Bissexto(ano) ? 1 : 0);
    return dia <= maximo;
}

long long fNumeroDigitos(std::string_view texto) {
    auto t = Apara(texto);
    if (t.empty() || t.size() > 18 || !fNumerico(t)) return -1;
    long long r = 0;
    for (char c : t) r = r * 10 + (c - '0');
    return r;
}

bool fSemRepeticao(std::string_view texto) {
    auto t = Apara(texto);
    if (t.size() <= 3) return true;
    int iguais = 1;
    for (std::size_t i = 1; i < t.size(); ++i) {
        iguais = (t[i] == t[i - 1]) ? iguais + 1 : 1;
        if (iguais >= 4 && t[i] != ' ') return false;
    }
    return true;
}

int fContaPalavras(std::string_view texto) {
    auto t = Apara(texto);
    if (t.empty()) return 0;
    int palavras = 1;
    for (std::size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i] != ' ' && t[i + 1] == ' ') ++palavras;
    return palavras;
}

bool fTemArroba(std::string_view texto) { return texto.find('@') != std::string_view::npos; }

std::string fDataInvertida(std::string_view data) {
    auto t = Apara(data);
    if (t.size() != 8) return std::string(t);
    std::string r;
    r.reserve(8);
    r.append(t.substr(4, 4)).append(t.substr(2, 2)).append(t.substr(0, 2));
    return r;
}

bool fValidaCnpj(std::string_view cnpj) {
    auto t = Apara(cnpj);
    if (!SoDigitos(t, 14)) return false;
    if (t.substr(8, 4) == "0000") return false;
    if (DigitoModulo11(SomaPonderada(t.substr(0, 12), 9)) != t[12]) return false;
    return DigitoModulo11(SomaPonderada(t.substr(0, 13), 9)) == t[13];
}

bool fValidaCei(std::string_view cei) {
    auto t = Apara(cei);
    if (!SoDigitos(t, 14)) return false;
    if (t.substr(0, 2) != "00" || t.substr(2, 4) == "0000") return false;
    static constexpr int kPesos[11] = {7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4};
    int soma = 0;
    for (int i = 0; i < 11; ++i) soma += ValorDigito(t[2 + i]) * kPesos[i];
    int doisUltimos = soma % 100;
    int n = (doisUltimos / 10 + doisUltimos % 10) % 10;
    return ValorDigito(t[13]) == (10 - n) % 10;
}

bool fValidaCpf(std::string_view cpf) {
    auto t = Apara(cpf);
    if (!SoDigitos(t, 11)) return false;
    if (DigitoModulo11(SomaPonderada(t.substr(0, 9), 11)) != t[9]) return false;
    return DigitoModulo11(SomaPonderada(t.substr(0, 10), 11)) == t[10];
}

bool fValidaPisPasep(std::string_view pisPasep) {
    auto t = Apara(pisPasep);
    if (!SoDigitos(t, 11)) return false;
    if (t[0] != '1' && t[0] != '2') return false;
    if (t == "12345678900" || t == "10987654321" || t == "10000000008") return false;
    int r = SomaPonderada(t.substr(0, 10), 9) % 11;
    if (r == 1) return false;  // no digit exists for this remainder
    return ValorDigito(t[10]) == (r == 0 ? 0 : 11 - r);
}

bool fCnpjNaoMatriz(std::string_view cnpj) {
    if (cnpj == "00000000000000") return true;
    return cnpj.size() < 12 || cnpj.substr(8, 4) != "0001";
}

bool fValorNaoInformado(std::string_view valor) {
    auto t = Apara(valor);
    return t.empty() || t == "0,00" || fTodosZeros(t);
}

long long fCentavos(std::string_view valor) {
    auto t = Apara(valor);
    if (t.empty()) return 0;
    auto virgula = t.find(',');
    std::string_view inteiros = t.substr(0, virgula), decimais;
    if (virgula != std::string_view::npos) {
        decimais = t.substr(virgula + 1);
        if (decimais.empty() || decimais.size() > 2 || !fNumerico(decimais)) return -1;
    }
    long long r = 0;
    for (char c : inteiros) {
        if (c == '.' && virgula != std::string_view::npos) continue;  // thousands separator of an edited value
        if (!Digito(c) || r > 99'999'999'999'999LL) return -1;
        r = r * 10 + ValorDigito(c);
    }
    if (virgula == std::string_view::npos) return r;
    long long centavos = 0;
    for (std::size_t i = 0; i < 2; ++i) centavos = centavos * 10 + (i < decimais.size() ? ValorDigito(decimais[i]) : 0);
    return r * 100 + centavos;
}

int fNumeroMes(std::string_view mes) {
    auto t = Apara(mes);
    if (t.empty() || t.size() > 4 || !fNumerico(t)) return -1;
    int r = 0;
    for (char c : t) r = r * 10 + ValorDigito(c);
    return r;
}

long long SalarioMinimo(int mes) { return mes <= 4 ? kSalarioMinimoAteAbril : kSalarioMinimoDeMaio; }

long long TetoSalarial(int mes) { return kFatorTetoSalarial * SalarioMinimo(mes); }

bool fAbaixoSalarioMinimo(long long centavos, int mes) { return centavos >= 0 && centavos < SalarioMinimo(mes); }

bool fAbaixoSalarioMinimo(std::string_view valor, std::string_view mes) {
    return fAbaixoSalarioMinimo(fCentavos(valor), fNumeroMes(mes));
}

bool fAcimaTetoSalarial(long long centavos, int mes) { return centavos >= TetoSalarial(mes); }

bool fAcimaTetoSalarial(std::string_view valor, std::string_view mes) {
    return fAcimaTetoSalarial(fCentavos(valor), fNumeroMes(mes));
}

}  // namespace zovi
