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

// The generation date G as the user typed it (ddmmyyyy), by the declarant's generation-date
// rule, with a date typed in part or not in digits taken as no date ("0421"): "0420" zeros or
// before 2006, "0423" after 2006; "0000" when it passes.
std::string fCriticaDataDigitada(const std::string& data);

// Writes the declaration read through `banco` (opened on the data folder).
// Prompts, progress and the stop request go through `interacao`. Returns
// kGravado when every file was written and sealed; on kFalhaGravacao or
// kGravacaoInterrompida the receipt tables are deleted and the unfinished file
// of the current diskette is removed (completed diskettes stay as written).
// On kFalhaGravacao `motivo` gets the system's reason when a file could not be
// written ("Não foi possível gravar ...: não há espaço livre no disco."), else empty.
// In a folder, an earlier declaration (its file and its parts in "disquete-2",
// ...) is removed first, with the user's leave.
int fGravaDeclaracao(Banco& banco, const ParametrosGravacao& parametros, Interacao& interacao,
                     std::string* motivo = nullptr);

// What the user is told after kFalhaGravacao: on a diskette, to change it and try again; in a
// folder, the system's reason (a diskette to change there is none).
std::string MensagemFalhaGravacao(const ParametrosGravacao& parametros, const std::string& motivo);

}  // namespace zovi
