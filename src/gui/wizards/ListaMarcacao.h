#pragma once
// A tick list of establishments (or employees) with the box that ticks or
// clears every line. A click anywhere on a line toggles it, once also when it
// lands on the check mark; Space and Enter toggle the current line.
#include <QWidget>

#include <memory>

#include "wizards/ModeloMarcacao.h"

namespace Ui {
class ListaMarcacao;
}

namespace zovi::gui {

class ListaMarcacao : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString texto READ Texto WRITE PoeTexto)
public:
    explicit ListaMarcacao(QWidget* pai = nullptr);
    ~ListaMarcacao() override;

    ModeloMarcacao& Modelo() { return modelo_; }
    // The text above the list.
    QString Texto() const;
    void PoeTexto(const QString& texto);
    void FocaLista();
    // The box that ticks or clears every line; lists of employees go without it.
    void MostraMarcaTodas(bool mostra);

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    void AlternaAtual();

    std::unique_ptr<Ui::ListaMarcacao> ui_;
    ModeloMarcacao modelo_;
};

}  // namespace zovi::gui
