#pragma once
// The diskette labels: one label per row of te8ProID, the diskettes of the
// declaration last written, four to a Letter page. An empty (or absent)
// te8ProID gives no label and no page.
#include "motor/Relatorio.h"

namespace zovi {
class Banco;
}

namespace zovi::relatorios {

class TrpEtiquetas : public Relatorio {
public:
    explicit TrpEtiquetas(Banco& banco);
};

}  // namespace zovi::relatorios
