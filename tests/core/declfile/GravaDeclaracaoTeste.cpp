// The writing run on small declarations, with emulated diskettes of a few records.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "declfile/GravaDeclaracao.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "platform/Texto1252.h"
#include "zovi2005.h"

namespace zovi {
namespace {

namespace fs = std::filesystem;
using teste::InteracaoRoteirizada;
using Campos = std::map<std::string, std::string>;

// Holds the capacity of every emulated diskette.
constexpr long kCapacidade = 3525 + 4 * 525;  // three employees after the establishment's record

// Scripted answers; "Insira o disquete # N" puts diskette N (folder disqueteN) in drive A:.
class Roteiro : public InteracaoRoteirizada {
public:
    Roteiro(const fs::path& base, std::deque<Resposta> respostas = {})
        : InteracaoRoteirizada(std::move(respostas)), base_(base) {}
    Resposta Mostra(TipoDialogo tipo, const std::string& texto) override {
        const std::string insira = "Insira o disquete # ";
        if (texto.rfind(insira, 0) == 0 && trocaDisquete && --pedidosAteTrocar <= 0)
            Insere(base_, std::stoi(texto.substr(insira.size())));
        return InteracaoRoteirizada::Mostra(tipo, texto);
    }
    bool trocaDisquete = true;
    int pedidosAteTrocar = 1;  // the diskette is changed at this prompt, not before

    static fs::path Disquete(const fs::path& base, int n) { return base / ("disquete" + std::to_string(n)); }
    static void Insere(const fs::path& base, int n, long capacidade = kCapacidade) {
        fs::create_directories(Disquete(base, n));
        ::setenv("GDZOVI_UNIDADE_A", (Disquete(base, n).string() + ":" + std::to_string(capacidade)).c_str(), 1);
    }
    std::vector<std::string> Textos() const {
        std::vector<std::string> r;
        for (const auto& m : mostradas) r.push_back(m.texto);
        return r;
    }

private:
    fs::path base_;
};

std::string Le(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// The records of a file, without their line ends; fails the test on a bad line.
std::vector<std::string> Registros(const fs::path& p) {
    const std::string c = Le(p);
    EXPECT_EQ(c.size() % 525, 0u) << p;
    std::vector<std::string> r;
    for (size_t i = 0; i + 525 <= c.size(); i += 525) {
        EXPECT_EQ(c.substr(i + 523, 2), "\r\n") << "record " << r.size() + 1;
        r.push_back(c.substr(i, 523));
    }
    return r;
}

std::string Campo(const std::string& registro, int posicao, int largura) {
    return registro.substr(static_cast<size_t>(posicao - 1), static_cast<size_t>(largura));
}

bool SeloConfere(const fs::path& p) {
    char selo[ZOVI2005_SELO] = {};
    hashFileGenerate(p.c_str(), selo);
    const std::string c = Le(p);
    return std::string(selo).size() == 32 && c.substr(c.size() - 34, 32) == selo;
}

class GravaDeclaracaoTeste : public ::testing::Test {
protected:
    teste::PastaTeste dados;
    teste::PastaTeste midias{false};
    Banco banco;

    void SetUp() override {
        banco.Abre("Zovi2005", {dados.Parametro()});
        Roteiro::Insere(midias.Caminho(), 1);
        Insere("BD8RESP", {{"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"},
                           {"NoResponsavelArquivo", "Maria da Conceição"}, {"NuRespostaPesquisa", "12"},
                           {"TxEMailRespArquivo", "maria@exemplo.com.br"}},
               {{"InReciboParaRespArquivo", true}});
    }
    void TearDown() override { ::unsetenv("GDZOVI_UNIDADE_A"); }

    void Insere(const std::string& tabela, const Campos& campos, const std::map<std::string, bool>& logicos = {}) {
        Tabela t(banco, tabela);
        t.Abre();
        t.Acrescenta();
        for (const auto& [c, v] : campos) t.PoeTexto(c, v);
        for (const auto& [c, v] : logicos) t.PoeLogico(c, v);
        t.Grava();
    }
    void Estabelecimento(const std::string& tabela, const std::string& inscricao, const std::string& prefixo,
                         int empregados) {
        Insere(tabela, {{"AnBase", "2005"}, {"CoCgcCeiEstabelecimento", inscricao},
                        {"NuPrefixoEstabelecimento", prefixo}, {"NoRazaoEstabelecimento", "Padaria São João ltda"},
                        {"InZoviNegEstabelecimento", empregados ? "0" : "1"}, {"InInscrEstabelecimento", "1"}});
    }
    void Empregados(const std::string& tabela, const std::string& inscricao, const std::string& prefixo, int n) {
        for (int i = 1; i <= n; ++i)
            Insere(tabela, {{"AnBase", "2005"}, {"CoCgcCeiEstabelecimento", inscricao},
                            {"NuPrefixoEstabelecimento", prefixo}, {"CoPisPasepEmpregado", "1000000000" + std::to_string(i)},
                            {"DaAdmissaoEmpregado", "01012005"}, {"NoEmpregado", "José " + std::to_string(i)},
                            {"NuSequencialRegistro", "000001"}, {"HoTrabalhadasJaneiro", "176"},
                            {"VaJaneiroEmpregado", "000123456"}});
    }
    ParametrosGravacao Selecao(std::vector<ItemSelecao> itens) {
        ParametrosGravacao p;
        p.selecao = std::move(itens);
        p.dataGeracao = "15032006";
        p.hora = "101112";
        return p;
    }
    // Rows of a receipt table as "field=value" lines for the fields asked.
    std::vector<std::string> Linhas(const std::string& tabela, const std::vector<std::string>& campos) {
        std::vector<std::string> r;
        Tabela t(banco, tabela);
        t.Abre();
        for (t.Primeiro(); !t.Fim(); t.Proximo()) {
            std::string l;
            for (const auto& c : campos) l += (l.empty() ? "" : " ") + t.Texto(c);
            r.push_back(l);
        }
        return r;
    }
    fs::path Arquivo(int disquete) { return Roteiro::Disquete(midias.Caminho(), disquete) / "Zovi2005"; }
};

TEST_F(GravaDeclaracaoTeste, EstabelecimentoSemEmpregadosDaTresRegistros) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    Roteiro ui(midias.Caminho());
    ASSERT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravado);
    EXPECT_TRUE(ui.mostradas.empty()) << ui.Textos().front();

    auto r = Registros(Arquivo(1));
    ASSERT_EQ(r.size(), 3u);
    const std::string e1 = "1122233300018100";
    EXPECT_EQ(Campo(r[0], 1, 23), "000001" + e1 + "0");
    EXPECT_EQ(Campo(r[0], 24, 1), "1");                         // receipt to the declarant
    EXPECT_EQ(Campo(r[0], 40, 20), "MARIA DA CONCEIçãO  ");     // accented letters as stored
    EXPECT_EQ(Campo(r[0], 223, 17), "20000000015032006");       // not rectifying, no date, G
    EXPECT_EQ(Campo(r[0], 240, 20), "MARIA@EXEMPLO.COM.BR");
    EXPECT_EQ(Campo(r[0], 285, 3), "V01");
    EXPECT_EQ(Campo(r[1], 1, 23), "000002" + e1 + "1");
    EXPECT_EQ(Campo(r[1], 24, 22), "PADARIA SãO JOãO LTDA ");
    EXPECT_EQ(Campo(r[1], 278, 1), "1");
    EXPECT_EQ(Campo(r[1], 293, 4), "2005");
    EXPECT_EQ(Campo(r[1], 300, 6), "000000");
    EXPECT_EQ(Campo(r[1], 330, 9), "200000000");
    EXPECT_EQ(Campo(r[2], 1, 47), "000003" + e1 + "9" + "000001" + "000000" + "000000" + "995211");
    EXPECT_EQ(Campo(r[2], 48, 3), "12 ");
    EXPECT_TRUE(SeloConfere(Arquivo(1)));

    EXPECT_EQ(Linhas("TE8PROID", {"NuDisquete", "AnBase", "CoCgcCeiEstabelecimento", "NuEstabelecimentos",
                                  "NuVinculos", "DaGeracao", "HoSenha", "InRetificacao", "InReciboParaRespArquivo"}),
              std::vector<std::string>{"1 2005 11222333000181 1 0 15032006 101112 False True"});
    EXPECT_EQ(Linhas("TE8PROES", {"NuDisquete", "NuPrefixoEstabelecimento", "NuVinculosEstabelecimento"}),
              std::vector<std::string>{"1 00 0"});
}

TEST_F(GravaDeclaracaoTeste, EmpregadoComPadroesEmBranco) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 1);
    Empregados("BD8VINC", "11222333000181", "00", 1);
    Roteiro ui(midias.Caminho());
    ASSERT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravado);
    auto r = Registros(Arquivo(1));
    ASSERT_EQ(r.size(), 4u);
    const std::string& v = r[2];
    EXPECT_EQ(Campo(v, 1, 34), "000003" "1122233300018100" "2" "10000000001");
    EXPECT_EQ(Campo(v, 35, 8), "JOSé 1  ");
    EXPECT_EQ(Campo(v, 137, 9), "000123456");
    EXPECT_EQ(Campo(v, 146, 9), "         ");  // no default: blank stays blank
    EXPECT_EQ(Campo(v, 267, 1), "9");
    EXPECT_EQ(Campo(v, 373, 8), "        ");
    EXPECT_EQ(Campo(v, 395, 8), "00000000");
    EXPECT_EQ(Campo(v, 417, 8), "        ");
    EXPECT_EQ(Campo(v, 469, 13), "0000000176000");
    EXPECT_EQ(Campo(r[3], 24, 18), "000001000001000000");
    EXPECT_TRUE(SeloConfere(Arquivo(1)));
}

TEST_F(GravaDeclaracaoTeste, DeclaracaoDivididaEmDoisDisquetes) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 5);
    Empregados("BD8VINC", "11222333000181", "00", 5);
    Estabelecimento("BD8EMP", "11222333000262", "01", 0);
    Roteiro ui(midias.Caminho());
    ASSERT_EQ(fGravaDeclaracao(banco,
                               Selecao({{"2005", "11222333000181", "00", true}, {"2005", "11222333000262", "01", true}}),
                               ui),
              kGravado);
    EXPECT_EQ(ui.Textos(), std::vector<std::string>{"Insira o disquete # 2\nno drive A:"});

    auto d1 = Registros(Arquivo(1));
    ASSERT_EQ(d1.size(), 6u);
    EXPECT_EQ(Campo(d1[1], 23, 1), "1");
    const std::string e1 = "1122233300018100", e2 = "1122233300026201";
    EXPECT_EQ(Campo(d1[4], 1, 23), "000005" + e1 + "2");
    EXPECT_EQ(Campo(d1[5], 1, 41), "000006" + e1 + "9" + "000001" + "000003" + "000000");
    EXPECT_TRUE(SeloConfere(Arquivo(1)));

    auto d2 = Registros(Arquivo(2));
    ASSERT_EQ(d2.size(), 6u);
    EXPECT_EQ(Campo(d2[0], 1, 23), "000001" + e1 + "0");  // sequence restarts; the establishment goes on
    EXPECT_EQ(Campo(d2[1], 1, 23), "000002" + e1 + "1");
    EXPECT_EQ(Campo(d2[2], 1, 34), "000003" + e1 + "2" + "10000000004");
    EXPECT_EQ(Campo(d2[4], 1, 23), "000005" + e2 + "1");
    EXPECT_EQ(Campo(d2[5], 1, 41), "000006" + e2 + "9" + "000002" + "000002" + "000001");
    EXPECT_TRUE(SeloConfere(Arquivo(2)));

    EXPECT_EQ(Linhas("TE8PROID", {"NuDisquete", "CoCgcCeiEstabelecimento", "NuEstabelecimentos", "NuVinculos"}),
              (std::vector<std::string>{"1 11222333000181 1 3", "2 11222333000181 2 2"}));
    EXPECT_EQ(Linhas("TE8PROES", {"NuDisquete", "CoCgcCeiEstabelecimento", "NuVinculosEstabelecimento"}),
              (std::vector<std::string>{"1 11222333000181 3", "2 11222333000181 2", "2 11222333000262 0"}));
}

TEST_F(GravaDeclaracaoTeste, DisqueteJaGravadoNaoServeDeProximo) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 5);
    Empregados("BD8VINC", "11222333000181", "00", 5);
    Roteiro ui(midias.Caminho(), {Resposta::Ok, Resposta::Ok});
    ui.pedidosAteTrocar = 2;  // OK pressed once without changing the diskette
    ASSERT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravado);
    EXPECT_EQ(ui.Textos(), (std::vector<std::string>{"Insira o disquete # 2\nno drive A:",
                                                     "Este disquete já foi gravado nesta gravação.",
                                                     "Insira o disquete # 2\nno drive A:"}));
    EXPECT_EQ(Registros(Arquivo(1)).size(), 6u);
    EXPECT_TRUE(SeloConfere(Arquivo(1)));
    EXPECT_EQ(Registros(Arquivo(2)).size(), 5u);
}

TEST_F(GravaDeclaracaoTeste, DisqueteComOutroArquivoERecusadoAteSerTrocado) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    std::ofstream(Arquivo(1).parent_path() / "outro.txt") << "x";
    Roteiro ui(midias.Caminho(), {Resposta::Ok, Resposta::Cancela, Resposta::Sim});
    ui.trocaDisquete = false;  // the user gives up instead of changing it
    ASSERT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravacaoInterrompida);
    EXPECT_EQ(ui.Textos(), (std::vector<std::string>{"O disco a ser gravado não pode conter arquivos.",
                                                     "Insira o disquete # 1\nno drive A:", "Deseja interromper?"}));
    EXPECT_FALSE(banco.ExisteTabela("TE8PROID"));
    EXPECT_FALSE(banco.ExisteTabela("TE8PROES"));
    EXPECT_TRUE(fs::exists(Arquivo(1).parent_path() / "outro.txt"));
    EXPECT_FALSE(fs::exists(Arquivo(1)));
}

// Nobody changes the diskette (as with yes '' | gdzovi-lote gravar): each refusal is said,
// and after a few the run stops instead of asking for ever.
TEST_F(GravaDeclaracaoTeste, DisqueteRecusadoQueNaoMudaEncerraAGravacao) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    std::ofstream(Arquivo(1).parent_path() / "outro.txt") << "x";
    Roteiro ui(midias.Caminho());  // every prompt answered OK
    ui.trocaDisquete = false;
    EXPECT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravacaoInterrompida);
    auto textos = ui.Textos();
    EXPECT_EQ(std::count(textos.begin(), textos.end(), "O disco a ser gravado não pode conter arquivos."), 3);
    EXPECT_EQ(textos.back(), "O disquete no drive A: continua o mesmo depois de recusado. Gravação interrompida.");
    EXPECT_FALSE(banco.ExisteTabela("TE8PROID"));
}

// Killed after its last record and before the seal: nothing on the diskette is named as a
// declaration and no receipt row speaks of it; the next run writes it whole.
TEST_F(GravaDeclaracaoTeste, MortaAntesDoSeloNaoDeixaArquivoComONomeDaDeclaracao) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 2);
    Empregados("BD8VINC", "11222333000181", "00", 2);
    struct MorreAposOUltimoRegistro : Roteiro {
        using Roteiro::Roteiro;
        void Progresso(long posicao, long maximo) override {
            if (maximo > 0 && posicao == maximo) _exit(9);
            Roteiro::Progresso(posicao, maximo);
        }
    };
    pid_t filho = fork();
    if (filho == 0) {
        try {
            Banco b;
            b.Abre("Zovi2005", {dados.Parametro()});
            MorreAposOUltimoRegistro ui(midias.Caminho());
            fGravaDeclaracao(b, Selecao({{"2005", "11222333000181", "00", true}}), ui);
        } catch (...) {
        }
        _exit(0);
    }
    int estado = 0;
    waitpid(filho, &estado, 0);
    ASSERT_TRUE(WIFEXITED(estado));
    ASSERT_EQ(WEXITSTATUS(estado), 9);
    EXPECT_FALSE(fs::exists(Arquivo(1)));
    if (banco.ExisteTabela("TE8PROID")) EXPECT_TRUE(Linhas("TE8PROID", {"NuDisquete"}).empty());

    Roteiro ui(midias.Caminho());
    ASSERT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravado);
    EXPECT_EQ(Registros(Arquivo(1)).size(), 5u);
    EXPECT_TRUE(SeloConfere(Arquivo(1)));
    EXPECT_EQ(std::distance(fs::directory_iterator(Arquivo(1).parent_path()), fs::directory_iterator()), 1);
}

TEST_F(GravaDeclaracaoTeste, TrocaDeDisqueteRecusado) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    // The drive holds a diskette with a folder; asked again, the user puts in an empty one.
    Roteiro::Insere(midias.Caminho(), 0);
    fs::create_directories(Roteiro::Disquete(midias.Caminho(), 0) / "pasta");
    Roteiro ui(midias.Caminho());
    ASSERT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravado);
    EXPECT_EQ(ui.Textos(), (std::vector<std::string>{"O disco a ser gravado não pode conter arquivos.",
                                                     "Insira o disquete # 1\nno drive A:"}));
    EXPECT_EQ(Registros(Arquivo(1)).size(), 3u);
}

TEST_F(GravaDeclaracaoTeste, ArquivoAnteriorSoESubstituidoComAutorizacao) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    const std::string pergunta =
        "Existe um arquivo de nome \"Zovi2005.\" no disquete montado no drive A .\nAutoriza gravar sobre?";
    {
        std::ofstream(Arquivo(1)) << "anterior";
        Roteiro ui(midias.Caminho(), {Resposta::Nao, Resposta::Cancela, Resposta::Sim});
        ui.trocaDisquete = false;
        EXPECT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui),
                  kGravacaoInterrompida);
        EXPECT_EQ(ui.Textos(), (std::vector<std::string>{pergunta, "Insira o disquete # 1\nno drive A:",
                                                         "Deseja interromper?"}));
        EXPECT_EQ(Le(Arquivo(1)), "anterior") << "a file the user kept stays";
    }
    {
        Roteiro ui(midias.Caminho(), {Resposta::Sim});
        EXPECT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravado);
        EXPECT_EQ(ui.Textos(), std::vector<std::string>{pergunta});
        EXPECT_EQ(Registros(Arquivo(1)).size(), 3u);
        EXPECT_TRUE(SeloConfere(Arquivo(1)));
    }
}

// A folder chosen instead of a drive: no diskette prompt and no size limit; an earlier
// declaration there is replaced only with the user's leave; past the records a file can hold the
// declaration goes on in "disquete-2", "disquete-3", ..., each file complete and sealed.
TEST_F(GravaDeclaracaoTeste, PastaEscolhidaSemLimiteDeTamanho) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 8);
    Empregados("BD8VINC", "11222333000181", "00", 8);
    Estabelecimento("BD8EMP", "11222333000262", "01", 0);
    const fs::path pasta = midias.Caminho() / "Minha pasta";
    fs::create_directories(pasta);
    std::ofstream(pasta / "outro.txt") << "os outros arquivos da pasta ficam";
    std::ofstream(pasta / "Zovi2005") << "anterior";
    auto p = Selecao({{"2005", "11222333000181", "00", true}, {"2005", "11222333000262", "01", true}});
    p.pasta = pasta;
    p.maximoRegistros = 6;  // header, establishment, three employees, trailer
    const std::string pergunta =
        "Existe um arquivo de nome \"Zovi2005\" na pasta " + pasta.string() + ".\nAutoriza gravar sobre?";
    {
        Roteiro ui(midias.Caminho(), {Resposta::Nao});
        EXPECT_EQ(fGravaDeclaracao(banco, p, ui), kGravacaoInterrompida);
        EXPECT_EQ(ui.Textos(), std::vector<std::string>{pergunta});
        EXPECT_EQ(Le(pasta / "Zovi2005"), "anterior");
    }
    Roteiro ui(midias.Caminho(), {Resposta::Sim});
    ASSERT_EQ(fGravaDeclaracao(banco, p, ui), kGravado);
    EXPECT_EQ(ui.Textos(), std::vector<std::string>{pergunta});
    const std::vector<fs::path> arquivos{pasta / "Zovi2005", pasta / "disquete-2" / "Zovi2005",
                                         pasta / "disquete-3" / "Zovi2005"};
    std::vector<size_t> registros;
    for (const auto& a : arquivos) {
        registros.push_back(Registros(a).size());
        EXPECT_TRUE(SeloConfere(a)) << a;
    }
    // Every file full: 8 employees over three files (3 + 3 + 2), the second establishment in the last.
    EXPECT_EQ(registros, (std::vector<size_t>{6, 6, 6}));
    EXPECT_EQ(Campo(Registros(arquivos[1])[0], 1, 6), "000001");
    EXPECT_TRUE(fs::exists(pasta / "outro.txt"));
    EXPECT_FALSE(fs::exists(Roteiro::Disquete(midias.Caminho(), 1) / "Zovi2005")) << "drive A: untouched";
    EXPECT_EQ(Linhas("TE8PROID", {"NuDisquete", "NuEstabelecimentos", "NuVinculos"}),
              (std::vector<std::string>{"1 1 3", "2 1 3", "3 2 2"}));
}

// A folder holds one declaration: the parts of an earlier, larger one in "disquete-N" go with
// its file, after one question; a stale "disquete-2" alone is asked about too, and a No keeps it.
TEST_F(GravaDeclaracaoTeste, PastaSemPartesDaDeclaracaoAnterior) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    const fs::path pasta = midias.Caminho() / "entregas";
    for (const char* sub : {"disquete-2", "disquete-3", "disquete-x"}) {
        fs::create_directories(pasta / sub);
        std::ofstream(pasta / sub / "Zovi2005") << "parte anterior";
    }
    auto p = Selecao({{"2005", "11222333000181", "00", true}});
    p.pasta = pasta;
    {
        Roteiro ui(midias.Caminho(), {Resposta::Nao});
        EXPECT_EQ(fGravaDeclaracao(banco, p, ui), kGravacaoInterrompida);
        EXPECT_EQ(ui.Textos(), std::vector<std::string>{"Existe um arquivo de nome \"Zovi2005\" em disquete-2, disquete-3"
                                                        " da pasta " + pasta.string() + ".\nAutoriza gravar sobre?"});
        EXPECT_TRUE(fs::exists(pasta / "disquete-2" / "Zovi2005"));
        EXPECT_FALSE(fs::exists(pasta / "Zovi2005"));
    }
    std::ofstream(pasta / "Zovi2005") << "anterior";
    Roteiro ui(midias.Caminho(), {Resposta::Sim});
    ASSERT_EQ(fGravaDeclaracao(banco, p, ui), kGravado);
    ASSERT_EQ(ui.Textos().size(), 1u);
    EXPECT_EQ(ui.Textos()[0], "Existe um arquivo de nome \"Zovi2005\" na pasta " + pasta.string() +
                                  " (e em disquete-2, disquete-3).\nAutoriza gravar sobre?");
    EXPECT_TRUE(SeloConfere(pasta / "Zovi2005"));
    EXPECT_FALSE(fs::exists(pasta / "disquete-2" / "Zovi2005"));
    EXPECT_FALSE(fs::exists(pasta / "disquete-3" / "Zovi2005"));
    EXPECT_TRUE(fs::exists(pasta / "disquete-x" / "Zovi2005")) << "not a part of a declaration";
}

// A file the system refuses in a folder: the run fails with the system's reason, which the
// message gives in place of changing the diskette.
TEST_F(GravaDeclaracaoTeste, FalhaNaPastaDizOMotivo) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    const fs::path pasta = midias.Caminho() / "entregas";
    fs::create_directories(pasta / "Zovi2005.tmp");  // the name the file is written under
    auto p = Selecao({{"2005", "11222333000181", "00", true}});
    p.pasta = pasta;
    Roteiro ui(midias.Caminho());
    std::string motivo;
    EXPECT_EQ(fGravaDeclaracao(banco, p, ui, &motivo), kFalhaGravacao);
    EXPECT_EQ(ui.Textos(), std::vector<std::string>{});
    const std::string esperado =
        "Não foi possível gravar " + (pasta / "Zovi2005").string() + ": existe uma pasta com o nome do arquivo.";
    EXPECT_EQ(motivo, esperado);
    EXPECT_EQ(MensagemFalhaGravacao(p, motivo), "Ocorreu um erro durante a gravação do arquivo \"ZOVI2005\".\n" + esperado);
    p.pasta.reset();
    EXPECT_EQ(MensagemFalhaGravacao(p, ""), "Ocorreu um erro durante a gravação do arquivo \"ZOVI2005\".\n"
                                             "Substitua o disquete e tente novamente.");
    EXPECT_FALSE(banco.ExisteTabela("TE8PROID"));
}

TEST_F(GravaDeclaracaoTeste, InterrupcaoConfirmadaNaoDeixaArquivoNemRecibo) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 2);
    Empregados("BD8VINC", "11222333000181", "00", 2);
    Roteiro ui(midias.Caminho(), {Resposta::Sim});
    ui.InterrompeApos(3);  // after the establishment's record
    EXPECT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravacaoInterrompida);
    EXPECT_EQ(ui.Textos(), std::vector<std::string>{"Deseja interromper?"});
    EXPECT_FALSE(fs::exists(Arquivo(1)));
    EXPECT_FALSE(banco.ExisteTabela("TE8PROID"));
    EXPECT_FALSE(banco.ExisteTabela("TE8PROES"));
}

TEST_F(GravaDeclaracaoTeste, InterrupcaoRecusadaNaoPerdeNada) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 2);
    Empregados("BD8VINC", "11222333000181", "00", 2);
    Roteiro ui(midias.Caminho(), {Resposta::Nao});
    ui.InterrompeApos(3);
    EXPECT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravado);
    EXPECT_EQ(ui.Textos(), std::vector<std::string>{"Deseja interromper?"}) << "asked once";
    auto r = Registros(Arquivo(1));
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(Campo(r[4], 1, 35), "000005" "1122233300018100" "9" "000001" "000002");
    EXPECT_TRUE(SeloConfere(Arquivo(1)));
    EXPECT_EQ(ui.progresso.back(), std::make_pair(3L, 3L));
}

TEST_F(GravaDeclaracaoTeste, SemDisqueteNoDrive) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    ::setenv("GDZOVI_UNIDADE_A", (midias.Caminho() / "vazio").c_str(), 1);
    Roteiro ui(midias.Caminho(), {Resposta::Ok, Resposta::Cancela, Resposta::Nao, Resposta::Cancela, Resposta::Sim});
    EXPECT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravacaoInterrompida);
    const std::string semDisco = "Disquete com problema ou não há disquete no drive A:";
    EXPECT_EQ(ui.Textos(), (std::vector<std::string>{semDisco, semDisco, "Deseja interromper?", semDisco,
                                                     "Deseja interromper?"}));
}

TEST_F(GravaDeclaracaoTeste, DisqueteAbaixoDoMinimo) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    Roteiro::Insere(midias.Caminho(), 1, 1409);
    Roteiro ui(midias.Caminho(), {Resposta::Ok, Resposta::Cancela, Resposta::Sim});
    ui.trocaDisquete = false;
    EXPECT_EQ(fGravaDeclaracao(banco, Selecao({{"2005", "11222333000181", "00", true}}), ui), kGravacaoInterrompida);
    EXPECT_EQ(ui.Textos().front(),
              "Espaço disponível para gravação abaixo do mínimo aceitável.\nSubstitua o disquete.");
}

TEST_F(GravaDeclaracaoTeste, EstabelecimentoSelecionadoInexistente) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    Roteiro ui(midias.Caminho());
    EXPECT_EQ(fGravaDeclaracao(banco,
                               Selecao({{"2005", "11222333000181", "00", true}, {"2005", "99999999000191", "00", true}}),
                               ui),
              kFalhaGravacao);
    EXPECT_EQ(ui.Textos(),
              std::vector<std::string>{"Erro na leitura dos dados para gravação do arquivo \"Zovi2005\"!"});
    EXPECT_FALSE(fs::exists(Arquivo(1)));
    EXPECT_FALSE(banco.ExisteTabela("TE8PROID"));
}

TEST_F(GravaDeclaracaoTeste, SoOsMarcadosSaoGravados) {
    Estabelecimento("BD8EMP", "11222333000181", "00", 0);
    Estabelecimento("BD8EMP", "11222333000262", "01", 0);
    Roteiro ui(midias.Caminho());
    ASSERT_EQ(fGravaDeclaracao(banco,
                               Selecao({{"2005", "11222333000181", "00", false}, {"2005", "11222333000262", "01", true}}),
                               ui),
              kGravado);
    auto r = Registros(Arquivo(1));
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(Campo(r[0], 7, 16), "1122233300026201");
    EXPECT_EQ(Campo(r[2], 24, 18), "000001000000000001");
}

TEST_F(GravaDeclaracaoTeste, RetificacaoDasTabelasDeTrabalho) {
    for (const char* t : {"BD8EMP", "BD8VINC", "BD8RESP"})
        banco.CriaTabelaComo(t, std::string("TE8") + (t + 3), true);
    Estabelecimento("TE8EMP", "11222333000181", "00", 1);
    Empregados("TE8VINC", "11222333000181", "00", 1);
    Insere("TE8RESP", {{"NoResponsavelArquivo", "Outro"}, {"DaGeracao", "01022006"}});
    ParametrosGravacao p;
    p.retificacao = p.trabalho = true;
    p.dataGeracao = "15032006";
    Roteiro ui(midias.Caminho());
    ASSERT_EQ(fGravaDeclaracao(banco, p, ui), kGravado);
    auto r = Registros(Arquivo(1));
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(Campo(r[0], 24, 1), "2");
    EXPECT_EQ(Campo(r[0], 40, 5), "OUTRO");
    EXPECT_EQ(Campo(r[0], 223, 17), "11503200601022006");  // blank rectification date -> G; stored generation date
    EXPECT_EQ(Campo(r[3], 42, 6), "995212");
    EXPECT_EQ(Linhas("TE8PROID", {"InRetificacao"}), std::vector<std::string>{"True"});
}

// gdzovi-lote gravar with its output; the exit status.
int Lote(const std::string& ambiente, const std::string& args, std::string* saida = nullptr) {
    const std::string lote = (teste::PastaProgramas() / "gdzovi-lote").string();
    const fs::path log = fs::temp_directory_path() / ("gravar-" + std::to_string(::getpid()) + ".log");
    const std::string cmd = ambiente + " " + lote + " gravar " + args + " </dev/null >'" + log.string() + "' 2>&1";
    const int status = WEXITSTATUS(std::system(cmd.c_str()));
    if (saida) *saida = Le(log);
    fs::remove(log);
    return status;
}

// A declaration the verification passes, for the command that verifies before writing.
class ComandoGravarTeste : public GravaDeclaracaoTeste {
protected:
    void SetUp() override {
        GravaDeclaracaoTeste::SetUp();
        bancada::ParametrosGeracao p;
        p.empregadosPorEstabelecimento = 6;
        bancada::GeraDeclaracao(banco, p);
        banco.Fecha();
    }
    // A diskette of 1.44 MB in drive A: `unidade`; the command's output is UTF-8.
    int Roda(const std::string& unidade, const std::string& args, std::string* saida = nullptr) {
        return Lote("GDZOVI_UNIDADE_A=" + unidade + ":1457664", dados.Caminho().string() + " " + args, saida);
    }
    static bool Diz(const std::string& saida, const std::string& texto1252) {
        return saida.find(Cp1252ParaUtf8(texto1252)) != std::string::npos;
    }
    void Altera(const std::string& sql) {
        Banco b;
        b.Abre("Zovi2005", {dados.Parametro()});
        Consulta q(b, {sql});
        q.Executa();
    }
};

TEST_F(ComandoGravarTeste, DaLinhaDeComando) {
    const std::string disquete = Arquivo(1).parent_path().string();
    EXPECT_EQ(Roda(disquete, "--unidade C"), 64);
    EXPECT_EQ(Roda((midias.Caminho() / "nenhum").string(), "--unidade A --data 15032006"), 2)
        << "no diskette: Cancel at EOF";
    EXPECT_FALSE(fs::exists(Arquivo(1)));
    std::string saida;
    ASSERT_EQ(Roda(disquete, "--unidade A --data 15032006", &saida), 0);
    EXPECT_TRUE(Diz(saida, "Arquivo gerado com SUCESSO !")) << saida;
    auto r = Registros(Arquivo(1));
    ASSERT_EQ(r.size(), 9u);
    EXPECT_EQ(Campo(r[0], 232, 8), "15032006");
    EXPECT_TRUE(SeloConfere(Arquivo(1)));
    EXPECT_EQ(Roda(disquete, "--unidade A --data 15032006"), 2) << "the earlier file is kept without --sim";
    EXPECT_EQ(Roda(disquete, "--unidade A --data 15032006 --sim"), 0);
}

// The generation date is checked as the wizard checks it, the catalogue's message said; without
// --data the date is today's, which is outside 2006.
TEST_F(ComandoGravarTeste, DataDaGeracaoCriticada) {
    const std::string disquete = Arquivo(1).parent_path().string();
    const std::pair<const char*, const char*> casos[] = {
        {"31122005", "(0420)"}, {"01012007", "(0423)"}, {"31022006", "(0421)"}, {"1503", "(0421)"}};
    for (const auto& [data, codigo] : casos) {
        std::string saida;
        EXPECT_EQ(Roda(disquete, std::string("--unidade A --data ") + data, &saida), 64) << data;
        EXPECT_TRUE(Diz(saida, codigo)) << saida;
    }
    std::string saida;
    EXPECT_EQ(Roda(disquete, "--unidade A", &saida), 64);
    EXPECT_TRUE(Diz(saida, "Sem --data vale a data de hoje")) << saida;
    EXPECT_FALSE(fs::exists(Arquivo(1)));
    EXPECT_EQ(Roda(disquete, "--unidade A --data 01012006"), 0);
    EXPECT_EQ(Roda(disquete, "--unidade A --data 31122006 --sim"), 0);
}

// The verification runs first: errors write nothing and fail with their count and the way to
// see them; warnings are said and the declaration is written.
TEST_F(ComandoGravarTeste, VerificaAntesDeGravar) {
    const std::string disquete = Arquivo(1).parent_path().string();
    Altera("update BD8EMP set NoRazaoEstabelecimento = ''");
    std::string saida;
    EXPECT_EQ(Roda(disquete, "--unidade A --data 15032006", &saida), 1);
    EXPECT_TRUE(Diz(saida, "erro(s) e não foi gravada")) << saida;
    EXPECT_TRUE(Diz(saida, "gdzovi-lote relatorio erros")) << saida;
    EXPECT_FALSE(Diz(saida, "SUCESSO")) << saida;
    EXPECT_TRUE(fs::is_empty(Arquivo(1).parent_path()));

    Altera("update BD8EMP set NoRazaoEstabelecimento = 'PADARIA', NuEstrangeirosEstabelec = '3'");
    EXPECT_EQ(Roda(disquete, "--unidade A --data 15032006", &saida), 0) << saida;
    EXPECT_TRUE(Diz(saida, "aviso(s), que não impedem a gravação")) << saida;
    EXPECT_TRUE(SeloConfere(Arquivo(1)));
}

// --pasta: the folder made when missing, the file sealed there; an earlier file replaced only
// with --sim; a drive and a folder together, or a folder that is a file, refused.
TEST_F(ComandoGravarTeste, NumaPasta) {
    const std::string unidade = Arquivo(1).parent_path().string();
    auto roda = [&](const std::string& args) { return Roda(unidade, "--data 15032006 " + args); };
    // A name with an accent, in UTF-8 as the system names files.
    const fs::path pasta = midias.Caminho() / Cp1252ParaUtf8("declaração 2005");
    std::ofstream(midias.Caminho() / "um-arquivo") << "x";
    EXPECT_EQ(roda("--pasta '" + pasta.string() + "' --unidade A"), 64);
    EXPECT_EQ(roda("--pasta '" + (midias.Caminho() / "um-arquivo").string() + "'"), 64);
    ASSERT_EQ(roda("--pasta '" + pasta.string() + "'"), 0);
    const std::string primeiro = Le(pasta / "Zovi2005");
    EXPECT_EQ(Registros(pasta / "Zovi2005").size(), 9u);
    EXPECT_TRUE(SeloConfere(pasta / "Zovi2005"));
    EXPECT_FALSE(fs::exists(Arquivo(1)));
    std::string saida;
    EXPECT_EQ(Roda(unidade, "--data 15032006 --pasta '" + pasta.string() + "'", &saida), 2)
        << "the earlier file is kept without --sim";
    // The path is said as the terminal shows it (UTF-8), and the file's name without a dot.
    EXPECT_NE(saida.find("Existe um arquivo de nome \"Zovi2005\" na pasta " + pasta.string() + ".\n"),
              std::string::npos)
        << saida;
    EXPECT_TRUE(Diz(saida, "Autoriza gravar sobre?")) << saida;
    EXPECT_EQ(Le(pasta / "Zovi2005"), primeiro);
    EXPECT_EQ(roda("--pasta '" + pasta.string() + "' --sim"), 0);
    EXPECT_TRUE(SeloConfere(pasta / "Zovi2005"));
}

}  // namespace
}  // namespace zovi

namespace zovi {
namespace {

TEST(DataGeracaoTeste, SoDatasDe2006) {
    const std::pair<const char*, const char*> casos[] = {
        {"15032006", "0000"}, {"01012006", "0000"}, {"31122006", "0000"}, {"31122005", "0420"},
        {"00000000", "0420"}, {"", "0421"},         {"        ", "0421"}, {"01012007", "0423"},
        {"31022006", "0421"}, {"1503200", "0421"},  {"15/03/06", "0421"}, {"150320061", "0421"},
    };
    for (const auto& [data, codigo] : casos) EXPECT_EQ(fCriticaDataDigitada(data), codigo) << '"' << data << '"';
}

}  // namespace
}  // namespace zovi
