#include "backup/TForm1.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QInputDialog>

#include <chrono>

#include "backup/UnidadeCopia.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "ui_TForm1.h"

namespace zovi::gui {

namespace {

// A line of the archive's file list, "path<TAB>date=size", as "path from date, size bytes".
QString LinhaConteudo(const std::string& linha) {
    const QString texto = QString::fromStdString(Cp1252ParaUtf8(linha));
    const auto tab = texto.indexOf(QLatin1Char('\t'));
    const auto igual = texto.indexOf(QLatin1Char('='), tab);
    if (tab < 0 || igual < 0) return texto;
    bool ok = false;
    const auto dataDos = texto.mid(tab + 1, igual - tab - 1).toLongLong(&ok);
    QString data = texto.mid(tab + 1, igual - tab - 1);
    if (ok) {
        const auto quando = std::chrono::file_clock::to_sys(DeDataDos(static_cast<std::int32_t>(dataDos)));
        data = QDateTime::fromSecsSinceEpoch(std::chrono::duration_cast<std::chrono::seconds>(quando.time_since_epoch()).count())
                   .toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    }
    return texto.left(tab) + QStringLiteral(" from ") + data + QStringLiteral(", ") + texto.mid(igual + 1) +
           QStringLiteral(" bytes");
}

std::string Texto1252(const QString& texto) {
    return Utf8ParaCp1252(texto.toStdString()).value_or(texto.toLatin1().toStdString());
}

}  // namespace

TForm1::TForm1(ServicoDialogos& dialogos, QWidget* pai)
    : QWidget(pai, Qt::Window), ui_(std::make_unique<Ui::TForm1>()), dialogos_(dialogos),
      interacao_(dialogos, *this), copia_(&interacao_) {
    ui_->setupUi(this);
    // Progress moves the bar; a missing volume and errors use the component's own dialogs.
    copia_.OnProgress = [this](TCopiaSeguranca&, const std::string&, TPercentage p, bool&) {
        interacao_.Progresso(p, 100);
    };

    connect(ui_->btAdicionaArquivos, &QPushButton::clicked, this, &TForm1::AdicionaArquivos);
    connect(ui_->btAdicionaMascara, &QPushButton::clicked, this, &TForm1::AdicionaMascara);
    connect(ui_->btLimpaArquivos, &QPushButton::clicked, ui_->lbArquivos, &QListWidget::clear);
    connect(ui_->btCria, &QPushButton::clicked, this, &TForm1::CriaCopia);
    connect(ui_->btRestaura, &QPushButton::clicked, this, &TForm1::Restaura);
    connect(ui_->btCancel, &QPushButton::clicked, this, &TForm1::Cancela);
}

TForm1::~TForm1() = default;

void TForm1::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (pastas_) return;
    // Browsing the disk only when the window is first shown: nothing of it at start-up.
    pastas_ = new QFileSystemModel(this);
    pastas_->setNameFilters({QStringLiteral("*.bck"), QStringLiteral("*.BCK"), QStringLiteral("*.bkp"),
                             QStringLiteral("*.BKP")});
    pastas_->setNameFilterDisables(false);
    pastas_->setRootPath(QDir::rootPath());
    ui_->tvArquivos->setModel(pastas_);
    for (int coluna = 1; coluna < pastas_->columnCount(); ++coluna) ui_->tvArquivos->hideColumn(coluna);
    ui_->tvArquivos->setCurrentIndex(pastas_->index(QDir::homePath()));
    connect(ui_->tvArquivos->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& atual) {
                MostraCopia(pastas_->isDir(atual) ? QString() : pastas_->filePath(atual));
            });
}

void TForm1::AdicionaArquivos() {
    const QString arquivo =
        dialogos_.ArquivoParaAbrir(this, QStringLiteral("add file(s)"), QDir::homePath(), QStringLiteral("All files (*)"));
    if (!arquivo.isEmpty()) ui_->lbArquivos->addItem(QDir::toNativeSeparators(arquivo));
}

void TForm1::AdicionaMascara() {
    QInputDialog pergunta(this);
    pergunta.setObjectName(QStringLiteral("InputQuery"));
    pergunta.setWindowTitle(QStringLiteral("Add files with wildcards"));
    pergunta.setLabelText(QStringLiteral("Enter path + file mask"));
    if (dialogos_.Executa(pergunta) == QDialog::Accepted && !pergunta.textValue().trimmed().isEmpty())
        ui_->lbArquivos->addItem(pergunta.textValue().trimmed());
}

void TForm1::CriaCopia() {
    if (ui_->lbArquivos->count() == 0) {
        dialogos_.Mensagem(TipoDialogo::Informacao, QStringLiteral("No files added"), this);
        return;
    }
    QString arquivo = dialogos_.ArquivoParaSalvar(this, QStringLiteral("create archive !"), QDir::homePath(),
                                                  QStringLiteral("Backup archives (*.bck)"));
    if (arquivo.isEmpty()) return;
    if (QFileInfo(arquivo).suffix().isEmpty()) arquivo += QStringLiteral(".bck");
    if (NaUnidadeA(arquivo)) {
        dialogos_.Mensagem(TipoDialogo::Informacao,
                           QStringLiteral("Drive A indicates a floppy drive - please a new empty disk"), this);
        copia_.SetMaxSize(1400000);
    } else {
        copia_.SetMaxSize(0);
    }
    copia_.BackupTitle = Texto1252(ui_->edTitulo->text());
    copia_.SetBackupMode(ui_->rbIncremental->isChecked() ? TBackupMode::bmIncremental : TBackupMode::bmAll);
    if (ui_->rbTodos->isChecked()) copia_.SetArchiveFlag = false;
    copia_.CompressionLevel = ui_->rbNone->isChecked()      ? TCompressionLevel::clNone
                              : ui_->rbDefault->isChecked() ? TCompressionLevel::clDefault
                              : ui_->rbMax->isChecked()     ? TCompressionLevel::clMax
                                                            : TCompressionLevel::clFastest;
    copia_.SaveFileID = ui_->cbSaveFileID->isChecked();
    std::vector<std::string> especificacoes;
    for (int i = 0; i < ui_->lbArquivos->count(); ++i)
        especificacoes.push_back(QDir::fromNativeSeparators(ui_->lbArquivos->item(i)->text()).toStdString());
    if (copia_.Backup(especificacoes, arquivo.toStdString()))
        dialogos_.Mensagem(TipoDialogo::Informacao,
                           QStringLiteral("Backup sucessful. Compression rate = %1 %").arg(copia_.CompressionRate()), this);
    else
        dialogos_.Mensagem(TipoDialogo::Aviso, QStringLiteral("Backup failed or aborted"), this);
}

void TForm1::MostraCopia(const QString& arquivo) {
    copiaEscolhida_ = arquivo;
    ui_->btRestaura->setEnabled(!arquivo.isEmpty());
    ui_->lbConteudo->clear();
    ui_->laTituloLido->clear();
    if (arquivo.isEmpty()) return;
    std::vector<std::string> lista;
    ui_->laTituloLido->setText(QString::fromStdString(Cp1252ParaUtf8(copia_.ReadArchiveInfo(arquivo.toStdString(), &lista))));
    if (lista.empty()) ui_->lbConteudo->addItem(QStringLiteral("No extended file information in this archive"));
    for (const auto& linha : lista) ui_->lbConteudo->addItem(LinhaConteudo(linha));
}

void TForm1::Restaura() {
    std::string destino;
    if (ui_->rbOutra->isChecked()) {
        const QString pasta = ui_->edOutra->text().trimmed();
        if (pasta.isEmpty()) {
            dialogos_.Mensagem(TipoDialogo::Aviso, QStringLiteral("Please enter a target path"), this);
            return;
        }
        destino = QDir::fromNativeSeparators(pasta).toStdString();
    }
    copia_.RestoreFullPath = ui_->cbCaminhoCompleto->isChecked();
    copia_.RestoreMode = ui_->rbRmNoOverwrite->isChecked()     ? TRestoreMode::rmNoOverwrite
                         : ui_->rbRmNewer->isChecked()         ? TRestoreMode::rmNewer
                         : ui_->rbRmExisting->isChecked()      ? TRestoreMode::rmExisting
                         : ui_->rbRmExistingNewer->isChecked() ? TRestoreMode::rmExistingNewer
                                                               : TRestoreMode::rmAll;
    if (copia_.Restore(copiaEscolhida_.toStdString(), destino))
        dialogos_.Mensagem(TipoDialogo::Informacao,
                           QStringLiteral("Restore successfully finished, %1 files of %2 restored")
                               .arg(copia_.FilesProcessed())
                               .arg(copia_.FilesInArchive()),
                           this);
    else
        dialogos_.Mensagem(TipoDialogo::Aviso, QStringLiteral("Restore failed or user has canceled"), this);
}

void TForm1::Cancela() {
    if (!copia_.IsBusy()) {
        hide();
        return;
    }
    if (dialogos_.Mensagem(TipoDialogo::Confirmacao, QStringLiteral("Do you want to abort the operation"), this) ==
        Resposta::Sim)
        copia_.Cancel();
}

}  // namespace zovi::gui
