// Pictures of the bulk maintenance wizards' pages as they stand on the screen, with the
// window manager's frame. Not a test:
//   Xvfb :N & DISPLAY=:N openbox & DISPLAY=:N captura_manutencao PASTA
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include "Gerador.h"
#include "data/ListasSelecao.h"
#include "data/ModulosDados.h"
#include "entry/TfmExcluir.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "wizards/ListaMarcacao.h"
#include "wizards/TfmAltVinculo.h"
#include "wizards/TfmCopEstab.h"
#include "wizards/TfmExclMult.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

QString saida;

// The page shown where a wizard page stands, then the screen around it.
void Fotografa(QDialog& pagina, const QString& nome) {
    pagina.move(95, 127);
    pagina.show();
    pagina.activateWindow();
    QTest::qWait(400);
    const QRect r = pagina.frameGeometry().adjusted(-4, -4, 4, 4);
    QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).save(saida + "/" + nome + ".png");
    pagina.hide();
}

// The first establishment line holding the text chosen in the page's drop-down list.
void Escolhe(QDialog& pagina, const char* texto) {
    auto* cb = pagina.findChild<QComboBox*>("cbEstabelecimentos");
    cb->setCurrentIndex(cb->findText(texto, Qt::MatchContains));
}

template <class P>
void Paginas(ContextoManutencao& c, ServicoDialogos& d, int n, const QString& prefixo,
             const std::function<void(P&, int)>& prepara) {
    for (int i = 0; i < n; ++i) {
        P pagina(c, d, i);
        pagina.setWindowTitle(pagina.windowTitle());
        pagina.show();
        prepara(pagina, i);
        Fotografa(pagina, QStringLiteral("%1-%2").arg(prefixo).arg(i));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    saida = argc > 1 ? argv[1] : QStringLiteral(".");
    QTemporaryDir pasta;
    for (const auto& e : std::filesystem::directory_iterator(GDZOVI_DADOS_CONSTRUIDOS))
        std::filesystem::copy_file(e.path(), std::filesystem::path(pasta.path().toStdString()) / e.path().filename());
    TdmGDZovi dm(pasta.path().toStdString());
    bancada::ParametrosGeracao p;
    p.estabelecimentos = 12;
    p.empregadosPorEstabelecimento = 40;
    bancada::GeraDeclaracao(dm.dbZovi, p);
    CatalogoMensagens catalogo(dm.dbZovi);
    auto& dialogos = ServicoDialogos::Programa();
    Mensagens mensagens(catalogo, dialogos);

    // Each wizard's state as the user would have brought it to that page.
    ContextoManutencao c(dm, mensagens);
    const auto linhas = ListaEstabelecimentos(dm.quBd8Emp, "2005", 'N');
    c.escolhido = LeLinhaEstabelecimento(linhas.at(0), LeituraInscricao::Preenche);
    c.codigoInscricao = CriticaInscricaoEscolhida(c.escolhido, LeituraInscricao::Preenche);
    c.listaPendente = true;

    c.titulo = QStringLiteral("Assistente para Exclusão de Múltiplos Empregados/Servidores");
    Paginas<TfmExclMult>(c, dialogos, 5, "exclusao-multipla", [&](TfmExclMult& pg, int i) {
        if (i == 1) Escolhe(pg, "");
        if (i == 3) {
            for (int l : {1, 2, 5}) pg.Empregados().Modelo().Alterna(l);
            c.marcados = ItensMarcados(pg.Empregados().Modelo().Linhas(), pg.Empregados().Modelo().Marcas());
        }
    });
    c.titulo = QStringLiteral("Assistente para Alterar Código de Vínculo de todos Empregados/Servidores");
    Paginas<TfmAltVinculo>(c, dialogos, 3, "troca-vinculo", [&](TfmAltVinculo& pg, int i) {
        if (i == 1) Escolhe(pg, "");
        if (i == 2) {
            auto* cb = pg.findChild<QComboBox*>("llVinculo");
            cb->setCurrentIndex(cb->findText("10"));
            pg.findChild<QLineEdit*>("edDescricao")->setText(cb->currentData().toString());
        }
    });
    c.titulo = QStringLiteral("Assistente - Transferir empregados para outra inscrição");
    Paginas<TfmCopEstab>(c, dialogos, 4, "transferencia", [&](TfmCopEstab& pg, int i) {
        if (i == 1) Escolhe(pg, "");
        if (i == 2) for (int l : {0, 3, 4}) pg.Empregados().Modelo().Alterna(l);
        if (i == 3) {
            // Typed and left: the box takes the mask of its kind and the type shows.
            QTest::qWait(300);
            pg.findChild<QLineEdit*>("edInscricao")->setText("11222333000181");
            pg.findChild<QLineEdit*>("edPrefixo")->setFocus();
            QTest::qWait(100);
            pg.findChild<QLineEdit*>("edPrefixo")->setText("07");
        }
    });
    TfmCopEstabRegras regras;
    Fotografa(regras, "transferencia-regras");
    TfmExcluir excluir(dm.dbZovi, dialogos, "2005", c.escolhido.inscricao, c.escolhido.prefixo);
    Fotografa(excluir, "exclusao-estabelecimento");
    return 0;
}
