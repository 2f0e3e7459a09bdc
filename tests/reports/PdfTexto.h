#pragma once
// A PDF read back as text, page by page (pdftotext -layout).
#include <QString>
#include <QStringList>

namespace zovi::teste {

// The text of each page; empty when the file cannot be read.
QStringList PaginasPdf(const QString& arquivo);
// How many times `trecho` occurs in `texto`.
int Ocorrencias(const QString& texto, const QString& trecho);

}  // namespace zovi::teste
