#pragma once
// How a long run started from a form talks to the user: its messages go
// through the program's dialog service, its progress shows on the form's label
// and bar (letting the window repaint and its Cancel button work), and the
// form's Cancel button becomes the run's interruption request.
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

#include "platform/Interacao.h"

namespace zovi::gui {

class ServicoDialogos;

class InteracaoFormulario : public Interacao {
public:
    InteracaoFormulario(ServicoDialogos& dialogos, QWidget& formulario);

    // The label and bar that appear with the run's first progress.
    void MostraProgressoEm(QLabel& rotulo, QProgressBar& barra);

    Resposta Mostra(TipoDialogo tipo, const std::string& texto) override;
    Resposta Pergunta(TipoDialogo tipo, const std::string& texto) override;
    Resposta MostraOkCancela(TipoDialogo tipo, const std::string& texto) override;
    void Progresso(long posicao, long maximo) override;
    bool InterrupcaoPedida() override;

    // The user pressed Cancel (or closed the form) while the run was going.
    void PedeInterrupcao() { interrupcao_ = true; }

private:
    ServicoDialogos& dialogos_;
    QPointer<QWidget> formulario_;
    QPointer<QLabel> rotulo_;
    QPointer<QProgressBar> barra_;
    bool interrupcao_ = false;
    QElapsedTimer ultimosEventos_;  // since the window last processed its events
};

}  // namespace zovi::gui
