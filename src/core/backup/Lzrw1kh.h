#pragma once
// Decoder of LZRW1-KH blocks, the compression of archives written by older
// versions of the backup component (they are read, never written).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zovi {

// The most a block inflates to, and the most its compressed form may take.
constexpr std::size_t kLzrwMaxSaida = 32768;
constexpr std::size_t kLzrwMaxBloco = 32768 + 16;

// Decodes one block into saida (replaced). False when the block is malformed:
// an item cut short, a copy reaching before the start of the output, or more
// than kLzrwMaxSaida bytes of output.
bool fDescomprimeLzrw1kh(const std::uint8_t* bloco, std::size_t tamanho, std::vector<std::uint8_t>& saida);

}  // namespace zovi
