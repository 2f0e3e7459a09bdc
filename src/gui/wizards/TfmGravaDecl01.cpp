#include "wizards/TfmGravaDecl01.h"

#include <QGroupBox>

#include "app/Figuras.h"
#include "entry/TfmDadosResp.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmGravaDecl01.h"

namespace zovi::gui {

TfmGravaDecl01::TfmGravaDecl01(ContextoGravacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmGravaDecl01>()), gravacao_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    responsavel_ = new TfmDadosResp(contexto.dm, contexto.critica, contexto.seletores, dialogos, contexto.mensagens,
                                    ui_->paDados, true);
    ui_->loDados->insertWidget(1, responsavel_);
    // The page's heading names the declarant's data already: the form's first group says it once more.
    if (auto* grupo = responsavel_->findChild<QGroupBox*>(QStringLiteral("gbResponsavel"))) grupo->setTitle(QString());
    // From the last field to the page's buttons.
    setTabOrder(responsavel_->Controle(QStringLiteral("cbRecibo")), ui_->btVoltar);
    setTabOrder(ui_->btVoltar, ui_->btAvancar);
    setTabOrder(ui_->btAvancar, ui_->btCancelar);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmGravaDecl01::Volta);
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmGravaDecl01::Avancar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmGravaDecl01::Cancela);
}

TfmGravaDecl01::~TfmGravaDecl01() = default;

void TfmGravaDecl01::Cancela() {
    if (ui_->paVerificando->Rodando())
        ui_->paVerificando->PedeInterrupcao();
    else
        FechaTudo();
}

void TfmGravaDecl01::Avancar() {
    if (!responsavel_->Grava()) return;
    if (gravacao_.Retificacao() && gravacao_.copiaRetificacao && !gravacao_.copiaRetificacao()) return FechaTudo();
    if (Verifica()) return Avanca();
    // Interrupted: the declarant again, as stored.
    responsavel_->Abre();
}

bool TfmGravaDecl01::Verifica() {
    ui_->stPaineis->setCurrentWidget(ui_->paVerificando);
    ui_->btVoltar->setEnabled(false);
    ui_->btAvancar->setEnabled(false);
    // The run takes the marks by position: the list holds every establishment of the base year
    // in table order. A rectification verifies the work tables, without a list.
    SelecaoEstabelecimentos selecao;
    for (const auto& e : gravacao_.estabelecimentos) selecao.marcados.push_back(e.marcado);
    const bool retificacao = gravacao_.Retificacao();
    ResultadoVerificacao resultado;
    ui_->paVerificando->Roda(dialogos_, [&](Interacao& interacao) {
        resultado = fVerificaDeclaracao(interacao, gravacao_.dm.dbZovi.Pasta(), retificacao,
                                        retificacao ? nullptr : &selecao, gravacao_.anoBase, false, false);
    });
    ui_->stPaineis->setCurrentWidget(ui_->paDados);
    ui_->btVoltar->setEnabled(true);
    ui_->btAvancar->setEnabled(true);
    if (resultado.vrInterrompida) {
        dialogos_.Mensagem(TipoDialogo::Informacao, QStringLiteral("Consistência interrompida pelo usuário"), this);
        return false;
    }
    gravacao_.resultado = resultado;
    return true;
}

}  // namespace zovi::gui
