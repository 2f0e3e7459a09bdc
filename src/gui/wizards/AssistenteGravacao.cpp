#include "wizards/AssistenteGravacao.h"

#include "messages/Formatacao.h"
#include "wizards/TfmGravaDecl00.h"
#include "wizards/TfmGravaDecl01.h"
#include "wizards/TfmGravaDecl02.h"
#include "wizards/TfmGravaDecl03.h"
#include "wizards/TfmGravaDecl04.h"

namespace zovi::gui {

namespace {

std::string Coluna(const std::string& texto, int largura) { return CompletaEspacos(texto, largura).substr(0, largura); }

}  // namespace

std::string LinhaEmpresaGravacao(const std::string& inscricao, const std::string& tipoInscricao,
                                 const std::string& prefixo, const std::string& nome, const std::string& vinculos) {
    return Coluna(FormataInscricao(inscricao, tipoInscricao), 18) + "  " + prefixo + "  " + Coluna(nome, 30) + "  " +
           vinculos;
}

AssistenteGravacao::AssistenteGravacao(TdmGDZovi& dm, Mensagens& mensagens, const TCriticaZovi& critica,
                                       Seletores& seletores, ServicoDialogos& dialogos, QWidget* pai)
    : dialogos_(dialogos), pai_(pai), contexto_(dm, mensagens, critica, seletores) {}

AssistenteGravacao::~AssistenteGravacao() = default;

PaginaAssistente& AssistenteGravacao::Pagina(int i) {
    auto& pagina = paginas_[i];
    if (!pagina) {
        // Pages in the order they open.
        switch (i) {
        case 0: pagina = std::make_unique<TfmGravaDecl00>(contexto_, dialogos_, pai_); break;
        case 1: pagina = std::make_unique<TfmGravaDecl02>(contexto_, dialogos_, pai_); break;
        case 2: pagina = std::make_unique<TfmGravaDecl01>(contexto_, dialogos_, pai_); break;
        case 3: pagina = std::make_unique<TfmGravaDecl03>(contexto_, dialogos_, pai_); break;
        default: pagina = std::make_unique<TfmGravaDecl04>(contexto_, dialogos_, pai_); break;
        }
    }
    return *pagina;
}

int AssistenteGravacao::Executa(int inicio) {
    // A page that went back is gone: the next visit starts it afresh from the context.
    return ExecutaAssistente(
        dialogos_, contexto_, 5, [this](int i) -> PaginaAssistente& { return Pagina(i); },
        [this](int i) { paginas_[i].reset(); }, inicio);
}

}  // namespace zovi::gui
