#pragma once
// A local SQL statement on the database's tables: lines of text with named
// parameters bound as text; SELECT opens a forward cursor over the result,
// UPDATE / INSERT / DELETE run without one.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Banco.h"

struct sqlite3_stmt;

namespace zovi {

class Consulta {
public:
    explicit Consulta(Banco& banco, std::vector<std::string> linhas = {});
    ~Consulta();
    Consulta(const Consulta&) = delete;
    Consulta& operator=(const Consulta&) = delete;

    // The statement, as lines; changing it closes the query and forgets the parameters.
    void Limpa();
    void Adiciona(const std::string& linha);
    void DefineSql(std::vector<std::string> linhas);
    std::string Sql() const;

    void Parametro(const std::string& nome, const std::string& valor);
    void ParametroLista(const std::string& nome, std::vector<std::string> valores);

    void Abre();      // a SELECT: positions on the first row
    // A SELECT read forward once, for runs that stream many rows: the current row
    // is read in place (Vista) until the next move, nothing is copied, and once
    // the end is reached there is no current row. Going back is refused.
    void AbreSequencial();
    long Executa();   // any other statement; returns the number of rows changed
    // The same statement run again and again with new parameter values (one UPDATE or
    // DELETE per row of a bulk run): it is prepared once and kept, with its tables held,
    // until the query is closed or its statement changes. Returns the rows changed.
    long ExecutaRepetida();
    void Fecha();
    bool Aberta() const { return st_ != nullptr || aberta_; }

    void Primeiro();
    void Proximo();
    void Anterior();
    void Ultimo();
    long Move(long n);
    bool Fim() const { return fim_; }
    bool Inicio() const { return inicio_; }
    long NumRegistros();
    bool Vazia() const { return vazia_; }

    int NumCampos() const { return static_cast<int>(nomes_.size()); }
    const std::string& NomeCampo(int i) const { return nomes_.at(static_cast<size_t>(i)); }
    std::string Texto(const std::string& campo) const;
    std::string Texto(int coluna) const;
    long Inteiro(const std::string& campo) const;
    long Inteiro(int coluna) const;
    bool Logico(const std::string& campo) const;
    // Sequential queries: a column of the current row as stored (a logical reads "1" or "0").
    std::string_view Vista(int coluna) const;
    bool LogicoColuna(int coluna) const;  // NULL reads as false
    // Every column of the current row at once, as Vista reads each.
    void Vistas(std::vector<std::string_view>& colunas) const;

private:
    sqlite3_stmt* Prepara(std::vector<std::string>& tabelas, const std::string& envoltorio = {});
    void Liga(sqlite3_stmt* st) const;
    void Libera();
    void AbreComo(bool sequencial);
    bool Passo();
    void ExigeLinhaSequencial(int coluna) const;
    void VaiPara(long posicao);
    int Coluna(const std::string& campo) const;

    Banco& banco_;
    std::vector<std::string> linhas_;
    std::map<std::string, std::string> parametros_;
    std::map<std::string, std::vector<std::string>> listas_;

    sqlite3_stmt* st_ = nullptr;
    std::vector<std::string> fixadas_;  // tables attached and locked while open
    bool aberta_ = false;
    std::vector<std::string> nomes_;
    std::vector<bool> logicos_;
    std::vector<std::optional<std::string>> linha_;
    long posicao_ = -1;
    bool inicio_ = true, fim_ = true, vazia_ = true;
    bool sequencial_ = false;
    bool repetida_ = false;  // st_ is ExecutaRepetida's statement
};

}  // namespace zovi
