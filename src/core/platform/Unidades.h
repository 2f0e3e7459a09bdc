#pragma once
// The removable drives A: and B:, each seen as a folder.
//
// A letter names the folder in GDZOVI_UNIDADE_A / GDZOVI_UNIDADE_B when that is
// set ("folder" or "folder:BYTES"); otherwise the first (A) or second (B)
// removable medium mounted, in the order the system lists its mounts. With
// ":BYTES" the folder behaves as a medium of that size: its total size is
// BYTES, its free space BYTES less the files it holds, and a write that does
// not fit fails as on a full diskette.
//
// Paths are written the program's way, "A:\Zovi2005."; a name is looked up
// without regard to letter case and trailing dots are dropped, so
// "A:\Zovi2005." and "a:\ZOVI2005" name the same file.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zovi {

struct Unidade {
    char letra = 'A';
    std::filesystem::path pasta;
    std::optional<std::uint64_t> capacidade;  // emulated medium size, bytes
};

// The drive behind a letter (A or B, any case), or nullopt when the machine has none.
std::optional<Unidade> LocalizaUnidade(char letra);
// The letters among A and B whose drive exists, in that order.
std::vector<char> UnidadesExistentes();

// A readable medium is in the drive: its folder exists and can be listed.
bool UnidadePresente(char letra);
std::optional<std::uint64_t> TamanhoTotal(char letra);
std::optional<std::uint64_t> EspacoLivre(char letra);

struct EntradaRaiz {
    std::string nome;
    bool pasta = false;
};
// Normal files and folders in the root of the medium (hidden entries left out); nullopt when unreadable.
std::optional<std::vector<EntradaRaiz>> ListaRaiz(char letra);

// "A:\Dir\Nome." -> the file in the drive's folder; a path without a drive letter is
// taken as it is. nullopt for another letter, a drive that does not exist, or ".." in the path.
std::optional<std::filesystem::path> CaminhoUnidade(const std::string& caminho);
// Removes a file named the program's way; true when it is gone.
bool ApagaArquivoUnidade(const std::string& caminho);

// A file written to a drive, buffered, within the medium's free space.
class ArquivoUnidade {
public:
    ArquivoUnidade() = default;
    ~ArquivoUnidade();
    ArquivoUnidade(const ArquivoUnidade&) = delete;
    ArquivoUnidade& operator=(const ArquivoUnidade&) = delete;

    // Creates (or empties) the file for writing.
    bool Cria(const std::string& caminho);
    // False when the system refuses or the medium is full; nothing of a refused block is written.
    bool Escreve(const char* dados, std::size_t n);
    // Flushes and closes; false when the data did not reach the medium.
    bool Fecha();
    bool Aberto() const { return arquivo_ != nullptr; }

private:
    std::FILE* arquivo_ = nullptr;
    std::optional<std::uint64_t> livre_;  // emulated medium: bytes that still fit
};

}  // namespace zovi
