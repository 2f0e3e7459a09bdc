#include "backup/InteracaoFormulario.h"

#include <QApplication>

#include <algorithm>

#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"

namespace zovi::gui {

namespace {

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
    return dialogos_.Mensagem(tipo, QString::fromStdString(Cp1252ParaUtf8(texto)), formulario_);
}

// A volume to insert, a volume without room: OK and Cancel in a box of the prompt's kind.
Resposta InteracaoFormulario::MostraOkCancela(TipoDialogo tipo, const std::string& texto) {
    return dialogos_.Caixa(ServicoDialogos::TituloTipo(tipo), QString::fromStdString(Cp1252ParaUtf8(texto)),
                           IconeDe(tipo), {Resposta::Ok, Resposta::Cancela}, formulario_);
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
    ultimosEventos_.start();
}

bool InteracaoFormulario::InterrupcaoPedida() {
    // A run polls between records: let the Cancel click in now and then, not at every poll.
    if (!ultimosEventos_.isValid() || ultimosEventos_.hasExpired(50)) {
        QApplication::processEvents();
        ultimosEventos_.start();
    }
    const bool pedida = interrupcao_;
    interrupcao_ = false;
    return pedida;
}

}  // namespace zovi::gui
