#include "ComandoAnalisar.h"

#include <memory>

#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "analysis/AnaliseEstrutura.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"
#include "messages/Catalogo.h"
#include "messages/Formatacao.h"

namespace zovi {

namespace {

const char* TextoResultado(int resultado) {
    switch (resultado) {
        case kAnaliseSemFalha: return "arquivo lido sem falhas";
        case kAnaliseComFalha: return "falha de estrutura";
        case kAnaliseArquivoIlegivel: return "arquivo não pôde ser lido";
        case kAnaliseInterrompida: return "análise interrompida";
        case kAnaliseRetificacao: return "arquivo lido sem falhas; declaração retificadora";
        default: return "";
    }
}

}  // namespace

void EscreveFalhas(Banco& banco) {
    std::unique_ptr<CatalogoMensagens> catalogo;
    if (banco.ExisteTabela("TB8MSG")) catalogo = std::make_unique<CatalogoMensagens>(banco);
    Tabela t(banco, "TE8STRU");
    t.Abre();
    std::string ultimo;
    for (t.Primeiro(); !t.Fim(); t.Proximo()) {
        const std::string codigo = t.Texto("CoMsg");
        const Mensagem* m = catalogo ? catalogo->Busca(codigo) : nullptr;
        if (codigo != ultimo && m) Escreve(codigo + ": " + m->texto);
        ultimo = codigo;
    }
    Escreve("Código Sequência Inscrição/Prefixo Tipo Posição Conteúdo");
    for (t.Primeiro(); !t.Fim(); t.Proximo())
        Escreve(t.Texto("CoMsg") + "   " + t.Texto("Sequencia") + "    " + CompletaEspacos(t.Texto("InscricaoPrefixo"), 16) +
                "  " + CompletaEspacos(t.Texto("TipoCampo"), 4) + " " + CompletaEspacos(t.Texto("PosicaoInicial"), 7) +
                " " + t.Texto("Conteudo"));
}

int ComandoAnalisar(const std::vector<std::string>& a) {
    const bool anterior = a.size() == 3 && a[2] == "--anterior";
    if (a.size() != 2 && !anterior) {
        Escreve("uso: gdzovi-lote analisar ARQUIVO DADOS [--anterior]", true);
        return 64;
    }
    auto trava = TomaPastaCompartilhada(a[1]);
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + a[1]});
    InteracaoTerminal terminal;
    TAnaliseEstrutura analise(banco, terminal);
    analise.DefineAnoAnterior(anterior);
    long estabelecimentos = 0, empregados = 0;
    const int resultado = analise.fAnalisaArquivo(a[0], 2005, false, estabelecimentos, empregados);
    Escreve("Resultado: " + std::to_string(resultado) + " (" + TextoResultado(resultado) + ")");
    Escreve("Estabelecimentos: " + std::to_string(estabelecimentos) + "  Empregados: " + std::to_string(empregados));
    if (resultado == kAnaliseComFalha) EscreveFalhas(banco);
    return resultado;
}

}  // namespace zovi
