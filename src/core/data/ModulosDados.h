#pragma once
// The three data modules through which the forms and runs reach the tables.
//
// TdmGDZovi owns the database connection and the reference tables for the
// whole run; TdmEntradaDados the entry tables and the counting queries;
// TdmDadosResp the declarant, the declaration tables and the work tables used
// by generation and rectification.
#include <filesystem>
#include <string>

#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"

namespace zovi {

class TdmGDZovi {
public:
    // Opens the database `Zovi2005` on the folder and the reference tables.
    explicit TdmGDZovi(const std::filesystem::path& pastaDados);
    ~TdmGDZovi();

    Banco dbZovi;
    Tabela taMunicipio{dbZovi, "TB8MUNIC"};
    Tabela taUF{dbZovi, "TBUF"};
    Tabela taCNAE{dbZovi, "TB8CNAE"};
    Tabela taNatJu{dbZovi, "TB8NATJU"};
    Tabela taNacionalidade{dbZovi, "TB8NACIO"};
    Tabela taMensagem{dbZovi, "TB8MSG"};
    Tabela taInstrucao{dbZovi, "TB8INSTR"};
    Tabela taAdmissao{dbZovi, "TB8TPADM"};
    Tabela taRaca{dbZovi, "TB8RACA"};
    Tabela taCBO{dbZovi, "TB8CBO"};
    Tabela taTpVinc{dbZovi, "TB8VINC"};
    Tabela taDesl{dbZovi, "TB8DESL"};
    Tabela taSalario{dbZovi, "TB8TPSAL"};
    Tabela taFaixaCEP{dbZovi, "TB8FXCEP"};
    Tabela TaAfastamento{dbZovi, "TB8AFAST"};
    // General-purpose query: each user replaces its statement before running it.
    Consulta quBd8Emp{dbZovi};
    Consulta qryUfCep{dbZovi, {"Select * from tbUfCep", "where CoUf = :xCoUf"}};
};

class TdmEntradaDados {
public:
    explicit TdmEntradaDados(TdmGDZovi& dm) : TdmEntradaDados(dm.dbZovi) {}
    // Over the database alone, for a window or run that has no reference tables of its own.
    explicit TdmEntradaDados(Banco& banco);

    // Employees and foreigners (nationality other than "10") of one establishment.
    long ContaEmpregados(const std::string& anoBase, const std::string& inscricao, const std::string& prefixo);
    long ContaEstrangeiros(const std::string& anoBase, const std::string& inscricao, const std::string& prefixo);

    Tabela ta8Empresa;
    Tabela ta8Empreg;
    Consulta quBuscaEmpreg;
    Consulta quConVinculo;
    Consulta quContaEmpreg;
    Consulta quContaEstrang;
    Consulta quValidaEstab;
    // Counters of the employee form's notices on activity and legal nature: each
    // notice is shown only a few times per run of the program.
    int contadorAvisoCnae = 1;
    int contadorAvisoNatureza = 1;
};

class TdmDadosResp {
public:
    explicit TdmDadosResp(TdmGDZovi& dm);

    Tabela ta8Resp;
    Tabela ta8Emp;
    Tabela ta8Vinc;
    Tabela te8Emp;   // opened for exclusive use by its users
    Tabela te8Vinc;  // opened for exclusive use by its users
    Tabela te8Resp;
    Consulta quEmpresas;
    Consulta quVinculos;
    bool cancelado = false;          // set by the Cancel buttons of generation and rectification
    bool modoRetificacao = false;    // set by the rectification wizard
};

// The mask's literal characters removed: "12.345.678/0001-90" with "99.999.999/9999-99;0;" gives 14 digits.
// A mask ending in ";0;" stores the value without its literals; other masks keep them.
std::string ValorSemMascara(const std::string& valor, const std::string& mascara);

}  // namespace zovi
