#pragma once
// Every table of the declaration database: fields, widths, entry masks and indexes.
#include <string>
#include <vector>

#include "engine/Definicao.h"

namespace zovi {

// The primary keys of the declaration tables (fields separated by ";").
inline constexpr const char* kChaveEstabelecimento = "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento";
inline constexpr const char* kChaveEmpregado =
    "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;CoPisPasepEmpregado;DaAdmissaoEmpregado;NoEmpregado;"
    "NuSequencialRegistro";
// The employee list of an establishment in name order, and its search by name: a
// secondary index (compared without letter case) that also carries the rest of the key.
inline constexpr const char* kIndiceNomeEmpregado = "INoEmpregado";
inline constexpr const char* kCamposIndiceNomeEmpregado =
    "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;NoEmpregado;CoPisPasepEmpregado;DaAdmissaoEmpregado;"
    "NuSequencialRegistro";

// The 20 tables the start-up check requires, in the order it tests them.
const std::vector<std::string>& TabelasObrigatorias();

// The declaration tables, the user's own (the rest are the program's): what a backup holds,
// what a restore replaces, and what an upgrade of the program never touches.
const std::vector<std::string>& TabelasDeclaracao();

// Definitions of the shipped tables (the 20 above and Cartela).
const std::vector<DefTabela>& TabelasDoPrograma();

// Definition of any table the program creates, by name (any case, with or without ".DB"):
// the shipped ones and the work tables. Throws ErroBanco for an unknown name.
const DefTabela& DefinicaoTabela(const std::string& nome);

// The work tables the runs create anew.
DefTabela DefTe8errwa();
DefTabela DefTe8ProIdGravacao();  // te8ProID as the file writer creates it
DefTabela DefTe8ProIdProtocolo(); // te8ProID as the receipt of an existing file creates it
DefTabela DefTe8ProES();
DefTabela DefTe8stru();
DefTabela DefTe8Imp();

// Field names of the twelve monthly remunerations and hours, January first.
extern const char* const kCamposRemuneracao[12];
extern const char* const kCamposHoras[12];

}  // namespace zovi
