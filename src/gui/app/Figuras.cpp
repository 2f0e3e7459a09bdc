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

QPixmap GlifoNovaDeclaracao() {
    QPixmap glifo(24, 24);
    glifo.fill(Qt::transparent);
    QPainter p(&glifo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(4.5, 2.5), QPointF(14.5, 2.5), QPointF(19.5, 7.5), QPointF(19.5, 21.5),
                             QPointF(4.5, 21.5)}));
    p.setPen(QPen(QColor(0, 140, 0), 3));
    p.drawLine(QPointF(15, 12), QPointF(15, 22));
    p.drawLine(QPointF(10, 17), QPointF(20, 17));
    return glifo;
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
