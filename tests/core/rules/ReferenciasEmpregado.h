#pragma once
// The reference rows the employee rule tests rely on, loaded once per test
// program from a temporary data folder that holds only them.
#include "rules/Referencias.h"
#include "rules/RegistroVinculo.h"
#include "rules/VerificaEstabelecimento.h"

namespace zovi::teste {

// Codes present: race "1"/"2"; nationality "10", "20"; education 1 to 9;
// admission type "1", "2"; salary type 1 to 7; types of employment 10, 15,
// 20, 25, 30, 35, 55, 80; termination causes 10, 11, 20, 21, 60, 71, 78, 80;
// municipality "3550308"; CBO "223505" (needs higher education), "411005"
// (refused to the illiterate) and "782510" (no flag).
const Referencias& ReferenciasEmpregado();

// A CNPJ establishment of 2005 and a realistic employee of it that passes every check.
RegistroEstabelecimento Estabelecimento();
RegistroVinculo Empregado();

}  // namespace zovi::teste
