#include "ComandoRelatorio.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <filesystem>
#include <memory>
#include <set>

#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "TrpCartela.h"
#include "TrpErros.h"
#include "TrpEstrut.h"
#include "TrpEtiquetas.h"
#include "TrpImport.h"
#include "engine/Banco.h"
#include "import/ImportaDeclaracao.h"
#include "messages/Catalogo.h"
#include "motor/Composicao.h"
#include "motor/Saida.h"
#include "platform/MotivoSistema.h"
#include "platform/Texto1252.h"
#include "rules/GravadorInconsistencias.h"

namespace zovi {

namespace {

int Uso() {
    Escreve("uso: gdzovi-lote relatorio erros|etiquetas|cartela|estrutura|importacao DADOS --pdf ARQUIVO\n"
            "  erros      as inconsistências da última verificação (tabela TE8ERRWA)\n"
            "  estrutura  a falha de estrutura da última análise de arquivo (tabela TE8STRU)\n"
            "  importacao a contabilização da última importação (tabela TE8IMP)\n"
            "  etiquetas  as etiquetas dos disquetes da última gravação (tabela TE8PROID)\n"
            "  cartela    a descrição do leiaute do arquivo ZOVI2005",
            true);
    return 64;
}

// A text of the windowing layer (a path inside it) for Escreve.
std::string Texto1252(const QString& texto) { return Utf8ParaCp1252(texto.toStdString(), '?'); }

// The PDF is written beside the file it replaces and takes its name only once complete: a
// run that fails or is killed leaves an earlier PDF of that name as it was.
bool GravaPdfNoLugar(relatorios::Composicao& composicao, const QString& arquivo, QString& erro,
                     const relatorios::Progresso& progresso) {
    const QString temporario = arquivo + QStringLiteral(".tmp");
    const std::filesystem::path destino(QFile::encodeName(arquivo).toStdString()),
        parcial(QFile::encodeName(temporario).toStdString());
    std::error_code ec;
    if (!relatorios::GeraPdf(composicao, temporario, &erro, progresso)) {
        std::filesystem::remove(parcial, ec);
        return false;
    }
    std::filesystem::rename(parcial, destino, ec);
    if (!ec) return true;
    std::filesystem::remove(parcial, ec);
    erro = QStringLiteral("Não foi possível gravar %1: %2")
               .arg(arquivo, QString::fromStdString(Cp1252ParaUtf8(MotivoSistema(ec.value()))));
    return false;
}

}  // namespace

int ComandoRelatorio(const std::vector<std::string>& a) {
    static const std::set<std::string> kRelatorios = {"erros", "etiquetas", "cartela", "estrutura", "importacao"};
    if (a.size() != 4 || a[2] != "--pdf" || !kRelatorios.count(a[0])) return Uso();
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
        // The rows of a run that did not reach its end are not the declaration's errors.
        if (fVerificacaoInacabada(banco)) {
            Escreve("A última verificação não foi concluída (foi interrompida ou ainda está em andamento): "
                    "não há relatório de erros a imprimir. Execute a verificação novamente.",
                    true);
            return 2;
        }
        catalogo = std::make_unique<CatalogoMensagens>(banco);
        relatorio = std::make_unique<relatorios::TrpErros>(banco, *catalogo);
    } else if (a[0] == "estrutura") {
        catalogo = std::make_unique<CatalogoMensagens>(banco);
        relatorio = std::make_unique<relatorios::TrpEstrut>(banco, *catalogo);
    } else if (a[0] == "importacao") {
        catalogo = std::make_unique<CatalogoMensagens>(banco);
        relatorio = std::make_unique<relatorios::TrpImport>(banco, *catalogo, AnoDoArquivoAnalisado(banco));
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
    if (!GravaPdfNoLugar(composicao, arquivo, erro, progresso)) {
        Escreve(Texto1252(erro), true);
        return 1;
    }
    Escreve("Relatório gravado em " + Texto1252(QFileInfo(arquivo).absoluteFilePath()));
    return 0;
}

}  // namespace zovi
