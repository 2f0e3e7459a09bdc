#pragma once
// Each accelerator of a window must reach one control: two that share one are
// pressed by neither.
#include <QAbstractButton>
#include <QHash>
#include <QLabel>
#include <QStringList>

namespace zovi::teste {

// The texts that take an accelerator letter already taken ("first / second"), among the labels
// and buttons of `janela` that its user can reach (shown and enabled).
inline QStringList AceleradoresRepetidos(QWidget& janela) {
    QStringList repetidos;
    QHash<QChar, QString> donos;
    auto anota = [&](const QWidget& w, const QString& texto) {
        if (!w.isVisibleTo(&janela) || !w.isEnabledTo(&janela)) return;
        const QString limpo = QString(texto).remove(QStringLiteral("&&"));
        const qsizetype i = limpo.indexOf(QLatin1Char('&'));
        if (i < 0 || i + 1 >= limpo.size()) return;
        const QChar letra = limpo.at(i + 1).toLower();
        if (donos.contains(letra)) repetidos << donos[letra] + QStringLiteral(" / ") + texto;
        donos.insert(letra, texto);
    };
    for (auto* l : janela.findChildren<QLabel*>()) anota(*l, l->text());
    for (auto* b : janela.findChildren<QAbstractButton*>()) anota(*b, b->text());
    return repetidos;
}

}  // namespace zovi::teste
