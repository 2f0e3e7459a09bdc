#pragma once
// Backup and restore of the declaration tables (BD8EMP, BD8VINC, BD8RESP) of a
// data folder, as the "Gravar" and "Restaurar" commands run them.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/Banco.h"
#include "platform/Interacao.h"

namespace zovi {

// The title every backup of this program carries.
inline const std::string kTituloCopiaZovi = "Zovi2005";
// The least free space a volume must offer, and what is kept free on it.
constexpr std::uintmax_t kEspacoMinimoVolume = 50000;
constexpr std::uintmax_t kReservaVolume = 20000;

// Free bytes where a volume is written (a folder, a mounted medium).
using MedidaEspacoLivre = std::function<std::uintmax_t(const std::filesystem::path& pasta)>;
std::uintmax_t EspacoLivreDisco(const std::filesystem::path& pasta);

// Saves the declaration tables into arquivo, asking for each further volume. The tables
// are copied as they stand at one instant (no commit of a process writing beside lands
// between them) and each copy is checked to be a sound table; the archive replaces a
// previous one of its name only once complete. True when the archive was completed.
bool fGravaCopiaDeclaracao(const std::filesystem::path& pastaDados, const std::filesystem::path& arquivo,
                           Interacao& interacao, const MedidaEspacoLivre& espaco = EspacoLivreDisco);

// Restores a backup of this program into the data folder. The archive must hold exactly
// the three tables, each a whole table of the program, as large together as its header
// says; they are unpacked into the folder "Work" of the data folder (room for them is
// checked first, and the folder is removed however the restore ends) and only then
// replace the current tables, all together or none, through the journaled swap of
// TrocaTabelas. banco, when given, is the program's open database: it lets go of the
// tables before they are replaced.
bool fRestauraCopiaDeclaracao(const std::filesystem::path& arquivo, const std::filesystem::path& pastaDados,
                              Interacao& interacao, Banco* banco = nullptr,
                              const MedidaEspacoLivre& espaco = EspacoLivreDisco);

}  // namespace zovi
