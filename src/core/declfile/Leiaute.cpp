#include "declfile/Leiaute.h"

#include <algorithm>
#include <cstring>

#include "engine/Erros.h"
#include "engine/Tabela.h"

namespace zovi {

namespace {

using F = FormatoCampo;

constexpr const char* kZeros14 = "00000000000000";

// Texto fields read the declarant table in types 0 and 9, the establishment
// table in type 1 and the employee table in type 2.
constexpr CampoLeiaute kCampos[] = {
    // Type 0: header (declarant).
    {'0', 1, 6, F::Literal, nullptr, "000001"},
    {'0', 7, 14, F::Calculado, item::Inscricao, nullptr},  // first establishment of the file
    {'0', 21, 2, F::Calculado, item::Prefixo, nullptr},
    {'0', 23, 1, F::Literal, nullptr, "0"},
    {'0', 24, 1, F::Indicador, "InReciboParaRespArquivo", nullptr},  // "1" when true
    {'0', 25, 14, F::Texto, "CoCgcCeiResponsavel", nullptr},
    {'0', 39, 1, F::Texto, "InInscrResponsavel", nullptr},
    {'0', 40, 40, F::Texto, "NoResponsavelArquivo", nullptr},
    {'0', 80, 40, F::Texto, "EdLogradouroRespArquivo", nullptr},
    {'0', 120, 6, F::Texto, "NuLogradouroRespArquivo", nullptr},
    {'0', 126, 21, F::Texto, "TxComplementoRespArquivo", nullptr},
    {'0', 147, 19, F::Texto, "NoBairroRespArquivo", nullptr},
    {'0', 166, 8, F::Texto, "CoCepRespArquivo", nullptr},
    {'0', 174, 7, F::Texto, "CoMunicipioRespArquivo", nullptr},
    {'0', 181, 30, F::Texto, "NoMunicipioRespArquivo", nullptr},
    {'0', 211, 2, F::Texto, "SgUfRespArquivo", nullptr},
    {'0', 213, 2, F::Texto, "NuFoneDDD", nullptr},
    {'0', 215, 8, F::Texto, "NuFoneAssinante", nullptr},
    {'0', 223, 1, F::Indicador, item::Retificacao, nullptr},  // "1" for a rectifying declaration
    {'0', 224, 8, F::Calculado, item::DataRetificacao, nullptr},
    {'0', 232, 8, F::Calculado, item::DataGeracao, nullptr},
    {'0', 240, 45, F::Texto, "TxEMailRespArquivo", nullptr},
    {'0', 285, 3, F::Literal, nullptr, "V01"},
    {'0', 288, 6, F::Calculado, item::HoraGravacao, nullptr},
    {'0', 294, 230, F::Brancos, nullptr, nullptr},

    // Type 1: establishment.
    {'1', 1, 6, F::Contador, item::Sequencial, nullptr},
    {'1', 7, 14, F::Texto, "CoCgcCeiEstabelecimento", nullptr},
    {'1', 21, 2, F::Texto, "NuPrefixoEstabelecimento", nullptr},
    {'1', 23, 1, F::Literal, nullptr, "1"},
    {'1', 24, 52, F::Texto, "NoRazaoEstabelecimento", nullptr},
    {'1', 76, 40, F::Texto, "EdEstabelecimento", nullptr},
    {'1', 116, 6, F::Texto, "NuEnderecoEstabelecimento", nullptr},
    {'1', 122, 21, F::Texto, "TxComplemEstabelecimento", nullptr},
    {'1', 143, 19, F::Texto, "NoBairroEstabelecimento", nullptr},
    {'1', 162, 8, F::Texto, "CoCepEstabelecimento", nullptr},
    {'1', 170, 7, F::Texto, "CoMunicipio", nullptr},
    {'1', 177, 30, F::Texto, "NoMunicEstabelecimento", nullptr},
    {'1', 207, 2, F::Texto, "SgUf", nullptr},
    {'1', 209, 2, F::Texto, "NuDDD", nullptr},
    {'1', 211, 8, F::Texto, "NuTelefone", nullptr},
    {'1', 219, 45, F::Texto, "TxEmailEstabelecimento", nullptr},
    {'1', 264, 5, F::Texto, "CoCnae", nullptr},
    {'1', 269, 4, F::Texto, "CoNaturezaJuridica", nullptr},
    {'1', 273, 2, F::Texto, "NuProprietEstabelecimento", nullptr},
    {'1', 275, 2, F::Texto, "MeDataBase", nullptr},
    {'1', 277, 1, F::Texto, "InInscrEstabelecimento", nullptr},
    {'1', 278, 1, F::Texto, "InZoviNegEstabelecimento", nullptr},
    {'1', 279, 14, F::Texto, "CoCgcVinculado", nullptr},
    {'1', 293, 4, F::Literal, nullptr, "2005"},
    {'1', 297, 1, F::Texto, "InPorte", nullptr},
    {'1', 298, 1, F::Texto, "InOptanteSimples", nullptr},
    {'1', 299, 1, F::Texto, "InParticipaPAT", nullptr},
    {'1', 300, 6, F::Texto, "NuVinculoPatMenor5", "000000"},
    {'1', 306, 6, F::Texto, "NuVinculoPatMaior5", "000000"},
    {'1', 312, 3, F::Texto, "PoServicoProprio", "000"},
    {'1', 315, 3, F::Texto, "PoAdmCozinha", "000"},
    {'1', 318, 3, F::Texto, "PoRefeicaoConvenio", "000"},
    {'1', 321, 3, F::Texto, "PoRefeicaoTransportadora", "000"},
    {'1', 324, 3, F::Texto, "PoCestaAlimento", "000"},
    {'1', 327, 3, F::Texto, "PoAlimentacaoConvenio", "000"},
    {'1', 330, 1, F::Indicador, "InEncerramentoAtividade", nullptr},  // "1" when it holds "1"
    {'1', 331, 8, F::Texto, "DaEncerramentoAtividade", "00000000"},
    {'1', 339, 14, F::Texto, "CoCNPJAssociativa", kZeros14},
    {'1', 353, 8, F::Dinheiro, "VaGlobalAssociativa", "00000000"},
    {'1', 361, 14, F::Texto, "CoCNPJSindical", kZeros14},
    {'1', 375, 8, F::Dinheiro, "VaGlobalSindical", "00000000"},
    {'1', 383, 14, F::Texto, "CoCNPJAssistencial", kZeros14},
    {'1', 397, 8, F::Dinheiro, "VaGlobalAssistencial", "00000000"},
    {'1', 405, 14, F::Texto, "CoCNPJConfederativa", kZeros14},
    {'1', 419, 8, F::Dinheiro, "VaGlobalConfederativa", "00000000"},
    {'1', 427, 1, F::Texto, "InAtividadeAnoBase", nullptr},
    {'1', 428, 84, F::Brancos, nullptr, nullptr},
    {'1', 512, 12, F::Texto, "TxUsoEstabelecimento", nullptr},

    // Type 2: employment relationship.
    {'2', 1, 6, F::Contador, item::Sequencial, nullptr},
    {'2', 7, 14, F::Calculado, item::Inscricao, nullptr},
    {'2', 21, 2, F::Calculado, item::Prefixo, nullptr},
    {'2', 23, 1, F::Literal, nullptr, "2"},
    {'2', 24, 11, F::Texto, "CoPisPasepEmpregado", nullptr},
    {'2', 35, 30, F::Texto, "NoEmpregado", nullptr},
    {'2', 65, 8, F::Texto, "DaNascimentoEmpregado", nullptr},
    {'2', 73, 2, F::Texto, "CoNacionalidade", nullptr},
    {'2', 75, 4, F::Texto, "AnChegadaEmpregado", nullptr},
    {'2', 79, 1, F::Texto, "CoInstrucao", nullptr},
    {'2', 80, 11, F::Texto, "CoCpfEmpregado", nullptr},
    {'2', 91, 11, F::Texto, "NuCartTrabEmpregado", nullptr},
    {'2', 102, 8, F::Texto, "DaAdmissaoEmpregado", nullptr},
    {'2', 110, 1, F::Texto, "CoTipoAdmissao", nullptr},
    {'2', 111, 9, F::Dinheiro, "VaSalContratualEmpregado", nullptr},
    {'2', 120, 1, F::Texto, "CoTipoSalarioContratual", nullptr},
    {'2', 121, 2, F::Texto, "HoSemanaisEmpregado", nullptr},
    {'2', 123, 6, F::Texto, "CoCbo", nullptr},
    {'2', 129, 2, F::Texto, "CoVinculo", nullptr},
    {'2', 131, 2, F::Texto, "CoCausaDesligamento", nullptr},
    {'2', 133, 4, F::Texto, "DaDesligamentoEmpregado", nullptr},
    {'2', 137, 9, F::Dinheiro, "VaJaneiroEmpregado", nullptr},
    {'2', 146, 9, F::Dinheiro, "VaFevereiroEmpregado", nullptr},
    {'2', 155, 9, F::Dinheiro, "VaMarcoEmpregado", nullptr},
    {'2', 164, 9, F::Dinheiro, "VaAbrilEmpregado", nullptr},
    {'2', 173, 9, F::Dinheiro, "VaMaioEmpregado", nullptr},
    {'2', 182, 9, F::Dinheiro, "VaJunhoEmpregado", nullptr},
    {'2', 191, 9, F::Dinheiro, "VaJulhoEmpregado", nullptr},
    {'2', 200, 9, F::Dinheiro, "VaAgostoEmpregado", nullptr},
    {'2', 209, 9, F::Dinheiro, "VaSetembroEmpregado", nullptr},
    {'2', 218, 9, F::Dinheiro, "VaOutubroEmpregado", nullptr},
    {'2', 227, 9, F::Dinheiro, "VaNovembroEmpregado", nullptr},
    {'2', 236, 9, F::Dinheiro, "VaDezembroEmpregado", nullptr},
    {'2', 245, 9, F::Dinheiro, "Va13AdiantamentoEmpregado", nullptr},
    {'2', 254, 2, F::Texto, "Me13AdiantamentoEmpregado", nullptr},
    {'2', 256, 9, F::Dinheiro, "Va13ParcelaFinalEmpregado", nullptr},
    {'2', 265, 2, F::Texto, "Me13ParcelaFinalEmpregado", nullptr},
    {'2', 267, 1, F::Texto, "CoTipoRaca", "9"},
    {'2', 268, 1, F::Texto, "InDeficienteFisico", nullptr},
    {'2', 269, 1, F::Texto, "InAlvaraEmpregado", nullptr},
    {'2', 270, 9, F::Dinheiro, "VaAvisoPrevioEmpregado", nullptr},
    {'2', 279, 1, F::Texto, "InSexo", nullptr},
    {'2', 280, 2, F::Texto, "CoMotivoPrimAfas", nullptr},
    {'2', 282, 4, F::Texto, "DaInicioprimeiroAfas", nullptr},
    {'2', 286, 4, F::Texto, "DaFinalPrimeiroAfas", nullptr},
    {'2', 290, 2, F::Texto, "CoMotivoSeguAfas", nullptr},
    {'2', 292, 4, F::Texto, "DaInicioSegundoAfas", nullptr},
    {'2', 296, 4, F::Texto, "DaFinalSegundoAfas", nullptr},
    {'2', 300, 2, F::Texto, "CoMotivoTercAfas", nullptr},
    {'2', 302, 4, F::Texto, "DaInicioTerceiroAfas", nullptr},
    {'2', 306, 4, F::Texto, "DaFinalTerceiroAfas", nullptr},
    {'2', 310, 3, F::Texto, "QtDiasAfas", nullptr},
    {'2', 313, 8, F::Dinheiro, "VaGlobalFerias", nullptr},
    {'2', 321, 8, F::Dinheiro, "VaGlobalBcoHoras", nullptr},
    {'2', 329, 2, F::Texto, "QtCompBcoHoras", nullptr},
    {'2', 331, 8, F::Dinheiro, "VaGlobalDissidio", nullptr},
    {'2', 339, 2, F::Texto, "QtCompDissidio", nullptr},
    {'2', 341, 8, F::Dinheiro, "VaGlobalGratificacoes", nullptr},
    {'2', 349, 2, F::Texto, "QtCompGratificacoes", nullptr},
    {'2', 351, 8, F::Dinheiro, "VaGlobalMultas", nullptr},
    {'2', 359, 14, F::Texto, "CoCNPJPrimAssociativa", kZeros14},
    {'2', 373, 8, F::Dinheiro, "VaGlobalPrimAssociativa", nullptr},
    {'2', 381, 14, F::Texto, "CoCNPJSegAssociativa", kZeros14},
    {'2', 395, 8, F::Dinheiro, "VaGlobalSegAssociativa", "00000000"},
    {'2', 403, 14, F::Texto, "CoCNPJSindical", kZeros14},
    {'2', 417, 8, F::Dinheiro, "VaGlobalSindical", nullptr},
    {'2', 425, 14, F::Texto, "CoCNPJAssistencial", kZeros14},
    {'2', 439, 8, F::Dinheiro, "VaGlobalAssistencial", nullptr},
    {'2', 447, 14, F::Texto, "CoCNPJConfederativa", kZeros14},
    {'2', 461, 8, F::Dinheiro, "VaGlobalConfederativa", nullptr},
    {'2', 469, 7, F::Texto, "CoMunicipioTrabalho", "0000000"},
    {'2', 476, 3, F::Texto, "HoTrabalhadasJaneiro", "000"},
    {'2', 479, 3, F::Texto, "HoTrabalhadasFevereiro", "000"},
    {'2', 482, 3, F::Texto, "HoTrabalhadasMarco", "000"},
    {'2', 485, 3, F::Texto, "HoTrabalhadasAbril", "000"},
    {'2', 488, 3, F::Texto, "HoTrabalhadasMaio", "000"},
    {'2', 491, 3, F::Texto, "HoTrabalhadasJunho", "000"},
    {'2', 494, 3, F::Texto, "HoTrabalhadasJulho", "000"},
    {'2', 497, 3, F::Texto, "HoTrabalhadasAgosto", "000"},
    {'2', 500, 3, F::Texto, "HoTrabalhadasSetembro", "000"},
    {'2', 503, 3, F::Texto, "HoTrabalhadasOutubro", "000"},
    {'2', 506, 3, F::Texto, "HoTrabalhadasNovembro", "000"},
    {'2', 509, 3, F::Texto, "HoTrabalhadasDezembro", "000"},
    {'2', 512, 12, F::Texto, "TxUsoEmpregado", nullptr},

    // Type 9: trailer.
    {'9', 1, 6, F::Contador, item::Sequencial, nullptr},  // equals the number of records in the file
    {'9', 7, 14, F::Calculado, item::Inscricao, nullptr},  // last establishment of the file
    {'9', 21, 2, F::Calculado, item::Prefixo, nullptr},
    {'9', 23, 1, F::Literal, nullptr, "9"},
    {'9', 24, 6, F::Contador, item::QtTipo1, nullptr},
    {'9', 30, 6, F::Contador, item::QtTipo2, nullptr},
    {'9', 36, 6, F::Contador, item::QtPrefixo, nullptr},
    {'9', 42, 6, F::Calculado, item::Estatistica, nullptr},
    {'9', 48, 48, F::Texto, "NuRespostaPesquisa", nullptr},
    {'9', 96, 396, F::Brancos, nullptr, nullptr},
    {'9', 492, 32, F::Calculado, item::Selo, nullptr},  // spaces until the file is sealed
};

}  // namespace

std::span<const CampoLeiaute> CamposLeiaute() { return kCampos; }

std::span<const CampoLeiaute> CamposLeiaute(char tipo) {
    std::span<const CampoLeiaute> todos = kCampos;
    auto ini = std::find_if(todos.begin(), todos.end(), [&](const CampoLeiaute& c) { return c.tipo == tipo; });
    auto fim = std::find_if(ini, todos.end(), [&](const CampoLeiaute& c) { return c.tipo != tipo; });
    return {ini, fim};
}

void PoeCampo(char* destino, std::string_view valor, int largura) {
    const size_t n = std::min(valor.size(), static_cast<size_t>(largura));
    for (size_t i = 0; i < n; ++i) {
        char c = valor[i];
        destino[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    std::memset(destino + n, ' ', static_cast<size_t>(largura) - n);
}

std::string fFormataCampo(std::string_view valor, int largura) {
    std::string s(static_cast<size_t>(largura), ' ');
    PoeCampo(s.data(), valor, largura);
    return s;
}

std::string fFormataCampo(const Tabela& tabela, const std::string& campo) {
    const DefCampo* def = tabela.Definicao().Campo(campo);
    if (!def) throw ErroBanco("Campo '" + campo + "' não encontrado na tabela " + tabela.Nome());
    return fFormataCampo(tabela.Texto(campo), def->largura);
}

bool EmBranco(std::string_view valor) { return valor.find_first_not_of(' ') == std::string_view::npos; }

void PoeCampoLeiaute(char* registro, const CampoLeiaute& campo, std::string_view valor) {
    char* destino = registro + campo.posicao - 1;
    if (campo.padrao && EmBranco(valor))
        std::memcpy(destino, campo.padrao, static_cast<size_t>(campo.largura));
    else
        PoeCampo(destino, valor, campo.largura);
}

}  // namespace zovi
