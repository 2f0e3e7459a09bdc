#include "data/PastaUsuario.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "data/Tabelas.h"
#include "engine/Definicao.h"

namespace fs = std::filesystem;

namespace zovi {

namespace {

bool TabelaDaDeclaracao(const fs::path& arquivo) {
    const auto& declaracao = TabelasDeclaracao();
    return std::find(declaracao.begin(), declaracao.end(), NomeMaiusculo(arquivo.stem().string())) != declaracao.end();
}

bool MesmoConteudo(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec) return false;
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    std::istreambuf_iterator<char> ia(fa), ib(fb), fim;
    return std::equal(ia, fim, ib, fim);
}

// A copy never leaves a half-written table: written beside the target, then renamed over it.
// A journal left beside the old table belongs to it, not to the new one.
void CopiaInteira(const fs::path& origem, const fs::path& destino) {
    auto temporario = destino;
    temporario += ".novo";
    std::error_code ec;
    fs::copy_file(origem, temporario, fs::copy_options::overwrite_existing, ec);
    if (!ec) {
        fs::path journal = destino;
        journal += "-journal";
        fs::remove(journal, ec);
        ec.clear();
        fs::rename(temporario, destino, ec);
    }
    if (ec) {
        fs::remove(temporario, ec);
        throw std::runtime_error("Não foi possível copiar " + origem.string() + " para " + destino.string());
    }
}

}  // namespace

fs::path PastaDadosUsuario() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) return fs::path(xdg) / "gdzovi2005";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "gdzovi2005";
}

fs::path PastaDadosDistribuida(const fs::path& pastaPrograma) {
    return pastaPrograma.parent_path() / "share" / "gdzovi2005" / "dados";
}

void AtualizaPastaUsuario(const fs::path& pastaUsuario, const fs::path& pastaDistribuida) {
    std::error_code ec;
    fs::create_directories(pastaUsuario, ec);
    if (!fs::is_directory(pastaUsuario))
        throw std::runtime_error("Não foi possível criar a pasta de dados " + pastaUsuario.string());
    for (const auto& item : fs::directory_iterator(pastaDistribuida)) {
        if (!item.is_regular_file()) continue;
        auto destino = pastaUsuario / item.path().filename();
        bool existe = fs::exists(destino);
        if (existe && (TabelaDaDeclaracao(destino) || MesmoConteudo(item.path(), destino))) continue;
        CopiaInteira(item.path(), destino);
    }
}

fs::path EscolhePastaDados(const fs::path& pastaPrograma) {
    if (const char* escolhida = std::getenv("GDZOVI_DADOS"); escolhida && *escolhida) return escolhida;
    auto aoLado = pastaPrograma / "dados";
    if (fs::is_directory(aoLado) && access(aoLado.c_str(), W_OK) == 0) return aoLado;
    auto distribuida = PastaDadosDistribuida(pastaPrograma);
    auto usuario = PastaDadosUsuario();
    if (fs::is_directory(distribuida)) AtualizaPastaUsuario(usuario, distribuida);
    return usuario;
}

}  // namespace zovi
