#include "wizards/AssistenteManutencao.h"

#include <memory>

#include "data/ListasSelecao.h"
#include "messages/Mensagens.h"
#include "wizards/PecasManutencao.h"
#include "wizards/TfmAltVinculo.h"
#include "wizards/TfmCopEstab.h"
#include "wizards/TfmExclMult.h"

namespace zovi::gui {

std::vector<EmpregadoMarcado> ContextoManutencao::Empregados() const {
    std::vector<EmpregadoMarcado> r;
    r.reserve(marcados.size());
    for (const auto& linha : marcados) r.push_back(LeLinhaEmpregado(linha, ordem));
    return r;
}

bool AceitaEstabelecimento(ContextoManutencao& c, const EscolhaEstabelecimento& escolha, LeituraInscricao leitura) {
    const auto linha = escolha.Escolhida();
    if (!linha) {
        c.mensagens.MostraMensagem("1301");
        return false;
    }
    c.escolhido = LeLinhaEstabelecimento(*linha, leitura);
    c.codigoInscricao = CriticaInscricaoEscolhida(c.escolhido, leitura);
    if (!InscricaoAceita(c.codigoInscricao)) {
        c.mensagens.MostraMensagem(c.codigoInscricao);
        return false;
    }
    VerificaOpcaoAberta(c.dm.dbZovi, c.mensagens, c.anoBase, c.escolhido.inscricao, c.escolhido.prefixo);
    std::string codigo = kPassa;
    if (leitura == LeituraInscricao::Transferencia) codigo = CriticaCeiVinculadoOrigem(c.dm.dbZovi, c.Chave());
    if (fPassou(codigo)) codigo = CriticaTemEmpregados(c.entrada, c.Chave());
    if (fPassou(codigo)) return true;
    c.mensagens.MostraMensagem(codigo);
    return false;
}

void MostraEstabelecimentos(ContextoManutencao& c, EscolhaEstabelecimento& escolha) {
    escolha.Define(ListaEstabelecimentos(c.dm.quBd8Emp, c.anoBase, 'N'));
    escolha.Foca();
}

namespace {

// Runs the pages of one wizard, created together and freed together when it ends.
template <typename Pagina>
void Executa(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai, int paginas) {
    ContextoManutencao contexto(dm, mensagens);
    std::vector<std::unique_ptr<Pagina>> p;
    for (int i = 0; i < paginas; ++i) p.push_back(std::make_unique<Pagina>(contexto, dialogos, i, pai));
    contexto.titulo = p[0]->windowTitle();
    ExecutaAssistente(dialogos, contexto, paginas, [&](int i) -> PaginaAssistente& { return *p[i]; });
}

}  // namespace

void ExecutaExclusaoMultipla(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai) {
    Executa<TfmExclMult>(dm, mensagens, dialogos, pai, 5);
}

void ExecutaTrocaVinculo(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai) {
    Executa<TfmAltVinculo>(dm, mensagens, dialogos, pai, 3);
}

void ExecutaTransferencia(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai) {
    Executa<TfmCopEstab>(dm, mensagens, dialogos, pai, 4);
}

}  // namespace zovi::gui
