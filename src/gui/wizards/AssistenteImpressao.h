#pragma once
// The print assistant ("Assistente de Impressão") and the declaration report's
// pages: TfmRelatorio03 the kind of report (the declaration, or the receipt of
// a returned diskette), TfmRelatorio02 complete or summary, TfmRelatorio00 the
// employees' order, TfmRelatorio01 the establishments and employees to print,
// previewed or printed through the print options TfmPrintOpc.
//
// The caller names the tables: the declaration tables from the main window,
// the work tables from the consultation (which starts at TfmRelatorio02).
#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TrpRelatorios.h"
#include "wizards/PaginaAssistente.h"

namespace Ui {
class TfmRelatorio00;
class TfmRelatorio01;
class TfmRelatorio02;
class TfmRelatorio03;
class TfmPrintOpc;
}  // namespace Ui

namespace zovi {
class Banco;
}

namespace zovi::gui {

struct ContextoImpressao : ContextoAssistente {
    ContextoImpressao(Banco& banco, QString versao) : banco(banco), versao(std::move(versao)) {
        titulo = QStringLiteral("Assistente de Impressão");
    }
    Banco& banco;
    QString versao;
    relatorios::ParametrosDeclaracao parametros;
    // The receipt of a returned diskette ("Imprimir o Protocolo"); without it that choice is off.
    std::function<void(QWidget* pai)> abreProtocolo;
};

// The selection page's line of an establishment: the inscription in its display form in 18
// characters, four spaces, the prefix, four spaces, the name.
std::string LinhaEmpresaRelatorio(const std::string& inscricao, const std::string& tipo, const std::string& prefixo,
                                  const std::string& nome);
// An employee's line in the chosen order: PIS order, PIS, admission date, name in 30 and the
// company-use text; name order the name first; company-use order the company-use text in 13 first.
std::string LinhaEmpregadoRelatorio(relatorios::OrdemEmpregados ordem, const std::string& pis,
                                    const std::string& admissao, const std::string& nome, const std::string& uso);

class TfmRelatorio03 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmRelatorio03(ContextoImpressao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmRelatorio03() override;

private:
    std::unique_ptr<Ui::TfmRelatorio03> ui_;
};

class TfmRelatorio02 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmRelatorio02(ContextoImpressao& contexto, ServicoDialogos& dialogos, bool primeira, QWidget* pai = nullptr);
    ~TfmRelatorio02() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    std::unique_ptr<Ui::TfmRelatorio02> ui_;
};

class TfmRelatorio00 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmRelatorio00(ContextoImpressao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmRelatorio00() override;

private:
    std::unique_ptr<Ui::TfmRelatorio00> ui_;
};

class TfmRelatorio01 : public PaginaAssistente {
    Q_OBJECT
public:
    TfmRelatorio01(ContextoImpressao& contexto, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmRelatorio01() override;
    // Lists the employees of establishment `linha` of the list.
    void ListaEmpregados(int linha);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void ListaEmpresas();
    void EscolheParcial();
    void EscolheTotal();
    // The report settings from the ticks; false (after the message) when nothing can print.
    bool Escolha();
    void Visualiza();
    void Imprime();

    std::unique_ptr<Ui::TfmRelatorio01> ui_;
    ContextoImpressao& impressao_;
    std::vector<relatorios::EstabelecimentoEscolhido> empresas_;
    std::vector<relatorios::EmpregadoEscolhido> empregados_;
    int empresaListada_ = -1;
};

// "Imprimir": the page ranges and the number of copies.
class TfmPrintOpc : public QDialog {
    Q_OBJECT
public:
    TfmPrintOpc(ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~TfmPrintOpc() override;
    // After OK: the ranges (one 0..0 for every page) and the copies.
    const std::vector<std::pair<int, int>>& Intervalos() const { return intervalos_; }
    int Copias() const { return copias_; }

private:
    void Ok();
    void Muda(int passo);

    std::unique_ptr<Ui::TfmPrintOpc> ui_;
    ServicoDialogos& dialogos_;
    std::vector<std::pair<int, int>> intervalos_;
    int copias_ = 1;
};

// Runs the assistant from its first page (the main window), or from the complete-or-summary
// page (the consultation).
void ExecutaAssistenteImpressao(ContextoImpressao& contexto, ServicoDialogos& dialogos, QWidget* pai,
                                bool desdeOTipo = true);

}  // namespace zovi::gui
