// Pictures of the wizards' pages, for a look at their layout. Not a test:
//   captura_assistentes PASTA     (under xvfb-run, or QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <filesystem>

#include "Gerador.h"
#include "data/ModulosDados.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "wizards/AssistenteVerificacao.h"
#include "wizards/ListaMarcacao.h"
#include "wizards/TfmVerInco00.h"
#include "wizards/TfmVerInco01.h"
#include "wizards/TfmVerInco02.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

void Salva(QWidget& w, const QString& arquivo) {
    w.show();
    QApplication::processEvents();
    w.grab().save(arquivo);
    w.hide();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString saida = argc > 1 ? argv[1] : QStringLiteral(".");
    QTemporaryDir pasta;
    for (const auto& e : std::filesystem::directory_iterator(GDZOVI_DADOS_CONSTRUIDOS))
        std::filesystem::copy_file(e.path(), std::filesystem::path(pasta.path().toStdString()) / e.path().filename());
    TdmGDZovi dm(pasta.path().toStdString());
    bancada::ParametrosGeracao p;
    p.estabelecimentos = 40;
    bancada::GeraDeclaracao(dm.dbZovi, p);
    CatalogoMensagens catalogo(dm.dbZovi);
    auto& dialogos = ServicoDialogos::Programa();
    Mensagens mensagens(catalogo, dialogos);

    // The verification wizard: its list filled as the command fills it, a few lines ticked.
    AssistenteVerificacao verificacao(dm, mensagens, dialogos);
    dialogos.Roteiriza();
    verificacao.Executa();
    dialogos.Roteiriza(false);
    Salva(verificacao.Passo1(), saida + "/verificacao-1-inicio.png");
    auto& passo2 = verificacao.Passo2();
    auto& modelo = passo2.Empresas().Modelo();
    for (int l : {0, 2, 3}) modelo.Alterna(l);
    Salva(passo2, saida + "/verificacao-2-lista.png");
    passo2.findChild<QStackedWidget*>("stPaineis")->setCurrentIndex(1);
    passo2.findChild<QProgressBar*>("pbProgresso")->setValue(45);
    Salva(passo2, saida + "/verificacao-3-verificando.png");
    const char* nomes[] = {"erros", "avisos", "nenhum"};
    for (int d = 1; d <= 3; ++d) {
        verificacao.Passo3().MostraDesfecho(static_cast<Desfecho>(d));
        Salva(verificacao.Passo3(), saida + QStringLiteral("/verificacao-4-%1.png").arg(nomes[d - 1]));
    }
    return 0;
}
