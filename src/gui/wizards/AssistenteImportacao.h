#pragma once
// "Assistente para Importação de Estabelecimentos": a file in the declaration
// layout of the current year (2005) or of the previous one (2004) is analysed;
// a structural fault ends on the failure page with the structure report, else
// the user ticks the file's establishments, they are imported, and the last page
// shows or prints the import report. Closing the wizard deletes the work tables
// the analysis and the import left.
#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "import/ImportaDeclaracao.h"
#include "wizards/PaginaAssistente.h"

namespace zovi {
class TdmGDZovi;
class Mensagens;
}  // namespace zovi

namespace zovi::relatorios {
class Relatorio;
}  // namespace zovi::relatorios

namespace zovi::gui {

class TfmImport00;
class TfmImport01;
class TfmImport02;
class TfmImport03;

// What the pages keep between them.
struct ContextoImportacao : ContextoAssistente {
    ContextoImportacao(TdmGDZovi& dm, Mensagens& mensagens, int ano) : dm(dm), mensagens(mensagens), ano(ano) {}
    TdmGDZovi& dm;
    Mensagens& mensagens;
    const int ano;                // 2005, or 2004 for the previous year's file
    bool falhaEstrutura = false;  // the analysis recorded a fault in Te8stru
};

class AssistenteImportacao {
public:
    AssistenteImportacao(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, int ano,
                         QWidget* pai = nullptr);
    ~AssistenteImportacao();

    // Runs the pages from the file page, then deletes the work tables.
    void Executa();

    TfmImport00& Arquivo() { return *fmImport00_; }
    TfmImport02& Selecao() { return *fmImport02_; }

private:
    ServicoDialogos& dialogos_;
    ContextoImportacao contexto_;
    std::unique_ptr<TfmImport00> fmImport00_;
    std::unique_ptr<TfmImport01> fmImport01_;
    std::unique_ptr<TfmImport02> fmImport02_;
    std::unique_ptr<TfmImport03> fmImport03_;
};

// "&Visualizar" previews and "&Relatório" prints the report `cria` makes, each time anew.
void LigaBotoesRelatorio(QWidget* pagina, QAbstractButton* visualizar, QAbstractButton* imprimir,
                         ServicoDialogos& dialogos, std::function<std::unique_ptr<relatorios::Relatorio>()> cria);

// The file pages of the import and analyzer wizards: "&Localizar" puts the file chosen in
// the "Abrir arquivo" dialog into `campo`; ArquivoExiste warns and focuses `campo` when the
// path typed is no file.
void LocalizaArquivo(QWidget* pagina, ServicoDialogos& dialogos, QLineEdit* campo, const QString& filtro);
bool ArquivoExiste(QWidget* pagina, ServicoDialogos& dialogos, QLineEdit* campo);

// The year label of the pages: "Atual - Ano 2005" or "Anterior - Ano 2004".
QString RotuloAnoImportacao(int ano);

}  // namespace zovi::gui
