// The import wizard offscreen: through the dialog service's script, and once with
// its pages and boxes really shown and answered as a user would (timers, the keyboard).
#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "PastaTeste.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "data/ModulosDados.h"
#include "engine/Tabela.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "wizards/AssistenteImportacao.h"
#include "wizards/ListaMarcacao.h"
#include "wizards/TfmImport02.h"

using namespace zovi;
using namespace zovi::gui;
namespace fs = std::filesystem;

namespace {

using Acao = ServicoDialogos::AcaoFormulario;

QPushButton* Botao(QWidget& w, const char* nome) { return w.findChild<QPushButton*>(nome); }

Acao Clica(const char* botao) {
    return [botao](QDialog& d) {
        Botao(d, botao)->click();
        return d.result();
    };
}

// Types the file's path on the file page and presses "&Avançar >".
Acao Arquivo(const fs::path& arquivo) {
    return [arquivo](QDialog& d) {
        d.findChild<QLineEdit*>("arquivo")->setText(QString::fromStdString(arquivo.string()));
        Botao(d, "btAvancar")->click();
        return d.result();
    };
}

// Runs one of the built programs; its exit code.
int Roda(const std::string& linha) { return std::system((teste::PastaProgramas().string() + "/" + linha).c_str()); }

// A click on a radio button's circle (its center may lie past its text, where a click does nothing).
void ClicaOpcao(QRadioButton* opcao) { QTest::mouseClick(opcao, Qt::LeftButton, {}, QPoint(8, opcao->height() / 2)); }

// Once the modal window of that name is up, acts on it.
void QuandoAparecer(const QString& nome, std::function<void(QWidget&)> acao) {
    auto* relogio = new QTimer;
    relogio->setInterval(20);
    QObject::connect(relogio, &QTimer::timeout, [relogio, nome, acao] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != nome || !w->isVisible()) return;
        relogio->stop();
        relogio->deleteLater();
        acao(*w);
    });
    relogio->start();
}

}  // namespace

class AssistenteImportacaoTeste : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<CatalogoMensagens> catalogo_;
    std::unique_ptr<Mensagens> mensagens_;
    ServicoDialogos dialogos_;
    fs::path arquivo_;

    long Estabelecimentos() {
        Tabela t(dm_->dbZovi, "BD8EMP");
        t.Abre();
        return t.NumRegistros();
    }

private slots:
    // A declaration of two establishments with three employees each, written by gdzovi-lote
    // from another data folder: the file a payroll system would hand over.
    void initTestCase() {
        static teste::PastaTeste origem;
        const auto pasta = origem.Caminho().string();
        QCOMPARE(Roda("gdzovi-gera '" + pasta + "' 2 3 > /dev/null"), 0);
        QCOMPARE(Roda("gdzovi-lote gravar '" + pasta + "' --pasta '" + pasta + "/saida' --data 15012006 --sim > /dev/null 2>&1"), 0);
        arquivo_ = origem.Caminho() / "saida" / "Zovi2005";
        QVERIFY(fs::exists(arquivo_));
    }
    void init() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        catalogo_ = std::make_unique<CatalogoMensagens>(dm_->dbZovi);
        mensagens_ = std::make_unique<Mensagens>(*catalogo_, dialogos_);
        dialogos_.Esquece();
        dialogos_.Roteiriza();
    }
    void cleanup() {
        mensagens_.reset();
        catalogo_.reset();
        dm_.reset();
    }

    // A missing file is refused on the file page; then the file, every establishment
    // ticked, imported; the import report shown; the work tables gone at the end.
    void ImportaOArquivoDoAnoAtual() {
        AssistenteImportacao assistente(*dm_, *mensagens_, dialogos_, 2005);
        QString titulo, status;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            titulo = d.windowTitle();
            Arquivo(pasta_->Caminho() / "nao-existe")(d);
            return Arquivo(arquivo_)(d);
        });
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            status = d.findChild<QLabel*>("laStatus")->text();
            d.findChild<QRadioButton*>("rbSelecionarTodos")->click();
            return Clica("btConcluir")(d);
        });
        dialogos_.AgeNoFormulario([](QDialog& d) {
            Botao(d, "btVisualizar")->click();
            return Clica("btFechar")(d);
        });
        assistente.Executa();
        QCOMPARE(titulo, QStringLiteral("Assistente para Importação de Estabelecimentos (Declaração Ano-Base Atual - Ano 2005)"));
        QCOMPARE(status, QStringLiteral("Informações referentes ao ano 2005"));
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].texto,
                 QStringLiteral("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo."));
        QCOMPARE(dialogos_.formularios,
                 (std::vector<QString>{"TfmImport00", "TfmImport02", "TfmImport03", "TfmPreview"}));
        QCOMPARE(Estabelecimentos(), 2L);
        for (const char* t : {"TE8EMP", "TE8VINC", "TE8IMP", "TE8STRU"}) QVERIFY2(!dm_->dbZovi.ExisteTabela(t), t);
    }

    // Nothing ticked: "1301" and the page stays; a file with a structural fault ends on the
    // failure page, nothing imported.
    void NadaMarcadoEArquivoComFalha() {
        AssistenteImportacao assistente(*dm_, *mensagens_, dialogos_, 2005);
        dialogos_.AgeNoFormulario(Arquivo(arquivo_));
        dialogos_.AgeNoFormulario([](QDialog& d) {
            Botao(d, "btConcluir")->click();
            return Clica("btCancelar")(d);
        });
        assistente.Executa();
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas[0].texto,
                 QString::fromStdString(Cp1252ParaUtf8(catalogo_->Busca("1301")->texto)));
        QCOMPARE(Estabelecimentos(), 0L);

        const auto falho = pasta_->Caminho() / "falho";
        fs::copy_file(arquivo_, falho);
        {
            std::fstream f(falho, std::ios::in | std::ios::out | std::ios::binary);
            f.seekp(525 * 2);
            f.write("000009", 6);
        }
        dialogos_.Esquece();
        AssistenteImportacao outro(*dm_, *mensagens_, dialogos_, 2005);
        dialogos_.AgeNoFormulario(Arquivo(falho));
        dialogos_.AgeNoFormulario(Clica("btFechar"));
        outro.Executa();
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmImport00", "TfmImport01"}));
        QCOMPARE(Estabelecimentos(), 0L);
    }

    // The pages and boxes really shown: the path typed, Enter on "&Avançar >", the
    // establishments ticked with the option, "C&oncluir", then "&Fechar".
    void ComDialogosDeVerdade() {
        dialogos_.Roteiriza(false);
        AssistenteImportacao assistente(*dm_, *mensagens_, dialogos_, 2005);
        QString foco;
        // Whatever goes wrong, the wizard does not stay open: its pages are closed after a while.
        QTimer guarda;
        guarda.setInterval(30000);
        QObject::connect(&guarda, &QTimer::timeout, [] {
            if (auto* w = QApplication::activeModalWidget()) w->close();
        });
        guarda.start();
        QuandoAparecer("TfmImport00", [&](QWidget& p) {
            // The keyboard reaches a window once it is active.
            QTest::qWaitForWindowActive(&p);
            auto* arquivo = p.findChild<QLineEdit*>("arquivo");
            arquivo->setFocus();
            QTest::keyClicks(arquivo, QString::fromStdString(arquivo_.string()));
            foco = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            QTest::keyClick(&p, Qt::Key_A, Qt::AltModifier);
            QuandoAparecer("TfmImport02", [&](QWidget& s) {
                QTest::qWaitForWindowActive(&s);
                ClicaOpcao(s.findChild<QRadioButton*>("rbSelecionarTodos"));
                QTest::keyClick(&s, Qt::Key_O, Qt::AltModifier);
                QuandoAparecer("TfmImport03", [](QWidget& f) {
                    QTest::qWaitForWindowActive(&f);
                    QTest::keyClick(&f, Qt::Key_F, Qt::AltModifier);
                });
            });
        });
        assistente.Executa();
        QCOMPARE(foco, QStringLiteral("arquivo"));
        QCOMPARE(Estabelecimentos(), 2L);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // A line whose prefix is one character cannot stay ticked, by a click or by "Selecionar
    // Todos", which ticks the lines above it and stops there with the line selected.
    void PrefixoDeUmCaracterNaoFicaMarcado() {
        dm_->dbZovi.CriaTabelaComo("BD8EMP", "TE8EMP", true);
        {
            Tabela t(dm_->dbZovi, "TE8EMP");
            t.Abre();
            for (auto [inscricao, prefixo] : {std::pair{"11222333000181", "00"}, {"11222333000262", "1 "},
                                               {"44555666000181", "01"}}) {
                t.Acrescenta();
                t.PoeTexto("AnBase", "2005");
                t.PoeTexto("CoCgcCeiEstabelecimento", inscricao);
                t.PoeTexto("NuPrefixoEstabelecimento", prefixo);
                t.PoeTexto("InInscrEstabelecimento", "1");
                t.PoeTexto("NoRazaoEstabelecimento", "EMPRESA");
                t.Grava();
            }
        }
        AssistenteImportacao assistente(*dm_, *mensagens_, dialogos_, 2005);
        auto& pagina = assistente.Selecao();
        pagina.MostraEstabelecimentos();
        pagina.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pagina));
        auto& modelo = pagina.Empresas().Modelo();
        auto* vista = pagina.Empresas().findChild<QAbstractItemView*>("lvLinhas");
        auto* todos = pagina.findChild<QRadioButton*>("rbSelecionarTodos");
        todos->setChecked(true);
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(modelo.index(1)).center());
        QCOMPARE(modelo.Marcas(), (std::vector<bool>{false, false, false}));
        QVERIFY(!todos->isChecked());
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(modelo.index(2)).center());
        QCOMPARE(modelo.Marcas(), (std::vector<bool>{false, false, true}));

        ClicaOpcao(todos);
        QCOMPARE(modelo.Marcas(), (std::vector<bool>{true, false, true}));
        QCOMPARE(vista->currentIndex().row(), 1);
        QCOMPARE(dialogos_.caixas.size(), size_t(2));
        QCOMPARE(dialogos_.caixas[0].texto, QStringLiteral("Este estabelecimento não poderá ser importado. Verifique Prefixo."));
        QCOMPARE(dialogos_.caixas[1].texto, QStringLiteral("Prefixo Inválido. Estabelecimento não poderá ser importado."));
        ClicaOpcao(pagina.findChild<QRadioButton*>("rbLimparTodos"));
        QVERIFY(!modelo.AlgumaMarcada());
        pagina.hide();
    }

    // The main window's commands open the wizard for each year.
    void AbertoPelaJanelaPrincipal() {
        JanelaAjuda ajuda(QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
        TfmGDZOVI janela(*dm_, dialogos_, ajuda);
        QString titulo;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            titulo = d.windowTitle();
            return Clica("btCancelar")(d);
        });
        janela.ExecutaComando("miAnoAnterior");
        QCOMPARE(titulo,
                 QStringLiteral("Assistente para Importação de Estabelecimentos (Declaração Ano-Base Anterior - Ano 2004)"));
        dialogos_.AgeNoFormulario(Clica("btCancelar"));
        janela.ExecutaComando("miAnoAtual");
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmImport00", "TfmImport00"}));
    }
};

QTEST_MAIN(AssistenteImportacaoTeste)

#include "AssistenteImportacaoTeste.moc"
