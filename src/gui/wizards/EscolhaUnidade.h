#pragma once
// Where a declaration file is written or read: "Drive A:" or "Drive B:" among
// the drives the machine has, or "Outra pasta..." — a folder picked with the
// folder dialog, remembered while the program runs. Every form that writes or
// reads diskettes offers this one choice.
#include <QComboBox>

#include <filesystem>
#include <optional>

namespace zovi::gui {

class ServicoDialogos;

struct Destino {
    char letra = 0;                             // 'A' or 'B' for a drive
    std::optional<std::filesystem::path> pasta;  // or a folder
    bool Escolhido() const { return letra != 0 || pasta.has_value(); }
};

class EscolhaUnidade : public QComboBox {
    Q_OBJECT
public:
    explicit EscolhaUnidade(QWidget* pai = nullptr);

    // The dialog service that asks for the folder.
    void Liga(ServicoDialogos& dialogos) { dialogos_ = &dialogos; }
    // The drives as the machine has them now, and the folder of this session; nothing chosen.
    void Recarrega();
    Destino Escolhido() const;
    // Chooses an entry as the user would; "Outra pasta..." asks for the folder.
    void Seleciona(int indice);

    // The folder picked last in this run of the program.
    static std::optional<std::filesystem::path>& PastaDaSessao();

private:
    ServicoDialogos* dialogos_ = nullptr;
    int anterior_ = -1;  // the entry before "Outra pasta..." was chosen
};

}  // namespace zovi::gui
