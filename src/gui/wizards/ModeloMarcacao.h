#pragma once
// The lines of a tick list (establishments, employees) with one mark each, as
// a model the list view reads. The lines are the core's Windows-1252 texts;
// the view is handed them a batch at a time as it scrolls, so a list of many
// thousand lines opens at once.
#include <QAbstractListModel>

#include <string>
#include <vector>

namespace zovi::gui {

// A list whose lines the tick list toggles, one at a time or all together.
class ModeloAlternavel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    virtual void Alterna(int linha) = 0;
    virtual void MarcaTodas(bool marca) = 0;
};

class ModeloMarcacao : public ModeloAlternavel {
    Q_OBJECT
public:
    using ModeloAlternavel::ModeloAlternavel;

    // Replaces the lines; every mark cleared.
    void Define(std::vector<std::string> linhas);
    const std::vector<std::string>& Linhas() const { return linhas_; }
    const std::vector<bool>& Marcas() const { return marcas_; }
    bool Vazio() const { return linhas_.empty(); }
    bool AlgumaMarcada() const;

    void Alterna(int linha) override;
    void MarcaTodas(bool marca) override;

    int rowCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    bool canFetchMore(const QModelIndex& pai) const override;
    void fetchMore(const QModelIndex& pai) override;

private:
    std::vector<std::string> linhas_;
    std::vector<bool> marcas_;
    int entregues_ = 0;  // lines handed to the view so far
};

}  // namespace zovi::gui
