#pragma once
// The establishment and employee lines the wizards show in their selection
// lists. The wizards take the key back out of a line by position, so the
// layouts are fixed:
//   establishment: inscription formatted by its type, filled to 18 characters,
//                  2 spaces, prefix (positions 21-22), 2 spaces, name from 25;
//   employee by PIS:  PIS/PASEP formatted (14), 2 spaces, admission dd/mm/yyyy, 2 spaces, name;
//   employee by name: name filled to 30, 2 spaces, PIS/PASEP formatted, 2 spaces, admission.
#include <string>
#include <vector>

#include "engine/Consulta.h"

namespace zovi {

// The establishment's line (layout above).
std::string LinhaSelecaoEstabelecimento(const std::string& inscricao, const std::string& tipoInscricao,
                                        const std::string& prefixo, const std::string& nome);

// One line per BD8EMP row of the base year, in the order the table returns them;
// with apenasComEmpregados 'N' only declarations with employees.
std::vector<std::string> ListaEstabelecimentos(Consulta& quBd8Emp, const std::string& anoBase, char apenasComEmpregados);

// As ListaEstabelecimentos, ordered by inscription and prefix (ordem '0') or by name.
std::vector<std::string> MarcaEstabelecimentos(Consulta& quBd8Emp, const std::string& anoBase, char apenasComEmpregados,
                                               char ordem);

// One line per employee of the establishment, by PIS/PASEP (ordem '0') or by name.
std::vector<std::string> MarcaEmpregados(Consulta& quBd8Emp, const std::string& anoBase, const std::string& inscricao,
                                         const std::string& prefixo, char ordem);

// The first 65 characters of each ticked line, in list order.
std::vector<std::string> ItensMarcados(const std::vector<std::string>& linhas, const std::vector<bool>& marcadas);

// Length of the longest line; 0 for an empty list.
int LarguraMaiorItem(const std::vector<std::string>& linhas);

// The text without ".", "/" and "-": a formatted inscription or PIS/PASEP back to its digits.
std::string RetiraSeparadores(const std::string& texto);

}  // namespace zovi
