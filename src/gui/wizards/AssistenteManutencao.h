#pragma once
// The bulk maintenance wizards opened from the establishment list: multiple
// deletion of employees (Ctrl+Alt+F4), change of the relationship type of all
// employees of an establishment (Ctrl+Alt+F5) and transfer of employees to a new
// establishment (Ctrl+Alt+F3). The pages ask; the core's ManutencaoLote checks
// and writes, each operation in one transaction.
#include <QWidget>

#include <string>
#include <vector>

#include "app/Figuras.h"
#include "data/ModulosDados.h"
#include "entry/ManutencaoLote.h"
#include "rules/Primitivas.h"
#include "wizards/PaginaAssistente.h"

namespace zovi {
class Mensagens;
}

namespace zovi::gui {

class EscolhaEstabelecimento;

// What the pages of one bulk wizard keep between them.
struct ContextoManutencao : ContextoAssistente {
    ContextoManutencao(TdmGDZovi& dm, Mensagens& mensagens) : dm(dm), mensagens(mensagens), entrada(dm) {}
    TdmGDZovi& dm;
    Mensagens& mensagens;
    TdmEntradaDados entrada;
    std::string anoBase = kTextoAnoBase;
    EstabelecimentoEscolhido escolhido;
    std::string codigoInscricao;  // fCriticaInscricao of the chosen inscription
    char ordem = '0';             // '0' PIS/PASEP, '1' name
    // The first 65 characters of each ticked line, from "Avançar" on the employee page
    // until the wizard goes back past it, is cancelled or ends.
    std::vector<std::string> marcados;
    bool listaPendente = false;  // the employee page fills its list again when shown

    ChaveEstabelecimento Chave() const { return {anoBase, escolhido.inscricao, escolhido.prefixo}; }
    // The ticked lines read back into employee keys, by the order they were listed in.
    std::vector<EmpregadoMarcado> Empregados() const;
};

// "Avançar" of an establishment page: "1301" without a choice, the inscription's rule,
// the notice of an operation left open, "1311" (transfer) and "1302"; true when the
// wizard may go on, with the choice kept in the context.
bool AceitaEstabelecimento(ContextoManutencao& contexto, const EscolhaEstabelecimento& escolha, LeituraInscricao leitura);
// The establishment page as it is shown: the base year's declarations with employees, none
// chosen, the list focused.
void MostraEstabelecimentos(ContextoManutencao& contexto, EscolhaEstabelecimento& escolha);

// What every page of a bulk wizard sets up alike: its form name ("fmExclMult02"), the
// picture, the panel of its step, and the buttons of the first, middle and last pages.
template <class Ui>
void MontaPagina(QDialog& pagina, Ui& ui, const QString& nome, int indice, int ultima) {
    pagina.setObjectName(nome + QStringLiteral("0%1").arg(indice));
    ui.laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    ui.stPaineis->setCurrentIndex(indice);
    ui.btVoltar->setEnabled(indice != 0);
    ui.btAvancar->setVisible(indice != ultima);
    ui.btConcluir->setVisible(indice == ultima);
    if (indice == ultima) ui.btCancelar->setText(QStringLiteral("C&ancelar"));
}

void ExecutaExclusaoMultipla(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai);
void ExecutaTrocaVinculo(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai);
void ExecutaTransferencia(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai);

}  // namespace zovi::gui
