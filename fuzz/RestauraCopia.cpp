// Feeds arbitrary bytes to the backup component as an archive: reading its header,
// file list and member list, and restoring it into a folder with and without the stored paths.
// A crash, a sanitizer report or a file written outside the chosen folder is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "backup/CopiaSeguranca.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    // A fresh folder per input, removed at its end: nothing outlives a run.
    std::string modelo = (fs::temp_directory_path() / "gdzovi-fuzz-XXXXXX").string();
    if (!::mkdtemp(modelo.data())) std::abort();
    const fs::path pasta = modelo;
    auto arquivo = pasta / "f.bkp";
    auto alvo = pasta / "alvo";
    std::ofstream(arquivo, std::ios::binary).write(reinterpret_cast<const char*>(dados), static_cast<std::streamsize>(tamanho));

    zovi::TCopiaSeguranca copia;
    // Further volumes are never offered: the archive is one file.
    copia.OnNeedDisk = [](zovi::TCopiaSeguranca&, std::uint16_t, bool& continua) { continua = false; };
    std::vector<std::string> lista;
    copia.ReadArchiveInfo(arquivo.string(), &lista);
    bool completa = false;
    copia.ListaEntradas(arquivo.string(), lista, completa);
    for (bool completo : {false, true}) {
        copia.RestoreFullPath = completo;
        copia.Restore(arquivo.string(), alvo.string());
        for (const auto& e : fs::directory_iterator(pasta))
            if (e.path() != arquivo && e.path() != alvo) std::abort();  // written outside the target folder
        fs::remove_all(alvo);
    }
    fs::remove_all(pasta);
    return 0;
}
