#include "wizards/TfmRetifDecl01.h"

#include "app/Figuras.h"
#include "messages/Mensagens.h"
#include "ui_TfmRetifDecl01.h"

namespace zovi::gui {

TfmRetifDecl01::TfmRetifDecl01(ContextoGravacao& contexto, SelecaoRetificacao& selecao, ServicoDialogos& dialogos,
                               QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmRetifDecl01>()), gravacao_(contexto),
      selecao_(selecao) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    ui_->laAnoBase->setText(ui_->laAnoBase->text() + QString::fromStdString(contexto.anoBase));
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmRetifDecl01::Avancar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmRetifDecl01::FechaTudo);
    ui_->btAvancar->setFocus();
}

TfmRetifDecl01::~TfmRetifDecl01() = default;

void TfmRetifDecl01::Avancar() {
    selecao_ = fEstabelecimentosRetificacao(gravacao_.dm.dbZovi, gravacao_.anoBase);
    gravacao_.linhas.clear();
    for (const auto& e : selecao_)
        gravacao_.linhas.push_back(LinhaEmpresaGravacao(e.inscricao, e.tipoInscricao, e.prefixo, e.nome, e.vinculos));
    if (selecao_.empty()) {
        gravacao_.mensagens.MostraMensagem("1700");
        ui_->btCancelar->setFocus();
        return;
    }
    Avanca();
}

}  // namespace zovi::gui
