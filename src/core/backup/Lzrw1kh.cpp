#include "backup/Lzrw1kh.h"

namespace zovi {

namespace {
constexpr std::uint8_t kBlocoGuardado = 0x80;
}

bool fDescomprimeLzrw1kh(const std::uint8_t* bloco, std::size_t tamanho, std::vector<std::uint8_t>& saida) {
    saida.clear();
    if (tamanho == 0) return false;
    if (bloco[0] == kBlocoGuardado) {
        if (tamanho - 1 > kLzrwMaxSaida) return false;
        saida.assign(bloco + 1, bloco + tamanho);
        return true;
    }
    if (tamanho < 3) return false;
    saida.reserve(kLzrwMaxSaida);
    std::size_t pos = 3;
    unsigned controle = (unsigned(bloco[1]) << 8) | bloco[2];
    int bitsRestantes = 16;
    while (pos < tamanho) {
        if (bitsRestantes == 0) {
            if (pos + 2 > tamanho) return false;
            controle = (unsigned(bloco[pos]) << 8) | bloco[pos + 1];
            pos += 2;
            bitsRestantes = 16;
            if (pos >= tamanho) break;  // a control word may close the block
        }
        bool copia = (controle & 0x8000) != 0;
        controle <<= 1;
        --bitsRestantes;
        if (!copia) {
            if (saida.size() >= kLzrwMaxSaida) return false;
            saida.push_back(bloco[pos++]);
            continue;
        }
        if (pos + 2 > tamanho) return false;
        unsigned a = bloco[pos], b = bloco[pos + 1];
        std::size_t deslocamento = a * 16 + b / 16;
        if (deslocamento != 0) {
            std::size_t quantos = b % 16 + 3;
            if (deslocamento > saida.size() || saida.size() + quantos > kLzrwMaxSaida) return false;
            // Byte by byte: a copy may overlap the bytes it is producing.
            std::size_t origem = saida.size() - deslocamento;
            for (std::size_t i = 0; i < quantos; ++i) saida.push_back(saida[origem + i]);
            pos += 2;
        } else {
            if (pos + 4 > tamanho) return false;
            std::size_t quantos = b * 256 + bloco[pos + 2] + 16;
            if (saida.size() + quantos > kLzrwMaxSaida) return false;
            saida.insert(saida.end(), quantos, bloco[pos + 3]);
            pos += 4;
        }
    }
    return true;
}

}  // namespace zovi
