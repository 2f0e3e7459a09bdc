#pragma once
// The employee steps of the verification run: the employee's chains of checks
// (CriticaEmpregado.h) applied in the run's order, each failure written as
// inconsistency rows (one per field involved) of record type 2.
#include <string>
#include <string_view>

#include "rules/Inconsistencias.h"
#include "rules/Referencias.h"
#include "rules/RegistroVinculo.h"
#include "rules/Rotulos.h"
#include "rules/VerificaEstabelecimento.h"

namespace zovi {

// Label codes (column `lbl`) of the fields of employee rows, beside the
// establishment's (Rotulos.h) that employee rows reuse.
namespace rotulo {
inline constexpr const char* PisPasep = "1624";
inline constexpr const char* Nome = "1625";
inline constexpr const char* Nascimento = "1626";
inline constexpr const char* Nacionalidade = "1627";
inline constexpr const char* AnoChegada = "1628";
inline constexpr const char* Instrucao = "1629";
inline constexpr const char* CarteiraTrabalho = "1630";
inline constexpr const char* Cpf = "1631";
inline constexpr const char* Admissao = "1632";
inline constexpr const char* TipoAdmissao = "1633";
inline constexpr const char* SalarioContratual = "1634";
inline constexpr const char* TipoSalario = "1635";
inline constexpr const char* HorasSemanais = "1636";
inline constexpr const char* Cbo = "1637";
inline constexpr const char* Vinculo = "1638";
inline constexpr const char* CausaDesligamento = "1639";
inline constexpr const char* Desligamento = "1640";
inline constexpr const char* Mes13Adiantamento = "1653";
inline constexpr const char* Valor13Adiantamento = "1654";
inline constexpr const char* Mes13ParcelaFinal = "1655";
inline constexpr const char* Valor13ParcelaFinal = "1656";
inline constexpr const char* SequencialRegistro = "1662";
inline constexpr const char* SemRemuneracao = "1663";
inline constexpr const char* TotalMensal = "1664";
inline constexpr const char* Total13 = "1665";
inline constexpr const char* RacaCor = "1667";
inline constexpr const char* AvisoPrevio = "3511";
inline constexpr const char* Sexo = "3523";
inline constexpr const char* EncerramentoNoEmpregado = "3618";      // the establishment's InEncerramentoAtividade
inline constexpr const char* DataEncerramentoNoEmpregado = "3619";  // the establishment's DaEncerramentoAtividade
inline constexpr const char* Deficiente = "3620";
inline constexpr const char* Alvara = "3621";
inline constexpr const char* MotivoAfastamento = "3636";
inline constexpr const char* DataAfastamento = "3637";
inline constexpr const char* DiasAfastamento = "3641";
inline constexpr const char* MotivoAfastamentoCruzado = "3642";  // leave motive in a cross-field row
inline constexpr const char* Ferias = "3658";
inline constexpr const char* Multas = "3659";
inline constexpr const char* BancoHoras = "3660";
inline constexpr const char* MesesBancoHoras = "3661";
inline constexpr const char* Dissidio = "3662";
inline constexpr const char* MesesDissidio = "3663";
inline constexpr const char* Gratificacoes = "3664";
inline constexpr const char* MesesGratificacoes = "3665";
inline constexpr const char* HorasMes = "3670";
inline constexpr const char* MunicipioTrabalho = "3671";
// Remuneration of month m (1 to 12): "1641" to "1652".
const char* Remuneracao(int mes);
}  // namespace rotulo

// The employee's reference year Y: "2005", or "2006" for an establishment that
// closes its activity ("1") on a date of another year.
std::string AnoReferenciaEmpregado(std::string_view indicadorEncerramento, std::string_view dataEncerramento);

// Fixed years of some employee checks.
inline constexpr const char* kAnoIdadeVinculo = "2004";   // age limits of the type of employment and of the permit
inline constexpr const char* kAnoIdadeAprendiz = "2005";  // apprentice remuneration

// The two checks of an employee against the other records of the same
// establishment (duplicate employee, birth date of the same worker). The run
// answers them with queries on the employee table and writes their rows
// through the emitter it is given; without them those two steps are skipped.
class ConsultasVinculo {
public:
    virtual ~ConsultasVinculo() = default;
    virtual void VerificaDuplicado(const RegistroVinculo& empregado, EmissorInconsistencias& saida) = 0;
    virtual void VerificaNascimento(const RegistroVinculo& empregado, EmissorInconsistencias& saida) = 0;
};

struct ContextoVerificacaoEmpregado {
    const Referencias& referencias;
    // The presence flag: the work municipality and the union fields must be informed.
    bool exigePreenchimento = false;
    ConsultasVinculo* consultas = nullptr;
    // The establishment's identification on the rows, made once by a run; without it each employee makes it.
    const IdentificacaoEstabelecimento* identificacao = nullptr;
    // The employees' reference year of the establishment, found once by a run; without it each employee finds it.
    const std::string* anoReferencia = nullptr;
};

// Applies the employee steps 1 to 38 to one employee, writing its rows to `destino`.
void pVerificaEmpregado(const RegistroVinculo& empregado, const RegistroEstabelecimento& estabelecimento,
                        const ContextoVerificacaoEmpregado& contexto, DestinoInconsistencias& destino);

}  // namespace zovi
