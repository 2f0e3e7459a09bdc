#pragma once
// The database: a folder of tables, one SQLite file "<TABLE>.DB" per table.
//
// One connection serves every table and query of a Banco. Table files are
// ATTACHed under their upper-case name when an operation needs them (SQLite
// holds at most 10 at once, so idle ones are detached again), which lets one
// transaction span several tables and commit them together.
//
// Conventions of the stored values: every text field holds Windows-1252 bytes
// and is never NULL (an empty field is ''); a logical field is 1, 0 or NULL.
// A value longer than its field is refused by the table itself.
//
// The connection's main database is an empty session file in the data folder, so
// SQLite's super-journal of a commit over several tables lives beside the tables;
// opening a database cleans what killed sessions left there, after rolling back the
// table journals of their unfinished commits.
//
// Opening a table takes a shared advisory lock on its file, an exclusive open
// an exclusive one; a lock held by another process makes the open fail with
// the engine error "Table is busy".
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/Definicao.h"
#include "engine/Erros.h"

struct sqlite3;
struct sqlite3_stmt;

namespace zovi {

// Told before a table file is detached: running statements must stop first.
class OuvinteAnexo {
public:
    virtual ~OuvinteAnexo() = default;
    virtual void AoDesanexar(const std::string& tabela) = 0;
};

class Banco {
public:
    Banco();
    ~Banco();
    Banco(const Banco&) = delete;
    Banco& operator=(const Banco&) = delete;

    // Opens the database under a name; the one parameter that matters is "path=<folder>".
    void Abre(const std::string& nome, const std::vector<std::string>& parametros);
    void Fecha();
    bool Aberto() const { return con_ != nullptr; }
    const std::string& Nome() const { return nome_; }
    const std::filesystem::path& Pasta() const { return pasta_; }

    // "bd8emp.db", "Bd8Emp" -> "BD8EMP".
    static std::string NomeTabela(const std::string& nomeOuArquivo);
    // The table's file in the folder, found whatever its letter case.
    std::optional<std::filesystem::path> ArquivoTabela(const std::string& nome) const;
    bool ExisteTabela(const std::string& nome) const { return ArquivoTabela(nome).has_value(); }

    // Transactions: everything written between IniciaTransacao and Confirma commits together.
    void IniciaTransacao();
    void Confirma();
    void Desfaz();
    bool EmTransacao() const;

    // Definitions.
    void CriaTabela(const DefTabela& def);  // replaces an existing table of that name
    DefTabela LeDefinicao(const std::string& nome);
    void AdicionaIndice(const std::string& tabela, const DefIndice& indice);
    bool ExisteIndice(const std::string& tabela, const std::string& nomeIndice);
    bool ExisteIndicePrimario(const std::string& tabela);
    void RemoveIndice(const std::string& tabela, const std::string& nomeIndice);
    // A new table with the fields (and, when asked, the indexes) of another.
    void CriaTabelaComo(const std::string& origem, const std::string& destino, bool comIndices);
    bool fCriaTabelaComo(const std::string& origem, const std::string& destino, bool comIndices) noexcept;
    void EsvaziaTabela(const std::string& nome);
    void ApagaTabela(const std::string& nome);  // no error when it does not exist
    // Drops every connection to the table's file so that it can be replaced on disk.
    void LiberaArquivo(const std::string& nome);
    // Copies the tables into files of pastaDestino (named as their files here) as they stood
    // at one instant: all are read under one read transaction, so no commit of another
    // process lands between them. Waits a few seconds for a commit under way; throws
    // ErroMotor (TabelaOcupada when one kept going, ArquivoCorrompido naming the table whose
    // file is not a database). Returns the files written.
    std::vector<std::filesystem::path> CopiaInstantanea(const std::vector<std::string>& tabelas,
                                                        const std::filesystem::path& pastaDestino);

    // --- used by Tabela and Consulta ---
    sqlite3* Conexao();
    // Makes sure the table is attached and keeps it so until Solta; returns its name.
    // confereArquivo: at the start of an operation, an idle attachment whose file was
    // replaced meanwhile (by another connection or program) is attached again.
    std::string Fixa(const std::string& nome, bool confereArquivo = false);
    void Solta(const std::string& nome);
    // Advisory locks of this process on a table file (counted).
    void Trava(const std::string& nome, bool exclusivo);
    void Destrava(const std::string& nome, bool exclusivo);
    // Tables open through Tabela objects of this Banco (deletion refuses them).
    void RegistraAberta(const std::string& nome, int delta);
    void AdicionaOuvinte(OuvinteAnexo* o);
    void RemoveOuvinte(OuvinteAnexo* o);
    // A prepared statement on one table, kept for reuse; the caller resets it after use.
    sqlite3_stmt* Comando(const std::string& tabela, const std::string& sql);
    // Raises the engine error for a SQLite result code.
    [[noreturn]] void Falha(int rc, const std::string& contexto = {}) const;
    void ExecutaDireto(const std::string& sql);

private:
    struct Anexo {
        std::string caminho;
        int fixacoes = 0;
        std::uint64_t uso = 0;
        std::uint64_t dispositivo = 0, inode = 0;  // identity of the file attached
    };
    void Desanexa(const std::string& nome);
    void AbreSeNecessario() const;
    void DescartaComandos(const std::string& tabela);
    void FechaSessao();

    sqlite3* con_ = nullptr;
    std::string nome_;
    std::filesystem::path pasta_;
    // Main database, in the data folder: lets transactions span attached files.
    std::filesystem::path sessao_;
    int fdSessao_ = -1;  // holds the session's flock() while it is open
    std::map<std::string, Anexo> anexos_;
    std::map<std::string, int> abertas_;
    std::map<std::string, std::pair<int, int>> travas_;  // nome -> (shared, exclusive) of this Banco
    std::vector<OuvinteAnexo*> ouvintes_;
    std::map<std::string, std::map<std::string, sqlite3_stmt*>> comandos_;  // by table
    std::uint64_t relogio_ = 0;
};

// Rolls back unless confirmed.
class Transacao {
public:
    explicit Transacao(Banco& b) : banco_(b) { banco_.IniciaTransacao(); }
    ~Transacao() {
        if (!feita_) {
            try { banco_.Desfaz(); } catch (...) {}
        }
    }
    void Confirma() { banco_.Confirma(); feita_ = true; }
private:
    Banco& banco_;
    bool feita_ = false;
};

// Quotes an identifier for SQL.
std::string Aspas(const std::string& identificador);

// The statements that create a table of the program and one of its indexes, as SQLite keeps
// them in the file's schema: what tells a table of the program from one only shaped like it.
std::string SqlCriaTabela(const DefTabela& def);
std::string SqlCriaIndice(const std::string& tabela, const DefIndice& indice);
// The name an index of the definition has inside the table's file.
std::string NomeIndice(const std::string& nome);

}  // namespace zovi
