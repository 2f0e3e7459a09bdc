#include "wizards/TfmGravaDecl00.h"

#include "app/Figuras.h"
#include "messages/Mensagens.h"
#include "ui_TfmGravaDecl00.h"

namespace zovi::gui {

TfmGravaDecl00::TfmGravaDecl00(ContextoGravacao& contexto, ServicoDialogos& dialogos, QWidget* pai)
    : PaginaAssistente(contexto, dialogos, pai), ui_(std::make_unique<Ui::TfmGravaDecl00>()), gravacao_(contexto) {
    ui_->setupUi(this);
    ui_->laFigura->setPixmap(FiguraZovi(QSize(150, 85)));
    ui_->laAnoBase->setText(ui_->laAnoBase->text() + QString::fromStdString(contexto.anoBase));
    connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmGravaDecl00::Avancar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmGravaDecl00::FechaTudo);
    ui_->btAvancar->setFocus();
}

TfmGravaDecl00::~TfmGravaDecl00() = default;

void TfmGravaDecl00::Avancar() {
    gravacao_.estabelecimentos.clear();
    gravacao_.linhas.clear();
    auto& q = gravacao_.dm.quBd8Emp;
    q.Fecha();
    q.DefineSql({"SELECT *", "FROM BD8Emp", "WHERE Anbase = :AnBase",
                 "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
    q.Parametro("AnBase", gravacao_.anoBase);
    for (q.Abre(); !q.Fim(); q.Proximo()) {
        gravacao_.estabelecimentos.push_back(
            {q.Texto("AnBase"), q.Texto("CoCgcCeiEstabelecimento"), q.Texto("NuPrefixoEstabelecimento"), false});
        gravacao_.linhas.push_back(LinhaEmpresaGravacao(q.Texto("CoCgcCeiEstabelecimento"),
                                                        q.Texto("InInscrEstabelecimento"),
                                                        q.Texto("NuPrefixoEstabelecimento"),
                                                        q.Texto("NoRazaoEstabelecimento"),
                                                        q.Texto("NuVinculosEstabelecimento")));
    }
    q.Fecha();
    if (gravacao_.estabelecimentos.empty()) {
        gravacao_.mensagens.MostraMensagem("1700");
        ui_->btCancelar->setFocus();
        return;
    }
    Avanca();
}

}  // namespace zovi::gui
