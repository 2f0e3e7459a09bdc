#pragma once
// Declaration files for the analysis tests, composed field by field from the
// writer's layout table, so that a fixture states only what it is about.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zovi::teste {

using Valores = std::map<std::string, std::string>;  // layout field source (table field or item) -> value

// One record of 523 characters: literals and fillers from the table, every
// other field from `valores` (its blank default when absent).
std::string Registro(char tipo, const Valores& valores);
// Writes a value over the field of that source in a record.
void Poe(std::string& registro, char tipo, const std::string& origem, const std::string& valor);

struct Empregado {
    Valores valores;
};
struct Estabelecimento {
    std::string inscricao = "11222333000181";
    std::string prefixo = "00";
    Valores valores;
    std::vector<Empregado> empregados;
};

// A whole declaration: header, establishments and their employees, trailer
// with the right totals; records joined by CR LF.
struct Declaracao {
    Valores responsavel;
    std::vector<Estabelecimento> estabelecimentos;
    std::vector<std::string> Registros() const;
};

// A record of the current layout rewritten in the previous year's: 350 characters, the
// company's own field at 339, the seal at 319, base year 2004 in the establishment.
std::string ParaAnterior(std::string registro);

std::string Junta(const std::vector<std::string>& registros, const std::string& quebra = "\r\n");
void GravaArquivo(const std::filesystem::path& caminho, const std::string& conteudo);
// Stores the seal of the file where the writer stores it.
void Sela(const std::filesystem::path& caminho);

// A small valid declaration: two establishments (one without employees) and three employees.
Declaracao DeclaracaoPequena();

}  // namespace zovi::teste
