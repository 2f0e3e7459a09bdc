#pragma once
// The pages of the program's wizards and the loop that runs them.
//
// A wizard is a chain of modal pages: "&Avançar >" ends a page so that the
// next one opens in its place, "< &Voltar" ends it so that the previous one
// opens again, and Cancel or Fechar sets the wizard's close-all mark, which
// ends the whole chain. Each page is run through the dialog service, so tests
// drive a wizard page by page. The later pages take the first page's place
// and size.
#include <QDialog>
#include <QRect>

#include <functional>

namespace zovi::gui {

class ServicoDialogos;

// What the pages of one wizard share.
struct ContextoAssistente {
    virtual ~ContextoAssistente() = default;
    // The close-all mark: Cancel or Fechar on any page ends the wizard.
    virtual bool& MarcaFechaTudo() { return fechaTudo_; }
    QString titulo;   // caption of every page
    QRect geometria;  // where the first page stood when it advanced

private:
    bool fechaTudo_ = false;
};

class PaginaAssistente : public QDialog {
    Q_OBJECT
public:
    // How a page ended, besides QDialog::Rejected (closed, with the close-all mark set).
    enum Saida { kAvanca = QDialog::Accepted, kVolta = 2 };

    PaginaAssistente(ContextoAssistente& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);

    // Closing the window is the page's Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    // Enter moves to the next control, and presses a focused button.
    void keyPressEvent(QKeyEvent* e) override;

    void Avanca();
    void Volta() { done(kVolta); }
    // Cancel or Fechar: the whole wizard closes.
    void FechaTudo();
    // Cancel; a page with a run going asks the run to stop instead.
    virtual void Cancela() { FechaTudo(); }

    ContextoAssistente& contexto_;
    ServicoDialogos& dialogos_;
};

// Runs the pages from page `inicio`: pagina(i) gives page i (0-based), created or kept by
// the caller; descarta(i) is told when page i went back, so a wizard can let it go.
// Returns the index of the last page reached, or inicio - 1 when the first page run went
// back (another wizard that handed over to these pages then shows its own page again).
int ExecutaAssistente(ServicoDialogos& dialogos, ContextoAssistente& contexto, int paginas,
                      const std::function<PaginaAssistente&(int)>& pagina,
                      const std::function<void(int)>& descarta = {}, int inicio = 0);

}  // namespace zovi::gui
