// gdzovi-lote: the program's runs from a terminal.
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "ComandoAnalisar.h"
#include "ComandoGravar.h"
#include "ComandoRelatorio.h"
#include "InteracaoTerminal.h"
#include "PastaCompartilhada.h"
#include "backup/CopiaDeclaracao.h"
#include "backup/IndexaArquivos.h"
#include "data/CargaDados.h"
#include "data/PastaUsuario.h"
#include "data/Tabelas.h"
#include "data/VerificaArquivos.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/TravaPastaDados.h"
#include "platform/Texto1252.h"
#include "rules/VerificaDeclaracao.h"

namespace fs = std::filesystem;
using namespace zovi;

namespace {

using Argumentos = std::vector<std::string>;

int CriaDados(const Argumentos& a) {
    if (a.size() != 2) {
        Escreve("uso: gdzovi-lote cria-dados PASTA_CSV PASTA_DADOS", true);
        return 64;
    }
    for (const auto& [tabela, linhas] : CriaPastaDados(a[0], a[1]))
        Escreve(tabela + ".DB: " + std::to_string(linhas) + " registros");
    return 0;
}

// The folder of this program's own file, where an installed copy finds its shipped tables.
fs::path PastaDoPrograma() {
    std::error_code ec;
    auto programa = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : programa.parent_path();
}

// check-data [DADOS]: without DADOS, the folder the program itself would open (a per-user
// folder is brought up to the shipped tables first).
int VerificaDados(const Argumentos& a) {
    if (a.size() > 1) {
        Escreve("uso: gdzovi-lote check-data [PASTA_DADOS]", true);
        return 64;
    }
    const std::string pasta = a.empty() ? EscolhePastaDados(PastaDoPrograma()).string() : a[0];
    TravaPastaDados trava(pasta, ModoTrava::Compartilhada);
    InteracaoTerminal terminal;
    auto danificadas = TabelasDanificadas(pasta);
    for (const auto& [tabela, problema] : danificadas)
        Escreve(tabela + ".DB: o arquivo " + problema, true);
    if (!danificadas.empty()) {
        terminal.Aviso("Arquivos com problemas. Restaure uma cópia de segurança ou instale novamente o GDZOVI.");
        return 1;
    }
    if (!VerificaArquivosDados(pasta, terminal)) {
        terminal.Aviso("Faltam arquivos para execução do sistema. Instale novamente o GDZOVI.");
        return 1;
    }
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + pasta});
    for (const auto& nome : TabelasObrigatorias())
        Escreve(nome + ".DB: presente, índices conferidos");
    Escreve("Pasta de dados completa: " + Utf8ParaCp1252(pasta, '?'));
    return 0;
}

// copia DADOS ARQUIVO.bkp [--volume BYTES]: BYTES is the room of each volume, as on a diskette.
int Copia(const Argumentos& a) {
    bool volume = a.size() == 4 && a[2] == "--volume" && !a[3].empty() &&
                  a[3].find_first_not_of("0123456789") == std::string::npos && a[3].size() < 19;
    if (a.size() != 2 && !volume) {
        Escreve("uso: gdzovi-lote copia DADOS ARQUIVO.bkp [--volume BYTES]", true);
        return 64;
    }
    TravaPastaDados trava(a[0], ModoTrava::Compartilhada);
    InteracaoTerminal terminal;
    MedidaEspacoLivre espaco = EspacoLivreDisco;
    if (volume) espaco = [bytes = std::stoull(a[3])](const fs::path&) { return bytes; };
    return fGravaCopiaDeclaracao(a[0], a[1], terminal, espaco) ? 0 : 1;
}

int Restaura(const Argumentos& a) {
    if (a.size() != 2) {
        Escreve("uso: gdzovi-lote restaura ARQUIVO.bkp DADOS", true);
        return 64;
    }
    TravaPastaDados trava(a[1], ModoTrava::Exclusiva);
    InteracaoTerminal terminal;
    return fRestauraCopiaDeclaracao(a[0], a[1], terminal) ? 0 : 1;
}

int Reindexa(const Argumentos& a) {
    if (a.size() != 1 || !fs::is_directory(a[0])) {
        Escreve("uso: gdzovi-lote reindexa DADOS", true);
        return 64;
    }
    InteracaoTerminal terminal;
    TdmGDZovi dm(a[0]);
    return fIndexaArquivos(dm, terminal) ? 0 : 1;
}


int UsoVerificar() {
    Escreve("uso: gdzovi-lote verificar DADOS [--trabalho] [--ano 2005] [--responsavel] [--exige-preenchimento]", true);
    return 64;
}

int Verifica(const Argumentos& a) {
    std::string pasta, ano;
    bool trabalho = false, responsavel = false, exige = false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--trabalho") trabalho = true;
        else if (a[i] == "--responsavel") responsavel = true;
        else if (a[i] == "--exige-preenchimento") exige = true;
        else if (a[i] == "--ano" && i + 1 < a.size()) ano = a[++i];
        else if (pasta.empty() && a[i].rfind("--", 0) != 0) pasta = a[i];
        else return UsoVerificar();
    }
    if (pasta.empty()) return UsoVerificar();
    auto trava = TomaPastaCompartilhada(pasta);
    InteracaoTerminal terminal;
    auto r = fVerificaDeclaracao(terminal, pasta, trabalho, nullptr, ano, responsavel, exige);
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + pasta});
    long erros = ContaInconsistencias(banco, "err"), avisos = ContaInconsistencias(banco, "war");
    if (r.vrInterrompida) Escreve("Verificação interrompida.");
    Escreve("Erros: " + std::to_string(erros) + "  Avisos: " + std::to_string(avisos) + "  Linhas em TE8ERRWA: " +
            std::to_string(erros + avisos));
    return r.vrErro ? 1 : r.vrAviso ? 2 : 0;
}

// The usage text: on standard error after a wrong call, on standard output for --help.
void Uso(bool erro = true) {
    Escreve("uso: gdzovi-lote COMANDO ARGUMENTOS\n"
            "  analisar ARQUIVO DADOS [--anterior]  analisa a estrutura de um arquivo da declaração\n"
            "  check-data [DADOS]            confere as tabelas da pasta de dados e refaz índices ausentes\n"
            "                                (sem DADOS: a pasta que o programa abre)\n"
            "  cria-dados PASTA_CSV DADOS    cria uma pasta de dados a partir das tabelas em CSV\n"
            "  copia DADOS ARQ.bkp [--volume BYTES]  cópia de segurança das tabelas da declaração\n"
            "                                (pede cada volume seguinte: Enter continua, c cancela; ou use: yes | gdzovi-lote ...)\n"
            "  restaura ARQ.bkp DADOS        restaura uma cópia de segurança na pasta de dados\n"
            "  reindexa DADOS                recria os índices de todas as tabelas\n"
            "  verificar DADOS [--trabalho] [--ano ANO] [--responsavel] [--exige-preenchimento]\n"
            "                                verifica a declaração; sai com 0 sem inconsistências, 1 com erros,\n"
            "                                2 só com avisos\n"
            "  gravar DADOS --unidade A      verifica e grava a declaração em disquetes (gravar sem argumentos:\n"
            "                                opções; --data ddmmaaaa fora de 2006)\n"
            "  gravar DADOS --pasta DESTINO  verifica e grava a declaração numa pasta\n"
            "  relatorio erros|etiquetas|cartela DADOS --pdf ARQUIVO\n"
            "                                grava um relatório em PDF\n"
            "  --help | --version            este texto | a versão\n"
            "Saídas: 0 sucesso; 1 falha (verificar, gravar: há erros; analisar: falha no arquivo); 2 verificar só com\n"
            "avisos, gravar interrompida; 4 analisar interrompida; 8 analisar, arquivo de retificação;\n"
            "64 argumentos errados; 70 erro inesperado; 75 pasta de dados em uso por outro processo.",
            erro);
}

}  // namespace

int main(int argc, char** argv) {
    const std::map<std::string, std::function<int(const Argumentos&)>> comandos = {
        {"analisar", ComandoAnalisar},
        {"check-data", VerificaDados},
        {"cria-dados", CriaDados},
        {"copia", Copia},
        {"restaura", Restaura},
        {"reindexa", Reindexa},
        {"verificar", Verifica},
        {"gravar", ComandoGravar},
        {"relatorio", ComandoRelatorio},
    };
    const std::string primeiro = argc < 2 ? "" : argv[1];
    Argumentos args(argc > 2 ? argv + 2 : argv + argc, argv + argc);
    if (primeiro == "--version") {
        Escreve("gdzovi-lote " GDZOVI_VERSAO);
        return 0;
    }
    if (primeiro == "--help" || (comandos.count(primeiro) && args.size() == 1 && args[0] == "--help")) {
        Uso(false);
        return 0;
    }
    if (!comandos.count(primeiro)) {
        Uso();
        return 64;
    }
    try {
        return comandos.at(primeiro)(args);
    } catch (const ErroMotor& e) {
        Escreve(std::string("Erro: ") + e.what(), true);
        // Refused because another run holds the data folder: try again later.
        return e.Codigo() == codigo_motor::TabelaOcupada ? 75 : 70;
    } catch (const std::exception& e) {
        Escreve(std::string("Erro: ") + e.what(), true);
        return 70;
    }
}
