#include "PastaTeste.h"

#include <unistd.h>

#include <stdexcept>

namespace zovi::teste {

namespace fs = std::filesystem;

PastaTeste::PastaTeste(bool copiaDados) {
    std::string modelo = (fs::temp_directory_path() / "gdzovi-teste-XXXXXX").string();
    if (!::mkdtemp(modelo.data())) throw std::runtime_error("mkdtemp falhou");
    caminho_ = modelo;
    if (copiaDados) {
        for (const auto& e : fs::directory_iterator(GDZOVI_DADOS_CONSTRUIDOS))
            fs::copy_file(e.path(), caminho_ / e.path().filename());
    }
}

PastaTeste::~PastaTeste() {
    std::error_code ec;
    fs::remove_all(caminho_, ec);
}

fs::path PastaFontes() { return GDZOVI_PASTA_FONTES; }
fs::path PastaProgramas() { return GDZOVI_PASTA_BIN; }

}  // namespace zovi::teste
