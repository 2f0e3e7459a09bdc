#pragma once
// The establishment form: every field of one BD8EMP row on a header and five
// tabs, declared in one field table (Campos()) that builds the form and names
// each field's chain of checks (rules/CriticaEstabelecimento, the chains the
// verification run runs too), run over the row on screen when the field is left
// and again, in table order, on "&Ok". The services come from the entry context.
//
// The row's open-operation marker InOpcaoAberta holds "0" from the moment the
// form loads the row until the form closes, so that a run that ends abnormally
// is reported the next time the establishment is opened. Storing writes the row
// (and, for a declaration without employees, removes its employees) in one
// transaction.
#include <functional>
#include <memory>
#include <string>

#include "entry/FormularioDeclarado.h"
#include "rules/CriticaEstabelecimento.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace zovi {
class TdmGDZovi;
class TdmEntradaDados;
struct EstabelecimentoEmpregados;
}  // namespace zovi

namespace zovi::gui {

class ContextoEntrada;
class Seletores;

class TfmDadosEstab : public FormularioDeclarado {
    Q_OBJECT
public:
    enum class Saida { Cancelada, Gravada, Empregados };

    explicit TfmDadosEstab(ContextoEntrada& contexto, QWidget* pai = nullptr);
    ~TfmDadosEstab() override;

    // The establishment to show; `novo`: the row was just created by the new-declaration wizard.
    void DefineEstabelecimento(const std::string& anoBase, const std::string& inscricao, const std::string& prefixo,
                               bool novo);
    // Opens the employees of the stored establishment ("&Ok" with employees, "&Vinculos"); unset,
    // "&Ok" only stores and "&Vinculos" says it is not available yet.
    void DefineEmpregados(std::function<void(const EstabelecimentoEmpregados&)> abre) { abreEmpregados_ = std::move(abre); }

    Saida SaidaFormulario() const { return saida_; }

    // "&Ok" and "&Vinculos" store through here; false when a check failed or the user declined.
    bool GravaRegistro();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int resultado) override;
    void AoSairDoCampo(const QString& nome) override;
    void Cancela() override;

private:
    std::vector<GrupoDeclarado> Grupos() const;
    std::vector<CampoDeclarado> Campos();
    void MontaJanela();
    void Abre();
    void CarregaRegistro(Tabela& t);
    void AplicaPorte();
    void AplicaTipoDeclaracao(bool comAvisos);
    void AtualizaAnoBase();
    void MostraDescricoes();
    void Ok();
    void Vinculos();
    void AbreEmpregados();
    void LiberaMarcador();
    // The twelve digits of "CEI Vinculado", zeros when none.
    std::string CeiVinculado12() const;
    std::string TipoDeclaracao() const;
    // The row as the form holds it now, with the stored-value conventions.
    RegistroEstabelecimento Registro() const;
    // A field's chain of checks (CriticaEstabelecimento) over that row: its first error, or its
    // first warning (shown on leaving, never stopping). `foco`: where a failure goes instead of
    // the field the rule names.
    using CadeiaCampo = std::function<void(const DadosEstabelecimento&, PassosCritica&)>;
    Critica Cadeia(const CadeiaCampo& cadeia, QWidget* foco = nullptr);
    Critica Cadeia(void (*cadeia)(const DadosEstabelecimento&, int, PassosCritica&), int i);
    Critica Endereco(void (*cadeia)(const zovi::Endereco&, PassosCritica&));
    QWidget* FocoDoRotulo(const char* rotulo);
    Critica RegraValor(const QString& nome, int contribuicao);

    TdmGDZovi& dm_;
    TdmEntradaDados& entrada_;
    const Referencias& ref_;
    Seletores& seletores_;
    std::function<void(const EstabelecimentoEmpregados&)> abreEmpregados_;
    std::vector<std::pair<QString, std::string RegistroEstabelecimento::*>> ligados_;

    std::string anoBase_, inscricao_, prefixo_, tipo_ = "1";
    bool novo_ = false;
    bool existe_ = false;
    bool precisaAbrir_ = false;
    Saida saida_ = Saida::Cancelada;

    QTabWidget* abas_ = nullptr;
    QLabel* laAnoBase_ = nullptr;
    QPushButton* btOk_ = nullptr;
    QPushButton* btVinculos_ = nullptr;
    QPushButton* btCancelar_ = nullptr;
};

}  // namespace zovi::gui
