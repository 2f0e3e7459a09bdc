// gdzovi-piso-analise ARQUIVO DADOS
// The floor of the analysis benchmark: the establishment and employee records
// of a declaration file inserted into work tables of the same definitions as
// the analysis creates, through the engine, with one prepared statement per
// table in one transaction. No checks, no trimming: each field is the slice of
// the record at its place in the layout.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/Tabelas.h"
#include "declfile/Leiaute.h"
#include "engine/Banco.h"

namespace {

using namespace zovi;

struct Insercao {
    std::string esquema;
    sqlite3_stmt* comando = nullptr;
    // Per column: (position, width) in the record; (0, 0) for '', (-1, 4) for the year.
    std::vector<std::pair<int, int>> fatias;
};

Insercao Prepara(Banco& banco, const std::string& tabela, char tipo) {
    Insercao ins;
    const DefTabela def = banco.LeDefinicao(tabela);
    ins.esquema = banco.Fixa(tabela);
    std::string colunas, valores;
    for (size_t i = 0; i < def.campos.size(); ++i) {
        colunas += (i ? ", " : "") + Aspas(def.campos[i].nome);
        valores += (i ? ", ?" : "?");
        std::pair<int, int> fatia{0, 0};
        for (const auto& c : CamposLeiaute(tipo))
            if (c.origem && MesmoNome(c.origem, def.campos[i].nome)) fatia = {c.posicao, c.largura};
        if (MesmoNome(def.campos[i].nome, "AnBase")) fatia = {293, 4};
        if (tipo == '2' && MesmoNome(def.campos[i].nome, "CoCgcCeiEstabelecimento")) fatia = {7, 14};
        if (tipo == '2' && MesmoNome(def.campos[i].nome, "NuPrefixoEstabelecimento")) fatia = {21, 2};
        if (tipo == '2' && MesmoNome(def.campos[i].nome, "AnBase")) fatia = {-1, 4};  // the year, "2005"
        ins.fatias.push_back(fatia);
    }
    ins.comando = banco.Comando(ins.esquema, "INSERT INTO " + Aspas(ins.esquema) + "." + Aspas(ins.esquema) + " (" +
                                                 colunas + ") VALUES (" + valores + ")");
    return ins;
}

void Insere(Banco& banco, Insercao& ins, const char* registro) {
    for (size_t i = 0; i < ins.fatias.size(); ++i) {
        const auto [pos, largura] = ins.fatias[i];
        const char* texto = pos > 0 ? registro + pos - 1 : "2005";
        sqlite3_bind_text(ins.comando, static_cast<int>(i) + 1, texto, pos ? largura : 0, SQLITE_STATIC);
    }
    if (sqlite3_step(ins.comando) != SQLITE_DONE) banco.Falha(sqlite3_extended_errcode(banco.Conexao()));
    sqlite3_reset(ins.comando);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "uso: gdzovi-piso-analise ARQUIVO DADOS\n");
        return 2;
    }
    try {
        const auto inicio = std::chrono::steady_clock::now();
        Banco banco;
        banco.Abre("Zovi2005", {std::string("path=") + argv[2]});
        banco.CriaTabelaComo("BD8EMP", "PISOEMP", true);
        banco.CriaTabelaComo("BD8VINC", "PISOVINC", false);
        banco.AdicionaIndice("PISOVINC", DefIndice{"Te8vinc", kChaveEmpregado, true, false});
        std::FILE* f = std::fopen(argv[1], "rb");
        if (!f) throw std::runtime_error(std::string("não abre ") + argv[1]);
        Insercao emp = Prepara(banco, "PISOEMP", '1');
        Insercao vinc = Prepara(banco, "PISOVINC", '2');
        long linhas = 0;
        {
            Transacao t(banco);
            std::vector<char> registro(kTamanhoLinha);
            while (std::fread(registro.data(), 1, registro.size(), f) == registro.size()) {
                if (registro[22] == '1') Insere(banco, emp, registro.data());
                if (registro[22] == '2') Insere(banco, vinc, registro.data());
                ++linhas;
            }
            t.Confirma();
        }
        std::fclose(f);
        banco.Solta(emp.esquema);
        banco.Solta(vinc.esquema);
        banco.ApagaTabela("PISOEMP");
        banco.ApagaTabela("PISOVINC");
        const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        std::printf("%ld registros inseridos em %.2f s\n", linhas, segundos);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gdzovi-piso-analise: %s\n", e.what());
        return 1;
    }
}
