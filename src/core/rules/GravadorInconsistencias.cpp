#include "rules/GravadorInconsistencias.h"

#include "data/Tabelas.h"
#include "data/TrocaTabelas.h"
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

bool fVerificacaoInacabada(const Banco& banco) { return banco.ExisteTabela(kTabelaInconsistenciasEmCurso); }

void GravadorInconsistencias::Inicia() {
    tabela_.reset();
    auto def = DefTe8errwa();
    def.nome = kTabelaInconsistenciasEmCurso;
    banco_.CriaTabela(def);
    tabela_ = std::make_unique<Tabela>(banco_, kTabelaInconsistenciasEmCurso);
    tabela_->Abre();
}

void GravadorInconsistencias::Grava(const Inconsistencia& linha) {
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

void GravadorInconsistencias::Publica() {
    Conclui();
    tabela_.reset();
    banco_.LiberaArquivo(kTabelaInconsistenciasEmCurso);
    banco_.LiberaArquivo("TE8ERRWA");
    const auto novo = banco_.ArquivoTabela(kTabelaInconsistenciasEmCurso);
    if (!novo) throw ErroBanco("Tabela: " + std::string(kTabelaInconsistenciasEmCurso) + ".DB");
    // A run without rows leaves no table; otherwise the rename replaces the previous
    // result in one step. The run's table goes last: until then the run counts as unfinished.
    if (sequencial_ == 0) {
        banco_.ApagaTabela("TE8ERRWA");
        banco_.ApagaTabela(kTabelaInconsistenciasEmCurso);
        return;
    }
    // Inside its file the table takes the name readers look for.
    const auto esquema = banco_.Fixa(kTabelaInconsistenciasEmCurso);
    try {
        banco_.ExecutaDireto("ALTER TABLE " + Aspas(esquema) + "." + Aspas(kTabelaInconsistenciasEmCurso) +
                             " RENAME TO " + Aspas("TE8ERRWA"));
    } catch (...) {
        banco_.Solta(esquema);
        throw;
    }
    banco_.Solta(esquema);
    banco_.LiberaArquivo(kTabelaInconsistenciasEmCurso);
    SincronizaArquivo(*novo);
    const auto atual = banco_.ArquivoTabela("TE8ERRWA").value_or(banco_.Pasta() / "TE8ERRWA.DB");
    std::error_code ec;
    std::filesystem::rename(*novo, atual, ec);
    if (ec) throw ErroMotor(codigo_motor::ErroEntradaSaida, "Tabela: TE8ERRWA.DB: " + ec.message());
    SincronizaArquivo(atual.parent_path());
}

}  // namespace zovi
