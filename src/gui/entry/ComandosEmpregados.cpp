#include "entry/ComandosEmpregados.h"

#include "engine/Tabela.h"
#include "entry/ContextoEntrada.h"
#include "entry/TfmConEmpreg.h"
#include "messages/ServicoDialogos.h"

namespace zovi::gui {

bool AbreEmpregados(ContextoEntrada& contexto, const EstabelecimentoEmpregados& e, QWidget* janela) {
    // The rules read the establishment's whole row (activity, legal nature, closing).
    Tabela t(contexto.dm.dbZovi, "BD8EMP");
    t.Abre();
    if (!t.BuscaChave({e.anoBase, e.inscricao, e.prefixo})) return false;
    const auto registro = LeEstabelecimento(t);
    t.Fecha();
    ContextoEmpregados empregados(contexto, registro);
    TfmConEmpreg fmConEmpreg(empregados, janela);
    // Without employees the user goes straight to the employee form; the list comes once
    // there is someone in it.
    if (empregados.cadastro.Conta().empregados == 0) {
        fmConEmpreg.Novo();
        if (fmConEmpreg.SemEmpregados()) return true;
    }
    contexto.dialogos.Executa(fmConEmpreg);
    return fmConEmpreg.SemEmpregados();
}

}  // namespace zovi::gui
