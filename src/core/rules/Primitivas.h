#pragma once
// Field primitives and identifier check digits: the building blocks of every
// field rule of the declaration.
//
// Calling convention shared by all rules (here and in the other rules/ files):
//  - inputs are field values as the declaration tables hold them, Windows-1252
//    text: codes zero-filled to their width, full dates ddmmyyyy, dates inside
//    the year ddmm, money in centavos as digit strings (an edited "0,00" also
//    means "not informed");
//  - a rule returns a result code: "0000" the value passes, four other digits
//    the message code (tb8MSG) of the first check that failed, "X" a value
//    longer than the rule expects;
//  - nothing here throws for bad input, shows a message or writes data, and
//    nothing keeps state between calls.
//
// Unless said otherwise, a primitive trims leading and trailing blanks first.
#include <cstring>
#include <string>
#include <string_view>

namespace zovi {

// Result codes shared by the primitives and passed through by the rules.
inline constexpr const char* kPassa = "0000";
// Whether a result is that four-character code, read without a call: one four-byte comparison.
// The chains ask it of results that nearly always pass.
inline bool fResultado(const std::string& resultado, const char (&codigo)[5]) {
    return resultado.size() == 4 && std::memcmp(resultado.data(), codigo, 4) == 0;
}
inline bool fPassou(const std::string& resultado) { return fResultado(resultado, "0000"); }
inline constexpr const char* kLongo = "X";              // value longer than expected
inline constexpr const char* kTextoCurto = "0010";      // text of two characters or fewer
inline constexpr const char* kTextoInvalido = "0020";   // character outside 32..126, or a quote
inline constexpr const char* kCurtoOuVazio = "0030";    // shorter than expected / must be informed
inline constexpr const char* kNaoNumerico = "0040";     // a character other than a digit

// The declaration's base year and the limits of the money rules.
inline constexpr int kAnoBase = 2005;
inline constexpr const char* kTextoAnoBase = "2005";
inline constexpr long long kSalarioMinimoAteAbril = 26000;  // centavos, months 1 to 4
inline constexpr long long kSalarioMinimoDeMaio = 30000;    // centavos, month 5 onwards (and "99")
inline constexpr long long kFatorTetoSalarial = 150;        // ceiling = 150 minimum wages

// Text helpers. The small ones are inline: every rule runs them on every field.

// Without leading and trailing blanks.
inline std::string_view Apara(std::string_view texto) {
    // Stored fields are seldom padded: most calls end at the first test.
    if (texto.empty() || (texto.front() != ' ' && texto.back() != ' ')) return texto;
    std::size_t ini = 0, fim = texto.size();
    while (ini < fim && texto[ini] == ' ') ++ini;
    while (fim > ini && texto[fim - 1] == ' ') --fim;
    return std::string_view(texto.data() + ini, fim - ini);
}
// Nothing left after trimming.
inline bool fVazio(std::string_view texto) { return Apara(texto).empty(); }
// Not trimmed: non-empty and made only of "0".
inline bool fTodosZeros(std::string_view texto) {
    if (texto.empty()) return false;
    for (char c : texto)
        if (c != '0') return false;
    return true;
}
// Empty, or all zeros once trimmed.
inline bool fVazioOuZeros(std::string_view texto) {
    auto t = Apara(texto);
    return t.empty() || fTodosZeros(t);
}
std::string Maiusculas(std::string_view texto);  // trimmed, letters a-z upper-cased

// true when every character is a digit; the empty string counts as numeric.
inline bool fNumerico(std::string_view texto) {
    for (char c : Apara(texto))
        if (c < '0' || c > '9') return false;
    return true;
}
// The number a digit string holds (blanks around it allowed); -1 when empty, not numeric
// or longer than 18 digits.
long long fNumeroDigitos(std::string_view texto);
// "0040" not numeric, "X" longer than n, "0030" shorter than n (so empty gives "0030"), else "0000".
std::string fCriticaTamanhoNumerico(std::string_view texto, std::size_t n);
// Not trimmed: every character from blank to tilde (32..126), none a double quote or apostrophe.
bool fTextoValido(std::string_view texto);
// "0020" when not fTextoValido; "0010" when two characters or fewer (empty included); else "0000".
std::string fCriticaTexto(std::string_view texto);
// Exactly 8 digits forming a valid Gregorian date ddmmyyyy, year 1 to 9999.
bool fDataValida(std::string_view texto);
// false when the trimmed text is longer than 3 characters and holds four equal
// consecutive non-blank characters.
bool fSemRepeticao(std::string_view texto);
// 0 for an empty text, else 1 plus the places where a non-blank is followed by a blank.
int fContaPalavras(std::string_view texto);
// Not trimmed: the text contains "@".
bool fTemArroba(std::string_view texto);
// ddmmyyyy -> yyyymmdd, so that full dates compare as strings. A value that is
// not 8 characters long comes back trimmed and unchanged.
std::string fDataInvertida(std::string_view data);

// Check digits. Each expects exactly its width in digits; anything else is invalid.
bool fValidaCnpj(std::string_view cnpj);           // 14 digits, order number (9-12) not "0000"
bool fValidaCei(std::string_view cei);             // "00" + 12 CEI digits, positions 3-6 not all zeros
bool fValidaCpf(std::string_view cpf);             // 11 digits
bool fValidaPisPasep(std::string_view pisPasep);   // 11 digits, first "1" or "2"
// Not trimmed: "00000000000000", or positions 9-12 other than "0001" (not the head office).
bool fCnpjNaoMatriz(std::string_view cnpj);

// Money. A value is "not informed" when empty, "0,00" or all zeros.
bool fValorNaoInformado(std::string_view valor);
// Centavos of a money value: a digit string, or an edited value such as
// "1.234,56"; -1 when it is neither. "0,00" and empty read as 0.
long long fCentavos(std::string_view valor);
// Month number of a month text ("01".."12", "99"); -1 when not numeric or empty.
int fNumeroMes(std::string_view mes);
long long SalarioMinimo(int mes);   // months up to 4: 260,00; from 5 (and 99): 300,00
long long TetoSalarial(int mes);    // 150 minimum wages of the month
// true when the value is below the month's minimum wage. A value that is not a
// money value is never below it (the rules reject it on their own).
bool fAbaixoSalarioMinimo(long long centavos, int mes);
bool fAbaixoSalarioMinimo(std::string_view valor, std::string_view mes);
// true when the value is 150 minimum wages of the month or more (equal counts).
bool fAcimaTetoSalarial(long long centavos, int mes);
bool fAcimaTetoSalarial(std::string_view valor, std::string_view mes);

}  // namespace zovi
