// A backup is whole or not made: the tables at one instant even while another process
// commits, a table file that is not a sound table refused by name, and the previous
// archive left as it was by a backup that fails.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "ArquivoCopia.h"
#include "FalhaGravacao.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "TabelasPreenchidas.h"
#include "backup/CopiaDeclaracao.h"
#include "backup/CopiaSeguranca.h"
#include "data/ConfereTabela.h"
#include "data/Tabelas.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::InteracaoRoteirizada;
using teste::PastaTeste;

// The other process's commit adds 2 establishments and 20 employees: the tables at any
// instant hold ten times as many employees as establishments.
constexpr int kEmpregadosPorEstabelecimento = 10;

// Another process whose commit over BD8EMP and BD8VINC stops after the first table file
// is written and before the second, until it is let go: the moment a backup that copies
// the files as they are would catch the tables between two states.
class CommitSuspenso {
public:
    explicit CommitSuspenso(const fs::path& pasta) {
        if (pipe(suspenso_) != 0 || pipe(continua_) != 0) return;
        filho_ = fork();
        if (filho_ == 0) {
            bool armado = false;
            std::string primeiro;
            teste::AntesDeGravar([&](const std::string& arquivo) {
                if (!armado) return;
                if (primeiro.empty()) primeiro = arquivo;
                if (arquivo == primeiro) return;
                armado = false;
                char c = 1;
                if (write(suspenso_[1], &c, 1) != 1 || read(continua_[0], &c, 1) != 1) _exit(2);
            });
            try {
                Banco b;
                b.Abre("Zovi2005", {"path=" + pasta.string()});
                Transacao tr(b);
                teste::PreencheTabela(b, "BD8EMP", 2, 1000);
                teste::PreencheTabela(b, "BD8VINC", 2 * kEmpregadosPorEstabelecimento, 1000);
                armado = true;
                tr.Confirma();
                _exit(0);
            } catch (...) {
            }
            _exit(1);
        }
        char c;
        suspenso = read(suspenso_[0], &c, 1) == 1;
    }
    // Lets the commit finish; the process's exit status (0: committed).
    int Continua() {
        char c = 1;
        int estado = -1;
        if (write(continua_[1], &c, 1) == 1) waitpid(filho_, &estado, 0);
        return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    }
    ~CommitSuspenso() {
        for (int fd : {suspenso_[0], suspenso_[1], continua_[0], continua_[1]}) close(fd);
        if (filho_ > 0) waitpid(filho_, nullptr, 0);
    }
    bool suspenso = false;

private:
    int suspenso_[2] = {-1, -1}, continua_[2] = {-1, -1};
    pid_t filho_ = -1;
};

// The tables an archive holds, unpacked into pasta: each sound, and the row counts.
std::map<std::string, long> Conteudo(const fs::path& arquivo, const fs::path& pasta) {
    TCopiaSeguranca leitor;
    EXPECT_TRUE(leitor.Restore(arquivo.string(), pasta.string()));
    std::map<std::string, long> linhas;
    Banco b;
    b.Abre("Zovi2005", {"path=" + pasta.string()});
    for (const auto& t : TabelasDeclaracao()) {
        auto problema = fMotivoTabelaInvalida(*b.ArquivoTabela(t), DefinicaoTabela(t), true);
        EXPECT_EQ(problema, "") << t;
        if (problema.empty()) linhas[t] = teste::ContaLinhas(b, t);
    }
    return linhas;
}

// Establishments, each with its employees.
void PreencheEstabelecimentos(const PastaTeste& dados, int n) {
    Banco b;
    b.Abre("Zovi2005", {dados.Parametro()});
    teste::PreencheTabela(b, "BD8EMP", n);
    teste::PreencheTabela(b, "BD8VINC", n * kEmpregadosPorEstabelecimento);
}

TEST(CopiaConsistente, CopiaDuranteCommitDeOutroProcessoEsperaPorEle) {
    PastaTeste dados;
    PastaTeste destino(false);
    PreencheEstabelecimentos(dados, 30);
    CommitSuspenso outro(dados.Caminho());
    ASSERT_TRUE(outro.suspenso);
    // The commit goes on a moment after the backup started.
    std::thread solta([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(outro.Continua(), 0);
    });
    auto arquivo = destino.Caminho() / "ZOVI2005.BKP";
    InteracaoRoteirizada ui;
    bool feita = fGravaCopiaDeclaracao(dados.Caminho(), arquivo, ui);
    solta.join();
    ASSERT_TRUE(feita) << (ui.mostradas.empty() ? "" : ui.mostradas.back().texto);
    PastaTeste pasta(false);
    auto linhas = Conteudo(arquivo, pasta.Caminho());
    EXPECT_EQ(linhas["BD8EMP"], 32);
    EXPECT_EQ(linhas["BD8VINC"], 32 * kEmpregadosPorEstabelecimento);
}

// A commit that keeps going past the wait: the backup is refused as the folder being busy
// (gdzovi-lote then exits with 75, try again later) and no archive is written.
TEST(CopiaConsistente, CommitQueNaoTerminaRecusaComoPastaOcupada) {
    PastaTeste dados;
    PastaTeste destino(false);
    PreencheEstabelecimentos(dados, 3);
    CommitSuspenso outro(dados.Caminho());
    ASSERT_TRUE(outro.suspenso);
    auto arquivo = destino.Caminho() / "ZOVI2005.BKP";
    InteracaoRoteirizada ui;
    auto feita = fGravaCopiaDeclaracao(dados.Caminho(), arquivo, ui);
    EXPECT_EQ(outro.Continua(), 0);
    EXPECT_FALSE(feita);
    EXPECT_TRUE(feita.pastaOcupada);
    EXPECT_FALSE(fs::exists(arquivo));
}

// A table file that is not a sound table: the backup says which and is not made; the
// archive a previous backup wrote under that name is left as it was.
TEST(CopiaConsistente, ArquivoDeTabelaInvalidoEhRecusadoPeloNome) {
    struct Caso {
        const char* tabela;
        std::function<std::string(const std::string& original)> conteudo;
    } casos[] = {
        {"BD8VINC", [](const std::string&) { return teste::Aleatorio(8192); }},
        {"BD8EMP", [](const std::string&) { return std::string("isto é texto, não uma tabela\n"); }},
        {"BD8VINC", [](const std::string& o) { return o.substr(0, o.size() / 2); }},
        {"BD8RESP", [](const std::string&) { return std::string(); }},
    };
    for (const auto& c : casos) {
        PastaTeste dados;
        PastaTeste destino(false);
        {
            Banco b;
            b.Abre("Zovi2005", {dados.Parametro()});
            teste::PreencheTabela(b, "BD8VINC", 600);
            teste::PreencheTabela(b, "BD8EMP", 10);
        }
        auto arquivo = destino.Caminho() / "ZOVI2005.BKP";
        InteracaoRoteirizada primeira;
        ASSERT_TRUE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, primeira));
        auto anterior = teste::LeArquivo(arquivo);

        auto tabela = dados.Caminho() / (std::string(c.tabela) + ".DB");
        teste::GravaArquivo(tabela, c.conteudo(teste::LeArquivo(tabela)));
        InteracaoRoteirizada ui;
        EXPECT_FALSE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, ui)) << c.tabela;
        ASSERT_EQ(ui.mostradas.size(), 1u);
        const auto& texto = ui.mostradas[0].texto;
        EXPECT_EQ(ui.mostradas[0].tipo, TipoDialogo::Erro);
        EXPECT_NE(texto.find(std::string(c.tabela) + ".DB"), std::string::npos) << texto;
        EXPECT_EQ(teste::LeArquivo(arquivo), anterior) << c.tabela;
        EXPECT_EQ(std::distance(fs::directory_iterator(destino.Caminho()), fs::directory_iterator()), 1);
        for (const auto& e : fs::directory_iterator(dados.Caminho()))
            EXPECT_NE(e.path().filename().string().rfind(".gdzovi-copia", 0), 0u) << e.path();

        // check-data names it too.
        auto saida = destino.Caminho() / "saida.txt";
        auto comando = (teste::PastaProgramas() / "gdzovi-lote").string() + " check-data " + dados.Caminho().string() +
                       " > " + saida.string() + " 2>&1";
        EXPECT_EQ(WEXITSTATUS(std::system(comando.c_str())), 1);
        auto relato = teste::LeArquivo(saida);
        EXPECT_NE(relato.find(std::string(c.tabela) + ".DB: "), std::string::npos) << relato;
    }
}

// Cancelled half-way, a backup leaves the previous archive of that name whole.
TEST(CopiaConsistente, CopiaCanceladaMantemACopiaAnterior) {
    PastaTeste dados;
    PastaTeste destino(false);
    {
        Banco b;
        b.Abre("Zovi2005", {dados.Parametro()});
        teste::PreencheTabela(b, "BD8VINC", 1500);
    }
    auto arquivo = destino.Caminho() / "ZOVI2005.BKP";
    InteracaoRoteirizada primeira;
    ASSERT_TRUE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, primeira));
    auto anterior = teste::LeArquivo(arquivo);
    InteracaoRoteirizada cancela({Resposta::Sim});
    cancela.InterrompeApos(2);
    EXPECT_FALSE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, cancela));
    EXPECT_EQ(cancela.mostradas.at(0).texto, "Cancelar o processo de Backup ?");
    EXPECT_EQ(teste::LeArquivo(arquivo), anterior);
    EXPECT_FALSE(fs::exists(destino.Caminho() / "ZOVI2005.BKP.tmp"));
}

}  // namespace
}  // namespace zovi
