#include "OutroProcesso.h"

#include <sys/wait.h>
#include <unistd.h>

#include "engine/Banco.h"
#include "engine/Tabela.h"

namespace zovi::teste {

OutroProcesso::OutroProcesso(const std::filesystem::path& pasta, const std::string& tabela, bool exclusivo) {
    Inicia([&](const std::function<bool()>& espera) {
        Banco b;
        b.Abre("Zovi2005", {"path=" + pasta.string()});
        Tabela t(b, tabela);
        t.Abre(exclusivo);
        if (!espera()) throw 1;
    });
}

OutroProcesso::OutroProcesso(const std::filesystem::path& pasta, ModoTrava modo) {
    Inicia([&](const std::function<bool()>& espera) {
        TravaPastaDados trava(pasta, modo);
        if (!espera()) throw 1;
    });
}

void OutroProcesso::Inicia(const std::function<void(const std::function<bool()>&)>& segura) {
    if (pipe(pronto_) != 0 || pipe(libera_) != 0) return;
    filho_ = fork();
    if (filho_ == 0) {
        int rc = 1;
        try {
            segura([this] {
                char c = 1;
                return write(pronto_[1], &c, 1) == 1 && read(libera_[0], &c, 1) == 1;
            });
            rc = 0;
        } catch (...) {
        }
        _exit(rc);
    }
    // The child's end of the signal: when the child dies before holding, read() sees the end.
    close(pronto_[1]);
    pronto_[1] = -1;
    char c;
    segura_ = filho_ > 0 && read(pronto_[0], &c, 1) == 1;
}

int OutroProcesso::Libera() {
    if (filho_ <= 0) return -1;
    char c = 1;
    int estado = -1;
    if (write(libera_[1], &c, 1) == 1) waitpid(filho_, &estado, 0);
    filho_ = -1;
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

OutroProcesso::~OutroProcesso() {
    Libera();
    for (int fd : {pronto_[0], pronto_[1], libera_[0], libera_[1]})
        if (fd >= 0) close(fd);
}

}  // namespace zovi::teste
