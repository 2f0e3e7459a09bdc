#pragma once
// What the employee list and the employee form share while the user works on
// one establishment: the entry context's services (data modules, dialogs,
// catalogue, code pickers, the reference tables the rules read), the
// establishment's row and the store.
#include "data/ModulosDados.h"
#include "entry/ContextoEntrada.h"
#include "entry/CadastroEmpregado.h"
#include "messages/Mensagens.h"
#include "rules/Referencias.h"
#include "rules/VerificaEstabelecimento.h"

namespace zovi::gui {


// The establishment as the employee windows see it: its key, name, inscription
// type and whether it closes its activity in 2006 (the employees' reference year).
EstabelecimentoEmpregados EstabelecimentoDoRegistro(const RegistroEstabelecimento& registro);

struct ContextoEmpregados {
    ContextoEmpregados(ContextoEntrada& contexto, const RegistroEstabelecimento& estabelecimento)
        : dm(contexto.dm),
          entrada(contexto.Entrada()),
          dialogos(contexto.dialogos),
          mensagens(contexto.mensagens),
          seletores(contexto.SeletoresCodigos()),
          referencias(contexto.ReferenciasRegras()),
          estabelecimento(estabelecimento),
          cadastro(entrada, EstabelecimentoDoRegistro(estabelecimento)) {}

    TdmGDZovi& dm;
    TdmEntradaDados& entrada;
    ServicoDialogos& dialogos;
    Mensagens& mensagens;
    Seletores& seletores;
    const Referencias& referencias;
    RegistroEstabelecimento estabelecimento;
    CadastroEmpregado cadastro;
};

}  // namespace zovi::gui
