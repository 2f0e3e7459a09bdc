#pragma once
// The panel a wizard page shows while a long run goes (the verification, the
// writing of the declaration): its text, the run's progress bar and a small
// animation. The page's Cancel, while the run goes, only asks the run to stop;
// the run then asks "Deseja interromper?".
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

#include "backup/InteracaoFormulario.h"

namespace Ui {
class PainelProgresso;
}

namespace zovi::gui {

class ServicoDialogos;

// Turning dots that tell the run is alive between two moves of the bar.
class AnimacaoEspera : public QWidget {
    Q_OBJECT
public:
    explicit AnimacaoEspera(QWidget* pai = nullptr);
    void Liga(bool ligada);
    QSize sizeHint() const override { return {40, 40}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QTimer relogio_;
    int passo_ = 0;
};

class PainelProgresso : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString texto READ Texto WRITE PoeTexto)
public:
    explicit PainelProgresso(QWidget* pai = nullptr);
    ~PainelProgresso() override;

    QString Texto() const;
    void PoeTexto(const QString& texto);

    // Runs `corrida` with the panel's progress and the dialog service for its questions.
    void Roda(ServicoDialogos& dialogos, const std::function<void(Interacao&)>& corrida);
    bool Rodando() const { return interacao_ != nullptr; }
    // The page's Cancel while the run goes.
    void PedeInterrupcao();

private:
    std::unique_ptr<Ui::PainelProgresso> ui_;
    std::unique_ptr<InteracaoFormulario> interacao_;
};

}  // namespace zovi::gui
