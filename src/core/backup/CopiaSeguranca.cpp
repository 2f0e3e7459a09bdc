#include "backup/CopiaSeguranca.h"

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <set>

#include "backup/Lzrw1kh.h"
#include "engine/Definicao.h"

namespace zovi {

namespace fs = std::filesystem;

namespace {

// Ends a run with its error code; caught where the run reports it.
struct FalhaCopia {
    FalhaCopia(int c, int s = 0, std::string a = {}) : codigo(c), sistema(s), arquivo(std::move(a)) {}
    int codigo;
    int sistema;          // errno behind it, when the system refused
    std::string arquivo;  // the file it concerned, when known
};

constexpr std::int32_t kMarcaZlib = 'E' | ('C' << 8) | ('2' << 16);
constexpr std::int32_t kMarcaLzrw = 'E' | ('C' << 8) | ('S' << 16);
const std::string kListaArquivos = "FILE:LIST";
const std::string kProximoVolume = "NEXT:DISK";
// No stored name is longer; a larger length is a damaged archive, not a name to allocate.
constexpr std::int32_t kMaiorNome = 4096;
constexpr std::int32_t kMaiorTitulo = 65536;
// The file list is held in memory: a bound keeps a hostile archive from filling it.
constexpr std::size_t kMaiorLista = 16u << 20;
constexpr std::size_t kBufferArquivo = 1u << 16;
const char* const kAtributoCopia = "user.gdzovi.copia";

std::string Minusculas(std::string texto) {
    for (auto& c : texto)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return texto;
}

int NivelZlib(TCompressionLevel nivel) {
    switch (nivel) {
        case TCompressionLevel::clFastest: return 1;
        case TCompressionLevel::clNone: return 0;
        case TCompressionLevel::clDefault: return Z_DEFAULT_COMPRESSION;
        case TCompressionLevel::clMax: return 9;
    }
    return 1;
}

fs::path NomeVolume(const fs::path& arquivo, int numero) {
    char extensao[16];
    std::snprintf(extensao, sizeof extensao, ".%03d", numero);
    return fs::path(arquivo).replace_extension(extensao);
}

// "*" and "?" over ASCII letters in any case, as the file masks of the backup lists are written.
bool CasaMascara(const std::string& mascara, const std::string& nome) {
    std::size_t m = 0, n = 0, estrela = std::string::npos, retorno = 0;
    auto igual = [](char a, char b) { return Minusculas(std::string(1, a)) == Minusculas(std::string(1, b)); };
    while (n < nome.size()) {
        if (m < mascara.size() && (mascara[m] == '?' || (mascara[m] != '*' && igual(mascara[m], nome[n])))) {
            ++m;
            ++n;
        } else if (m < mascara.size() && mascara[m] == '*') {
            estrela = m++;
            retorno = n;
        } else if (estrela != std::string::npos) {
            m = estrela + 1;
            n = ++retorno;
        } else {
            return false;
        }
    }
    while (m < mascara.size() && mascara[m] == '*') ++m;
    return m == mascara.size();
}

std::string Apara(const std::string& s) {
    auto ini = s.find_first_not_of(" \t");
    if (ini == std::string::npos) return {};
    return s.substr(ini, s.find_last_not_of(" \t") - ini + 1);
}

// The name under which a file is stored: its full path with the file name lower-cased
// (folder names keep their case, which on this system is part of their identity).
std::string NomeArmazenado(const fs::path& arquivo) {
    auto completo = fs::absolute(arquivo).lexically_normal();
    return (completo.parent_path() / Minusculas(completo.filename().string())).string();
}

// A file of the folder whose name matches in any letter case, so that a restored file
// replaces it instead of landing beside it.
fs::path ResolveCaixa(const fs::path& alvo) {
    std::error_code ec;
    if (fs::exists(alvo, ec)) return alvo;
    auto pasta = alvo.parent_path().empty() ? fs::path(".") : alvo.parent_path();
    for (const auto& e : fs::directory_iterator(pasta, ec))
        if (MesmoNome(e.path().filename().string(), alvo.filename().string())) return alvo.parent_path() / e.path().filename();
    return alvo;
}

std::vector<std::string> PartesCaminho(const std::string& nome) {
    std::vector<std::string> partes;
    std::string atual;
    for (char c : nome) {
        if (c == '/' || c == '\\') {
            partes.push_back(atual);
            atual.clear();
        } else {
            atual += c;
        }
    }
    partes.push_back(atual);
    return partes;
}

void PoeInt32(std::uint8_t* p, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

// One zlib stream per chunk, reusing the same state (deflateReset gives the stream a
// fresh start, so every chunk stays independent).
class Compressor {
public:
    explicit Compressor(int nivel) {
        if (deflateInit(&z_, nivel) != Z_OK) throw FalhaCopia{erro_copia::Compressao};
    }
    ~Compressor() { deflateEnd(&z_); }
    // Bytes of the complete stream in saida, 0 when it does not fit; -1 on a zlib failure.
    long Comprime(const std::uint8_t* entrada, std::size_t n, std::uint8_t* saida, std::size_t capacidade) {
        if (deflateReset(&z_) != Z_OK) return -1;
        z_.next_in = const_cast<std::uint8_t*>(entrada);
        z_.avail_in = static_cast<uInt>(n);
        z_.next_out = saida;
        z_.avail_out = static_cast<uInt>(capacidade);
        int rc = deflate(&z_, Z_FINISH);
        if (rc == Z_STREAM_END) return static_cast<long>(capacidade - z_.avail_out);
        return (rc == Z_OK || rc == Z_BUF_ERROR) ? 0 : -1;
    }

private:
    z_stream z_{};
};

class Descompressor {
public:
    Descompressor() {
        if (inflateInit(&z_) != Z_OK) throw FalhaCopia{erro_copia::Compressao};
    }
    ~Descompressor() { inflateEnd(&z_); }
    // Inflates one complete stream; the bytes produced, -1 when it does not fit the area,
    // -2 on a damaged stream.
    long Descomprime(const std::uint8_t* entrada, std::size_t n, std::uint8_t* saida, std::size_t capacidade) {
        if (inflateReset(&z_) != Z_OK) return -2;
        z_.next_in = const_cast<std::uint8_t*>(entrada);
        z_.avail_in = static_cast<uInt>(n);
        z_.next_out = saida;
        z_.avail_out = static_cast<uInt>(capacidade);
        int rc = inflate(&z_, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) return static_cast<long>(capacidade - z_.avail_out);
        if ((rc == Z_OK || rc == Z_BUF_ERROR) && z_.avail_out == 0) return -1;
        return -2;
    }

private:
    z_stream z_{};
};

}  // namespace

std::string TextoErroCopia(int codigo) {
    switch (codigo) {
        case erro_copia::LeituraArquivo: return "Cannot read file";
        case erro_copia::SobrescritaArquivo: return "Overwriting file failed";
        case erro_copia::LeituraCopia: return "Cannot read archive";
        case erro_copia::GravacaoCopia: return "Cannot write to archive";
        case erro_copia::TipoInvalido: return "Invalid archive type";
        case erro_copia::Compressao: return "Compression error";
        case erro_copia::ArquivoTemporario: return "Cannot create temporary file to save the file IDs";
    }
    return {};
}

std::int32_t DataDos(fs::file_time_type quando) {
    auto sistema = std::chrono::file_clock::to_sys(quando);
    std::time_t t = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(sistema));
    std::tm tm{};
    localtime_r(&t, &tm);
    if (tm.tm_year < 80) return (1 << 5 | 1) << 16;  // MS-DOS dates run from 1 January 1980
    if (tm.tm_year > 80 + 127) return static_cast<std::int32_t>(0xFF9FBF7Du);  // to 31 December 2107
    std::uint32_t data = ((tm.tm_year - 80) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday;
    std::uint32_t hora = (tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2);
    return static_cast<std::int32_t>(data << 16 | hora);
}

fs::file_time_type DeDataDos(std::int32_t dataDos) {
    auto u = static_cast<std::uint32_t>(dataDos);
    std::tm tm{};
    tm.tm_year = static_cast<int>((u >> 25) & 0x7F) + 80;
    tm.tm_mon = static_cast<int>((u >> 21) & 0x0F) - 1;
    tm.tm_mday = static_cast<int>((u >> 16) & 0x1F);
    tm.tm_hour = static_cast<int>((u >> 11) & 0x1F);
    tm.tm_min = static_cast<int>((u >> 5) & 0x3F);
    tm.tm_sec = static_cast<int>(u & 0x1F) * 2;
    tm.tm_isdst = -1;
    auto sistema = std::chrono::system_clock::from_time_t(std::mktime(&tm));
    return std::chrono::file_clock::from_sys(sistema);
}

// --- files of a run ----------------------------------------------------------

// A volume that would replace a file is written beside it, under a temporary name, and kept
// there when complete; only once the last volume is complete do they all take their names
// (the first volume last). A run that fails or is cancelled removes every volume it wrote,
// so an earlier archive of that name keeps all of its files. A volume whose name is free is
// written under it at once: it replaces nothing, and a set of fresh diskettes can be taken
// out of the drive one after the other.
class TCopiaSeguranca::Escritor {
public:
    // limite: bytes the medium has room for (0: as the system allows).
    explicit Escritor(std::int64_t limite = 0) : limite_(limite) {}
    ~Escritor() { Descarta(); }
    void Abre(const fs::path& caminho) {
        final_ = caminho;
        std::error_code ec;
        temporario_ = fs::exists(caminho, ec) ? fs::path(caminho.string() + ".tmp") : caminho;
        f_ = std::fopen(temporario_.c_str(), "wb");
        if (!f_) Falha(errno, final_);
        buffer_.resize(kBufferArquivo);
        std::setvbuf(f_, buffer_.data(), _IOFBF, buffer_.size());
        posicao_ = 0;
    }
    // The volume is complete and on disk; it waits under its temporary name.
    void Fecha() {
        auto* f = f_;
        f_ = nullptr;
        if (!f) return;
        int erro = 0;
        if (std::fflush(f) != 0 || ::fsync(::fileno(f)) != 0) erro = errno;
        if (std::fclose(f) != 0 && !erro) erro = errno;
        if (erro) {
            std::error_code ec;
            fs::remove(temporario_, ec);
            Falha(erro, final_);
        }
        prontos_.emplace_back(temporario_, final_);
    }
    // Every volume takes its name, the first one last: until then an earlier archive's
    // first volume, the one a restore starts from, is untouched.
    void Conclui() {
        for (auto it = prontos_.rbegin(); it != prontos_.rend(); ++it) {
            if (it->first == it->second) continue;
            std::error_code ec;
            fs::rename(it->first, it->second, ec);
            if (ec) Falha(ec.value(), it->second);
            SincronizaPasta(it->second.parent_path());
        }
        prontos_.clear();
    }
    // The run is abandoned: what it wrote goes away.
    void Descarta() {
        std::error_code ec;
        if (f_) {
            std::fclose(f_);
            f_ = nullptr;
            fs::remove(temporario_, ec);
        }
        for (const auto& [temporario, final] : prontos_) fs::remove(temporario, ec);
        prontos_.clear();
    }
    void Bytes(const void* p, std::size_t n) {
        if (!f_) Falha(0, final_);
        if (limite_ > 0 && posicao_ + static_cast<std::int64_t>(n) > limite_) Falha(ENOSPC, final_);
        if (n && std::fwrite(p, 1, n, f_) != n) Falha(errno, final_);
        posicao_ += static_cast<std::int64_t>(n);
    }
    void Int32(std::int32_t v) {
        std::uint8_t b[4];
        PoeInt32(b, v);
        Bytes(b, 4);
    }
    void Texto(const std::string& s) {
        Int32(static_cast<std::int32_t>(s.size()));
        Bytes(s.data(), s.size());
    }
    std::int64_t Posicao() const { return posicao_; }

private:
    [[noreturn]] static void Falha(int sistema, const fs::path& arquivo) {
        throw FalhaCopia{erro_copia::GravacaoCopia, sistema, arquivo.string()};
    }
    static void SincronizaPasta(const fs::path& pasta) {
        int fd = ::open(pasta.empty() ? "." : pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return;
        ::fsync(fd);
        ::close(fd);
    }

    std::int64_t limite_;
    std::FILE* f_ = nullptr;
    std::vector<char> buffer_;
    std::int64_t posicao_ = 0;
    fs::path final_, temporario_;
    std::vector<std::pair<fs::path, fs::path>> prontos_;  // temporary, final
};

// Reads one volume; nothing is read or allocated past its end.
class TCopiaSeguranca::Leitor {
public:
    ~Leitor() { Fecha(); }
    void Abre(const fs::path& caminho) {
        std::error_code ec;
        tamanho_ = static_cast<std::int64_t>(fs::file_size(caminho, ec));
        f_ = ec ? nullptr : std::fopen(caminho.c_str(), "rb");
        if (!f_) throw FalhaCopia{erro_copia::LeituraCopia};
        buffer_.resize(kBufferArquivo);
        std::setvbuf(f_, buffer_.data(), _IOFBF, buffer_.size());
        posicao_ = 0;
    }
    void Fecha() {
        if (f_) std::fclose(f_);
        f_ = nullptr;
    }
    std::int64_t Restante() const { return tamanho_ - posicao_; }
    void Bytes(std::size_t n, std::vector<std::uint8_t>& destino) {
        Confere(n);
        destino.resize(n);
        if (n && std::fread(destino.data(), 1, n, f_) != n) throw FalhaCopia{erro_copia::LeituraCopia};
        posicao_ += static_cast<std::int64_t>(n);
    }
    std::int32_t Int32() {
        Confere(4);
        std::uint8_t b[4];
        if (std::fread(b, 1, 4, f_) != 4) throw FalhaCopia{erro_copia::LeituraCopia};
        posicao_ += 4;
        return static_cast<std::int32_t>(b[0] | b[1] << 8 | b[2] << 16 | std::uint32_t(b[3]) << 24);
    }
    std::string Texto(std::int32_t n) {
        std::vector<std::uint8_t> v;
        Bytes(static_cast<std::size_t>(n), v);
        return std::string(v.begin(), v.end());
    }
    void Pula(std::size_t n) {
        Confere(n);
        if (fseeko(f_, static_cast<off_t>(n), SEEK_CUR) != 0) throw FalhaCopia{erro_copia::LeituraCopia};
        posicao_ += static_cast<std::int64_t>(n);
    }

private:
    void Confere(std::size_t n) const {
        if (static_cast<std::int64_t>(n) > Restante()) throw FalhaCopia{erro_copia::TipoInvalido};
    }
    std::FILE* f_ = nullptr;
    std::vector<char> buffer_;
    std::int64_t tamanho_ = 0;
    std::int64_t posicao_ = 0;
};

// Where the data of the entry being restored goes: a file, memory (the file list), or
// nowhere when the entry is skipped.
struct TCopiaSeguranca::Destino {
    std::FILE* arquivo = nullptr;
    std::string* memoria = nullptr;
    std::int64_t* contador = nullptr;  // counts what is decoded, kept or not
    fs::path caminho;
    std::int32_t data = 0;

    ~Destino() { Fecha(); }
    void Escreve(const std::uint8_t* p, std::size_t n) {
        if (contador) *contador += static_cast<std::int64_t>(n);
        if (arquivo) {
            if (std::fwrite(p, 1, n, arquivo) != n) throw FalhaCopia{erro_copia::LeituraArquivo, errno, caminho.string()};
        } else if (memoria) {
            if (memoria->size() + n > kMaiorLista) throw FalhaCopia{erro_copia::TipoInvalido};
            memoria->append(reinterpret_cast<const char*>(p), n);
        }
    }
    // True when a file was closed without error.
    bool Fecha() {
        if (!arquivo) return false;
        bool ok = std::fclose(arquivo) == 0;
        arquivo = nullptr;
        std::error_code ec;
        fs::last_write_time(caminho, DeDataDos(data), ec);
        return ok;
    }
};

// --- component -----------------------------------------------------------------

TCopiaSeguranca::TCopiaSeguranca(Interacao* interacao) : interacao_(interacao) {}
TCopiaSeguranca::~TCopiaSeguranca() = default;

void TCopiaSeguranca::SetBackupMode(TBackupMode modo) {
    backupMode_ = modo;
    if (modo == TBackupMode::bmIncremental) SetArchiveFlag = true;
}

bool TCopiaSeguranca::SetMaxSize(std::int32_t bytes) {
    if (bytes < 0 || (bytes > 0 && bytes < kMenorVolume)) return false;
    maxSize_ = bytes;
    return true;
}

int TCopiaSeguranca::CompressionRate() const {
    if (totalParaPercentual_ <= 0) return 0;
    return static_cast<int>(100 - bytesGravados_ * 100 / totalParaPercentual_);
}

bool TCopiaSeguranca::AtributoArquivo(const fs::path& arquivo) {
    std::error_code ec;
    auto quando = fs::last_write_time(arquivo, ec);
    if (ec) return true;
    char valor[32] = {};
    auto n = ::getxattr(arquivo.c_str(), kAtributoCopia, valor, sizeof valor - 1);
    return n <= 0 || std::to_string(quando.time_since_epoch().count()) != std::string(valor, static_cast<size_t>(n));
}

void TCopiaSeguranca::LimpaAtributoArquivo(const fs::path& arquivo) {
    std::error_code ec;
    auto quando = fs::last_write_time(arquivo, ec);
    if (ec) return;
    auto valor = std::to_string(quando.time_since_epoch().count());
    ::setxattr(arquivo.c_str(), kAtributoCopia, valor.data(), valor.size(), 0);
}

void TCopiaSeguranca::Progresso(const std::string& nome, std::int64_t feito) {
    std::int64_t pct = totalParaPercentual_ > 0 ? feito * 100 / totalParaPercentual_ : 100;
    Informa(nome, static_cast<TPercentage>(std::clamp<std::int64_t>(pct, 0, 100)));
}

void TCopiaSeguranca::Informa(const std::string& nome, TPercentage percentual) {
    if (OnProgress) OnProgress(*this, nome, percentual, continuar_);
}

void TCopiaSeguranca::Erro(int codigo, int sistema, const std::string& arquivo) {
    if (erro_ == 0) {
        erro_ = codigo;
        erroSistema_ = sistema;
        arquivoErro_ = arquivo;
    }
    continuar_ = false;
}

void TCopiaSeguranca::Termina() {
    busy_ = false;
    if (erro_ == 0) return;
    if (OnError)
        OnError(*this, erro_, TextoErroCopia(erro_));
    else if (interacao_)
        interacao_->Mostra(TipoDialogo::Erro, TextoErroCopia(erro_));
}

bool TCopiaSeguranca::PedeVolume(std::uint16_t numero) {
    bool continua = true;
    if (OnNeedDisk)
        OnNeedDisk(*this, numero, continua);
    else if (interacao_)
        continua = interacao_->MostraOkCancela(TipoDialogo::Informacao, "Please insert disk " + std::to_string(numero) +
                                                                             " and click OK to continue.") == Resposta::Ok;
    return continua;
}

// --- backup ----------------------------------------------------------------------

std::vector<fs::path> TCopiaSeguranca::ExpandeEspecificacoes(const std::vector<std::string>& mascaras,
                                                            const fs::path& arquivoCopia) const {
    std::vector<fs::path> lista;
    std::set<std::string> vistos;
    std::error_code ec;
    auto copia = fs::weakly_canonical(arquivoCopia, ec).string();
    std::function<void(const fs::path&, const std::string&, bool)> procura =
        [&](const fs::path& pasta, const std::string& mascara, bool recursivo) {
            std::vector<fs::directory_entry> entradas;
            std::error_code erro;
            for (const auto& e : fs::directory_iterator(pasta.empty() ? "." : pasta, erro)) entradas.push_back(e);
            std::sort(entradas.begin(), entradas.end());
            for (const auto& e : entradas) {
                std::error_code ee;
                if (e.is_directory(ee)) {
                    // Linked folders are not followed: a link back up would never end.
                    if (recursivo && !e.is_symlink(ee)) procura(e.path(), mascara, true);
                    continue;
                }
                if (!e.is_regular_file(ee) || !CasaMascara(mascara, e.path().filename().string())) continue;
                auto canonico = fs::weakly_canonical(e.path(), ee).string();
                if (canonico == copia || !vistos.insert(canonico).second) continue;
                if (backupMode_ == TBackupMode::bmIncremental && !AtributoArquivo(e.path())) continue;
                lista.push_back(e.path());
            }
        };
    for (const auto& pedido : mascaras) {
        // "folder/mask /s": the switch stands apart, since "/s" also begins folder names here.
        std::string s = Apara(pedido);
        bool recursivo = s.size() >= 3 && Minusculas(s.substr(s.size() - 3)) == " /s";
        if (recursivo) s = Apara(s.substr(0, s.size() - 3));
        fs::path p(s);
        if (!p.filename().empty()) procura(p.parent_path(), p.filename().string(), recursivo);
    }
    return lista;
}

bool TCopiaSeguranca::Backup(const std::vector<std::string>& FileSpecs, const std::string& ArchiveName) {
    if (busy_) return false;
    erro_ = erroSistema_ = 0;
    arquivoErro_.clear();
    busy_ = true;
    bytesLidos_ = bytesGravados_ = 0;
    arquivosProcessados_ = 0;
    volume_ = 1;
    arquivoCopia_ = ArchiveName;
    auto lista = ExpandeEspecificacoes(FileSpecs, arquivoCopia_);
    continuar_ = true;
    totalParaPercentual_ = 0;
    arquivoAtual_.clear();
    Informa({}, 0);

    std::int64_t total = 0;
    for (const auto& a : lista) {
        std::error_code ec;
        auto t = fs::file_size(a, ec);
        if (!ec) total += static_cast<std::int64_t>(t);
    }
    fs::path listaTemporaria;
    bool completo = false;
    try {
        if (SaveFileID) {
            std::string texto;
            for (const auto& a : lista) {
                std::error_code ec;
                auto tamanho = fs::file_size(a, ec);
                auto quando = fs::last_write_time(a, ec);
                if (ec) continue;
                texto += NomeNaCopia(a) + "\t" + std::to_string(DataDos(quando)) + "=" + std::to_string(tamanho) + "\r\n";
            }
            std::string modelo = (fs::temp_directory_path() / "FIDXXXXXX").string();
            int fd = ::mkstemp(modelo.data());
            if (fd < 0) throw FalhaCopia{erro_copia::ArquivoTemporario};
            listaTemporaria = modelo;
            bool gravou = ::write(fd, texto.data(), texto.size()) == static_cast<ssize_t>(texto.size());
            if (::close(fd) != 0 || !gravou) throw FalhaCopia{erro_copia::ArquivoTemporario};
            lista.insert(lista.begin(), listaTemporaria);
            total += static_cast<std::int64_t>(texto.size());
        }
        totalParaPercentual_ = total;
        totalBytes_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(total));
        arquivosNaCopia_ = static_cast<std::int32_t>(lista.size() - (SaveFileID ? 1 : 0));

        Escritor e(maxSize_ == 0 ? EspacoDestino : 0);
        e.Abre(arquivoCopia_);
        e.Texto(BackupTitle);
        e.Int32(totalBytes_);
        e.Int32(arquivosNaCopia_);
        for (const auto& a : lista) {
            if (!continuar_) break;
            std::error_code ec;
            if (!fs::exists(a, ec)) continue;
            bool ehLista = !listaTemporaria.empty() && a == listaTemporaria;
            GravaArquivo(e, a, ehLista ? kListaArquivos : NomeNaCopia(a));
            if (ehLista || !continuar_) continue;
            if (SetArchiveFlag) LimpaAtributoArquivo(a);
            ++arquivosProcessados_;
        }
        if (continuar_) {
            e.Int32(0);
            e.Fecha();
            e.Conclui();
            completo = true;
        }
    } catch (const FalhaCopia& f) {
        Erro(f.codigo, f.sistema, f.arquivo);
        completo = false;
    }
    if (!listaTemporaria.empty()) {
        std::error_code ec;
        fs::remove(listaTemporaria, ec);
    }
    arquivoAtual_.clear();
    // The bar reaches its end only for an archive that was completed.
    if (completo && erro_ == 0) Informa({}, 100);
    Termina();
    return completo && erro_ == 0;
}

std::string TCopiaSeguranca::NomeNaCopia(const fs::path& arquivo) const {
    return NomeArmazenado(PastaArmazenada.empty() ? arquivo : PastaArmazenada / arquivo.filename());
}

void TCopiaSeguranca::GravaArquivo(Escritor& e, const fs::path& origem, const std::string& nome) {
    arquivoAtual_ = nome;
    e.Texto(nome);
    std::error_code ec;
    auto tamanho = fs::file_size(origem, ec);
    auto quando = fs::last_write_time(origem, ec);
    std::FILE* f = ec ? nullptr : std::fopen(origem.c_str(), "rb");
    if (!f) throw FalhaCopia{erro_copia::LeituraArquivo, ec ? ec.value() : errno, origem.string()};
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> guarda(f, std::fclose);
    e.Int32(DataDos(quando));
    auto restante = static_cast<std::int64_t>(tamanho);
    // A full volume goes on in the next one, unless the user declines it.
    while (GravaSegmento(e, f, restante)) {
        TrocaVolumeGravacao(e);
        if (!continuar_) break;
    }
}

// Returns true when the volume filled up with bytes of the file still to store.
bool TCopiaSeguranca::GravaSegmento(Escritor& e, std::FILE* origem, std::int64_t& restante) {
    e.Int32(kMarcaZlib);
    entrada_.resize(kTamanhoBloco);
    saida_.resize(kTamanhoBloco);
    Compressor compressor(NivelZlib(CompressionLevel));
    bool cheio = false;
    while (restante > 0 && continuar_) {
        if (maxSize_ != 0 && e.Posicao() >= maxSize_ - kFolgaVolume) {
            cheio = true;
            break;
        }
        auto n = static_cast<std::size_t>(std::min<std::int64_t>(restante, kTamanhoBloco));
        if (std::fread(entrada_.data(), 1, n, origem) != n) throw FalhaCopia{erro_copia::LeituraArquivo, errno, arquivoAtual_};
        long comprimido = compressor.Comprime(entrada_.data(), n, saida_.data(), saida_.size());
        if (comprimido < 0) throw FalhaCopia{erro_copia::Compressao};
        // A chunk that compression does not shrink is stored as it is.
        if (comprimido > 0 && static_cast<std::size_t>(comprimido) < n) {
            e.Int32(static_cast<std::int32_t>(comprimido));
            e.Bytes(saida_.data(), static_cast<std::size_t>(comprimido));
            bytesGravados_ += comprimido;
        } else {
            e.Int32(-static_cast<std::int32_t>(n));
            e.Bytes(entrada_.data(), n);
            bytesGravados_ += static_cast<std::int64_t>(n);
        }
        restante -= static_cast<std::int64_t>(n);
        bytesLidos_ += static_cast<std::int64_t>(n);
        Progresso(arquivoAtual_, bytesLidos_);
    }
    e.Int32(0);
    return cheio;
}

void TCopiaSeguranca::TrocaVolumeGravacao(Escritor& e) {
    if (volume_ >= 999) throw FalhaCopia{erro_copia::GravacaoCopia};
    ++volume_;
    char numero[12];
    std::snprintf(numero, sizeof numero, "%03d", volume_);
    e.Texto(kProximoVolume + numero);
    e.Fecha();
    if (!PedeVolume(static_cast<std::uint16_t>(volume_))) {
        continuar_ = false;
        return;
    }
    e.Abre(NomeVolume(arquivoCopia_, volume_));
}

// --- restore ---------------------------------------------------------------------

bool TCopiaSeguranca::Restore(const std::string& ArchiveName, const std::string& TargetFolder) {
    if (busy_) return false;
    std::error_code ec;
    if (!fs::is_regular_file(ArchiveName, ec)) return false;
    erro_ = erroSistema_ = 0;
    arquivoErro_.clear();
    busy_ = true;
    continuar_ = true;
    bytesLidos_ = bytesGravados_ = 0;
    arquivosProcessados_ = 0;
    volume_ = 1;
    arquivoCopia_ = ArchiveName;
    arquivoAtual_.clear();
    bytesLista_ = 0;
    bool lido = false;
    try {
        Leitor l;
        l.Abre(arquivoCopia_);
        try {
            std::int32_t tamanhoTitulo = l.Int32();
            if (tamanhoTitulo < 0 || tamanhoTitulo > kMaiorTitulo) throw FalhaCopia{erro_copia::LeituraCopia};
            l.Texto(tamanhoTitulo);
            totalBytes_ = l.Int32();
            arquivosNaCopia_ = l.Int32();
        } catch (const FalhaCopia&) {
            throw FalhaCopia{erro_copia::LeituraCopia};
        }
        totalParaPercentual_ = static_cast<std::uint32_t>(totalBytes_);
        RestauraEntradas(l, TargetFolder);
        lido = continuar_;
    } catch (const FalhaCopia& f) {
        Erro(f.codigo, f.sistema, f.arquivo);
    }
    bool resultado = lido && erro_ == 0;
    arquivoAtual_.clear();
    if (resultado) Informa({}, 100);
    Termina();
    return resultado;
}

void TCopiaSeguranca::RestauraEntradas(Leitor& l, const std::string& pastaDestino) {
    Destino destino;
    bool restaura = false;     // the entry's data goes to destino
    bool emEntrada = false;    // segments that follow belong to an entry
    bool exigeSegmento = false;
    auto fechaEntrada = [&] {
        if (destino.arquivo) {
            if (!destino.Fecha()) throw FalhaCopia{erro_copia::LeituraArquivo};
            ++arquivosProcessados_;
        }
        destino.contador = nullptr;
        restaura = emEntrada = false;
    };
    while (continuar_) {
        std::int32_t v = l.Int32();
        if (emEntrada && (v == kMarcaZlib || v == kMarcaLzrw)) {
            LeSegmento(l, static_cast<std::uint32_t>(v), restaura ? &destino : nullptr);
            exigeSegmento = false;
            continue;
        }
        if (exigeSegmento) throw FalhaCopia{erro_copia::TipoInvalido};
        if (v == 0) {
            fechaEntrada();
            return;
        }
        if (v < 0) continue;
        if (v > kMaiorNome) throw FalhaCopia{erro_copia::TipoInvalido};
        std::string nome = l.Texto(v);
        if (nome.rfind(kProximoVolume, 0) == 0) {
            if (!emEntrada) throw FalhaCopia{erro_copia::TipoInvalido};
            TrocaVolumeLeitura(l, nome);
            exigeSegmento = true;
            continue;
        }
        fechaEntrada();
        emEntrada = exigeSegmento = true;
        arquivoAtual_ = nome;
        std::int32_t data = l.Int32();
        // The file list is never restored, but decoded and counted (not held): its length
        // is part of the header's total.
        if (nome == kListaArquivos) {
            destino.contador = &bytesLista_;
            restaura = true;
            continue;
        }
        std::string alvo = NomeDestino(nome, pastaDestino);
        bool decide = DecideRestauracao(alvo, data);
        if (OnRestoreFile) OnRestoreFile(*this, alvo, data, decide);
        if (!decide) continue;
        fs::path caminho(alvo);
        std::error_code ec;
        if (caminho.has_parent_path()) fs::create_directories(caminho.parent_path(), ec);
        if (caminho.has_parent_path() && !fs::is_directory(caminho.parent_path(), ec)) continue;
        destino.caminho = caminho;
        destino.data = data;
        destino.arquivo = std::fopen(caminho.c_str(), "wb");
        if (!destino.arquivo) throw FalhaCopia{erro_copia::LeituraArquivo, errno, caminho.string()};
        restaura = true;
    }
}

std::string TCopiaSeguranca::NomeDestino(const std::string& armazenado, const std::string& pastaDestino) const {
    if (armazenado.find('\0') != std::string::npos) throw FalhaCopia{erro_copia::TipoInvalido};
    auto partes = PartesCaminho(armazenado);
    for (const auto& p : partes)
        if (p == "..") throw FalhaCopia{erro_copia::TipoInvalido};
    fs::path alvo;
    if (pastaDestino.empty()) {
        // Back to the stored place: only a full path of this system names one.
        if (armazenado.empty() || armazenado[0] != '/') throw FalhaCopia{erro_copia::TipoInvalido};
        alvo = "/";
        for (const auto& p : partes)
            if (!p.empty() && p != ".") alvo /= p;
    } else if (RestoreFullPath) {
        // The stored path below the folder, without its drive or root.
        std::size_t inicio = (!partes.empty() && partes[0].size() == 2 && partes[0][1] == ':') ? 1 : 0;
        fs::path relativo;
        for (std::size_t i = inicio; i < partes.size(); ++i)
            if (!partes[i].empty() && partes[i] != ".") relativo /= partes[i];
        if (relativo.empty()) throw FalhaCopia{erro_copia::TipoInvalido};
        alvo = fs::path(pastaDestino) / relativo;
    } else {
        const auto& nome = partes.back();
        if (nome.empty() || nome == ".") throw FalhaCopia{erro_copia::TipoInvalido};
        alvo = fs::path(pastaDestino) / nome;
    }
    return ResolveCaixa(alvo).string();
}

bool TCopiaSeguranca::DecideRestauracao(const fs::path& alvo, std::int32_t data) const {
    std::error_code ec;
    bool existe = fs::exists(alvo, ec);
    auto anterior = [&] {
        auto quando = fs::last_write_time(alvo, ec);
        return !ec && static_cast<std::uint32_t>(DataDos(quando)) < static_cast<std::uint32_t>(data);
    };
    switch (RestoreMode) {
        case TRestoreMode::rmAll: return true;
        case TRestoreMode::rmNoOverwrite: return !existe;
        case TRestoreMode::rmNewer: return !existe || anterior();
        case TRestoreMode::rmExisting: return existe;
        case TRestoreMode::rmExistingNewer: return existe && anterior();
    }
    return false;
}

void TCopiaSeguranca::TrocaVolumeLeitura(Leitor& l, const std::string& nome) {
    std::string digitos = nome.substr(kProximoVolume.size());
    if (digitos.size() != 3 || !std::all_of(digitos.begin(), digitos.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw FalhaCopia{erro_copia::TipoInvalido};
    int numero = std::stoi(digitos);
    l.Fecha();
    auto volume = NomeVolume(arquivoCopia_, numero);
    std::error_code ec;
    bool continua;
    do {
        // With nobody to ask, the volume is taken when its file is there.
        continua = (OnNeedDisk || interacao_) ? PedeVolume(static_cast<std::uint16_t>(numero)) : fs::exists(volume, ec);
    } while (continua && !fs::exists(volume, ec));
    if (!continua) {
        continuar_ = false;
        return;
    }
    volume_ = numero;
    l.Abre(volume);
}

void TCopiaSeguranca::LeSegmento(Leitor& l, std::uint32_t marca, Destino* destino) {
    if (marca == static_cast<std::uint32_t>(kMarcaZlib))
        LeSegmentoZlib(l, destino);
    else
        LeSegmentoLzrw(l, destino);
}

void TCopiaSeguranca::LeSegmentoZlib(Leitor& l, Destino* destino) {
    Descompressor descompressor;
    saida_.resize(kTamanhoBloco);
    while (continuar_) {
        std::int32_t c = l.Int32();
        if (c == 0) return;
        if (c < -kTamanhoBloco || c > kTamanhoBloco) throw FalhaCopia{erro_copia::TipoInvalido};
        auto n = static_cast<std::size_t>(c < 0 ? -c : c);
        if (!destino) {
            l.Pula(n);
            continue;
        }
        l.Bytes(n, entrada_);
        if (c < 0) {
            destino->Escreve(entrada_.data(), n);
            bytesGravados_ += static_cast<std::int64_t>(n);
        } else {
            long produzido = descompressor.Descomprime(entrada_.data(), n, saida_.data(), saida_.size());
            if (produzido == -1) throw FalhaCopia{erro_copia::TipoInvalido};
            if (produzido < 0) throw FalhaCopia{erro_copia::Compressao};
            destino->Escreve(saida_.data(), static_cast<std::size_t>(produzido));
            bytesGravados_ += produzido;
        }
        if (busy_) Progresso(arquivoAtual_, bytesGravados_);
    }
}

void TCopiaSeguranca::LeSegmentoLzrw(Leitor& l, Destino* destino) {
    std::int32_t s = l.Int32();
    if (s < 0) throw FalhaCopia{erro_copia::TipoInvalido};
    while (s > 0 && continuar_) {
        std::int32_t b = l.Int32();
        if (b <= 0 || b > static_cast<std::int32_t>(kLzrwMaxBloco) || b > s - 4) throw FalhaCopia{erro_copia::TipoInvalido};
        s -= b + 4;
        if (!destino) {
            l.Pula(static_cast<std::size_t>(b));
            continue;
        }
        l.Bytes(static_cast<std::size_t>(b), entrada_);
        if (!fDescomprimeLzrw1kh(entrada_.data(), entrada_.size(), saida_)) throw FalhaCopia{erro_copia::TipoInvalido};
        destino->Escreve(saida_.data(), saida_.size());
        bytesGravados_ += static_cast<std::int64_t>(saida_.size());
        if (busy_) Progresso(arquivoAtual_, bytesGravados_);
    }
}

std::string TCopiaSeguranca::ReadArchiveInfo(const std::string& ArchiveName, std::vector<std::string>* FileList) {
    if (busy_) return {};
    erro_ = erroSistema_ = 0;
    arquivoErro_.clear();
    continuar_ = true;
    std::string titulo;
    if (FileList) FileList->clear();
    try {
        Leitor l;
        l.Abre(ArchiveName);
        std::int32_t tamanhoTitulo = l.Int32();
        if (tamanhoTitulo < 0 || tamanhoTitulo > kMaiorTitulo) throw FalhaCopia{erro_copia::TipoInvalido};
        std::string lido = l.Texto(tamanhoTitulo);
        totalBytes_ = l.Int32();
        arquivosNaCopia_ = l.Int32();
        titulo = lido;
        if (FileList && l.Restante() >= 4) {
            std::int32_t n = l.Int32();
            if (n == static_cast<std::int32_t>(kListaArquivos.size()) && l.Restante() >= n &&
                l.Texto(n) == kListaArquivos) {
                l.Int32();  // its date
                std::string texto;
                Destino memoria;
                memoria.memoria = &texto;
                // The list's segments, up to the next entry (or the end of this volume).
                while (l.Restante() >= 4) {
                    std::int32_t marca = l.Int32();
                    if (marca != kMarcaZlib && marca != kMarcaLzrw) break;
                    LeSegmento(l, static_cast<std::uint32_t>(marca), &memoria);
                }
                std::size_t inicio = 0;
                while (inicio < texto.size()) {
                    auto fim = texto.find("\r\n", inicio);
                    if (fim == std::string::npos) fim = texto.size();
                    FileList->push_back(texto.substr(inicio, fim - inicio));
                    inicio = fim + 2;
                }
            }
        }
    } catch (const FalhaCopia& f) {
        Erro(f.codigo, f.sistema, f.arquivo);
    }
    if (erro_ != 0) {
        if (FileList) FileList->clear();
        Termina();
        return {};
    }
    return titulo;
}

bool TCopiaSeguranca::ListaEntradas(const std::string& ArchiveName, std::vector<std::string>& nomes, bool& completa) {
    nomes.clear();
    completa = false;
    try {
        Leitor l;
        l.Abre(ArchiveName);
        std::int32_t tamanhoTitulo = l.Int32();
        if (tamanhoTitulo < 0 || tamanhoTitulo > kMaiorTitulo) return false;
        l.Pula(static_cast<std::size_t>(tamanhoTitulo) + 8);
        bool emEntrada = false;
        for (;;) {
            std::int32_t v = l.Int32();
            if (emEntrada && v == kMarcaZlib) {
                // Chunks are passed over by their lengths, never inflated.
                for (std::int32_t c; (c = l.Int32()) != 0;) {
                    if (c < -kTamanhoBloco || c > kTamanhoBloco) return false;
                    l.Pula(static_cast<std::size_t>(c < 0 ? -c : c));
                }
                continue;
            }
            if (emEntrada && v == kMarcaLzrw) {
                std::int32_t tamanho = l.Int32();
                if (tamanho < 0) return false;
                l.Pula(static_cast<std::size_t>(tamanho));
                continue;
            }
            if (v == 0) {
                completa = true;
                return true;
            }
            if (v < 0) continue;
            if (v > kMaiorNome) return false;
            std::string nome = l.Texto(v);
            if (nome.rfind(kProximoVolume, 0) == 0) return emEntrada;
            l.Int32();  // its date
            if (nome != kListaArquivos) nomes.push_back(nome);
            emEntrada = true;
        }
    } catch (const FalhaCopia&) {
        return false;
    }
}

}  // namespace zovi
