#include "backup/UnidadeCopia.h"

#include <QDir>

#include "platform/Unidades.h"

namespace zovi::gui {

namespace fs = std::filesystem;

namespace {

bool MesmaPasta(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

}  // namespace

QString PastaInicialCopia() {
    if (auto a = LocalizaUnidade('A'); a && UnidadePresente('A')) return QString::fromStdString(a->pasta.string());
    return QDir::homePath();
}

bool NaUnidadeA(const QString& arquivo) {
    auto a = LocalizaUnidade('A');
    return a && MesmaPasta(fs::path(arquivo.toStdString()).parent_path(), a->pasta);
}

std::uintmax_t EspacoLivreVolume(const fs::path& pasta) {
    for (char letra : UnidadesExistentes()) {
        auto u = LocalizaUnidade(letra);
        if (u && MesmaPasta(pasta, u->pasta)) return EspacoLivre(letra).value_or(0);
    }
    std::error_code ec;
    const auto espaco = fs::space(pasta, ec);
    return ec ? 0 : espaco.available;
}

}  // namespace zovi::gui
