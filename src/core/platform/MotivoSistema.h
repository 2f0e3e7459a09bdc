#pragma once
// Why the system refused a file operation, said to the user in Portuguese
// (Windows-1252, as every text of the core).
#include <string>

namespace zovi {

// The reason behind an errno value: "sem espaço no disco", "permissão negada", ...; a value
// without a text of its own is named by its number.
std::string MotivoSistema(int erro);

}  // namespace zovi
