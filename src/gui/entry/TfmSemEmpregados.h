#pragma once
// The notice for declarations without employees, shown when the user chooses
// "Sem Empregados" until its "Não mostrar este quadro novamente" box has been
// ticked once (BD8RESP's InDicasSemEmpregados).
#include <QDialog>

#include <memory>

namespace Ui {
class TfmSemEmpregados;
}

namespace zovi {
class Banco;
}

namespace zovi::gui {

class ServicoDialogos;

class TfmSemEmpregados : public QDialog {
    Q_OBJECT
public:
    TfmSemEmpregados(Banco& banco, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmSemEmpregados() override;

private:
    void Ok();

    std::unique_ptr<Ui::TfmSemEmpregados> ui_;
    Banco& banco_;
};

// Shows the notice unless the declarant's row says it is not to be shown again.
void MostraAvisoSemEmpregados(Banco& banco, ServicoDialogos& dialogos, QWidget* pai);

}  // namespace zovi::gui
