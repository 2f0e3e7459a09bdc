#pragma once
// How the windows show, print and save a report: the preview window, the
// print dialog, and the PDF file for when there is no printer. Laying out,
// printing and saving a long report show its pages going by, with "Cancelar";
// printing and saving end by saying where the pages went.
#include <QWidget>

namespace zovi::relatorios {
class Composicao;
class Relatorio;
}  // namespace zovi::relatorios

namespace zovi::gui {

class ServicoDialogos;

// The most pages the preview lays out; a longer report is printed instead.
inline constexpr int kLimitePaginasPrevia = 10000;

// Shows the report in the preview window (modal). A report longer than the page limit
// is not shown: the user is told to print it (LimitePaginas).
void MostraRelatorio(QWidget* pai, relatorios::Relatorio& relatorio, ServicoDialogos& dialogos,
                     int limite = kLimitePaginasPrevia);

// Prints through the print dialog (printer, page range, copies), or with `comDialogo` false
// every page once on the default printer (the diskette labels). With no printer installed the
// user is told so and may save the report as PDF instead. True when something was printed or saved.
bool ImprimeRelatorio(QWidget* pai, relatorios::Relatorio& relatorio, ServicoDialogos& dialogos,
                      bool comDialogo = true);
bool ImprimeRelatorio(QWidget* pai, relatorios::Composicao& composicao, ServicoDialogos& dialogos,
                      bool comDialogo = true);

// Asks for a file name and saves the report as PDF; true when saved.
bool SalvaRelatorioPdf(QWidget* pai, relatorios::Composicao& composicao, ServicoDialogos& dialogos);

}  // namespace zovi::gui
