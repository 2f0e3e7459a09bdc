#include "wizards/PainelResultado.h"

#include "TrpErros.h"
#include "reports/Previa.h"
#include "ui_PainelResultado.h"

namespace zovi::gui {

Desfecho DesfechoDe(const ResultadoVerificacao& resultado) {
    if (resultado.vrErro) return Desfecho::Erros;
    if (resultado.vrAviso) return Desfecho::Avisos;
    return Desfecho::Nenhum;
}

PainelResultado::PainelResultado(QWidget* pai) : QWidget(pai), ui_(std::make_unique<Ui::PainelResultado>()) {
    ui_->setupUi(this);
    connect(ui_->btVisualizar, &QPushButton::clicked, this, &PainelResultado::Visualizar);
    connect(ui_->btImprimir, &QPushButton::clicked, this, &PainelResultado::Imprimir);
}

PainelResultado::~PainelResultado() = default;

void PainelResultado::LigaRelatorio(Banco& banco, const CatalogoMensagens& catalogo, ServicoDialogos& dialogos) {
    banco_ = &banco;
    catalogo_ = &catalogo;
    dialogos_ = &dialogos;
}

// The report is made for one preview or one print, from te8errwa as it is now.
void PainelResultado::Visualizar() {
    if (!banco_) return;
    relatorios::TrpErros rpErros(*banco_, *catalogo_);
    MostraRelatorio(window(), rpErros, *dialogos_);
}

void PainelResultado::Imprimir() {
    if (!banco_) return;
    relatorios::TrpErros rpErros(*banco_, *catalogo_);
    ImprimeRelatorio(window(), rpErros, *dialogos_);
}

void PainelResultado::Mostra(Desfecho desfecho) {
    desfecho_ = desfecho;
    switch (desfecho) {
    case Desfecho::Erros:
        ui_->laTexto->setText(textoErros_);
        ui_->btImprimir->setText(QStringLiteral("&Erros"));
        break;
    case Desfecho::Avisos:
        ui_->laTexto->setText(textoAvisos_);
        ui_->btImprimir->setText(botaoAvisos_);
        break;
    case Desfecho::Nenhum: ui_->laTexto->setText(textoNenhum_); break;
    }
    ui_->wdBotoes->setVisible(desfecho != Desfecho::Nenhum);
}

void PainelResultado::FocaVisualizar() { ui_->btVisualizar->setFocus(); }

}  // namespace zovi::gui
