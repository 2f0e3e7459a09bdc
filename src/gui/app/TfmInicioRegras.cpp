#include "app/TfmInicioRegras.h"

#include <QScreen>

#include "engine/Tabela.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmInicioRegras.h"

namespace zovi::gui {

TfmInicioRegras::TfmInicioRegras(Banco& banco, ServicoDialogos& dialogos, QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::TfmInicioRegras>()), banco_(banco), dialogos_(dialogos) {
    ui_->setupUi(this);
    connect(ui_->btOk, &QPushButton::clicked, this, &TfmInicioRegras::Confirma);
}

TfmInicioRegras::~TfmInicioRegras() = default;

bool TfmInicioRegras::DicasDesligadas() {
    Tabela taResp(banco_, "BD8RESP");
    taResp.Abre();
    taResp.Primeiro();
    return !taResp.Vazia() && taResp.Logico("InDicas");
}

void TfmInicioRegras::Mostra() {
    ui_->cbDicas->setChecked(DicasDesligadas());
    dialogos_.Executa(*this);
}

void TfmInicioRegras::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (auto* tela = screen()) move(tela->availableGeometry().center() - rect().center());
}

void TfmInicioRegras::Confirma() {
    Tabela taResp(banco_, "BD8RESP");
    taResp.Abre();
    taResp.Primeiro();
    taResp.Edita();  // appends the declarant's row when there is none yet
    taResp.PoeLogico("InDicas", ui_->cbDicas->isChecked());
    taResp.Grava();
    taResp.Fecha();
    accept();
}

}  // namespace zovi::gui
