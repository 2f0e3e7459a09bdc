#include "app/AplicacaoGDZovi.h"

#include <QLibraryInfo>
#include <QLocale>

#include "messages/ErrosGerais.h"
#include "messages/ServicoDialogos.h"

namespace zovi::gui {

namespace {

bool FocoEmListaDeConsulta() {
    auto* foco = QApplication::focusWidget();
    return foco && foco->property(kListaConsultaTabela).toBool();
}

}  // namespace

AplicacaoGDZovi::AplicacaoGDZovi(int& argc, char** argv, ServicoDialogos& dialogos)
    : QApplication(argc, argv), dialogos_(dialogos) {
    // Qt's own dialogs (files, printing) speak Portuguese like the rest of the program.
    if (tradutorQt_.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&tradutorQt_);
}

bool AplicacaoGDZovi::notify(QObject* destino, QEvent* evento) {
    try {
        return QApplication::notify(destino, evento);
    } catch (...) {
        GDZOVIExcecaoGeral(std::current_exception());
    }
    return false;
}

void AplicacaoGDZovi::GDZOVIExcecaoGeral(std::exception_ptr erro) {
    // One message is enough: what fails while the windows close is not reported again.
    if (encerrando_) return;
    encerrando_ = true;
    bool mostra = true;
    try {
        std::rethrow_exception(erro);
    } catch (const ErroMotor& e) {
        mostra = !ErroMotorSemMensagem(e, FocoEmListaDeConsulta());
    } catch (...) {
    }
    if (mostra) {
        const auto mensagem = MensagemErro(erro);
        if (mensagem.bipe) beep();
        dialogos_.Mostra(TipoDialogo::Erro, mensagem.texto);
    }
    // Every event loop ends, the modal ones included; the windows then close as usual.
    exit(kSaidaErro);
    closeAllWindows();
}

}  // namespace zovi::gui
