#pragma once
// The tree of a code picker as a Qt model, and the filter of its search box.
//
// Lines are kept in one vector in table order; each knows its parent and its
// children, so the model answers index/parent/rowCount without a widget item
// per line (the occupation tree has thousands of lines, the municipality tree
// more). The search key of every line (its text without accents, case-folded)
// is computed once, when the line is added, so narrowing the tree as the user
// types only compares strings.
#include <QAbstractItemModel>
#include <QIcon>
#include <QSortFilterProxyModel>
#include <QString>
#include <QStringList>

#include <vector>

namespace zovi::gui {

// The text as the search compares it: accents removed, case folded ("Técnico" -> "tecnico").
QString ChaveBusca(const QString& texto);

class ModeloCodigos : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Papel { PapelCodigo = Qt::UserRole + 1, PapelNivel, PapelChave };

    explicit ModeloCodigos(QObject* pai = nullptr);

    // Empties the tree.
    void Limpa();
    // Adds a line of the level (1 = root) as the last child of the most recent line of
    // the level above; a line with no such line above it becomes a root line.
    void Acrescenta(const QString& texto, const QString& codigo, int nivel);

    // The index of the line with this code (first match in table order); invalid if none.
    QModelIndex IndiceDoCodigo(const QString& codigo) const;
    int NumLinhas() const { return static_cast<int>(linhas_.size()); }
    // Lines by their number in table order (an index's internalId): the search goes
    // through all of them once per change of the search text.
    const QString& CodigoDaLinha(int id) const { return linhas_[id].codigo; }
    const QString& ChaveDaLinha(int id) const { return linhas_[id].chave; }
    int PaiDaLinha(int id) const { return linhas_[id].pai; }
    int NivelDaLinha(int id) const { return linhas_[id].nivel; }
    QModelIndex IndiceDaLinha(int id) const { return createIndex(linhas_[id].posicao, 0, quintptr(id)); }

    QModelIndex index(int linha, int coluna, const QModelIndex& pai = {}) const override;
    QModelIndex parent(const QModelIndex& filho) const override;
    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;

private:
    struct Linha {
        QString texto;
        QString codigo;
        QString chave;
        int nivel = 1;
        int pai = -1;
        int posicao = 0;  // row under its parent
        std::vector<int> filhos;
    };
    const std::vector<int>& Filhos(int pai) const { return pai < 0 ? raizes_ : linhas_[pai].filhos; }

    std::vector<Linha> linhas_;
    std::vector<int> raizes_;
    std::vector<int> ultimaDoNivel_;  // most recent line of each level, -1 before the first
    QIcon pasta_;                     // closed folder; open while selected
    QIcon documento_;
};

// Narrows the tree to the lines that match the search and their ancestors. The
// lines under a matching line stay as well when none of them matches on its own
// (a state found by its name keeps its municipalities; "tecnico enfermagem"
// keeps only the matching occupations under "Técnicos ... de enfermagem"). A search of digits (mask punctuation allowed: "22.35", "2235-05")
// matches code prefixes; any other search matches the lines whose text holds
// every word of it, ignoring case and accents ("tecnico enfermagem"). Of the
// lines that match, the best is the one whose description is the search, then
// one that holds every word as a whole word, then as the start of a word
// ("campinas": CAMPINAS before CAMPINAS DO PIAUI; "medio completo": "Ensino
// médio completo" before "Ensino médio incompleto").
class FiltroCodigos : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FiltroCodigos(QObject* pai = nullptr);

    void DefineBusca(const QString& busca);
    bool Ativo() const { return !prefixo_.isEmpty() || !palavras_.isEmpty(); }
    // The line of this level that answers the search best, the first in table order among
    // equals; -1 when no line of the level matches on its own.
    int MelhorLinha(int nivel) const;

protected:
    bool filterAcceptsRow(int linha, const QModelIndex& pai) const override;

private:
    bool Combina(int id) const;
    // 0 the description is the search; 1 every word is a whole word of it; 2 every word begins
    // a word; 3 some word is only inside a word.
    int Aderencia(int id) const;

    QString prefixo_;
    QStringList palavras_;
    std::vector<char> combina_;             // by line: matches on its own
    std::vector<char> descendenteCombina_;  // by line: some line below it matches on its own
};

}  // namespace zovi::gui
