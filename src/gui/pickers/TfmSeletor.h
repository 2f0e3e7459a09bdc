#pragma once
// One picker window: a search box over the tree of "code  - description" lines
// of one kind (see Seletores.h). The window's object name is the picker's own
// ("frmT8Munic", "fmTb8Cnae", "fmTb8CBO", ...), its caption the kind's.
#include <QDialog>

#include <memory>

#include "pickers/ModeloCodigos.h"
#include "pickers/Seletores.h"

class QHelpEvent;

namespace Ui {
class TfmSeletor;
}

namespace zovi {
class TdmGDZovi;
}

namespace zovi::gui {

class TfmSeletor : public QDialog {
    Q_OBJECT
public:
    // Builds the tree from the kind's reference table (opened if it is not) or fixed list.
    TfmSeletor(TdmGDZovi& dm, TipoSeletor tipo, QWidget* pai = nullptr);
    ~TfmSeletor() override;

    TipoSeletor Tipo() const { return tipo_; }
    // Ready for a new showing: search emptied, tree collapsed, the line of `atual` selected.
    void Prepara(const QString& atual);
    // The code of the line chosen in the last showing; empty when none was.
    const QString& Escolhido() const { return escolhido_; }

    // The tree and its filter, for the search box and for tests.
    ModeloCodigos& Modelo() { return modelo_; }
    FiltroCodigos& Filtro() { return filtro_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Monta(TdmGDZovi& dm);
    void Procura(const QString& texto);
    void Seleciona(const QModelIndex& indiceFiltro);
    // A click or Enter on the line: chosen when it is of the choice level.
    void TentaEscolha(const QModelIndex& indiceFiltro);
    void ExpandeComEnter(const QModelIndex& indiceFiltro);
    bool DicaDaLinha(QHelpEvent* e);

    std::unique_ptr<Ui::TfmSeletor> ui_;
    TipoSeletor tipo_;
    ModeloCodigos modelo_;
    FiltroCodigos filtro_;
    QString escolhido_;
};

}  // namespace zovi::gui
