#pragma once
// The declarant form: shows and edits the single row of BD8RESP, the person or
// company responsible for the declaration. Each field is checked as it is left
// (the shared declarant routines, entry/RotinasResponsavel.h) and all of them
// again, in their order, by "&Ok", which stores the row and closes the form.
// "&Cancelar", Escape and the title bar's close leave the row as it was
// (asking first when something was changed).
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
                 Mensagens& mensagens, QWidget* pai = nullptr);
    ~TfmDadosResp() override;

    RotinasResponsavel& Rotinas() { return *rotinas_; }

protected:
    void AoSairDoCampo(const QString& nome) override;
    void Cancela() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::vector<GrupoDeclarado> Grupos() const;
    std::vector<CampoDeclarado> Campos();
    ControlesResponsavel Controles() const;
    void Posiciona();
    void Abre();
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
};

}  // namespace zovi::gui
