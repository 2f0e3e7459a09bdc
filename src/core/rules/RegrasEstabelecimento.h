#pragma once
// Field rules of the establishment's identification and classification, and
// of the declarant's inscription. Calling convention: see Primitivas.h (text
// in, result code out, the first failing check's code).
#include <string>
#include <string_view>

#include "rules/Referencias.h"

namespace zovi {

// Inscription of an establishment (14): "0055" empty or all zeros, the
// numeric-length code, then "0050" valid as CNPJ and as CEI, "0051" CNPJ only,
// "0052" CEI only, "0053" neither. Callers accept 0050, 0051 and 0052.
std::string fCriticaInscricao(std::string_view inscricao);
// Inscription type of an establishment: "0132" empty, numeric-length (1), "0130" not 1 or 3.
std::string fCriticaTipoInscricao(std::string_view tipo);
// The inscription must match its declared type (1 CNPJ, 3 CEI, 4 CPF, the
// last only for the declarant): "0131".
std::string fCriticaInscricaoPorTipo(std::string_view inscricao, std::string_view tipo);
// Inscription type of the declarant: "0128" empty, numeric-length (1), "0129" not 1, 3 or 4.
std::string fCriticaTipoInscricaoResponsavel(std::string_view tipo);
// Inscription of the declarant, zero-filled on the left to 14, with the length
// the user typed: 11 means a CPF ("0056" valid CPF), any other length a
// CNPJ/CEI ("0049" both, "0051", "0052"); "0055" empty or zeros, "0040" not
// numeric, "0054" invalid.
std::string fCriticaInscricaoResponsavel(std::string_view inscricao, int tamanhoDigitado);
// Prefix (2): "0061" empty, "0060" a character other than a digit or A-Z,
// "0062" a single character, "X" longer than 2.
std::string fCriticaPrefixo(std::string_view prefixo);
// Name: "0110" empty, text rule, "0111" "MATRIZ"/"FILIAL", "0053" an
// inscription root reserved to a public body or bank under another name.
std::string fCriticaRazaoSocial(std::string_view nome, std::string_view inscricao);
// Linked CEI (14): "0431" empty, numeric-length, "0430" neither zeros nor a valid CEI.
std::string fCriticaCeiVinculado(std::string_view ceiVinculado);
// A CEI establishment (type 3) cannot have a linked CEI: "0350".
std::string fCriticaCeiVinculadoTipo(std::string_view tipo, std::string_view ceiVinculado);
// InZoviNegEstabelecimento: "0140" empty or above 1, numeric-length (1).
std::string fCriticaIndicadorZoviNegativa(std::string_view indicador);
// A ZOVI negativa ("1") from a CEI, or from a CNPJ with a linked CEI: "0133".
// `ceiVinculado12` is characters 3-14 of CoCgcVinculado; empty counts as not zeros.
std::string fCriticaZoviNegativaInscricao(std::string_view indicador, std::string_view tipo,
                                          std::string_view ceiVinculado12);
// MeDataBase (2): "0030" empty, numeric-length, "0071" above 12 ("00" passes).
std::string fCriticaMesDataBase(std::string_view mes);
// An establishment with employees (indicator "0") needs a base month: "0070".
std::string fCriticaMesDataBaseNegativa(std::string_view mes, std::string_view indicadorZoviNegativa);
std::string fCriticaPorte(std::string_view porte);                 // "3124" not 1, 2 or 3
std::string fCriticaOptanteSimples(std::string_view opcao);        // "3604" not 1 or 2
std::string fCriticaSimplesPorte(std::string_view opcao, std::string_view porte);  // "3125" size 3 opting in
std::string fCriticaAtividadeAnoBase(std::string_view atividade);  // "3668" not 1 or 2
// CoCnae (5): "0360" empty or zeros, numeric-length, "0361" not in TB8CNAE.
std::string fCriticaCnae(const Referencias& ref, std::string_view cnae);
// Condominiums and buildings need CNAE 70408 ("0362"); city halls a CNAE 75... ("0363", a warning in the run).
std::string fCriticaCnaeRazao(std::string_view cnae, std::string_view nome);
// CoNaturezaJuridica (4): "0370" empty or zeros, numeric-length, "0371" not in TB8NATJU.
std::string fCriticaNaturezaJuridica(const Referencias& ref, std::string_view natureza);
// A city hall ("PREFEITURA...", "PREF", "PREF.") needs legal nature 1031: "0372".
std::string fCriticaNaturezaPrefeitura(std::string_view natureza, std::string_view nome);
// Closing of activities: indicator, closing date ddmmyyyy, base year, presence
// flag. "3513" closed without a date, "3514" missing or invalid date, "3515" a
// date without the indicator, "3516" outside the base year and the next one.
std::string fCriticaEncerramento(std::string_view indicador, std::string_view data, std::string_view anoBase,
                                 bool exigePreenchimento);
// Free text for the employer's own use: "0020" when not valid text.
std::string fCriticaTextoUso(std::string_view texto);

}  // namespace zovi
