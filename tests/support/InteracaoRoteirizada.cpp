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

bool InteracaoRoteirizada::InterrupcaoPedida() {
    return interrompeApos_ >= 0 && static_cast<long>(progresso.size()) >= interrompeApos_;
}

}  // namespace zovi::teste
