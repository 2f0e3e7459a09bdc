#pragma once
// The declared entry form: one table of fields per form, from which the form's
// widgets are built and bound to the row, and which the field-exit checks and
// the "&Ok" checks read.
//
// How to build a form on it:
//
//   class TfmDadosX : public FormularioDeclarado {
//       TfmDadosX(...) : FormularioDeclarado(dialogos, mensagens, pai) {
//           // pages: objectName -> widget; the header, or each tab of a QTabWidget
//           auto* abas = new QTabWidget; AdicionaAba(abas, "tsEndereco", "Endereço"); ...
//           MontaCampos(Grupos(), Campos());   // builds every group, label and control
//           IgnoraSaidaPara({"btCancelar", "btVinculos"});
//       }
//       std::vector<GrupoDeclarado> Grupos();  // where each group sits on its page
//       std::vector<CampoDeclarado> Campos();  // every field, in the order "&Ok" checks them
//   };
//
// A field (CampoDeclarado) names its control, caption, table field, stored width, kind of
// stored value, entry mask, group and grid cell, whether leaving it is checked only when it
// is filled, and its rule: a function returning a Critica (the code, "0000" for a pass;
// the control to focus on failure, an empty code stopping without a message; whether an accepted code is only shown as a warning when
// the field is left). The rule may write cleaned text back to its control.
//
// What the base does for every form:
//  - leaving a field runs its rule (an empty one never with saidaSoPreenchido, and only when
//    the user typed there once the form asked for VaziosSoSeDigitados) unless the focus goes to a button named in
//    IgnoraSaidaPara (e.g. "&Cancelar") or the field's page is being hidden; a failure
//    shows the code through MostraMensagem, opens the field's page, focuses the field,
//    selects its text and refuses the next change of tab once; a click on another tab checks
//    the field being typed the same way first;
//  - CriticaTodos() runs every rule in table order and stops at the first failure;
//  - Tab follows the reading order of the layout (page, group, row, column); Enter moves to
//    the next control (and presses a focused push button); F2 in a code field presses the
//    picker button the table puts right after it (picker buttons take no focus); F1 opens the
//    form's help topic (DefineTopicoAjuda) at the entry named after the field; Escape and the
//    title bar's close act as the form's cancel (Cancela(), which asks and decides);
//  - Carrega()/Descarrega() move the bound fields between the controls and a row of a
//    Tabela with the stored-value conventions: digits without mask characters, numbers
//    and money zero-filled to the width, text trimmed, Windows-1252 throughout;
//  - storing is the form's: write the row inside a zovi::Transacao, so that an engine
//    error leaves nothing half-written and reaches the application's general handler;
//  - every edit refuses a character Windows-1252 cannot hold, and Maiusculas fields
//    turn letters into capitals as they are typed; a text refused for accented letters
//    ("0020") is offered their plain letters; a masked edit puts its cursor at its
//    first free position however the focus arrives (EdicaoMascara).
#include <QDialog>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

#include "platform/Interacao.h"

class QButtonGroup;
class QLineEdit;
class QTabWidget;
class QAbstractButton;

namespace zovi {
class Mensagens;
class Tabela;
}

namespace zovi::gui {

class ServicoDialogos;
class EdicaoValor;

// How a field's value is stored.
enum class ValorCampo {
    Texto,       // trimmed text
    Maiusculas,  // trimmed text, capitals typed
    Codigo,      // digits (or prefix characters) without the mask's literals, as typed
    Numero,      // shown as an integer without leading zeros, stored zero-filled to the width
    Dinheiro,    // "1.234,56" on screen, centavos zero-filled to the width stored
    Data,        // dd/mm/yyyy on screen, ddmmyyyy stored
};

// Which control a field is.
enum class ControleCampo {
    Edicao,   // a line edit (money boxes for ValorCampo::Dinheiro)
    Leitura,  // a read-only line edit
    Opcoes,   // radio buttons, "Caption=value" separated by "|" in `opcoes`
    Marca,    // a check box: "1" ticked, "2" not ticked
    Botao,    // a picker button ("..."), not bound
};

// The result of a field's rule.
struct Critica {
    std::string codigo = "0000";
    QWidget* foco = nullptr;  // where the focus goes on failure; the field itself when null
    bool aviso = false;       // an accepted code: shown when the field is left, never stops
    bool Passou() const { return codigo == "0000"; }
};

struct GrupoDeclarado {
    QString pagina{};   // page objectName
    QString nome{};     // group objectName
    QString titulo{};   // frame caption; empty: no frame
    int linha = 0, coluna = 0, linhas = 1, colunas = 1;
};

struct CampoDeclarado {
    QString nome{};         // control's objectName
    QString rotulo{};       // caption at its left; may carry "&"
    std::string campo{};    // table field; empty: not bound
    int largura = 0;      // stored width (characters shown for Leitura)
    ValorCampo valor = ValorCampo::Texto;
    ControleCampo controle = ControleCampo::Edicao;
    QString mascara{};      // Qt input mask while typing, e.g. "99999-999"; empty: none
    QString grupo{};        // group objectName
    QString opcoes{};       // Opcoes: "Sim=1|Não=2"; Marca: the box's caption
    int linha = 0, coluna = 0, colunas = 1;
    bool saidaSoPreenchido = true;  // leaving an empty field runs nothing
    bool criticaNaSaida = true;     // false: only "&Ok" (CriticaTodos) runs the rule
    std::function<Critica()> regra{};  // empty: no check
};

// The radio buttons of an Opcoes field.
class GrupoOpcoes : public QWidget {
    Q_OBJECT
public:
    GrupoOpcoes(const QString& nome, const QString& opcoes, bool vertical, QWidget* pai = nullptr);
    QString Valor() const;                // empty when none is ticked
    void PoeValor(const QString& valor);  // an unknown value unticks all
    QAbstractButton* Botao(const QString& valor) const;
    QList<QAbstractButton*> Botoes() const;
    // An arrow key on one of the buttons: the previous (passo -1) or next enabled one is
    // ticked and focused, as a click would; false when there is none that way.
    bool Move(QAbstractButton* de, int passo);
signals:
    void Escolhido(const QString& valor);

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    QButtonGroup* grupo_;
    QStringList valores_;
};

class FormularioDeclarado : public QDialog {
    Q_OBJECT
public:
    FormularioDeclarado(ServicoDialogos& dialogos, Mensagens& mensagens, QWidget* pai = nullptr);

    // Every rule in table order; false at the first failure (shown, focused).
    bool CriticaTodos();
    // One field's rule as "&Ok" runs it (warnings are not shown).
    bool CriticaCampo(const QString& nome) { return Critica_(Campo(nome), false); }

    const CampoDeclarado& Campo(const QString& nome) const;
    // A field's control, or a group's frame, by objectName.
    QWidget* Controle(const QString& nome) const;
    QLineEdit* Edicao(const QString& nome) const;
    EdicaoValor* Valor(const QString& nome) const;
    GrupoOpcoes* Opcoes(const QString& nome) const;

    // The value as stored (Windows-1252, conventions of ValorCampo); money that is not an
    // amount gives "Erro".
    std::string Texto(const QString& nome) const;
    // Shows a stored value in its control.
    void PoeTexto(const QString& nome, const std::string& valor);

    // The tab that holds a control, made current without counting as the user's change.
    void AbrePaginaDe(QWidget* controle);
    bool AbaBloqueada() const { return bloqueiaAba_; }

    // Shows a catalogue code and returns the pressed button's name.
    std::string MostraMensagem(const std::string& codigo);
    // A catalogue message with a line of explanation for the case at hand below its text.
    void MostraComExplicacao(const std::string& codigo, const QString& explicacao);
    QString TextoExplicado(const std::string& codigo, const QString& explicacao) const;
    // A catalogue question whose "Sim" gives up what was typed or deletes rows: "Não" is the
    // button Enter presses.
    std::string PerguntaNao(const std::string& codigo);

protected:
    // Pages: the header (any widget) or a tab of `abas`.
    void AdicionaPagina(QWidget* pagina, const QString& nome);
    QWidget* AdicionaAba(QTabWidget* abas, const QString& nome, const QString& titulo);
    void MontaCampos(const std::vector<GrupoDeclarado>& grupos, std::vector<CampoDeclarado> campos);
    // The area of the pages, in a scroll area: on a small screen it scrolls, and the form's
    // buttons below it stay in sight.
    QWidget* Rolavel(QWidget* area);
    // The help topic of the form: F1 in a field opens it at the field's entry.
    void DefineTopicoAjuda(int topico) { topicoAjuda_ = topico; }
    // Leaving a field towards one of these controls runs no check.
    void IgnoraSaidaPara(const QStringList& nomes);
    // An empty field the user only passed through (opening a tab focuses its first field)
    // is judged by "&Ok", not on the way out.
    void VaziosSoSeDigitados() { vaziosSoSeDigitados_ = true; }

    // Bound fields between the controls and the current row of the table.
    void Carrega(const Tabela& tabela);
    void Descarrega(Tabela& tabela) const;

    // Called after a field was left and its check passed (or did not run): where to go next.
    virtual void AoSairDoCampo(const QString& nome) { Q_UNUSED(nome); }
    // Escape and the title bar's close: the form decides whether it closes.
    virtual void Cancela() { QDialog::reject(); }

    // A failure shown with its code: page opened, field focused, next tab change refused.
    void Falha(const std::string& codigo, QWidget* foco);

    void reject() override { Cancela(); }
    // The first showing fits the form into the screen.
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

    ServicoDialogos& dialogos_;
    Mensagens& mensagens_;

private:
    bool Critica_(const CampoDeclarado& campo, bool saida);
    Resposta OfereceSemAcentos(const CampoDeclarado& campo, const std::string& codigo);
    // The check of leaving a field (none for an empty one the rule lets pass); false when it failed.
    bool CriticaSaida(const CampoDeclarado& campo);
    void SaiuDoCampo(const CampoDeclarado& campo);
    const CampoDeclarado* CampoDoControle(QWidget* controle) const;
    bool AceitaTrocaDeAba();
    bool AbreSeletorDoFoco();
    QWidget* CriaControle(const CampoDeclarado& campo, QWidget* pai);
    QWidget* PaginaDe(QWidget* controle) const;
    void OrdenaTabulacao(const std::vector<GrupoDeclarado>& grupos);

    std::vector<CampoDeclarado> campos_;
    QHash<QString, int> indice_;
    QHash<QString, QWidget*> paginas_;
    QStringList ordemPaginas_;
    QHash<QString, QWidget*> controles_;
    QHash<QWidget*, QTabWidget*> abasDaPagina_;
    QSet<QString> semCritica_;
    bool bloqueiaAba_ = false;
    bool abaLiberada_ = false;  // a change of tab was just refused: the next one goes through
    bool criticando_ = false;
    bool abrindoPagina_ = false;
    bool engoleClique_ = false;
    bool vaziosSoSeDigitados_ = false;
    bool ajustado_ = false;
    int topicoAjuda_ = 0;  // fitted into the screen at the first showing
};

}  // namespace zovi::gui
