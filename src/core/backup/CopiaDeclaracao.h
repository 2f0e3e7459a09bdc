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

// What a backup came to; true when the archive was completed.
struct ResultadoCopia {
    bool feita = false;
    bool pastaOcupada = false;  // another process kept the tables busy: worth trying again later
    operator bool() const { return feita; }
};

// Saves the declaration tables into arquivo. The tables are copied as they stand at one
// instant (no commit of a process writing beside lands between them) into a folder of the
// data folder, which must have room for them, and each copy is checked to be a sound table.
// emVolumes: the archive may span volumes (diskettes), each filled up to the room its medium
// offers, the next one asked for. Otherwise it is one file, which must fit in the room of the
// destination: one that does not fit is refused with the figures. Either way the archive's
// files take their names only once all are complete, so an earlier archive of that name is
// kept whole until then.
ResultadoCopia fGravaCopiaDeclaracao(const std::filesystem::path& pastaDados, const std::filesystem::path& arquivo,
                                     Interacao& interacao, const MedidaEspacoLivre& espaco = EspacoLivreDisco,
                                     bool emVolumes = false);

// Restores a backup of this program into the data folder. The archive must hold exactly
// the three tables (the entries of its first volume are listed before anything is
// unpacked), each a whole table with the program's own definition and every row within
// it, as large together as its header says (the file list, when there is one, counted).
// They are unpacked into the folder "Work" of the data folder (room for them is checked
// first, and the folder is removed however the restore ends) and only then replace the
// current tables, all together or none, through the journaled swap of TrocaTabelas.
// banco, when given, is the program's open database: it lets go of the tables before
// they are replaced.
bool fRestauraCopiaDeclaracao(const std::filesystem::path& arquivo, const std::filesystem::path& pastaDados,
                              Interacao& interacao, Banco* banco = nullptr,
                              const MedidaEspacoLivre& espaco = EspacoLivreDisco);

}  // namespace zovi
