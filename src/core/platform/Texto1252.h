#pragma once
// Windows-1252 is the program's one text encoding: one byte, one character,
// in the tables, the declaration file and the core. Conversion happens only at
// the edges (CSV sources, the terminal, the GUI).
#include <optional>
#include <string>

namespace zovi {

// UTF-8 to Windows-1252; nullopt when a character has no Windows-1252 byte or the input is not UTF-8.
std::optional<std::string> Utf8ParaCp1252(const std::string& utf8);
// The same for a text that must go through whatever it holds (a file's path in a message): a
// character without a Windows-1252 byte, or a byte that is not UTF-8, becomes `substituto`.
std::string Utf8ParaCp1252(const std::string& utf8, char substituto);
std::string Cp1252ParaUtf8(const std::string& cp1252);

}  // namespace zovi
