#pragma once
// "Assistente para Analisar um arquivo ZOVI": a declaration file produced by
// a payroll system is analysed for its structure and its declared data are
// verified with every rule. The file page (TfmAnalis00) runs both and ends on
// its fault panel when the structure fails; otherwise the result page
// (TfmAnalis01) shows what the verification found and, without errors, writes
// the file again, sealed. Closing the wizard deletes the work tables, the
// inconsistency table and Te8stru.
#include <QWidget>

#include <memory>

#include "wizards/PaginaAssistente.h"

namespace zovi {
class TdmGDZovi;
class Mensagens;
}  // namespace zovi

namespace zovi::gui {

class TfmAnalis00;
class TfmAnalis01;

// The verification's outcome as the result page takes it.
enum class ResultadoAnalise { kAvisos = '0', kErros = '1', kCorreto = '2', kNenhum = 0 };

struct ContextoAnalise : ContextoAssistente {
    ContextoAnalise(TdmGDZovi& dm, Mensagens& mensagens) : dm(dm), mensagens(mensagens) {
        titulo = QStringLiteral("Assistente para Analisar um arquivo ZOVI");
    }
    TdmGDZovi& dm;
    Mensagens& mensagens;
    bool retificacao = false;  // the file's header marks a rectification
    ResultadoAnalise resultado = ResultadoAnalise::kNenhum;
    bool gravado = false;  // the file was written again, sealed
};

class AssistenteAnalise {
public:
    AssistenteAnalise(TdmGDZovi& dm, Mensagens& mensagens, ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~AssistenteAnalise();

    // Runs the file page and the result page, then deletes the tables the analysis and the verification left.
    void Executa();

    ContextoAnalise& Contexto() { return contexto_; }
    TfmAnalis00& Arquivo() { return *fmAnalis00_; }
    TfmAnalis01& Resultado() { return *fmAnalis01_; }

private:
    ServicoDialogos& dialogos_;
    ContextoAnalise contexto_;
    std::unique_ptr<TfmAnalis00> fmAnalis00_;
    std::unique_ptr<TfmAnalis01> fmAnalis01_;
};

}  // namespace zovi::gui
