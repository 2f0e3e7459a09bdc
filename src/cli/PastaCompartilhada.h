#pragma once
// How a run that reads or adds to the declaration enters the data folder.
#include <filesystem>

#include "data/TrocaTabelas.h"
#include "engine/TravaPastaDados.h"

namespace zovi {

// A restore cut short is settled first (the tables are then the old or the new set, never a
// mix), then the folder is held shared for the run.
inline TravaPastaDados TomaPastaCompartilhada(const std::filesystem::path& pasta) {
    RecuperaTrocaInterrompida(pasta);
    return TravaPastaDados(pasta, ModoTrava::Compartilhada);
}

}  // namespace zovi
