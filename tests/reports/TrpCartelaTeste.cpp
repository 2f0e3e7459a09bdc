// The layout sheet read back from its PDF: seven pages, each with the running
// program's version line, and every record type's table in its place.
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "PdfTexto.h"
#include "TrpCartela.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "motor/Saida.h"

namespace zovi::teste {
namespace {

class TrpCartelaTeste : public ::testing::Test {
protected:
    TrpCartelaTeste() { banco_.Abre("Zovi2005", {pasta_.Parametro()}); }

    QStringList Paginas() {
        relatorios::TrpCartela cartela(banco_, QStringLiteral("2005.2"));
        const QString arquivo = saida_.filePath(QStringLiteral("cartela.pdf"));
        if (!relatorios::GeraPdf(cartela, arquivo)) return {};
        return PaginasPdf(arquivo);
    }

    PastaTeste pasta_;
    Banco banco_;
    QTemporaryDir saida_;
};

// The rows of a table page: "001 a 006   Número   Seqüencial ...".
QStringList LinhasTabela(const QString& pagina) {
    QStringList linhas;
    static const QRegularExpression linha(QStringLiteral("^ *(\\d{3} a \\d{3}) +(\\S+) +(.+)$"),
                                          QRegularExpression::MultilineOption);
    for (auto it = linha.globalMatch(pagina); it.hasNext();) {
        const auto m = it.next();
        linhas << m.captured(1) + QLatin1Char('|') + m.captured(2) + QLatin1Char('|') + m.captured(3).trimmed();
    }
    return linhas;
}

TEST_F(TrpCartelaTeste, SetePaginasComCadaTabelaDeRegistro) {
    const auto paginas = Paginas();
    ASSERT_EQ(paginas.size(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(paginas[i].contains(QStringLiteral("ZOVI - Declaração Anual de Vínculos Empregatícios - Ano-Base : 2005")));
        EXPECT_TRUE(paginas[i].contains(QStringLiteral("GDZOVI - Gerador de Declaração ZOVI - Versão: 2005.2"))) << i;
        EXPECT_TRUE(paginas[i].contains(QStringLiteral("Descrição do arquivo ZOVI2005"))) << i;
        EXPECT_TRUE(paginas[i].contains(QStringLiteral("Página %1").arg(i + 1))) << i;
    }
    EXPECT_TRUE(paginas[0].contains(QRegularExpression(QStringLiteral("1\\. +Especificação do arquivo ZOVI2005"))));
    EXPECT_TRUE(paginas[0].contains(QRegularExpression(QStringLiteral("9\\. +O prefixo, quando utilizado"))));
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("Estrutura lógica do arquivo")));
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("Registro tipo nove (fechamento do arquivo)")));
    EXPECT_TRUE(LinhasTabela(paginas[0]).isEmpty());

    struct Caso {
        int pagina;
        const char* titulo;
        int linhas;
        const char* primeira;
        const char* ultima;
    };
    const Caso casos[] = {
        {1, "Registro tipo zero", 23, "001 a 006|Número|Seqüencial do registro no arquivo", "285 a 523|Alfanum|espaços"},
        {2, "Registro tipo Um", 38, "001 a 006|Número|Seqüencial do registro no arquivo",
         "331 a 338|Número|Data de Encerramento das Atividades"},
        {3, "Registro tipo Um", 11, "339 a 352|Número|CNPJ - contribuição associativa (patronal)",
         "512 a 523|Alfanum|Informação de uso exclusivo da empresa"},
        {4, "Registro tipo Dois", 42, "001 a 006|Número|Seqüencial do registro no arquivo", "279 a 279|Número|Sexo"},
        {5, "Registro tipo Dois", 42, "280 a 281|Número|Motivo do Primeiro Afastamento",
         "512 a 523|Alfanum|Informação de uso exclusivo da empresa"},
        {6, "Registro tipo Nove", 7, "001 a 006|Número|Seqüencial do registro no arquivo", "036 a 523|Alfanum|espaços"},
    };
    for (const auto& c : casos) {
        const auto& pagina = paginas[c.pagina];
        const auto linhas = LinhasTabela(pagina);
        EXPECT_TRUE(pagina.contains(QString::fromUtf8(c.titulo))) << c.titulo;
        EXPECT_TRUE(pagina.contains(QRegularExpression(QStringLiteral("Posição +Tipo +Descrição")))) << c.pagina;
        ASSERT_EQ(linhas.size(), c.linhas) << c.pagina;
        EXPECT_EQ(linhas.front(), QString::fromUtf8(c.primeira));
        EXPECT_EQ(linhas.back(), QString::fromUtf8(c.ultima));
    }
    // The rows that split or mark fields: zeros before the linked CEI, the state, the coded values.
    EXPECT_TRUE(LinhasTabela(paginas[2]).contains(QStringLiteral("279 a 280|Número|Zeros")));
    EXPECT_TRUE(LinhasTabela(paginas[2]).contains(QStringLiteral("281 a 292|Número|Matrícula CEI vinculada a uma inscrição CNPJ (2)")));
    EXPECT_TRUE(LinhasTabela(paginas[2]).contains(QStringLiteral("207 a 208|Alfabético|Sigla da UF")));
    EXPECT_TRUE(paginas[1].contains(QStringLiteral("4 - CPF")));
    EXPECT_TRUE(paginas[3].contains(QStringLiteral("(2) Informe a matrícula CEI que possui inscrição simultânea no CNPJ.")));
    EXPECT_TRUE(LinhasTabela(paginas[5]).contains(QStringLiteral("509 a 511|Número|Horas trabalhadas - Dezembro")));
}

TEST_F(TrpCartelaTeste, SemALinhaDaCartelaNadaImprime) {
    Consulta(banco_, {"delete from Cartela"}).Executa();
    EXPECT_TRUE(Paginas().isEmpty());
}

}  // namespace
}  // namespace zovi::teste
