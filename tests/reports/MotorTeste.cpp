// The band engine on rows held in memory: which bands print where, page
// breaks, and every page drawn alone exactly as the whole report draws it.
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

#include "PdfTexto.h"
#include "motor/Composicao.h"
#include "motor/Saida.h"

namespace zovi::teste {
namespace {

using namespace relatorios;

std::unique_ptr<Relatorio> Novo(std::vector<QStringList> linhas) {
    auto r = std::make_unique<Relatorio>(QStringLiteral("Motor"));
    r->DefineFonte(std::make_unique<FonteMemoria>(QStringList{"a", "b", "texto"}, std::move(linhas)));
    return r;
}

QStringList Paginas(Relatorio& r) {
    QTemporaryDir pasta;
    const auto arquivo = pasta.filePath(QStringLiteral("motor.pdf"));
    if (!GeraPdf(r, arquivo)) return {};
    return PaginasPdf(arquivo);
}

const QFont kFonte = FonteRelatorio(10);

TEST(Motor, GruposAninhadosEBandasFilhas) {
    auto r = Novo({{"A", "1", "x"}, {"A", "1", "y"}, {"A", "2", "z"}, {"B", "2", "w"}});
    r->CabecalhoGrupo(Campo("a"), 6).Dado({0, 0, 100, 6}, [](const Contexto& c) { return "Externo " + c.Campo("a"); },
                                          kFonte);
    auto& interno = r->CabecalhoGrupo(Campo("b"), 6);
    interno.Dado({10, 0, 100, 6}, [](const Contexto& c) { return "Interno " + c.Campo("b"); }, kFonte);
    // The inner header leaves itself out for "1": its child goes with it.
    interno.antesDeImprimir = [](Banda&, Contexto& c, bool& imprime) { imprime = c.Campo("b") != "1"; };
    r->Filha(interno, 6).Dado({20, 0, 100, 6}, [](const Contexto& c) { return "Filha " + c.Campo("a"); }, kFonte);
    r->Detalhe(6).Dado({30, 0, 100, 6}, Campo("texto"), kFonte);
    r->Sumario(6).Dado({0, 0, 100, 6}, [](const Contexto& c) { return QStringLiteral("Total %1").arg(c.Linhas()); },
                       kFonte);

    const auto texto = Paginas(*r).join(QString());
    QStringList linhas;
    for (const auto& l : texto.split(QLatin1Char('\n')))
        if (!l.trimmed().isEmpty()) linhas << l.simplified();
    EXPECT_EQ(linhas, (QStringList{"Externo A", "x", "y", "Interno 2", "Filha A", "z", "Externo B", "Interno 2",
                                   "Filha B", "w", "Total 4"}));
}

TEST(Motor, NovaPaginaPedidaEMemoQueCresce) {
    std::vector<QStringList> linhas;
    for (int i = 0; i < 6; ++i) linhas.push_back({QString::number(i), "", QString("palavra ").repeated(40 * (i % 2))});
    auto r = Novo(linhas);
    r->RodapePagina(8).NumeroPagina({0, 0, 100, 6}, kFonte, Qt::AlignLeft, true);
    auto& d = r->Detalhe(6);
    d.Dado({0, 0, 20, 6}, Campo("a"), kFonte);
    d.Memo({20, 0, 60, 6}, Campo("texto"), kFonte);
    // Row 0 asks at the top of the first page (nothing happens), row 3 anywhere.
    d.antesDeImprimir = [](Banda&, Contexto& c, bool&) {
        if (c.Campo("a") == "0" || c.Campo("a") == "3") c.NovaPagina();
    };
    const auto paginas = Paginas(*r);
    ASSERT_EQ(paginas.size(), 2);
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("Página 1 de 2")));
    EXPECT_FALSE(paginas[0].contains(QRegularExpression(QStringLiteral("^ *3 "), QRegularExpression::MultilineOption)));
    EXPECT_TRUE(paginas[1].contains(QRegularExpression(QStringLiteral("^ *3 +palavra"), QRegularExpression::MultilineOption)));
    // 40 words in a 60 mm memo take several lines: the band grew for them.
    EXPECT_GE(Ocorrencias(paginas[0], QStringLiteral("palavra")), 40);
    EXPECT_GT(paginas[0].count(QLatin1Char('\n')), 12);
}

TEST(Motor, SemLinhasSemPaginaOuUmaPaginaVazia) {
    for (bool semLinhas : {true, false}) {
        auto r = Novo({});
        r->paginaSemLinhas = semLinhas;
        r->CabecalhoPagina(10).Texto({0, 0, 100, 6}, QStringLiteral("Cabeçalho"), kFonte);
        Composicao c(*r);
        EXPECT_TRUE(c.Compoe());
        EXPECT_EQ(c.Paginas(), semLinhas ? 1 : 0);
        EXPECT_EQ(Paginas(*r).size(), semLinhas ? 1 : 0);
    }
}

// Every page of a report with group changes, handler variables, bands enabled while
// printing and forced page breaks: drawn alone from where it starts, it is the same
// drawing as in one pass over the whole report.
// A long output told to stop: the layout is left undone, the drawing ends where it was told to,
// and a PDF cancelled leaves no file.
TEST(Motor, ProgressoQueInterrompe) {
    std::vector<QStringList> linhas;
    for (int i = 0; i < 400; ++i) linhas.push_back({"", "", QString::number(i)});
    auto r = Novo(linhas);
    r->Detalhe(6).Dado({0, 0, 100, 6}, Campo("texto"), kFonte);
    Composicao composicao(*r);
    std::vector<int> contadas;
    EXPECT_FALSE(composicao.Compoe(std::numeric_limits<int>::max(), [&](int n) {
        contadas.push_back(n);
        return n < 3;
    }));
    EXPECT_EQ(contadas, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(composicao.Composta());
    ASSERT_TRUE(composicao.Compoe());
    ASSERT_GT(composicao.Paginas(), 5);

    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("cancelado.pdf"));
    std::vector<std::pair<int, int>> vistas;
    QString erro;
    EXPECT_FALSE(GeraPdf(composicao, arquivo, &erro, [&](int feitas, int total) {
        vistas.emplace_back(feitas, total);
        return feitas < 2;
    }));
    EXPECT_EQ(vistas, (std::vector<std::pair<int, int>>{{1, composicao.Paginas()}, {2, composicao.Paginas()}}));
    EXPECT_FALSE(QFile::exists(arquivo));
    EXPECT_TRUE(erro.contains(QStringLiteral("cancelada"))) << erro.toStdString();
}

TEST(Motor, CadaPaginaSozinhaIgualAoRelatorioInteiro) {
    std::vector<QStringList> linhas;
    for (int i = 0; i < 400; ++i)
        linhas.push_back({QString::number(i / 37), QString::number(i / 5), QStringLiteral("linha %1 ").arg(i).repeated(1 + i % 7)});
    auto r = Novo(linhas);
    auto& cab = r->CabecalhoPagina(12);
    cab.Dado({0, 0, 150, 6}, Variavel("titulo"), kFonte);
    auto& nota = r->Filha(cab, 6);
    nota.habilitada = false;
    nota.Texto({0, 0, 100, 6}, QStringLiteral("Nota da segunda parte"), kFonte);
    r->RodapePagina(8).NumeroPagina({0, 0, 100, 6}, kFonte, Qt::AlignRight, true);
    r->aoIniciar = [](Contexto& c) { c.Var("titulo") = "Primeira parte"; };
    auto& grupo = r->CabecalhoGrupo(Campo("a"), 7);
    grupo.Dado({0, 1, 150, 6}, [](const Contexto& c) { return c.Var("contagem") + " / " + c.Campo("a"); }, kFonte);
    grupo.antesDeImprimir = [&nota](Banda&, Contexto& c, bool&) {
        c.Var("contagem") += "|";
        if (c.Campo("a") == "5") {
            c.Var("titulo") = "Segunda parte";
            nota.habilitada = true;
            c.NovaPagina();
        }
    };
    auto& b = r->CabecalhoGrupo(Campo("b"), 5);
    b.Dado({5, 0, 100, 5}, [](const Contexto& c) { return c.Campo("b") + (c.Continuacao() ? " (cont.)" : ""); }, kFonte);
    b.repeteNaContinuacao = [](const Contexto&) { return true; };
    r->Detalhe(4).Memo({10, 0, 120, 4}, Campo("texto"), kFonte);

    Composicao composicao(*r);
    ASSERT_TRUE(composicao.Compoe());
    const int total = composicao.Paginas();
    ASSERT_GT(total, 5);

    std::vector<QPicture> inteiro(1);
    QPainter pintor(&inteiro.back());
    const int desenhadas = composicao.Desenha(pintor, [&] {
        pintor.end();
        inteiro.emplace_back();
        pintor.begin(&inteiro.back());
    });
    pintor.end();
    ASSERT_EQ(desenhadas, total);
    ASSERT_EQ(static_cast<int>(inteiro.size()), total);
    for (int n = total; n >= 1; --n) {  // from the last: nothing left over from the page before
        QPicture sozinha;
        QPainter p(&sozinha);
        composicao.DesenhaPagina(n, p);
        p.end();
        ASSERT_EQ(QByteArray(sozinha.data(), sozinha.size()),
                  QByteArray(inteiro[n - 1].data(), inteiro[n - 1].size()))
            << "página " << n;
    }
    // A limit below the page count stops the layout there.
    Composicao curta(*r);
    EXPECT_FALSE(curta.Compoe(3));
}

}  // namespace
}  // namespace zovi::teste
