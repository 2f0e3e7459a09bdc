// The desktop program. Until the main window exists this opens an empty
// window with the program's caption after the data-folder check.
#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

#include "data/VerificaArquivos.h"
#include "platform/Texto1252.h"

namespace {

// Warnings of the start-up check, shown as dialogs.
class InteracaoJanela : public zovi::Interacao {
public:
    zovi::Resposta Mostra(zovi::TipoDialogo, const std::string& texto) override {
        QMessageBox::warning(nullptr, QStringLiteral("Atenção"), QString::fromStdString(zovi::Cp1252ParaUtf8(texto)));
        return zovi::Resposta::Ok;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Gerador de Declaração ZOVI - GDZOVI2005"));
    InteracaoJanela interacao;
    auto pasta = zovi::PastaDadosDoPrograma(QCoreApplication::applicationDirPath().toStdString());
    if (!zovi::VerificaArquivosDados(pasta, interacao)) {
        QMessageBox::warning(nullptr, QStringLiteral("Atenção"),
                             QStringLiteral("Faltam arquivos para execução do sistema. Instale novamente o GDZOVI."));
        return 0;
    }
    QMainWindow janela;
    janela.setWindowTitle(QStringLiteral("GDZovi2005 - Gerador de Declaração Zovi [Versão: 2005.2]"));
    janela.showMaximized();
    return app.exec();
}
