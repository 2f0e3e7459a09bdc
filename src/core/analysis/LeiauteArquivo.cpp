#include "analysis/LeiauteArquivo.h"

#include <cstring>
#include <stdexcept>

#include "declfile/Leiaute.h"

namespace zovi {

namespace {

// A slot of a record: its caption and the field of the layout table it reads,
// named by the field's source (table field, counter or computed item) or, for
// a literal, by its content. `salto` skips leading characters of that field.
struct Slot {
    int numero;
    const char* legenda;
    const char* campo;  // nullptr: the slot has a caption but no place in the record
    int salto = 0;
};

constexpr Slot kTipoZero[] = {
    {1, "Sequencial", "000001"},
    {2, "CGC/CEI/CNPJ", item::Inscricao},
    {3, "Prefixo", item::Prefixo},
    {4, "Tipo", "0"},
    {5, "InReciboDefinitivo", "InReciboParaRespArquivo"},
    {6, "CGC/CEI/CNPJResp", "CoCgcCeiResponsavel"},
    {7, "TipoInscricao", "InInscrResponsavel"},
    {8, "Nome/Firma/Razão Social", "NoResponsavelArquivo"},
    {9, "Endereco do Responsavel", "EdLogradouroRespArquivo"},
    {10, "Numero", "NuLogradouroRespArquivo"},
    {11, "Complemento", "TxComplementoRespArquivo"},
    {12, "Bairro", "NoBairroRespArquivo"},
    {13, "CEP", "CoCepRespArquivo"},
    {14, "Codigo do Municipio", "CoMunicipioRespArquivo"},
    {15, "Nome do Municipio", "NoMunicipioRespArquivo"},
    {16, "UF", "SgUfRespArquivo"},
    {17, "DDDTelefone", "NuFoneDDD"},
    {18, "NuTelefone", "NuFoneAssinante"},
    {20, "Indicador de Retificação", item::Retificacao},
    {21, "Data de Retificação", item::DataRetificacao},
    {22, "Data de geracao do arquivo", item::DataGeracao},
    {23, "e-mail do responsavel", "TxEMailRespArquivo"},
    {24, "Hora de geração do arquivo", item::HoraGravacao},
};

constexpr Slot kTipoUm[] = {
    {1, "Sequencial", item::Sequencial},
    {2, "CNPJ/CEI", "CoCgcCeiEstabelecimento"},
    {3, "Prefixo", "NuPrefixoEstabelecimento"},
    {4, "Tipo", "1"},
    {5, "Nome/Firma/Razão Social", "NoRazaoEstabelecimento"},
    {6, "Endereco", "EdEstabelecimento"},
    {7, "Numero", "NuEnderecoEstabelecimento"},
    {8, "Complemento", "TxComplemEstabelecimento"},
    {9, "Bairro", "NoBairroEstabelecimento"},
    {10, "CEP", "CoCepEstabelecimento"},
    {11, "Código do Município", "CoMunicipio"},
    {12, "Nome do Municipio", "NoMunicEstabelecimento"},
    {13, "Sigla da UF", "SgUf"},
    {14, "DDD do Telefone", "NuDDD"},
    {15, "Número do Telefone", "NuTelefone"},
    {16, "CNAE", "CoCnae"},
    {17, "Natureza Jurídica", "CoNaturezaJuridica"},
    {18, "Número de Proprietarios", "NuProprietEstabelecimento"},
    {19, "Data Base", "MeDataBase"},
    {20, "Tipo de inscrição do estabelecimento", "InInscrEstabelecimento"},
    {21, "Tipo de ZOVI", "InZoviNegEstabelecimento"},
    // The linked CEI: the 12 digits behind the "00" that the stored value starts with.
    {22, "Matrícula CEI vinculada a uma inscrição CNPJ", "CoCgcVinculado", 2},
    {23, "2005", "2005"},
    {24, "PAT", "InParticipaPAT"},
    {27, "Optante pelo Simples", "InOptanteSimples"},
    {28, "Reservado para informação de uso exclusivo da empresa", "TxUsoEstabelecimento"},
    {29, "Vinculos do PAT até 5 salarios minimos", "NuVinculoPatMenor5"},
    {30, "Vinculos do PAT acima de 5 salarios minimos", "NuVinculoPatMaior5"},
    {31, "% Empregados serviço próprio", "PoServicoProprio"},
    {32, "% Empregados Administração Cozinha", "PoAdmCozinha"},
    {33, "% Empregados Refeição Convenio", "PoRefeicaoConvenio"},
    {34, "% Empregados Refeição Transportadora", "PoRefeicaoTransportadora"},
    {35, "% Empregados Cesta Alimento", "PoCestaAlimento"},
    {36, "% Empregados Alimentação Convenio", "PoAlimentacaoConvenio"},
    {37, "Indicador Encerramento Atividade", "InEncerramentoAtividade"},
    {38, "Data Encerramento Atividade", "DaEncerramentoAtividade"},
    {39, "Porte da Empresa", "InPorte"},
    {40, "E-mail do Estabelecimento", "TxEmailEstabelecimento"},
    {41, "CNPJ da entidade sindical pátronal beneficiada pela contribuição associativa", "CoCNPJAssociativa"},
    {42, "Valor global acumulado e repassado como contribuição associativa", "VaGlobalAssociativa"},
    {43, "CNPJ da entidade sindical pátronal beneficiada pela contribuição sindical", "CoCNPJSindical"},
    {44, "Valor global acumulado e repassado como contribuição sindical", "VaGlobalSindical"},
    {45, "CNPJ da entidade sindical patronal beneficiada pelas contribuições da negociação coletiva (assistencial)",
     "CoCNPJAssistencial"},
    {46, "Valor global acumulado e repassado como contribuição prevista na negociação coletiva (assistencial)",
     "VaGlobalAssistencial"},
    {47, "CNPJ da entidade sindical patronal beneficiada pelas contribuições da negociação coletiva (confederativa)",
     "CoCNPJConfederativa"},
    {48, "Valor global acumulado e repassado como contribuição prevista na negociação coletiva (confederativa)",
     "VaGlobalConfederativa"},
    {49, "Esteve em Atividade no ano base", "InAtividadeAnoBase"},
};

constexpr Slot kTipoDois[] = {
    {1, "Sequencial", item::Sequencial},
    {2, "Inscricao", item::Inscricao},
    {3, "Prefixo", item::Prefixo},
    {4, "Tipo", "2"},
    {5, "Código PIS/PASEP", "CoPisPasepEmpregado"},
    {6, "Nome do Empregado", "NoEmpregado"},
    {7, "Data de Nascimento(ddmmaaaa)", "DaNascimentoEmpregado"},
    {8, "Nacionalidade", "CoNacionalidade"},
    {9, "Ano de chegada no país (aaaa)", "AnChegadaEmpregado"},
    {10, "Grau de instrução", "CoInstrucao"},
    {11, "CPF", "CoCpfEmpregado"},
    // Number and series of the work card are one field of 11 characters, read through slot 12.
    {12, "Carteira de Trabalho(Série)", "NuCartTrabEmpregado"},
    {13, "Carteira de Trabalho(Número)", nullptr},
    {14, "Data de Admissão/Data de Transferência(ddmmaaaa)", "DaAdmissaoEmpregado"},
    {15, "Tipo de Admissão", "CoTipoAdmissao"},
    {16, "Salário Contratual(valor com centavos)", "VaSalContratualEmpregado"},
    {17, "Tipo de Salário Contratual", "CoTipoSalarioContratual"},
    {18, "Horas semanais", "HoSemanaisEmpregado"},
    {19, "CBO", "CoCbo"},
    {20, "Vínculo", "CoVinculo"},
    {21, "Código de desligamento", "CoCausaDesligamento"},
    {22, "Data do desligamento(ddmm)", "DaDesligamentoEmpregado"},
    {23, "Remuneracao JANEIRO(valor com centavos)", "VaJaneiroEmpregado"},
    {24, "Remuneracao FEVEREIRO(valor com centavos)", "VaFevereiroEmpregado"},
    {25, "Remuneracao MARÇO(valor com centavos)", "VaMarcoEmpregado"},
    {26, "Remuneracao ABRIL(valor com centavos)", "VaAbrilEmpregado"},
    {27, "Remuneracao MAIO(valor com centavos)", "VaMaioEmpregado"},
    {28, "Remuneracao JUNHO(valor com centavos)", "VaJunhoEmpregado"},
    {29, "Remuneracao JULHO(valor com centavos)", "VaJulhoEmpregado"},
    {30, "Remuneracao AGOSTO(valor com centavos)", "VaAgostoEmpregado"},
    {31, "Remuneracao SETEMBRO(valor com centavos)", "VaSetembroEmpregado"},
    {32, "Remuneracao OUTUBRO(valor com centavos)", "VaOutubroEmpregado"},
    {33, "Remuneracao NOVEMBRO(valor com centavos)", "VaNovembroEmpregado"},
    {34, "Remuneracao DEZEMBRO(valor com centavos)", "VaDezembroEmpregado"},
    {35, "Remuneracao 13o ADIANTAMENTO(valor com centavos)", "Va13AdiantamentoEmpregado"},
    {36, "Mês de pagamento 13o ADIANTAMENTO", "Me13AdiantamentoEmpregado"},
    {37, "Remuneracao 13o FINAL(valor com centavos)", "Va13ParcelaFinalEmpregado"},
    {38, "Mês de pagamento 13o FINAL", "Me13ParcelaFinalEmpregado"},
    {39, "Raça/Cor", "CoTipoRaca"},
    {40, "Defeciente físico", "InDeficienteFisico"},
    {41, "Reservado para informação de uso exclusivo da empresa", "TxUsoEmpregado"},
    {42, "Aviso Previo Indenizado", "VaAvisoPrevioEmpregado"},
    {43, "Alvara", "InAlvaraEmpregado"},
    {44, "Sexo", "InSexo"},
    {45, "Motivo Primeiro Afastamento", "CoMotivoPrimAfas"},
    {46, "Data Inicio Primeiro Afastamento", "DaInicioprimeiroAfas"},
    {47, "Data Final Primeiro Afastamento", "DaFinalPrimeiroAfas"},
    {48, "Motivo Segundo Afastamento", "CoMotivoSeguAfas"},
    {49, "Data Inicio Segundo Afastamento", "DaInicioSegundoAfas"},
    {50, "Data Final Segundo Afastamento", "DaFinalSegundoAfas"},
    {51, "Motivo Terceiro Afastamento", "CoMotivoTercAfas"},
    {52, "Data Inicio Terceiro Afastamento", "DaInicioTerceiroAfas"},
    {53, "Data Final Terceiro Afastamento", "DaFinalTerceiroAfas"},
    {54, "Quant Dias Afastamento", "QtDiasAfas"},
    {55, "Valores das férias recebidas na rescisão do contrato de trabalho.", "VaGlobalFerias"},
    {56, "Valores de horas-estras prestadas durante todo o contrato de trabalho que não foram pagas.",
     "VaGlobalBcoHoras"},
    {57, "Quantitativo de competências(meses) que ocorreu o fato gerador(horas-extras).", "QtCompBcoHoras"},
    {58, "Acréscimo salarial negociado na data base da categoria a que pertence o empregado.", "VaGlobalDissidio"},
    {59, "Quantitativo de competências(meses) que ocorreu o fato gerador (dissídio coletivo).", "QtCompDissidio"},
    {60, "Valores de outras gratificações provenientes do contrato de trabalho ou de negociação.",
     "VaGlobalGratificacoes"},
    {61, "Quantitativo de competências(meses) que ocorreu o fato gerador (outras gratificações).",
     "QtCompGratificacoes"},
    {62, "Valores da multa por rescisão de contrato de trabalho sem justa causa.", "VaGlobalMultas"},
    {63, "CNPJ da primeira entidade sindical de empregados beneficiada com a contribuição associativa.",
     "CoCNPJPrimAssociativa"},
    {64, "Valor global acumulado no ano-base e repassado a título de contribuição associativa.",
     "VaGlobalPrimAssociativa"},
    {65, "CNPJ da segunda entidade sindical de empregados beneficiado com a contribuição associativa.",
     "CoCNPJSegAssociativa"},
    {66, "Valor global acumulado no ano-base e repassado a título de contribuição associativa.",
     "VaGlobalSegAssociativa"},
    {67, "CNPJ da entidade sindical de empregados beneficiado com a contribuição sindical.", "CoCNPJSindical"},
    {68, "Valor global acumulado no ano-base e repassado a título de contribuição sindical.", "VaGlobalSindical"},
    {69, "CNPJ da entidade sindical de empregados beneficiada com a contribuição da negociação coletiva(assistencial).",
     "CoCNPJAssistencial"},
    {70, "Valor global acumulado no ano-base e repassado a título de contribuição coletiva(assistencial).",
     "VaGlobalAssistencial"},
    {71, "CNPJ da entidade sindical de empregados beneficiada com a contribuição coletiva(confederativa).",
     "CoCNPJConfederativa"},
    {72, "Valor global acumulado no ano-base e repassado a título de contribuição da negociação coletiva(confederativa).",
     "VaGlobalConfederativa"},
    {73, "Código do município onde o empregado esteja trabalhando ou prestando serviço", "CoMunicipioTrabalho"},
    {74, "Horas trabalhadas Janeiro", "HoTrabalhadasJaneiro"},
    {75, "Horas trabalhadas Fevereiro", "HoTrabalhadasFevereiro"},
    {76, "Horas trabalhadas Março", "HoTrabalhadasMarco"},
    {77, "Horas trabalhadas Abril", "HoTrabalhadasAbril"},
    {78, "Horas trabalhadas Maio", "HoTrabalhadasMaio"},
    {79, "Horas trabalhadas Junho", "HoTrabalhadasJunho"},
    {80, "Horas trabalhadas Julho", "HoTrabalhadasJulho"},
    {81, "Horas trabalhadas Agosto", "HoTrabalhadasAgosto"},
    {82, "Horas trabalhadas Setembro", "HoTrabalhadasSetembro"},
    {83, "Horas trabalhadas Outubro", "HoTrabalhadasOutubro"},
    {84, "Horas trabalhadas Novembro", "HoTrabalhadasNovembro"},
    {85, "Horas trabalhadas Dezembro", "HoTrabalhadasDezembro"},
};

constexpr Slot kTipoNove[] = {
    {1, "Sequencial", item::Sequencial},
    {2, "Inscricao CNPJ/CEI do último", item::Inscricao},
    {3, "Prefixo do último", item::Prefixo},
    {4, "Tipo", "9"},
    {5, "Total de registros do tipo 1", item::QtTipo1},
    {6, "Total de registros do tipo 2", item::QtTipo2},
    {7, "Total de prefixos diferentes de 00 - ZeroZero", item::QtPrefixo},
    {8, "Estatística", item::Estatistica},
    {9, "Pesquisa", "NuRespostaPesquisa"},
    {10, "Hashcode", item::Selo},
};

// The previous year's records are 350 characters: the fields that lay beyond
// that moved or are absent.
struct Diferenca {
    char tipo;
    int primeiro, ultimo;  // slots
    int posicao, tamanho;  // 0, 0: not loaded
    const char* legenda;   // nullptr: the caption stays
};

constexpr Diferenca kDiferencasAnterior[] = {
    {'1', 23, 23, 293, 4, "2004"},
    {'1', 28, 28, 339, 12, nullptr},
    {'1', 41, 49, 0, 0, nullptr},
    {'2', 41, 41, 339, 12, nullptr},
    {'2', 55, 85, 0, 0, nullptr},
    {'9', 10, 10, 319, 32, nullptr},
};

const CampoLeiaute& CampoDaTabela(char tipo, const char* nome) {
    for (const auto& c : CamposLeiaute(tipo)) {
        const char* chave = c.origem ? c.origem : (c.formato == FormatoCampo::Literal ? c.padrao : nullptr);
        if (chave && std::strcmp(chave, nome) == 0) return c;
    }
    throw std::logic_error(std::string("campo do leiaute ausente: ") + tipo + " " + nome);
}

template <int N, size_t M>
void Carrega(TRegistroZovi<N>& registro, char tipo, const Slot (&slots)[M]) {
    registro.Limpa();
    for (const Slot& s : slots) {
        TArquivo& campo = registro.DefineCampo(s.numero);
        campo.legenda = s.legenda;
        if (!s.campo) continue;
        const CampoLeiaute& c = CampoDaTabela(tipo, s.campo);
        campo.posicao = c.posicao + s.salto;
        campo.tamanho = c.largura - s.salto;
    }
}

template <int N>
void Aplica(TRegistroZovi<N>& registro, char tipo) {
    for (const auto& d : kDiferencasAnterior) {
        if (d.tipo != tipo) continue;
        for (int slot = d.primeiro; slot <= d.ultimo; ++slot) {
            TArquivo& campo = registro.DefineCampo(slot);
            campo.posicao = d.posicao;
            campo.tamanho = d.tamanho;
            if (d.legenda) campo.legenda = d.legenda;
        }
    }
}

bool Digito(unsigned char c) { return c >= '0' && c <= '9'; }
bool Imprimivel(unsigned char c) { return c >= 0x20 && c <= 0x7E; }

// Letters of Windows-1252 beyond ASCII: the accented ones and the few others the code page holds.
bool LetraCp1252(unsigned char c) {
    if (c >= 0xC0) return c != 0xD7 && c != 0xF7;
    switch (c) {
        case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
        case 0xAA: case 0xB5: case 0xBA:
            return true;
        default:
            return false;
    }
}

}  // namespace

void pCarregaLayoutAtual(LeiauteLeitura& l) {
    l.tamanhoRegistro = kTamanhoRegistroAtual;
    Carrega(l.tipoZero, '0', kTipoZero);
    Carrega(l.tipoUm, '1', kTipoUm);
    Carrega(l.tipoDois, '2', kTipoDois);
    Carrega(l.tipoNove, '9', kTipoNove);
}

void pCarregaLayoutAnterior(LeiauteLeitura& l) {
    pCarregaLayoutAtual(l);
    l.tamanhoRegistro = kTamanhoRegistroAnterior;
    Aplica(l.tipoUm, '1');
    Aplica(l.tipoDois, '2');
    Aplica(l.tipoNove, '9');
}

bool fSoDigitos(const char* texto, std::size_t n) { return fPosicaoNaoDigito(texto, n) == n + 1; }

std::size_t fPosicaoNaoDigito(const char* texto, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (!Digito(static_cast<unsigned char>(texto[i]))) return i + 1;
    return n + 1;
}

bool fSoImprimiveis(const char* texto, std::size_t n) { return fPosicaoNaoImprimivel(texto, n) == n + 1; }

std::size_t fPosicaoNaoImprimivel(const char* texto, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (!Imprimivel(static_cast<unsigned char>(texto[i]))) return i + 1;
    return n + 1;
}

bool fExibivel(unsigned char c) { return Imprimivel(c) || LetraCp1252(c); }

bool fTemQuebra(const char* texto, std::size_t n) {
    return std::memchr(texto, '\r', n) != nullptr || std::memchr(texto, '\n', n) != nullptr;
}

std::string_view fVistaCampo(std::string_view registro, int posicao, int tamanho) {
    if (posicao <= 0 || tamanho <= 0 || tamanho > 256 || posicao + tamanho > 65536) return {};
    const auto inicio = static_cast<std::size_t>(posicao - 1);
    if (inicio >= registro.size()) return {};
    std::string_view campo = registro.substr(inicio, static_cast<std::size_t>(tamanho));
    return campo.substr(0, campo.find('\0'));
}

std::string fExtraiCampo(std::string_view registro, int posicao, int tamanho) {
    return std::string(fVistaCampo(registro, posicao, tamanho));
}

std::string fHexa(unsigned char c) {
    static constexpr char kDigitos[] = "0123456789ABCDEF";
    return {kDigitos[c >> 4], kDigitos[c & 0x0F]};
}

std::string fMostraCaracter(unsigned char c, bool sufixo) {
    if (fExibivel(c)) return std::string(1, static_cast<char>(c));
    return fHexa(c) + (sufixo ? "(hexadecimal)" : "");
}

int fTipoQuebra(std::string_view inicio, int L) {
    auto em = [&](int pos) -> char {
        return static_cast<std::size_t>(pos) <= inicio.size() ? inicio[static_cast<std::size_t>(pos - 1)] : '\0';
    };
    const char a = em(L + 1), b = em(L + 2);
    if (a == '\r') return b == '\n' ? 1 : 3;
    if (a == '\n') return b == '\r' ? 2 : 4;
    return 0;
}

int fPasso(int tipoQuebra, int L) {
    switch (tipoQuebra) {
        case 1: case 2: return L + 2;
        case 3: case 4: return L + 1;
        default: return L;
    }
}

bool fConfereQuebra(std::string_view r, int S, int tipoQuebra) {
    if (static_cast<int>(r.size()) < S) return false;
    const auto u = static_cast<std::size_t>(S - 1);
    switch (tipoQuebra) {
        case 1: return r[u - 1] == '\r' && r[u] == '\n';
        case 2: return r[u - 1] == '\n' && r[u] == '\r';
        case 3: return r[u] == '\r';
        case 4: return r[u] == '\n';
        default: return true;
    }
}

}  // namespace zovi
