#include "backup/TfmRestore00.h"

#include "backup/CopiaDeclaracao.h"
#include "backup/UnidadeCopia.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmRestore00.h"

namespace zovi::gui {

TfmRestore00::TfmRestore00(Banco& banco, ServicoDialogos& dialogos, QWidget* pai)
    : FormularioExecucao(dialogos, pai), ui_(std::make_unique<Ui::TfmRestore00>()), banco_(banco) {
    ui_->setupUi(this);
    interacao_.MostraProgressoEm(*ui_->laProgresso, *ui_->pbProgresso);
    connect(ui_->btIniciar, &QPushButton::clicked, this, &TfmRestore00::Iniciar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmRestore00::reject);
}

TfmRestore00::~TfmRestore00() = default;

void TfmRestore00::Iniciar() {
    const QString arquivo = dialogos_.ArquivoParaAbrir(this, QStringLiteral("Restaurar arquivo de Backup ..."),
                                                       PastaInicialCopia(), QStringLiteral("Backup Files (*.BKP *.bkp)"));
    if (arquivo.isEmpty()) {
        reject();
        return;
    }
    ui_->btIniciar->setEnabled(false);
    RodaEFecha([&] {
        return fRestauraCopiaDeclaracao(std::filesystem::path(arquivo.toStdString()), banco_.Pasta(), interacao_,
                                        &banco_);
    });
}

}  // namespace zovi::gui
