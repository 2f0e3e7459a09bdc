#pragma once
// The establishments of the list window as a table model: one search (by the
// start of the inscription, the start of the name or initial letters) read
// into the model, shown by a view. Establishments are a few per declarant,
// seldom more than some thousands, so a search keeps its rows in memory.
#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace zovi {
class Banco;
}

namespace zovi::gui {

struct LinhaEstabelecimento {
    std::string anoBase, inscricao, prefixo, nome, tipo, vinculos, ceiVinculado;
};

class ModeloEstabelecimentos : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloEstabelecimentos(Banco& banco, QObject* pai = nullptr) : QAbstractTableModel(pai), banco_(banco) {}

    // Lists base year 2005: inscriptions starting with `inscricao` when given, else names
    // starting with `nome` when given, else names starting with one of `letras` (all when empty).
    void Pesquisa(const std::string& inscricao, const std::string& nome, const QString& letras);

    const LinhaEstabelecimento& Linha(int i) const { return linhas_.at(static_cast<size_t>(i)); }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;

private:
    Banco& banco_;
    std::vector<LinhaEstabelecimento> linhas_;
};

}  // namespace zovi::gui
