#include "app/ProgramaGDZovi.h"

#include <QApplication>
#include <QScreen>
#include <QSplashScreen>

#include "app/Figuras.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "backup/TForm1.h"
#include "data/VerificaArquivos.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"

namespace zovi::gui {

ProgramaGDZovi::ProgramaGDZovi(ServicoDialogos& dialogos, std::filesystem::path pastaDados,
                               const QString& pastaTrava, const QString& pastaAjuda)
    : dialogos_(dialogos),
      pastaDados_(std::move(pastaDados)),
      pastaAjuda_(pastaAjuda.isEmpty() ? JanelaAjuda::PastaDoPrograma() : pastaAjuda),
      instancia_(pastaTrava) {}

ProgramaGDZovi::~ProgramaGDZovi() = default;

bool ProgramaGDZovi::Inicia() {
    if (!instancia_.Obtem()) {
        dialogos_.Caixa(QStringLiteral("Aviso"), QStringLiteral("Este programa já está sendo executado."),
                        QMessageBox::Critical, {Resposta::Ok});
        return false;
    }
    QSplashScreen fmSplash(FiguraAbertura());
    fmSplash.show();
    fmSplash.repaint();
    QApplication::processEvents();

    QApplication::setApplicationName(ServicoDialogos::TituloPrograma());
    try {
        travaDados_.emplace(pastaDados_, ModoTrava::Compartilhada);
    } catch (const ErroMotor& e) {
        if (e.Codigo() != codigo_motor::TabelaOcupada) throw;
        fmSplash.close();
        dialogos_.Mensagem(TipoDialogo::Aviso, QStringLiteral("Nenhum usuário pode estar usando o sistema: \"%1\"")
                                                   .arg(QString::fromStdString(Cp1252ParaUtf8(e.what()))));
        return false;
    }
    if (!VerificaArquivosDados(pastaDados_, dialogos_)) {
        fmSplash.close();
        dialogos_.Mensagem(TipoDialogo::Aviso,
                           QStringLiteral("Faltam arquivos para execução do sistema. Instale novamente o GDZOVI."));
        return false;
    }
    dmGDZovi_ = std::make_unique<TdmGDZovi>(pastaDados_);
    ajuda_ = std::make_unique<JanelaAjuda>(pastaAjuda_);
    fmGDZOVI_ = std::make_unique<TfmGDZOVI>(*dmGDZovi_, dialogos_, *ajuda_);
    Form1_ = std::make_unique<TForm1>(dialogos_);
    fmSplash.close();
    // The full screen also where no window manager honours the maximised state.
    if (auto* tela = QGuiApplication::primaryScreen()) fmGDZOVI_->setGeometry(tela->availableGeometry());
    fmGDZOVI_->showMaximized();
    return true;
}

}  // namespace zovi::gui
