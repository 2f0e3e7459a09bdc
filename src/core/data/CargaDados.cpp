#include "data/CargaDados.h"

#include <fstream>
#include <sstream>

#include "data/Tabelas.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"
#include "platform/Texto1252.h"

namespace zovi {

namespace fs = std::filesystem;

std::vector<std::vector<std::string>> LeCsv(const fs::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    if (!in) throw std::runtime_error("Não foi possível ler " + arquivo.string());
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string s = ss.str();
    std::vector<std::vector<std::string>> linhas;
    std::vector<std::string> linha;
    std::string campo;
    bool aspas = false, temDado = false;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (aspas) {
            if (c == '"') {
                if (i + 1 < s.size() && s[i + 1] == '"') {
                    campo += '"';
                    ++i;
                } else {
                    aspas = false;
                }
            } else {
                campo += c;
            }
            continue;
        }
        if (c == '"') {
            aspas = true;
            temDado = true;
        } else if (c == ',') {
            linha.push_back(std::move(campo));
            campo.clear();
            temDado = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            if (temDado || !campo.empty()) {
                linha.push_back(std::move(campo));
                linhas.push_back(std::move(linha));
            }
            linha.clear();
            campo.clear();
            temDado = false;
        } else {
            campo += c;
            temDado = true;
        }
    }
    if (aspas) throw std::runtime_error(arquivo.string() + ": aspas sem fechamento");
    if (temDado || !campo.empty()) {
        linha.push_back(std::move(campo));
        linhas.push_back(std::move(linha));
    }
    return linhas;
}

namespace {

long CarregaTabela(Banco& banco, const DefTabela& def, const fs::path& csv) {
    auto linhas = LeCsv(csv);
    if (linhas.empty()) return 0;
    const auto& cabecalho = linhas.front();
    for (const auto& nome : cabecalho)
        if (!def.Campo(nome)) throw std::runtime_error(csv.string() + ": coluna desconhecida '" + nome + "'");
    Tabela t(banco, def.nome);
    t.Abre();
    Transacao tr(banco);
    for (size_t n = 1; n < linhas.size(); ++n) {
        const auto& l = linhas[n];
        if (l.size() != cabecalho.size())
            throw std::runtime_error(csv.string() + ":" + std::to_string(n + 1) + ": número de colunas diferente do cabeçalho");
        t.Acrescenta();
        for (size_t c = 0; c < l.size(); ++c) {
            auto valor = Utf8ParaCp1252(l[c]);
            if (!valor)
                throw std::runtime_error(csv.string() + ":" + std::to_string(n + 1) + ": caractere fora do Windows-1252");
            try {
                t.PoeTexto(cabecalho[c], *valor);
            } catch (const std::exception& e) {
                throw std::runtime_error(csv.string() + ":" + std::to_string(n + 1) + ": " + e.what());
            }
        }
        try {
            t.Grava();
        } catch (const std::exception& e) {
            throw std::runtime_error(csv.string() + ":" + std::to_string(n + 1) + ": " + e.what());
        }
    }
    tr.Confirma();
    t.Fecha();
    return static_cast<long>(linhas.size() - 1);
}

}  // namespace

std::vector<std::pair<std::string, long>> CriaPastaDados(const fs::path& pastaCsv, const fs::path& pastaDados) {
    fs::create_directories(pastaDados);
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + pastaDados.string()});
    std::vector<std::pair<std::string, long>> contagem;
    for (const auto& def : TabelasDoPrograma()) {
        if (banco.ExisteTabela(def.nome)) throw std::runtime_error("A pasta já contém a tabela " + def.nome);
        banco.CriaTabela(def);
        auto csv = pastaCsv / (def.nome + ".csv");
        contagem.emplace_back(def.nome, fs::exists(csv) ? CarregaTabela(banco, def, csv) : 0);
    }
    return contagem;
}

}  // namespace zovi
