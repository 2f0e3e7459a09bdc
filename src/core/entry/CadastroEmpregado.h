#pragma once
// Storing, reading and deleting the employees of one establishment, and the
// look-ups the employee form makes against the establishment's other rows.
//
// Invariant kept here: the establishment's NuVinculosEstabelecimento (6 digits)
// and NuEstrangeirosEstabelec (5 digits) equal its employee rows and those of
// them whose nationality is not "10". Every store and delete writes the
// employee row and the two counts in one transaction, so a failure of the
// engine leaves both as they were.
#include <optional>
#include <string>

#include "data/ModulosDados.h"
#include "rules/RegistroVinculo.h"

namespace zovi {

// The establishment whose employees are entered: its key, what the windows show
// of it, and whether it closes its activity in 2006 (reference year 2006).
struct EstabelecimentoEmpregados {
    std::string anoBase, inscricao, tipoInscricao, prefixo, nome;
    bool encerra2006 = false;
};

// The key of one employee row (after the establishment's key).
struct ChaveEmpregado {
    std::string pisPasep, admissao, nome, sequencial;
    bool operator==(const ChaveEmpregado&) const = default;
};
ChaveEmpregado ChaveDe(const RegistroVinculo& r);

struct ContagemEmpregados {
    long empregados = 0, estrangeiros = 0;
};

// A PIS/PASEP made only of zeros identifies nobody: such rows are told apart by name.
bool PisSemNumero(const std::string& pisPasep);

class CadastroEmpregado {
public:
    CadastroEmpregado(TdmEntradaDados& dm, EstabelecimentoEmpregados estabelecimento);

    const EstabelecimentoEmpregados& Estabelecimento() const { return estab_; }

    // The row of the key; nullopt when it is not there.
    std::optional<RegistroVinculo> Le(const ChaveEmpregado& chave);

    // Stores a new row (original empty) or replaces the row of `original`, with the
    // establishment's key written into the record, and rewrites the two counts.
    // Throws ErroMotor on an engine failure (code 9729 when the key already exists);
    // nothing is then changed.
    ContagemEmpregados Grava(RegistroVinculo& registro, const std::optional<ChaveEmpregado>& original);
    // Deletes the row and rewrites the two counts; false when the row was not there.
    bool Exclui(const ChaveEmpregado& chave, ContagemEmpregados* contagem = nullptr);

    // The counts of the stored rows (what Grava and Exclui write).
    ContagemEmpregados Conta();

    // The personal data of another row of the same worker (same PIS/PASEP), to copy
    // into a new one: name, birth date, nationality, arrival year, education, work card,
    // race, disability, sex and CPF; arrival year, work card, CPF and race made only of
    // zeros come back empty. nullopt when the worker has no row yet.
    std::optional<RegistroVinculo> DadosPessoaisDoPis(const std::string& pisPasep);

    // The key of a row with this PIS/PASEP and admission date (and name, when the
    // PIS/PASEP is all zeros); nullopt when there is none.
    std::optional<ChaveEmpregado> MesmaAdmissao(const std::string& pisPasep, const std::string& admissao,
                                                const std::string& nome);

    // How many rows of the same worker carry another birth date.
    long NascimentosDiferentes(const std::string& pisPasep, const std::string& nome, const std::string& nascimento);

private:
    void LigaEstabelecimento(Consulta& q);
    void GravaContagem(const ContagemEmpregados& c);
    bool PosicionaEmpregado(const ChaveEmpregado& chave);
    void Recompoe();

    TdmEntradaDados& dm_;
    EstabelecimentoEmpregados estab_;
};

}  // namespace zovi
