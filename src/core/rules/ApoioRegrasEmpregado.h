#pragma once
// Small readings shared by the employee rule files: what "zero", "informed",
// a year, a month or a day-and-month position means for the employee fields.
// Internal to rules/; the rules themselves are declared in RegrasEmpregado.h
// and RegrasRemuneracao.h.
#include <string>
#include <string_view>

#include "rules/Primitivas.h"

namespace zovi::apoio {

// Made only of digits (the empty text included); no trimming.
inline bool SoDigitos(std::string_view t) {
    for (char c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

// Non-empty after trimming and made only of digits.
inline bool Digitos(std::string_view v) {
    auto t = Apara(v);
    return !t.empty() && SoDigitos(t);
}

// Digits whose value is zero ("0", "00", "0000"...).
inline bool Zero(std::string_view v) { return fTodosZeros(Apara(v)); }

// Numeric value of a text already known to hold only digits (at most 18).
inline long long Numero(std::string_view v) {
    long long n = 0;
    for (char c : Apara(v)) n = n * 10 + (c - '0');
    return n;
}

// Digits with a non-zero value: the usual precondition of a cross-field check.
inline bool Positivo(std::string_view v) {
    auto t = Apara(v);
    return !t.empty() && SoDigitos(t) && !fTodosZeros(t);
}

// A field read once for the checks that ask several things of it: trimmed, whether
// it is digits, zero or positive, and its number. The same answers as Digitos,
// Zero, Positivo and Numero, without trimming and scanning again for each.
struct Numeral {
    Numeral() = default;
    explicit Numeral(std::string_view v) : texto(Apara(v)) {
        if (texto.empty()) return;
        long long n = 0;
        bool soZeros = true;
        for (char c : texto) {
            if (c < '0' || c > '9') return;
            soZeros = soZeros && c == '0';
            n = n * 10 + (c - '0');
        }
        digitos = true;
        zero = soZeros;
        numero = n;
    }
    bool Positivo() const { return digitos && !zero; }

    std::string_view texto;  // trimmed
    bool digitos = false;    // non-empty, only digits
    bool zero = false;       // digits, all "0"
    long long numero = 0;    // when digitos
};

// Trimmed length equals n.
inline bool Tamanho(std::string_view v, std::size_t n) { return Apara(v).size() == n; }

// Year (positions 5-8) of a full date ddmmyyyy; empty when it is not 8 long.
inline std::string_view AnoData(std::string_view data) {
    auto d = Apara(data);
    return d.size() == 8 ? d.substr(4, 4) : std::string_view{};
}

// Month (positions 3-4) of a full date ddmmyyyy or of a day-and-month ddmm.
inline std::string_view MesData(std::string_view data) {
    auto d = Apara(data);
    return d.size() >= 4 ? d.substr(2, 2) : std::string_view{};
}

// Month and day of a date (ddmm or ddmmyyyy) as "mmdd", so that two dates of
// the same year compare as strings, month first and then day. Kept in place
// (no text is built): a date shorter than 4 reads as the empty "mmdd".
class MesDia {
public:
    explicit MesDia(std::string_view data) {
        auto d = Apara(data);
        if (d.size() >= 4) {
            mmdd_[0] = d[2], mmdd_[1] = d[3], mmdd_[2] = d[0], mmdd_[3] = d[1];
            tamanho_ = 4;
        }
    }
    std::string_view Texto() const { return {mmdd_, tamanho_}; }
    friend bool operator<(const MesDia& a, const MesDia& b) { return a.Texto() < b.Texto(); }
    friend bool operator>(const MesDia& a, const MesDia& b) { return a.Texto() > b.Texto(); }

private:
    char mmdd_[4] = {};
    std::size_t tamanho_ = 0;
};

// A money value edited on screen as "0,00" means "not informed", the same as
// zeros: the rules read it as the zero-filled value of the field's width.
inline std::string_view ValorCampo(std::string_view valor, std::size_t largura) {
    static constexpr std::string_view kZeros = "000000000000000000";
    if (Apara(valor) == "0,00") return kZeros.substr(0, largura);
    return valor;
}

// Trimmed text equal to one of the listed codes.
inline bool UmDe(std::string_view v, std::initializer_list<const char*> codigos) {
    auto t = Apara(v);
    for (const char* c : codigos)
        if (t == c) return true;
    return false;
}

}  // namespace zovi::apoio
