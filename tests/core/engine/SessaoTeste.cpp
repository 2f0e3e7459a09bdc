// A commit over several table files, killed half-way, comes back as it was before the
// commit, whatever happened to the temporary folder meanwhile.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "FalhaGravacao.h"
#include "PastaTeste.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"

using namespace zovi;
using zovi::teste::PastaTeste;
namespace fs = std::filesystem;

namespace {

DefTabela Definicao(const std::string& nome) {
    return {nome, {DefCampo{"Chave", TipoCampo::Texto, 8}, DefCampo{"Texto", TipoCampo::Texto, 200}},
            {DefIndice{"Main", "Chave", true, false}}};
}

void Insere(Banco& banco, const std::string& tabela, int de, int ate) {
    zovi::Tabela t(banco, tabela);
    t.Abre();
    for (int i = de; i < ate; ++i) {
        t.Acrescenta();
        t.PoeTexto("Chave", std::to_string(10000000 + i));
        t.PoeTexto("Texto", std::string(200, static_cast<char>('a' + i % 26)));
        t.Grava();
    }
}

long Conta(Banco& banco, const std::string& tabela) {
    zovi::Tabela t(banco, tabela);
    t.Abre();
    return t.NumRegistros();
}

std::string Integridade(const fs::path& arquivo) {
    sqlite3* con = nullptr;
    sqlite3_open_v2(arquivo.c_str(), &con, SQLITE_OPEN_READONLY, nullptr);
    std::string r = "falha";
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(con, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        r = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    sqlite3_close(con);
    return r;
}

// Runs a commit of 300 new rows into each of the two tables in a child process whose
// temporary folder is `temporaria`, killed at the first write to the second table file
// (the first one already written). Its exit status.
int CommitInterrompido(const fs::path& pasta, const fs::path& temporaria) {
    pid_t filho = fork();
    if (filho == 0) {
        setenv("TMPDIR", temporaria.c_str(), 1);
        bool armado = false;
        std::string primeiro;
        teste::AntesDeGravar([&](const std::string& arquivo) {
            if (!armado) return;
            if (primeiro.empty()) primeiro = arquivo;
            if (arquivo != primeiro) _exit(9);
        });
        try {
            Banco b;
            b.Abre("Zovi2005", {"path=" + pasta.string()});
            Transacao tr(b);
            Insere(b, "PRIMEIRA", 100, 400);
            Insere(b, "SEGUNDA", 100, 400);
            armado = true;
            tr.Confirma();
        } catch (...) {
        }
        _exit(0);
    }
    int estado = 0;
    waitpid(filho, &estado, 0);
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

}  // namespace

TEST(Sessao, CommitEmDuasTabelasInterrompidoVoltaAoQueEraComOuSemAPastaTemporaria) {
    for (bool apagaTemporaria : {false, true}) {
        PastaTeste pasta(false);
        PastaTeste temporaria(false);
        {
            Banco b;
            b.Abre("Zovi2005", {pasta.Parametro()});
            b.CriaTabela(Definicao("PRIMEIRA"));
            b.CriaTabela(Definicao("SEGUNDA"));
            Transacao tr(b);
            Insere(b, "PRIMEIRA", 0, 100);
            Insere(b, "SEGUNDA", 0, 100);
            tr.Confirma();
        }
        ASSERT_EQ(CommitInterrompido(pasta.Caminho(), temporaria.Caminho()), 9);
        // What the killed commit left: its session, its super-journal and both table journals.
        int restos = 0;
        for (const auto& e : fs::directory_iterator(pasta.Caminho())) restos += e.path().filename().string()[0] == '.';
        EXPECT_GE(restos, 2);
        if (apagaTemporaria) fs::remove_all(temporaria.Caminho());

        Banco b;
        b.Abre("Zovi2005", {pasta.Parametro()});
        EXPECT_EQ(Conta(b, "PRIMEIRA"), 100) << apagaTemporaria;
        EXPECT_EQ(Conta(b, "SEGUNDA"), 100) << apagaTemporaria;
        for (const auto* t : {"PRIMEIRA.DB", "SEGUNDA.DB"}) EXPECT_EQ(Integridade(pasta.Caminho() / t), "ok") << t;
        // Only this session's file is left of sessions.
        std::vector<std::string> outros;
        for (const auto& e : fs::directory_iterator(pasta.Caminho()))
            if (e.path().extension() != ".DB") outros.push_back(e.path().filename().string());
        EXPECT_EQ(outros.size(), 1u) << ::testing::PrintToString(outros);
    }
}

// Sessions open at the same time keep their files; each cleans only what a dead one left.
TEST(Sessao, SessoesVivasNaoSaoLimpas) {
    PastaTeste pasta(false);
    Banco a, b;
    a.Abre("Zovi2005", {pasta.Parametro()});
    b.Abre("Zovi2005", {pasta.Parametro()});
    a.CriaTabela(Definicao("PRIMEIRA"));
    a.CriaTabela(Definicao("SEGUNDA"));
    {
        Transacao tr(a);
        Insere(a, "PRIMEIRA", 0, 10);
        Insere(a, "SEGUNDA", 0, 10);
        tr.Confirma();
    }
    EXPECT_EQ(Conta(b, "SEGUNDA"), 10);
    int sessoes = 0;
    for (const auto& e : fs::directory_iterator(pasta.Caminho())) sessoes += e.path().filename().string()[0] == '.';
    EXPECT_EQ(sessoes, 2);
    a.Fecha();
    b.Fecha();
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta.Caminho()), fs::directory_iterator()), 2);
}
