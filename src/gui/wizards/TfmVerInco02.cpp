#include "wizards/TfmVerInco02.h"

#include "app/Figuras.h"
#include "data/ModulosDados.h"
#include "messages/Mensagens.h"
#include "ui_TfmVerInco02.h"

namespace zovi::gui {

TfmVerInco02::TfmVerInco02(ContextoVerificacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmVerInco02>()), verificacao_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    ui_->paResultado->LigaRelatorio(contexto.dm.dbZovi, contexto.mensagens.Catalogo(), dialogos);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmVerInco02::Volta);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmVerInco02::FechaTudo);
}

TfmVerInco02::~TfmVerInco02() = default;

void TfmVerInco02::MostraDesfecho(Desfecho desfecho) {
    ui_->paResultado->Mostra(desfecho);
    if (desfecho == Desfecho::Nenhum)
        ui_->btCancelar->setFocus();
    else
        ui_->paResultado->FocaVisualizar();
}

}  // namespace zovi::gui
