#include "engine/Cursor.h"

#include <charconv>

#include "engine/Erros.h"

namespace zovi {

long InteiroDoCampo(const std::string& t, const std::string& campo) {
    auto ini = t.find_first_not_of(' ');
    if (ini == std::string::npos) return 0;
    auto fim = t.find_last_not_of(' ');
    long v = 0;
    auto [p, ec] = std::from_chars(t.data() + ini, t.data() + fim + 1, v);
    if (ec != std::errc() || p != t.data() + fim + 1)
        throw ErroBanco("'" + t + "' não é um valor inteiro válido (campo " + campo + ")");
    return v;
}

}  // namespace zovi
