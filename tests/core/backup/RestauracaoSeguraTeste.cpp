// A restore either replaces the three declaration tables by the archive's, whole, or
// leaves them as they were: whatever the archive holds, and wherever the restore is killed.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "ArquivoCopia.h"
#include "InteracaoRoteirizada.h"
#include "OutroProcesso.h"
#include "PastaTeste.h"
#include "TabelasPreenchidas.h"
#include "backup/CopiaDeclaracao.h"
#include "data/Tabelas.h"
#include "data/TrocaTabelas.h"
#include "data/VerificaArquivos.h"
#include "engine/Banco.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::InteracaoRoteirizada;
using teste::LeArquivo;
using teste::MontaCopia;
using teste::PastaTeste;
using Tabelas = std::map<std::string, std::string>;

std::uintmax_t Sobra(const fs::path&) { return std::uintmax_t(1) << 40; }

void Preenche(const fs::path& pasta, int empresas, int empregados, int inicio) {
    Banco b;
    b.Abre("Zovi2005", {"path=" + pasta.string()});
    teste::PreencheTabela(b, "BD8EMP", empresas, inicio);
    teste::PreencheTabela(b, "BD8VINC", empregados, inicio);
    teste::PreencheTabela(b, "BD8RESP", 1, inicio);
}

// What a restore may leave besides the tables: nothing of its own.
std::vector<std::string> Restos(const fs::path& pasta) {
    std::vector<std::string> r;
    for (const auto& e : fs::directory_iterator(pasta)) {
        auto nome = e.path().filename().string();
        if (nome[0] == '~' || nome == "Work") r.push_back(nome);
    }
    return r;
}

int CheckData(const fs::path& pasta) {
    auto cmd = (teste::PastaProgramas() / "gdzovi-lote").string() + " check-data " + pasta.string() + " > /dev/null 2>&1";
    return WEXITSTATUS(std::system(cmd.c_str()));
}

// A data folder holding one declaration, and an archive of another one.
class RestauracaoSegura : public ::testing::Test {
protected:
    void SetUp() override {
        Preenche(dados.Caminho(), 3, 20, 0);
        antigas = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
        PastaTeste outra;
        Preenche(outra.Caminho(), 7, 60, 500);
        novas = teste::ArquivosDasTabelasDeclaracao(outra.Caminho());
        InteracaoRoteirizada ui;
        ASSERT_TRUE(fGravaCopiaDeclaracao(outra.Caminho(), arquivo, ui, Sobra));
    }
    void TearDown() override { DefinePontoTroca(nullptr); }

    Tabelas Atuais() const { return teste::ArquivosDasTabelasDeclaracao(dados.Caminho()); }

    // The archive's tables as they were saved, one by one, for archives built by hand.
    std::string Tabela(const std::string& nome) { return novas.at(nome); }

    PastaTeste dados;
    PastaTeste destino{false};
    fs::path arquivo = destino.Caminho() / "Zovi2005.bkp";
    Tabelas antigas, novas;
};

// An archive built from its members (stored name, bytes); the header's total is the
// members' sum unless given.
fs::path Monta(const fs::path& pasta, const std::vector<std::pair<std::string, std::string>>& membros,
               std::int64_t total = -1) {
    std::int64_t soma = 0;
    for (const auto& m : membros) soma += static_cast<std::int64_t>(m.second.size());
    MontaCopia m;
    m.Cabecalho("Zovi2005", static_cast<std::int32_t>(total < 0 ? soma : total), static_cast<std::int32_t>(membros.size()));
    for (const auto& [nome, bytes] : membros) m.Entrada("c:\\gdzovi\\dados\\" + nome).SegmentoBruto(bytes);
    m.Int32(0);
    auto caminho = pasta / "hostil.bkp";
    m.Grava(caminho);
    return caminho;
}

// A table file's bytes after SQL run on it directly, as a tool outside the program would.
std::string Alterada(const fs::path& pasta, const std::string& bytes, const std::string& sql) {
    auto arquivo = pasta / "alterada.db";
    teste::GravaArquivo(arquivo, bytes);
    sqlite3* con = nullptr;
    EXPECT_EQ(sqlite3_open(arquivo.c_str(), &con), SQLITE_OK);
    char* erro = nullptr;
    EXPECT_EQ(sqlite3_exec(con, sql.c_str(), nullptr, nullptr, &erro), SQLITE_OK) << (erro ? erro : "");
    sqlite3_free(erro);
    sqlite3_close(con);
    auto alterada = LeArquivo(arquivo);
    fs::remove(arquivo);
    return alterada;
}

// BD8EMP as the program defines it but without a single CHECK.
std::string SemChecks() {
    const auto& def = DefinicaoTabela("BD8EMP");
    std::string sql = "ALTER TABLE BD8EMP RENAME TO velha; CREATE TABLE \"BD8EMP\" (";
    for (size_t i = 0; i < def.campos.size(); ++i) {
        const auto& c = def.campos[i];
        sql += (i ? ", " : "") + Aspas(c.nome) +
               (c.tipo == TipoCampo::Logico ? " BOOLEAN" : " VARCHAR(" + std::to_string(c.largura) + ") NOT NULL DEFAULT ''");
    }
    return sql + "); INSERT INTO BD8EMP SELECT * FROM velha; DROP TABLE velha; " +
           SqlCriaIndice("BD8EMP", def.indices.at(0)) + ";";
}

TEST_F(RestauracaoSegura, ArquivosHostisSaoRecusadosSemTocarNasTabelas) {
    auto emp = Tabela("BD8EMP.DB"), vinc = Tabela("BD8VINC.DB"), resp = Tabela("BD8RESP.DB");
    // Tables that break their own definition, made with the checks of SQLite turned off.
    const auto nomeLongo = Alterada(destino.Caminho(), emp,
                                    "PRAGMA ignore_check_constraints = 1; UPDATE BD8EMP SET NoRazaoEstabelecimento = '" +
                                        std::string(60, 'X') + "' WHERE rowid = 2;");
    const auto chaveRepetida = Alterada(destino.Caminho(), vinc,
                                        "DROP INDEX i_Main; INSERT INTO BD8VINC SELECT * FROM BD8VINC LIMIT 5;");
    const auto semChecks = Alterada(destino.Caminho(), emp, SemChecks());
    auto danificada = vinc;
    for (std::size_t i = 4096; i < 4096 + 12; ++i) danificada[i] = static_cast<char>(0xA5);
    const std::string grande = teste::Compressivel(4u << 20);
    struct Caso {
        const char* nome;
        std::vector<std::pair<std::string, std::string>> membros;
        std::int64_t total;
        std::string motivo;
    };
    const Caso casos[] = {
        {"membro de texto", {{"bd8emp.db", "isto não é uma tabela"}, {"bd8vinc.db", vinc}, {"bd8resp.db", resp}}, -1,
         "o arquivo BD8EMP.DB da cópia não é um arquivo de tabela"},
        {"só o diário de uma tabela", {{"bd8emp.db-journal", std::string(512, '\0')}}, -1,
         "ela contém o arquivo \"bd8emp.db-journal\", que não é uma tabela da declaração"},
        {"uma tabela só", {{"bd8resp.db", resp}}, -1, "falta nela a tabela BD8EMP"},
        {"três arquivos de bytes ao acaso",
         {{"bd8emp.db", teste::Aleatorio(20480, 1)}, {"bd8vinc.db", teste::Aleatorio(28672, 2)},
          {"bd8resp.db", teste::Aleatorio(12288, 3)}},
         -1, "o arquivo BD8EMP.DB da cópia não é um arquivo de tabela"},
        {"cabeçalho menor que o conteúdo", {{"bd8emp.db", grande}, {"bd8vinc.db", vinc}, {"bd8resp.db", resp}}, 100,
         "o tamanho dos arquivos nela não confere"},
        {"cabeçalho maior que o conteúdo", {{"bd8emp.db", emp}, {"bd8vinc.db", vinc}, {"bd8resp.db", resp}}, 1 << 20,
         "o tamanho dos arquivos nela não confere"},
        {"outra tabela no lugar", {{"bd8emp.db", resp}, {"bd8vinc.db", vinc}, {"bd8resp.db", resp}}, -1,
         "o arquivo BD8EMP.DB da cópia não contém a tabela BD8EMP"},
        {"páginas danificadas", {{"bd8emp.db", emp}, {"bd8vinc.db", danificada}, {"bd8resp.db", resp}}, -1,
         "o arquivo BD8VINC.DB da cópia está danificado"},
        {"tabela repetida", {{"bd8emp.db", emp}, {"bd8emp.db", emp}, {"bd8vinc.db", vinc}, {"bd8resp.db", resp}}, -1,
         "ela contém a tabela BD8EMP mais de uma vez"},
        {"arquivo a mais", {{"bd8emp.db", emp}, {"bd8vinc.db", vinc}, {"bd8resp.db", resp}, {"tb8msg.db", "x"}}, -1,
         "ela contém o arquivo \"tb8msg.db\", que não é uma tabela da declaração"},
        {"nome maior que o campo", {{"bd8emp.db", nomeLongo}, {"bd8vinc.db", vinc}, {"bd8resp.db", resp}}, -1,
         "o arquivo BD8EMP.DB da cópia tem um registro com o campo NoRazaoEstabelecimento maior que 52 caracteres"},
        {"chave repetida sem o índice", {{"bd8emp.db", emp}, {"bd8vinc.db", chaveRepetida}, {"bd8resp.db", resp}}, -1,
         "o arquivo BD8VINC.DB da cópia não tem o índice Main (a chave única) da tabela BD8VINC"},
        {"uma tabela grande só, de cabeçalho enorme", {{"bd8vinc.db", grande}}, 1600000000, "falta nela a tabela BD8EMP"},
        {"tabela sem CHECKs", {{"bd8emp.db", semChecks}, {"bd8vinc.db", vinc}, {"bd8resp.db", resp}}, -1,
         "o arquivo BD8EMP.DB da cópia não tem a definição da tabela BD8EMP"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        auto hostil = Monta(destino.Caminho(), c.membros, c.total);
        InteracaoRoteirizada ui;
        EXPECT_FALSE(fRestauraCopiaDeclaracao(hostil, dados.Caminho(), ui, nullptr, Sobra));
        ASSERT_EQ(ui.mostradas.size(), 1u) << ui.mostradas.back().texto;
        EXPECT_NE(ui.mostradas[0].texto.find("A cópia de segurança não pode ser restaurada: " + c.motivo), std::string::npos)
            << ui.mostradas[0].texto;
        EXPECT_EQ(Atuais(), antigas);
        EXPECT_EQ(Restos(dados.Caminho()), std::vector<std::string>{});
        // The header bounds what is unpacked: 4 MB are not written for a header of 100 bytes,
        // nor for one of 1.6 GB whose member list lacks tables.
        if (c.total == 100 || c.total > (1 << 30)) {
            EXPECT_LE(ui.progresso.size(), 2u);
        }
    }
}

TEST_F(RestauracaoSegura, SemEspacoNadaEhTocado) {
    InteracaoRoteirizada ui;
    std::uintmax_t pouco = 0;
    EXPECT_FALSE(fRestauraCopiaDeclaracao(arquivo, dados.Caminho(), ui, nullptr, [&](const fs::path&) { return pouco; }));
    ASSERT_EQ(ui.mostradas.size(), 1u);
    EXPECT_EQ(ui.mostradas[0].texto.rfind("Não há espaço livre suficiente para restaurar a cópia de segurança", 0), 0u);
    EXPECT_EQ(Atuais(), antigas);
    EXPECT_EQ(Restos(dados.Caminho()), std::vector<std::string>{});
}

// The steps of a swap, in order, as a whole restore goes through them.
std::vector<std::string> PassosDaTroca(const fs::path& arquivo) {
    PastaTeste ensaio;
    Preenche(ensaio.Caminho(), 1, 1, 0);
    std::vector<std::string> passos;
    DefinePontoTroca([&](const std::string& p) { passos.push_back(p); });
    InteracaoRoteirizada ui;
    EXPECT_TRUE(fRestauraCopiaDeclaracao(arquivo, ensaio.Caminho(), ui, nullptr, Sobra));
    DefinePontoTroca(nullptr);
    return passos;
}

// Restores the archive in another process that is killed at the given step of the swap
// (counted from 0); true when it died there.
bool RestauraEMorre(const fs::path& arquivo, const fs::path& pasta, std::size_t passo) {
    pid_t filho = ::fork();
    if (filho == 0) {
        std::size_t n = 0;
        DefinePontoTroca([&](const std::string&) {
            if (n++ == passo) ::raise(SIGKILL);
        });
        InteracaoRoteirizada ui;
        fRestauraCopiaDeclaracao(arquivo, pasta, ui, nullptr, Sobra);
        ::_exit(3);
    }
    int estado = 0;
    return filho > 0 && ::waitpid(filho, &estado, 0) == filho && WIFSIGNALED(estado) && WTERMSIG(estado) == SIGKILL;
}

// Killed at each step of the swap, the folder passes the start-up check afterwards and
// holds the old tables or the new ones; the same when the next thing run on it is a
// restore that is refused.
TEST_F(RestauracaoSegura, MortaEmCadaPassoDaTroca) {
    auto passos = PassosDaTroca(arquivo);
    ASSERT_GE(passos.size(), 10u);
    auto recusada = Monta(destino.Caminho(), {{"bd8resp.db", Tabela("BD8RESP.DB")}});
    auto original = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    std::set<std::string> desfechos;
    for (std::size_t i = 0; i < passos.size(); ++i) {
        for (bool restauraAntes : {false, true}) {
            SCOPED_TRACE(passos[i] + (restauraAntes ? ", depois uma restauração recusada" : ""));
            PastaTeste pasta;
            for (const auto& [nome, bytes] : original) teste::GravaArquivo(pasta.Caminho() / nome, bytes);
            ASSERT_TRUE(RestauraEMorre(arquivo, pasta.Caminho(), i));
            if (restauraAntes) {
                InteracaoRoteirizada ui;
                EXPECT_FALSE(fRestauraCopiaDeclaracao(recusada, pasta.Caminho(), ui, nullptr, Sobra));
            }
            EXPECT_EQ(CheckData(pasta.Caminho()), 0);
            auto atuais = teste::ArquivosDasTabelasDeclaracao(pasta.Caminho());
            EXPECT_TRUE(atuais == antigas || atuais == novas);
            desfechos.insert(atuais == novas ? "novas" : "antigas");
            EXPECT_EQ(Restos(pasta.Caminho()), std::vector<std::string>{});
        }
    }
    EXPECT_EQ(desfechos, (std::set<std::string>{"antigas", "novas"}));
}

// A failure at any step while the swap runs (a rename or a sync refused) is settled at
// once: the restore says success only when the new tables are all in place.
TEST_F(RestauracaoSegura, FalhaEmCadaPassoDaTroca) {
    auto passos = PassosDaTroca(arquivo);
    auto original = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    for (std::size_t i = 0; i < passos.size(); ++i) {
        SCOPED_TRACE(passos[i]);
        PastaTeste pasta;
        for (const auto& [nome, bytes] : original) teste::GravaArquivo(pasta.Caminho() / nome, bytes);
        std::size_t n = 0;
        DefinePontoTroca([&](const std::string&) {
            if (n++ == i) throw std::runtime_error("falha de entrada e saída");
        });
        InteracaoRoteirizada ui;
        bool restaurada = fRestauraCopiaDeclaracao(arquivo, pasta.Caminho(), ui, nullptr, Sobra);
        DefinePontoTroca(nullptr);
        EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(pasta.Caminho()), restaurada ? novas : antigas);
        EXPECT_EQ(Restos(pasta.Caminho()), std::vector<std::string>{});
    }
}

// A swap cut short whose new files went missing is undone: the old tables come back. A
// damaged journal stops the start-up check with an error that names it, and touches nothing.
TEST_F(RestauracaoSegura, TrocaInterrompidaSemOsArquivosNovosOuComDiarioDanificado) {
    auto passos = PassosDaTroca(arquivo);
    auto posicao = [&](const std::string& passo) {
        return static_cast<std::size_t>(std::find(passos.begin(), passos.end(), passo) - passos.begin());
    };
    const fs::path diario = dados.Caminho() / "~troca-tabelas.pendente";
    ASSERT_TRUE(RestauraEMorre(arquivo, dados.Caminho(), posicao("colocado BD8EMP.DB")));
    ASSERT_TRUE(fs::exists(diario));
    auto pendente = LeArquivo(diario);
    fs::remove(dados.Caminho() / "Work" / "BD8VINC.DB");
    InteracaoRoteirizada ui;
    EXPECT_TRUE(VerificaArquivosDados(dados.Caminho(), ui));
    EXPECT_EQ(Atuais(), antigas);
    EXPECT_EQ(Restos(dados.Caminho()), std::vector<std::string>{});

    ASSERT_TRUE(RestauraEMorre(arquivo, dados.Caminho(), posicao("afastado BD8EMP.DB")));
    auto metade = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    teste::GravaArquivo(diario, pendente.substr(0, pendente.size() / 2));
    try {
        VerificaArquivosDados(dados.Caminho(), ui);
        ADD_FAILURE() << "o diário danificado passou";
    } catch (const ErroMotor& e) {
        EXPECT_NE(std::string(e.what()).find("está danificado"), std::string::npos) << e.what();
    }
    EXPECT_EQ(CheckData(dados.Caminho()), 70);
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), metade);
}

// A backup taken of a folder whose restore was killed half-way through the swap settles the
// swap first: the archive holds the new tables, not a mix.
TEST_F(RestauracaoSegura, CopiaDeUmaTrocaInterrompida) {
    auto passos = PassosDaTroca(arquivo);
    auto meio = static_cast<std::size_t>(std::find(passos.begin(), passos.end(), "colocado BD8EMP.DB") - passos.begin());
    ASSERT_TRUE(RestauraEMorre(arquivo, dados.Caminho(), meio));
    auto copia = destino.Caminho() / "depois.bkp";
    InteracaoRoteirizada ui;
    ASSERT_TRUE(fGravaCopiaDeclaracao(dados.Caminho(), copia, ui, Sobra));
    EXPECT_EQ(Atuais(), novas);
    PastaTeste outra;
    ASSERT_TRUE(fRestauraCopiaDeclaracao(copia, outra.Caminho(), ui, nullptr, Sobra));
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(outra.Caminho()), novas);
}

// A restore stopped in the middle of its swap holds the folder: a second restore, in this
// process or from the command line, and the start-up check are refused and change nothing;
// let go, the first one ends with the new tables.
TEST_F(RestauracaoSegura, DuasRestauracoesAoMesmoTempo) {
    auto outra = Monta(destino.Caminho(), {{"bd8emp.db", Tabela("BD8EMP.DB")},
                                           {"bd8vinc.db", Tabela("BD8VINC.DB")},
                                           {"bd8resp.db", Tabela("BD8RESP.DB")}});
    teste::OutroProcesso primeira([&](const std::function<bool()>& espera) {
        DefinePontoTroca([&](const std::string& passo) {
            if (passo == "afastado BD8EMP.DB" && !espera()) throw 1;
        });
        InteracaoRoteirizada ui;
        if (!fRestauraCopiaDeclaracao(arquivo, dados.Caminho(), ui, nullptr, Sobra)) throw 2;
    });
    ASSERT_TRUE(primeira.Segura());
    auto meio = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    InteracaoRoteirizada ui;
    EXPECT_FALSE(fRestauraCopiaDeclaracao(outra, dados.Caminho(), ui, nullptr, Sobra));
    ASSERT_EQ(ui.mostradas.size(), 1u);
    EXPECT_EQ(ui.mostradas[0].texto.rfind("Nenhum usuário pode estar usando o sistema: \"Table is busy", 0), 0u);
    auto lote = (teste::PastaProgramas() / "gdzovi-lote").string();
    auto pasta = dados.Caminho().string();
    EXPECT_EQ(WEXITSTATUS(std::system((lote + " restaura " + outra.string() + " " + pasta + " > /dev/null 2>&1").c_str())), 75);
    EXPECT_EQ(CheckData(dados.Caminho()), 75);
    EXPECT_THROW(VerificaArquivosDados(dados.Caminho(), ui), ErroMotor);
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), meio);
    EXPECT_EQ(primeira.Libera(), 0);
    EXPECT_EQ(Atuais(), novas);
    EXPECT_EQ(Restos(dados.Caminho()), std::vector<std::string>{});
}

// The program holds its folder shared while open, and its own restore raises that hold;
// another copy of the program open on the folder refuses the restore.
TEST_F(RestauracaoSegura, RestauracaoComOutroProcessoNaPasta) {
    struct Caso {
        const char* nome;
        std::optional<ModoTrava> outro;
        bool restaura;
    };
    const Caso casos[] = {
        {"só o programa", std::nullopt, true},
        {"outro programa aberto", ModoTrava::Compartilhada, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        PastaTeste pasta;
        for (const auto& [nome, bytes] : antigas) teste::GravaArquivo(pasta.Caminho() / nome, bytes);
        std::optional<teste::OutroProcesso> outro;
        if (c.outro) outro.emplace(pasta.Caminho(), *c.outro);
        TravaPastaDados programa(pasta.Caminho(), ModoTrava::Compartilhada);
        InteracaoRoteirizada ui;
        EXPECT_EQ(fRestauraCopiaDeclaracao(arquivo, pasta.Caminho(), ui, nullptr, Sobra), c.restaura);
        EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(pasta.Caminho()), c.restaura ? novas : antigas);
        EXPECT_EQ(Restos(pasta.Caminho()), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace zovi
