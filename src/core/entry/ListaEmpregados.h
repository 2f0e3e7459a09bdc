#pragma once
// The employee list of one establishment, read a page at a time.
//
// The list never holds the establishment's rows: it counts the rows that match
// its search and reads the page asked for, in PIS/PASEP order (the primary
// index) or in name order (the secondary index on the name, compared without
// letter case), so opening, scrolling to the end and searching cost the same
// for ten employees or for a hundred thousand.
//
// Searches are by the beginning of the PIS/PASEP or of the name, or by the
// initial letter of the name (one letter, or two consecutive ones such as "EF").
#include <optional>
#include <string>
#include <vector>

#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "entry/CadastroEmpregado.h"

namespace zovi {

enum class OrdemEmpregados { PisPasep, Nome };

struct FiltroEmpregados {
    std::string pisPasep;  // the beginning of the PIS/PASEP
    std::string nome;      // the beginning of the name
    std::string letras;    // "" every name; "A"; "EF" names beginning with E or F
};

struct LinhaEmpregado {
    std::string pisPasep, nome, admissao, sequencial;
    ChaveEmpregado Chave() const { return {pisPasep, admissao, nome, sequencial}; }
};

class ListaEmpregados {
public:
    // `tabela`: the declaration's employees, or those of a file read into the work tables (te8Vinc).
    ListaEmpregados(Banco& banco, std::string anoBase, std::string inscricao, std::string prefixo,
                    std::string tabela = "BD8Vinc");

    void Filtra(FiltroEmpregados filtro);
    const FiltroEmpregados& Filtro() const { return filtro_; }
    void Ordena(OrdemEmpregados ordem, bool descendente = false);
    OrdemEmpregados Ordem() const { return ordem_; }
    bool Descendente() const { return descendente_; }

    // Rows matching the search.
    long Conta();
    // Up to `quantidade` rows from row `inicio` (0 the first) of the current order.
    std::vector<LinhaEmpregado> Linhas(long inicio, long quantidade);
    // The row number of an employee in the current order and search; nullopt when
    // the search leaves it out or it is not stored.
    std::optional<long> Posicao(const ChaveEmpregado& chave);

private:
    std::vector<std::string> Instrucao(const std::string& colunas) const;
    void Liga(Consulta& q) const;
    bool PeloIndiceNome() const;
    std::string Coluna(const char* campo) const;       // in the search
    std::string ColunaOrdem(const char* campo) const;  // in the order

    Banco& banco_;
    std::string anoBase_, inscricao_, prefixo_, tabela_;
    FiltroEmpregados filtro_;
    OrdemEmpregados ordem_ = OrdemEmpregados::PisPasep;
    bool descendente_ = false;
};

// The smallest text above every text beginning with `prefixo` (in byte order);
// empty when there is none (a prefix of bytes 0xFF only).
std::string ProximoPrefixo(std::string prefixo);

}  // namespace zovi
