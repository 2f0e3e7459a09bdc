#pragma once
// The start-up check of the data folder and the rebuild of one index.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engine/Banco.h"
#include "platform/Interacao.h"

namespace zovi {

// True when the 20 required tables exist in the folder; missing indexes are rebuilt on the way.
// First of all a swap of the declaration tables that a crash cut short is settled; when
// that cannot be done (another process in the folder, a damaged journal) the ErroMotor of
// RecuperaTrocaInterrompida goes to the caller, as any error the program cannot mend.
// What killed backups left in the folder (their copies of the tables) is removed too.
bool VerificaArquivosDados(const std::filesystem::path& pastaDados, Interacao& interacao);

// The required tables of the folder whose file is there but is not a sound table of the
// program (see fMotivoTabelaInvalida), each with what is wrong with it.
std::vector<std::pair<std::string, std::string>> TabelasDanificadas(const std::filesystem::path& pastaDados);

// Rebuilds one index. TabelaIndice names the table and the index as "TABLE.EXT"
// (".PX" the primary index, ".XG0" a secondary one). Warnings go to interacao.
bool RecriaIndice(Banco& banco, const std::string& TabelaIndice, const std::string& nomeIndice,
                  const std::string& campos, bool primario, Interacao& interacao);

// Whether the index that an index file name stands for exists in its table.
bool ExisteArquivoIndice(Banco& banco, const std::string& TabelaIndice, const std::string& nomeIndice);

}  // namespace zovi
