// Pictures of the consultation's windows and of the print assistant, as a user
// sees them (run under Xvfb with a window manager). Not a test:
//   captura_consulta PASTA
// Each window opens for real; a timer takes the screen and presses the button
// that leads to the next one.
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <vector>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "consulta/JanelasConsulta.h"
#include "data/ModulosDados.h"
#include "declfile/GravaDeclaracao.h"
#include "messages/ServicoDialogos.h"
#include "wizards/AssistenteImpressao.h"
#include "wizards/ListaMarcacao.h"

using namespace zovi;
using namespace zovi::gui;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString saida = argc > 1 ? argv[1] : QStringLiteral(".");
    QTemporaryDir pasta;
    for (const auto& e : std::filesystem::directory_iterator(GDZOVI_DADOS_CONSTRUIDOS))
        std::filesystem::copy_file(e.path(), std::filesystem::path(pasta.path().toStdString()) / e.path().filename());
    TdmGDZovi dm(pasta.path().toStdString());
    bancada::ParametrosGeracao g;
    g.estabelecimentos = 4;
    g.empregadosPorEstabelecimento = 30;
    bancada::GeraDeclaracao(dm.dbZovi, g);
    teste::InteracaoRoteirizada interacao;
    ParametrosGravacao p;
    p.pasta = std::filesystem::path(pasta.path().toStdString()) / "saida";
    p.dataGeracao = "15022006";
    if (fGravaDeclaracao(dm.dbZovi, p, interacao) != kGravado) return 1;
    auto& dialogos = ServicoDialogos::Programa();

    // Each step: the picture's name, then what the user does on the window at the top.
    const std::vector<std::pair<QString, std::function<void(QWidget&)>>> passos = {
        {"consulta-0-arquivo", [](QWidget& w) { w.findChild<QPushButton*>("btCancelar")->setFocus(); }},
        {"consulta-1-responsavel", [](QWidget& w) { w.findChild<QPushButton*>("btConteudo")->click(); }},
        {"consulta-2-estabelecimentos", [](QWidget& w) { w.findChild<QPushButton*>("btConsultar")->click(); }},
        {"consulta-3-estabelecimento", [](QWidget& w) { w.findChild<QPushButton*>("btEmpregados")->click(); }},
        {"consulta-4-empregados", [](QWidget& w) { w.findChild<QPushButton*>("btConsultar")->click(); }},
        {"consulta-5-empregado", [](QWidget& w) { w.findChild<QPushButton*>("btFechar")->click(); }},
    };
    size_t passo = 0;
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        QWidget* topo = QApplication::activeModalWidget();
        if (!topo || passo >= passos.size()) return;
        QGuiApplication::primaryScreen()->grabWindow(0).save(saida + "/" + passos[passo].first + ".png");
        // Outside the timer's own call: the next window runs its own loop.
        QTimer::singleShot(0, topo, [&, topo, n = passo++] { passos[n].second(*topo); });
    });
    relogio.start(700);
    TfmConsultaDisquete fm(dm.dbZovi, dialogos, {});
    QTimer::singleShot(900, [&] { fm.Carrega(QString::fromStdString((*p.pasta / "Zovi2005").string())); });
    dialogos.Executa(fm);

    // The print assistant over the declaration tables, to the selection page with two ticks.
    const std::vector<std::pair<QString, std::function<void(QWidget&)>>> impressao = {
        {"impressao-0-tipo", [](QWidget& w) { w.findChild<QPushButton*>("btAvancar")->click(); }},
        {"impressao-1-forma", [](QWidget& w) { w.findChild<QPushButton*>("btAvancar")->click(); }},
        {"impressao-2-ordem",
         [](QWidget& w) {
             w.findChild<QRadioButton*>("rbNome")->setChecked(true);
             w.findChild<QPushButton*>("btAvancar")->click();
         }},
        {"", [](QWidget& w) {
             auto& empresas = w.findChild<ListaMarcacao*>("clbEmpresas")->Modelo();
             empresas.Alterna(1);
             w.findChild<QRadioButton*>("rbParcial")->click();
             w.findChild<ListaMarcacao*>("clbEmpregados")->Modelo().Alterna(0);
         }},
        {"impressao-3-selecao", [](QWidget& w) { w.findChild<QPushButton*>("btImprimir")->click(); }},
        {"impressao-4-opcoes", [](QWidget& w) { w.findChild<QPushButton*>("btCancelar")->click(); }},
        {"", [](QWidget& w) { w.findChild<QPushButton*>("btCancelar")->click(); }},
    };
    passo = 0;
    QObject::disconnect(&relogio, nullptr, nullptr, nullptr);
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        QWidget* topo = QApplication::activeModalWidget();
        if (!topo || passo >= impressao.size()) return;
        if (!impressao[passo].first.isEmpty())
            QGuiApplication::primaryScreen()->grabWindow(0).save(saida + "/" + impressao[passo].first + ".png");
        QTimer::singleShot(0, topo, [&, topo, n = passo++] { impressao[n].second(*topo); });
    });
    ContextoImpressao contexto(dm.dbZovi, QStringLiteral("2005.2"));
    ExecutaAssistenteImpressao(contexto, dialogos, nullptr);
    return 0;
}
