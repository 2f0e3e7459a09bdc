#include "app/TfmGDZOVI.h"

#include <functional>

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "app/Figuras.h"
#include "app/JanelaAjuda.h"
#include "app/TfmInicioRegras.h"
#include "app/TfmSobre.h"
#include "backup/TfmBackup00.h"
#include "backup/TfmGeraIndice.h"
#include "backup/TfmRestore00.h"
#include "consulta/JanelasConsulta.h"
#include "entry/ComandosEmpregados.h"
#include "entry/ComandosEstabelecimento.h"
#include "entry/ContextoEntrada.h"
#include "entry/TfmDadosResp.h"
#include "entry/TfmPesq.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"
#include "reports/Previa.h"
#include "TrpCartela.h"
#include "ui_TfmGDZOVI.h"
#include "wizards/AssistenteGravacao.h"
#include "wizards/AssistenteAnalise.h"
#include "wizards/AssistenteImportacao.h"
#include "wizards/AssistenteImpressao.h"
#include "wizards/AssistenteRetificacao.h"
#include "wizards/AssistenteVerificacao.h"
#include "wizards/TfmRelatorio04.h"

namespace zovi::gui {

QString EnderecoSiteZovi() { return QStringLiteral("https://www.zovi.gov.br"); }

// One row of the command table: the menu item and the speed button that share
// a handler, and whether the enabling of the commands is recomputed after it.
struct TfmGDZOVI::Comando {
    const char* item;
    const char* botao;
    std::function<void(TfmGDZOVI*)> acao;
    bool atualiza;
};

namespace {

constexpr int kTopicoComoFazer = 10;

// The commands that need at least one establishment of the current or the next base year.
constexpr const char* kDependemDeDeclaracao[] = {
    "sbAbrir", "sbExcluir", "sbVerInco", "sbRetif", "sbGravar",
    "miAbrir", "miExcluir", "miVerInco", "miGravar", "miRetif", "miCopiaGravar",
};

struct Glifo {
    const char* botao;
    QStyle::StandardPixmap figura;
};

constexpr Glifo kGlifos[] = {
    {"sbAbrir", QStyle::SP_DirOpenIcon},
    {"sbExcluir", QStyle::SP_TrashIcon},
    {"sbVerInco", QStyle::SP_DialogApplyButton},
    {"sbGravar", QStyle::SP_DialogSaveButton},
    {"sbRetif", QStyle::SP_BrowserReload},
    {"sbResp", QStyle::SP_FileDialogDetailedView},
    {"sbRelatorio", QStyle::SP_FileDialogContentsView},
    {"sbAnalisador", QStyle::SP_FileDialogInfoView},
    {"sbConsDisq", QStyle::SP_DriveFDIcon},
    {"sbPesquisa", QStyle::SP_MessageBoxQuestion},
    {"spHelp", QStyle::SP_DialogHelpButton},
};

int ContextoDe(QAction* acao) {
    if (!acao) return 0;
    auto valor = acao->property("contextoAjuda");
    if (!valor.isValid() && acao->menu()) valor = acao->menu()->property("contextoAjuda");
    return valor.toInt();
}

}  // namespace

TfmGDZOVI::TfmGDZOVI(TdmGDZovi& dmGDZovi, ServicoDialogos& dialogos, JanelaAjuda& ajuda, QWidget* pai)
    : QMainWindow(pai), ui_(std::make_unique<Ui::TfmGDZOVI>()), dm_(dmGDZovi),
      dialogos_(dialogos), ajuda_(ajuda), catalogo_(dm_.dbZovi), mensagens_(catalogo_, dialogos_) {
    ui_->setupUi(this);
    fmInicioRegras_ = std::make_unique<TfmInicioRegras>(dm_.dbZovi, dialogos_, this);
    entrada_ = std::make_unique<ContextoEntrada>(dm_, dialogos_, mensagens_);
    // F1 in a form's field opens this program's help at that field's entry.
    dialogos_.abreAjuda = [this](int topico, const QString& ancora) { ajuda_.MostraTopico(topico, ancora); };
    comandosEstabelecimento_ = std::make_unique<ComandosEstabelecimento>(*entrada_, *this);
    comandosEstabelecimento_->abreEmpregados = [this](const EstabelecimentoEmpregados& e) {
        AbreEmpregados(*entrada_, e, this);
    };

    // Teal behind everything but the tool bar, which keeps the usual colours
    // (set role by role: a palette without changed roles would inherit the teal).
    const QPalette usual = QApplication::palette();
    QPalette fundo = usual;
    fundo.setColor(QPalette::Window, QColor(0, 128, 128));
    fundo.setColor(QPalette::WindowText, Qt::white);
    ui_->paFundo->setPalette(fundo);
    QPalette barra = usual;
    barra.setColor(QPalette::Window, usual.color(QPalette::Window));
    barra.setColor(QPalette::WindowText, usual.color(QPalette::WindowText));
    ui_->paBotoes->setPalette(barra);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(160, 90)));
    ui_->laSite->setText(QStringLiteral("<a href=\"%1\" style=\"color:#ffff80\">%2</a>")
                             .arg(EnderecoSiteZovi(), QString(EnderecoSiteZovi()).remove(QStringLiteral("https://"))));
    connect(ui_->laSite, &QLabel::linkActivated, this, [this](const QString& url) { dialogos_.AbreEndereco(QUrl(url)); });

    // The submenu's hint shows on its item in the help menu.
    ui_->mnLayout->menuAction()->setToolTip(ui_->mnLayout->toolTip());
    ui_->mnLayout->menuAction()->setStatusTip(ui_->mnLayout->statusTip());
    PoeGlifos();
    LigaComandos();
    for (auto* menu : findChildren<QMenu*>()) menu->installEventFilter(this);
    move(0, 0);
}

TfmGDZOVI::~TfmGDZOVI() { dialogos_.abreAjuda = nullptr; }

void TfmGDZOVI::PoeGlifos() {
    ui_->sbNova->setIcon(QIcon(GlifoNovaDeclaracao()));
    for (const auto& g : kGlifos)
        if (auto* botao = findChild<QToolButton*>(g.botao)) botao->setIcon(style()->standardIcon(g.figura));
}

void TfmGDZOVI::LigaComandos() {
    using T = TfmGDZOVI;
    comandos_ = {
        {"miNova", "sbNova", [](T* j) { j->comandosEstabelecimento_->NovaDeclaracao(); }, true},
        {"miAbrir", "sbAbrir", [](T* j) { j->comandosEstabelecimento_->Lista(TfmConEstab::ModoAbrir); }, true},
        {"miExcluir", "sbExcluir", [](T* j) { j->comandosEstabelecimento_->Lista(TfmConEstab::ModoExcluir); }, true},
        {"miVerInco", "sbVerInco",
         [](T* j) {
             AssistenteVerificacao assistente(j->dm_, j->mensagens_, j->dialogos_, j);
             assistente.Executa();
         },
         false},
        {"miResp", "sbResp",
         [](T* j) {
             TfmDadosResp fmDadosResp(j->dm_, j->CriticaZoviPrograma(), j->SeletoresPrograma(), j->dialogos_, j->mensagens_, j);
             j->dialogos_.Executa(fmDadosResp);
         },
         false},
        {"miGravar", "sbGravar",
         [](T* j) {
             AssistenteGravacao assistente(j->dm_, j->mensagens_, j->CriticaZoviPrograma(), j->SeletoresPrograma(),
                                           j->dialogos_, j);
             assistente.Executa();
         },
         false},
        {"miRetif", "sbRetif",
         [](T* j) {
             AssistenteRetificacao assistente(j->dm_, j->mensagens_, j->CriticaZoviPrograma(), j->SeletoresPrograma(),
                                              j->dialogos_, j);
             assistente.Executa();
         },
         false},
        {"miImprimir", "sbRelatorio",
         [](T* j) {
             ContextoImpressao contexto(j->dm_.dbZovi, j->versao_);
             contexto.abreProtocolo = AbreProtocolo(j->dm_, j->mensagens_, j->dialogos_);
             ExecutaAssistenteImpressao(contexto, j->dialogos_, j);
         },
         false},
        {"miAnoAnterior", "sbImpAnoAnterior",
         [](T* j) { AssistenteImportacao(j->dm_, j->mensagens_, j->dialogos_, 2004, j).Executa(); }, true},
        {"miAnoAtual", "sbImpAnoAtual",
         [](T* j) { AssistenteImportacao(j->dm_, j->mensagens_, j->dialogos_, 2005, j).Executa(); }, true},
        {"miSair", nullptr, &T::Sair, false},
        {"miAnalisador", "sbAnalisador", [](T* j) { AssistenteAnalise(j->dm_, j->mensagens_, j->dialogos_, j).Executa(); },
         true},
        {"miConsultaArquivo", "sbConsDisq",
         [](T* j) {
             // The consultation's report: the work tables the file was read into.
             auto relatorio = [j](QWidget* pai) {
                 ContextoImpressao contexto(j->dm_.dbZovi, j->versao_);
                 contexto.parametros.tabelaEstabelecimentos = "Te8Emp";
                 contexto.parametros.tabelaEmpregados = "Te8Vinc";
                 ExecutaAssistenteImpressao(contexto, j->dialogos_, pai, false);
             };
             TfmConsultaDisquete fmConsultaDisquete(j->dm_.dbZovi, j->dialogos_, relatorio, j);
             j->dialogos_.Executa(fmConsultaDisquete);
         },
         false},
        {"miCopiaGravar", nullptr,
         [](T* j) {
             TfmBackup00 fmBackup00(j->dm_.dbZovi.Pasta(), j->dialogos_, j);
             j->dialogos_.Executa(fmBackup00);
         },
         false},
        {"miCopiaRestaurar", nullptr,
         [](T* j) {
             TfmRestore00 fmRestore00(j->dm_.dbZovi, j->dialogos_, j);
             j->dialogos_.Executa(fmRestore00);
         },
         true},
        {"miIndexar", nullptr,
         [](T* j) {
             TfmGeraIndice fmGeraIndice(j->dm_, j->dialogos_, j);
             j->dialogos_.Executa(fmGeraIndice);
         },
         false},
        {"miPesquisa", "sbPesquisa",
         [](T* j) {
             TfmPesq fmPesq(j->dm_.dbZovi, j->dialogos_, j);
             j->dialogos_.Executa(fmPesq);
         },
         false},
        {"miAjudaGDZOVI", "spHelp", &T::AjudaF1, false},
        {"miInformacoesUteis", nullptr, &T::InformacoesUteis, false},
        {"miComoFazer", nullptr, [](T* j) { j->ajuda_.MostraTopico(kTopicoComoFazer); }, false},
        {"miVisualizarCartela", nullptr,
         [](T* j) {
             relatorios::TrpCartela rpCartela(j->dm_.dbZovi, j->versao_);
             MostraRelatorio(j, rpCartela, j->dialogos_);
         },
         false},
        {"miEmitirCartela", nullptr,
         [](T* j) {
             relatorios::TrpCartela rpCartela(j->dm_.dbZovi, j->versao_);
             ImprimeRelatorio(j, rpCartela, j->dialogos_);
         },
         false},
        {"miSobre", nullptr, &T::Sobre, false},
    };
    for (const auto& c : comandos_) {
        auto roda = [this, nome = QString::fromLatin1(c.item)] { ExecutaComando(nome); };
        connect(findChild<QAction*>(c.item), &QAction::triggered, this, roda);
        if (c.botao) connect(findChild<QToolButton*>(c.botao), &QToolButton::clicked, this, roda);
    }
}

TdmEntradaDados& TfmGDZOVI::EntradaDadosPrograma() { return entrada_->Entrada(); }
Seletores& TfmGDZOVI::SeletoresPrograma() { return entrada_->SeletoresCodigos(); }
const Referencias& TfmGDZOVI::ReferenciasPrograma() { return entrada_->ReferenciasRegras(); }
const TCriticaZovi& TfmGDZOVI::CriticaZoviPrograma() { return entrada_->Critica(); }

void TfmGDZOVI::ExecutaComando(const QString& nomeObjeto) {
    for (const auto& c : comandos_) {
        if (nomeObjeto != QLatin1String(c.item) && !(c.botao && nomeObjeto == QLatin1String(c.botao))) continue;
        c.acao(this);
        if (c.atualiza) ControlaBotoes();
        return;
    }
}

void TfmGDZOVI::ControlaBotoes() {
    auto& qu = dm_.quBd8Emp;
    qu.DefineSql({"Select CoCgcCeiEstabelecimento from Bd8Emp ", "where AnBase = \"2005\" or AnBase = \"2006\""});
    qu.Abre();
    const bool habilita = !qu.Vazia();
    qu.Fecha();
    for (const char* nome : kDependemDeDeclaracao) {
        if (auto* botao = findChild<QToolButton*>(nome)) botao->setEnabled(habilita);
        if (auto* item = findChild<QAction*>(nome)) item->setEnabled(habilita);
    }
}

void TfmGDZOVI::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (exibida_) return;
    exibida_ = true;
    PrimeiraExibicao();
}

void TfmGDZOVI::PrimeiraExibicao() {
    versao_ = QString::number(anoBase_) + QStringLiteral(".2");
    setWindowTitle(QStringLiteral("GDZovi%1 - Gerador de Declaração Zovi [Versão: %2]").arg(anoBase_).arg(versao_));
    // Every amount of the program shows with "," for decimals and "." for thousands.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    ControlaBotoes();
    activateWindow();
}

bool TfmGDZOVI::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && primeiraAtivacao_ == 'S') {
        primeiraAtivacao_ = 'N';
        // Outside the activation itself, so the modal box does not run inside this event.
        QTimer::singleShot(0, this, &TfmGDZOVI::PrimeiraAtivacao);
    }
    return QMainWindow::event(e);
}

void TfmGDZOVI::PrimeiraAtivacao() {
    if (!fmInicioRegras_->DicasDesligadas()) fmInicioRegras_->Mostra();
    activateWindow();
    setFocus();
}

bool TfmGDZOVI::eventFilter(QObject* objeto, QEvent* e) {
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1 &&
        qobject_cast<QMenu*>(objeto)) {
        AjudaF1();
        return true;
    }
    return QMainWindow::eventFilter(objeto, e);
}

void TfmGDZOVI::AjudaF1() {
    // With a menu open, F1 gives the help of its highlighted item; elsewhere the contents.
    int contexto = 0;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) contexto = ContextoDe(menu->activeAction());
    while (auto* aberto = QApplication::activePopupWidget()) aberto->close();
    AjudaContexto(contexto);
}

void TfmGDZOVI::AjudaContexto(int contexto) {
    if (contexto == 0)
        ajuda_.MostraConteudo();
    else
        ajuda_.MostraTopico(contexto);
}

void TfmGDZOVI::NaoDisponivel() {
    dialogos_.Mensagem(TipoDialogo::Informacao, QStringLiteral("Esta opção ainda não está disponível nesta versão."),
                       this);
}

void TfmGDZOVI::InformacoesUteis() { fmInicioRegras_->Mostra(); }

void TfmGDZOVI::Sobre() {
    TfmSobre fmSobre(versao_, dialogos_, this);
    dialogos_.Executa(fmSobre);
}

void TfmGDZOVI::Sair() { close(); }

void TfmGDZOVI::closeEvent(QCloseEvent* e) {
    // The program ends with its main window: the help goes with it.
    ajuda_.close();
    QMainWindow::closeEvent(e);
}

}  // namespace zovi::gui
