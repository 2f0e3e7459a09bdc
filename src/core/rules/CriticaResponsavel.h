#pragma once
// The checks of the declarant's fields as the declarant form and the
// declarant page of the generation and rectification wizards run them: each
// judges one field of the declarant (with the fields it depends on), keeps the
// cleaned value in the record on success, and says which field the user must
// go back to when it fails.
//
// These routines show nothing and focus nothing: a window runs one, and when
// the result fails it shows the code through MostraMensagem and puts the focus
// on the field named. A result that does not fail but carries a code is a
// notice: shown, and the user goes on.
//
// Values are Windows-1252, as stored in BD8RESP.
#include <string>
#include <string_view>

#include "rules/CriticaZovi.h"

namespace zovi {

class Tabela;

// The declarant's fields that the form edits (BD8RESP, CoCgcCeiResponsavel to
// InReciboParaRespArquivo), with the stored-value conventions: the inscription
// zero-filled to 14 ("000" + CPF, "00" + CEI, or the CNPJ), its type "1", "3" or
// "4", text trimmed. While a form is open the street number holds the number
// without leading zeros; FinalizaResponsavel zero-fills it for storing.
struct DadosResponsavel {
    std::string CoCgcCeiResponsavel;
    std::string InInscrResponsavel;
    std::string NoResponsavelArquivo;
    std::string EdLogradouroRespArquivo;
    std::string NuLogradouroRespArquivo;
    std::string TxComplementoRespArquivo;
    std::string NoBairroRespArquivo;
    std::string CoCepRespArquivo;
    std::string CoMunicipioRespArquivo;
    std::string NoMunicipioRespArquivo;
    std::string SgUfRespArquivo;
    std::string NuFoneDDD;
    std::string NuFoneAssinante;
    std::string TxEMailRespArquivo;
    bool InReciboParaRespArquivo = false;

    friend bool operator==(const DadosResponsavel&, const DadosResponsavel&) = default;
};

// The field a failing check sends the user back to.
enum class CampoResponsavel {
    Inscricao, Nome, Logradouro, Numero, Complemento, Bairro, Cep, Municipio, Ddd, Telefone, Email,
};

struct ResultadoResponsavel {
    std::string codigo = "0000";  // message to show; "0000" nothing
    CampoResponsavel campo = CampoResponsavel::Inscricao;
    bool falhou = false;          // false with a code: a notice, shown without stopping
};

// The record's current row read into the fields (street number shown without leading zeros).
DadosResponsavel LeResponsavel(const Tabela& ta8Resp);
// The fields written into the row in edition (only these fields; the others are kept).
void PoeResponsavel(Tabela& ta8Resp, const DadosResponsavel& dados);
// Before storing: a street number shorter than 6 zero-filled to 6, DDD and telephone trimmed.
void FinalizaResponsavel(DadosResponsavel& dados);

// How the inscription is shown: type "1" the CNPJ mask, "3" the CEI mask of characters
// 3-14, any other type the CPF mask of characters 4-14, with the type's name.
// An empty inscription shows nothing.
struct InscricaoExibida {
    std::string texto;
    std::string tipo;  // "CNPJ", "CEI" or "CPF"
};
InscricaoExibida MostraInscricaoResp(const std::string& inscricao, const std::string& tipo);
// The digits the user typed for a stored inscription (14 for a CNPJ, 12 for a CEI, 11 for a
// CPF), so that editing starts from what was typed.
std::string DigitosInscricaoResp(const std::string& inscricao, const std::string& tipo);

// The inscription typed (its digits; their number tells a CPF, 11, from a CNPJ, 14, or a
// CEI, 12). On success the record takes the zero-filled value and its type.
ResultadoResponsavel CriticaInscricaoResp(DadosResponsavel& dados, std::string_view digitos);
// Each of these judges the record's field as it is (put the typed value there first) and
// stores the cleaned text on success.
ResultadoResponsavel CriticaNomeResp(DadosResponsavel& dados);
// The area code; unless the user is moving on to the next page, the notice of an area code
// outside the municipality's state follows.
ResultadoResponsavel CriticaDddResp(const DadosResponsavel& dados, bool focoEmAvancar);
ResultadoResponsavel AvisoDddUfResp(const DadosResponsavel& dados);
ResultadoResponsavel CriticaTelefoneResp(const DadosResponsavel& dados);
ResultadoResponsavel CriticaLogradouroResp(DadosResponsavel& dados);
ResultadoResponsavel CriticaNumeroResp(DadosResponsavel& dados);
ResultadoResponsavel CriticaComplementoResp(DadosResponsavel& dados);
ResultadoResponsavel CriticaBairroResp(DadosResponsavel& dados);
ResultadoResponsavel CriticaCepResp(const DadosResponsavel& dados);
// Municipality and CEP together; on success (and for a municipality without a CEP of its
// own) the record takes the municipality's name and state abbreviation.
ResultadoResponsavel CriticaMunicipioResp(const TCriticaZovi& critica, DadosResponsavel& dados);
ResultadoResponsavel CriticaEmailResp(DadosResponsavel& dados);

// Every check in the order the form's "&Ok" (and the wizards' "Avançar") runs them; the
// first failure is returned. On success the record is ready for FinalizaResponsavel.
ResultadoResponsavel CriticaResponsavel(const TCriticaZovi& critica, DadosResponsavel& dados,
                                        std::string_view digitosInscricao);

}  // namespace zovi
