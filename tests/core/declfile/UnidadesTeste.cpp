// Drives A: and B: as folders, with an emulated diskette capacity.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "PastaTeste.h"
#include "platform/Unidades.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the life of the object.
class Variavel {
public:
    Variavel(const char* nome, const std::string& valor) : nome_(nome) {
        if (const char* v = std::getenv(nome)) antigo_ = v;
        ::setenv(nome, valor.c_str(), 1);
    }
    ~Variavel() {
        if (antigo_) ::setenv(nome_, antigo_->c_str(), 1);
        else ::unsetenv(nome_);
    }

private:
    const char* nome_;
    std::optional<std::string> antigo_;
};

void Grava(const fs::path& p, size_t bytes) { std::ofstream(p, std::ios::binary) << std::string(bytes, 'x'); }

class UnidadesTeste : public ::testing::Test {
protected:
    teste::PastaTeste pasta{false};
    Variavel a{"GDZOVI_UNIDADE_A", pasta.Caminho().string() + ":10000"};
    Variavel b{"GDZOVI_UNIDADE_B", (pasta.Caminho() / "sem-disquete").string()};
};

TEST_F(UnidadesTeste, PastaComCapacidadeEmulaDisquete) {
    auto u = LocalizaUnidade('a');
    ASSERT_TRUE(u);
    EXPECT_EQ(u->pasta, pasta.Caminho());
    EXPECT_EQ(u->capacidade, 10000u);
    EXPECT_EQ(UnidadesExistentes(), (std::vector<char>{'A', 'B'}));
    EXPECT_TRUE(UnidadePresente('A'));
    EXPECT_EQ(TamanhoTotal('A'), 10000u);
    EXPECT_EQ(EspacoLivre('A'), 10000u);
    fs::create_directory(pasta.Caminho() / "sub");
    Grava(pasta.Caminho() / "sub" / "f", 3000);
    EXPECT_EQ(EspacoLivre('A'), 7000u);
    EXPECT_EQ(TamanhoTotal('A'), 10000u);
}

TEST_F(UnidadesTeste, UnidadeSemMidia) {
    EXPECT_TRUE(LocalizaUnidade('B'));
    EXPECT_FALSE(UnidadePresente('B'));
    EXPECT_FALSE(TamanhoTotal('B'));
    EXPECT_FALSE(ListaRaiz('B'));
    EXPECT_FALSE(LocalizaUnidade('C'));
}

TEST_F(UnidadesTeste, PastaSemCapacidadeUsaOSistema) {
    Variavel semCapacidade{"GDZOVI_UNIDADE_A", pasta.Caminho().string()};
    EXPECT_FALSE(LocalizaUnidade('A')->capacidade);
    EXPECT_GT(TamanhoTotal('A').value_or(0), 0u);
    Variavel comDoisPontos{"GDZOVI_UNIDADE_A", pasta.Caminho().string() + ":x1"};
    EXPECT_EQ(LocalizaUnidade('A')->pasta, pasta.Caminho().string() + ":x1");
}

TEST_F(UnidadesTeste, GravacaoAlemDaCapacidadeFalha) {
    Grava(pasta.Caminho() / "Zovi2005", 9000);  // replaced by the new file: its bytes count as free
    ArquivoUnidade f;
    ASSERT_TRUE(f.Cria("A:\\Zovi2005."));
    std::string bloco(6000, 'r');
    EXPECT_TRUE(f.Escreve(bloco.data(), bloco.size()));
    EXPECT_FALSE(f.Escreve(bloco.data(), 4001)) << "full";
    EXPECT_TRUE(f.Escreve(bloco.data(), 4000));
    EXPECT_TRUE(f.Fecha());
    EXPECT_EQ(fs::file_size(pasta.Caminho() / "Zovi2005"), 10000u);
    EXPECT_EQ(EspacoLivre('A'), 0u);
}

TEST_F(UnidadesTeste, NomesDoProgramaNaPasta) {
    const fs::path p = pasta.Caminho();
    EXPECT_EQ(CaminhoUnidade("A:\\Zovi2005."), p / "Zovi2005");
    Grava(p / "Zovi2005", 10);
    struct Caso {
        const char* caminho;
        std::optional<fs::path> esperado;
    } casos[] = {
        {"A:\\Zovi2005.", p / "Zovi2005"},
        {"a:\\ZOVI2005", p / "Zovi2005"},
        {"A:\\zovi2005...", p / "Zovi2005"},
        {"A:\\Zovi2005.bkp", p / "Zovi2005.bkp"},
        {"A:\\dir\\arq.txt", p / "dir" / "arq.txt"},
        {"A:\\..\\fora", std::nullopt},
        {"C:\\Zovi2005", std::nullopt},
        {"/tmp/x", fs::path("/tmp/x")},
    };
    for (const auto& c : casos) EXPECT_EQ(CaminhoUnidade(c.caminho), c.esperado) << c.caminho;
    EXPECT_TRUE(ApagaArquivoUnidade("a:\\zovi2005."));
    EXPECT_FALSE(fs::exists(p / "Zovi2005"));
}

TEST_F(UnidadesTeste, ListaDaRaizSemEntradasOcultas) {
    Grava(pasta.Caminho() / "Zovi2005", 1);
    Grava(pasta.Caminho() / ".Trash-1000", 1);
    fs::create_directory(pasta.Caminho() / "Pasta");
    auto lista = ListaRaiz('A');
    ASSERT_TRUE(lista);
    ASSERT_EQ(lista->size(), 2u);
    std::sort(lista->begin(), lista->end(), [](auto& x, auto& y) { return x.nome < y.nome; });
    EXPECT_EQ(lista->at(0).nome, "Pasta");
    EXPECT_TRUE(lista->at(0).pasta);
    EXPECT_EQ(lista->at(1).nome, "Zovi2005");
    EXPECT_FALSE(lista->at(1).pasta);
}

}  // namespace
}  // namespace zovi
