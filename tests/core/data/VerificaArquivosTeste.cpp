#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>

#include "InteracaoRoteirizada.h"
#include "OutroProcesso.h"
#include "PastaTeste.h"
#include "data/ModulosDados.h"
#include "data/Tabelas.h"
#include "data/VerificaArquivos.h"
#include "engine/Tabela.h"

using namespace zovi;
using zovi::teste::InteracaoRoteirizada;
using zovi::teste::PastaTeste;
namespace fs = std::filesystem;

namespace {

TEST(VerificaArquivosDados, PastaConstruidaEstaCompleta) {
    PastaTeste pasta;
    InteracaoRoteirizada ui;
    EXPECT_TRUE(VerificaArquivosDados(pasta.Caminho(), ui));
    EXPECT_TRUE(ui.mostradas.empty());
}

TEST(VerificaArquivosDados, TabelaAusenteParaAVerificacaoSemCriarNada) {
    PastaTeste pasta;
    fs::remove(pasta.Caminho() / "TBUFCEP.DB");
    InteracaoRoteirizada ui;
    EXPECT_FALSE(VerificaArquivosDados(pasta.Caminho(), ui));
    EXPECT_FALSE(fs::exists(pasta.Caminho() / "TBUFCEP.DB"));
}

TEST(VerificaArquivosDados, IndicesAusentesSaoRefeitosComSeusCampos) {
    PastaTeste pasta;
    {
        Banco b;
        b.Abre("Zovi2005", {pasta.Parametro()});
        b.RemoveIndice("BD8EMP", "Main");
        b.RemoveIndice("TBUF", "ISgUf");
        ASSERT_FALSE(b.ExisteIndicePrimario("bd8emp"));
    }
    InteracaoRoteirizada ui;
    ASSERT_TRUE(VerificaArquivosDados(pasta.Caminho(), ui));
    Banco b;
    b.Abre("Zovi2005", {pasta.Parametro()});
    auto emp = b.LeDefinicao("BD8EMP");
    ASSERT_FALSE(emp.indices.empty());
    EXPECT_TRUE(emp.indices[0].primario);
    EXPECT_EQ(emp.indices[0].campos, "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento");
    auto uf = b.LeDefinicao("TBUF");
    ASSERT_EQ(uf.indices.size(), 2u);
    EXPECT_EQ(uf.indices[1].nome, "ISgUf");
    EXPECT_TRUE(uf.indices[1].semCaixa);
}

TEST(RecriaIndice, NomeSemPontoEhRecusado) {
    PastaTeste pasta;
    Banco b;
    b.Abre("Zovi2005", {pasta.Parametro()});
    InteracaoRoteirizada ui;
    EXPECT_FALSE(RecriaIndice(b, "TB8CBO", "Main", "CoCbo", true, ui));
    ASSERT_EQ(ui.mostradas.size(), 1u);
    EXPECT_EQ(ui.mostradas[0].texto, "Parâmetro TabelaIndice deve conter nome da Tabela.indice");
}

// Another process holding the table exclusively: the open fails with "Table is
// busy" and the index rebuild reports it without touching the table.
TEST(RecriaIndice, TabelaOcupadaPorOutroProcesso) {
    PastaTeste pasta;
    teste::OutroProcesso outro(pasta.Caminho(), "tb8cbo.db", true);
    ASSERT_TRUE(outro.Segura());
    {
        Banco b;
        b.Abre("Zovi2005", {pasta.Parametro()});
        Tabela t(b, "TB8CBO");
        try {
            t.Abre(true);
            ADD_FAILURE() << "abertura exclusiva aceita com a tabela ocupada";
        } catch (const ErroMotor& e) {
            EXPECT_NE(std::string(e.what()).find("Table is busy"), std::string::npos);
        }
        InteracaoRoteirizada ui;
        EXPECT_FALSE(RecriaIndice(b, "TB8CBO.PX", "Main", "CoCbo", true, ui));
        ASSERT_EQ(ui.mostradas.size(), 1u);
        EXPECT_EQ(ui.mostradas[0].texto.rfind("Nenhum usuário pode estar usando o sistema: \"", 0), 0u);
        EXPECT_NE(ui.mostradas[0].texto.find("Table is busy"), std::string::npos);
        // Reading is refused too while the other process holds it.
        EXPECT_THROW(t.Abre(), ErroMotor);
    }
    EXPECT_EQ(outro.Libera(), 0);
    // Released: the rebuild goes through.
    Banco b;
    b.Abre("Zovi2005", {pasta.Parametro()});
    InteracaoRoteirizada ui;
    EXPECT_TRUE(RecriaIndice(b, "TB8CBO.PX", "Main", "CoCbo", true, ui));
}

// A rebuild that fails between dropping the index and making it again leaves the old one,
// and says which index of which table and why.
TEST(RecriaIndice, FalhaAoRecriarMantemOIndiceAnterior) {
    PastaTeste pasta;
    Banco b;
    b.Abre("Zovi2005", {pasta.Parametro()});
    InteracaoRoteirizada ui;
    EXPECT_FALSE(RecriaIndice(b, "TBUF.XG0", "ISgUf", "CampoInexistente", false, ui));
    ASSERT_EQ(ui.mostradas.size(), 1u);
    EXPECT_EQ(ui.mostradas[0].texto.rfind("Não foi possível refazer o índice ISgUf da tabela TBUF.DB: ", 0), 0u)
        << ui.mostradas[0].texto;
    EXPECT_TRUE(ExisteArquivoIndice(b, "TBUF.XG0", "ISgUf"));
    EXPECT_FALSE(b.EmTransacao());
}

class BancoDeclaracao : public ::testing::Test {
protected:
    PastaTeste pasta;
    TdmGDZovi dm{pasta.Caminho()};
    TdmEntradaDados entrada{dm};

    void Empresa(const std::string& ano, const std::string& inscr, const std::string& prefixo) {
        auto& t = entrada.ta8Empresa;
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("AnBase", ano);
        t.PoeTexto("CoCgcCeiEstabelecimento", inscr);
        t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
        t.Grava();
    }
    void Empregado(const std::string& pis, const std::string& seq, const std::string& nacionalidade) {
        auto& t = entrada.ta8Empreg;
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("AnBase", "2005");
        t.PoeTexto("CoCgcCeiEstabelecimento", "11222333000181");
        t.PoeTexto("NuPrefixoEstabelecimento", "01");
        t.PoeTexto("CoPisPasepEmpregado", pis);
        t.PoeTexto("DaAdmissaoEmpregado", "01022005");
        t.PoeTexto("NoEmpregado", "MARIA DA SILVA");
        t.PoeTexto("NuSequencialRegistro", seq);
        t.PoeTexto("CoNacionalidade", nacionalidade);
        t.Grava();
    }
};

TEST_F(BancoDeclaracao, ChavesDeEstabelecimentoEEmpregado) {
    Empresa("2005", "11222333000181", "01");
    Empresa("2005", "11222333000181", "A1");  // another prefix of the same inscription
    Empresa("2004", "11222333000181", "01");  // the previous year's row beside it
    EXPECT_THROW(Empresa("2005", "11222333000181", "01"), ErroMotor);
    entrada.ta8Empresa.Cancela();
    EXPECT_EQ(entrada.ta8Empresa.NumRegistros(), 3);

    Empregado("12345678900", "", "10");
    Empregado("12345678900", "000007", "10");  // differs only in the file sequence
    Empregado("98765432100", "", "21");
    Empregado("55555555500", "", "");
    EXPECT_EQ(entrada.ContaEmpregados("2005", "11222333000181", "01"), 4);
    EXPECT_EQ(entrada.ContaEstrangeiros("2005", "11222333000181", "01"), 1);
    EXPECT_EQ(entrada.ContaEmpregados("2005", "11222333000181", "A1"), 0);
}

TEST_F(BancoDeclaracao, ReferenciasAbertasEConsultaDeFaixasDeCep) {
    EXPECT_TRUE(dm.taMunicipio.Aberta());
    EXPECT_TRUE(dm.TaAfastamento.Aberta());
    dm.qryUfCep.Parametro("xCoUf", "35");
    EXPECT_NO_THROW(dm.qryUfCep.Abre());
}

TEST(ValorSemMascara, GuardaSoOsDigitos) {
    struct Caso {
        const char* valor;
        const char* mascara;
        const char* esperado;
    } casos[] = {
        {"11.222.333/0001-81", "99.999.999/9999-99;0;", "11222333000181"},
        {"01/02/2005", "99/99/9999;0;", "01022005"},
        {"123.45678.90-1", "999.99999.99.9;0;", "12345678901"},
        {"12345-678", "99999-999;0;", "12345678"},
        {"12-34", "99-99;1;", "12-34"},
    };
    for (const auto& c : casos) EXPECT_EQ(ValorSemMascara(c.valor, c.mascara), c.esperado) << c.valor;
}

TEST(GdzoviLote, CheckDataSaiComZeroOuAvisaDaFalta) {
    PastaTeste pasta;
    auto programa = (zovi::teste::PastaProgramas() / "gdzovi-lote").string();
    auto comando = programa + " check-data " + pasta.Caminho().string() + " > /dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(comando.c_str())), 0);
    fs::remove(pasta.Caminho() / "TBUFCEP.DB");
    auto saida = pasta.Caminho() / "saida.txt";
    comando = programa + " check-data " + pasta.Caminho().string() + " > " + saida.string() + " 2>&1";
    EXPECT_NE(WEXITSTATUS(std::system(comando.c_str())), 0);
    std::ifstream in(saida);
    std::string texto((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(texto.find("Faltam arquivos para execu"), std::string::npos) << texto;
}

}  // namespace
