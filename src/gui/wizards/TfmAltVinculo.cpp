#include "wizards/TfmAltVinculo.h"

#include <QCoreApplication>
#include <QShowEvent>

#include "data/ListasSelecao.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "messages/Formatacao.h"
#include "messages/Mensagens.h"
#include "platform/Texto1252.h"
#include "ui_TfmAltVinculo.h"
#include "wizards/PecasManutencao.h"

namespace zovi::gui {

namespace {

enum Pagina { kApresentacao, kEstabelecimento, kVinculo };

QString Tela(const std::string& cp1252) { return QString::fromStdString(Cp1252ParaUtf8(fAparaTexto(cp1252))); }

// The name the inscription was last stored with, of any base year and prefix.
std::string NomeDaInscricao(Banco& banco, const std::string& inscricao) {
    Consulta q(banco, {"select NoRazaoEstabelecimento from bd8Emp where CoCgcCeiEstabelecimento = :inscricao",
                       "and NoRazaoEstabelecimento <> '' order by AnBase desc, NuPrefixoEstabelecimento desc limit 1"});
    q.Parametro("inscricao", inscricao);
    q.Abre();
    return q.Vazia() ? std::string() : q.Texto(0);
}

}  // namespace

TfmAltVinculo::TfmAltVinculo(ContextoManutencao& contexto, ServicoDialogos& dialogos, int pagina, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmAltVinculo>()), manutencao_(contexto),
      pagina_(pagina) {
    ui_->setupUi(this);
    MontaPagina(*this, *ui_, QStringLiteral("fmAltVinculo"), pagina, kVinculo);
    ui_->esEstabelecimento->Textos(QString::fromStdString(contexto.anoBase),
                                   QStringLiteral("Selecione o estabelecimento (inscrição/prefixo) que você deseja "
                                                  "alterar o código de vínculo para todos os empregados."));
    if (pagina == kVinculo) {
        Tabela tipos(contexto.dm.dbZovi, "TB8VINC");
        tipos.Abre();
        for (tipos.Primeiro(); !tipos.Fim(); tipos.Proximo())
            ui_->llVinculo->addItem(Tela(tipos.Texto("CoVinculo")), Tela(tipos.Texto("NoVinculo")));
        connect(ui_->llVinculo, &QComboBox::activated, this, [this] {
            ui_->edDescricao->setText(ui_->llVinculo->currentData().toString());
            ui_->edDescricao->setToolTip(ui_->edDescricao->text());
            ConfereCodigo();
        });
    }
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmAltVinculo::Avancar);
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmAltVinculo::Volta);
    connect(ui_->btConcluir, &QPushButton::clicked, this, &TfmAltVinculo::Concluir);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmAltVinculo::Cancela);
}

TfmAltVinculo::~TfmAltVinculo() = default;

EscolhaEstabelecimento& TfmAltVinculo::Estabelecimentos() { return *ui_->esEstabelecimento; }

void TfmAltVinculo::showEvent(QShowEvent* e) {
    PaginaAssistente::showEvent(e);
    if (e->spontaneous()) return;
    auto& c = manutencao_;
    switch (pagina_) {
    case kEstabelecimento:
        MostraEstabelecimentos(c, *ui_->esEstabelecimento);
        break;
    case kVinculo:
        ui_->rsEstabelecimento->Mostra(c.escolhido.inscricaoFormatada, c.escolhido.prefixo,
                                       NomeDaInscricao(c.dm.dbZovi, c.escolhido.inscricao));
        ui_->llVinculo->setCurrentIndex(-1);
        ui_->edDescricao->clear();
        ui_->llVinculo->setFocus();
        break;
    default: ui_->btAvancar->setFocus();
    }
}

void TfmAltVinculo::Avancar() {
    if (pagina_ == kEstabelecimento &&
        !AceitaEstabelecimento(manutencao_, *ui_->esEstabelecimento, LeituraInscricao::Preenche))
        return;
    Avanca();
}

std::string TfmAltVinculo::Codigo() const {
    return ui_->llVinculo->currentIndex() < 0 ? std::string() : ui_->llVinculo->currentText().toStdString();
}

bool TfmAltVinculo::ConfereCodigo() {
    auto& c = manutencao_;
    const std::string tipo = TipoInscricaoEstabelecimento(c.dm.dbZovi, c.Chave(), c.codigoInscricao);
    const std::string codigo = CriticaCodigoVinculo(Codigo(), tipo);
    if (codigo == "1307") {
        c.mensagens.MostraMensagem(codigo);
        ui_->llVinculo->setFocus();
        return false;
    }
    return true;
}

void TfmAltVinculo::Concluir() {
    auto& c = manutencao_;
    // The code is checked again here: a code typed and never left reaches "Concluir" unchecked.
    if (Codigo().empty()) {
        c.mensagens.MostraMensagem("1306");
        ui_->llVinculo->setFocus();
        return;
    }
    if (!ConfereCodigo()) return;
    if (!fPassou(CriticaTemEmpregados(c.entrada, c.Chave()))) {
        c.mensagens.MostraMensagem("1304");
        return;
    }
    TrocaVinculo(c.entrada, c.Chave(), Codigo());
    c.mensagens.MostraMensagem("1305");
    FechaTudo();
}

}  // namespace zovi::gui
