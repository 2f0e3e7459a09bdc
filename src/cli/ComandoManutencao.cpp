#include "ComandoManutencao.h"

#include <fstream>
#include <optional>

#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "entry/ManutencaoLote.h"
#include "messages/Catalogo.h"
#include "messages/Formatacao.h"
#include "messages/Mensagens.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEstabelecimento.h"

namespace zovi {

namespace {

constexpr int kUso = 64;
constexpr int kRecusada = 1;

bool SoDigitos(const std::string& s, size_t tamanho) {
    return s.size() == tamanho && s.find_first_not_of("0123456789") == std::string::npos;
}

// "INSCRICAO/PREFIXO": the inscription as its 14 stored digits, the prefix of two characters.
std::optional<ChaveEstabelecimento> LeChave(const std::string& texto) {
    const auto barra = texto.find('/');
    if (barra == std::string::npos) return std::nullopt;
    ChaveEstabelecimento c{kTextoAnoBase, texto.substr(0, barra), texto.substr(barra + 1)};
    if (!SoDigitos(c.inscricao, 14) || c.prefixo.size() > 2) return std::nullopt;
    return c;
}

// "PIS,PIS,..." or "@ARQUIVO" (one PIS/PASEP or more a line, separated by commas or blanks).
std::optional<std::vector<std::string>> LeListaPis(const std::string& texto) {
    std::string lista = texto;
    if (!texto.empty() && texto[0] == '@') {
        std::ifstream arquivo(texto.substr(1));
        if (!arquivo) {
            Escreve("Não foi possível ler o arquivo " + texto.substr(1) + ".", true);
            return std::nullopt;
        }
        lista.assign(std::istreambuf_iterator<char>(arquivo), {});
    }
    std::vector<std::string> r;
    std::string atual;
    for (char c : lista + ",") {
        if (c == ',' || c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            if (atual.empty()) continue;
            if (!SoDigitos(atual, 11)) {
                Escreve("PIS/PASEP inválido: " + atual + " (informe os 11 dígitos).", true);
                return std::nullopt;
            }
            r.push_back(atual);
            atual.clear();
        } else {
            atual += c;
        }
    }
    return r;
}

// What every command holds while it runs: the data folder, the tables, the messages.
struct Execucao {
    explicit Execucao(const std::string& pasta)
        : trava(TomaPastaCompartilhada(pasta)), dm(pasta), entrada(dm), catalogo(dm.dbZovi), mensagens(catalogo, terminal) {}
    TravaPastaDados trava;
    TdmGDZovi dm;
    TdmEntradaDados entrada;
    CatalogoMensagens catalogo;
    InteracaoTerminal terminal;
    Mensagens mensagens;

    int Recusa(const std::string& codigo) {
        mensagens.MostraMensagem(codigo);
        return kRecusada;
    }

    // The steps of a wizard's establishment page: the inscription's rule, the notice of an
    // operation left open, and (except for the deletion of the establishment) employees to
    // work on. "0000" when the command may go on.
    std::string EscolheEstabelecimento(const ChaveEstabelecimento& c, LeituraInscricao leitura, bool exigeEmpregados,
                                       bool confereVinculado = false) {
        const auto escolhido = EscolhaDe(dm.dbZovi, c, leitura);
        if (escolhido.inscricao.empty()) {
            Escreve("Estabelecimento " + FormataInscricao(c.inscricao, "1") + " prefixo " + c.prefixo +
                        " não encontrado no ano-base " + c.anoBase + ".",
                    true);
            return "1301";
        }
        const std::string codigo = CriticaInscricaoEscolhida(escolhido, leitura);
        VerificaOpcaoAberta(dm.dbZovi, mensagens, c.anoBase, c.inscricao, c.prefixo);
        if (!InscricaoAceita(codigo)) return codigo;
        if (confereVinculado && !fPassou(CriticaCeiVinculadoOrigem(dm.dbZovi, c))) return "1311";
        if (exigeEmpregados) return CriticaTemEmpregados(entrada, c);
        return kPassa;
    }

    // One line per employee row with these PIS/PASEP numbers, as the tick list would give
    // them; a number the establishment does not have is named and refuses the command.
    std::optional<std::vector<EmpregadoMarcado>> Linhas(const ChaveEstabelecimento& c, const std::vector<std::string>& pis) {
        std::vector<EmpregadoMarcado> r;
        Consulta q(dm.dbZovi, {"select DaAdmissaoEmpregado, NoEmpregado from bd8Vinc where AnBase = :AnBase",
                               "and CoCgcCeiEstabelecimento = :Inscricao and NuPrefixoEstabelecimento = :Prefixo",
                               "and CoPisPasepEmpregado = :Pis order by DaAdmissaoEmpregado, NoEmpregado"});
        q.Parametro("AnBase", c.anoBase);
        q.Parametro("Inscricao", c.inscricao);
        q.Parametro("Prefixo", c.prefixo);
        for (const auto& p : pis) {
            if (fTodosZeros(p)) {
                Escreve("O PIS/PASEP 00000000000 não identifica um empregado: use o programa para escolhê-lo pelo nome.",
                        true);
                return std::nullopt;
            }
            q.Parametro("Pis", p);
            q.Abre();
            if (q.Vazia()) {
                Escreve("PIS/PASEP " + FormataPisPasep(p) + " não encontrado no estabelecimento.", true);
                return std::nullopt;
            }
            for (; !q.Fim(); q.Proximo()) r.push_back({p, q.Texto(0), fAparaTexto(q.Texto(1))});
            q.Fecha();
        }
        return r;
    }
};

}  // namespace

int ComandoExcluiEstabelecimento(const std::vector<std::string>& a) {
    const auto chave = a.size() == 2 ? LeChave(a[1]) : std::nullopt;
    if (!chave) {
        Escreve("uso: gdzovi-lote exclui-estabelecimento DADOS INSCRICAO/PREFIXO", true);
        return kUso;
    }
    Execucao x(a[0]);
    const std::string codigo = x.EscolheEstabelecimento(*chave, LeituraInscricao::Preenche, false);
    if (codigo == "1301") return kRecusada;
    const long empregados = ExcluiEstabelecimento(x.entrada, *chave, &x.terminal);
    Escreve("Empregados excluídos: " + std::to_string(empregados));
    x.terminal.Mostra(TipoDialogo::Informacao, "Estabelecimento excluído com sucesso.");
    return 0;
}

int ComandoExcluiEmpregados(const std::vector<std::string>& a) {
    const auto chave = a.size() == 3 ? LeChave(a[1]) : std::nullopt;
    if (!chave) {
        Escreve("uso: gdzovi-lote exclui-empregados DADOS INSCRICAO/PREFIXO PIS[,PIS...]|@ARQUIVO", true);
        return kUso;
    }
    const auto pis = LeListaPis(a[2]);
    if (!pis) return kUso;
    Execucao x(a[0]);
    const std::string codigo = x.EscolheEstabelecimento(*chave, LeituraInscricao::Preenche, true);
    if (!fPassou(codigo)) return x.Recusa(codigo);
    const auto linhas = x.Linhas(*chave, *pis);
    if (!linhas) return kRecusada;
    if (linhas->empty()) return x.Recusa("1310");
    const long excluidos = ExcluiEmpregados(x.entrada, *chave, *linhas);
    x.terminal.Mostra(TipoDialogo::Informacao, std::to_string(excluidos) + " Empregado(s) excluído(s) com sucesso.");
    return 0;
}

int ComandoTransfere(const std::vector<std::string>& a) {
    std::vector<std::string> posicionais;
    std::string tipo;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--tipo" && i + 1 < a.size()) tipo = Maiusculas(a[++i]);
        else posicionais.push_back(a[i]);
    }
    const auto origem = posicionais.size() == 4 ? LeChave(posicionais[1]) : std::nullopt;
    // The destination's prefix may be left out: it is then "00".
    auto destino = posicionais.size() == 4 ? LeChave(posicionais[2]) : std::nullopt;
    if (!origem || !destino || (!tipo.empty() && tipo != "CNPJ" && tipo != "CEI")) {
        Escreve("uso: gdzovi-lote transfere DADOS INSCRICAO/PREFIXO NOVA_INSCRICAO/PREFIXO PIS[,PIS...]|@ARQUIVO "
                "[--tipo CNPJ|CEI]",
                true);
        return kUso;
    }
    const auto pis = LeListaPis(posicionais[3]);
    if (!pis) return kUso;
    Execucao x(posicionais[0]);
    const std::string codigo = x.EscolheEstabelecimento(*origem, LeituraInscricao::Transferencia, true, true);
    if (!fPassou(codigo)) return x.Recusa(codigo);
    const auto linhas = x.Linhas(*origem, *pis);
    if (!linhas) return kRecusada;
    if (linhas->empty()) return x.Recusa("1310");

    // The destination, checked as the last page checks its boxes.
    std::string criticaDestino = fCriticaInscricao(destino->inscricao);
    if (criticaDestino == "0050") {
        if (tipo.empty()) {
            Escreve("A inscrição de destino é válida como CNPJ e como CEI: informe --tipo CNPJ ou --tipo CEI.", true);
            return kRecusada;
        }
        criticaDestino = tipo == "CEI" ? "0052" : "0051";
    }
    if (criticaDestino != "0051" && criticaDestino != "0052") return x.Recusa(criticaDestino);
    if (destino->prefixo.empty()) destino->prefixo = "00";
    if (const std::string p = fCriticaPrefixo(destino->prefixo); !fPassou(p)) return x.Recusa(p);
    if (const std::string e = CriticaDestinoExiste(x.dm.dbZovi, *destino); !fPassou(e)) return x.Recusa(e);

    const long movidos = TransfereEmpregados(x.entrada, *origem,
                                             {destino->inscricao, destino->prefixo, criticaDestino == "0051" ? "1" : "3"},
                                             *linhas);
    Escreve("Empregados transferidos: " + std::to_string(movidos));
    x.mensagens.MostraMensagem("1309");
    return 0;
}

int ComandoTrocaVinculo(const std::vector<std::string>& a) {
    const auto chave = a.size() == 3 ? LeChave(a[1]) : std::nullopt;
    if (!chave || a[2].size() > 2) {
        Escreve("uso: gdzovi-lote troca-vinculo DADOS INSCRICAO/PREFIXO CODIGO", true);
        return kUso;
    }
    Execucao x(a[0]);
    const std::string codigo = x.EscolheEstabelecimento(*chave, LeituraInscricao::Preenche, true);
    if (!fPassou(codigo)) return x.Recusa(codigo);
    // Only a code of the relationship-type table can be chosen.
    const std::string vinculo = CompletaZeros(a[2], 2);
    Tabela tipos(x.dm.dbZovi, "TB8VINC");
    tipos.Abre();
    if (!tipos.BuscaChave({vinculo})) {
        Escreve("Código de vínculo " + vinculo + " não existe na tabela de tipos de vínculo.", true);
        return x.Recusa("1306");
    }
    const std::string tipo = TipoInscricaoEstabelecimento(x.dm.dbZovi, *chave, fCriticaInscricao(chave->inscricao));
    if (const std::string c = CriticaCodigoVinculo(vinculo, tipo); !fPassou(c)) return x.Recusa(c);
    if (!fPassou(CriticaTemEmpregados(x.entrada, *chave))) return x.Recusa("1304");
    const long trocados = TrocaVinculo(x.entrada, *chave, vinculo);
    Escreve("Empregados alterados: " + std::to_string(trocados));
    x.mensagens.MostraMensagem("1305");
    return 0;
}

}  // namespace zovi
