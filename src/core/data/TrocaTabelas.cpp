#include "data/TrocaTabelas.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#include "engine/Definicao.h"
#include "engine/Erros.h"
#include "engine/TravaPastaDados.h"

namespace zovi {

namespace fs = std::filesystem;

namespace {

const std::string kPendente = "~troca-tabelas.pendente";
const std::string kConcluida = "~troca-tabelas.concluida";
const std::string kRascunho = "~troca-tabelas.rascunho";
const std::string kPrefixoAparte = "~anterior-";
const std::string kCabecalho = "GDZOVI2005 troca de tabelas";
const std::string kFim = "fim";

PontoTroca& Ponto() {
    static PontoTroca ponto;
    return ponto;
}

void Passo(const std::string& nome) {
    if (Ponto()) Ponto()(nome);
}

// The renames of one swap, names relative to the data folder.
struct Plano {
    std::vector<std::pair<std::string, std::string>> afastados;  // current file -> its set-aside name
    std::vector<std::pair<std::string, std::string>> colocados;  // new file -> its final name
};

std::string Texto(const Plano& p) {
    std::string t = kCabecalho + "\n";
    for (const auto& [atual, aparte] : p.afastados) t += "afasta\t" + atual + "\t" + aparte + "\n";
    for (const auto& [origem, final] : p.colocados) t += "coloca\t" + origem + "\t" + final + "\n";
    return t + kFim + "\n";
}

bool NomeSimples(const std::string& n) {
    return !n.empty() && n != "." && n != ".." && n.find('/') == std::string::npos && n.find('\0') == std::string::npos;
}

bool CaminhoInterno(const std::string& c) {
    fs::path p(c);
    if (c.empty() || p.is_absolute()) return false;
    for (const auto& parte : p)
        if (!NomeSimples(parte.string())) return false;
    return true;
}

// A journal is whole when it starts with its heading and ends with "fim"; it names only
// files of the data folder.
bool LePlano(const fs::path& arquivo, Plano& plano) {
    std::ifstream f(arquivo, std::ios::binary);
    std::string linha;
    if (!std::getline(f, linha) || linha != kCabecalho) return false;
    while (std::getline(f, linha)) {
        if (linha == kFim) return true;
        std::istringstream campos(linha);
        std::string tipo, a, b, resto;
        if (!std::getline(campos, tipo, '\t') || !std::getline(campos, a, '\t') || !std::getline(campos, b, '\t') ||
            std::getline(campos, resto))
            return false;
        if (tipo == "afasta" && NomeSimples(a) && NomeSimples(b))
            plano.afastados.emplace_back(a, b);
        else if (tipo == "coloca" && CaminhoInterno(a) && NomeSimples(b))
            plano.colocados.emplace_back(a, b);
        else
            return false;
    }
    return false;
}

bool Existe(const fs::path& p) {
    std::error_code ec;
    return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

void SincronizaPastasDeOrigem(const fs::path& pasta, const Plano& plano) {
    std::set<fs::path> pastas{pasta};
    for (const auto& [origem, final] : plano.colocados) pastas.insert((pasta / origem).parent_path());
    for (const auto& p : pastas)
        if (fs::is_directory(p)) SincronizaArquivo(p);
}

// Whether a final name holds the new file: its origin is gone and, when it replaces a
// current file, that one was set aside first.
bool Colocado(const fs::path& pasta, const Plano& plano, const std::string& origem, const std::string& final) {
    if (Existe(pasta / origem) || !Existe(pasta / final)) return false;
    for (const auto& [atual, aparte] : plano.afastados)
        if (atual == final) return Existe(pasta / aparte);
    return true;
}

bool PodeAvancar(const fs::path& pasta, const Plano& plano) {
    for (const auto& [origem, final] : plano.colocados)
        if (!Existe(pasta / origem) && !Colocado(pasta, plano, origem, final)) return false;
    return true;
}

// Each rename is made only when it is still to be made, so a swap cut short anywhere is
// finished by running this again.
void Avanca(const fs::path& pasta, const Plano& plano) {
    for (const auto& [atual, aparte] : plano.afastados) {
        if (Existe(pasta / aparte) || !Existe(pasta / atual)) continue;
        fs::rename(pasta / atual, pasta / aparte);
        Passo("afastado " + atual);
    }
    // Every current file is out of the way on disk before a new one takes its name.
    SincronizaArquivo(pasta);
    Passo("afastados sincronizados");
    for (const auto& [origem, final] : plano.colocados) {
        if (!Existe(pasta / origem)) continue;
        fs::rename(pasta / origem, pasta / final);
        Passo("colocado " + final);
    }
    SincronizaPastasDeOrigem(pasta, plano);
    Passo("colocados sincronizados");
}

// A new file went missing: the placed ones go and the set-aside ones come back.
void Desfaz(const fs::path& pasta, const Plano& plano) {
    for (const auto& [origem, final] : plano.colocados) {
        if (!Colocado(pasta, plano, origem, final)) continue;
        bool substitui = false;
        for (const auto& [atual, aparte] : plano.afastados) substitui = substitui || atual == final;
        if (!substitui) fs::remove(pasta / final);  // a set-aside file coming back replaces the others
    }
    for (const auto& [atual, aparte] : plano.afastados) {
        if (!Existe(pasta / aparte)) continue;
        fs::rename(pasta / aparte, pasta / atual);
        Passo("devolvido " + atual);
    }
    SincronizaArquivo(pasta);
}

// Every new file is in place: from here on the swap is done.
void Confirma(const fs::path& pasta) {
    fs::rename(pasta / kPendente, pasta / kConcluida);
    SincronizaArquivo(pasta);
    Passo("concluida");
}

// The set-aside files of a done swap go, and then its journal. What cannot be removed
// now is removed at the next start.
void Limpa(const fs::path& pasta, const Plano& plano) {
    std::error_code ec;
    for (const auto& [atual, aparte] : plano.afastados) {
        fs::remove(pasta / aparte, ec);
        Passo("apagado " + aparte);
    }
    if (!fs::remove(pasta / kConcluida, ec)) return;
    try {
        SincronizaArquivo(pasta);
    } catch (const std::exception&) {
    }
}

bool EhDaTabela(const std::string& arquivo, const std::vector<std::string>& tabelas) {
    for (const auto& t : tabelas)
        if (arquivo.size() > t.size() + 1 && MesmoNome(arquivo.substr(0, t.size() + 1), t + ".")) return true;
    return false;
}

Plano MontaPlano(const fs::path& pasta, const std::vector<std::string>& tabelas, const std::vector<ArquivoNovo>& novos) {
    Plano plano;
    std::vector<std::string> atuais;
    for (const auto& e : fs::directory_iterator(pasta)) {
        auto nome = e.path().filename().string();
        if (!e.is_directory() && EhDaTabela(nome, tabelas)) atuais.push_back(nome);
    }
    std::set<std::string> finais;
    for (const auto& n : novos) {
        auto origem = fs::relative(n.origem, pasta).lexically_normal().string();
        if (!CaminhoInterno(origem) || !NomeSimples(n.nome) || !EhDaTabela(n.nome, tabelas))
            throw std::invalid_argument("Arquivo novo fora da pasta de dados: " + n.origem.string());
        // A file named in another letter case is replaced, never doubled.
        std::string final = n.nome;
        for (const auto& a : atuais)
            if (MesmoNome(a, n.nome)) final = a;
        if (!finais.insert(NomeMaiusculo(final)).second)
            throw std::invalid_argument("Arquivo novo repetido: " + n.nome);
        plano.colocados.emplace_back(origem, final);
    }
    // A set-aside name never taken over from a file already there.
    for (const auto& a : atuais) {
        auto aparte = kPrefixoAparte + a;
        for (int n = 2; Existe(pasta / aparte); ++n) aparte = kPrefixoAparte + std::to_string(n) + "-" + a;
        plano.afastados.emplace_back(a, aparte);
    }
    return plano;
}

void GravaDiario(const fs::path& pasta, const Plano& plano) {
    auto rascunho = pasta / kRascunho;
    {
        std::ofstream f(rascunho, std::ios::binary | std::ios::trunc);
        f << Texto(plano);
        f.flush();
        if (!f) throw fs::filesystem_error("Não foi possível gravar o diário da troca", rascunho, std::make_error_code(std::errc::io_error));
    }
    SincronizaArquivo(rascunho);
    Passo("diario gravado");
    fs::rename(rascunho, pasta / kPendente);
    SincronizaArquivo(pasta);
    Passo("diario no lugar");
}

enum class Desfecho { Nenhuma, Concluida, Desfeita, Falhou };

// A pending swap goes forward when every new file is at hand, and is undone when one is
// missing or going forward fails; a done one is cleaned up.
Desfecho Resolve(const fs::path& pasta, std::string& erro) {
    std::error_code ec;
    fs::remove(pasta / kRascunho, ec);  // a journal never put in place: the swap had not begun
    bool pendente = Existe(pasta / kPendente);
    if (!pendente && !Existe(pasta / kConcluida)) return Desfecho::Nenhuma;
    auto diario = pasta / (pendente ? kPendente : kConcluida);
    Plano plano;
    if (!LePlano(diario, plano)) {
        erro = "O diário da troca de tabelas \"" + diario.string() + "\" está danificado.";
        return Desfecho::Falhou;
    }
    if (pendente) {
        bool avancou = false;
        if (PodeAvancar(pasta, plano)) {
            try {
                Avanca(pasta, plano);
                Confirma(pasta);
                avancou = true;
            } catch (const std::exception&) {
            }
        }
        if (!avancou) {
            try {
                Desfaz(pasta, plano);
                fs::remove(diario);
                SincronizaArquivo(pasta);
            } catch (const std::exception& e) {
                erro = "Não foi possível concluir nem desfazer a troca de tabelas interrompida: " + std::string(e.what());
                return Desfecho::Falhou;
            }
            return Desfecho::Desfeita;
        }
    }
    Limpa(pasta, plano);
    return Desfecho::Concluida;
}

}  // namespace

void DefinePontoTroca(PontoTroca ponto) { Ponto() = std::move(ponto); }

void SincronizaArquivo(const fs::path& arquivo) {
    int fd = ::open(arquivo.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw fs::filesystem_error("Não foi possível abrir", arquivo, std::error_code(errno, std::generic_category()));
    int rc = ::fsync(fd);
    int erro = errno;
    ::close(fd);
    if (rc != 0) throw fs::filesystem_error("Não foi possível sincronizar", arquivo, std::error_code(erro, std::generic_category()));
}

void TrocaTabelas(const fs::path& pastaDados, const std::vector<std::string>& tabelas,
                  const std::vector<ArquivoNovo>& novos) {
    auto plano = MontaPlano(pastaDados, tabelas, novos);
    // The new files are whole on disk before the journal promises them.
    for (const auto& [origem, final] : plano.colocados) SincronizaArquivo(pastaDados / origem);
    SincronizaPastasDeOrigem(pastaDados, plano);
    Passo("novos sincronizados");
    try {
        GravaDiario(pastaDados, plano);
        Avanca(pastaDados, plano);
        Confirma(pastaDados);
        Limpa(pastaDados, plano);
    } catch (const std::exception&) {
        // The journal settles it: finished when the new files are all at hand, else undone;
        // without one (or with only its draft) nothing was renamed.
        std::string erro;
        if (Resolve(pastaDados, erro) != Desfecho::Concluida) throw;
    }
}

void RemoveCopiasAbandonadas(const fs::path& pastaDados) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(pastaDados, ec)) {
        if (e.path().filename().string().rfind(kPrefixoCopiaEmCurso, 0) != 0) continue;
        int fd = ::open(e.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        std::error_code erro;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) fs::remove_all(e.path(), erro);
        ::close(fd);
    }
}

void RecuperaTrocaInterrompida(const fs::path& pasta) {
    bool restos = false;
    for (const auto& nome : {kRascunho, kPendente, kConcluida, kPastaEsperaTroca}) restos = restos || Existe(pasta / nome);
    if (!restos) return;
    // Settled only with nobody else in the folder: a restore under way holds it alone, and
    // what it has in hand is not a leftover.
    TravaPastaDados trava(pasta, ModoTrava::Exclusiva);
    std::string erro;
    if (Resolve(pasta, erro) == Desfecho::Falhou) throw ErroMotor(codigo_motor::ErroEntradaSaida, erro);
    std::error_code ec;
    fs::remove_all(pasta / kPastaEsperaTroca, ec);
}

}  // namespace zovi
