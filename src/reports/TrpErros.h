#pragma once
// The error report: the rows of te8errwa left by the last verification run,
// errors first and then warnings, each in the order the run wrote them.
//
// Rows are grouped by the record they concern (the declarant, an
// establishment, or an employee of one): the record's line prints when the
// record changes, the establishment line before an employee only when the
// establishment differs from the previous record's; inside a record, the text
// of a result code prints once for its run of rows, then one line per field
// (its label, "=", its content). A page that goes on with a record repeats its
// establishment and employee lines, marked "(continuação)", and the text of the
// code its first lines belong to. At the first
// warning the report starts a new page titled "Relatório de Avisos", whose
// pages carry the note on warnings.
#include "motor/Relatorio.h"

namespace zovi {
class Banco;
class CatalogoMensagens;
}  // namespace zovi

namespace zovi::relatorios {

class TrpErros : public Relatorio {
public:
    // The catalogue gives the texts of the codes; it must outlive the report.
    TrpErros(Banco& banco, const CatalogoMensagens& catalogo, const QString& versao = VersaoPadrao());

    static QString VersaoPadrao();

private:
    QString TextoCodigo(const QString& codigo) const;
    void MontaCabecalho(const QString& versao);
    void MontaRodape();
    void MontaGrupos();

    const CatalogoMensagens& catalogo_;
    Banda* nota_ = nullptr;
};

}  // namespace zovi::relatorios
