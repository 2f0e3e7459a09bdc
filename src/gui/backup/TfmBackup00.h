#pragma once
// "Cópia de Segurança (Gravar)": saves the declaration tables into a backup
// archive, in any folder or over as many diskettes as it takes.
#include <filesystem>
#include <memory>

#include "backup/CopiaDeclaracao.h"
#include "backup/FormularioExecucao.h"

namespace Ui {
class TfmBackup00;
}

namespace zovi::gui {

class TfmBackup00 : public FormularioExecucao {
    Q_OBJECT
public:
    // espaco tells the free bytes of the volume the archive goes to (the real drive by default).
    TfmBackup00(std::filesystem::path pastaDados, ServicoDialogos& dialogos, QWidget* pai = nullptr,
                MedidaEspacoLivre espaco = {});
    ~TfmBackup00() override;
    Ui::TfmBackup00& Interface() { return *ui_; }

private:
    void Iniciar();
    // The chosen name with the archives' extension when it has none; empty when the user
    // will not replace the existing file of that name.
    QString ComExtensao(const QString& escolhido);

    std::unique_ptr<Ui::TfmBackup00> ui_;
    std::filesystem::path pastaDados_;
    MedidaEspacoLivre espaco_;
};

}  // namespace zovi::gui
