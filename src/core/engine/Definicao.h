#pragma once
// Table and index definitions as the engine stores them.
#include <string>
#include <vector>

namespace zovi {

enum class TipoCampo { Texto, Logico };

struct DefCampo {
    std::string nome;
    TipoCampo tipo = TipoCampo::Texto;
    int largura = 0;            // characters (bytes); 0 for logical fields
    bool obrigatorio = false;
    std::string mascara;        // entry mask shown by the entry forms; not enforced here
};

struct DefIndice {
    std::string nome;
    std::string campos;         // field names separated by ";"
    bool primario = false;      // primary: unique key that orders the table
    bool semCaixa = false;      // secondary, compared without letter case
};

struct DefTabela {
    std::string nome;           // file name without ".DB"
    std::vector<DefCampo> campos;
    std::vector<DefIndice> indices;

    const DefCampo* Campo(const std::string& nomeCampo) const;
};

// Splits "a;b;c" into its parts (blanks around each part removed).
std::vector<std::string> SeparaCampos(const std::string& lista);

// Table and field names upper-cased (ASCII letters only), as they are compared.
std::string NomeMaiusculo(std::string texto);
bool MesmoNome(const std::string& a, const std::string& b);

}  // namespace zovi
