#include <gtest/gtest.h>

#include "OutroProcesso.h"
#include "PastaTeste.h"
#include "engine/Erros.h"
#include "engine/TravaPastaDados.h"

using namespace zovi;
using zovi::teste::OutroProcesso;
using zovi::teste::PastaTeste;

namespace {

bool Obtem(const std::filesystem::path& pasta, ModoTrava modo) {
    try {
        TravaPastaDados trava(pasta, modo);
        return true;
    } catch (const ErroMotor& e) {
        EXPECT_EQ(e.Codigo(), codigo_motor::TabelaOcupada);
        EXPECT_NE(std::string(e.what()).find("Table is busy"), std::string::npos);
        return false;
    }
}

}  // namespace

TEST(TravaPastaDados, OutroProcessoSoDivideATravaCompartilhada) {
    constexpr auto C = ModoTrava::Compartilhada;
    constexpr auto E = ModoTrava::Exclusiva;
    struct Caso {
        ModoTrava doOutro, pedida;
        bool obtida;
    } casos[] = {{C, C, true}, {C, E, false}, {E, C, false}, {E, E, false}};
    for (const auto& c : casos) {
        PastaTeste pasta(false);
        OutroProcesso outro(pasta.Caminho(), c.doOutro);
        ASSERT_TRUE(outro.Segura());
        EXPECT_EQ(Obtem(pasta.Caminho(), c.pedida), c.obtida)
            << static_cast<int>(c.doOutro) << " " << static_cast<int>(c.pedida);
        EXPECT_EQ(outro.Libera(), 0);
        // Once the other process let go, every mode is free again.
        EXPECT_TRUE(Obtem(pasta.Caminho(), c.pedida));
    }
}

TEST(TravaPastaDados, OProcessoQueSeguraAPastaPodeTorna_laExclusivaEVoltar) {
    PastaTeste pasta(false);
    TravaPastaDados aberta(pasta.Caminho(), ModoTrava::Compartilhada);
    {
        TravaPastaDados restauracao(pasta.Caminho(), ModoTrava::Exclusiva);
        OutroProcesso leitor(pasta.Caminho(), ModoTrava::Compartilhada);
        EXPECT_FALSE(leitor.Segura());
    }
    // Back to shared: another reader is let in, a restore elsewhere is not.
    OutroProcesso leitor(pasta.Caminho(), ModoTrava::Compartilhada);
    EXPECT_TRUE(leitor.Segura());
    OutroProcesso restauracao(pasta.Caminho(), ModoTrava::Exclusiva);
    EXPECT_FALSE(restauracao.Segura());
}

TEST(TravaPastaDados, ExclusivaRecusadaEnquantoOutroProcessoSeguraAPastaMantemACompartilhada) {
    PastaTeste pasta(false);
    TravaPastaDados aberta(pasta.Caminho(), ModoTrava::Compartilhada);
    OutroProcesso outro(pasta.Caminho(), ModoTrava::Compartilhada);
    ASSERT_TRUE(outro.Segura());
    EXPECT_FALSE(Obtem(pasta.Caminho(), ModoTrava::Exclusiva));
    EXPECT_EQ(outro.Libera(), 0);
    // The refused raise did not lose the shared lock this process still holds.
    OutroProcesso restauracao(pasta.Caminho(), ModoTrava::Exclusiva);
    EXPECT_FALSE(restauracao.Segura());
}

TEST(TravaPastaDados, PastaInexistente) {
    try {
        TravaPastaDados trava("/nao/existe/gdzovi", ModoTrava::Compartilhada);
        FAIL();
    } catch (const ErroMotor& e) {
        EXPECT_EQ(e.Codigo(), codigo_motor::TabelaNaoEncontrada);
    }
}
