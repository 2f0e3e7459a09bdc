#include "backup/PosicaoFormulario.h"

#include <QScreen>

namespace zovi::gui {

namespace {
// Where the forms were laid out; other screen widths keep it.
constexpr int kTopoProjetado = 102;
}  // namespace

int TopoFormulario(int larguraTela) {
    switch (larguraTela) {
    case 640: return 76;
    case 800: return 88;
    case 1024: return 102;
    default: return kTopoProjetado;
    }
}

void PosicionaFormulario(QWidget& formulario) {
    auto* tela = formulario.screen();
    if (!tela) return;
    const QRect area = tela->geometry();
    formulario.move(area.left() + 1, area.top() + TopoFormulario(area.width()));
}

}  // namespace zovi::gui
