// The error report read back from its PDF: errors before warnings, the title
// switch on a new page, the code text once per run of rows of one record, the
// establishment line only when the establishment changes.
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "PdfTexto.h"
#include "TrpErros.h"
#include "engine/Banco.h"
#include "messages/Catalogo.h"
#include "motor/Saida.h"
#include "rules/GravadorInconsistencias.h"

namespace zovi::teste {
namespace {

const IdentificacaoEstabelecimento kAlfa{"11222333000181", "1", "00", "EMPRESA ALFA"};
const IdentificacaoEstabelecimento kBeta{"00123456789012", "3", "01", "OBRA BETA"};
const IdentificacaoEmpregado kAna{"12345678901", "ANA SOUZA", "01022003", "MATR 17"};
const IdentificacaoEmpregado kBia{"10987654321", "BIA LIMA", "15062004", ""};

// Catalogue texts of the codes used below.
const QString kCurto = QStringLiteral("Conteúdo muito curto");
const QString kIndicador = QStringLiteral("Indicador inválido");
const QString kSemEmpregados = QStringLiteral("Declaração com empregados sem nenhum empregado");
const QString kEstrangeiros = QStringLiteral("Os empregados estrangeiros passam de um terço");
const QString kNota1 = QStringLiteral("\"Os avisos alertam para informações não esperadas.");
const QString kNota2 = QStringLiteral("Não impedem a entrega do disquete com a declaração da ZOVI.\"");

Inconsistencia Linha(const char* tipo, const char* registro, const char* retorno, const char* lbl, const char* conteudo,
                     const IdentificacaoEstabelecimento& e = {}, const IdentificacaoEmpregado& f = {}) {
    return {tipo, registro, retorno, lbl, conteudo, e, f};
}

class TrpErrosTeste : public ::testing::Test {
protected:
    TrpErrosTeste() { banco_.Abre("Zovi2005", {pasta_.Parametro()}); }

    void Grava(const std::vector<Inconsistencia>& linhas) {
        GravadorInconsistencias g(banco_);
        g.ApagaTabela();
        for (const auto& l : linhas) g.Grava(l);
        g.Conclui();
    }

    // The report's pages as text.
    QStringList Paginas() {
        CatalogoMensagens catalogo(banco_);
        relatorios::TrpErros relatorio(banco_, catalogo, QStringLiteral("2005.2"));
        const QString arquivo = saida_.filePath(QStringLiteral("erros.pdf"));
        QString erro;
        EXPECT_TRUE(relatorios::GeraPdf(relatorio, arquivo, &erro)) << erro.toStdString();
        return PaginasPdf(arquivo);
    }

    PastaTeste pasta_;
    Banco banco_;
    QTemporaryDir saida_;
};

TEST_F(TrpErrosTeste, ErrosAntesDosAvisosComTituloNotaEPaginaNova) {
    Grava({
        Linha(kErro, kRegistroDeclarante, "0010", "1625", "AB"),
        Linha(kErro, kRegistroEstabelecimento, "1673", "1661", "0", kAlfa),
        Linha(kErro, kRegistroEstabelecimento, "1673", "1622", "0", kAlfa),
        Linha(kErro, kRegistroEmpregado, "0010", "1625", "X", kAlfa, kAna),
        Linha(kErro, kRegistroEmpregado, "0010", "1624", "Y", kAlfa, kAna),
        Linha(kErro, kRegistroEmpregado, "0001", "1622", "7", kAlfa, kAna),
        Linha(kErro, kRegistroEmpregado, "0010", "1625", "Z", kAlfa, kBia),
        Linha(kAviso, kRegistroEmpregado, "0001", "1622", "9", kAlfa, kAna),
        Linha(kAviso, kRegistroEstabelecimento, "1670", "1661", "6", kAlfa),
        Linha(kAviso, kRegistroEstabelecimento, "1670", "1659", "3", kAlfa),
    });
    const auto paginas = Paginas();
    ASSERT_EQ(paginas.size(), 2);
    const auto& erros = paginas[0];
    const auto& avisos = paginas[1];

    EXPECT_TRUE(erros.contains(QStringLiteral("Relatório de Erros")));
    EXPECT_FALSE(erros.contains(QStringLiteral("Relatório de Avisos")));
    EXPECT_FALSE(erros.contains(kNota1));
    EXPECT_TRUE(erros.contains(QStringLiteral("Ano-Base : 2005")));
    EXPECT_TRUE(erros.contains(QStringLiteral("GDZOVI - Gerador de Declaração ZOVI - Versão: 2005.2")));
    EXPECT_TRUE(erros.contains(QStringLiteral("Registro tipo zero(abertura do arquivo):")));
    EXPECT_TRUE(erros.contains(QStringLiteral("Página 1")));
    // Declarant, Ana (two rows, one text; then another code), Bia: the short-content text three times.
    EXPECT_EQ(Ocorrencias(erros, kCurto), 3);
    EXPECT_EQ(Ocorrencias(erros, kIndicador), 1);
    EXPECT_EQ(Ocorrencias(erros, kSemEmpregados), 1);
    // The establishment line once: its employees follow it.
    EXPECT_EQ(Ocorrencias(erros, QStringLiteral("Estabelecimento :")), 1);
    EXPECT_TRUE(erros.contains(QRegularExpression(QStringLiteral("Estabelecimento : +11.222.333/0001-81 \\(00\\) EMPRESA ALFA"))));
    EXPECT_EQ(Ocorrencias(erros, QStringLiteral("Empregado :")), 2);
    EXPECT_TRUE(erros.contains(
        QRegularExpression(QStringLiteral("Empregado : +123.45678.90.1 +ANA SOUZA +Admissão: 01/02/2003 +\\(MATR 17\\)"))));
    EXPECT_TRUE(erros.contains(QRegularExpression(QStringLiteral("Empregado : +109.87654.32.1 +BIA LIMA +Admissão: 15/06/2004\n"))));
    for (const char* campo : {"PIS/PASEP", "Nome do empregado", "Número de empregados"})
        EXPECT_TRUE(erros.contains(QString::fromUtf8(campo))) << campo;
    EXPECT_TRUE(erros.contains(QRegularExpression(QStringLiteral("PIS/PASEP += +Y"))));

    EXPECT_TRUE(avisos.contains(QStringLiteral("Relatório de Avisos")));
    EXPECT_FALSE(avisos.contains(QStringLiteral("Relatório de Erros")));
    EXPECT_TRUE(avisos.contains(kNota1) && avisos.contains(kNota2));
    EXPECT_TRUE(avisos.contains(QStringLiteral("Página 2")));
    // After the switch the establishment line prints again, and for its own record.
    EXPECT_EQ(Ocorrencias(avisos, QStringLiteral("Estabelecimento :")), 2);
    EXPECT_EQ(Ocorrencias(avisos, QStringLiteral("Empregado :")), 1);
    EXPECT_EQ(Ocorrencias(avisos, kEstrangeiros), 1);
    EXPECT_LT(avisos.indexOf(QStringLiteral("Empregado :")), avisos.indexOf(kEstrangeiros));
}

TEST_F(TrpErrosTeste, EstabelecimentoSoQuandoMudaECodigoDeNovoQuandoMudaORegistro) {
    Grava({
        Linha(kErro, kRegistroEmpregado, "0010", "1625", "A1", kAlfa, kAna),
        Linha(kErro, kRegistroEmpregado, "0010", "1624", "A2", kAlfa, kAna),
        Linha(kErro, kRegistroEmpregado, "0010", "1625", "B1", kAlfa, kBia),
        Linha(kErro, kRegistroEmpregado, "0010", "1625", "C1", kBeta, kAna),
        Linha(kErro, kRegistroEmpregado, "0010", "1625", "D1", kAlfa, kBia),
    });
    const auto texto = Paginas().join(QString());
    // Alfa, Beta, Alfa again: the line follows the changes of establishment, not the employees.
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("Estabelecimento :")), 3);
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("12-345-67.890-1/2 (01) OBRA BETA")), 1);
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("Empregado :")), 4);
    EXPECT_EQ(Ocorrencias(texto, kCurto), 4);
}

TEST_F(TrpErrosTeste, SoAvisosTemTituloENotaEmTodasAsPaginas) {
    std::vector<Inconsistencia> linhas;
    for (int i = 0; i < 120; ++i) {
        auto empregado = kAna;
        empregado.pisPasep = std::to_string(10000000000L + i);
        linhas.push_back(Linha(kAviso, kRegistroEmpregado, "0001", "1622", "9", kAlfa, empregado));
    }
    Grava(linhas);
    const auto paginas = Paginas();
    ASSERT_GE(paginas.size(), 3);
    for (int i = 0; i < paginas.size(); ++i) {
        EXPECT_TRUE(paginas[i].contains(QStringLiteral("Relatório de Avisos"))) << i;
        EXPECT_FALSE(paginas[i].contains(QStringLiteral("Relatório de Erros"))) << i;
        EXPECT_TRUE(paginas[i].contains(kNota1)) << i;
        EXPECT_TRUE(paginas[i].contains(QStringLiteral("Página %1").arg(i + 1))) << i;
    }
    // One field line per employee (a page that goes on with one repeats only its headers).
    EXPECT_EQ(paginas.join(QString()).count(QRegularExpression(QStringLiteral("= +9\\n"))), 120);
}

// A page that goes on with a record says whose rows it holds: the establishment line marked
// "(continuação)", the employee's line and the code's text again; so does the declarant's caption.
TEST_F(TrpErrosTeste, PaginaQueContinuaUmRegistroRepeteSeusCabecalhos) {
    std::vector<Inconsistencia> linhas;
    std::vector<std::string> conteudos;
    for (int i = 0; i < 70; ++i) conteudos.push_back("D" + std::to_string(i));
    for (const auto& c : conteudos) linhas.push_back(Linha(kErro, kRegistroDeclarante, "0010", "1625", c.c_str()));
    for (const auto& c : conteudos)
        linhas.push_back(Linha(kErro, kRegistroEmpregado, "0010", "1625", c.c_str(), kAlfa, kAna));
    Grava(linhas);
    const auto paginas = Paginas();
    ASSERT_GE(paginas.size(), 3);
    EXPECT_FALSE(paginas[0].contains(QStringLiteral("(continuação)")));
    // Page 2 goes on with the declarant, then the employee begins; page 3 goes on with her.
    EXPECT_TRUE(paginas[1].contains(QStringLiteral("Registro tipo zero(abertura do arquivo): (continuação)")));
    EXPECT_EQ(Ocorrencias(paginas[1], QStringLiteral("(continuação)")), 1);
    const QRegularExpression estabelecimento(
        QStringLiteral("^ *Estabelecimento : +11.222.333/0001-81 \\(00\\) EMPRESA ALFA \\(continuação\\)\n"
                       " *Empregado : +123.45678.90.1 +ANA SOUZA.*\n *") + kCurto,
        QRegularExpression::MultilineOption);
    EXPECT_TRUE(paginas[2].contains(estabelecimento)) << paginas[2].left(900).toStdString();
    EXPECT_LT(paginas[2].indexOf(QStringLiteral("Relatório de Erros")), paginas[2].indexOf(estabelecimento));
    EXPECT_EQ(Ocorrencias(paginas[2], kCurto), 1);
}

TEST_F(TrpErrosTeste, SemTabelaDeInconsistenciasUmaPaginaQueODiz) {
    banco_.ApagaTabela("TE8ERRWA");
    const auto paginas = Paginas();
    ASSERT_EQ(paginas.size(), 1);
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("Nenhuma inconsistência registrada pela última verificação.")));
}

}  // namespace
}  // namespace zovi::teste
