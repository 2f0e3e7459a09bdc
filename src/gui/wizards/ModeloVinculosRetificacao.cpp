#include "wizards/ModeloVinculosRetificacao.h"

#include <algorithm>

#include "messages/Formatacao.h"
#include "platform/Texto1252.h"

namespace zovi::gui {

ModeloVinculosRetificacao::ModeloVinculosRetificacao(Banco& banco, QObject* pai) : ModeloAlternavel(pai), banco_(banco) {}

std::string ModeloVinculosRetificacao::Chave(const LinhaEmpregado& l) {
    return l.pisPasep + '|' + l.admissao + '|' + l.nome + '|' + l.sequencial;
}

void ModeloVinculosRetificacao::Define(EstabelecimentoRetificacao* estabelecimento) {
    beginResetModel();
    estabelecimento_ = estabelecimento;
    marcados_.clear();
    fonte_.reset();
    if (estabelecimento_) {
        estabelecimento_->escolhidos.clear();
        fonte_ = std::make_unique<ModeloEmpregados>(banco_, estabelecimento_->anBase, estabelecimento_->inscricao,
                                                    estabelecimento_->prefixo);
    }
    endResetModel();
}

void ModeloVinculosRetificacao::Pesquisa(const QString& texto) {
    if (!fonte_) return;
    const std::string t = Utf8ParaCp1252(texto.trimmed().toStdString()).value_or(std::string());
    FiltroEmpregados filtro;
    // Digits search the PIS/PASEP (as typed, with or without its dots), anything else the name.
    const std::string digitos = RetiraPontos(t);
    if (!t.empty() && digitos.find_first_not_of("0123456789-") == std::string::npos) {
        for (char c : digitos)
            if (c != '-') filtro.pisPasep += c;
    } else {
        filtro.nome = t;
    }
    beginResetModel();
    fonte_->Filtra(filtro);
    endResetModel();
}

long ModeloVinculosRetificacao::Total() const { return fonte_ ? fonte_->rowCount() : 0; }

void ModeloVinculosRetificacao::Alterna(int linha) {
    if (!fonte_ || !estabelecimento_ || linha < 0 || linha >= fonte_->rowCount()) return;
    const LinhaEmpregado l = fonte_->Linha(linha);
    auto& escolhidos = estabelecimento_->escolhidos;
    if (marcados_.insert(Chave(l)).second) {
        escolhidos.emplace_back(l.pisPasep, l.admissao, l.nome, linha);
    } else {
        marcados_.erase(Chave(l));
        const EmpregadoRetificacao procurado(l.pisPasep, l.admissao, l.nome);
        auto it = std::find_if(escolhidos.begin(), escolhidos.end(), [&](const EmpregadoRetificacao& e) {
            return e.pis == procurado.pis && e.admissao == procurado.admissao && e.nome == procurado.nome;
        });
        if (it != escolhidos.end()) escolhidos.erase(it);
    }
    emit dataChanged(index(linha), index(linha), {Qt::CheckStateRole});
}

void ModeloVinculosRetificacao::MarcaTodas(bool marca) {
    if (!fonte_ || !estabelecimento_) return;
    marcados_.clear();
    estabelecimento_->escolhidos.clear();
    if (marca) {
        // Read through the list in blocks, as the view does: the rows never sit in memory twice.
        const int total = fonte_->rowCount();
        estabelecimento_->escolhidos.reserve(static_cast<size_t>(total));
        for (int i = 0; i < total; ++i) {
            const LinhaEmpregado l = fonte_->Linha(i);
            marcados_.insert(Chave(l));
            estabelecimento_->escolhidos.emplace_back(l.pisPasep, l.admissao, l.nome, i);
        }
    }
    Avisa();
}

void ModeloVinculosRetificacao::Avisa() {
    if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
}

int ModeloVinculosRetificacao::rowCount(const QModelIndex& pai) const {
    return pai.isValid() || !fonte_ ? 0 : fonte_->rowCount();
}

QVariant ModeloVinculosRetificacao::data(const QModelIndex& indice, int papel) const {
    if (!fonte_ || !indice.isValid() || indice.row() >= fonte_->rowCount()) return {};
    if (papel != Qt::DisplayRole && papel != Qt::CheckStateRole) return {};
    const LinhaEmpregado l = fonte_->Linha(indice.row());
    if (papel == Qt::CheckStateRole) return marcados_.count(Chave(l)) ? Qt::Checked : Qt::Unchecked;
    // PIS/PASEP, admission and name, two spaces apart.
    const std::string linha = FormataPisPasep(l.pisPasep) + "  " + FormataData(l.admissao) + "  " + fAparaTexto(l.nome);
    return QString::fromStdString(Cp1252ParaUtf8(linha));
}

// Not user-checkable: the tick list toggles a line itself (see ModeloMarcacao).
Qt::ItemFlags ModeloVinculosRetificacao::flags(const QModelIndex& indice) const {
    return indice.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace zovi::gui
