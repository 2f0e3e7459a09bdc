#include "entry/TfmDadosEmpreg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "data/Tabelas.h"
#include "engine/Erros.h"
#include "entry/EdicaoValor.h"
#include "messages/Formatacao.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "rules/CriticaEmpregado.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEmpregado.h"

namespace zovi::gui {

namespace {

// The help page with an entry for each field ("empregado.html").
constexpr int kTopicoAjuda = 911;

QString Tela(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(cp1252)); }

const char* const kNomesMeses[12] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                     "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};

QString NomeValorMes(int m) { return QStringLiteral("ed") + kNomesMeses[m]; }
QString NomeHorasMes(int m) { return QStringLiteral("deHoras") + kNomesMeses[m]; }
std::string DoisDigitos(int m) { return CompletaZeros(std::to_string(m), 2); }

// Numeric fields stored zero-filled to their width even when nothing was typed.
const std::pair<std::string RegistroVinculo::*, int> kZerados[] = {
    {&RegistroVinculo::HoSemanaisEmpregado, 2},      {&RegistroVinculo::AnChegadaEmpregado, 4},
    {&RegistroVinculo::NuCartTrabEmpregado, 11},     {&RegistroVinculo::CoCpfEmpregado, 11},
    {&RegistroVinculo::CoCausaDesligamento, 2},      {&RegistroVinculo::DaDesligamentoEmpregado, 4},
    {&RegistroVinculo::CoMotivoPrimAfas, 2},         {&RegistroVinculo::CoMotivoSeguAfas, 2},
    {&RegistroVinculo::CoMotivoTercAfas, 2},         {&RegistroVinculo::DaInicioprimeiroAfas, 4},
    {&RegistroVinculo::DaFinalPrimeiroAfas, 4},      {&RegistroVinculo::DaInicioSegundoAfas, 4},
    {&RegistroVinculo::DaFinalSegundoAfas, 4},       {&RegistroVinculo::DaInicioTerceiroAfas, 4},
    {&RegistroVinculo::DaFinalTerceiroAfas, 4},      {&RegistroVinculo::QtDiasAfas, 3},
    {&RegistroVinculo::Me13AdiantamentoEmpregado, 2}, {&RegistroVinculo::Me13ParcelaFinalEmpregado, 2},
    {&RegistroVinculo::QtCompBcoHoras, 2},           {&RegistroVinculo::QtCompDissidio, 2},
    {&RegistroVinculo::QtCompGratificacoes, 2},
};

// No cause, or one that ends nothing: the termination date stays empty.
bool SemDataDesligamento(const std::string& c) { return fVazioOuZeros(c) || fCausaSemDataDesligamento(c); }

// The three leaves: motive, start and end fields, and what they hold.
struct Afastamento {
    const char *motivo, *inicio, *fim, *ordinal;
    std::string RegistroVinculo::*m;
    std::string RegistroVinculo::*i;
    std::string RegistroVinculo::*f;
};
const Afastamento kAfastamentos[3] = {
    {"dePrimCod", "dePrimInicio", "dePrimFim", "1º", &RegistroVinculo::CoMotivoPrimAfas,
     &RegistroVinculo::DaInicioprimeiroAfas, &RegistroVinculo::DaFinalPrimeiroAfas},
    {"deSegCod", "deSegInicio", "deSegFim", "2º", &RegistroVinculo::CoMotivoSeguAfas,
     &RegistroVinculo::DaInicioSegundoAfas, &RegistroVinculo::DaFinalSegundoAfas},
    {"deTerCod", "deTerInicio", "deTerFim", "3º", &RegistroVinculo::CoMotivoTercAfas,
     &RegistroVinculo::DaInicioTerceiroAfas, &RegistroVinculo::DaFinalTerceiroAfas},
};

// The union contributions: the entity's CNPJ and the amount paid to it.
struct Contribuicao {
    const char *cnpj, *valor, *titulo, *campoCnpj, *campoValor;
};
const Contribuicao kContribuicoes[5] = {
    {"deCNPJSindical", "edValorSindical", "Sindical", "CoCNPJSindical", "VaGlobalSindical"},
    {"deCNPJPrimeiroAssociativa", "edValorPrimeiroAssociativa", "1ª Associativa", "CoCNPJPrimAssociativa",
     "VaGlobalPrimAssociativa"},
    {"deCNPJSegundoAssociativa", "edValorSegundoAssociativa", "2ª Associativa", "CoCNPJSegAssociativa",
     "VaGlobalSegAssociativa"},
    {"deCNPJAssistencial", "edValorAssistencial", "Assistencial", "CoCNPJAssistencial", "VaGlobalAssistencial"},
    {"deCNPJConfederativa", "edValorConfederativa", "Confederativa", "CoCNPJConfederativa",
     "VaGlobalConfederativa"},
};

// A code field with its picker and the description shown beside it.
struct Codificado {
    const char* campo;
    const char* botao;
    const char* descricao;  // empty: none (the municipality fills its own fields)
    TipoSeletor tipo;
    Tabela TdmGDZovi::*tabela;  // nullptr: the months
    const char* campoDescricao;
    bool criticaAposEscolha;  // the termination cause asks its questions only when left
};

const Codificado kCodificados[] = {
    {"deNacionalidade", "sbNacionalidade", "deNoNacionalidade", TipoSeletor::Nacionalidade,
     &TdmGDZovi::taNacionalidade, "NoNacionalidade", true},
    {"deInstrucao", "sbInstrucao", "deNoInstrucao", TipoSeletor::Instrucao, &TdmGDZovi::taInstrucao, "NoInstrucao",
     true},
    {"deRaca", "sbRaca", "deNoRaca", TipoSeletor::Raca, &TdmGDZovi::taRaca, "NoRaca", true},
    {"deTipoAdmissao", "sbTipoAdmissao", "deNoTipoAdmissao", TipoSeletor::TipoAdmissao, &TdmGDZovi::taAdmissao,
     "NoTipoAdmissao", true},
    {"deTipoSalContratual", "sbTipoSalContratual", "deNoTipoSalContratual", TipoSeletor::TipoSalario,
     &TdmGDZovi::taSalario, "NoTipoSalarioContratual", true},
    {"deCBO", "sbCBO", "deNoCBO", TipoSeletor::Cbo, &TdmGDZovi::taCBO, "NoCbo", true},
    {"deVinculo", "sbVinculo", "deNoVinculo", TipoSeletor::Vinculo, &TdmGDZovi::taTpVinc, "NoVinculo", true},
    {"deCodDeslig", "sbCodDeslig", "deNoCodDeslig", TipoSeletor::Desligamento, &TdmGDZovi::taDesl,
     "NoCausaDesligamento", false},
    {"deMunicipioTrabalho", "sbMunicipioTrabalho", "", TipoSeletor::Municipio, &TdmGDZovi::taMunicipio, "NoMunicipio",
     true},
    {"dePrimCod", "sbPrimCod", "deNoPrimCod", TipoSeletor::Afastamento, &TdmGDZovi::TaAfastamento, "NoAfastamento",
     true},
    {"deSegCod", "sbSegCod", "deNoSegCod", TipoSeletor::Afastamento, &TdmGDZovi::TaAfastamento, "NoAfastamento",
     true},
    {"deTerCod", "sbTerCod", "deNoTerCod", TipoSeletor::Afastamento, &TdmGDZovi::TaAfastamento, "NoAfastamento",
     true},
    {"deMesAdiantamento", "sbMesAdiantamento", "deNoMesAdiantamento", TipoSeletor::MesesAno, nullptr, "", true},
    {"deMesParcelaFinal", "sbMesParcelaFinal", "deNoMesParcelaFinal", TipoSeletor::MesesAno, nullptr, "", true},
};

const Codificado* CodificadoDe(const QString& campo) {
    for (const auto& c : kCodificados)
        if (campo == QLatin1String(c.campo)) return &c;
    return nullptr;
}


}  // namespace

TfmDadosEmpreg::TfmDadosEmpreg(ContextoEmpregados& contexto, const std::optional<ChaveEmpregado>& chave, QWidget* pai)
    : FormularioDeclarado(contexto.dialogos, contexto.mensagens, pai), ctx_(contexto) {
    setObjectName(QStringLiteral("fmDadosEmpreg"));
    DefineTopicoAjuda(kTopicoAjuda);
    const auto& e = ctx_.cadastro.Estabelecimento();
    anoRef_ = std::to_string((fNumerico(e.anoBase) && !e.anoBase.empty() ? std::stoi(e.anoBase) : 2005) +
                             (e.encerra2006 ? 1 : 0));
    std::string inscricao = e.tipoInscricao == "1" ? "CNPJ: " + FormataInscricao(e.inscricao, "1")
                                                   : "CEI: " + FormataInscricao(e.inscricao, "3");
    setWindowTitle(Tela(e.nome + " - " + inscricao + " | Prefixo: " + e.prefixo) +
                   QStringLiteral(" - Informações Referentes ao Empregado / Servidor"));
    MontaPaginas();
    MontaCampos(Grupos(), Campos());
    MontaBotoes();
    IgnoraSaidaPara({QStringLiteral("BtCancelar"), QStringLiteral("BtExcluir")});
    LigaSeletores();
    LigaDescricoes();
    Abre(chave);
}

TfmDadosEmpreg::~TfmDadosEmpreg() = default;

void TfmDadosEmpreg::MontaPaginas() {
    pcEmpregados_ = new QTabWidget(this);
    pcEmpregados_->setObjectName(QStringLiteral("pcEmpregados"));
    // The seven page captions side by side: the form is as wide as they are, and on a narrower
    // screen its page area scrolls.
    pcEmpregados_->setUsesScrollButtons(false);
    AdicionaAba(pcEmpregados_, QStringLiteral("tsPessoais"), QStringLiteral("Dados Pessoais do Empregado/Servidor"));
    AdicionaAba(pcEmpregados_, QStringLiteral("tsAdmissao"), QStringLiteral("Informações Admissão"));
    AdicionaAba(pcEmpregados_, QStringLiteral("tsVinculo"), QStringLiteral("Vínculo Empregatício"));
    AdicionaAba(pcEmpregados_, QStringLiteral("tsAfastamento"), QStringLiteral("Afastamento"));
    AdicionaAba(pcEmpregados_, QStringLiteral("tsSindicais"), QStringLiteral("Informações Sindicais"));
    AdicionaAba(pcEmpregados_, QStringLiteral("tsRemuneracoes"), QStringLiteral("Remunerações Mensais"));
    AdicionaAba(pcEmpregados_, QStringLiteral("tsRescisao"), QStringLiteral("Verbas Pagas na Rescisão"));
    auto* caixa = new QVBoxLayout(this);
    caixa->addWidget(Rolavel(pcEmpregados_));
}

std::vector<GrupoDeclarado> TfmDadosEmpreg::Grupos() const {
    std::vector<GrupoDeclarado> g = {
        {.pagina = "tsPessoais", .nome = "gbPessoais"},
        {.pagina = "tsAdmissao", .nome = "gbAdmissao"},
        {.pagina = "tsVinculo", .nome = "gbVinculo"},
        {.pagina = "tsVinculo", .nome = "gbDesligamento", .titulo = "Desligamento", .linha = 1},
        {.pagina = "tsVinculo", .nome = "gbMunicipio", .titulo = "Local de trabalho", .linha = 2},
    };
    for (int i = 0; i < 3; ++i)
        g.push_back({.pagina = "tsAfastamento", .nome = QStringLiteral("gbAfastamento%1").arg(i + 1),
                     .titulo = QString::fromUtf8(kAfastamentos[i].ordinal) + QStringLiteral(" Afastamento"),
                     .linha = i});
    g.push_back({.pagina = "tsAfastamento", .nome = "gbDiasAfastamento", .linha = 3});
    g.push_back({.pagina = "tsSindicais", .nome = "gbSindicais", .titulo = "Contribuições recolhidas do empregado"});
    g.push_back({.pagina = "tsRemuneracoes", .nome = "gbMeses", .titulo = "Remuneração e horas trabalhadas no mês"});
    g.push_back({.pagina = "tsRemuneracoes", .nome = "gb13Salario", .titulo = "13º Salário", .coluna = 1});
    g.push_back({.pagina = "tsRescisao", .nome = "gbRescisao"});
    return g;
}

DadosEmpregado TfmDadosEmpreg::Dados(const RegistroVinculo& r) const {
    DadosEmpregado d(r, ctx_.estabelecimento, ctx_.referencias, false, anoRef_);
    // A stored employee counts itself among the rows of the same worker.
    d.nascimentoDivergente = [this, e = &r] {
        return ctx_.cadastro.NascimentosDiferentes(e->CoPisPasepEmpregado, e->NoEmpregado, e->DaNascimentoEmpregado) >
               (modo_ == 'A' ? 1 : 0);
    };
    return d;
}

zovi::gui::Critica TfmDadosEmpreg::Cadeia(const CadeiaCampo& cadeia) {
    const RegistroVinculo r = Registro();
    const DadosEmpregado d = Dados(r);
    const auto resultado = CriticaFormulario([&](PassosCritica& p) { cadeia(d, p); });
    // A warning is the user's to weigh: shown when the field is left, not again by "&Ok".
    if (!salvando_)
        for (const auto& aviso : resultado.avisos) MostraAviso(aviso);
    return {resultado.codigo};
}

zovi::gui::Critica TfmDadosEmpreg::Cadeia(void (*cadeia)(const DadosEmpregado&, int, PassosCritica&), int i) {
    return Cadeia([cadeia, i](const DadosEmpregado& d, PassosCritica& p) { cadeia(d, i, p); });
}

// The notices of a type of employment unusual for the establishment's activity ("3507") or legal
// nature ("3519") are each shown at most three times in a run of the program.
void TfmDadosEmpreg::MostraAviso(const std::string& codigo) {
    int* contador = codigo == "3507" ? &ctx_.entrada.contadorAvisoCnae
                    : codigo == "3519" ? &ctx_.entrada.contadorAvisoNatureza
                                       : nullptr;
    if (!contador) {
        MostraMensagem(codigo);
        return;
    }
    if (*contador == 0) return;
    MostraMensagem(codigo);
    if (++*contador > 3) *contador = 0;
}

std::vector<CampoDeclarado> TfmDadosEmpreg::Campos() {
    std::vector<CampoDeclarado> c;
    auto codigo = [&](const char* nome, const char* rotulo, const char* campo, int largura, const QString& grupo, int linha,
                      std::function<zovi::gui::Critica()> regra, ValorCampo valor = ValorCampo::Codigo,
                      const char* mascara = "") {
        const Codificado* k = CodificadoDe(QLatin1String(nome));
        c.push_back({.nome = nome, .rotulo = QString::fromUtf8(rotulo), .campo = campo, .largura = largura,
                     .valor = valor, .mascara = mascara, .grupo = grupo, .linha = linha, .regra = std::move(regra)});
        c.push_back({.nome = k->botao, .controle = ControleCampo::Botao, .grupo = grupo, .linha = linha, .coluna = 1});
        if (*k->descricao)
            c.push_back({.nome = k->descricao, .largura = 45, .controle = ControleCampo::Leitura, .grupo = grupo,
                         .linha = linha, .coluna = 2});
    };

    // --- Dados pessoais ---
    c.push_back({.nome = "dePisPasep", .rotulo = "&PIS/PASEP", .campo = "CoPisPasepEmpregado", .largura = 11,
                 .valor = ValorCampo::Codigo, .mascara = "999.99999.99.9", .grupo = "gbPessoais",
                 .regra = [this] {
                     // The PIS/PASEP of a stored employee cannot change: leaving it restores it.
                     if (modo_ == 'A') return zovi::gui::Critica{};
                     return Cadeia(CadeiaPisPasep);
                 }});
    c.push_back({.nome = "deNomeEmpregado", .rotulo = "&Nome", .campo = "NoEmpregado", .largura = 30,
                 .valor = ValorCampo::Maiusculas, .grupo = "gbPessoais", .linha = 1, .colunas = 3,
                 .regra = [this] { return Cadeia(CadeiaNome); }});
    c.push_back({.nome = "deNascimento", .rotulo = "Data de Nasci&mento", .campo = "DaNascimentoEmpregado",
                 .largura = 8, .valor = ValorCampo::Data, .mascara = "99/99/9999", .grupo = "gbPessoais", .linha = 2,
                 .regra = [this] { return Cadeia(CadeiaNascimento); }});
    codigo("deNacionalidade", "Nacionalida&de", "CoNacionalidade", 2, "gbPessoais", 3,
           [this] { return Cadeia(CadeiaNacionalidade); });
    c.push_back({.nome = "deAnoChegada", .rotulo = "Ano de C&hegada", .campo = "AnChegadaEmpregado", .largura = 4,
                 .valor = ValorCampo::Numero, .grupo = "gbPessoais", .linha = 4, .regra = [this] { return Cadeia(CadeiaAnoChegada); }});
    codigo("deInstrucao", "&Grau de Instrução", "CoInstrucao", 1, "gbPessoais", 5,
           [this] { return Cadeia(CadeiaInstrucao); });
    c.push_back({.nome = "deCarteiraTrab", .rotulo = "Carteira de &Trabalho", .campo = "NuCartTrabEmpregado",
                 .largura = 11, .valor = ValorCampo::Numero, .grupo = "gbPessoais", .linha = 6});
    c.push_back({.nome = "deCPF", .rotulo = "CP&F", .campo = "CoCpfEmpregado", .largura = 11,
                 .valor = ValorCampo::Codigo, .mascara = "999.999.999-99", .grupo = "gbPessoais", .linha = 7,
                 .regra = [this] { return Cadeia(CadeiaCpf); }});
    c.push_back({.nome = "deUsoEmpregado", .rotulo = "&Uso do Empregador", .campo = "TxUsoEmpregado", .largura = 12,
                 .grupo = "gbPessoais", .linha = 8,
                 .regra = [this] { return Cadeia(CadeiaUso); }});
    codigo("deRaca", "&Raça/Cor", "CoTipoRaca", 1, "gbPessoais", 9,
           [this] { return Cadeia(CadeiaRaca); });
    c.push_back({.nome = "dgDeficiencia", .rotulo = "Portador de Deficiênc&ia", .campo = "InDeficienteFisico",
                 .largura = 1, .controle = ControleCampo::Opcoes, .grupo = "gbPessoais",
                 .opcoes = "Sim=1|Não=2", .linha = 10});
    c.push_back({.nome = "cbSexo", .rotulo = "&Sexo", .campo = "InSexo", .largura = 1,
                 .controle = ControleCampo::Opcoes, .grupo = "gbPessoais", .opcoes = "1-Masculino=1|2-Feminino=2",
                 .linha = 11, .regra = [this] { return Cadeia(CadeiaSexo); }});

    // --- Admissão ---
    c.push_back({.nome = "deAdmissao", .rotulo = "Data de &Admissão", .campo = "DaAdmissaoEmpregado", .largura = 8,
                 .valor = ValorCampo::Data, .mascara = "99/99/9999", .grupo = "gbAdmissao", .regra = [this] { return Cadeia(CadeiaAdmissao); }});
    codigo("deTipoAdmissao", "&Tipo de Admissão", "CoTipoAdmissao", 1, "gbAdmissao", 1,
           [this] { return Cadeia(CadeiaTipoAdmissao); });
    c.push_back({.nome = "edSalario", .rotulo = "Salário Contratua&l", .campo = "VaSalContratualEmpregado",
                 .largura = 9, .valor = ValorCampo::Dinheiro, .grupo = "gbAdmissao", .linha = 2,
                 .regra = [this] { return Cadeia(CadeiaSalario); }});
    c.push_back({.nome = "deHoras", .rotulo = "&Horas Semanais", .campo = "HoSemanaisEmpregado", .largura = 2,
                 .valor = ValorCampo::Numero, .grupo = "gbAdmissao", .linha = 3,
                 .regra = [this] { return Cadeia(CadeiaHorasSemanais); }});
    codigo("deTipoSalContratual", "Tipo de &Salário", "CoTipoSalarioContratual", 1, "gbAdmissao", 4, [this] { return Cadeia(CadeiaTipoSalario); });
    codigo(
        "deCBO", "Ocupação (C&BO)", "CoCbo", 6, "gbAdmissao", 5,
        [this] { return Cadeia(CadeiaCbo); },
        ValorCampo::Codigo, "9999-99");

    // --- Vínculo e desligamento ---
    codigo("deVinculo", "&Tipo de Vínculo", "CoVinculo", 2, "gbVinculo", 0, [this] { return Cadeia(CadeiaVinculo); });
    c.push_back({.nome = "dgAlvara", .rotulo = "Alvará &judicial (menor de 16 anos)", .campo = "InAlvaraEmpregado",
                 .largura = 1, .controle = ControleCampo::Opcoes, .grupo = "gbVinculo",
                 .opcoes = "Sim=1|Não=2", .linha = 1});
    codigo("deCodDeslig", "Causa do &Desligamento", "CoCausaDesligamento", 2, "gbDesligamento", 0,
           [this] { return Cadeia(CadeiaCausaDesligamento); },
           ValorCampo::Numero);
    c.push_back({.nome = "deDataDeslig", .rotulo = "Data do Desli&gamento", .campo = "DaDesligamentoEmpregado",
                 .largura = 4, .valor = ValorCampo::Codigo, .mascara = "99/99", .grupo = "gbDesligamento",
                 .linha = 1, .regra = [this] { return Cadeia(CadeiaDataDesligamento); }});
    c.push_back({.nome = "edAvisoPrevio", .rotulo = "A&viso Prévio Indenizado", .campo = "VaAvisoPrevioEmpregado",
                 .largura = 9, .valor = ValorCampo::Dinheiro, .grupo = "gbDesligamento", .linha = 2,
                 .regra = [this] { return Cadeia(CadeiaAvisoPrevio); }});
    codigo(
        "deMunicipioTrabalho", "&Município de Trabalho", "CoMunicipioTrabalho", 7, "gbMunicipio", 0,
        [this] { return Cadeia(CadeiaMunicipioTrabalho); },
        ValorCampo::Codigo, "99-99999");
    c.push_back({.nome = "deNoMunicipioTrabalho", .campo = "NoMunicipioTrabalho", .largura = 30,
                 .controle = ControleCampo::Leitura, .grupo = "gbMunicipio", .linha = 0, .coluna = 2});
    c.push_back({.nome = "deSgUfTrabalho", .campo = "SgUfTrabalho", .largura = 2, .controle = ControleCampo::Leitura,
                 .grupo = "gbMunicipio", .linha = 0, .coluna = 3});

    // --- Afastamentos ---
    for (int i = 0; i < 3; ++i) {
        const auto& a = kAfastamentos[i];
        const QString grupo = QStringLiteral("gbAfastamento%1").arg(i + 1);
        codigo(
            a.motivo, "Moti&vo", i == 0 ? "CoMotivoPrimAfas" : i == 1 ? "CoMotivoSeguAfas" : "CoMotivoTercAfas", 2,
            grupo, 0,
            [this, i] { return Cadeia(CadeiaMotivoAfastamento, i); }, ValorCampo::Numero);
        for (int fim = 0; fim < 2; ++fim) {
            const char* nome = fim ? a.fim : a.inicio;
            c.push_back({.nome = nome, .rotulo = fim ? "Fim" : "Início",
                         .campo = fim ? (i == 0 ? "DaFinalPrimeiroAfas" : i == 1 ? "DaFinalSegundoAfas"
                                                                               : "DaFinalTerceiroAfas")
                                      : (i == 0 ? "DaInicioprimeiroAfas" : i == 1 ? "DaInicioSegundoAfas"
                                                                                  : "DaInicioTerceiroAfas"),
                         .largura = 4, .valor = ValorCampo::Codigo, .mascara = "99/99", .grupo = grupo, .linha = 1,
                         .coluna = fim, .regra = [this, i, fim] {
                             return Cadeia([i, fim](const DadosEmpregado& d, PassosCritica& p) {
                                 CadeiaDataAfastamento(d, i, fim, p);
                             });
                         }});
        }
    }
    c.push_back({.nome = "deAfastQtDias", .rotulo = "&Total de dias de afastamento no ano", .campo = "QtDiasAfas",
                 .largura = 3, .valor = ValorCampo::Numero, .grupo = "gbDiasAfastamento", .regra = [this] { return Cadeia(CadeiaDiasAfastamento); }});

    // --- Contribuições sindicais ---
    for (int i = 0; i < 5; ++i) {
        const auto& k = kContribuicoes[i];
        c.push_back({.nome = k.cnpj, .rotulo = QStringLiteral("CNPJ ") + QString::fromUtf8(k.titulo),
                     .campo = k.campoCnpj, .largura = 14, .valor = ValorCampo::Codigo,
                     .mascara = "99.999.999/9999-99", .grupo = "gbSindicais", .linha = i, .regra = [this, i] { return Cadeia(CadeiaCnpjContribuicao, i); }});
        c.push_back({.nome = k.valor, .rotulo = "Valor", .campo = k.campoValor, .largura = 8,
                     .valor = ValorCampo::Dinheiro, .grupo = "gbSindicais", .linha = i, .coluna = 1,
                     .regra = [this, i] { return Cadeia(CadeiaValorContribuicao, i); }});
    }

    // --- Remunerações: the year typed month by month, value then hours ---
    for (int m = 0; m < 12; ++m) {
        c.push_back({.nome = NomeValorMes(m), .rotulo = Tela(NomeMes(DoisDigitos(m + 1))), .campo = kCamposRemuneracao[m],
                     .largura = 9, .valor = ValorCampo::Dinheiro, .grupo = "gbMeses", .linha = m,
                     .regra = [this, m] { return Cadeia(CadeiaRemuneracao, m + 1); }});
        c.push_back({.nome = NomeHorasMes(m), .rotulo = "horas", .campo = kCamposHoras[m], .largura = 3,
                     .valor = ValorCampo::Numero, .grupo = "gbMeses", .linha = m, .coluna = 1,
                     .saidaSoPreenchido = false, .regra = [this, m] { return Cadeia(CadeiaHorasMes, m + 1); }});
    }
    codigo(
        "deMesAdiantamento", "Mês do adiantamen&to", "Me13AdiantamentoEmpregado", 2, "gb13Salario", 0,
        [this] { return Cadeia(CadeiaMesAdiantamento); },
        ValorCampo::Numero);
    c.push_back({.nome = "edAdiantamento", .rotulo = "Valor do adiantamento", .campo = "Va13AdiantamentoEmpregado",
                 .largura = 9, .valor = ValorCampo::Dinheiro, .grupo = "gb13Salario", .linha = 1, .regra = [this] { return Cadeia(CadeiaValorAdiantamento); }});
    codigo(
        "deMesParcelaFinal", "Mês da parcela fina&l", "Me13ParcelaFinalEmpregado", 2, "gb13Salario", 2,
        [this] { return Cadeia(CadeiaMesParcelaFinal); },
        ValorCampo::Numero);
    c.push_back({.nome = "edParcelaFinal", .rotulo = "Valor da parcela final", .campo = "Va13ParcelaFinalEmpregado",
                 .largura = 9, .valor = ValorCampo::Dinheiro, .grupo = "gb13Salario", .linha = 3, .regra = [this] { return Cadeia(CadeiaValorParcelaFinal); }});

    // --- Verbas rescisórias ---
    auto rescisoria = [&](const char* nome, const char* rotulo, const char* campo, int linha,
                          std::function<zovi::gui::Critica()> regra) {
        c.push_back({.nome = nome, .rotulo = QString::fromUtf8(rotulo), .campo = campo, .largura = 8,
                     .valor = ValorCampo::Dinheiro, .grupo = "gbRescisao", .linha = linha, .regra = std::move(regra)});
    };
    auto meses = [&](const char* nome, const char* campo, int linha, void (*cadeia)(const DadosEmpregado&, PassosCritica&)) {
        c.push_back({.nome = nome, .rotulo = "meses", .campo = campo, .largura = 2, .valor = ValorCampo::Numero,
                     .grupo = "gbRescisao", .linha = linha, .coluna = 1, .saidaSoPreenchido = false,
                     .regra = [this, cadeia] { return Cadeia(cadeia); }});
    };
    rescisoria("edFerias", "&Férias indenizadas", "VaGlobalFerias", 0, [this] { return Cadeia(CadeiaFerias); });
    rescisoria("deValorGlobalMultas", "Multa &rescisória (FGTS)", "VaGlobalMultas", 1,
               [this] { return Cadeia(CadeiaMultas); });
    rescisoria("edBancoHoras", "&Banco de horas", "VaGlobalBcoHoras", 2,
               [this] { return Cadeia(CadeiaBancoHoras); });
    meses("deCompetenciaHoras", "QtCompBcoHoras", 2, CadeiaMesesBancoHoras);
    rescisoria("edDissidio", "&Dissídio coletivo", "VaGlobalDissidio", 3,
               [this] { return Cadeia(CadeiaDissidio); });
    meses("deCompetenciaDissidio", "QtCompDissidio", 3, CadeiaMesesDissidio);
    rescisoria("edGratificacoes", "&Gratificações", "VaGlobalGratificacoes", 4,
               [this] { return Cadeia(CadeiaGratificacoes); });
    meses("deCompetenciaGratificacoes", "QtCompGratificacoes", 4, CadeiaMesesGratificacoes);

    // The page of each field, in reading order.
    QHash<QString, int> paginaDoGrupo;
    for (const auto& g : Grupos()) paginaDoGrupo.insert(g.nome, pcEmpregados_->indexOf(findChild<QWidget*>(g.pagina)));
    for (const auto& campo : c)
        if (campo.controle == ControleCampo::Edicao || campo.controle == ControleCampo::Opcoes)
            ordem_.emplace_back(campo.nome, paginaDoGrupo.value(campo.grupo));
    // The bound fields, for reading the record from the screen and back.
    for (const auto& campo : c) {
        if (campo.campo.empty()) continue;
        for (const auto& [nome, membro] : CamposVinculo())
            if (MesmoNome(nome, campo.campo)) ligados_.emplace_back(campo.nome, membro);
    }
    return c;
}

void TfmDadosEmpreg::MontaBotoes() {
    auto* linha = new QHBoxLayout;
    linha->addStretch();
    BtOk_ = new QPushButton(QStringLiteral("&Ok"), this);
    BtOk_->setObjectName(QStringLiteral("BtOk"));
    BtCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    BtCancelar_->setObjectName(QStringLiteral("BtCancelar"));
    BtExcluir_ = new QPushButton(QStringLiteral("&Excluir"), this);
    BtExcluir_->setObjectName(QStringLiteral("BtExcluir"));
    for (auto* b : {BtOk_, BtCancelar_, BtExcluir_}) {
        b->setAutoDefault(false);
        linha->addWidget(b);
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(linha);
    connect(BtOk_, &QPushButton::clicked, this, &TfmDadosEmpreg::Ok);
    connect(BtCancelar_, &QPushButton::clicked, this, &TfmDadosEmpreg::Cancela);
    connect(BtExcluir_, &QPushButton::clicked, this, &TfmDadosEmpreg::Excluir);
}

void TfmDadosEmpreg::LigaSeletores() {
    for (const auto& k : kCodificados) {
        const QString campo = QLatin1String(k.campo);
        auto* botao = qobject_cast<QToolButton*>(Controle(QLatin1String(k.botao)));
        connect(botao, &QToolButton::clicked, this, [this, campo] { EscolheCodigo(campo); });
    }
}

// Each picker is shown for one choice; the chosen code then goes through the field's checks.
void TfmDadosEmpreg::EscolheCodigo(const QString& campo) {
    const Codificado* k = CodificadoDe(campo);
    QLineEdit* edicao = Edicao(campo);
    if (!k || !edicao || !edicao->isEnabled()) return;
    if (!ctx_.seletores.Escolhe(k->tipo, *edicao, this)) return;
    edicao->setFocus();
    if (k->criticaAposEscolha && CriticaCampo(campo)) AoSairDoCampo(campo);
}

void TfmDadosEmpreg::LigaDescricoes() {
    for (const auto& k : kCodificados) {
        const QString campo = QLatin1String(k.campo);
        connect(Edicao(campo), &QLineEdit::textChanged, this, [this, campo] { MostraDescricao(campo); });
    }
}

void TfmDadosEmpreg::MostraDescricao(const QString& campo) {
    const Codificado* k = CodificadoDe(campo);
    const std::string codigo = fAparaTexto(Texto(campo));
    std::string descricao;
    if (!k->tabela) {
        descricao = NomeMes(codigo);
    } else if (!codigo.empty()) {
        Tabela& t = ctx_.dm.*(k->tabela);
        if (!t.Aberta()) t.Abre();
        if (t.BuscaChave({codigo})) descricao = fAparaTexto(t.Texto(k->campoDescricao));
    }
    if (*k->descricao) {
        Edicao(QLatin1String(k->descricao))->setText(Tela(descricao));
        Edicao(QLatin1String(k->descricao))->setCursorPosition(0);
        return;
    }
    // The work municipality: its name and state are stored with the code.
    std::string uf;
    if (!descricao.empty()) {
        Tabela& ufs = ctx_.dm.taUF;
        if (!ufs.Aberta()) ufs.Abre();
        if (ufs.BuscaChave({codigo.substr(0, 2)})) uf = fAparaTexto(ufs.Texto("SgUf"));
    }
    PoeTexto(QStringLiteral("deNoMunicipioTrabalho"), descricao.substr(0, 30));
    PoeTexto(QStringLiteral("deSgUfTrabalho"), uf);
}

RegistroVinculo TfmDadosEmpreg::Registro() const {
    RegistroVinculo r = original_;
    for (const auto& [nome, membro] : ligados_) r.*membro = Texto(nome);
    for (const auto& [membro, largura] : kZerados)
        if (fAparaTexto(r.*membro).empty()) r.*membro = std::string(static_cast<size_t>(largura), '0');
    return r;
}

void TfmDadosEmpreg::Abre(const std::optional<ChaveEmpregado>& chave) {
    std::optional<RegistroVinculo> lido;
    if (chave) lido = ctx_.cadastro.Le(*chave);
    modo_ = lido ? 'A' : 'I';
    chaveOriginal_ = lido ? chave : std::nullopt;
    original_ = lido ? *lido : RegistroVinculo{};
    BtExcluir_->setEnabled(modo_ == 'A');
    Mostra(original_);
    ultimoPis_ = original_.CoPisPasepEmpregado;
    pcEmpregados_->setCurrentIndex(0);
    Controle(modo_ == 'A' ? QStringLiteral("deNomeEmpregado") : QStringLiteral("dePisPasep"))->setFocus();
}

void TfmDadosEmpreg::Mostra(const RegistroVinculo& r) {
    for (const auto& [nome, membro] : ligados_) {
        const std::string& v = r.*membro;
        // Codes, numbers and dates made only of zeros were never informed: shown empty.
        const bool dinheiro = Valor(nome) != nullptr;
        PoeTexto(nome, !dinheiro && fTodosZeros(fAparaTexto(v)) ? std::string() : v);
    }
    PoeTexto(QStringLiteral("dgDeficiencia"), fAparaTexto(r.InDeficienteFisico) == "1" ? "1" : "2");
    for (const auto& k : kCodificados) MostraDescricao(QLatin1String(k.campo));
    AjustaChegada();
    AjustaDesligamento(fAparaTexto(r.CoCausaDesligamento), false);
    const std::string causa = fAparaTexto(r.CoCausaDesligamento);
    Habilita(QStringLiteral("deValorGlobalMultas"),
             causa == "11" || causa == "20" || !fVazioOuZeros(r.VaGlobalMultas));
    AjustaAlvara(r);
}

void TfmDadosEmpreg::Habilita(const QString& nome, bool sim) { Controle(nome)->setEnabled(sim); }

// The arrival year belongs to foreigners only.
void TfmDadosEmpreg::AjustaChegada() {
    const std::string nacionalidade = fAparaTexto(Texto(QStringLiteral("deNacionalidade")));
    const bool estrangeiro = !nacionalidade.empty() && nacionalidade != "10";
    if (!estrangeiro) Edicao(QStringLiteral("deAnoChegada"))->clear();
    Habilita(QStringLiteral("deAnoChegada"), estrangeiro);
}

void TfmDadosEmpreg::LimpaAvisoPrevio() {
    if (!Controle(QStringLiteral("edAvisoPrevio"))->isEnabled()) return;
    PoeTexto(QStringLiteral("edAvisoPrevio"), "000000000");
    Habilita(QStringLiteral("edAvisoPrevio"), false);
}

// The termination date and the notice pay follow the cause: no cause (or one of the
// four that end nothing), no date; notice pay only for the causes "11" and "21".
void TfmDadosEmpreg::AjustaDesligamento(const std::string& causa, bool saindo) {
    QLineEdit* data = Edicao(QStringLiteral("deDataDeslig"));
    if (SemDataDesligamento(causa)) {
        if (saindo) Habilita(QStringLiteral("deValorGlobalMultas"), false);
        if (data->isEnabled()) data->clear();
        data->setEnabled(false);
        Habilita(QStringLiteral("edAvisoPrevio"), true);
        LimpaAvisoPrevio();
        if (saindo) Controle(QStringLiteral("deMunicipioTrabalho"))->setFocus();
        return;
    }
    data->setEnabled(true);
    const bool indenizavel = causa == "11" || causa == "21";
    if (!saindo) {
        Habilita(QStringLiteral("edAvisoPrevio"), true);
        if (!indenizavel) LimpaAvisoPrevio();
        return;
    }
    data->setFocus();
    if (indenizavel) {
        auto r = ctx_.dialogos.Mensagem(TipoDialogo::Confirmacao, QStringLiteral("O Aviso Prévio foi indenizado?"),
                                        this);
        if (r == Resposta::Sim) {
            Habilita(QStringLiteral("edAvisoPrevio"), true);
        } else {
            Habilita(QStringLiteral("edAvisoPrevio"), true);
            LimpaAvisoPrevio();
        }
    } else {
        Habilita(QStringLiteral("edAvisoPrevio"), true);
        LimpaAvisoPrevio();
    }
    if (causa == "11" || causa == "20") Habilita(QStringLiteral("deValorGlobalMultas"), true);
}

// The permit to employ a minor under 16: asked only of those young enough.
void TfmDadosEmpreg::AjustaAlvara(const RegistroVinculo& r) {
    auto* alvara = Opcoes(QStringLiteral("dgAlvara"));
    switch (fEstadoAlvara(r.CoVinculo, r.DaNascimentoEmpregado, kTextoAnoBase)) {
        case EstadoAlvara::NaoSeAplica:
            alvara->PoeValor(QStringLiteral("2"));
            alvara->setEnabled(false);
            break;
        case EstadoAlvara::Pergunta:
            alvara->setEnabled(true);
            alvara->PoeValor(fAparaTexto(r.InAlvaraEmpregado) == "1" ? QStringLiteral("1") : QStringLiteral("2"));
            break;
        case EstadoAlvara::Aprendiz:
            if (alvara->Valor().isEmpty()) alvara->PoeValor(QStringLiteral("2"));
            alvara->setEnabled(false);
            break;
    }
}

void TfmDadosEmpreg::AoSairDoCampo(const QString& nome) {
    if (nome == QLatin1String("dePisPasep")) SaiuPis();
    else if (nome == QLatin1String("deNacionalidade")) SaiuNacionalidade();
    else if (nome == QLatin1String("deVinculo")) SaiuVinculo();
    else if (nome == QLatin1String("deAdmissao")) SaiuAdmissao();
    else if (nome == QLatin1String("deCodDeslig")) AjustaDesligamento(fAparaTexto(Registro().CoCausaDesligamento), true);
    else if (nome == QLatin1String("deNascimento")) AjustaAlvara(Registro());
}

void TfmDadosEmpreg::SaiuPis() {
    const std::string pis = Texto(QStringLiteral("dePisPasep"));
    if (modo_ == 'A') {
        if (pis == original_.CoPisPasepEmpregado) return;
        ctx_.dialogos.Mensagem(TipoDialogo::Erro,
                               QStringLiteral("Você não pode alterar o código PIS/PASEP.\nSe o código está errado "
                                              "exclua esse empregado e inclua-o novamente."),
                               this);
        PoeTexto(QStringLiteral("dePisPasep"), original_.CoPisPasepEmpregado);
        return;
    }
    if (pis.empty() || PisSemNumero(pis) || pis == ultimoPis_) return;
    ultimoPis_ = pis;
    auto dados = ctx_.cadastro.DadosPessoaisDoPis(pis);
    if (!dados) return;
    if (MostraMensagem("1050") != "mrYes") {
        // The list shows the worker already stored; this new row is abandoned.
        pisParaBusca_ = pis;
        QDialog::done(QDialog::Rejected);
        return;
    }
    static const std::pair<const char*, std::string RegistroVinculo::*> kCopiados[] = {
        {"deNomeEmpregado", &RegistroVinculo::NoEmpregado},
        {"deNascimento", &RegistroVinculo::DaNascimentoEmpregado},
        {"deNacionalidade", &RegistroVinculo::CoNacionalidade},
        {"deAnoChegada", &RegistroVinculo::AnChegadaEmpregado},
        {"deInstrucao", &RegistroVinculo::CoInstrucao},
        {"deCarteiraTrab", &RegistroVinculo::NuCartTrabEmpregado},
        {"deRaca", &RegistroVinculo::CoTipoRaca},
        {"dgDeficiencia", &RegistroVinculo::InDeficienteFisico},
        {"cbSexo", &RegistroVinculo::InSexo},
        {"deCPF", &RegistroVinculo::CoCpfEmpregado},
    };
    for (const auto& [nome, membro] : kCopiados) PoeTexto(QLatin1String(nome), (*dados).*membro);
    AjustaChegada();
    if (!dados->AnChegadaEmpregado.empty()) PoeTexto(QStringLiteral("deAnoChegada"), dados->AnChegadaEmpregado);
    Controle(QStringLiteral("deCPF"))->setFocus();
}

void TfmDadosEmpreg::SaiuNacionalidade() {
    const std::string nacionalidade = fAparaTexto(Texto(QStringLiteral("deNacionalidade")));
    AjustaChegada();
    if (nacionalidade == "10" || nacionalidade.empty()) {
        if (!nacionalidade.empty()) Controle(QStringLiteral("deInstrucao"))->setFocus();
        return;
    }
    Controle(QStringLiteral("deAnoChegada"))->setFocus();
    const auto c = ctx_.cadastro.Conta();
    if (const auto aviso = fCriticaProporcaoEstrangeiros(c.empregados, c.estrangeiros); aviso != "0000")
        MostraMensagem(aviso);
}

void TfmDadosEmpreg::SaiuVinculo() {
    const auto r = Registro();
    auto* alvara = Opcoes(QStringLiteral("dgAlvara"));
    if (fEstadoAlvara(r.CoVinculo, r.DaNascimentoEmpregado, kTextoAnoBase) != EstadoAlvara::Pergunta) {
        alvara->PoeValor(QStringLiteral("2"));
        alvara->setEnabled(false);
    } else if (!alvara->isEnabled()) {
        alvara->setEnabled(true);
        auto resposta = ctx_.dialogos.Mensagem(
            TipoDialogo::Confirmacao, QStringLiteral("Existe alvará autorizando menor de 16 anos de idade ?"), this);
        alvara->PoeValor(resposta == Resposta::Sim ? QStringLiteral("1") : QStringLiteral("2"));
    }
}

void TfmDadosEmpreg::SaiuAdmissao() {
    const std::string admissao = Texto(QStringLiteral("deAdmissao"));
    if (admissao.empty()) return;
    const auto existente = ctx_.cadastro.MesmaAdmissao(Texto(QStringLiteral("dePisPasep")), admissao,
                                                       Texto(QStringLiteral("deNomeEmpregado")));
    if (!existente) return;
    if (modo_ == 'I') {
        if (PerguntaNao("1051") == "mrYes") {
            Abre(existente);
        } else {
            Controle(QStringLiteral("deAdmissao"))->setFocus();
        }
        return;
    }
    if (admissao != original_.DaAdmissaoEmpregado) {
        MostraMensagem("1058");
        PoeTexto(QStringLiteral("deAdmissao"), original_.DaAdmissaoEmpregado);
    }
}

// An employee with no remuneration at all is accepted only when away the whole year
// (illness or unpaid leave) or terminated by one of the causes that pay nothing.
void TfmDadosEmpreg::Ok() {
    salvando_ = true;
    const bool valido = CriticaTodos();
    salvando_ = false;
    if (!valido) return;
    RegistroVinculo r = Registro();
    const DadosEmpregado d = Dados(r);
    const auto totais = CriticaFormulario([&](PassosCritica& p) { CadeiaTotaisRemuneracao(d, p); });
    for (const auto& aviso : totais.avisos) MostraMensagem(aviso);
    if (totais.codigo != "0000") {
        Falha(totais.codigo, Controle(NomeValorMes(0)));
        return;
    }
    try {
        ctx_.cadastro.Grava(r, chaveOriginal_);
    } catch (const ErroMotor& e) {
        // Any other engine failure is the application's to report.
        if (e.Codigo() != codigo_motor::ViolacaoChave) throw;
        Falha("1059", Controle(modo_ == 'I' ? QStringLiteral("dePisPasep") : QStringLiteral("deAdmissao")));
        return;
    }
    chaveGravada_ = ChaveDe(r);
    QDialog::accept();
}

void TfmDadosEmpreg::Excluir() {
    if (!chaveOriginal_) return;
    auto r = ctx_.dialogos.Caixa(QStringLiteral("Confirmação"), QStringLiteral("Deseja excluir o vínculo ?"),
                                 QMessageBox::Question, {Resposta::Sim, Resposta::Nao}, this, Resposta::Nao);
    if (r != Resposta::Sim) return;
    ctx_.cadastro.Exclui(*chaveOriginal_);
    QDialog::accept();
}

void TfmDadosEmpreg::Cancela() {
    if (fVazio(Texto(QStringLiteral("dePisPasep")))) {
        QDialog::reject();
        return;
    }
    auto r = ctx_.dialogos.Caixa(QStringLiteral("Confirmação"),
                                 QStringLiteral("As informações não salvas serão perdidas. Deseja sair ?"),
                                 QMessageBox::Question, {Resposta::Sim, Resposta::Nao}, this, Resposta::Nao);
    if (r == Resposta::Sim) QDialog::reject();
    else Controle(QStringLiteral("deNomeEmpregado"))->setFocus();
}

// Enter on the last field of a page goes on to the first field of the next page, so
// a whole employee is typed without the mouse.
void TfmDadosEmpreg::keyPressEvent(QKeyEvent* e) {
    QWidget* foco = QApplication::focusWidget();
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && foco && ProximaPagina(foco)) return;
    FormularioDeclarado::keyPressEvent(e);
}

bool TfmDadosEmpreg::ProximaPagina(QWidget* foco) {
    const int pagina = pcEmpregados_->currentIndex();
    auto ativo = [this](const QString& nome) {
        QWidget* w = Controle(nome);
        return w->isEnabled() && (qobject_cast<GrupoOpcoes*>(w) || w->focusPolicy() != Qt::NoFocus);
    };
    QString ultimo;
    for (const auto& [nome, p] : ordem_)
        if (p == pagina && ativo(nome)) ultimo = nome;
    QWidget* controle = Controle(ultimo);
    if (ultimo.isEmpty() || !(controle == foco || controle->isAncestorOf(foco))) return false;
    for (const auto& [nome, p] : ordem_) {
        if (p <= pagina || !ativo(nome)) continue;
        pcEmpregados_->setCurrentIndex(p);
        if (pcEmpregados_->currentIndex() != p) return true;  // a failed check keeps the page
        QWidget* primeiro = Controle(nome);
        if (auto* opcoes = qobject_cast<GrupoOpcoes*>(primeiro)) primeiro = opcoes->Botoes().value(0);
        primeiro->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}

}  // namespace zovi::gui
