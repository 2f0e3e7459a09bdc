#pragma once
// Another process that holds a table open (exclusively or not), or the lock of a
// data folder, until it is let go: the program's "Table is busy" paths need a
// real second holder.
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>

#include "engine/TravaPastaDados.h"

namespace zovi::teste {

class OutroProcesso {
public:
    OutroProcesso(const std::filesystem::path& pasta, const std::string& tabela, bool exclusivo = false);
    // Holds the data folder's lock in that mode, as another run of the program would.
    OutroProcesso(const std::filesystem::path& pasta, ModoTrava modo);
    // Runs roda in another process, which holds what it holds when it calls espera until it
    // is let go, and then goes on; Libera gives 0 when roda ended without throwing.
    explicit OutroProcesso(const std::function<void(const std::function<bool()>& espera)>& roda) { Inicia(roda); }
    ~OutroProcesso();
    OutroProcesso(const OutroProcesso&) = delete;
    OutroProcesso& operator=(const OutroProcesso&) = delete;

    // True once the other process holds the table.
    bool Segura() const { return segura_; }
    // Lets the table go and waits for the process; its exit status (0: it held and released).
    int Libera();

private:
    // Runs `segura` in a child process, which then waits to be let go while its objects live.
    void Inicia(const std::function<void(const std::function<bool()>& espera)>& segura);

    int pronto_[2] = {-1, -1}, libera_[2] = {-1, -1};
    pid_t filho_ = -1;
    bool segura_ = false;
};

}  // namespace zovi::teste
