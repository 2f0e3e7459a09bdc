#include "backup/Lzrw1kh.h"

#include <gtest/gtest.h>

#include "ArquivoCopia.h"
#include "PastaTeste.h"
#include "backup/CopiaSeguranca.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::Aleatorio;
using teste::Compressivel;
using teste::LeArquivo;
using teste::MontaCopia;
using teste::PastaTeste;

// An encoder of the published block format, to make fixtures: literals, copies of
// 3 to 18 bytes up to 4095 bytes back (overlapping their own output when the
// match does), and runs of 16 to 4111 equal bytes.
std::string CodificaLzrw(const std::string& in) {
    std::string out(1, '\x40');
    std::size_t posControle = std::string::npos;
    unsigned controle = 0;
    int itens = 16;
    auto fechaControle = [&] {
        if (posControle == std::string::npos) return;
        out[posControle] = static_cast<char>(controle >> 8);
        out[posControle + 1] = static_cast<char>(controle & 0xFF);
    };
    auto item = [&](bool copia, const std::string& bytes) {
        if (itens == 16) {
            fechaControle();
            posControle = out.size();
            out += std::string(2, '\0');
            controle = 0;
            itens = 0;
        }
        if (copia) controle |= 1u << (15 - itens);
        ++itens;
        out += bytes;
    };
    std::size_t i = 0;
    while (i < in.size()) {
        std::size_t r = 1;
        while (i + r < in.size() && in[i + r] == in[i] && r < 4111) ++r;
        if (r >= 16) {
            std::size_t k = r - 16;
            item(true, {'\0', static_cast<char>(k >> 8), static_cast<char>(k & 0xFF), in[i]});
            i += r;
            continue;
        }
        std::size_t melhor = 0, deslocamento = 0;
        for (std::size_t o = 1; o <= std::min<std::size_t>(i, 4095); ++o) {
            std::size_t l = 0;
            while (l < 18 && i + l < in.size() && in[i + l] == in[i + l - o]) ++l;
            if (l > melhor) {
                melhor = l;
                deslocamento = o;
            }
        }
        if (melhor >= 3) {
            item(true, {static_cast<char>(deslocamento >> 4),
                        static_cast<char>(((deslocamento & 15) << 4) | (melhor - 3))});
            i += melhor;
        } else {
            item(false, std::string(1, in[i++]));
        }
    }
    fechaControle();
    return out;
}

std::string Decodifica(const std::string& bloco, bool* ok = nullptr) {
    std::vector<std::uint8_t> saida;
    bool r = fDescomprimeLzrw1kh(reinterpret_cast<const std::uint8_t*>(bloco.data()), bloco.size(), saida);
    if (ok) *ok = r;
    return std::string(saida.begin(), saida.end());
}

// Written bit by bit: three literals, a copy 3 back of 6 bytes (overlapping what it
// writes) and a run of 20 'x'.
TEST(Lzrw1kh, BlocoMontadoAMao) {
    const std::string bloco = {'\x00', '\x18', '\x00', 'a', 'b', 'c', '\x00', '\x33', '\x00', '\x00', '\x04', 'x'};
    bool ok = false;
    EXPECT_EQ(Decodifica(bloco, &ok), "abcabcabc" + std::string(20, 'x'));
    EXPECT_TRUE(ok);
    EXPECT_EQ(Decodifica("\x80guardado", &ok), "guardado");
    EXPECT_TRUE(ok);
}

TEST(Lzrw1kh, IdaEVoltaComOCodificador) {
    std::string texto = Compressivel(9000) + std::string(5000, '\0') + "aaaaaaaaaaaaaaa" + Aleatorio(300) +
                        std::string(4111, 'z') + std::string(17, 'q') + Compressivel(32768 - 9000 - 5000 - 15 - 300 - 4111 - 17);
    ASSERT_EQ(texto.size(), kLzrwMaxSaida);
    auto bloco = CodificaLzrw(texto);
    ASSERT_LE(bloco.size(), kLzrwMaxBloco);
    bool ok = false;
    EXPECT_EQ(Decodifica(bloco, &ok), texto);
    EXPECT_TRUE(ok);
}

TEST(Lzrw1kh, BlocosMalformados) {
    const std::pair<const char*, std::string> casos[] = {
        {"vazio", ""},
        {"sem palavra de controle", std::string("\x00\x80", 2)},
        {"copia cortada", std::string("\x00\x80\x00\x01", 4)},
        {"corrida cortada", std::string("\x00\x80\x00\x00\x00\x01", 6)},
        {"copia antes do inicio", std::string("\x00\x40\x00" "a\x01\x00", 6)},
    };
    for (const auto& [nome, bloco] : casos) {
        bool ok = true;
        Decodifica(bloco, &ok);
        EXPECT_FALSE(ok) << nome;
    }
    // Nine runs of 4111 bytes pass the 32768 limit.
    std::string muitos(1, '\x00');
    muitos += std::string("\xFF\x80", 2);
    for (int i = 0; i < 9; ++i) muitos += std::string("\x00\x0F\xFF" "a", 4);
    bool ok = true;
    Decodifica(muitos, &ok);
    EXPECT_FALSE(ok);
}

// An archive of an older version: the entry's data in an "ECS" segment of three blocks.
TEST(Lzrw1kh, SegmentoNumArquivo) {
    PastaTeste pasta(false);
    std::string parte1 = Compressivel(32768), parte2 = "bloco guardado", parte3 = std::string(300, 'r') + "fim";
    std::vector<std::string> blocos = {CodificaLzrw(parte1), "\x80" + parte2, CodificaLzrw(parte3)};
    std::int32_t s = 0;
    for (const auto& b : blocos) s += static_cast<std::int32_t>(b.size()) + 4;
    MontaCopia m;
    m.Cabecalho().Entrada("c:\\zovi\\dados\\bd8resp.db").Bruto(std::string("ECS\0", 4)).Int32(s);
    for (const auto& b : blocos) m.Int32(static_cast<std::int32_t>(b.size())).Bruto(b);
    m.Entrada("c:\\zovi\\dados\\bd8emp.db").SegmentoBruto("depois").Int32(0);
    m.Grava(pasta.Caminho() / "antigo.bkp");
    TCopiaSeguranca copia;
    ASSERT_TRUE(copia.Restore((pasta.Caminho() / "antigo.bkp").string(), pasta.Caminho().string()));
    EXPECT_EQ(LeArquivo(pasta.Caminho() / "bd8resp.db"), parte1 + parte2 + parte3);
    EXPECT_EQ(LeArquivo(pasta.Caminho() / "bd8emp.db"), "depois");
}

}  // namespace
}  // namespace zovi
