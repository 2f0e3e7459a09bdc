#pragma once
// The import wizard's failure page: the file does not meet the layout; the
// structure report can be previewed or printed.
#include <memory>

#include "wizards/AssistenteImportacao.h"

namespace Ui {
class TfmImport01;
}

namespace zovi::gui {

class TfmImport01 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmImport01(ContextoImportacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmImport01() override;

private:
    std::unique_ptr<Ui::TfmImport01> ui_;
};

}  // namespace zovi::gui
