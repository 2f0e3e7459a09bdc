#include "engine/Consulta.h"

#include <sqlite3.h>

#include "engine/Cursor.h"
#include "engine/SqlLocal.h"

namespace zovi {

namespace {

// A column of the statement's current row as the query shows it: logicals as "True" / "False".
std::optional<std::string> ValorColuna(sqlite3_stmt* st, int c, bool logico) {
    switch (sqlite3_column_type(st, c)) {
        case SQLITE_NULL: return std::nullopt;
        case SQLITE_INTEGER:
            if (logico) return std::string(sqlite3_column_int64(st, c) ? "True" : "False");
            return std::to_string(sqlite3_column_int64(st, c));
        default: {
            auto p = reinterpret_cast<const char*>(sqlite3_column_blob(st, c));
            return std::string(p ? p : "", static_cast<size_t>(sqlite3_column_bytes(st, c)));
        }
    }
}

}  // namespace

Consulta::Consulta(Banco& banco, std::vector<std::string> linhas) : banco_(banco), linhas_(std::move(linhas)) {}

Consulta::~Consulta() { Fecha(); }

void Consulta::Limpa() {
    Fecha();
    linhas_.clear();
    parametros_.clear();
    listas_.clear();
}

void Consulta::Adiciona(const std::string& linha) {
    Fecha();
    linhas_.push_back(linha);
}

void Consulta::DefineSql(std::vector<std::string> linhas) {
    Limpa();
    linhas_ = std::move(linhas);
}

std::string Consulta::Sql() const {
    std::string s;
    for (const auto& l : linhas_) s += l + "\n";
    return s;
}

void Consulta::Parametro(const std::string& nome, const std::string& valor) { parametros_[nome] = valor; }

void Consulta::ParametroLista(const std::string& nome, std::vector<std::string> valores) {
    listas_[nome] = std::move(valores);
}

sqlite3_stmt* Consulta::Prepara(std::vector<std::string>& tabelas, const std::string& envoltorio) {
    std::map<std::string, size_t> tamanhos;
    for (const auto& [nome, v] : listas_) tamanhos[nome] = v.size();
    auto conv = AnalisaSqlLocal(Sql(), tamanhos);
    // Attach and lock every table the statement names, releasing them all if one fails.
    try {
        for (const auto& t : conv.tabelas) {
            banco_.Trava(t, false);
            try {
                banco_.Fixa(t, true);
            } catch (...) {
                banco_.Destrava(t, false);
                throw;
            }
            tabelas.push_back(t);
        }
    } catch (...) {
        for (const auto& t : tabelas) {
            banco_.Solta(t);
            banco_.Destrava(t, false);
        }
        tabelas.clear();
        throw;
    }
    std::string sql = conv.sql;
    if (!envoltorio.empty()) {
        while (!sql.empty() && (sql.back() == '\n' || sql.back() == ' ' || sql.back() == ';')) sql.pop_back();
        sql = envoltorio + "(" + sql + ")";
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(banco_.Conexao(), sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        int rc = sqlite3_extended_errcode(banco_.Conexao());
        std::string msg = sqlite3_errmsg(banco_.Conexao());
        for (const auto& t : tabelas) {
            banco_.Solta(t);
            banco_.Destrava(t, false);
        }
        tabelas.clear();
        (void)rc;
        throw ErroMotor({{codigo_motor::ErroSql, ErroMotor::TextoCodigo(codigo_motor::ErroSql) + " " + Sql()},
                         {codigo_motor::ErroSql, msg}});
    }
    Liga(st);
    return st;
}

void Consulta::Liga(sqlite3_stmt* st) const {
    for (int i = 1; i <= sqlite3_bind_parameter_count(st); ++i) {
        const char* nome = sqlite3_bind_parameter_name(st, i);
        if (!nome || nome[0] != ':') continue;
        std::string n = nome + 1;
        const std::string* valor = nullptr;
        for (const auto& [k, v] : parametros_)
            if (MesmoNome(k, n)) valor = &v;
        if (!valor) {
            // ":lista_3" is item 3 of a list parameter
            auto sub = n.rfind('_');
            if (sub != std::string::npos) {
                for (const auto& [k, v] : listas_) {
                    if (!MesmoNome(k, n.substr(0, sub))) continue;
                    size_t idx = std::stoul(n.substr(sub + 1));
                    if (idx < v.size()) valor = &v[idx];
                }
            }
        }
        if (!valor) throw ErroBanco("Parâmetro '" + n + "' sem valor na consulta:\n" + Sql());
        sqlite3_bind_text(st, i, valor->data(), static_cast<int>(valor->size()), SQLITE_TRANSIENT);
    }
}

void Consulta::Libera() {
    if (st_) sqlite3_finalize(st_);
    st_ = nullptr;
    for (const auto& t : fixadas_) {
        banco_.Solta(t);
        banco_.Destrava(t, false);
    }
    fixadas_.clear();
}

void Consulta::Fecha() {
    Libera();
    repetida_ = false;
    aberta_ = false;
    sequencial_ = false;
    nomes_.clear();
    logicos_.clear();
    linha_.clear();
    posicao_ = -1;
    inicio_ = fim_ = vazia_ = true;
}

bool Consulta::Passo() {
    int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW && sequencial_) return true;
    if (rc == SQLITE_ROW) {
        linha_.resize(nomes_.size());
        for (size_t i = 0; i < nomes_.size(); ++i) linha_[i] = ValorColuna(st_, static_cast<int>(i), logicos_[i]);
        return true;
    }
    if (rc != SQLITE_DONE) banco_.Falha(sqlite3_extended_errcode(banco_.Conexao()), Sql());
    return false;
}

void Consulta::Abre() {
    AbreComo(false);
}

void Consulta::AbreComo(bool sequencial) {
    Fecha();
    sequencial_ = sequencial;
    st_ = Prepara(fixadas_);
    aberta_ = true;
    int n = sqlite3_column_count(st_);
    for (int i = 0; i < n; ++i) {
        nomes_.emplace_back(sqlite3_column_name(st_, i));
        const char* tipo = sqlite3_column_decltype(st_, i);
        logicos_.push_back(tipo && MesmoNome(tipo, "BOOLEAN"));
    }
    try {
        vazia_ = !Passo();
    } catch (...) {
        Fecha();
        throw;
    }
    posicao_ = vazia_ ? -1 : 0;
    inicio_ = true;
    fim_ = vazia_;
}

void Consulta::AbreSequencial() { AbreComo(true); }

long Consulta::Executa() {
    Fecha();
    std::vector<std::string> tabelas;
    sqlite3_stmt* st = Prepara(tabelas);
    int rc = sqlite3_step(st);
    int erro = sqlite3_extended_errcode(banco_.Conexao());
    long mudadas = sqlite3_changes(banco_.Conexao());
    sqlite3_finalize(st);
    for (const auto& t : tabelas) {
        banco_.Solta(t);
        banco_.Destrava(t, false);
    }
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) banco_.Falha(erro, Sql());
    return mudadas;
}

long Consulta::ExecutaRepetida() {
    if (!repetida_) {
        Fecha();
        st_ = Prepara(fixadas_);
        repetida_ = true;
    } else {
        Liga(st_);
    }
    int rc = sqlite3_step(st_);
    int erro = sqlite3_extended_errcode(banco_.Conexao());
    long mudadas = sqlite3_changes(banco_.Conexao());
    sqlite3_reset(st_);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) banco_.Falha(erro, Sql());
    return mudadas;
}

void Consulta::Primeiro() {
    if (!aberta_) throw ErroBanco("Consulta fechada");
    if (posicao_ == 0) {
        inicio_ = true;
        return;
    }
    VaiPara(0);
}

void Consulta::Proximo() {
    if (!aberta_) throw ErroBanco("Consulta fechada");
    if (fim_) return;
    inicio_ = false;
    if (!st_) {
        VaiPara(posicao_ + 1);
        return;
    }
    if (Passo()) {
        ++posicao_;
    } else {
        fim_ = true;
        // The last row stays current: keep its values.
        sqlite3_reset(st_);
        sqlite3_finalize(st_);
        st_ = nullptr;
    }
}

// Rows are read forward only; going back runs the statement again up to the row.
void Consulta::VaiPara(long posicao) {
    if (sequencial_) throw ErroBanco("Consulta sequencial: só avança\n" + Sql());
    if (st_) sqlite3_finalize(st_);
    st_ = nullptr;
    std::vector<std::string> semNovas;
    st_ = Prepara(semNovas);
    // The tables are already held by this query: drop the second hold Prepara took.
    for (const auto& t : semNovas) {
        banco_.Solta(t);
        banco_.Destrava(t, false);
    }
    long i = -1;
    while (i < posicao && Passo()) ++i;
    posicao_ = i;
    inicio_ = posicao <= 0;
    fim_ = i < posicao;
}

void Consulta::Anterior() {
    if (!aberta_) throw ErroBanco("Consulta fechada");
    if (posicao_ <= 0) {
        inicio_ = true;
        return;
    }
    VaiPara(posicao_ - 1);
    fim_ = false;
}

void Consulta::Ultimo() {
    if (!aberta_) throw ErroBanco("Consulta fechada");
    long n = NumRegistros();
    if (n > 0) VaiPara(n - 1);
    fim_ = true;
}

long Consulta::Move(long n) { return MovePor(*this, n); }

long Consulta::NumRegistros() {
    if (!aberta_) throw ErroBanco("Consulta fechada");
    std::vector<std::string> tabelas;
    sqlite3_stmt* st = Prepara(tabelas, "SELECT count(*) FROM ");
    long n = 0;
    int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) n = static_cast<long>(sqlite3_column_int64(st, 0));
    int erro = sqlite3_extended_errcode(banco_.Conexao());
    sqlite3_finalize(st);
    for (const auto& t : tabelas) {
        banco_.Solta(t);
        banco_.Destrava(t, false);
    }
    if (rc != SQLITE_ROW) banco_.Falha(erro, Sql());
    return n;
}

int Consulta::Coluna(const std::string& campo) const {
    for (size_t i = 0; i < nomes_.size(); ++i)
        if (MesmoNome(nomes_[i], campo)) return static_cast<int>(i);
    throw ErroBanco("Campo '" + campo + "' não encontrado no resultado da consulta");
}

void Consulta::ExigeLinhaSequencial(int coluna) const {
    if (coluna < 0 || coluna >= static_cast<int>(nomes_.size())) throw ErroBanco("Coluna inexistente na consulta");
    if (!sequencial_ || !st_) throw ErroBanco("Consulta sem linha lida em sequência:\n" + Sql());
}

std::string_view Consulta::Vista(int coluna) const {
    ExigeLinhaSequencial(coluna);
    auto p = static_cast<const char*>(sqlite3_column_blob(st_, coluna));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_column_bytes(st_, coluna))) : std::string_view();
}

void Consulta::Vistas(std::vector<std::string_view>& colunas) const {
    ExigeLinhaSequencial(0);
    colunas.resize(nomes_.size());
    for (int c = 0; c < static_cast<int>(colunas.size()); ++c) {
        auto p = static_cast<const char*>(sqlite3_column_blob(st_, c));
        colunas[c] = p ? std::string_view(p, static_cast<size_t>(sqlite3_column_bytes(st_, c))) : std::string_view();
    }
}

bool Consulta::LogicoColuna(int coluna) const {
    ExigeLinhaSequencial(coluna);
    switch (sqlite3_column_type(st_, coluna)) {
        case SQLITE_NULL: return false;
        case SQLITE_INTEGER: return sqlite3_column_int64(st_, coluna) != 0;
        default: return Vista(coluna) == "1";
    }
}

std::string Consulta::Texto(int coluna) const {
    if (coluna < 0 || coluna >= static_cast<int>(nomes_.size())) throw ErroBanco("Coluna inexistente na consulta");
    if (sequencial_) {
        ExigeLinhaSequencial(coluna);
        return ValorColuna(st_, coluna, logicos_[static_cast<size_t>(coluna)]).value_or(std::string());
    }
    if (vazia_ || coluna >= static_cast<int>(linha_.size()) || !linha_[coluna]) return {};
    return *linha_[coluna];
}

std::string Consulta::Texto(const std::string& campo) const { return Texto(Coluna(campo)); }

long Consulta::Inteiro(int coluna) const { return InteiroDoCampo(Texto(coluna), nomes_.at(static_cast<size_t>(coluna))); }

long Consulta::Inteiro(const std::string& campo) const { return Inteiro(Coluna(campo)); }

bool Consulta::Logico(const std::string& campo) const {
    auto t = Texto(campo);
    return t == "True" || t == "1";
}

}  // namespace zovi
