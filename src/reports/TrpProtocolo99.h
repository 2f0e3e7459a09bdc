#pragma once
// The delivery receipt, "Protocolo de Entrega em Meio Magnético": the
// receipt tables te8ProID and te8ProES as the receipt of a returned medium
// builds them, with the receipt number, date and hash that the receipt file
// carried. One full identification block per diskette, the establishments of
// the file one per line, and the receipt's reception date and hash at the
// foot of every page.
#include "motor/Relatorio.h"

namespace zovi {
class Banco;
}

namespace zovi::relatorios {

class TrpProtocolo99 : public Relatorio {
public:
    explicit TrpProtocolo99(Banco& banco);

private:
    void MontaCabecalho();
    void MontaGrupo();
    void MontaDetalhe();
    void MontaRodape();
};

// The display forms of the receipt.
QString CepProtocolo(const QString& cep);                               // "12345-678"
QString TelefoneProtocolo(const QString& ddd, const QString& numero);   // "( 61 ) 3333-4444"
QString DataProtocolo(const QString& ddmmaaaa);                         // "dd/mm/aaaa", blank for zeros
QString CeiVinculadoProtocolo(const QString& cei);                      // blank for zeros

}  // namespace zovi::relatorios
