#include "wizards/ListaMarcacao.h"

#include <QFontDatabase>
#include <QKeyEvent>

#include "ui_ListaMarcacao.h"

namespace zovi::gui {

ListaMarcacao::ListaMarcacao(QWidget* pai) : QWidget(pai), ui_(std::make_unique<Ui::ListaMarcacao>()) {
    ui_->setupUi(this);
    // The lines are columns of fixed width: inscription, prefix, name.
    ui_->lvLinhas->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ui_->lvLinhas->installEventFilter(this);
    connect(ui_->lvLinhas, &QListView::clicked, this, [this](const QModelIndex& i) {
        ativo_->Alterna(i.row());
        emit Alternada(i.row());
    });
    connect(ui_->cbTodas, &QCheckBox::clicked, this, [this](bool marca) { ativo_->MarcaTodas(marca); });
    UsaModelo(modelo_);
}

ListaMarcacao::~ListaMarcacao() = default;

void ListaMarcacao::UsaModelo(ModeloAlternavel& modelo) {
    disconnect(aoReiniciar_);
    ativo_ = &modelo;
    ui_->lvLinhas->setModel(&modelo);
    // A new list starts with the box clear, as every line is.
    aoReiniciar_ = connect(&modelo, &QAbstractItemModel::modelReset, this, [this] {
        ui_->cbTodas->setChecked(false);
        if (ativo_->canFetchMore({})) ativo_->fetchMore({});
        if (ativo_->rowCount() > 0) ui_->lvLinhas->setCurrentIndex(ativo_->index(0, 0));
    });
}

void ListaMarcacao::PoeTextoTodas(const QString& texto) { ui_->cbTodas->setText(texto); }
void ListaMarcacao::HabilitaTodas(bool habilita) { ui_->cbTodas->setEnabled(habilita); }

QString ListaMarcacao::Texto() const { return ui_->laTexto->text(); }
void ListaMarcacao::PoeTexto(const QString& texto) { ui_->laTexto->setText(texto); }
void ListaMarcacao::FocaLista() { ui_->lvLinhas->setFocus(); }
void ListaMarcacao::MostraMarcaTodas(bool mostra) { ui_->cbTodas->setVisible(mostra); }

void ListaMarcacao::SelecionaLinha(int linha) { ui_->lvLinhas->setCurrentIndex(ativo_->index(linha, 0)); }

void ListaMarcacao::AlternaAtual() {
    const auto atual = ui_->lvLinhas->currentIndex();
    if (!atual.isValid()) return;
    ativo_->Alterna(atual.row());
    emit Alternada(atual.row());
}

bool ListaMarcacao::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == ui_->lvLinhas && e->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(e)->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter: AlternaAtual(); return true;
        default: break;
        }
    }
    return QWidget::eventFilter(objeto, e);
}

}  // namespace zovi::gui
