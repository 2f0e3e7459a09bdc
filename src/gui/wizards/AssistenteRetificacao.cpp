#include "wizards/AssistenteRetificacao.h"

#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "rules/Primitivas.h"
#include "wizards/TfmRetifDecl01.h"
#include "wizards/TfmRetifDecl02.h"
#include "wizards/TfmRetifRegras.h"

namespace zovi::gui {

AssistenteRetificacao::AssistenteRetificacao(TdmGDZovi& dm, Mensagens& mensagens, const TCriticaZovi& critica,
                                             Seletores& seletores, ServicoDialogos& dialogos, QWidget* pai)
    : dialogos_(dialogos), pai_(pai), gravacao_(dm, mensagens, critica, seletores, dialogos, pai) {
    auto& contexto = gravacao_.Contexto();
    contexto.titulo = QStringLiteral("Assistente para Retificação de Declaração");
    contexto.dmDadosResp.modoRetificacao = true;
    contexto.copiaRetificacao = [this] { return Copia(); };
}

AssistenteRetificacao::~AssistenteRetificacao() = default;

PaginaAssistente& AssistenteRetificacao::Pagina(int i) {
    auto& pagina = paginas_[i];
    if (!pagina) {
        if (i == 0)
            pagina = std::make_unique<TfmRetifDecl01>(gravacao_.Contexto(), selecao_, dialogos_, pai_);
        else
            pagina = std::make_unique<TfmRetifDecl02>(gravacao_.Contexto(), selecao_, dialogos_, pai_);
    }
    return *pagina;
}

bool AssistenteRetificacao::Copia() {
    const std::string codigo = fCopiaRetificacao(gravacao_.Contexto().dm.dbZovi, selecao_);
    if (fPassou(codigo)) return true;
    gravacao_.Contexto().mensagens.MostraMensagem(codigo);
    return false;
}

void AssistenteRetificacao::Executa() {
    TfmRetifRegras regras(pai_);
    dialogos_.Executa(regras);
    auto& contexto = gravacao_.Contexto();
    // The work tables start empty each time; the declaration tables are never written.
    if (!fCriaTabelasRetificacao(contexto.dm.dbZovi)) {
        dialogos_.Mensagem(TipoDialogo::Erro,
                           QStringLiteral("Erro na inicialização dos arquivos para gravação de declaração.\n"
                                          "Processo será interrompido"),
                           pai_);
        return;
    }
    // The own pages, then the generation wizard's from the declarant page; its Voltar there
    // comes back to the choice, as it stood.
    int inicio = 0;
    for (;;) {
        const int ultima = ExecutaAssistente(
            dialogos_, contexto, 2, [this](int i) -> PaginaAssistente& { return Pagina(i); },
            [this](int i) { paginas_[i].reset(); }, inicio);
        if (contexto.MarcaFechaTudo() || ultima < 0) return;
        if (ultima < inicio) {
            inicio = 0;  // back from the choice to the welcome page
            continue;
        }
        if (gravacao_.Executa(AssistenteGravacao::kPaginaDeclarante) >= AssistenteGravacao::kPaginaDeclarante ||
            contexto.MarcaFechaTudo())
            return;
        inicio = 1;
    }
}

}  // namespace zovi::gui
