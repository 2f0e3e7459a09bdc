#pragma once
// The import of a declaration file into the declaration tables: the
// establishments the structure analysis left in the work tables Te8emp and
// Te8vinc go into BD8EMP and BD8VINC, with their employees.
//
// Each chosen establishment passes the identification rules (inscription,
// inscription type, inscription against its type, prefix) and is imported in
// one transaction together with its employees, its employee counts and its row
// of TE8IMP, the table the import report prints. An engine error (a full disk)
// or the user's Cancel rolls that establishment back whole: the declaration
// tables are then as they were before it, the establishments before it stay
// imported, and TE8IMP says, with a code of its own, which ones did not go in.
//
// A file of the previous base year (2004) carries forward only the employees
// still employed at the end of that year; the analysis has already emptied
// their amounts and leaves, and every row the import writes is of base year 2005.
#include <string>
#include <vector>

#include "engine/Banco.h"
#include "platform/Interacao.h"

namespace zovi {

// Outcome codes of TE8IMP.CoImp (texts in the message catalogue).
inline constexpr const char* kImpSemEmpregadosNoArquivo = "1501";   // exists; the file declares no employees
inline constexpr const char* kImpEstabelecimentoAtualizado = "1502"; // existed without employees; updated
inline constexpr const char* kImpDesligadoAnoAnterior = "1504";      // an employee dismissed in 2004
inline constexpr const char* kImpNovoPrefixo = "1505";               // imported under a new prefix
inline constexpr const char* kImpErroGravacao = "1506";              // an engine error: rolled back
inline constexpr const char* kImpInterrompida = "1507";              // the run stopped before it went in
inline constexpr const char* kImpSemPrefixoLivre = "1508";           // every prefix of the inscription taken

// One establishment of the analysed file (a Te8emp row), as the selection list shows it.
struct EstabelecimentoArquivo {
    std::string inscricao, prefixo, nome, tipoInscricao, vinculos;
};

// The establishments of base year `ano` in the work table Te8emp, in its order.
std::vector<EstabelecimentoArquivo> EstabelecimentosDoArquivo(Banco& banco, int ano);

// The base year of the file the analysis left in Te8emp: 2004 for a previous year's file,
// else 2005 (also when there is none).
int AnoDoArquivoAnalisado(Banco& banco);

// The selection list's line, in fixed columns: 1-18 the inscription in its mask,
// 21-22 the prefix, 25-54 the name, then two blanks and the employee count.
std::string LinhaSelecaoImportacao(const EstabelecimentoArquivo& e);

// A prefix that is blank or a single character cannot be imported (the list refuses to mark it).
bool PrefixoImportavel(const std::string& prefixo);

// The next prefix after `prefixo` in the order 0-9, A-Z of each character, the
// second running fastest ("G9" -> "GA", "GZ" -> "H0", "ZZ" -> "00").
std::string ProximoPrefixo(const std::string& prefixo);

struct EscolhaImportacao {
    std::string inscricao, prefixo;  // as in Te8emp
};

struct ResultadoImportacao {
    long estabelecimentos = 0;  // establishments that went in (wholly)
    long importados = 0, duplicados = 0, desligados = 0;
    bool interrompida = false;  // the user stopped it; later establishments did not go in
    bool falhou = false;        // an engine error stopped it; `erro` says which
    std::string erro;
};

class TImportacao {
public:
    // `banco` is open on the data folder the analysis filled; `interacao` takes the
    // progress and the stop request ("Deseja interromper?"), looked at before each
    // establishment and each batch of `empregadosPorLote` employees.
    TImportacao(Banco& banco, Interacao& interacao, long empregadosPorLote = kEmpregadosPorLote);

    // Creates TE8IMP anew and imports the chosen establishments of base year `ano`
    // (2005, or 2004 for the previous year's file) in the order given. An empty
    // choice imports nothing and leaves TE8IMP empty.
    ResultadoImportacao fImporta(int ano, const std::vector<EscolhaImportacao>& escolha);

    static constexpr long kEmpregadosPorLote = 2000;

private:
    Banco& banco_;
    Interacao& interacao_;
    long lote_;
};

}  // namespace zovi
