#include "entry/TfmExcluir.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QShowEvent>

#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "entry/ManutencaoLote.h"
#include "engine/Tabela.h"
#include "messages/Formatacao.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEstabelecimento.h"
#include "ui_TfmExcluir.h"

namespace zovi::gui {

namespace {

QString Tela(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(fAparaTexto(cp1252))); }

// The deletion's progress on the form's bar, with the window events let through so that it repaints.
class ProgressoBarra : public Interacao {
public:
    explicit ProgressoBarra(QProgressBar& barra) : barra_(barra) {}
    Resposta Mostra(TipoDialogo, const std::string&) override { return Resposta::Ok; }
    void Progresso(long posicao, long maximo) override {
        barra_.setRange(0, static_cast<int>(maximo));
        barra_.setValue(static_cast<int>(posicao));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QProgressBar& barra_;
};

}  // namespace

TfmExcluir::TfmExcluir(Banco& banco, ServicoDialogos& dialogos, std::string anoBase, std::string inscricao,
                       std::string prefixo, QWidget* pai)
    : QDialog(pai), ui_(std::make_unique<Ui::TfmExcluir>()), banco_(banco), dialogos_(dialogos),
      anoBase_(std::move(anoBase)), inscricao_(std::move(inscricao)), prefixo_(std::move(prefixo)) {
    ui_->setupUi(this);
    ui_->pbProgresso->hide();
    connect(ui_->btExcluir, &QPushButton::clicked, this, &TfmExcluir::Exclui);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

TfmExcluir::~TfmExcluir() = default;

void TfmExcluir::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) Carrega();
}

void TfmExcluir::Carrega() {
    Tabela t(banco_, "BD8EMP");
    t.Abre();
    std::string tipo;
    if (t.BuscaChave({anoBase_, inscricao_, prefixo_})) {
        const std::string vinculado = fAparaTexto(t.Texto("CoCgcVinculado"));
        ui_->edCeiVinculado->setText(fVazioOuZeros(vinculado) ? QString()
                                     : fNumerico(vinculado)   ? Tela(FormataInscricao(vinculado, "3"))
                                                              : Tela(vinculado));
        const long empregados = TextoParaInteiro(t.Texto("NuVinculosEstabelecimento"));
        ui_->edTotal->setText(empregados ? QString::number(empregados) : QString());
        ui_->edNome->setText(Tela(t.Texto("NoRazaoEstabelecimento")));
        ui_->edUso->setText(Tela(t.Texto("TxUsoEstabelecimento")));
        ui_->laTipoDeclaracao->setText(fAparaTexto(t.Texto("InZoviNegEstabelecimento")) == "1"
                                           ? QStringLiteral("ZOVI sem empregados")
                                           : QStringLiteral("ZOVI com empregados"));
        tipo = fAparaTexto(t.Texto("InInscrEstabelecimento"));
    }
    ui_->edPrefixo->setText(Tela(prefixo_));
    ui_->laAnoBase->setText(anoBase_ == "2005" ? QStringLiteral("Declaração Ano 2005") : QStringLiteral("Declaração Ano 2006"));
    const std::string codigo = fCriticaInscricao(inscricao_);
    if (codigo == "0051" || (codigo != "0052" && tipo == "1")) {
        ui_->edInscricao->setText(Tela(FormataInscricao(inscricao_, "1")));
        ui_->edTipo->setText(QStringLiteral("CNPJ"));
    } else if (codigo == "0052" || tipo == "3") {
        ui_->edInscricao->setText(Tela(FormataInscricao(inscricao_, "3")));
        ui_->edTipo->setText(QStringLiteral("CEI"));
    } else {
        ui_->edInscricao->setText(Tela(inscricao_));
    }
    ui_->btExcluir->setFocus();
}

void TfmExcluir::Exclui() {
    const QString texto = QStringLiteral(
        "A exclusão remove da base do sistema todas as informações\r"
        "referentes ao estabelecimento e seus empregados, se houver.\r"
        "Você tem certeza que deseja excluir ?");
    if (dialogos_.Caixa(QStringLiteral("Confirmação"), texto, QMessageBox::Question, {Resposta::Sim, Resposta::Nao}, this) !=
        Resposta::Sim)
        return;
    ui_->pbProgresso->setValue(0);
    ui_->pbProgresso->show();
    TdmEntradaDados entrada(banco_);
    ProgressoBarra progresso(*ui_->pbProgresso);
    ExcluiEstabelecimento(entrada, {anoBase_, inscricao_, prefixo_}, &progresso);
    ui_->pbProgresso->hide();
    dialogos_.Mensagem(TipoDialogo::Informacao, QStringLiteral("Estabelecimento excluído com sucesso."), this);
    accept();
}

}  // namespace zovi::gui
