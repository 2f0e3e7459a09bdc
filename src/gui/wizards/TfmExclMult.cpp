#include "wizards/TfmExclMult.h"

#include <QShowEvent>

#include "data/ListasSelecao.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmExclMult.h"
#include "wizards/ListaMarcacao.h"
#include "wizards/PecasManutencao.h"

namespace zovi::gui {

namespace {
enum Pagina { kApresentacao, kEstabelecimento, kOrdem, kEmpregados, kConfirmacao };
}

TfmExclMult::TfmExclMult(ContextoManutencao& contexto, ServicoDialogos& dialogos, int pagina, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmExclMult>()), manutencao_(contexto),
      pagina_(pagina) {
    ui_->setupUi(this);
    MontaPagina(*this, *ui_, QStringLiteral("fmExclMult"), pagina, kConfirmacao);
    ui_->esEstabelecimento->Textos(QString::fromStdString(contexto.anoBase),
                                   QStringLiteral("Selecione o estabelecimento (inscrição/prefixo) que possui os "
                                                  "empregados/servidores que deseja excluir."),
                                   QStringLiteral("Os empregados/servidores de outros prefixos precisam de uma nova "
                                                  "execução do assistente."));
    ui_->lmEmpregados->MostraMarcaTodas(false);
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmExclMult::Avancar);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmExclMult::Voltar);
    connect(ui_->btConcluir, &QPushButton::clicked, this, &TfmExclMult::Concluir);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmExclMult::Cancela);
}

TfmExclMult::~TfmExclMult() = default;

ListaMarcacao& TfmExclMult::Empregados() { return *ui_->lmEmpregados; }
EscolhaEstabelecimento& TfmExclMult::Estabelecimentos() { return *ui_->esEstabelecimento; }

void TfmExclMult::showEvent(QShowEvent* e) {
    PaginaAssistente::showEvent(e);
    if (e->spontaneous()) return;
    auto& c = manutencao_;
    switch (pagina_) {
    case kEstabelecimento:
        MostraEstabelecimentos(c, *ui_->esEstabelecimento);
        break;
    case kOrdem:
        ui_->rsOrdem->Mostra(c.escolhido.inscricaoFormatada, c.escolhido.prefixo, c.escolhido.nome);
        ui_->rbPis->setFocus();
        break;
    case kEmpregados:
        // Filled when the order page goes on; coming back from the confirmation keeps the ticks.
        if (c.listaPendente) {
            ui_->lmEmpregados->Modelo().Define(
                MarcaEmpregados(c.dm.quBd8Emp, c.anoBase, c.escolhido.inscricao, c.escolhido.prefixo, c.ordem));
            c.listaPendente = false;
        }
        ui_->lmEmpregados->FocaLista();
        break;
    case kConfirmacao:
        ui_->rsConfirma->Mostra(c.escolhido.inscricaoFormatada, c.escolhido.prefixo, c.escolhido.nome);
        ui_->edTotal->setText(QString::number(c.marcados.size()));
        ui_->btConcluir->setFocus();
        break;
    default: ui_->btAvancar->setFocus();
    }
}

void TfmExclMult::Avancar() {
    auto& c = manutencao_;
    switch (pagina_) {
    case kEstabelecimento:
        if (!AceitaEstabelecimento(c, *ui_->esEstabelecimento, LeituraInscricao::Preenche)) return;
        break;
    case kOrdem:
        c.ordem = ui_->rbPis->isChecked() ? '0' : '1';
        c.listaPendente = true;
        break;
    case kEmpregados: {
        const auto& lista = ui_->lmEmpregados->Modelo();
        c.marcados = ItensMarcados(lista.Linhas(), lista.Marcas());
        if (c.marcados.empty()) {
            c.mensagens.MostraMensagem("1310");
            ui_->lmEmpregados->FocaLista();
            return;
        }
        break;
    }
    default: break;
    }
    Avanca();
}

void TfmExclMult::Voltar() {
    manutencao_.marcados.clear();
    Volta();
}

void TfmExclMult::Cancela() {
    manutencao_.marcados.clear();
    FechaTudo();
}

void TfmExclMult::Concluir() {
    auto& c = manutencao_;
    const long excluidos = ExcluiEmpregados(c.entrada, c.Chave(), c.Empregados());
    dialogos_.Mensagem(TipoDialogo::Informacao,
                       QString::number(excluidos) + QStringLiteral(" Empregado(s) excluído(s) com sucesso."), this);
    c.marcados.clear();
    FechaTudo();
}

}  // namespace zovi::gui
