#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

#include "PastaTeste.h"
#include "data/PastaUsuario.h"

namespace fs = std::filesystem;
using namespace zovi;
using zovi::teste::PastaTeste;

namespace {

std::string Conteudo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

void Grava(const fs::path& p, const std::string& texto) { std::ofstream(p, std::ios::binary) << texto; }

// An environment variable set for one test and restored after it.
class Ambiente {
public:
    Ambiente(const char* nome, const std::string& valor) : nome_(nome) {
        if (const char* antes = std::getenv(nome)) antes_ = antes;
        setenv(nome, valor.c_str(), 1);
    }
    ~Ambiente() { antes_ ? (void)setenv(nome_, antes_->c_str(), 1) : (void)unsetenv(nome_); }

private:
    const char* nome_;
    std::optional<std::string> antes_;
};

}  // namespace

// A newer package replaces the program's tables and never the user's declaration.
TEST(PastaUsuario, AtualizacaoTrocaTabelasDoProgramaEMantemADeclaracao) {
    PastaTeste distribuida, usuario(false);
    AtualizaPastaUsuario(usuario.Caminho(), distribuida.Caminho());
    for (const auto& item : fs::directory_iterator(distribuida.Caminho()))
        EXPECT_EQ(Conteudo(item.path()), Conteudo(usuario.Caminho() / item.path().filename())) << item.path();

    const auto declaracao = usuario.Caminho() / "BD8EMP.DB";
    const auto catalogo = usuario.Caminho() / "TB8MSG.DB";
    Grava(declaracao, "a declaração do usuário");
    Grava(catalogo, "catálogo antigo");
    Grava(usuario.Caminho() / "TB8MSG.DB-journal", "journal do catálogo antigo");
    Grava(usuario.Caminho() / "TE8ERRWA.DB", "tabela de trabalho");
    fs::remove(usuario.Caminho() / "BD8RESP.DB");

    AtualizaPastaUsuario(usuario.Caminho(), distribuida.Caminho());
    EXPECT_EQ(Conteudo(declaracao), "a declaração do usuário");
    EXPECT_EQ(Conteudo(catalogo), Conteudo(distribuida.Caminho() / "TB8MSG.DB"));
    EXPECT_FALSE(fs::exists(usuario.Caminho() / "TB8MSG.DB-journal"));
    EXPECT_EQ(Conteudo(usuario.Caminho() / "TE8ERRWA.DB"), "tabela de trabalho");
    EXPECT_EQ(Conteudo(usuario.Caminho() / "BD8RESP.DB"), Conteudo(distribuida.Caminho() / "BD8RESP.DB"));
    for (const auto& item : fs::directory_iterator(usuario.Caminho()))
        EXPECT_NE(item.path().extension(), ".novo") << "cópia temporária deixada: " << item.path();
}

// Which folder the program opens: GDZOVI_DADOS, else "dados" beside it, else the user's.
TEST(PastaUsuario, EscolhaDaPasta) {
    PastaTeste instalacao(false), casa(false);
    const auto programa = instalacao.Caminho() / "bin";
    fs::create_directories(programa);
    fs::create_directories(PastaDadosDistribuida(programa).parent_path());
    fs::copy(zovi::teste::PastaProgramas() / "dados", PastaDadosDistribuida(programa));
    Ambiente home("HOME", casa.Caminho().string());
    unsetenv("XDG_DATA_HOME");
    unsetenv("GDZOVI_DADOS");

    const auto usuario = casa.Caminho() / ".local" / "share" / "gdzovi2005";
    EXPECT_EQ(EscolhePastaDados(programa), usuario);
    EXPECT_TRUE(fs::exists(usuario / "TB8CBO.DB"));

    fs::create_directory(programa / "dados");
    EXPECT_EQ(EscolhePastaDados(programa), programa / "dados");
    {
        Ambiente escolhida("GDZOVI_DADOS", "/outra/pasta");
        EXPECT_EQ(EscolhePastaDados(programa), "/outra/pasta");
    }
    Ambiente xdg("XDG_DATA_HOME", (casa.Caminho() / "xdg").string());
    EXPECT_EQ(PastaDadosUsuario(), casa.Caminho() / "xdg" / "gdzovi2005");
}
