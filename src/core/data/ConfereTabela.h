#pragma once
// Whether a file is a sound table of the program, before it is trusted: a table file
// that comes from outside (a backup archive) is only put among the tables when it passes.
#include <filesystem>
#include <string>

#include "engine/Definicao.h"

namespace zovi {

// Empty when the file is an SQLite database in rollback-journal mode that holds the
// table def.nome exactly as the program creates it (its fields, their description, the
// CHECKs of their widths and required values, no other index or object), with its key's
// unique index (completo; otherwise a missing index is left to the start-up check to
// rebuild), and passes SQLite's integrity check (completo) or quick check, which test every
// row against those CHECKs. Otherwise the reason, in Portuguese, to follow the table's
// name in a message. The file is only read.
std::string fMotivoTabelaInvalida(const std::filesystem::path& arquivo, const DefTabela& def, bool completo);

}  // namespace zovi
