#pragma once
// Result page of the generation wizard: what the verification found; without
// errors, the generation date, the drive or folder, and the writing run.
#include <memory>
#include <string>

class QFocusEvent;

#include "wizards/AssistenteGravacao.h"

namespace Ui {
class TfmGravaDecl03;
}

namespace zovi::gui {

class TfmGravaDecl03 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmGravaDecl03(ContextoGravacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmGravaDecl03() override;

    // Shows the panel of the verification result.
    void MostraResultado();

protected:
    void Cancela() override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    // Leaving the date or the drive for another control of the page checks it, unless the focus
    // goes where checking would be in the way: Cancel, Voltar, the report buttons, or Avançar,
    // which checks everything itself.
    bool fFazerCritica() const;
    bool FocoFicaNaPagina(const QFocusEvent& e) const;
    bool CriticaData();
    bool CriticaDrive();
    // Shows the check's message and puts the focus back on the field.
    void Recusa(const std::string& codigo, QWidget* campo);
    void Avancar();
    // The writing run; true when every file was written and sealed.
    bool fGravouArquivoZOVI();

    std::unique_ptr<Ui::TfmGravaDecl03> ui_;
    ContextoGravacao& gravacao_;
    bool criticando_ = false;  // a check's message is up, or the focus is going back to its field
};

class PainelProgresso;

// Writes the declaration with `painel` showing the run; an interruption or a failure is told
// to the user over `pagina`. The writer's result.
int GravaComProgresso(QWidget* pagina, ServicoDialogos& dialogos, PainelProgresso& painel, Banco& banco,
                      const ParametrosGravacao& p);

}  // namespace zovi::gui
