#include "backup/TfmBackup00.h"

#include <QDir>
#include <QFileInfo>

#include "backup/UnidadeCopia.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmBackup00.h"

namespace zovi::gui {

TfmBackup00::TfmBackup00(std::filesystem::path pastaDados, ServicoDialogos& dialogos, QWidget* pai,
                         MedidaEspacoLivre espaco)
    : FormularioExecucao(dialogos, pai), ui_(std::make_unique<Ui::TfmBackup00>()), pastaDados_(std::move(pastaDados)),
      espaco_(espaco ? std::move(espaco) : MedidaEspacoLivre(EspacoLivreVolume)) {
    ui_->setupUi(this);
    interacao_.MostraProgressoEm(*ui_->laProgresso, *ui_->pbProgresso);
    connect(ui_->btIniciar, &QPushButton::clicked, this, &TfmBackup00::Iniciar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmBackup00::reject);
}

TfmBackup00::~TfmBackup00() = default;

QString TfmBackup00::ComExtensao(const QString& escolhido) {
    if (!QFileInfo(escolhido).suffix().isEmpty()) return escolhido;
    const QString nome = escolhido + QStringLiteral(".BKP");
    // The file dialog asked about the name as typed, not about this one.
    if (QFileInfo::exists(nome) &&
        dialogos_.Mensagem(TipoDialogo::Confirmacao,
                           QStringLiteral("%1 já existe.\nDeseja substituí-lo?").arg(QDir::toNativeSeparators(nome)),
                           this) != Resposta::Sim)
        return {};
    return nome;
}

void TfmBackup00::Iniciar() {
    const QString sugestao = QDir(PastaInicialCopia()).filePath(QStringLiteral("Zovi2005.bkp"));
    QString arquivo = dialogos_.ArquivoParaSalvar(this, QStringLiteral("Cópia de Segurança"), sugestao,
                                                  QStringLiteral("Backup GDZOVI (BKP) (*.BKP *.bkp)"));
    if (!arquivo.isEmpty()) arquivo = ComExtensao(arquivo);
    if (arquivo.isEmpty()) {
        reject();
        return;
    }
    ui_->btIniciar->setEnabled(false);
    // Over as many volumes as it takes, as on diskettes; the volumes take their names only
    // once the last is written, so a copy cut short leaves an earlier one whole.
    RodaEFecha([&] {
        return fGravaCopiaDeclaracao(pastaDados_, std::filesystem::path(arquivo.toStdString()), interacao_, espaco_,
                                     true)
            .feita;
    });
}

}  // namespace zovi::gui
