#pragma once
// The establishment's checks, one chain per field (CadeiaCriticas.h): the
// establishment form runs a field's chain when the field is left and every
// chain on "&Ok"; the verification run runs them over each stored row, in its
// own order (pVerificaEstabelecimento). The address chains serve the
// declarant's run as well. Steps only the form or only the run makes are
// marked with Alcance in the chain.
#include <string>

#include "rules/CadeiaCriticas.h"
#include "rules/CriticaZovi.h"
#include "rules/Referencias.h"
#include "rules/VerificaEstabelecimento.h"

namespace zovi {

// An address with its contact fields as the chains read them: text trimmed.
struct Endereco {
    std::string logradouro, numero, complemento, bairro, cep, municipio, nomeMunicipio, uf, ddd, telefone;
};
Endereco EnderecoEstabelecimento(const RegistroEstabelecimento& e);

void CadeiaLogradouro(const Endereco& e, PassosCritica& p);
void CadeiaNumero(const Endereco& e, PassosCritica& p);
void CadeiaComplemento(const Endereco& e, PassosCritica& p);
void CadeiaBairro(const Endereco& e, PassosCritica& p);
void CadeiaCep(const Endereco& e, PassosCritica& p);
// The form judges municipality and CEP together and receives the municipality's name and
// state in `lido`; the run judges code, CEP, name and state each.
void CadeiaMunicipio(const Endereco& e, const Referencias& ref, PassosCritica& p,
                     ResultadoMunicipioCep* lido = nullptr);
void CadeiaDdd(const Endereco& e, const Referencias& ref, PassosCritica& p);
void CadeiaTelefone(const Endereco& e, PassosCritica& p);

// One establishment as the chains read it.
struct DadosEstabelecimento {
    const RegistroEstabelecimento& e;
    const Referencias& ref;
    // The run's presence flag: union fields and the closing date must be informed.
    bool exigePreenchimento = false;
};

// Checks of the run alone: an operation left open, the base year, the inscription and its
// type, the prefix, the activity in the base year (the form shows these read-only or as choices).
void CadeiaOpcaoAberta(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaAnoBase(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaInscricao(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaPrefixo(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaAtividade(const DadosEstabelecimento& d, PassosCritica& p);

void CadeiaRazaoSocial(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaUso(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaEmail(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaPorte(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaSimples(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaCnae(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaNatureza(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaProprietarios(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaMesDataBase(const DadosEstabelecimento& d, PassosCritica& p);
// The declaration's type ("Sem Empregados") against the inscription and the linked CEI.
void CadeiaTipoDeclaracao(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaCeiVinculado(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaEncerramento(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaParticipaPat(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaPatAcimaCinco(const DadosEstabelecimento& d, PassosCritica& p);
void CadeiaPatAteCinco(const DadosEstabelecimento& d, PassosCritica& p);
// The six PAT percentages: i in the order of PercentuaisPat; then the six together.
inline constexpr int kPercentuaisPat = 6;
void CadeiaPercentualPat(const DadosEstabelecimento& d, int i, PassosCritica& p);
void CadeiaPercentuaisPat(const DadosEstabelecimento& d, PassosCritica& p);
// Union contributions: i is 0 union, 1 associative, 2 assistance, 3 confederative.
void CadeiaCnpjContribuicao(const DadosEstabelecimento& d, int i, PassosCritica& p);
void CadeiaValorContribuicao(const DadosEstabelecimento& d, int i, PassosCritica& p);

// The table field of each PAT percentage, in the order of the chains above.
extern const std::string RegistroEstabelecimento::* const kPercentuaisPatEstabelecimento[kPercentuaisPat];

}  // namespace zovi
