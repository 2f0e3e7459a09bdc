#include "engine/SqlLocal.h"

#include <algorithm>
#include <cctype>

#include "engine/Banco.h"
#include "engine/Definicao.h"

namespace zovi {

namespace {

enum class Tipo { Palavra, TextoSimples, TextoDuplo, Parametro, Simbolo, Espaco };

struct Token {
    Tipo tipo;
    std::string texto;
};

bool Letra(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80; }

std::vector<Token> Separa(const std::string& s) {
    std::vector<Token> t;
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            size_t j = i;
            while (j < s.size() && std::isspace(static_cast<unsigned char>(s[j]))) ++j;
            t.push_back({Tipo::Espaco, s.substr(i, j - i)});
            i = j;
        } else if (c == '\'' || c == '"') {
            std::string conteudo;
            size_t j = i + 1;
            while (j < s.size()) {
                if (s[j] == c) {
                    if (j + 1 < s.size() && s[j + 1] == c) {
                        conteudo += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                conteudo += s[j++];
            }
            t.push_back({c == '\'' ? Tipo::TextoSimples : Tipo::TextoDuplo, conteudo});
            i = j + 1;
        } else if (c == ':' && i + 1 < s.size() && Letra(s[i + 1])) {
            size_t j = i + 1;
            while (j < s.size() && Letra(s[j])) ++j;
            t.push_back({Tipo::Parametro, s.substr(i + 1, j - i - 1)});
            i = j;
        } else if (Letra(c)) {
            size_t j = i;
            while (j < s.size() && Letra(s[j])) ++j;
            t.push_back({Tipo::Palavra, s.substr(i, j - i)});
            i = j;
        } else {
            t.push_back({Tipo::Simbolo, std::string(1, c)});
            ++i;
        }
    }
    return t;
}

std::string Literal(const std::string& conteudo) {
    std::string r = "'";
    for (char c : conteudo) {
        if (c == '\'') r += '\'';
        r += c;
    }
    return r + "'";
}

bool TerminaEmDb(const std::string& s) {
    auto m = NomeMaiusculo(s);
    return m.size() > 3 && m.compare(m.size() - 3, 3, ".DB") == 0;
}

bool Chave(const Token& t, std::initializer_list<const char*> palavras) {
    if (t.tipo != Tipo::Palavra) return false;
    auto m = NomeMaiusculo(t.texto);
    return std::any_of(palavras.begin(), palavras.end(), [&](const char* p) { return m == p; });
}

}  // namespace

SqlConvertido AnalisaSqlLocal(const std::string& texto, const std::map<std::string, size_t>& tamanhoListas) {
    auto tokens = Separa(texto);
    SqlConvertido r;
    auto anota = [&](const std::string& nome) {
        auto canon = Banco::NomeTabela(nome);
        if (std::find(r.tabelas.begin(), r.tabelas.end(), canon) == r.tabelas.end()) r.tabelas.push_back(canon);
        return Aspas(canon);
    };

    // Where a table name may stand: after FROM, JOIN, INTO, UPDATE, and after a
    // comma of the FROM list.
    bool posicaoTabela = false;
    bool listaFrom = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const auto& tk = tokens[i];
        switch (tk.tipo) {
            case Tipo::Espaco: r.sql += tk.texto; continue;
            case Tipo::TextoSimples: r.sql += Literal(tk.texto); break;
            case Tipo::TextoDuplo:
                if (posicaoTabela || TerminaEmDb(tk.texto)) r.sql += anota(tk.texto);
                else r.sql += Literal(tk.texto);
                break;
            case Tipo::Parametro: {
                auto lista = std::find_if(tamanhoListas.begin(), tamanhoListas.end(),
                                          [&](const auto& p) { return MesmoNome(p.first, tk.texto); });
                if (lista == tamanhoListas.end()) {
                    r.sql += ":" + tk.texto;
                } else if (lista->second == 0) {
                    r.sql += "NULL";  // an empty list matches nothing
                } else {
                    for (size_t k = 0; k < lista->second; ++k)
                        r.sql += (k ? ", :" : ":") + lista->first + "_" + std::to_string(k);
                }
                break;
            }
            case Tipo::Palavra: {
                // name.DB written without quotes
                bool comDb = i + 2 < tokens.size() && tokens[i + 1].texto == "." && Chave(tokens[i + 2], {"DB"});
                if (posicaoTabela || comDb) {
                    r.sql += anota(tk.texto);
                    if (comDb) i += 2;
                } else {
                    r.sql += tk.texto;
                }
                break;
            }
            case Tipo::Simbolo: r.sql += tk.texto; break;
        }
        // Decide whether the next significant token names a table.
        if (Chave(tk, {"FROM"})) {
            posicaoTabela = true;
            listaFrom = true;
        } else if (Chave(tk, {"JOIN", "INTO", "UPDATE"})) {
            posicaoTabela = true;
            listaFrom = false;
        } else if (tk.tipo == Tipo::Simbolo && tk.texto == "," && listaFrom) {
            posicaoTabela = true;
        } else {
            if (Chave(tk, {"WHERE", "ORDER", "GROUP", "HAVING", "ON", "SET", "VALUES", "UNION", "LIMIT"}) ||
                (tk.tipo == Tipo::Simbolo && tk.texto == "("))
                listaFrom = false;
            posicaoTabela = false;
        }
    }
    return r;
}

std::string ConverteSqlLocal(const std::string& texto) {
    // A condition alone: no table positions, so every double-quoted word is text.
    auto tokens = Separa(texto);
    std::string r;
    for (const auto& tk : tokens) {
        switch (tk.tipo) {
            case Tipo::TextoSimples:
            case Tipo::TextoDuplo: r += Literal(tk.texto); break;
            case Tipo::Parametro: r += ":" + tk.texto; break;
            default: r += tk.texto;
        }
    }
    return r;
}

}  // namespace zovi
