#pragma once
// What a verification found, as the wizards show it: the text of its outcome
// (errors, only warnings, or neither) and, when there is something to report,
// the buttons that preview the error report and print it. Each wizard gives
// its own texts.
#include <QWidget>

#include <memory>

#include "rules/VerificaDeclaracao.h"

namespace Ui {
class PainelResultado;
}

namespace zovi::gui {

// The outcome of a verification, numbered as the wizards keep it.
enum class Desfecho { Erros = 1, Avisos = 2, Nenhum = 3 };
Desfecho DesfechoDe(const ResultadoVerificacao& resultado);

class PainelResultado : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString textoErros MEMBER textoErros_)
    Q_PROPERTY(QString textoAvisos MEMBER textoAvisos_)
    Q_PROPERTY(QString textoNenhum MEMBER textoNenhum_)
    // The print button of the warnings panel ("&Avisos", "Avi&sos").
    Q_PROPERTY(QString botaoAvisos MEMBER botaoAvisos_)
public:
    explicit PainelResultado(QWidget* pai = nullptr);
    ~PainelResultado() override;

    void Mostra(Desfecho desfecho);
    Desfecho Atual() const { return desfecho_; }
    // The focus goes to the preview button (errors panel).
    void FocaVisualizar();

signals:
    void Visualizar();
    void Imprimir();

private:
    std::unique_ptr<Ui::PainelResultado> ui_;
    QString textoErros_, textoAvisos_, textoNenhum_;
    QString botaoAvisos_ = QStringLiteral("&Avisos");
    Desfecho desfecho_ = Desfecho::Nenhum;
};

}  // namespace zovi::gui
