#pragma once
// The declaration report "GDZOVI - Relatórios": for the chosen establishments,
// everything declared for them and, in the complete form, for each of their
// employees; in the summary form one line per employee. It prints either the
// declaration tables or the work tables a consultation loaded.
//
// Rows: the establishment table joined on the left with the employee table on
// base year, inscription and prefix, so an establishment without employees
// still prints (without its employee part). Every establishment starts a page;
// a page that goes on with one repeats the employees' column titles.
#include <optional>
#include <string>
#include <vector>

#include "motor/Relatorio.h"

namespace zovi {
class Banco;
}  // namespace zovi

namespace zovi::relatorios {

enum class OrdemEmpregados { PisPasep, Nome, UsoEmpresa };

struct EstabelecimentoEscolhido {
    std::string inscricao;  // 14
    std::string prefixo;    // 2
};

// An employee chosen for a partial report: matched by PIS/PASEP and admission date, and by
// name too when the PIS/PASEP is "00000000000".
struct EmpregadoEscolhido {
    std::string pisPasep;
    std::string admissao;
    std::string nome;
};

struct ParametrosDeclaracao {
    std::string tabelaEstabelecimentos = "BD8Emp";
    std::string tabelaEmpregados = "BD8Vinc";
    std::string anoBase = "2005";
    bool completo = true;
    OrdemEmpregados ordem = OrdemEmpregados::PisPasep;
    bool descendente = false;
    // The establishments to print; empty: every establishment of the base year.
    std::vector<EstabelecimentoEscolhido> estabelecimentos;
    // "Parcial": only these employees (of the one chosen establishment).
    bool parcial = false;
    std::vector<EmpregadoEscolhido> empregados;
};

// The caption of an order ("Código PIS/PASEP", "Nome do empregado", "Para uso da empresa").
QString NomeOrdem(OrdemEmpregados ordem);
// The employee table's field an order sorts on.
std::string CampoOrdem(OrdemEmpregados ordem);
// An amount stored in centavos as printed: blank for zero, else the units and "," and the centavos.
QString ValorRelatorio(const QString& centavos);

// A page range to print: first and last page; 0 and 0 for every page.
struct IntervaloPaginas {
    int de = 0;
    int ate = 0;
    bool operator==(const IntervaloPaginas&) const = default;
};
// The ranges typed as "1;3;5-12;4": only digits, "-" and ";"; single pages and ranges
// separated by ";", each range a first page, "-" and a last page not below it, no page 0.
// Nothing when the text is empty or breaks one of these.
std::optional<std::vector<IntervaloPaginas>> fLeIntervalosPaginas(const std::string& texto);

class TrpRelatorios : public Relatorio {
public:
    TrpRelatorios(Banco& banco, ParametrosDeclaracao parametros, const QString& versao = VersaoPadrao());

    static QString VersaoPadrao();
    const ParametrosDeclaracao& Parametros() const { return p_; }

private:
    std::vector<std::string> Sql() const;
    void MontaCabecalho(const QString& versao);
    void MontaRodape();
    void MontaEstabelecimento();
    void MontaDetalhe();

    ParametrosDeclaracao p_;
};

}  // namespace zovi::relatorios
