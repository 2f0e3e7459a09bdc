#include "pickers/ModeloCodigos.h"

#include <QApplication>
#include <QRegularExpression>
#include <QStyle>

#include "messages/RotinasFormulario.h"

#include <algorithm>

namespace zovi::gui {

QString ChaveBusca(const QString& texto) { return SemAcentos(texto).toCaseFolded(); }

ModeloCodigos::ModeloCodigos(QObject* pai) : QAbstractItemModel(pai) {
    auto* estilo = QApplication::style();
    pasta_.addPixmap(estilo->standardPixmap(QStyle::SP_DirClosedIcon), QIcon::Normal);
    pasta_.addPixmap(estilo->standardPixmap(QStyle::SP_DirOpenIcon), QIcon::Selected);
    documento_ = estilo->standardIcon(QStyle::SP_FileIcon);
}

void ModeloCodigos::Limpa() {
    beginResetModel();
    linhas_.clear();
    raizes_.clear();
    ultimaDoNivel_.clear();
    endResetModel();
}

void ModeloCodigos::Acrescenta(const QString& texto, const QString& codigo, int nivel) {
    const int id = NumLinhas();
    Linha linha{texto, codigo, ChaveBusca(texto), nivel, -1, 0, {}};
    for (int acima = nivel - 1; acima >= 1 && linha.pai < 0; --acima)
        if (acima <= int(ultimaDoNivel_.size()) && ultimaDoNivel_[acima - 1] >= 0) linha.pai = ultimaDoNivel_[acima - 1];
    auto& irmaos = linha.pai < 0 ? raizes_ : linhas_[linha.pai].filhos;
    linha.posicao = static_cast<int>(irmaos.size());
    const QModelIndex pai = linha.pai < 0 ? QModelIndex() : createIndex(linhas_[linha.pai].posicao, 0, quintptr(linha.pai));
    beginInsertRows(pai, linha.posicao, linha.posicao);
    irmaos.push_back(id);
    linhas_.push_back(std::move(linha));
    endInsertRows();
    // The line closes the levels below it: a deeper line that follows goes under it.
    if (int(ultimaDoNivel_.size()) < nivel) ultimaDoNivel_.resize(nivel, -1);
    ultimaDoNivel_[nivel - 1] = id;
    for (size_t n = nivel; n < ultimaDoNivel_.size(); ++n) ultimaDoNivel_[n] = -1;
}

QModelIndex ModeloCodigos::IndiceDoCodigo(const QString& codigo) const {
    for (int id = 0; id < NumLinhas(); ++id)
        if (linhas_[id].codigo == codigo) return createIndex(linhas_[id].posicao, 0, quintptr(id));
    return {};
}

QModelIndex ModeloCodigos::index(int linha, int coluna, const QModelIndex& pai) const {
    const auto& filhos = Filhos(pai.isValid() ? int(pai.internalId()) : -1);
    if (coluna != 0 || linha < 0 || linha >= int(filhos.size())) return {};
    return createIndex(linha, 0, quintptr(filhos[linha]));
}

QModelIndex ModeloCodigos::parent(const QModelIndex& filho) const {
    if (!filho.isValid()) return {};
    const int pai = linhas_[filho.internalId()].pai;
    if (pai < 0) return {};
    return createIndex(linhas_[pai].posicao, 0, quintptr(pai));
}

int ModeloCodigos::rowCount(const QModelIndex& pai) const {
    if (pai.column() > 0) return 0;
    return static_cast<int>(Filhos(pai.isValid() ? int(pai.internalId()) : -1).size());
}

int ModeloCodigos::columnCount(const QModelIndex&) const { return 1; }

QVariant ModeloCodigos::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid()) return {};
    const auto& linha = linhas_[indice.internalId()];
    switch (papel) {
        case Qt::DisplayRole: return linha.texto;
        case Qt::DecorationRole: return linha.filhos.empty() ? documento_ : pasta_;
        case PapelCodigo: return linha.codigo;
        case PapelNivel: return linha.nivel;
        case PapelChave: return linha.chave;
        default: return {};
    }
}

FiltroCodigos::FiltroCodigos(QObject* pai) : QSortFilterProxyModel(pai) {
    setRecursiveFilteringEnabled(true);
}

void FiltroCodigos::DefineBusca(const QString& busca) {
    static const QRegularExpression kSoCodigo(QStringLiteral("^[0-9 .\\-/]*[0-9][0-9 .\\-/]*$"));
    prefixo_.clear();
    palavras_.clear();
    if (kSoCodigo.match(busca).hasMatch())
        prefixo_ = QString(busca).remove(QRegularExpression(QStringLiteral("[^0-9]")));
    else
        palavras_ = ChaveBusca(busca).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    const auto* modelo = static_cast<const ModeloCodigos*>(sourceModel());
    const int n = Ativo() && modelo ? modelo->NumLinhas() : 0;
    combina_.assign(n, 0);
    descendenteCombina_.assign(n, 0);
    for (int id = 0; id < n; ++id) {
        if (!(combina_[id] = Combina(id))) continue;
        for (int p = modelo->PaiDaLinha(id); p >= 0 && !descendenteCombina_[p]; p = modelo->PaiDaLinha(p))
            descendenteCombina_[p] = 1;
    }
    invalidateFilter();
}

bool FiltroCodigos::Combina(int id) const {
    const auto* modelo = static_cast<const ModeloCodigos*>(sourceModel());
    if (!prefixo_.isEmpty()) return modelo->CodigoDaLinha(id).startsWith(prefixo_);
    const QString& chave = modelo->ChaveDaLinha(id);
    for (const auto& palavra : palavras_)
        if (!chave.contains(palavra)) return false;
    return true;
}

namespace {

// Where `palavra` stands in `texto`: 1 a whole word, 2 the start of a word, 3 inside a word only.
int Posicao(const QString& texto, const QString& palavra) {
    int melhor = 3;
    for (qsizetype i = texto.indexOf(palavra); i >= 0 && melhor > 1; i = texto.indexOf(palavra, i + 1)) {
        const bool inicio = i == 0 || !texto.at(i - 1).isLetterOrNumber();
        const qsizetype fim = i + palavra.size();
        const bool final = fim == texto.size() || !texto.at(fim).isLetterOrNumber();
        if (inicio) melhor = std::min(melhor, final ? 1 : 2);
    }
    return melhor;
}

// The description of a line's search key: without the code and the dash or dot after it.
QString Descricao(const QString& chave) {
    static const QRegularExpression kCodigo(QStringLiteral("^[0-9]+\\s*[-.]?\\s*"));
    return QString(chave).remove(kCodigo).simplified();
}

}  // namespace

int FiltroCodigos::Aderencia(int id) const {
    const QString descricao = Descricao(static_cast<const ModeloCodigos*>(sourceModel())->ChaveDaLinha(id));
    if (descricao == palavras_.join(QLatin1Char(' '))) return 0;
    int pior = 1;
    for (const auto& palavra : palavras_) pior = std::max(pior, Posicao(descricao, palavra));
    return pior;
}

int FiltroCodigos::MelhorLinha(int nivel) const {
    const auto* modelo = static_cast<const ModeloCodigos*>(sourceModel());
    int melhor = -1, pontos = 4;
    for (int id = 0; id < static_cast<int>(combina_.size()) && pontos > 0; ++id) {
        if (!combina_[id] || modelo->NivelDaLinha(id) != nivel) continue;
        // A code typed: the first code that begins with it.
        const int p = prefixo_.isEmpty() ? Aderencia(id) : 0;
        if (p < pontos) {
            melhor = id;
            pontos = p;
        }
    }
    return melhor;
}

bool FiltroCodigos::filterAcceptsRow(int linha, const QModelIndex& pai) const {
    if (!Ativo()) return true;
    const auto* modelo = static_cast<const ModeloCodigos*>(sourceModel());
    const int id = static_cast<int>(modelo->index(linha, 0, pai).internalId());
    if (combina_[id]) return true;
    for (int p = modelo->PaiDaLinha(id); p >= 0; p = modelo->PaiDaLinha(p))
        if (combina_[p]) return !descendenteCombina_[p];
    return false;
}

}  // namespace zovi::gui
