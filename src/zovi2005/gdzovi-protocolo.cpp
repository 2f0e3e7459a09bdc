// gdzovi-protocolo: the receiving side's tool. It makes the key pair, issues
// the receipt "Zovi2005.pro" for a delivered, sealed declaration file, and
// checks a receipt the way the program does.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Selo.h"

namespace fs = std::filesystem;
using namespace zovi::selo;

namespace {

// The usage text: on standard error after a wrong call, on standard output for --help.
int Uso(std::ostream& saida = std::cerr, int codigo = 64) {
    saida << "uso:\n"
                 "  gdzovi-protocolo chaves PRIVADA.pem PUBLICA.pem\n"
                 "      cria um par de chaves Ed25519 da recepção (a privada com permissão 0600)\n"
                 "  gdzovi-protocolo emite --chave PRIVADA.pem --numero NUMERO --data DDMM ARQUIVO\n"
                 "      grava Zovi2005.pro ao lado do arquivo de declaração selado ARQUIVO\n"
                 "  gdzovi-protocolo confere [--chave-publica PUBLICA.pem] ARQUIVO\n"
                 "      confere o Zovi2005.pro ao lado de ARQUIVO (sem chave: a chave embutida no programa)\n"
             "  gdzovi-protocolo --help | --version\n"
             "Sai com 0 quando a operação deu certo, 1 quando o protocolo ou o arquivo não confere,\n"
             "64 com argumentos errados e 70 em erro inesperado.\n";
    return codigo;
}

std::optional<std::string> LeArquivo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    if (!f) return std::nullopt;
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Writes a new file; refuses to replace one.
bool GravaNovo(const fs::path& p, const std::string& texto, mode_t modo) {
    int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, modo);
    if (fd < 0) return false;
    bool ok = ::write(fd, texto.data(), texto.size()) == static_cast<ssize_t>(texto.size());
    return ::close(fd) == 0 && ok;
}

// Writes through a temporary file beside it, so a reader never sees half a receipt.
bool GravaSubstituindo(const fs::path& p, const std::string& texto) {
    fs::path tmp = p;
    tmp += ".tmp";
    std::error_code ec;
    fs::remove(tmp, ec);
    if (!GravaNovo(tmp, texto, 0644)) return false;
    fs::rename(tmp, p, ec);
    if (ec) fs::remove(tmp, ec);
    return !ec;
}

// "--nome valor" options followed by positional arguments.
struct Argumentos {
    std::map<std::string, std::string> opcoes;
    std::vector<std::string> posicionais;
};

std::optional<Argumentos> Separa(const std::vector<std::string>& a) {
    Argumentos r;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].rfind("--", 0) == 0) {
            if (i + 1 >= a.size()) return std::nullopt;
            r.opcoes[a[i].substr(2)] = a[i + 1];
            ++i;
        } else {
            r.posicionais.push_back(a[i]);
        }
    }
    return r;
}

int Chaves(const Argumentos& a) {
    if (a.posicionais.size() != 2 || !a.opcoes.empty()) return Uso();
    auto par = GeraChaves();
    if (!par) {
        std::cerr << "Erro: não foi possível gerar as chaves.\n";
        return 1;
    }
    if (!GravaNovo(a.posicionais[0], par->first, 0600)) {
        std::cerr << "Erro: não foi possível criar " << a.posicionais[0] << " (já existe?).\n";
        return 1;
    }
    if (!GravaNovo(a.posicionais[1], par->second, 0644)) {
        std::cerr << "Erro: não foi possível criar " << a.posicionais[1] << " (já existe?).\n";
        return 1;
    }
    std::cout << "Chave privada: " << a.posicionais[0] << "\nChave pública: " << a.posicionais[1] << "\n";
    return 0;
}

int Emite(const Argumentos& a) {
    if (a.posicionais.size() != 1 || a.opcoes.size() != 3 || !a.opcoes.count("chave") || !a.opcoes.count("numero") ||
        !a.opcoes.count("data"))
        return Uso();
    auto chave = LeArquivo(a.opcoes.at("chave"));
    if (!chave) {
        std::cerr << "Erro: não foi possível ler a chave " << a.opcoes.at("chave") << ".\n";
        return 1;
    }
    const fs::path declaracao = a.posicionais[0];
    std::string erro;
    std::string recibo = EmiteRecibo(declaracao, *chave, a.opcoes.at("numero"), a.opcoes.at("data"), erro);
    if (recibo.empty()) {
        std::cerr << "Erro: " << erro << ".\n";
        return 1;
    }
    const fs::path destino = CaminhoRecibo(declaracao);
    if (!GravaSubstituindo(destino, recibo)) {
        std::cerr << "Erro: não foi possível gravar " << destino.string() << ".\n";
        return 1;
    }
    std::cout << "Protocolo gravado: " << destino.string() << "\n";
    return 0;
}

int Confere(const Argumentos& a) {
    if (a.posicionais.size() != 1 || a.opcoes.size() > 1 || (a.opcoes.size() == 1 && !a.opcoes.count("chave-publica")))
        return Uso();
    std::string chave = ChavePublicaRecepcao();
    if (a.opcoes.count("chave-publica")) {
        auto lida = LeArquivo(a.opcoes.at("chave-publica"));
        if (!lida) {
            std::cerr << "Erro: não foi possível ler a chave " << a.opcoes.at("chave-publica") << ".\n";
            return 1;
        }
        chave = *lida;
    }
    auto recibo = ValidaRecibo(a.posicionais[0], chave);
    if (!recibo) {
        std::cout << "Protocolo inválido ou inexistente.\n";
        return 1;
    }
    std::cout << "Protocolo válido\nnúmero: " << recibo->numero << "\ndata: " << recibo->data
              << "\nhash: " << recibo->hash << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Uso();
    const std::string comando = argv[1];
    if (comando == "--help") return Uso(std::cout, 0);
    if (comando == "--version") {
        std::cout << "gdzovi-protocolo " GDZOVI_VERSAO "\n";
        return 0;
    }
    auto a = Separa(std::vector<std::string>(argv + 2, argv + argc));
    if (!a) return Uso();
    try {
        if (comando == "chaves") return Chaves(*a);
        if (comando == "emite") return Emite(*a);
        if (comando == "confere") return Confere(*a);
    } catch (const std::exception& e) {
        std::cerr << "Erro: " << e.what() << "\n";
        return 70;
    }
    return Uso();
}
