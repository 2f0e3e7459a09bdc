// The seal of a declaration file and the delivery receipt beside it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "PastaTeste.h"
#include "Selo.h"
#include "zovi2005.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;

std::string Le(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void Grava(const fs::path& p, const std::string& conteudo) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << conteudo;
}

std::string Selo(const fs::path& p) {
    char selo[ZOVI2005_SELO];
    std::memset(selo, 'x', sizeof selo);
    hashFileGenerate(p.c_str(), selo);
    return selo;
}

// Three records of 525 bytes whose last 34 bytes are the seal area and CR LF.
std::string Declaracao() {
    std::string s;
    for (int r = 0; r < 3; ++r) {
        std::string reg(523, static_cast<char>('A' + r));
        reg[0] = static_cast<char>('0' + r);
        s += reg + "\r\n";
    }
    s.replace(s.size() - 34, 32, std::string(32, ' '));
    return s;
}

// Stores the seal as the writer does.
void Sela(const fs::path& p) {
    std::string c = Le(p);
    c.replace(c.size() - 34, 32, Selo(p));
    Grava(p, c);
}

class SeloTeste : public ::testing::Test {
protected:
    teste::PastaTeste pasta{false};
    fs::path arquivo = pasta.Caminho() / "Zovi2005";
    void SetUp() override { Grava(arquivo, Declaracao()); }
};

TEST_F(SeloTeste, TrintaEDoisHexadecimaisDeterministicos) {
    std::string s = Selo(arquivo);
    ASSERT_EQ(s.size(), 32u);
    EXPECT_EQ(s.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(Selo(arquivo), s);
    // The same as SHA-256 over the file without its seal bytes, computed apart.
    std::string c = Le(arquivo);
    fs::path semSelo = pasta.Caminho() / "semselo";
    Grava(semSelo, c.substr(0, c.size() - 34) + c.substr(c.size() - 2));
    EXPECT_EQ(selo::HashArquivo(semSelo)->substr(0, 32), s);
}

TEST_F(SeloTeste, IndependeDosBytesDoSeloEMudaComQualquerOutro) {
    const std::string original = Selo(arquivo);
    Sela(arquivo);
    EXPECT_EQ(Selo(arquivo), original);
    EXPECT_EQ(selo::SeloGravado(arquivo), original);

    const std::string sela = Le(arquivo);
    const long n = static_cast<long>(sela.size());
    for (long pos : {0L, 600L, n - 35, n - 2, n - 1}) {
        std::string c = sela;
        c[pos] ^= 1;
        Grava(arquivo, c);
        EXPECT_NE(Selo(arquivo), original) << "byte " << pos;
    }
    Grava(arquivo, sela + "x");
    EXPECT_NE(Selo(arquivo), original) << "a byte appended";
}

TEST_F(SeloTeste, ArquivoIlegivelDaTextoVazio) {
    Grava(arquivo, std::string(33, 'a'));
    char selo[ZOVI2005_SELO] = "lixo";
    EXPECT_EQ(hashFileGenerate(arquivo.c_str(), selo), 0);
    EXPECT_STREQ(selo, "");
    EXPECT_EQ(hashFileGenerate((pasta.Caminho() / "naoexiste").c_str(), selo), 0);
    EXPECT_EQ(hashFileGenerate(pasta.Caminho().c_str(), selo), 0);  // a folder
    char semNul[ZOVI2005_CAMINHO];
    std::memset(semNul, 'a', sizeof semNul);
    EXPECT_EQ(hashFileGenerate(semNul, selo), 0);
    EXPECT_STREQ(selo, "");
}

class ReciboTeste : public SeloTeste {
protected:
    std::pair<std::string, std::string> chaves = *selo::GeraChaves();
    std::pair<std::string, std::string> outras = *selo::GeraChaves();
    fs::path recibo = pasta.Caminho() / "Zovi2005.pro";

    void SetUp() override {
        SeloTeste::SetUp();
        Sela(arquivo);
        std::string erro;
        std::string texto = selo::EmiteRecibo(arquivo, chaves.first, "000123456789", "1503", erro);
        ASSERT_FALSE(texto.empty()) << erro;
        Grava(recibo, texto);
    }
};

TEST_F(ReciboTeste, ValidoComAChaveDaRecepcao) {
    auto r = selo::ValidaRecibo(arquivo, chaves.second);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->numero, "000123456789");
    EXPECT_EQ(r->data, "1503");
    EXPECT_EQ(r->hash, *selo::HashArquivo(arquivo));
    EXPECT_EQ(r->hash.size(), 64u);
}

TEST_F(ReciboTeste, AlteracoesInvalidam) {
    const std::string bom = Le(recibo);
    const std::string declaracao = Le(arquivo);
    auto troca = [](std::string s, const std::string& de, const std::string& para) {
        auto p = s.find(de);
        EXPECT_NE(p, std::string::npos) << de;
        return s.replace(p, de.size(), para);
    };
    struct Caso {
        const char* nome;
        std::string recibo;
        std::string declaracao;
    } casos[] = {
        {"numero", troca(bom, "numero=000123456789", "numero=000123456788"), declaracao},
        {"data", troca(bom, "data=1503", "data=1603"), declaracao},
        {"hash", troca(bom, "hash=", "hash=0"), declaracao},
        {"assinatura", troca(bom, "assinatura=", "assinatura=00"), declaracao},
        {"linha a mais", bom + "x=1\r\n", declaracao},
        {"vazio", "", declaracao},
        {"arquivo alterado", bom, troca(declaracao, "BBBB", "BBBC")},
        {"byte acrescentado", bom, declaracao + "x"},
    };
    for (const auto& c : casos) {
        Grava(recibo, c.recibo);
        Grava(arquivo, c.declaracao);
        EXPECT_FALSE(selo::ValidaRecibo(arquivo, chaves.second)) << c.nome;
    }
    Grava(recibo, bom);
    Grava(arquivo, declaracao);
    EXPECT_TRUE(selo::ValidaRecibo(arquivo, chaves.second));
    EXPECT_FALSE(selo::ValidaRecibo(arquivo, outras.second)) << "another side's key";
    fs::remove(recibo);
    EXPECT_FALSE(selo::ValidaRecibo(arquivo, chaves.second)) << "no receipt";
}

TEST_F(ReciboTeste, BibliotecaRecusaChaveQueNaoEAEmbutidaELimpaOsTextos) {
    char numero[ZOVI2005_NUMERO] = "lixo", data[ZOVI2005_DATA] = "lix", hash[ZOVI2005_HASH] = "lixo";
    EXPECT_EQ(protocolValidate(arquivo.c_str(), numero, data, hash), 0);
    EXPECT_STREQ(numero, "");
    EXPECT_STREQ(data, "");
    EXPECT_STREQ(hash, "");
}

TEST_F(ReciboTeste, ReciboComNomeEmOutraCaixaEAchado) {
    fs::rename(recibo, pasta.Caminho() / "ZOVI2005.PRO");
    EXPECT_TRUE(selo::ValidaRecibo(arquivo, chaves.second));
}

TEST_F(ReciboTeste, EmissaoRecusaDadosInvalidosEArquivoNaoSelado) {
    std::string erro;
    EXPECT_EQ(selo::EmiteRecibo(arquivo, chaves.first, "", "1503", erro), "");
    EXPECT_EQ(selo::EmiteRecibo(arquivo, chaves.first, "1234567890123", "1503", erro), "");
    EXPECT_EQ(selo::EmiteRecibo(arquivo, chaves.first, "1", "3002", erro), "");
    EXPECT_EQ(selo::EmiteRecibo(arquivo, chaves.first, "1", "0013", erro), "");
    EXPECT_EQ(selo::EmiteRecibo(arquivo, chaves.second, "1", "1503", erro), "") << "public key given as private";
    std::string c = Le(arquivo);
    c[10] = 'z';
    Grava(arquivo, c);
    EXPECT_EQ(selo::EmiteRecibo(arquivo, chaves.first, "1", "1503", erro), "");
    EXPECT_NE(erro.find("selado"), std::string::npos) << erro;
}

TEST_F(SeloTeste, FerramentaEmiteEConfere) {
    Sela(arquivo);
    const std::string ferramenta = (teste::PastaProgramas() / "gdzovi-protocolo").string();
    const fs::path priv = pasta.Caminho() / "priv.pem", pub = pasta.Caminho() / "pub.pem";
    auto roda = [](const std::string& cmd) { return WEXITSTATUS(std::system((cmd + " >/dev/null 2>&1").c_str())); };
    ASSERT_EQ(roda(ferramenta + " chaves " + priv.string() + " " + pub.string()), 0);
    EXPECT_EQ(fs::status(priv).permissions() & fs::perms::others_read, fs::perms::none);
    EXPECT_NE(roda(ferramenta + " chaves " + priv.string() + " " + pub.string()), 0) << "never replaces a key";
    EXPECT_NE(roda(ferramenta + " emite --chave " + priv.string() + " --numero 42 --data 3102 " + arquivo.string()), 0);
    ASSERT_EQ(roda(ferramenta + " emite --chave " + priv.string() + " --numero 42 --data 2802 " + arquivo.string()), 0);
    EXPECT_EQ(roda(ferramenta + " confere --chave-publica " + pub.string() + " " + arquivo.string()), 0);
    EXPECT_EQ(roda(ferramenta + " confere " + arquivo.string()), 1) << "the built-in key is another";
    auto r = selo::ValidaRecibo(arquivo, Le(pub));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->numero, "42");
}

}  // namespace
}  // namespace zovi
