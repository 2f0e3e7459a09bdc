#pragma once
// The delivery receipt of a returned medium: the receipt "Zovi2005.pro" beside
// the declaration file is validated through the seal library, the declaration
// file's structure is analysed into the work tables, and from them the receipt
// tables te8ProID (one row) and te8ProES (one row per establishment) are built
// for the printed receipt. The receipt tables live only while the receipt is
// printed: whoever built them deletes them when done.
#include <string>

#include "engine/Banco.h"
#include "platform/Interacao.h"

namespace zovi {

// What protocolValidate returned for a valid receipt.
struct DadosProtocolo {
    std::string numero;  // up to 12 characters
    std::string data;    // ddmm of the delivery
    std::string hash;    // 64 hex characters, of the whole declaration file
};

enum ResultadoValidacaoProtocolo { kProtocoloValido = 0, kProtocoloInvalido = 1, kProtocoloArquivoAusente = 2 };
enum ResultadoDadosProtocolo { kDadosProtocoloGerados = 0, kDadosProtocoloErro = 1, kDadosProtocoloInterrompidos = 2 };

inline constexpr const char* kAvisoSemDeclaracao = "O arquivo Zovi2005 não existe.";
inline constexpr const char* kAvisoSemProtocolo =
    "O arquivo de protocolo Zovi2005.pro não foi encontrado.\n"
    "O protocolo é gravado no disquete quando a declaração é entregue pela Internet,\n"
    "ou depois que a agência bancária que a recebeu devolve o disquete.";
inline constexpr const char* kProtocoloRecusado =
    "A impressão do protocolo não poderá ser realizada. Protocolo inválido ou inexistente.";

// The receipt file named beside a declaration file named the program's way
// ("A:\Zovi2005" -> "A:\Zovi2005.pro") or by a path.
std::string CaminhoProtocolo(const std::string& declaracao);

// Validates the receipt beside the declaration file (named the program's way or by a path).
// A missing file is warned of through `interacao` (kProtocoloArquivoAusente); a receipt that
// does not validate gives kProtocoloInvalido with `dados` empty.
int fValidaProtocolo(const std::string& declaracao, Interacao& interacao, DadosProtocolo& dados);


// Builds te8ProID and te8ProES from the work tables te8Resp, te8Emp and te8Vinc, with
// progress and the stop request through `interacao`. On an error or an interruption
// the receipt tables are deleted.
int fGeraDadosProtocolo(Banco& banco, Interacao& interacao, const DadosProtocolo& dados);

// Removes the receipt tables' files from the data folder.
void ApagaTabelasProtocolo(Banco& banco);

enum class DesfechoProtocolo { Pronto, ArquivoAusente, Recusado, Interrompido };

// Analyses the structure of the declaration file into the work tables (for base year 2005):
// Pronto when it reads without fault, Recusado with a fault or an unreadable file,
// Interrompido when the user stopped it.
DesfechoProtocolo fAnalisaDeclaracaoProtocolo(Banco& banco, const std::string& declaracao, Interacao& interacao);

// The whole preparation of a receipt, as a terminal run does it: validation, structure
// analysis of the declaration file, receipt tables.
DesfechoProtocolo fPreparaProtocolo(Banco& banco, const std::string& declaracao, Interacao& interacao,
                                    DadosProtocolo& dados);

}  // namespace zovi
