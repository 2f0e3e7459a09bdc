#pragma once
// The employee list of one establishment as a Qt model that reads only the
// rows a view shows: the number of rows comes from a count, and rows are read
// in blocks when a view first asks for them, so a list of a hundred thousand
// employees opens, scrolls and searches as fast as a short one. Only a few
// blocks are kept; a search or a change of order forgets them all.
#include <QAbstractTableModel>

#include <list>
#include <unordered_map>
#include <vector>

#include "entry/ListaEmpregados.h"

namespace zovi::gui {

class ModeloEmpregados : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Coluna { ColunaPis, ColunaNome, ColunaAdmissao, NumColunas };

    ModeloEmpregados(Banco& banco, const std::string& anoBase, const std::string& inscricao,
                     const std::string& prefixo, QObject* pai = nullptr, const std::string& tabela = "BD8Vinc");

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel = Qt::DisplayRole) const override;
    // By PIS/PASEP or by name; the admission date keeps the current order.
    void sort(int coluna, Qt::SortOrder ordem = Qt::AscendingOrder) override;

    void Filtra(const FiltroEmpregados& filtro);
    const FiltroEmpregados& Filtro() const { return lista_.Filtro(); }
    // Counts and reads again (after a store or a deletion).
    void Recarrega();
    // The row's employee (row within rowCount()).
    LinhaEmpregado Linha(int linha) const;
    // The row of an employee in the current search and order; -1 when it is not listed.
    int Posicao(const ChaveEmpregado& chave);

    static constexpr long kTamanhoBloco = 128;
    static constexpr size_t kBlocosGuardados = 16;

private:
    const std::vector<LinhaEmpregado>& Bloco(long numero) const;

    mutable ListaEmpregados lista_;
    long linhas_ = 0;
    mutable std::unordered_map<long, std::vector<LinhaEmpregado>> blocos_;
    mutable std::list<long> usoBlocos_;  // most recently used first
};

}  // namespace zovi::gui
