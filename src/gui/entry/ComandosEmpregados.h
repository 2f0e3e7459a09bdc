#pragma once
// The employees of one establishment, opened from the establishment form's
// "&Ok" or "&Vinculos": the employee list over the establishment's stored row
// (the employee form first, while it has no employee), with the program's
// dialogs, catalogue, pickers and reference tables.
namespace zovi {
struct EstabelecimentoEmpregados;
}

class QWidget;

namespace zovi::gui {

class ContextoEntrada;

// Shows the employee list of the establishment over `janela`; true when it closed because
// the establishment was left without employees.
bool AbreEmpregados(ContextoEntrada& contexto, const EstabelecimentoEmpregados& estabelecimento, QWidget* janela);

}  // namespace zovi::gui
