#pragma once
// The import report: one line per establishment of the last import (TE8IMP) with
// its inscription, prefix, linked CEI, the employees read and what became of them
// (dismissed, duplicated, imported), a footnote number when the establishment has
// an outcome code, and after the last line the footnotes with their catalogue texts.
#include "motor/Relatorio.h"

namespace zovi {
class Banco;
class CatalogoMensagens;
}  // namespace zovi

namespace zovi::relatorios {

class TrpImport : public Relatorio {
public:
    // `ano` is the base year of the imported file (2005, or 2004 for the previous year's);
    // the catalogue gives the footnotes' texts and must outlive the report.
    TrpImport(Banco& banco, const CatalogoMensagens& catalogo, int ano, const QString& versao = VersaoPrograma());

    // The inscription in the mask the identification rule recognises (CNPJ or CEI), else as stored.
    static QString Inscricao(const QString& inscricao, const QString& tipo);
    // The linked CEI: blank when empty or zeros, in the CEI mask when it is a valid inscription.
    static QString CeiVinculado(const QString& vinculado);

private:
    static QString VersaoPrograma();
    QString Notas() const;

    Banco& banco_;
    const CatalogoMensagens& catalogo_;
};

}  // namespace zovi::relatorios
