#include "wizards/AssistenteVerificacao.h"

#include "data/ListasSelecao.h"
#include "data/ModulosDados.h"
#include "messages/Mensagens.h"
#include "wizards/ListaMarcacao.h"
#include "wizards/TfmVerInco00.h"
#include "wizards/TfmVerInco01.h"
#include "wizards/TfmVerInco02.h"

namespace zovi::gui {

AssistenteVerificacao::AssistenteVerificacao(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos,
                                             QWidget* pai)
    : dialogos_(dialogos), contexto_(dm, mensagens),
      fmVerInco00_(std::make_unique<TfmVerInco00>(contexto_, dialogos, pai)),
      fmVerInco01_(std::make_unique<TfmVerInco01>(contexto_, dialogos, pai)),
      fmVerInco02_(std::make_unique<TfmVerInco02>(contexto_, dialogos, pai)) {
    contexto_.titulo = fmVerInco00_->windowTitle();
}

AssistenteVerificacao::~AssistenteVerificacao() = default;

void AssistenteVerificacao::Executa() {
    // Every establishment of the base year, in table order: the run takes the marks by position.
    auto& lista = fmVerInco01_->Empresas().Modelo();
    lista.Define(MarcaEstabelecimentos(contexto_.dm.quBd8Emp, contexto_.anoBase, ' ', '0'));
    fmVerInco00_->PodeAvancar(!lista.Vazio());
    if (lista.Vazio()) contexto_.mensagens.MostraMensagem("1700");

    ExecutaAssistente(dialogos_, contexto_, 3, [this](int passo) -> PaginaAssistente& {
        switch (passo) {
        case 0: return *fmVerInco00_;
        case 1: return *fmVerInco01_;
        default: fmVerInco02_->MostraDesfecho(contexto_.desfecho); return *fmVerInco02_;
        }
    });
}

}  // namespace zovi::gui
