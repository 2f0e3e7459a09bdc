#pragma once
// The import wizard's selection page: the file's establishments of the year,
// ticked one by one or all at once (an establishment whose prefix is blank or a
// single character cannot be ticked), and their import with progress and Cancel.
#include <memory>
#include <vector>

#include "wizards/AssistenteImportacao.h"

namespace Ui {
class TfmImport02;
}

namespace zovi::gui {

class ListaMarcacao;

class TfmImport02 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmImport02(ContextoImportacao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmImport02() override;

    // Fills the status line and the list from the work tables the analysis left.
    void MostraEstabelecimentos();
    ListaMarcacao& Empresas();

protected:
    // During the import Cancel asks it to stop.
    void Cancela() override;

private:
    void ConfereMarca(int linha);
    void SelecionaTodos();
    void LimpaOpcoes();
    void Concluir();

    std::unique_ptr<Ui::TfmImport02> ui_;
    ContextoImportacao& importacao_;
    std::vector<EstabelecimentoArquivo> estabelecimentos_;
};

}  // namespace zovi::gui
