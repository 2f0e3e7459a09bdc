// Feeds arbitrary bytes, as a backup archive, to the restore of the declaration tables over
// a data folder that holds the three tables. Whatever the bytes, the restore either leaves
// the three table files exactly as they were or puts three sound tables in their place, and
// it leaves neither its work folder nor anything of its swap behind. Anything else, a crash
// or a sanitizer report is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "backup/CopiaDeclaracao.h"
#include "data/ConfereTabela.h"
#include "data/Tabelas.h"

namespace fs = std::filesystem;

namespace {

// Nobody answers: every prompt is cancelled, every question answered No.
class Silenciosa : public zovi::Interacao {
public:
    zovi::Resposta Mostra(zovi::TipoDialogo tipo, const std::string&) override {
        return tipo == zovi::TipoDialogo::Confirmacao ? zovi::Resposta::Nao : zovi::Resposta::Ok;
    }
    zovi::Resposta MostraOkCancela(zovi::TipoDialogo, const std::string&) override { return zovi::Resposta::Cancela; }
};

fs::path PastaTemporaria() {
    std::string modelo = (fs::temp_directory_path() / "gdzovi-fuzz-XXXXXX").string();
    if (!::mkdtemp(modelo.data())) std::abort();
    return modelo;
}

// The bytes of the three tables as a fresh data folder holds them, made once.
const std::map<std::string, std::string>& TabelasIniciais() {
    static const auto tabelas = [] {
        auto pasta = PastaTemporaria();
        std::map<std::string, std::string> r;
        {
            zovi::Banco banco;
            banco.Abre("Zovi2005", {"path=" + pasta.string()});
            for (const auto& t : zovi::TabelasDeclaracao()) banco.CriaTabela(zovi::DefinicaoTabela(t));
        }
        for (const auto& t : zovi::TabelasDeclaracao()) {
            std::ifstream f(pasta / (t + ".DB"), std::ios::binary);
            r[t + ".DB"].assign(std::istreambuf_iterator<char>(f), {});
        }
        fs::remove_all(pasta);
        return r;
    }();
    return tabelas;
}

std::string Le(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const auto& iniciais = TabelasIniciais();
    auto pasta = PastaTemporaria();
    for (const auto& [nome, bytes] : iniciais) std::ofstream(pasta / nome, std::ios::binary) << bytes;
    auto arquivo = pasta / "f.bkp";
    std::ofstream(arquivo, std::ios::binary).write(reinterpret_cast<const char*>(dados), static_cast<std::streamsize>(tamanho));

    Silenciosa ninguem;
    bool restaurada = zovi::fRestauraCopiaDeclaracao(arquivo, pasta, ninguem, nullptr,
                                                     [](const fs::path&) { return std::uintmax_t(1) << 40; });
    for (const auto& [nome, bytes] : iniciais) {
        auto tabela = nome.substr(0, nome.size() - 3);
        bool intacta = Le(pasta / nome) == bytes;
        if (!restaurada && !intacta) std::abort();  // refused, yet a table changed
        if (restaurada && !zovi::fMotivoTabelaInvalida(pasta / nome, zovi::DefinicaoTabela(tabela), true).empty())
            std::abort();  // a table that is not sound was put in place
    }
    for (const auto& e : fs::directory_iterator(pasta))
        if (e.path().filename() == "Work" || e.path().filename().string()[0] == '~') std::abort();  // left behind
    fs::remove_all(pasta);
    return 0;
}
