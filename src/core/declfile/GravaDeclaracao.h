#pragma once
// The writing run: a declaration from the tables to sealed declaration files
// on one or more diskettes in drive A: or B:, with the receipt tables
// te8ProID (one row per diskette) and te8ProES (one row per establishment
// record) filled for the labels and the receipt.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/Banco.h"
#include "platform/Interacao.h"

namespace zovi {

// The program's version text; the trailer's statistics block carries two of its characters.
inline constexpr const char* kVersaoPrograma = "2005.2";

// One establishment of the wizard's list.
struct ItemSelecao {
    std::string anBase;     // 4
    std::string inscricao;  // 14
    std::string prefixo;    // 2
    bool marcado = true;
};

struct ParametrosGravacao {
    // The establishments to write, in this order; without a list, every row of te8Emp.
    std::optional<std::vector<ItemSelecao>> selecao;
    char unidade = 'A';
    bool retificacao = false;  // R: a rectifying declaration; the declarant and employees come from te8Resp/te8Vinc
    bool trabalho = false;     // W: read te8Resp, te8Emp, te8Vinc
    std::string dataGeracao;   // G, ddmmyyyy, may be empty
    std::string hora;          // H, hhmmss of the request, may be empty
    // A folder chosen instead of a drive: one medium without a size limit. A declaration
    // larger than one file can hold goes on in its subfolders "disquete-2", "disquete-3", ...
    std::optional<std::filesystem::path> pasta;
    // Records one file may hold: the six digits of its sequence (fewer only to try the split).
    long maximoRegistros = 999999;
};

enum ResultadoGravacao { kGravado = 0, kFalhaGravacao = 1, kGravacaoInterrompida = 2 };

// The generation date G as the user typed it (ddmmyyyy): "0421" not a date, "0420" not given
// or before 2006, "0423" after 2006; "0000" when it passes.
std::string fCriticaDataGeracao(const std::string& data);

// Writes the declaration read through `banco` (opened on the data folder).
// Prompts, progress and the stop request go through `interacao`. Returns
// kGravado when every file was written and sealed; on kFalhaGravacao or
// kGravacaoInterrompida the receipt tables are deleted and the unfinished file
// of the current diskette is removed (completed diskettes stay as written). A file
// takes the declaration's name only once its receipt rows are committed, so a file
// under that name always has them.
int fGravaDeclaracao(Banco& banco, const ParametrosGravacao& parametros, Interacao& interacao);

}  // namespace zovi
