#include "entry/ComandosEstabelecimento.h"

#include "data/ModulosDados.h"
#include "engine/Consulta.h"
#include "entry/ContextoEntrada.h"
#include "entry/TfmNovaDecl.h"
#include "messages/ServicoDialogos.h"

namespace zovi::gui {

bool ComandosEstabelecimento::ExistemEstabelecimentos() {
    Consulta qu(ctx_.dm.dbZovi, {"Select count(*) as numEstab from bd8emp where AnBase = '2005'"});
    qu.Abre();
    return qu.Inteiro(0) > 0;
}

void ComandosEstabelecimento::AbreEstabelecimento(const std::string& anoBase, const std::string& inscricao,
                                                  const std::string& prefixo, bool novo) {
    TfmDadosEstab fmDadosEstab(ctx_, &janela_);
    fmDadosEstab.DefineEstabelecimento(anoBase, inscricao, prefixo, novo);
    fmDadosEstab.DefineEmpregados(abreEmpregados);
    ctx_.dialogos.Executa(fmDadosEstab);
}

void ComandosEstabelecimento::NovaDeclaracao() {
    bool aberto = false;
    TfmNovaDecl fmNovaDecl(ctx_.dm, ctx_.dialogos, ctx_.mensagens,
                           [&](const std::string& ano, const std::string& inscricao, const std::string& prefixo) {
                               aberto = true;
                               AbreEstabelecimento(ano, inscricao, prefixo, true);
                           },
                           &janela_);
    ctx_.dialogos.Executa(fmNovaDecl);
    // Back from the establishment form (and its employees) the user finds the list, as long
    // as there is something in it.
    if (aberto && ExistemEstabelecimentos()) Lista(TfmConEstab::ModoAbrir);
}

void ComandosEstabelecimento::Lista(TfmConEstab::Modo modo) {
    TfmConEstab fmConEstab(ctx_.dm, ctx_.dialogos, ctx_.mensagens,
                           [this](const std::string& ano, const std::string& inscricao, const std::string& prefixo) {
                               AbreEstabelecimento(ano, inscricao, prefixo, false);
                           },
                           &janela_);
    fmConEstab.DefineModo(modo);
    ctx_.dialogos.Executa(fmConEstab);
}

}  // namespace zovi::gui
