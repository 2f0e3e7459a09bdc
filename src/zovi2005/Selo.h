#pragma once
// The workings of the seal and the receipt, shared by the library, the
// receipt tool and the tests.
#include <filesystem>
#include <optional>
#include <string>

namespace zovi::selo {

inline constexpr const char* kNomeRecibo = "Zovi2005.pro";

// 32 upper-case hex characters: SHA-256 over the file without its seal bytes.
std::optional<std::string> SeloArquivo(const std::filesystem::path& arquivo);
// The 32 bytes stored where the seal goes.
std::optional<std::string> SeloGravado(const std::filesystem::path& arquivo);
// 64 upper-case hex characters: SHA-256 over the whole file.
std::optional<std::string> HashArquivo(const std::filesystem::path& arquivo);

struct Recibo {
    std::string numero;  // 1 to 12 digits or upper-case letters
    std::string data;    // ddmm
    std::string hash;    // HashArquivo of the declaration file
};

bool NumeroValido(const std::string& numero);
bool DataValida(const std::string& ddmm);

// The receipt file beside a declaration file (its name found whatever its letter case).
std::filesystem::path CaminhoRecibo(const std::filesystem::path& declaracao);

// Text of a receipt for the declaration file, signed with an Ed25519 private key (PEM).
// Empty with `erro` filled when the file is unreadable or not sealed, the data is
// invalid or the key is not an Ed25519 private key.
std::string EmiteRecibo(const std::filesystem::path& declaracao, const std::string& chavePrivadaPem,
                        const std::string& numero, const std::string& data, std::string& erro);

// The receipt beside the declaration file when its signature verifies with the
// public key (PEM) and it names exactly this file.
std::optional<Recibo> ValidaRecibo(const std::filesystem::path& declaracao, const std::string& chavePublicaPem);

// The receiving side's public key the library was built with.
const char* ChavePublicaRecepcao();

// A new Ed25519 key pair as PEM texts (private, public).
std::optional<std::pair<std::string, std::string>> GeraChaves();

}  // namespace zovi::selo
