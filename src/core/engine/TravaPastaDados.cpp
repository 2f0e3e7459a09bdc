#include "engine/TravaPastaDados.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <pthread.h>

#include <map>
#include <mutex>

#include "engine/Erros.h"

namespace zovi {

namespace fs = std::filesystem;

namespace {

struct TravaArquivo {
    int fd = -1;
    int compartilhadas = 0;
    int exclusivas = 0;
};

std::mutex& MutexTravas() {
    static std::mutex m;
    return m;
}

std::map<std::string, TravaArquivo>& Travas();

// A forked child shares its parent's open files, and with them the parent's flock()
// locks: it starts with no lock of its own (closing its copies leaves the parent's).
void EsqueceTravasNoFilho() {
    for (auto& [chave, t] : Travas()) ::close(t.fd);
    Travas().clear();
    MutexTravas().unlock();  // taken by the forking thread, which goes on in the child
}

std::map<std::string, TravaArquivo>& Travas() {
    static std::map<std::string, TravaArquivo> t;
    static const int registrado = ::pthread_atfork([] { MutexTravas().lock(); }, [] { MutexTravas().unlock(); },
                                                   EsqueceTravasNoFilho);
    (void)registrado;
    return t;
}

std::string ChaveArquivo(const fs::path& p) {
    std::error_code ec;
    auto c = fs::weakly_canonical(p, ec);
    return ec ? p.string() : c.string();
}

int AbreArquivoTrava(const fs::path& arquivo, bool cria) {
    if (!cria) return ::open(arquivo.c_str(), O_RDONLY | O_CLOEXEC);
    int fd = ::open(arquivo.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // A lock file someone else created read-only still serves for locking.
    return fd >= 0 ? fd : ::open(arquivo.c_str(), O_RDONLY | O_CLOEXEC);
}

}  // namespace

void ObtemTravaArquivo(const fs::path& arquivo, const std::string& nome, bool exclusivo, bool cria) {
    std::lock_guard<std::mutex> g(MutexTravas());
    auto chave = ChaveArquivo(arquivo);
    auto& t = Travas()[chave];
    bool nova = t.fd < 0;
    if (nova) {
        t.fd = AbreArquivoTrava(arquivo, cria);
        if (t.fd < 0) {
            Travas().erase(chave);
            throw ErroMotor(codigo_motor::ErroEntradaSaida, "Arquivo: " + arquivo.string());
        }
    }
    bool tinhaExclusiva = t.exclusivas > 0;
    bool querExclusiva = tinhaExclusiva || exclusivo;
    if (nova || querExclusiva != tinhaExclusiva) {
        if (::flock(t.fd, (querExclusiva ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
            if (nova) {
                ::close(t.fd);
                Travas().erase(chave);
            } else {
                // flock converts by releasing first: take the shared lock back.
                ::flock(t.fd, LOCK_SH | LOCK_NB);
            }
            throw ErroMotor(codigo_motor::TabelaOcupada, nome);
        }
    }
    (exclusivo ? t.exclusivas : t.compartilhadas)++;
}

void SoltaTravaArquivo(const fs::path& arquivo, bool exclusivo) {
    std::lock_guard<std::mutex> g(MutexTravas());
    auto it = Travas().find(ChaveArquivo(arquivo));
    if (it == Travas().end()) return;
    auto& t = it->second;
    int& n = exclusivo ? t.exclusivas : t.compartilhadas;
    if (n > 0) --n;
    if (t.exclusivas + t.compartilhadas == 0) {
        ::flock(t.fd, LOCK_UN);
        ::close(t.fd);
        Travas().erase(it);
    } else if (exclusivo && t.exclusivas == 0) {
        ::flock(t.fd, LOCK_SH | LOCK_NB);
    }
}

TravaPastaDados::TravaPastaDados(const fs::path& pastaDados, ModoTrava modo)
    : pasta_(fs::absolute(pastaDados)), modo_(modo) {
    std::error_code ec;
    if (!fs::is_directory(pasta_, ec))
        throw ErroMotor(codigo_motor::TabelaNaoEncontrada, "Pasta de dados inexistente: " + pasta_.string());
    ObtemTravaArquivo(pasta_ / kArquivo, "Pasta de dados em uso por outro processo: " + pasta_.string(),
                      modo_ == ModoTrava::Exclusiva, true);
    mantida_ = true;
}

TravaPastaDados::~TravaPastaDados() { Solta(); }

TravaPastaDados::TravaPastaDados(TravaPastaDados&& outra) noexcept
    : pasta_(std::move(outra.pasta_)), modo_(outra.modo_), mantida_(outra.mantida_) {
    outra.mantida_ = false;
}

TravaPastaDados& TravaPastaDados::operator=(TravaPastaDados&& outra) noexcept {
    if (this != &outra) {
        Solta();
        pasta_ = std::move(outra.pasta_);
        modo_ = outra.modo_;
        mantida_ = outra.mantida_;
        outra.mantida_ = false;
    }
    return *this;
}

void TravaPastaDados::Solta() noexcept {
    if (!mantida_) return;
    mantida_ = false;
    SoltaTravaArquivo(pasta_ / kArquivo, modo_ == ModoTrava::Exclusiva);
}

}  // namespace zovi
