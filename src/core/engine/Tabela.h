#pragma once
// A table opened as a cursor: ordered by its primary index (or a secondary one
// chosen by field names), moved record by record, searched by key, edited.
//
// Records are read through a statement that stays open while the cursor only
// moves forward, so a full pass streams; any other move re-seeks from the
// current record's key.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/Banco.h"

namespace zovi {

enum class EstadoTabela { Fechada, Navegando, Editando, Inserindo };

class Tabela : public OuvinteAnexo {
public:
    explicit Tabela(Banco& banco, std::string nome = {});
    ~Tabela() override;
    Tabela(const Tabela&) = delete;
    Tabela& operator=(const Tabela&) = delete;

    void DefineNome(const std::string& nome);  // with or without ".DB", any case
    std::string Nome() const { return Banco::NomeTabela(nome_); }
    Banco& BancoDados() { return banco_; }

    void Abre(bool exclusivo = false);
    void Fecha();
    bool Aberta() const { return estado_ != EstadoTabela::Fechada; }
    EstadoTabela Estado() const { return estado_; }
    const DefTabela& Definicao() const { return def_; }

    // Order and key of the cursor: the primary index, or the secondary index on these fields.
    void UsaIndicePrimario();
    void UsaIndiceCampos(const std::string& campos);
    // Restricts the visible records to those meeting an SQL condition (parameters ":nome").
    void DefineFiltro(const std::string& condicao, std::map<std::string, std::string> parametros = {});

    void Primeiro();
    void Proximo();
    void Anterior();
    void Ultimo();
    long Move(long n);
    bool Fim() const { return fim_; }
    bool Inicio() const { return inicio_; }
    long NumRegistros();
    bool Vazia();
    void Atualiza();

    // Exact search on the active index with all its fields or the leading ones.
    // When nothing matches the cursor stays where it was.
    bool BuscaChave(const std::vector<std::string>& valores);

    bool ExisteCampo(const std::string& campo) const;
    // Column of a field, for runs that read the same fields of every record:
    // resolve once, then read by column without a lookup or a copy.
    int Coluna(const std::string& campo) const { return IndiceCampo(campo); }
    const std::string& TextoColuna(int coluna) const;
    std::string Texto(const std::string& campo) const;
    bool Logico(const std::string& campo) const;  // NULL reads as false
    long Inteiro(const std::string& campo) const;  // empty reads as 0
    bool Nulo(const std::string& campo) const;
    void PoeTexto(std::string_view campo, std::string_view valor);
    void PoeLogico(const std::string& campo, bool valor);
    void PoeInteiro(const std::string& campo, long valor);
    void Limpa(const std::string& campo);

    void Edita();       // on an empty table this appends
    void Acrescenta();
    void Insere();
    void Grava();
    void Cancela();
    void Apaga();

    void AoDesanexar(const std::string& tabela) override;

private:
    using Valor = std::optional<std::string>;
    struct Fixacao;

    int IndiceCampo(std::string_view campo) const;
    void ExigeAberta() const;
    void ExigeEdicao() const;
    void GravaSePendente();
    void LeLinha(struct sqlite3_stmt* st);
    void FechaFluxo();
    void MontaComandos();
    std::string Ordem(bool descendente) const;
    std::string Comparacao(const char* op) const;
    std::string Onde(const std::string& extra) const;
    void LigaFiltro(struct sqlite3_stmt* st, int& prox) const;
    void LigaChaveAtual(struct sqlite3_stmt* st, int& prox) const;
    bool PosicionaApos(bool fluxoContinua);
    bool PosicionaAntes();
    void PosicionaAposApagar();

    Banco& banco_;
    std::string nome_;
    DefTabela def_;
    std::unordered_map<std::string, int> posicao_;  // upper-case field name -> column
    // The same, by the names as the definition spells them: the lookup of every
    // field of every record a run writes, without a copy of the name.
    struct HashNome {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    std::unordered_map<std::string, int, HashNome, std::equal_to<>> grafados_;
    EstadoTabela estado_ = EstadoTabela::Fechada;
    bool exclusivo_ = false;

    std::vector<int> ordem_;     // columns of the active index
    bool semCaixa_ = false;
    std::string filtro_;
    std::map<std::string, std::string> parametrosFiltro_;

    bool temAtual_ = false;
    std::int64_t rowid_ = 0;
    std::vector<Valor> atual_;
    std::vector<Valor> edicao_;
    bool inicio_ = true;
    bool fim_ = true;

    // Statements that depend only on the table's fields, built once when it opens.
    std::string sqlSelecao_;   // "SELECT rowid, fields FROM schema.table"
    std::string sqlInclusao_;
    std::string sqlAlteracao_;

    struct sqlite3_stmt* fluxo_ = nullptr;
    std::string esquemaFluxo_;
};

}  // namespace zovi
