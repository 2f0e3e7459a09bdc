#include "wizards/EscolhaUnidade.h"

#include <QDir>

#include "messages/ServicoDialogos.h"
#include "platform/Unidades.h"

namespace zovi::gui {

namespace {
// What an entry stands for: a drive letter, or a folder; "Outra pasta..." has neither.
constexpr int kPapelLetra = Qt::UserRole;
constexpr int kPapelPasta = Qt::UserRole + 1;
}  // namespace

EscolhaUnidade::EscolhaUnidade(QWidget* pai) : QComboBox(pai) {
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setMinimumContentsLength(16);
    connect(this, &QComboBox::activated, this, &EscolhaUnidade::Seleciona);
    Recarrega();
}

std::optional<std::filesystem::path>& EscolhaUnidade::PastaDaSessao() {
    static std::optional<std::filesystem::path> pasta;
    return pasta;
}

void EscolhaUnidade::Recarrega() {
    clear();
    for (char letra : UnidadesExistentes()) {
        addItem(QStringLiteral("Drive %1:").arg(letra));
        setItemData(count() - 1, QString(QChar(letra)), kPapelLetra);
    }
    if (const auto& pasta = PastaDaSessao()) {
        const QString caminho = QString::fromStdString(pasta->string());
        addItem(QDir::toNativeSeparators(caminho));
        setItemData(count() - 1, caminho, kPapelPasta);
    }
    addItem(QStringLiteral("Outra pasta..."));
    setCurrentIndex(-1);
    anterior_ = -1;
}

Destino EscolhaUnidade::Escolhido() const {
    Destino d;
    if (currentIndex() < 0) return d;
    if (const QString letra = currentData(kPapelLetra).toString(); !letra.isEmpty())
        d.letra = letra.at(0).toLatin1();
    else if (const QString pasta = currentData(kPapelPasta).toString(); !pasta.isEmpty())
        d.pasta = std::filesystem::path(pasta.toStdString());
    return d;
}

void EscolhaUnidade::Seleciona(int indice) {
    setCurrentIndex(indice);
    if (indice < 0 || itemData(indice, kPapelLetra).isValid() || itemData(indice, kPapelPasta).isValid()) {
        anterior_ = indice;
        return;
    }
    // "Outra pasta...": the folder dialog; cancelled, the earlier choice stays.
    const auto& sessao = PastaDaSessao();
    const QString inicial = sessao ? QString::fromStdString(sessao->string()) : QDir::homePath();
    const QString pasta = dialogos_ ? dialogos_->Pasta(this, QStringLiteral("Pasta da declaração"), inicial) : QString();
    if (pasta.isEmpty()) {
        setCurrentIndex(anterior_);
        return;
    }
    PastaDaSessao() = std::filesystem::path(pasta.toStdString());
    Recarrega();
    setCurrentIndex(findData(pasta, kPapelPasta));
    anterior_ = currentIndex();
}

}  // namespace zovi::gui
