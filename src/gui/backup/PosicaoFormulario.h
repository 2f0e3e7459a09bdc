#pragma once
// The place of the maintenance dialogs: at the left edge of the screen, just
// below the main window's tool bar.
#include <QWidget>

namespace zovi::gui {

// The top for a screen width: the tool bar's height differs with the screen.
int TopoFormulario(int larguraTela);
// Moves the form to the left edge (left 1) at that top of its screen.
void PosicionaFormulario(QWidget& formulario);

}  // namespace zovi::gui
