#pragma once
// The declarant and establishment steps of the verification run: every field
// rule of the record applied in the run's order, each failure written as
// inconsistency rows (kind, content, label, code) to a sink.
//
// Records are plain structs whose members carry the table's field names, so a
// run fills one per BD8RESP/BD8EMP (or te8resp/te8emp) row with
// LeDeclarante/LeEstabelecimento, from a Tabela or a Consulta positioned on
// the row, and tests build them directly.
#include <string>
#include <utility>
#include <vector>

#include "rules/Inconsistencias.h"
#include "rules/Referencias.h"

namespace zovi {

struct RegistroDeclarante {
    std::string CoCgcCeiResponsavel, InInscrResponsavel, NoResponsavelArquivo, EdLogradouroRespArquivo,
        NuLogradouroRespArquivo, TxComplementoRespArquivo, NoBairroRespArquivo, CoCepRespArquivo,
        CoMunicipioRespArquivo, NoMunicipioRespArquivo, SgUfRespArquivo, NuFoneDDD, NuFoneAssinante, DaRetificacao,
        DaGeracao, TxEMailRespArquivo;
    bool InRetificacao = false;  // a logical field
};

struct RegistroEstabelecimento {
    std::string AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, InInscrEstabelecimento, CoCgcVinculado,
        NoRazaoEstabelecimento, EdEstabelecimento, NuEnderecoEstabelecimento, TxComplemEstabelecimento,
        NoBairroEstabelecimento, CoCepEstabelecimento, CoMunicipio, NoMunicEstabelecimento, SgUf, NuDDD, NuTelefone,
        TxEmailEstabelecimento, InPorte, InOptanteSimples, CoCnae, CoNaturezaJuridica, NuProprietEstabelecimento,
        MeDataBase, InZoviNegEstabelecimento, InOpcaoAberta, InEncerramentoAtividade, DaEncerramentoAtividade,
        InParticipaPAT, NuVinculoPatMaior5, NuVinculoPatMenor5, PoServicoProprio, PoAdmCozinha, PoRefeicaoConvenio,
        PoRefeicaoTransportadora, PoCestaAlimento, PoAlimentacaoConvenio, CoCNPJSindical, VaGlobalSindical,
        CoCNPJAssociativa, VaGlobalAssociativa, CoCNPJAssistencial, VaGlobalAssistencial, CoCNPJConfederativa,
        VaGlobalConfederativa, InAtividadeAnoBase, TxUsoEstabelecimento;
};

// The text fields of each record with their table field names (BD8RESP's
// logical InRetificacao is read apart).
using CampoDeclarante = std::pair<const char*, std::string RegistroDeclarante::*>;
using CampoEstabelecimento = std::pair<const char*, std::string RegistroEstabelecimento::*>;
const std::vector<CampoDeclarante>& CamposDeclarante();
const std::vector<CampoEstabelecimento>& CamposEstabelecimento();

// Reads the record the source is positioned on. `Fonte` is anything with
// Texto(name) and Logico(name): Tabela, Consulta.
template <class Fonte>
RegistroDeclarante LeDeclarante(const Fonte& fonte) {
    RegistroDeclarante r;
    for (const auto& [nome, membro] : CamposDeclarante()) r.*membro = fonte.Texto(nome);
    r.InRetificacao = fonte.Logico("InRetificacao");
    return r;
}

template <class Fonte>
RegistroEstabelecimento LeEstabelecimento(const Fonte& fonte) {
    RegistroEstabelecimento r;
    for (const auto& [nome, membro] : CamposEstabelecimento()) r.*membro = fonte.Texto(nome);
    return r;
}

// The inscription type as the rows show it: "1 (CGC)", "3 (CEI)", any other as it is.
std::string ExibeTipoInscricaoEstabelecimento(const std::string& tipo);

// The establishment identification every row of the establishment (and of its employees) carries.
IdentificacaoEstabelecimento IdentificaEstabelecimento(const RegistroEstabelecimento& e);

// Declarant steps: rows of record type "0".
void pVerificaDeclarante(const RegistroDeclarante& declarante, const Referencias& ref,
                         DestinoInconsistencias& destino);

// Establishment steps: rows of record type "1" carrying the establishment's
// identification. `exigePreenchimento` is the run's presence flag: on for a
// file produced outside the program, which must fill the union fields and the
// closing date.
void pVerificaEstabelecimento(const RegistroEstabelecimento& estabelecimento, const Referencias& ref,
                              bool exigePreenchimento, DestinoInconsistencias& destino);

}  // namespace zovi
