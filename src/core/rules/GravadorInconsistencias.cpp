#include "rules/GravadorInconsistencias.h"

#include "data/Tabelas.h"
#include "messages/Formatacao.h"

namespace zovi {

namespace {

constexpr long kLinhasPorTransacao = 5000;

// Texts longer than their column (an explanatory content) are cut, never refused.
void Poe(Tabela& t, const char* campo, const std::string& valor) {
    auto largura = static_cast<size_t>(t.Definicao().Campo(campo)->largura);
    t.PoeTexto(campo, valor.size() > largura ? valor.substr(0, largura) : valor);
}

}  // namespace

GravadorInconsistencias::~GravadorInconsistencias() {
    try {
        Conclui();
    } catch (...) {
    }
}

void GravadorInconsistencias::ApagaTabela() {
    tabela_.reset();
    banco_.ApagaTabela("TE8ERRWA");
}

void GravadorInconsistencias::pCriaTabelaInconsistencias() {
    banco_.CriaTabela(DefTe8errwa());
    tabela_ = std::make_unique<Tabela>(banco_, "te8errwa");
    tabela_->Abre();
}

void GravadorInconsistencias::Grava(const Inconsistencia& linha) {
    if (!tabela_) pCriaTabelaInconsistencias();
    if (!transacao_) transacao_ = std::make_unique<Transacao>(banco_);
    auto& t = *tabela_;
    t.Acrescenta();
    Poe(t, "errwar", linha.errwar);
    Poe(t, "tiporegistro", linha.tiporegistro);
    Poe(t, "retorno", linha.retorno);
    Poe(t, "lbl", linha.lbl);
    Poe(t, "Conteudo", linha.conteudo);
    if (linha.tiporegistro != kRegistroDeclarante) {
        Poe(t, "inscricao", linha.estabelecimento.inscricao);
        Poe(t, "tipoinscricao", linha.estabelecimento.tipoInscricao);
        Poe(t, "prefixo", linha.estabelecimento.prefixo);
        Poe(t, "razaosocial", linha.estabelecimento.razaoSocial);
    }
    if (linha.tiporegistro == kRegistroEmpregado) {
        Poe(t, "copispasep", linha.empregado.pisPasep);
        Poe(t, "noempregado", linha.empregado.nome);
        Poe(t, "DaAdmissao", linha.empregado.admissao);
        Poe(t, "usoempresa", linha.empregado.usoEmpresa);
    }
    Poe(t, "Sequencial", CompletaZeros(std::to_string(sequencial_ + 1), 6));
    t.Grava();
    ++sequencial_;
    if (linha.errwar == kErro) erro_ = true;
    else aviso_ = true;
    if (++pendentes_ >= kLinhasPorTransacao) Conclui();
}

void GravadorInconsistencias::Conclui() {
    if (transacao_) transacao_->Confirma();
    transacao_.reset();
    pendentes_ = 0;
}

}  // namespace zovi
