#include "wizards/TfmAnalis01.h"

#include <QTime>

#include "app/Figuras.h"
#include "data/ModulosDados.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmAnalis01.h"
#include "wizards/TfmGravaDecl03.h"

namespace zovi::gui {

TfmAnalis01::TfmAnalis01(ContextoAnalise& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmAnalis01>()), analise_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    ui_->paResultado->LigaRelatorio(contexto.dm.dbZovi, contexto.mensagens.Catalogo(), dialogos);
    ui_->cbDrive->Liga(dialogos);
    connect(ui_->btGravar, &QPushButton::clicked, this, &TfmAnalis01::Gravar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmAnalis01::Cancela);
}

TfmAnalis01::~TfmAnalis01() = default;

void TfmAnalis01::MostraResultado() {
    const Desfecho desfecho = analise_.resultado == ResultadoAnalise::kErros    ? Desfecho::Erros
                              : analise_.resultado == ResultadoAnalise::kAvisos ? Desfecho::Avisos
                                                                                : Desfecho::Nenhum;
    ui_->stPaineis->setCurrentWidget(ui_->paResultadoAnalise);
    ui_->paResultado->Mostra(desfecho);
    // A file with errors is never written again.
    const bool grava = desfecho != Desfecho::Erros;
    ui_->paDrive->setVisible(grava);
    ui_->btGravar->setEnabled(grava);
    ui_->cbDrive->Recarrega();
    if (grava)
        ui_->cbDrive->setFocus();
    else
        ui_->paResultado->FocaVisualizar();
}

void TfmAnalis01::Cancela() {
    if (ui_->pbConsistencia->Rodando())
        ui_->pbConsistencia->PedeInterrupcao();
    else
        FechaTudo();
}

void TfmAnalis01::Gravar() {
    const Destino destino = ui_->cbDrive->Escolhido();
    if (!destino.Escolhido()) {
        analise_.mensagens.MostraMensagem("0600");
        ui_->cbDrive->setFocus();
        return;
    }
    // The work tables hold the file as it was analysed: written as they are, the
    // rectification mark taken from the file.
    ParametrosGravacao p;
    p.trabalho = true;
    p.retificacao = analise_.retificacao;
    p.unidade = destino.letra ? destino.letra : 'A';
    p.pasta = destino.pasta;
    p.hora = QTime::currentTime().toString(QStringLiteral("HHmmss")).toStdString();
    ui_->stPaineis->setCurrentWidget(ui_->pbConsistencia);
    ui_->btGravar->setEnabled(false);
    const int resultado = GravaComProgresso(this, dialogos_, *ui_->pbConsistencia, analise_.dm.dbZovi, p);
    ui_->stPaineis->setCurrentWidget(ui_->paResultadoAnalise);
    ui_->btGravar->setEnabled(true);
    if (resultado == kGravado) {
        analise_.gravado = true;
        Avanca();
    } else if (resultado == kGravacaoInterrompida) {
        FechaTudo();
    }
}

}  // namespace zovi::gui
