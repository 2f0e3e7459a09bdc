#include "ComandoImportar.h"

#include <filesystem>

#include "ComandoAnalisar.h"
#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "analysis/AnaliseEstrutura.h"
#include "data/ListasSelecao.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"
#include "import/ImportaDeclaracao.h"
#include "messages/Catalogo.h"
#include "messages/Formatacao.h"

namespace zovi {

namespace {

namespace fs = std::filesystem;

int Uso() {
    Escreve("uso: gdzovi-lote importar ARQUIVO DADOS [--ano 2004|2005] [--estabelecimentos INSCRICAO/PREFIXO,...]\n"
            "  importa os estabelecimentos do arquivo (todos, ou os indicados) e seus empregados para a\n"
            "  declaração; o arquivo do ano anterior (--ano 2004) traz os empregados não desligados.\n"
            "Saídas: 0 importação concluída (veja a contabilização: gdzovi-lote relatorio importacao);\n"
            "1 falha de estrutura no arquivo, nada importado; 2 arquivo ilegível; 3 erro ao gravar um\n"
            "estabelecimento (ele e os seguintes não entraram, os anteriores ficam); 4 interrompida;\n"
            "64 argumentos errados; 66 arquivo inexistente.",
            true);
    return 64;
}

// "11.222.333/0001-81/00" or "11222333000181/00": the inscription without its mask
// ("00" first when it has fewer than 14 characters) and the prefix.
bool LeEscolha(const std::string& texto, EscolhaImportacao& e) {
    const auto barra = texto.rfind('/');
    if (barra == std::string::npos) return false;
    std::string inscricao = fAparaTexto(RetiraSeparadores(texto.substr(0, barra)));
    if (inscricao.size() < 14) inscricao = "00" + inscricao;
    e.inscricao = inscricao;
    e.prefixo = texto.substr(barra + 1);
    return !inscricao.empty() && e.prefixo.size() <= 2;
}

// The establishments named on the command line, each found in the file; empty names: all.
bool Escolhe(Banco& banco, int ano, const std::vector<std::string>& nomes, std::vector<EscolhaImportacao>& escolha) {
    const auto doArquivo = EstabelecimentosDoArquivo(banco, ano);
    if (nomes.empty()) {
        for (const auto& e : doArquivo) escolha.push_back({e.inscricao, e.prefixo});
        return true;
    }
    for (const auto& nome : nomes) {
        EscolhaImportacao e;
        bool achou = false;
        if (LeEscolha(nome, e))
            for (const auto& a : doArquivo)
                if (a.inscricao == e.inscricao && fAparaTexto(a.prefixo) == fAparaTexto(e.prefixo)) {
                    if (!PrefixoImportavel(a.prefixo)) {
                        Escreve(nome + ": Este estabelecimento não poderá ser importado. Verifique Prefixo.", true);
                        return false;
                    }
                    escolha.push_back({a.inscricao, a.prefixo});
                    achou = true;
                }
        if (!achou) {
            Escreve("Estabelecimento não encontrado no arquivo: " + nome, true);
            return false;
        }
    }
    return true;
}

void EscreveContabilizacao(Banco& banco) {
    CatalogoMensagens catalogo(banco);
    Tabela t(banco, "TE8IMP");
    t.Abre();
    Escreve("Inscrição          Prefixo  Lidos  Deslig.  Duplic.  Import.  Ocorrência");
    for (t.Primeiro(); !t.Fim(); t.Proximo()) {
        const Mensagem* m = catalogo.Busca(t.Texto("CoImp"));
        Escreve(CompletaEspacos(FormataInscricao(t.Texto("CoCgcCeiEstabelecimento"), t.Texto("InInscrEstabelecimento")),
                                19) +
                CompletaEspacos(t.Texto("NuPrefixoEstabelecimento"), 7) + "  " +
                CompletaEspacos(std::to_string(TextoParaInteiro(t.Texto("NuVinculosEstabelecimento"))), 7) +
                CompletaEspacos(t.Texto("NuTotalDesligados"), 9) + CompletaEspacos(t.Texto("NuTotalDuplicados"), 9) +
                CompletaEspacos(t.Texto("NuTotalImportados"), 9) +
                (t.Texto("CoImp").empty() ? "" : t.Texto("CoImp") + " " + (m ? m->texto : "")));
    }
}

}  // namespace

int ComandoImportar(const std::vector<std::string>& a) {
    if (a.size() < 2) return Uso();
    int ano = 2005;
    std::vector<std::string> nomes;
    for (std::size_t i = 2; i < a.size(); ++i) {
        if (a[i] == "--ano" && i + 1 < a.size() && (a[i + 1] == "2004" || a[i + 1] == "2005")) {
            ano = std::stoi(a[++i]);
        } else if (a[i] == "--estabelecimentos" && i + 1 < a.size() && nomes.empty()) {
            std::string lista = a[++i] + ",";
            for (std::size_t ini = 0, fim; (fim = lista.find(',', ini)) != std::string::npos; ini = fim + 1)
                if (fim > ini) nomes.push_back(lista.substr(ini, fim - ini));
            if (nomes.empty()) return Uso();
        } else {
            return Uso();
        }
    }
    std::error_code ec;
    if (!fs::is_regular_file(a[0], ec)) {
        Escreve("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo.", true);
        return 66;
    }
    auto trava = TomaPastaCompartilhada(a[1]);
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + a[1]});
    InteracaoTerminal terminal;
    TAnaliseEstrutura analise(banco, terminal);
    analise.DefineAnoAnterior(ano == 2004);
    long estabelecimentos = 0, empregados = 0;
    const int resultado = analise.fAnalisaArquivo(a[0], 2005, true, estabelecimentos, empregados);
    if (resultado == kAnaliseComFalha) {
        Escreve("A importação não poderá ser realizada. O arquivo não atende as especificações definidas para o ano-base.",
                true);
        EscreveFalhasEstrutura(banco);
        return 1;
    }
    if (resultado == kAnaliseArquivoIlegivel || resultado == kAnaliseInterrompida) return resultado;

    std::vector<EscolhaImportacao> escolha;
    if (!Escolhe(banco, ano, nomes, escolha)) return 64;
    TImportacao importacao(banco, terminal);
    const auto r = importacao.fImporta(ano, escolha);
    EscreveContabilizacao(banco);
    Escreve("Estabelecimentos importados: " + std::to_string(r.estabelecimentos) + " de " +
            std::to_string(escolha.size()) + "  Empregados importados: " + std::to_string(r.importados) +
            "  Duplicados: " + std::to_string(r.duplicados) + "  Desligados: " + std::to_string(r.desligados));
    if (r.falhou) {
        Escreve("Erro ao gravar: " + r.erro, true);
        return 3;
    }
    if (r.interrompida) {
        Escreve("Importação interrompida pelo usuário.");
        return 4;
    }
    return 0;
}

}  // namespace zovi
