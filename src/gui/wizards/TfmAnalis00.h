#pragma once
// The analyzer's file page: the file (typed or found with "&Localizar"), its
// structure analysis and the verification of its declared data, each with
// progress and Cancel; a structural fault shows the fault panel with the
// structure report.
#include <memory>

#include "wizards/AssistenteAnalise.h"

namespace Ui {
class TfmAnalis00;
}

namespace zovi::gui {

class TfmAnalis00 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmAnalis00(ContextoAnalise& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmAnalis00() override;

protected:
    // During the analysis or the verification Cancel asks the run to stop.
    void Cancela() override;

private:
    void Localizar();
    void Avancar();
    // Back to the file panel with the file emptied.
    void RecomecaArquivo();
    // The analysis; false when it was stopped or ended on a fault.
    bool AnalisaEstrutura(const QString& caminho);
    // The verification of the work tables; false when it was stopped.
    bool VerificaInformacoes(const QString& caminho);

    std::unique_ptr<Ui::TfmAnalis00> ui_;
    ContextoAnalise& analise_;
};

}  // namespace zovi::gui
