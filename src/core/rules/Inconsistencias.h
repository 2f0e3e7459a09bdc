#pragma once
// Inconsistency rows: what the verification steps produce for every failing rule.
//
// A step (declarant, establishment, employee) fills the fields it knows and
// hands each row to a sink; the verification run's sink numbers the rows and
// writes them to te8errwa, a test's sink keeps them in a vector. One failure of
// a cross-field rule produces one row per field involved, all with the same
// `retorno`.
//
// Contents are passed whole; the sink that writes te8errwa fits them to the
// table's widths (Conteudo holds 52 characters).
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace zovi {

// Kinds of row: errors block the writing of the declaration file, warnings do not.
inline constexpr const char* kErro = "err";
inline constexpr const char* kAviso = "war";

// Record types of a row.
inline constexpr const char* kRegistroDeclarante = "0";
inline constexpr const char* kRegistroEstabelecimento = "1";
inline constexpr const char* kRegistroEmpregado = "2";

// The establishment a row belongs to (empty for declarant rows).
struct IdentificacaoEstabelecimento {
    std::string inscricao;      // CoCgcCeiEstabelecimento
    std::string tipoInscricao;  // InInscrEstabelecimento
    std::string prefixo;        // NuPrefixoEstabelecimento
    std::string razaoSocial;    // NoRazaoEstabelecimento

    bool operator==(const IdentificacaoEstabelecimento&) const = default;
};

// The employee a row belongs to (empty for declarant and establishment rows).
struct IdentificacaoEmpregado {
    std::string pisPasep;    // CoPisPasepEmpregado
    std::string nome;        // NoEmpregado
    std::string admissao;    // DaAdmissaoEmpregado
    std::string usoEmpresa;  // TxUsoEmpregado

    bool operator==(const IdentificacaoEmpregado&) const = default;
};

// One row of te8errwa, without its running number (the sink gives it).
struct Inconsistencia {
    std::string errwar;        // kErro or kAviso
    std::string tiporegistro;  // kRegistroDeclarante / Estabelecimento / Empregado
    std::string retorno;       // the failing rule's result code
    std::string lbl;           // label code naming the field
    std::string conteudo;      // the field's content as checked, or an explanatory text
    IdentificacaoEstabelecimento estabelecimento;
    IdentificacaoEmpregado empregado;

    bool operator==(const Inconsistencia&) const = default;
};

// Where the steps put their rows.
class DestinoInconsistencias {
public:
    virtual ~DestinoInconsistencias() = default;
    virtual void Grava(const Inconsistencia& linha) = 0;
};

// Keeps the rows in memory, in writing order (tests, small runs).
class ColetorInconsistencias : public DestinoInconsistencias {
public:
    void Grava(const Inconsistencia& linha) override { linhas.push_back(linha); }
    std::vector<Inconsistencia> linhas;
};

// Builds the rows of one record: carries the record type and the identifying
// fields, so that a step only names kind, content, label and code.
class EmissorInconsistencias {
public:
    EmissorInconsistencias(DestinoInconsistencias& destino, std::string tipoRegistro,
                           IdentificacaoEstabelecimento estabelecimento = {}, IdentificacaoEmpregado empregado = {})
        : destino_(destino),
          tipo_(std::move(tipoRegistro)),
          estabelecimento_(std::move(estabelecimento)),
          empregado_(std::move(empregado)) {}

    // For a step run once per employee: the establishment's identification, made once
    // by the run, is referred to (it must outlive the emitter), not copied each time.
    EmissorInconsistencias(DestinoInconsistencias& destino, std::string tipoRegistro,
                           const IdentificacaoEstabelecimento* estabelecimento, IdentificacaoEmpregado empregado)
        : destino_(destino),
          tipo_(std::move(tipoRegistro)),
          estabelecimentoDoRun_(estabelecimento),
          empregado_(std::move(empregado)) {}

    // One row.
    void Linha(const char* errwar, const std::string& retorno, const std::string& conteudo, const char* lbl) {
        destino_.Grava({errwar, tipo_, retorno, lbl, conteudo,
                        estabelecimentoDoRun_ ? *estabelecimentoDoRun_ : estabelecimento_, empregado_});
    }
    // The rows of a failure over several fields: (content, label) each, same code and kind.
    void Linhas(const char* errwar, const std::string& retorno,
                std::initializer_list<std::pair<std::string, const char*>> campos) {
        for (const auto& [conteudo, lbl] : campos) Linha(errwar, retorno, conteudo, lbl);
    }

private:
    DestinoInconsistencias& destino_;
    std::string tipo_;
    IdentificacaoEstabelecimento estabelecimento_;
    const IdentificacaoEstabelecimento* estabelecimentoDoRun_ = nullptr;
    IdentificacaoEmpregado empregado_;
};

}  // namespace zovi
