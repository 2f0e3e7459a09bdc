#include "messages/Catalogo.h"

#include "engine/Tabela.h"
#include "messages/Formatacao.h"

namespace zovi {

CatalogoMensagens::CatalogoMensagens(Banco& banco) {
    Tabela t(banco, "TB8MSG");
    t.Abre();
    for (t.Primeiro(); !t.Fim(); t.Proximo())
        mensagens_[fAparaTexto(t.Texto("NuMensagem"))] = {fAparaTexto(t.Texto("TpMensagem")),
                                                          fAparaTexto(t.Texto("TxMensagem"))};
    t.Fecha();
}

const Mensagem* CatalogoMensagens::Busca(const std::string& codigo) const {
    auto it = mensagens_.find(codigo);
    return it == mensagens_.end() ? nullptr : &it->second;
}

}  // namespace zovi
