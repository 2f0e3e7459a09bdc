#pragma once
// Scripted answers for a run's questions; records everything shown.
#include <deque>
#include <string>
#include <vector>

#include "platform/Interacao.h"

namespace zovi::teste {

class InteracaoRoteirizada : public Interacao {
public:
    struct Mensagem {
        TipoDialogo tipo;
        std::string texto;
    };

    // Answers given in order to the dialogs shown; when the list runs out a
    // confirmation is answered No and the others OK.
    explicit InteracaoRoteirizada(std::deque<Resposta> respostas = {}) : respostas_(std::move(respostas)) {}

    Resposta Mostra(TipoDialogo tipo, const std::string& texto) override;
    void Progresso(long posicao, long maximo) override;
    bool InterrupcaoPedida() override;

    // The user presses Cancel once the run has reported this many progress steps (-1: never).
    void InterrompeApos(long passos) { interrompeApos_ = passos; }

    std::vector<Mensagem> mostradas;
    std::vector<std::pair<long, long>> progresso;

private:
    std::deque<Resposta> respostas_;
    long interrompeApos_ = -1;
};

}  // namespace zovi::teste
