#include "wizards/ModeloMarcacao.h"

#include <algorithm>

#include "platform/Texto1252.h"

namespace zovi::gui {

namespace {
constexpr int kLote = 256;
}

void ModeloMarcacao::Define(std::vector<std::string> linhas) {
    beginResetModel();
    linhas_ = std::move(linhas);
    marcas_.assign(linhas_.size(), false);
    entregues_ = 0;
    endResetModel();
}

bool ModeloMarcacao::AlgumaMarcada() const { return std::find(marcas_.begin(), marcas_.end(), true) != marcas_.end(); }

void ModeloMarcacao::Alterna(int linha) {
    if (linha < 0 || linha >= static_cast<int>(marcas_.size())) return;
    marcas_[linha] = !marcas_[linha];
    if (linha < entregues_) emit dataChanged(index(linha), index(linha), {Qt::CheckStateRole});
}

void ModeloMarcacao::MarcaTodas(bool marca) {
    marcas_.assign(linhas_.size(), marca);
    if (entregues_ > 0) emit dataChanged(index(0), index(entregues_ - 1), {Qt::CheckStateRole});
}

int ModeloMarcacao::rowCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : entregues_; }

QVariant ModeloMarcacao::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid() || indice.row() >= entregues_) return {};
    switch (papel) {
    case Qt::DisplayRole: return QString::fromStdString(Cp1252ParaUtf8(linhas_[indice.row()]));
    case Qt::CheckStateRole: return marcas_[indice.row()] ? Qt::Checked : Qt::Unchecked;
    default: return {};
    }
}

// Not user-checkable: the list widget toggles a line itself, so that a click on the check
// mark toggles it once, like a click anywhere else on the line.
Qt::ItemFlags ModeloMarcacao::flags(const QModelIndex& indice) const {
    return indice.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool ModeloMarcacao::canFetchMore(const QModelIndex& pai) const {
    return !pai.isValid() && entregues_ < static_cast<int>(linhas_.size());
}

void ModeloMarcacao::fetchMore(const QModelIndex& pai) {
    if (pai.isValid()) return;
    const int mais = std::min<int>(kLote, static_cast<int>(linhas_.size()) - entregues_);
    if (mais <= 0) return;
    beginInsertRows({}, entregues_, entregues_ + mais - 1);
    entregues_ += mais;
    endInsertRows();
}

}  // namespace zovi::gui
