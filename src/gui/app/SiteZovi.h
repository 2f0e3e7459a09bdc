#pragma once
// The declaration's public web site, shown by the link labels of the main
// window, the about box and the notice for declarations without employees.
#include <QString>

namespace zovi::gui {

QString EnderecoSiteZovi();

}  // namespace zovi::gui
