#include "wizards/TfmGravaDecl03.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QScopedValueRollback>
#include <QTime>

#include "app/Figuras.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "rules/Primitivas.h"
#include "wizards/PainelProgresso.h"
#include "wizards/PainelResultado.h"
#include "ui_TfmGravaDecl03.h"

namespace zovi::gui {

TfmGravaDecl03::TfmGravaDecl03(ContextoGravacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmGravaDecl03>()), gravacao_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    ui_->paResultado->LigaRelatorio(contexto.dm.dbZovi, contexto.mensagens.Catalogo(), dialogos);
    ui_->cbDrive->Liga(dialogos);
    ui_->edData->installEventFilter(this);
    ui_->cbDrive->installEventFilter(this);
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmGravaDecl03::Avancar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmGravaDecl03::Cancela);
    MostraResultado();
}

TfmGravaDecl03::~TfmGravaDecl03() = default;

void TfmGravaDecl03::MostraResultado() {
    const Desfecho desfecho = DesfechoDe(gravacao_.resultado);
    ui_->paResultado->Mostra(desfecho);
    // Errors block the file: only the report buttons and Cancel act.
    const bool grava = desfecho != Desfecho::Erros;
    ui_->gbGeracao->setVisible(grava);
    ui_->btAvancar->setEnabled(grava);
    if (grava)
        ui_->edData->setFocus();
    else
        ui_->paResultado->FocaVisualizar();
}

void TfmGravaDecl03::Cancela() {
    if (ui_->paGravando->Rodando())
        ui_->paGravando->PedeInterrupcao();
    else
        FechaTudo();
}

bool TfmGravaDecl03::fFazerCritica() const {
    const QWidget* destino = QApplication::focusWidget();
    if (!destino) return true;
    if (destino == ui_->btCancelar || destino == ui_->btVoltar || destino == ui_->btAvancar) return false;
    // The report buttons live in the result panel.
    return !(qobject_cast<const QPushButton*>(destino) && ui_->paResultado->isAncestorOf(destino));
}

bool TfmGravaDecl03::FocoFicaNaPagina(const QFocusEvent& e) const {
    // A window opened over the page (the folder dialog, a message, the drive list) or the page
    // closing takes the focus away without the user having left the field.
    if (e.reason() == Qt::ActiveWindowFocusReason || e.reason() == Qt::PopupFocusReason) return false;
    const QWidget* destino = QApplication::focusWidget();
    return destino && destino->window() == this;
}

bool TfmGravaDecl03::eventFilter(QObject* objeto, QEvent* e) {
    if (e->type() == QEvent::FocusOut && !criticando_ && !ui_->paGravando->Rodando() &&
        FocoFicaNaPagina(*static_cast<QFocusEvent*>(e)) && fFazerCritica()) {
        if (objeto == ui_->edData) CriticaData();
        if (objeto == ui_->cbDrive) CriticaDrive();
    }
    return PaginaAssistente::eventFilter(objeto, e);
}

bool TfmGravaDecl03::CriticaData() {
    const std::string codigo = fCriticaDataDigitada(ui_->edData->text().remove(QLatin1Char('/')).toStdString());
    if (fPassou(codigo)) return true;
    Recusa(codigo, ui_->edData);
    return false;
}

bool TfmGravaDecl03::CriticaDrive() {
    if (ui_->cbDrive->Escolhido().Escolhido()) return true;
    Recusa("0600", ui_->cbDrive);
    return false;
}

void TfmGravaDecl03::Recusa(const std::string& codigo, QWidget* campo) {
    // Bringing the focus back to the field is no leaving of the control it had reached.
    const QScopedValueRollback<bool> guarda(criticando_, true);
    gravacao_.mensagens.MostraMensagem(codigo);
    campo->setFocus();
}

void TfmGravaDecl03::Avancar() {
    if (!CriticaData() || !CriticaDrive()) return;
    ui_->stPaineis->setCurrentWidget(ui_->paGravando);
    ui_->btAvancar->setEnabled(false);
    const bool gravou = fGravouArquivoZOVI();
    ui_->stPaineis->setCurrentWidget(ui_->paResultadoGeracao);
    ui_->btAvancar->setEnabled(true);
    if (gravou) Avanca();
}

bool TfmGravaDecl03::fGravouArquivoZOVI() {
    ParametrosGravacao p;
    if (gravacao_.Retificacao()) {
        p.retificacao = p.trabalho = true;
    } else {
        p.selecao = gravacao_.estabelecimentos;
    }
    const Destino destino = ui_->cbDrive->Escolhido();
    p.unidade = destino.letra ? destino.letra : 'A';
    p.pasta = destino.pasta;
    p.dataGeracao = ui_->edData->text().remove(QLatin1Char('/')).toStdString();
    // Each attempt has its own time.
    p.hora = QTime::currentTime().toString(QStringLiteral("HHmmss")).toStdString();
    if (GravaComProgresso(this, dialogos_, *ui_->paGravando, gravacao_.dm.dbZovi, p) != kGravado) return false;
    gravacao_.destino = destino.pasta ? QStringLiteral("Gravado na pasta %1")
                                            .arg(QDir::toNativeSeparators(QString::fromStdString(destino.pasta->string())))
                                      : QStringLiteral("Gravado no drive %1:").arg(QChar(destino.letra));
    return true;
}

int GravaComProgresso(QWidget* pagina, ServicoDialogos& dialogos, PainelProgresso& painel, Banco& banco,
                      const ParametrosGravacao& p) {
    int resultado = kFalhaGravacao;
    std::string motivo;
    painel.Roda(dialogos, [&](Interacao& interacao) { resultado = fGravaDeclaracao(banco, p, interacao, &motivo); });
    if (resultado == kGravacaoInterrompida)
        dialogos.Mensagem(TipoDialogo::Informacao,
                          QStringLiteral("A gravação do arquivo \"ZOVI2005\" interrompida pelo usuário!"), pagina);
    else if (resultado != kGravado)
        dialogos.Mostra(TipoDialogo::Informacao, MensagemFalhaGravacao(p, motivo));
    return resultado;
}

}  // namespace zovi::gui
