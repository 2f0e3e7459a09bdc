#pragma once
// The fixed-width declaration file: records of 523 characters plus CR LF,
// types 0 (declarant), 1 (establishment), 2 (employee) and 9 (trailer).
//
// One table of fields describes all four record types. The writer builds its
// records from it and the file reader picks fields out of it, so a position is
// written down exactly once.
#include <span>
#include <string>
#include <string_view>

namespace zovi {

class Tabela;

inline constexpr int kTamanhoRegistro = 523;              // characters of a record
inline constexpr int kTamanhoLinha = kTamanhoRegistro + 2;  // with CR LF, bytes on disk
inline constexpr int kTamanhoSelo = 32;
// The seal ends 2 bytes before the end of the file (just before the last CR LF).
inline constexpr int kDistanciaSeloFim = kTamanhoSelo + 2;

enum class FormatoCampo {
    Literal,    // fixed content: `padrao`
    Texto,      // stored value of the table field `origem` under the Text rule; blank -> `padrao` when given
    Dinheiro,   // centavos digits of the table field `origem`; written like Texto
    Indicador,  // "1" or "2", decided by the writer from `origem` (see the comment of each field)
    Contador,   // run counter named `origem`, zero-filled to the width
    Calculado,  // text of the width computed by the run, named `origem` (dates, time, statistics, seal)
    Brancos,    // spaces
};

struct CampoLeiaute {
    char tipo;          // record type: '0', '1', '2' or '9'
    int posicao;        // first character, counted from 1
    int largura;
    FormatoCampo formato;
    const char* origem;  // table field, counter or computed item; nullptr for Literal and Brancos
    const char* padrao;  // Literal: the content; Texto/Dinheiro: literal for a blank value, or nullptr
};

// Names of the counters and computed items the writer supplies.
namespace item {
inline constexpr const char* Sequencial = "Sequencial";
inline constexpr const char* Inscricao = "Inscricao";          // establishment as written in its type 1 record
inline constexpr const char* Prefixo = "Prefixo";
inline constexpr const char* Retificacao = "Retificacao";      // indicator: switch R
inline constexpr const char* DataRetificacao = "DataRetificacao";
inline constexpr const char* DataGeracao = "DataGeracao";
inline constexpr const char* HoraGravacao = "HoraGravacao";    // hhmmss when the header is written
inline constexpr const char* QtTipo1 = "QtTipo1";
inline constexpr const char* QtTipo2 = "QtTipo2";
inline constexpr const char* QtPrefixo = "QtPrefixo";          // type 1 records whose prefix is not "00"
inline constexpr const char* Estatistica = "Estatistica";
inline constexpr const char* Selo = "Selo";
}  // namespace item

// Every field of every record type, in record order within each type; the
// fields of one type cover positions 1 to 523 without gap or overlap.
std::span<const CampoLeiaute> CamposLeiaute();
// The fields of one record type.
std::span<const CampoLeiaute> CamposLeiaute(char tipo);

// The Text rule: pads a stored value with spaces to the width and turns the
// letters a-z into A-Z; every other byte (accented Windows-1252 letters
// included) stays as it is. A value longer than the width is cut to it, so a
// record never changes length.
std::string fFormataCampo(std::string_view valor, int largura);
// The current record's field under the Text rule, in the width the table gives it.
std::string fFormataCampo(const Tabela& tabela, const std::string& campo);
// Writes the same into a record buffer of `largura` bytes.
void PoeCampo(char* destino, std::string_view valor, int largura);
// A Texto or Dinheiro field of the layout: its blank default, else the Text rule.
void PoeCampoLeiaute(char* registro, const CampoLeiaute& campo, std::string_view valor);

// True when the value holds nothing but spaces.
bool EmBranco(std::string_view valor);

}  // namespace zovi
