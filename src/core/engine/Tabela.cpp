#include "engine/Tabela.h"

#include <sqlite3.h>

#include "engine/Cursor.h"
#include "engine/SqlLocal.h"

namespace zovi {

// Keeps the table's file attached for the length of one operation.
struct Tabela::Fixacao {
    Banco& banco;
    std::string esquema;
    Fixacao(Banco& b, const std::string& nome) : banco(b), esquema(b.Fixa(nome)) {}
    ~Fixacao() { banco.Solta(esquema); }
};

namespace {

// Resets a cached statement however the operation ends.
struct Reinicia {
    sqlite3_stmt* st;
    ~Reinicia() {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
};

}  // namespace

Tabela::Tabela(Banco& banco, std::string nome) : banco_(banco), nome_(std::move(nome)) {
    banco_.AdicionaOuvinte(this);
}

Tabela::~Tabela() {
    try {
        Fecha();
    } catch (...) {
    }
    banco_.RemoveOuvinte(this);
}

void Tabela::DefineNome(const std::string& nome) {
    if (Aberta()) throw ErroBanco("Não é possível trocar o nome de uma tabela aberta: " + Nome());
    nome_ = nome;
}

void Tabela::Abre(bool exclusivo) {
    if (Aberta()) return;
    if (nome_.empty()) throw ErroBanco("Tabela sem nome");
    auto canon = Nome();
    if (!banco_.ExisteTabela(canon))
        throw ErroMotor(codigo_motor::TabelaNaoEncontrada, canon + ".DB em " + banco_.Pasta().string());
    banco_.Trava(canon, false);
    if (exclusivo) {
        try {
            banco_.Trava(canon, true);
        } catch (...) {
            banco_.Destrava(canon, false);
            throw;
        }
    }
    try {
        banco_.Fixa(canon, true);  // a file replaced since the last use is attached again
        banco_.Solta(canon);
        def_ = banco_.LeDefinicao(canon);
    } catch (...) {
        if (exclusivo) banco_.Destrava(canon, true);
        banco_.Destrava(canon, false);
        throw;
    }
    exclusivo_ = exclusivo;
    banco_.RegistraAberta(canon, +1);
    posicao_.clear();
    grafados_.clear();
    for (size_t i = 0; i < def_.campos.size(); ++i) {
        posicao_[NomeMaiusculo(def_.campos[i].nome)] = static_cast<int>(i);
        grafados_.emplace(def_.campos[i].nome, static_cast<int>(i));
    }
    MontaComandos();
    estado_ = EstadoTabela::Navegando;
    filtro_.clear();
    parametrosFiltro_.clear();
    UsaIndicePrimario();
}

void Tabela::Fecha() {
    if (!Aberta()) return;
    FechaFluxo();
    auto canon = Nome();
    banco_.RegistraAberta(canon, -1);
    if (exclusivo_) banco_.Destrava(canon, true);
    banco_.Destrava(canon, false);
    estado_ = EstadoTabela::Fechada;
    temAtual_ = false;
    atual_.clear();
    edicao_.clear();
    inicio_ = fim_ = true;
}

void Tabela::ExigeAberta() const {
    if (!Aberta()) throw ErroBanco("Operação em tabela fechada: " + Nome());
}

void Tabela::ExigeEdicao() const {
    if (estado_ != EstadoTabela::Editando && estado_ != EstadoTabela::Inserindo)
        throw ErroBanco("A tabela " + Nome() + " não está em edição ou inclusão");
}

void Tabela::FechaFluxo() {
    if (fluxo_) sqlite3_finalize(fluxo_);
    fluxo_ = nullptr;
}

// SQLite keeps every attached file's read transaction open while any statement
// of the connection is running, so a detach needs all streams stopped; they
// re-seek from their current record on the next move.
void Tabela::AoDesanexar(const std::string&) { FechaFluxo(); }

int Tabela::IndiceCampo(std::string_view campo) const {
    if (auto exato = grafados_.find(campo); exato != grafados_.end()) return exato->second;
    auto it = posicao_.find(NomeMaiusculo(std::string(campo)));
    if (it == posicao_.end())
        throw ErroBanco("Campo '" + std::string(campo) + "' não encontrado na tabela " + Nome());
    return it->second;
}

bool Tabela::ExisteCampo(const std::string& campo) const { return posicao_.count(NomeMaiusculo(campo)) > 0; }

// --- index, filter and the SQL of the cursor -----------------------------

void Tabela::UsaIndicePrimario() {
    ExigeAberta();
    GravaSePendente();
    ordem_.clear();
    semCaixa_ = false;
    if (!def_.indices.empty() && def_.indices.front().primario)
        for (const auto& c : SeparaCampos(def_.indices.front().campos)) ordem_.push_back(IndiceCampo(c));
    FechaFluxo();
}

void Tabela::UsaIndiceCampos(const std::string& campos) {
    ExigeAberta();
    GravaSePendente();
    auto procurados = SeparaCampos(campos);
    for (const auto& ind : def_.indices) {
        auto seus = SeparaCampos(ind.campos);
        bool igual = seus.size() == procurados.size();
        for (size_t i = 0; igual && i < seus.size(); ++i) igual = MesmoNome(seus[i], procurados[i]);
        if (!igual) continue;
        ordem_.clear();
        for (const auto& c : seus) ordem_.push_back(IndiceCampo(c));
        semCaixa_ = ind.semCaixa;
        FechaFluxo();
        return;
    }
    throw ErroMotor(codigo_motor::IndiceInexistente, "Não há índice sobre " + campos + " na tabela " + Nome());
}

void Tabela::DefineFiltro(const std::string& condicao, std::map<std::string, std::string> parametros) {
    ExigeAberta();
    GravaSePendente();
    filtro_ = condicao.empty() ? std::string() : ConverteSqlLocal(condicao);
    parametrosFiltro_ = std::move(parametros);
    FechaFluxo();
}

void Tabela::MontaComandos() {
    auto esquema = Nome();
    auto alvo = Aspas(esquema) + "." + Aspas(esquema);
    std::string colunas = "rowid", lista, valores, atribuicoes;
    for (size_t i = 0; i < def_.campos.size(); ++i) {
        auto campo = Aspas(def_.campos[i].nome);
        auto n = "?" + std::to_string(i + 1);
        colunas += ", " + campo;
        lista += (i ? ", " : "") + campo;
        valores += (i ? ", " : "") + n;
        atribuicoes += (i ? ", " : "") + campo + " = " + n;
    }
    sqlSelecao_ = "SELECT " + colunas + " FROM " + alvo;
    sqlInclusao_ = "INSERT INTO " + alvo + " (" + lista + ") VALUES (" + valores + ")";
    sqlAlteracao_ = "UPDATE " + alvo + " SET " + atribuicoes + " WHERE rowid = ?" + std::to_string(def_.campos.size() + 1);
}

std::string Tabela::Ordem(bool descendente) const {
    std::string s = " ORDER BY ";
    const char* dir = descendente ? " DESC" : "";
    for (int c : ordem_) s += Aspas(def_.campos[c].nome) + (semCaixa_ ? " COLLATE NOCASE" : "") + dir + ", ";
    return s + "rowid" + dir;
}

// (k1, k2, ..., rowid) op (?1, ?2, ..., ?n)
std::string Tabela::Comparacao(const char* op) const {
    std::string esq = "(", dir = "(";
    int n = 1;
    for (int c : ordem_) {
        esq += Aspas(def_.campos[c].nome) + (semCaixa_ ? " COLLATE NOCASE" : "") + ", ";
        dir += "?" + std::to_string(n++) + ", ";
    }
    return esq + "rowid) " + op + " " + dir + "?" + std::to_string(n) + ")";
}

std::string Tabela::Onde(const std::string& extra) const {
    std::string s;
    if (!filtro_.empty()) s = "(" + filtro_ + ")";
    if (!extra.empty()) s += (s.empty() ? "" : " AND ") + extra;
    return s.empty() ? "" : " WHERE " + s;
}

void Tabela::LigaFiltro(sqlite3_stmt* st, int& /*prox*/) const {
    for (const auto& [nome, valor] : parametrosFiltro_) {
        int i = sqlite3_bind_parameter_index(st, (":" + nome).c_str());
        if (i > 0) sqlite3_bind_text(st, i, valor.data(), static_cast<int>(valor.size()), SQLITE_TRANSIENT);
    }
}

void Tabela::LigaChaveAtual(sqlite3_stmt* st, int& prox) const {
    for (int c : ordem_) {
        const auto& v = atual_[c];
        if (v) sqlite3_bind_text(st, prox, v->data(), static_cast<int>(v->size()), SQLITE_TRANSIENT);
        else sqlite3_bind_null(st, prox);
        ++prox;
    }
    sqlite3_bind_int64(st, prox++, rowid_);
}

// Values are copied into the strings of the previous record, so a pass over a
// large table does not allocate per field.
void Tabela::LeLinha(sqlite3_stmt* st) {
    rowid_ = sqlite3_column_int64(st, 0);
    atual_.resize(def_.campos.size());
    for (size_t i = 0; i < def_.campos.size(); ++i) {
        int col = static_cast<int>(i) + 1;
        auto& valor = atual_[i];
        switch (sqlite3_column_type(st, col)) {
            case SQLITE_NULL: valor.reset(); break;
            case SQLITE_INTEGER:
                valor = def_.campos[i].tipo == TipoCampo::Logico ? std::string(sqlite3_column_int64(st, col) ? "1" : "0")
                                                                 : std::to_string(sqlite3_column_int64(st, col));
                break;
            default: {
                auto p = reinterpret_cast<const char*>(sqlite3_column_blob(st, col));
                if (!valor) valor.emplace();
                valor->assign(p ? p : "", static_cast<size_t>(sqlite3_column_bytes(st, col)));
            }
        }
    }
    temAtual_ = true;
}

void Tabela::GravaSePendente() {
    if (estado_ == EstadoTabela::Editando || estado_ == EstadoTabela::Inserindo) Grava();
}

// --- moving --------------------------------------------------------------

void Tabela::Primeiro() {
    ExigeAberta();
    GravaSePendente();
    FechaFluxo();
    Fixacao f(banco_, Nome());
    std::string sql = sqlSelecao_ + Onde("") +
                      Ordem(false);
    int rc = sqlite3_prepare_v2(banco_.Conexao(), sql.c_str(), -1, &fluxo_, nullptr);
    if (rc != SQLITE_OK) {
        FechaFluxo();
        banco_.Falha(sqlite3_extended_errcode(banco_.Conexao()), "Tabela: " + Nome() + ".DB");
    }
    esquemaFluxo_ = f.esquema;
    int prox = 1;
    LigaFiltro(fluxo_, prox);
    rc = sqlite3_step(fluxo_);
    inicio_ = true;
    if (rc == SQLITE_ROW) {
        LeLinha(fluxo_);
        fim_ = false;
    } else {
        int erro = sqlite3_extended_errcode(banco_.Conexao());
        FechaFluxo();
        if (rc != SQLITE_DONE) banco_.Falha(erro, "Tabela: " + Nome() + ".DB");
        temAtual_ = false;
        atual_.assign(def_.campos.size(), std::nullopt);
        fim_ = true;
    }
}

// Steps to the record after the current one; keeps the statement for the next step.
bool Tabela::PosicionaApos(bool fluxoContinua) {
    Fixacao f(banco_, Nome());
    if (!fluxoContinua || !fluxo_) {
        FechaFluxo();
        std::string sql = sqlSelecao_ +
                          Onde(Comparacao(">")) + Ordem(false);
        int rc = sqlite3_prepare_v2(banco_.Conexao(), sql.c_str(), -1, &fluxo_, nullptr);
        if (rc != SQLITE_OK) {
            FechaFluxo();
            banco_.Falha(sqlite3_extended_errcode(banco_.Conexao()), "Tabela: " + Nome() + ".DB");
        }
        int prox = 1;
        LigaChaveAtual(fluxo_, prox);
        LigaFiltro(fluxo_, prox);
    }
    int rc = sqlite3_step(fluxo_);
    if (rc == SQLITE_ROW) {
        LeLinha(fluxo_);
        return true;
    }
    int erro = sqlite3_extended_errcode(banco_.Conexao());
    FechaFluxo();
    if (rc != SQLITE_DONE) banco_.Falha(erro, "Tabela: " + Nome() + ".DB");
    return false;
}

bool Tabela::PosicionaAntes() {
    FechaFluxo();
    Fixacao f(banco_, Nome());
    std::string sql = sqlSelecao_ +
                      Onde(Comparacao("<")) + Ordem(true) + " LIMIT 1";
    auto st = banco_.Comando(f.esquema, sql);
    Reinicia r{st};
    int prox = 1;
    LigaChaveAtual(st, prox);
    LigaFiltro(st, prox);
    int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        LeLinha(st);
        return true;
    }
    if (rc != SQLITE_DONE) banco_.Falha(sqlite3_extended_errcode(banco_.Conexao()), "Tabela: " + Nome() + ".DB");
    return false;
}

void Tabela::Proximo() {
    ExigeAberta();
    GravaSePendente();
    if (!temAtual_) {
        fim_ = true;
        return;
    }
    inicio_ = false;
    if (!PosicionaApos(fluxo_ != nullptr)) fim_ = true;
}

void Tabela::Anterior() {
    ExigeAberta();
    GravaSePendente();
    if (!temAtual_) {
        inicio_ = true;
        return;
    }
    fim_ = false;
    if (!PosicionaAntes()) inicio_ = true;
}

void Tabela::Ultimo() {
    ExigeAberta();
    GravaSePendente();
    FechaFluxo();
    Fixacao f(banco_, Nome());
    std::string sql = sqlSelecao_ + Onde("") +
                      Ordem(true) + " LIMIT 1";
    auto st = banco_.Comando(f.esquema, sql);
    Reinicia r{st};
    int prox = 1;
    LigaFiltro(st, prox);
    int rc = sqlite3_step(st);
    fim_ = true;
    if (rc == SQLITE_ROW) {
        LeLinha(st);
        inicio_ = false;
    } else {
        if (rc != SQLITE_DONE) banco_.Falha(sqlite3_extended_errcode(banco_.Conexao()), "Tabela: " + Nome() + ".DB");
        temAtual_ = false;
        atual_.assign(def_.campos.size(), std::nullopt);
        inicio_ = true;
    }
}

long Tabela::Move(long n) { return MovePor(*this, n); }

long Tabela::NumRegistros() {
    ExigeAberta();
    GravaSePendente();
    Fixacao f(banco_, Nome());
    auto st = banco_.Comando(f.esquema, "SELECT count(*) FROM " + Aspas(f.esquema) + "." + Aspas(f.esquema) + Onde(""));
    Reinicia r{st};
    int prox = 1;
    LigaFiltro(st, prox);
    if (sqlite3_step(st) != SQLITE_ROW) banco_.Falha(sqlite3_extended_errcode(banco_.Conexao()), "Tabela: " + Nome() + ".DB");
    return static_cast<long>(sqlite3_column_int64(st, 0));
}

bool Tabela::Vazia() {
    ExigeAberta();
    if (estado_ == EstadoTabela::Inserindo) return false;
    Fixacao f(banco_, Nome());
    auto st = banco_.Comando(f.esquema, "SELECT 1 FROM " + Aspas(f.esquema) + "." + Aspas(f.esquema) + Onde("") + " LIMIT 1");
    Reinicia r{st};
    int prox = 1;
    LigaFiltro(st, prox);
    int rc = sqlite3_step(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) banco_.Falha(sqlite3_extended_errcode(banco_.Conexao()));
    return rc == SQLITE_DONE;
}

// Reads the current record again; if it is gone, the cursor goes to the next one.
void Tabela::Atualiza() {
    ExigeAberta();
    GravaSePendente();
    FechaFluxo();
    if (!temAtual_) {
        Primeiro();
        return;
    }
    Fixacao f(banco_, Nome());
    auto st = banco_.Comando(f.esquema, sqlSelecao_ +
                                            Onde("rowid = ?1"));
    Reinicia r{st};
    sqlite3_bind_int64(st, 1, rowid_);
    int prox = 2;
    LigaFiltro(st, prox);
    if (sqlite3_step(st) == SQLITE_ROW) {
        LeLinha(st);
        return;
    }
    PosicionaAposApagar();
}

bool Tabela::BuscaChave(const std::vector<std::string>& valores) {
    ExigeAberta();
    GravaSePendente();
    if (valores.empty() || valores.size() > ordem_.size())
        throw ErroBanco("Busca na tabela " + Nome() + " com número de valores diferente da chave");
    Fixacao f(banco_, Nome());
    std::string cond;
    for (size_t i = 0; i < valores.size(); ++i) {
        if (i) cond += " AND ";
        cond += Aspas(def_.campos[ordem_[i]].nome) + (semCaixa_ ? " COLLATE NOCASE" : "") + " = ?" + std::to_string(i + 1);
    }
    auto st = banco_.Comando(f.esquema, sqlSelecao_ +
                                            Onde(cond) + Ordem(false) + " LIMIT 1");
    Reinicia r{st};
    for (size_t i = 0; i < valores.size(); ++i)
        sqlite3_bind_text(st, static_cast<int>(i) + 1, valores[i].data(), static_cast<int>(valores[i].size()),
                          SQLITE_TRANSIENT);
    int prox = static_cast<int>(valores.size()) + 1;
    LigaFiltro(st, prox);
    int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        FechaFluxo();
        LeLinha(st);
        inicio_ = fim_ = false;
        return true;
    }
    if (rc != SQLITE_DONE) banco_.Falha(sqlite3_extended_errcode(banco_.Conexao()), "Tabela: " + Nome() + ".DB");
    return false;
}

// --- fields --------------------------------------------------------------

bool Tabela::Nulo(const std::string& campo) const {
    int i = IndiceCampo(campo);
    const auto& linha = (estado_ == EstadoTabela::Editando || estado_ == EstadoTabela::Inserindo) ? edicao_ : atual_;
    return i >= static_cast<int>(linha.size()) || !linha[i] || linha[i]->empty();
}

const std::string& Tabela::TextoColuna(int coluna) const {
    static const std::string vazio;
    const auto& linha = (estado_ == EstadoTabela::Editando || estado_ == EstadoTabela::Inserindo) ? edicao_ : atual_;
    if (coluna < 0 || coluna >= static_cast<int>(linha.size()) || !linha[coluna]) return vazio;
    return *linha[coluna];
}

std::string Tabela::Texto(const std::string& campo) const {
    int i = IndiceCampo(campo);
    const auto& linha = (estado_ == EstadoTabela::Editando || estado_ == EstadoTabela::Inserindo) ? edicao_ : atual_;
    if (i >= static_cast<int>(linha.size()) || !linha[i]) return {};
    if (def_.campos[i].tipo == TipoCampo::Logico) return *linha[i] == "1" ? "True" : "False";
    return *linha[i];
}

bool Tabela::Logico(const std::string& campo) const {
    int i = IndiceCampo(campo);
    const auto& linha = (estado_ == EstadoTabela::Editando || estado_ == EstadoTabela::Inserindo) ? edicao_ : atual_;
    return i < static_cast<int>(linha.size()) && linha[i] && *linha[i] == "1";
}

long Tabela::Inteiro(const std::string& campo) const { return InteiroDoCampo(Texto(campo), campo); }

void Tabela::PoeTexto(std::string_view campo, std::string_view valor) {
    ExigeEdicao();
    int i = IndiceCampo(campo);
    const auto& c = def_.campos[i];
    if (c.tipo == TipoCampo::Logico) {
        edicao_[i] = valor.empty() ? Valor() : Valor(MesmoNome(std::string(valor), "True") || valor == "1" ? "1" : "0");
        return;
    }
    if (static_cast<int>(valor.size()) > c.largura)
        throw ErroMotor(codigo_motor::ValorForaLargura,
                        "Campo " + c.nome + " (" + std::to_string(c.largura) + "): '" + std::string(valor) + "'");
    if (edicao_[i]) edicao_[i]->assign(valor);
    else edicao_[i].emplace(valor);
}

void Tabela::PoeLogico(const std::string& campo, bool valor) {
    ExigeEdicao();
    int i = IndiceCampo(campo);
    if (def_.campos[i].tipo != TipoCampo::Logico) throw ErroBanco("Campo " + campo + " não é lógico");
    edicao_[i] = valor ? "1" : "0";
}

void Tabela::PoeInteiro(const std::string& campo, long valor) { PoeTexto(campo, std::to_string(valor)); }

void Tabela::Limpa(const std::string& campo) {
    ExigeEdicao();
    int i = IndiceCampo(campo);
    edicao_[i] = def_.campos[i].tipo == TipoCampo::Logico ? Valor() : Valor(std::string());
}

// --- editing -------------------------------------------------------------

void Tabela::Edita() {
    ExigeAberta();
    if (estado_ == EstadoTabela::Editando || estado_ == EstadoTabela::Inserindo) return;
    if (!temAtual_ || Vazia()) {
        Acrescenta();
        return;
    }
    edicao_ = atual_;
    estado_ = EstadoTabela::Editando;
}

void Tabela::Acrescenta() {
    ExigeAberta();
    GravaSePendente();
    // The strings of the previous record are emptied, not freed: a run appending many records reuses them.
    edicao_.resize(def_.campos.size());
    for (size_t i = 0; i < def_.campos.size(); ++i) {
        if (def_.campos[i].tipo != TipoCampo::Texto) edicao_[i].reset();
        else if (edicao_[i]) edicao_[i]->clear();
        else edicao_[i].emplace();
    }
    estado_ = EstadoTabela::Inserindo;
}

// Tables are ordered by key, so an insert lands where its key belongs, as an append does.
void Tabela::Insere() { Acrescenta(); }

void Tabela::Cancela() {
    if (estado_ == EstadoTabela::Editando || estado_ == EstadoTabela::Inserindo) estado_ = EstadoTabela::Navegando;
    edicao_.clear();
}

void Tabela::Grava() {
    ExigeEdicao();
    FechaFluxo();
    Fixacao f(banco_, Nome());
    auto st = banco_.Comando(f.esquema, estado_ == EstadoTabela::Inserindo ? sqlInclusao_ : sqlAlteracao_);
    Reinicia r{st};
    for (size_t i = 0; i < def_.campos.size(); ++i) {
        int n = static_cast<int>(i) + 1;
        const auto& v = edicao_[i];
        if (def_.campos[i].tipo == TipoCampo::Logico) {
            if (v) sqlite3_bind_int(st, n, *v == "1");
            else sqlite3_bind_null(st, n);
        } else {
            // The edit buffer outlives the statement's step: no copy needed.
            if (v) sqlite3_bind_text(st, n, v->data(), static_cast<int>(v->size()), SQLITE_STATIC);
            else sqlite3_bind_text(st, n, "", 0, SQLITE_STATIC);
        }
    }
    if (estado_ == EstadoTabela::Editando) sqlite3_bind_int64(st, static_cast<int>(def_.campos.size()) + 1, rowid_);
    if (sqlite3_step(st) != SQLITE_DONE)
        banco_.Falha(sqlite3_extended_errcode(banco_.Conexao()), "Tabela: " + Nome() + ".DB");
    if (estado_ == EstadoTabela::Inserindo) rowid_ = sqlite3_last_insert_rowid(banco_.Conexao());
    // The old current record's strings stay in the edit buffer, to be reused by the next edit or append.
    atual_.swap(edicao_);
    temAtual_ = true;
    inicio_ = fim_ = false;
    estado_ = EstadoTabela::Navegando;
}

void Tabela::Apaga() {
    ExigeAberta();
    if (estado_ == EstadoTabela::Inserindo) {
        Cancela();
        return;
    }
    Cancela();
    if (!temAtual_) throw ErroBanco("Não há registro para apagar na tabela " + Nome());
    FechaFluxo();
    {
        Fixacao f(banco_, Nome());
        auto st = banco_.Comando(f.esquema, "DELETE FROM " + Aspas(f.esquema) + "." + Aspas(f.esquema) + " WHERE rowid = ?1");
        Reinicia r{st};
        sqlite3_bind_int64(st, 1, rowid_);
        if (sqlite3_step(st) != SQLITE_DONE)
            banco_.Falha(sqlite3_extended_errcode(banco_.Conexao()), "Tabela: " + Nome() + ".DB");
    }
    PosicionaAposApagar();
}

// After a delete the cursor stands on the next record; past the last one it
// stands on the new last record with the end mark set.
void Tabela::PosicionaAposApagar() {
    if (PosicionaApos(false)) {
        fim_ = false;
        return;
    }
    fim_ = true;
    if (!PosicionaAntes()) {
        temAtual_ = false;
        atual_.assign(def_.campos.size(), std::nullopt);
        inicio_ = true;
    }
}

}  // namespace zovi
