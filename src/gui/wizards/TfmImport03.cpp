#include "wizards/TfmImport03.h"

#include "TrpImport.h"
#include "app/Figuras.h"
#include "data/ModulosDados.h"
#include "messages/Mensagens.h"
#include "ui_TfmImport03.h"

namespace zovi::gui {

TfmImport03::TfmImport03(ContextoImportacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmImport03>()) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    LigaBotoesRelatorio(this, ui_->btVisualizar, ui_->btRelatorio, dialogos, [&contexto] {
        return std::make_unique<relatorios::TrpImport>(contexto.dm.dbZovi, contexto.mensagens.Catalogo(), contexto.ano);
    });
    connect(ui_->btFechar, &QPushButton::clicked, this, &TfmImport03::FechaTudo);
}

TfmImport03::~TfmImport03() = default;

}  // namespace zovi::gui
