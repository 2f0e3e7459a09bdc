#pragma once
// The consultation of a declaration file, window over window:
//   TfmConsultaDisquete  choose the file; it is read by the analysis into the work tables
//   TfmConsulta01        the declarant; "&Conteúdo do arquivo", "&Relatório"
//   TfmConsulta02        the establishment grid
//   TfmConsulta03        one establishment, "< &Anterior" / "&Próximo >" along the grid
//   TfmConsulta04        the establishment's employee grid, by PIS/PASEP or by name
//   TfmConsulta05        one employee, "< &Anterior" / "&Próximo >" along the grid
// Every window reads the work tables and none writes anything. "&Voltar" goes back to the
// window below; "&Fechar" closes them all (each window ends with kFecharConsulta, and the
// window below closes in turn).
#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "declfile/ConsultaArquivo.h"

class QFormLayout;

namespace Ui {
class TfmConsultaDisquete;
class TfmConsulta01;
class TfmConsulta02;
class TfmConsulta03;
class TfmConsulta04;
class TfmConsulta05;
}  // namespace Ui

namespace zovi {
class Banco;
}

namespace zovi::gui {

class ModeloEmpregados;
class ServicoDialogos;

// The result of a consultation window closed by "&Fechar".
inline constexpr int kFecharConsulta = 2;

// Shows the report of the work tables (the consultation's "&Relatório").
using AbreRelatorioConsulta = std::function<void(QWidget* pai)>;

class TfmConsultaDisquete : public QDialog {
    Q_OBJECT
public:
    TfmConsultaDisquete(Banco& banco, ServicoDialogos& dialogos, AbreRelatorioConsulta abreRelatorio,
                        QWidget* pai = nullptr);
    ~TfmConsultaDisquete() override;
    // Reads the file and, when it can be consulted, opens the declarant's window.
    void Carrega(const QString& caminho);

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    void Localiza();
    void SaiDoArquivo();
    void EstadoInicial();
    void Cancela();

    std::unique_ptr<Ui::TfmConsultaDisquete> ui_;
    Banco& banco_;
    ServicoDialogos& dialogos_;
    AbreRelatorioConsulta abreRelatorio_;
    bool carregando_ = false;
    bool interromper_ = false;
};

class TfmConsulta01 : public QDialog {
    Q_OBJECT
public:
    TfmConsulta01(Banco& banco, ServicoDialogos& dialogos, DescricoesReferencia& descricoes,
                  AbreRelatorioConsulta abreRelatorio, QWidget* pai = nullptr);
    ~TfmConsulta01() override;

private:
    std::unique_ptr<Ui::TfmConsulta01> ui_;
};

class TfmConsulta02 : public QDialog {
    Q_OBJECT
public:
    TfmConsulta02(Banco& banco, ServicoDialogos& dialogos, DescricoesReferencia& descricoes, QWidget* pai = nullptr);
    ~TfmConsulta02() override;
    void Consulta(int linha);

private:
    std::unique_ptr<Ui::TfmConsulta02> ui_;
    Banco& banco_;
    ServicoDialogos& dialogos_;
    DescricoesReferencia& descricoes_;
    std::vector<std::map<std::string, std::string>> estabelecimentos_;
};

class TfmConsulta03 : public QDialog {
    Q_OBJECT
public:
    TfmConsulta03(Banco& banco, ServicoDialogos& dialogos, DescricoesReferencia& descricoes,
                  const std::vector<std::map<std::string, std::string>>& estabelecimentos, int atual,
                  QWidget* pai = nullptr);
    ~TfmConsulta03() override;
    int Atual() const { return atual_; }

private:
    void Mostra(int linha);

    std::unique_ptr<Ui::TfmConsulta03> ui_;
    Banco& banco_;
    ServicoDialogos& dialogos_;
    DescricoesReferencia& descricoes_;
    const std::vector<std::map<std::string, std::string>>& estabelecimentos_;
    int atual_ = 0;
};

class TfmConsulta04 : public QDialog {
    Q_OBJECT
public:
    TfmConsulta04(Banco& banco, ServicoDialogos& dialogos, DescricoesReferencia& descricoes,
                  const std::map<std::string, std::string>& estabelecimento, QWidget* pai = nullptr);
    ~TfmConsulta04() override;
    void Consulta(int linha);

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    std::unique_ptr<Ui::TfmConsulta04> ui_;
    Banco& banco_;
    ServicoDialogos& dialogos_;
    DescricoesReferencia& descricoes_;
    std::map<std::string, std::string> estabelecimento_;
    ModeloEmpregados* modelo_ = nullptr;
};

class TfmConsulta05 : public QDialog {
    Q_OBJECT
public:
    TfmConsulta05(Banco& banco, DescricoesReferencia& descricoes, const std::map<std::string, std::string>& estabelecimento,
                  ModeloEmpregados& modelo, int atual, QWidget* pai = nullptr);
    ~TfmConsulta05() override;
    int Atual() const { return atual_; }

private:
    void Mostra(int linha);

    std::unique_ptr<Ui::TfmConsulta05> ui_;
    Banco& banco_;
    DescricoesReferencia& descricoes_;
    std::map<std::string, std::string> estabelecimento_;
    ModeloEmpregados& modelo_;
    int atual_ = 0;
};

}  // namespace zovi::gui
