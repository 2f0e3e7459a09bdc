#pragma once
// The lines of a tick list (establishments, employees) with one mark each, as
// a model the list view reads. The lines are the core's Windows-1252 texts;
// the view is handed them a batch at a time as it scrolls, so a list of many
// thousand lines opens at once.
#include <QAbstractListModel>

#include <string>
#include <vector>

namespace zovi::gui {

class ModeloMarcacao : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Replaces the lines; every mark cleared.
    void Define(std::vector<std::string> linhas);
    const std::vector<std::string>& Linhas() const { return linhas_; }
    const std::vector<bool>& Marcas() const { return marcas_; }
    bool Vazio() const { return linhas_.empty(); }
    bool AlgumaMarcada() const;

    void Alterna(int linha);
    void MarcaTodas(bool marca);

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
