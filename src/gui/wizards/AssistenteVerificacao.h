#pragma once
// "Assistente para Verificar Inconsistências das Declarações": the user picks
// establishments of the base year, the verification run checks them, and the
// last step tells what it found and previews or prints the error report.
#include <QWidget>

#include <memory>
#include <string>

#include "wizards/PaginaAssistente.h"
#include "wizards/PainelResultado.h"

namespace zovi {
class TdmGDZovi;
class Mensagens;
}  // namespace zovi

namespace zovi::gui {

class TfmVerInco00;
class TfmVerInco01;
class TfmVerInco02;

// What the three steps keep between them.
struct ContextoVerificacao : ContextoAssistente {
    ContextoVerificacao(TdmGDZovi& dm, Mensagens& mensagens) : dm(dm), mensagens(mensagens) {}
    TdmGDZovi& dm;
    Mensagens& mensagens;
    std::string anoBase = "2005";
    Desfecho desfecho = Desfecho::Nenhum;
};

class AssistenteVerificacao {
public:
    AssistenteVerificacao(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~AssistenteVerificacao();

    // Fills the establishment list and runs the steps from the first.
    void Executa();

    TfmVerInco00& Passo1() { return *fmVerInco00_; }
    TfmVerInco01& Passo2() { return *fmVerInco01_; }
    TfmVerInco02& Passo3() { return *fmVerInco02_; }

private:
    ServicoDialogos& dialogos_;
    ContextoVerificacao contexto_;
    std::unique_ptr<TfmVerInco00> fmVerInco00_;
    std::unique_ptr<TfmVerInco01> fmVerInco01_;
    std::unique_ptr<TfmVerInco02> fmVerInco02_;
};

}  // namespace zovi::gui
