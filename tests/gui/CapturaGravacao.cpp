// Pictures of the generation wizard's pages, and of every message box it showed on
// the way, for a look at their layout. Not a test:
//   captura_gravacao PASTA     (under xvfb-run, or QT_QPA_PLATFORM=offscreen)
// The wizard runs for real on a small generated declaration written to two emulated
// diskettes; the labels go to PASTA/gravacao-etiquetas.pdf.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <filesystem>

#include "Gerador.h"
#include "data/ModulosDados.h"
#include "entry/TfmDadosResp.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"
#include "rules/CriticaZovi.h"
#include "wizards/AssistenteGravacao.h"
#include "wizards/EscolhaUnidade.h"
#include "wizards/ListaMarcacao.h"
#include "wizards/TfmGravaDecl03.h"

using namespace zovi;
using namespace zovi::gui;
namespace fs = std::filesystem;

namespace {

QString saida;

void Salva(QWidget& w, const char* nome) {
    w.show();
    QApplication::processEvents();
    w.grab().save(saida + QStringLiteral("/gravacao-%1.png").arg(QLatin1String(nome)));
}

void Clica(QDialog& d, const char* botao) { d.findChild<QPushButton*>(botao)->click(); }

// A run's panel with its bar part way, as it looks while the run goes.
void SalvaCorrendo(QDialog& d, const char* painel, const char* nome) {
    auto* paineis = d.findChild<QStackedWidget*>("stPaineis");
    QWidget* antes = paineis->currentWidget();
    paineis->setCurrentWidget(d.findChild<QWidget*>(painel));
    d.findChild<QWidget*>(painel)->findChild<QProgressBar*>()->setValue(45);
    Salva(d, nome);
    paineis->setCurrentWidget(antes);
}

// Diskette n, of room for the header and about ten records, in drive A:.
void Insere(const fs::path& midias, int n) {
    const fs::path disquete = midias / ("disquete" + std::to_string(n));
    fs::create_directories(disquete);
    qputenv("GDZOVI_UNIDADE_A", QByteArray::fromStdString(disquete.string() + ":" + std::to_string(3525 + 10 * 525)));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    saida = argc > 1 ? argv[1] : QStringLiteral(".");
    QTemporaryDir pasta, midias;
    for (const auto& e : fs::directory_iterator(GDZOVI_DADOS_CONSTRUIDOS))
        fs::copy_file(e.path(), fs::path(pasta.path().toStdString()) / e.path().filename());
    TdmGDZovi dm(pasta.path().toStdString());
    bancada::ParametrosGeracao p;
    p.estabelecimentos = 3;
    p.empregadosPorEstabelecimento = 4;
    bancada::GeraDeclaracao(dm.dbZovi, p);
    CatalogoMensagens catalogo(dm.dbZovi);
    auto& dialogos = ServicoDialogos::Programa();
    Mensagens mensagens(catalogo, dialogos);
    Referencias referencias(dm.dbZovi);
    TCriticaZovi critica(referencias);
    Seletores seletores(dm, dialogos);
    const fs::path dirMidias = midias.path().toStdString();
    Insere(dirMidias, 1);

    AssistenteGravacao assistente(dm, mensagens, critica, seletores, dialogos);
    dialogos.Roteiriza();
    dialogos.AgeNoFormulario([](QDialog& d) {
        Salva(d, "1-inicio");
        Clica(d, "btAvancar");
        return d.result();
    });
    dialogos.AgeNoFormulario([](QDialog& d) {
        auto& modelo = d.findChild<ListaMarcacao*>("clEmpresas")->Modelo();
        modelo.MarcaTodas(true);
        modelo.Alterna(1);
        Salva(d, "2-estabelecimentos");
        modelo.Alterna(1);
        Clica(d, "btAvancar");
        return d.result();
    });
    dialogos.AgeNoFormulario([](QDialog& d) {
        auto& responsavel = *d.findChild<TfmDadosResp*>();
        Salva(d, "3-responsavel");
        const QString nome = responsavel.Edicao("edNome")->text();
        responsavel.Edicao("edNome")->setText(QStringLiteral("MATRIZ"));
        Clica(d, "btAvancar");  // refused: the message box is among the pictures below
        Salva(d, "3-responsavel-recusado");
        responsavel.Edicao("edNome")->setText(nome);
        SalvaCorrendo(d, "paVerificando", "4-verificando");
        Clica(d, "btAvancar");
        return d.result();
    });
    dialogos.AgeNoFormulario([&](QDialog& d) {
        auto& pagina = static_cast<TfmGravaDecl03&>(d);
        const auto resultado = assistente.Contexto().resultado;
        const std::pair<ResultadoVerificacao, const char*> desfechos[] = {
            {{.vrErro = true}, "5-erros"}, {{.vrAviso = true}, "5-avisos"}, {{}, "5-sem-problemas"}};
        for (const auto& [r, nome] : desfechos) {
            assistente.Contexto().resultado = r;
            pagina.MostraResultado();
            Salva(d, nome);
        }
        assistente.Contexto().resultado = resultado;
        pagina.MostraResultado();
        auto* drive = d.findChild<EscolhaUnidade*>("cbDrive");
        auto* data = d.findChild<QLineEdit*>("edData");
        drive->Seleciona(0);
        data->setText(QStringLiteral("15/03/2006"));
        drive->showPopup();
        QApplication::processEvents();
        drive->view()->window()->grab().save(saida + QStringLiteral("/gravacao-6-drives.png"));
        drive->hidePopup();
        data->setText(QStringLiteral("31/12/2005"));
        Clica(d, "btAvancar");  // refused date
        data->setText(QStringLiteral("15/03/2006"));
        // Each further diskette is put in as the box asks for it; the page is taken
        // while the writer waits for the second, as the user sees it then.
        for (int n = 2; n <= 3; ++n)
            dialogos.RespondeCom([&, n](const CaixaMostrada&) {
                if (n == 2) Salva(d, "7-gravando");
                Insere(dirMidias, n);
                return Resposta::Ok;
            });
        Clica(d, "btAvancar");
        return d.result();
    });
    dialogos.AgeNoFormulario([](QDialog& d) {
        Salva(d, "8-fim");
        Clica(d, "btEtiqueta");
        Clica(d, "btFechar");
        return d.result();
    });
    dialogos.EscolheArquivo(saida + QStringLiteral("/gravacao-etiquetas.pdf"));
    assistente.Executa();

    int n = 0;
    for (const auto& caixa : dialogos.caixas) {
        auto box = ServicoDialogos::CriaCaixa(caixa);
        box->show();
        QApplication::processEvents();
        box->grab().save(saida + QStringLiteral("/gravacao-caixa-%1.png").arg(++n, 2, 10, QLatin1Char('0')));
    }
    return 0;
}
