#include "Selo.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cctype>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "ChaveRecepcao.h"

namespace zovi::selo {

namespace fs = std::filesystem;

namespace {

constexpr long long kTamanhoSelo = 32;
constexpr long long kDistanciaSeloFim = 34;  // the seal ends 2 bytes before the end of the file
constexpr const char* kCabecalhoRecibo = "ZOVI2005 PROTOCOLO 1";
constexpr size_t kMaximoRecibo = 4096;

struct LiberaContexto {
    void operator()(EVP_MD_CTX* c) const { EVP_MD_CTX_free(c); }
    void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
    void operator()(BIO* b) const { BIO_free(b); }
    void operator()(EVP_PKEY_CTX* c) const { EVP_PKEY_CTX_free(c); }
};
template <class T>
using Ptr = std::unique_ptr<T, LiberaContexto>;

class Descritor {
public:
    explicit Descritor(const fs::path& p) : fd_(::open(p.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~Descritor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descritor(const Descritor&) = delete;
    Descritor& operator=(const Descritor&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

std::string Hex(const unsigned char* bytes, size_t n) {
    static const char* d = "0123456789ABCDEF";
    std::string s(2 * n, '0');
    for (size_t i = 0; i < n; ++i) {
        s[2 * i] = d[bytes[i] >> 4];
        s[2 * i + 1] = d[bytes[i] & 15];
    }
    return s;
}

std::optional<std::vector<unsigned char>> DeHex(const std::string& s) {
    if (s.size() % 2) return std::nullopt;
    std::vector<unsigned char> v(s.size() / 2);
    auto dig = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    for (size_t i = 0; i < v.size(); ++i) {
        int a = dig(s[2 * i]), b = dig(s[2 * i + 1]);
        if (a < 0 || b < 0) return std::nullopt;
        v[i] = static_cast<unsigned char>(a * 16 + b);
    }
    return v;
}

// SHA-256 of a file read in large blocks; with `semSelo` the seal bytes are left out.
std::optional<std::array<unsigned char, 32>> Sha256(const fs::path& arquivo, bool semSelo) {
    Descritor f(arquivo);
    struct stat st {};
    if (f.fd() < 0 || ::fstat(f.fd(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    const long long tamanho = st.st_size;
    if (semSelo && tamanho < kDistanciaSeloFim) return std::nullopt;
    const long long iniSelo = semSelo ? tamanho - kDistanciaSeloFim : tamanho;
    const long long fimSelo = semSelo ? iniSelo + kTamanhoSelo : tamanho;
    ::posix_fadvise(f.fd(), 0, 0, POSIX_FADV_SEQUENTIAL);

    Ptr<EVP_MD_CTX> ctx(EVP_MD_CTX_new());
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1) return std::nullopt;
    std::vector<unsigned char> bloco(1 << 20);
    long long posicao = 0;
    while (posicao < tamanho) {
        ssize_t n = ::read(f.fd(), bloco.data(), bloco.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;  // an error, or the file shrank while read
        const long long fim = posicao + n;
        // Parts of [posicao, fim) outside [iniSelo, fimSelo).
        const long long a = std::min(fim, iniSelo);
        if (a > posicao && EVP_DigestUpdate(ctx.get(), bloco.data(), static_cast<size_t>(a - posicao)) != 1)
            return std::nullopt;
        const long long b = std::max(posicao, fimSelo);
        if (fim > b && EVP_DigestUpdate(ctx.get(), bloco.data() + (b - posicao), static_cast<size_t>(fim - b)) != 1)
            return std::nullopt;
        posicao = fim;
    }
    std::array<unsigned char, 32> resumo{};
    unsigned int len = 0;
    if (EVP_DigestFinal_ex(ctx.get(), resumo.data(), &len) != 1 || len != resumo.size()) return std::nullopt;
    return resumo;
}

std::string MensagemRecibo(const Recibo& r) {
    return std::string(kCabecalhoRecibo) + "\nnumero=" + r.numero + "\ndata=" + r.data + "\nhash=" + r.hash + "\n";
}

Ptr<EVP_PKEY> LeChave(const std::string& pem, bool privada) {
    Ptr<BIO> bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    if (!bio) return nullptr;
    Ptr<EVP_PKEY> k(privada ? PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr)
                            : PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr));
    if (!k || EVP_PKEY_id(k.get()) != EVP_PKEY_ED25519) return nullptr;
    return k;
}

bool Verifica(const std::string& mensagem, const std::vector<unsigned char>& assinatura, const std::string& pem) {
    auto chave = LeChave(pem, false);
    Ptr<EVP_MD_CTX> ctx(EVP_MD_CTX_new());
    if (!chave || !ctx || EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, chave.get()) != 1) return false;
    return EVP_DigestVerify(ctx.get(), assinatura.data(), assinatura.size(),
                            reinterpret_cast<const unsigned char*>(mensagem.data()), mensagem.size()) == 1;
}

// "chave=valor" of a receipt line, or nullopt when the line is not that key.
std::optional<std::string> Valor(const std::string& linha, const std::string& chave) {
    if (linha.compare(0, chave.size() + 1, chave + "=") != 0) return std::nullopt;
    return linha.substr(chave.size() + 1);
}

}  // namespace

std::optional<std::string> SeloArquivo(const fs::path& arquivo) {
    auto r = Sha256(arquivo, true);
    if (!r) return std::nullopt;
    return Hex(r->data(), kTamanhoSelo / 2);
}

std::optional<std::string> SeloGravado(const fs::path& arquivo) {
    std::ifstream f(arquivo, std::ios::binary);
    if (!f.seekg(0, std::ios::end)) return std::nullopt;
    const long long tamanho = f.tellg();
    if (tamanho < kDistanciaSeloFim) return std::nullopt;
    std::string selo(kTamanhoSelo, '\0');
    if (!f.seekg(tamanho - kDistanciaSeloFim) || !f.read(selo.data(), kTamanhoSelo)) return std::nullopt;
    return selo;
}

std::optional<std::string> HashArquivo(const fs::path& arquivo) {
    auto r = Sha256(arquivo, false);
    if (!r) return std::nullopt;
    return Hex(r->data(), r->size());
}

bool NumeroValido(const std::string& numero) {
    return !numero.empty() && numero.size() <= 12 && std::all_of(numero.begin(), numero.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
    });
}

bool DataValida(const std::string& ddmm) {
    if (ddmm.size() != 4 || !std::all_of(ddmm.begin(), ddmm.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const int dia = std::stoi(ddmm.substr(0, 2)), mes = std::stoi(ddmm.substr(2, 2));
    static const int dias[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return mes >= 1 && mes <= 12 && dia >= 1 && dia <= dias[mes - 1];
}

fs::path CaminhoRecibo(const fs::path& declaracao) {
    fs::path pasta = declaracao.parent_path();
    fs::path exato = pasta / kNomeRecibo;
    std::error_code ec;
    if (fs::exists(exato, ec)) return exato;
    for (const auto& e : fs::directory_iterator(pasta.empty() ? "." : pasta, ec)) {
        std::string nome = e.path().filename().string();
        std::transform(nome.begin(), nome.end(), nome.begin(), [](unsigned char c) { return std::tolower(c); });
        if (nome == "zovi2005.pro") return e.path();
    }
    return exato;
}

std::string EmiteRecibo(const fs::path& declaracao, const std::string& chavePrivadaPem, const std::string& numero,
                        const std::string& data, std::string& erro) {
    if (!NumeroValido(numero)) {
        erro = "número do protocolo inválido: de 1 a 12 dígitos ou letras maiúsculas";
        return {};
    }
    if (!DataValida(data)) {
        erro = "data do protocolo inválida: informe ddmm";
        return {};
    }
    auto selo = SeloArquivo(declaracao);
    auto gravado = SeloGravado(declaracao);
    auto hash = HashArquivo(declaracao);
    if (!selo || !gravado || !hash) {
        erro = "não foi possível ler o arquivo " + declaracao.string();
        return {};
    }
    if (*selo != *gravado) {
        erro = "o arquivo " + declaracao.string() + " não está selado ou foi alterado depois de selado";
        return {};
    }
    auto chave = LeChave(chavePrivadaPem, true);
    if (!chave) {
        erro = "a chave informada não é uma chave privada Ed25519 em PEM";
        return {};
    }
    const std::string mensagem = MensagemRecibo({numero, data, *hash});
    Ptr<EVP_MD_CTX> ctx(EVP_MD_CTX_new());
    std::array<unsigned char, 64> assinatura{};
    size_t len = assinatura.size();
    if (!ctx || EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, chave.get()) != 1 ||
        EVP_DigestSign(ctx.get(), assinatura.data(), &len, reinterpret_cast<const unsigned char*>(mensagem.data()),
                       mensagem.size()) != 1) {
        erro = "falha ao assinar o protocolo";
        return {};
    }
    std::string texto;
    std::istringstream linhas(mensagem);
    for (std::string l; std::getline(linhas, l);) texto += l + "\r\n";
    return texto + "assinatura=" + Hex(assinatura.data(), len) + "\r\n";
}

std::optional<Recibo> ValidaRecibo(const fs::path& declaracao, const std::string& chavePublicaPem) {
    std::ifstream f(CaminhoRecibo(declaracao), std::ios::binary);
    if (!f) return std::nullopt;
    std::string conteudo(kMaximoRecibo + 1, '\0');
    f.read(conteudo.data(), static_cast<std::streamsize>(conteudo.size()));
    conteudo.resize(static_cast<size_t>(f.gcount()));
    if (conteudo.size() > kMaximoRecibo) return std::nullopt;

    std::vector<std::string> linhas;
    std::istringstream in(conteudo);
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        linhas.push_back(l);
    }
    if (linhas.size() != 5 || linhas[0] != kCabecalhoRecibo) return std::nullopt;
    auto numero = Valor(linhas[1], "numero");
    auto data = Valor(linhas[2], "data");
    auto hash = Valor(linhas[3], "hash");
    auto assinaturaHex = Valor(linhas[4], "assinatura");
    if (!numero || !data || !hash || !assinaturaHex) return std::nullopt;
    if (!NumeroValido(*numero) || !DataValida(*data)) return std::nullopt;
    auto assinatura = DeHex(*assinaturaHex);
    if (!assinatura || assinatura->size() != 64) return std::nullopt;

    Recibo r{*numero, *data, *hash};
    if (!Verifica(MensagemRecibo(r), *assinatura, chavePublicaPem)) return std::nullopt;
    auto hashAtual = HashArquivo(declaracao);
    if (!hashAtual || *hashAtual != r.hash) return std::nullopt;
    return r;
}

const char* ChavePublicaRecepcao() { return kChavePublicaRecepcao; }

std::optional<std::pair<std::string, std::string>> GeraChaves() {
    Ptr<EVP_PKEY_CTX> ctx(EVP_PKEY_CTX_new_id(EVP_PKEY_ED25519, nullptr));
    EVP_PKEY* bruta = nullptr;
    if (!ctx || EVP_PKEY_keygen_init(ctx.get()) != 1 || EVP_PKEY_keygen(ctx.get(), &bruta) != 1) return std::nullopt;
    Ptr<EVP_PKEY> chave(bruta);
    auto emPem = [&](bool privada) -> std::optional<std::string> {
        Ptr<BIO> bio(BIO_new(BIO_s_mem()));
        if (!bio) return std::nullopt;
        int ok = privada ? PEM_write_bio_PrivateKey(bio.get(), chave.get(), nullptr, nullptr, 0, nullptr, nullptr)
                         : PEM_write_bio_PUBKEY(bio.get(), chave.get());
        if (ok != 1) return std::nullopt;
        char* dados = nullptr;
        long n = BIO_get_mem_data(bio.get(), &dados);
        return std::string(dados, static_cast<size_t>(n));
    };
    auto privada = emPem(true), publica = emPem(false);
    if (!privada || !publica) return std::nullopt;
    return std::make_pair(*privada, *publica);
}

}  // namespace zovi::selo
