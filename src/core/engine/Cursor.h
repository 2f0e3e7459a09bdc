#pragma once
// What tables and queries share as cursors.
#include <string>

namespace zovi {

// Moves n records forward (negative: back), stopping at either end; returns the moves made.
template <class Cursor>
long MovePor(Cursor& c, long n) {
    long movidos = 0;
    for (; n > 0 && !c.Fim(); --n) {
        c.Proximo();
        if (!c.Fim()) ++movidos;
    }
    for (; n < 0 && !c.Inicio(); ++n) {
        c.Anterior();
        if (!c.Inicio()) --movidos;
    }
    return movidos;
}

// A field's text read as an integer: blanks around it allowed, empty reads as 0;
// anything else is a database error naming the field.
long InteiroDoCampo(const std::string& texto, const std::string& campo);

}  // namespace zovi
