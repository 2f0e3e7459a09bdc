#include "messages/Formatacao.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>

namespace zovi {

namespace {

bool EhDigito(char c) { return c >= '0' && c <= '9'; }
bool SoDigitos(const std::string& s) { return std::all_of(s.begin(), s.end(), EhDigito); }

// Characters from the 1-based position, at most n of them; positions past the end give less
// (a short value is shown with the characters it has, never rejected).
std::string Trecho(const std::string& s, size_t posicao, size_t n) {
    if (posicao < 1 || posicao > s.size()) return {};
    return s.substr(posicao - 1, n);
}

// Adds one to a string of decimal digits.
void Incrementa(std::string& digitos) {
    for (size_t i = digitos.size(); i-- > 0;) {
        if (digitos[i] != '9') {
            ++digitos[i];
            return;
        }
        digitos[i] = '0';
    }
    digitos = '1' + digitos;
}

std::string AgrupaMilhares(const std::string& inteiro) {
    std::string r;
    const size_t n = inteiro.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) r += '.';
        r += inteiro[i];
    }
    return r;
}

// Spaces that right-align an amount in the money boxes, by the length of its formatted text.
size_t EspacosAlinhamento(size_t comprimento) {
    switch (comprimento) {
        case 4: return 14;
        case 5: return 12;
        case 6: return 11;
        case 8: return 7;
        case 9: return 5;
        case 10: return 3;
        default: return 0;
    }
}

}  // namespace

std::string NomeMes(const std::string& mes) {
    static const std::array<const char*, 12> nomes = {"Janeiro", "Fevereiro", "Mar\xE7o",  "Abril",
                                                      "Maio",    "Junho",     "Julho",    "Agosto",
                                                      "Setembro", "Outubro",  "Novembro", "Dezembro"};
    const std::string m = fAparaTexto(mes);
    if (m.empty() || !SoDigitos(m)) return {};
    const std::string semZeros = RetiraZerosEsquerda(m);
    if (semZeros.size() > 2) return {};
    const int numero = semZeros.empty() ? 0 : std::stoi(semZeros);
    if (numero >= 1 && numero <= 12) return nomes[numero - 1];
    if (numero == 99) return "Totaliza\xE7\xE3o";
    return {};
}

std::string FormataValor(const std::string& valor) {
    const std::string texto = RetiraPontos(valor);
    if (texto.empty()) return {};
    size_t i = 0;
    bool negativo = false;
    if (texto[i] == '-' || texto[i] == '+') negativo = texto[i++] == '-';
    std::string inteiro, fracao;
    while (i < texto.size() && EhDigito(texto[i])) inteiro += texto[i++];
    if (i < texto.size() && texto[i] == ',') {
        ++i;
        while (i < texto.size() && EhDigito(texto[i])) fracao += texto[i++];
    }
    if (i != texto.size() || (inteiro.empty() && fracao.empty())) return "Erro";

    // Two decimals, rounded half away from zero, in whole centavos.
    const bool sobe = fracao.size() > 2 && fracao[2] >= '5';
    fracao.resize(2, '0');
    std::string centavos = (inteiro.empty() ? "0" : inteiro) + fracao;
    if (sobe) Incrementa(centavos);
    const std::string semZeros = RetiraZerosEsquerda(centavos.substr(0, centavos.size() - 2));
    const std::string reais = semZeros.empty() ? std::string(1, '0') : semZeros;
    const std::string decimais = centavos.substr(centavos.size() - 2);
    const bool zero = reais == "0" && decimais == "00";

    std::string formatado = negativo && !zero ? "-" : "";
    formatado.append(AgrupaMilhares(reais)).append(",").append(decimais);
    std::string alinhado(EspacosAlinhamento(formatado.size()), ' ');
    return alinhado.append(formatado);
}

std::string RetiraPontos(const std::string& texto) {
    std::string r = fAparaTexto(texto);
    r.erase(std::remove(r.begin(), r.end(), '.'), r.end());
    return r;
}

std::string FormataInscricao(const std::string& inscricao, const std::string& tipo) {
    if (tipo == "1") {
        const std::string& s = inscricao;
        return Trecho(s, 1, 2) + "." + Trecho(s, 3, 3) + "." + Trecho(s, 6, 3) + "/" + Trecho(s, 9, 4) + "-" +
               Trecho(s, 13, 2);
    }
    if (tipo == "3") {
        const std::string s = inscricao.size() == 12 ? "00" + inscricao : inscricao;
        return Trecho(s, 3, 2) + "-" + Trecho(s, 5, 3) + "-" + Trecho(s, 8, 2) + "." + Trecho(s, 10, 3) + "-" +
               Trecho(s, 13, 1) + "/" + Trecho(s, 14, 1);
    }
    return inscricao;
}

std::string FormataInscricaoCpf(const std::string& inscricao, const std::string& tipo) {
    if (tipo != "4") return FormataInscricao(inscricao, tipo);
    const std::string s = inscricao.size() == 11 ? "000" + inscricao : inscricao;
    return Trecho(s, 4, 3) + "." + Trecho(s, 7, 3) + "." + Trecho(s, 10, 3) + "-" + Trecho(s, 13, 2);
}

std::string FormataPisPasep(const std::string& numero) {
    return Trecho(numero, 1, 3) + "." + Trecho(numero, 4, 5) + "." + Trecho(numero, 9, 2) + "." + Trecho(numero, 11, 1);
}

std::string FormataData(const std::string& data) {
    return Trecho(data, 1, 2) + "/" + Trecho(data, 3, 2) + "/" + Trecho(data, 5, 4);
}

std::string FormataTelefone(const std::string& numero) {
    const std::string s = RetiraZerosEsquerda(numero);
    if (s.size() < 5) return s;
    std::string r = s.substr(0, s.size() - 4);
    return r.append("-").append(s, s.size() - 4);
}

std::string CompletaEspacos(const std::string& texto, int n) {
    const size_t largura = n > 0 ? static_cast<size_t>(n) : 0;
    std::string r = texto;
    r.resize(largura, ' ');
    return r;
}

std::string CompletaZeros(const std::string& texto, int n) {
    const size_t largura = n > 0 ? static_cast<size_t>(n) : 0;
    std::string r = texto.size() < largura ? std::string(largura - texto.size(), '0') + texto : texto;
    r.resize(largura);
    return r;
}

std::string RetiraZerosEsquerda(const std::string& texto) {
    const size_t primeiro = texto.find_first_not_of('0');
    return primeiro == std::string::npos ? std::string() : texto.substr(primeiro);
}

std::string fAparaTexto(const std::string& texto) {
    auto branco = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    auto inicio = std::find_if_not(texto.begin(), texto.end(), branco);
    auto fim = std::find_if_not(texto.rbegin(), std::string::const_reverse_iterator(inicio), branco).base();
    return std::string(inicio, fim);
}

long TextoParaInteiro(const std::string& texto) {
    const std::string s = fAparaTexto(texto);
    size_t i = 0;
    bool negativo = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negativo = s[i++] == '-';
    if (i == s.size() || !SoDigitos(s.substr(i))) return 0;
    long valor = 0;
    for (; i < s.size(); ++i) {
        const int d = s[i] - '0';
        if (valor > (LONG_MAX - d) / 10) return 0;  // too large for an integer: not one
        valor = valor * 10 + d;
    }
    return negativo ? -valor : valor;
}

}  // namespace zovi
