#pragma once
// Field rules of the address and contact of an establishment or of the
// declarant, and the declarant's generation and rectification dates.
// Calling convention: see Primitivas.h.
#include <string>
#include <string_view>

#include "rules/Referencias.h"

namespace zovi {

// Street: "0120" empty, "3100" four equal characters in a row, then the text rule.
std::string fCriticaLogradouro(std::string_view logradouro);
// Street number (6): the numeric-length rule; empty gives "0030".
std::string fCriticaNumeroLogradouro(std::string_view numero);
// Complement: optional; "0020" invalid text, "3100" repetition.
std::string fCriticaComplemento(std::string_view complemento);
// Without a street number (empty or zeros) a complement is required: "0120".
std::string fCriticaNumeroComplemento(std::string_view numero, std::string_view complemento);
// District: optional, else the text rule.
std::string fCriticaBairro(std::string_view bairro);
// CEP (8): "0081" empty or zeros, numeric-length, "0080" beginning with "00".
std::string fCriticaCep(std::string_view cep);

// Municipality code (7): "0092" empty or zeros, numeric-length, "0090" not in
// TB8MUNIC. `encontrado` receives the record found (nullptr otherwise): the
// caller keeps it for fCriticaNomeMunicipio, which judges against it.
std::string fCriticaCodigoMunicipio(const Referencias& ref, std::string_view municipio,
                                    const Municipio** encontrado = nullptr);
// Municipality name: "0093" empty, the text rule, "3666" different from the
// name of the municipality the code rule found just before. When that rule
// found none there is nothing to compare with and the name is judged as text only.
std::string fCriticaNomeMunicipio(std::string_view nome, const Municipio* encontrado);
// State abbreviation: "0101" empty or zeros, "0100" not in TBUF (any letter
// case). `encontrada` receives the TBUF row found: the state code (CoUf) that
// the CEP and area-code rules take comes from it.
std::string fCriticaUf(const Referencias& ref, std::string_view sigla, const Uf** encontrada = nullptr);
// The municipality's state (first two digits of its code) must be the given abbreviation: "0091".
std::string fCriticaMunicipioUf(const Referencias& ref, std::string_view municipio, std::string_view sigla);
// CEP within the municipality's ranges (TB8FXCEP) or CEP (TB8MUNIC), else within
// the state's accepted exceptions: "0082". `tolerante` accepts any CEP for a
// municipality that has neither (the verification run); forms pass false.
std::string fCriticaCepMunicipio(const Referencias& ref, std::string_view cep, std::string_view municipio,
                                 bool tolerante);
// CEP prefixes a state accepts outside a municipality's own range: "0082".
std::string fCriticaCepFaixaUf(std::string_view cep, std::string_view municipio);
// CEP within one of the state's ranges (TBUFCEP), by state code: "0083".
std::string fCriticaCepUf(const Referencias& ref, std::string_view cep, std::string_view codigoUf);
std::string fCriticaDdd(std::string_view ddd);            // "3674" empty, zeros or not numeric
std::string fCriticaTelefone(std::string_view telefone);  // "3674" empty, zeros or not numeric
// Area code against the state's area codes, by state code: "0402".
std::string fCriticaDddUf(std::string_view ddd, std::string_view codigoUf);
// "3101" only one of area code and telephone informed, "3102" neither (zeros count as empty).
std::string fCriticaDddTelefone(std::string_view ddd, std::string_view telefone);
// E-mail: optional; "0020" invalid text, "3627" without "@".
std::string fCriticaEmail(std::string_view email);
// The declaration's generation date (8), which must fall in the year after the
// base year: numeric-length, "0420" zeros or before, "0421" invalid, "0423" after.
std::string fCriticaDataGeracao(std::string_view data);
// Rectification date (8), always 8 digits. Flag set: "0410" zeros or before the
// year after the base year, "0412" invalid, "0413" after it; flag not set:
// only zeros pass, else "0411".
std::string fCriticaDataRetificacao(bool retificacao, std::string_view data);

}  // namespace zovi
