#include "entry/ComandosEstabelecimento.h"

#include "app/TfmGDZOVI.h"
#include "engine/Consulta.h"
#include "entry/TfmNovaDecl.h"
#include "messages/ServicoDialogos.h"

namespace zovi::gui {

bool ComandosEstabelecimento::ExistemEstabelecimentos() {
    Consulta qu(janela_.DadosPrograma().dbZovi, {"Select count(*) as numEstab from bd8emp where AnBase = '2005'"});
    qu.Abre();
    return qu.Inteiro(0) > 0;
}

void ComandosEstabelecimento::AbreEstabelecimento(const std::string& anoBase, const std::string& inscricao,
                                                  const std::string& prefixo, bool novo) {
    TfmDadosEstab fmDadosEstab(janela_.DadosPrograma(), janela_.EntradaDadosPrograma(), janela_.ReferenciasPrograma(),
                               janela_.CriticaZoviPrograma(), &janela_.SeletoresPrograma(), janela_.DialogosPrograma(),
                               janela_.MensagensPrograma(), &janela_);
    fmDadosEstab.DefineEstabelecimento(anoBase, inscricao, prefixo, novo);
    fmDadosEstab.DefineEmpregados(abreEmpregados);
    janela_.DialogosPrograma().Executa(fmDadosEstab);
}

void ComandosEstabelecimento::NovaDeclaracao() {
    bool aberto = false;
    TfmNovaDecl fmNovaDecl(janela_.DadosPrograma(), janela_.DialogosPrograma(), janela_.MensagensPrograma(),
                           [&](const std::string& ano, const std::string& inscricao, const std::string& prefixo) {
                               aberto = true;
                               AbreEstabelecimento(ano, inscricao, prefixo, true);
                           },
                           &janela_);
    janela_.DialogosPrograma().Executa(fmNovaDecl);
    // Back from the establishment form (and its employees) the user finds the list, as long
    // as there is something in it.
    if (aberto && ExistemEstabelecimentos()) Lista(TfmConEstab::ModoAbrir);
}

void ComandosEstabelecimento::Lista(TfmConEstab::Modo modo) {
    TfmConEstab fmConEstab(janela_.DadosPrograma(), janela_.DialogosPrograma(), janela_.MensagensPrograma(),
                           [this](const std::string& ano, const std::string& inscricao, const std::string& prefixo) {
                               AbreEstabelecimento(ano, inscricao, prefixo, false);
                           },
                           &janela_);
    fmConEstab.DefineModo(modo);
    janela_.DialogosPrograma().Executa(fmConEstab);
}

}  // namespace zovi::gui
