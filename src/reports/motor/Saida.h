#pragma once
// A report sent to a paged device: a PDF file, or a printer handed over by the
// windows (this library knows nothing of printer dialogs).
#include <QString>

#include <functional>

class QPagedPaintDevice;

namespace zovi::relatorios {

class Composicao;
class Relatorio;

// Told the pages sent so far and how many there are in all (0 while unknown) as a long output
// goes; answering false cancels it.
using Progresso = std::function<bool(int feitas, int total)>;

// ImprimeEm's result when the progress cancelled the output.
inline constexpr int kSaidaCancelada = -2;

// Writes the report to a PDF file; on failure (or a report without pages, which writes
// nothing) returns false with the reason in `erro`. Cancelled, it leaves no file.
bool GeraPdf(Relatorio& relatorio, const QString& arquivo, QString* erro = nullptr);
bool GeraPdf(Composicao& composicao, const QString& arquivo, QString* erro = nullptr,
             const Progresso& progresso = {});

// Draws pages de..ate (from 1; ate 0 = to the last) on the device, set to the report's page,
// `copias` times one after the other;
// returns the number of pages drawn (0: the report has none, the device is left untouched),
// -1 when the device cannot be painted on, kSaidaCancelada when the progress cancelled it.
int ImprimeEm(Composicao& composicao, QPagedPaintDevice& dispositivo, int de = 1, int ate = 0, int copias = 1,
              const Progresso& progresso = {});

}  // namespace zovi::relatorios
