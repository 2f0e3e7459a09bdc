#pragma once
// The user survey "Pesquisa de Satisfação": 22 two-digit answers on two pages,
// read from and stored in the declarant row's NuRespostaPesquisa (coding in
// declfile/Pesquisa.h).
//
// Leaving an answer codes it (what was typed left-padded with "0"); a value
// outside the scale is refused with its message and the focus stays. Enter,
// Page Down and Down go to the next answer, Page Up and Up to the previous one;
// leaving the last answer of the first page opens the second. "&Ok" stores the
// answers, "&Cancelar" (or Escape) closes without storing.
#include <QDialog>

#include <array>
#include <memory>
#include <string>

class QLineEdit;

namespace Ui {
class TfmPesq;
}

namespace zovi {
class Banco;
}

namespace zovi::gui {

class ServicoDialogos;

class TfmPesq : public QDialog {
    Q_OBJECT
public:
    TfmPesq(Banco& banco, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmPesq() override;
    QLineEdit* Resposta(int questao) const { return respostas_.at(static_cast<size_t>(questao - 1)); }
    // The 22 codes of what the answers hold now; empty when one is outside the scale.
    std::string Codigos() const;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    void Carrega();
    // Codes the answer being left; false (after the message, focus kept) when it is refused.
    bool SaiDaResposta(int indice);
    void VaiPara(int indice);
    void Ok();

    std::unique_ptr<Ui::TfmPesq> ui_;
    Banco& banco_;
    ServicoDialogos& dialogos_;
    std::array<QLineEdit*, 22> respostas_{};
    bool conferindo_ = false;
};

}  // namespace zovi::gui
