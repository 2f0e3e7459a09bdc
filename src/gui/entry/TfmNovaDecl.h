#pragma once
// The new-declaration wizard: the identifying data of a new establishment
// (inscription, whose kind follows from its length and check digits, prefix,
// CEI Vinculado, name, the employer's own text, the type of declaration), its
// checks in order, the refusal of an inscription and prefix that already
// exist, and the BD8EMP row created with its defaults for base year 2005. The
// establishment form then takes the row over. Nothing is stored before every
// check passes; "&Cancelar" leaves the tables untouched.
#include <functional>
#include <string>

#include "entry/FormularioDeclarado.h"

class QPushButton;

namespace zovi {
class TdmGDZovi;
}

namespace zovi::gui {

class TfmNovaDecl : public FormularioDeclarado {
    Q_OBJECT
public:
    // Opens the establishment form for a key (new-row flag true).
    using AbreEstabelecimento = std::function<void(const std::string& anoBase, const std::string& inscricao,
                                                   const std::string& prefixo)>;

    TfmNovaDecl(TdmGDZovi& dm, ServicoDialogos& dialogos, Mensagens& mensagens, AbreEstabelecimento abre,
                QWidget* pai = nullptr);

    // The inscription in its stored 14-character form and its type ("1" CNPJ, "3" CEI) once recognised.
    const std::string& Inscricao() const { return inscricao_; }
    const std::string& TipoInscricao() const { return tipo_; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;
    void AoSairDoCampo(const QString& nome) override;

private:
    std::vector<GrupoDeclarado> Grupos() const;
    std::vector<CampoDeclarado> Campos();
    Critica RegraInscricao();
    void Reconhece(const std::string& tipo);
    void MostraInscricaoFormatada();
    // The duplicate test on leaving the prefix; false when it stopped the user.
    bool TesteDuplicidade();
    // The exact key already stored: the code to show, or empty.
    std::string ChaveExistente();
    void Ok();
    void MostraCopiados();
    void GravaNovo(const std::vector<std::pair<std::string, std::string>>& copiados);
    std::string Prefixo() const;

    TdmGDZovi& dm_;
    AbreEstabelecimento abre_;
    std::string digitado_;          // the inscription's digits as the user typed them
    std::string codigoInscricao_;   // fCriticaInscricao's answer for it
    std::string inscricao_, tipo_;
    // The fields of the establishment the user chose to copy ("1001"), stored with the new row.
    std::vector<std::pair<std::string, std::string>> copiados_;
    QPushButton* btOk_ = nullptr;
    QPushButton* btCancelar_ = nullptr;
};

}  // namespace zovi::gui
