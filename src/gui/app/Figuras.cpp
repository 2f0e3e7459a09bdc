#include "app/Figuras.h"

#include <QFont>
#include <QPainter>

namespace zovi::gui {

namespace {

const QColor kVerdeAzulado(0, 128, 128);
const QColor kAmarelo(255, 214, 64);

}  // namespace

QPixmap FiguraZovi(QSize tamanho) {
    QPixmap figura(tamanho);
    figura.fill(Qt::transparent);
    QPainter p(&figura);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(1, 1, tamanho.width() - 2, tamanho.height() - 2);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(0, 90, 90));
    p.drawRoundedRect(area, 10, 10);
    QFont letra(QStringLiteral("Sans Serif"));
    letra.setBold(true);
    letra.setPixelSize(tamanho.height() * 2 / 5);
    p.setFont(letra);
    p.setPen(kAmarelo);
    p.drawText(area.adjusted(0, 0, 0, -area.height() / 3), Qt::AlignCenter, QStringLiteral("ZOVI"));
    letra.setPixelSize(tamanho.height() / 5);
    letra.setBold(false);
    p.setFont(letra);
    p.setPen(Qt::white);
    p.drawText(area.adjusted(0, area.height() / 2, 0, 0), Qt::AlignCenter, QStringLiteral("Ano-Base 2005"));
    return figura;
}

QPixmap FiguraAbertura() {
    QPixmap figura(QSize(420, 240));
    figura.fill(kVerdeAzulado);
    QPainter p(&figura);
    p.drawPixmap(130, 30, FiguraZovi(QSize(160, 90)));
    QFont letra(QStringLiteral("Sans Serif"));
    letra.setBold(true);
    letra.setPixelSize(26);
    p.setFont(letra);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 135, 420, 40), Qt::AlignCenter, QStringLiteral("GDZovi2005"));
    letra.setBold(false);
    letra.setPixelSize(15);
    p.setFont(letra);
    p.drawText(QRect(0, 175, 420, 30), Qt::AlignCenter, QStringLiteral("Gerador de Declaração ZOVI"));
    return figura;
}

}  // namespace zovi::gui
