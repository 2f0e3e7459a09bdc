#include "wizards/TfmImport01.h"

#include "TrpEstrut.h"
#include "app/Figuras.h"
#include "data/ModulosDados.h"
#include "messages/Mensagens.h"
#include "ui_TfmImport01.h"

namespace zovi::gui {

TfmImport01::TfmImport01(ContextoImportacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmImport01>()) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    LigaBotoesRelatorio(this, ui_->btVisualizar, ui_->btRelatorio, dialogos, [&contexto] {
        return std::make_unique<relatorios::TrpEstrut>(contexto.dm.dbZovi, contexto.mensagens.Catalogo());
    });
    connect(ui_->btFechar, &QPushButton::clicked, this, &TfmImport01::FechaTudo);
}

TfmImport01::~TfmImport01() = default;

}  // namespace zovi::gui
