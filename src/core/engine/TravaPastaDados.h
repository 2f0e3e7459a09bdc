#pragma once
// Advisory locks of this process on files, and the one lock on a data folder
// that every process of the program takes before it touches the folder.
//
// Locks are flock() locks, counted per process: every holder in the process
// shares one descriptor per file, so the process is one holder for the others
// and may raise its own shared lock to an exclusive one (the program, which
// holds its folder shared while open, restores into it). flock() is used, not
// fcntl(): fcntl locks would be dropped by SQLite closing its own descriptors
// of a table file.
//
// The folder lock says what a process may do beside the others:
//   Compartilhada  the program while it is open and every run that reads or adds
//                  to the declaration tables through transactions (verification,
//                  writing, analysis, backup, the start-up check);
//   Exclusiva      the runs that replace or rebuild table files (restore, index
//                  rebuild, building a data folder): nobody else may be there.
// A lock held elsewhere in a conflicting mode makes the taking fail at once with
// the engine error "Table is busy".
#include <filesystem>
#include <string>

namespace zovi {

// Takes a counted lock on an existing file (or on a lock file it creates when
// cria); throws ErroMotor TabelaOcupada, naming `nome`, when another process holds it.
void ObtemTravaArquivo(const std::filesystem::path& arquivo, const std::string& nome, bool exclusivo,
                       bool cria = false);
// Lets one count of the lock go; the last one unlocks and closes the file.
void SoltaTravaArquivo(const std::filesystem::path& arquivo, bool exclusivo);

enum class ModoTrava { Compartilhada, Exclusiva };

class TravaPastaDados {
public:
    // The lock file's name inside the data folder.
    static constexpr const char* kArquivo = "GDZOVI.TRAVA";

    // Takes the lock or throws ErroMotor: TabelaOcupada when another process holds the
    // folder in a conflicting mode, TabelaNaoEncontrada when the folder does not exist.
    TravaPastaDados(const std::filesystem::path& pastaDados, ModoTrava modo);
    ~TravaPastaDados();
    TravaPastaDados(TravaPastaDados&& outra) noexcept;
    TravaPastaDados& operator=(TravaPastaDados&& outra) noexcept;
    TravaPastaDados(const TravaPastaDados&) = delete;
    TravaPastaDados& operator=(const TravaPastaDados&) = delete;

    ModoTrava Modo() const { return modo_; }
    const std::filesystem::path& Pasta() const { return pasta_; }

private:
    void Solta() noexcept;

    std::filesystem::path pasta_;
    ModoTrava modo_;
    bool mantida_ = false;
};

}  // namespace zovi
