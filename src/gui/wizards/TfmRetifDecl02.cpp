#include "wizards/TfmRetifDecl02.h"

#include "app/Figuras.h"
#include "messages/Mensagens.h"
#include "rules/Primitivas.h"
#include "ui_TfmRetifDecl02.h"
#include "wizards/ListaMarcacao.h"

namespace zovi::gui {

TfmRetifDecl02::TfmRetifDecl02(ContextoGravacao& contexto, SelecaoRetificacao& selecao, ServicoDialogos& dialogos,
                               QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmRetifDecl02>()), gravacao_(contexto),
      selecao_(selecao), vinculos_(contexto.dm.dbZovi) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    // A fresh choice: nothing ticked.
    for (auto& e : selecao_) {
        e.selecionado = false;
        e.escolhidos.clear();
    }
    ui_->clEmpresas->Modelo().Define(contexto.linhas);
    ui_->clEmpresas->PoeTextoTodas({});
    ui_->clEmpresas->HabilitaTodas(false);
    ui_->clEmpresas->findChild<QWidget*>(QStringLiteral("cbTodas"))->hide();
    ui_->clVinculos->UsaModelo(vinculos_);
    ui_->clVinculos->PoeTextoTodas(QStringLiteral("Seleciona / Desmarca todos os vínculos."));
    ui_->clVinculos->HabilitaTodas(false);
    connect(&ui_->clEmpresas->Modelo(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& de) { EmpresaAlterada(de.row()); });
    connect(ui_->edPesquisa, &QLineEdit::textChanged, this, [this](const QString& t) { vinculos_.Pesquisa(t); });
    connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmRetifDecl02::Volta);
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmRetifDecl02::Avancar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmRetifDecl02::FechaTudo);
    ui_->clEmpresas->FocaLista();
}

TfmRetifDecl02::~TfmRetifDecl02() = default;

ListaMarcacao& TfmRetifDecl02::Empresas() { return *ui_->clEmpresas; }
ListaMarcacao& TfmRetifDecl02::Vinculos() { return *ui_->clVinculos; }

bool TfmRetifDecl02::DesmarcaSemEscolha(int atual) {
    if (atual < 0 || atual >= static_cast<int>(selecao_.size())) return false;
    auto& e = selecao_[static_cast<size_t>(atual)];
    if (!e.selecionado || !e.comEmpregados || !e.escolhidos.empty()) return false;
    gravacao_.mensagens.MostraMensagem("1304");
    e.selecionado = false;
    desmarcando_ = true;
    ui_->clEmpresas->Modelo().Alterna(atual);
    desmarcando_ = false;
    if (atual == atual_) {
        vinculos_.Define(nullptr);
        ui_->clVinculos->HabilitaTodas(false);
        ui_->edPesquisa->setEnabled(false);
    }
    return true;
}

void TfmRetifDecl02::EmpresaAlterada(int linha) {
    if (desmarcando_ || linha < 0 || linha >= static_cast<int>(selecao_.size())) return;
    if (atual_ != linha) DesmarcaSemEscolha(atual_);
    atual_ = linha;
    auto& e = selecao_[static_cast<size_t>(linha)];
    e.selecionado = ui_->clEmpresas->Modelo().Marcas()[static_cast<size_t>(linha)];
    e.escolhidos.clear();
    ui_->edPesquisa->clear();
    vinculos_.Define(e.selecionado ? &e : nullptr);
    const bool lista = e.selecionado && vinculos_.Total() > 0;
    ui_->clVinculos->HabilitaTodas(lista);
    ui_->edPesquisa->setEnabled(lista);
}

void TfmRetifDecl02::Avancar() {
    size_t falta = 0;
    const std::string codigo = fCriticaSelecaoRetificacao(selecao_, &falta);
    if (codigo == "1304") {
        DesmarcaSemEscolha(static_cast<int>(falta));
        ui_->clEmpresas->FocaLista();
        return;
    }
    if (!fPassou(codigo)) {
        gravacao_.mensagens.MostraMensagem(codigo);
        ui_->clEmpresas->FocaLista();
        return;
    }
    Avanca();
}

}  // namespace zovi::gui
