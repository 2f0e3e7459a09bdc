#pragma once
// The user survey: 22 answers, each coded in one character, kept in the
// declarant row's NuRespostaPesquisa and carried by the writer in the trailer
// record (padded with spaces to its 48 characters).
//
// Codes: "01".."09" -> '1'..'9', "10" -> 'A', "77" (does not apply) -> 'X',
// "00" or nothing -> 'B'. A survey never saved leaves the field empty, so the
// trailer carries 48 spaces; one saved without answers carries 22 'B'.
#include <optional>
#include <string>

namespace zovi {

class Banco;

constexpr int kQuestoesPesquisa = 22;

// 22 times 'B': a survey with no answer.
std::string PesquisaSemRespostas();

// The code of an answer as typed (one or two digits, left-padded with "0"); nothing for a
// value outside the scale.
std::optional<char> fCodificaResposta(const std::string& digitado);
// The answer shown for a stored code: "10" for 'A', "77" for 'X', blank for 'B', any other
// character left-padded with "0" to two.
std::string RespostaDoCodigo(char codigo);

// The stored answers (their first 22 codes, completed with 'B'); nothing when the declarant
// table has no row.
std::optional<std::string> LeRespostaPesquisa(Banco& banco);
// Stores the 22 codes in the declarant row, creating the row when there is none.
void GravaRespostaPesquisa(Banco& banco, const std::string& respostas);

}  // namespace zovi
