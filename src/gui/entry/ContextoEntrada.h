#pragma once
// What every entry form works with, handed to it in one piece: the data
// modules (the program's tables and the entry tables with their counting
// queries), the reference tables the rules read (loaded at their first use,
// with the municipality-and-CEP check over them), the catalogue's messages,
// the dialog service and the code pickers. The main window owns one for the
// whole run; tests build their own over a data folder of theirs.
#include <memory>

namespace zovi {
class Referencias;
class TCriticaZovi;
class TdmGDZovi;
class TdmEntradaDados;
class Mensagens;
}  // namespace zovi

namespace zovi::gui {

class ServicoDialogos;
class Seletores;

class ContextoEntrada {
public:
    ContextoEntrada(TdmGDZovi& dm, ServicoDialogos& dialogos, Mensagens& mensagens);
    ~ContextoEntrada();
    ContextoEntrada(const ContextoEntrada&) = delete;
    ContextoEntrada& operator=(const ContextoEntrada&) = delete;

    TdmGDZovi& dm;
    ServicoDialogos& dialogos;
    Mensagens& mensagens;

    TdmEntradaDados& Entrada() { return *entrada_; }
    Seletores& SeletoresCodigos() { return *seletores_; }
    // Read from the data folder the first time a form needs them.
    const Referencias& ReferenciasRegras();
    const TCriticaZovi& Critica();

private:
    std::unique_ptr<TdmEntradaDados> entrada_;
    std::unique_ptr<Seletores> seletores_;
    std::unique_ptr<Referencias> referencias_;
    std::unique_ptr<TCriticaZovi> critica_;
};

}  // namespace zovi::gui
