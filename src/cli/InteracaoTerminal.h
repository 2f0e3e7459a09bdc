#pragma once
// The command line's side of a run's dialogue: texts go to the terminal in
// UTF-8; questions are asked on it, or answered Yes by --sim.
#include "platform/Interacao.h"

namespace zovi {

class InteracaoTerminal : public Interacao {
public:
    explicit InteracaoTerminal(bool simParaTudo = false) : simParaTudo_(simParaTudo) {}
    Resposta Mostra(TipoDialogo tipo, const std::string& texto) override;
    // Waits for Enter (OK) or "c" (Cancela); with no input left, Aborta.
    Resposta MostraOkCancela(TipoDialogo tipo, const std::string& texto) override;
    void Progresso(long posicao, long maximo) override;

private:
    bool simParaTudo_;
    int ultimoPercentual_ = -1;
};

// Prints a Windows-1252 text on a UTF-8 terminal.
void Escreve(const std::string& texto1252, bool erro = false);

}  // namespace zovi
