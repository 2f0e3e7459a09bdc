#pragma once
// Small routines shared by the forms and the report previews.
#include <QWidget>

namespace zovi::gui {

class ServicoDialogos;

// The text with its accented letters made plain ("João Ção" -> "Joao Cao").
QString SemAcentos(const QString& texto);

// Empties every edit box inside the container, descending into nested panels and tabs.
void LimpaEdicoes(QWidget& recipiente);

// A report too long to preview: tells the user to print it instead and closes the preview.
void LimitePaginas(QWidget& previa, ServicoDialogos& dialogos);

}  // namespace zovi::gui
