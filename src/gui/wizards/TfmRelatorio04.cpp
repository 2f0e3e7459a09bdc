#include "wizards/TfmRelatorio04.h"

#include <QDir>

#include "TrpProtocolo99.h"
#include "app/Figuras.h"
#include "backup/InteracaoFormulario.h"
#include "data/ModulosDados.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "platform/Unidades.h"
#include "reports/Previa.h"
#include "ui_TfmRelatorio04.h"

namespace zovi::gui {

namespace {

QString Texto(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(cp1252)); }

}  // namespace

TfmRelatorio04::TfmRelatorio04(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmRelatorio04>()), dm_(dm), mensagens_(mensagens), dialogos_(dialogos) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    ui_->cbDrive->Liga(dialogos);
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmRelatorio04::Avancar);
    // Voltar goes back to where the assistant was opened from.
    connect(ui_->btVoltar, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(ui_->btFechar, &QPushButton::clicked, this, &TfmRelatorio04::reject);
    connect(ui_->btVisualizar, &QPushButton::clicked, this, [this] {
        relatorios::TrpProtocolo99 protocolo(dm_.dbZovi);
        MostraRelatorio(this, protocolo, dialogos_);
    });
    connect(ui_->btProtocolo, &QPushButton::clicked, this, [this] {
        relatorios::TrpProtocolo99 protocolo(dm_.dbZovi);
        ImprimeRelatorio(this, protocolo, dialogos_);
    });
    MostraLocaliza(true);
}

TfmRelatorio04::~TfmRelatorio04() { ApagaTabelasProtocolo(dm_.dbZovi); }

std::function<void(QWidget* pai)> AbreProtocolo(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos) {
    return [&dm, &mensagens, &dialogos](QWidget* pai) {
        TfmRelatorio04 fmRelatorio04(dm, mensagens, dialogos, pai);
        dialogos.Executa(fmRelatorio04);
    };
}

bool TfmRelatorio04::Rodando() const { return ui_->paEstrutura->Rodando() || ui_->paDados->Rodando(); }

void TfmRelatorio04::reject() {
    if (ui_->paEstrutura->Rodando())
        ui_->paEstrutura->PedeInterrupcao();
    else if (ui_->paDados->Rodando())
        ui_->paDados->PedeInterrupcao();
    else
        done(QDialog::Rejected);
}

void TfmRelatorio04::done(int resultado) {
    if (Rodando()) return;
    // The receipt tables live only while the receipt can be printed.
    ApagaTabelasProtocolo(dm_.dbZovi);
    QDialog::done(resultado);
}

void TfmRelatorio04::MostraLocaliza(bool limpaDrive) {
    if (limpaDrive) ui_->cbDrive->Recarrega();
    ui_->stPaineis->setCurrentWidget(ui_->paLocaliza);
    ui_->btAvancar->setEnabled(true);
    ui_->btVoltar->setEnabled(true);
    ui_->btFechar->setText(QStringLiteral("&Cancelar"));
    ui_->cbDrive->setFocus();
}

void TfmRelatorio04::MostraFim(QWidget* painel) {
    ui_->stPaineis->setCurrentWidget(painel);
    ui_->btAvancar->setEnabled(false);
    ui_->btVoltar->setEnabled(true);
    ui_->btFechar->setText(QStringLiteral("&Fechar"));
    if (painel == ui_->paPronto)
        ui_->btVisualizar->setFocus();
    else
        ui_->btFechar->setFocus();
}

std::string TfmRelatorio04::Declaracao() const {
    const Destino destino = ui_->cbDrive->Escolhido();
    if (destino.pasta) return (*destino.pasta / "Zovi2005").string();
    return std::string(1, destino.letra) + ":\\Zovi2005";
}

bool TfmRelatorio04::DrivePresente(char letra) {
    const QString texto = QStringLiteral("Disquete com problema ou não há disquete no drive %1:").arg(QChar(letra));
    while (!UnidadePresente(letra))
        if (InteracaoFormulario(dialogos_, *this).MostraOkCancela(TipoDialogo::Informacao, texto.toStdString()) !=
            Resposta::Ok)
            return false;
    return true;
}

void TfmRelatorio04::Avancar() {
    const Destino destino = ui_->cbDrive->Escolhido();
    if (!destino.Escolhido()) {
        mensagens_.MostraMensagem("0600");
        ui_->cbDrive->setFocus();
        return;
    }
    if (destino.letra && !DrivePresente(destino.letra)) return;
    const std::string declaracao = Declaracao();
    ui_->stPaineis->setCurrentWidget(ui_->paAnalise);
    ui_->btAvancar->setEnabled(false);
    ui_->btVoltar->setEnabled(false);
    ui_->laArquivo->setText(QStringLiteral("Analisando o arquivo: %1 e %2")
                                .arg(QDir::toNativeSeparators(Texto(declaracao)),
                                     QDir::toNativeSeparators(Texto(CaminhoProtocolo(declaracao)))));
    // The warnings of a missing file open over this window and give it back the focus.
    InteracaoFormulario interacao(dialogos_, *this);
    switch (fValidaProtocolo(declaracao, interacao, dados_)) {
    case kProtocoloArquivoAusente: return MostraLocaliza(false);
    case kProtocoloInvalido: return MostraFim(ui_->paRecusa);
    default: break;
    }
    auto analise = DesfechoProtocolo::Recusado;
    ui_->paEstrutura->Roda(dialogos_, [&](Interacao& interacao) {
        analise = fAnalisaDeclaracaoProtocolo(dm_.dbZovi, declaracao, interacao);
    });
    if (analise == DesfechoProtocolo::Interrompido) return MostraLocaliza(true);
    if (analise != DesfechoProtocolo::Pronto) return MostraFim(ui_->paRecusa);
    int dados = kDadosProtocoloErro;
    ui_->paDados->Roda(dialogos_, [&](Interacao& interacao) { dados = fGeraDadosProtocolo(dm_.dbZovi, interacao, dados_); });
    if (dados == kDadosProtocoloInterrompidos) {
        dialogos_.Mensagem(TipoDialogo::Informacao, QStringLiteral("Interrupção feita pelo usuário"), this);
        return MostraLocaliza(false);
    }
    MostraFim(dados == kDadosProtocoloGerados ? ui_->paPronto : ui_->paRecusa);
}

}  // namespace zovi::gui
