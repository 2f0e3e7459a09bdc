#pragma once
// The import wizard's last page: the establishments went in; the import report
// can be previewed or printed.
#include <memory>

#include "wizards/AssistenteImportacao.h"

namespace Ui {
class TfmImport03;
}

namespace zovi::gui {

class TfmImport03 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmImport03(ContextoImportacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmImport03() override;

private:
    std::unique_ptr<Ui::TfmImport03> ui_;
};

}  // namespace zovi::gui
