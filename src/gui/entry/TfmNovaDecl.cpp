#include "entry/TfmNovaDecl.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>

#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "entry/TfmSemEmpregados.h"
#include "messages/Formatacao.h"
#include "messages/Mensagens.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEstabelecimento.h"

namespace zovi::gui {

namespace {

// The help page with an entry for each field ("nova.html").
constexpr int kTopicoAjuda = 831;

constexpr const char* kAnoBase = "2005";

// Copied from an establishment of the same inscription under another prefix.
const char* const kCamposCopiados[] = {
    "InZoviNegEstabelecimento", "AnBase", "CoCgcVinculado", "NoRazaoEstabelecimento", "TxUsoEstabelecimento",
    "EdEstabelecimento", "NuEnderecoEstabelecimento", "TxComplemEstabelecimento", "NoBairroEstabelecimento",
    "CoCepEstabelecimento", "CoMunicipio", "NoMunicEstabelecimento", "SgUf", "CoCnae", "CoNaturezaJuridica",
    "NuProprietEstabelecimento", "MeDataBase", "NuDDD", "NuTelefone", "InOptanteSimples", "InEncerramentoAtividade",
    "DaEncerramentoAtividade", "InPorte", "InParticipaPAT", "NuVinculoPatMaior5", "NuVinculoPatMenor5", "PoAdmCozinha",
    "PoServicoProprio", "PoRefeicaoConvenio", "PoRefeicaoTransportadora", "PoCestaAlimento", "PoAlimentacaoConvenio",
    "CoCNPJSindical", "CoCNPJAssociativa", "CoCNPJAssistencial", "CoCNPJConfederativa"};

// What a new row holds besides the fields typed in the wizard.
const std::pair<const char*, const char*> kPadroes[] = {
    {"EdEstabelecimento", ""}, {"NuEnderecoEstabelecimento", "000000"}, {"TxComplemEstabelecimento", ""},
    {"NoBairroEstabelecimento", ""}, {"CoCepEstabelecimento", "00000000"}, {"CoMunicipio", "0000000"},
    {"NoMunicEstabelecimento", ""}, {"SgUf", ""}, {"CoCnae", "00000"}, {"CoNaturezaJuridica", "0000"},
    {"NuProprietEstabelecimento", "00"}, {"MeDataBase", "00"}, {"NuDDD", ""}, {"NuTelefone", ""},
    {"NuVinculosEstabelecimento", "000000"}, {"NuEstrangeirosEstabelec", "00000"}, {"InEncerramentoAtividade", "2"},
    {"DaEncerramentoAtividade", ""}, {"InPorte", "3"}, {"InParticipaPAT", ""}, {"NuVinculoPatMaior5", ""},
    {"NuVinculoPatMenor5", ""}, {"PoAdmCozinha", ""}, {"PoServicoProprio", ""}, {"PoRefeicaoConvenio", ""},
    {"PoRefeicaoTransportadora", ""}, {"PoCestaAlimento", ""}, {"PoAlimentacaoConvenio", ""},
    {"InOpcaoAberta", "0"}, {"CoCNPJSindical", ""}, {"CoCNPJAssociativa", ""}, {"CoCNPJAssistencial", ""},
    {"CoCNPJConfederativa", ""}, {"VaGlobalSindical", "00000000"}, {"VaGlobalAssociativa", "00000000"},
    {"VaGlobalAssistencial", "00000000"}, {"VaGlobalConfederativa", "00000000"}};

}  // namespace

TfmNovaDecl::TfmNovaDecl(TdmGDZovi& dm, ServicoDialogos& dialogos, Mensagens& mensagens, AbreEstabelecimento abre,
                         QWidget* pai)
    : FormularioDeclarado(dialogos, mensagens, pai), dm_(dm), abre_(std::move(abre)) {
    setObjectName("fmNovaDecl");
    DefineTopicoAjuda(kTopicoAjuda);
    setWindowTitle(QStringLiteral("GDZovi - Nova Declaração"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* pagina = new QWidget(this);
    AdicionaPagina(pagina, "paNovaDecl");
    auto* laAno = new QLabel(QStringLiteral("Declaração Ano-Base 2005"), this);
    laAno->setObjectName("laAnoBase");
    QFont negrito = laAno->font();
    negrito.setBold(true);
    laAno->setFont(negrito);
    btOk_ = new QPushButton(QStringLiteral("&Ok"), this);
    btOk_->setObjectName("btOk");
    btCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    btCancelar_->setObjectName("btCancelar");
    for (auto* b : {btOk_, btCancelar_}) b->setAutoDefault(false);
    connect(btOk_, &QPushButton::clicked, this, &TfmNovaDecl::Ok);
    connect(btCancelar_, &QPushButton::clicked, this, &TfmNovaDecl::Cancela);

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(laAno);
    botoes->addStretch();
    botoes->addWidget(btOk_);
    botoes->addWidget(btCancelar_);
    auto* caixa = new QVBoxLayout(this);
    caixa->addWidget(Rolavel(pagina), 1);
    caixa->addLayout(botoes);

    MontaCampos(Grupos(), Campos());
    // Into the radio groups or towards "&Cancelar" the field just left is not judged.
    IgnoraSaidaPara({"btCancelar", "rgTipoDeclaracao0", "rgTipoDeclaracao1", "rgAtividade1", "rgAtividade2"});
    // Digits only while typed; the recognised inscription is shown with its mask when left.
    Edicao("edInscricao")->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edicao("edInscricao")));
    Edicao("edInscricao")->setMaxLength(14);
    connect(Opcoes("rgTipoDeclaracao"), &GrupoOpcoes::Escolhido, this, [this](const QString& valor) {
        const bool semEmpregados = valor == QLatin1String("1");
        Controle("rgAtividade")->setEnabled(semEmpregados);
        if (semEmpregados) MostraAvisoSemEmpregados(dm_.dbZovi, dialogos_, this);
    });
}

std::vector<GrupoDeclarado> TfmNovaDecl::Grupos() const {
    return {
        {.pagina = "paNovaDecl", .nome = "gbIniciais", .titulo = QStringLiteral("Informações Iniciais do Estabelecimento"), .linha = 0},
        {.pagina = "paNovaDecl", .nome = "gbUso", .titulo = QStringLiteral("Para uso da empresa "), .linha = 1},
        {.pagina = "paNovaDecl", .nome = "gbAtividade",
         .titulo = QStringLiteral("Este estabelecimento/entidade exerceu atividade durante o ano de referência ?"), .linha = 2},
    };
}

std::vector<CampoDeclarado> TfmNovaDecl::Campos() {
    using V = ValorCampo;
    using C = ControleCampo;
    return {
        {.nome = "rgTipoDeclaracao", .rotulo = QStringLiteral("Tipo de Declaração"), .campo = "InZoviNegEstabelecimento",
         .largura = 1, .controle = C::Opcoes, .grupo = "gbIniciais", .opcoes = "Com Empregados=0|Sem Empregados=1", .colunas = 3},
        {.nome = "edInscricao", .rotulo = QStringLiteral("Inscrição CNPJ/CEI"), .largura = 18, .valor = V::Codigo,
         .grupo = "gbIniciais", .linha = 1, .regra = [this] { return RegraInscricao(); }},
        {.nome = "edTipoInscricao", .largura = 4, .controle = C::Leitura, .grupo = "gbIniciais", .linha = 1, .coluna = 1,
         .regra = [this]() -> Critica {
             std::string r = fCriticaInscricaoPorTipo(inscricao_, tipo_);
             if (!fPassou(r)) return {r, Edicao("edInscricao")};
             r = fCriticaZoviNegativaInscricao(Texto("rgTipoDeclaracao"), tipo_, CompletaZeros(Texto("edCeiVinculado"), 12));
             return {r, Opcoes("rgTipoDeclaracao")->Botoes().first()};
         }},
        {.nome = "edPrefixo", .rotulo = QStringLiteral("Prefixo"), .largura = 2, .valor = V::Maiusculas,
         .grupo = "gbIniciais", .linha = 1, .coluna = 2, .saidaSoPreenchido = false,
         .regra = [this]() -> Critica {
             if (Texto("edPrefixo").empty()) {
                 PoeTexto("edPrefixo", "00");
                 return {};
             }
             return {fCriticaPrefixo(Texto("edPrefixo"))};
         }},
        {.nome = "edCeiVinculado", .rotulo = QStringLiteral("CEI Vinculado"), .largura = 12, .valor = V::Codigo,
         .mascara = "99-999-99.999-9/9", .grupo = "gbIniciais", .linha = 2, .saidaSoPreenchido = false,
         .regra = [this]() -> Critica {
             const std::string cei = Texto("edCeiVinculado");
             if (cei.empty() || fTodosZeros(cei)) {
                 Edicao("edCeiVinculado")->clear();
                 return {};
             }
             const std::string completo = CompletaZeros("00" + cei, 14);
             std::string r = fCriticaCeiVinculado(completo);
             if (fPassou(r)) r = fCriticaCeiVinculadoTipo(tipo_, completo);
             if (!fPassou(r)) return {r};
             r = fCriticaZoviNegativaInscricao(Texto("rgTipoDeclaracao"), tipo_, CompletaZeros(cei, 12));
             return {r, Opcoes("rgTipoDeclaracao")->Botoes().first()};
         }},
        {.nome = "edRazao", .rotulo = QStringLiteral("Nome/Firma/Razão Social do Estabelecimento"),
         .campo = "NoRazaoEstabelecimento", .largura = 52, .valor = V::Maiusculas, .grupo = "gbIniciais", .linha = 3,
         .colunas = 3,
         .regra = [this]() -> Critica {
             PoeTexto("edRazao", Maiusculas(Texto("edRazao")));
             const std::string r = fCriticaRazaoSocial(Texto("edRazao"), inscricao_);
             return {r, r == "0053" ? Edicao("edInscricao") : nullptr};
         }},
        {.nome = "edUso", .rotulo = QStringLiteral("Identificação para uso exclusivo da empresa"),
         .campo = "TxUsoEstabelecimento", .largura = 12, .valor = V::Maiusculas, .grupo = "gbUso",
         .regra = [this] { return Texto("edUso").empty() ? Critica{} : Critica{fCriticaTextoUso(Texto("edUso"))}; }},
        {.nome = "rgAtividade", .campo = "InAtividadeAnoBase", .largura = 1, .controle = C::Opcoes, .grupo = "gbAtividade",
         .opcoes = QStringLiteral("Sim=1|Não=2")},
    };
}

void TfmNovaDecl::showEvent(QShowEvent* e) {
    FormularioDeclarado::showEvent(e);
    // Restored from the task bar: what was typed stays.
    if (e->spontaneous()) return;
    for (auto* edicao : findChildren<QLineEdit*>()) edicao->clear();
    digitado_.clear();
    inscricao_.clear();
    tipo_.clear();
    PoeTexto("rgTipoDeclaracao", "0");
    PoeTexto("rgAtividade", "1");
    Controle("rgAtividade")->setEnabled(false);
    Edicao("edCeiVinculado")->setEnabled(false);
    Edicao("edInscricao")->setFocus();
}

bool TfmNovaDecl::eventFilter(QObject* objeto, QEvent* e) {
    // While it is typed the inscription shows its digits only; recognised, it shows its mask.
    if (objeto == Edicao("edInscricao") && e->type() == QEvent::FocusIn && !tipo_.empty()) {
        Edicao("edInscricao")->setMaxLength(14);
        Edicao("edInscricao")->setText(QString::fromStdString(digitado_));
    }
    return FormularioDeclarado::eventFilter(objeto, e);
}

Critica TfmNovaDecl::RegraInscricao() {
    auto* campo = Edicao("edInscricao");
    const bool formatada = campo->text().contains(QLatin1Char('.')) || campo->text().contains(QLatin1Char('-'));
    if (!formatada) digitado_ = campo->text().trimmed().toStdString();
    const std::string valor = digitado_.size() == 12 ? "00" + digitado_ : digitado_;
    codigoInscricao_ = fCriticaInscricao(valor);
    const auto n = digitado_.size();
    std::string tipo;
    if (codigoInscricao_ == "0051") {
        if (n != 14) return {"1003"};
        tipo = "1";
    } else if (codigoInscricao_ == "0052") {
        if (n != 12) return {"1004"};
        tipo = "3";
    } else if (codigoInscricao_ == "0050") {
        if (n != 14 && n != 12) return {"1003"};
        tipo = n == 14 ? "1" : "3";
    } else if (codigoInscricao_ == "0053") {
        // The catalogue's text also speaks of the name, which is not typed yet: what is wrong
        // here is said beside it.
        MostraComExplicacao(codigoInscricao_, QStringLiteral("Os dígitos verificadores não conferem: os números "
                                                             "digitados não formam um CNPJ nem um CEI válido."));
        return {""};
    } else {
        return {codigoInscricao_};
    }
    if (CompletaZeros(valor, 14) != inscricao_) copiados_.clear();
    inscricao_ = CompletaZeros(valor, 14);
    Reconhece(tipo);
    return {};
}

void TfmNovaDecl::Reconhece(const std::string& tipo) {
    tipo_ = tipo;
    Edicao("edTipoInscricao")->setText(tipo == "1" ? QStringLiteral("CNPJ") : QStringLiteral("CEI"));
    Edicao("edCeiVinculado")->setEnabled(tipo == "1");
    if (tipo == "3") Edicao("edCeiVinculado")->clear();
    if (!Edicao("edInscricao")->hasFocus()) MostraInscricaoFormatada();
}

void TfmNovaDecl::MostraInscricaoFormatada() {
    auto* campo = Edicao("edInscricao");
    campo->setMaxLength(18);
    campo->setText(QString::fromStdString(FormataInscricao(inscricao_, tipo_)));
}

void TfmNovaDecl::AoSairDoCampo(const QString& nome) {
    if (nome == QLatin1String("edInscricao") && !tipo_.empty())
        MostraInscricaoFormatada();
    else if (nome == QLatin1String("edPrefixo"))
        TesteDuplicidade();
    else if (nome == QLatin1String("edRazao"))
        MostraMensagem("3625");
}

std::string TfmNovaDecl::Prefixo() const {
    const std::string p = Texto("edPrefixo");
    return p.empty() ? "00" : p;
}

std::string TfmNovaDecl::ChaveExistente() {
    Consulta qu(dm_.dbZovi, {"select AnBase,CoCgcCeiEstabelecimento,NuPrefixoEstabelecimento,InInscrEstabelecimento",
                             "from BD8Emp", "where AnBase = :sAnoBase and", "CoCgcCeiEstabelecimento = :sInscricao and",
                             "NuPrefixoEstabelecimento = :sPrefixo"});
    qu.Parametro("sAnoBase", kAnoBase);
    qu.Parametro("sInscricao", inscricao_);
    qu.Parametro("sPrefixo", Prefixo());
    qu.Abre();
    if (qu.Vazia()) return {};
    if (fAparaTexto(qu.Texto("InInscrEstabelecimento")) != tipo_) return codigoInscricao_ == "0050" ? "1009" : "1003";
    return "1000";
}

bool TfmNovaDecl::TesteDuplicidade() {
    copiados_.clear();
    if (tipo_.empty()) return true;
    if (const auto codigo = ChaveExistente(); !codigo.empty()) {
        Falha(codigo, Edicao("edPrefixo"));
        return false;
    }
    Tabela t(dm_.dbZovi, "BD8EMP");
    t.Abre();
    t.UsaIndicePrimario();
    if (!t.BuscaChave({kAnoBase, inscricao_})) return true;
    if (fAparaTexto(t.Texto("InInscrEstabelecimento")) != tipo_) {
        if (codigoInscricao_ == "0050") return true;
        Falha("1003", Edicao("edPrefixo"));
        return false;
    }
    if (MostraMensagem("1001") != "mrYes") return false;
    for (const char* campo : kCamposCopiados) copiados_.emplace_back(campo, t.Texto(campo));
    t.Fecha();
    MostraCopiados();
    // Checked as copied; when a check stops here, the copy still goes with a later "&Ok".
    if (!CriticaTodos()) return false;
    GravaNovo(copiados_);
    return false;
}

// What the wizard's own boxes hold of the establishment being copied, so that its checks judge
// the copied name and CEI Vinculado, not the empty boxes.
void TfmNovaDecl::MostraCopiados() {
    for (const auto& [campo, valor] : copiados_) {
        if (campo == "InZoviNegEstabelecimento") PoeTexto("rgTipoDeclaracao", valor);
        else if (campo == "NoRazaoEstabelecimento") PoeTexto("edRazao", valor);
        else if (campo == "TxUsoEstabelecimento") PoeTexto("edUso", valor);
        else if (campo == "CoCgcVinculado")
            PoeTexto("edCeiVinculado", tipo_ == "1" && valor.size() == 14 && !fTodosZeros(valor) ? valor.substr(2) : "");
    }
    Controle("rgAtividade")->setEnabled(Texto("rgTipoDeclaracao") == "1");
}

void TfmNovaDecl::Ok() {
    if (QApplication::focusWidget() == btCancelar_) return;
    if (!CriticaTodos()) return;
    if (const auto codigo = ChaveExistente(); !codigo.empty()) {
        Falha(codigo, Edicao("edPrefixo"));
        return;
    }
    GravaNovo(copiados_);
}

void TfmNovaDecl::GravaNovo(const std::vector<std::pair<std::string, std::string>>& copiados) {
    const std::string prefixo = Prefixo();
    {
        Tabela t(dm_.dbZovi, "BD8EMP");
        t.Abre();
        Transacao transacao(dm_.dbZovi);
        t.Acrescenta();
        for (const auto& [campo, valor] : kPadroes) t.PoeTexto(campo, valor);
        t.PoeTexto("AnBase", kAnoBase);
        t.PoeTexto("CoCgcCeiEstabelecimento", inscricao_);
        t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
        t.PoeTexto("InInscrEstabelecimento", tipo_);
        const std::string cei = Texto("edCeiVinculado");
        t.PoeTexto("CoCgcVinculado", CompletaZeros(cei.empty() ? std::string() : "00" + cei, 14));
        t.PoeTexto("NoRazaoEstabelecimento", Texto("edRazao"));
        t.PoeTexto("TxUsoEstabelecimento", Texto("edUso"));
        t.PoeTexto("InZoviNegEstabelecimento", Texto("rgTipoDeclaracao"));
        t.PoeTexto("InAtividadeAnoBase", Texto("rgAtividade").empty() ? "1" : Texto("rgAtividade"));
        for (const auto& [campo, valor] : copiados) t.PoeTexto(campo, valor);
        t.Grava();
        transacao.Confirma();
    }
    hide();
    if (abre_) abre_(kAnoBase, inscricao_, prefixo);
    accept();
}

}  // namespace zovi::gui
