#pragma once
// Errors of the database engine layer.
//
// ErroBanco is a database error the program did not expect (a field name that
// does not exist, a store outside editing). ErroMotor is an error of the engine
// itself: it carries a stack of entries, each with a 16-bit native code whose
// high byte is the category; the last entry is the most specific one.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace zovi {

class ErroBanco : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Native codes the program tests or reports.
namespace codigo_motor {
inline constexpr std::uint16_t TabelaNaoEncontrada = 0x2202;  // 8706
inline constexpr std::uint16_t ArquivoCorrompido   = 0x2301;  // 8961
inline constexpr std::uint16_t ErroEntradaSaida    = 0x2401;  // 9217
inline constexpr std::uint16_t ViolacaoChave       = 0x2601;  // 9729
inline constexpr std::uint16_t ValorForaLargura    = 0x2603;  // 9731
inline constexpr std::uint16_t ValorObrigatorio    = 0x2604;  // 9732
inline constexpr std::uint16_t RequisicaoInvalida  = 0x2701;  // 9985
inline constexpr std::uint16_t TabelaOcupada       = 0x2803;  // 10243
inline constexpr std::uint16_t TabelaEmUso         = 0x2804;  // 10244
inline constexpr std::uint16_t ValorForaDaLista    = 0x2A04;  // 10756
inline constexpr std::uint16_t IndiceInexistente   = 0x2A05;  // 10757
inline constexpr std::uint16_t ErroSql             = 0x2E01;  // 11777
inline constexpr std::uint16_t ErroInterno         = 0x3301;  // 13057
}  // namespace codigo_motor

struct EntradaErro {
    std::uint16_t codigo;
    std::string texto;
};

class ErroMotor : public ErroBanco {
public:
    explicit ErroMotor(std::vector<EntradaErro> pilha);
    ErroMotor(std::uint16_t codigo, const std::string& detalhe);

    const std::vector<EntradaErro>& Pilha() const { return pilha_; }
    std::uint16_t Codigo() const { return pilha_.back().codigo; }
    std::uint8_t Categoria() const { return static_cast<std::uint8_t>(Codigo() >> 8); }

    // The engine's fixed text for a native code and for a category.
    static std::string TextoCodigo(std::uint16_t codigo);
    static std::string TextoCategoria(std::uint8_t categoria);

private:
    std::vector<EntradaErro> pilha_;
};

}  // namespace zovi
