#pragma once
// Where backups go by default, and how much a volume can still take.
#include <QString>

#include <cstdint>
#include <filesystem>

namespace zovi::gui {

// The folder the archive dialogs start in: the diskette drive A: when the machine has one,
// otherwise the user's home folder.
QString PastaInicialCopia();
// True when the file lies on drive A: (a diskette, or a folder standing for one).
bool NaUnidadeA(const QString& arquivo);
// Free bytes of the volume holding the folder; on an emulated diskette, what is left of its size.
std::uintmax_t EspacoLivreVolume(const std::filesystem::path& pasta);

}  // namespace zovi::gui
