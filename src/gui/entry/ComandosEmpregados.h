#pragma once
// The employees of one establishment, opened from the establishment form's
// "&Ok" or "&Vinculos": the employee list over the establishment's stored row
// (the employee form first, while it has no employee), with the program's
// dialogs, catalogue, pickers and reference tables.
namespace zovi {
struct EstabelecimentoEmpregados;
}

namespace zovi::gui {

class TfmGDZOVI;

// Shows the employee list of the establishment; true when it closed because the
// establishment was left without employees.
bool AbreEmpregados(TfmGDZOVI& janela, const EstabelecimentoEmpregados& estabelecimento);

}  // namespace zovi::gui
