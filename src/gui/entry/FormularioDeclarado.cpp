#include "entry/FormularioDeclarado.h"

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <stdexcept>

#include "entry/EdicaoValor.h"
#include "messages/Formatacao.h"
#include "engine/Tabela.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/RotinasFormulario.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "rules/Primitivas.h"

namespace zovi::gui {

namespace {

std::string Cp1252(const QString& texto) { return Utf8ParaCp1252(texto.toStdString()).value_or(std::string()); }
QString Tela(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(cp1252)); }

// The code of a text holding a character the declaration does not take.
constexpr const char* kCaractereInvalido = "0020";

std::string SoAlfanumericos(const std::string& texto) {
    std::string r;
    for (unsigned char c : texto)
        if (std::isalnum(c)) r += static_cast<char>(c);
    return r;
}

// Characters a control shows: its mask's length, else its stored width (long texts shown in part).
int Caracteres(const CampoDeclarado& c) {
    if (c.valor == ValorCampo::Dinheiro) return 13;
    if (!c.mascara.isEmpty()) return static_cast<int>(c.mascara.size());
    return std::min(c.largura, 52);
}

}  // namespace

// ---------------------------------------------------------------------------

GrupoOpcoes::GrupoOpcoes(const QString& nome, const QString& opcoes, bool vertical, QWidget* pai)
    : QWidget(pai), grupo_(new QButtonGroup(this)) {
    setObjectName(nome);
    auto* caixa = new QBoxLayout(vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    caixa->setContentsMargins(0, 0, 0, 0);
    for (const auto& opcao : opcoes.split(QLatin1Char('|'))) {
        const auto partes = opcao.split(QLatin1Char('='));
        auto* botao = new QRadioButton(partes.value(0), this);
        botao->setObjectName(nome + partes.value(1));
        grupo_->addButton(botao, static_cast<int>(valores_.size()));
        botao->installEventFilter(this);
        valores_ << partes.value(1);
        caixa->addWidget(botao);
    }
    caixa->addStretch();
    connect(grupo_, &QButtonGroup::idClicked, this, [this](int id) { emit Escolhido(valores_.value(id)); });
}

QString GrupoOpcoes::Valor() const {
    const int id = grupo_->checkedId();
    return id < 0 ? QString() : valores_.value(id);
}

void GrupoOpcoes::PoeValor(const QString& valor) {
    const int id = static_cast<int>(valores_.indexOf(valor.trimmed()));
    if (id >= 0) {
        grupo_->button(id)->setChecked(true);
        return;
    }
    // An exclusive group keeps one button ticked; untick through a pause in exclusivity.
    grupo_->setExclusive(false);
    for (auto* b : grupo_->buttons()) b->setChecked(false);
    grupo_->setExclusive(true);
}

QAbstractButton* GrupoOpcoes::Botao(const QString& valor) const { return grupo_->button(static_cast<int>(valores_.indexOf(valor))); }
QList<QAbstractButton*> GrupoOpcoes::Botoes() const { return grupo_->buttons(); }

// Arrows tick the neighbouring choice, whatever was ticked before and however the group is laid out.
bool GrupoOpcoes::eventFilter(QObject* objeto, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QWidget::eventFilter(objeto, e);
    const int tecla = static_cast<QKeyEvent*>(e)->key();
    const int passo = tecla == Qt::Key_Left || tecla == Qt::Key_Up      ? -1
                      : tecla == Qt::Key_Right || tecla == Qt::Key_Down ? 1
                                                                        : 0;
    if (passo == 0) return QWidget::eventFilter(objeto, e);
    Move(static_cast<QAbstractButton*>(objeto), passo);
    return true;
}

bool GrupoOpcoes::Move(QAbstractButton* de, int passo) {
    const auto botoes = Botoes();
    for (auto i = botoes.indexOf(de) + passo; i >= 0 && i < botoes.size(); i += passo) {
        if (!botoes[i]->isEnabled()) continue;
        botoes[i]->setFocus(passo < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        botoes[i]->click();
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------

FormularioDeclarado::FormularioDeclarado(ServicoDialogos& dialogos, Mensagens& mensagens, QWidget* pai)
    : QDialog(pai), dialogos_(dialogos), mensagens_(mensagens) {}

void FormularioDeclarado::AdicionaPagina(QWidget* pagina, const QString& nome) {
    pagina->setObjectName(nome);
    paginas_.insert(nome, pagina);
    ordemPaginas_ << nome;
}

QWidget* FormularioDeclarado::AdicionaAba(QTabWidget* abas, const QString& nome, const QString& titulo) {
    auto* pagina = new QWidget;
    AdicionaPagina(pagina, nome);
    abas->addTab(pagina, titulo);
    abasDaPagina_.insert(pagina, abas);
    abas->tabBar()->installEventFilter(this);
    return pagina;
}

namespace {

// A scroll area that asks for the whole size of its pages: on a screen with room for them
// nothing scrolls; on a smaller one the window is fitted and the pages scroll.
class AreaRolavel : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int moldura = 2 * frameWidth();
        return (widget() ? widget()->sizeHint() : QSize()) + QSize(moldura, moldura);
    }
};

}  // namespace

QWidget* FormularioDeclarado::Rolavel(QWidget* area) {
    auto* rolagem = new AreaRolavel(this);
    rolagem->setObjectName(area->objectName() + QStringLiteral("Rolagem"));
    rolagem->setWidget(area);
    rolagem->setWidgetResizable(true);
    rolagem->setFrameShape(QFrame::NoFrame);
    return rolagem;
}

void FormularioDeclarado::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (ajustado_ || e->spontaneous() || !screen()) return;
    ajustado_ = true;
    // Room left for the title bar the window manager adds.
    constexpr int kTitulo = 40;
    const QRect tela = screen()->availableGeometry();
    // The pages were filled after their scroll area joined the layout: its size is asked anew.
    for (auto* rolagem : findChildren<QScrollArea*>()) rolagem->updateGeometry();
    // As large as the form asks (Qt gives a new window at most two thirds of the screen), as
    // long as the screen has room for it.
    const QSize cabe = sizeHint().expandedTo(minimumSizeHint()).boundedTo(QSize(tela.width(), tela.height() - kTitulo));
    if (cabe != size()) resize(cabe);
    const int x = std::clamp(this->x(), tela.left(), std::max(tela.left(), tela.right() - width()));
    const int y = std::clamp(this->y(), tela.top(), std::max(tela.top(), tela.bottom() - height() - kTitulo));
    if (QPoint(x, y) != pos()) move(x, y);
}

void FormularioDeclarado::IgnoraSaidaPara(const QStringList& nomes) {
    for (const auto& n : nomes) semCritica_.insert(n);
}

void FormularioDeclarado::MontaCampos(const std::vector<GrupoDeclarado>& grupos, std::vector<CampoDeclarado> campos) {
    QHash<QString, QGridLayout*> gradeGrupo;
    for (const auto& g : grupos) {
        QWidget* pagina = paginas_.value(g.pagina);
        if (!pagina) throw std::logic_error("página inexistente: " + g.pagina.toStdString());
        auto* gradePagina = qobject_cast<QGridLayout*>(pagina->layout());
        if (!gradePagina) gradePagina = new QGridLayout(pagina);
        QWidget* caixa = g.titulo.isEmpty() ? new QWidget(pagina) : new QGroupBox(g.titulo, pagina);
        caixa->setObjectName(g.nome);
        auto* grade = new QGridLayout(caixa);
        if (g.titulo.isEmpty()) grade->setContentsMargins(0, 0, 0, 0);
        gradePagina->addWidget(caixa, g.linha, g.coluna, g.linhas, g.colunas);
        gradeGrupo.insert(g.nome, grade);
        controles_.insert(g.nome, caixa);
    }
    campos_ = std::move(campos);
    for (int i = 0; i < static_cast<int>(campos_.size()); ++i) {
        const auto& c = campos_[static_cast<size_t>(i)];
        QGridLayout* grade = gradeGrupo.value(c.grupo);
        if (!grade) throw std::logic_error("grupo inexistente: " + c.grupo.toStdString());
        QWidget* controle = CriaControle(c, grade->parentWidget());
        controles_.insert(c.nome, controle);
        indice_.insert(c.nome, i);
        const int col = 2 * c.coluna;
        if (c.rotulo.isEmpty()) {
            grade->addWidget(controle, c.linha, col, 1, 2 * c.colunas, Qt::AlignLeft);
        } else {
            auto* rotulo = new QLabel(c.rotulo, grade->parentWidget());
            rotulo->setObjectName(QStringLiteral("la") + c.nome.mid(2));
            rotulo->setBuddy(controle);
            rotulo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grade->addWidget(rotulo, c.linha, col);
            grade->addWidget(controle, c.linha, col + 1, 1, 2 * c.colunas - 1, Qt::AlignLeft);
        }
    }
    OrdenaTabulacao(grupos);
    // Spare room goes to the right and the bottom of each group and page, never between a label and its control.
    for (auto* grade : gradeGrupo) {
        grade->setColumnStretch(grade->columnCount(), 1);
        grade->setRowStretch(grade->rowCount(), 1);
    }
    for (auto* pagina : paginas_)
        if (auto* g = qobject_cast<QGridLayout*>(pagina->layout())) g->setRowStretch(g->rowCount(), 1);
}

void FormularioDeclarado::OrdenaTabulacao(const std::vector<GrupoDeclarado>& grupos) {
    // Tab follows the reading order (page, group row and column, field row and column),
    // whatever the order in which the table lists the fields for checking.
    QHash<QString, const GrupoDeclarado*> grupoDe;
    for (const auto& g : grupos) grupoDe.insert(g.nome, &g);
    std::vector<std::pair<std::array<int, 5>, QWidget*>> ordem;
    for (const auto& c : campos_) {
        const auto* g = grupoDe.value(c.grupo);
        const std::array<int, 5> chave{static_cast<int>(ordemPaginas_.indexOf(g->pagina)), g->linha, g->coluna, c.linha,
                                       c.coluna};
        QWidget* controle = Controle(c.nome);
        if (auto* opcoes = qobject_cast<GrupoOpcoes*>(controle))
            for (auto* b : opcoes->Botoes()) ordem.emplace_back(chave, b);
        else if (controle->focusPolicy() != Qt::NoFocus)
            ordem.emplace_back(chave, controle);
    }
    std::stable_sort(ordem.begin(), ordem.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 1; i < ordem.size(); ++i) setTabOrder(ordem[i - 1].second, ordem[i].second);
}

QWidget* FormularioDeclarado::CriaControle(const CampoDeclarado& c, QWidget* pai) {
    const int largura = fontMetrics().averageCharWidth() * (Caracteres(c) + 3) + 8;
    switch (c.controle) {
    case ControleCampo::Opcoes: {
        auto* opcoes = new GrupoOpcoes(c.nome, c.opcoes, c.largura == 1 && c.opcoes.count('|') > 1, pai);
        for (auto* b : opcoes->Botoes()) b->installEventFilter(this);
        return opcoes;
    }
    case ControleCampo::Marca: {
        auto* marca = new QCheckBox(c.opcoes, pai);
        marca->setObjectName(c.nome);
        marca->installEventFilter(this);
        return marca;
    }
    case ControleCampo::Botao: {
        // Out of the tab order in every form: Enter goes from the code to the next field, and
        // F2 in the code opens the picker.
        auto* botao = new QToolButton(pai);
        botao->setObjectName(c.nome);
        botao->setText(QStringLiteral("..."));
        botao->setToolTip(QStringLiteral("Escolher da tabela (F2)"));
        botao->setFocusPolicy(Qt::NoFocus);
        return botao;
    }
    case ControleCampo::Leitura:
    case ControleCampo::Edicao:
        break;
    }
    QLineEdit* edicao = c.valor == ValorCampo::Dinheiro ? new EdicaoValor(pai)
                        : c.mascara.isEmpty()             ? new QLineEdit(pai)
                                                          : new EdicaoMascara(c.mascara, pai);
    edicao->setObjectName(c.nome);
    edicao->setFixedWidth(largura);
    if (c.controle == ControleCampo::Leitura) {
        edicao->setReadOnly(true);
        edicao->setFocusPolicy(Qt::NoFocus);
        return edicao;
    }
    if (c.valor != ValorCampo::Dinheiro) {
        edicao->setMaxLength(c.mascara.isEmpty() ? c.largura : edicao->maxLength());
        edicao->setValidator(new Validador1252(c.valor == ValorCampo::Maiusculas, edicao));
    }
    edicao->installEventFilter(this);
    return edicao;
}

const CampoDeclarado& FormularioDeclarado::Campo(const QString& nome) const {
    auto it = indice_.find(nome);
    if (it == indice_.end()) throw std::logic_error("campo inexistente: " + nome.toStdString());
    return campos_[static_cast<size_t>(*it)];
}

QWidget* FormularioDeclarado::Controle(const QString& nome) const { return controles_.value(nome); }
QLineEdit* FormularioDeclarado::Edicao(const QString& nome) const { return qobject_cast<QLineEdit*>(Controle(nome)); }
EdicaoValor* FormularioDeclarado::Valor(const QString& nome) const { return qobject_cast<EdicaoValor*>(Controle(nome)); }
GrupoOpcoes* FormularioDeclarado::Opcoes(const QString& nome) const { return qobject_cast<GrupoOpcoes*>(Controle(nome)); }

std::string FormularioDeclarado::Texto(const QString& nome) const {
    const auto& c = Campo(nome);
    QWidget* w = Controle(nome);
    if (auto* o = qobject_cast<GrupoOpcoes*>(w)) return Cp1252(o->Valor());
    if (auto* m = qobject_cast<QCheckBox*>(w)) return m->isChecked() ? "1" : "2";
    auto* e = qobject_cast<QLineEdit*>(w);
    if (!e) return {};
    switch (c.valor) {
    case ValorCampo::Dinheiro: return Valor(nome)->Centavos(c.largura).value_or("Erro");
    case ValorCampo::Codigo:
    case ValorCampo::Data: return SoAlfanumericos(Cp1252(e->text()));
    case ValorCampo::Numero: {
        const std::string n = fAparaTexto(Cp1252(e->text()));
        return fNumerico(n) ? CompletaZeros(n, c.largura) : n;
    }
    case ValorCampo::Texto:
    case ValorCampo::Maiusculas: return fAparaTexto(Cp1252(e->text()));
    }
    return {};
}

void FormularioDeclarado::PoeTexto(const QString& nome, const std::string& valor) {
    const auto& c = Campo(nome);
    QWidget* w = Controle(nome);
    if (auto* o = qobject_cast<GrupoOpcoes*>(w)) return o->PoeValor(Tela(valor));
    if (auto* m = qobject_cast<QCheckBox*>(w)) return m->setChecked(fAparaTexto(valor) == "1");
    auto* e = qobject_cast<QLineEdit*>(w);
    if (!e) return;
    if (c.valor == ValorCampo::Dinheiro) return Valor(nome)->PoeCentavos(valor);
    if (c.valor == ValorCampo::Numero) return e->setText(Tela(RetiraZerosEsquerda(fAparaTexto(valor))));
    e->setText(Tela(fAparaTexto(valor)));
}

void FormularioDeclarado::Carrega(const Tabela& tabela) {
    for (const auto& c : campos_)
        if (!c.campo.empty()) PoeTexto(c.nome, tabela.Texto(c.campo));
}

void FormularioDeclarado::Descarrega(Tabela& tabela) const {
    for (const auto& c : campos_)
        if (!c.campo.empty()) tabela.PoeTexto(c.campo, Texto(c.nome));
}

std::string FormularioDeclarado::MostraMensagem(const std::string& codigo) { return mensagens_.MostraMensagem(codigo); }

QWidget* FormularioDeclarado::PaginaDe(QWidget* controle) const {
    for (QWidget* w = controle; w && w != this; w = w->parentWidget())
        if (abasDaPagina_.contains(w)) return w;
    return nullptr;
}

void FormularioDeclarado::AbrePaginaDe(QWidget* controle) {
    if (QWidget* pagina = PaginaDe(controle)) abasDaPagina_.value(pagina)->setCurrentWidget(pagina);
}

bool FormularioDeclarado::CriticaTodos() {
    for (const auto& c : campos_)
        if (c.regra && !Critica_(c, false)) return false;
    return true;
}

// A text refused for a character the declaration does not take ("0020") that holds accented
// letters: the catalogue's message, what it means here, and the offer to make them plain.
// Nenhuma when there was nothing to offer.
Resposta FormularioDeclarado::OfereceSemAcentos(const CampoDeclarado& campo, const std::string& codigo) {
    auto* edicao = Edicao(campo.nome);
    if (codigo != kCaractereInvalido || !edicao || edicao->isReadOnly()) return Resposta::Nenhuma;
    const QString plano = SemAcentos(edicao->text());
    if (plano == edicao->text()) return Resposta::Nenhuma;
    const QString texto = TextoExplicado(codigo, QStringLiteral("Letras acentuadas (á, ã, ç, é, õ ...) não são aceitas "
                                                                "na declaração. Deseja trocá-las pelas mesmas letras "
                                                                "sem acento?"));
    const auto r = dialogos_.Caixa(ServicoDialogos::TituloTipo(TipoDialogo::Erro), texto, QMessageBox::Critical,
                                   {Resposta::Sim, Resposta::Nao}, this, Resposta::Sim);
    if (r == Resposta::Sim) edicao->setText(plano);
    return r;
}

bool FormularioDeclarado::Critica_(const CampoDeclarado& campo, bool saida) {
    const bool antes = criticando_;
    criticando_ = true;
    zovi::gui::Critica r = campo.regra();
    Resposta acentos = r.aviso ? Resposta::Nenhuma : OfereceSemAcentos(campo, r.codigo);
    // Made plain at the user's word: the field is judged again as it now reads.
    if (acentos == Resposta::Sim) r = campo.regra();
    bool passou = true;
    if (r.aviso && !r.Passou()) {
        if (saida) MostraMensagem(r.codigo);
    } else if (!r.Passou()) {
        // Declined, the refusal was already said with the offer.
        const bool dito = acentos == Resposta::Nao && r.codigo == kCaractereInvalido;
        Falha(dito ? std::string() : r.codigo, r.foco ? r.foco : Controle(campo.nome));
        passou = false;
    }
    criticando_ = antes;
    return passou;
}

void FormularioDeclarado::Falha(const std::string& codigo, QWidget* foco) {
    const bool antes = criticando_;
    criticando_ = true;
    if (!codigo.empty()) MostraMensagem(codigo);
    AbrePaginaDe(foco);
    foco->setFocus(Qt::OtherFocusReason);
    // After the field's own focus-out handling, which clears the selection.
    if (auto* e = qobject_cast<QLineEdit*>(foco)) QTimer::singleShot(0, e, &QLineEdit::selectAll);
    bloqueiaAba_ = true;
    abaLiberada_ = false;
    // The mouse press that moved the focus away is still on its way to its button.
    engoleClique_ = true;
    QTimer::singleShot(0, this, [this] { engoleClique_ = false; });
    criticando_ = antes;
}

bool FormularioDeclarado::CriticaSaida(const CampoDeclarado& campo) {
    if (campo.controle != ControleCampo::Edicao || !campo.regra || !campo.criticaNaSaida) return true;
    const std::string valor = Texto(campo.nome);
    const bool vazio = campo.valor == ValorCampo::Dinheiro ? Valor(campo.nome)->NaoInformado()
                                                           : fAparaTexto(valor).empty();
    const bool passouSoPorEle = vaziosSoSeDigitados_ && !Edicao(campo.nome)->isModified();
    const bool pula = vazio && (campo.saidaSoPreenchido || passouSoPorEle);
    return pula || Critica_(campo, true);
}

void FormularioDeclarado::SaiuDoCampo(const CampoDeclarado& campo) {
    QWidget* controle = Controle(campo.nome);
    QWidget* destino = QApplication::focusWidget();
    // Towards Cancel-like buttons, out of a page being hidden, or inside one radio group: no check.
    if (destino && semCritica_.contains(destino->objectName())) return;
    if (!controle->isVisibleTo(this)) return;
    if (destino && controle->isAncestorOf(destino)) return;
    if (!CriticaSaida(campo)) return;
    AoSairDoCampo(campo.nome);
}

const CampoDeclarado* FormularioDeclarado::CampoDoControle(QWidget* w) const {
    if (auto* opcoes = qobject_cast<GrupoOpcoes*>(w ? w->parentWidget() : nullptr)) w = opcoes;
    const auto it = indice_.find(w ? w->objectName() : QString());
    return it == indice_.end() ? nullptr : &campos_[static_cast<size_t>(*it)];
}

// A click on another tab leaves the field being typed: its check runs first, and a failure keeps
// the tab. The change right after a refused one goes through, as the user insists.
bool FormularioDeclarado::AceitaTrocaDeAba() {
    if (abaLiberada_) {
        abaLiberada_ = false;
        return true;
    }
    const CampoDeclarado* campo = CampoDoControle(QApplication::focusWidget());
    const bool passou = !bloqueiaAba_ && (!campo || CriticaSaida(*campo));
    if (passou) return true;
    bloqueiaAba_ = false;
    abaLiberada_ = true;
    return false;
}

// F2 in a code field presses its picker button, the control the table puts right after it.
bool FormularioDeclarado::AbreSeletorDoFoco() {
    const CampoDeclarado* campo = CampoDoControle(QApplication::focusWidget());
    if (!campo) return false;
    const size_t i = static_cast<size_t>(indice_.value(campo->nome)) + 1;
    if (i >= campos_.size() || campos_[i].controle != ControleCampo::Botao || campos_[i].grupo != campo->grupo)
        return false;
    auto* botao = qobject_cast<QAbstractButton*>(Controle(campos_[i].nome));
    if (!botao || !botao->isEnabled()) return false;
    botao->click();
    return true;
}

QString FormularioDeclarado::TextoExplicado(const std::string& codigo, const QString& explicacao) const {
    const Mensagem* m = mensagens_.Catalogo().Busca(codigo);
    return m ? Tela(m->texto) + QStringLiteral("\n\n") + explicacao : explicacao;
}

void FormularioDeclarado::MostraComExplicacao(const std::string& codigo, const QString& explicacao) {
    const Mensagem* m = mensagens_.Catalogo().Busca(codigo);
    const auto tipo = m ? TipoDialogoMensagem(m->tipo) : std::nullopt;
    if (!tipo) return (void)MostraMensagem(codigo);
    dialogos_.Mensagem(*tipo, TextoExplicado(codigo, explicacao), this);
}

std::string FormularioDeclarado::PerguntaNao(const std::string& codigo) {
    const Mensagem* m = mensagens_.Catalogo().Busca(codigo);
    if (!m || TipoDialogoMensagem(m->tipo) != TipoDialogo::Confirmacao) return MostraMensagem(codigo);
    return NomeBotao(dialogos_.Caixa(ServicoDialogos::TituloTipo(TipoDialogo::Confirmacao), Tela(m->texto),
                                     QMessageBox::Question, {Resposta::Sim, Resposta::Nao}, this, Resposta::Nao));
}

bool FormularioDeclarado::eventFilter(QObject* objeto, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress) {
        if (auto* barra = qobject_cast<QTabBar*>(objeto)) {
            const int aba = barra->tabAt(static_cast<QMouseEvent*>(e)->position().toPoint());
            if (aba >= 0 && aba != barra->currentIndex() && !AceitaTrocaDeAba()) return true;
        }
        if (engoleClique_ && qobject_cast<QAbstractButton*>(objeto)) return true;
    }
    if (e->type() == QEvent::FocusIn)
        if (auto* edicao = qobject_cast<QLineEdit*>(objeto)) edicao->setModified(false);
    if (e->type() == QEvent::FocusOut && !criticando_) {
        const auto razao = static_cast<QFocusEvent*>(e)->reason();
        if (razao != Qt::ActiveWindowFocusReason && razao != Qt::PopupFocusReason) {
            QWidget* w = qobject_cast<QWidget*>(objeto);
            if (auto* opcoes = qobject_cast<GrupoOpcoes*>(w ? w->parentWidget() : nullptr)) w = opcoes;
            const QString nome = w ? w->objectName() : QString();
            if (indice_.contains(nome)) SaiuDoCampo(Campo(nome));
        }
    }
    return QDialog::eventFilter(objeto, e);
}

void FormularioDeclarado::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F2 && AbreSeletorDoFoco()) return;
    if (e->key() == Qt::Key_F1 && topicoAjuda_ != 0) {
        const CampoDeclarado* campo = CampoDoControle(QApplication::focusWidget());
        dialogos_.MostraAjuda(topicoAjuda_, campo ? campo->nome : QString());
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        QWidget* foco = QApplication::focusWidget();
        if (qobject_cast<QPushButton*>(foco) || qobject_cast<QToolButton*>(foco))
            static_cast<QAbstractButton*>(foco)->click();
        else
            focusNextChild();
        return;
    }
    QDialog::keyPressEvent(e);
}

}  // namespace zovi::gui
