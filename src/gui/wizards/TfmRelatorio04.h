#pragma once
// "Assistente para Imprimir Protocolo": the delivery receipt of a returned
// diskette (or a folder). The receipt Zovi2005.pro beside the declaration file
// is validated, the file's structure analysed and the receipt tables built,
// each step with its bar; only then can the receipt be previewed or printed.
// The receipt tables are removed when the assistant closes.
#include <QDialog>

#include <functional>
#include <memory>
#include <string>

#include "declfile/Protocolo.h"

namespace Ui {
class TfmRelatorio04;
}

namespace zovi {
class Mensagens;
class TdmGDZovi;
}  // namespace zovi

namespace zovi::gui {

class ServicoDialogos;

class TfmRelatorio04 : public QDialog {
    Q_OBJECT
public:
    TfmRelatorio04(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmRelatorio04() override;

    // Closing while a step runs only asks the step to stop.
    void reject() override;
    void done(int resultado) override;

private:
    void Avancar();
    // The declaration file of the drive or folder chosen ("A:\Zovi2005" or a path).
    std::string Declaracao() const;
    // The drive is there, or the user gave up after the retry prompt.
    bool DrivePresente(char letra);
    void MostraLocaliza(bool limpaDrive);
    void MostraFim(QWidget* painel);
    bool Rodando() const;

    std::unique_ptr<Ui::TfmRelatorio04> ui_;
    TdmGDZovi& dm_;
    Mensagens& mensagens_;
    ServicoDialogos& dialogos_;
    DadosProtocolo dados_;
};

// The print assistant's "Imprimir o Protocolo": this assistant, opened over the print assistant.
std::function<void(QWidget* pai)> AbreProtocolo(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos);

}  // namespace zovi::gui
