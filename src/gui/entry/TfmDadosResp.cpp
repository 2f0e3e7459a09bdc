#include "entry/TfmDadosResp.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "data/ModulosDados.h"
#include "engine/Tabela.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"

namespace zovi::gui {

namespace {

// The help page with an entry for each field ("responsavel.html").
constexpr int kTopicoAjuda = 905;

void SoDigitos(QLineEdit* e) {
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
}

}  // namespace

TfmDadosResp::TfmDadosResp(TdmGDZovi& dm, const TCriticaZovi& critica, Seletores& seletores,
                           ServicoDialogos& dialogos, Mensagens& mensagens, QWidget* pai, bool comoPagina)
    : FormularioDeclarado(dialogos, mensagens, pai), dmDadosResp_(std::make_unique<TdmDadosResp>(dm)),
      seletores_(seletores), comoPagina_(comoPagina) {
    setObjectName(QStringLiteral("fmDadosResp"));
    DefineTopicoAjuda(kTopicoAjuda);
    setWindowTitle(QStringLiteral("Informações do Responsável pela Declaração da Zovi"));

    auto* pagina = new QWidget(this);
    AdicionaPagina(pagina, QStringLiteral("paDados"));
    auto* caixa = new QVBoxLayout(this);
    caixa->addWidget(comoPagina ? pagina : Rolavel(pagina));
    if (comoPagina) {
        setWindowFlags(Qt::Widget);
        caixa->setContentsMargins(0, 0, 0, 0);
    } else {
        btOk_ = new QPushButton(QStringLiteral("&Ok"), this);
        btOk_->setObjectName(QStringLiteral("btOk"));
        btCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
        btCancelar_->setObjectName(QStringLiteral("btCancelar"));
        for (auto* b : {btOk_, btCancelar_}) b->setAutoDefault(false);
        auto* botoes = new QHBoxLayout;
        botoes->addStretch();
        botoes->addWidget(btOk_);
        botoes->addWidget(btCancelar_);
        caixa->addLayout(botoes);
        connect(btOk_, &QPushButton::clicked, this, &TfmDadosResp::Confirma);
        connect(btCancelar_, &QPushButton::clicked, this, &TfmDadosResp::reject);
    }

    MontaCampos(Grupos(), Campos());
    // The wizards' cancel button has the form's name.
    IgnoraSaidaPara({QStringLiteral("btCancelar")});
    rotinas_ = std::make_unique<RotinasResponsavel>(Controles(), critica);
    for (const char* nome : {"edNumero", "edDdd", "edTelefone"}) SoDigitos(Edicao(QString::fromLatin1(nome)));

    // A click on the picker button leaves the focus in the code.
    auto* sbMunicipio = qobject_cast<QToolButton*>(Controle(QStringLiteral("sbMunicipio")));
    connect(sbMunicipio, &QToolButton::clicked, this, &TfmDadosResp::EscolheMunicipio);
    if (!comoPagina) Posiciona();
    Abre();
    // The form opens on its first field; as a wizard's page, the page decides.
    if (!comoPagina) Edicao(QStringLiteral("edInscricao"))->setFocus();
}

TfmDadosResp::~TfmDadosResp() = default;

std::vector<GrupoDeclarado> TfmDadosResp::Grupos() const {
    const QString p = QStringLiteral("paDados");
    return {
        {p, "gbResponsavel", "Dados do Responsável pela Declaração da Zovi", 0, 0, 1, 2},
        {p, "gbTelefone", "Telefone", 1, 0},
        {p, "gbMunicipio", "Dados do Município", 1, 1},
        {p, "gbRecibo", "", 2, 0, 1, 2},
    };
}

std::vector<CampoDeclarado> TfmDadosResp::Campos() {
    using V = ValorCampo;
    using K = ControleCampo;
    auto regra = [this](Critica (RotinasResponsavel::*rotina)()) {
        return [this, rotina] { return ((*rotinas_).*rotina)(); };
    };
    using R = RotinasResponsavel;
    // In reading order, which is the order of the tab key; "&Ok" runs the checks in their own order.
    return {
        // Unbound: 14 digits while typed, 18 characters with the CNPJ's mask when shown.
        {.nome = "edInscricao", .rotulo = "&Inscrição CNPJ/CEI/CPF", .largura = 18, .valor = V::Codigo,
         .grupo = "gbResponsavel", .regra = regra(&R::CriticaInscricao)},
        {.nome = "edTipoInscricao", .largura = 4, .controle = K::Leitura, .grupo = "gbResponsavel", .coluna = 1},
        {.nome = "edNome", .rotulo = "No&me/Firma/Razão Social", .largura = 40, .grupo = "gbResponsavel", .linha = 1,
         .colunas = 2, .regra = regra(&R::CriticaNome)},
        {.nome = "edLogradouro", .rotulo = "&Logradouro (rua, avenida, praça,...)", .largura = 40,
         .grupo = "gbResponsavel", .linha = 2, .colunas = 2, .regra = regra(&R::CriticaLogradouro)},
        {.nome = "edNumero", .rotulo = "Núme&ro", .largura = 6, .grupo = "gbResponsavel", .linha = 3,
         .saidaSoPreenchido = false, .regra = regra(&R::CriticaNumero)},
        {.nome = "edComplemento", .rotulo = "Com&plemento", .largura = 21, .grupo = "gbResponsavel", .linha = 3,
         .coluna = 1, .regra = regra(&R::CriticaComplemento)},
        {.nome = "edBairro", .rotulo = "&Bairro", .largura = 19, .grupo = "gbResponsavel", .linha = 4,
         .saidaSoPreenchido = false, .regra = regra(&R::CriticaBairro)},
        {.nome = "edCep", .rotulo = "C&EP", .largura = 8, .valor = V::Codigo, .mascara = "99999-999",
         .grupo = "gbResponsavel", .linha = 4, .coluna = 1, .regra = regra(&R::CriticaCep)},
        {.nome = "edEmail", .rotulo = "Correio Ele&trônico (e-mail)", .largura = 45, .grupo = "gbResponsavel",
         .linha = 5, .colunas = 2, .saidaSoPreenchido = false, .regra = regra(&R::CriticaEmail)},
        // The area code is checked in AoSairDoCampo: its notice belongs to leaving it, and
        // "&Ok" judges it only together with the telephone.
        {.nome = "edDdd", .rotulo = "&DDD", .largura = 2, .grupo = "gbTelefone"},
        {.nome = "edTelefone", .rotulo = "&Número", .largura = 8, .grupo = "gbTelefone", .coluna = 1,
         .saidaSoPreenchido = false, .regra = regra(&R::CriticaTelefone)},
        {.nome = "edMunicipio", .rotulo = "Cód. M&unic.", .largura = 7, .valor = V::Codigo, .mascara = "99-99999",
         .grupo = "gbMunicipio", .regra = regra(&R::CriticaMunicipio)},
        {.nome = "sbMunicipio", .controle = K::Botao, .grupo = "gbMunicipio", .coluna = 1},
        {.nome = "edNomeMunicipio", .rotulo = "Nome do Município", .largura = 30, .controle = K::Leitura,
         .grupo = "gbMunicipio", .linha = 1, .colunas = 2},
        {.nome = "edUf", .rotulo = "UF", .largura = 2, .controle = K::Leitura, .grupo = "gbMunicipio", .linha = 2},
        // Alt+S: the wizards' "< &Voltar" takes the V.
        {.nome = "cbRecibo", .controle = K::Marca, .grupo = "gbRecibo",
         .opcoes = comoPagina_ ? "Enviar corre&spondência para o endereço do responsável "
                               : "Enviar corre&spondência para o endereço do responsável  "},
    };
}

ControlesResponsavel TfmDadosResp::Controles() const {
    ControlesResponsavel c;
    c.inscricao = Edicao(QStringLiteral("edInscricao"));
    c.tipoInscricao = Edicao(QStringLiteral("edTipoInscricao"));
    c.nome = Edicao(QStringLiteral("edNome"));
    c.logradouro = Edicao(QStringLiteral("edLogradouro"));
    c.numero = Edicao(QStringLiteral("edNumero"));
    c.complemento = Edicao(QStringLiteral("edComplemento"));
    c.bairro = Edicao(QStringLiteral("edBairro"));
    c.cep = Edicao(QStringLiteral("edCep"));
    c.municipio = Edicao(QStringLiteral("edMunicipio"));
    c.nomeMunicipio = Edicao(QStringLiteral("edNomeMunicipio"));
    c.uf = Edicao(QStringLiteral("edUf"));
    c.ddd = Edicao(QStringLiteral("edDdd"));
    c.telefone = Edicao(QStringLiteral("edTelefone"));
    c.email = Edicao(QStringLiteral("edEmail"));
    c.recibo = qobject_cast<QCheckBox*>(Controle(QStringLiteral("cbRecibo")));
    return c;
}

void TfmDadosResp::Posiciona() {
    // At the left edge, below the main window's menu and tool bar, whatever the screen.
    const QScreen* tela = QGuiApplication::primaryScreen();
    if (!tela) return;
    const QRect area = tela->availableGeometry();
    const int topo = area.width() <= 640 ? 76 : area.width() <= 800 ? 88 : 102;
    move(area.left() + 1, area.top() + topo);
}

void TfmDadosResp::Abre() {
    auto& t = dmDadosResp_->ta8Resp;
    t.Abre();
    t.Primeiro();
    rotinas_->Mostra(t.Vazia() ? DadosResponsavel{} : LeResponsavel(t));
    aberto_ = rotinas_->Dados();
    inscricaoAberta_ = rotinas_->DigitosInscricao();
}

void TfmDadosResp::AoSairDoCampo(const QString& nome) {
    if (nome == QLatin1String("edInscricao") && Texto(nome).empty()) rotinas_->LimpaTipoInscricao();
    if (nome == QLatin1String("edMunicipio") && Texto(nome).empty()) rotinas_->LimpaMunicipio();
    if (nome == QLatin1String("edDdd")) {
        // Leaving for a wizard's "Avançar": the area code is judged there, with the telephone.
        const QWidget* destino = QApplication::focusWidget();
        const bool paraAvancar = destino && destino->objectName() == QLatin1String("btAvancar");
        const Critica r = rotinas_->CriticaDdd(paraAvancar);
        if (r.aviso)
            MostraMensagem(r.codigo);
        else if (!r.Passou())
            Falha(r.codigo, r.foco);
    }
}

void TfmDadosResp::EscolheMunicipio() {
    auto* municipio = Edicao(QStringLiteral("edMunicipio"));
    seletores_.Escolhe(TipoSeletor::Municipio, *municipio, this);
    municipio->setFocus(Qt::OtherFocusReason);
    if (Texto(QStringLiteral("edMunicipio")).empty()) return rotinas_->LimpaMunicipio();
    const Critica r = rotinas_->CriticaMunicipio();
    if (!r.Passou()) Falha(r.codigo, r.foco);
}

bool TfmDadosResp::Grava() {
    const Critica r = rotinas_->CriticaTodas();
    if (!r.Passou()) {
        Falha(r.codigo, r.foco);
        return false;
    }
    auto dados = rotinas_->Dados();
    FinalizaResponsavel(dados);
    auto& t = dmDadosResp_->ta8Resp;
    // One statement writes the row: an engine error leaves it as it was and goes on to the
    // program's general handler.
    try {
        t.Primeiro();
        t.Edita();  // appends the declarant's row when there is none yet
        PoeResponsavel(t, dados);
        t.Grava();
    } catch (...) {
        if (t.Estado() == EstadoTabela::Editando || t.Estado() == EstadoTabela::Inserindo) t.Cancela();
        throw;
    }
    aberto_ = rotinas_->Dados();
    inscricaoAberta_ = rotinas_->DigitosInscricao();
    return true;
}

void TfmDadosResp::Confirma() {
    if (Grava()) accept();
}

bool TfmDadosResp::Alterado() const {
    return !(rotinas_->Dados() == aberto_) || rotinas_->DigitosInscricao() != inscricaoAberta_;
}

void TfmDadosResp::Cancela() {
    // Inside a wizard page, Escape is the page's cancel.
    if (comoPagina_) {
        if (auto* pagina = qobject_cast<QDialog*>(window())) pagina->reject();
        return;
    }
    // Enter keeps the edits: "Não" is the button preselected.
    if (Alterado() &&
        dialogos_.Caixa(ServicoDialogos::TituloTipo(TipoDialogo::Confirmacao),
                        QStringLiteral("Abandonar as alterações feitas nos dados do responsável?"),
                        QMessageBox::Question, {Resposta::Sim, Resposta::Nao}, this, Resposta::Nao) != Resposta::Sim)
        return;
    QDialog::reject();
}

}  // namespace zovi::gui
