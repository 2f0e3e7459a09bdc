#include "entry/ContextoEmpregados.h"

#include "rules/VerificaEmpregado.h"

namespace zovi::gui {

EstabelecimentoEmpregados EstabelecimentoDoRegistro(const RegistroEstabelecimento& r) {
    return {r.AnBase,
            r.CoCgcCeiEstabelecimento,
            r.InInscrEstabelecimento,
            r.NuPrefixoEstabelecimento,
            r.NoRazaoEstabelecimento,
            AnoReferenciaEmpregado(r.InEncerramentoAtividade, r.DaEncerramentoAtividade) == "2006"};
}

}  // namespace zovi::gui
