#pragma once
// The inscription-type question, asked for a stored inscription that is valid
// both as a CNPJ and as a CEI: "CNPJ" for "Inscrição no CGC" and "Inscrição no
// CNPJ", "CEI" for "Matrícula CEI"; OK without a choice answers "CNPJ".
#include <QDialog>

#include <memory>

namespace Ui {
class TfmTipoInscricao;
}

namespace zovi::gui {

class ServicoDialogos;

class TfmTipoInscricao : public QDialog {
    Q_OBJECT
public:
    explicit TfmTipoInscricao(QWidget* pai = nullptr);
    ~TfmTipoInscricao() override;

    QString Resposta() const;

    // Shows the question and returns the answer ("CNPJ" or "CEI"; empty when the form was not answered).
    static QString Pergunta(ServicoDialogos& dialogos, QWidget* pai);

private:
    std::unique_ptr<Ui::TfmTipoInscricao> ui_;
};

}  // namespace zovi::gui
