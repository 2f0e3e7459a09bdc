#include "backup/IndexaArquivos.h"

#include <gtest/gtest.h>

#include <fstream>

#include "InteracaoRoteirizada.h"
#include "OutroProcesso.h"
#include "PastaTeste.h"
#include "data/VerificaArquivos.h"

namespace zovi {
namespace {

using teste::InteracaoRoteirizada;
using teste::PastaTeste;

bool IndiceAfastamento(const PastaTeste& pasta) {
    Banco b;
    b.Abre("Zovi2005", {pasta.Parametro()});
    return ExisteArquivoIndice(b, "TB8AFAST.PX", "Main");
}

void ApagaIndiceAfastamento(const PastaTeste& pasta) {
    Banco b;
    b.Abre("Zovi2005", {pasta.Parametro()});
    b.RemoveIndice("TB8AFAST", "Main");
    ASSERT_FALSE(ExisteArquivoIndice(b, "TB8AFAST.PX", "Main"));
}

TEST(IndexaArquivos, TodasAsTabelasLivres) {
    PastaTeste pasta;
    ApagaIndiceAfastamento(pasta);
    TdmGDZovi dm(pasta.Caminho());
    InteracaoRoteirizada ui;
    ASSERT_TRUE(fIndexaArquivos(dm, ui));
    ASSERT_EQ(ui.mostradas.size(), 1u);
    EXPECT_EQ(ui.mostradas[0].tipo, TipoDialogo::Aviso);
    EXPECT_EQ(ui.mostradas[0].texto, "Arquivos indexados com sucesso.");
    ASSERT_EQ(ui.progresso.size(), 20u);
    EXPECT_EQ(ui.progresso.back(), std::make_pair(17L, 17L));
    EXPECT_EQ(ui.progresso[15], std::make_pair(15L, 17L));
    EXPECT_TRUE(dm.taCBO.Aberta());
    EXPECT_TRUE(dm.taUF.Aberta());
    EXPECT_TRUE(IndiceAfastamento(pasta));
}

// A table file that is not sound is named with what is wrong before any index is touched,
// and the command line does not call that a success.
TEST(IndexaArquivos, TabelaDanificadaEhNomeada) {
    PastaTeste pasta;
    std::filesystem::resize_file(pasta.Caminho() / "BD8RESP.DB", 0);
    {
        std::fstream f(pasta.Caminho() / "TB8CBO.DB", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(5000);
        f << std::string(3000, 'x');
    }
    {
        TdmGDZovi dm(pasta.Caminho());
        InteracaoRoteirizada ui;
        EXPECT_FALSE(fIndexaArquivos(dm, ui));
        ASSERT_EQ(ui.mostradas.size(), 1u);
        const auto& texto = ui.mostradas[0].texto;
        EXPECT_NE(texto.find("O arquivo da tabela BD8RESP.DB não é um arquivo de tabela."), std::string::npos) << texto;
        EXPECT_NE(texto.find("O arquivo da tabela TB8CBO.DB está danificado"), std::string::npos) << texto;
        EXPECT_EQ(texto.find("Nenhum usuário"), std::string::npos) << texto;
        EXPECT_TRUE(ui.progresso.empty());
    }
    auto cmd = (teste::PastaProgramas() / "gdzovi-lote").string() + " reindexa " + pasta.Caminho().string() +
               " > /dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(cmd.c_str())), 1);
}

// Another process using the occupation table: steps 1 to 14 are done, step 15 stops the
// rebuild with the engine's "Table is busy", and steps 16 to 19 are not run.
TEST(IndexaArquivos, TabelaOcupadaParaNoPassoQuinze) {
    PastaTeste pasta;
    ApagaIndiceAfastamento(pasta);
    teste::OutroProcesso outro(pasta.Caminho(), "TB8CBO");
    ASSERT_TRUE(outro.Segura());
    {
        TdmGDZovi dm(pasta.Caminho());
        InteracaoRoteirizada ui;
        EXPECT_FALSE(fIndexaArquivos(dm, ui));
        ASSERT_EQ(ui.mostradas.size(), 2u);
        EXPECT_EQ(ui.mostradas[0].texto.rfind("Nenhum usuário pode estar usando o sistema: \"", 0), 0u);
        EXPECT_NE(ui.mostradas[0].texto.find("Table is busy"), std::string::npos);
        EXPECT_EQ(ui.mostradas[1].texto, "Arquivos com problemas. Reinstale novamente o sistema GDZOVI2005.");
        EXPECT_EQ(ui.progresso.back(), std::make_pair(14L, 17L));
        EXPECT_TRUE(dm.taCBO.Aberta());
    }
    EXPECT_EQ(outro.Libera(), 0);
    EXPECT_FALSE(IndiceAfastamento(pasta));
}

// The program open in another process holds the data folder: nothing is rebuilt.
TEST(IndexaArquivos, RecusadaEnquantoOutroProcessoUsaAPasta) {
    PastaTeste pasta;
    ApagaIndiceAfastamento(pasta);
    teste::OutroProcesso programa(pasta.Caminho(), ModoTrava::Compartilhada);
    ASSERT_TRUE(programa.Segura());
    {
        TdmGDZovi dm(pasta.Caminho());
        InteracaoRoteirizada ui;
        EXPECT_FALSE(fIndexaArquivos(dm, ui));
        ASSERT_EQ(ui.mostradas.size(), 1u);
        EXPECT_EQ(ui.mostradas[0].texto.rfind("Nenhum usuário pode estar usando o sistema: \"", 0), 0u);
        EXPECT_NE(ui.mostradas[0].texto.find("Table is busy"), std::string::npos);
        EXPECT_TRUE(ui.progresso.empty());
    }
    EXPECT_EQ(programa.Libera(), 0);
    EXPECT_FALSE(IndiceAfastamento(pasta));
}

}  // namespace
}  // namespace zovi
