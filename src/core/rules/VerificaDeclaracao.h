#pragma once
// The verification run: every rule applied to a whole declaration (the
// declarant, then each chosen establishment and all its employees), each
// failure written as a row of te8errwa.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Interacao.h"

namespace zovi {

struct ResultadoVerificacao {
    bool vrErro = false;          // at least one "err" row
    bool vrAviso = false;         // at least one "war" row
    bool vrInterrompida = false;  // the user stopped the run; then the only member
    bool Vazio() const { return !vrErro && !vrAviso && !vrInterrompida; }
};

// The establishments as the user sees them: one flag per establishment that
// passes the base-year filter, in table order.
struct SelecaoEstabelecimentos {
    std::vector<bool> marcados;
    bool retificacao = false;  // only records marked for rectification are checked
};

// interacao: progress 0 to 100, the cancel request and "Deseja interromper?".
// diretorio: where the tables are read and te8errwa is written.
// UsaTabelasTrabalho: read te8resp/te8emp/te8vinc instead of BD8RESP/BD8EMP/BD8VINC.
// lista: nullptr checks every establishment that passes the filter.
// anoBase: empty checks every base year.
// CriticaResponsavel: check the declarant first.
// ExigePreenchimento: union fields and the work municipality must be informed.
ResultadoVerificacao fVerificaDeclaracao(Interacao& interacao, const std::filesystem::path& diretorio,
                                         bool UsaTabelasTrabalho, const SelecaoEstabelecimentos* lista,
                                         const std::string& anoBase, bool CriticaResponsavel, bool ExigePreenchimento);

}  // namespace zovi
