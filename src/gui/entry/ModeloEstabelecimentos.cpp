#include "entry/ModeloEstabelecimentos.h"

#include "engine/Consulta.h"
#include "messages/Formatacao.h"
#include "platform/Texto1252.h"
#include "rules/Primitivas.h"

namespace zovi::gui {

namespace {

QString Tela(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(cp1252)); }

}  // namespace

void ModeloEstabelecimentos::Pesquisa(const std::string& inscricao, const std::string& nome, const QString& letras) {
    Consulta qu(banco_, {"Select anbase, coCgcCeiEstabelecimento, NuPrefixoEstabelecimento,",
                         "NoRazaoEstabelecimento, InInscrEstabelecimento, NuVinculosEstabelecimento, coCgcVinculado",
                         "from bd8emp where anbase = :anbase"});
    qu.Parametro("anbase", "2005");
    if (!inscricao.empty()) {
        // A CEI is stored behind "00": its twelve typed digits match from the third character.
        qu.Adiciona("and((CoCgcCeiEstabelecimento like :PCgcCei and InInscrEstabelecimento <> '3')");
        qu.Adiciona("or (CoCgcCeiEstabelecimento like :PCei and InInscrEstabelecimento = '3')");
        qu.Adiciona("or (CoCgcCeiEstabelecimento like :PCgcCei and InInscrEstabelecimento is null ))");
        qu.Parametro("PCgcCei", inscricao + "%");
        qu.Parametro("PCei", "00" + inscricao + "%");
    } else if (!nome.empty()) {
        qu.Adiciona("and NoRazaoEstabelecimento like :PRazaoEstab");
        qu.Parametro("PRazaoEstab", nome + "%");
    } else if (!letras.isEmpty()) {
        qu.Adiciona("and ((NoRazaoEstabelecimento like :PLetra1) or (NoRazaoEstabelecimento like :PLetra2))");
        qu.Parametro("PLetra1", letras.left(1).toStdString() + "%%");
        qu.Parametro("PLetra2", letras.size() > 1 ? letras.mid(1, 1).toStdString() + "%%" : std::string());
    }
    // The storage order of a keyed table: its key.
    qu.Adiciona("order by anbase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
    beginResetModel();
    linhas_.clear();
    for (qu.Abre(); !qu.Fim(); qu.Proximo())
        linhas_.push_back({fAparaTexto(qu.Texto(0)), fAparaTexto(qu.Texto(1)), fAparaTexto(qu.Texto(2)),
                           fAparaTexto(qu.Texto(3)), fAparaTexto(qu.Texto(4)), fAparaTexto(qu.Texto(5)),
                           fAparaTexto(qu.Texto(6))});
    endResetModel();
}

int ModeloEstabelecimentos::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : static_cast<int>(linhas_.size());
}

int ModeloEstabelecimentos::columnCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : 5; }

QVariant ModeloEstabelecimentos::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid()) return {};
    const auto& l = linhas_.at(static_cast<size_t>(indice.row()));
    if (papel == Qt::TextAlignmentRole && indice.column() == 4) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (papel != Qt::DisplayRole) return {};
    switch (indice.column()) {
    case 0: return Tela(FormataInscricao(l.inscricao, l.tipo));
    case 1: return Tela(l.prefixo);
    case 2: return Tela(l.nome);
    case 3: return fVazioOuZeros(l.ceiVinculado) ? QString() : Tela(FormataInscricao(l.ceiVinculado, "3"));
    case 4: return QString::number(TextoParaInteiro(l.vinculos));
    }
    return {};
}

QVariant ModeloEstabelecimentos::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole) return {};
    static const char* const kTitulos[] = {"CNPJ/CEI", "Prefixo", "Nome/Firma/Razão Social", "CEI Vinculado", "Empregados"};
    return QString::fromUtf8(kTitulos[secao]);
}

}  // namespace zovi::gui
