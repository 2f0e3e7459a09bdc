#include "data/VerificaArquivos.h"

#include "data/ConfereTabela.h"
#include "data/Tabelas.h"
#include "data/TrocaTabelas.h"
#include "engine/Tabela.h"

namespace zovi {

namespace fs = std::filesystem;

namespace {

struct IndiceObrigatorio {
    const char* arquivo;
    const char* nome;
    const char* campos;
    bool primario;
};

// In the order the start-up check rebuilds them.
constexpr IndiceObrigatorio kIndices[] = {
    {"BD8EMP.PX", "Main", kChaveEstabelecimento, true},
    {"BD8VINC.PX", "Main",
     kChaveEmpregado,
     true},
    {"BD8VINC.XG0", kIndiceNomeEmpregado, kCamposIndiceNomeEmpregado, false},
    {"TB8BASE.PX", "Main", "MeDataBase", true},
    {"TB8CBO.PX", "Main", "CoCbo", true},
    {"TB8CNAE.PX", "Main", "CoCNAE", true},
    {"TB8DESL.PX", "Main", "CoCausaDesligamento", true},
    {"TB8FXCEP.PX", "Main", "CoMunicipio", true},
    {"TB8INSTR.PX", "Main", "CoInstrucao", true},
    {"TB8MSG.PX", "Main", "NuMensagem", true},
    {"TB8MUNIC.PX", "Main", "CoMunicipio", true},
    {"TB8NACIO.PX", "Main", "CoNacionalidade", true},
    {"TB8RACA.PX", "Main", "CoRaca", true},
    {"TB8TPADM.PX", "Main", "CoTipoAdmissao", true},
    {"TB8TPSAL.PX", "Main", "CoTipoSalarioContratual", true},
    {"TBUF.PX", "Main", "CoUF;SgUF", true},
    {"TBUF.XG0", "ISgUf", "SgUF", false},
    {"TB8VINC.PX", "Main", "CoVinculo", true},
    {"TB8NATJU.PX", "Main", "CoNaturezaJuridica", true},
    {"TB8AFAST.PX", "Main", "CoAfastamento", true},
};

bool Primario(const std::string& tabelaIndice) {
    auto ponto = tabelaIndice.rfind('.');
    return ponto != std::string::npos && NomeMaiusculo(tabelaIndice.substr(ponto + 1)) == "PX";
}

}  // namespace

bool ExisteArquivoIndice(Banco& banco, const std::string& TabelaIndice, const std::string& nomeIndice) {
    auto tabela = TabelaIndice.substr(0, TabelaIndice.rfind('.'));
    return Primario(TabelaIndice) ? banco.ExisteIndicePrimario(tabela) : banco.ExisteIndice(tabela, nomeIndice);
}

bool VerificaArquivosDados(const fs::path& pastaDados, Interacao& interacao) {
    if (!fs::is_directory(pastaDados)) return false;
    // A restore cut short is finished or undone before the tables are looked at, so the
    // check sees one whole set of declaration tables.
    RecuperaTrocaInterrompida(pastaDados);
    RemoveCopiasAbandonadas(pastaDados);
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + pastaDados.string()});
    for (const auto& nome : TabelasObrigatorias())
        if (!banco.ExisteTabela(nome)) return false;
    for (const auto& ind : kIndices) {
        bool existe = false;
        try {
            existe = ExisteArquivoIndice(banco, ind.arquivo, ind.nome);
        } catch (const ErroBanco&) {
            existe = false;  // an unreadable table: let the rebuild report it
        }
        if (!existe) RecriaIndice(banco, ind.arquivo, ind.nome, ind.campos, ind.primario, interacao);
    }
    return true;
}

std::vector<std::pair<std::string, std::string>> TabelasDanificadas(const fs::path& pastaDados) {
    std::vector<std::pair<std::string, std::string>> danificadas;
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + pastaDados.string()});
    for (const auto& nome : TabelasObrigatorias()) {
        auto arquivo = banco.ArquivoTabela(nome);
        if (!arquivo) continue;
        // A journal that a killed run left is rolled back by reading the table first.
        try {
            banco.LeDefinicao(nome);
        } catch (const ErroBanco&) {
        }
        auto motivo = fMotivoTabelaInvalida(*arquivo, DefinicaoTabela(nome), false);
        if (!motivo.empty()) danificadas.emplace_back(nome, motivo);
    }
    return danificadas;
}

namespace {

// The table could not be opened alone: its index is dropped before being made again. A
// table whose index cannot even be dropped is named with why it could not be opened.
bool RemoveIndiceDaTabela(Banco& banco, const std::string& tabela, const std::string& nomeIndice,
                          const std::string& motivoAbertura, Interacao& interacao) {
    try {
        banco.RemoveIndice(tabela, nomeIndice);
        return true;
    } catch (const std::exception& e) {
        interacao.Aviso("Não foi possível abrir a tabela " + tabela + " para refazer o índice " + nomeIndice + ": " +
                        motivoAbertura + " (" + e.what() + ")");
        return false;
    }
}

}  // namespace

bool RecriaIndice(Banco& banco, const std::string& TabelaIndice, const std::string& nomeIndice,
                  const std::string& campos, bool primario, Interacao& interacao) {
    auto ponto = TabelaIndice.find('.');
    if (ponto == std::string::npos) {
        interacao.Aviso("Parâmetro TabelaIndice deve conter nome da Tabela.indice");
        return false;
    }
    auto tabela = TabelaIndice.substr(0, ponto + 1) + "DB";
    Tabela t(banco, tabela);
    try {
        t.Abre(true);
    } catch (const ErroMotor& e) {
        std::string texto = e.what();
        if (texto.find("Table is busy") != std::string::npos) {
            interacao.Aviso("Nenhum usuário pode estar usando o sistema: \"" + texto + "\"");
            return false;
        }
        if (!RemoveIndiceDaTabela(banco, tabela, nomeIndice, texto, interacao)) return false;
    } catch (const ErroBanco& e) {
        if (!RemoveIndiceDaTabela(banco, tabela, nomeIndice, e.what(), interacao)) return false;
    }
    // Dropped and made again in one transaction: an interruption, or rows the index does not
    // admit (a key repeated), leave the old index and the table as they were.
    try {
        Transacao transacao(banco);
        banco.RemoveIndice(tabela, nomeIndice);
        banco.AdicionaIndice(tabela, DefIndice{nomeIndice, campos, primario, !primario});
        transacao.Confirma();
    } catch (const ErroBanco& e) {
        interacao.Aviso("Não foi possível refazer o índice " + nomeIndice + " da tabela " + tabela + ": " + e.what());
        return false;
    }
    t.Fecha();
    return true;
}

}  // namespace zovi
