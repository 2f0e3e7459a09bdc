#pragma once
// The layout sheet: a fixed, printed description of the declaration file, its
// general rules, its logical structure and one table per record type, seven
// pages in all. The single row of the Cartela table makes the chain of
// sections print once; nothing of the row is printed.
#include "motor/Relatorio.h"

namespace zovi {
class Banco;
}

namespace zovi::relatorios {

class TrpCartela : public Relatorio {
public:
    TrpCartela(Banco& banco, const QString& versao = VersaoPadrao());
    static QString VersaoPadrao();
};

}  // namespace zovi::relatorios
