// The import and structure reports read back from their PDFs: the import's lines
// with their masks, counts and footnote numbers, the footnotes once each in number
// order; the structure fault under one "Erro :" with a group per record sequence.
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "PdfTexto.h"
#include "TrpEstrut.h"
#include "TrpImport.h"
#include "data/Tabelas.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"
#include "messages/Catalogo.h"
#include "motor/Saida.h"

namespace zovi::teste {
namespace {

class RelatoriosImportacao : public ::testing::Test {
protected:
    RelatoriosImportacao() { banco_.Abre("Zovi2005", {pasta_.Parametro()}); }

    void Linhas(const DefTabela& def, const std::vector<std::vector<std::pair<const char*, std::string>>>& linhas) {
        banco_.CriaTabela(def);
        Tabela t(banco_, def.nome);
        t.Abre();
        for (const auto& l : linhas) {
            t.Acrescenta();
            for (const auto& [campo, valor] : l) t.PoeTexto(campo, valor);
            t.Grava();
        }
    }

    QString Texto(relatorios::Relatorio& r) {
        const QString arquivo = saida_.filePath(QStringLiteral("r.pdf"));
        QString erro;
        EXPECT_TRUE(relatorios::GeraPdf(r, arquivo, &erro)) << erro.toStdString();
        return PaginasPdf(arquivo).join(QString());
    }

    PastaTeste pasta_;
    Banco banco_;
    QTemporaryDir saida_;
};

TEST_F(RelatoriosImportacao, ImportacaoComDesligadosDuplicadosENotas) {
    auto linha = [](std::string insc, std::string tipo, std::string vinc, std::string lidos, std::string desl,
                    std::string dup, std::string imp, std::string cod, std::string seq) {
        return std::vector<std::pair<const char*, std::string>>{
            {"AnBase", "2005"}, {"CoCgcCeiEstabelecimento", insc}, {"NuPrefixoEstabelecimento", "00"},
            {"CoCgcVinculado", vinc}, {"InInscrEstabelecimento", tipo}, {"NuVinculosEstabelecimento", lidos},
            {"NuTotalDesligados", desl}, {"NuTotalDuplicados", dup}, {"NuTotalImportados", imp}, {"CoImp", cod},
            {"Seq", seq}};
    };
    std::vector<std::vector<std::pair<const char*, std::string>>> linhas = {
        linha("11222333000181", "1", "00000000000000", "000012", "3", "2", "7", "", ""),
        linha("00123456789010", "3", "", "000004", "4", "0", "0", "1504", "1"),
        linha("44555666000199", "1", "00123456789010", "000001", "0", "0", "0", "0053", "2"),
        linha("99888777000100", "1", "", "000002", "", "", "", "1504", "1")};
    // Ten codes more, so that footnote 10 comes after footnote 9.
    for (int i = 3; i <= 10; ++i)
        linhas.push_back(linha("99888777000100", "1", "", "000000", "0", "0", "0", std::to_string(1500 + i), std::to_string(i)));
    Linhas(DefTe8Imp(), linhas);
    CatalogoMensagens catalogo(banco_);
    relatorios::TrpImport r(banco_, catalogo, 2004, QStringLiteral("2005.2"));
    const QString texto = Texto(r);

    EXPECT_TRUE(texto.contains(QStringLiteral("Relatório de Importação de Dados 2004")));
    EXPECT_TRUE(texto.contains(QStringLiteral("GDZOVI - Gerador de Declaração ZOVI - Versão: 2005.2")));
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("11.222.333/0001-81 +00 +12 +3 +2 +7\n"))));
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("12-345-67.890-1/0 +00 +\\(1\\) +4 +4 +0 +0\n"))));
    // Not a valid inscription: as stored; its linked CEI in the CEI mask.
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("44555666000199 +00 +12-345-67.890-1/0 +\\(2\\) +1 +0 +0 +0"))));
    // Blank counts read 0.
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("99.888.777/0001-00 +00 +\\(1\\) +2 +0 +0 +0\n"))));
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("(1) Empregado desligado no ano anterior: não foi importado.")), 1);
    EXPECT_TRUE(texto.contains(QStringLiteral("(2) ")));
    EXPECT_LT(texto.indexOf(QStringLiteral("(9) ")), texto.indexOf(QStringLiteral("(10) ")));
}

TEST_F(RelatoriosImportacao, EstruturaDeUmaFalhaDeSequencia) {
    auto linha = [](std::string seq, std::string insc, std::string tipo, std::string pos, std::string cont) {
        return std::vector<std::pair<const char*, std::string>>{{"AnBase", "2005"},       {"CoMsg", "1902"},
                                                                 {"Sequencia", seq},      {"InscricaoPrefixo", insc},
                                                                 {"TipoCampo", tipo},     {"PosicaoInicial", pos},
                                                                 {"Conteudo", cont}};
    };
    Linhas(DefTe8stru(), {linha("000003", "1122233300018101", "0", "", "000003"),
                          linha("000004", "", "0", "", "000009")});
    CatalogoMensagens catalogo(banco_);
    relatorios::TrpEstrut r(banco_, catalogo, QStringLiteral("2005.2"));
    const QString texto = Texto(r);
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("Erro :")), 1);
    EXPECT_TRUE(texto.contains(QStringLiteral("Número sequencial do registro fora de ordem")));
    EXPECT_TRUE(texto.contains(
        QRegularExpression(QStringLiteral("Sequência = 000003 +Inscrição/prefixo do estabelecimento = 11222333000181/01"))));
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("Sequência = 000004\n"))));
    EXPECT_TRUE(texto.contains(QStringLiteral("Posição 1 a 6 = 000009")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Será listada apenas a primeira ocorrência.")));

    struct {
        const char *tipo, *pos, *esperado;
    } posicoes[] = {{"1", "", "Posição 23 = X"}, {"5", "278", "Posição 278 = X"},
                    {"6", "", "Total registro tipo 1 encontrado = X"}, {"9", "", "Tamanho esperado: X"},
                    {"A", "", "Tamanho encontrado: X"}, {"", "", ""}};
    for (const auto& p : posicoes)
        EXPECT_EQ(relatorios::TrpEstrut::LinhaPosicao(p.tipo, p.pos, QStringLiteral("X")), QString::fromUtf8(p.esperado));
}

}  // namespace
}  // namespace zovi::teste
