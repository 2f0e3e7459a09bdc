#include "entry/ContextoEntrada.h"

#include "data/ModulosDados.h"
#include "pickers/Seletores.h"
#include "rules/CriticaZovi.h"
#include "rules/Referencias.h"

namespace zovi::gui {

ContextoEntrada::ContextoEntrada(TdmGDZovi& dm, ServicoDialogos& dialogos, Mensagens& mensagens)
    : dm(dm),
      dialogos(dialogos),
      mensagens(mensagens),
      entrada_(std::make_unique<TdmEntradaDados>(dm)),
      seletores_(std::make_unique<Seletores>(dm, dialogos)) {}

ContextoEntrada::~ContextoEntrada() = default;

const Referencias& ContextoEntrada::ReferenciasRegras() {
    if (!referencias_) referencias_ = std::make_unique<Referencias>(dm.dbZovi);
    return *referencias_;
}

const TCriticaZovi& ContextoEntrada::Critica() {
    if (!critica_) critica_ = std::make_unique<TCriticaZovi>(ReferenciasRegras());
    return *critica_;
}

}  // namespace zovi::gui
