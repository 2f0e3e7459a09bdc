#pragma once
// Every dialog of the program goes through this one service: message boxes
// with the Portuguese captions and buttons of their kind, modal forms, file
// choices and the opening of web addresses. It also answers the core's runs
// (zovi::Interacao), so a run talks to the user the same way a form does.
//
// In scripted mode nothing is shown: answers come from queues and everything
// that would have been shown is recorded, so the windows can be driven
// offscreen.
#include <QDialog>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Interacao.h"

class QPrinter;

namespace zovi::gui {

// A message box as it was shown (or would have been, in scripted mode).
struct CaixaMostrada {
    QString titulo;
    QString texto;
    QMessageBox::Icon icone;
    QList<Resposta> botoes;
    Resposta padrao = Resposta::Nenhuma;  // the button Enter presses; Nenhuma: the box's own choice
};

class ServicoDialogos : public Interacao {
public:
    // The service the program's windows use.
    static ServicoDialogos& Programa();

    // A message box of one of the standard kinds: caption, icon and buttons follow the kind.
    Resposta Mensagem(TipoDialogo tipo, const QString& texto, QWidget* pai = nullptr);
    // A plain message: the program's title as caption, no icon, OK.
    Resposta Simples(const QString& texto, QWidget* pai = nullptr);
    // A message box with its own caption, icon and buttons (button texts stay the standard ones).
    Resposta Caixa(const QString& titulo, const QString& texto, QMessageBox::Icon icone,
                   const QList<Resposta>& botoes, QWidget* pai = nullptr, Resposta padrao = Resposta::Nenhuma);
    // Shows a form modally; returns its result (QDialog::Accepted / Rejected). A form may hide
    // itself while another it opens takes its place, and show itself again when that one
    // returns: it then goes on as modal as before.
    int Executa(QDialog& formulario);
    // Names of files chosen by the user; empty when the choice was cancelled. The dialogs open
    // where PastaInicial says, and the folder chosen is remembered for the next one.
    QString ArquivoParaAbrir(QWidget* pai, const QString& titulo, const QString& pasta, const QString& filtro);
    QString ArquivoParaSalvar(QWidget* pai, const QString& titulo, const QString& sugestao, const QString& filtro);
    // A folder chosen by the user (scripted: the next name given to EscolheArquivo); empty when cancelled.
    QString Pasta(QWidget* pai, const QString& titulo, const QString& inicial);
    // Opens a web address with the system's handler.
    void AbreEndereco(const QUrl& endereco);
    // The help at a topic's entry (F1 in a field); the program says where it opens.
    void MostraAjuda(int topico, const QString& ancora);
    std::function<void(int topico, const QString& ancora)> abreAjuda;
    // Whether the system has a printer to print on.
    bool ImpressoraInstalada();
    // The print dialog for a document of that many pages: printer, page range, copies.
    // False when the user cancelled. Without the dialog (printing straight to the default
    // printer) it accepts the printer as it is.
    bool ConfiguraImpressao(QPrinter& impressora, int paginas, QWidget* pai = nullptr, bool comDialogo = true);

    // Interacao: the core's texts are Windows-1252.
    Resposta Mostra(TipoDialogo tipo, const std::string& texto) override;
    // A Yes/No question with the caption and icon of another kind.
    Resposta Pergunta(TipoDialogo tipo, const std::string& texto) override;
    // A prompt that waits on the user (insert a diskette), with OK and Cancel.
    Resposta MostraOkCancela(TipoDialogo tipo, const std::string& texto) override;

    // Where a file dialog opens: the folder the caller asks for when it names one (the user's
    // home is no choice of folder); else the folder of the last file dialog, remembered between
    // sessions; else the user's documents folder.
    static QString PastaInicial(const QString& pedida);
    // Remembers the folder of a file or folder the user chose.
    static void LembraPasta(const QString& escolhido);

    // "Gerador de Declaração ZOVI - GDZOVI2005".
    static QString TituloPrograma();
    // The standard text of a button.
    static QString TextoBotao(Resposta botao);
    static QString TituloTipo(TipoDialogo tipo);
    // The message box a CaixaMostrada stands for, as the program shows it (pictures of the
    // boxes a scripted run only records are made from it).
    static std::unique_ptr<QMessageBox> CriaCaixa(const CaixaMostrada& caixa, QWidget* pai = nullptr);

    // --- scripted mode ---
    using AcaoFormulario = std::function<int(QDialog&)>;
    void Roteiriza(bool ativo = true) { roteirizado_ = ativo; }
    bool Roteirizado() const { return roteirizado_; }
    // Answers given in order; when none is left a box answers with its last button (No, OK).
    void Responde(Resposta r) {
        respostas_.push_back([r](const CaixaMostrada&) { return r; });
    }
    // An answer that also acts as the user would before giving it (changes the diskette).
    using AcaoCaixa = std::function<Resposta(const CaixaMostrada&)>;
    void RespondeCom(AcaoCaixa acao) { respostas_.push_back(std::move(acao)); }
    // Acts on the next form shown instead of the user; without one the form is rejected.
    void AgeNoFormulario(AcaoFormulario acao) { acoes_.push_back(std::move(acao)); }
    void EscolheArquivo(const QString& nome) { arquivos_.push_back(nome); }
    // Sets up the printer of the next print dialog (range, copies, output) and accepts it by
    // returning true; without one the dialog is cancelled.
    using AcaoImpressao = std::function<bool(QPrinter&)>;
    void EscolheImpressao(AcaoImpressao acao) { impressoes_.push_back(std::move(acao)); }
    bool impressoraInstalada = false;        // what ImpressoraInstalada answers
    void Esquece();

    // What scripted mode recorded.
    std::vector<CaixaMostrada> caixas;       // every message box, in order
    std::vector<QString> formularios;        // objectName of every form shown
    std::vector<QUrl> enderecos;             // addresses opened
    std::vector<QString> ajudas;             // help entries opened, "topic#entry"

private:
    Resposta MostraCaixa(const CaixaMostrada& caixa, QWidget* pai);
    QString ProximoArquivo();

    bool roteirizado_ = false;
    std::deque<AcaoCaixa> respostas_;
    std::deque<AcaoFormulario> acoes_;
    std::deque<QString> arquivos_;
    std::deque<AcaoImpressao> impressoes_;
};

}  // namespace zovi::gui
