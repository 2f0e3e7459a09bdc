#include "wizards/TfmCopEstab.h"

#include <QApplication>
#include <QFocusEvent>
#include <QShowEvent>

#include "data/ListasSelecao.h"
#include "entry/TfmTipoInscricao.h"
#include "messages/Formatacao.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "rules/RegrasEstabelecimento.h"
#include "ui_TfmCopEstab.h"
#include "ui_TfmCopEstabRegras.h"
#include "wizards/ListaMarcacao.h"
#include "wizards/PecasManutencao.h"

namespace zovi::gui {

namespace {
enum Pagina { kApresentacao, kEstabelecimento, kEmpregados, kDestino };
const QString kMascaraDigitos = QStringLiteral("99999999999999;_");
}  // namespace

TfmCopEstabRegras::TfmCopEstabRegras(QWidget* pai) : QDialog(pai), ui_(std::make_unique<Ui::TfmCopEstabRegras>()) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("fmCopEstabRegras"));
    connect(ui_->btFechar, &QPushButton::clicked, this, &QDialog::accept);
}

TfmCopEstabRegras::~TfmCopEstabRegras() = default;

TfmCopEstab::TfmCopEstab(ContextoManutencao& contexto, ServicoDialogos& dialogos, int pagina, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmCopEstab>()), manutencao_(contexto),
      pagina_(pagina) {
    ui_->setupUi(this);
    MontaPagina(*this, *ui_, QStringLiteral("fmCopEstab"), pagina, kDestino);
    ui_->esEstabelecimento->Textos(QString::fromStdString(contexto.anoBase),
                                   QStringLiteral("Selecione o estabelecimento (inscrição/prefixo) que possui os "
                                                  "empregados que deseja transferir."));
    ui_->clVinculos->MostraMarcaTodas(false);
    ui_->btRegras->setVisible(pagina == kApresentacao);
    ui_->edInscricao->installEventFilter(this);
    ui_->edPrefixo->installEventFilter(this);
    connect(ui_->btRegras, &QPushButton::clicked, this, [this] {
        TfmCopEstabRegras fmCopEstabRegras(this);
        dialogos_.Executa(fmCopEstabRegras);
    });
    connect(ui_->rbLimpar, &QRadioButton::clicked, this, [this] { ui_->clVinculos->Modelo().MarcaTodas(false); });
    connect(ui_->rbTodos, &QRadioButton::clicked, this, [this] { ui_->clVinculos->Modelo().MarcaTodas(true); });
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmCopEstab::Avancar);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmCopEstab::Voltar);
    connect(ui_->btConcluir, &QPushButton::clicked, this, &TfmCopEstab::Concluir);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmCopEstab::Cancela);
}

TfmCopEstab::~TfmCopEstab() = default;

EscolhaEstabelecimento& TfmCopEstab::Estabelecimentos() { return *ui_->esEstabelecimento; }
ListaMarcacao& TfmCopEstab::Empregados() { return *ui_->clVinculos; }

void TfmCopEstab::showEvent(QShowEvent* e) {
    PaginaAssistente::showEvent(e);
    if (e->spontaneous()) return;
    auto& c = manutencao_;
    switch (pagina_) {
    case kEstabelecimento:
        MostraEstabelecimentos(c, *ui_->esEstabelecimento);
        break;
    case kEmpregados:
        ui_->clVinculos->Modelo().Define(
            MarcaEmpregados(c.dm.quBd8Emp, c.anoBase, c.escolhido.inscricao, c.escolhido.prefixo, '0'));
        ui_->rbLimpar->setAutoExclusive(false);
        ui_->rbLimpar->setChecked(false);
        ui_->rbTodos->setChecked(false);
        ui_->rbLimpar->setAutoExclusive(true);
        ui_->clVinculos->FocaLista();
        break;
    case kDestino:
        ui_->edTotal->setText(QString::number(c.marcados.size()));
        ui_->edInscricao->setFocus();
        break;
    default: ui_->btAvancar->setFocus();
    }
}

void TfmCopEstab::Avancar() {
    auto& c = manutencao_;
    if (pagina_ == kEstabelecimento && !AceitaEstabelecimento(c, *ui_->esEstabelecimento, LeituraInscricao::Transferencia))
        return;
    if (pagina_ == kEmpregados) {
        const auto& lista = ui_->clVinculos->Modelo();
        c.ordem = '0';
        c.marcados = ItensMarcados(lista.Linhas(), lista.Marcas());
        if (c.marcados.empty()) {
            c.mensagens.MostraMensagem("1310");
            ui_->clVinculos->FocaLista();
            return;
        }
    }
    Avanca();
}

void TfmCopEstab::Voltar() {
    if (pagina_ == kDestino) manutencao_.marcados.clear();
    Volta();
}

bool TfmCopEstab::SaindoParaVoltarOuCancelar() const {
    const QWidget* proximo = QApplication::focusWidget();
    return proximo == ui_->btVoltar || proximo == ui_->btCancelar;
}

bool TfmCopEstab::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == ui_->edInscricao && e->type() == QEvent::FocusIn) {
        // Typed as 14 digits; the mask of its kind comes back when it is left.
        const QString digitos = QString::fromStdString(RetiraSeparadores(ui_->edInscricao->text().toStdString()));
        ui_->edInscricao->setInputMask(kMascaraDigitos);
        ui_->edInscricao->setText(digitos);
    } else if (e->type() == QEvent::FocusOut && !SaindoParaVoltarOuCancelar() && isVisible()) {
        if (objeto == ui_->edInscricao) QMetaObject::invokeMethod(this, [this] { ConfereInscricao(); }, Qt::QueuedConnection);
        if (objeto == ui_->edPrefixo) QMetaObject::invokeMethod(this, [this] { ConferePrefixo(); }, Qt::QueuedConnection);
    }
    return PaginaAssistente::eventFilter(objeto, e);
}

bool TfmCopEstab::ConfereInscricao() {
    std::string digitos = fAparaTexto(RetiraSeparadores(ui_->edInscricao->text().remove(QLatin1Char('_')).toStdString()));
    if (digitos.size() == 12) digitos = "00" + digitos;
    std::string codigo = fCriticaInscricao(digitos);
    if (codigo == "0050") {
        const QString resposta = TfmTipoInscricao::Pergunta(dialogos_, this);
        if (!resposta.isEmpty()) codigo = resposta == QLatin1String("CEI") ? "0052" : "0051";
    }
    if (codigo != "0051" && codigo != "0052") {
        manutencao_.mensagens.MostraMensagem(codigo);
        ui_->edInscricao->setFocus();
        return false;
    }
    destino_.inscricao = digitos;
    destino_.tipoInscricao = codigo == "0051" ? "1" : "3";
    ui_->edInscricao->setInputMask(QString());
    ui_->edInscricao->setText(QString::fromStdString(FormataInscricao(digitos, destino_.tipoInscricao)));
    ui_->edTipo->setText(codigo == "0051" ? QStringLiteral("CNPJ") : QStringLiteral("CEI"));
    if (ui_->edInscricao->hasFocus()) ui_->edPrefixo->setFocus();
    return true;
}

bool TfmCopEstab::ConferePrefixo() {
    if (ui_->edPrefixo->text().trimmed().isEmpty()) ui_->edPrefixo->setText(QStringLiteral("00"));
    const std::string codigo = fCriticaPrefixo(ui_->edPrefixo->text().toUpper().toStdString());
    if (!fPassou(codigo)) {
        manutencao_.mensagens.MostraMensagem(codigo);
        ui_->edPrefixo->setFocus();
        return false;
    }
    destino_.prefixo = ui_->edPrefixo->text().toUpper().toStdString();
    return true;
}

void TfmCopEstab::Concluir() {
    auto& c = manutencao_;
    // The boxes are checked again: a value typed and never left reaches "Concluir" unchecked.
    if (!ConfereInscricao() || !ConferePrefixo()) return;
    if (const std::string e = CriticaDestinoExiste(c.dm.dbZovi, {c.anoBase, destino_.inscricao, destino_.prefixo});
        !fPassou(e)) {
        c.mensagens.MostraMensagem(e);
        ui_->edInscricao->setFocus();
        return;
    }
    TransfereEmpregados(c.entrada, c.Chave(), destino_, c.Empregados());
    ui_->edInscricao->clear();
    ui_->edPrefixo->clear();
    c.mensagens.MostraMensagem("1309");
    c.marcados.clear();
    FechaTudo();
}

}  // namespace zovi::gui
