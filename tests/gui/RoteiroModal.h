#pragma once
// Drives the program's real modal windows, not the dialog service's scripted
// mode: each step waits until the window it names is the active modal window
// (a form by its objectName, a message box by a piece of its text), then acts on
// it as a user would. The steps run from a timer while the windows' own exec()
// loops run, so a window that closes the wrong loop, or comes back where it
// should not, shows up as a step that never finds its window.
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <utility>

namespace zovi::gui {

class RoteiroModal {
public:
    using Acao = std::function<void(QWidget&)>;

    // A form (or any modal window) by its objectName.
    RoteiroModal& Em(const QString& nome, Acao acao) {
        passos_.push_back({nome, false, std::move(acao)});
        return *this;
    }
    // A message box whose text holds `texto`, answered with the button of that caption.
    RoteiroModal& Caixa(const QString& texto, const QString& botao) {
        passos_.push_back({texto, true, [botao](QWidget& w) {
                               for (auto* b : w.findChildren<QPushButton*>())
                                   if (b->text() == botao) return b->click();
                               QFAIL(qPrintable(QStringLiteral("botão %1 ausente").arg(botao)));
                           }});
        return *this;
    }
    // A message box whose text holds `texto`, answered with Enter (its preselected button).
    RoteiroModal& CaixaEnter(const QString& texto) {
        passos_.push_back({texto, true, [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); }});
        return *this;
    }

    // Runs `inicio` (a command that opens modal windows and returns when they are all closed)
    // while the steps act. True when every step found its window; a step that waits longer
    // than `limiteMs` has every modal window closed, so the test ends and reports it.
    bool Executa(const std::function<void()>& inicio, int limiteMs = 20000) {
        QTimer relogio;
        QElapsedTimer espera;
        espera.start();
        relogio.setInterval(15);
        QObject::connect(&relogio, &QTimer::timeout, [&] {
            QWidget* janela = QApplication::activeModalWidget();
            if (expirou_) {
                // One window a tick: each closes its own loop once this returns.
                if (janela) Fecha(*janela);
                return;
            }
            if (ocupado_ || passos_.empty()) return;
            if (espera.elapsed() > limiteMs) {
                pendente_ = Descreve(passos_.front());
                passos_.clear();
                expirou_ = true;
                return;
            }
            if (!janela || !janela->isVisible() || !Combina(janela)) return;
            if (QApplication::activeWindow() != janela) {
                // Offscreen nothing gives the activation back to a form when a box over it closes.
                janela->activateWindow();
                return;
            }
            auto passo = std::move(passos_.front());
            passos_.pop_front();
            espera.restart();
            // The action may open a nested modal loop: it runs from its own event, so this timer
            // goes on serving the steps meanwhile.
            ocupado_ = true;
            QTimer::singleShot(0, janela, [this, janela, acao = std::move(passo.acao)] {
                ocupado_ = false;
                acao(*janela);
            });
        });
        relogio.start();
        inicio();
        relogio.stop();
        if (!passos_.empty()) pendente_ = Descreve(passos_.front());
        passos_.clear();
        return pendente_.isEmpty();
    }
    // The step that never found its window, described.
    const QString& Pendente() const { return pendente_; }

private:
    struct Passo {
        QString chave;
        bool caixa;
        Acao acao;
    };

    bool Combina(QWidget* janela) const {
        const auto& p = passos_.front();
        if (!p.caixa) return janela->objectName() == p.chave;
        auto* caixa = qobject_cast<QMessageBox*>(janela);
        return caixa && caixa->text().contains(p.chave);
    }
    static QString Descreve(const Passo& p) {
        QWidget* ativa = QApplication::activeModalWidget();
        return (p.caixa ? QStringLiteral("caixa \"%1\"") : QStringLiteral("janela %1")).arg(p.chave) +
               QStringLiteral(" (ativa: %1)").arg(ativa ? ativa->objectName() + " " + ativa->windowTitle() : "nenhuma");
    }
    static void Fecha(QWidget& janela) {
        // Past the forms' own questions: a form is closed through QDialog's own path.
        if (auto* d = qobject_cast<QDialog*>(&janela))
            d->QDialog::done(QDialog::Rejected);
        else
            janela.close();
    }

    std::deque<Passo> passos_;
    QString pendente_;
    bool ocupado_ = false;
    bool expirou_ = false;
};

}  // namespace zovi::gui
