#pragma once
// The consultation of a written declaration file: the file is read by the
// structure analyzer into the work tables te8Resp, te8Emp and te8Vinc, and
// everything shown is read from there, never written, and never from the
// declaration tables. What a record shows is given here as captions and
// values (codes explained from the reference tables), once for the windows and
// the terminal alike.
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zovi {

class Banco;
class Interacao;

// Analyses the file for base year 2005 into the work tables; the analyzer's outcome
// (kAnaliseSemFalha, kAnaliseRetificacao: consultable; kAnaliseComFalha: faults in Te8stru).
int fCarregaConsulta(Banco& banco, const std::filesystem::path& arquivo, Interacao& interacao);
// Whether an outcome of fCarregaConsulta left a file that can be consulted.
bool ConsultaCarregada(int resultado);

// A field of the current row by its name.
using LeCampo = std::function<std::string(const std::string&)>;
// One caption and its value as shown.
using Linhas = std::vector<std::pair<std::string, std::string>>;

// The descriptions of codes in the reference tables, all read at once when it is made (before
// the work tables are read, so that no reference table is opened beside them).
class DescricoesReferencia {
public:
    explicit DescricoesReferencia(Banco& banco);
    // "CODE - description", or the code alone when the table does not hold it; blank for a
    // blank code.
    std::string Descreve(const std::string& tabela, const std::string& codigo);

private:
    std::map<std::string, std::map<std::string, std::string>> tabelas_;
};

// An amount of the employee window: a blank amount counts as zeros; the digits as units and
// centavos, formatted "###,##0.00" and right-aligned by spaces as the window lays amounts out;
// a text that is not digits shown as stored.
std::string fFormataValorConsulta(const std::string& valor);
// "(DDD)number-last4", each part only when neither blank nor all zeros.
std::string TelefoneConsulta(const std::string& ddd, const std::string& numero);
// An inscription in the display form of its kind for kinds "1", "3" and "4", else as stored.
std::string InscricaoConsulta(const std::string& inscricao, const std::string& tipo);

Linhas CamposResponsavel(const LeCampo& campo);
Linhas CamposEstabelecimento(const LeCampo& campo, DescricoesReferencia& descricoes);
Linhas CamposEmpregado(const LeCampo& campo, DescricoesReferencia& descricoes);

// The employee grid's statement for an establishment (a blank prefix through "is null").
std::vector<std::string> SqlEmpregadosConsulta(const std::string& prefixo, bool porNome);

// The whole consultation as text lines: the declarant, the establishment grid, then each
// establishment with its employees.
void EscreveConsulta(Banco& banco, const std::function<void(const std::string&)>& linha);

}  // namespace zovi
