// The code pickers, driven offscreen through the dialog service: what each
// writes into its field, the lines it refuses, the municipality memory, and
// the search box.
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

#include <functional>
#include <memory>

#include "PastaTeste.h"
#include "data/ModulosDados.h"
#include "messages/ServicoDialogos.h"
#include "pickers/Seletores.h"
#include "pickers/TfmSeletor.h"

using namespace zovi;
using namespace zovi::gui;

namespace {

QTreeView& Arvore(QDialog& d) { return *d.findChild<QTreeView*>("tvLinhas"); }

// Selects the line of the code (nothing when the code is empty) and presses Enter on the tree.
void EnterNaLinha(QDialog& d, const QString& codigo) {
    auto& s = static_cast<TfmSeletor&>(d);
    const QModelIndex linha = s.Filtro().mapFromSource(s.Modelo().IndiceDoCodigo(codigo));
    Arvore(d).setCurrentIndex(linha);
    if (!linha.isValid()) Arvore(d).selectionModel()->clearSelection();
    QTest::keyClick(&Arvore(d), Qt::Key_Return);
}

// The picker shown as the user sees it; each step acts on it in turn while it stays open.
ServicoDialogos::AcaoFormulario Passos(std::vector<std::function<void(QDialog&)>> passos) {
    return [passos](QDialog& d) {
        d.show();
        for (const auto& passo : passos)
            if (d.isVisible()) passo(d);
        d.hide();
        return d.result();
    };
}

ServicoDialogos::AcaoFormulario Escolhe(const QString& codigo) {
    return Passos({[codigo](QDialog& d) { EnterNaLinha(d, codigo); }});
}

}  // namespace

class SeletoresTeste : public QObject {
    Q_OBJECT

    std::unique_ptr<teste::PastaTeste> pasta_;
    std::unique_ptr<TdmGDZovi> dm_;
    std::unique_ptr<Seletores> seletores_;
    ServicoDialogos dialogos_;

private slots:
    void initTestCase() {
        pasta_ = std::make_unique<teste::PastaTeste>();
        dm_ = std::make_unique<TdmGDZovi>(pasta_->Caminho());
        seletores_ = std::make_unique<Seletores>(*dm_, dialogos_);
        dialogos_.Roteiriza();
    }
    void init() { dialogos_.Esquece(); }
    void cleanupTestCase() {
        seletores_.reset();
        dm_.reset();
    }

    // Each picker writes the characters of its code, from the start of the chosen line, into
    // the field; the CNAE code goes in as if typed, so the field's mask applies.
    void EscreveOCodigoDaLinhaEscolhida_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("mascara");
        QTest::addColumn<QString>("esperado");
        auto caso = [](const char* rotulo, TipoSeletor t, const char* nome, const char* codigo, const char* mascara,
                       const QString& esperado) {
            QTest::newRow(rotulo) << int(t) << nome << QString::fromUtf8(codigo) << mascara << esperado;
        };
        caso("municipio", TipoSeletor::Municipio, "frmT8Munic", "3550308", "", "3550308");
        caso("municipio com mascara", TipoSeletor::Municipio, "frmT8Munic", "4106902", "99-99999;_", "41-06902");
        caso("cnae pela digitacao", TipoSeletor::Cnae, "fmTb8Cnae", "01112", "99.99-9;_", "01.11-2");
        caso("natureza juridica", TipoSeletor::NaturezaJuridica, "fmTb8NatJu", "1031", "", "1031");
        caso("cbo", TipoSeletor::Cbo, "fmTb8CBO", "322205", "", "322205");
        caso("nacionalidade", TipoSeletor::Nacionalidade, "fmTb8Nacio", "20", "", "20");
        caso("instrucao", TipoSeletor::Instrucao, "fmTb8Instr", "1", "", "1");
        caso("tipo de admissao", TipoSeletor::TipoAdmissao, "fmTp8adm", "2", "", "2");
        caso("tipo de salario", TipoSeletor::TipoSalario, "fmTb8TpSal", "1", "", "1");
        caso("vinculo", TipoSeletor::Vinculo, "fmTb8Vinc", "10", "", "10");
        caso("desligamento", TipoSeletor::Desligamento, "fmTb8Desl", "11", "", "11");
        caso("raca", TipoSeletor::Raca, "fmTb8Raca", "2", "", "2");
        caso("mes", TipoSeletor::MesesAno, "fmMesesAno", "03", "", "03");
        caso("afastamento sem espaco", TipoSeletor::Afastamento, "fmTb8Afast", "70", "", "70");
        caso("afastamento", TipoSeletor::Afastamento, "fmTb8Afast", "10", "", "10");
    }
    void EscreveOCodigoDaLinhaEscolhida() {
        QFETCH(int, tipo);
        QFETCH(QString, nome);
        QFETCH(QString, codigo);
        QFETCH(QString, mascara);
        QFETCH(QString, esperado);
        QLineEdit campo;
        campo.setInputMask(mascara);
        QSignalSpy digitado(&campo, &QLineEdit::textEdited);
        dialogos_.AgeNoFormulario(Escolhe(codigo));
        QVERIFY(seletores_->Escolhe(TipoSeletor(tipo), campo));
        QCOMPARE(dialogos_.formularios, std::vector<QString>{nome});
        QCOMPARE(campo.text(), esperado);
        QCOMPARE(digitado.count(), TipoSeletor(tipo) == TipoSeletor::Cnae ? 1 : 0);
    }

    // A line of the wrong level (or Enter with no line) leaves the picker open and the field
    // untouched; the right line afterwards is taken in the same showing.
    void LinhaDeOutroNivelNaoEscolhe_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("errada");
        QTest::addColumn<QString>("certa");
        QTest::newRow("estado") << int(TipoSeletor::Municipio) << "35" << "3550308";
        QTest::newRow("grupo cnae") << int(TipoSeletor::Cnae) << "01" << "01112";
        QTest::newRow("cbo nivel 1") << int(TipoSeletor::Cbo) << "32" << "322205";
        QTest::newRow("cbo nivel 3") << int(TipoSeletor::Cbo) << "3222" << "322205";
        QTest::newRow("nenhuma linha") << int(TipoSeletor::NaturezaJuridica) << "" << "1031";
    }
    void LinhaDeOutroNivelNaoEscolhe() {
        QFETCH(int, tipo);
        QFETCH(QString, errada);
        QFETCH(QString, certa);
        QLineEdit campo(QStringLiteral("antes"));
        bool abertoAposErrada = false;
        QString campoAposErrada;
        dialogos_.AgeNoFormulario(Passos({
            [&](QDialog& d) { EnterNaLinha(d, errada); },
            [&](QDialog& d) {
                abertoAposErrada = true;
                campoAposErrada = campo.text();
                EnterNaLinha(d, certa);
            },
        }));
        QVERIFY(seletores_->Escolhe(TipoSeletor(tipo), campo));
        QVERIFY(abertoAposErrada);
        QCOMPARE(campoAposErrada, QStringLiteral("antes"));
        QCOMPARE(campo.text(), certa);
    }

    // The months picker names each month as the rest of the program does, accents included.
    void MesesComNomeAcentuado() {
        QString marco, dezembro;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& s = static_cast<TfmSeletor&>(d);
            marco = s.Modelo().IndiceDoCodigo(QStringLiteral("03")).data().toString();
            dezembro = s.Modelo().IndiceDoCodigo(QStringLiteral("12")).data().toString();
            return int(QDialog::Rejected);
        });
        QLineEdit campo;
        QVERIFY(!seletores_->Escolhe(TipoSeletor::MesesAno, campo));
        QCOMPARE(marco, QStringLiteral("03 - Março"));
        QCOMPARE(dezembro, QStringLiteral("12 - Dezembro"));
    }

    // The months and leave pickers close on Enter even with no line selected, writing nothing.
    void ListasFixasFechamSemLinha() {
        for (auto tipo : {TipoSeletor::MesesAno, TipoSeletor::Afastamento}) {
            QLineEdit campo(QStringLiteral("05"));
            bool fechou = false;
            dialogos_.AgeNoFormulario([&](QDialog& d) {
                d.show();
                EnterNaLinha(d, {});
                fechou = !d.isVisible();
                return d.result();
            });
            QVERIFY(!seletores_->Escolhe(tipo, campo));
            QVERIFY(fechou);
            QCOMPARE(campo.text(), QStringLiteral("05"));
        }
    }

    // Enter on a heading that cannot be chosen opens it: a state or CNAE group with everything
    // below it, a CBO line of level 1 or 2 one level down, of level 3 with everything below.
    void EnterAbreOCabecalho_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("cabecalho");
        QTest::addColumn<QString>("subcabecalho");  // a heading right below it, which stays closed
        QTest::newRow("estado") << int(TipoSeletor::Municipio) << "35" << "";
        QTest::newRow("grupo cnae") << int(TipoSeletor::Cnae) << "01" << "";
        QTest::newRow("cbo nivel 1") << int(TipoSeletor::Cbo) << "32" << "322";
        QTest::newRow("cbo nivel 2") << int(TipoSeletor::Cbo) << "322" << "3222";
        QTest::newRow("cbo nivel 3") << int(TipoSeletor::Cbo) << "3222" << "";
    }
    void EnterAbreOCabecalho() {
        QFETCH(int, tipo);
        QFETCH(QString, cabecalho);
        QFETCH(QString, subcabecalho);
        bool aberto = false, subAberto = true;
        dialogos_.AgeNoFormulario(Passos({[&](QDialog& d) {
            auto& s = static_cast<TfmSeletor&>(d);
            auto indice = [&](const QString& c) { return s.Filtro().mapFromSource(s.Modelo().IndiceDoCodigo(c)); };
            Arvore(d).expand(indice(cabecalho).parent());
            EnterNaLinha(d, cabecalho);
            aberto = Arvore(d).isExpanded(indice(cabecalho));
            subAberto = !subcabecalho.isEmpty() && Arvore(d).isExpanded(indice(subcabecalho));
            d.reject();
        }}));
        QLineEdit campo;
        QVERIFY(!seletores_->Escolhe(TipoSeletor(tipo), campo));
        QVERIFY(aberto);
        QVERIFY(!subAberto);
    }

    // A mouse click on a line chooses it; on a state it does nothing.
    void CliqueEscolhe() {
        QLineEdit campo;
        auto clica = [](QDialog& d, const char* codigo) {
            auto& s = static_cast<TfmSeletor&>(d);
            const QModelIndex linha = s.Filtro().mapFromSource(s.Modelo().IndiceDoCodigo(codigo));
            Arvore(d).scrollTo(linha);
            QTest::mouseClick(Arvore(d).viewport(), Qt::LeftButton, {}, Arvore(d).visualRect(linha).center());
        };
        dialogos_.AgeNoFormulario(Passos({[&](QDialog& d) { clica(d, "35"); },
                                          [&](QDialog& d) {
                                              Arvore(d).expand(static_cast<TfmSeletor&>(d).Filtro().mapFromSource(
                                                  static_cast<TfmSeletor&>(d).Modelo().IndiceDoCodigo("35")));
                                              clica(d, "3550308");
                                          }}));
        QVERIFY(seletores_->Escolhe(TipoSeletor::Municipio, campo));
        QCOMPARE(campo.text(), QStringLiteral("3550308"));
    }

    // The municipality picker remembers the last code chosen in the run: closed without a
    // choice it fills an empty field with it, and leaves a typed code alone.
    void MunicipioLembraAUltimaEscolha() {
        QLineEdit primeiro, vazio, digitado(QStringLiteral("4106902"));
        dialogos_.AgeNoFormulario(Escolhe("3550308"));
        QVERIFY(seletores_->Escolhe(TipoSeletor::Municipio, primeiro));
        QString selecionadaAoAbrir;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            selecionadaAoAbrir = Arvore(d).currentIndex().data(ModeloCodigos::PapelCodigo).toString();
            return int(QDialog::Rejected);
        });
        QVERIFY(!seletores_->Escolhe(TipoSeletor::Municipio, vazio));
        QCOMPARE(selecionadaAoAbrir, QStringLiteral("3550308"));
        QCOMPARE(vazio.text(), QStringLiteral("3550308"));
        QVERIFY(!seletores_->Escolhe(TipoSeletor::Municipio, digitado));
        QCOMPARE(digitado.text(), QStringLiteral("4106902"));
        QCOMPARE(seletores_->UltimoMunicipio(), QStringLiteral("3550308"));
    }

    // Lines arranged by code length: each line's chain of parents.
    void NiveisPeloTamanhoDoCodigo_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QStringList>("ancestrais");
        QTest::newRow("municipio") << int(TipoSeletor::Municipio) << "3550308" << QStringList{"35"};
        QTest::newRow("estado") << int(TipoSeletor::Municipio) << "41" << QStringList{};
        QTest::newRow("cnae") << int(TipoSeletor::Cnae) << "01112" << QStringList{"01"};
        QTest::newRow("ocupacao") << int(TipoSeletor::Cbo) << "322205" << QStringList{"3222", "322", "32"};
        QTest::newRow("um nivel") << int(TipoSeletor::NaturezaJuridica) << "1031" << QStringList{};
    }
    void NiveisPeloTamanhoDoCodigo() {
        QFETCH(int, tipo);
        QFETCH(QString, codigo);
        QFETCH(QStringList, ancestrais);
        QStringList achados;
        QString texto;
        dialogos_.AgeNoFormulario([&](QDialog& d) {
            auto& s = static_cast<TfmSeletor&>(d);
            const QModelIndex linha = s.Modelo().IndiceDoCodigo(codigo);
            texto = linha.data().toString();
            for (auto p = linha.parent(); p.isValid(); p = p.parent())
                achados << p.data(ModeloCodigos::PapelCodigo).toString();
            return int(QDialog::Rejected);
        });
        QLineEdit campo;
        seletores_->Escolhe(TipoSeletor(tipo), campo);
        QCOMPARE(achados, ancestrais);
        QVERIFY2(texto.startsWith(codigo + QStringLiteral("  - ")), qPrintable(texto));
    }

    // Typing in the search box narrows the tree and selects the line that answers it best (the
    // whole description, then whole words, then the start of words, then the first in order);
    // Enter there takes it. Every picker, the months' too, opens on its search box.
    void ProcuraPorCodigoOuPalavras_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("busca");
        QTest::addColumn<QString>("primeira");
        QTest::addColumn<QString>("ausente");
        QTest::newRow("palavras sem acento") << int(TipoSeletor::Cbo) << "tecnico enfermagem" << "322205" << "322225";
        QTest::newRow("maiusculas e acento") << int(TipoSeletor::Cbo) << "TÉCNICO DE ENFERMAGEM" << "322205" << "233125";
        QTest::newRow("prefixo de codigo") << int(TipoSeletor::Cbo) << "3222" << "322205" << "233125";
        QTest::newRow("codigo com mascara") << int(TipoSeletor::Cnae) << "01.12" << "01120" << "01112";
        QTest::newRow("nomes no estado e nos municipios") << int(TipoSeletor::Municipio) << "rondonia" << "1100700"
                                                          << "1100015";
        QTest::newRow("municipio pelo nome") << int(TipoSeletor::Municipio) << "curitiba" << "4106902" << "3550308";
        QTest::newRow("estado traz os municipios") << int(TipoSeletor::Municipio) << "roraima" << "1400027"
                                                    << "3550308";
        QTest::newRow("nome inteiro antes do prefixo") << int(TipoSeletor::Municipio) << "campinas" << "3509502"
                                                       << "3550308";
        QTest::newRow("palavras inteiras antes de trechos") << int(TipoSeletor::Instrucao) << "medio completo" << "7"
                                                            << "1";
        QTest::newRow("mes pelo nome") << int(TipoSeletor::MesesAno) << "marco" << "03" << "01";
    }
    void ProcuraPorCodigoOuPalavras() {
        QFETCH(int, tipo);
        QFETCH(QString, busca);
        QFETCH(QString, primeira);
        QFETCH(QString, ausente);
        bool ausenteVisivel = true;
        dialogos_.AgeNoFormulario(Passos({[&](QDialog& d) {
            auto& s = static_cast<TfmSeletor&>(d);
            auto* procura = d.findChild<QLineEdit*>("edProcura");
            d.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&d));
            QVERIFY(procura->hasFocus());
            // The first letter typed in the tree goes on in the search box.
            QTest::keyClicks(&Arvore(d), busca.left(1));
            QTest::keyClicks(procura, busca.mid(1));
            QCOMPARE(procura->text(), busca);
            ausenteVisivel = s.Filtro().mapFromSource(s.Modelo().IndiceDoCodigo(ausente)).isValid();
            QTest::keyClick(procura, Qt::Key_Return);
        }}));
        QLineEdit campo;
        QVERIFY(seletores_->Escolhe(TipoSeletor(tipo), campo));
        QCOMPARE(QString(campo.text()).remove('.').remove('-'), primeira);
        QVERIFY(!ausenteVisivel);
    }

    // A line cut by the width of the list shows its whole text as a hint; a line seen in full, none.
    void LinhaCortadaMostraOTextoInteiroNaDica() {
        TfmSeletor s(*dm_, TipoSeletor::Afastamento);
        s.resize(420, 300);
        s.Prepara({});
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        auto& arvore = Arvore(s);
        auto dica = [&](int linha) {
            const QPoint centro = arvore.visualRect(s.Filtro().index(linha, 0)).center();
            QHelpEvent e(QEvent::ToolTip, centro, arvore.viewport()->mapToGlobal(centro));
            QApplication::sendEvent(arvore.viewport(), &e);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(dica(2), QString());  // "30. Doença relacionada ao trabalho."
        QCOMPARE(dica(0), s.Filtro().index(0, 0).data().toString());
    }
};

QTEST_MAIN(SeletoresTeste)
#include "SeletoresTeste.moc"
