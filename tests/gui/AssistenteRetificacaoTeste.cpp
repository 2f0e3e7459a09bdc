// The rectification wizard offscreen: from the main window's command to a
// rectifying file of the chosen employees in a folder; the choice's checks; the
// employee list of a large establishment searched and ticked all; and one run
// with the real dialogs, answered through timers, where the focus really moves.
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "TabelasPreenchidas.h"
#include "analysis/AnaliseEstrutura.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "data/ModulosDados.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"
#include "platform/Texto1252.h"
#include "rules/CriticaZovi.h"
#include "wizards/AssistenteRetificacao.h"
#include "wizards/EscolhaUnidade.h"
#include "wizards/ListaMarcacao.h"
#include "wizards/TfmRetifDecl02.h"

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

TfmRetifDecl02& Escolha(QDialog& d) { return dynamic_cast<TfmRetifDecl02&>(d); }

QStringList Textos(const ServicoDialogos& d) {
    QStringList r;
    for (const auto& c : d.caixas) r << c.texto;
    return r;
}

// Clicks line `linha` of a tick list as the user does.
void ClicaLinha(ListaMarcacao& lista, int linha) {
    auto* vista = lista.findChild<QListView*>(QStringLiteral("lvLinhas"));
    const QRect r = vista->visualRect(vista->model()->index(linha, 0));
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, r.center() + QPoint(40, 0));
}

}  // namespace

class AssistenteRetificacaoTeste : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<teste::PastaTeste> pasta_, saida_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<CatalogoMensagens> catalogo_;
    std::unique_ptr<Mensagens> mensagens_;
    std::unique_ptr<Referencias> ref_;
    std::unique_ptr<TCriticaZovi> critica_;
    std::unique_ptr<Seletores> seletores_;
    ServicoDialogos dialogos_;

    QString Mensagem(const char* codigo) {
        return QString::fromStdString(Cp1252ParaUtf8(catalogo_->Busca(codigo)->texto));
    }
    // Two establishments of three employees, then one declared without employees (the last line).
    void Gera(long empregados = 3) {
        bancada::ParametrosGeracao p;
        p.estabelecimentos = 2;
        p.empregadosPorEstabelecimento = empregados;
        bancada::GeraDeclaracao(dm_->dbZovi, p);
        p.estabelecimentos = 1;
        p.empregadosPorEstabelecimento = 0;
        p.semente = 77;
        bancada::GeraDeclaracao(dm_->dbZovi, p);
    }
    int SemEmpregados(const SelecaoRetificacao& s) {
        for (size_t i = 0; i < s.size(); ++i)
            if (!s[i].comEmpregados) return static_cast<int>(i);
        return -1;
    }
    void Executa() {
        AssistenteRetificacao assistente(*dm_, *mensagens_, *critica_, *seletores_, dialogos_);
        assistente.Executa();
    }

private slots:
    void init() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        saida_ = std::make_unique<teste::PastaTeste>(false);
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        catalogo_ = std::make_unique<CatalogoMensagens>(dm_->dbZovi);
        mensagens_ = std::make_unique<Mensagens>(*catalogo_, dialogos_);
        ref_ = std::make_unique<Referencias>(dm_->dbZovi);
        critica_ = std::make_unique<TCriticaZovi>(*ref_);
        seletores_ = std::make_unique<Seletores>(*dm_, dialogos_);
        EscolhaUnidade::PastaDaSessao().reset();
        dialogos_.Esquece();
        dialogos_.Roteiriza();
    }
    void cleanup() {
        seletores_.reset();
        critica_.reset();
        ref_.reset();
        mensagens_.reset();
        catalogo_.reset();
        dm_.reset();
        pasta_.reset();
        saida_.reset();
    }

    // "Gravar Retificação da Declaração": two employees of one establishment and the
    // establishment without employees, written to a folder; the file reads back as a
    // rectification of exactly those records, and the declaration tables are as they were.
    void DaJanelaPrincipalAoArquivo() {
        Gera();
        const auto antes = teste::ArquivosDasTabelasDeclaracao(pasta_->Caminho());
        const fs::path destino = saida_->Caminho() / "retificadora";
        dialogos_.EscolheArquivo(QString::fromStdString(destino.string()));
        QStringList titulos;
        auto anota = [&](QDialog& d) { titulos << d.windowTitle(); };
        dialogos_.AgeNoFormulario(Clica("btOk"));
        dialogos_.AgeNoFormulario([&](QDialog& d) { return anota(d), Clica("btAvancar")(d); });
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            anota(d);
            auto& p = Escolha(d);
            p.Empresas().Modelo().Alterna(0);
            p.ModeloVinculos().Alterna(2);
            p.ModeloVinculos().Alterna(0);
            p.Empresas().Modelo().Alterna(SemEmpregados(Escolha(d).Selecao()));
            return Clica("btAvancar")(d);
        });
        dialogos_.AgeNoFormulario([&](QDialog& d) { return anota(d), Clica("btAvancar")(d); });
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            anota(d);
            d.findChild<QLineEdit*>("edData")->setText("15/03/2006");
            auto* drive = d.findChild<EscolhaUnidade*>("cbDrive");
            drive->Seleciona(drive->count() - 1);
            return Clica("btAvancar")(d);
        });
        dialogos_.AgeNoFormulario([&](QDialog& d) { return anota(d), Clica("btFechar")(d); });
        JanelaAjuda ajuda(QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
        TfmGDZOVI janela(*dm_, dialogos_, ajuda);
        janela.ExecutaComando("sbRetif");
        QCOMPARE(dialogos_.formularios, (std::vector<QString>{"TfmRetifRegras", "TfmRetifDecl01", "TfmRetifDecl02",
                                                              "TfmGravaDecl01", "TfmGravaDecl03", "TfmGravaDecl04"}));
        QCOMPARE(titulos.mid(0, 2), QStringList(2, QStringLiteral("Assistente para Retificação de Declaração")));
        QCOMPARE(fs::file_size(destino / "Zovi2005"), 6u * 525);

        teste::InteracaoRoteirizada interacao;
        TAnaliseEstrutura analise(dm_->dbZovi, interacao);
        long estabelecimentos = 0, empregados = 0;
        QCOMPARE(analise.fAnalisaArquivo(destino / "Zovi2005", 2005, false, estabelecimentos, empregados),
                 static_cast<int>(kAnaliseRetificacao));
        QCOMPARE(estabelecimentos, 2L);
        QCOMPARE(empregados, 2L);
        QVERIFY(teste::ArquivosDasTabelasDeclaracao(pasta_->Caminho()) == antes);
    }

    // An establishment with employees ticked and none chosen: "1304" when another is ticked and
    // on Avançar, the tick cleared; nothing ticked: "1301". Voltar from the declarant page
    // comes back to the choice as it was.
    void EscolhaIncompletaEVoltar() {
        Gera();
        bool primeiroDesmarcado = false, mantida = false;
        dialogos_.AgeNoFormulario(Clica("btOk"));
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& p = Escolha(d);
            Botao(d, "btAvancar")->click();                    // 1301
            p.Empresas().Modelo().Alterna(0);
            p.Empresas().Modelo().Alterna(1);                  // 1304 for the first
            primeiroDesmarcado = !p.Empresas().Modelo().Marcas()[0];
            Botao(d, "btAvancar")->click();                    // 1304 for the second
            p.Empresas().Modelo().Alterna(1);
            p.ModeloVinculos().Alterna(1);
            return Clica("btAvancar")(d);
        });
        dialogos_.AgeNoFormulario(Clica("btVoltar"));
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& p = Escolha(d);
            mantida = p.Empresas().Modelo().Marcas()[1] &&
                      p.ModeloVinculos().data(p.ModeloVinculos().index(1), Qt::CheckStateRole) == Qt::Checked;
            return Clica("btCancelar")(d);
        });
        Executa();
        QCOMPARE(Textos(dialogos_), (QStringList{Mensagem("1301"), Mensagem("1304"), Mensagem("1304")}));
        QVERIFY(primeiroDesmarcado);
        QVERIFY(mantida);
        QCOMPARE(dialogos_.formularios.back(), QStringLiteral("TfmRetifDecl02"));
    }

    // An establishment of 3,000 employees: the list counts them without reading them all,
    // the search narrows it, and "Seleciona / Desmarca todos os vínculos." chooses the lines listed.
    void ListaGrandePesquisaEMarcaTodos() {
        Gera(3000);
        int total = 0, achados = 0;
        size_t escolhidos = 0, depois = 0;
        dialogos_.AgeNoFormulario(Clica("btOk"));
        dialogos_.AgeNoFormulario(Clica("btAvancar"));
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& p = Escolha(d);
            p.Empresas().Modelo().Alterna(0);
            total = p.ModeloVinculos().rowCount();
            auto& e = Escolha(d).Selecao()[0];
            const QString nome = p.ModeloVinculos().data(p.ModeloVinculos().index(5), Qt::DisplayRole).toString().mid(28, 4);
            d.findChild<QLineEdit*>("edPesquisa")->setText(nome);
            achados = p.ModeloVinculos().rowCount();
            p.ModeloVinculos().MarcaTodas(true);
            escolhidos = e.escolhidos.size();
            d.findChild<QLineEdit*>("edPesquisa")->clear();
            p.ModeloVinculos().MarcaTodas(true);
            depois = e.escolhidos.size();
            return Clica("btCancelar")(d);
        });
        Executa();
        QCOMPARE(total, 3000);
        QVERIFY(achados > 0 && achados < total);
        QCOMPARE(escolhidos, static_cast<size_t>(achados));
        QCOMPARE(depois, size_t{3000});
    }

    // The real dialogs: the notice's Ok, Avançar, lines clicked with the mouse, "1304" in a real
    // message box, then Cancelar on the declarant page; the work tables hold nothing written.
    void DialogosReais() {
        Gera();
        dialogos_.Roteiriza(false);
        const auto antes = teste::ArquivosDasTabelasDeclaracao(pasta_->Caminho());
        QStringList passos;
        QString caixa;
        std::function<void()> passo;
        auto proximo = [&](std::function<void(QWidget*)> acao) {
            passo = [&, acao] {
                auto* w = QApplication::activeModalWidget();
                if (!w || !w->isVisible() || !w->isActiveWindow()) return QTimer::singleShot(20, passo);
                acao(w);
            };
            QTimer::singleShot(0, passo);
        };
        std::function<void(QWidget*)> declarante = [&](QWidget* w) {
            passos << w->objectName() + QLatin1Char(':') + w->windowTitle();
            Botao(*w, "btCancelar")->click();
        };
        std::function<void(QWidget*)> escolha = [&](QWidget* w) {
            passos << w->objectName();
            auto& p = dynamic_cast<TfmRetifDecl02&>(*w);
            ClicaLinha(p.Empresas(), 0);
            // The box "1304" opens when the next establishment is ticked: answered by a timer.
            QTimer::singleShot(0, [&] {
                auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (m) {
                    caixa = m->text();
                    m->button(QMessageBox::Ok) ? m->button(QMessageBox::Ok)->click() : m->accept();
                }
            });
            ClicaLinha(p.Empresas(), 1);
            ClicaLinha(p.Vinculos(), 0);
            proximo(declarante);
            // Tab to Avançar and Enter, as from the keyboard.
            Botao(*w, "btAvancar")->setFocus(Qt::TabFocusReason);
            QTest::keyClick(w, Qt::Key_Return);
        };
        std::function<void(QWidget*)> boasVindas = [&](QWidget* w) {
            passos << w->objectName() + QLatin1Char(':') + (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
            proximo(escolha);
            Botao(*w, "btAvancar")->click();
        };
        proximo([&](QWidget* w) {
            passos << w->objectName();
            proximo(boasVindas);
            QTest::keyClick(w, Qt::Key_Return);
        });
        Executa();
        QCOMPARE(passos, (QStringList{"TfmRetifRegras", "TfmRetifDecl01:btAvancar", "TfmRetifDecl02",
                                      "TfmGravaDecl01:Assistente para Retificação de Declaração"}));
        QCOMPARE(caixa, Mensagem("1304"));
        QVERIFY(teste::ArquivosDasTabelasDeclaracao(pasta_->Caminho()) == antes);
        QCOMPARE(teste::ContaLinhas(dm_->dbZovi, "TE8VINC"), 0L);
    }
};

QTEST_MAIN(AssistenteRetificacaoTeste)
#include "AssistenteRetificacaoTeste.moc"
