#include "ComandoGravar.h"

#include <ctime>
#include <filesystem>

#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "declfile/GravaDeclaracao.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "messages/Catalogo.h"
#include "messages/Formatacao.h"
#include "platform/Texto1252.h"
#include "platform/Unidades.h"
#include "rules/VerificaDeclaracao.h"

namespace zovi {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUso =
    "uso: gdzovi-lote gravar DADOS --unidade A|B | --pasta DESTINO [--ano 2005] [--retificacao] [--trabalho]\n"
    "                          [--data ddmmaaaa] [--sim]\n"
    "  --unidade      grava em disquetes no drive A: ou B:\n"
    "  --pasta        grava na pasta DESTINO, sem limite de tamanho (acima de 999.999 registros,\n"
    "                 continua nas subpastas disquete-2, disquete-3, ...); uma declaração já\n"
    "                 gravada ali (com suas partes em disquete-2, ...) só é substituída com\n"
    "                 confirmação (ou --sim)\n"
    "  --trabalho     lê as tabelas de trabalho (te8Resp, te8Emp, te8Vinc) em vez da declaração\n"
    "  --retificacao  grava uma declaração retificadora\n"
    "  --data         data da geração, de 01/01/2006 a 31/12/2006 (padrão: hoje; fora desse\n"
    "                 período, informe --data)\n"
    "  --sim          responde Sim às perguntas";

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

// The generation date, checked as the wizard checks it; false (said) when refused.
bool DataAceita(Banco& banco, const std::string& data, bool informada) {
    const std::string codigo = fCriticaDataDigitada(data);
    if (codigo == "0000") return true;
    const CatalogoMensagens catalogo(banco);
    const auto* mensagem = catalogo.Busca(codigo);
    const std::string mostrada = SoDigitos(data, 8) ? FormataData(data) : Utf8ParaCp1252(data, '?');
    Escreve("Data da geração " + mostrada + " recusada (" + codigo + "): " +
                (mensagem ? mensagem->texto : std::string()),
            true);
    if (!informada) Escreve("Sem --data vale a data de hoje: informe --data ddmmaaaa com uma data de 2006.", true);
    return false;
}

// The verification the wizard runs before writing, over what is to be written. Errors stop
// the run (exit 1) with nothing written; warnings are said, and the declaration is written.
// Returns the exit code, or -1 to go on.
int VerificaAntes(const std::string& pasta, Banco& banco, const ParametrosGravacao& p, const std::string& ano) {
    InteracaoTerminal terminal;
    const auto r = fVerificaDeclaracao(terminal, pasta, p.trabalho, nullptr, p.trabalho ? "" : ano, true, false);
    if (r.vrInterrompida) {
        Escreve("Verificação interrompida: nada foi gravado.", true);
        return kGravacaoInterrompida;
    }
    const std::string relatorio = "gdzovi-lote relatorio erros " + Utf8ParaCp1252(pasta, '?') + " --pdf erros.pdf";
    if (r.vrErro) {
        Escreve("A declaração tem " + std::to_string(ContaInconsistencias(banco, "err")) +
                    " erro(s) e não foi gravada. Para vê-los: " + relatorio,
                true);
        return kFalhaGravacao;
    }
    if (r.vrAviso)
        Escreve("A declaração tem " + std::to_string(ContaInconsistencias(banco, "war")) +
                " aviso(s), que não impedem a gravação. Para vê-los: " + relatorio);
    return -1;
}

void Resumo(Banco& banco) {
    Tabela t(banco, "TE8PROID");
    t.Abre();
    for (t.Primeiro(); !t.Fim(); t.Proximo())
        Escreve("Disquete " + t.Texto("NuDisquete") + ": " + t.Texto("NuEstabelecimentos") + " estabelecimento(s), " +
                t.Texto("NuVinculos") + " vínculo(s)");
}

}  // namespace

long ContaInconsistencias(Banco& banco, const char* tipo) {
    if (!banco.ExisteTabela("TE8ERRWA")) return 0;
    Consulta q(banco, {"select count(*) from te8errwa where errwar = :tipo"});
    q.Parametro("tipo", tipo);
    q.Abre();
    return q.Inteiro(0);
}

int ComandoGravar(const std::vector<std::string>& a) {
    std::string pasta, unidade, destino, ano = "2005", data = Agora("%d%m%Y");
    ParametrosGravacao p;
    bool sim = false, dataInformada = false;
    for (size_t i = 0; i < a.size(); ++i) {
        const std::string& x = a[i];
        const bool temValor = i + 1 < a.size();
        if (x == "--unidade" && temValor) unidade = a[++i];
        else if (x == "--pasta" && temValor) destino = a[++i];
        else if (x == "--ano" && temValor) ano = a[++i];
        else if (x == "--data" && temValor) data = a[++i], dataInformada = true;
        else if (x == "--retificacao") p.retificacao = true;
        else if (x == "--trabalho") p.trabalho = true;
        else if (x == "--sim") sim = true;
        else if (pasta.empty() && x.rfind("--", 0) != 0) pasta = x;
        else {
            Escreve(kUso, true);
            return 64;
        }
    }
    const bool driveValido = unidade == "A" || unidade == "B" || unidade == "a" || unidade == "b";
    // Exactly one of --unidade and --pasta, and a drive only A: or B:.
    if (pasta.empty() || unidade.empty() == destino.empty() || (!unidade.empty() && !driveValido)) {
        Escreve(kUso, true);
        return 64;
    }
    if (!SoDigitos(ano, 4)) {
        Escreve("O ano deve ter 4 dígitos.", true);
        return 64;
    }
    p.dataGeracao = data;
    p.hora = Agora("%H%M%S");
    if (!destino.empty()) {
        std::error_code ec;
        if (fs::exists(destino, ec) && !fs::is_directory(destino, ec)) {
            Escreve("O destino " + Utf8ParaCp1252(destino, '?') + " existe e não é uma pasta.", true);
            return 64;
        }
        p.pasta = fs::absolute(destino, ec);
    } else if (p.unidade = unidade[0]; !LocalizaUnidade(p.unidade)) {
        Escreve("Não há unidade " + unidade + ": nesta máquina. Insira uma mídia removível ou defina GDZOVI_UNIDADE_" +
                    static_cast<char>(std::toupper(static_cast<unsigned char>(p.unidade))) + "=PASTA[:BYTES].",
                true);
        return 64;
    }

    auto trava = TomaPastaCompartilhada(pasta);
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + pasta});
    if (!DataAceita(banco, data, dataInformada)) return 64;
    if (const int saida = VerificaAntes(pasta, banco, p, ano); saida >= 0) return saida;
    if (!p.trabalho) p.selecao = TodosEstabelecimentos(banco, ano);
    InteracaoTerminal terminal(sim);
    std::string motivo;
    const int resultado = fGravaDeclaracao(banco, p, terminal, &motivo);
    switch (resultado) {
        case kGravado:
            Escreve("Arquivo gerado com SUCESSO !");
            Resumo(banco);
            break;
        case kGravacaoInterrompida:
            terminal.Aviso("A gravação do arquivo \"ZOVI2005\" interrompida pelo usuário!");
            break;
        default:
            terminal.Aviso(MensagemFalhaGravacao(p, motivo));
    }
    return resultado;
}

}  // namespace zovi
