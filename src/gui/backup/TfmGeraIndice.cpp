#include "backup/TfmGeraIndice.h"

#include "backup/IndexaArquivos.h"
#include "messages/ServicoDialogos.h"
#include "ui_TfmGeraIndice.h"

namespace zovi::gui {

// The form's interaction, except that the bar and its label go away before the
// closing message of a rebuild that went through.
class TfmGeraIndice::InteracaoIndexacao : public Interacao {
public:
    InteracaoIndexacao(Interacao& formulario, Ui::TfmGeraIndice& ui) : formulario_(formulario), ui_(ui) {}

    Resposta Mostra(TipoDialogo tipo, const std::string& texto) override {
        if (texto == "Arquivos indexados com sucesso.") {
            ui_.pbProgresso->hide();
            ui_.laProgresso->hide();
        }
        return formulario_.Mostra(tipo, texto);
    }
    Resposta Pergunta(TipoDialogo tipo, const std::string& texto) override { return formulario_.Pergunta(tipo, texto); }
    void Progresso(long posicao, long maximo) override { formulario_.Progresso(posicao, maximo); }
    bool InterrupcaoPedida() override { return formulario_.InterrupcaoPedida(); }

private:
    Interacao& formulario_;
    Ui::TfmGeraIndice& ui_;
};

TfmGeraIndice::TfmGeraIndice(TdmGDZovi& dm, ServicoDialogos& dialogos, QWidget* pai)
    : FormularioExecucao(dialogos, pai), ui_(std::make_unique<Ui::TfmGeraIndice>()), dm_(dm) {
    ui_->setupUi(this);
    interacao_.MostraProgressoEm(*ui_->laProgresso, *ui_->pbProgresso);
    // The rebuild needs every table to itself: once started it is not interrupted.
    CancelaDuranteExecucao(false);
    connect(ui_->btIniciar, &QPushButton::clicked, this, &TfmGeraIndice::Iniciar);
    connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmGeraIndice::reject);
}

TfmGeraIndice::~TfmGeraIndice() = default;

void TfmGeraIndice::Iniciar() {
    ui_->btCancelar->setEnabled(false);
    ui_->btIniciar->setEnabled(false);
    InteracaoIndexacao interacao(interacao_, *ui_);
    RodaEFecha([&] { return fIndexaArquivos(dm_, interacao); });
}

}  // namespace zovi::gui
