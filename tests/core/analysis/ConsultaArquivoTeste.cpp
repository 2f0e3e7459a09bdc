// The consultation of a written declaration file: its formats, and a file
// written from the tables, read back through the analysis, showing the
// declarant, the establishment grid and every employee with codes explained,
// while the declaration tables stay exactly as they were.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "analysis/AnaliseEstrutura.h"
#include "declfile/ConsultaArquivo.h"
#include "declfile/GravaDeclaracao.h"
#include "engine/Consulta.h"
#include "messages/Formatacao.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;

TEST(ConsultaArquivo, Formatos) {
    const std::pair<const char*, std::string> valores[] = {
        {"000123456", std::string(7, ' ') + "1.234,56"}, {"", std::string(14, ' ') + "0,00"},
        {"000010000", std::string(11, ' ') + "100,00"},  {"123456789", "1.234.567,89"},
        {"00001234A", "00001234A"},                       {"009999999", std::string(5, ' ') + "99.999,99"}};
    for (const auto& [valor, mostrado] : valores) EXPECT_EQ(fFormataValorConsulta(valor), mostrado) << valor;
    EXPECT_EQ(TelefoneConsulta("062", "35410141"), "(62)3541-0141");
    EXPECT_EQ(TelefoneConsulta("00", "00000000"), "");
    EXPECT_EQ(TelefoneConsulta("  ", "1234"), "1234");
    EXPECT_EQ(InscricaoConsulta("12149474000189", "1"), "12.149.474/0001-89");
    EXPECT_EQ(InscricaoConsulta("12149474000189", "2"), "12149474000189");
    // An establishment with a blank prefix lists its employees through "is null".
    const auto branco = SqlEmpregadosConsulta("  ", false);
    EXPECT_NE(branco[3].find("is null"), std::string::npos);
    EXPECT_EQ(branco.back(), "Order by CoPisPasepEmpregado");
    EXPECT_EQ(SqlEmpregadosConsulta("01", true).back(), "Order by NoEmpregado");
}

std::string Conteudo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(ConsultaArquivo, ArquivoGravadoMostradoSemMudarADeclaracao) {
    teste::PastaTeste pasta;
    Banco banco;
    banco.Abre("Zovi2005", {pasta.Parametro()});
    bancada::ParametrosGeracao g;
    g.estabelecimentos = 2;
    g.empregadosPorEstabelecimento = 3;
    bancada::GeraDeclaracao(banco, g);
    teste::InteracaoRoteirizada interacao;
    ParametrosGravacao p;
    p.pasta = pasta.Caminho() / "saida";
    p.dataGeracao = "15022006";
    ASSERT_EQ(fGravaDeclaracao(banco, p, interacao), kGravado);

    std::map<std::string, std::string> antes;
    for (const char* t : {"BD8EMP", "BD8VINC", "BD8RESP"}) antes[t] = Conteudo(*banco.ArquivoTabela(t));
    ASSERT_TRUE(ConsultaCarregada(fCarregaConsulta(banco, *p.pasta / "Zovi2005", interacao)));
    std::string texto;
    EscreveConsulta(banco, [&](const std::string& l) { texto += l + "\n"; });
    banco.Fecha();
    for (const char* t : {"BD8EMP", "BD8VINC", "BD8RESP"})
        EXPECT_EQ(Conteudo(pasta.Caminho() / (std::string(t) + ".DB")), antes[t]) << t;

    banco.Abre("Zovi2005", {pasta.Parametro()});
    Consulta resp(banco, {"select * from BD8Resp"});
    resp.Abre();
    EXPECT_NE(texto.find("  Nome: " + fAparaTexto(resp.Texto("NoResponsavelArquivo"))), std::string::npos);
    resp.Fecha();
    Consulta emp(banco, {"select * from BD8Emp"});
    int estabelecimentos = 0;
    for (emp.Abre(); !emp.Fim(); emp.Proximo(), ++estabelecimentos) {
        const auto inscricao = FormataInscricao(emp.Texto("CoCgcCeiEstabelecimento"), emp.Texto("InInscrEstabelecimento"));
        // Once in the grid, once in the establishment's own lines.
        size_t vezes = 0;
        for (size_t i = texto.find(inscricao); i != std::string::npos; i = texto.find(inscricao, i + 1)) ++vezes;
        EXPECT_EQ(vezes, 2u) << inscricao;
    }
    EXPECT_EQ(estabelecimentos, 2);
    Consulta vinc(banco, {"select * from BD8Vinc"});
    for (vinc.Abre(); !vinc.Fim(); vinc.Proximo())
        EXPECT_NE(texto.find("PIS/PASEP: " + FormataPisPasep(vinc.Texto("CoPisPasepEmpregado"))), std::string::npos);
    // Codes explained from the reference tables.
    EXPECT_NE(texto.find("Nacionalidade: 10 - Brasileira"), std::string::npos);
    EXPECT_NE(texto.find("Tipo de salário: 1 - Mensal"), std::string::npos);
}

TEST(ConsultaArquivo, ArquivoForaDoLeiauteNaoPodeSerConsultado) {
    teste::PastaTeste pasta;
    Banco banco;
    banco.Abre("Zovi2005", {pasta.Parametro()});
    const fs::path arquivo = pasta.Caminho() / "Zovi2005";
    std::ofstream(arquivo) << "isto nao e uma declaracao\r\n";
    teste::InteracaoRoteirizada interacao;
    EXPECT_FALSE(ConsultaCarregada(fCarregaConsulta(banco, arquivo, interacao)));
}

}  // namespace
}  // namespace zovi
