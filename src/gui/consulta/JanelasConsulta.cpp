#include "consulta/JanelasConsulta.h"

#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStandardItemModel>

#include "analysis/AnaliseEstrutura.h"
#include "backup/InteracaoFormulario.h"
#include "engine/Consulta.h"
#include "entry/ModeloEmpregados.h"
#include "messages/Formatacao.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "platform/Unidades.h"
#include "ui_TfmConsulta01.h"
#include "ui_TfmConsulta02.h"
#include "ui_TfmConsulta03.h"
#include "ui_TfmConsulta04.h"
#include "ui_TfmConsulta05.h"
#include "ui_TfmConsultaDisquete.h"

namespace zovi::gui {

namespace {

using Linha = std::map<std::string, std::string>;

QString Texto(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(cp1252)); }

// The record's captions and values, replacing what the form showed before.
void MostraLinhas(QFormLayout& layout, const Linhas& linhas) {
    while (layout.rowCount() > 0) layout.removeRow(0);
    layout.setRowWrapPolicy(QFormLayout::WrapLongRows);
    for (const auto& [rotulo, valor] : linhas) {
        auto* v = new QLabel(Texto(valor));
        v->setObjectName(Texto(rotulo));
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        v->setWordWrap(true);
        layout.addRow(Texto(rotulo) + QLatin1Char(':'), v);
    }
}

// Every row of a statement, field by field.
std::vector<Linha> LeLinhas(Banco& banco, const std::vector<std::string>& sql) {
    std::vector<Linha> r;
    zovi::Consulta q(banco, sql);
    for (q.Abre(); !q.Fim(); q.Proximo()) {
        Linha l;
        for (int i = 0; i < q.NumCampos(); ++i) l[q.NomeCampo(i)] = q.Texto(i);
        r.push_back(std::move(l));
    }
    return r;
}

LeCampo Leitor(const Linha& l) {
    return [&l](const std::string& nome) {
        for (const auto& [campo, valor] : l)
            if (Banco::NomeTabela(campo) == Banco::NomeTabela(nome)) return valor;
        return std::string();
    };
}

// A child window shown modally; true when it was closed by "&Fechar".
bool Fechou(ServicoDialogos& dialogos, QDialog& janela) { return dialogos.Executa(janela) == kFecharConsulta; }

void LigaFechar(QDialog& janela, QPushButton* fechar) {
    QObject::connect(fechar, &QPushButton::clicked, &janela, [&janela] { janela.done(kFecharConsulta); });
}

}  // namespace

// --- TfmConsultaDisquete -------------------------------------------------------------

TfmConsultaDisquete::TfmConsultaDisquete(Banco& banco, ServicoDialogos& dialogos, AbreRelatorioConsulta abreRelatorio,
                                         QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmConsultaDisquete>()), banco_(banco), dialogos_(dialogos),
      abreRelatorio_(std::move(abreRelatorio)) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmConsultaDisquete"));
    connect(ui_->btLocalizar, &QPushButton::clicked, this, &TfmConsultaDisquete::Localiza);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmConsultaDisquete::Cancela);
    connect(ui_->btVoltar, &QPushButton::clicked, this, [this] {
        ui_->edArquivo->clear();
        EstadoInicial();
    });
    ui_->edArquivo->installEventFilter(this);
    EstadoInicial();
}

TfmConsultaDisquete::~TfmConsultaDisquete() = default;

void TfmConsultaDisquete::EstadoInicial() {
    ui_->btLocalizar->setEnabled(true);
    ui_->edArquivo->setEnabled(true);
    ui_->laStatus->hide();
    ui_->pbProgresso->hide();
    ui_->paRecusa->hide();
    ui_->edArquivo->setFocus();
}

bool TfmConsultaDisquete::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == ui_->edArquivo && !carregando_) {
        const bool enter = e->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return ||
                                                             static_cast<QKeyEvent*>(e)->key() == Qt::Key_Enter);
        // Leaving the field loads the file, unless the focus goes to Cancelar or to a box.
        const bool sai = e->type() == QEvent::FocusOut && focusWidget() != ui_->btCancelar &&
                         static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason &&
                         static_cast<QFocusEvent*>(e)->reason() != Qt::ActiveWindowFocusReason;
        if (enter || sai) {
            QMetaObject::invokeMethod(this, &TfmConsultaDisquete::SaiDoArquivo, Qt::QueuedConnection);
            if (enter) return true;
        }
    }
    return QDialog::eventFilter(objeto, e);
}

void TfmConsultaDisquete::SaiDoArquivo() {
    const QString caminho = ui_->edArquivo->text().trimmed();
    if (caminho.isEmpty() || carregando_ || ui_->paRecusa->isVisible()) return;
    if (!QFileInfo(caminho).isFile()) {
        dialogos_.Mensagem(TipoDialogo::Aviso,
                           QStringLiteral("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo."),
                           this);
        ui_->edArquivo->setFocus();
        ui_->edArquivo->selectAll();
        return;
    }
    Carrega(caminho);
}

void TfmConsultaDisquete::Localiza() {
    // The diskette when drive A: holds one, else where the user last chose.
    const auto a = UnidadePresente('A') ? LocalizaUnidade('A') : std::nullopt;
    const QString pasta = a ? QString::fromStdString(a->pasta.string()) : QString();
    const QString arquivo = dialogos_.ArquivoParaAbrir(this, QStringLiteral("Localizar arquivo da declaração"), pasta,
                                                       QStringLiteral("Todos os arquivos (*)"));
    if (arquivo.isEmpty()) return;
    ui_->edArquivo->setText(arquivo);
    Carrega(arquivo);
}

void TfmConsultaDisquete::Cancela() {
    if (carregando_) {
        interromper_ = true;
        return;
    }
    reject();
}

void TfmConsultaDisquete::Carrega(const QString& caminho) {
    ui_->edArquivo->setText(caminho);
    ui_->btLocalizar->setEnabled(false);
    ui_->edArquivo->setEnabled(false);
    ui_->laStatus->show();
    ui_->pbProgresso->show();
    ui_->pbProgresso->setValue(0);
    carregando_ = true;
    interromper_ = false;
    int resultado;
    {
        // Cancelar asks the analysis to stop at its next record.
        class InteracaoConsulta : public InteracaoFormulario {
        public:
            InteracaoConsulta(ServicoDialogos& d, QWidget& f, const bool& pedido)
                : InteracaoFormulario(d, f), pedido_(pedido) {}
            bool InterrupcaoPedida() override { return pedido_ || InteracaoFormulario::InterrupcaoPedida(); }

        private:
            const bool& pedido_;
        } interacao(dialogos_, *this, interromper_);
        interacao.MostraProgressoEm(*ui_->laStatus, *ui_->pbProgresso);
        resultado = fCarregaConsulta(banco_, QFile::encodeName(caminho).toStdString(), interacao);
    }
    carregando_ = false;
    if (resultado == kAnaliseInterrompida) {
        EstadoInicial();
        return;
    }
    if (!ConsultaCarregada(resultado)) {
        ui_->laStatus->hide();
        ui_->pbProgresso->hide();
        ui_->lbFalhas->clear();
        if (banco_.ExisteTabela("TE8STRU"))
            for (const auto& f : LeLinhas(banco_, {"Select * from Te8stru"}))
                ui_->lbFalhas->addItem(Texto(f.at("CoMsg") + "  " + f.at("InscricaoPrefixo") + "  " +
                                             f.at("TipoCampo") + "  " + f.at("PosicaoInicial") + "  " + f.at("Conteudo")));
        ui_->paRecusa->show();
        ui_->btVoltar->setFocus();
        return;
    }
    DescricoesReferencia descricoes(banco_);
    TfmConsulta01 fmConsulta01(banco_, dialogos_, descricoes, abreRelatorio_, this);
    dialogos_.Executa(fmConsulta01);
    // The consultation ends with its declarant window.
    done(kFecharConsulta);
}

// --- TfmConsulta01 -------------------------------------------------------------------

TfmConsulta01::TfmConsulta01(Banco& banco, ServicoDialogos& dialogos, DescricoesReferencia& descricoes,
                             AbreRelatorioConsulta abreRelatorio, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmConsulta01>()) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmConsulta01"));
    const auto resp = LeLinhas(banco, {"select * from te8Resp"});
    if (!resp.empty()) MostraLinhas(*ui_->loResponsavel, CamposResponsavel(Leitor(resp.front())));
    connect(ui_->btConteudo, &QPushButton::clicked, this, [this, &banco, &dialogos, &descricoes] {
        TfmConsulta02 fmConsulta02(banco, dialogos, descricoes, this);
        if (Fechou(dialogos, fmConsulta02)) done(kFecharConsulta);
    });
    connect(ui_->btRelatorio, &QPushButton::clicked, this, [this, abreRelatorio] {
        if (abreRelatorio) abreRelatorio(this);
    });
    LigaFechar(*this, ui_->btFechar);
}

TfmConsulta01::~TfmConsulta01() = default;

// --- TfmConsulta02 -------------------------------------------------------------------

TfmConsulta02::TfmConsulta02(Banco& banco, ServicoDialogos& dialogos, DescricoesReferencia& descricoes, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmConsulta02>()), banco_(banco), dialogos_(dialogos),
      descricoes_(descricoes) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmConsulta02"));
    estabelecimentos_ =
        LeLinhas(banco_, {"select * from te8Emp order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
    auto* modelo = new QStandardItemModel(0, 5, this);
    modelo->setHorizontalHeaderLabels({QStringLiteral("CNPJ/CEI"), QStringLiteral("Prefixo"),
                                       QStringLiteral("Nome/Firma/Razão Social"), QStringLiteral("CEI Vinculado"),
                                       QStringLiteral("Núm. Vínculos")});
    for (const auto& e : estabelecimentos_) {
        const auto cei = RetiraZerosEsquerda(e.at("CoCgcVinculado")).empty() ? std::string()
                                                                               : FormataInscricao(e.at("CoCgcVinculado"), "3");
        QList<QStandardItem*> linha;
        for (const auto& t : {InscricaoConsulta(e.at("CoCgcCeiEstabelecimento"), e.at("InInscrEstabelecimento")),
                              e.at("NuPrefixoEstabelecimento"), fAparaTexto(e.at("NoRazaoEstabelecimento")), cei,
                              e.at("NuVinculosEstabelecimento")})
            linha << new QStandardItem(Texto(t));
        modelo->appendRow(linha);
    }
    ui_->dgEstabelecimentos->setModel(modelo);
    ui_->dgEstabelecimentos->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    if (!estabelecimentos_.empty()) ui_->dgEstabelecimentos->selectRow(0);
    auto consulta = [this] { Consulta(ui_->dgEstabelecimentos->currentIndex().row()); };
    connect(ui_->btConsultar, &QPushButton::clicked, this, consulta);
    connect(ui_->dgEstabelecimentos, &QTableView::doubleClicked, this, consulta);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &QDialog::reject);
    LigaFechar(*this, ui_->btFechar);
}

TfmConsulta02::~TfmConsulta02() = default;

void TfmConsulta02::Consulta(int linha) {
    if (linha < 0 || linha >= static_cast<int>(estabelecimentos_.size())) return;
    TfmConsulta03 fmConsulta03(banco_, dialogos_, descricoes_, estabelecimentos_, linha, this);
    const bool fechou = Fechou(dialogos_, fmConsulta03);
    ui_->dgEstabelecimentos->selectRow(fmConsulta03.Atual());
    if (fechou) done(kFecharConsulta);
}

// --- TfmConsulta03 -------------------------------------------------------------------

TfmConsulta03::TfmConsulta03(Banco& banco, ServicoDialogos& dialogos, DescricoesReferencia& descricoes,
                             const std::vector<Linha>& estabelecimentos, int atual, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmConsulta03>()), banco_(banco), dialogos_(dialogos),
      descricoes_(descricoes), estabelecimentos_(estabelecimentos) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmConsulta03"));
    connect(ui_->btAnterior, &QPushButton::clicked, this, [this] { Mostra(atual_ - 1); });
    connect(ui_->btProximo, &QPushButton::clicked, this, [this] { Mostra(atual_ + 1); });
    connect(ui_->btEmpregados, &QPushButton::clicked, this, [this] {
        TfmConsulta04 fmConsulta04(banco_, dialogos_, descricoes_, estabelecimentos_[static_cast<size_t>(atual_)], this);
        if (Fechou(dialogos_, fmConsulta04)) done(kFecharConsulta);
    });
    connect(ui_->btVoltar, &QPushButton::clicked, this, &QDialog::reject);
    LigaFechar(*this, ui_->btFechar);
    Mostra(atual);
}

TfmConsulta03::~TfmConsulta03() = default;

void TfmConsulta03::Mostra(int linha) {
    if (linha < 0 || linha >= static_cast<int>(estabelecimentos_.size())) return;
    atual_ = linha;
    MostraLinhas(*ui_->loEstabelecimento, CamposEstabelecimento(Leitor(estabelecimentos_[static_cast<size_t>(linha)]),
                                                                descricoes_));
    ui_->btAnterior->setEnabled(linha > 0);
    ui_->btProximo->setEnabled(linha + 1 < static_cast<int>(estabelecimentos_.size()));
}

// --- TfmConsulta04 -------------------------------------------------------------------

TfmConsulta04::TfmConsulta04(Banco& banco, ServicoDialogos& dialogos, DescricoesReferencia& descricoes,
                             const Linha& estabelecimento, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmConsulta04>()), banco_(banco), dialogos_(dialogos),
      descricoes_(descricoes), estabelecimento_(estabelecimento) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmConsulta04"));
    modelo_ = new ModeloEmpregados(banco_, estabelecimento_.at("AnBase"), estabelecimento_.at("CoCgcCeiEstabelecimento"),
                                   estabelecimento_.at("NuPrefixoEstabelecimento"), this, "te8Vinc");
    ui_->dgEmpregados->setModel(modelo_);
    ui_->dgEmpregados->horizontalHeader()->setSectionResizeMode(ModeloEmpregados::ColunaNome, QHeaderView::Stretch);
    if (modelo_->rowCount() > 0) ui_->dgEmpregados->selectRow(0);
    connect(ui_->rbNome, &QRadioButton::toggled, this, [this](bool nome) {
        modelo_->sort(nome ? ModeloEmpregados::ColunaNome : ModeloEmpregados::ColunaPis);
        if (modelo_->rowCount() > 0) ui_->dgEmpregados->selectRow(0);
    });
    auto consulta = [this] { Consulta(ui_->dgEmpregados->currentIndex().row()); };
    connect(ui_->btConsultar, &QPushButton::clicked, this, consulta);
    connect(ui_->dgEmpregados, &QTableView::doubleClicked, this, consulta);
    ui_->dgEmpregados->installEventFilter(this);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &QDialog::reject);
    LigaFechar(*this, ui_->btFechar);
}

TfmConsulta04::~TfmConsulta04() = default;

bool TfmConsulta04::eventFilter(QObject* objeto, QEvent* e) {
    // Enter on the grid opens the chosen employee.
    if (objeto == ui_->dgEmpregados && e->type() == QEvent::KeyPress &&
        (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return || static_cast<QKeyEvent*>(e)->key() == Qt::Key_Enter)) {
        Consulta(ui_->dgEmpregados->currentIndex().row());
        return true;
    }
    return QDialog::eventFilter(objeto, e);
}

void TfmConsulta04::Consulta(int linha) {
    if (linha < 0 || linha >= modelo_->rowCount()) return;
    TfmConsulta05 fmConsulta05(banco_, descricoes_, estabelecimento_, *modelo_, linha, this);
    const bool fechou = Fechou(dialogos_, fmConsulta05);
    ui_->dgEmpregados->selectRow(fmConsulta05.Atual());
    if (fechou) done(kFecharConsulta);
}

// --- TfmConsulta05 -------------------------------------------------------------------

TfmConsulta05::TfmConsulta05(Banco& banco, DescricoesReferencia& descricoes, const Linha& estabelecimento,
                             ModeloEmpregados& modelo, int atual, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmConsulta05>()), banco_(banco), descricoes_(descricoes),
      estabelecimento_(estabelecimento), modelo_(modelo) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmConsulta05"));
    connect(ui_->btAnterior, &QPushButton::clicked, this, [this] { Mostra(atual_ - 1); });
    connect(ui_->btProximo, &QPushButton::clicked, this, [this] { Mostra(atual_ + 1); });
    connect(ui_->btVoltar, &QPushButton::clicked, this, &QDialog::reject);
    LigaFechar(*this, ui_->btFechar);
    Mostra(atual);
}

TfmConsulta05::~TfmConsulta05() = default;

void TfmConsulta05::Mostra(int linha) {
    if (linha < 0 || linha >= modelo_.rowCount()) return;
    atual_ = linha;
    const auto chave = modelo_.Linha(linha);
    zovi::Consulta q(banco_, {"select * from te8Vinc", "where AnBase = :AnBase",
                              "and CoCgcCeiEstabelecimento = :Inscricao and NuPrefixoEstabelecimento = :Prefixo",
                              "and CoPisPasepEmpregado = :Pis and DaAdmissaoEmpregado = :Admissao",
                              "and NoEmpregado = :Nome and NuSequencialRegistro = :Sequencial"});
    q.Parametro("AnBase", estabelecimento_.at("AnBase"));
    q.Parametro("Inscricao", estabelecimento_.at("CoCgcCeiEstabelecimento"));
    q.Parametro("Prefixo", estabelecimento_.at("NuPrefixoEstabelecimento"));
    q.Parametro("Pis", chave.pisPasep);
    q.Parametro("Admissao", chave.admissao);
    q.Parametro("Nome", chave.nome);
    q.Parametro("Sequencial", chave.sequencial);
    q.Abre();
    Linha l;
    if (!q.Vazia())
        for (int i = 0; i < q.NumCampos(); ++i) l[q.NomeCampo(i)] = q.Texto(i);
    MostraLinhas(*ui_->loEmpregado, CamposEmpregado(Leitor(l), descricoes_));
    ui_->btAnterior->setEnabled(linha > 0);
    ui_->btProximo->setEnabled(linha + 1 < modelo_.rowCount());
}

}  // namespace zovi::gui
