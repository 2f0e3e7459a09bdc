#pragma once
// One employee record (a BD8VINC or te8vinc row) as the employee rules read it.
//
// A plain struct whose members carry the table's field names, like the
// establishment record: a run streaming the employee table fills one per row
// with LeVinculo (resolving nothing by hand), and tests build them directly.
#include <string>
#include <utility>
#include <vector>

namespace zovi {

struct RegistroVinculo {
    std::string AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado,
        DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, DaNascimentoEmpregado, CoNacionalidade,
        AnChegadaEmpregado, CoInstrucao, NuCartTrabEmpregado, CoCpfEmpregado, CoTipoAdmissao,
        VaSalContratualEmpregado, CoTipoSalarioContratual, HoSemanaisEmpregado, CoCbo, CoVinculo,
        CoCausaDesligamento, DaDesligamentoEmpregado, VaJaneiroEmpregado, VaFevereiroEmpregado,
        VaMarcoEmpregado, VaAbrilEmpregado, VaMaioEmpregado, VaJunhoEmpregado, VaJulhoEmpregado,
        VaAgostoEmpregado, VaSetembroEmpregado, VaOutubroEmpregado, VaNovembroEmpregado, VaDezembroEmpregado,
        Me13AdiantamentoEmpregado, Va13AdiantamentoEmpregado, Me13ParcelaFinalEmpregado,
        Va13ParcelaFinalEmpregado, TxUsoEmpregado, CoTipoRaca, InDeficienteFisico, VaAvisoPrevioEmpregado,
        InAlvaraEmpregado, InSexo, CoMotivoPrimAfas, DaInicioprimeiroAfas, DaFinalPrimeiroAfas,
        CoMotivoSeguAfas, DaInicioSegundoAfas, DaFinalSegundoAfas, CoMotivoTercAfas, DaInicioTerceiroAfas,
        DaFinalTerceiroAfas, QtDiasAfas, CoMotivoAfastamento, CoCNPJSindical, VaGlobalSindical,
        CoCNPJPrimAssociativa, VaGlobalPrimAssociativa, CoCNPJSegAssociativa, VaGlobalSegAssociativa,
        CoCNPJAssistencial, VaGlobalAssistencial, CoCNPJConfederativa, VaGlobalConfederativa, VaGlobalFerias,
        VaGlobalMultas, VaGlobalBcoHoras, VaGlobalDissidio, QtCompBcoHoras, QtCompDissidio,
        VaGlobalGratificacoes, QtCompGratificacoes, CoMunicipioTrabalho, NoMunicipioTrabalho, SgUfTrabalho,
        HoTrabalhadasJaneiro, HoTrabalhadasFevereiro, HoTrabalhadasMarco, HoTrabalhadasAbril,
        HoTrabalhadasMaio, HoTrabalhadasJunho, HoTrabalhadasJulho, HoTrabalhadasAgosto, HoTrabalhadasSetembro,
        HoTrabalhadasOutubro, HoTrabalhadasNovembro, HoTrabalhadasDezembro;
};

// Every field of the record with its table field name, in table order.
using CampoVinculo = std::pair<const char*, std::string RegistroVinculo::*>;
const std::vector<CampoVinculo>& CamposVinculo();

// The monthly remuneration and hours fields, January first.
using MembroVinculo = std::string RegistroVinculo::*;
extern const MembroVinculo kRemuneracoesVinculo[12];
extern const MembroVinculo kHorasVinculo[12];

// Reads the record the source is positioned on. `Fonte` is anything with
// Texto(name): Tabela, Consulta.
template <class Fonte>
RegistroVinculo LeVinculo(const Fonte& fonte) {
    RegistroVinculo r;
    for (const auto& [nome, membro] : CamposVinculo()) r.*membro = fonte.Texto(nome);
    return r;
}

}  // namespace zovi
