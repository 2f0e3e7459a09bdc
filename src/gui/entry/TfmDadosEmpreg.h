#pragma once
// The employee form: one BD8VINC row on seven pages, declared as one table of
// fields (FormularioDeclarado). Leaving a field runs that field's chain of
// checks (rules/CriticaEmpregado, the chains the verification run runs too):
// the warnings it meets are shown and the user goes on, its first error stops
// on the field. "&Ok" runs every field's chain again in page order, then the
// chain of the year's totals (which refuses an employee without any
// remuneration), and stores the row with the establishment's counts
// (CadastroEmpregado).
//
// Mode "I" starts a new employee; mode "A" opens the row of a key. A new
// employee whose PIS/PASEP the establishment already has may copy that worker's
// personal data ("1050"); an admission date already used by the same worker
// offers the existing row ("1051") or, in mode "A", is refused ("1058").
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "entry/ContextoEmpregados.h"
#include "rules/CriticaEmpregado.h"
#include "entry/FormularioDeclarado.h"
#include "pickers/Seletores.h"

class QPushButton;
class QTabWidget;

namespace zovi::gui {

class TfmDadosEmpreg : public FormularioDeclarado {
    Q_OBJECT
public:
    // chave: the employee to open (mode "A"); none for a new one (mode "I").
    TfmDadosEmpreg(ContextoEmpregados& contexto, const std::optional<ChaveEmpregado>& chave, QWidget* pai = nullptr);
    ~TfmDadosEmpreg() override;

    char Modo() const { return modo_; }
    // The row as it would be stored now: stored-value conventions, numbers zero-filled.
    RegistroVinculo Registro() const;
    // After the form closed: the key stored, or the PIS/PASEP the list should search for
    // (the user chose to see the worker already stored instead of copying the data).
    const std::optional<ChaveEmpregado>& ChaveGravada() const { return chaveGravada_; }
    const std::optional<std::string>& PisParaBusca() const { return pisParaBusca_; }

    QTabWidget* Paginas() const { return pcEmpregados_; }

    // The buttons' actions.
    void Ok();
    void Excluir();

protected:
    void AoSairDoCampo(const QString& nome) override;
    void Cancela() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool ProximaPagina(QWidget* foco);

    void MontaPaginas();
    void MontaBotoes();
    std::vector<GrupoDeclarado> Grupos() const;
    std::vector<CampoDeclarado> Campos();
    void LigaSeletores();
    void LigaDescricoes();

    // A field's chain of checks (CriticaEmpregado) over the record on screen: its warnings are
    // shown when the field is left, its first error stops.
    using CadeiaCampo = std::function<void(const DadosEmpregado&, PassosCritica&)>;
    zovi::gui::Critica Cadeia(const CadeiaCampo& cadeia);
    zovi::gui::Critica Cadeia(void (*cadeia)(const DadosEmpregado&, int, PassosCritica&), int i);
    DadosEmpregado Dados(const RegistroVinculo& r) const;
    void MostraAviso(const std::string& codigo);

    void Abre(const std::optional<ChaveEmpregado>& chave);
    void Mostra(const RegistroVinculo& r);
    void MostraDescricao(const QString& campoCodigo);
    void AjustaDesligamento(const std::string& causa, bool perguntaAviso);
    void AjustaAlvara(const RegistroVinculo& r);
    void LimpaAvisoPrevio();
    void Habilita(const QString& nome, bool sim);
    void EscolheCodigo(const QString& campo);
    void AjustaChegada();

    void SaiuPis();
    void SaiuNacionalidade();
    void SaiuVinculo();
    void SaiuAdmissao();

    ContextoEmpregados& ctx_;
    QTabWidget* pcEmpregados_ = nullptr;
    QPushButton* BtOk_ = nullptr;
    QPushButton* BtCancelar_ = nullptr;
    QPushButton* BtExcluir_ = nullptr;

    char modo_ = 'I';
    RegistroVinculo original_;                 // the row as opened (empty for a new one)
    std::optional<ChaveEmpregado> chaveOriginal_;
    std::string anoRef_ = "2005";              // the employees' reference year
    std::string ultimoPis_;                    // the last PIS/PASEP looked up for "1050"
    bool salvando_ = false;
    std::vector<std::pair<QString, std::string RegistroVinculo::*>> ligados_;
    std::vector<std::pair<QString, int>> ordem_;  // entry fields in reading order, with their page

    std::optional<ChaveEmpregado> chaveGravada_;
    std::optional<std::string> pisParaBusca_;
};

}  // namespace zovi::gui
