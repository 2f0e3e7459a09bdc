#pragma once
// The structure report: the fault the structure analysis recorded in Te8stru,
// under its catalogue text, one group per record sequence involved (with the
// establishment's inscription and prefix when the record showed them) and one
// position line per row, naming where in the record the fault lies. The
// analyzer and the import wizard show it when a file fails its structure.
#include "motor/Relatorio.h"

namespace zovi {
class Banco;
class CatalogoMensagens;
}  // namespace zovi

namespace zovi::relatorios {

class TrpEstrut : public Relatorio {
public:
    // The catalogue gives the fault's text; it must outlive the report.
    TrpEstrut(Banco& banco, const CatalogoMensagens& catalogo, const QString& versao = VersaoPrograma());

    // The position line of a Te8stru row, by its TipoCampo.
    static QString LinhaPosicao(const QString& tipoCampo, const QString& posicaoInicial, const QString& conteudo);

private:
    static QString VersaoPrograma();
};

}  // namespace zovi::relatorios
