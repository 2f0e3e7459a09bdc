#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>

#include "FalhaGravacao.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "data/ListasSelecao.h"
#include "data/ModulosDados.h"
#include "engine/Erros.h"
#include "entry/ManutencaoLote.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "platform/Texto1252.h"

using namespace zovi;
using zovi::teste::PastaTeste;

namespace {

const ChaveEstabelecimento kLoja{"2005", "11222333000181", "01"};
const ChaveEstabelecimento kFilial{"2005", "11222333000181", "02"};
const ChaveEstabelecimento kObra{"2005", "00123456789010", "00"};  // a CEI, stored with "00" in front

struct Empregado {
    const char* pis;
    const char* admissao;
    const char* nome;
    const char* sequencial;
    const char* nacionalidade;
};

// The shop: a foreigner, a worker with two rows told apart only by the sequence number,
// and two workers without a PIS/PASEP number admitted the same day.
const Empregado kEmpregados[] = {
    {"12345678919", "01022005", "JOAO DA SILVA", "000001", "10"},
    {"10987654321", "15032005", "ANA MARIA LOPEZ", "000002", "30"},
    {"20000000001", "01042005", "CARLOS PRADO", "000003", "10"},
    {"20000000001", "01042005", "CARLOS PRADO", "000004", "10"},
    {"00000000000", "01052005", "PEDRO SEM PIS", "000005", "10"},
    {"00000000000", "01052005", "PAULO SEM PIS", "000006", "10"},
};

class ManutencaoLoteTeste : public ::testing::Test {
protected:
    PastaTeste pasta;
    std::unique_ptr<TdmGDZovi> dm = std::make_unique<TdmGDZovi>(pasta.Caminho());
    std::unique_ptr<TdmEntradaDados> entrada = std::make_unique<TdmEntradaDados>(*dm);
    Banco& banco = dm->dbZovi;

    void SetUp() override {
        Estabelecimento(kLoja, "1", "LOJA CENTRAL LTDA");
        Estabelecimento(kFilial, "1", "LOJA CENTRAL LTDA");
        Estabelecimento(kObra, "3", "OBRA DA PRACA");
        for (const auto& e : kEmpregados) Vinculo(kLoja, e);
        Vinculo(kFilial, {"12345678919", "01022005", "JOAO DA SILVA", "000001", "10"});
        Vinculo(kObra, {"12345678919", "01062005", "JOAO DA SILVA", "000001", "10"});
    }

    void Estabelecimento(const ChaveEstabelecimento& c, const char* tipo, const char* nome) {
        Tabela t(banco, "BD8EMP");
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("AnBase", c.anoBase);
        t.PoeTexto("CoCgcCeiEstabelecimento", c.inscricao);
        t.PoeTexto("NuPrefixoEstabelecimento", c.prefixo);
        t.PoeTexto("InInscrEstabelecimento", tipo);
        t.PoeTexto("InZoviNegEstabelecimento", "0");
        t.PoeTexto("NoRazaoEstabelecimento", nome);
        t.PoeTexto("CoCgcVinculado", "00000000000000");
        t.PoeTexto("NuVinculosEstabelecimento", "000099");  // wrong on purpose: operations recount
        t.Grava();
    }

    void Vinculo(const ChaveEstabelecimento& c, const Empregado& e) {
        Tabela t(banco, "BD8VINC");
        t.Abre();
        t.Acrescenta();
        t.PoeTexto("AnBase", c.anoBase);
        t.PoeTexto("CoCgcCeiEstabelecimento", c.inscricao);
        t.PoeTexto("NuPrefixoEstabelecimento", c.prefixo);
        t.PoeTexto("CoPisPasepEmpregado", e.pis);
        t.PoeTexto("DaAdmissaoEmpregado", e.admissao);
        t.PoeTexto("NoEmpregado", e.nome);
        t.PoeTexto("NuSequencialRegistro", e.sequencial);
        t.PoeTexto("CoNacionalidade", e.nacionalidade);
        t.PoeTexto("CoVinculo", "10");
        t.Grava();
    }

    // Names of the establishment's employee rows, in key order.
    std::vector<std::string> Nomes(const ChaveEstabelecimento& c) {
        Consulta q(banco, {"select NoEmpregado from bd8Vinc where AnBase = :a and CoCgcCeiEstabelecimento = :i",
                           "and NuPrefixoEstabelecimento = :p order by CoPisPasepEmpregado, DaAdmissaoEmpregado,",
                           "NoEmpregado, NuSequencialRegistro"});
        q.Parametro("a", c.anoBase);
        q.Parametro("i", c.inscricao);
        q.Parametro("p", c.prefixo);
        std::vector<std::string> r;
        for (q.Abre(); !q.Fim(); q.Proximo()) r.push_back(q.Texto(0));
        return r;
    }

    // A field of the establishment's row; "(ausente)" when there is no row.
    std::string Campo(const ChaveEstabelecimento& c, const std::string& campo) {
        Tabela t(banco, "BD8EMP");
        t.Abre();
        return t.BuscaChave({c.anoBase, c.inscricao, c.prefixo}) ? t.Texto(campo) : "(ausente)";
    }

    // Every stored row of both declaration tables, as text: what a failed operation must leave.
    std::string Conteudo() {
        std::string r;
        for (const char* tabela : {"BD8EMP", "BD8VINC"}) {
            Tabela t(dm->dbZovi, tabela);
            t.Abre();
            for (t.Primeiro(); !t.Fim(); t.Proximo()) {
                for (const auto& campo : t.Definicao().campos) r += t.Texto(campo.nome) + "|";
                r += "\n";
            }
        }
        return r;
    }

    // The shop's employee lines as the wizard's tick list shows them.
    std::vector<std::string> LinhasLoja(char ordem) { return MarcaEmpregados(dm->quBd8Emp, "2005", kLoja.inscricao, kLoja.prefixo, ordem); }

    std::vector<EmpregadoMarcado> Marcados(char ordem, std::function<bool(const std::string&)> marca) {
        std::vector<EmpregadoMarcado> r;
        for (const auto& l : LinhasLoja(ordem))
            if (marca(l)) r.push_back(LeLinhaEmpregado(l.substr(0, 65), ordem));
        return r;
    }

    // A trigger in the table's file that fails the statement touching that employee.
    void FalhaAoTocar(const char* tabela, const char* evento, const char* condicao) {
        banco.Fixa(tabela);
        banco.ExecutaDireto(std::string("CREATE TRIGGER \"") + tabela + "\".falha_" + evento + " BEFORE " + evento + " ON \"" + tabela +
                            "\" WHEN " + condicao + " BEGIN SELECT RAISE(ABORT, 'falha injetada'); END");
        banco.Solta(tabela);
    }
};

TEST_F(ManutencaoLoteTeste, LinhasDasListasDevolvemAsChavesGuardadas) {
    // Establishment lines: a CNPJ as it is, a CEI brought back to 14 with "00".
    std::map<std::string, EstabelecimentoEscolhido> porPrefixo;
    for (const auto& l : ListaEstabelecimentos(dm->quBd8Emp, "2005", 'N')) {
        auto e = LeLinhaEstabelecimento(l, LeituraInscricao::Preenche);
        porPrefixo[e.inscricao + e.prefixo] = e;
    }
    ASSERT_EQ(porPrefixo.size(), 3u);
    EXPECT_EQ(porPrefixo.at(kObra.inscricao + "00").inscricaoFormatada, "12-345-67.890-1/0");
    EXPECT_EQ(porPrefixo.at(kObra.inscricao + "00").nome, "OBRA DA PRACA");
    EXPECT_EQ(porPrefixo.at(kLoja.inscricao + "01").inscricaoFormatada, "11.222.333/0001-81");
    // A CPF-length inscription, which only the transfer reads with "000" in front.
    const std::string cpf = "123.456.789-09    01  PESSOA";
    EXPECT_EQ(LeLinhaEstabelecimento(cpf, LeituraInscricao::Transferencia).inscricao, "00012345678909");
    EXPECT_EQ(CriticaInscricaoEscolhida(LeLinhaEstabelecimento(cpf, LeituraInscricao::Transferencia),
                                        LeituraInscricao::Transferencia), "0056");
    EXPECT_FALSE(InscricaoAceita(CriticaInscricaoEscolhida(LeLinhaEstabelecimento(cpf, LeituraInscricao::Preenche),
                                                            LeituraInscricao::Preenche)));
    EXPECT_EQ(EscolhaDe(banco, kObra, LeituraInscricao::Preenche).inscricao, kObra.inscricao);

    // Employee lines of both orders give the same keys, names never cut.
    for (char ordem : {'0', '1'}) {
        std::vector<std::string> chaves;
        for (const auto& l : LinhasLoja(ordem)) {
            auto e = LeLinhaEmpregado(l.substr(0, 65), ordem);
            chaves.push_back(e.pisPasep + e.admissao + e.nome);
        }
        std::sort(chaves.begin(), chaves.end());
        EXPECT_EQ(chaves.front(), "0000000000001052005PAULO SEM PIS") << ordem;
        EXPECT_EQ(chaves.back(), "2000000000101042005CARLOS PRADO") << ordem;
    }
}

TEST_F(ManutencaoLoteTeste, ExclusaoDoEstabelecimentoLevaSeusEmpregadosESoEles) {
    teste::InteracaoRoteirizada progresso;
    EXPECT_EQ(ExcluiEstabelecimento(*entrada, kLoja, &progresso), 6);
    EXPECT_EQ(Campo(kLoja, "NoRazaoEstabelecimento"), "(ausente)");
    EXPECT_TRUE(Nomes(kLoja).empty());
    EXPECT_EQ(Nomes(kFilial).size(), 1u);
    EXPECT_EQ(Campo(kFilial, "NuVinculosEstabelecimento"), "000099");
    ASSERT_FALSE(progresso.progresso.empty());
    EXPECT_EQ(progresso.progresso.back(), std::make_pair(7L, 7L));

    // Without employees the row still goes and the bar fills at once.
    Estabelecimento({"2005", "11222333000181", "03"}, "1", "VAZIA");
    teste::InteracaoRoteirizada vazio;
    EXPECT_EQ(ExcluiEstabelecimento(*entrada, {"2005", "11222333000181", "03"}, &vazio), 0);
    EXPECT_EQ(vazio.progresso.back(), std::make_pair(1L, 1L));
}

TEST_F(ManutencaoLoteTeste, ExclusaoMultiplaApagaSoOsMarcadosERecontaEmQualquerOrdem) {
    for (char ordem : {'0', '1'}) {
        SCOPED_TRACE(ordem);
        // Ana (the foreigner), one of Carlos's two rows, and Pedro of the two without PIS.
        auto marcados = Marcados(ordem, [](const std::string& l) {
            static bool carlos = false;
            if (l.find("CARLOS") != std::string::npos) return carlos = !carlos;
            return l.find("ANA") != std::string::npos || l.find("PEDRO") != std::string::npos;
        });
        ASSERT_EQ(marcados.size(), 3u);
        EXPECT_EQ(ExcluiEmpregados(*entrada, kLoja, marcados), 3);
        EXPECT_EQ(Nomes(kLoja), (std::vector<std::string>{"PAULO SEM PIS", "JOAO DA SILVA", "CARLOS PRADO"}));
        EXPECT_EQ(Campo(kLoja, "NuVinculosEstabelecimento"), "000003");
        EXPECT_EQ(Campo(kLoja, "NuEstrangeirosEstabelec"), "00000");
        EXPECT_EQ(Campo(kLoja, "InOpcaoAberta"), "");
        EXPECT_EQ(Nomes(kFilial).size(), 1u);
        // Put the shop back for the other order.
        Vinculo(kLoja, kEmpregados[1]);
        Vinculo(kLoja, kEmpregados[2]);
        Vinculo(kLoja, kEmpregados[4]);
    }
}

TEST_F(ManutencaoLoteTeste, TransferenciaCriaODestinoEMoveExatamenteOsMarcados) {
    const DestinoTransferencia destino{"00123456789010", "05", "3"};
    EXPECT_EQ(CriticaDestinoExiste(banco, {"2005", destino.inscricao, destino.prefixo}), "0000");
    EXPECT_EQ(CriticaDestinoExiste(banco, kLoja), "1308");  // the source itself
    EXPECT_EQ(CriticaCeiVinculadoOrigem(banco, kLoja), "0000");

    // Carlos's one line moves both of his rows; Ana goes with her foreign nationality.
    auto marcados = Marcados('0', [](const std::string& l) {
        return l.find("CARLOS") != std::string::npos || l.find("ANA") != std::string::npos;
    });
    marcados.erase(marcados.begin() + 2, marcados.end());  // the list shows Carlos twice: one line ticked
    EXPECT_EQ(TransfereEmpregados(*entrada, kLoja, destino, marcados), 3);
    const ChaveEstabelecimento novo{"2005", destino.inscricao, destino.prefixo};
    EXPECT_EQ(Nomes(novo), (std::vector<std::string>{"ANA MARIA LOPEZ", "CARLOS PRADO", "CARLOS PRADO"}));
    EXPECT_EQ(Nomes(kLoja).size(), 3u);
    EXPECT_EQ(Campo(kLoja, "NuVinculosEstabelecimento"), "000003");
    EXPECT_EQ(Campo(kLoja, "NuEstrangeirosEstabelec"), "00000");
    EXPECT_EQ(Campo(novo, "NuVinculosEstabelecimento"), "000003");
    EXPECT_EQ(Campo(novo, "NuEstrangeirosEstabelec"), "00001");
    EXPECT_EQ(Campo(novo, "InInscrEstabelecimento"), "3");
    EXPECT_EQ(Campo(novo, "InOpcaoAberta"), "");
    EXPECT_EQ(Campo(novo, "NoRazaoEstabelecimento"), "");
    EXPECT_EQ(Campo(novo, "CoCnae"), "00000");
    EXPECT_EQ(Campo(novo, "InAtividadeAnoBase"), "1");

    // A destination that exists is refused with nothing written.
    const std::string antes = Conteudo();
    EXPECT_THROW(TransfereEmpregados(*entrada, kLoja, destino, marcados), ErroBanco);
    EXPECT_EQ(Conteudo(), antes);
}

TEST_F(ManutencaoLoteTeste, TrocaDeVinculoValeParaTodosDoEstabelecimentoESoDele) {
    struct Caso {
        std::string codigo, tipo, esperado;
    } casos[] = {{"15", "1", "1307"}, {"10", "3", "1307"}, {"10", "1", "0000"}, {"", "1", "1306"}};
    for (const auto& c : casos) EXPECT_EQ(CriticaCodigoVinculo(c.codigo, c.tipo), c.esperado) << c.codigo << "/" << c.tipo;
    EXPECT_EQ(TipoInscricaoEstabelecimento(banco, kObra, "0050"), "3");  // valid both ways: the stored type
    EXPECT_EQ(TipoInscricaoEstabelecimento(banco, kObra, "0051"), "1");

    EXPECT_EQ(TrocaVinculo(*entrada, kLoja, "35"), 6);
    Consulta q(banco, {"select NuPrefixoEstabelecimento, CoVinculo, count(*) from bd8Vinc",
                       "group by NuPrefixoEstabelecimento, CoVinculo order by 1, 2"});
    std::vector<std::string> r;
    for (q.Abre(); !q.Fim(); q.Proximo()) r.push_back(q.Texto(0) + q.Texto(1) + "=" + q.Texto(2));
    EXPECT_EQ(r, (std::vector<std::string>{"0010=1", "0135=6", "0210=1"}));
    EXPECT_EQ(Campo(kLoja, "InOpcaoAberta"), "");
}

// An engine error in the middle of each operation, after its marker and some rows were
// written, leaves both tables exactly as they were and no marker behind.
TEST_F(ManutencaoLoteTeste, FalhaDoMotorNoMeioNaoDeixaMudancaNemMarca) {
    FalhaAoTocar("BD8VINC", "DELETE", "old.NoEmpregado = 'PEDRO SEM PIS'");
    FalhaAoTocar("BD8VINC", "UPDATE", "old.NoEmpregado = 'PEDRO SEM PIS'");
    FalhaAoTocar("BD8EMP", "DELETE", "1");
    const auto todos = Marcados('0', [](const std::string&) { return true; });
    const std::pair<const char*, std::function<void()>> operacoes[] = {
        {"exclusão do estabelecimento", [&] { ExcluiEstabelecimento(*entrada, kFilial); }},
        {"exclusão múltipla", [&] { ExcluiEmpregados(*entrada, kLoja, todos); }},
        {"transferência", [&] { TransfereEmpregados(*entrada, kLoja, {"11222333000181", "09", "1"}, todos); }},
        {"troca de vínculo", [&] { TrocaVinculo(*entrada, kLoja, "35"); }},
    };
    const std::string antes = Conteudo();
    for (const auto& [nome, operacao] : operacoes) {
        EXPECT_THROW(operacao(), ErroMotor) << nome;
        EXPECT_EQ(Conteudo(), antes) << nome;
    }
}

// A crash while the operation commits: the next opening finds the tables as they were.
// A marker written by an older run that did stop halfway is reported once and cleared.
TEST_F(ManutencaoLoteTeste, QuedaNoMeioDaGravacaoEMarcaDeixadaPorOutraExecucao) {
    const std::string antes = Conteudo();
    const auto todos = Marcados('0', [](const std::string&) { return true; });
    dm.reset();
    entrada.reset();
    pid_t filho = fork();
    if (filho == 0) {
        long escritas = 0;
        teste::AntesDeGravar([&](const std::string& arquivo) {
            if (arquivo.find("BD8") != std::string::npos && ++escritas == 2) _exit(9);
        });
        try {
            TdmGDZovi outro(pasta.Caminho());
            TdmEntradaDados dados(outro);
            ExcluiEmpregados(dados, kLoja, todos);
        } catch (...) {
        }
        _exit(0);
    }
    int estado = 0;
    waitpid(filho, &estado, 0);
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 9);
    dm = std::make_unique<TdmGDZovi>(pasta.Caminho());
    entrada = std::make_unique<TdmEntradaDados>(*dm);
    Banco& reaberto = dm->dbZovi;
    EXPECT_EQ(Conteudo(), antes);

    {
        Tabela t(reaberto, "BD8EMP");
        t.Abre();
        ASSERT_TRUE(t.BuscaChave({kLoja.anoBase, kLoja.inscricao, kLoja.prefixo}));
        t.Edita();
        t.PoeTexto("InOpcaoAberta", "4");
        t.Grava();
    }
    CatalogoMensagens catalogo(reaberto);
    teste::InteracaoRoteirizada dialogos;
    Mensagens mensagens(catalogo, dialogos);
    VerificaOpcaoAberta(reaberto, mensagens, kLoja.anoBase, kLoja.inscricao, kLoja.prefixo);
    VerificaOpcaoAberta(reaberto, mensagens, kLoja.anoBase, kLoja.inscricao, kLoja.prefixo);
    ASSERT_EQ(dialogos.mostradas.size(), 1u);
    EXPECT_NE(dialogos.mostradas[0].texto.find(catalogo.Busca("0503")->texto), std::string::npos);
}

// gdzovi-lote: the same operations with the same checks and catalogue messages.
TEST_F(ManutencaoLoteTeste, ComandosDaLinhaDeComando) {
    {
        Tabela t(banco, "BD8EMP");
        t.Abre();
        ASSERT_TRUE(t.BuscaChave({kLoja.anoBase, kLoja.inscricao, kLoja.prefixo}));
        t.Edita();
        t.PoeTexto("InOpcaoAberta", "5");  // left by a run that stopped halfway
        t.Grava();
    }
    const auto lista = pasta.Caminho() / "pis.txt";
    std::ofstream(lista) << "12345678919\n20000000001\n";
    CatalogoMensagens catalogo(banco);
    auto texto = [&](const char* codigo) { return catalogo.Busca(codigo)->texto; };
    const std::string loja = "11222333000181/01", filial = "11222333000181/02", obra = "00123456789010/00";
    struct Caso {
        std::string argumentos;
        int saida;
        std::string mostra;
    } casos[] = {
        {"exclui-empregados DADOS 11222333000181 10987654321", 64, "uso:"},
        {"exclui-empregados DADOS " + loja + " 1098765432", 64, "PIS/PASEP inválido"},
        {"exclui-empregados DADOS " + loja + " 99999999999", 1, texto("0504")},
        {"exclui-empregados DADOS " + loja + " 10987654321", 0, "1 Empregado(s) excluído(s) com sucesso."},
        {"transfere DADOS " + loja + " " + filial + " 12345678919", 1, texto("1308")},
        {"transfere DADOS " + loja + " 00123456789010/07 @" + lista.string(), 0, texto("1309")},
        {"troca-vinculo DADOS " + obra + " 10", 1, texto("1307")},
        {"troca-vinculo DADOS " + loja + " 15", 1, texto("1307")},
        {"troca-vinculo DADOS " + loja + " 35", 0, texto("1305")},
        {"exclui-estabelecimento DADOS " + filial, 0, "Estabelecimento excluído com sucesso."},
        {"exclui-estabelecimento DADOS " + filial, 1, "não encontrado"},
    };
    for (const auto& c : casos) {
        std::string comando = (teste::PastaProgramas() / "gdzovi-lote").string() + " " + c.argumentos + " </dev/null 2>&1";
        comando.replace(comando.find("DADOS"), 5, pasta.Caminho().string());
        FILE* p = popen(comando.c_str(), "r");
        std::string saida;
        for (char b[512]; fgets(b, sizeof b, p);) saida += b;
        EXPECT_EQ(WEXITSTATUS(pclose(p)), c.saida) << c.argumentos << "\n" << saida;
        EXPECT_NE(saida.find(Cp1252ParaUtf8(c.mostra)), std::string::npos) << c.argumentos << "\n" << saida;
    }
    const ChaveEstabelecimento novo{"2005", "00123456789010", "07"};
    EXPECT_EQ(Nomes(kLoja), (std::vector<std::string>{"PAULO SEM PIS", "PEDRO SEM PIS"}));
    EXPECT_EQ(Nomes(novo), (std::vector<std::string>{"JOAO DA SILVA", "CARLOS PRADO", "CARLOS PRADO"}));
    EXPECT_EQ(Campo(kLoja, "NuVinculosEstabelecimento"), "000002");
    EXPECT_EQ(Campo(novo, "NuVinculosEstabelecimento"), "000003");
    EXPECT_EQ(Campo(kLoja, "InOpcaoAberta"), "");
    EXPECT_EQ(Campo(kFilial, "NoRazaoEstabelecimento"), "(ausente)");
}

}  // namespace
