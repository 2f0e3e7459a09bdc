#pragma once
// The reason a system call failed, in the user's words: messages that say why a file could not
// be read or written quote it instead of the system's English text (Windows-1252, as every text
// of the core).
#include <string>

namespace zovi {

// The reason for an errno value ("não há espaço livre no disco", "permissão negada", ...); for a
// value without a text of its own, its number and the system's text.
std::string MotivoSistema(int erro);

}  // namespace zovi
