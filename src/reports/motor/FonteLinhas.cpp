#include "motor/FonteLinhas.h"

#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "platform/Texto1252.h"

namespace zovi::relatorios {

QString TextoCore(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(cp1252)); }

void FonteLinhas::AbreEm(long indice) {
    Abre();
    for (long i = 0; i < indice && !Fim(); ++i) Proximo();
}

FonteConsulta::FonteConsulta(Banco& banco, std::vector<std::string> sql, std::vector<std::string> tabelasNecessarias)
    : banco_(banco), tabelas_(std::move(tabelasNecessarias)), consulta_(std::make_unique<Consulta>(banco, std::move(sql))) {}

FonteConsulta::~FonteConsulta() = default;

void FonteConsulta::Abre() {
    consulta_->Fecha();
    colunas_.clear();
    vazia_ = false;
    for (const auto& t : tabelas_)
        if (!banco_.ExisteTabela(t)) vazia_ = true;
    if (!vazia_) consulta_->Abre();
}

void FonteConsulta::Fecha() { consulta_->Fecha(); }

bool FonteConsulta::Fim() const { return vazia_ || consulta_->Fim(); }

void FonteConsulta::Proximo() {
    if (!vazia_) consulta_->Proximo();
}

QString FonteConsulta::Campo(const QString& nome) const {
    if (Fim()) return {};
    auto i = colunas_.constFind(nome);
    if (i == colunas_.cend()) {
        int coluna = -1;
        for (int c = 0; c < consulta_->NumCampos() && coluna < 0; ++c)
            if (nome.compare(QString::fromStdString(consulta_->NomeCampo(c)), Qt::CaseInsensitive) == 0) coluna = c;
        // An unknown field fails as the statement itself would say it.
        if (coluna < 0) return TextoCore(consulta_->Texto(nome.toStdString()));
        i = colunas_.insert(nome, coluna);
    }
    return TextoCore(consulta_->Texto(*i));
}

QString FonteMemoria::Campo(const QString& nome) const {
    if (atual_ >= linhas_.size()) return {};
    for (qsizetype i = 0; i < campos_.size() && i < linhas_[atual_].size(); ++i)
        if (campos_[i].compare(nome, Qt::CaseInsensitive) == 0) return linhas_[atual_][i];
    return {};
}

}  // namespace zovi::relatorios
