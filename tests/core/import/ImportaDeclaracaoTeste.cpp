// The import of an analysed file: what goes in for the current and the previous
// year, establishments already in the database, duplicates, the TE8IMP counts and
// codes, a failure or Cancel in the middle of an establishment, and the command line.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <tuple>

#include "DeclaracaoTeste.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "analysis/AnaliseEstrutura.h"
#include "engine/Erros.h"
#include "engine/Tabela.h"
#include "import/ImportaDeclaracao.h"
#include "rules/RegrasEstabelecimento.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::Declaracao;
using teste::Empregado;
using teste::Estabelecimento;

// A TE8IMP row: inscription, prefix, read, dismissed, duplicated, imported, code, footnote.
using LinhaTe8Imp = std::tuple<std::string, std::string, std::string, std::string, std::string, std::string,
                               std::string, std::string>;

Empregado Pessoa(const std::string& pis, const std::string& nome, const std::string& admissao,
                 const std::string& causa = "00") {
    return {{{"CoPisPasepEmpregado", pis},
             {"NoEmpregado", nome},
             {"CoNacionalidade", "10"},
             {"DaAdmissaoEmpregado", admissao},
             {"VaJaneiroEmpregado", "000150000"},
             {"CoCausaDesligamento", causa},
             {"DaDesligamentoEmpregado", causa == "00" ? "0000" : "3011"}}};
}

Estabelecimento Empresa(const std::string& inscricao, const std::string& prefixo, std::vector<Empregado> empregados,
                        const std::string& vinculado = "00000000000000") {
    Estabelecimento e;
    e.inscricao = inscricao;
    e.prefixo = prefixo;
    e.valores = {{"NoRazaoEstabelecimento", "Empresa " + inscricao.substr(0, 4)},
                 {"InInscrEstabelecimento", "1"},
                 {"CoCgcVinculado", vinculado},
                 {"CoCNPJSindical", "00000000000000"}};
    e.empregados = std::move(empregados);
    return e;
}

// An interaction whose n-th stop check fails as the engine would, or asks to stop.
class FalhaNaChamada : public teste::InteracaoRoteirizada {
public:
    FalhaNaChamada(int chamada, bool interrompe)
        : InteracaoRoteirizada(interrompe ? std::deque<Resposta>{Resposta::Sim} : std::deque<Resposta>{}),
          chamada_(chamada), interrompe_(interrompe) {}
    bool InterrupcaoPedida() override {
        if (++chamadas_ != chamada_) return false;
        if (interrompe_) return true;
        throw ErroMotor(codigo_motor::ErroEntradaSaida, "disco cheio");
    }

private:
    int chamada_, chamadas_ = 0;
    bool interrompe_;
};

class Importacao : public ::testing::Test {
protected:
    Importacao() { banco.Abre("Zovi2005", {pasta.Parametro()}); }

    // Analyses the file as the import wizard does, then imports every establishment of it,
    // one employee at a time between two looks at Cancel.
    ResultadoImportacao Importa(const Declaracao& d, int ano = 2005, Interacao* outra = nullptr) {
        std::vector<std::string> registros;
        for (const auto& r : d.Registros()) registros.push_back(ano == 2004 ? teste::ParaAnterior(r) : r);
        teste::GravaArquivo(arquivo, teste::Junta(registros));
        TAnaliseEstrutura analise(banco, interacao);
        analise.DefineAnoAnterior(ano == 2004);
        long e = 0, v = 0;
        EXPECT_EQ(analise.fAnalisaArquivo(arquivo, 2005, true, e, v), kAnaliseSemFalha);
        std::vector<EscolhaImportacao> escolha;
        for (const auto& x : EstabelecimentosDoArquivo(banco, ano)) escolha.push_back({x.inscricao, x.prefixo});
        TImportacao importacao(banco, outra ? *outra : interacao, 1);
        return importacao.fImporta(ano, escolha);
    }

    std::vector<LinhaTe8Imp> Te8Imp() {
        std::vector<LinhaTe8Imp> r;
        Tabela t(banco, "TE8IMP");
        t.Abre();
        for (t.Primeiro(); !t.Fim(); t.Proximo()) {
            EXPECT_EQ(t.Texto("AnBase"), "2005");
            r.emplace_back(t.Texto("CoCgcCeiEstabelecimento"), t.Texto("NuPrefixoEstabelecimento"),
                           t.Texto("NuVinculosEstabelecimento"), t.Texto("NuTotalDesligados"),
                           t.Texto("NuTotalDuplicados"), t.Texto("NuTotalImportados"), t.Texto("CoImp"), t.Texto("Seq"));
        }
        return r;
    }

    // The establishment's stored employees, by name.
    std::vector<std::string> Empregados(const std::string& inscricao, const std::string& prefixo) {
        std::vector<std::string> r;
        Tabela t(banco, "BD8VINC");
        t.Abre();
        for (t.Primeiro(); !t.Fim(); t.Proximo())
            if (t.Texto("CoCgcCeiEstabelecimento") == inscricao && t.Texto("NuPrefixoEstabelecimento") == prefixo) {
                EXPECT_EQ(t.Texto("AnBase"), "2005");
                r.push_back(t.Texto("NoEmpregado"));
            }
        std::sort(r.begin(), r.end());
        return r;
    }

    // A BD8EMP row typed in before the import.
    void Cadastra(const std::string& inscricao, const std::string& prefixo, const std::string& vinculado,
                  const std::string& negativo, const std::string& empregados) {
        Tabela t(banco, "BD8EMP");
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("AnBase", "2005");
        t.PoeTexto("CoCgcCeiEstabelecimento", inscricao);
        t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
        t.PoeTexto("CoCgcVinculado", vinculado);
        t.PoeTexto("NoRazaoEstabelecimento", "JA CADASTRADA");
        t.PoeTexto("InZoviNegEstabelecimento", negativo);
        t.PoeTexto("NuVinculosEstabelecimento", empregados);
        t.PoeTexto("NuEstrangeirosEstabelec", "00000");
        t.Grava();
    }

    teste::PastaTeste pasta;
    Banco banco;
    teste::InteracaoRoteirizada interacao;
    fs::path arquivo = pasta.Caminho() / "Zovi2005";
};

const std::string kA = "11222333000181", kB = "44555666000181", kC = "99888777000100", kInvalida = "44555666000199";

TEST_F(Importacao, AnoAtualImportaTudoEOSegundoArquivoIgualSoDuplica) {
    Declaracao d = teste::DeclaracaoPequena();
    d.estabelecimentos[1].inscricao = kB;
    d.estabelecimentos.push_back(Empresa(kInvalida, "00", {Pessoa("12345678919", "Fora", "01012005")}));
    const std::string falhaInscricao = fCriticaInscricao(kInvalida);
    ASSERT_NE(falhaInscricao, "0000");

    auto r = Importa(d);
    EXPECT_EQ(r.estabelecimentos, 3);
    EXPECT_EQ(r.importados, 3);
    EXPECT_EQ(Te8Imp(), (std::vector<LinhaTe8Imp>{{kA, "00", "000003", "0", "0", "3", "", ""},
                                                  {kB, "01", "000000", "0", "0", "0", "", ""},
                                                  {kInvalida, "00", "000001", "0", "0", "0", falhaInscricao, "1"}}));
    EXPECT_EQ(Empregados(kA, "00"), (std::vector<std::string>{"JOHN SMITH", "MARIA DA SILVA", "SEM NACIONALIDADE"}));
    EXPECT_TRUE(Empregados(kInvalida, "00").empty());
    {
        Tabela emp(banco, "BD8EMP");
        emp.Abre();
        ASSERT_TRUE(emp.BuscaChave({"2005", kA, "00"}));
        EXPECT_EQ(emp.Texto("NoRazaoEstabelecimento").substr(0, 9), "PADARIA P");
        EXPECT_EQ(emp.Texto("CoCgcVinculado"), "00123456789012");
        EXPECT_EQ(emp.Texto("NuVinculosEstabelecimento"), "000003");
        EXPECT_EQ(emp.Texto("NuEstrangeirosEstabelec"), "00002");  // nationality other than "10"
        EXPECT_EQ(emp.Texto("CoCNPJSindical"), "");
        EXPECT_FALSE(emp.Logico("InAvisoCnae"));
        EXPECT_FALSE(emp.BuscaChave({"2005", kInvalida, "00"}));
        Tabela vinc(banco, "BD8VINC");
        vinc.Abre();
        ASSERT_TRUE(vinc.BuscaChave({"2005", kA, "00", "12345678901"}));
        EXPECT_EQ(vinc.Texto("VaJaneiroEmpregado"), "000123456");  // this year's amounts are kept
        EXPECT_EQ(vinc.Texto("CoMotivoPrimAfas"), "10");
        EXPECT_EQ(vinc.Texto("NuSequencialRegistro"), "");
    }

    // The same file again: every employee a duplicate, the establishment without employees untouched.
    r = Importa(d);
    EXPECT_EQ(r.importados, 0);
    EXPECT_EQ(r.duplicados, 3);
    EXPECT_EQ(Te8Imp(), (std::vector<LinhaTe8Imp>{{kA, "00", "000003", "0", "3", "0", "", ""},
                                                  {kB, "01", "000000", "0", "0", "0", kImpSemEmpregadosNoArquivo, "1"},
                                                  {kInvalida, "00", "000001", "0", "0", "0", falhaInscricao, "2"}}));
}

TEST_F(Importacao, AnoAnteriorTrazSoQuemContinuaEmpregadoComValoresZerados) {
    Declaracao d = teste::DeclaracaoPequena();
    d.estabelecimentos = {
        Empresa(kA, "00",
                {Pessoa("12345678919", "Continua", "01022004"), Pessoa("10987654321", "Demitido", "01032004", "11"),
                 Pessoa("11111111111", "Transferido", "01042004", "71"),
                 Pessoa("22222222222", "Transferido Sem Onus", "01042004", "78")}),
        Empresa(kB, "01", {Pessoa("33333333333", "Aposentado", "01012004", "76")})};

    auto r = Importa(d, 2004);
    EXPECT_EQ(r.importados, 3);
    EXPECT_EQ(r.desligados, 2);
    EXPECT_EQ(Te8Imp(), (std::vector<LinhaTe8Imp>{{kA, "00", "000004", "1", "0", "3", "", ""},
                                                  {kB, "01", "000001", "1", "0", "0", "", ""}}));
    EXPECT_EQ(Empregados(kA, "00"),
              (std::vector<std::string>{"CONTINUA", "TRANSFERIDO", "TRANSFERIDO SEM ONUS"}));
    Tabela emp(banco, "BD8EMP");
    emp.Abre();
    ASSERT_TRUE(emp.BuscaChave({"2005", kA, "00"}));
    EXPECT_TRUE(emp.Logico("InAvisoCnae"));
    EXPECT_EQ(emp.Texto("NuVinculosEstabelecimento"), "000003");
    // Everyone dismissed: the establishment is not created.
    EXPECT_FALSE(emp.BuscaChave({"2005", kB, "01"}));
    Tabela vinc(banco, "BD8VINC");
    vinc.Abre();
    ASSERT_TRUE(vinc.BuscaChave({"2005", kA, "00", "12345678919"}));
    EXPECT_EQ(vinc.Texto("VaJaneiroEmpregado"), "000000000");
    EXPECT_EQ(vinc.Texto("VaSalContratualEmpregado"), "000000000");
    EXPECT_EQ(vinc.Texto("QtDiasAfas"), "000");
    EXPECT_EQ(vinc.Texto("CoMotivoPrimAfas"), "");
}

TEST_F(Importacao, EstabelecimentoJaCadastrado) {
    // A: the same establishment, one of its employees already typed in.
    Cadastra(kA, "00", "00000000000000", "0", "000001");
    {
        Tabela vinc(banco, "BD8VINC");
        vinc.Abre();
        vinc.Acrescenta();
        for (auto [campo, valor] : std::vector<std::pair<const char*, const char*>>{
                 {"AnBase", "2005"}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"NuPrefixoEstabelecimento", "00"},
                 {"CoPisPasepEmpregado", "12345678919"}, {"DaAdmissaoEmpregado", "01022005"}, {"NoEmpregado", "Outro Nome"},
                 {"CoNacionalidade", "10"}})
            vinc.PoeTexto(campo, valor);
        vinc.Grava();
    }
    // B: declared before without employees; C: taken under its prefix by another linked CEI, and G0 too.
    Cadastra(kB, "01", "", "1", "000000");
    Cadastra(kC, "00", "00111111111111", "0", "000000");
    Cadastra(kC, "G0", "00222222222222", "0", "000000");

    Declaracao d = teste::DeclaracaoPequena();
    d.estabelecimentos = {
        Empresa(kA, "00", {Pessoa("12345678919", "Mesma Pessoa", "01022005"), Pessoa("10987654321", "Nova", "01032005")}),
        Empresa(kB, "01", {Pessoa("33333333333", "Primeira", "01012005")}),
        Empresa(kC, "00", {Pessoa("44444444444", "Da Obra", "01012005")}, "00333333333333")};
    Importa(d);
    EXPECT_EQ(Te8Imp(), (std::vector<LinhaTe8Imp>{{kA, "00", "000002", "0", "1", "1", "", ""},
                                                  {kB, "01", "000001", "0", "0", "1", kImpEstabelecimentoAtualizado, "1"},
                                                  {kC, "G1", "000001", "0", "0", "1", kImpNovoPrefixo, "2"}}));
    EXPECT_EQ(Empregados(kA, "00"), (std::vector<std::string>{"NOVA", "Outro Nome"}));
    EXPECT_EQ(Empregados(kC, "G1"), (std::vector<std::string>{"DA OBRA"}));
    Tabela emp(banco, "BD8EMP");
    emp.Abre();
    ASSERT_TRUE(emp.BuscaChave({"2005", kA, "00"}));
    EXPECT_EQ(emp.Texto("NoRazaoEstabelecimento"), "JA CADASTRADA");  // kept; only its counts follow
    EXPECT_EQ(emp.Texto("NuVinculosEstabelecimento"), "000002");
    ASSERT_TRUE(emp.BuscaChave({"2005", kB, "01"}));
    EXPECT_EQ(emp.Texto("NoRazaoEstabelecimento"), "EMPRESA 4455");  // rewritten from the file
    EXPECT_EQ(emp.Texto("InZoviNegEstabelecimento"), "0");
    ASSERT_TRUE(emp.BuscaChave({"2005", kC, "G1"}));
    EXPECT_EQ(emp.Texto("CoCgcVinculado"), "00333333333333");
    ASSERT_TRUE(emp.BuscaChave({"2005", kC, "00"}));
    EXPECT_EQ(emp.Texto("CoCgcVinculado"), "00111111111111");
}

TEST_F(Importacao, PisDeZerosSoDuplicaComOMesmoNome) {
    Declaracao d = teste::DeclaracaoPequena();
    d.estabelecimentos = {Empresa(kA, "00",
                                  {Pessoa("00000000000", "Ana", "01022005"), Pessoa("00000000000", "Bia", "01022005"),
                                   Pessoa("00000000000", "Ana", "01022005"), Pessoa("12345678919", "Caio", "01022005"),
                                   Pessoa("12345678919", "Caio Outro", "01022005")})};
    auto r = Importa(d);
    EXPECT_EQ(r.importados, 3);
    EXPECT_EQ(r.duplicados, 2);
    EXPECT_EQ(Empregados(kA, "00").size(), 3u);
}

// Two establishments of three employees and a third of one: the stop checks are one
// before each establishment and one per employee, so the 7th falls after the second
// establishment's first employee was written.
TEST_F(Importacao, FalhaOuCancelarNoMeioDeUmEstabelecimentoODeixaComoAntes) {
    for (bool interrompe : {false, true}) {
        SCOPED_TRACE(interrompe ? "Cancelar" : "falha do motor");
        teste::PastaTeste outra;
        banco.Fecha();
        banco.Abre("Zovi2005", {outra.Parametro()});
        Declaracao d = teste::DeclaracaoPequena();
        d.estabelecimentos = {Empresa(kA, "00",
                                      {Pessoa("12345678919", "A1", "01022005"), Pessoa("10987654321", "A2", "01022005"),
                                       Pessoa("11111111111", "A3", "01022005")}),
                              Empresa(kB, "01",
                                      {Pessoa("22222222222", "B1", "01022005"), Pessoa("33333333333", "B2", "01022005"),
                                       Pessoa("44444444444", "B3", "01022005")}),
                              Empresa(kC, "00", {Pessoa("55555555555", "C1", "01022005")})};
        FalhaNaChamada falha(7, interrompe);
        auto r = Importa(d, 2005, &falha);
        EXPECT_EQ(r.falhou, !interrompe);
        EXPECT_EQ(r.interrompida, interrompe);
        EXPECT_EQ(r.estabelecimentos, 1);
        const std::string codigo = interrompe ? kImpInterrompida : kImpErroGravacao;
        EXPECT_EQ(Te8Imp(), (std::vector<LinhaTe8Imp>{{kA, "00", "000003", "0", "0", "3", "", ""},
                                                      {kB, "01", "000003", "0", "0", "0", codigo, "1"},
                                                      {kC, "00", "000001", "0", "0", "0", kImpInterrompida,
                                                       interrompe ? "1" : "2"}}));
        EXPECT_EQ(Empregados(kA, "00").size(), 3u);
        EXPECT_TRUE(Empregados(kB, "01").empty());
        Tabela emp(banco, "BD8EMP");
        emp.Abre();
        EXPECT_EQ(emp.NumRegistros(), 1);
        EXPECT_TRUE(emp.BuscaChave({"2005", kA, "00"}));
        emp.Fecha();
        banco.Fecha();
    }
}

TEST(ImportacaoLista, PrefixosEColunas) {
    struct {
        std::string de, para;
    } casos[] = {{"G0", "G1"}, {"G9", "GA"}, {"GZ", "H0"}, {"9Z", "A0"}, {"ZZ", "00"}};
    for (const auto& c : casos) EXPECT_EQ(ProximoPrefixo(c.de), c.para) << c.de;
    EXPECT_FALSE(PrefixoImportavel("1 "));
    EXPECT_FALSE(PrefixoImportavel("  "));
    EXPECT_TRUE(PrefixoImportavel("01"));
    const std::string linha = LinhaSelecaoImportacao({"11222333000181", "01", "PADARIA", "1", "000012"});
    EXPECT_EQ(linha.substr(0, 18), "11.222.333/0001-81");
    EXPECT_EQ(linha.substr(20, 2), "01");
    EXPECT_EQ(linha.substr(24, 30), "PADARIA                       ");
    EXPECT_EQ(linha.substr(54), "  000012");
}

TEST_F(Importacao, LinhaDeComando) {
    banco.Fecha();
    auto roda = [&](const std::string& argumentos) {
        const std::string comando = (teste::PastaProgramas() / "gdzovi-lote").string() + " importar '" +
                                    arquivo.string() + "' '" + pasta.Caminho().string() + "' " + argumentos +
                                    " > /dev/null 2>&1";
        const int estado = std::system(comando.c_str());
        return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    };
    auto contaEstabelecimentos = [&] {
        Banco b;
        b.Abre("Zovi2005", {pasta.Parametro()});
        Tabela t(b, "BD8EMP");
        t.Abre();
        return t.NumRegistros();
    };
    Declaracao d = teste::DeclaracaoPequena();
    d.estabelecimentos[1].inscricao = kB;
    auto registros = d.Registros();

    // A structural fault stops before anything is imported.
    auto comFalha = registros;
    comFalha[3].replace(0, 6, "000009");
    teste::GravaArquivo(arquivo, teste::Junta(comFalha));
    EXPECT_EQ(roda(""), 1);
    EXPECT_EQ(contaEstabelecimentos(), 0);

    teste::GravaArquivo(arquivo, teste::Junta(registros));
    EXPECT_EQ(roda("--estabelecimentos 11.222.333/0009-99/00"), 64);
    EXPECT_EQ(roda("--ano 2003"), 64);
    EXPECT_EQ(roda("--estabelecimentos 44.555.666/0001-81/01"), 0);
    EXPECT_EQ(contaEstabelecimentos(), 1);
    EXPECT_EQ(roda(""), 0);
    EXPECT_EQ(contaEstabelecimentos(), 2);
    fs::remove(arquivo);
    EXPECT_EQ(roda(""), 66);
}

}  // namespace
}  // namespace zovi
