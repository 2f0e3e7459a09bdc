// The library's two entry points over the workings in Selo.cpp.
#include "zovi2005.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "Selo.h"

namespace {

// The path from a caller buffer of 250 bytes; nullopt when it holds no NUL-terminated text.
std::optional<std::string> Caminho(const char* path) {
    if (!path) return std::nullopt;
    const size_t n = strnlen(path, ZOVI2005_CAMINHO);
    if (n == 0 || n == ZOVI2005_CAMINHO) return std::nullopt;
    return std::string(path, n);
}

void Copia(char* destino, size_t tamanho, const std::string& texto) {
    if (!destino) return;
    const size_t n = std::min(texto.size(), tamanho - 1);
    std::memcpy(destino, texto.data(), n);
    destino[n] = '\0';
}

}  // namespace

extern "C" int hashFileGenerate(const char* path, char* seal) {
    if (!seal) return 0;
    seal[0] = '\0';
    try {
        auto caminho = Caminho(path);
        if (!caminho) return 0;
        auto selo = zovi::selo::SeloArquivo(*caminho);
        if (!selo) return 0;
        Copia(seal, ZOVI2005_SELO, *selo);
        return 1;
    } catch (...) {
        return 0;
    }
}

extern "C" int32_t protocolValidate(const char* path, char* receiptNumber, char* receiptDate, char* receiptHash) {
    Copia(receiptNumber, ZOVI2005_NUMERO, {});
    Copia(receiptDate, ZOVI2005_DATA, {});
    Copia(receiptHash, ZOVI2005_HASH, {});
    try {
        auto caminho = Caminho(path);
        if (!caminho) return 0;
        auto recibo = zovi::selo::ValidaRecibo(*caminho, zovi::selo::ChavePublicaRecepcao());
        if (!recibo) return 0;
        Copia(receiptNumber, ZOVI2005_NUMERO, recibo->numero);
        Copia(receiptDate, ZOVI2005_DATA, recibo->data);
        Copia(receiptHash, ZOVI2005_HASH, recibo->hash);
        return 1;
    } catch (...) {
        return 0;
    }
}
