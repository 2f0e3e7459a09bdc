#include "wizards/TfmImport02.h"

#include "app/Figuras.h"
#include "data/ModulosDados.h"
#include "engine/Tabela.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "ui_TfmImport02.h"
#include "wizards/ListaMarcacao.h"

namespace zovi::gui {

TfmImport02::TfmImport02(ContextoImportacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmImport02>()), importacao_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    // The options below the list mark or clear every line.
    ui_->LEmpresas->MostraMarcaTodas(false);
    connect(ui_->LEmpresas, &ListaMarcacao::Alternada, this, &TfmImport02::ConfereMarca);
    connect(ui_->rbSelecionarTodos, &QRadioButton::clicked, this, &TfmImport02::SelecionaTodos);
    connect(ui_->rbLimparTodos, &QRadioButton::clicked, this,
            [this] { ui_->LEmpresas->Modelo().MarcaTodas(false); });
    connect(ui_->btConcluir, &QPushButton::clicked, this, &TfmImport02::Concluir);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmImport02::Cancela);
}

TfmImport02::~TfmImport02() = default;

ListaMarcacao& TfmImport02::Empresas() { return *ui_->LEmpresas; }

void TfmImport02::MostraEstabelecimentos() {
    auto& banco = importacao_.dm.dbZovi;
    bool retificacao = false;
    if (importacao_.ano == 2005 && banco.ExisteTabela("TE8RESP")) {
        Tabela resp(banco, "TE8RESP");
        resp.Abre();
        resp.Primeiro();
        retificacao = !resp.Fim() && resp.Logico("InRetificacao");
    }
    ui_->laStatus->setText(retificacao ? QStringLiteral("Informações referentes à declaração de retificação")
                                       : QStringLiteral("Informações referentes ao ano %1").arg(importacao_.ano));
    estabelecimentos_ = EstabelecimentosDoArquivo(banco, importacao_.ano);
    std::vector<std::string> linhas;
    for (const auto& e : estabelecimentos_) linhas.push_back(LinhaSelecaoImportacao(e));
    ui_->LEmpresas->Modelo().Define(std::move(linhas));
    LimpaOpcoes();
    ui_->stPaineis->setCurrentWidget(ui_->paLista);
    ui_->btConcluir->setEnabled(true);
}

void TfmImport02::LimpaOpcoes() {
    for (QRadioButton* b : {ui_->rbSelecionarTodos, ui_->rbLimparTodos}) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

// A line the user ticked must have a two-character prefix.
void TfmImport02::ConfereMarca(int linha) {
    LimpaOpcoes();
    auto& modelo = ui_->LEmpresas->Modelo();
    if (!modelo.Marcas()[static_cast<std::size_t>(linha)] ||
        PrefixoImportavel(estabelecimentos_[static_cast<std::size_t>(linha)].prefixo))
        return;
    dialogos_.Mensagem(TipoDialogo::Erro, QStringLiteral("Este estabelecimento não poderá ser importado. Verifique Prefixo."),
                       this);
    modelo.Alterna(linha);
}

// Marks from the top, stopping at the first establishment that cannot be imported.
void TfmImport02::SelecionaTodos() {
    auto& modelo = ui_->LEmpresas->Modelo();
    for (std::size_t i = 0; i < estabelecimentos_.size(); ++i) {
        if (!PrefixoImportavel(estabelecimentos_[i].prefixo)) {
            dialogos_.Mensagem(TipoDialogo::Erro,
                               QStringLiteral("Prefixo Inválido. Estabelecimento não poderá ser importado."), this);
            ui_->LEmpresas->SelecionaLinha(static_cast<int>(i));
            return;
        }
        if (!modelo.Marcas()[i]) modelo.Alterna(static_cast<int>(i));
    }
}

void TfmImport02::Cancela() {
    if (ui_->Gauge->Rodando())
        ui_->Gauge->PedeInterrupcao();
    else
        FechaTudo();
}

void TfmImport02::Concluir() {
    const auto& modelo = ui_->LEmpresas->Modelo();
    if (!modelo.AlgumaMarcada()) {
        importacao_.mensagens.MostraMensagem("1301");
        ui_->LEmpresas->FocaLista();
        return;
    }
    std::vector<EscolhaImportacao> escolha;
    for (std::size_t i = 0; i < estabelecimentos_.size(); ++i)
        if (modelo.Marcas()[i]) escolha.push_back({estabelecimentos_[i].inscricao, estabelecimentos_[i].prefixo});
    ui_->stPaineis->setCurrentWidget(ui_->Gauge);
    ui_->btConcluir->setEnabled(false);
    ResultadoImportacao resultado;
    ui_->Gauge->Roda(dialogos_, [&](Interacao& interacao) {
        TImportacao importacao(importacao_.dm.dbZovi, interacao);
        resultado = importacao.fImporta(importacao_.ano, escolha);
    });
    if (resultado.falhou)
        dialogos_.Mensagem(TipoDialogo::Erro,
                           QStringLiteral("Ocorreu um erro durante a importação:\n%1\nO relatório de importação mostra "
                                          "os estabelecimentos importados.")
                               .arg(QString::fromStdString(Cp1252ParaUtf8(resultado.erro))),
                           this);
    // The import report says what went in, also after a stop or an error.
    Avanca();
}

}  // namespace zovi::gui
