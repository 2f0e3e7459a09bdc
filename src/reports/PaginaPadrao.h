#pragma once
// What every printed report of the program shows alike: the declaration's
// names, the program's version line, the help-desk line and the print date.
#include <QString>

#include "motor/Relatorio.h"

namespace zovi::relatorios {

// "ZOVI".
QString NomeDeclaracao();
// "Declaração Anual de Vínculos Empregatícios".
QString NomeCompletoDeclaracao();
// "GDZOVI - Gerador de Declaração ZOVI - Versão: " and the version.
QString LinhaVersao(const QString& versao);
// The help desk with its telephone.
QString LinhaAtendimento();
// Who issues the declaration, for the footers.
QString OrgaoEmissor();
// "Impresso em dd/mm/aaaa às hh:mm".
Expressao DataImpressao();

// The version text of the running program ("2005.2").
QString VersaoPrograma();

}  // namespace zovi::relatorios
