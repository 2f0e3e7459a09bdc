// The declaration report over a generated declaration, written to PDF and read
// back as text: which establishments and employees print, in which order, in
// the complete and the summary form, a partial report, the work tables, and
// gdzovi-lote relatorio declaracao.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "declfile/GravaDeclaracao.h"
#include "PastaTeste.h"
#include "PdfTexto.h"
#include "TrpRelatorios.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "messages/Formatacao.h"
#include "motor/Saida.h"

namespace zovi::teste {
namespace {

using relatorios::OrdemEmpregados;
using relatorios::ParametrosDeclaracao;

struct Empregado {
    QString pis, nome, uso, inscricao, prefixo;
};

TEST(ValorRelatorio, CentavosComoImpressos) {
    const std::pair<const char*, const char*> casos[] = {
        {"000010000", "100,00"}, {"000000000", ""}, {"", ""}, {"000000050", "0,50"},
        {"123456789", "1234567,89"}, {"00100000", "1000,00"}};
    for (const auto& [centavos, impresso] : casos)
        EXPECT_EQ(relatorios::ValorRelatorio(centavos), QString::fromUtf8(impresso)) << centavos;
}

TEST(IntervalosPaginas, LidosOuRecusados) {
    using I = relatorios::IntervaloPaginas;
    EXPECT_EQ(relatorios::fLeIntervalosPaginas("1;3;5-12;4"), (std::vector<I>{{1, 1}, {3, 3}, {5, 12}, {4, 4}}));
    EXPECT_EQ(relatorios::fLeIntervalosPaginas("7"), (std::vector<I>{{7, 7}}));
    EXPECT_EQ(relatorios::fLeIntervalosPaginas("2-2"), (std::vector<I>{{2, 2}}));
    for (const char* invalido : {"", "5-3", "0-4", "0", "1--3", "1-3-5", "1;;3", ";1", "1;", "-2", "3-", "1,2", "a",
                                 "1 ;2", "99999999"})
        EXPECT_FALSE(relatorios::fLeIntervalosPaginas(invalido).has_value()) << invalido;
}

class RelatorioDeclaracao : public ::testing::Test {
protected:
    RelatorioDeclaracao() {
        banco.Abre("Zovi2005", {pasta.Parametro()});
        bancada::ParametrosGeracao g;
        g.estabelecimentos = 3;
        g.empregadosPorEstabelecimento = 12;
        bancada::GeraDeclaracao(banco, g);
        Consulta q(banco, {"Select V.*, E.InInscrEstabelecimento from BD8Vinc V join BD8Emp E",
                           "on E.CoCgcCeiEstabelecimento = V.CoCgcCeiEstabelecimento",
                           "and E.NuPrefixoEstabelecimento = V.NuPrefixoEstabelecimento"});
        for (q.Abre(); !q.Fim(); q.Proximo())
            empregados.push_back({QString::fromStdString(FormataPisPasep(q.Texto("CoPisPasepEmpregado"))),
                                  QString::fromStdString(q.Texto("NoEmpregado")).trimmed(),
                                  QString::fromStdString(q.Texto("TxUsoEmpregado")).trimmed(),
                                  QString::fromStdString(q.Texto("CoCgcCeiEstabelecimento")),
                                  QString::fromStdString(q.Texto("NuPrefixoEstabelecimento"))});
        Consulta e(banco, {"Select * from BD8Emp order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
        for (e.Abre(); !e.Fim(); e.Proximo())
            estabelecimentos.push_back(QString::fromStdString(
                FormataInscricao(e.Texto("CoCgcCeiEstabelecimento"), e.Texto("InInscrEstabelecimento"))));
    }

    QStringList Pdf(const ParametrosDeclaracao& p) {
        relatorios::TrpRelatorios r(banco, p);
        const QString arquivo = saida.filePath(QStringLiteral("r%1.pdf").arg(++n));
        QString erro;
        EXPECT_TRUE(relatorios::GeraPdf(r, arquivo, &erro)) << erro.toStdString();
        return PaginasPdf(arquivo);
    }

    // The employees of establishment i (in the generated order) as the report should order them.
    std::vector<Empregado> Do(int i, OrdemEmpregados ordem) const {
        std::vector<Empregado> r;
        for (const auto& e : empregados)
            if (QString::fromStdString(FormataInscricao(e.inscricao.toStdString(), "1")) == estabelecimentos[i] ||
                QString::fromStdString(FormataInscricao(e.inscricao.toStdString(), "3")) == estabelecimentos[i])
                r.push_back(e);
        std::stable_sort(r.begin(), r.end(), [ordem](const Empregado& a, const Empregado& b) {
            if (ordem == OrdemEmpregados::Nome) return a.nome < b.nome;
            return a.pis < b.pis;
        });
        return r;
    }

    // Positions of each text in the report, in order; -1 for one missing.
    static std::vector<qsizetype> Posicoes(const QString& texto, const QStringList& trechos) {
        std::vector<qsizetype> r;
        for (const auto& t : trechos) r.push_back(texto.indexOf(t));
        return r;
    }

    PastaTeste pasta;
    Banco banco;
    QTemporaryDir saida;
    int n = 0;
    std::vector<Empregado> empregados;
    QStringList estabelecimentos;
};

TEST_F(RelatorioDeclaracao, CompletoTodosOsEstabelecimentosEmOrdemDePis) {
    const auto paginas = Pdf(ParametrosDeclaracao{});
    const QString texto = paginas.join(QLatin1Char('\n'));
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("ESTABELECIMENTO")), 3);
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("Relatório completo do estabelecimento")), paginas.size());
    // Each establishment starts its own page, and its employees follow it in PIS/PASEP order.
    qsizetype ultimo = -1;
    for (int i = 0; i < 3; ++i) {
        QStringList pis;
        for (const auto& e : Do(i, OrdemEmpregados::PisPasep)) pis << e.pis;
        const auto pos = Posicoes(texto, pis);
        for (size_t k = 0; k < pos.size(); ++k) {
            EXPECT_GT(pos[k], ultimo) << pis[static_cast<qsizetype>(k)].toStdString();
            ultimo = pos[k];
        }
        EXPECT_EQ(Ocorrencias(texto, pis.first()), 1);
    }
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("Nascimento:")), 36);
    EXPECT_TRUE(texto.contains(QStringLiteral("Página 1")));
}

TEST_F(RelatorioDeclaracao, ResumidoPorNomeDeUmEstabelecimento) {
    ParametrosDeclaracao p;
    p.completo = false;
    p.ordem = OrdemEmpregados::Nome;
    Consulta e(banco, {"Select * from BD8Emp order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
    e.Abre();
    e.Proximo();
    p.estabelecimentos.push_back({e.Texto("CoCgcCeiEstabelecimento"), e.Texto("NuPrefixoEstabelecimento")});
    const auto paginas = Pdf(p);
    const QString texto = paginas.join(QLatin1Char('\n'));
    EXPECT_EQ(paginas.size(), 1);
    EXPECT_TRUE(texto.contains(QStringLiteral("Relatório resumido do estabelecimento")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Classificação : Nome do empregado")));
    EXPECT_FALSE(texto.contains(QStringLiteral("Nascimento:")));
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("ESTABELECIMENTO")), 1);
    EXPECT_TRUE(texto.contains(estabelecimentos[1]));
    EXPECT_FALSE(texto.contains(estabelecimentos[0]));
    QStringList nomes;
    for (const auto& emp : Do(1, OrdemEmpregados::Nome)) nomes << emp.nome;
    const auto pos = Posicoes(texto, nomes);
    for (size_t k = 0; k < pos.size(); ++k) {
        EXPECT_GE(pos[k], 0) << nomes[static_cast<qsizetype>(k)].toStdString();
        if (k) EXPECT_GT(pos[k], pos[k - 1]);
    }
    // Descending: the same names the other way round.
    p.descendente = true;
    const QString inverso = Pdf(p).join(QLatin1Char('\n'));
    EXPECT_GT(inverso.indexOf(nomes.first()), inverso.indexOf(nomes.last()));
}

TEST_F(RelatorioDeclaracao, ParcialSoOsEmpregadosEscolhidos) {
    const auto doSegundo = Do(2, OrdemEmpregados::PisPasep);
    ParametrosDeclaracao p;
    p.parcial = true;
    p.estabelecimentos.push_back({doSegundo[0].inscricao.toStdString(), doSegundo[0].prefixo.toStdString()});
    Consulta q(banco, {"Select * from BD8Vinc where CoCgcCeiEstabelecimento = :I order by CoPisPasepEmpregado"});
    q.Parametro("I", doSegundo[0].inscricao.toStdString());
    q.Abre();
    for (int k = 0; k < 2; ++k, q.Proximo())
        p.empregados.push_back({q.Texto("CoPisPasepEmpregado"), q.Texto("DaAdmissaoEmpregado"), q.Texto("NoEmpregado")});
    const QString texto = Pdf(p).join(QLatin1Char('\n'));
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("Nascimento:")), 2);
    EXPECT_TRUE(texto.contains(doSegundo[0].pis));
    EXPECT_TRUE(texto.contains(doSegundo[1].pis));
    EXPECT_FALSE(texto.contains(doSegundo[2].pis));
}

// A table that holds the establishments and none of their employees prints each
// establishment's own part alone; a base year without establishments prints nothing.
TEST_F(RelatorioDeclaracao, EstabelecimentoSemEmpregadosENenhumEstabelecimento) {
    Consulta apaga(banco, {"delete from BD8Vinc"});
    apaga.Executa();
    const QString texto = Pdf(ParametrosDeclaracao{}).join(QLatin1Char('\n'));
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("ESTABELECIMENTO")), 3);
    EXPECT_FALSE(texto.contains(QStringLiteral("VÍNCULOS")));
    ParametrosDeclaracao outroAno;
    outroAno.anoBase = "2004";
    relatorios::TrpRelatorios r(banco, outroAno);
    QString erro;
    EXPECT_FALSE(relatorios::GeraPdf(r, saida.filePath(QStringLiteral("vazio.pdf")), &erro));
}

TEST_F(RelatorioDeclaracao, ComandoDeLote) {
    const QString dados = QString::fromStdString(pasta.Caminho().string());
    struct Caso {
        QStringList opcoes;
        int saida;
        int estabelecimentos;  // printed; -1: no file
        const char* texto;
    };
    const QString primeiro = empregados.front().inscricao;
    const Caso casos[] = {
        {{}, 0, 3, "Relatório completo do estabelecimento"},
        {{"--resumido", "--ordem", "uso", "--estabelecimentos", primeiro}, 0, 1, "Classificação : Para uso da empresa"},
        {{"--estabelecimentos", primeiro + ":99"}, 1, -1, "Estabelecimento não encontrado"},
        {{"--ordem", "idade"}, 64, -1, "uso: gdzovi-lote relatorio"},
        {{"--estabelecimentos", "12.abc"}, 64, -1, "uso: gdzovi-lote relatorio"},
    };
    for (const auto& c : casos) {
        const QString pdf = saida.filePath(QStringLiteral("lote%1.pdf").arg(++n));
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QString::fromStdString((PastaProgramas() / "gdzovi-lote").string()),
                QStringList{"relatorio", "declaracao", dados, "--pdf", pdf} + c.opcoes);
        ASSERT_TRUE(p.waitForFinished(60000));
        const auto terminal = QString::fromUtf8(p.readAll());
        EXPECT_EQ(p.exitCode(), c.saida) << terminal.toStdString();
        const QString texto = PaginasPdf(pdf).join(QLatin1Char('\n'));
        if (c.estabelecimentos >= 0) EXPECT_EQ(Ocorrencias(texto, QStringLiteral("ESTABELECIMENTO")), c.estabelecimentos);
        EXPECT_TRUE((texto + terminal).contains(QString::fromUtf8(c.texto))) << terminal.toStdString();
    }
}

// gdzovi-lote consultar: a written file on the terminal, as the report over the work tables,
// and a file that does not exist.
TEST_F(RelatorioDeclaracao, ComandoConsultar) {
    teste::InteracaoRoteirizada interacao;
    ParametrosGravacao g;
    g.pasta = pasta.Caminho() / "saida";
    g.dataGeracao = "15022006";
    ASSERT_EQ(fGravaDeclaracao(banco, g, interacao), kGravado);
    const QString arquivo = QString::fromStdString((*g.pasta / "Zovi2005").string());
    struct Caso {
        QStringList argumentos;
        int saida;
        const char* texto;
    };
    const QString pdf = saida.filePath(QStringLiteral("consulta.pdf"));
    const Caso casos[] = {
        {{arquivo}, 0, "Declaração do Ano-Base 2005"},
        {{arquivo, "--pdf", pdf}, 0, "Relatório gravado em"},
        {{arquivo + ".nao"}, 66, "O arquivo especificado não existe."},
        {{arquivo, "--pdf"}, 64, "uso: gdzovi-lote consultar"},
    };
    for (const auto& c : casos) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        auto ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("GDZOVI_DADOS"), QString::fromStdString(pasta.Caminho().string()));
        p.setProcessEnvironment(ambiente);
        p.start(QString::fromStdString((PastaProgramas() / "gdzovi-lote").string()), QStringList{"consultar"} + c.argumentos);
        ASSERT_TRUE(p.waitForFinished(60000));
        const auto terminal = QString::fromUtf8(p.readAll());
        EXPECT_EQ(p.exitCode(), c.saida) << terminal.toStdString();
        EXPECT_TRUE(terminal.contains(QString::fromUtf8(c.texto))) << terminal.toStdString();
        if (c.saida == 0 && c.argumentos.size() == 1)
            for (const auto& e : empregados) EXPECT_TRUE(terminal.contains(QStringLiteral("PIS/PASEP: ") + e.pis));
    }
    // The report of the consultation: the work tables the file was read into.
    const QString texto = PaginasPdf(pdf).join(QLatin1Char('\n'));
    EXPECT_EQ(Ocorrencias(texto, QStringLiteral("ESTABELECIMENTO")), 3);
    for (const auto& e : empregados) EXPECT_EQ(Ocorrencias(texto, e.pis), 1) << e.pis.toStdString();
}

}  // namespace
}  // namespace zovi::teste
