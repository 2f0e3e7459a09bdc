#pragma once
// "Assistente para Gravação de Disquetes": from the choice of establishments,
// through the declarant's data and the verification, to the sealed
// declaration files on diskettes (or in a folder) and their labels.
//
// Pages, in order: TfmGravaDecl00 welcome, TfmGravaDecl02 establishments,
// TfmGravaDecl01 declarant and verification, TfmGravaDecl03 result, date,
// drive and writing, TfmGravaDecl04 end. The rectification wizard runs the
// declarant, result and end pages with the rectification mark set: then the
// verification and the writer read the work tables and no list is used.
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/ModulosDados.h"
#include "declfile/GravaDeclaracao.h"
#include "rules/VerificaDeclaracao.h"
#include "wizards/PaginaAssistente.h"

namespace zovi {
class Mensagens;
class TCriticaZovi;
}

namespace zovi::gui {

class Seletores;

// What the pages share. The declarant data module carries the close-all mark
// (its `cancelado`) and the rectification mark (`modoRetificacao`).
struct ContextoGravacao : ContextoAssistente {
    ContextoGravacao(TdmGDZovi& dm, Mensagens& mensagens, const TCriticaZovi& critica, Seletores& seletores)
        : dm(dm), mensagens(mensagens), critica(critica), seletores(seletores), dmDadosResp(dm) {
        titulo = QStringLiteral("Assistente para Gravação de Disquetes");
    }
    bool& MarcaFechaTudo() override { return dmDadosResp.cancelado; }
    bool Retificacao() const { return dmDadosResp.modoRetificacao; }

    TdmGDZovi& dm;
    Mensagens& mensagens;
    const TCriticaZovi& critica;  // the declarant page's field checks
    Seletores& seletores;         // and its municipality picker
    TdmDadosResp dmDadosResp;
    // Set by the rectification wizard: after the declarant is saved, the rectified data go
    // into the work tables; false cancels the wizard.
    std::function<bool()> copiaRetificacao;
    std::string anoBase = "2005";
    // The establishments of the base year by inscription and prefix, each marked when it is
    // to be written, and the same establishments as the tick list shows them.
    std::vector<ItemSelecao> estabelecimentos;
    std::vector<std::string> linhas;
    ResultadoVerificacao resultado;
    QString destino;  // where the last writing run put the files, as the end page tells it
};

// The tick list's line of an establishment: inscription formatted by its kind in 18
// characters, its prefix, its name in 30 and its declared number of employees, two spaces apart.
std::string LinhaEmpresaGravacao(const std::string& inscricao, const std::string& tipoInscricao,
                                 const std::string& prefixo, const std::string& nome, const std::string& vinculos);

class AssistenteGravacao {
public:
    AssistenteGravacao(TdmGDZovi& dm, Mensagens& mensagens, const TCriticaZovi& critica, Seletores& seletores,
                       ServicoDialogos& dialogos, QWidget* pai = nullptr);
    ~AssistenteGravacao();

    ContextoGravacao& Contexto() { return contexto_; }
    // The page the rectification wizard hands over to.
    static constexpr int kPaginaDeclarante = 2;
    // Runs the pages from the welcome page, or from `inicio`; returns inicio - 1 when the
    // user went back from that page, else the last page reached.
    int Executa(int inicio = 0);
    // The page open at position i (0 welcome ... 4 end), for tests and pictures; created if needed.
    PaginaAssistente& Pagina(int i);

private:
    ServicoDialogos& dialogos_;
    QWidget* pai_;
    ContextoGravacao contexto_;
    std::unique_ptr<PaginaAssistente> paginas_[5];
};

}  // namespace zovi::gui
