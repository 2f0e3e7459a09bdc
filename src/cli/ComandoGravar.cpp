#include "ComandoGravar.h"

#include <ctime>
#include <filesystem>

#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "declfile/GravaDeclaracao.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "platform/Unidades.h"

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

}  // namespace

int ComandoGravar(const std::vector<std::string>& a) {
    std::string pasta, unidade, destino, ano = "2005", data = Agora("%d%m%Y");
    ParametrosGravacao p;
    bool sim = false;
    for (size_t i = 0; i < a.size(); ++i) {
        const std::string& x = a[i];
        const bool temValor = i + 1 < a.size();
        if (x == "--unidade" && temValor) unidade = a[++i];
        else if (x == "--pasta" && temValor) destino = a[++i];
        else if (x == "--ano" && temValor) ano = a[++i];
        else if (x == "--data" && temValor) data = a[++i];
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
    if (!SoDigitos(data, 8) || !SoDigitos(ano, 4)) {
        Escreve("A data deve ter 8 dígitos (ddmmaaaa) e o ano 4.", true);
        return 64;
    }
    p.dataGeracao = data;
    p.hora = Agora("%H%M%S");
    if (!destino.empty()) {
        std::error_code ec;
        if (fs::exists(destino, ec) && !fs::is_directory(destino, ec)) {
            Escreve("O destino " + destino + " existe e não é uma pasta.", true);
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
    if (!p.trabalho) p.selecao = TodosEstabelecimentos(banco, ano);
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

}  // namespace zovi
