// The analyzer wizard's file page offscreen: through the dialog service's script for a
// clean file, a file with a structural fault and a file whose data break the rules, and
// once with the page really shown and answered from the keyboard.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

#include "PastaTeste.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "data/ModulosDados.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "platform/Texto1252.h"
#include "wizards/AssistenteAnalise.h"
#include "wizards/EscolhaUnidade.h"

using namespace zovi;
using namespace zovi::gui;
namespace fs = std::filesystem;

namespace {

QPushButton* Botao(QWidget& w, const char* nome) { return w.findChild<QPushButton*>(nome); }

int Roda(const std::string& linha) { return std::system((teste::PastaProgramas().string() + "/" + linha).c_str()); }

// A copy of `origem` with `texto` written over it at byte `posicao`.
fs::path Altera(const fs::path& origem, const fs::path& destino, long posicao, const std::string& texto) {
    if (origem != destino) fs::copy_file(origem, destino, fs::copy_options::overwrite_existing);
    std::fstream f(destino, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(posicao);
    f.write(texto.data(), static_cast<std::streamsize>(texto.size()));
    return destino;
}

}  // namespace

Q_DECLARE_METATYPE(zovi::gui::ResultadoAnalise)

class AssistenteAnaliseTeste : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<CatalogoMensagens> catalogo_;
    std::unique_ptr<Mensagens> mensagens_;
    ServicoDialogos dialogos_;
    fs::path arquivo_;

private slots:
    // A declaration of one establishment with two employees, written by gdzovi-lote from
    // another data folder, then made as a payroll system would hand it over: no seal in
    // the trailer (the fifth line, from its 492nd character) and generated in 2006 (the
    // header's date from its 232nd character), as the declarant's rules ask.
    void initTestCase() {
        static teste::PastaTeste origem;
        const auto pasta = origem.Caminho().string();
        QCOMPARE(Roda("gdzovi-gera '" + pasta + "' 1 2 > /dev/null"), 0);
        QCOMPARE(Roda("gdzovi-lote gravar '" + pasta + "' --pasta '" + pasta + "/saida' --data 15012006 --sim > /dev/null 2>&1"), 0);
        const fs::path gravado = origem.Caminho() / "saida" / "Zovi2005";
        QVERIFY(fs::exists(gravado));
        arquivo_ = Altera(gravado, origem.Caminho() / "Zovi2005", 525L * 4 + 491, std::string(32, ' '));
        Altera(arquivo_, arquivo_, 231, "15012006");
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

    // Lines are 523 characters and CR LF; the third line is the first employee, whose
    // PIS starts at its 24th character.
    void ResultadoPorArquivo_data() {
        QTest::addColumn<long>("posicao");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("painel");
        QTest::addColumn<ResultadoAnalise>("resultado");
        QTest::newRow("arquivo correto") << -1L << "" << "PEstrutura" << ResultadoAnalise::kCorreto;
        QTest::newRow("sequencia errada") << 525L * 2 << "000009" << "paErroEstrut" << ResultadoAnalise::kNenhum;
        QTest::newRow("PIS invalido") << 525L * 2 + 23 << "12345678900" << "PEstrutura" << ResultadoAnalise::kErros;
    }
    // A missing file is refused and the page stays; then the file is analysed and verified:
    // a structural fault stops on the fault panel, whose Cancel reads "&Fechar" and whose
    // report can be previewed; the work tables are gone once the wizard closes.
    void ResultadoPorArquivo() {
        QFETCH(long, posicao);
        QFETCH(QString, texto);
        QFETCH(QString, painel);
        QFETCH(ResultadoAnalise, resultado);
        const fs::path arquivo =
            posicao < 0 ? arquivo_ : Altera(arquivo_, pasta_->Caminho() / "Zovi2005", posicao, texto.toStdString());
        AssistenteAnalise assistente(*dm_, *mensagens_, dialogos_);
        QString titulo, visto, cancelar;
        bool voltar = false;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            titulo = d.windowTitle();
            auto* campo = d.findChild<QLineEdit*>("arquivo");
            campo->setText(QString::fromStdString((pasta_->Caminho() / "nao-existe").string()));
            Botao(d, "btAvancar")->click();
            campo->setText(QString::fromStdString(arquivo.string()));
            Botao(d, "btAvancar")->click();
            visto = d.findChild<QStackedWidget*>("stPaineis")->currentWidget()->objectName();
            cancelar = Botao(d, "btCancelar")->text();
            if (visto == "paErroEstrut") {
                voltar = Botao(d, "btVoltar")->isEnabled();
                Botao(d, "btVisualizar")->click();
                Botao(d, "btCancelar")->click();
            }
            return d.result();
        });
        // The result page: errors only let the report be seen; otherwise "&Gravar" without a
        // drive asks for one ("0600"), then the file goes into the folder picked.
        const fs::path saida = pasta_->Caminho() / "regerado";
        fs::create_directories(saida);
        bool gravar = false;
        if (painel != "paErroEstrut") {
            dialogos_.EscolheArquivo(QString::fromStdString(saida.string()));
            dialogos_.AgeNoFormulario([&](QDialog& d) {
                gravar = Botao(d, "btGravar")->isEnabled();
                if (!gravar) {
                    Botao(d, "btVisualizar")->click();
                    Botao(d, "btCancelar")->click();
                    return d.result();
                }
                Botao(d, "btGravar")->click();
                auto* drive = d.findChild<EscolhaUnidade*>("cbDrive");
                drive->Seleciona(drive->count() - 1);
                Botao(d, "btGravar")->click();
                return d.result();
            });
        }
        assistente.Executa();
        EscolhaUnidade::PastaDaSessao().reset();
        QCOMPARE(titulo, QStringLiteral("Assistente para Analisar um arquivo ZOVI"));
        QCOMPARE(dialogos_.caixas.at(0).texto,
                 QStringLiteral("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo."));
        QCOMPARE(visto, painel);
        QCOMPARE(cancelar, painel == "paErroEstrut" ? QStringLiteral("&Fechar") : QStringLiteral("&Cancelar"));
        QCOMPARE(voltar, painel == "paErroEstrut");
        QCOMPARE(assistente.Contexto().resultado, resultado);
        QCOMPARE(gravar, resultado == ResultadoAnalise::kCorreto);
        QCOMPARE(assistente.Contexto().gravado, gravar);
        if (gravar) {
            QCOMPARE(dialogos_.caixas.size(), size_t(2));
            QCOMPARE(dialogos_.caixas[1].texto, QString::fromStdString(Cp1252ParaUtf8(catalogo_->Busca("0600")->texto)));
            // Written again with its seal: the analysis of the new file passes, seal checked.
            const auto dados = pasta_->Caminho().string();
            QCOMPARE(Roda("gdzovi-lote analisar '" + (saida / "Zovi2005").string() + "' '" + dados + "' > /dev/null 2>&1"), 0);
            std::ifstream regerado(saida / "Zovi2005", std::ios::binary);
            std::string linha((std::istreambuf_iterator<char>(regerado)), {});
            QVERIFY(linha.substr(linha.size() - 525 + 491, 32).find_first_not_of(' ') != std::string::npos);
            dm_->dbZovi.ApagaTabela("TE8STRU");
            for (const char* tabela : {"TE8EMP", "TE8VINC", "TE8RESP"}) dm_->dbZovi.ApagaTabela(tabela);
        }
        for (const char* tabela : {"TE8EMP", "TE8VINC", "TE8RESP", "TE8ERRWA", "TE8STRU"})
            QVERIFY2(!dm_->dbZovi.ExisteTabela(tabela), tabela);
    }

    // The pages really shown: the path typed into the focused field, Alt+A; the analysis
    // and the verification run, the result page opens with the focus on the drive list,
    // and Alt+C closes it without writing.
    void ComDialogosDeVerdade() {
        dialogos_.Roteiriza(false);
        AssistenteAnalise assistente(*dm_, *mensagens_, dialogos_);
        QString foco, focoResultado;
        QTimer guarda;
        guarda.setInterval(30000);
        QObject::connect(&guarda, &QTimer::timeout, [] {
            if (auto* w = QApplication::activeModalWidget()) w->close();
        });
        guarda.start();
        QTimer::singleShot(50, [&] {
            QWidget* p = QApplication::activeModalWidget();
            QVERIFY(p && p->objectName() == "TfmAnalis00");
            if (!QTest::qWaitForWindowActive(p)) return;
            foco = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(arquivo_.string()));
            QTest::keyClick(p, Qt::Key_A, Qt::AltModifier);
        });
        // The result page follows; Alt+C is its Cancel.
        QTimer resultado;
        resultado.setInterval(20);
        QObject::connect(&resultado, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w->objectName() != "TfmAnalis01" || !QTest::qWaitForWindowActive(w)) return;
            resultado.stop();
            focoResultado = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            QTest::keyClick(w, Qt::Key_C, Qt::AltModifier);
        });
        resultado.start();
        assistente.Executa();
        QCOMPARE(foco, QStringLiteral("arquivo"));
        QCOMPARE(focoResultado, QStringLiteral("cbDrive"));
        QCOMPARE(assistente.Contexto().resultado, ResultadoAnalise::kCorreto);
        QVERIFY(!assistente.Contexto().gravado);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // "&Analisador" of the main window opens the wizard on its file page.
    void AbertoPelaJanelaPrincipal() {
        JanelaAjuda ajuda(QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
        TfmGDZOVI janela(*dm_, dialogos_, ajuda);
        dialogos_.AgeNoFormulario([](QDialog& d) {
            Botao(d, "btCancelar")->click();
            return d.result();
        });
        janela.ExecutaComando("miAnalisador");
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmAnalis00"}));
    }
};

QTEST_MAIN(AssistenteAnaliseTeste)
#include "AssistenteAnaliseTeste.moc"
