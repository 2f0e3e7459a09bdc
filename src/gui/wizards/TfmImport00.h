#pragma once
// The import wizard's file page: the file to import (typed or found with
// "&Localizar") and its structure analysis, with progress and Cancel.
#include <memory>

#include "wizards/AssistenteImportacao.h"

namespace Ui {
class TfmImport00;
}

namespace zovi::gui {

class TfmImport00 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmImport00(ContextoImportacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmImport00() override;

protected:
    // During the analysis Cancel asks it to stop.
    void Cancela() override;

private:
    void Localizar();
    void Avancar();
    void RecomecaArquivo();

    std::unique_ptr<Ui::TfmImport00> ui_;
    ContextoImportacao& importacao_;
};

}  // namespace zovi::gui
