#pragma once
// Field label codes: the message code (tb8MSG) that names the field of an
// inconsistency row, stored in te8errwa's `lbl` column. The declarant and the
// establishment share the codes of their common fields.
namespace zovi::rotulo {

inline constexpr const char* InscricaoResponsavel = "1599";      // CoCgcCeiResponsavel
inline constexpr const char* InscricaoEstabelecimento = "1600";  // CoCgcCeiEstabelecimento
inline constexpr const char* TipoInscricao = "1601";             // InInscrEstabelecimento, InInscrResponsavel
inline constexpr const char* Prefixo = "1602";                   // NuPrefixoEstabelecimento
inline constexpr const char* CeiVinculado = "1603";              // CoCgcVinculado (characters 3-14)
inline constexpr const char* RazaoSocial = "1604";               // NoRazaoEstabelecimento, NoResponsavelArquivo
inline constexpr const char* Logradouro = "1605";
inline constexpr const char* NumeroLogradouro = "1606";
inline constexpr const char* Complemento = "1607";
inline constexpr const char* Bairro = "1608";
inline constexpr const char* Cep = "1609";
inline constexpr const char* Municipio = "1610";                 // municipality code
inline constexpr const char* Uf = "1612";
inline constexpr const char* Ddd = "1613";
inline constexpr const char* Telefone = "1614";
inline constexpr const char* DataRetificacao = "1615";
inline constexpr const char* DataGeracao = "1616";
inline constexpr const char* Email = "1617";
inline constexpr const char* Cnae = "1618";
inline constexpr const char* NaturezaJuridica = "1619";
inline constexpr const char* MesDataBase = "1620";
inline constexpr const char* Proprietarios = "1621";             // NuProprietEstabelecimento
inline constexpr const char* ZoviNegativa = "1622";              // InZoviNegEstabelecimento
inline constexpr const char* TextoUso = "1623";                  // TxUsoEstabelecimento
inline constexpr const char* AnoBase = "1658";
inline constexpr const char* Retificacao = "1660";               // InRetificacao
inline constexpr const char* OpcaoAberta = "1666";               // InOpcaoAberta
inline constexpr const char* Encerramento = "1668";              // InEncerramentoAtividade
inline constexpr const char* DataEncerramento = "1669";          // DaEncerramentoAtividade
inline constexpr const char* InicioCeiVinculado = "1678";        // first two characters of CoCgcVinculado
inline constexpr const char* ParticipaPat = "3122";
inline constexpr const char* OptanteSimples = "3123";
inline constexpr const char* Porte = "3520";
inline constexpr const char* PatAcimaCincoSalarios = "3610";     // NuVinculoPatMaior5
inline constexpr const char* PatAteCincoSalarios = "3611";       // NuVinculoPatMenor5
inline constexpr const char* PoServicoProprio = "3612";
inline constexpr const char* PoAdmCozinha = "3613";
inline constexpr const char* PoRefeicaoConvenio = "3614";
inline constexpr const char* PoRefeicaoTransportadora = "3615";
inline constexpr const char* PoCestaAlimento = "3616";
inline constexpr const char* PoAlimentacaoConvenio = "3617";
inline constexpr const char* CnpjAssociativa = "3650";
inline constexpr const char* ValorAssociativa = "3651";
inline constexpr const char* CnpjSindical = "3652";
inline constexpr const char* ValorSindical = "3653";
inline constexpr const char* CnpjAssistencial = "3654";
inline constexpr const char* ValorAssistencial = "3655";
inline constexpr const char* CnpjConfederativa = "3656";
inline constexpr const char* ValorConfederativa = "3657";
inline constexpr const char* NomeMunicipio = "3667";
inline constexpr const char* AtividadeAnoBase = "3669";

}  // namespace zovi::rotulo
