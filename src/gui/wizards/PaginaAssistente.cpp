#include "wizards/PaginaAssistente.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include "messages/ServicoDialogos.h"

namespace zovi::gui {

PaginaAssistente::PaginaAssistente(ContextoAssistente& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : QDialog(pai), contexto_(contexto), dialogos_(dialogos) {
    setModal(true);
}

void PaginaAssistente::showEvent(QShowEvent* e) {
    if (!contexto_.titulo.isEmpty()) setWindowTitle(contexto_.titulo);
    if (contexto_.geometria.isValid()) setGeometry(contexto_.geometria);
    QDialog::showEvent(e);
}

void PaginaAssistente::keyPressEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(e);
        return;
    }
    if (auto* botao = qobject_cast<QAbstractButton*>(focusWidget()); botao && botao->inherits("QPushButton"))
        botao->click();
    else
        focusNextChild();
}

void PaginaAssistente::reject() { Cancela(); }

void PaginaAssistente::Avanca() {
    // The next page opens where this one stands.
    if (isVisible()) contexto_.geometria = geometry();
    done(kAvanca);
}

void PaginaAssistente::FechaTudo() {
    contexto_.MarcaFechaTudo() = true;
    done(QDialog::Rejected);
}

int ExecutaAssistente(ServicoDialogos& dialogos, ContextoAssistente& contexto, int paginas,
                      const std::function<PaginaAssistente&(int)>& pagina, const std::function<void(int)>& descarta,
                      int inicio) {
    contexto.MarcaFechaTudo() = false;
    int atual = inicio;
    while (true) {
        const int saida = dialogos.Executa(pagina(atual));
        if (contexto.MarcaFechaTudo() || saida == QDialog::Rejected) break;
        if (saida == PaginaAssistente::kVolta) {
            if (descarta) descarta(atual);
            if (atual-- == inicio) break;
        } else if (atual + 1 < paginas) {
            ++atual;
        } else {
            break;
        }
    }
    return atual;
}

}  // namespace zovi::gui
