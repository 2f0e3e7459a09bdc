#include "platform/MotivoSistema.h"

#include <cerrno>

namespace zovi {

std::string MotivoSistema(int erro) {
    switch (erro) {
        case ENOSPC: return "não há espaço livre no disco";
        case EDQUOT: return "a cota de disco do usuário se esgotou";
        case EACCES:
        case EPERM: return "permissão negada";
        case EROFS: return "o disco só permite leitura";
        case ENOENT: return "a pasta não existe";
        case ENOTDIR: return "parte do caminho não é uma pasta";
        case EISDIR: return "existe uma pasta com o nome do arquivo";
        case ENAMETOOLONG: return "o caminho é longo demais";
        case EIO: return "erro de leitura ou gravação no disco";
        case EFBIG: return "o arquivo ficou grande demais para o disco";
        case EMFILE:
        case ENFILE: return "arquivos abertos demais no sistema";
        default: return "erro do sistema número " + std::to_string(erro);
    }
}

}  // namespace zovi
