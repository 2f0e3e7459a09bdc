#include "platform/Texto1252.h"

#include <cstdint>

namespace zovi {

namespace {

// Code points of the bytes 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr std::uint16_t kFaixa80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void PoeUtf8(std::string& s, std::uint32_t cp) {
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

namespace {

// The conversion; without a substitute, nullopt at the first character that has no byte.
std::optional<std::string> Converte(const std::string& utf8, const char* substituto) {
    std::string r;
    r.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        auto b = static_cast<unsigned char>(utf8[i]);
        std::uint32_t cp = 0;
        size_t n = 0;
        if (b < 0x80) { cp = b; n = 1; }
        else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; n = 2; }
        else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; n = 3; }
        else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; n = 4; }
        bool valido = n > 0 && i + n <= utf8.size();
        for (size_t k = 1; k < n && valido; ++k) {
            auto c = static_cast<unsigned char>(utf8[i + k]);
            valido = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        // A byte that starts no UTF-8 character stands for itself alone.
        i += valido ? n : 1;
        char byte = 0;
        if (valido && (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))) byte = static_cast<char>(cp);
        for (int k = 0; valido && !byte && k < 32; ++k)
            if (kFaixa80[k] == cp && cp != 0) byte = static_cast<char>(0x80 + k);
        if (valido && (byte || cp == 0)) {
            r += byte;
            continue;
        }
        if (!substituto) return std::nullopt;
        r += *substituto;
    }
    return r;
}

}  // namespace

std::optional<std::string> Utf8ParaCp1252(const std::string& utf8) { return Converte(utf8, nullptr); }

std::string Utf8ParaCp1252(const std::string& utf8, char substituto) { return *Converte(utf8, &substituto); }

std::string Cp1252ParaUtf8(const std::string& cp1252) {
    std::string r;
    r.reserve(cp1252.size() + cp1252.size() / 8);
    for (unsigned char b : cp1252) {
        if (b >= 0x80 && b < 0xA0) PoeUtf8(r, kFaixa80[b - 0x80] ? kFaixa80[b - 0x80] : 0xFFFD);
        else PoeUtf8(r, b);
    }
    return r;
}

}  // namespace zovi
