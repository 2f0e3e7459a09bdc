#pragma once
// TCopiaSeguranca packs files into one compressed archive, possibly split
// over several volumes, and restores them.
//
// Archive layout (every integer a 32-bit little-endian signed value):
//   header   title length, title bytes, total bytes of all files, number of files
//   entry    name length (> 0), name, MS-DOS date and time, one or more segments
//   end      0
// A segment is "EC2\0" followed by chunks (length > 0: one complete zlib stream
// inflating to at most 16384 bytes; length < 0: that many raw bytes) and a 0,
// or, in archives of older versions, "ECS\0", the size of the blocks and
// LZRW1-KH blocks. In place of a name, "NEXT:DISK" and a three-digit number
// says that the entry goes on in the volume with that extension (x.bkp, x.002, ...).
//
// An archive is untrusted input: every length is checked against its bound
// and against what is left of the volume before anything is allocated, and a
// stored name never leads a restore outside the folder it was asked to write into.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Interacao.h"

namespace zovi {

enum class TBackupMode { bmAll, bmIncremental };
enum class TCompressionLevel { clFastest, clNone, clDefault, clMax };
enum class TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };

using TPercentage = int;  // 0 to 100

class TCopiaSeguranca;

using TProgressEvent =
    std::function<void(TCopiaSeguranca& Sender, const std::string& Filename, TPercentage Percent, bool& Continue)>;
using TNeedDiskEvent = std::function<void(TCopiaSeguranca& Sender, std::uint16_t DiskID, bool& Continue)>;
using TRestoreFileEvent =
    std::function<void(TCopiaSeguranca& Sender, std::string& Filename, std::int32_t FA, bool& DoRestore)>;
using TBackupErrorEvent = std::function<void(TCopiaSeguranca& Sender, int Error, const std::string& ErrString)>;

// Error codes of a run.
namespace erro_copia {
constexpr int Nenhum = 0;
constexpr int LeituraArquivo = 1;
constexpr int SobrescritaArquivo = 2;
constexpr int LeituraCopia = 3;
constexpr int GravacaoCopia = 4;
constexpr int TipoInvalido = 5;
constexpr int Compressao = 6;
constexpr int ArquivoTemporario = 7;
}  // namespace erro_copia

// The text of an error code.
std::string TextoErroCopia(int codigo);

// Size of a chunk before compression, and of the area it is compressed into.
constexpr std::int32_t kTamanhoBloco = 16384;
// Room kept free at the end of a volume for the largest chunk, the end of its
// segment and the volume-change record.
constexpr std::int32_t kFolgaVolume = 16484;
// The smallest volume on which a chunk can still be written after the segment tag.
constexpr std::int32_t kMenorVolume = kFolgaVolume + 4 + 1;

// MS-DOS packed date and time (date in the high word) of a file time, in local time.
std::int32_t DataDos(std::filesystem::file_time_type quando);
std::filesystem::file_time_type DeDataDos(std::int32_t dataDos);

class TCopiaSeguranca {
public:
    // interacao answers the fallback dialogs when an event is not assigned; without it
    // a volume is taken when its file is there and errors are only recorded.
    explicit TCopiaSeguranca(Interacao* interacao = nullptr);
    ~TCopiaSeguranca();
    TCopiaSeguranca(const TCopiaSeguranca&) = delete;
    TCopiaSeguranca& operator=(const TCopiaSeguranca&) = delete;

    // Properties.
    std::string Version() const { return "3.00"; }
    std::string BackupTitle;
    TBackupMode BackupMode() const { return backupMode_; }
    void SetBackupMode(TBackupMode modo);  // bmIncremental also sets SetArchiveFlag
    TCompressionLevel CompressionLevel = TCompressionLevel::clFastest;
    TRestoreMode RestoreMode = TRestoreMode::rmAll;
    std::int32_t MaxSize() const { return maxSize_; }
    // 0 means one volume. A size on which no chunk would fit is refused (false, unchanged).
    bool SetMaxSize(std::int32_t bytes);
    // Room on the medium for an archive of one volume (MaxSize 0); 0 leaves it to the system.
    // Writing past it fails as on a full medium (error 4, ENOSPC), before anything is replaced.
    std::int64_t EspacoDestino = 0;
    bool SetArchiveFlag = false;
    TProgressEvent OnProgress;
    TNeedDiskEvent OnNeedDisk;
    TRestoreFileEvent OnRestoreFile;
    TBackupErrorEvent OnError;
    bool RestoreFullPath = false;
    // When set, every file is stored as if it lay in this folder (a backup of copies
    // made elsewhere keeps the names of the originals).
    std::filesystem::path PastaArmazenada;
    bool SaveFileID = false;

    // Packs the files of the specifications ("folder/mask", masks matched in any letter
    // case; " /s" after the mask searches the sub-folders too). Each is stored under its
    // full path with the file name lower-cased. True when the end marker was written. A
    // volume that would replace a file is written under a temporary name beside it, and all
    // of them take their names only once the last is complete: a run that fails or is
    // cancelled removes what it wrote and leaves every file of an earlier archive of that
    // name as it was.
    bool Backup(const std::vector<std::string>& FileSpecs, const std::string& ArchiveName);
    // Restores into TargetFolder, or to the stored paths when it is empty. True when
    // the archive was read to its end without error or cancellation.
    bool Restore(const std::string& ArchiveName, const std::string& TargetFolder);
    // The archive's title; loads the header's totals and, when FileList is given and
    // the archive starts with a file list, that list's lines.
    std::string ReadArchiveInfo(const std::string& ArchiveName, std::vector<std::string>* FileList);
    // The stored names of the entries in the archive's first volume (the file list left out),
    // read without unpacking anything; completa tells whether the archive ends in that
    // volume. False when the volume is not a well-formed archive.
    bool ListaEntradas(const std::string& ArchiveName, std::vector<std::string>& nomes, bool& completa);

    int CompressionRate() const;
    bool IsBusy() const { return busy_; }
    void Cancel() { continuar_ = false; }

    // Run-time state.
    int ErrorCode() const { return erro_; }
    std::int32_t FilesInArchive() const { return arquivosNaCopia_; }
    std::int32_t TotalBytes() const { return totalBytes_; }
    std::int64_t BytesRead() const { return bytesLidos_; }
    std::int64_t BytesWritten() const { return bytesGravados_; }
    const std::string& CurrentFile() const { return arquivoAtual_; }
    int FilesProcessed() const { return arquivosProcessados_; }
    // Bytes of the file list read by the last restore (counted in the header's total).
    std::int64_t BytesListaArquivos() const { return bytesLista_; }
    // The system's error number behind the last error (0 when none) and the file it concerned.
    int ErroSistema() const { return erroSistema_; }
    const std::string& ArquivoDoErro() const { return arquivoErro_; }

    // Whether a file counts as changed since its last backup (the archive attribute),
    // and clearing that mark.
    static bool AtributoArquivo(const std::filesystem::path& arquivo);
    static void LimpaAtributoArquivo(const std::filesystem::path& arquivo);

private:
    class Leitor;
    class Escritor;
    struct Destino;

    std::vector<std::filesystem::path> ExpandeEspecificacoes(const std::vector<std::string>& mascaras,
                                                             const std::filesystem::path& arquivoCopia) const;
    std::string NomeNaCopia(const std::filesystem::path& arquivo) const;
    void GravaArquivo(Escritor& e, const std::filesystem::path& origem, const std::string& nome);
    bool GravaSegmento(Escritor& e, std::FILE* origem, std::int64_t& restante);
    void TrocaVolumeGravacao(Escritor& e);
    void RestauraEntradas(Leitor& l, const std::string& pastaDestino);
    void LeSegmento(Leitor& l, std::uint32_t marca, Destino* destino);
    void LeSegmentoZlib(Leitor& l, Destino* destino);
    void LeSegmentoLzrw(Leitor& l, Destino* destino);
    void TrocaVolumeLeitura(Leitor& l, const std::string& nome);
    std::string NomeDestino(const std::string& armazenado, const std::string& pastaDestino) const;
    bool DecideRestauracao(const std::filesystem::path& alvo, std::int32_t data) const;
    bool PedeVolume(std::uint16_t numero);
    void Progresso(const std::string& nome, std::int64_t feito);
    void Informa(const std::string& nome, TPercentage percentual);
    void Erro(int codigo, int sistema = 0, const std::string& arquivo = {});
    void Termina();

    Interacao* interacao_;
    TBackupMode backupMode_ = TBackupMode::bmAll;
    std::int32_t maxSize_ = 0;
    bool busy_ = false;
    bool continuar_ = false;
    int erro_ = 0;
    int erroSistema_ = 0;
    std::string arquivoErro_;
    std::int64_t bytesLista_ = 0;
    std::int32_t arquivosNaCopia_ = 0;
    std::int32_t totalBytes_ = 0;
    std::int64_t totalParaPercentual_ = 0;
    std::int64_t bytesLidos_ = 0;
    std::int64_t bytesGravados_ = 0;
    std::string arquivoAtual_;
    int arquivosProcessados_ = 0;
    int volume_ = 1;
    std::filesystem::path arquivoCopia_;
    std::vector<std::uint8_t> entrada_, saida_;
};

}  // namespace zovi
