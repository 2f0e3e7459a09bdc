#pragma once
// The two checks of an employee against the other records of its
// establishment: the same employee recorded twice, and one worker recorded
// with different birth dates.
//
// Asking the employee table twice per employee makes a large establishment
// quadratic; instead, when an establishment starts, two grouped queries find
// the few groups that have a problem, and each employee is then answered from
// memory. The rows are the same as per-employee queries would give.
#include <map>
#include <string>
#include <tuple>

#include "engine/Banco.h"
#include "rules/RegistroVinculo.h"
#include "rules/VerificaEmpregado.h"

namespace zovi {

class ConsultasEstabelecimento : public ConsultasVinculo {
public:
    // tabelaEmpregados: "BD8VINC" or "TE8VINC".
    ConsultasEstabelecimento(Banco& banco, std::string tabelaEmpregados)
        : banco_(banco), tabela_(std::move(tabelaEmpregados)) {}

    // Prepares the answers for the employees of one establishment.
    void Estabelecimento(const std::string& anoBase, const std::string& inscricao, const std::string& prefixo);

    void VerificaDuplicado(const RegistroVinculo& empregado, EmissorInconsistencias& saida) override;
    void VerificaNascimento(const RegistroVinculo& empregado, EmissorInconsistencias& saida) override;

private:
    // A worker is his PIS/PASEP, and his name too when the PIS/PASEP is all zeros.
    using Pessoa = std::pair<std::string, std::string>;
    static Pessoa PessoaDe(const RegistroVinculo& e);

    Banco& banco_;
    std::string tabela_;
    std::map<std::tuple<std::string, std::string, std::string>, long> duplicados_;  // (pis, admission, name) -> count
    struct Nascimentos {
        long total = 0;
        std::map<std::string, long> porData;
    };
    std::map<Pessoa, Nascimentos> divergentes_;
};

}  // namespace zovi
