#pragma once
// Declaration tables filled with made-up rows, for tests that copy, restore or
// compare table files.
#include <filesystem>
#include <map>
#include <string>

#include "engine/Banco.h"

namespace zovi::teste {

// Appends rows whose every text field holds digits that follow from the row number, so
// they neither repeat a key nor compress to nothing; anoBase, when given, fills AnBase.
// Inside a transaction of the caller, the rows commit with it; otherwise in one of their own.
void PreencheTabela(Banco& banco, const std::string& tabela, int linhas, int inicio = 0,
                    const std::string& anoBase = {});

long ContaLinhas(Banco& banco, const std::string& tabela);

// The bytes of the declaration tables' files (BD8*) of a folder, by file name.
std::map<std::string, std::string> ArquivosDasTabelasDeclaracao(const std::filesystem::path& pasta);

}  // namespace zovi::teste
