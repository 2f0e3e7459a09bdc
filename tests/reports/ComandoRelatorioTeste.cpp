// gdzovi-lote relatorio: each report written to PDF from a terminal, and the
// answers to what cannot be written.
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "PdfTexto.h"

namespace zovi::teste {
namespace {

TEST(ComandoRelatorio, GravaCadaRelatorioOuDizPorQueNao) {
    PastaTeste dados;
    QTemporaryDir saida;
    const QString pasta = QString::fromStdString(dados.Caminho().string());
    struct Caso {
        QStringList argumentos;
        int saida;
        int paginas;  // of the PDF written; 0: no file
        const char* texto;
    };
    const Caso casos[] = {
        // After no verification te8errwa does not exist: one page that says so.
        {{"erros", pasta}, 0, 1, "Nenhuma inconsistência registrada pela última verificação."},
        {{"cartela", pasta}, 0, 7, "Registro tipo Nove"},
        // No analysis or import yet: the reports' pages without lines.
        {{"estrutura", pasta}, 0, 1, "Relatório de erro de estrutura"},
        {{"importacao", pasta}, 0, 1, "Relatório de Importação de Dados 2005"},
        // Nothing written yet: no label, no file, and the reason on the terminal.
        {{"etiquetas", pasta}, 1, 0, "O relatório não tem páginas a imprimir."},
        {{"resumo", pasta}, 64, 0, "uso: gdzovi-lote relatorio"},
        {{"erros", pasta + "/nao-existe"}, 66, 0, "Pasta de dados inexistente"},
    };
    int n = 0;
    for (const auto& c : casos) {
        const QString pdf = saida.filePath(QStringLiteral("r%1.pdf").arg(n++));
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QString::fromStdString((PastaProgramas() / "gdzovi-lote").string()),
                QStringList{"relatorio"} + c.argumentos + QStringList{"--pdf", pdf});
        ASSERT_TRUE(p.waitForFinished(60000));
        const auto terminal = QString::fromUtf8(p.readAll());
        EXPECT_EQ(p.exitCode(), c.saida) << terminal.toStdString();
        const auto paginas = PaginasPdf(pdf);
        EXPECT_EQ(paginas.size(), c.paginas) << c.argumentos.join(' ').toStdString();
        EXPECT_EQ(QFileInfo::exists(pdf), c.paginas > 0);
        EXPECT_TRUE((paginas.join(QString()) + terminal).contains(QString::fromUtf8(c.texto))) << terminal.toStdString();
    }
}

}  // namespace
}  // namespace zovi::teste
