#include "wizards/TfmAnalis00.h"

#include <QFile>

#include "TrpEstrut.h"
#include "analysis/AnaliseEstrutura.h"
#include "app/Figuras.h"
#include "data/ModulosDados.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "rules/VerificaDeclaracao.h"
#include "ui_TfmAnalis00.h"
#include "wizards/AssistenteImportacao.h"

namespace zovi::gui {

TfmAnalis00::TfmAnalis00(ContextoAnalise& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmAnalis00>()), analise_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    connect(ui_->arquivo, &QLineEdit::textChanged, this,
            [this](const QString& texto) { ui_->btAvancar->setEnabled(!texto.trimmed().isEmpty()); });
    connect(ui_->btLocalizar, &QPushButton::clicked, this, &TfmAnalis00::Localizar);
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmAnalis00::Avancar);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmAnalis00::RecomecaArquivo);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmAnalis00::Cancela);
    LigaBotoesRelatorio(this, ui_->btVisualizar, ui_->btRelatorio, dialogos, [&contexto] {
        return std::make_unique<relatorios::TrpEstrut>(contexto.dm.dbZovi, contexto.mensagens.Catalogo());
    });
    ui_->arquivo->setFocus();
}

TfmAnalis00::~TfmAnalis00() = default;

void TfmAnalis00::Cancela() {
    if (ui_->pbEstrutura->Rodando())
        ui_->pbEstrutura->PedeInterrupcao();
    else if (ui_->pbConsistencia->Rodando())
        ui_->pbConsistencia->PedeInterrupcao();
    else
        FechaTudo();
}

void TfmAnalis00::Localizar() {
    LocalizaArquivo(this, dialogos_, ui_->arquivo, QStringLiteral("Arquivos Zovi (Zovi*);;Arquivos Texto (*.txt);;Todos os Arquivos (*)"));
}

void TfmAnalis00::RecomecaArquivo() {
    ui_->stPaineis->setCurrentWidget(ui_->PLocalizar);
    ui_->btCancelar->setText(QStringLiteral("&Cancelar"));
    ui_->btVoltar->setEnabled(false);
    ui_->arquivo->clear();
    ui_->btAvancar->setEnabled(false);
    ui_->lbNomeArquivo->clear();
    ui_->arquivo->setFocus();
}

void TfmAnalis00::Avancar() {
    const QString caminho = ui_->arquivo->text().trimmed();
    if (!ArquivoExiste(this, dialogos_, ui_->arquivo)) return;
    ui_->btAvancar->setEnabled(false);
    analise_.resultado = ResultadoAnalise::kNenhum;
    if (!AnalisaEstrutura(caminho) || !VerificaInformacoes(caminho)) return;
    Avanca();
}

bool TfmAnalis00::AnalisaEstrutura(const QString& caminho) {
    ui_->stPaineis->setCurrentWidget(ui_->PEstrutura);
    ui_->lbNomeArquivo->setText(QStringLiteral("Analisando o arquivo: ") + caminho);
    int resultado = kAnaliseInterrompida;
    ui_->pbEstrutura->Roda(dialogos_, [&](Interacao& interacao) {
        TAnaliseEstrutura analise(analise_.dm.dbZovi, interacao);
        long estabelecimentos = 0, empregados = 0;
        resultado = analise.fAnalisaArquivo(QFile::encodeName(caminho).toStdString(), 2005, false, estabelecimentos,
                                            empregados);
    });
    if (resultado & kAnaliseComFalha) {
        ui_->stPaineis->setCurrentWidget(ui_->paErroEstrut);
        ui_->btCancelar->setText(QStringLiteral("&Fechar"));
        ui_->btVoltar->setEnabled(true);
        return false;
    }
    if (resultado & (kAnaliseInterrompida | kAnaliseArquivoIlegivel)) {
        RecomecaArquivo();
        return false;
    }
    analise_.retificacao = (resultado & kAnaliseRetificacao) != 0;
    return true;
}

bool TfmAnalis00::VerificaInformacoes(const QString& caminho) {
    ui_->lbNomeArquivo->setText(QStringLiteral("Consistindo o arquivo: ") + caminho);
    ResultadoVerificacao resultado;
    ui_->pbConsistencia->Roda(dialogos_, [&](Interacao& interacao) {
        resultado = fVerificaDeclaracao(interacao, analise_.dm.dbZovi.Pasta(), true, nullptr, "", true, true);
    });
    if (resultado.vrInterrompida) {
        dialogos_.Mensagem(TipoDialogo::Informacao, QStringLiteral("Consistência interrompida pelo usuário"), this);
        RecomecaArquivo();
        return false;
    }
    analise_.resultado = resultado.vrErro    ? ResultadoAnalise::kErros
                         : resultado.vrAviso ? ResultadoAnalise::kAvisos
                                             : ResultadoAnalise::kCorreto;
    return true;
}

}  // namespace zovi::gui
