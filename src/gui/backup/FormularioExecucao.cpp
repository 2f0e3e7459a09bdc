#include "backup/FormularioExecucao.h"

#include "backup/PosicaoFormulario.h"

namespace zovi::gui {

FormularioExecucao::FormularioExecucao(ServicoDialogos& dialogos, QWidget* pai)
    : QDialog(pai), dialogos_(dialogos), interacao_(dialogos, *this) {}

void FormularioExecucao::reject() {
    if (!rodando_) {
        QDialog::reject();
        return;
    }
    if (cancelavel_) interacao_.PedeInterrupcao();
}

void FormularioExecucao::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    PosicionaFormulario(*this);
}

void FormularioExecucao::RodaEFecha(const std::function<bool()>& execucao) {
    struct Marca {
        bool& rodando;
        explicit Marca(bool& r) : rodando(r) { rodando = true; }
        ~Marca() { rodando = false; }
    };
    bool ok = false;
    {
        Marca marca(rodando_);
        ok = execucao();
    }
    done(ok ? QDialog::Accepted : QDialog::Rejected);
}

}  // namespace zovi::gui
