#include "PdfTexto.h"

#include <QProcess>

namespace zovi::teste {

QStringList PaginasPdf(const QString& arquivo) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), arquivo, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    auto paginas = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    // pdftotext ends the last page with a form feed too.
    if (!paginas.isEmpty() && paginas.back().trimmed().isEmpty()) paginas.removeLast();
    return paginas;
}

int Ocorrencias(const QString& texto, const QString& trecho) { return static_cast<int>(texto.count(trecho)); }

}  // namespace zovi::teste
