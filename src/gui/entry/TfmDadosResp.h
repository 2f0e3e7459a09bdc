#pragma once
// The declarant form: shows and edits the single row of BD8RESP, the person or
// company responsible for the declaration. Each field is checked as it is left
// (the shared declarant routines, entry/RotinasResponsavel.h) and all of them
// again, in their order, by "&Ok", which stores the row and closes the form.
// "&Cancelar", Escape and the title bar's close leave the row as it was
// (asking first when something was changed).
//
// The declarant pages of the generation and rectification wizards show the
// same fields: built `comoPagina`, the form is a plain widget inside the page,
// without buttons of its own; the page's "Avançar" calls Grava, its Escape and
// its "Cancelar" are the page's.
#include <memory>

#include "entry/FormularioDeclarado.h"
#include "entry/RotinasResponsavel.h"

class QPushButton;

namespace zovi {
class TdmGDZovi;
class TdmDadosResp;
}

namespace zovi::gui {

class Seletores;

class TfmDadosResp : public FormularioDeclarado {
    Q_OBJECT
public:
    TfmDadosResp(TdmGDZovi& dm, const TCriticaZovi& critica, Seletores& seletores, ServicoDialogos& dialogos,
                 Mensagens& mensagens, QWidget* pai = nullptr, bool comoPagina = false);
    ~TfmDadosResp() override;

    RotinasResponsavel& Rotinas() { return *rotinas_; }
    // The stored row shown again, unsaved changes dropped.
    void Abre();
    // Every check in the order of "&Ok" (the first failure shown and focused), then the row
    // finished and stored; false when a check failed.
    bool Grava();

protected:
    void AoSairDoCampo(const QString& nome) override;
    void Cancela() override;

private:
    std::vector<GrupoDeclarado> Grupos() const;
    std::vector<CampoDeclarado> Campos();
    ControlesResponsavel Controles() const;
    void Posiciona();
    void Confirma();
    void EscolheMunicipio();
    bool Alterado() const;

    std::unique_ptr<TdmDadosResp> dmDadosResp_;
    Seletores& seletores_;
    std::unique_ptr<RotinasResponsavel> rotinas_;
    DadosResponsavel aberto_;         // the row as it was shown on opening
    QString inscricaoAberta_;         // and the inscription's digits
    QPushButton* btOk_ = nullptr;
    QPushButton* btCancelar_ = nullptr;
    bool comoPagina_ = false;
};

}  // namespace zovi::gui
