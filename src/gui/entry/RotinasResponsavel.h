#pragma once
// The declarant's checks (rules/CriticaResponsavel.h) run on a window's own
// controls: the declarant form and the declarant page of the generation and
// rectification wizards each hand their controls over once and call the same
// routines.
//
//     RotinasResponsavel rotinas(controles, critica);
//     rotinas.Mostra(LeResponsavel(ta8Resp));             // on opening
//     ...
//     if (!rotinas.Aplica(rotinas.CriticaNome(), mensagens)) return;  // leaving a field
//     ...
//     if (!rotinas.Aplica(rotinas.CriticaTodas(), mensagens)) return; // "&Ok" / "Avançar"
//     auto dados = rotinas.Dados();
//     FinalizaResponsavel(dados);
//     PoeResponsavel(ta8Resp, dados);
//
// Each routine reads the controls it needs, runs the check, and on success
// shows the cleaned value back (the name trimmed, the street number without
// leading zeros, the inscription in its kind's mask, the municipality's name
// and state). It returns a Critica: the code, the control to go back to, and
// whether the code is only a notice. Aplica shows the code through
// MostraMensagem and focuses that control, as the forms do.
//
// The inscription box takes up to 14 digits while it has the focus and shows
// the inscription in its kind's mask otherwise.
#include <QObject>

#include "entry/FormularioDeclarado.h"
#include "rules/CriticaResponsavel.h"

class QCheckBox;
class QLineEdit;

namespace zovi {
class Mensagens;
}

namespace zovi::gui {

struct ControlesResponsavel {
    QLineEdit* inscricao = nullptr;
    QLineEdit* tipoInscricao = nullptr;  // read-only: "CNPJ", "CEI" or "CPF"
    QLineEdit* nome = nullptr;
    QLineEdit* logradouro = nullptr;
    QLineEdit* numero = nullptr;
    QLineEdit* complemento = nullptr;
    QLineEdit* bairro = nullptr;
    QLineEdit* cep = nullptr;
    QLineEdit* municipio = nullptr;
    QLineEdit* nomeMunicipio = nullptr;  // read-only
    QLineEdit* uf = nullptr;             // read-only
    QLineEdit* ddd = nullptr;
    QLineEdit* telefone = nullptr;
    QLineEdit* email = nullptr;
    QCheckBox* recibo = nullptr;         // optional: InReciboParaRespArquivo
};

class RotinasResponsavel : public QObject {
    Q_OBJECT
public:
    RotinasResponsavel(const ControlesResponsavel& controles, const TCriticaZovi& critica, QObject* pai = nullptr);

    // The record shown in the controls (the inscription in its mask, the number without zeros).
    void Mostra(const DadosResponsavel& dados);
    // The record as the controls hold it now, with the inscription last accepted.
    DadosResponsavel Dados() const;

    Critica CriticaInscricao();
    Critica CriticaNome();
    // `focoEmAvancar`: the user is leaving for the wizard's next page (no area-code notice).
    Critica CriticaDdd(bool focoEmAvancar);
    Critica CriticaTelefone();
    Critica CriticaLogradouro();
    Critica CriticaNumero();
    Critica CriticaComplemento();
    Critica CriticaBairro();
    Critica CriticaCep();
    Critica CriticaMunicipio();
    Critica CriticaEmail();
    // Every check in the order of "&Ok"; the first failure.
    Critica CriticaTodas();
    // Leaving an empty inscription or municipality empties what is shown beside it.
    void LimpaTipoInscricao();
    void LimpaMunicipio();

    // Shows a failure's (or a notice's) code and focuses its control; true when it passed.
    static bool Aplica(const Critica& critica, Mensagens& mensagens);

    // The digits of the inscription box (what the user typed, whatever mask it shows).
    QString DigitosInscricao() const;

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    template <class Rotina>
    Critica Roda(Rotina rotina);
    Critica Converte(const ResultadoResponsavel& r) const;
    QWidget* Controle(CampoResponsavel campo) const;
    void LeControles(DadosResponsavel& d) const;
    void MostraInscricao();

    ControlesResponsavel c_;
    const TCriticaZovi& critica_;
    // The inscription as accepted (zero-filled) and its type: the box shows it masked.
    std::string inscricao_;
    std::string tipo_;
};

}  // namespace zovi::gui
