#include "entry/TfmDadosEstab.h"

#include <QApplication>
#include <QShowEvent>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "data/ModulosDados.h"
#include "entry/CadastroEmpregado.h"
#include "entry/ContextoEntrada.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "entry/EdicaoValor.h"
#include "entry/TfmSemEmpregados.h"
#include "messages/Formatacao.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"
#include "engine/Definicao.h"
#include "rules/CriticaEstabelecimento.h"
#include "rules/Primitivas.h"
#include "rules/Rotulos.h"
#include "platform/Texto1252.h"

namespace zovi::gui {

namespace {

// The help page with an entry for each field ("estabelecimento.html").
constexpr int kTopicoAjuda = 910;

constexpr const char* kTextoSaida = "As informações não salvas serão perdidas. Deseja sair ?";
constexpr const char* kTextoEncerramento2006 =
    "Ao acessar este módulo, você estará declarando a ZOVI referente ao encerramento de atividades da empresa. "
    "Se o encerramento ocorreu no ano-base de 2006, não se esqueça que você deverá entregar também a declaração "
    "referente ao ano-base 2005";

// The PAT percentages, in the order of the combined rule.
const char* const kPercentuais[] = {"edAdmCozinha",        "edServicoProprio", "edRefeicaoConvenio",
                                    "edRefeicaoTransportada", "edCestaAlimento", "edAlimentacaoConvenio"};


}  // namespace

TfmDadosEstab::TfmDadosEstab(ContextoEntrada& contexto, QWidget* pai)
    : FormularioDeclarado(contexto.dialogos, contexto.mensagens, pai), dm_(contexto.dm), entrada_(contexto.Entrada()),
      ref_(contexto.ReferenciasRegras()), seletores_(contexto.SeletoresCodigos()) {
    setObjectName("fmDadosEstab");
    DefineTopicoAjuda(kTopicoAjuda);
    setWindowTitle(QStringLiteral("GDZovi - Informações Referentes ao Estabelecimento"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    MontaJanela();
    MontaCampos(Grupos(), Campos());
    IgnoraSaidaPara({"btCancelar", "btVinculos"});
    VaziosSoSeDigitados();

    connect(Opcoes("rgTipoDeclaracao"), &GrupoOpcoes::Escolhido, this, [this] { AplicaTipoDeclaracao(true); });
    connect(Opcoes("rgPorte"), &GrupoOpcoes::Escolhido, this, [this] { AplicaPorte(); });
    connect(Opcoes("rgPat"), &GrupoOpcoes::Escolhido, this, [this](const QString& v) {
        if (v != QLatin1String("2")) return;
        Controle("gbPat")->setEnabled(false);
        for (const char* n : {"edPatMaior5", "edPatMenor5"}) Edicao(n)->clear();
        for (const char* n : kPercentuais) Edicao(n)->clear();
    });
    connect(qobject_cast<QCheckBox*>(Controle("cbEncerrou")), &QCheckBox::toggled, this, [this](bool marcado) {
        Edicao("edDataEncerramento")->setEnabled(marcado);
        if (!marcado) Edicao("edDataEncerramento")->clear();
        AtualizaAnoBase();
    });
    connect(qobject_cast<QToolButton*>(Controle("sbMunicipio")), &QToolButton::clicked, this, [this] {
        Edicao("edMunicipio")->setFocus();
        seletores_.Escolhe(TipoSeletor::Municipio, *Edicao("edMunicipio"), this);
        // The chosen municipality is checked at once, as the employee form does: its name and UF
        // shown, a CEP of another municipality said now.
        if (!Texto("edMunicipio").empty() && !CriticaCampo("edMunicipio")) return;
        Edicao("edDdd")->setFocus();
    });
    connect(qobject_cast<QToolButton*>(Controle("sbCnae")), &QToolButton::clicked, this, [this] {
        seletores_.Escolhe(TipoSeletor::Cnae, *Edicao("edCnae"), this);
        Edicao("edCnae")->setFocus();
        if (CriticaCampo("edCnae")) MostraDescricoes();
    });
    connect(qobject_cast<QToolButton*>(Controle("sbNatureza")), &QToolButton::clicked, this, [this] {
        seletores_.Escolhe(TipoSeletor::NaturezaJuridica, *Edicao("edNatureza"), this);
        Edicao("edNatureza")->setFocus();
        if (CriticaCampo("edNatureza")) MostraDescricoes();
    });
}

TfmDadosEstab::~TfmDadosEstab() = default;

void TfmDadosEstab::MontaJanela() {
    auto* cabecalho = new QWidget(this);
    AdicionaPagina(cabecalho, "paCabecalho");
    laAnoBase_ = new QLabel(QStringLiteral("Ano-Base 2005"), this);
    laAnoBase_->setObjectName("laAnoBase");
    laAnoBase_->setFrameShape(QFrame::Panel);
    laAnoBase_->setFrameShadow(QFrame::Sunken);
    laAnoBase_->setAlignment(Qt::AlignCenter);
    QFont negrito = laAnoBase_->font();
    negrito.setBold(true);
    laAnoBase_->setFont(negrito);

    abas_ = new QTabWidget(this);
    abas_->setObjectName("pcEstabelecimento");
    // Every tab caption in sight: the form is as wide as its tabs.
    abas_->setUsesScrollButtons(false);
    AdicionaAba(abas_, "tsCadastrais", QStringLiteral("Informações Cadastrais"));
    AdicionaAba(abas_, "tsSindicais", QStringLiteral("Informações Sindicais"));
    AdicionaAba(abas_, "tsEconomicas", QStringLiteral("Informações Econômicas"));
    AdicionaAba(abas_, "tsEconomicasCont", QStringLiteral("Informações Econômicas (Cont)"));
    AdicionaAba(abas_, "tsPat", QStringLiteral("Informações Econômicas (Cont)"));

    auto botao = [this](const char* nome, const QString& texto) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nome);
        b->setAutoDefault(false);
        return b;
    };
    btOk_ = botao("btOk", QStringLiteral("&Ok"));
    btVinculos_ = botao("btVinculos", QStringLiteral("&Vinculos"));
    btCancelar_ = botao("btCancelar", QStringLiteral("&Cancelar"));
    connect(btOk_, &QPushButton::clicked, this, &TfmDadosEstab::Ok);
    connect(btVinculos_, &QPushButton::clicked, this, &TfmDadosEstab::Vinculos);
    connect(btCancelar_, &QPushButton::clicked, this, &TfmDadosEstab::Cancela);

    auto* topo = new QHBoxLayout;
    topo->addWidget(laAnoBase_);
    topo->addStretch();
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOk_);
    botoes->addWidget(btVinculos_);
    botoes->addWidget(btCancelar_);
    auto* paginas = new QWidget(this);
    paginas->setObjectName("paPaginas");
    auto* colunaPaginas = new QVBoxLayout(paginas);
    colunaPaginas->setContentsMargins(0, 0, 0, 0);
    colunaPaginas->addWidget(cabecalho);
    colunaPaginas->addWidget(abas_, 1);
    auto* caixa = new QVBoxLayout(this);
    caixa->addLayout(topo);
    caixa->addWidget(Rolavel(paginas), 1);
    caixa->addLayout(botoes);
}

std::vector<GrupoDeclarado> TfmDadosEstab::Grupos() const {
    return {
        {.pagina = "paCabecalho", .nome = "gbIdentificacao", .linha = 0, .coluna = 0, .colunas = 3},
        {.pagina = "paCabecalho", .nome = "gbTipoDeclaracao", .titulo = QStringLiteral("Tipo de Declaração"), .linha = 1, .coluna = 0},
        {.pagina = "paCabecalho", .nome = "gbEncerramento", .titulo = QStringLiteral("Encerramento Atividades"), .linha = 1, .coluna = 1},
        {.pagina = "paCabecalho", .nome = "gbAtividade", .titulo = QStringLiteral("Em Atividade"), .linha = 1, .coluna = 2},
        {.pagina = "paCabecalho", .nome = "gbNome", .linha = 2, .coluna = 0, .colunas = 3},
        {.pagina = "tsCadastrais", .nome = "gbEndereco", .linha = 0, .coluna = 0, .colunas = 2},
        {.pagina = "tsCadastrais", .nome = "gbMunicipio", .titulo = QStringLiteral("Município"), .linha = 1, .coluna = 0, .colunas = 2},
        {.pagina = "tsCadastrais", .nome = "gbTelefone", .titulo = QStringLiteral("Telefone Estabelecimento "), .linha = 2, .coluna = 0},
        {.pagina = "tsCadastrais", .nome = "gbEmail", .linha = 3, .coluna = 0, .colunas = 2},
        {.pagina = "tsSindicais", .nome = "gbSindical", .titulo = QStringLiteral("Contribuição Sindical"), .linha = 0, .coluna = 0},
        {.pagina = "tsSindicais", .nome = "gbAssociativa", .titulo = QStringLiteral("Contribuição Associativa"), .linha = 1, .coluna = 0},
        {.pagina = "tsSindicais", .nome = "gbAssistencial", .titulo = QStringLiteral("Contribuição Assistencial"), .linha = 2, .coluna = 0},
        {.pagina = "tsSindicais", .nome = "gbConfederativa", .titulo = QStringLiteral("Contribuição Confederativa"), .linha = 3, .coluna = 0},
        {.pagina = "tsEconomicas", .nome = "gbCnae", .titulo = QStringLiteral("Atividade Econômica (CNAE 1.0)"), .linha = 0, .coluna = 0, .colunas = 2},
        {.pagina = "tsEconomicas", .nome = "gbNatureza", .titulo = QStringLiteral("Natureza Jurídica"), .linha = 1, .coluna = 0, .colunas = 2},
        {.pagina = "tsEconomicas", .nome = "gbProprietarios", .titulo = QStringLiteral("Proprietários"), .linha = 2, .coluna = 0},
        {.pagina = "tsEconomicas", .nome = "gbDataBase", .titulo = QStringLiteral("Data-Base"), .linha = 2, .coluna = 1},
        {.pagina = "tsEconomicasCont", .nome = "gbPorte", .titulo = QStringLiteral("Porte"), .linha = 0, .coluna = 0, .colunas = 2},
        {.pagina = "tsEconomicasCont", .nome = "gbSimples", .titulo = QStringLiteral("Optante pelo Simples"), .linha = 1, .coluna = 0},
        {.pagina = "tsEconomicasCont", .nome = "gbParticipaPat", .titulo = QStringLiteral("A empresa participa do PAT?"), .linha = 1, .coluna = 1},
        {.pagina = "tsPat", .nome = "gbPat", .titulo = QStringLiteral("Programa de Alimentação do Trabalhador (PAT)"), .linha = 0, .coluna = 0},
    };
}

std::string TfmDadosEstab::TipoDeclaracao() const { return Texto("rgTipoDeclaracao"); }
std::string TfmDadosEstab::CeiVinculado12() const { return CompletaZeros(Texto("edCeiVinculado"), 12); }

RegistroEstabelecimento TfmDadosEstab::Registro() const {
    RegistroEstabelecimento r;
    for (const auto& [nome, membro] : ligados_) r.*membro = Texto(nome);
    r.AnBase = anoBase_;
    r.CoCgcCeiEstabelecimento = inscricao_;
    r.NuPrefixoEstabelecimento = prefixo_;
    r.InInscrEstabelecimento = tipo_;
    r.CoCgcVinculado = "00" + CeiVinculado12();
    return r;
}

// Where a failure sends the user when the rule named another field than the one left.
QWidget* TfmDadosEstab::FocoDoRotulo(const char* lbl) {
    if (!lbl) return nullptr;
    const std::string r = lbl;
    if (r == rotulo::NumeroLogradouro) return Edicao("edNumero");
    if (r == rotulo::Municipio) return Edicao("edMunicipio");
    if (r == rotulo::Cep) return Edicao("edCep");
    if (r == rotulo::Ddd) return Edicao("edDdd");
    if (r == rotulo::ZoviNegativa) return Opcoes("rgTipoDeclaracao")->Botoes().first();
    if (r == rotulo::DataEncerramento) {
        auto* data = Edicao("edDataEncerramento");
        return data->isEnabled() ? static_cast<QWidget*>(data) : Controle("cbEncerrou");
    }
    return nullptr;
}

Critica TfmDadosEstab::Cadeia(const CadeiaCampo& cadeia, QWidget* foco) {
    const RegistroEstabelecimento r = Registro();
    const DadosEstabelecimento d{r, ref_};
    const auto resultado = CriticaFormulario([&](PassosCritica& p) { cadeia(d, p); });
    if (!fPassou(resultado.codigo)) return {resultado.codigo, foco ? foco : FocoDoRotulo(resultado.rotulo)};
    // A warning is shown when the field is left and never stops.
    if (!resultado.avisos.empty()) return {resultado.avisos.front(), nullptr, true};
    return {};
}

Critica TfmDadosEstab::Cadeia(void (*cadeia)(const DadosEstabelecimento&, int, PassosCritica&), int i) {
    return Cadeia([cadeia, i](const DadosEstabelecimento& d, PassosCritica& p) { cadeia(d, i, p); });
}

Critica TfmDadosEstab::Endereco(void (*cadeia)(const zovi::Endereco&, PassosCritica&)) {
    return Cadeia([cadeia](const DadosEstabelecimento& d, PassosCritica& p) { cadeia(EnderecoEstabelecimento(d.e), p); });
}

// An amount typed is first read as money; what is not an amount never reaches the rules.
Critica TfmDadosEstab::RegraValor(const QString& nome, int i) {
    const std::string formatado = fAparaTexto(FormataValor(Edicao(nome)->text().trimmed().toStdString()));
    if (formatado == "Erro" || (!formatado.empty() && formatado.front() == '-')) return {"0040"};
    if (Texto(nome) == "Erro") return {"0315"};
    return Cadeia(CadeiaValorContribuicao, i);
}

std::vector<CampoDeclarado> TfmDadosEstab::Campos() {
    using V = ValorCampo;
    using C = ControleCampo;
    const QString mascaraCnpj = QStringLiteral("99.999.999/9999-99");
    // i: the contribution (0 union, 1 associative, 2 assistance, 3 confederative).
    auto campoCnpj = [&](const char* nome, const char* campo, const char* grupo, int i) {
        return CampoDeclarado{.nome = nome, .rotulo = "CNPJ", .campo = campo, .largura = 14, .valor = V::Codigo,
                              .mascara = mascaraCnpj, .grupo = grupo,
                              .regra = [this, i] { return Cadeia(CadeiaCnpjContribuicao, i); }};
    };
    auto campoValor = [&](const char* nome, const char* campo, const char* grupo, int i) {
        return CampoDeclarado{.nome = nome, .rotulo = "Valor Total", .campo = campo, .largura = 8, .valor = V::Dinheiro,
                              .grupo = grupo, .coluna = 1, .regra = [this, nome, i] { return RegraValor(nome, i); }};
    };
    // i: the percentage's place in CadeiaPercentualPat.
    auto percentual = [&](const char* nome, const char* rotulo, const char* campo, int linha, int coluna, int i) {
        return CampoDeclarado{.nome = nome, .rotulo = QString::fromUtf8(rotulo), .campo = campo, .largura = 3,
                              .valor = V::Numero, .grupo = "gbPat", .linha = linha, .coluna = coluna,
                              .saidaSoPreenchido = false, .regra = [this, i] { return Cadeia(CadeiaPercentualPat, i); }};
    };

    std::vector<CampoDeclarado> c = {
        // Header: shown by the form, not checked.
        {.nome = "edInscricao", .rotulo = "Inscrição CNPJ/CEI", .largura = 18, .controle = C::Leitura, .grupo = "gbIdentificacao"},
        {.nome = "edTipoInscricao", .largura = 4, .controle = C::Leitura, .grupo = "gbIdentificacao", .coluna = 1},
        {.nome = "edPrefixo", .rotulo = "Prefixo", .largura = 2, .controle = C::Leitura, .grupo = "gbIdentificacao", .coluna = 2},
        {.nome = "edTotalEmpregados", .rotulo = "Total Empregados", .largura = 6, .controle = C::Leitura, .grupo = "gbNome", .linha = 1, .coluna = 1},
        {.nome = "rgTipoDeclaracao", .campo = "InZoviNegEstabelecimento", .largura = 1, .controle = C::Opcoes,
         .grupo = "gbTipoDeclaracao", .opcoes = "Com Empregados=0|Sem Empregados=1"},
        {.nome = "rgAtividade", .campo = "InAtividadeAnoBase", .largura = 1, .controle = C::Opcoes, .grupo = "gbAtividade",
         .opcoes = QStringLiteral("Sim=1|Não=2")},

        // Every checked field, in the order "&Ok" checks them.
        {.nome = "edCeiVinculado", .rotulo = "CEI Vinculado", .largura = 12, .valor = V::Codigo, .mascara = "99-999-99.999-9/9",
         .grupo = "gbIdentificacao", .coluna = 3,
         .regra = [this]() -> Critica {
             const std::string cei = Texto("edCeiVinculado");
             if (cei.empty() || fTodosZeros(cei)) {
                 Edicao("edCeiVinculado")->clear();
                 return {};
             }
             auto r = Cadeia(CadeiaCeiVinculado);
             // A CEI establishment has no linked CEI: the box is emptied and "&Ok" is next.
             if (r.codigo == "0350") {
                 Edicao("edCeiVinculado")->clear();
                 r.foco = btOk_;
             }
             return r;
         }},
        {.nome = "edRazao", .rotulo = "Nome/Firma/Razão Social do Estabelecimento", .campo = "NoRazaoEstabelecimento",
         .largura = 52, .valor = V::Maiusculas, .grupo = "gbNome",
         .regra = [this] {
             PoeTexto("edRazao", Maiusculas(Texto("edRazao")));
             return Cadeia(CadeiaRazaoSocial);
         }},
        {.nome = "edUso", .rotulo = "Para Uso da Empresa", .campo = "TxUsoEstabelecimento", .largura = 12,
         .valor = V::Maiusculas, .grupo = "gbNome", .linha = 1,
         .regra = [this] { return Cadeia(CadeiaUso); }},
        {.nome = "cbEncerrou", .campo = "InEncerramentoAtividade", .largura = 1, .controle = C::Marca,
         .grupo = "gbEncerramento", .opcoes = "Encerrou as Atividades"},
        {.nome = "edDataEncerramento", .rotulo = "Data de Encerramento", .campo = "DaEncerramentoAtividade", .largura = 8,
         .valor = V::Data, .mascara = "99/99/9999", .grupo = "gbEncerramento", .linha = 1,
         .regra = [this] { return Cadeia(CadeiaEncerramento); }},
        {.nome = "edLogradouro", .rotulo = "Logradouro ( rua, avenida, praça, ... )", .campo = "EdEstabelecimento",
         .largura = 40, .valor = V::Maiusculas, .grupo = "gbEndereco", .colunas = 3,
         .regra = [this] { return Endereco(CadeiaLogradouro); }},
        {.nome = "edNumero", .rotulo = "Número", .campo = "NuEnderecoEstabelecimento", .largura = 6, .valor = V::Numero,
         .grupo = "gbEndereco", .linha = 1, .saidaSoPreenchido = false,
         .regra = [this] { return Endereco(CadeiaNumero); }},
        {.nome = "edComplemento", .rotulo = "Complemento ( apto, sala... )", .campo = "TxComplemEstabelecimento",
         .largura = 21, .valor = V::Maiusculas, .grupo = "gbEndereco", .linha = 1, .coluna = 1, .saidaSoPreenchido = false,
         .regra = [this] {
             PoeTexto("edComplemento", Maiusculas(Texto("edComplemento")));
             return Endereco(CadeiaComplemento);
         }},
        {.nome = "edBairro", .rotulo = "Bairro/Distrito", .campo = "NoBairroEstabelecimento", .largura = 19,
         .valor = V::Maiusculas, .grupo = "gbEndereco", .linha = 2, .saidaSoPreenchido = false,
         .regra = [this] {
             PoeTexto("edBairro", Maiusculas(Texto("edBairro")));
             return Endereco(CadeiaBairro);
         }},
        {.nome = "edCep", .rotulo = "CEP", .campo = "CoCepEstabelecimento", .largura = 8, .valor = V::Codigo,
         .mascara = "99999-999", .grupo = "gbEndereco", .linha = 2, .coluna = 1, .saidaSoPreenchido = false,
         .regra = [this] { return Endereco(CadeiaCep); }},
        {.nome = "edMunicipio", .rotulo = "Código", .campo = "CoMunicipio", .largura = 7, .valor = V::Codigo,
         .mascara = "99-99999", .grupo = "gbMunicipio",
         .regra = [this]() -> Critica {
             ResultadoMunicipioCep lido;
             auto r = Cadeia([&lido](const DadosEstabelecimento& d, PassosCritica& p) {
                 CadeiaMunicipio(EnderecoEstabelecimento(d.e), d.ref, p, &lido);
             });
             PoeTexto("edNomeMunicipio", lido.nomeMunicipio);
             PoeTexto("edUf", lido.siglaUf);
             return r;
         }},
        {.nome = "sbMunicipio", .largura = 3, .controle = C::Botao, .grupo = "gbMunicipio", .coluna = 1},
        {.nome = "edNomeMunicipio", .rotulo = "Nome", .campo = "NoMunicEstabelecimento", .largura = 30,
         .controle = C::Leitura, .grupo = "gbMunicipio", .coluna = 2},
        {.nome = "edUf", .rotulo = "UF", .campo = "SgUf", .largura = 2, .controle = C::Leitura, .grupo = "gbMunicipio", .coluna = 3},
        {.nome = "edDdd", .rotulo = "DDD", .campo = "NuDDD", .largura = 2, .valor = V::Codigo, .mascara = "00",
         .grupo = "gbTelefone", .saidaSoPreenchido = false,
         .regra = [this] {
             return Cadeia([](const DadosEstabelecimento& d, PassosCritica& p) {
                 CadeiaDdd(EnderecoEstabelecimento(d.e), d.ref, p);
             });
         }},
        {.nome = "edTelefone", .rotulo = "Número", .campo = "NuTelefone", .largura = 8, .valor = V::Codigo,
         .mascara = "00000000", .grupo = "gbTelefone", .coluna = 1, .saidaSoPreenchido = false,
         .regra = [this] { return Endereco(CadeiaTelefone); }},
        {.nome = "edEmail", .rotulo = "Correio Eletrônico (e-mail do estabelecimento) ", .campo = "TxEmailEstabelecimento",
         .largura = 45, .valor = V::Maiusculas, .grupo = "gbEmail", .saidaSoPreenchido = false,
         .regra = [this] {
             PoeTexto("edEmail", Maiusculas(Texto("edEmail")));
             return Cadeia(CadeiaEmail);
         }},
        campoCnpj("edCnpjSindical", "CoCNPJSindical", "gbSindical", 0),
        {.nome = "edCnpjAssociativa", .rotulo = "CNPJ", .campo = "CoCNPJAssociativa", .largura = 14, .valor = V::Codigo,
         .mascara = mascaraCnpj, .grupo = "gbAssociativa", .saidaSoPreenchido = false, .criticaNaSaida = false,
         .regra = [this]() -> Critica {
             // An establishment of a legal nature of group 2 is asked whether it is unionised.
             if (Texto("edCnpjAssociativa").empty() && Texto("edNatureza").substr(0, 1) == "2") {
                 const auto r = dialogos_.Caixa(ServicoDialogos::TituloTipo(TipoDialogo::Confirmacao),
                                                QStringLiteral("Sindicalizada, SIM ou NÃO?"), QMessageBox::Question,
                                                {Resposta::Sim, Resposta::Nao}, this);
                 if (r == Resposta::Sim) return {"", Edicao("edCnpjAssociativa")};
             }
             return Cadeia(CadeiaCnpjContribuicao, 1);
         }},
        campoCnpj("edCnpjAssistencial", "CoCNPJAssistencial", "gbAssistencial", 2),
        campoCnpj("edCnpjConfederativa", "CoCNPJConfederativa", "gbConfederativa", 3),
        campoValor("edValorSindical", "VaGlobalSindical", "gbSindical", 0),
        campoValor("edValorAssociativa", "VaGlobalAssociativa", "gbAssociativa", 1),
        campoValor("edValorAssistencial", "VaGlobalAssistencial", "gbAssistencial", 2),
        campoValor("edValorConfederativa", "VaGlobalConfederativa", "gbConfederativa", 3),
        {.nome = "edCnae", .rotulo = "Código", .campo = "CoCnae", .largura = 5, .valor = V::Codigo, .mascara = "99.99-9",
         .grupo = "gbCnae", .saidaSoPreenchido = false,
         .regra = [this] { return Cadeia(CadeiaCnae); }},
        {.nome = "sbCnae", .largura = 3, .controle = C::Botao, .grupo = "gbCnae", .coluna = 1},
        {.nome = "edNoCnae", .rotulo = "Classificação", .largura = 52, .controle = C::Leitura, .grupo = "gbCnae", .linha = 1, .colunas = 3},
        {.nome = "edNatureza", .rotulo = "Código", .campo = "CoNaturezaJuridica", .largura = 4, .valor = V::Codigo,
         .mascara = "999-9", .grupo = "gbNatureza", .saidaSoPreenchido = false,
         .regra = [this] { return Cadeia(CadeiaNatureza); }},
        {.nome = "sbNatureza", .largura = 3, .controle = C::Botao, .grupo = "gbNatureza", .coluna = 1},
        {.nome = "edNoNatureza", .rotulo = "Descrição", .largura = 52, .controle = C::Leitura, .grupo = "gbNatureza", .linha = 1, .colunas = 3},
        {.nome = "edProprietarios", .campo = "NuProprietEstabelecimento", .largura = 2,
         .valor = V::Numero, .grupo = "gbProprietarios",
         .regra = [this] { return Cadeia(CadeiaProprietarios); }},
        {.nome = "edMesDataBase", .rotulo = "Mês", .campo = "MeDataBase", .largura = 2, .valor = V::Numero,
         .grupo = "gbDataBase", .saidaSoPreenchido = false,
         .regra = [this] { return Cadeia(CadeiaMesDataBase); }},
        {.nome = "rgPorte", .campo = "InPorte", .largura = 1, .controle = C::Opcoes, .grupo = "gbPorte",
         .opcoes = QStringLiteral("Microempresa=1|Empresa de Pequeno Porte=2|Empresa/orgão não classificados nos ítens anteriores=3"),
         .regra = [this] { return Cadeia(CadeiaPorte); }},
        {.nome = "rgSimples", .campo = "InOptanteSimples", .largura = 1, .controle = C::Opcoes, .grupo = "gbSimples",
         .opcoes = QStringLiteral("Sim=1|Não=2"),
         .regra = [this]() -> Critica {
             if (!Controle("rgSimples")->isEnabled()) return {};
             return Cadeia(CadeiaSimples);
         }},
        {.nome = "rgPat", .campo = "InParticipaPAT", .largura = 1, .controle = C::Opcoes, .grupo = "gbParticipaPat",
         .opcoes = QStringLiteral("Sim=1|Não=2"),
         .regra = [this]() -> Critica {
             const auto r = Cadeia(CadeiaParticipaPat);
             if (r.Passou()) return {};
             MostraMensagem(r.codigo);
             const auto resposta = dialogos_.Caixa(ServicoDialogos::TituloTipo(TipoDialogo::Confirmacao),
                                                   QStringLiteral("A empresa participa do PAT ?"), QMessageBox::Question,
                                                   {Resposta::Sim, Resposta::Nao}, this);
             const QString valor = resposta == Resposta::Sim ? QStringLiteral("1") : QStringLiteral("2");
             Opcoes("rgPat")->PoeValor(valor);
             emit Opcoes("rgPat")->Escolhido(valor);
             if (valor == QLatin1String("1")) AoSairDoCampo("rgPat");
             QWidget* foco = resposta == Resposta::Sim ? static_cast<QWidget*>(Edicao("edPatMaior5")) : Opcoes("rgPat")->Botao("2");
             return {"", foco};
         }},
        {.nome = "edPatMaior5", .rotulo = "Vinculos > 5 SM", .campo = "NuVinculoPatMaior5", .largura = 6,
         .valor = V::Numero, .grupo = "gbPat", .saidaSoPreenchido = false,
         .regra = [this] { return Cadeia(CadeiaPatAcimaCinco); }},
        {.nome = "edPatMenor5", .rotulo = "Vinculos <= 5 SM", .campo = "NuVinculoPatMenor5", .largura = 6,
         .valor = V::Numero, .grupo = "gbPat", .coluna = 1, .saidaSoPreenchido = false,
         .regra = [this]() -> Critica {
             QWidget* foco = Controle("gbPat")->isEnabled() ? static_cast<QWidget*>(Edicao("edPatMenor5"))
                                                            : Opcoes("rgPat")->Botao(QString::fromStdString(Texto("rgPat")));
             return Cadeia(CadeiaPatAteCinco, foco);
         }},
        percentual("edAdmCozinha", "Administração de Cozinhas (%)", "PoAdmCozinha", 1, 0, 1),
        percentual("edServicoProprio", "Serviço Próprio (%)", "PoServicoProprio", 2, 0, 0),
        percentual("edRefeicaoTransportada", "Refeições Transportadas (%)", "PoRefeicaoTransportadora", 3, 0, 3),
        percentual("edRefeicaoConvenio", "Refeição Convênio (%)", "PoRefeicaoConvenio", 1, 1, 2),
        percentual("edCestaAlimento", "Cesta de Alimentos (%)", "PoCestaAlimento", 2, 1, 4),
        percentual("edAlimentacaoConvenio", "Alimentação Convênio (%)", "PoAlimentacaoConvenio", 3, 1, 5),
    };
    // The last percentage also judges the six together.
    c.back().regra = [this]() -> Critica {
        const Critica r = Cadeia(CadeiaPercentualPat, kPercentuaisPat - 1);
        if (!r.Passou() && !r.aviso) return r;
        const Critica conjunto = Cadeia(CadeiaPercentuaisPat);
        return conjunto.Passou() ? r : conjunto;
    };
    // The bound fields, for reading the record from the screen.
    for (const auto& campo : c) {
        if (campo.campo.empty()) continue;
        for (const auto& [nome, membro] : CamposEstabelecimento())
            if (MesmoNome(nome, campo.campo)) ligados_.emplace_back(campo.nome, membro);
    }
    return c;
}

}  // namespace zovi::gui

namespace zovi::gui {

void TfmDadosEstab::DefineEstabelecimento(const std::string& anoBase, const std::string& inscricao,
                                          const std::string& prefixo, bool novo) {
    anoBase_ = anoBase;
    inscricao_ = inscricao;
    prefixo_ = prefixo;
    novo_ = novo;
    precisaAbrir_ = true;
}

void TfmDadosEstab::showEvent(QShowEvent* e) {
    FormularioDeclarado::showEvent(e);
    if (!precisaAbrir_) return;
    precisaAbrir_ = false;
    Abre();
}

void TfmDadosEstab::Abre() {
    saida_ = Saida::Cancelada;
    for (auto* edicao : findChildren<QLineEdit*>()) edicao->clear();
    auto& t = entrada_.ta8Empresa;
    if (!t.Aberta()) t.Abre();
    existe_ = t.BuscaChave({anoBase_, inscricao_, prefixo_});
    if (!existe_) {
        MostraMensagem("1006");
        return;
    }
    if (!novo_) VerificaOpcaoAberta(dm_.dbZovi, mensagens_, anoBase_, inscricao_, prefixo_);
    t.BuscaChave({anoBase_, inscricao_, prefixo_});
    CarregaRegistro(t);
    AplicaPorte();
    if (t.Logico("InAvisoCnae")) {
        MostraMensagem("3517");
        t.Edita();
        t.PoeLogico("InAvisoCnae", false);
        t.Grava();
    }
}

void TfmDadosEstab::CarregaRegistro(Tabela& t) {
    Carrega(t);
    tipo_ = fAparaTexto(t.Texto("InInscrEstabelecimento")) == "1" ? "1" : "3";
    PoeTexto("edInscricao", FormataInscricao(inscricao_, tipo_));
    Edicao("edTipoInscricao")->setText(tipo_ == "1" ? QStringLiteral("CNPJ") : QStringLiteral("CEI"));
    PoeTexto("edPrefixo", prefixo_);
    const std::string vinculado = fAparaTexto(t.Texto("CoCgcVinculado"));
    PoeTexto("edCeiVinculado", fTodosZeros(vinculado) || vinculado.size() < 3 ? std::string() : vinculado.substr(2));
    Edicao("edCeiVinculado")->setEnabled(tipo_ == "1");

    const long empregados = entrada_.ContaEmpregados(anoBase_, inscricao_, prefixo_);
    const bool semEmpregados = TipoDeclaracao() == "1";
    Edicao("edTotalEmpregados")->setText(QString::number(semEmpregados ? 0 : empregados));
    // Fields holding only zeros show empty.
    for (const char* nome : {"edCep", "edMunicipio", "edCnae", "edNatureza", "edDataEncerramento", "edCnpjSindical",
                             "edCnpjAssociativa", "edCnpjAssistencial", "edCnpjConfederativa"})
        if (fTodosZeros(Texto(nome))) Edicao(nome)->clear();
    MostraDescricoes();
    AplicaTipoDeclaracao(false);
    if (Texto("rgAtividade").empty()) PoeTexto("rgAtividade", "1");
    if (Texto("rgSimples").empty()) PoeTexto("rgSimples", "2");
    Controle("gbPat")->setEnabled(false);
    Edicao("edDataEncerramento")->setEnabled(Texto("cbEncerrou") == "1");
    AtualizaAnoBase();

    t.Edita();
    t.PoeTexto("InOpcaoAberta", "0");
    t.Grava();
    abas_->setCurrentIndex(0);
    Edicao("edLogradouro")->setFocus();
}

void TfmDadosEstab::MostraDescricoes() {
    auto descricao = [](Tabela& tabela, const std::string& codigo, const char* campo) {
        if (fVazioOuZeros(codigo) || !tabela.BuscaChave({codigo})) return QString();
        return QString::fromStdString(Cp1252ParaUtf8(fAparaTexto(tabela.Texto(campo))));
    };
    Edicao("edNoCnae")->setText(descricao(dm_.taCNAE, Texto("edCnae"), "NoCnae"));
    Edicao("edNoNatureza")->setText(descricao(dm_.taNatJu, Texto("edNatureza"), "NoNaturezaJuridica"));
    // Long descriptions are read in full in the hint.
    for (const char* nome : {"edNoCnae", "edNoNatureza"}) {
        Edicao(nome)->setCursorPosition(0);
        Edicao(nome)->setToolTip(Edicao(nome)->text());
    }
}

void TfmDadosEstab::AplicaPorte() {
    auto* simples = Opcoes("rgSimples");
    if (Texto("rgPorte") == "3") {
        simples->PoeValor("");
        simples->setEnabled(false);
    } else if (!simples->isEnabled()) {
        simples->setEnabled(true);
        simples->PoeValor("2");
    }
}

void TfmDadosEstab::AplicaTipoDeclaracao(bool comAvisos) {
    const bool semEmpregados = TipoDeclaracao() == "1";
    Controle("rgAtividade")->setEnabled(semEmpregados);
    btVinculos_->setEnabled(!semEmpregados);
    if (!comAvisos) return;
    if (semEmpregados) {
        if (tipo_ == "1") {
            const auto r = Cadeia(CadeiaTipoDeclaracao);
            MostraMensagem(r.Passou() ? "1007" : r.codigo);
        } else {
            MostraMensagem("0133");
        }
        MostraAvisoSemEmpregados(dm_.dbZovi, dialogos_, this);
    }
    Opcoes("rgTipoDeclaracao")->Botao(QString::fromStdString(TipoDeclaracao()))->setFocus();
}

void TfmDadosEstab::AtualizaAnoBase() {
    const std::string data = Texto("edDataEncerramento");
    const bool em2006 = Texto("cbEncerrou") == "1" && data.size() == 8 && data.substr(4) == "2006";
    laAnoBase_->setText(em2006 ? QStringLiteral("Ano-Base 2006") : QStringLiteral("Ano-Base 2005"));
}

void TfmDadosEstab::AoSairDoCampo(const QString& nome) {
    if (nome == QLatin1String("edDataEncerramento")) {
        AtualizaAnoBase();
        const std::string data = Texto(nome);
        if (data.size() == 8 && data.substr(4) == "2006")
            dialogos_.Caixa(QStringLiteral("Atenção"), QString::fromUtf8(kTextoEncerramento2006), QMessageBox::Warning,
                            {Resposta::Ok}, this);
    } else if (nome == QLatin1String("edMunicipio") && Texto(nome).empty()) {
        Edicao("edNomeMunicipio")->clear();
        Edicao("edUf")->clear();
    } else if (nome == QLatin1String("edEmail")) {
        AbrePaginaDe(Edicao("edCnpjSindical"));
        Edicao("edCnpjSindical")->setFocus();
    } else if (nome == QLatin1String("edValorConfederativa")) {
        AbrePaginaDe(Edicao("edCnae"));
        Edicao("edCnae")->setFocus();
    } else if (nome == QLatin1String("edCnae") || nome == QLatin1String("edNatureza")) {
        MostraDescricoes();
    } else if (nome == QLatin1String("edMesDataBase")) {
        AbrePaginaDe(Controle("rgPorte"));
        if (auto* b = Opcoes("rgPorte")->Botao(QString::fromStdString(Texto("rgPorte"))))
            b->setFocus();
        else
            Opcoes("rgPorte")->Botoes().first()->setFocus();
    } else if (nome == QLatin1String("rgPat") && Texto("rgPat") == "1") {
        QWidget* destino = QApplication::focusWidget();
        if (destino == Opcoes("rgPat")->Botao("2")) return;
        Controle("gbPat")->setEnabled(true);
        AbrePaginaDe(Edicao("edPatMaior5"));
        Edicao("edPatMaior5")->setFocus();
    }
}

bool TfmDadosEstab::GravaRegistro() {
    if (!CriticaTodos()) return false;
    if (const auto negativa = Cadeia(CadeiaTipoDeclaracao); !negativa.Passou()) {
        Falha(negativa.codigo, Opcoes("rgTipoDeclaracao")->Botoes().first());
        return false;
    }
    const bool semEmpregados = TipoDeclaracao() == "1";
    const bool apagaEmpregados = semEmpregados && entrada_.ContaEmpregados(anoBase_, inscricao_, prefixo_) > 0;
    if (apagaEmpregados && PerguntaNao("1005") != "mrYes") return false;

    Transacao transacao(dm_.dbZovi);
    if (apagaEmpregados) {
        Consulta apaga(dm_.dbZovi, {"delete from BD8VINC", "where AnBase = :AnBase and CoCgcCeiEstabelecimento = :Inscricao",
                                    "and NuPrefixoEstabelecimento = :Prefixo"});
        apaga.Parametro("AnBase", anoBase_);
        apaga.Parametro("Inscricao", inscricao_);
        apaga.Parametro("Prefixo", prefixo_);
        apaga.Executa();
    }
    const long empregados = entrada_.ContaEmpregados(anoBase_, inscricao_, prefixo_);
    const long estrangeiros = entrada_.ContaEstrangeiros(anoBase_, inscricao_, prefixo_);
    auto& t = entrada_.ta8Empresa;
    if (!t.BuscaChave({anoBase_, inscricao_, prefixo_})) {
        MostraMensagem("1006");
        return false;
    }
    t.Edita();
    Descarrega(t);
    t.PoeTexto("CoCgcVinculado", "00" + CeiVinculado12());
    t.PoeTexto("NuVinculosEstabelecimento", CompletaZeros(std::to_string(empregados), 6));
    t.PoeTexto("NuEstrangeirosEstabelec", CompletaZeros(std::to_string(estrangeiros), 5));
    if (Texto("rgAtividade").empty()) t.PoeTexto("InAtividadeAnoBase", "1");
    if (!Controle("rgSimples")->isEnabled()) t.PoeTexto("InOptanteSimples", "2");
    t.PoeTexto("InOpcaoAberta", "0");
    t.Grava();
    transacao.Confirma();
    Edicao("edTotalEmpregados")->setText(QString::number(semEmpregados ? 0 : empregados));
    return true;
}

void TfmDadosEstab::Ok() {
    if (QApplication::focusWidget() == btCancelar_ || QApplication::focusWidget() == btVinculos_) return;
    if (!GravaRegistro()) return;
    // A declaration with employees goes on to them, as "&Vinculos" does.
    if (TipoDeclaracao() == "0" && abreEmpregados_) {
        AbreEmpregados();
        return;
    }
    saida_ = Saida::Gravada;
    accept();
}

void TfmDadosEstab::Vinculos() {
    if (!GravaRegistro()) return;
    if (!abreEmpregados_) {
        dialogos_.Mensagem(TipoDialogo::Informacao,
                           QStringLiteral("Esta opção ainda não está disponível nesta versão."), this);
        return;
    }
    AbreEmpregados();
}

// The employees take this form's place; it closes when they return.
void TfmDadosEstab::AbreEmpregados() {
    EstabelecimentoEmpregados contexto{anoBase_, inscricao_, tipo_, prefixo_, Texto("edRazao")};
    const std::string data = Texto("edDataEncerramento");
    contexto.encerra2006 = Texto("cbEncerrou") == "1" && data.size() == 8 && data.substr(4) == "2006";
    saida_ = Saida::Empregados;
    hide();
    abreEmpregados_(contexto);
    accept();
}

void TfmDadosEstab::Cancela() {
    // Enter keeps the edits: "Não" is the button preselected.
    const auto r = dialogos_.Caixa(QStringLiteral("Confirmação"), QString::fromUtf8(kTextoSaida), QMessageBox::Question,
                                   {Resposta::Sim, Resposta::Nao}, this, Resposta::Nao);
    if (r != Resposta::Sim) {
        Edicao("edRazao")->setFocus();
        return;
    }
    auto& t = entrada_.ta8Empresa;
    if (novo_ && t.BuscaChave({anoBase_, inscricao_, prefixo_})) t.Apaga();
    saida_ = Saida::Cancelada;
    QDialog::reject();
}

void TfmDadosEstab::LiberaMarcador() {
    auto& t = entrada_.ta8Empresa;
    if (!t.Aberta() || !t.BuscaChave({anoBase_, inscricao_, prefixo_})) return;
    t.Edita();
    t.PoeTexto("InOpcaoAberta", "");
    t.Grava();
}

void TfmDadosEstab::done(int resultado) {
    LiberaMarcador();
    FormularioDeclarado::done(resultado);
}

}  // namespace zovi::gui
