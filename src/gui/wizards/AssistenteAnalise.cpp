#include "wizards/AssistenteAnalise.h"

#include "data/ModulosDados.h"
#include "wizards/TfmAnalis00.h"
#include "wizards/TfmAnalis01.h"

namespace zovi::gui {

AssistenteAnalise::AssistenteAnalise(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai)
    : dialogos_(dialogos), contexto_(dm, mensagens),
      fmAnalis00_(std::make_unique<TfmAnalis00>(contexto_, dialogos, pai)),
      fmAnalis01_(std::make_unique<TfmAnalis01>(contexto_, dialogos, pai)) {}

AssistenteAnalise::~AssistenteAnalise() = default;

void AssistenteAnalise::Executa() {
    ExecutaAssistente(dialogos_, contexto_, 2, [this](int passo) -> PaginaAssistente& {
        if (passo == 0) return *fmAnalis00_;
        fmAnalis01_->MostraResultado();
        return *fmAnalis01_;
    });
    for (const char* tabela : {"TE8EMP", "TE8VINC", "TE8RESP", "TE8ERRWA", "TE8STRU"})
        contexto_.dm.dbZovi.ApagaTabela(tabela);
}

}  // namespace zovi::gui
