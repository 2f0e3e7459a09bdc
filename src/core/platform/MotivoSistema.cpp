#include "platform/MotivoSistema.h"

#include <cerrno>
#include <cstring>

namespace zovi {

std::string MotivoSistema(int erro) {
    switch (erro) {
        case ENOSPC:
        case EDQUOT: return "não há espaço livre no dispositivo";
        case EACCES:
        case EPERM: return "não há permissão para isso";
        case EROFS: return "o dispositivo só permite leitura";
        case ENOENT: return "o arquivo ou a pasta não existe";
        case ENOTDIR: return "uma parte do caminho não é uma pasta";
        case EISDIR: return "o nome é de uma pasta";
        case EIO: return "erro de leitura ou gravação no dispositivo";
        case ENAMETOOLONG: return "o nome é longo demais";
        case EMFILE:
        case ENFILE: return "arquivos abertos demais";
        case EBUSY:
        case ETXTBSY: return "o arquivo está em uso";
        case 0: return "motivo desconhecido";
    }
    return "erro " + std::to_string(erro) + " do sistema (" + std::strerror(erro) + ")";
}

}  // namespace zovi
