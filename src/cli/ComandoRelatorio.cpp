#include "ComandoRelatorio.h"

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
#include "motor/Saida.h"
#include "platform/Texto1252.h"

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

std::string Texto1252(const QString& texto) { return Utf8ParaCp1252(texto.toStdString()).value_or(texto.toStdString()); }

}  // namespace

int ComandoRelatorio(const std::vector<std::string>& a) {
    static const std::set<std::string> kRelatorios = {"erros", "etiquetas", "cartela", "estrutura", "importacao"};
    if (a.size() != 4 || a[2] != "--pdf" || !kRelatorios.count(a[0])) return Uso();
    if (!std::filesystem::is_directory(a[1])) {
        Escreve("Pasta de dados inexistente: " + a[1], true);
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
    if (!relatorios::GeraPdf(*relatorio, QString::fromStdString(Cp1252ParaUtf8(a[3])), &erro)) {
        Escreve(Texto1252(erro), true);
        return 1;
    }
    Escreve("Relatório gravado em " + a[3]);
    return 0;
}

}  // namespace zovi
