#include "wizards/AssistenteAnalise.h"

#include "data/ModulosDados.h"
#include "wizards/TfmAnalis00.h"

namespace zovi::gui {

AssistenteAnalise::AssistenteAnalise(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai)
    : dialogos_(dialogos), contexto_(dm, mensagens),
      fmAnalis00_(std::make_unique<TfmAnalis00>(contexto_, dialogos, pai)) {}

AssistenteAnalise::~AssistenteAnalise() = default;

void AssistenteAnalise::Executa() {
    ExecutaAssistente(dialogos_, contexto_, 1, [this](int) -> PaginaAssistente& { return *fmAnalis00_; });
    for (const char* tabela : {"TE8EMP", "TE8VINC", "TE8RESP", "TE8ERRWA", "TE8STRU"})
        contexto_.dm.dbZovi.ApagaTabela(tabela);
}

}  // namespace zovi::gui
