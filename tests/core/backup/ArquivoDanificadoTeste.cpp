// Archives are untrusted input: damaged or hostile ones end the restore with an
// error code, never allocate what a length claims, and never write outside the
// folder the restore was pointed at.
#include <gtest/gtest.h>
#include <zlib.h>

#include "ArquivoCopia.h"
#include "PastaTeste.h"
#include "backup/CopiaSeguranca.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::LeArquivo;
using teste::MontaCopia;
using teste::PastaTeste;

const std::string kEc2("EC2\0", 4), kEcs("ECS\0", 4);

std::string Zlib(const std::string& dados) {
    uLongf n = compressBound(dados.size());
    std::string s(n, '\0');
    compress(reinterpret_cast<Bytef*>(s.data()), &n, reinterpret_cast<const Bytef*>(dados.data()), dados.size());
    s.resize(n);
    return s;
}

struct Caso {
    const char* nome;
    std::function<MontaCopia(const fs::path& pasta)> monta;
    int erro;
    bool caminhoCompleto = false;
};

MontaCopia Inicio(const std::string& nome = "c:\\dados\\a.db") {
    MontaCopia m;
    m.Cabecalho().Entrada(nome);
    return m;
}

std::vector<Caso> Casos() {
    return {
        {"bloco zlib acima de 16384", [](auto&) { return Inicio().Bruto(kEc2).Int32(16385).Bruto(std::string(16385, 'x')).Int32(0).Int32(0); }, 5},
        {"bloco bruto acima de 16384", [](auto&) { return Inicio().Bruto(kEc2).Int32(-16385).Bruto(std::string(16385, 'x')).Int32(0).Int32(0); }, 5},
        {"menor int32 como tamanho", [](auto&) { return Inicio().Bruto(kEc2).Int32(INT32_MIN).Int32(0); }, 5},
        {"bloco alem do fim do arquivo", [](auto&) { return Inicio().Bruto(kEc2).Int32(-1000).Bruto("curto"); }, 5},
        {"arquivo cortado no meio de um tamanho", [](auto&) { return Inicio().Bruto(kEc2).Bruto("\x10\x00"); }, 5},
        {"nome enorme", [](auto&) { MontaCopia m; m.Cabecalho().Int32(INT32_MAX).Bruto("abc"); return m; }, 5},
        {"nome alem do fim", [](auto&) { MontaCopia m; m.Cabecalho().Int32(4000).Bruto("abc"); return m; }, 5},
        {"marca desconhecida", [](auto&) { return Inicio().Bruto(std::string("XYZ\0", 4)).Int32(0).Int32(0); }, 5},
        {"entrada sem segmento", [](auto&) { return Inicio().Int32(0); }, 5},
        {"sem marcador de fim", [](auto&) { return Inicio().SegmentoBruto("abc"); }, 5},
        {"zlib que passa de 16384", [](auto&) {
             auto z = Zlib(std::string(20000, 'a'));
             return Inicio().Bruto(kEc2).Int32(static_cast<std::int32_t>(z.size())).Bruto(z).Int32(0).Int32(0);
         }, 5},
        {"zlib corrompido", [](auto&) { return Inicio().Bruto(kEc2).Int32(6).Bruto("\x78\x01garb").Int32(0).Int32(0); }, 6},
        {"bloco ECS acima de 32784", [](auto&) { return Inicio().Bruto(kEcs).Int32(40000).Int32(32785).Bruto(std::string(32785, '\x80')).Int32(0); }, 5},
        {"ECS com tamanho negativo", [](auto&) { return Inicio().Bruto(kEcs).Int32(-8).Int32(0); }, 5},
        {"bloco ECS maior que o segmento", [](auto&) { return Inicio().Bruto(kEcs).Int32(8).Int32(10).Bruto("\x80" "123456789").Int32(0); }, 5},
        {"bloco ECS malformado", [](auto&) { return Inicio().Bruto(kEcs).Int32(8).Int32(4).Bruto(std::string("\x00\x80\x00\x05", 4)).Int32(0); }, 5},
        {"volume com numero invalido", [](auto&) { return Inicio().SegmentoBruto("a").Texto("NEXT:DISK0x2"); }, 5},
        {"troca de volume sem entrada", [](auto&) { MontaCopia m; m.Cabecalho().Texto("NEXT:DISK002"); return m; }, 5},
        {"nome com ..", [](auto&) { return Inicio("c:\\dados\\..").SegmentoBruto("x").Int32(0); }, 5},
        {"caminho com .. no meio", [](auto&) { return Inicio("/d/../../fora.db").SegmentoBruto("x").Int32(0); }, 5},
        {"caminho completo com ..", [](auto&) { return Inicio("c:\\..\\..\\fora.db").SegmentoBruto("x").Int32(0); }, 5, true},
        {"caminho completo so raiz", [](auto&) { return Inicio("c:\\").SegmentoBruto("x").Int32(0); }, 5, true},
    };
}

TEST(ArquivoDanificado, CadaDanoEhRecusado) {
    for (const auto& c : Casos()) {
        PastaTeste pasta(false);
        auto destino = pasta.Caminho() / "alvo";
        fs::create_directory(destino);
        auto arquivo = (pasta.Caminho() / "m.bkp").string();
        c.monta(pasta.Caminho()).Grava(arquivo);
        TCopiaSeguranca copia;
        copia.RestoreFullPath = c.caminhoCompleto;
        std::vector<int> erros;
        copia.OnError = [&](TCopiaSeguranca&, int e, const std::string&) { erros.push_back(e); };
        EXPECT_FALSE(copia.Restore(arquivo, destino.string())) << c.nome;
        EXPECT_EQ(erros, std::vector<int>{c.erro}) << c.nome;
        EXPECT_FALSE(copia.IsBusy());
        // Nothing outside the target folder.
        for (const auto& e : fs::directory_iterator(pasta.Caminho()))
            EXPECT_TRUE(e.path() == destino || e.path() == arquivo) << c.nome << ": " << e.path();
        // Reading the header and the file list of the same bytes does not fail in another way.
        std::vector<std::string> lista;
        copia.ReadArchiveInfo(arquivo, &lista);
    }
}

// A full path stored in the archive, restored into a chosen folder, stays inside it.
TEST(ArquivoDanificado, CaminhoAbsolutoFicaNaPastaEscolhida) {
    PastaTeste pasta(false);
    auto fora = pasta.Caminho() / "fora.db";
    auto destino = pasta.Caminho() / "alvo";
    MontaCopia m;
    m.Cabecalho().Entrada(fora.string()).SegmentoBruto("x").Int32(0);
    auto arquivo = (pasta.Caminho() / "m.bkp").string();
    m.Grava(arquivo);
    for (bool completo : {false, true}) {
        TCopiaSeguranca copia;
        copia.RestoreFullPath = completo;
        ASSERT_TRUE(copia.Restore(arquivo, destino.string()));
        EXPECT_FALSE(fs::exists(fora));
    }
    EXPECT_EQ(LeArquivo(destino / "fora.db"), "x");
    EXPECT_EQ(LeArquivo(destino / fora.relative_path()), "x");
}

// A file list that claims more than the memory bound is refused; so is a title over its bound.
TEST(ArquivoDanificado, ListaETituloLimitados) {
    PastaTeste pasta(false);
    auto z = Zlib(std::string(16384, '\0'));
    MontaCopia m;
    m.Cabecalho().Entrada("FILE:LIST").Bruto(kEc2);
    for (int i = 0; i < 1100; ++i) m.Int32(static_cast<std::int32_t>(z.size())).Bruto(z);
    m.Int32(0).Int32(0);
    auto arquivo = (pasta.Caminho() / "m.bkp").string();
    m.Grava(arquivo);
    TCopiaSeguranca copia;
    std::vector<std::string> lista;
    EXPECT_EQ(copia.ReadArchiveInfo(arquivo, &lista), "");
    EXPECT_EQ(copia.ErrorCode(), 5);
    EXPECT_TRUE(lista.empty());
    // Restore skips the list without holding it.
    EXPECT_TRUE(copia.Restore(arquivo, pasta.Caminho().string()));

    MontaCopia t;
    t.Int32(1 << 30).Bruto("Zovi");
    t.Grava(arquivo);
    EXPECT_EQ(copia.ReadArchiveInfo(arquivo, nullptr), "");
    EXPECT_EQ(copia.ErrorCode(), 5);
}

}  // namespace
}  // namespace zovi
