#pragma once
// Small readings shared by the employee rule files: what "zero", "informed",
// a year, a month or a day-and-month position means for the employee fields.
// Internal to rules/; the rules themselves are declared in RegrasEmpregado.h
// and RegrasRemuneracao.h.
#include <string>
#include <string_view>

#include "rules/Primitivas.h"

namespace zovi::apoio {

// Non-empty after trimming and made only of digits.
inline bool Digitos(std::string_view v) { return !fVazio(v) && fNumerico(v); }

// Digits whose value is zero ("0", "00", "0000"...).
inline bool Zero(std::string_view v) { return fTodosZeros(Apara(v)); }

// Numeric value of a text already known to hold only digits (at most 18).
inline long long Numero(std::string_view v) {
    long long n = 0;
    for (char c : Apara(v)) n = n * 10 + (c - '0');
    return n;
}

// Digits with a non-zero value: the usual precondition of a cross-field check.
inline bool Positivo(std::string_view v) { return Digitos(v) && !Zero(v); }

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
// the same year compare as strings, month first and then day.
inline std::string MesDia(std::string_view data) {
    auto d = Apara(data);
    if (d.size() < 4) return {};
    return std::string(d.substr(2, 2)) + std::string(d.substr(0, 2));
}

// A money value edited on screen as "0,00" means "not informed", the same as
// zeros: the rules read it as the zero-filled value of the field's width.
inline std::string ValorCampo(std::string_view valor, std::size_t largura) {
    if (Apara(valor) == "0,00") return std::string(largura, '0');
    return std::string(valor);
}

// Trimmed text equal to one of the listed codes.
inline bool UmDe(std::string_view v, std::initializer_list<const char*> codigos) {
    auto t = Apara(v);
    for (const char* c : codigos)
        if (t == c) return true;
    return false;
}

}  // namespace zovi::apoio
