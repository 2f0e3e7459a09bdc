#pragma once
// Shared formatting: stored values (digit strings without mask punctuation)
// turned into what the user reads, and typed text turned back. Text in, text
// out; nothing here touches a table. Positions and widths count bytes, which
// are characters in the program's one encoding (Windows-1252).
#include <string>

namespace zovi {

// "1" ... "12" (blanks and leading zeros allowed) -> "Janeiro" ... "Dezembro", "99" -> "Totalização";
// "0" and anything else -> empty text. In Windows-1252, as every text of the core.
std::string NomeMes(const std::string& mes);

// An amount typed or shown with a decimal comma, with or without thousands points
// ("1.234,56", "1234,56", "1234"), rewritten as "###,##0.00" (thousands ".", decimals ",")
// and preceded by the spaces that right-align it in the program's money boxes.
// "Erro" when the text is not a number; empty text when it is blank (nothing typed).
std::string FormataValor(const std::string& valor);

// The trimmed text without any ".".
std::string RetiraPontos(const std::string& texto);

// Inscription in its display mask by type: "1" CNPJ 99.999.999/9999-99, "3" CEI
// 99-999-99.999-9/9 (a 12-character CEI gets its "00" first); other types unchanged.
std::string FormataInscricao(const std::string& inscricao, const std::string& tipo);
// As FormataInscricao, and type "4" CPF 999.999.999-99 (an 11-character CPF gets "000" first).
std::string FormataInscricaoCpf(const std::string& inscricao, const std::string& tipo);

// "12345678901" -> "123.45678.90.1".
std::string FormataPisPasep(const std::string& numero);
// "ddmmyyyy" -> "dd/mm/yyyy".
std::string FormataData(const std::string& data);
// "12345678" -> "1234-5678"; leading zeros dropped, the dash only from five digits on.
std::string FormataTelefone(const std::string& numero);

// Filled on the right with spaces to n characters, then cut to n.
std::string CompletaEspacos(const std::string& texto, int n);
// Filled on the left with "0" to n characters, then cut to its first n.
std::string CompletaZeros(const std::string& texto, int n);
// Without its leading "0" characters ("000" gives empty text).
std::string RetiraZerosEsquerda(const std::string& texto);
// Without leading and trailing blanks (spaces and control characters).
std::string fAparaTexto(const std::string& texto);
// The integer written in the text (blanks around it allowed); 0 when it is not one.
long TextoParaInteiro(const std::string& texto);

}  // namespace zovi
