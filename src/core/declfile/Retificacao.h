#pragma once
// The rectification: a declaration already delivered is sent again with the
// corrected data of chosen employees of chosen establishments. The declarant,
// the chosen establishments and their chosen employees are copied from the
// declaration tables into the work tables te8Resp, te8Emp and te8Vinc, from
// which the verification and the writer (R and W on) produce a rectifying file.
// The declaration tables are only read.
#include <string>
#include <vector>

#include "engine/Banco.h"

namespace zovi {

inline constexpr const char* kPisNaoInformado = "00000000000";

// One employee chosen for the rectification, found again by these fields.
struct EmpregadoRetificacao {
    std::string pis;       // CoPisPasepEmpregado (11)
    std::string admissao;  // DaAdmissaoEmpregado (8)
    std::string nome;      // NoEmpregado (30), kept only when the PIS is not informed
    long posicao = -1;     // in the employee list

    EmpregadoRetificacao(std::string pis, std::string admissao, const std::string& nome, long posicao = -1);
};

// One establishment of the base year, in the list's order.
struct EstabelecimentoRetificacao {
    std::string anBase, inscricao, prefixo;
    std::string tipoInscricao, nome, vinculos;  // as the list shows it
    long posicao = -1;
    bool comEmpregados = false;  // its InZoviNegEstabelecimento is "0"
    bool selecionado = false;
    std::vector<EmpregadoRetificacao> escolhidos;  // in the order they were chosen
};

using SelecaoRetificacao = std::vector<EstabelecimentoRetificacao>;

// Every establishment of the base year in inscription and prefix order, none selected.
SelecaoRetificacao fEstabelecimentosRetificacao(Banco& banco, const std::string& anoBase);

// "1301" when no establishment is selected; "1304" when a selected establishment with
// employees has none chosen (`falta` receives its index); "0000" otherwise.
std::string fCriticaSelecaoRetificacao(const SelecaoRetificacao& selecao, size_t* falta = nullptr);

// te8Resp, te8Emp and te8Vinc created empty with the fields and indexes of bd8Resp, bd8Emp
// and bd8Vinc, replacing earlier ones; false when one cannot be created.
bool fCriaTabelasRetificacao(Banco& banco);

// Copies the declarant, the selected establishments and their chosen employees into the
// work tables, all in one transaction: "0000" when copied; "1925" when a row is no longer
// in the declaration tables, "1926" when an employee would be copied twice. On a failure
// the work tables are left as they were.
std::string fCopiaRetificacao(Banco& banco, const SelecaoRetificacao& selecao);

}  // namespace zovi
