#include "entry/TfmConEstab.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "entry/ModeloEstabelecimentos.h"
#include "entry/TfmExcluir.h"
#include "entry/TfmTipoInscricao.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEstabelecimento.h"
#include "ui_TfmConEstab.h"
#include "wizards/AssistenteManutencao.h"

namespace zovi::gui {

namespace {

const char* const kLetras[] = {"Todos", "A",  "B",  "C",  "D",  "EF", "GH", "IJ", "KL",
                               "M",     "N",  "O",  "PQ", "RS", "TU", "VW", "YZ", "X"};

}  // namespace

TfmConEstab::TfmConEstab(TdmGDZovi& dm, ServicoDialogos& dialogos, Mensagens& mensagens, AbreEstabelecimento abre,
                         QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmConEstab>()), dm_(dm), dialogos_(dialogos), mensagens_(mensagens),
      abre_(std::move(abre)), modelo_(new ModeloEstabelecimentos(dm.dbZovi, this)) {
    ui_->setupUi(this);
    ui_->dgEstabelecimentos->setModel(modelo_);
    ui_->dgEstabelecimentos->verticalHeader()->hide();
    ui_->dgEstabelecimentos->setWordWrap(false);
    ui_->dgEstabelecimentos->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui_->dgEstabelecimentos->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    ui_->dgEstabelecimentos->installEventFilter(this);
    ui_->edInscricao->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this));
    for (const char* letras : kLetras) {
        auto* b = new QPushButton(QString::fromLatin1(letras), ui_->paLetras);
        b->setObjectName(QStringLiteral("btLetra") + QString::fromLatin1(letras));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("Todos")) + 16);
        ui_->layoutLetras->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, letras] { Letra(QString::fromLatin1(letras)); });
    }
    ui_->layoutLetras->addStretch();

    connect(ui_->edInscricao, &QLineEdit::textEdited, this, [this] {
        ui_->edNome->clear();
        letras_.clear();
        Pesquisa();
    });
    connect(ui_->edNome, &QLineEdit::textEdited, this, [this](const QString& texto) {
        if (texto != texto.toUpper()) ui_->edNome->setText(texto.toUpper());
        ui_->edInscricao->clear();
        letras_.clear();
        Pesquisa();
    });
    connect(ui_->dgEstabelecimentos, &QAbstractItemView::doubleClicked, this, &TfmConEstab::Acao);
    connect(ui_->btExibir, &QPushButton::clicked, this, &TfmConEstab::Exibir);
    connect(ui_->btExcluir, &QPushButton::clicked, this, &TfmConEstab::Excluir);
    connect(ui_->btRetornar, &QPushButton::clicked, this, &QDialog::reject);
    DefineModo(ModoAbrir);
}

TfmConEstab::~TfmConEstab() = default;

void TfmConEstab::DefineModo(Modo modo) {
    modo_ = modo;
    ui_->btExibir->setVisible(modo == ModoAbrir);
    ui_->btExcluir->setVisible(modo == ModoExcluir);
}

void TfmConEstab::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous()) return;
    ui_->edInscricao->clear();
    ui_->edNome->clear();
    letras_.clear();
    Pesquisa();
    ui_->edInscricao->setFocus();
}

void TfmConEstab::Letra(const QString& letras) {
    ui_->edInscricao->clear();
    ui_->edNome->clear();
    letras_ = letras == QLatin1String("Todos") ? QString() : letras;
    Pesquisa();
}

void TfmConEstab::Pesquisa() {
    const std::string nome = Utf8ParaCp1252(ui_->edNome->text().trimmed().toStdString()).value_or(std::string());
    modelo_->Pesquisa(ui_->edInscricao->text().trimmed().toStdString(), nome, letras_);
    const int n = modelo_->rowCount();
    if (n > 0) ui_->dgEstabelecimentos->selectRow(0);
    // Typing goes on in the box being typed in; a search from a letter moves the focus on.
    if (ui_->edInscricao->hasFocus() || ui_->edNome->hasFocus()) return;
    if (n == 1)
        (modo_ == ModoExcluir ? ui_->btExcluir : ui_->btExibir)->setFocus();
    else if (n > 1)
        ui_->dgEstabelecimentos->setFocus();
    else if (modo_ == ModoAbrir)
        ui_->btExibir->setFocus();
}

bool TfmConEstab::LinhaAtual(int& linha) {
    if (modelo_->rowCount() == 0) return false;
    const auto atual = ui_->dgEstabelecimentos->currentIndex();
    linha = atual.isValid() ? atual.row() : 0;
    return true;
}

void TfmConEstab::Acao() {
    if (modo_ == ModoExcluir)
        Excluir();
    else
        Exibir();
}

bool TfmConEstab::ExistemEstabelecimentos() {
    Consulta qu(dm_.dbZovi, {"Select count(*) as numEstab from bd8emp where AnBase = '2005'"});
    qu.Abre();
    return qu.Inteiro(0) > 0;
}

void TfmConEstab::Esconde(const std::function<void()>& acao) {
    hide();
    acao();
    if (!ExistemEstabelecimentos()) {
        reject();
        return;
    }
    show();
    Pesquisa();
}

void TfmConEstab::Exibir() {
    int linha = 0;
    if (!LinhaAtual(linha)) {
        mensagens_.MostraMensagem("1301");
        Letra(QStringLiteral("Todos"));
        return;
    }
    const auto l = modelo_->Linha(linha);
    const std::string codigo = fCriticaInscricao(l.inscricao);
    if (codigo != "0050" && codigo != "0051" && codigo != "0052") {
        mensagens_.MostraMensagem("1002");
        return;
    }
    std::string tipo = l.tipo;
    if (!fPassou(fCriticaInscricaoPorTipo(l.inscricao, tipo))) {
        if (codigo == "0050") {
            const QString resposta = TfmTipoInscricao::Pergunta(dialogos_, this);
            if (resposta.isEmpty()) {
                mensagens_.MostraMensagem("1002");
                return;
            }
            tipo = resposta == QLatin1String("CEI") ? "3" : "1";
        } else {
            tipo = codigo == "0051" ? "1" : "3";
        }
        Tabela t(dm_.dbZovi, "BD8EMP");
        t.Abre();
        if (t.BuscaChave({l.anoBase, l.inscricao, l.prefixo})) {
            t.Edita();
            t.PoeTexto("InInscrEstabelecimento", tipo);
            t.Grava();
        }
    }
    if (!fPassou(fCriticaPrefixo(l.prefixo))) {
        mensagens_.MostraMensagem("1052");
        return;
    }
    Esconde([&] { abre_(l.anoBase, l.inscricao, l.prefixo); });
}

void TfmConEstab::Excluir() {
    int linha = 0;
    if (!LinhaAtual(linha)) {
        mensagens_.MostraMensagem("1301");
        return;
    }
    const auto l = modelo_->Linha(linha);
    VerificaOpcaoAberta(dm_.dbZovi, mensagens_, l.anoBase, l.inscricao, l.prefixo);
    Esconde([&] {
        TfmExcluir fmExcluir(dm_.dbZovi, dialogos_, l.anoBase, l.inscricao, l.prefixo, this);
        dialogos_.Executa(fmExcluir);
    });
}

bool TfmConEstab::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == ui_->dgEstabelecimentos && e->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(e)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            Acao();
            return true;
        }
    }
    return QDialog::eventFilter(objeto, e);
}

void TfmConEstab::keyPressEvent(QKeyEvent* e) {
    const auto mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods == (Qt::ControlModifier | Qt::AltModifier) &&
        (e->key() == Qt::Key_F3 || e->key() == Qt::Key_F4 || e->key() == Qt::Key_F5)) {
        // The bulk wizards run with the list hidden, which then closes: the main window
        // recomputes its commands when the list returns.
        const auto assistente = e->key() == Qt::Key_F3   ? ExecutaTransferencia
                                : e->key() == Qt::Key_F4 ? ExecutaExclusaoMultipla
                                                         : ExecutaTrocaVinculo;
        hide();
        assistente(dm_, mensagens_, dialogos_, parentWidget());
        reject();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()))
            b->click();
        else
            focusNextChild();
        return;
    }
    QDialog::keyPressEvent(e);
}

}  // namespace zovi::gui
