#pragma once
// What a verification found, as the wizards show it: the text of its outcome
// (errors, only warnings, or neither) and, when there is something to report,
// the buttons that preview the error report and print it. Each wizard gives
// its own texts. The buttons show or print the error report of the last
// verification run (te8errwa of the data folder).
#include <QWidget>

#include <memory>

#include "rules/VerificaDeclaracao.h"

namespace Ui {
class PainelResultado;
}

namespace zovi {
class Banco;
class CatalogoMensagens;
}  // namespace zovi

namespace zovi::gui {

class ServicoDialogos;

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

    // The report the buttons preview and print: te8errwa of the folder, texts from the catalogue.
    void LigaRelatorio(Banco& banco, const CatalogoMensagens& catalogo, ServicoDialogos& dialogos);
    void Mostra(Desfecho desfecho);
    Desfecho Atual() const { return desfecho_; }
    // The focus goes to the preview button (errors panel).
    void FocaVisualizar();

private:
    void Visualizar();
    void Imprimir();

    std::unique_ptr<Ui::PainelResultado> ui_;
    QString textoErros_, textoAvisos_, textoNenhum_;
    QString botaoAvisos_ = QStringLiteral("&Avisos");
    Desfecho desfecho_ = Desfecho::Nenhum;
    Banco* banco_ = nullptr;
    const CatalogoMensagens* catalogo_ = nullptr;
    ServicoDialogos* dialogos_ = nullptr;
};

}  // namespace zovi::gui
