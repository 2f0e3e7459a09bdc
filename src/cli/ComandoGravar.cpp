#include "ComandoGravar.h"

#include <ctime>
#include <filesystem>

#include <sstream>

#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "declfile/GravaDeclaracao.h"
#include "declfile/Retificacao.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "messages/Catalogo.h"
#include "messages/Mensagens.h"
#include "platform/Unidades.h"
#include "rules/Primitivas.h"
#include "rules/VerificaDeclaracao.h"

namespace zovi {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUso =
    "uso: gdzovi-lote gravar DADOS --unidade A|B | --pasta DESTINO [--ano 2005] [--retificacao] [--trabalho]\n"
    "                          [--data ddmmaaaa] [--sim]\n"
    "  --unidade      grava em disquetes no drive A: ou B:\n"
    "  --pasta        grava na pasta DESTINO, sem limite de tamanho (acima de 999.999 registros,\n"
    "                 continua nas subpastas disquete-2, disquete-3, ...); um arquivo da declaração\n"
    "                 já existente só é substituído com confirmação (ou --sim)\n"
    "  --trabalho     lê as tabelas de trabalho (te8Resp, te8Emp, te8Vinc) em vez da declaração\n"
    "  --retificacao  grava uma declaração retificadora\n"
    "  --data         data da geração (padrão: hoje)\n"
    "  --sim          responde Sim às perguntas";

constexpr const char* kUsoRetificar =
    "uso: gdzovi-lote retificar DADOS --unidade A|B | --pasta DESTINO --data ddmmaaaa\n"
    "                            --estabelecimentos INSCRICAO/PREFIXO[:PIS,...],... [--sim]\n"
    "  grava uma declaração retificadora com os empregados escolhidos de cada estabelecimento\n"
    "  --estabelecimentos  os estabelecimentos do ano-base 2005, cada um seguido, depois de \":\",\n"
    "                 dos PIS/PASEP dos empregados a retificar (um PIS escolhe todos os vínculos\n"
    "                 com ele); um estabelecimento declarado sem empregados vai sem PIS\n"
    "  --unidade, --pasta, --sim  como em gravar\n"
    "  --data         data da geração";

std::string Agora(const char* formato) {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char texto[16];
    std::strftime(texto, sizeof texto, formato, &local);
    return texto;
}

bool SoDigitos(const std::string& s, size_t n) {
    return s.size() == n && s.find_first_not_of("0123456789") == std::string::npos;
}

// Every establishment of the base year, by inscription and prefix, all ticked.
std::vector<ItemSelecao> TodosEstabelecimentos(Banco& banco, const std::string& ano) {
    Consulta q(banco, {"SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento FROM BD8EMP",
                       "WHERE AnBase = :AnBase", "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
    q.Parametro("AnBase", ano);
    std::vector<ItemSelecao> itens;
    for (q.Abre(); !q.Fim(); q.Proximo())
        itens.push_back({q.Texto(0), q.Texto(1), q.Texto(2), true});
    return itens;
}

void Resumo(Banco& banco) {
    Tabela t(banco, "TE8PROID");
    t.Abre();
    for (t.Primeiro(); !t.Fim(); t.Proximo())
        Escreve("Disquete " + t.Texto("NuDisquete") + ": " + t.Texto("NuEstabelecimentos") + " estabelecimento(s), " +
                t.Texto("NuVinculos") + " vínculo(s)");
}

// Options shared by gravar and retificar; an option a command does not take is refused.
struct Opcoes {
    std::string pasta, unidade, destino, ano = "2005", data, estabelecimentos;
    bool retificacao = false, trabalho = false, sim = false;
};

// Reads the arguments; 0 when they make sense, else the exit code after saying why.
int LeOpcoes(const std::vector<std::string>& a, const char* uso, bool retificar, Opcoes& o) {
    for (size_t i = 0; i < a.size(); ++i) {
        const std::string& x = a[i];
        const bool temValor = i + 1 < a.size();
        if (x == "--unidade" && temValor) o.unidade = a[++i];
        else if (x == "--pasta" && temValor) o.destino = a[++i];
        else if (x == "--data" && temValor) o.data = a[++i];
        else if (x == "--sim") o.sim = true;
        else if (retificar && x == "--estabelecimentos" && temValor) o.estabelecimentos = a[++i];
        else if (!retificar && x == "--ano" && temValor) o.ano = a[++i];
        else if (!retificar && x == "--retificacao") o.retificacao = true;
        else if (!retificar && x == "--trabalho") o.trabalho = true;
        else if (o.pasta.empty() && x.rfind("--", 0) != 0) o.pasta = x;
        else {
            Escreve(uso, true);
            return 64;
        }
    }
    const bool driveValido = o.unidade == "A" || o.unidade == "B" || o.unidade == "a" || o.unidade == "b";
    // Exactly one of --unidade and --pasta, and a drive only A: or B:.
    if (o.pasta.empty() || o.unidade.empty() == o.destino.empty() || (!o.unidade.empty() && !driveValido) ||
        (retificar && (o.data.empty() || o.estabelecimentos.empty()))) {
        Escreve(uso, true);
        return 64;
    }
    if (o.data.empty()) o.data = Agora("%d%m%Y");
    if (!SoDigitos(o.data, 8) || !SoDigitos(o.ano, 4)) {
        Escreve("A data deve ter 8 dígitos (ddmmaaaa) e o ano 4.", true);
        return 64;
    }
    return 0;
}

// The writing parameters of the options: the destination checked, the date and time set.
int Parametros(const Opcoes& o, ParametrosGravacao& p) {
    p.retificacao = o.retificacao;
    p.trabalho = o.trabalho;
    p.dataGeracao = o.data;
    p.hora = Agora("%H%M%S");
    if (!o.destino.empty()) {
        std::error_code ec;
        if (fs::exists(o.destino, ec) && !fs::is_directory(o.destino, ec)) {
            Escreve("O destino " + o.destino + " existe e não é uma pasta.", true);
            return 64;
        }
        p.pasta = fs::absolute(o.destino, ec);
    } else if (p.unidade = o.unidade[0]; !LocalizaUnidade(p.unidade)) {
        Escreve("Não há unidade " + o.unidade + ": nesta máquina. Insira uma mídia removível ou defina GDZOVI_UNIDADE_" +
                    static_cast<char>(std::toupper(static_cast<unsigned char>(p.unidade))) + "=PASTA[:BYTES].",
                true);
        return 64;
    }
    return 0;
}

// The writing run and what it ended with, on the terminal.
int Grava(Banco& banco, const ParametrosGravacao& p, bool sim) {
    InteracaoTerminal terminal(sim);
    const int resultado = fGravaDeclaracao(banco, p, terminal);
    switch (resultado) {
        case kGravado:
            Escreve("Arquivo gerado com SUCESSO !");
            Resumo(banco);
            break;
        case kGravacaoInterrompida:
            terminal.Aviso("A gravação do arquivo \"ZOVI2005\" interrompida pelo usuário!");
            break;
        default:
            terminal.Aviso("Ocorreu um erro durante a gravação do arquivo \"ZOVI2005\".\n"
                           "Substitua o disquete e tente novamente.");
    }
    return resultado;
}

std::string SoNumeros(const std::string& texto, size_t largura) {
    std::string d;
    for (char c : texto)
        if (c != '.' && c != '-') d += c;
    if (d.empty() || d.size() > largura || d.find_first_not_of("0123456789") != std::string::npos) return {};
    return std::string(largura - d.size(), '0') + d;
}

// The employees of an establishment with a PIS/PASEP, appended to its chosen list.
size_t EscolheEmpregados(Banco& banco, EstabelecimentoRetificacao& e, const std::string& pis) {
    Consulta q(banco, {"SELECT CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado FROM BD8Vinc",
                       "WHERE AnBase = :AnBase AND CoCgcCeiEstabelecimento = :Inscricao",
                       "AND NuPrefixoEstabelecimento = :Prefixo AND CoPisPasepEmpregado = :Pis",
                       "ORDER BY DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro"});
    q.Parametro("AnBase", e.anBase);
    q.Parametro("Inscricao", e.inscricao);
    q.Parametro("Prefixo", e.prefixo);
    q.Parametro("Pis", pis);
    size_t n = 0;
    for (q.Abre(); !q.Fim(); q.Proximo(), ++n) e.escolhidos.emplace_back(q.Texto(0), q.Texto(1), q.Texto(2));
    return n;
}

// Marks in `selecao` what "INSCRICAO/PREFIXO[:PIS,...],..." names; false after saying what is wrong.
bool LeEscolha(Banco& banco, const std::string& texto, SelecaoRetificacao& selecao) {
    EstabelecimentoRetificacao* atual = nullptr;
    std::stringstream partes(texto);
    for (std::string parte; std::getline(partes, parte, ',');) {
        std::string pis = parte;
        if (const auto barra = parte.find('/'); barra != std::string::npos) {
            const auto doisPontos = parte.find(':', barra);
            const std::string inscricao = SoNumeros(parte.substr(0, barra), 14);
            const std::string prefixo = SoNumeros(parte.substr(barra + 1, doisPontos - barra - 1), 2);
            pis = doisPontos == std::string::npos ? std::string() : parte.substr(doisPontos + 1);
            atual = nullptr;
            for (auto& e : selecao)
                if (e.inscricao == inscricao && e.prefixo == prefixo) atual = &e;
            if (!atual || inscricao.empty() || prefixo.empty()) {
                Escreve("Estabelecimento " + parte.substr(0, doisPontos) + " não encontrado no ano-base 2005.", true);
                return false;
            }
            atual->selecionado = true;
            if (pis.empty()) continue;
        }
        if (!atual) {
            Escreve(kUsoRetificar, true);
            return false;
        }
        const std::string numero = SoNumeros(pis, 11);
        if (numero.empty() || EscolheEmpregados(banco, *atual, numero) == 0) {
            Escreve("Empregado de PIS/PASEP " + pis + " não encontrado no estabelecimento " + atual->inscricao + "/" +
                        atual->prefixo + ".",
                    true);
            return false;
        }
    }
    return true;
}

// The verification of the work tables, as the wizard runs it before writing; false when it
// found errors or was stopped.
bool Verifica(const std::string& pasta) {
    InteracaoTerminal terminal;
    const auto r = fVerificaDeclaracao(terminal, pasta, true, nullptr, "2005", false, false);
    if (r.vrInterrompida) {
        Escreve("Consistência interrompida pelo usuário", true);
        return false;
    }
    if (r.vrErro) {
        Escreve("A declaração retificadora tem erros: nada foi gravado. Veja-os com gdzovi-lote relatorio erros.", true);
        return false;
    }
    if (r.vrAviso) Escreve("A declaração retificadora tem avisos (gdzovi-lote relatorio erros).");
    return true;
}

}  // namespace

int ComandoGravar(const std::vector<std::string>& a) {
    Opcoes o;
    ParametrosGravacao p;
    if (int erro = LeOpcoes(a, kUso, false, o)) return erro;
    if (int erro = Parametros(o, p)) return erro;
    auto trava = TomaPastaCompartilhada(o.pasta);
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + o.pasta});
    if (!p.trabalho) p.selecao = TodosEstabelecimentos(banco, o.ano);
    return Grava(banco, p, o.sim);
}

int ComandoRetificar(const std::vector<std::string>& a) {
    Opcoes o;
    ParametrosGravacao p;
    if (int erro = LeOpcoes(a, kUsoRetificar, true, o)) return erro;
    o.retificacao = o.trabalho = true;
    if (int erro = Parametros(o, p)) return erro;
    auto trava = TomaPastaCompartilhada(o.pasta);
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + o.pasta});
    CatalogoMensagens catalogo(banco);
    InteracaoTerminal terminal;
    Mensagens mensagens(catalogo, terminal);
    if (const std::string codigo = fCriticaDataGeracao(o.data); !fPassou(codigo)) {
        mensagens.MostraMensagem(codigo);
        return 1;
    }
    SelecaoRetificacao selecao = fEstabelecimentosRetificacao(banco, "2005");
    if (selecao.empty()) {
        mensagens.MostraMensagem("1700");
        return 1;
    }
    if (!LeEscolha(banco, o.estabelecimentos, selecao)) return 1;
    if (const std::string codigo = fCriticaSelecaoRetificacao(selecao); !fPassou(codigo)) {
        mensagens.MostraMensagem(codigo);
        return 1;
    }
    if (!fCriaTabelasRetificacao(banco)) {
        terminal.Mostra(TipoDialogo::Erro,
                        "Erro na inicialização dos arquivos para gravação de declaração.\nProcesso será interrompido");
        return 1;
    }
    if (const std::string codigo = fCopiaRetificacao(banco, selecao); !fPassou(codigo)) {
        mensagens.MostraMensagem(codigo);
        return 1;
    }
    if (!Verifica(o.pasta)) return 1;
    return Grava(banco, p, o.sim);
}

}  // namespace zovi
