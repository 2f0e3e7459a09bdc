#include "backup/CopiaSeguranca.h"

#include <gtest/gtest.h>

#include "ArquivoCopia.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::Aleatorio;
using teste::Compressivel;
using teste::GravaArquivo;
using teste::LeArquivo;
using teste::MontaCopia;
using teste::PastaTeste;

constexpr std::int32_t kData = 0x32A54800;  // 5 May 2005, 09:00

struct Caso {
    const char* nome;
    std::string conteudo;
};

std::vector<Caso> Arquivos() {
    return {{"vazio.db", ""},
            {"pequeno.db", Compressivel(100)},
            {"um_bloco.db", Compressivel(16384)},
            {"varios_blocos.db", Compressivel(100000)},
            {"aleatorio.db", Aleatorio(40000)}};
}

class Ida : public ::testing::TestWithParam<TCompressionLevel> {};

// Every kind of file comes back byte for byte, with its date, at every level.
TEST_P(Ida, VoltaIgualEmTodoNivel) {
    PastaTeste pasta(false);
    auto origem = pasta.Caminho() / "origem";
    fs::create_directory(origem);
    std::int64_t total = 0;
    for (const auto& c : Arquivos()) {
        GravaArquivo(origem / c.nome, c.conteudo);
        fs::last_write_time(origem / c.nome, DeDataDos(kData));
        total += static_cast<std::int64_t>(c.conteudo.size());
    }
    TCopiaSeguranca copia;
    copia.BackupTitle = "Zovi2005";
    copia.CompressionLevel = GetParam();
    std::vector<int> percentuais;
    copia.OnProgress = [&](TCopiaSeguranca&, const std::string&, TPercentage p, bool&) { percentuais.push_back(p); };
    auto arquivo = (pasta.Caminho() / "x.bkp").string();
    ASSERT_TRUE(copia.Backup({(origem / "*.db").string()}, arquivo));
    EXPECT_EQ(copia.ErrorCode(), 0);
    EXPECT_EQ(copia.FilesProcessed(), 5);
    EXPECT_EQ(copia.TotalBytes(), total);
    EXPECT_TRUE(std::is_sorted(percentuais.begin(), percentuais.end()));
    EXPECT_EQ(percentuais.front(), 0);
    EXPECT_EQ(percentuais.back(), 100);
    if (GetParam() == TCompressionLevel::clNone) {
        EXPECT_LE(copia.CompressionRate(), 0);
    } else {
        EXPECT_GT(copia.CompressionRate(), 30);
    }

    EXPECT_EQ(copia.ReadArchiveInfo(arquivo, nullptr), "Zovi2005");
    EXPECT_EQ(copia.FilesInArchive(), 5);
    auto destino = pasta.Caminho() / "destino";
    ASSERT_TRUE(copia.Restore(arquivo, destino.string()));
    EXPECT_EQ(copia.FilesProcessed(), 5);
    for (const auto& c : Arquivos()) {
        EXPECT_EQ(LeArquivo(destino / c.nome), c.conteudo) << c.nome;
        EXPECT_EQ(DataDos(fs::last_write_time(destino / c.nome)), kData) << c.nome;
    }
}

INSTANTIATE_TEST_SUITE_P(Niveis, Ida,
                         ::testing::Values(TCompressionLevel::clFastest, TCompressionLevel::clNone,
                                           TCompressionLevel::clDefault, TCompressionLevel::clMax));

// The exact bytes of a small archive: header, an empty file, a raw chunk.
TEST(CopiaSeguranca, LayoutDoArquivo) {
    PastaTeste pasta(false);
    GravaArquivo(pasta.Caminho() / "A.DB", "");
    GravaArquivo(pasta.Caminho() / "B.DB", Aleatorio(10));
    for (auto n : {"A.DB", "B.DB"}) fs::last_write_time(pasta.Caminho() / n, DeDataDos(kData));
    TCopiaSeguranca copia;
    copia.BackupTitle = "T";
    auto arquivo = pasta.Caminho() / "x.bkp";
    ASSERT_TRUE(copia.Backup({(pasta.Caminho() / "?.db").string()}, arquivo.string()));
    auto dir = pasta.Caminho().string();
    MontaCopia esperado;
    esperado.Cabecalho("T", 10, 2)
        .Entrada(dir + "/a.db", kData).SegmentoBruto("")
        .Entrada(dir + "/b.db", kData).SegmentoBruto(Aleatorio(10))
        .Int32(0);
    EXPECT_EQ(LeArquivo(arquivo), esperado.bytes);
}

// Volumes of at most MaxSize bytes: x.bkp, x.002, x.003 ..., each later one starting a segment.
TEST(CopiaSeguranca, VariosVolumes) {
    PastaTeste pasta(false);
    auto origem = pasta.Caminho() / "origem";
    fs::create_directory(origem);
    GravaArquivo(origem / "bd8vinc.db", Aleatorio(100 * 1024));
    GravaArquivo(origem / "bd8emp.db", Compressivel(50000));
    TCopiaSeguranca copia;
    copia.BackupTitle = "Zovi2005";
    ASSERT_TRUE(copia.SetMaxSize(30000));
    std::vector<int> pedidos;
    copia.OnNeedDisk = [&](TCopiaSeguranca&, std::uint16_t id, bool&) { pedidos.push_back(id); };
    auto arquivo = pasta.Caminho() / "x.bkp";
    ASSERT_TRUE(copia.Backup({(origem / "bd8*.db").string()}, arquivo.string()));
    ASSERT_GE(pedidos.size(), 3u);
    for (std::size_t i = 0; i < pedidos.size(); ++i) {
        EXPECT_EQ(pedidos[i], static_cast<int>(i + 2));
        auto volume = fs::path(arquivo).replace_extension("." + std::string(i + 2 < 10 ? "00" : "0") + std::to_string(i + 2));
        ASSERT_TRUE(fs::exists(volume)) << volume;
        EXPECT_EQ(LeArquivo(volume).substr(0, 4), std::string("EC2\0", 4));
    }
    for (const auto& e : fs::directory_iterator(pasta.Caminho())) {
        if (e.is_regular_file()) {
            EXPECT_LE(e.file_size(), 30000u) << e.path();
        }
    }

    pedidos.clear();
    auto destino = pasta.Caminho() / "destino";
    ASSERT_TRUE(copia.Restore(arquivo.string(), destino.string()));
    EXPECT_EQ(pedidos.size(), static_cast<std::size_t>(std::distance(fs::directory_iterator(pasta.Caminho()),
                                                                      fs::directory_iterator())) - 3);
    EXPECT_EQ(LeArquivo(destino / "bd8vinc.db"), Aleatorio(100 * 1024));
    EXPECT_EQ(LeArquivo(destino / "bd8emp.db"), Compressivel(50000));
}

TEST(CopiaSeguranca, VolumePequenoDemaisEhRecusado) {
    TCopiaSeguranca copia;
    EXPECT_FALSE(copia.SetMaxSize(kMenorVolume - 1));
    EXPECT_FALSE(copia.SetMaxSize(-1));
    EXPECT_EQ(copia.MaxSize(), 0);
    EXPECT_TRUE(copia.SetMaxSize(kMenorVolume));
    EXPECT_TRUE(copia.SetMaxSize(0));
}

// A restore cancelled when asked for the second volume stops and reports false.
TEST(CopiaSeguranca, RecusarVolumeInterrompe) {
    PastaTeste pasta(false);
    GravaArquivo(pasta.Caminho() / "a.db", Aleatorio(60000));
    TCopiaSeguranca copia;
    ASSERT_TRUE(copia.SetMaxSize(30000));
    auto arquivo = (pasta.Caminho() / "x.bkp").string();
    ASSERT_TRUE(copia.Backup({(pasta.Caminho() / "a.db").string()}, arquivo));
    copia.OnNeedDisk = [](TCopiaSeguranca&, std::uint16_t, bool& continua) { continua = false; };
    EXPECT_FALSE(copia.Restore(arquivo, (pasta.Caminho() / "d").string()));
    EXPECT_EQ(copia.ErrorCode(), 0);
    EXPECT_FALSE(copia.IsBusy());
}

TEST(CopiaSeguranca, CancelarDuranteACopia) {
    PastaTeste pasta(false);
    GravaArquivo(pasta.Caminho() / "a.db", Compressivel(200000));
    GravaArquivo(pasta.Caminho() / "b.db", Compressivel(200));
    TCopiaSeguranca copia;
    int chamadas = 0;
    copia.OnProgress = [&](TCopiaSeguranca& c, const std::string&, TPercentage, bool&) {
        EXPECT_TRUE(c.IsBusy());
        if (++chamadas == 3) c.Cancel();
    };
    auto arquivo = pasta.Caminho() / "x.bkp";
    EXPECT_FALSE(copia.Backup({(pasta.Caminho() / "*.db").string()}, arquivo.string()));
    EXPECT_FALSE(copia.IsBusy());
    EXPECT_EQ(copia.FilesProcessed(), 0);
}

// The file list travels first, is not restored and is read back by ReadArchiveInfo.
TEST(CopiaSeguranca, ListaDeArquivos) {
    PastaTeste pasta(false);
    GravaArquivo(pasta.Caminho() / "Um.db", "123");
    fs::last_write_time(pasta.Caminho() / "Um.db", DeDataDos(kData));
    TCopiaSeguranca copia;
    copia.SaveFileID = true;
    copia.BackupTitle = "My backup";
    auto arquivo = (pasta.Caminho() / "x.bkp").string();
    ASSERT_TRUE(copia.Backup({(pasta.Caminho() / "*.DB").string()}, arquivo));
    std::vector<std::string> lista;
    EXPECT_EQ(copia.ReadArchiveInfo(arquivo, &lista), "My backup");
    EXPECT_EQ(copia.FilesInArchive(), 1);
    std::string linha = (pasta.Caminho() / "um.db").string() + "\t" + std::to_string(kData) + "=3";
    EXPECT_EQ(lista, std::vector<std::string>{linha});
    EXPECT_EQ(copia.TotalBytes(), 3 + static_cast<std::int32_t>(linha.size()) + 2);
    auto destino = pasta.Caminho() / "d";
    ASSERT_TRUE(copia.Restore(arquivo, destino.string()));
    EXPECT_EQ(std::distance(fs::directory_iterator(destino), fs::directory_iterator()), 1);
    EXPECT_EQ(LeArquivo(destino / "um.db"), "123");
}

// Which files each restore mode writes, by whether the target exists and how old it is.
TEST(CopiaSeguranca, ModosDeRestauracao) {
    constexpr std::int32_t kAntes = 0x32A44800, kDepois = 0x32A64800;  // a day before / after
    struct Linha {
        TRestoreMode modo;
        bool restauraAusente, restauraAntigo, restauraIgual, restauraNovo;
    };
    const Linha tabela[] = {
        {TRestoreMode::rmAll, true, true, true, true},
        {TRestoreMode::rmNoOverwrite, true, false, false, false},
        {TRestoreMode::rmNewer, true, true, false, false},
        {TRestoreMode::rmExisting, false, true, true, true},
        {TRestoreMode::rmExistingNewer, false, true, false, false},
    };
    for (const auto& l : tabela) {
        PastaTeste pasta(false);
        MontaCopia m;
        m.Cabecalho("Zovi2005", 4, 4);
        for (auto n : {"ausente", "antigo", "igual", "novo"}) m.Entrada(std::string("c:\\x\\") + n, kData).SegmentoBruto("NOVO");
        m.Int32(0).Grava(pasta.Caminho() / "m.bkp");
        auto d = pasta.Caminho() / "d";
        fs::create_directory(d);
        for (auto [n, data] : {std::pair{"antigo", kAntes}, {"igual", kData}, {"novo", kDepois}}) {
            GravaArquivo(d / n, "VELHO");
            fs::last_write_time(d / n, DeDataDos(data));
        }
        TCopiaSeguranca copia;
        copia.RestoreMode = l.modo;
        ASSERT_TRUE(copia.Restore((pasta.Caminho() / "m.bkp").string(), d.string()));
        auto restaurado = [&](const char* n) { return LeArquivo(d / n) == "NOVO"; };
        EXPECT_EQ(restaurado("ausente"), l.restauraAusente) << static_cast<int>(l.modo);
        EXPECT_EQ(restaurado("antigo"), l.restauraAntigo) << static_cast<int>(l.modo);
        EXPECT_EQ(restaurado("igual"), l.restauraIgual) << static_cast<int>(l.modo);
        EXPECT_EQ(restaurado("novo"), l.restauraNovo) << static_cast<int>(l.modo);
    }
}

// The event may rename the target or refuse it.
TEST(CopiaSeguranca, EventoDeRestauracao) {
    PastaTeste pasta(false);
    MontaCopia m;
    m.Cabecalho().Entrada("/x/um", kData).SegmentoBruto("1").Entrada("/x/dois", kData).SegmentoBruto("2").Int32(0);
    m.Grava(pasta.Caminho() / "m.bkp");
    TCopiaSeguranca copia;
    copia.OnRestoreFile = [&](TCopiaSeguranca&, std::string& nome, std::int32_t fa, bool& restaura) {
        EXPECT_EQ(fa, kData);
        if (fs::path(nome).filename() == "um")
            nome += ".novo";
        else
            restaura = false;
    };
    ASSERT_TRUE(copia.Restore((pasta.Caminho() / "m.bkp").string(), pasta.Caminho().string()));
    EXPECT_EQ(LeArquivo(pasta.Caminho() / "um.novo"), "1");
    EXPECT_FALSE(fs::exists(pasta.Caminho() / "dois"));
}

// Stored paths below the target folder, and back to the stored place.
TEST(CopiaSeguranca, CaminhoCompletoEOriginal) {
    PastaTeste pasta(false);
    auto original = pasta.Caminho() / "orig" / "sub";
    MontaCopia m;
    m.Cabecalho().Entrada("c:\\dados\\Work\\a.db").SegmentoBruto("A").Entrada((original / "b.db").string()).SegmentoBruto("B").Int32(0);
    m.Grava(pasta.Caminho() / "m.bkp");
    TCopiaSeguranca copia;
    copia.RestoreFullPath = true;
    auto d = pasta.Caminho() / "d";
    ASSERT_TRUE(copia.Restore((pasta.Caminho() / "m.bkp").string(), d.string() + "/"));
    EXPECT_EQ(LeArquivo(d / "dados" / "Work" / "a.db"), "A");
    EXPECT_EQ(LeArquivo(d / original.relative_path() / "b.db"), "B");

    // Back to the stored place: only a full path of this system names one.
    MontaCopia o;
    o.Cabecalho().Entrada((original / "b.db").string()).SegmentoBruto("B2").Int32(0);
    o.Grava(pasta.Caminho() / "o.bkp");
    ASSERT_TRUE(copia.Restore((pasta.Caminho() / "o.bkp").string(), ""));
    EXPECT_EQ(LeArquivo(original / "b.db"), "B2");
}

// A restored file replaces the file of the same name in another letter case.
TEST(CopiaSeguranca, SubstituiNomeEmOutraCaixa) {
    PastaTeste pasta(false);
    GravaArquivo(pasta.Caminho() / "BD8EMP.DB", "VELHO");
    MontaCopia m;
    m.Cabecalho().Entrada("/outra/pasta/bd8emp.db").SegmentoBruto("NOVO").Int32(0);
    m.Grava(pasta.Caminho() / "m.bkp");
    TCopiaSeguranca copia;
    ASSERT_TRUE(copia.Restore((pasta.Caminho() / "m.bkp").string(), pasta.Caminho().string()));
    EXPECT_EQ(LeArquivo(pasta.Caminho() / "BD8EMP.DB"), "NOVO");
    EXPECT_FALSE(fs::exists(pasta.Caminho() / "bd8emp.db"));
}

TEST(CopiaSeguranca, TextosDosErros) {
    const char* textos[] = {"Cannot read file", "Overwriting file failed", "Cannot read archive",
                            "Cannot write to archive", "Invalid archive type", "Compression error",
                            "Cannot create temporary file to save the file IDs"};
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(TextoErroCopia(i), textos[i - 1]);
}

TEST(CopiaSeguranca, ErrosDeArquivo) {
    PastaTeste pasta(false);
    TCopiaSeguranca copia;
    std::vector<int> erros;
    copia.OnError = [&](TCopiaSeguranca&, int e, const std::string& texto) {
        erros.push_back(e);
        EXPECT_EQ(texto, TextoErroCopia(e));
    };
    GravaArquivo(pasta.Caminho() / "a.db", "x");
    // The archive cannot be created.
    EXPECT_FALSE(copia.Backup({(pasta.Caminho() / "a.db").string()}, (pasta.Caminho() / "nao/ha/x.bkp").string()));
    // A missing archive returns false at once; a header cut short cannot be read.
    EXPECT_FALSE(copia.Restore((pasta.Caminho() / "nada.bkp").string(), pasta.Caminho().string()));
    GravaArquivo(pasta.Caminho() / "curto.bkp", std::string("\x08\0\0\0Zov", 7));
    EXPECT_FALSE(copia.Restore((pasta.Caminho() / "curto.bkp").string(), pasta.Caminho().string()));
    EXPECT_EQ(copia.ReadArchiveInfo((pasta.Caminho() / "nada.bkp").string(), nullptr), "");
    EXPECT_EQ(copia.ReadArchiveInfo((pasta.Caminho() / "curto.bkp").string(), nullptr), "");
    EXPECT_EQ(erros, (std::vector<int>{4, 3, 3, 5}));
}

}  // namespace
}  // namespace zovi

namespace zovi {
namespace {

// Incremental mode saves only what changed since the files were last saved with the flag.
TEST(CopiaSegurancaModos, CopiaIncremental) {
    PastaTeste pasta(false);
    auto um = pasta.Caminho() / "um.db", dois = pasta.Caminho() / "dois.db";
    GravaArquivo(um, "1");
    GravaArquivo(dois, "2");
    TCopiaSeguranca copia;
    copia.SetBackupMode(TBackupMode::bmIncremental);
    EXPECT_TRUE(copia.SetArchiveFlag);
    auto arquivo = (pasta.Caminho() / "x.bkp").string();
    auto mascara = (pasta.Caminho() / "*.db").string();
    ASSERT_TRUE(copia.Backup({mascara}, arquivo));
    EXPECT_EQ(copia.FilesProcessed(), 2);
    ASSERT_TRUE(copia.Backup({mascara}, arquivo));
    EXPECT_EQ(copia.FilesProcessed(), 0);
    GravaArquivo(dois, "22");
    fs::last_write_time(dois, fs::last_write_time(dois) + std::chrono::seconds(5));
    ASSERT_TRUE(copia.Backup({mascara}, arquivo));
    EXPECT_EQ(copia.FilesProcessed(), 1);
}

// " /s" after the mask searches the sub-folders too (linked folders are not followed);
// a file is listed once however many specifications name it.
TEST(CopiaSegurancaModos, ListaRecursiva) {
    PastaTeste pasta(false);
    auto raiz = pasta.Caminho() / "r";
    fs::create_directories(raiz / "sub" / "fundo");
    GravaArquivo(raiz / "a.db", "a");
    GravaArquivo(raiz / "sub" / "B.DB", "b");
    GravaArquivo(raiz / "sub" / "fundo" / "c.db", "c");
    GravaArquivo(raiz / "sub" / "nao.txt", "x");
    fs::create_directory_symlink(raiz, raiz / "sub" / "volta");
    TCopiaSeguranca copia;
    auto arquivo = (pasta.Caminho() / "x.bkp").string();
    ASSERT_TRUE(copia.Backup({(raiz / "*.db").string() + " /S", (raiz / "a.db").string()}, arquivo));
    EXPECT_EQ(copia.FilesProcessed(), 3);
    ASSERT_TRUE(copia.Backup({(raiz / "*.db").string()}, arquivo));
    EXPECT_EQ(copia.FilesProcessed(), 1);
}

// Without events the component asks and reports through the interaction.
TEST(CopiaSegurancaModos, DialogosSemEventos) {
    PastaTeste pasta(false);
    GravaArquivo(pasta.Caminho() / "a.db", Aleatorio(40000));
    teste::InteracaoRoteirizada ui({Resposta::Ok, Resposta::Ok, Resposta::Cancela, Resposta::Ok});
    TCopiaSeguranca copia(&ui);
    ASSERT_TRUE(copia.SetMaxSize(30000));
    auto arquivo = (pasta.Caminho() / "x.bkp").string();
    ASSERT_TRUE(copia.Backup({(pasta.Caminho() / "a.db").string()}, arquivo));
    ASSERT_EQ(ui.mostradas.size(), 2u);
    EXPECT_EQ(ui.mostradas[0].texto, "Please insert disk 2 and click OK to continue.");
    EXPECT_EQ(ui.mostradas[1].texto, "Please insert disk 3 and click OK to continue.");
    // The restore is refused the second volume, then meets a damaged one.
    EXPECT_FALSE(copia.Restore(arquivo, (pasta.Caminho() / "d").string()));
    EXPECT_EQ(ui.mostradas.size(), 3u);
    GravaArquivo(pasta.Caminho() / "x.002", "EC2");
    EXPECT_FALSE(copia.Restore(arquivo, (pasta.Caminho() / "d").string()));
    ASSERT_EQ(ui.mostradas.size(), 5u);
    EXPECT_EQ(ui.mostradas.back().tipo, TipoDialogo::Erro);
    EXPECT_EQ(ui.mostradas.back().texto, "Invalid archive type");
}

}  // namespace
}  // namespace zovi
