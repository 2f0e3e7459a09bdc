#pragma once
// Where the program's tables live, and the per-user data folder of an installed program.
//
// A copy run from its build tree or from a portable folder keeps its tables in the
// writable "dados" beside the program file. An installed program cannot write there, so
// each user gets a folder of their own, filled on first start from the pristine tables
// the package ships. The reference tables and the message catalogue belong to the
// program: a newer package replaces them in the user's folder. The declaration tables
// belong to the user: they are copied only when absent and never touched afterwards.
#include <filesystem>
#include <string>

namespace zovi {

// The per-user folder: $XDG_DATA_HOME/gdzovi2005, or ~/.local/share/gdzovi2005 (the
// program's application data location).
std::filesystem::path PastaDadosUsuario();

// The pristine tables an installed program ships: <prefix>/share/gdzovi2005/dados, seen
// from the program's folder <prefix>/bin.
std::filesystem::path PastaDadosDistribuida(const std::filesystem::path& pastaPrograma);

// Brings the user's folder up to the shipped tables: creates it, copies what is missing,
// replaces every program table that differs from the shipped one, and leaves the
// declaration tables as they are. Each copy is written beside its target and renamed
// over it, so a table is always whole. Throws std::runtime_error, naming the file, when
// the folder cannot be written.
void AtualizaPastaUsuario(const std::filesystem::path& pastaUsuario, const std::filesystem::path& pastaDistribuida);

// The data folder the program and the commands that default it use:
// GDZOVI_DADOS when set; else "dados" beside the program when it is a writable folder;
// else the per-user folder, brought up to the shipped tables first.
std::filesystem::path EscolhePastaDados(const std::filesystem::path& pastaPrograma);

}  // namespace zovi
