#pragma once
// The program from launch to the message loop: the single-instance guard, the
// splash, the data-folder check and the long-lived objects, which live until
// the program ends (the main window's closing ends it).
#include <QString>

#include <filesystem>
#include <memory>
#include <optional>

#include "app/InstanciaUnica.h"
#include "data/ModulosDados.h"
#include "engine/TravaPastaDados.h"

namespace zovi::gui {

class JanelaAjuda;
class ServicoDialogos;
class TfmGDZOVI;
class TForm1;

class ProgramaGDZovi {
public:
    ProgramaGDZovi(ServicoDialogos& dialogos, std::filesystem::path pastaDados,
                   const QString& pastaTrava = InstanciaUnica::PastaPadrao(), const QString& pastaAjuda = {});
    ~ProgramaGDZovi();

    // Runs the start-up and shows the main window; false when the program must end at once
    // (another copy is running, another run holds the data folder exclusively, or the
    // data folder is incomplete), with exit code 0.
    bool Inicia();

    TfmGDZOVI* fmGDZOVI() { return fmGDZOVI_.get(); }

private:
    ServicoDialogos& dialogos_;
    std::filesystem::path pastaDados_;
    QString pastaAjuda_;
    InstanciaUnica instancia_;
    // Held shared while the program is open: no restore or index rebuild of another
    // process replaces the tables under the open windows.
    std::optional<TravaPastaDados> travaDados_;
    std::unique_ptr<TdmGDZovi> dmGDZovi_;
    std::unique_ptr<JanelaAjuda> ajuda_;
    std::unique_ptr<TfmGDZOVI> fmGDZOVI_;
    std::unique_ptr<TForm1> Form1_;  // the backup component's demonstration, never shown
};

}  // namespace zovi::gui
