#include "wizards/TfmVerInco01.h"

#include "app/Figuras.h"
#include "data/ModulosDados.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "rules/VerificaDeclaracao.h"
#include "ui_TfmVerInco01.h"

namespace zovi::gui {

TfmVerInco01::TfmVerInco01(ContextoVerificacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmVerInco01>()), verificacao_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmVerInco01::Volta);
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmVerInco01::Avancar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmVerInco01::Cancela);
}

TfmVerInco01::~TfmVerInco01() = default;

ListaMarcacao& TfmVerInco01::Empresas() { return *ui_->lmEmpresas; }

void TfmVerInco01::Cancela() {
    if (ui_->paVerificando->Rodando())
        ui_->paVerificando->PedeInterrupcao();
    else
        FechaTudo();
}

void TfmVerInco01::MostraLista() {
    ui_->stPaineis->setCurrentWidget(ui_->lmEmpresas);
    ui_->btVoltar->setEnabled(true);
    ui_->btAvancar->setEnabled(true);
}

void TfmVerInco01::Avancar() {
    const auto& lista = ui_->lmEmpresas->Modelo();
    if (!lista.AlgumaMarcada()) {
        verificacao_.mensagens.MostraMensagem("1301");
        ui_->lmEmpresas->FocaLista();
        return;
    }
    // The run takes the marks by position, in the list's order.
    const SelecaoEstabelecimentos selecao{lista.Marcas()};
    ui_->stPaineis->setCurrentWidget(ui_->paVerificando);
    ui_->btVoltar->setEnabled(false);
    ui_->btAvancar->setEnabled(false);
    ResultadoVerificacao resultado;
    ui_->paVerificando->Roda(dialogos_, [&](Interacao& interacao) {
        resultado = fVerificaDeclaracao(interacao, verificacao_.dm.dbZovi.Pasta(), false, &selecao,
                                        verificacao_.anoBase, false, false);
    });
    MostraLista();
    if (resultado.vrInterrompida) {
        dialogos_.Mensagem(TipoDialogo::Informacao, QStringLiteral("Consistência interrompida pelo usuário"), this);
        return;
    }
    verificacao_.desfecho = DesfechoDe(resultado);
    Avanca();
}

}  // namespace zovi::gui
