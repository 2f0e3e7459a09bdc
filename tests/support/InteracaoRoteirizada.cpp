#include "InteracaoRoteirizada.h"

namespace zovi::teste {

Resposta InteracaoRoteirizada::Mostra(TipoDialogo tipo, const std::string& texto) {
    mostradas.push_back({tipo, texto});
    if (!respostas_.empty()) {
        auto r = respostas_.front();
        respostas_.pop_front();
        return r;
    }
    return tipo == TipoDialogo::Confirmacao ? Resposta::Nao : Resposta::Ok;
}

void InteracaoRoteirizada::Progresso(long posicao, long maximo) { progresso.emplace_back(posicao, maximo); }

// Like the Cancel button: one request, read once.
bool InteracaoRoteirizada::InterrupcaoPedida() {
    if (interrompeApos_ < 0 || static_cast<long>(progresso.size()) < interrompeApos_) return false;
    interrompeApos_ = -1;
    return true;
}

}  // namespace zovi::teste
