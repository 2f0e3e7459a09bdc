#pragma once
// A maintenance dialog that runs one long operation from its "&Iniciar": it
// stands at the left below the tool bar, shows the run's progress, and while
// the run goes its Cancel (or closing it) asks the run to stop instead of
// closing it under the run.
#include <QDialog>

#include <functional>

#include "backup/InteracaoFormulario.h"

namespace zovi::gui {

class FormularioExecucao : public QDialog {
    Q_OBJECT
public:
    explicit FormularioExecucao(ServicoDialogos& dialogos, QWidget* pai = nullptr);

    bool Rodando() const { return rodando_; }
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    // Runs the operation and closes the form with its outcome.
    void RodaEFecha(const std::function<bool()>& execucao);
    // Whether the Cancel of a running operation asks it to stop (otherwise it is ignored).
    void CancelaDuranteExecucao(bool pode) { cancelavel_ = pode; }

    ServicoDialogos& dialogos_;
    InteracaoFormulario interacao_;

private:
    bool rodando_ = false;
    bool cancelavel_ = true;
};

}  // namespace zovi::gui
