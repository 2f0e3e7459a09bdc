#pragma once
// The program's pictures, drawn rather than shipped: the mark used by the
// splash, the main window and the about box.
#include <QPixmap>
#include <QSize>

namespace zovi::gui {

QPixmap FiguraZovi(QSize tamanho);
// The glyph of "Nova Declaração": a blank page with a green plus.
QPixmap GlifoNovaDeclaracao();
// The splash picture: the mark and the program's name on the teal background.
QPixmap FiguraAbertura();

}  // namespace zovi::gui
