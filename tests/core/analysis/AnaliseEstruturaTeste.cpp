// The structure analysis: outcomes, the fault rows of each structural fault,
// the loaded work tables, both layouts, and files that are not declarations at all.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include "DeclaracaoTeste.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "analysis/AnaliseEstrutura.h"
#include "declfile/Leiaute.h"
#include "engine/Tabela.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::Declaracao;
using teste::DeclaracaoPequena;
using teste::Junta;
using teste::ParaAnterior;
using Registros = std::vector<std::string>;

struct LinhaFalha {
    std::string coMsg, sequencia, tipoCampo, posicaoInicial, conteudo;
    bool operator==(const LinhaFalha&) const = default;
};
std::ostream& operator<<(std::ostream& o, const LinhaFalha& l) {
    return o << "{" << l.coMsg << " seq " << l.sequencia << " tipo '" << l.tipoCampo << "' pos '" << l.posicaoInicial
             << "' '" << l.conteudo << "'}";
}

class Analise : public ::testing::Test {
protected:
    Analise() { banco.Abre("Zovi2005", {pasta.Parametro()}); }

    int Analisa(const std::string& conteudo, bool zerar = false) {
        teste::GravaArquivo(arquivo, conteudo);
        return AnalisaArquivo(zerar);
    }
    int AnalisaArquivo(bool zerar = false) {
        return analise.fAnalisaArquivo(arquivo, 2005, zerar, nEstab, nEmpreg);
    }

    std::vector<LinhaFalha> Falhas() {
        std::vector<LinhaFalha> r;
        Tabela t(banco, "TE8STRU");
        t.Abre();
        for (t.Primeiro(); !t.Fim(); t.Proximo()) {
            EXPECT_EQ(t.Texto("AnBase"), "2005");
            r.push_back({t.Texto("CoMsg"), t.Texto("Sequencia"), t.Texto("TipoCampo"), t.Texto("PosicaoInicial"),
                         t.Texto("Conteudo")});
        }
        return r;
    }
    std::string CodigoFalha() {
        auto f = Falhas();
        return f.empty() ? "" : f.front().coMsg;
    }
    bool Existe(const char* tabela) { return banco.ExisteTabela(tabela); }

    teste::PastaTeste pasta;
    Banco banco;
    teste::InteracaoRoteirizada interacao;
    TAnaliseEstrutura analise{banco, interacao};
    fs::path arquivo = pasta.Caminho() / "declaracao.txt";
    long nEstab = -1, nEmpreg = -1;
};

void Renumera(Registros& r) {
    for (size_t i = 0; i < r.size(); ++i) {
        std::string s = std::to_string(i + 1);
        r[i].replace(0, 6, std::string(6 - s.size(), '0') + s);
    }
}

// Two analyses of one data folder at once: each reads its own copy and gets its own outcome.
TEST_F(Analise, DuasAnalisesAoMesmoTempoCadaUmaCorreta) {
    teste::GravaArquivo(arquivo, Junta(DeclaracaoPequena().Registros()));
    std::vector<pid_t> filhos;
    for (int i = 0; i < 2; ++i) {
        pid_t filho = fork();
        if (filho == 0) {
            int resultado = 70;
            try {
                Banco b;
                b.Abre("Zovi2005", {pasta.Parametro()});
                teste::InteracaoRoteirizada ui;
                TAnaliseEstrutura a(b, ui);
                long e = 0, v = 0;
                resultado = a.fAnalisaArquivo(arquivo, 2005, false, e, v);
            } catch (...) {
            }
            _exit(resultado);
        }
        filhos.push_back(filho);
    }
    for (pid_t f : filhos) {
        int estado = 0;
        waitpid(f, &estado, 0);
        ASSERT_TRUE(WIFEXITED(estado));
        EXPECT_EQ(WEXITSTATUS(estado), kAnaliseSemFalha);
    }
    for (const auto& e : fs::directory_iterator(pasta.Caminho()))
        EXPECT_NE(e.path().filename().string().rfind("R01TXZZZ-", 0), 0u) << e.path();
}

TEST_F(Analise, DeclaracaoCorretaCarregaAsTabelasDeTrabalho) {
    ASSERT_EQ(Analisa(Junta(DeclaracaoPequena().Registros())), kAnaliseSemFalha);
    EXPECT_EQ(nEstab, 2);
    EXPECT_EQ(nEmpreg, 3);
    EXPECT_FALSE(Existe("TE8STRU"));
    EXPECT_FALSE(fs::exists(pasta.Caminho() / kArquivoCopiaAnalise));
    ASSERT_FALSE(interacao.progresso.empty());
    EXPECT_EQ(interacao.progresso.back(), std::make_pair(100L, 100L));

    Tabela resp(banco, "TE8RESP");
    resp.Abre();
    resp.Primeiro();
    EXPECT_EQ(resp.NumRegistros(), 1);
    EXPECT_EQ(resp.Texto("NoResponsavelArquivo"), "CONTABILIDADE EXEMPLO");
    EXPECT_TRUE(resp.Logico("InReciboParaRespArquivo"));
    EXPECT_FALSE(resp.Logico("InRetificacao"));
    EXPECT_EQ(resp.Texto("DaGeracao"), "15022006");
    EXPECT_EQ(resp.Texto("HoSenha"), "101500");
    EXPECT_EQ(resp.Texto("NuRespostaPesquisa"), "123" + std::string(45, ' '));

    Tabela emp(banco, "TE8EMP");
    emp.Abre();
    ASSERT_TRUE(emp.BuscaChave({"2005", "11222333000181", "00"}));
    EXPECT_EQ(emp.Texto("NoRazaoEstabelecimento"), "PADARIA PãO QUENTE") << "as written: a-z upper-cased only";
    EXPECT_EQ(emp.Texto("NuSequencialRegistro"), "000002");
    EXPECT_EQ(emp.Texto("CoCgcVinculado"), "00123456789012");
    EXPECT_EQ(emp.Texto("NuVinculosEstabelecimento"), "000003");
    EXPECT_EQ(emp.Texto("NuEstrangeirosEstabelec"), "00002") << "nationality 10 is Brazilian; blank is not";
    EXPECT_EQ(emp.Texto("InParticipaPAT"), "2");
    EXPECT_EQ(emp.Texto("InEncerramentoAtividade"), "2");
    EXPECT_EQ(emp.Texto("CoCNPJSindical"), "00000000000000");
    ASSERT_TRUE(emp.BuscaChave({"2005", "44555666000199", "01"}));
    EXPECT_EQ(emp.Texto("InZoviNegEstabelecimento"), "1");
    EXPECT_EQ(emp.Texto("NuVinculosEstabelecimento"), "000000");
    EXPECT_EQ(emp.Texto("NuEstrangeirosEstabelec"), "00000");

    EXPECT_TRUE(banco.ExisteIndice("TE8VINC", "Te8vinc"));
    EXPECT_TRUE(banco.ExisteIndicePrimario("TE8EMP"));
    EXPECT_FALSE(banco.ExisteIndicePrimario("TE8RESP"));
    Tabela vinc(banco, "TE8VINC");
    vinc.Abre();
    EXPECT_EQ(vinc.NumRegistros(), 3);
    ASSERT_TRUE(vinc.BuscaChave({"2005", "11222333000181", "00", "12345678901"}));
    EXPECT_EQ(vinc.Texto("NoEmpregado"), "MARIA DA SILVA");
    EXPECT_EQ(vinc.Texto("NuSequencialRegistro"), "000003");
    EXPECT_EQ(vinc.Texto("VaJaneiroEmpregado"), "000123456");
    EXPECT_EQ(vinc.Texto("CoMotivoPrimAfas"), "10");
    EXPECT_EQ(vinc.Texto("CoTipoRaca"), "9");
    EXPECT_EQ(vinc.Texto("HoTrabalhadasMarco"), "000");
}

TEST_F(Analise, RetificacaoMarcadaNoCabecalhoDa8) {
    for (const char* marca : {"1", "X", "x"}) {
        auto r = DeclaracaoPequena().Registros();
        r[0][222] = marca[0];
        EXPECT_EQ(Analisa(Junta(r)), kAnaliseRetificacao) << marca;
        Tabela resp(banco, "TE8RESP");
        resp.Abre();
        resp.Primeiro();
        EXPECT_TRUE(resp.Logico("InRetificacao"));
    }
}

TEST_F(Analise, EstabelecimentoSemEmpregadosSozinho) {
    Declaracao d = DeclaracaoPequena();
    d.estabelecimentos.erase(d.estabelecimentos.begin());
    ASSERT_EQ(Analisa(Junta(d.Registros())), kAnaliseSemFalha);
    EXPECT_EQ(nEstab, 1);
    EXPECT_EQ(nEmpreg, 0);
    Tabela vinc(banco, "TE8VINC");
    vinc.Abre();
    EXPECT_TRUE(vinc.Vazia());
}

// Each structural fault from a small change to a valid declaration:
// header, A(seq 2), employees 3-5 of A, B without employees (6), trailer (7).
struct CasoFalha {
    const char* nome;
    std::function<void(Registros&)> altera;
    std::vector<LinhaFalha> esperado;
};

TEST_F(Analise, CadaFalhaEstruturalComSuasLinhas) {
    const std::vector<CasoFalha> casos = {
        {"sequencia errada no quinto registro",
         [](Registros& r) { r[4].replace(0, 6, "000009"); },
         {{"1902", "000004", "0", "", "000004"}, {"1902", "000005", "0", "", "000009"}}},
        {"sequencia errada no primeiro",
         [](Registros& r) { r[0].replace(0, 6, "000002"); },
         {{"1902", "000001", "0", "", "000002"}}},
        {"empregado antes do seu estabelecimento",
         [](Registros& r) { r.erase(r.begin() + 1); Renumera(r); },
         {{"1913", "000002", "1", "", "2"}}},
        {"empregado de outro estabelecimento depois de um com empregados",
         [](Registros& r) { r[2].replace(6, 14, "99999999999999"); },
         {{"1915", "000002", "1", "", "1"}, {"1915", "000002", "2", "", "0"}, {"1915", "000003", "1", "", "2"}}},
        {"total de empregados do trailer errado",
         [](Registros& r) { r[6].replace(29, 6, "000004"); },
         {{"1920", "000007", "1", "", "9"}, {"1920", "000007", "4", "", "000004"}, {"1920", "000007", "7", "", "3"}}},
        {"total de estabelecimentos com letras",
         [](Registros& r) { r[6].replace(23, 6, "ABCDEF"); },
         {{"1919", "000007", "1", "", "9"}, {"1919", "000007", "3", "", "ABCDEF"}, {"1919", "000007", "6", "", "2"}}},
        {"ano-base errado",
         [](Registros& r) { r[1].replace(292, 4, "2004"); },
         {{"1911", "000002", "5", "293", "2004"}}},
        {"linha curta",
         [](Registros& r) { r[3].erase(100, 1); },
         {{"1923", "000004", "5", "523", "0D(hexadecimal)"}}},
        {"linha longa",
         [](Registros& r) { r[3] += "Z"; },
         {{"1900", "000004", "5", "524", "Z0D(hexadecimal)"}}},
        {"dados depois do trailer",
         [](Registros& r) { r.push_back(r[5]); },
         {{"1903", "000007", "1", "", "9"}, {"1903", "000008", "5", "1", "0"}}},
        {"sem trailer", [](Registros& r) { r.pop_back(); }, {{"1905", "000006", "1", "", "1"}}},
        {"primeiro registro nao e cabecalho",
         [](Registros& r) { r.erase(r.begin()); Renumera(r); },
         {{"1907", "000001", "1", "", "1"}}},
        {"segundo cabecalho",
         [](Registros& r) { r.insert(r.begin() + 1, r[0]); Renumera(r); },
         {{"1906", "000002", "1", "", "0"}}},
        {"primeiro estabelecimento diferente do cabecalho",
         [](Registros& r) { r[0].replace(6, 14, "11222333000999"); },
         {{"1908", "000001", "1", "", "0"}, {"1908", "000002", "1", "", "1"}}},
        {"estabelecimento com empregados seguido de outro",
         [](Registros& r) { r.erase(r.begin() + 2, r.begin() + 5); Renumera(r); },
         {{"1909", "000002", "1", "", "1"}, {"1909", "000002", "2", "", "0"}, {"1909", "000003", "1", "", "1"}}},
        {"estabelecimento repetido",
         [](Registros& r) { r[5].replace(6, 16, r[1].substr(6, 16)); },
         {{"1910", "000002", "1", "", "1"}, {"1910", "000006", "1", "", "1"}}},
        {"tipo de ZOVI invalido",
         [](Registros& r) { r[5][277] = '7'; },
         {{"1912", "000006", "2", "", "7"}}},
        {"empregado em estabelecimento sem empregados",
         [](Registros& r) { r.insert(r.begin() + 6, r[4]); r[6].replace(6, 16, r[5].substr(6, 16)); Renumera(r); },
         {{"1914", "000006", "1", "", "1"}, {"1914", "000006", "2", "", "1"}, {"1914", "000007", "1", "", "2"}}},
        {"empregado de outro estabelecimento depois de empregado",
         [](Registros& r) { r[3].replace(20, 2, "07"); },
         {{"1916", "000003", "1", "", "2"}, {"1916", "000004", "1", "", "2"}}},
        {"trailer logo depois do cabecalho",
         [](Registros& r) { r.erase(r.begin() + 1, r.begin() + 6); r.push_back(r.back()); Renumera(r); },
         {{"1917", "000001", "1", "", "0"}, {"1917", "000002", "1", "", "9"}}},
        {"trailer de outro estabelecimento",
         [](Registros& r) { r[6].replace(20, 2, "05"); },
         {{"1918", "000006", "1", "", "1"}, {"1918", "000007", "1", "", "9"}}},
        {"tipo de registro desconhecido",
         [](Registros& r) { r[3][22] = '5'; },
         {{"1921", "000004", "1", "", "5"}}},
        {"inscricao nao numerica",
         [](Registros& r) { r[3].replace(6, 14, "1122233300018X"); },
         {{"1922", "000004", "8", "20", "1122233300018X"}}},
        {"sequencia com byte de controle",
         [](Registros& r) { r[3][2] = '\x01'; },
         {{"1922", "000004", "0", "3", "01(hexadecimal)"}}},
        {"tipo de ZOVI nao numerico",
         [](Registros& r) { r[5][277] = 'N'; },
         {{"1922", "000006", "2", "278", "N"}}},
        {"caractere nao imprimivel no trecho testado do estabelecimento",
         [](Registros& r) { r[1][239] = '\xC7'; },
         {{"1901", "000002", "5", "240", "\xC7"}}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        auto r = DeclaracaoPequena().Registros();
        caso.altera(r);
        ASSERT_EQ(Analisa(Junta(r)), kAnaliseComFalha);
        EXPECT_EQ(Falhas(), caso.esperado);
        EXPECT_FALSE(Existe("TE8EMP") || Existe("TE8VINC") || Existe("TE8RESP"));
    }
}

TEST_F(Analise, EstabelecimentoQueDeclarouEmpregadosSemNenhum) {
    Declaracao d = DeclaracaoPequena();
    d.estabelecimentos.erase(d.estabelecimentos.begin());
    auto r = d.Registros();
    r[1][277] = '0';
    ASSERT_EQ(Analisa(Junta(r)), kAnaliseComFalha);
    EXPECT_EQ(Falhas(), (std::vector<LinhaFalha>{{"1915", "000002", "1", "", "1"},
                                                 {"1915", "000002", "2", "", "0"},
                                                 {"1915", "000003", "1", "", "9"}}));
    EXPECT_EQ(nEstab, 1);
}

TEST_F(Analise, FimDoArquivo) {
    const std::string bom = Junta(DeclaracaoPequena().Registros());
    EXPECT_EQ(Analisa(bom + "\x1A"), kAnaliseSemFalha) << "end-of-file mark";
    EXPECT_EQ(Analisa(bom + "\x1A\x1A"), kAnaliseSemFalha) << "bytes behind the mark, less than a record";

    ASSERT_EQ(Analisa(bom.substr(0, bom.size() - 100)), kAnaliseComFalha) << "cut file";
    EXPECT_EQ(Falhas(), (std::vector<LinhaFalha>{{"1904", "000007", "9", "", "525"},
                                                 {"1904", "000007", "A", "", "425"}}));

    ASSERT_EQ(Analisa(bom.substr(0, 3 * kTamanhoRegistro - 1)), kAnaliseComFalha);
    EXPECT_EQ(Falhas(), (std::vector<LinhaFalha>{{"1924", "000001", "", "", ""}}));
}

TEST_F(Analise, ConvencoesDeFimDeLinha) {
    const auto r = DeclaracaoPequena().Registros();
    for (const char* quebra : {"", "\n", "\r", "\n\r"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(quebra)));
        EXPECT_EQ(Analisa(Junta(r, quebra)), kAnaliseSemFalha);
    }
    // One record ending in CR LF in a file of LF CR.
    std::string misturado = Junta({r[0], r[1]}, "\n\r") + r[2] + "\r\n" + Junta({r[3], r[4], r[5], r[6]}, "\n\r");
    ASSERT_EQ(Analisa(misturado), kAnaliseComFalha);
    EXPECT_EQ(CodigoFalha(), "1900");
}

TEST_F(Analise, Selo) {
    const std::string bom = Junta(DeclaracaoPequena().Registros());
    teste::GravaArquivo(arquivo, bom);
    teste::Sela(arquivo);
    EXPECT_EQ(AnalisaArquivo(), kAnaliseSemFalha) << "sealed and untouched";

    // A name changed after sealing: the structure is still right, the seal is not.
    std::string selado;
    {
        std::ifstream f(arquivo, std::ios::binary);
        selado.assign(std::istreambuf_iterator<char>(f), {});
    }
    selado[525 + 30] = 'Q';
    ASSERT_EQ(Analisa(selado), kAnaliseComFalha);
    auto f = Falhas();
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].coMsg, kCodigoSeloInvalido);
    EXPECT_EQ(f[0].sequencia, "000007");
    EXPECT_EQ(f[0].posicaoInicial, "492");
    EXPECT_EQ(f[0].conteudo, selado.substr(selado.size() - 34, 20));
}

TEST_F(Analise, InterrupcaoPeloUsuario) {
    Declaracao d = DeclaracaoPequena();
    teste::GravaArquivo(arquivo, Junta(d.Registros()));
    {
        teste::InteracaoRoteirizada sim({Resposta::Sim});
        sim.InterrompeApos(1);
        TAnaliseEstrutura a(banco, sim);
        EXPECT_EQ(a.fAnalisaArquivo(arquivo, 2005, false, nEstab, nEmpreg), kAnaliseInterrompida);
        ASSERT_EQ(sim.mostradas.size(), 1u);
        EXPECT_EQ(sim.mostradas[0].texto, "Deseja interromper?");
        EXPECT_FALSE(Existe("TE8EMP") || Existe("TE8VINC") || Existe("TE8RESP") || Existe("TE8STRU"));
    }
    {
        teste::InteracaoRoteirizada nao({Resposta::Nao});
        nao.InterrompeApos(2);
        TAnaliseEstrutura a(banco, nao);
        EXPECT_EQ(a.fAnalisaArquivo(arquivo, 2005, false, nEstab, nEmpreg), kAnaliseSemFalha);
        EXPECT_EQ(nao.mostradas.size(), 1u) << "asked once per request";
        EXPECT_TRUE(Existe("TE8VINC"));
    }
}

TEST_F(Analise, ArquivoQueNaoPodeSerLido) {
    EXPECT_EQ(analise.fAnalisaArquivo(pasta.Caminho() / "nao-existe", 2005, false, nEstab, nEmpreg),
              kAnaliseArquivoIlegivel);
    ASSERT_EQ(interacao.mostradas.size(), 1u);
    EXPECT_EQ(interacao.mostradas[0].texto, "Ocorreu erro na cópia do arquivo " + (pasta.Caminho() / "nao-existe").string());
    EXPECT_EQ(analise.fAnalisaArquivo(pasta.Caminho(), 2005, false, nEstab, nEmpreg), kAnaliseArquivoIlegivel)
        << "a folder";
    EXPECT_FALSE(Existe("TE8EMP"));
}

// Whatever the file holds, the analysis ends with an outcome and, on a fault, its rows.
TEST_F(Analise, ConteudoQualquerNuncaDerruba) {
    const std::string bom = Junta(DeclaracaoPequena().Registros());
    std::mt19937 gerador(2005);
    std::vector<std::string> arquivos = {
        std::string(2000, '\0'),
        std::string(2000, '\r'),
        std::string(2000, '\n'),
        std::string(40000, 'A'),
        bom.substr(0, 600) + std::string(1200, '\xFF'),
    };
    for (int i = 0; i < 8; ++i) {
        std::string s = bom;
        for (int k = 0; k < 5; ++k) s[gerador() % s.size()] = static_cast<char>(gerador() % 256);
        arquivos.push_back(s);
        std::string lixo(1600 + gerador() % 3000, ' ');
        for (char& c : lixo) c = static_cast<char>(gerador() % 256);
        arquivos.push_back(lixo);
    }
    for (const auto& conteudo : arquivos) {
        const int resultado = Analisa(conteudo);
        ASSERT_TRUE(resultado == kAnaliseSemFalha || resultado == kAnaliseComFalha || resultado == kAnaliseRetificacao);
        if (resultado == kAnaliseComFalha) {
            auto f = Falhas();
            ASSERT_FALSE(f.empty());
            EXPECT_LE(f.size(), 3u);
        }
    }
}

TEST_F(Analise, LinhaDeComandoSaiComOResultado) {
    banco.Fecha();
    auto r = DeclaracaoPequena().Registros();
    const fs::path saida = pasta.Caminho() / "saida.txt";
    auto roda = [&](const std::string& conteudo) {
        teste::GravaArquivo(arquivo, conteudo);
        const std::string comando = (teste::PastaProgramas() / "gdzovi-lote").string() + " analisar '" +
                                    arquivo.string() + "' '" + pasta.Caminho().string() + "' > '" + saida.string() + "'";
        const int estado = std::system(comando.c_str());
        return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    };
    EXPECT_EQ(roda(Junta(r)), kAnaliseSemFalha);
    r[4].replace(0, 6, "000009");
    EXPECT_EQ(roda(Junta(r)), kAnaliseComFalha);
    std::ifstream f(saida);
    const std::string texto((std::istreambuf_iterator<char>(f)), {});
    EXPECT_NE(texto.find("Resultado: 1"), std::string::npos) << texto;
    EXPECT_NE(texto.find("1902   000005"), std::string::npos) << texto;
}

TEST_F(Analise, LeiauteDoAnoAnterior) {
    Declaracao d = DeclaracaoPequena();
    d.estabelecimentos[0].valores["TxUsoEstabelecimento"] = "USO DA EMPRE";
    d.estabelecimentos[0].valores["InPorte"] = "1";
    d.estabelecimentos[0].empregados[0].valores["TxUsoEmpregado"] = "MATRICULA 77";
    Registros r;
    for (const auto& reg : d.Registros()) r.push_back(ParaAnterior(reg));
    analise.DefineAnoAnterior(true);

    ASSERT_EQ(Analisa(Junta(r), /*zerar=*/false), kAnaliseSemFalha);
    Tabela emp(banco, "TE8EMP");
    emp.Abre();
    ASSERT_TRUE(emp.BuscaChave({"2004", "11222333000181", "00"}));
    EXPECT_EQ(emp.Texto("TxUsoEstabelecimento"), "USO DA EMPRE");
    EXPECT_EQ(emp.Texto("InPorte"), "3");
    EXPECT_EQ(emp.Texto("NuVinculoPatMenor5"), "000000");
    EXPECT_EQ(emp.Texto("PoCestaAlimento"), "000");
    EXPECT_EQ(emp.Texto("CoCNPJSindical"), "");
    emp.Fecha();
    {
        Tabela vinc(banco, "TE8VINC");
        vinc.Abre();
        ASSERT_TRUE(vinc.BuscaChave({"2004", "11222333000181", "00", "12345678901"}));
        EXPECT_EQ(vinc.Texto("TxUsoEmpregado"), "MATRICULA 77");
        EXPECT_EQ(vinc.Texto("VaJaneiroEmpregado"), "000123456");
        EXPECT_EQ(vinc.Texto("HoTrabalhadasJaneiro"), "");
    }

    // Imported with the values zeroed: salaries to zeros, leave emptied.
    ASSERT_EQ(Analisa(Junta(r), /*zerar=*/true), kAnaliseSemFalha);
    Tabela vinc(banco, "TE8VINC");
    vinc.Abre();
    ASSERT_TRUE(vinc.BuscaChave({"2004", "11222333000181", "00", "12345678901"}));
    EXPECT_EQ(vinc.Texto("VaJaneiroEmpregado"), "000000000");
    EXPECT_EQ(vinc.Texto("VaSalContratualEmpregado"), "000000000");
    EXPECT_EQ(vinc.Texto("CoMotivoPrimAfas"), "");
    EXPECT_EQ(vinc.Texto("VaGlobalFerias"), "00000000");
    vinc.Fecha();

    // A current file read as the previous year's is refused, and the other way round.
    EXPECT_EQ(Analisa(Junta(DeclaracaoPequena().Registros())), kAnaliseComFalha);
    analise.DefineAnoAnterior(false);
    EXPECT_EQ(Analisa(Junta(r)), kAnaliseComFalha);
}

}  // namespace
}  // namespace zovi
