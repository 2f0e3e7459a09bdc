#pragma once
// Replaces the files of some tables of a data folder by new ones, all together, so that
// a crash at any instruction leaves the folder with the old set or the new set, never
// a mix.
//
// Before the first rename a journal ("~troca-tabelas.pendente") lists every rename the
// swap makes; it is written under another name, synced and renamed into place, so it is
// either whole or absent. The current files are set aside under "~anterior-" names, the
// directory is synced, the new files are renamed into place, the directories are synced,
// and the journal is renamed to "~troca-tabelas.concluida": from then on the new set is
// in place and the set-aside files may go. A journal found at start-up (or before the
// next swap) is finished when every new file is still at hand, and otherwise undone.
// A set-aside file is deleted only once its swap is known to be complete.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zovi {

// The folder of the data folder where new table files wait for their swap: whatever a
// swap, or the restore that prepared one, left there when cut short is removed by
// RecuperaTrocaInterrompida.
inline const std::string kPastaEsperaTroca = "Work";

// Prefix of the folders of the data folder where a backup keeps its copies of the tables
// while it runs. Each is held (flock) by its run; one that nobody holds was left by a run
// that was killed.
inline const std::string kPrefixoCopiaEmCurso = ".gdzovi-copia-";

// Removes the folders that killed backups left in the data folder (the copies of the
// tables they were packing), leaving those of runs still under way.
void RemoveCopiasAbandonadas(const std::filesystem::path& pastaDados);

// A new file for the data folder: where it waits (inside the data folder, so that it can
// be renamed), and the name it takes there.
struct ArquivoNovo {
    std::filesystem::path origem;
    std::string nome;
};

// Puts novos in place of every file of the tables (any file whose name starts with the
// table's name and a dot, in any letter case). The new files are synced first. A failure
// midway is settled at once, forward or back; the call throws unless the new set ended
// up in place. A crash is settled by the next RecuperaTrocaInterrompida.
void TrocaTabelas(const std::filesystem::path& pastaDados, const std::vector<std::string>& tabelas,
                  const std::vector<ArquivoNovo>& novos);

// Finishes a swap that was cut short, or undoes it when a new file is missing or going
// forward fails, and removes what a finished one left behind and the waiting folder. This
// is done holding the data folder alone (the caller's own hold is raised). Afterwards the
// folder holds one whole set; otherwise it throws ErroMotor: TabelaOcupada when another
// process is in the folder, ErroEntradaSaida when the journal cannot be carried out
// (it stays for the next attempt).
void RecuperaTrocaInterrompida(const std::filesystem::path& pastaDados);

// Called at every step of a swap with the step's name; tests stop the swap there.
using PontoTroca = std::function<void(const std::string& passo)>;
void DefinePontoTroca(PontoTroca ponto);

// Makes a file's data, or a folder's entries, durable.
void SincronizaArquivo(const std::filesystem::path& arquivo);

}  // namespace zovi
