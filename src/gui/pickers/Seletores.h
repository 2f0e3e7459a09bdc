#pragma once
// The code pickers: small modal windows with a tree of "code  - description"
// lines, built from a reference table (or a fixed list), from which the user
// chooses the code of an entry field instead of typing it.
//
// Forms reach every picker through one Seletores object, which the main window
// owns for the whole run (TfmGDZOVI::SeletoresPrograma()):
//
//     if (seletores.Escolhe(TipoSeletor::Cnae, *edCnae, this)) CriticaCnae();
//
// Escolhe shows the picker of the kind modally (through the dialog service, so
// tests script it) and writes the chosen code into the field:
//   - the CNAE code goes through the field's typing path (QLineEdit::insert): its
//     input mask and validator apply and textEdited is emitted, as if typed;
//   - every other code is set as a plain value (QLineEdit::setText);
//   - the municipality picker remembers the last code chosen during the run:
//     closed without a choice, it fills an empty field with that code (a field
//     that already holds a code keeps it).
// A line of the wrong level (a state, a CNAE group, a CBO heading) cannot be
// chosen: the picker stays open. The months and leave pickers close on any
// click or Enter, writing the selected line's code when there is one.
//
// The municipality, CNAE, CBO, race and leave pickers are built once, when the
// Seletores is created, and live for the whole run; the others are built anew
// for each showing.
#include <QLineEdit>
#include <QString>

#include <memory>
#include <optional>

namespace zovi {
class TdmGDZovi;
}

namespace zovi::gui {

class ServicoDialogos;
class TfmSeletor;

// One picker per code field kind; the comment names the field the code goes to
// and how many characters it has.
enum class TipoSeletor {
    Municipio,         // CoMunicipio, CoMunicipioRespArquivo, CoMunicipioTrabalho (7)
    Cnae,              // CoCnae (5)
    NaturezaJuridica,  // CoNaturezaJuridica (4)
    Cbo,               // CoCbo (6)
    Nacionalidade,     // CoNacionalidade (2)
    Instrucao,         // CoInstrucao (1)
    TipoAdmissao,      // CoTipoAdmissao (1)
    TipoSalario,       // CoTipoSalarioContratual (1)
    Vinculo,           // CoVinculo (2)
    Desligamento,      // CoCausaDesligamento (2)
    Raca,              // CoTipoRaca (1)
    MesesAno,          // Me13AdiantamentoEmpregado, Me13ParcelaFinalEmpregado (2)
    Afastamento,       // CoMotivoPrimAfas, CoMotivoSeguAfas, CoMotivoTercAfas (2)
};

class Seletores {
public:
    // Builds the pickers that live for the whole run from the open reference tables.
    Seletores(TdmGDZovi& dm, ServicoDialogos& dialogos);
    ~Seletores();
    Seletores(const Seletores&) = delete;
    Seletores& operator=(const Seletores&) = delete;

    // Shows the picker over `pai` and writes the chosen code into `destino` (see above).
    // True when a code was chosen in this showing.
    bool Escolhe(TipoSeletor tipo, QLineEdit& destino, QWidget* pai = nullptr);

    // Shows the picker and returns the code chosen, for a field that is not a QLineEdit;
    // nothing when the user closed it without a choice. `atual` is the field's current
    // code: its line is selected when the picker opens. (No municipality memory here.)
    std::optional<QString> EscolheCodigo(TipoSeletor tipo, const QString& atual = {}, QWidget* pai = nullptr);

    // The last municipality code chosen during the run (empty before the first choice).
    const QString& UltimoMunicipio() const { return ultimoMunicipio_; }

private:
    std::optional<QString> Mostra(TipoSeletor tipo, const QString& atual, QWidget* pai);
    TfmSeletor* Permanente(TipoSeletor tipo);

    TdmGDZovi& dm_;
    ServicoDialogos& dialogos_;
    std::unique_ptr<TfmSeletor> frmT8Munic_;
    std::unique_ptr<TfmSeletor> fmTb8Cnae_;
    std::unique_ptr<TfmSeletor> fmTb8CBO_;
    std::unique_ptr<TfmSeletor> fmTb8Raca_;
    std::unique_ptr<TfmSeletor> fmTb8Afast_;
    QString ultimoMunicipio_;
};

}  // namespace zovi::gui
