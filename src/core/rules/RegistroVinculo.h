#pragma once
// One employee record (a BD8VINC or te8vinc row) as the employee rules read it.
//
// The fields are held in an array indexed by a constant per field, in table
// order, so that a run streaming the employee table fills a record with one
// loop over `kCamposVinculo` (resolve the column positions once, then copy)
// and the rules reach any field without a lookup by name.
#include <array>
#include <string>
#include <string_view>

namespace zovi {

namespace vinc {
enum Campo : int {
    AnBase,
    CoCgcCeiEstabelecimento,
    NuPrefixoEstabelecimento,
    CoPisPasepEmpregado,
    DaAdmissaoEmpregado,
    NoEmpregado,
    NuSequencialRegistro,
    DaNascimentoEmpregado,
    CoNacionalidade,
    AnChegadaEmpregado,
    CoInstrucao,
    NuCartTrabEmpregado,
    CoCpfEmpregado,
    CoTipoAdmissao,
    VaSalContratualEmpregado,
    CoTipoSalarioContratual,
    HoSemanaisEmpregado,
    CoCbo,
    CoVinculo,
    CoCausaDesligamento,
    DaDesligamentoEmpregado,
    VaJaneiroEmpregado,  // ... to VaDezembroEmpregado: twelve consecutive fields
    VaDezembroEmpregado = VaJaneiroEmpregado + 11,
    Me13AdiantamentoEmpregado,
    Va13AdiantamentoEmpregado,
    Me13ParcelaFinalEmpregado,
    Va13ParcelaFinalEmpregado,
    TxUsoEmpregado,
    CoTipoRaca,
    InDeficienteFisico,
    VaAvisoPrevioEmpregado,
    InAlvaraEmpregado,
    InSexo,
    CoMotivoPrimAfas,
    DaInicioprimeiroAfas,
    DaFinalPrimeiroAfas,
    CoMotivoSeguAfas,
    DaInicioSegundoAfas,
    DaFinalSegundoAfas,
    CoMotivoTercAfas,
    DaInicioTerceiroAfas,
    DaFinalTerceiroAfas,
    QtDiasAfas,
    CoMotivoAfastamento,
    CoCNPJSindical,
    VaGlobalSindical,
    CoCNPJPrimAssociativa,
    VaGlobalPrimAssociativa,
    CoCNPJSegAssociativa,
    VaGlobalSegAssociativa,
    CoCNPJAssistencial,
    VaGlobalAssistencial,
    CoCNPJConfederativa,
    VaGlobalConfederativa,
    VaGlobalFerias,
    VaGlobalMultas,
    VaGlobalBcoHoras,
    VaGlobalDissidio,
    QtCompBcoHoras,
    QtCompDissidio,
    VaGlobalGratificacoes,
    QtCompGratificacoes,
    CoMunicipioTrabalho,
    NoMunicipioTrabalho,
    SgUfTrabalho,
    HoTrabalhadasJaneiro,  // ... to HoTrabalhadasDezembro
    HoTrabalhadasDezembro = HoTrabalhadasJaneiro + 11,
    Quantidade
};

// The monthly remuneration and hours fields of month m (1 to 12).
constexpr Campo Remuneracao(int mes) { return static_cast<Campo>(VaJaneiroEmpregado + mes - 1); }
constexpr Campo Horas(int mes) { return static_cast<Campo>(HoTrabalhadasJaneiro + mes - 1); }
}  // namespace vinc

// Table field names, indexed by vinc::Campo.
extern const std::array<const char*, vinc::Quantidade> kCamposVinculo;

struct RegistroVinculo {
    std::array<std::string, vinc::Quantidade> campos;

    const std::string& operator[](vinc::Campo c) const { return campos[c]; }
    std::string& operator[](vinc::Campo c) { return campos[c]; }
};

}  // namespace zovi
