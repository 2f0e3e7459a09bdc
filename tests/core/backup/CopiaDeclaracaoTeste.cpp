#include "backup/CopiaDeclaracao.h"

#include <gtest/gtest.h>

#include "ArquivoCopia.h"
#include "InteracaoRoteirizada.h"
#include "OutroProcesso.h"
#include "PastaTeste.h"
#include "TabelasPreenchidas.h"
#include "backup/CopiaSeguranca.h"
#include "data/Tabelas.h"
#include "data/TrocaTabelas.h"
#include "engine/Tabela.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::InteracaoRoteirizada;
using teste::GravaArquivo;
using teste::LeArquivo;
using teste::MontaCopia;
using teste::PastaTeste;

void Preenche(const fs::path& pasta, const std::string& tabela, int linhas, int inicio = 0) {
    Banco b;
    b.Abre("Zovi2005", {"path=" + pasta.string()});
    teste::PreencheTabela(b, tabela, linhas, inicio);
}

std::deque<Resposta> Oks(int n) { return std::deque<Resposta>(static_cast<std::size_t>(n), Resposta::Ok); }

bool Mostrou(const InteracaoRoteirizada& ui, const std::string& texto) {
    for (const auto& m : ui.mostradas)
        if (m.texto == texto) return true;
    return false;
}

// The three tables go onto diskettes of 50000 bytes (volumes of at most 30000) and come
// back byte for byte over changed tables that the program still has open.
class CopiaDeclaracao : public ::testing::Test {
protected:
    void SetUp() override {
        Preenche(dados.Caminho(), "BD8VINC", 1500);
        Preenche(dados.Caminho(), "BD8EMP", 40);
        Preenche(dados.Caminho(), "BD8RESP", 1);
        salvos = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
        InteracaoRoteirizada ui(Oks(200));
        ASSERT_TRUE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, ui, [](const fs::path&) { return 50000; }, true));
        EXPECT_TRUE(Mostrou(ui, "Gravação da cópia bem sucedida."));
        EXPECT_TRUE(Mostrou(ui, "Insira o volume n° 3"));
        for (const auto& e : fs::directory_iterator(destino.Caminho())) {
            EXPECT_LE(e.file_size(), 30000u) << e.path();
        }
        // Work goes on after the backup.
        Preenche(dados.Caminho(), "BD8EMP", 5, 1000);
        fs::remove(dados.Caminho() / "BD8RESP.DB");
        ASSERT_NE(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), salvos);
    }

    PastaTeste dados;
    PastaTeste destino{false};
    fs::path arquivo = destino.Caminho() / "ZOVI2005.BKP";
    std::map<std::string, std::string> salvos;
};

TEST_F(CopiaDeclaracao, IdaEVoltaEmVariosVolumes) {
    Banco programa;
    programa.Abre("Zovi2005", {dados.Parametro()});
    Tabela aberta(programa, "BD8VINC");
    aberta.Abre();
    InteracaoRoteirizada ui(Oks(200));
    ASSERT_TRUE(fRestauraCopiaDeclaracao(arquivo, dados.Caminho(), ui, &programa));
    EXPECT_TRUE(Mostrou(ui, "Restauração da cópia bem sucedida."));
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), salvos);
    EXPECT_FALSE(fs::exists(dados.Caminho() / "Work"));
    aberta.Fecha();
    EXPECT_EQ(teste::ContaLinhas(programa, "BD8VINC"), 1500);
    EXPECT_EQ(teste::ContaLinhas(programa, "BD8EMP"), 40);
    EXPECT_EQ(teste::ContaLinhas(programa, "BD8RESP"), 1);
}

// Cancelled at the second volume: nothing reaches the data folder.
TEST_F(CopiaDeclaracao, CanceladaNoSegundoVolumeNaoCopiaNada) {
    auto antes = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    InteracaoRoteirizada ui({Resposta::Cancela});
    EXPECT_FALSE(fRestauraCopiaDeclaracao(arquivo, dados.Caminho(), ui));
    EXPECT_EQ(ui.mostradas.at(0).texto, "Insira o volume n° 2");
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), antes);
    EXPECT_FALSE(fs::exists(dados.Caminho() / "Work"));
}

// A swap whose new files cannot be put in place (every attempt fails) puts every current
// table file back.
TEST_F(CopiaDeclaracao, FalhaAoSubstituirMantemAsTabelas) {
    auto antes = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    DefinePontoTroca([](const std::string& passo) {
        if (passo.rfind("colocado", 0) == 0) throw std::runtime_error("disco cheio");
    });
    InteracaoRoteirizada ui(Oks(200));
    EXPECT_FALSE(fRestauraCopiaDeclaracao(arquivo, dados.Caminho(), ui));
    DefinePontoTroca(nullptr);
    EXPECT_TRUE(Mostrou(ui, "Ocorreu um erro durante o processo de restauração: [disco cheio]."));
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), antes);
    for (const auto& e : fs::directory_iterator(dados.Caminho())) {
        EXPECT_TRUE(e.path().filename().string()[0] != '~' || e.is_directory()) << e.path();
    }
    Banco b;
    b.Abre("Zovi2005", {dados.Parametro()});
    EXPECT_EQ(teste::ContaLinhas(b, "BD8EMP"), 45);
}

// Another process using a declaration table: the swap is refused and the restored files
// wait in the work folder.
TEST_F(CopiaDeclaracao, TabelaEmUsoPorOutroProcessoNaoEhSubstituida) {
    auto antes = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    teste::OutroProcesso outro(dados.Caminho(), "BD8EMP");
    ASSERT_TRUE(outro.Segura());
    InteracaoRoteirizada ui(Oks(200));
    EXPECT_FALSE(fRestauraCopiaDeclaracao(arquivo, dados.Caminho(), ui));
    EXPECT_EQ(outro.Libera(), 0);
    bool ocupada = false;
    for (const auto& m : ui.mostradas) ocupada = ocupada || m.texto.find("Table is busy") != std::string::npos;
    EXPECT_TRUE(ocupada);
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), antes);
    EXPECT_FALSE(fs::exists(dados.Caminho() / "Work"));
}

// 50000 free bytes are enough (volumes of 30000); 49999 keep the user at the space warning
// until a volume with room is offered or the copy is cancelled.
TEST(CopiaDeclaracaoRecusas, EspacoMinimoDoVolume) {
    const std::string aviso =
        "A unidade nao oferece o espaço mínimo exigido para o Backup. \nSe utilizar disquetes, insira um novo\n"
        "com espaco disponivel.\nPronto para continuar ou cancelar?";
    PastaTeste dados;
    PastaTeste destino(false);
    auto arquivo = destino.Caminho() / "z.bkp";
    std::vector<std::uintmax_t> livres;
    auto espaco = [&](const fs::path&) {
        auto f = livres.front();
        if (livres.size() > 1) livres.erase(livres.begin());
        return f;
    };
    livres = {49999};
    InteracaoRoteirizada recusa({Resposta::Cancela});
    EXPECT_FALSE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, recusa, espaco));
    ASSERT_EQ(recusa.mostradas.size(), 1u);
    EXPECT_EQ(recusa.mostradas[0].texto, aviso);
    EXPECT_FALSE(fs::exists(arquivo));

    livres = {49999, 50000};
    InteracaoRoteirizada aceita({Resposta::Ok});
    EXPECT_TRUE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, aceita, espaco));
    ASSERT_EQ(aceita.mostradas.size(), 2u);
    EXPECT_EQ(aceita.mostradas[0].texto, aviso);
    EXPECT_EQ(aceita.mostradas[1].texto, "Gravação da cópia bem sucedida.");
}

// The files of a folder, name to contents.
std::map<std::string, std::string> Conteudo(const fs::path& pasta) {
    std::map<std::string, std::string> r;
    for (const auto& e : fs::directory_iterator(pasta))
        if (e.is_regular_file()) r[e.path().filename().string()] = LeArquivo(e.path());
    return r;
}

// A destination short of room never costs the archive already there. In one file, the copy
// is refused with the figures and the earlier archive stays whole; over volumes, a copy
// cancelled at the second volume leaves every earlier volume as it was and nothing beside.
TEST_F(CopiaDeclaracao, DestinoSemEspacoMantemACopiaAnterior) {
    const auto anteriores = Conteudo(destino.Caminho());
    ASSERT_GE(anteriores.size(), 3u);
    {
        Banco b;
        b.Abre("Zovi2005", {dados.Parametro()});
        b.CriaTabela(DefinicaoTabela("BD8RESP"));
    }
    Preenche(dados.Caminho(), "BD8VINC", 1500, 5000);

    InteracaoRoteirizada umArquivo(Oks(5));
    EXPECT_FALSE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, umArquivo, [](const fs::path&) { return 60000; }));
    ASSERT_EQ(umArquivo.mostradas.size(), 1u);
    const auto& texto = umArquivo.mostradas[0].texto;
    EXPECT_EQ(texto.rfind("Não há espaço suficiente em " + destino.Caminho().string() +
                              " para a cópia de segurança: havia 60000 bytes livres",
                          0),
              0u)
        << texto;
    EXPECT_NE(texto.find("Nenhum arquivo foi substituído"), std::string::npos);
    for (const auto& p : umArquivo.progresso) EXPECT_LT(p.first, 100);
    EXPECT_EQ(Conteudo(destino.Caminho()), anteriores);

    InteracaoRoteirizada volumes({Resposta::Cancela});
    EXPECT_FALSE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, volumes, [](const fs::path&) { return 50000; }, true));
    ASSERT_EQ(volumes.mostradas.size(), 1u);
    EXPECT_EQ(volumes.mostradas[0].texto, "Insira o volume n° 2");
    EXPECT_EQ(Conteudo(destino.Caminho()), anteriores);

    // Completed, the new volumes take the names.
    InteracaoRoteirizada completa(Oks(200));
    EXPECT_TRUE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, completa, [](const fs::path&) { return 50000; }, true));
    EXPECT_NE(Conteudo(destino.Caminho()).at("ZOVI2005.BKP"), anteriores.at("ZOVI2005.BKP"));
    for (const auto& [nome, bytes] : Conteudo(destino.Caminho())) EXPECT_EQ(nome.find(".tmp"), std::string::npos) << nome;
}

// An archive that cannot be written says why, in Portuguese, and the bar never shows it done.
TEST(CopiaDeclaracaoRecusas, FalhaDeGravacaoDizOMotivo) {
    PastaTeste dados;
    PastaTeste destino(false);
    auto arquivo = destino.Caminho() / "nao" / "ha" / "z.bkp";
    InteracaoRoteirizada ui;
    EXPECT_FALSE(fGravaCopiaDeclaracao(dados.Caminho(), arquivo, ui, [](const fs::path&) { return 1u << 30; }));
    ASSERT_EQ(ui.mostradas.size(), 1u);
    EXPECT_EQ(ui.mostradas[0].texto, "Ocorreu um erro durante o processo de backup: [não foi possível gravar a cópia em " +
                                         arquivo.string() + ": o arquivo ou a pasta não existe].");
    for (const auto& p : ui.progresso) EXPECT_LT(p.first, 100);
}

// An archive made with a file list as its first entry restores: the list's length is part
// of the header's total.
TEST(CopiaDeclaracaoRecusas, CopiaComListaDeArquivosRestaura) {
    PastaTeste dados;
    PastaTeste origem;
    Preenche(origem.Caminho(), "BD8EMP", 7);
    TCopiaSeguranca copia;
    copia.BackupTitle = kTituloCopiaZovi;
    copia.SaveFileID = true;
    auto arquivo = dados.Caminho() / "lista.bkp";
    std::vector<std::string> tabelas;
    for (const char* t : {"BD8EMP.DB", "BD8VINC.DB", "BD8RESP.DB"}) tabelas.push_back((origem.Caminho() / t).string());
    ASSERT_TRUE(copia.Backup(tabelas, arquivo.string()));
    InteracaoRoteirizada ui;
    ASSERT_TRUE(fRestauraCopiaDeclaracao(arquivo, dados.Caminho(), ui)) << (ui.mostradas.empty() ? "" : ui.mostradas[0].texto);
    EXPECT_EQ(LeArquivo(dados.Caminho() / "BD8EMP.DB"), LeArquivo(origem.Caminho() / "BD8EMP.DB"));
}

// Runs a shell script in a mount namespace of its own, where it may mount small filesystems;
// false when the system allows no such namespace.
bool RodaComMontagens(const std::string& script) {
    if (WEXITSTATUS(std::system("unshare -rm true > /dev/null 2>&1")) != 0) return false;
    std::string comando = "unshare -rm sh -c '" + script + "'";
    return WEXITSTATUS(std::system(comando.c_str())) == 0;
}

std::uintmax_t TamanhoPasta(const fs::path& pasta) {
    std::uintmax_t total = 0;
    for (const auto& e : fs::recursive_directory_iterator(pasta))
        if (e.is_regular_file()) total += e.file_size();
    return total;
}

// On real small filesystems: a destination short of room refuses the copy with the figures
// and keeps the archive it holds; a data folder without room for the copies of its tables
// says so instead of blaming a table; a folder a killed copy left behind goes at check-data.
TEST(CopiaDeclaracaoRecusas, SistemasDeArquivosPequenos) {
    PastaTeste dados;
    PastaTeste trabalho(false);
    Preenche(dados.Caminho(), "BD8VINC", 2000);
    const auto lote = (teste::PastaProgramas() / "gdzovi-lote").string();
    const auto anterior = trabalho.Caminho() / "anterior.bkp";
    ASSERT_EQ(WEXITSTATUS(std::system((lote + " copia " + dados.Caminho().string() + " " + anterior.string() +
                                       " > /dev/null 2>&1")
                                          .c_str())),
              0);
    Preenche(dados.Caminho(), "BD8VINC", 2000, 5000);
    const auto midia = trabalho.Caminho() / "midia", saida = trabalho.Caminho() / "saida.txt";
    fs::create_directories(midia);
    const auto tamanho = fs::file_size(anterior) + 65536;
    if (!RodaComMontagens("mount -t tmpfs -o size=" + std::to_string(tamanho) + " tmpfs " + midia.string() +
                          " && cp " + anterior.string() + " " + midia.string() + "/z.bkp && " + lote + " copia " +
                          dados.Caminho().string() + " " + midia.string() + "/z.bkp > " + saida.string() +
                          " 2>&1; echo $? >> " + saida.string() + "; cmp -s " + anterior.string() + " " +
                          midia.string() + "/z.bkp && echo mantida >> " + saida.string() + "; ls -A " +
                          midia.string() + " >> " + saida.string()))
        GTEST_SKIP() << "sem unshare";
    auto texto = LeArquivo(saida);
    EXPECT_NE(texto.find("bytes livres"), std::string::npos) << texto;
    EXPECT_NE(texto.find("\n1\nmantida\nz.bkp\n"), std::string::npos) << texto;

    // The data folder on a filesystem with room for its tables and little more.
    const auto pastaPequena = trabalho.Caminho() / "dados";
    fs::create_directories(pastaPequena);
    const auto espacoDados = TamanhoPasta(dados.Caminho()) + (512u << 10);
    ASSERT_TRUE(RodaComMontagens("mount -t tmpfs -o size=" + std::to_string(espacoDados) + " tmpfs " +
                                 pastaPequena.string() + " && cp -a " + dados.Caminho().string() + "/. " +
                                 pastaPequena.string() + " && " + lote + " copia " + pastaPequena.string() + " " +
                                 trabalho.Caminho().string() + "/nova.bkp > " + saida.string() + " 2>&1; echo $? >> " +
                                 saida.string() + "; mkdir " + (pastaPequena / kPrefixoCopiaEmCurso).string() +
                                 "morta && echo x > " + (pastaPequena / kPrefixoCopiaEmCurso).string() + "morta/BD8VINC.DB; " +
                                 lote + " check-data " + pastaPequena.string() +
                                 " > /dev/null 2>&1; ls -A " + pastaPequena.string() + " >> " + saida.string()));
    texto = LeArquivo(saida);
    EXPECT_NE(texto.find("para preparar a c"), std::string::npos) << texto;
    EXPECT_EQ(texto.find("Input/output"), std::string::npos) << texto;
    EXPECT_NE(texto.find("\n1\n"), std::string::npos) << texto;
    EXPECT_EQ(texto.find(kPrefixoCopiaEmCurso), std::string::npos) << texto;
    EXPECT_FALSE(fs::exists(trabalho.Caminho() / "nova.bkp"));
}

// The three commands of gdzovi-lote end with 0 on success and otherwise with another status.
TEST(CopiaDeclaracaoRecusas, GdzoviLote) {
    PastaTeste dados;
    PastaTeste destino(false);
    auto lote = (teste::PastaProgramas() / "gdzovi-lote").string() + " ";
    auto roda = [&](const std::string& args) {
        return WEXITSTATUS(std::system((lote + args + " < /dev/null > /dev/null 2>&1").c_str()));
    };
    auto arquivo = (destino.Caminho() / "z.bkp").string();
    auto pasta = dados.Caminho().string();
    EXPECT_EQ(roda("copia " + pasta + " " + arquivo), 0);
    EXPECT_EQ(roda("restaura " + arquivo + " " + pasta), 0);
    EXPECT_EQ(roda("reindexa " + pasta), 0);
    // Volumes of 50000 bytes: the second one is asked on the terminal, which gives no answer.
    Preenche(dados.Caminho(), "BD8VINC", 300);
    EXPECT_EQ(roda("copia " + pasta + " " + arquivo + " --volume 50000"), 1);
    EXPECT_EQ(roda("copia " + pasta + " " + arquivo + " --volume x"), 64);
    EXPECT_EQ(roda("restaura " + (destino.Caminho() / "z.zip").string() + " " + pasta), 1);
}

// Another process holding the data folder: the program open (shared) lets a backup run
// beside it but no restore or index rebuild; a restore under way (exclusive) lets nothing in.
// A refused command changes no table and exits with 75.
TEST(CopiaDeclaracaoRecusas, GdzoviLoteComAPastaEmUsoPorOutroProcesso) {
    PastaTeste dados;
    PastaTeste destino(false);
    Preenche(dados.Caminho(), "BD8EMP", 20);
    auto lote = (teste::PastaProgramas() / "gdzovi-lote").string() + " ";
    auto roda = [&](const std::string& args) {
        return WEXITSTATUS(std::system((lote + args + " < /dev/null > /dev/null 2>&1").c_str()));
    };
    auto pasta = dados.Caminho().string();
    auto arquivo = (destino.Caminho() / "z.bkp").string();
    ASSERT_EQ(roda("copia " + pasta + " " + arquivo), 0);
    Preenche(dados.Caminho(), "BD8EMP", 5, 100);
    auto antes = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    struct Caso {
        ModoTrava doOutro;
        std::string comando;
        int saida;
    } casos[] = {
        {ModoTrava::Compartilhada, "restaura " + arquivo + " " + pasta, 75},
        {ModoTrava::Compartilhada, "reindexa " + pasta, 75},
        {ModoTrava::Compartilhada, "copia " + pasta + " " + (destino.Caminho() / "y.bkp").string(), 0},
        {ModoTrava::Exclusiva, "copia " + pasta + " " + (destino.Caminho() / "x.bkp").string(), 75},
        {ModoTrava::Exclusiva, "check-data " + pasta, 75},
        {ModoTrava::Exclusiva, "verificar " + pasta, 75},
    };
    for (const auto& c : casos) {
        teste::OutroProcesso outro(dados.Caminho(), c.doOutro);
        ASSERT_TRUE(outro.Segura());
        EXPECT_EQ(roda(c.comando), c.saida) << c.comando;
        EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), antes) << c.comando;
    }
    EXPECT_FALSE(fs::exists(destino.Caminho() / "x.bkp"));
}

TEST(CopiaDeclaracaoRecusas, ArquivoInvalidoEhRecusadoAntesDeTudo) {
    PastaTeste dados;
    auto antes = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    MontaCopia outra;
    outra.Cabecalho("Zovi2004").Entrada("c:\\x\\bd8emp.db").SegmentoBruto("x").Int32(0);
    outra.Grava(dados.Caminho() / "velha.bkp");
    GravaArquivo(dados.Caminho() / "lixo.bkp", "isto nao e uma copia");
    const std::pair<const char*, const char*> casos[] = {
        {"copia.zip", "Extensao inválida de arquivo de backup."},
        {"nao_existe.bkp", "Arquivo inexistente."},
        {"velha.bkp", "Esse não é um arquivo de backup ZOVI válido"},
        {"lixo.bkp", "Esse não é um arquivo de backup ZOVI válido"},
    };
    for (const auto& [nome, mensagem] : casos) {
        InteracaoRoteirizada ui;
        EXPECT_FALSE(fRestauraCopiaDeclaracao(dados.Caminho() / nome, dados.Caminho(), ui));
        ASSERT_EQ(ui.mostradas.size(), 1u) << nome;
        EXPECT_EQ(ui.mostradas[0].texto, mensagem);
        EXPECT_FALSE(fs::exists(dados.Caminho() / "Work"));
    }
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), antes);
}

// A table file named in another letter case is replaced, never doubled, and a journal
// left beside the old table goes with it; an archive naming a place outside the work
// folder, or holding a file of another table, is refused and changes nothing.
TEST(CopiaDeclaracaoRecusas, SubstituiEmQualquerCaixaESoAsTabelasDaDeclaracao) {
    PastaTeste dados;
    fs::rename(dados.Caminho() / "BD8EMP.DB", dados.Caminho() / "Bd8Emp.Db");
    GravaArquivo(dados.Caminho() / "BD8EMP.DB-journal", "resto velho");
    auto msg = LeArquivo(dados.Caminho() / "TB8MSG.DB");
    PastaTeste outra;
    Preenche(outra.Caminho(), "BD8EMP", 3);
    InteracaoRoteirizada ui;
    ASSERT_TRUE(fGravaCopiaDeclaracao(outra.Caminho(), dados.Caminho() / "boa.Bkp", ui,
                                      [](const fs::path&) { return std::uintmax_t(1) << 40; }));
    auto nova = LeArquivo(outra.Caminho() / "BD8EMP.DB");
    auto antes = teste::ArquivosDasTabelasDeclaracao(dados.Caminho());
    MontaCopia m;
    m.Cabecalho("Zovi2005", 0, 2)
        .Entrada("c:\\zovi\\dados\\bd8emp.db").SegmentoBruto(nova)
        .Entrada("c:\\zovi\\dados\\..\\programa.exe").SegmentoBruto("INTRUSO")
        .Int32(0);
    m.Grava(dados.Caminho() / "m.Bkp");
    EXPECT_FALSE(fRestauraCopiaDeclaracao(dados.Caminho() / "m.Bkp", dados.Caminho(), ui));
    MontaCopia intrusa;
    intrusa.Cabecalho("Zovi2005", 7, 1).Entrada("c:\\zovi\\dados\\tb8msg.db").SegmentoBruto("INTRUSA").Int32(0);
    intrusa.Grava(dados.Caminho() / "m.Bkp");
    EXPECT_FALSE(fRestauraCopiaDeclaracao(dados.Caminho() / "m.Bkp", dados.Caminho(), ui));
    EXPECT_EQ(teste::ArquivosDasTabelasDeclaracao(dados.Caminho()), antes);

    ASSERT_TRUE(fRestauraCopiaDeclaracao(dados.Caminho() / "boa.Bkp", dados.Caminho(), ui));
    std::vector<std::string> daTabela;
    for (const auto& e : fs::directory_iterator(dados.Caminho()))
        if (NomeMaiusculo(e.path().filename().string()).rfind("BD8EMP.", 0) == 0) daTabela.push_back(e.path().filename());
    EXPECT_EQ(daTabela, std::vector<std::string>{"Bd8Emp.Db"});
    EXPECT_EQ(LeArquivo(dados.Caminho() / "Bd8Emp.Db"), nova);
    EXPECT_EQ(LeArquivo(dados.Caminho() / "TB8MSG.DB"), msg);
}

}  // namespace
}  // namespace zovi
