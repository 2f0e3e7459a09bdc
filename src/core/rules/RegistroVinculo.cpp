#include "rules/RegistroVinculo.h"

namespace zovi {

const std::array<const char*, vinc::Quantidade> kCamposVinculo = {
    "AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoPisPasepEmpregado",
    "DaAdmissaoEmpregado", "NoEmpregado", "NuSequencialRegistro", "DaNascimentoEmpregado", "CoNacionalidade",
    "AnChegadaEmpregado", "CoInstrucao", "NuCartTrabEmpregado", "CoCpfEmpregado", "CoTipoAdmissao",
    "VaSalContratualEmpregado", "CoTipoSalarioContratual", "HoSemanaisEmpregado", "CoCbo", "CoVinculo",
    "CoCausaDesligamento", "DaDesligamentoEmpregado",
    "VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado", "VaAbrilEmpregado", "VaMaioEmpregado",
    "VaJunhoEmpregado", "VaJulhoEmpregado", "VaAgostoEmpregado", "VaSetembroEmpregado", "VaOutubroEmpregado",
    "VaNovembroEmpregado", "VaDezembroEmpregado",
    "Me13AdiantamentoEmpregado", "Va13AdiantamentoEmpregado", "Me13ParcelaFinalEmpregado",
    "Va13ParcelaFinalEmpregado", "TxUsoEmpregado", "CoTipoRaca", "InDeficienteFisico", "VaAvisoPrevioEmpregado",
    "InAlvaraEmpregado", "InSexo", "CoMotivoPrimAfas", "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas",
    "CoMotivoSeguAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas", "CoMotivoTercAfas", "DaInicioTerceiroAfas",
    "DaFinalTerceiroAfas", "QtDiasAfas", "CoMotivoAfastamento", "CoCNPJSindical", "VaGlobalSindical",
    "CoCNPJPrimAssociativa", "VaGlobalPrimAssociativa", "CoCNPJSegAssociativa", "VaGlobalSegAssociativa",
    "CoCNPJAssistencial", "VaGlobalAssistencial", "CoCNPJConfederativa", "VaGlobalConfederativa",
    "VaGlobalFerias", "VaGlobalMultas", "VaGlobalBcoHoras", "VaGlobalDissidio", "QtCompBcoHoras",
    "QtCompDissidio", "VaGlobalGratificacoes", "QtCompGratificacoes", "CoMunicipioTrabalho",
    "NoMunicipioTrabalho", "SgUfTrabalho",
    "HoTrabalhadasJaneiro", "HoTrabalhadasFevereiro", "HoTrabalhadasMarco", "HoTrabalhadasAbril",
    "HoTrabalhadasMaio", "HoTrabalhadasJunho", "HoTrabalhadasJulho", "HoTrabalhadasAgosto",
    "HoTrabalhadasSetembro", "HoTrabalhadasOutubro", "HoTrabalhadasNovembro", "HoTrabalhadasDezembro"};

}  // namespace zovi
