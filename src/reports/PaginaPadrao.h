#pragma once
// What every printed report of the program shows alike: the declaration's
// names, the program's version line and the print date. No report prints a
// help desk or a telephone: the program has none to give.
#include <QString>

#include "motor/Relatorio.h"

namespace zovi::relatorios {

// "ZOVI".
QString NomeDeclaracao();
// "Declaração Anual de Vínculos Empregatícios".
QString NomeCompletoDeclaracao();
// "GDZOVI - Gerador de Declaração ZOVI - Versão: " and the version.
QString LinhaVersao(const QString& versao);
// Who issues the declaration, for the footers.
QString OrgaoEmissor();
// "Impresso em dd/mm/aaaa às hh:mm".
Expressao DataImpressao();

// The version text of the running program ("2005.2").
QString VersaoPrograma();

}  // namespace zovi::relatorios
