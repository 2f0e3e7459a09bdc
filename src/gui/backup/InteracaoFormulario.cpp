#include "backup/InteracaoFormulario.h"

#include <QApplication>

#include <algorithm>

#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"

namespace zovi::gui {

namespace {

// Questions the backup runs ask with OK and Cancel in a box of their own kind
// (a volume to insert, a volume without room), not as Yes/No confirmations.
struct PerguntaOkCancela {
    const char* inicio;
    TipoDialogo tipo;
};

constexpr PerguntaOkCancela kPerguntasOkCancela[] = {
    {"Insira o volume n° ", TipoDialogo::Informacao},
    {"Please insert disk ", TipoDialogo::Informacao},
    {"A unidade nao oferece o espaço mínimo exigido para o Backup.", TipoDialogo::Aviso},
};

QMessageBox::Icon IconeDe(TipoDialogo tipo) {
    return tipo == TipoDialogo::Aviso ? QMessageBox::Warning : QMessageBox::Information;
}

}  // namespace

InteracaoFormulario::InteracaoFormulario(ServicoDialogos& dialogos, QWidget& formulario)
    : dialogos_(dialogos), formulario_(&formulario) {}

void InteracaoFormulario::MostraProgressoEm(QLabel& rotulo, QProgressBar& barra) {
    rotulo_ = &rotulo;
    barra_ = &barra;
}

Resposta InteracaoFormulario::Mostra(TipoDialogo tipo, const std::string& texto) {
    const QString utf8 = QString::fromStdString(Cp1252ParaUtf8(texto));
    if (tipo == TipoDialogo::Confirmacao) {
        for (const auto& p : kPerguntasOkCancela) {
            if (!utf8.startsWith(QString::fromUtf8(p.inicio))) continue;
            auto r = dialogos_.Caixa(ServicoDialogos::TituloTipo(p.tipo), utf8, IconeDe(p.tipo),
                                     {Resposta::Ok, Resposta::Cancela}, formulario_);
            return r == Resposta::Ok ? Resposta::Sim : Resposta::Nao;
        }
    }
    return dialogos_.Mensagem(tipo, utf8, formulario_);
}

Resposta InteracaoFormulario::Pergunta(TipoDialogo tipo, const std::string& texto) {
    return dialogos_.Pergunta(tipo, texto);
}

void InteracaoFormulario::Progresso(long posicao, long maximo) {
    if (rotulo_) rotulo_->show();
    if (barra_) {
        barra_->show();
        barra_->setRange(0, static_cast<int>(maximo));
        barra_->setValue(static_cast<int>(std::min(posicao, maximo)));
    }
    QApplication::processEvents();
}

bool InteracaoFormulario::InterrupcaoPedida() {
    const bool pedida = interrupcao_;
    interrupcao_ = false;
    return pedida;
}

}  // namespace zovi::gui
