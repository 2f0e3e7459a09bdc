#pragma once
// A tick list of establishments (or employees) with the box that ticks or
// clears every line, over its own list of lines or another model. A click anywhere on a line
// toggles it, once also when it lands on the check mark; Space and Enter toggle the current
// line. Each toggle by the user is signalled, so a list can refuse a line.
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
    // Shows and toggles another model's lines instead of its own (a list read from the tables).
    void UsaModelo(ModeloAlternavel& modelo);
    // The box that ticks or clears every line.
    void PoeTextoTodas(const QString& texto);
    void HabilitaTodas(bool habilita);
    // The text above the list.
    QString Texto() const;
    void PoeTexto(const QString& texto);
    void FocaLista();
    // The line becomes the current one (selected), its mark unchanged.
    void SelecionaLinha(int linha);
    // Shows or hides the box that ticks or clears every line.
    void MostraMarcaTodas(bool mostra);

signals:
    // The user toggled the line (a click, Space or Enter).
    void Alternada(int linha);

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    void AlternaAtual();

    std::unique_ptr<Ui::ListaMarcacao> ui_;
    ModeloMarcacao modelo_;
    ModeloAlternavel* ativo_ = &modelo_;
    QMetaObject::Connection aoReiniciar_;
};

}  // namespace zovi::gui
