#include "wizards/TfmImport00.h"

#include <QFile>

#include "analysis/AnaliseEstrutura.h"
#include "app/Figuras.h"
#include "data/ModulosDados.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmImport00.h"

namespace zovi::gui {

TfmImport00::TfmImport00(ContextoImportacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmImport00>()), importacao_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    const QString rotulo = RotuloAnoImportacao(contexto.ano);
    setWindowTitle(QStringLiteral("Assistente para Importação de Estabelecimentos (Declaração Ano-Base %1)").arg(rotulo));
    ui_->laAnoBase->setText(ui_->laAnoBase->text() + rotulo);
    connect(ui_->arquivo, &QLineEdit::textChanged, this,
            [this](const QString& texto) { ui_->btAvancar->setEnabled(!texto.trimmed().isEmpty()); });
    connect(ui_->btLocalizar, &QPushButton::clicked, this, &TfmImport00::Localizar);
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmImport00::Avancar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmImport00::Cancela);
}

TfmImport00::~TfmImport00() = default;

void TfmImport00::Cancela() {
    if (ui_->paVerificando->Rodando())
        ui_->paVerificando->PedeInterrupcao();
    else
        FechaTudo();
}

void TfmImport00::Localizar() {
    LocalizaArquivo(this, dialogos_, ui_->arquivo, QStringLiteral("Arquivos ZOVI (Zovi*);;Texto (*.txt);;Todos (*)"));
}

void TfmImport00::RecomecaArquivo() {
    ui_->stPaineis->setCurrentWidget(ui_->paLocalizar);
    ui_->arquivo->clear();
    ui_->arquivo->setFocus();
}

void TfmImport00::Avancar() {
    const QString caminho = ui_->arquivo->text().trimmed();
    if (!ArquivoExiste(this, dialogos_, ui_->arquivo)) return;
    ui_->stPaineis->setCurrentWidget(ui_->paVerificando);
    ui_->btAvancar->setEnabled(false);
    int resultado = kAnaliseInterrompida;
    ui_->paVerificando->Roda(dialogos_, [&](Interacao& interacao) {
        TAnaliseEstrutura analise(importacao_.dm.dbZovi, interacao);
        analise.DefineAnoAnterior(importacao_.ano == 2004);
        long estabelecimentos = 0, empregados = 0;
        resultado = analise.fAnalisaArquivo(QFile::encodeName(caminho).toStdString(), 2005, true, estabelecimentos,
                                            empregados);
    });
    if (resultado == kAnaliseInterrompida || resultado == kAnaliseArquivoIlegivel) {
        RecomecaArquivo();
        return;
    }
    ui_->stPaineis->setCurrentWidget(ui_->paLocalizar);
    ui_->btAvancar->setEnabled(true);
    importacao_.falhaEstrutura = resultado == kAnaliseComFalha;
    Avanca();
}

}  // namespace zovi::gui
