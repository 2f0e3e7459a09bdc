#include "wizards/AssistenteImpressao.h"

#include <QCheckBox>
#include <QShowEvent>

#include "engine/Consulta.h"
#include "messages/Formatacao.h"
#include "messages/ServicoDialogos.h"
#include "motor/Composicao.h"
#include "reports/Previa.h"
#include "ui_TfmPrintOpc.h"
#include "ui_TfmRelatorio00.h"
#include "ui_TfmRelatorio01.h"
#include "ui_TfmRelatorio02.h"
#include "ui_TfmRelatorio03.h"
#include "wizards/ListaMarcacao.h"

namespace zovi::gui {

namespace {

using relatorios::OrdemEmpregados;

// More employees than a tick list shows comfortably.
constexpr size_t kEmpregadosNaTela = 8000;

std::string Data(const std::string& d) { return d.size() == 8 ? FormataData(d) : d; }

}  // namespace

std::string LinhaEmpresaRelatorio(const std::string& inscricao, const std::string& tipo, const std::string& prefixo,
                                  const std::string& nome) {
    return CompletaEspacos(FormataInscricao(inscricao, tipo), 18) + "    " + prefixo + "    " + fAparaTexto(nome);
}

std::string LinhaEmpregadoRelatorio(OrdemEmpregados ordem, const std::string& pis, const std::string& admissao,
                                    const std::string& nome, const std::string& uso) {
    const std::string p = FormataPisPasep(pis), d = Data(admissao), n = CompletaEspacos(nome, 30), u = fAparaTexto(uso);
    switch (ordem) {
        case OrdemEmpregados::Nome: return n + "  " + p + "  " + d + "  " + u;
        case OrdemEmpregados::UsoEmpresa: return CompletaEspacos(uso, 13) + "  " + p + "  " + d + "  " + fAparaTexto(nome);
        default: return p + "  " + d + "  " + n + "  " + u;
    }
}

// --- TfmRelatorio03 ----------------------------------------------------------------------

TfmRelatorio03::TfmRelatorio03(ContextoImpressao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmRelatorio03>()) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmRelatorio03"));
    ui_->rbProtocolo->setEnabled(static_cast<bool>(contexto.abreProtocolo));
    connect(ui_->btAvancar, &QPushButton::clicked, this, [this, &contexto] {
        if (!ui_->rbProtocolo->isChecked()) return Avanca();
        contexto.abreProtocolo(this);
        FechaTudo();
    });
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmRelatorio03::FechaTudo);
}

TfmRelatorio03::~TfmRelatorio03() = default;

// --- TfmRelatorio02 ----------------------------------------------------------------------

TfmRelatorio02::TfmRelatorio02(ContextoImpressao& contexto, ServicoDialogos& dialogos, bool primeira, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmRelatorio02>()) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmRelatorio02"));
    ui_->laAnoBase->setText(ui_->laAnoBase->text() + QString::fromStdString(contexto.parametros.anoBase));
    ui_->btVoltar->setVisible(!primeira);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmRelatorio02::Volta);
    connect(ui_->btAvancar, &QPushButton::clicked, this, [this, &contexto] {
        contexto.parametros.completo = ui_->rbCompleto->isChecked();
        Avanca();
    });
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmRelatorio02::FechaTudo);
}

TfmRelatorio02::~TfmRelatorio02() = default;

void TfmRelatorio02::showEvent(QShowEvent* e) {
    PaginaAssistente::showEvent(e);
    ui_->rbCompleto->setChecked(true);
}

// --- TfmRelatorio00 ----------------------------------------------------------------------

TfmRelatorio00::TfmRelatorio00(ContextoImpressao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmRelatorio00>()) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmRelatorio00"));
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmRelatorio00::Volta);
    connect(ui_->btAvancar, &QPushButton::clicked, this, [this, &contexto] {
        contexto.parametros.ordem = ui_->rbNome->isChecked()  ? OrdemEmpregados::Nome
                                    : ui_->rbUso->isChecked() ? OrdemEmpregados::UsoEmpresa
                                                              : OrdemEmpregados::PisPasep;
        Avanca();
    });
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmRelatorio00::FechaTudo);
}

TfmRelatorio00::~TfmRelatorio00() = default;

// --- TfmRelatorio01 ----------------------------------------------------------------------

TfmRelatorio01::TfmRelatorio01(ContextoImpressao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmRelatorio01>()), impressao_(contexto) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmRelatorio01"));
    // The employees have their own "Marcar todos"; the list's box speaks of establishments.
    if (auto* todas = ui_->clbEmpregados->findChild<QCheckBox*>(QStringLiteral("cbTodas"))) todas->hide();
    // Ticking an establishment lists its employees.
    connect(&ui_->clbEmpresas->Modelo(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& de) { ListaEmpregados(de.row()); });
    connect(ui_->rbParcial, &QRadioButton::clicked, this, &TfmRelatorio01::EscolheParcial);
    connect(ui_->rbTotal, &QRadioButton::clicked, this, &TfmRelatorio01::EscolheTotal);
    connect(ui_->btLimpar, &QPushButton::clicked, this, [this] {
        ui_->clbEmpresas->Modelo().MarcaTodas(false);
        ui_->clbEmpregados->Modelo().MarcaTodas(false);
    });
    connect(ui_->btMarcarTodos, &QPushButton::clicked, this, [this] { ui_->clbEmpregados->Modelo().MarcaTodas(true); });
    connect(ui_->btVisualizar, &QPushButton::clicked, this, &TfmRelatorio01::Visualiza);
    connect(ui_->btImprimir, &QPushButton::clicked, this, &TfmRelatorio01::Imprime);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmRelatorio01::Volta);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmRelatorio01::FechaTudo);
}

TfmRelatorio01::~TfmRelatorio01() = default;

void TfmRelatorio01::showEvent(QShowEvent* e) {
    PaginaAssistente::showEvent(e);
    ListaEmpresas();
}

void TfmRelatorio01::ListaEmpresas() {
    const auto& p = impressao_.parametros;
    empresas_.clear();
    std::vector<std::string> linhas;
    if (impressao_.banco.ExisteTabela(p.tabelaEstabelecimentos)) {
        Consulta q(impressao_.banco, std::vector<std::string>{"Select coCgcCeiEstabelecimento, NuPrefixoEstabelecimento, ",
                                      "NoRazaoEstabelecimento, InInscrEstabelecimento ",
                                      "from " + p.tabelaEstabelecimentos, "where Anbase = :AnBase",
                                      "order by coCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
        q.Parametro("AnBase", p.anoBase);
        for (q.Abre(); !q.Fim(); q.Proximo()) {
            empresas_.push_back({q.Texto(0), q.Texto(1)});
            linhas.push_back(LinhaEmpresaRelatorio(q.Texto(0), q.Texto(3), q.Texto(1), q.Texto(2)));
        }
    }
    ui_->clbEmpresas->Modelo().Define(std::move(linhas));
    ui_->clbEmpregados->Modelo().Define({});
    empregados_.clear();
    empresaListada_ = -1;
    ui_->rbTotal->setChecked(true);
}

void TfmRelatorio01::ListaEmpregados(int linha) {
    if (linha < 0 || linha >= static_cast<int>(empresas_.size())) return;
    const auto& p = impressao_.parametros;
    const auto ordem = p.ordem;
    Consulta q(impressao_.banco,
               std::vector<std::string>{"Select CoPisPasepEmpregado, NoEmpregado, DaAdmissaoEmpregado, TxUsoEmpregado ",
                                        "from " + p.tabelaEmpregados,
                                        "where AnBase = :AnBase and CoCgcCeiEstabelecimento = :Inscricao",
                                        "and NuPrefixoEstabelecimento = :Prefixo",
                                        "order by " + relatorios::CampoOrdem(ordem) +
                                            (ui_->rbDescendente->isChecked() ? " DESC" : " ASC")});
    q.Parametro("AnBase", p.anoBase);
    q.Parametro("Inscricao", empresas_[static_cast<size_t>(linha)].inscricao);
    q.Parametro("Prefixo", empresas_[static_cast<size_t>(linha)].prefixo);
    empregados_.clear();
    std::vector<std::string> linhas;
    if (impressao_.banco.ExisteTabela(p.tabelaEmpregados))
        for (q.AbreSequencial(); !q.Fim(); q.Proximo()) {
            empregados_.push_back({q.Texto(0), q.Texto(2), q.Texto(1)});
            linhas.push_back(LinhaEmpregadoRelatorio(ordem, q.Texto(0), q.Texto(2), q.Texto(1), q.Texto(3)));
        }
    if (linhas.size() > kEmpregadosNaTela)
        dialogos_.Mensagem(TipoDialogo::Aviso,
                           QStringLiteral("Pode ocorrer problemas na visualização dos dados na tela,\n"
                                          "devido a quantidade de empregados cadastrados."),
                           this);
    ui_->clbEmpregados->Modelo().Define(std::move(linhas));
    empresaListada_ = linha;
}

void TfmRelatorio01::EscolheParcial() {
    const auto& marcas = ui_->clbEmpresas->Modelo().Marcas();
    const auto marcadas = std::count(marcas.begin(), marcas.end(), true);
    if (marcadas >= 2) {
        dialogos_.Mensagem(TipoDialogo::Aviso,
                           QStringLiteral("Não pode imprimir mais de um estabelecimento parcial por vez."), this);
        ui_->rbTotal->setChecked(true);
        return;
    }
    const auto marcada = std::find(marcas.begin(), marcas.end(), true);
    // Its employees listed, none ticked yet.
    if (marcada != marcas.end()) ListaEmpregados(static_cast<int>(marcada - marcas.begin()));
}

void TfmRelatorio01::EscolheTotal() {
    ui_->clbEmpregados->Modelo().Define({});
    empregados_.clear();
    empresaListada_ = -1;
}

bool TfmRelatorio01::Escolha() {
    auto& p = impressao_.parametros;
    p.estabelecimentos.clear();
    p.empregados.clear();
    const auto& marcas = ui_->clbEmpresas->Modelo().Marcas();
    for (size_t i = 0; i < marcas.size(); ++i)
        if (marcas[i]) p.estabelecimentos.push_back(empresas_[i]);
    if (p.estabelecimentos.empty()) {
        dialogos_.Mensagem(TipoDialogo::Aviso, QStringLiteral("É necessário selecionar uma empresa antes de imprimir"),
                           this);
        return false;
    }
    p.parcial = ui_->rbParcial->isChecked();
    p.descendente = ui_->rbDescendente->isChecked();
    if (p.parcial) {
        const auto& escolhidos = ui_->clbEmpregados->Modelo().Marcas();
        for (size_t i = 0; i < escolhidos.size(); ++i)
            if (escolhidos[i]) p.empregados.push_back(empregados_[i]);
        if (p.empregados.empty()) {
            dialogos_.Mensagem(TipoDialogo::Aviso,
                               QStringLiteral("É necessário selecionar um empregado antes de imprimir"), this);
            return false;
        }
    }
    return true;
}

void TfmRelatorio01::Visualiza() {
    if (!Escolha()) return;
    relatorios::TrpRelatorios rpRelatorios(impressao_.banco, impressao_.parametros, impressao_.versao);
    MostraRelatorio(this, rpRelatorios, dialogos_);
}

void TfmRelatorio01::Imprime() {
    if (!Escolha()) return;
    TfmPrintOpc fmPrintOpc(dialogos_, this);
    if (dialogos_.Executa(fmPrintOpc) != QDialog::Accepted) return;
    relatorios::TrpRelatorios rpRelatorios(impressao_.banco, impressao_.parametros, impressao_.versao);
    relatorios::Composicao composicao(rpRelatorios);
    ImprimeIntervalos(this, composicao, dialogos_, fmPrintOpc.Intervalos(), fmPrintOpc.Copias());
}

// --- TfmPrintOpc -------------------------------------------------------------------------

TfmPrintOpc::TfmPrintOpc(ServicoDialogos& dialogos, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmPrintOpc>()), dialogos_(dialogos) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmPrintOpc"));
    connect(ui_->btOk, &QPushButton::clicked, this, &TfmPrintOpc::Ok);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->btMais, &QToolButton::clicked, this, [this] { Muda(1); });
    connect(ui_->btMenos, &QToolButton::clicked, this, [this] { Muda(-1); });
    connect(ui_->edPaginas, &QLineEdit::textEdited, this, [this] { ui_->rbPaginas->setChecked(true); });
}

TfmPrintOpc::~TfmPrintOpc() = default;

void TfmPrintOpc::Muda(int passo) {
    bool ok = false;
    const int atual = ui_->edCopias->text().trimmed().toInt(&ok);
    ui_->edCopias->setText(QString::number(std::clamp(ok ? atual + passo : 1, 1, 9999)));
}

void TfmPrintOpc::Ok() {
    bool ok = false;
    const QString copias = ui_->edCopias->text().trimmed();
    copias_ = copias.toInt(&ok);
    if (!ok || copias_ < 1 || copias_ > 9999 || copias.contains(QLatin1Char('+'))) {
        dialogos_.Mensagem(TipoDialogo::Aviso, QStringLiteral("Este não é um número válido."), this);
        ui_->edCopias->setFocus();
        return;
    }
    intervalos_.clear();
    if (ui_->rbTodos->isChecked()) {
        intervalos_.emplace_back(0, 0);
    } else {
        const auto lidos = relatorios::fLeIntervalosPaginas(ui_->edPaginas->text().trimmed().toStdString());
        if (!lidos) {
            dialogos_.Mensagem(TipoDialogo::Aviso, QStringLiteral("Este não é um intervalo válido para impressão."), this);
            ui_->edPaginas->setFocus();
            return;
        }
        for (const auto& i : *lidos) intervalos_.emplace_back(i.de, i.ate);
    }
    accept();
}

// --- the assistant ------------------------------------------------------------------------

void ExecutaAssistenteImpressao(ContextoImpressao& contexto, ServicoDialogos& dialogos, QWidget* pai, bool desdeOTipo) {
    TfmRelatorio03 fmRelatorio03(contexto, dialogos, pai);
    TfmRelatorio02 fmRelatorio02(contexto, dialogos, !desdeOTipo, pai);
    TfmRelatorio00 fmRelatorio00(contexto, dialogos, pai);
    TfmRelatorio01 fmRelatorio01(contexto, dialogos, pai);
    std::vector<PaginaAssistente*> paginas = {&fmRelatorio02, &fmRelatorio00, &fmRelatorio01};
    if (desdeOTipo) paginas.insert(paginas.begin(), &fmRelatorio03);
    contexto.titulo = paginas.front()->windowTitle();
    ExecutaAssistente(dialogos, contexto, static_cast<int>(paginas.size()),
                      [&paginas](int i) -> PaginaAssistente& { return *paginas[static_cast<size_t>(i)]; });
}

}  // namespace zovi::gui
