#include "pickers/TfmSeletor.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>

#include "data/ModulosDados.h"
#include "engine/Tabela.h"
#include "messages/Formatacao.h"
#include "platform/Texto1252.h"
#include "ui_TfmSeletor.h"

namespace zovi::gui {

namespace {

// How the lines of a table are arranged into levels by the length of their code.
enum class Arvore {
    UmNivel,
    DoisNiveis,  // 2 characters: a heading (state, CNAE group); longer: the lines under it
    Cbo,         // 2, 3 and 4 characters: levels 1 to 3; the 6-character occupations: level 4
};

const char* const kAfastamentos[] = {
    "10. Acidente do trabalho típico (que ocorre no exercício do trabalho à serviço do estabelecimento).",
    "20. Acidente do trabalho de trajeto (ocorrido no trajeto residência-trabalho-residência).",
    "30. Doença relacionada ao trabalho.",
    "40. Doença não relacionada ao trabalho",
    "50. Licença maternidade e licença paternidade.",
    "60. Serviço militar obrigatório.",
    "70.Licença sem remuneração/vencimento.",
};

struct Descricao {
    TipoSeletor tipo;
    const char* nome;
    const char* titulo;
    Tabela TdmGDZovi::*tabela;  // nullptr: a fixed list
    const char* campoCodigo;
    const char* campoDescricao;
    Arvore arvore;
    int nivelEscolha;
    int caracteres;  // taken from the start of the chosen line: the code, as wide as its field
    QSize tamanho;
};

const Descricao kDescricoes[] = {
    {TipoSeletor::Municipio, "frmT8Munic", "Relação de Unidades da Federação", &TdmGDZovi::taMunicipio,
     "CoMunicipio", "NoMunicipio", Arvore::DoisNiveis, 2, 7, {560, 460}},
    {TipoSeletor::Cnae, "fmTb8Cnae", "Relação de Atividades Econômicas ( CNAE 1.0 )", &TdmGDZovi::taCNAE, "CoCnae",
     "NoCnae", Arvore::DoisNiveis, 2, 5, {700, 460}},
    {TipoSeletor::NaturezaJuridica, "fmTb8NatJu", "Relação de Códigos de Natureza Jurídica", &TdmGDZovi::taNatJu,
     "CoNaturezaJuridica", "NoNaturezaJuridica", Arvore::UmNivel, 1, 4, {640, 420}},
    {TipoSeletor::Cbo, "fmTb8CBO", "Relação dos Códigos de Ocupação ( CBO )", &TdmGDZovi::taCBO, "CoCbo", "NoCbo",
     Arvore::Cbo, 4, 6, {700, 480}},
    {TipoSeletor::Nacionalidade, "fmTb8Nacio", "Relação de Nacionalidade", &TdmGDZovi::taNacionalidade,
     "CoNacionalidade", "NoNacionalidade", Arvore::UmNivel, 1, 2, {460, 400}},
    {TipoSeletor::Instrucao, "fmTb8Instr", "Relação de Grau de Instrução", &TdmGDZovi::taInstrucao, "CoInstrucao",
     "NoInstrucao", Arvore::UmNivel, 1, 1, {700, 340}},
    {TipoSeletor::TipoAdmissao, "fmTp8adm", "Relação do Tipo de Admissão", &TdmGDZovi::taAdmissao, "CoTipoAdmissao",
     "NoTipoAdmissao", Arvore::UmNivel, 1, 1, {700, 300}},
    {TipoSeletor::TipoSalario, "fmTb8TpSal", "Relação de Tipo de Salário", &TdmGDZovi::taSalario,
     "CoTipoSalarioContratual", "NoTipoSalarioContratual", Arvore::UmNivel, 1, 1, {420, 300}},
    {TipoSeletor::Vinculo, "fmTb8Vinc", "Relação de Tipo de Vínculo Empregatício", &TdmGDZovi::taTpVinc, "CoVinculo",
     "NoVinculo", Arvore::UmNivel, 1, 2, {760, 420}},
    {TipoSeletor::Desligamento, "fmTb8Desl", "Relação dos Tipos de Desligamento", &TdmGDZovi::taDesl,
     "CoCausaDesligamento", "NoCausaDesligamento", Arvore::UmNivel, 1, 2, {760, 420}},
    {TipoSeletor::Raca, "fmTb8Raca", "Relação de Raça/Cor", &TdmGDZovi::taRaca, "CoRaca", "NoRaca", Arvore::UmNivel,
     1, 1, {420, 300}},
    {TipoSeletor::MesesAno, "fmMesesAno", "Relação de Meses do Ano", nullptr, nullptr, nullptr, Arvore::UmNivel, 1, 2,
     {320, 330}},
    {TipoSeletor::Afastamento, "fmTb8Afast", "Relação de Códigos de Afastamento", nullptr, nullptr, nullptr,
     Arvore::UmNivel, 1, 2, {720, 200}},
};

const Descricao& DescricaoDe(TipoSeletor tipo) {
    for (const auto& d : kDescricoes)
        if (d.tipo == tipo) return d;
    return kDescricoes[0];
}

int NivelDoCodigo(Arvore arvore, qsizetype tamanho) {
    switch (arvore) {
        case Arvore::UmNivel: return 1;
        case Arvore::DoisNiveis: return tamanho == 2 ? 1 : 2;
        case Arvore::Cbo: return tamanho >= 2 && tamanho <= 4 ? int(tamanho) - 1 : 4;
    }
    return 1;
}

// The months and leave pickers close on any click or Enter, chosen or not.
bool FechaSempre(TipoSeletor tipo) { return tipo == TipoSeletor::MesesAno || tipo == TipoSeletor::Afastamento; }

QString Texto(const Tabela& t, const char* campo) {
    return QString::fromStdString(Cp1252ParaUtf8(t.Texto(campo))).trimmed();
}

}  // namespace

TfmSeletor::TfmSeletor(TdmGDZovi& dm, TipoSeletor tipo, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmSeletor>()), tipo_(tipo) {
    ui_->setupUi(this);
    const auto& d = DescricaoDe(tipo);
    setObjectName(QString::fromLatin1(d.nome));
    setWindowTitle(QString::fromUtf8(d.titulo));
    resize(d.tamanho);
    Monta(dm);
    filtro_.setSourceModel(&modelo_);
    ui_->tvLinhas->setModel(&filtro_);
    ui_->tvLinhas->setRootIsDecorated(d.arvore != Arvore::UmNivel);

    connect(ui_->edProcura, &QLineEdit::textChanged, this, &TfmSeletor::Procura);
    connect(ui_->tvLinhas, &QTreeView::clicked, this, &TfmSeletor::TentaEscolha);
    ui_->edProcura->installEventFilter(this);
    ui_->tvLinhas->installEventFilter(this);
    ui_->tvLinhas->viewport()->installEventFilter(this);
}

TfmSeletor::~TfmSeletor() = default;

void TfmSeletor::Monta(TdmGDZovi& dm) {
    const auto& d = DescricaoDe(tipo_);
    modelo_.Limpa();
    auto acrescentaLista = [&](const auto& lista) {
        for (const char* linha : lista) {
            const QString texto = QString::fromUtf8(linha);
            modelo_.Acrescenta(texto, texto.left(d.caracteres), 1);
        }
    };
    if (tipo_ == TipoSeletor::MesesAno) {
        for (int m = 1; m <= 12; ++m) {
            const std::string mes = CompletaZeros(std::to_string(m), 2);
            const QString codigo = QString::fromStdString(mes);
            modelo_.Acrescenta(codigo + QStringLiteral(" - ") + QString::fromStdString(Cp1252ParaUtf8(NomeMes(mes))),
                               codigo, 1);
        }
        return;
    }
    if (tipo_ == TipoSeletor::Afastamento) return acrescentaLista(kAfastamentos);

    Tabela& t = dm.*d.tabela;
    if (!t.Aberta()) t.Abre();
    for (t.Primeiro(); !t.Fim(); t.Proximo()) {
        const QString codigo = Texto(t, d.campoCodigo);
        modelo_.Acrescenta(codigo + QStringLiteral("  - ") + Texto(t, d.campoDescricao), codigo,
                           NivelDoCodigo(d.arvore, codigo.size()));
    }
}

void TfmSeletor::Prepara(const QString& atual) {
    escolhido_.clear();
    ui_->edProcura->clear();
    Procura({});
    const QModelIndex linha = filtro_.mapFromSource(modelo_.IndiceDoCodigo(atual));
    if (linha.isValid()) {
        ui_->tvLinhas->scrollTo(linha, QAbstractItemView::PositionAtCenter);
        ui_->tvLinhas->setCurrentIndex(linha);
    } else {
        ui_->tvLinhas->setCurrentIndex({});
        ui_->tvLinhas->scrollToTop();
    }
    ui_->edProcura->setFocus();
}

void TfmSeletor::Procura(const QString& texto) {
    filtro_.DefineBusca(texto);
    ui_->laNenhuma->setVisible(filtro_.rowCount() == 0);
    if (!filtro_.Ativo()) {
        ui_->tvLinhas->collapseAll();
        return;
    }
    ui_->tvLinhas->expandAll();
    // The line that answers the search best is selected, so Enter takes it at once.
    const int nivel = DescricaoDe(tipo_).nivelEscolha;
    if (const int melhor = filtro_.MelhorLinha(nivel); melhor >= 0) {
        const QModelIndex linha = filtro_.mapFromSource(modelo_.IndiceDaLinha(melhor));
        ui_->tvLinhas->setCurrentIndex(linha);
        ui_->tvLinhas->scrollTo(linha);
        return;
    }
    // Only headings matched (a state by its name): the first line under them that can be chosen.
    std::vector<QModelIndex> pendentes{QModelIndex()};
    while (!pendentes.empty()) {
        const QModelIndex pai = pendentes.back();
        pendentes.pop_back();
        for (int i = filtro_.rowCount(pai) - 1; i >= 0; --i) pendentes.push_back(filtro_.index(i, 0, pai));
        if (pai.isValid() && pai.data(ModeloCodigos::PapelNivel).toInt() == nivel) {
            ui_->tvLinhas->setCurrentIndex(pai);
            ui_->tvLinhas->scrollTo(pai);
            return;
        }
    }
    ui_->tvLinhas->setCurrentIndex({});
}

void TfmSeletor::TentaEscolha(const QModelIndex& indiceFiltro) {
    const auto& d = DescricaoDe(tipo_);
    const bool valida = indiceFiltro.isValid() && indiceFiltro.data(ModeloCodigos::PapelNivel).toInt() == d.nivelEscolha;
    if (valida) escolhido_ = indiceFiltro.data(Qt::DisplayRole).toString().left(d.caracteres);
    if (valida)
        accept();
    else if (FechaSempre(tipo_))
        reject();
}

void TfmSeletor::ExpandeComEnter(const QModelIndex& indiceFiltro) {
    if (!indiceFiltro.isValid()) return;
    const auto arvore = DescricaoDe(tipo_).arvore;
    const int nivel = indiceFiltro.data(ModeloCodigos::PapelNivel).toInt();
    auto* arvoreVista = ui_->tvLinhas;
    if (arvore == Arvore::DoisNiveis && nivel == 1) arvoreVista->expandRecursively(indiceFiltro);
    if (arvore == Arvore::Cbo && (nivel == 1 || nivel == 2)) arvoreVista->expand(indiceFiltro);
    if (arvore == Arvore::Cbo && nivel == 3) arvoreVista->expandRecursively(indiceFiltro);
}

void TfmSeletor::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Only a laid-out view can centre the line of the field's code.
    if (ui_->tvLinhas->currentIndex().isValid())
        ui_->tvLinhas->scrollTo(ui_->tvLinhas->currentIndex(), QAbstractItemView::PositionAtCenter);
}

// A line cut by the width of the list shows its whole text as a hint.
bool TfmSeletor::DicaDaLinha(QHelpEvent* e) {
    auto* vista = ui_->tvLinhas;
    const QModelIndex linha = vista->indexAt(e->pos());
    const QString texto = linha.data(Qt::DisplayRole).toString();
    const QRect area = vista->visualRect(linha);
    const int largura = vista->iconSize().width() + vista->fontMetrics().horizontalAdvance(texto) + 12;
    if (linha.isValid() && (area.left() + largura > vista->viewport()->width() || largura > area.width()))
        QToolTip::showText(e->globalPos(), texto, vista);
    else
        QToolTip::hideText();
    return true;
}

bool TfmSeletor::eventFilter(QObject* objeto, QEvent* e) {
    if (e->type() == QEvent::ToolTip && objeto == ui_->tvLinhas->viewport()) return DicaDaLinha(static_cast<QHelpEvent*>(e));
    if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(objeto, e);
    auto* tecla = static_cast<QKeyEvent*>(e);
    switch (tecla->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const auto selecionadas = ui_->tvLinhas->selectionModel()->selectedIndexes();
            const QModelIndex linha = selecionadas.isEmpty() ? QModelIndex() : selecionadas.first();
            TentaEscolha(linha);
            if (escolhido_.isEmpty()) ExpandeComEnter(linha);
            return true;
        }
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // The arrows move through the tree while the search box keeps the focus.
            if (objeto == ui_->edProcura) {
                ui_->tvLinhas->setFocus();
                QCoreApplication::sendEvent(ui_->tvLinhas, e);
                return true;
            }
            break;
        default:
            // Typing while the tree has the focus goes on in the search box.
            if (objeto == ui_->tvLinhas && ui_->paProcura->isVisible() && !tecla->text().isEmpty() &&
                tecla->text().at(0).isPrint()) {
                ui_->edProcura->setFocus();
                QCoreApplication::sendEvent(ui_->edProcura, e);
                return true;
            }
            break;
    }
    return QDialog::eventFilter(objeto, e);
}

}  // namespace zovi::gui
