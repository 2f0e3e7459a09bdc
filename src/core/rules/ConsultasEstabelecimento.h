#pragma once
// The two checks of an employee against the other records of its
// establishment: the same employee recorded twice, and one worker recorded
// with different birth dates.
//
// Asking the employee table twice per employee makes a large establishment
// quadratic. The run reads the employees in key order, where every record of
// one PIS/PASEP comes together: it hands each such group here before checking
// its members, and both checks are answered from the group. Records whose
// PIS/PASEP is all zeros are told apart by name instead, which the key order
// does not keep together; for them two grouped queries per establishment find
// the few names with a problem. The rows are those per-employee queries give.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "engine/Banco.h"
#include "rules/RegistroVinculo.h"
#include "rules/VerificaEmpregado.h"

namespace zovi {

class ConsultasEstabelecimento : public ConsultasVinculo {
public:
    // tabelaEmpregados: "BD8VINC" or "TE8VINC".
    ConsultasEstabelecimento(Banco& banco, std::string tabelaEmpregados)
        : banco_(banco), tabela_(std::move(tabelaEmpregados)) {}

    // A new establishment: forgets what was known of the previous one.
    void Estabelecimento(const std::string& anoBase, const std::string& inscricao, const std::string& prefixo);
    // The records sharing one PIS/PASEP, all of them, before any is checked.
    void Grupo(const std::vector<RegistroVinculo>& grupo, size_t tamanho);

    void VerificaDuplicado(const RegistroVinculo& empregado, EmissorInconsistencias& saida) override;
    void VerificaNascimento(const RegistroVinculo& empregado, EmissorInconsistencias& saida) override;

private:
    struct Contagens {
        // "Person" is "" where the PIS/PASEP tells workers apart, else the zeros and the name.
        std::map<std::pair<std::string, std::string>, long> porAdmissao;    // (admission, person) -> records
        std::map<std::pair<std::string, std::string>, long> porNascimento;  // (person, birth date) -> records
        std::map<std::string, long> porNome;                                // person -> records
    };
    const Contagens& ContagensDe(const RegistroVinculo& e);
    void CarregaZerados();

    Banco& banco_;
    std::string tabela_;
    std::string ano_, inscricao_, prefixo_;
    Contagens grupo_;
    bool sozinho_ = false;  // the group holds one record: grupo_ is left empty
    Contagens zerados_;  // only the names with a problem
    bool zeradosCarregados_ = false;
};

}  // namespace zovi
