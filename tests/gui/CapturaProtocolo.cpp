// Pictures of "Assistente para Imprimir Protocolo" (not a test): run under a display with the
// declaration in drive A: (GDZOVI_UNIDADE_A) and its receipt beside it:
//   captura_protocolo DADOS SAIDA
// writes SAIDA/protocolo-localiza.png and SAIDA/protocolo-fim.png (done or refusal panel).
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "data/ModulosDados.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "wizards/EscolhaUnidade.h"
#include "wizards/TfmRelatorio04.h"

using namespace zovi;
using namespace zovi::gui;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    const QString saida = QString::fromLocal8Bit(argv[2]);
    TdmGDZovi dm(argv[1]);
    CatalogoMensagens catalogo(dm.dbZovi);
    ServicoDialogos dialogos;
    Mensagens mensagens(catalogo, dialogos);
    TfmRelatorio04 fm(dm, mensagens, dialogos);
    QTimer::singleShot(500, [&] {
        auto* drive = fm.findChild<EscolhaUnidade*>("cbDrive");
        drive->Seleciona(drive->findText(QStringLiteral("Drive A:")));
        fm.grab().save(saida + QStringLiteral("/protocolo-localiza.png"));
        fm.findChild<QPushButton*>("btAvancar")->click();
        QTimer::singleShot(300, [&] {
            fm.grab().save(saida + QStringLiteral("/protocolo-fim.png"));
            fm.findChild<QPushButton*>("btFechar")->click();
        });
    });
    dialogos.Executa(fm);
    return 0;
}
