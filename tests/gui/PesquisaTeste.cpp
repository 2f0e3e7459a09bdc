// The user survey's window, offscreen: the stored answers shown, answers typed
// and moved through by the keys, a value outside the scale refused (once with
// the message box really running and the focus really moving), Cancelar, and
// the main window's command.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <memory>

#include "PastaTeste.h"
#include "RespondeCaixas.h"
#include "app/JanelaAjuda.h"
#include "app/TfmGDZOVI.h"
#include "data/ModulosDados.h"
#include "declfile/Pesquisa.h"
#include "entry/TfmPesq.h"
#include "messages/ServicoDialogos.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

const QString kValorInvalido = QStringLiteral("Valor Inválido. Consulte régua de valores.");

}  // namespace

class PesquisaTeste : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    ServicoDialogos dialogos_;

    std::unique_ptr<TfmPesq> Formulario() {
        auto f = std::make_unique<TfmPesq>(dm_->dbZovi, dialogos_);
        f->show();
        f->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(f.get())); }();
        return f;
    }
    static int Pagina(TfmPesq& f) { return f.findChild<QTabWidget*>("pcPesquisa")->currentIndex(); }
    static QPushButton* Botao(TfmPesq& f, const char* nome) { return f.findChild<QPushButton*>(nome); }
    static void Digita(TfmPesq& f, int questao, const QString& texto, Qt::Key tecla = Qt::Key_Return) {
        auto* r = f.Resposta(questao);
        QCOMPARE(QApplication::focusWidget(), r);
        r->selectAll();
        QTest::keyClicks(r, texto);
        QTest::keyClick(r, tecla);
    }

private slots:
    void initTestCase() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
    }
    void init() {
        dialogos_.Esquece();
        dialogos_.Roteiriza();
    }

    // Stored codes show as their answers; typed answers are padded and coded, the keys move
    // between them and across the pages, and "&Ok" stores the 22 codes.
    void MostraDigitaEGrava() {
        GravaRespostaPesquisa(dm_->dbZovi, "A7XB" + std::string(18, 'B'));
        auto f = Formulario();
        QCOMPARE(f->Resposta(1)->text(), QStringLiteral("10"));
        QCOMPARE(f->Resposta(2)->text(), QStringLiteral("07"));
        QCOMPARE(f->Resposta(3)->text(), QStringLiteral("77"));
        QCOMPARE(f->Resposta(4)->text(), QString());
        QCOMPARE(Pagina(*f), 0);

        Digita(*f, 1, "7");
        QCOMPARE(f->Resposta(1)->text(), QStringLiteral("07"));
        Digita(*f, 2, "10", Qt::Key_Down);
        Digita(*f, 3, "", Qt::Key_PageDown);  // "77" kept
        QTest::keyClick(f->Resposta(4), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), f->Resposta(3));
        QTest::keyClick(f->Resposta(3), Qt::Key_PageUp);
        QCOMPARE(QApplication::focusWidget(), f->Resposta(2));
        for (int q = 2; q <= 10; ++q) QTest::keyClick(f->Resposta(q), Qt::Key_Return);
        Digita(*f, 11, "5");
        QCOMPARE(Pagina(*f), 1);
        Digita(*f, 12, "0");
        Digita(*f, 13, "9");
        QCOMPARE(QApplication::focusWidget(), f->Resposta(14));
        QVERIFY(dialogos_.caixas.empty());
        Botao(*f, "btOk")->click();
        QCOMPARE(f->result(), int(QDialog::Accepted));
        QCOMPARE(LeRespostaPesquisa(dm_->dbZovi), "7AX" + std::string(7, 'B') + "5B9" + std::string(9, 'B'));
    }

    // "11" is refused by Enter and by "&Ok" with the message, the focus kept and nothing stored.
    void ValorForaDaReguaRecusado() {
        GravaRespostaPesquisa(dm_->dbZovi, PesquisaSemRespostas());
        auto f = Formulario();
        Digita(*f, 1, "11");
        QCOMPARE(dialogos_.caixas.size(), size_t(1));
        QCOMPARE(dialogos_.caixas.back().texto, kValorInvalido);
        QCOMPARE(dialogos_.caixas.back().icone, QMessageBox::Information);
        QCOMPARE(QApplication::focusWidget(), f->Resposta(1));
        f->Resposta(1)->setText("1");
        f->Resposta(20)->setText("78");
        Botao(*f, "btOk")->click();
        QCOMPARE(dialogos_.caixas.size(), size_t(2));
        QVERIFY(f->isVisible());
        QCOMPARE(Pagina(*f), 1);
        QCOMPARE(QApplication::focusWidget(), f->Resposta(20));
        QCOMPARE(LeRespostaPesquisa(dm_->dbZovi), PesquisaSemRespostas());
    }

    // With the box really running: leaving a wrong answer by the mouse (the focus really moving
    // to another answer) brings the message up, then the focus back; towards Cancelar it does
    // not, and Cancelar stores nothing.
    void SaidaPeloMouseComCaixaReal() {
        dialogos_.Roteiriza(false);
        GravaRespostaPesquisa(dm_->dbZovi, PesquisaSemRespostas());
        auto f = Formulario();
        teste::RespondeCaixas respondedor;
        f->Resposta(1)->setText("99");
        QTest::mouseClick(f->Resposta(4), Qt::LeftButton);
        QTRY_COMPARE(respondedor.caixas, QStringList{kValorInvalido});
        QTRY_COMPARE(f->focusWidget(), f->Resposta(1));
        QTest::mouseClick(Botao(*f, "btCancelar"), Qt::LeftButton);
        QTRY_VERIFY(!f->isVisible());
        QCOMPARE(respondedor.caixas.size(), qsizetype(1));
        QCOMPARE(f->result(), int(QDialog::Rejected));
        QCOMPARE(LeRespostaPesquisa(dm_->dbZovi), PesquisaSemRespostas());
    }

    // "&Pesquisa" of the main window opens the survey on the stored answers.
    void AbertaPelaJanelaPrincipal() {
        GravaRespostaPesquisa(dm_->dbZovi, "9" + std::string(21, 'B'));
        JanelaAjuda ajuda(QStringLiteral(GDZOVI_PASTA_BIN "/ajuda"));
        TfmGDZOVI janela(*dm_, dialogos_, ajuda);
        QString titulo, primeira;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            titulo = d.windowTitle();
            d.show();
            primeira = static_cast<TfmPesq&>(d).Resposta(1)->text();
            return int(QDialog::Rejected);
        });
        janela.ExecutaComando("sbPesquisa");
        QCOMPARE(dialogos_.formularios, std::vector<QString>{"fmPesq"});
        QCOMPARE(titulo, QStringLiteral("Pesquisa de Satisfação"));
        QCOMPARE(primeira, QStringLiteral("09"));
    }
};

QTEST_MAIN(PesquisaTeste)
#include "PesquisaTeste.moc"
