#include "entry/TfmSemEmpregados.h"

#include "app/SiteZovi.h"
#include "engine/Tabela.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmSemEmpregados.h"

namespace zovi::gui {

TfmSemEmpregados::TfmSemEmpregados(Banco& banco, ServicoDialogos& dialogos, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmSemEmpregados>()), banco_(banco) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    const QString site = EnderecoSiteZovi();
    ui_->laSite->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(site, QString(site).remove(QStringLiteral("https://"))));
    connect(ui_->laSite, &QLabel::linkActivated, this, [&dialogos](const QString& url) { dialogos.AbreEndereco(QUrl(url)); });
    connect(ui_->btOk, &QPushButton::clicked, this, &TfmSemEmpregados::Ok);
}

TfmSemEmpregados::~TfmSemEmpregados() = default;

void TfmSemEmpregados::Ok() {
    Tabela resp(banco_, "BD8RESP");
    resp.Abre();
    resp.Primeiro();
    resp.Edita();  // appends the declarant's first row when the table is empty
    resp.PoeLogico("InDicasSemEmpregados", ui_->cbNaoMostrar->isChecked());
    resp.Grava();
    accept();
}

void MostraAvisoSemEmpregados(Banco& banco, ServicoDialogos& dialogos, QWidget* pai) {
    {
        Tabela resp(banco, "BD8RESP");
        resp.Abre();
        resp.Primeiro();
        if (!resp.Vazia() && resp.Logico("InDicasSemEmpregados")) return;
    }
    TfmSemEmpregados aviso(banco, dialogos, pai);
    dialogos.Executa(aviso);
}

}  // namespace zovi::gui
