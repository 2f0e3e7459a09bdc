#pragma once
// The employees of the establishment being chosen for a rectification, as a
// tick list read from the tables a block at a time (through ModeloEmpregados),
// so that an establishment of a hundred thousand employees lists, scrolls,
// searches and ticks all at once without the list ever being filled. A tick
// appends the employee to the establishment's chosen list, in the order of
// choosing; clearing it takes the employee out again.
#include <memory>
#include <set>
#include <string>

#include "declfile/Retificacao.h"
#include "entry/ModeloEmpregados.h"
#include "wizards/ModeloMarcacao.h"

namespace zovi::gui {

class ModeloVinculosRetificacao : public ModeloAlternavel {
    Q_OBJECT
public:
    explicit ModeloVinculosRetificacao(Banco& banco, QObject* pai = nullptr);

    // Lists the employees of the establishment, whose chosen list it then keeps (nullptr: no list).
    void Define(EstabelecimentoRetificacao* estabelecimento);
    // Lists only the employees whose PIS/PASEP or name begins with the text.
    void Pesquisa(const QString& texto);
    long Total() const;

    void Alterna(int linha) override;
    // Every listed employee chosen, in list order; or none.
    void MarcaTodas(bool marca) override;

    int rowCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

private:
    static std::string Chave(const LinhaEmpregado& l);
    void Avisa();

    Banco& banco_;
    EstabelecimentoRetificacao* estabelecimento_ = nullptr;
    std::unique_ptr<ModeloEmpregados> fonte_;
    std::set<std::string> marcados_;  // the chosen employees' keys
};

}  // namespace zovi::gui
