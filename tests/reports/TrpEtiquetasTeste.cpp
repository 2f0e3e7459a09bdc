// The diskette labels read back from their PDF: one label per te8ProID row,
// with its own diskette number, first establishment and counts.
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "PdfTexto.h"
#include "TrpEtiquetas.h"
#include "data/Tabelas.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"
#include "motor/Saida.h"

namespace zovi::teste {
namespace {

struct Disquete {
    const char *numero, *inscricao, *tipo, *razao, *estabelecimentos, *vinculos, *responsavel, *ddd, *fone, *email;
    bool retificacao;
};

class TrpEtiquetasTeste : public ::testing::Test {
protected:
    TrpEtiquetasTeste() { banco_.Abre("Zovi2005", {pasta_.Parametro()}); }

    void Grava(const std::vector<Disquete>& disquetes) {
        banco_.CriaTabela(DefTe8ProIdGravacao());
        Tabela t(banco_, "te8ProID");
        t.Abre();
        for (const auto& d : disquetes) {
            t.Acrescenta();
            t.PoeTexto("NuDisquete", d.numero);
            t.PoeTexto("CoCgcCeiEstabelecimento", d.inscricao);
            t.PoeTexto("InInscrEstabelecimento", d.tipo);
            t.PoeTexto("NoRazaoEstabelecimento", d.razao);
            t.PoeTexto("NuEstabelecimentos", d.estabelecimentos);
            t.PoeTexto("NuVinculos", d.vinculos);
            t.PoeTexto("NoResponsavelArquivo", d.responsavel);
            t.PoeTexto("NuFoneDDD", d.ddd);
            t.PoeTexto("NuFoneAssinante", d.fone);
            t.PoeTexto("TxEMailRespArquivo", d.email);
            t.PoeLogico("InRetificacao", d.retificacao);
            t.Grava();
        }
        t.Fecha();
    }

    QString Texto(bool* gerado = nullptr) {
        relatorios::TrpEtiquetas etiquetas(banco_);
        QString erro;
        const bool ok = relatorios::GeraPdf(etiquetas, arquivo_, &erro);
        if (gerado) *gerado = ok;
        return PaginasPdf(arquivo_).join(QLatin1Char('\f'));
    }

    PastaTeste pasta_;
    Banco banco_;
    QTemporaryDir saida_;
    const QString arquivo_ = saida_.filePath(QStringLiteral("etiquetas.pdf"));
};

TEST_F(TrpEtiquetasTeste, UmaEtiquetaPorDisqueteComSeusCampos) {
    Grava({
        {"1", "11222333000181", "1", "COMERCIO DE FERRAGENS E MATERIAIS DE CONSTRUCAO LTDA", "000012", "000345",
         "JOSE DA SILVA PEREIRA DOS SANTOS NETO", "11", "12345678", "jose@exemplo.com.br", false},
        {"2", "00123456789012", "3", "OBRA BETA", "000000", "000000", "MARIA", "", "87654321", "", false},
    });
    const auto texto = Texto();
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("Ano-Base 2005,V.1.")), 2);
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("11.222.333/0001-81 +Disco: +1\\n"))));
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("12-345-67.890-1/2 +Disco: +2\\n"))));
    // The first 30 characters of the name, the first 20 of the declarant's.
    EXPECT_TRUE(texto.contains(QStringLiteral("COMERCIO DE FERRAGENS E MATERI\n")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Nome p/Contato: JOSE DA SILVA PEREIR\n")));
    for (const char* linha : {"Quant.Estabelecimentos do arquivo: 12\n", "Quant.Vínculos do arquivo: 345\n",
                              "Quant.Estabelecimentos do arquivo: 0\n", "Quant.Vínculos do arquivo: 0\n",
                              "Telefone p/Contato: ( 11 )12345678\n", "Telefone p/Contato: 87654321\n",
                              "Inscrição do 1o. estabelecimento do arquivo:",
                              "Razão Social do 1o. estabelecimento do arquivo:"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(linha))) << linha;
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("E - Mail : +jose@exemplo.com.br"))));
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("E - Mail :")), 2);
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("\f")), 0);  // two labels, one page
}

TEST_F(TrpEtiquetasTeste, RetificacaoQuatroPorPagina) {
    std::vector<Disquete> disquetes;
    const char* numeros[] = {"1", "2", "3", "4", "5"};
    for (const char* n : numeros)
        disquetes.push_back({n, "11222333000181", "1", "ALFA", "000001", "000001", "ANA", "", "", "", true});
    Grava(disquetes);
    const auto paginas = Texto().split(QLatin1Char('\f'));
    ASSERT_EQ(paginas.size(), 2);
    EXPECT_EQ(Ocorrencias(paginas[0], QStringLiteral("Ano-Base 2005,V.1(Retif.)")), 4);
    EXPECT_EQ(Ocorrencias(paginas[1], QStringLiteral("Ano-Base 2005,V.1(Retif.)")), 1);
}

TEST_F(TrpEtiquetasTeste, SemDisquetesNenhumaPagina) {
    for (bool tabela : {false, true}) {
        banco_.ApagaTabela("TE8PROID");
        if (tabela) Grava({});
        bool gerado = true;
        EXPECT_TRUE(Texto(&gerado).isEmpty());
        EXPECT_FALSE(gerado);
        EXPECT_FALSE(QFileInfo::exists(arquivo_));
    }
}

}  // namespace
}  // namespace zovi::teste
