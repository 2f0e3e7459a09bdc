#pragma once
// The main window: menu and speed buttons of every command, the rule that
// enables the commands that need a declaration, and the tips box shown at the
// first activation.
#include <QMainWindow>

#include <memory>

#include "app/SiteZovi.h"
#include "data/ModulosDados.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "rules/CriticaZovi.h"
#include "rules/Referencias.h"

class QAction;
class QToolButton;

namespace Ui {
class TfmGDZOVI;
}

namespace zovi::gui {

class ServicoDialogos;
class JanelaAjuda;
class ComandosEstabelecimento;
class ContextoEntrada;
class Seletores;
class TfmInicioRegras;

class TfmGDZOVI : public QMainWindow {
    Q_OBJECT
public:
    TfmGDZOVI(TdmGDZovi& dmGDZovi, ServicoDialogos& dialogos, JanelaAjuda& ajuda, QWidget* pai = nullptr);
    ~TfmGDZOVI() override;

    int AnoBase() const { return anoBase_; }
    // "2005.2": the base year followed by ".2"; built when the window is first shown.
    const QString& VersaoTexto() const { return versao_; }

    // The catalogue's messages, shown through the program's dialogs.
    Mensagens& MensagensPrograma() { return mensagens_; }

    // Enables the commands that need an establishment of the current or the next base year.
    void ControlaBotoes();

    TdmGDZovi& DadosPrograma() { return dm_; }
    // What the entry forms work with, for the whole run.
    ContextoEntrada& EntradaPrograma() { return *entrada_; }
    // The entry tables and counting queries of the entry forms.
    TdmEntradaDados& EntradaDadosPrograma();
    ServicoDialogos& DialogosPrograma() { return dialogos_; }
    // The establishment commands (new declaration, list, establishment form).
    ComandosEstabelecimento& Estabelecimentos() { return *comandosEstabelecimento_; }

    // The code pickers of the whole run, for the entry forms.
    Seletores& SeletoresPrograma();
    // The reference tables in memory for the field rules, read at the first use, and the
    // one municipality-and-CEP check of the run over them.
    const Referencias& ReferenciasPrograma();
    const TCriticaZovi& CriticaZoviPrograma();

    // The handler a menu item or speed button runs, by its object name (for tests and scripts).
    void ExecutaComando(const QString& nomeObjeto);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    struct Comando;
    void LigaComandos();
    void PoeGlifos();
    void PrimeiraExibicao();
    void PrimeiraAtivacao();
    void NaoDisponivel();
    void InformacoesUteis();
    void Sobre();
    void Sair();
    void AjudaF1();
    void AjudaContexto(int contexto);

    std::unique_ptr<Ui::TfmGDZOVI> ui_;
    TdmGDZovi& dm_;
    ServicoDialogos& dialogos_;
    JanelaAjuda& ajuda_;
    CatalogoMensagens catalogo_;
    Mensagens mensagens_;
    std::unique_ptr<TfmInicioRegras> fmInicioRegras_;
    std::unique_ptr<ContextoEntrada> entrada_;
    std::unique_ptr<ComandosEstabelecimento> comandosEstabelecimento_;
    std::vector<Comando> comandos_;
    int anoBase_ = 2005;
    QString versao_;
    char primeiraAtivacao_ = 'S';
    bool exibida_ = false;
};

}  // namespace zovi::gui
