#include "entry/ComandosEmpregados.h"

#include "app/TfmGDZOVI.h"
#include "engine/Tabela.h"
#include "entry/TfmConEmpreg.h"
#include "messages/ServicoDialogos.h"

namespace zovi::gui {

bool AbreEmpregados(TfmGDZOVI& janela, const EstabelecimentoEmpregados& e) {
    // The rules read the establishment's whole row (activity, legal nature, closing).
    Tabela t(janela.DadosPrograma().dbZovi, "BD8EMP");
    t.Abre();
    if (!t.BuscaChave({e.anoBase, e.inscricao, e.prefixo})) return false;
    const auto registro = LeEstabelecimento(t);
    t.Fecha();
    ContextoEmpregados contexto(janela.DadosPrograma(), janela.EntradaDadosPrograma(), janela.DialogosPrograma(),
                                janela.MensagensPrograma(), janela.SeletoresPrograma(), janela.ReferenciasPrograma(),
                                registro);
    TfmConEmpreg fmConEmpreg(contexto, &janela);
    // Without employees the user goes straight to the employee form; the list comes once
    // there is someone in it.
    if (contexto.cadastro.Conta().empregados == 0) {
        fmConEmpreg.Novo();
        if (fmConEmpreg.SemEmpregados()) return true;
    }
    janela.DialogosPrograma().Executa(fmConEmpreg);
    return fmConEmpreg.SemEmpregados();
}

}  // namespace zovi::gui
