#pragma once
// The four bulk maintenance operations on the declaration tables: deleting an
// establishment with all its employees, deleting ticked employees, moving
// ticked employees to a new establishment and giving every employee of an
// establishment one relationship type; with the checks the wizards and
// gdzovi-lote make before them, and the reading of keys out of list lines.
//
// Invariants kept here:
// - Each operation is one transaction. The establishment's marker InOpcaoAberta
//   ("1" deletion, "3" new establishment of a transfer, "4" multiple deletion,
//   "5" change of relationship type) is its first write and emptying it the last,
//   so an engine error or a crash in between leaves every table as it was; a
//   marker still found later (written by an older run) is reported by
//   VerificaOpcaoAberta.
// - After an operation NuVinculosEstabelecimento and NuEstrangeirosEstabelec of
//   every establishment it touched equal its employee rows, as the employee
//   form keeps them (CadastroEmpregado.h).
// - Every row is found through the primary index and changed by one prepared
//   statement run per ticked line, so 50,000 lines cost about one set-wide
//   statement over the same rows.
#include <string>
#include <vector>

#include "data/ModulosDados.h"
#include "platform/Interacao.h"

namespace zovi {

struct ChaveEstabelecimento {
    std::string anoBase, inscricao, prefixo;  // inscription as its 14 stored characters
};

// The key an employee line of the tick lists carries.
struct EmpregadoMarcado {
    std::string pisPasep;  // 11 digits as stored
    std::string admissao;  // ddmmyyyy
    std::string nome;      // trimmed
};

// What an establishment line of the drop-down lists gives back.
struct EstabelecimentoEscolhido {
    std::string inscricaoFormatada;  // characters 1-18, trimmed
    std::string inscricao;           // digits, brought to 14 characters
    size_t digitosLidos = 0;         // how many digits the line showed (11 for a CPF)
    std::string prefixo, nome;
};

// Which wizard reads an establishment line: the transfer brings an inscription of 11
// digits (a CPF) to 14 with "000" in front; the others only fill with zeros in front.
enum class LeituraInscricao { Preenche, Transferencia };

EstabelecimentoEscolhido LeLinhaEstabelecimento(const std::string& linha, LeituraInscricao leitura);
// ordem '0': the PIS/PASEP-order layout; otherwise the name-order one.
EmpregadoMarcado LeLinhaEmpregado(const std::string& linha, char ordem);

// --- checks: each answers a catalogue code, "0000" when the step may go on --------

// The chosen establishment's inscription: the code of fCriticaInscricao ("0050", "0051",
// "0052" accepted; for the transfer an 11-digit CPF gives "0056", accepted too); any other
// code is the message to show.
std::string CriticaInscricaoEscolhida(const EstabelecimentoEscolhido& escolhido, LeituraInscricao leitura);
// The line the drop-down lists would show for a stored establishment, read back as a
// wizard reads it: what gdzovi-lote checks in their place. Empty inscription when the
// establishment is not stored.
EstabelecimentoEscolhido EscolhaDe(Banco& banco, const ChaveEstabelecimento& estab, LeituraInscricao leitura);
bool InscricaoAceita(const std::string& codigo);
// "1302" when the establishment has no employee row of the base year.
std::string CriticaTemEmpregados(TdmEntradaDados& dm, const ChaveEstabelecimento& estab);
// "1311" when the source's CoCgcVinculado does not pass fCriticaCeiVinculado.
std::string CriticaCeiVinculadoOrigem(Banco& banco, const ChaveEstabelecimento& origem);
// "1308" when the destination already exists in BD8EMP.
std::string CriticaDestinoExiste(Banco& banco, const ChaveEstabelecimento& destino);
// The inscription type ("1" CNPJ, "3" CEI) the relationship code is judged by: from the
// inscription code, and for "0050" the stored InInscrEstabelecimento.
std::string TipoInscricaoEstabelecimento(Banco& banco, const ChaveEstabelecimento& estab, const std::string& codigoInscricao);
// "1306" no code; "1307" a code the inscription type does not allow (or no type known).
std::string CriticaCodigoVinculo(const std::string& codigo, const std::string& tipoInscricao);

// --- the operations; each throws ErroMotor on an engine failure, with nothing changed ----

// Deletes the establishment's row and all its employees; progress (position, maximum)
// goes to `progresso` after each chunk. Returns the employee rows deleted.
long ExcluiEstabelecimento(TdmEntradaDados& dm, const ChaveEstabelecimento& estab, Interacao* progresso = nullptr);

// Deletes one employee row per line: the first in key order with the line's PIS/PASEP
// and admission date, preferring the one of the line's name; a PIS/PASEP of zeros only
// is matched by the name as well. Returns the rows deleted.
long ExcluiEmpregados(TdmEntradaDados& dm, const ChaveEstabelecimento& estab, const std::vector<EmpregadoMarcado>& linhas);

struct DestinoTransferencia {
    std::string inscricao, prefixo;  // 14 and 2 characters
    std::string tipoInscricao;       // "1" CNPJ, "3" CEI
};

// Creates the destination establishment (its registration data empty) and moves to it,
// for each line, every row of the source with the line's PIS/PASEP, name and admission
// date. Refuses (ErroBanco) a destination that exists. Returns the rows moved.
long TransfereEmpregados(TdmEntradaDados& dm, const ChaveEstabelecimento& origem, const DestinoTransferencia& destino,
                         const std::vector<EmpregadoMarcado>& linhas);

// Gives every employee row of the establishment of the base year the relationship code.
// Returns the rows changed.
long TrocaVinculo(TdmEntradaDados& dm, const ChaveEstabelecimento& estab, const std::string& codigo);

}  // namespace zovi
