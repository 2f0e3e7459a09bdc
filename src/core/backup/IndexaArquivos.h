#pragma once
// The rebuild of every index of the data folder ("Indexar Arquivos"), for when an
// interruption (a power failure, say) may have left indexes out of step with their data.
#include <vector>

#include "data/ModulosDados.h"
#include "platform/Interacao.h"

namespace zovi {

// Steps of the rebuild, and the position at which the progress bar is full.
constexpr int kPassosIndexacao = 19;
constexpr int kFimBarraIndexacao = 17;

// Rebuilds the indexes one table after the other, holding the data folder exclusively
// (refused with "Nenhum usuário pode estar usando o sistema: ..." while another process
// is there), closing the data module's table of each step first and opening it again
// once its index is rebuilt. tabelasDeclaracao are
// other open tables of the program (BD8EMP, BD8VINC) to close before their steps; they
// stay closed. Stops at the first step that fails, after RecriaIndice's warning and
// "Arquivos com problemas. Reinstale novamente o sistema GDZOVI2005.".
bool fIndexaArquivos(TdmGDZovi& dm, Interacao& interacao, const std::vector<Tabela*>& tabelasDeclaracao = {});

}  // namespace zovi
