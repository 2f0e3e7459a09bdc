#pragma once
// For the tests whose dialogs really run: answers every message box that opens
// with its default button (Enter), keeping its text, and hands any other modal
// window to `outra` when one is given.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace zovi::teste {

class RespondeCaixas : public QObject {
public:
    explicit RespondeCaixas(std::function<void(QWidget&)> outra = {}) : outra_(std::move(outra)) {
        connect(&relogio_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* caixa = qobject_cast<QMessageBox*>(modal)) {
                caixas << caixa->text();
                QTest::keyClick(caixa, Qt::Key_Return);
            } else if (modal && outra_) {
                outra_(*modal);
            }
        });
        relogio_.start(20);
    }
    QStringList caixas;

private:
    std::function<void(QWidget&)> outra_;
    QTimer relogio_;
};

}  // namespace zovi::teste
