#pragma once
// "Assistente para Retificação de Declaração": after the notice on what a
// rectification is, the welcome page and the choice of establishments and
// employees (TfmRetifDecl01, TfmRetifDecl02), then the generation wizard's
// declarant, result and end pages with the rectification mark set. The
// declarant page's Avançar copies the declarant and the choice into the work
// tables te8Resp, te8Emp and te8Vinc, which the verification and the writer
// (R and W on) then read; the declaration tables are only read.
#include <QWidget>

#include <memory>

#include "declfile/Retificacao.h"
#include "wizards/AssistenteGravacao.h"

namespace zovi::gui {

class AssistenteRetificacao {
public:
    AssistenteRetificacao(TdmGDZovi& dm, Mensagens& mensagens, const TCriticaZovi& critica, Seletores& seletores,
                          ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~AssistenteRetificacao();

    ContextoGravacao& Contexto() { return gravacao_.Contexto(); }
    SelecaoRetificacao& Selecao() { return selecao_; }
    // The notice, then the pages from the welcome page.
    void Executa();
    // The rectification's own page i (0 welcome, 1 choice), for tests and pictures; created if needed.
    PaginaAssistente& Pagina(int i);
    // The generation wizard whose pages follow the choice.
    AssistenteGravacao& Gravacao() { return gravacao_; }

private:
    // The declarant page's copy: false (after the message) cancels the wizard.
    bool Copia();

    ServicoDialogos& dialogos_;
    QWidget* pai_;
    AssistenteGravacao gravacao_;
    SelecaoRetificacao selecao_;
    std::unique_ptr<PaginaAssistente> paginas_[2];
};

}  // namespace zovi::gui
