// Arbitrary bytes analysed as a declaration file, in the current and in the
// previous year's layout. A crash, a sanitizer report, an outcome other than
// read / fault / rectification, or a fault without its one to three rows in
// Te8stru is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "analysis/AnaliseEstrutura.h"
#include "data/Tabelas.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"

namespace {

namespace fs = std::filesystem;
using namespace zovi;

// Never asks the user anything: every question is answered No.
class SemUsuario : public Interacao {
public:
    Resposta Mostra(TipoDialogo, const std::string&) override { return Resposta::Nao; }
};

struct Ambiente {
    fs::path pasta;
    Banco banco;
    SemUsuario interacao;

    Ambiente() {
        std::string modelo = (fs::temp_directory_path() / "gdzovi-fuzz-analise-XXXXXX").string();
        if (!::mkdtemp(modelo.data())) std::abort();
        pasta = modelo;
        banco.Abre("Zovi2005", {"path=" + pasta.string()});
        for (const char* tabela : {"BD8EMP", "BD8VINC", "BD8RESP"}) banco.CriaTabela(DefinicaoTabela(tabela));
    }
    ~Ambiente() {
        banco.Fecha();
        std::error_code ec;
        fs::remove_all(pasta, ec);
    }
};

void Confere(Ambiente& a, int resultado) {
    switch (resultado) {
        case kAnaliseSemFalha:
        case kAnaliseRetificacao:
            if (!a.banco.ExisteTabela("TE8RESP") || a.banco.ExisteTabela("TE8STRU")) std::abort();
            return;
        case kAnaliseComFalha: {
            if (a.banco.ExisteTabela("TE8EMP") || a.banco.ExisteTabela("TE8VINC")) std::abort();
            Tabela t(a.banco, "TE8STRU");
            t.Abre();
            const long linhas = t.NumRegistros();
            if (linhas < 1 || linhas > 3) std::abort();
            return;
        }
        default: std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    static Ambiente ambiente;
    const fs::path arquivo = ambiente.pasta / "entrada";
    {
        std::ofstream f(arquivo, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(dados), static_cast<std::streamsize>(tamanho));
    }
    TAnaliseEstrutura analise(ambiente.banco, ambiente.interacao);
    for (bool anterior : {false, true}) {
        analise.DefineAnoAnterior(anterior);
        long estabelecimentos = 0, empregados = 0;
        Confere(ambiente, analise.fAnalisaArquivo(arquivo, 2005, anterior, estabelecimentos, empregados));
    }
    return 0;
}
