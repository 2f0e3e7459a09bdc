// The delivery receipt of a written declaration: validated through the seal
// library (built for the tests with the key of support/recepcao-teste), the
// declaration analysed, the receipt tables built; every other receipt refused
// with nothing built.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <functional>
#include <sstream>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "Selo.h"
#include "TabelasPreenchidas.h"
#include "declfile/GravaDeclaracao.h"
#include "declfile/Protocolo.h"
#include "engine/Tabela.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::InteracaoRoteirizada;

std::string Le(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void Grava(const fs::path& p, const std::string& conteudo) { std::ofstream(p, std::ios::binary) << conteudo; }

class ProtocoloTeste : public ::testing::Test {
protected:
    ProtocoloTeste() {
        banco.Abre("Zovi2005", {dados.Parametro()});
        bancada::ParametrosGeracao g;
        g.estabelecimentos = 2;
        g.empregadosPorEstabelecimento = 3;
        bancada::GeraDeclaracao(banco, g);
        g.estabelecimentos = 1;
        g.empregadosPorEstabelecimento = 0;
        g.semente = 77;
        bancada::GeraDeclaracao(banco, g);
        Escreve(disquete);
        chave = Le(GDZOVI_CHAVE_TESTE);
    }

    void Escreve(const fs::path& pasta) {
        ParametrosGravacao p;
        p.pasta = pasta;
        p.dataGeracao = "15032006";
        InteracaoRoteirizada interacao({Resposta::Sim});  // an earlier file there is replaced
        ASSERT_EQ(fGravaDeclaracao(banco, p, interacao), kGravado);
        ApagaTabelasProtocolo(banco);
    }
    void Emite(const fs::path& declaracao, const std::string& chavePrivada) {
        std::string erro;
        const std::string recibo = selo::EmiteRecibo(declaracao, chavePrivada, "000123456789", "2803", erro);
        ASSERT_FALSE(recibo.empty()) << erro;
        Grava(declaracao.parent_path() / selo::kNomeRecibo, recibo);
    }

    teste::PastaTeste dados;
    Banco banco;
    fs::path disquete = dados.Caminho() / "disquete";
    fs::path arquivo = disquete / "Zovi2005";
    std::string chave;
};

TEST_F(ProtocoloTeste, ReciboValidoMontaAsTabelas) {
    Emite(arquivo, chave);
    InteracaoRoteirizada interacao;
    DadosProtocolo dados;
    ASSERT_EQ(fPreparaProtocolo(banco, arquivo.string(), interacao, dados), DesfechoProtocolo::Pronto);
    EXPECT_EQ(dados.numero, "000123456789");
    EXPECT_EQ(dados.data, "2803");
    EXPECT_EQ(dados.hash, *selo::HashArquivo(arquivo));

    Tabela id(banco, "TE8PROID"), es(banco, "TE8PROES");
    id.Abre();
    es.Abre();
    ASSERT_EQ(id.NumRegistros(), 1);
    id.Primeiro();
    EXPECT_EQ(id.Texto("NuDisquete"), "1");
    EXPECT_EQ(id.Texto("CreaProtocolo"), "000123456789");
    EXPECT_EQ(id.Texto("HashProtocolo"), dados.hash);
    EXPECT_EQ(id.Texto("ddProtocolo") + id.Texto("mmProtocolo"), "2803");
    EXPECT_EQ(id.Texto("NuEstabelecimentos"), "3");
    EXPECT_EQ(id.Texto("NuVinculos"), "6");
    EXPECT_FALSE(id.Logico("InRetificacao"));
    std::vector<std::string> contagens;
    for (es.Primeiro(); !es.Fim(); es.Proximo()) {
        EXPECT_EQ(es.Texto("NuDisquete"), "1");
        contagens.push_back(es.Texto("NuVinculosEstabelecimento"));
    }
    std::sort(contagens.begin(), contagens.end());
    EXPECT_EQ(contagens, (std::vector<std::string>{"0", "3", "3"}));
    // The progress reached its maximum: one step per establishment and per employee.
    ASSERT_FALSE(interacao.progresso.empty());
    EXPECT_EQ(interacao.progresso.back(), std::make_pair(9L, 9L));
}

TEST_F(ProtocoloTeste, ReciboQueNaoValidaRecusado) {
    // Another declaration of its own, receipted: its receipt moved beside ours.
    const fs::path outro = dados.Caminho() / "outro";
    Escreve(outro);
    {
        Tabela t(banco, "BD8RESP");
        t.Abre();
        t.Primeiro();
        t.Edita();
        t.PoeTexto("NoResponsavelArquivo", "OUTRO RESPONSAVEL");
        t.Grava();
    }
    Escreve(outro);
    Emite(outro / "Zovi2005", chave);
    const auto outraChave = selo::GeraChaves();
    ASSERT_TRUE(outraChave);
    struct Caso {
        const char* nome;
        std::function<void()> prepara;
    } casos[] = {
        {"issued for another file", [&] { fs::copy_file(outro / selo::kNomeRecibo, disquete / selo::kNomeRecibo,
                                                        fs::copy_options::overwrite_existing); }},
        {"file changed after the receipt",
         [&] {
             Emite(arquivo, chave);
             std::string c = Le(arquivo);
             c[600] = c[600] == 'A' ? 'B' : 'A';
             Grava(arquivo, c);
         }},
        {"signed with another key", [&] { Emite(arquivo, outraChave->first); }},
    };
    const std::string original = Le(arquivo);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        Grava(arquivo, original);
        c.prepara();
        InteracaoRoteirizada interacao;
        DadosProtocolo dados;
        EXPECT_EQ(fValidaProtocolo(arquivo.string(), interacao, dados), kProtocoloInvalido);
        EXPECT_TRUE(dados.numero.empty() && dados.data.empty() && dados.hash.empty());
        EXPECT_EQ(fPreparaProtocolo(banco, arquivo.string(), interacao, dados), DesfechoProtocolo::Recusado);
        EXPECT_FALSE(banco.ExisteTabela("TE8PROID"));
        EXPECT_FALSE(banco.ExisteTabela("TE8PROES"));
    }
}

TEST_F(ProtocoloTeste, ArquivoAusenteAvisado) {
    struct Caso {
        const char* nome;
        fs::path declaracao;
        const char* aviso;
    } casos[] = {
        {"no receipt", arquivo, kAvisoSemProtocolo},
        {"no declaration", disquete / "vazio" / "Zovi2005", kAvisoSemDeclaracao},
    };
    fs::create_directories(disquete / "vazio");
    Emite(arquivo, chave);
    fs::copy_file(disquete / selo::kNomeRecibo, disquete / "vazio" / selo::kNomeRecibo);
    fs::remove(disquete / selo::kNomeRecibo);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        InteracaoRoteirizada interacao;
        DadosProtocolo dados;
        EXPECT_EQ(fPreparaProtocolo(banco, c.declaracao.string(), interacao, dados), DesfechoProtocolo::ArquivoAusente);
        ASSERT_EQ(interacao.mostradas.size(), 1u);
        EXPECT_EQ(interacao.mostradas[0].tipo, TipoDialogo::Aviso);
        EXPECT_EQ(interacao.mostradas[0].texto, c.aviso);
    }
}

TEST_F(ProtocoloTeste, InterrompidaNaoDeixaTabelas) {
    Emite(arquivo, chave);
    InteracaoRoteirizada analise;
    DadosProtocolo dados;
    ASSERT_EQ(fValidaProtocolo(arquivo.string(), analise, dados), kProtocoloValido);
    ASSERT_EQ(fPreparaProtocolo(banco, arquivo.string(), analise, dados), DesfechoProtocolo::Pronto);
    // The build again over the work tables, stopped at its third step.
    InteracaoRoteirizada interacao({Resposta::Nao, Resposta::Sim});
    interacao.InterrompeApos(3);
    EXPECT_EQ(fGeraDadosProtocolo(banco, interacao, dados), kDadosProtocoloGerados) << "No goes on";
    interacao.InterrompeApos(static_cast<long>(interacao.progresso.size()) + 3);
    EXPECT_EQ(fGeraDadosProtocolo(banco, interacao, dados), kDadosProtocoloInterrompidos);
    EXPECT_FALSE(banco.ExisteTabela("TE8PROID"));
    EXPECT_FALSE(banco.ExisteTabela("TE8PROES"));
}

}  // namespace
}  // namespace zovi
