#pragma once
// A report sent to a paged device: a PDF file, or a printer handed over by the
// windows (this library knows nothing of printer dialogs).
#include <QString>

class QPagedPaintDevice;

namespace zovi::relatorios {

class Composicao;
class Relatorio;

// Writes the report to a PDF file; on failure (or a report without pages, which writes
// nothing) returns false with the reason in `erro`.
bool GeraPdf(Relatorio& relatorio, const QString& arquivo, QString* erro = nullptr);
bool GeraPdf(Composicao& composicao, const QString& arquivo, QString* erro = nullptr);

// Draws pages de..ate (from 1; ate 0 = to the last) on the device, set to the report's page,
// `copias` times one after the other;
// returns the number of pages drawn (0: the report has none, the device is left untouched),
// -1 when the device cannot be painted on.
int ImprimeEm(Composicao& composicao, QPagedPaintDevice& dispositivo, int de = 1, int ate = 0, int copias = 1);

}  // namespace zovi::relatorios
