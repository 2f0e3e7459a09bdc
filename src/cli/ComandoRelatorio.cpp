#include "ComandoRelatorio.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>

#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "TrpCartela.h"
#include "TrpErros.h"
#include "TrpEstrut.h"
#include "TrpEtiquetas.h"
#include "TrpImport.h"
#include "TrpRelatorios.h"
#include "TrpProtocolo99.h"
#include "declfile/Protocolo.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
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
            "     gdzovi-lote relatorio protocolo ARQUIVO DADOS --pdf SAIDA\n"
            "     gdzovi-lote relatorio declaracao DADOS --pdf ARQUIVO [--resumido] [--ordem pis|nome|uso]\n"
            "                 [--estabelecimentos INSCRICAO[:PREFIXO],...] [--trabalho]\n"
            "  erros       as inconsistências da última verificação (tabela TE8ERRWA)\n"
            "  estrutura   a falha de estrutura da última análise de arquivo (tabela TE8STRU)\n"
            "  importacao  a contabilização da última importação (tabela TE8IMP)\n"
            "  etiquetas   as etiquetas dos disquetes da última gravação (tabela TE8PROID)\n"
            "  cartela     a descrição do leiaute do arquivo ZOVI2005\n"
            "  declaracao  a declaração: completa, ou resumida (--resumido), por estabelecimento;\n"
            "              sem --estabelecimentos, todos os do ano-base; --trabalho: o arquivo da\n"
            "              última análise ou consulta (tabelas TE8EMP e TE8VINC)\n"
            "  protocolo   o protocolo de entrega do arquivo da declaração ARQUIVO: o recibo Zovi2005.pro\n"
            "              ao lado dele é validado e a estrutura do arquivo analisada antes de imprimir",
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

// The options of the declaration report after "declaracao DADOS --pdf ARQUIVO".
bool LeOpcoesDeclaracao(const std::vector<std::string>& a, relatorios::ParametrosDeclaracao& p) {
    for (size_t i = 4; i < a.size(); ++i) {
        if (a[i] == "--resumido") {
            p.completo = false;
        } else if (a[i] == "--trabalho") {
            p.tabelaEstabelecimentos = "Te8Emp";
            p.tabelaEmpregados = "Te8Vinc";
        } else if (a[i] == "--ordem" && i + 1 < a.size()) {
            const auto& o = a[++i];
            if (o == "pis") p.ordem = relatorios::OrdemEmpregados::PisPasep;
            else if (o == "nome") p.ordem = relatorios::OrdemEmpregados::Nome;
            else if (o == "uso") p.ordem = relatorios::OrdemEmpregados::UsoEmpresa;
            else return false;
        } else if (a[i] == "--estabelecimentos" && i + 1 < a.size()) {
            // INSCRICAO[:PREFIXO], the inscription with or without its mask; without a prefix,
            // every establishment of the inscription (resolved once the tables are open).
            std::string item;
            std::istringstream lista(a[++i]);
            while (std::getline(lista, item, ',')) {
                const auto doisPontos = item.find(':');
                std::string inscricao, prefixo = doisPontos == std::string::npos ? "" : item.substr(doisPontos + 1);
                for (char c : item.substr(0, doisPontos))
                    if (c >= '0' && c <= '9') inscricao += c;
                    else if (c != '.' && c != '/' && c != '-') return false;
                if (inscricao.empty() || inscricao.size() > 14 || prefixo.size() > 2) return false;
                p.estabelecimentos.push_back({std::string(14 - inscricao.size(), '0') + inscricao, prefixo});
            }
            if (p.estabelecimentos.empty()) return false;
        } else {
            return false;
        }
    }
    return true;
}

// Gives each establishment named without its prefix the prefixes its inscription has; one
// that has no establishment of the base year is said and stops the report.
bool EstabelecimentosDeclaracao(Banco& banco, relatorios::ParametrosDeclaracao& p) {
    std::vector<relatorios::EstabelecimentoEscolhido> escolhidos;
    for (const auto& e : p.estabelecimentos) {
        Consulta q(banco, {"Select NuPrefixoEstabelecimento from " + p.tabelaEstabelecimentos,
                           "where AnBase = :AnBase and CoCgcCeiEstabelecimento = :Inscricao",
                           "order by NuPrefixoEstabelecimento"});
        q.Parametro("AnBase", p.anoBase);
        q.Parametro("Inscricao", e.inscricao);
        const size_t antes = escolhidos.size();
        if (banco.ExisteTabela(p.tabelaEstabelecimentos))
            for (q.Abre(); !q.Fim(); q.Proximo()) {
                const auto prefixo = q.Texto("NuPrefixoEstabelecimento");
                if (e.prefixo.empty() || std::string(2 - std::min<size_t>(2, e.prefixo.size()), '0') + e.prefixo == prefixo)
                    escolhidos.push_back({e.inscricao, prefixo});
            }
        if (escolhidos.size() == antes) {
            Escreve("Estabelecimento não encontrado no ano-base " + p.anoBase + ": " + e.inscricao +
                        (e.prefixo.empty() ? "" : ":" + e.prefixo),
                    true);
            return false;
        }
    }
    p.estabelecimentos = std::move(escolhidos);
    return true;
}

}  // namespace

int ComandoRelatorio(const std::vector<std::string>& argumentos) {
    // The receipt names its declaration file before the data folder; the rest is as for the others.
    const bool protocolo = !argumentos.empty() && argumentos[0] == "protocolo";
    if (protocolo && argumentos.size() != 5) return Uso();
    std::vector<std::string> a = argumentos;
    std::string arquivoDeclaracao;
    if (protocolo) {
        arquivoDeclaracao = a[1];
        a.erase(a.begin() + 1);
    }
    static const std::set<std::string> kRelatorios = {"erros",     "etiquetas",  "cartela",
                                                      "estrutura", "importacao", "protocolo"};
    relatorios::ParametrosDeclaracao declaracao;
    const bool argumentosDeclaracao = a.size() >= 4 && a[0] == "declaracao" && LeOpcoesDeclaracao(a, declaracao);
    if (a.size() < 4 || a[2] != "--pdf" || (a.size() != 4 && !argumentosDeclaracao) ||
        (!kRelatorios.count(a[0]) && !argumentosDeclaracao))
        return Uso();
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
    } else if (a[0] == "declaracao") {
        if (!EstabelecimentosDeclaracao(banco, declaracao)) return 1;
        relatorio = std::make_unique<relatorios::TrpRelatorios>(banco, declaracao);
    } else if (protocolo) {
        InteracaoTerminal terminal;
        DadosProtocolo dados;
        switch (fPreparaProtocolo(banco, arquivoDeclaracao, terminal, dados)) {
        case DesfechoProtocolo::Pronto: break;
        case DesfechoProtocolo::Interrompido: terminal.Aviso("Interrupção feita pelo usuário"); return 2;
        case DesfechoProtocolo::ArquivoAusente: return 1;
        case DesfechoProtocolo::Recusado: terminal.Aviso(kProtocoloRecusado); return 1;
        }
        relatorio = std::make_unique<relatorios::TrpProtocolo99>(banco);
    } else if (a[0] == "etiquetas") {
        relatorio = std::make_unique<relatorios::TrpEtiquetas>(banco);
    } else {
        relatorio = std::make_unique<relatorios::TrpCartela>(banco);
    }
    QString erro;
    // File names come as the system gives them (UTF-8), not as the core's texts.
    const QString arquivo = QFile::decodeName(a[3].c_str());
    bool gerado = false;
    {
        // A long report's pages go by on a terminal, as a run's progress does.
        relatorios::Composicao composicao(*relatorio);
        composicao.Compoe();
        InteracaoTerminal terminal;
        const auto progresso = [&terminal](int feitas, int total) {
            terminal.Progresso(feitas, total);
            return true;
        };
        gerado = GravaPdfNoLugar(composicao, arquivo, erro, progresso);
    }
    // The receipt tables live only while the receipt is printed.
    relatorio.reset();
    if (protocolo) ApagaTabelasProtocolo(banco);
    if (!gerado) {
        Escreve(Texto1252(erro), true);
        return 1;
    }
    Escreve("Relatório gravado em " + Texto1252(QFileInfo(arquivo).absoluteFilePath()));
    return 0;
}

}  // namespace zovi
