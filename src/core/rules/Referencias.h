#pragma once
// The reference tables the field rules read, held in memory.
//
// A verification run calls the lookups millions of times (every employee
// checks several codes), so the tables are read once from the database into
// hash maps and every lookup afterwards is a hash probe. Load one Referencias
// per run (or one for the life of the program: the reference tables never
// change while it runs) and pass it by const reference to the rules.
//
// Keys are compared after trimming blanks, exactly otherwise; only the state
// abbreviation (TBUF.SgUf) is looked up without regard to letter case, as its
// index is.
//
// Lookups return a pointer to the record found, or nullptr. The pointers stay
// valid as long as the Referencias lives and is not loaded again; a caller
// that must remember "the record found" (the municipality-name rule compares
// with the municipality found by the code rule run just before it) keeps the
// pointer as its own explicit state.
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace zovi {

class Banco;

// TB8MUNIC.
struct Municipio {
    std::string codigo;  // CoMunicipio
    std::string nome;    // NoMunicipio
    std::string cep;     // CoCep: the municipality's five-digit CEP, empty when it has ranges or none
    std::string faixa;   // InFaixa: "0" = judged by CoCep; otherwise by its TB8FXCEP ranges
};

// TB8FXCEP: up to two five-digit CEP ranges of a municipality.
struct FaixasCepMunicipio {
    std::string cep1Inicial, cep1Final, cep2Inicial, cep2Final;
};

// TBUF.
struct Uf {
    std::string codigo;  // CoUf, two digits
    std::string sigla;   // SgUf
    std::string nome;    // NoUf
};

// One TBUFCEP row of a state: five-digit CEP prefixes, inclusive.
struct FaixaCepUf {
    long inicial = 0;
    long final = 0;
};

// TB8CBO flags that steer the employee rules.
struct Cbo {
    bool criticaAna = false;  // InCriticaAna
    bool criticaCbo = false;  // InCriticaCbo
};

// Code tables whose rules only ask whether a code exists.
enum class TabelaCodigos {
    Cnae,               // TB8CNAE.CoCnae
    NaturezaJuridica,   // TB8NATJU.CoNaturezaJuridica
    Nacionalidade,      // TB8NACIO.CoNacionalidade
    Instrucao,          // TB8INSTR.CoInstrucao
    TipoAdmissao,       // TB8TPADM.CoTipoAdmissao
    Raca,               // TB8RACA.CoRaca
    Vinculo,            // TB8VINC.CoVinculo
    CausaDesligamento,  // TB8DESL.CoCausaDesligamento
    TipoSalario,        // TB8TPSAL.CoTipoSalarioContratual
    Afastamento,        // TB8AFAST.CoAfastamento
};

class Referencias {
public:
    Referencias() = default;  // empty: every lookup misses
    explicit Referencias(Banco& banco) { Carrega(banco); }

    // Reads every reference table the rules use from the open database,
    // replacing what was held. Engine errors (a missing table) propagate.
    void Carrega(Banco& banco);

    const Municipio* BuscaMunicipio(std::string_view codigo) const;
    const FaixasCepMunicipio* BuscaFaixasCep(std::string_view codigoMunicipio) const;
    const Uf* BuscaUfPorSigla(std::string_view sigla) const;    // any letter case
    const Uf* BuscaUfPorCodigo(std::string_view codigo) const;  // first TBUF row with that CoUf
    // The TBUFCEP ranges of a state code (empty when it has none).
    const std::vector<FaixaCepUf>& FaixasCepUf(std::string_view codigoUf) const;
    const Cbo* BuscaCbo(std::string_view codigo) const;
    bool ExisteCodigo(TabelaCodigos tabela, std::string_view codigo) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    template <class V>
    using Mapa = std::unordered_map<std::string, V, Hash, std::equal_to<>>;
    using Conjunto = std::unordered_set<std::string, Hash, std::equal_to<>>;
    static constexpr int kTabelasCodigos = 10;

    Mapa<Municipio> municipios_;
    Mapa<FaixasCepMunicipio> faixasCep_;
    Mapa<Uf> ufPorSigla_;   // upper-case abbreviation
    Mapa<Uf> ufPorCodigo_;
    Mapa<std::vector<FaixaCepUf>> faixasCepUf_;
    Mapa<Cbo> cbos_;
    Conjunto codigos_[kTabelasCodigos];
};

}  // namespace zovi
