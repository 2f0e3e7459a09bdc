#pragma once
// Stops the process at a chosen write of SQLite, as a power failure, a kill -9 or a
// slow disk would stop a run in the middle of a commit.
#include <functional>
#include <string>

namespace zovi::teste {

// From now on every write of this process to a database file (not to a journal) first
// calls `antes` with the file's path; it may end the process there (_exit), or wait.
// Databases opened before the call are not watched. Call it only in a child process
// made for the purpose.
void AntesDeGravar(std::function<void(const std::string& arquivo)> antes);

}  // namespace zovi::teste
