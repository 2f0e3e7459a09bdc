#pragma once
// The employee list of one establishment: search by PIS/PASEP, by name or by
// initial letter, order by PIS/PASEP or name (click the column title), open the
// employee form for a new employee or the selected one, delete the selected one.
//
// The list is a model that reads only the rows it shows (ModeloEmpregados).
// When an employee form closes and the establishment has no employee left, the
// list closes too and tells its caller (SemEmpregados), which then closes the
// establishment form.
#include <QDialog>

#include <memory>
#include <optional>

#include "entry/ContextoEmpregados.h"
#include "entry/ModeloEmpregados.h"

class QButtonGroup;

namespace Ui {
class TfmConEmpreg;
}

namespace zovi::gui {

class TfmConEmpreg : public QDialog {
    Q_OBJECT
public:
    explicit TfmConEmpreg(ContextoEmpregados& contexto, QWidget* pai = nullptr);
    ~TfmConEmpreg() override;

    Ui::TfmConEmpreg& Interface() { return *ui_; }
    ModeloEmpregados& Modelo() { return *modelo_; }
    // True when the list closed because the establishment was left without employees.
    bool SemEmpregados() const { return semEmpregados_; }

    // The buttons' actions (also for tests and scripts).
    void Novo();
    void Exibir();
    void Excluir();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void MontaLetras();
    void Pesquisa();
    void Letra(int botao);
    void FocoAposPesquisa();
    void AbreFormulario(const std::optional<ChaveEmpregado>& chave);
    void Seleciona(int linha);
    std::optional<LinhaEmpregado> Selecionado() const;
    void MostraTotal();

    std::unique_ptr<Ui::TfmConEmpreg> ui_;
    ContextoEmpregados& ctx_;
    ModeloEmpregados* modelo_;
    QButtonGroup* letras_;
    bool semEmpregados_ = false;
    bool limpandoPesquisa_ = false;
    int colunaOrdem_ = ModeloEmpregados::ColunaPis;
    Qt::SortOrder sentidoOrdem_ = Qt::AscendingOrder;
};

}  // namespace zovi::gui
