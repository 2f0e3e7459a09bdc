#pragma once
// Reading files in the declaration layout: the field tables of the current
// layout (records of 523 characters) and of the previous year's (350), picked
// out by slot number; character classes; line-end detection.
//
// Slot positions come from the layout table the writer uses, so a position is
// written down once; the previous year's layout is kept here as the list of
// what differs from it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zovi {

inline constexpr int kTamanhoRegistroAtual = 523;
inline constexpr int kTamanhoRegistroAnterior = 350;

// One field of a record: caption, first character (from 1) and length. A
// descriptor with position 0 or length 0 extracts the empty text.
struct TArquivo {
    std::string legenda;
    int posicao = 0;
    int tamanho = 0;
};

template <int N>
class TRegistroZovi {
public:
    // Slot numbers count from 1; any other number reads as an empty field.
    const TArquivo& Campo(int slot) const { return (slot >= 1 && slot <= N) ? campos_[slot - 1] : vazio_; }
    TArquivo& DefineCampo(int slot) { return campos_.at(static_cast<size_t>(slot - 1)); }
    void Limpa() { campos_.fill(TArquivo{}); }
    // The field of `slot` in the record.
    std::string Extrai(std::string_view registro, int slot) const;
    std::string_view Vista(std::string_view registro, int slot) const;

private:
    std::array<TArquivo, N> campos_{};
    inline static const TArquivo vazio_{};
};

class TArquivoZoviTipoZero : public TRegistroZovi<24> {};   // header: declarant
class TArquivoZoviTipoUm : public TRegistroZovi<49> {};     // establishment
class TArquivoZoviTipoDois : public TRegistroZovi<85> {};   // employee
class TArquivoZoviTipoNove : public TRegistroZovi<10> {};   // trailer: totals and seal

struct LeiauteLeitura {
    int tamanhoRegistro = kTamanhoRegistroAtual;
    TArquivoZoviTipoZero tipoZero;
    TArquivoZoviTipoUm tipoUm;
    TArquivoZoviTipoDois tipoDois;
    TArquivoZoviTipoNove tipoNove;
};

// Each load starts from empty slots, so a slot the layout does not place never
// keeps the position another layout gave it.
void pCarregaLayoutAtual(LeiauteLeitura& leiaute);
void pCarregaLayoutAnterior(LeiauteLeitura& leiaute);

// Character classes of Windows-1252 text. Counts are of characters (bytes).
bool fSoDigitos(const char* texto, std::size_t n);
std::size_t fPosicaoNaoDigito(const char* texto, std::size_t n);      // 1-based; n+1 when all are digits
bool fSoImprimiveis(const char* texto, std::size_t n);                 // 0x20..0x7E only
std::size_t fPosicaoNaoImprimivel(const char* texto, std::size_t n);  // 1-based; n+1 when none
bool fExibivel(unsigned char c);  // printable ASCII or a letter of the code page (accented letters pass)
bool fTemQuebra(const char* texto, std::size_t n);  // a CR or LF among the n characters
inline bool fSoDigitos(std::string_view s) { return fSoDigitos(s.data(), s.size()); }
inline bool fSoImprimiveis(std::string_view s) { return fSoImprimiveis(s.data(), s.size()); }

// Up to `tamanho` characters of the record from the 1-based `posicao`, stopping
// at a NUL byte or at the end of the record; empty for position or length 0, a
// length over 256 or a field that would end past 65536.
std::string fExtraiCampo(std::string_view registro, int posicao, int tamanho);
// The same field, seen in the record without a copy.
std::string_view fVistaCampo(std::string_view registro, int posicao, int tamanho);

std::string fHexa(unsigned char c);                      // "0D"
std::string fMostraCaracter(unsigned char c, bool sufixo);  // the character, or "0D(hexadecimal)"

// Line ends: 0 none (records follow one another), 1 CR LF, 2 LF CR, 3 CR, 4 LF.
int fTipoQuebra(std::string_view inicio, int tamanhoRegistro);  // from the characters after the first record
int fPasso(int tipoQuebra, int tamanhoRegistro);                 // bytes from one record to the next
// The record (its S bytes) ends with the line end of that kind.
bool fConfereQuebra(std::string_view registro, int passo, int tipoQuebra);

template <int N>
std::string TRegistroZovi<N>::Extrai(std::string_view registro, int slot) const {
    const TArquivo& c = Campo(slot);
    return fExtraiCampo(registro, c.posicao, c.tamanho);
}

template <int N>
std::string_view TRegistroZovi<N>::Vista(std::string_view registro, int slot) const {
    const TArquivo& c = Campo(slot);
    return fVistaCampo(registro, c.posicao, c.tamanho);
}

}  // namespace zovi
