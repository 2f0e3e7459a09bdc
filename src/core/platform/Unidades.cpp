#include "platform/Unidades.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zovi {

namespace fs = std::filesystem;

namespace {

char Maiuscula(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool MesmoNomeArquivo(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Maiuscula(x) == Maiuscula(y);
           });
}

// "/mnt/x:1457664" -> folder and capacity; a suffix that is not all digits belongs to the folder.
Unidade LeVariavel(char letra, const std::string& valor) {
    Unidade u{letra, valor, std::nullopt};
    auto p = valor.rfind(':');
    if (p != std::string::npos && p + 1 < valor.size() &&
        std::all_of(valor.begin() + static_cast<long>(p) + 1, valor.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        u.pasta = valor.substr(0, p);
        u.capacidade = std::stoull(valor.substr(p + 1));
    }
    return u;
}

// Mount points in /proc/mounts escape blanks as octal ("\040").
std::string DesfazEscapes(const std::string& s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        auto octal = [&](size_t j) { return j < s.size() && s[j] >= '0' && s[j] <= '7'; };
        if (s[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            r += static_cast<char>(std::stoi(s.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            r += s[i];
        }
    }
    return r;
}

// The block device (or the disk it is a partition of) is marked removable.
bool DispositivoRemovivel(const std::string& dispositivo) {
    if (dispositivo.rfind("/dev/", 0) != 0) return false;
    std::error_code ec;
    fs::path sys = fs::canonical(fs::path("/sys/class/block") / fs::path(dispositivo).filename(), ec);
    if (ec) return false;
    for (const fs::path& p : {sys, sys.parent_path()}) {
        std::ifstream f(p / "removable");
        char c = 0;
        if (f >> c && c == '1') return true;
    }
    return false;
}

std::vector<fs::path> MidiasRemoviveis() {
    std::vector<fs::path> midias;
    std::ifstream montagens("/proc/mounts");
    for (std::string linha; std::getline(montagens, linha);) {
        std::istringstream campos(linha);
        std::string dispositivo, ponto;
        if (!(campos >> dispositivo >> ponto)) continue;
        ponto = DesfazEscapes(ponto);
        const bool emMidia = ponto.rfind("/media/", 0) == 0 || ponto.rfind("/run/media/", 0) == 0;
        if ((emMidia || DispositivoRemovivel(dispositivo)) &&
            std::find(midias.begin(), midias.end(), fs::path(ponto)) == midias.end())
            midias.emplace_back(ponto);
    }
    return midias;
}

std::uint64_t BytesDosArquivos(const fs::path& pasta) {
    std::uint64_t total = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(pasta, fs::directory_options::skip_permission_denied, ec), fim;
         !ec && it != fim; it.increment(ec)) {
        std::error_code e2;
        if (it->is_regular_file(e2)) total += it->file_size(e2);
    }
    return total;
}

}  // namespace

std::optional<Unidade> LocalizaUnidade(char letra) {
    letra = Maiuscula(letra);
    if (letra != 'A' && letra != 'B') return std::nullopt;
    const std::string variavel = std::string("GDZOVI_UNIDADE_") + letra;
    if (const char* v = std::getenv(variavel.c_str()); v && *v) return LeVariavel(letra, v);
    auto midias = MidiasRemoviveis();
    const size_t ordem = letra == 'A' ? 0 : 1;
    if (ordem >= midias.size()) return std::nullopt;
    return Unidade{letra, midias[ordem], std::nullopt};
}

std::vector<char> UnidadesExistentes() {
    std::vector<char> r;
    for (char l : {'A', 'B'})
        if (LocalizaUnidade(l)) r.push_back(l);
    return r;
}

bool UnidadePresente(char letra) {
    auto u = LocalizaUnidade(letra);
    if (!u) return false;
    std::error_code ec;
    fs::directory_iterator it(u->pasta, ec);
    return !ec;
}

std::optional<std::uint64_t> TamanhoTotal(char letra) {
    auto u = LocalizaUnidade(letra);
    if (!u || !UnidadePresente(letra)) return std::nullopt;
    if (u->capacidade) return u->capacidade;
    struct statvfs s {};
    if (::statvfs(u->pasta.c_str(), &s) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(s.f_blocks) * s.f_frsize;
}

std::optional<std::uint64_t> EspacoLivre(char letra) {
    auto u = LocalizaUnidade(letra);
    if (!u || !UnidadePresente(letra)) return std::nullopt;
    if (u->capacidade) {
        std::uint64_t usados = BytesDosArquivos(u->pasta);
        return usados >= *u->capacidade ? 0 : *u->capacidade - usados;
    }
    struct statvfs s {};
    if (::statvfs(u->pasta.c_str(), &s) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(s.f_bavail) * s.f_frsize;
}

std::optional<std::vector<EntradaRaiz>> ListaRaiz(char letra) {
    auto u = LocalizaUnidade(letra);
    if (!u) return std::nullopt;
    std::error_code ec;
    fs::directory_iterator it(u->pasta, ec);
    if (ec) return std::nullopt;
    std::vector<EntradaRaiz> r;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) return std::nullopt;
        std::string nome = it->path().filename().string();
        // What a removable medium's system marks hidden.
        if (nome.empty() || nome[0] == '.' || nome == "System Volume Information") continue;
        std::error_code e2;
        r.push_back({nome, it->is_directory(e2)});
    }
    return r;
}

std::optional<fs::path> CaminhoUnidade(const std::string& caminho) {
    if (caminho.size() < 2 || caminho[1] != ':') return fs::path(caminho);
    auto u = LocalizaUnidade(caminho[0]);
    if (!u) return std::nullopt;
    fs::path r = u->pasta;
    std::string parte;
    auto acrescenta = [&]() -> bool {
        // ".." would leave the medium; "Zovi2005." is "Zovi2005".
        if (parte.size() >= 2 && parte.find_first_not_of('.') == std::string::npos) return false;
        while (!parte.empty() && parte.back() == '.') parte.pop_back();
        if (parte.empty()) return true;
        std::error_code ec;
        if (!fs::exists(r / parte, ec)) {
            for (const auto& e : fs::directory_iterator(r, ec))
                if (MesmoNomeArquivo(e.path().filename().string(), parte)) {
                    parte = e.path().filename().string();
                    break;
                }
        }
        r /= parte;
        parte.clear();
        return true;
    };
    for (size_t i = 2; i < caminho.size(); ++i) {
        if (caminho[i] == '\\' || caminho[i] == '/') {
            if (!acrescenta()) return std::nullopt;
        } else {
            parte += caminho[i];
        }
    }
    if (!acrescenta()) return std::nullopt;
    return r;
}

bool ApagaArquivoUnidade(const std::string& caminho) {
    auto p = CaminhoUnidade(caminho);
    if (!p) return false;
    std::error_code ec;
    fs::remove(*p, ec);
    return !ec && !fs::exists(*p, ec);
}

ArquivoUnidade::~ArquivoUnidade() {
    if (arquivo_) std::fclose(arquivo_);
}

bool ArquivoUnidade::Cria(const std::string& caminho) {
    if (arquivo_) Fecha();
    auto p = CaminhoUnidade(caminho);
    if (!p) return false;
    livre_.reset();
    if (caminho.size() >= 2 && caminho[1] == ':') {
        auto u = LocalizaUnidade(caminho[0]);
        if (u && u->capacidade) {
            std::error_code ec;
            auto atual = fs::is_regular_file(*p, ec) ? fs::file_size(*p, ec) : 0;
            livre_ = EspacoLivre(caminho[0]).value_or(0) + (ec ? 0 : atual);
        }
    }
    arquivo_ = std::fopen(p->c_str(), "wb");
    if (!arquivo_) return false;
    std::setvbuf(arquivo_, nullptr, _IOFBF, 1 << 16);
    return true;
}

bool ArquivoUnidade::Escreve(const char* dados, std::size_t n) {
    if (!arquivo_) return false;
    if (livre_) {
        if (n > *livre_) return false;
        *livre_ -= n;
    }
    return std::fwrite(dados, 1, n, arquivo_) == n;
}

bool ArquivoUnidade::Fecha() {
    if (!arquivo_) return false;
    bool ok = std::fflush(arquivo_) == 0;
    ok = std::fclose(arquivo_) == 0 && ok;
    arquivo_ = nullptr;
    return ok;
}

}  // namespace zovi
