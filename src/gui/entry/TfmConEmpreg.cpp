#include "entry/TfmConEmpreg.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "entry/TfmDadosEmpreg.h"
#include "messages/Formatacao.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "ui_TfmConEmpreg.h"

namespace zovi::gui {

namespace {

// The letter buttons: the first shows every name; the others the names that
// begin with their letter, or with either of their two letters.
constexpr const char* kLetras[] = {"",   "A",  "B",  "C",  "D",  "EF", "GH", "IJ", "KL",
                                   "M",  "N",  "O",  "PQ", "RS", "TU", "VW", "X",  "YZ"};

QString Tela(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(cp1252)); }

std::string Tabela1252(const QString& texto) {
    return Utf8ParaCp1252(texto.toStdString()).value_or(std::string());
}

}  // namespace

TfmConEmpreg::TfmConEmpreg(ContextoEmpregados& contexto, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmConEmpreg>()), ctx_(contexto) {
    ui_->setupUi(this);
    const auto& estab = ctx_.cadastro.Estabelecimento();
    ui_->deInscricao->setText(Tela(FormataInscricao(estab.inscricao, estab.tipoInscricao)));
    ui_->dePrefixo->setText(Tela(estab.prefixo));
    ui_->deRazao->setText(Tela(estab.nome));
    ui_->pnAnoBase->setText(estab.encerra2006 ? QStringLiteral("Encerramento de Atividades - 2006 ")
                                              : QStringLiteral("Declaração Ano-Base 2005 "));

    modelo_ = new ModeloEmpregados(ctx_.dm.dbZovi, estab.anoBase, estab.inscricao, estab.prefixo, this);
    auto* grade = ui_->DBGridVinculo;
    grade->setModel(modelo_);
    grade->verticalHeader()->hide();
    // Rows of one height: the view then never asks for rows it does not show.
    grade->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grade->horizontalHeader()->setSectionResizeMode(ModeloEmpregados::ColunaPis, QHeaderView::ResizeToContents);
    grade->horizontalHeader()->setSectionResizeMode(ModeloEmpregados::ColunaNome, QHeaderView::Stretch);
    grade->horizontalHeader()->setSectionResizeMode(ModeloEmpregados::ColunaAdmissao, QHeaderView::ResizeToContents);
    grade->horizontalHeader()->setSortIndicator(ModeloEmpregados::ColunaPis, Qt::AscendingOrder);
    // The admission date is not an order: its title keeps the indicator where it was.
    connect(grade->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int coluna, Qt::SortOrder sentido) {
                auto* cabecalho = ui_->DBGridVinculo->horizontalHeader();
                if (coluna == ModeloEmpregados::ColunaAdmissao) {
                    QSignalBlocker bloqueio(cabecalho);
                    cabecalho->setSortIndicator(colunaOrdem_, sentidoOrdem_);
                    return;
                }
                colunaOrdem_ = coluna;
                sentidoOrdem_ = sentido;
            });
    connect(grade, &QAbstractItemView::doubleClicked, this, [this] { Exibir(); });

    ui_->edPisPasep->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,11}")), ui_->edPisPasep));
    connect(ui_->edPisPasep, &QLineEdit::textChanged, this, &TfmConEmpreg::Pesquisa);
    connect(ui_->edNome, &QLineEdit::textChanged, this, &TfmConEmpreg::Pesquisa);
    MontaLetras();

    connect(ui_->BtNovo, &QPushButton::clicked, this, &TfmConEmpreg::Novo);
    connect(ui_->BtExibir, &QPushButton::clicked, this, &TfmConEmpreg::Exibir);
    connect(ui_->BtExcluir, &QPushButton::clicked, this, &TfmConEmpreg::Excluir);
    connect(ui_->BtCancelar, &QPushButton::clicked, this, &QDialog::reject);

    for (QWidget* w : {static_cast<QWidget*>(ui_->edPisPasep), static_cast<QWidget*>(ui_->edNome),
                       static_cast<QWidget*>(grade)})
        w->installEventFilter(this);
    MostraTotal();
    Seleciona(0);
    ui_->edPisPasep->setFocus();
}

TfmConEmpreg::~TfmConEmpreg() = default;

void TfmConEmpreg::MontaLetras() {
    letras_ = new QButtonGroup(this);
    letras_->setExclusive(true);
    for (int i = 0; i < static_cast<int>(std::size(kLetras)); ++i) {
        auto* b = new QPushButton(*kLetras[i] ? QString::fromLatin1(kLetras[i]) : QStringLiteral("Todos"),
                                  ui_->gbPesquisa);
        b->setObjectName(QStringLiteral("sbLetra%1").arg(*kLetras[i] ? kLetras[i] : "Todos"));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setMinimumWidth(28);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        letras_->addButton(b, i);
        ui_->loLetras->addWidget(b);
    }
    letras_->button(0)->setChecked(true);
    connect(letras_, &QButtonGroup::idClicked, this, &TfmConEmpreg::Letra);
}

void TfmConEmpreg::Pesquisa() {
    if (limpandoPesquisa_) return;
    FiltroEmpregados filtro{Tabela1252(ui_->edPisPasep->text()), Tabela1252(ui_->edNome->text()),
                            kLetras[std::max(0, letras_->checkedId())]};
    modelo_->Filtra(filtro);
    MostraTotal();
    Seleciona(0);
}

// A letter button empties both search boxes and lists the names beginning with its letters.
void TfmConEmpreg::Letra(int botao) {
    limpandoPesquisa_ = true;
    ui_->edPisPasep->clear();
    ui_->edNome->clear();
    limpandoPesquisa_ = false;
    modelo_->Filtra({"", "", kLetras[botao]});
    MostraTotal();
    Seleciona(0);
    FocoAposPesquisa();
}

// After a search: one employee found, straight to "Exibir"; several, to the list; none, to "Novo".
void TfmConEmpreg::FocoAposPesquisa() {
    switch (modelo_->rowCount()) {
        case 0: ui_->BtNovo->setFocus(); break;
        case 1: ui_->BtExibir->setFocus(); break;
        default: ui_->DBGridVinculo->setFocus();
    }
}

void TfmConEmpreg::MostraTotal() {
    int n = modelo_->rowCount();
    ui_->laTotal->setText(n == 1 ? QStringLiteral("1 empregado") : QStringLiteral("%L1 empregados").arg(n));
}

void TfmConEmpreg::Seleciona(int linha) {
    auto* grade = ui_->DBGridVinculo;
    if (linha < 0 || linha >= modelo_->rowCount()) {
        grade->clearSelection();
        return;
    }
    auto indice = modelo_->index(linha, ModeloEmpregados::ColunaNome);
    grade->setCurrentIndex(indice);
    grade->scrollTo(indice);
}

std::optional<LinhaEmpregado> TfmConEmpreg::Selecionado() const {
    auto indice = ui_->DBGridVinculo->currentIndex();
    if (!indice.isValid() || !ui_->DBGridVinculo->selectionModel()->isRowSelected(indice.row(), {}))
        return std::nullopt;
    return modelo_->Linha(indice.row());
}

void TfmConEmpreg::Novo() { AbreFormulario(std::nullopt); }

void TfmConEmpreg::Exibir() {
    auto linha = Selecionado();
    if (!linha) {
        ctx_.dialogos.Mensagem(TipoDialogo::Informacao, QStringLiteral("Você deve selecionar um empregado."), this);
        letras_->button(0)->setChecked(true);
        Letra(0);
        return;
    }
    if (fAparaTexto(linha->pisPasep).empty()) {
        // A row without PIS/PASEP cannot be opened (it came from elsewhere): it can only go.
        auto r = ctx_.dialogos.Caixa(QStringLiteral("Confirmação"),
                                     QStringLiteral("Este empregado deve ser excluído. Deseja excluir ?"),
                                     QMessageBox::Question, {Resposta::Sim, Resposta::Nao}, this, Resposta::Nao);
        if (r == Resposta::Sim) ctx_.cadastro.Exclui(linha->Chave());
        modelo_->Recarrega();
        MostraTotal();
        return;
    }
    AbreFormulario(linha->Chave());
}

void TfmConEmpreg::Excluir() {
    auto linha = Selecionado();
    if (!linha) {
        ctx_.dialogos.Mensagem(TipoDialogo::Informacao, QStringLiteral("Você deve selecionar um empregado."), this);
        return;
    }
    auto r = ctx_.dialogos.Caixa(QStringLiteral("Confirmação"), QStringLiteral("Deseja excluir o vínculo ?"),
                                 QMessageBox::Question, {Resposta::Sim, Resposta::Nao}, this, Resposta::Nao);
    if (r != Resposta::Sim) return;
    int linhaAtual = ui_->DBGridVinculo->currentIndex().row();
    ContagemEmpregados contagem;
    ctx_.cadastro.Exclui(linha->Chave(), &contagem);
    modelo_->Recarrega();
    MostraTotal();
    if (contagem.empregados == 0) {
        semEmpregados_ = true;
        reject();
        return;
    }
    Seleciona(std::min(linhaAtual, modelo_->rowCount() - 1));
}

void TfmConEmpreg::AbreFormulario(const std::optional<ChaveEmpregado>& chave) {
    bool visivel = isVisible();
    hide();
    TfmDadosEmpreg fm(ctx_, chave, parentWidget());
    ctx_.dialogos.Executa(fm);
    if (fm.PisParaBusca()) {
        // The new employee's PIS/PASEP is already stored: the list shows that worker.
        letras_->button(0)->setChecked(true);
        limpandoPesquisa_ = true;
        ui_->edNome->clear();
        limpandoPesquisa_ = false;
        ui_->edPisPasep->setText(Tela(*fm.PisParaBusca()));
    }
    modelo_->Recarrega();
    MostraTotal();
    if (ctx_.cadastro.Conta().empregados == 0) {
        semEmpregados_ = true;
        reject();
        return;
    }
    if (visivel) show();
    int linha = fm.ChaveGravada() ? modelo_->Posicao(*fm.ChaveGravada()) : -1;
    Seleciona(linha >= 0 ? linha : 0);
    ui_->DBGridVinculo->setFocus();
}

// Enter: in the list it opens the employee; in a search box it ends the search;
// on a button it presses it.
bool TfmConEmpreg::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        bool enter = tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter;
        if (objeto == ui_->DBGridVinculo) {
            if (enter) {
                Exibir();
                return true;
            }
            if (tecla->key() == Qt::Key_Delete) {
                Excluir();
                return true;
            }
        } else if (enter && (objeto == ui_->edPisPasep || objeto == ui_->edNome)) {
            if (objeto == ui_->edPisPasep && ui_->edPisPasep->text().isEmpty()) ui_->edNome->setFocus();
            else FocoAposPesquisa();
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

}  // namespace zovi::gui
