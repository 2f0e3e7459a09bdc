#pragma once
// Building blocks of the backup tests: archives written byte by byte, files with
// known contents and dates.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "backup/CopiaSeguranca.h"

namespace zovi::teste {

// An archive assembled by hand, for layouts the component would never write.
struct MontaCopia {
    std::string bytes;
    MontaCopia& Int32(std::int32_t v) {
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
        return *this;
    }
    MontaCopia& Bruto(const std::string& s) {
        bytes += s;
        return *this;
    }
    MontaCopia& Texto(const std::string& s) { return Int32(static_cast<std::int32_t>(s.size())).Bruto(s); }
    MontaCopia& Cabecalho(const std::string& titulo = "Zovi2005", std::int32_t total = 0, std::int32_t arquivos = 1) {
        return Texto(titulo).Int32(total).Int32(arquivos);
    }
    MontaCopia& Entrada(const std::string& nome, std::int32_t data = 0x32A54800) { return Texto(nome).Int32(data); }
    // The data stored raw, in chunks of at most 16384 bytes.
    MontaCopia& SegmentoBruto(const std::string& dados) {
        Bruto(std::string("EC2\0", 4));
        for (std::size_t i = 0; i < dados.size(); i += kTamanhoBloco) {
            auto parte = dados.substr(i, kTamanhoBloco);
            Int32(-static_cast<std::int32_t>(parte.size())).Bruto(parte);
        }
        return Int32(0);
    }
    void Grava(const std::filesystem::path& p) const { std::ofstream(p, std::ios::binary) << bytes; }
};

inline std::string LeArquivo(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void GravaArquivo(const std::filesystem::path& p, const std::string& conteudo) {
    std::ofstream(p, std::ios::binary) << conteudo;
}

// Text that compresses well, and bytes that do not compress at all.
inline std::string Compressivel(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; s.size() < n; ++i) s += "Registro " + std::to_string(i % 977) + " de BD8VINC;";
    s.resize(n);
    return s;
}

inline std::string Aleatorio(std::size_t n, unsigned semente = 7) {
    std::mt19937 g(semente);
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>(g() & 0xFF);
    return s;
}

}  // namespace zovi::teste
