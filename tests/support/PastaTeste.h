#pragma once
// A temporary copy of the built data folder, removed when the test ends.
#include <filesystem>
#include <string>

namespace zovi::teste {

class PastaTeste {
public:
    // copiaDados: start from the built data folder (reference tables filled); otherwise empty.
    explicit PastaTeste(bool copiaDados = true);
    ~PastaTeste();
    PastaTeste(const PastaTeste&) = delete;
    PastaTeste& operator=(const PastaTeste&) = delete;

    const std::filesystem::path& Caminho() const { return caminho_; }
    std::string Parametro() const { return "path=" + caminho_.string(); }

private:
    std::filesystem::path caminho_;
};

// Folders of the source tree and of the built programs.
std::filesystem::path PastaFontes();
std::filesystem::path PastaProgramas();

}  // namespace zovi::teste
