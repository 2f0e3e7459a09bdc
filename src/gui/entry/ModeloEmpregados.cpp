#include "entry/ModeloEmpregados.h"

#include <algorithm>

#include "messages/Formatacao.h"
#include "platform/Texto1252.h"

namespace zovi::gui {

namespace {

QString Tela(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(cp1252)); }

}  // namespace

ModeloEmpregados::ModeloEmpregados(Banco& banco, const std::string& anoBase, const std::string& inscricao,
                                   const std::string& prefixo, QObject* pai, const std::string& tabela)
    : QAbstractTableModel(pai), lista_(banco, anoBase, inscricao, prefixo, tabela) {
    linhas_ = lista_.Conta();
}

int ModeloEmpregados::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : static_cast<int>(linhas_);
}

int ModeloEmpregados::columnCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : NumColunas; }

const std::vector<LinhaEmpregado>& ModeloEmpregados::Bloco(long numero) const {
    auto achado = blocos_.find(numero);
    if (achado != blocos_.end()) {
        usoBlocos_.remove(numero);
        usoBlocos_.push_front(numero);
        return achado->second;
    }
    if (blocos_.size() >= kBlocosGuardados) {
        blocos_.erase(usoBlocos_.back());
        usoBlocos_.pop_back();
    }
    usoBlocos_.push_front(numero);
    return blocos_[numero] = lista_.Linhas(numero * kTamanhoBloco, kTamanhoBloco);
}

LinhaEmpregado ModeloEmpregados::Linha(int linha) const {
    const auto& bloco = Bloco(linha / kTamanhoBloco);
    size_t i = static_cast<size_t>(linha % kTamanhoBloco);
    return i < bloco.size() ? bloco[i] : LinhaEmpregado{};
}

QVariant ModeloEmpregados::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid() || indice.row() >= linhas_) return {};
    if (papel == Qt::TextAlignmentRole && indice.column() != ColunaNome)
        return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
    if (papel != Qt::DisplayRole) return {};
    auto l = Linha(indice.row());
    switch (indice.column()) {
        case ColunaPis: return Tela(FormataPisPasep(l.pisPasep));
        case ColunaNome: return Tela(l.nome);
        case ColunaAdmissao: return Tela(FormataData(l.admissao));
    }
    return {};
}

QVariant ModeloEmpregados::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole) return QAbstractTableModel::headerData(secao, orientacao, papel);
    switch (secao) {
        case ColunaPis: return QStringLiteral("PIS/PASEP");
        case ColunaNome: return QStringLiteral("Nome do Empregado/Servidor");
        case ColunaAdmissao: return QStringLiteral("Data Admissão");
    }
    return {};
}

void ModeloEmpregados::Recarrega() {
    beginResetModel();
    blocos_.clear();
    usoBlocos_.clear();
    linhas_ = lista_.Conta();
    endResetModel();
}

void ModeloEmpregados::sort(int coluna, Qt::SortOrder ordem) {
    if (coluna != ColunaPis && coluna != ColunaNome) return;
    lista_.Ordena(coluna == ColunaNome ? OrdemEmpregados::Nome : OrdemEmpregados::PisPasep,
                  ordem == Qt::DescendingOrder);
    Recarrega();
}

void ModeloEmpregados::Filtra(const FiltroEmpregados& filtro) {
    lista_.Filtra(filtro);
    Recarrega();
}

int ModeloEmpregados::Posicao(const ChaveEmpregado& chave) {
    auto p = lista_.Posicao(chave);
    return p ? static_cast<int>(*p) : -1;
}

}  // namespace zovi::gui
