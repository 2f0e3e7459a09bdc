#include "ComandoRelatorio.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <filesystem>
#include <memory>

#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "TrpCartela.h"
#include "TrpErros.h"
#include "TrpEtiquetas.h"
#include "engine/Banco.h"
#include "messages/Catalogo.h"
#include "motor/Composicao.h"
#include "motor/Saida.h"
#include "platform/Texto1252.h"

namespace zovi {

namespace {

int Uso() {
    Escreve("uso: gdzovi-lote relatorio erros|etiquetas|cartela DADOS --pdf ARQUIVO\n"
            "  erros      as inconsistências da última verificação (tabela TE8ERRWA)\n"
            "  etiquetas  as etiquetas dos disquetes da última gravação (tabela TE8PROID)\n"
            "  cartela    a descrição do leiaute do arquivo ZOVI2005",
            true);
    return 64;
}

// A text of the windowing layer (a path inside it) for Escreve.
std::string Texto1252(const QString& texto) { return Utf8ParaCp1252(texto.toStdString(), '?'); }

}  // namespace

int ComandoRelatorio(const std::vector<std::string>& a) {
    if (a.size() != 4 || a[2] != "--pdf" || (a[0] != "erros" && a[0] != "etiquetas" && a[0] != "cartela")) return Uso();
    if (!std::filesystem::is_directory(a[1])) {
        Escreve("Pasta de dados inexistente: " + Utf8ParaCp1252(a[1], '?'), true);
        return 66;
    }
    // Fonts and PDF need the windowing layer, but no window is shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char nome[] = "gdzovi-lote";
    char* argv[] = {nome, nullptr};
    QGuiApplication app(argc, argv);

    // A restore never replaces the tables while they are being printed.
    auto trava = TomaPastaCompartilhada(a[1]);
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + a[1]});
    std::unique_ptr<CatalogoMensagens> catalogo;
    std::unique_ptr<relatorios::Relatorio> relatorio;
    if (a[0] == "erros") {
        catalogo = std::make_unique<CatalogoMensagens>(banco);
        relatorio = std::make_unique<relatorios::TrpErros>(banco, *catalogo);
    } else if (a[0] == "etiquetas") {
        relatorio = std::make_unique<relatorios::TrpEtiquetas>(banco);
    } else {
        relatorio = std::make_unique<relatorios::TrpCartela>(banco);
    }
    QString erro;
    // File names come as the system gives them (UTF-8), not as the core's texts.
    const QString arquivo = QFile::decodeName(a[3].c_str());
    // A long report's pages go by on a terminal, as a run's progress does.
    relatorios::Composicao composicao(*relatorio);
    composicao.Compoe();
    InteracaoTerminal terminal;
    const auto progresso = [&terminal](int feitas, int total) {
        terminal.Progresso(feitas, total);
        return true;
    };
    if (!relatorios::GeraPdf(composicao, arquivo, &erro, progresso)) {
        Escreve(Texto1252(erro), true);
        return 1;
    }
    Escreve("Relatório gravado em " + Texto1252(QFileInfo(arquivo).absoluteFilePath()));
    return 0;
}

}  // namespace zovi
