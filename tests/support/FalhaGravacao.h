#pragma once
// Kills the process at a chosen write of SQLite, as a power failure or a kill -9 would
// stop a run in the middle of a commit.
#include <functional>
#include <string>

namespace zovi::teste {

// From now on every write of this process to a database file (not to a journal) first
// asks `encerra` with the file's path; when it answers true the process ends at once
// (_exit(9)), the write not done. Call it only in a child process made for the purpose.
void EncerraNaGravacao(std::function<bool(const std::string& arquivo)> encerra);

}  // namespace zovi::teste
