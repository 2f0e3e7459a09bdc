#include "wizards/TfmGravaDecl02.h"

#include "app/Figuras.h"
#include "messages/Mensagens.h"
#include "ui_TfmGravaDecl02.h"
#include "wizards/ListaMarcacao.h"

namespace zovi::gui {

TfmGravaDecl02::TfmGravaDecl02(ContextoGravacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmGravaDecl02>()), gravacao_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    ui_->clEmpresas->Modelo().Define(contexto.linhas);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmGravaDecl02::Volta);
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmGravaDecl02::Avancar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmGravaDecl02::FechaTudo);
    ui_->clEmpresas->FocaLista();
}

TfmGravaDecl02::~TfmGravaDecl02() = default;

ListaMarcacao& TfmGravaDecl02::Empresas() { return *ui_->clEmpresas; }

void TfmGravaDecl02::Avancar() {
    const auto& lista = ui_->clEmpresas->Modelo();
    if (!lista.AlgumaMarcada()) {
        gravacao_.mensagens.MostraMensagem("1301");
        ui_->clEmpresas->FocaLista();
        return;
    }
    const auto& marcas = lista.Marcas();
    for (size_t i = 0; i < gravacao_.estabelecimentos.size() && i < marcas.size(); ++i)
        gravacao_.estabelecimentos[i].marcado = marcas[i];
    Avanca();
}

}  // namespace zovi::gui
