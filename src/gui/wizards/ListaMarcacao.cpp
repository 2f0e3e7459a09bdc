#include "wizards/ListaMarcacao.h"

#include <QFontDatabase>
#include <QKeyEvent>

#include "ui_ListaMarcacao.h"

namespace zovi::gui {

ListaMarcacao::ListaMarcacao(QWidget* pai) : QWidget(pai), ui_(std::make_unique<Ui::ListaMarcacao>()) {
    ui_->setupUi(this);
    // The lines are columns of fixed width: inscription, prefix, name.
    ui_->lvLinhas->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ui_->lvLinhas->setModel(&modelo_);
    ui_->lvLinhas->installEventFilter(this);
    connect(ui_->lvLinhas, &QListView::clicked, this, [this](const QModelIndex& i) {
        modelo_.Alterna(i.row());
        emit Alternada(i.row());
    });
    connect(ui_->cbTodas, &QCheckBox::clicked, this, [this](bool marca) { modelo_.MarcaTodas(marca); });
    // A new list starts with the box clear, as every line is.
    connect(&modelo_, &QAbstractItemModel::modelReset, this, [this] {
        ui_->cbTodas->setChecked(false);
        if (modelo_.canFetchMore({})) modelo_.fetchMore({});
        if (modelo_.rowCount() > 0) ui_->lvLinhas->setCurrentIndex(modelo_.index(0));
    });
}

ListaMarcacao::~ListaMarcacao() = default;

QString ListaMarcacao::Texto() const { return ui_->laTexto->text(); }
void ListaMarcacao::PoeTexto(const QString& texto) { ui_->laTexto->setText(texto); }
void ListaMarcacao::FocaLista() { ui_->lvLinhas->setFocus(); }
void ListaMarcacao::MostraMarcaTodas(bool mostra) { ui_->cbTodas->setVisible(mostra); }

void ListaMarcacao::SelecionaLinha(int linha) { ui_->lvLinhas->setCurrentIndex(modelo_.index(linha)); }
void ListaMarcacao::AlternaAtual() {
    const auto atual = ui_->lvLinhas->currentIndex();
    if (!atual.isValid()) return;
    modelo_.Alterna(atual.row());
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
