#include "backup/CopiaDeclaracao.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <optional>
#include <set>

#include "backup/CopiaSeguranca.h"
#include "data/ConfereTabela.h"
#include "data/Tabelas.h"
#include "data/TrocaTabelas.h"
#include "engine/Definicao.h"
#include "engine/TravaPastaDados.h"

namespace zovi {

namespace fs = std::filesystem;

namespace {

const char* const kSemEspaco =
    "A unidade nao oferece o espaço mínimo exigido para o Backup. \n"
    "Se utilizar disquetes, insira um novo\n"
    "com espaco disponivel.\n"
    "Pronto para continuar ou cancelar?";
const char* const kUnidadeNaoPreparada = "Unidade nao esta preparada.";
const char* const kErroRestauracao = "Ocorreu um erro durante o processo de restauração.";
const char* const kTamanhoNaoConfere =
    "o tamanho dos arquivos nela não confere com o registrado no seu cabeçalho (a cópia está danificada)";
// Room kept free in the data folder beyond the restored tables, for the swap's journal.
constexpr std::uintmax_t kFolgaRestauracao = 1u << 20;

std::string TextoVolume(std::uint16_t numero) { return "Insira o volume n° " + std::to_string(numero); }

// The declaration table whose data file a name is ("bd8emp.db" -> "BD8EMP"); empty for any other.
std::string TabelaDoArquivo(const std::string& nome) {
    for (const auto& t : TabelasDeclaracao())
        if (MesmoNome(nome, t + ".DB")) return t;
    return {};
}

std::string NinguemUsando(const ErroMotor& e) {
    return "Nenhum usuário pode estar usando o sistema: \"" + std::string(e.what()) + "\"";
}

std::string Recusa(const std::string& motivo) {
    return "A cópia de segurança não pode ser restaurada: " + motivo +
           ". As tabelas da declaração não foram alteradas.";
}

// Why the tables unpacked into the work folder may not replace the current ones; empty
// when they are the three tables, whole, as large together as the archive says.
std::string MotivoTabelasInvalidas(const fs::path& pastaTrabalho, std::uint32_t totalDeclarado) {
    std::uintmax_t total = 0;
    for (const auto& t : TabelasDeclaracao()) {
        auto arquivo = pastaTrabalho / (t + ".DB");
        std::error_code ec;
        if (!fs::is_regular_file(arquivo, ec)) return "falta nela a tabela " + t;
        total += fs::file_size(arquivo, ec);
    }
    if (total != totalDeclarado) return kTamanhoNaoConfere;
    for (const auto& t : TabelasDeclaracao())
        if (auto motivo = fMotivoTabelaInvalida(pastaTrabalho / (t + ".DB"), DefinicaoTabela(t), true); !motivo.empty())
            return "o arquivo " + t + ".DB da cópia " + motivo;
    return {};
}

// Nobody may hold the tables while they are replaced: this program lets go of them,
// another process that has one open is refused with the engine's "Table is busy".
void LiberaTabelas(const fs::path& pastaDados, Banco* banco) {
    Banco local;
    if (!banco) local.Abre("Zovi2005", {"path=" + pastaDados.string()});
    Banco& b = banco ? *banco : local;
    for (const auto& tabela : TabelasDeclaracao()) {
        b.LiberaArquivo(tabela);
        if (!b.ExisteTabela(tabela)) continue;
        b.Trava(tabela, true);
        b.Destrava(tabela, true);
    }
}

// The work folder, removed however the restore ends.
struct PastaTrabalho {
    fs::path caminho;
    explicit PastaTrabalho(fs::path p) : caminho(std::move(p)) {
        std::error_code ec;
        fs::remove_all(caminho, ec);
        fs::create_directories(caminho, ec);
    }
    ~PastaTrabalho() {
        std::error_code ec;
        fs::remove_all(caminho, ec);
    }
    bool Pronta() const {
        std::error_code ec;
        return fs::is_directory(caminho, ec);
    }
};

// A folder of this run inside the data folder, for the copies the archive is made of;
// removed with whatever it holds when the run ends. Kept in the data folder, which has
// room for the tables, and found by its prefix when a killed run left it behind.
const std::string kPrefixoInstantaneo = ".gdzovi-copia-";

class PastaInstantaneo {
public:
    explicit PastaInstantaneo(const fs::path& pastaDados) {
        LimpaAbandonadas(pastaDados);
        std::string modelo = (pastaDados / (kPrefixoInstantaneo + "XXXXXX")).string();
        if (!::mkdtemp(modelo.data())) throw ErroMotor(codigo_motor::ErroEntradaSaida, "Pasta: " + pastaDados.string());
        caminho_ = modelo;
        // Held while the run lives: a folder nobody holds is a leftover.
        trava_ = ::open(caminho_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (trava_ >= 0) ::flock(trava_, LOCK_EX | LOCK_NB);
    }
    ~PastaInstantaneo() {
        std::error_code ec;
        fs::remove_all(caminho_, ec);
        if (trava_ >= 0) ::close(trava_);
    }
    PastaInstantaneo(const PastaInstantaneo&) = delete;
    PastaInstantaneo& operator=(const PastaInstantaneo&) = delete;
    const fs::path& Caminho() const { return caminho_; }

private:
    static void LimpaAbandonadas(const fs::path& pastaDados) {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(pastaDados, ec)) {
            if (e.path().filename().string().rfind(kPrefixoInstantaneo, 0) != 0) continue;
            int fd = ::open(e.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd < 0) continue;
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) fs::remove_all(e.path(), ec);
            ::close(fd);
        }
    }

    fs::path caminho_;
    int trava_ = -1;
};

// Copies the declaration tables as they stand at one instant and checks each copy; the
// copies, or an empty list after telling the user why there are none.
std::vector<fs::path> CopiaTabelasDeclaracao(const fs::path& pastaDados, const fs::path& destino,
                                             Interacao& interacao) {
    auto falha = [&](const std::string& texto) {
        interacao.Mostra(TipoDialogo::Erro, "Ocorreu um erro durante o processo de backup: [" + texto + "].");
        return std::vector<fs::path>{};
    };
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + pastaDados.string()});
    for (const auto& t : TabelasDeclaracao())
        if (!banco.ExisteTabela(t)) return falha("A tabela " + t + ".DB não está na pasta de dados");
    std::vector<fs::path> copias;
    try {
        copias = banco.CopiaInstantanea(TabelasDeclaracao(), destino);
    } catch (const ErroMotor& e) {
        return falha(e.what());
    }
    for (size_t i = 0; i < copias.size(); ++i) {
        const auto& t = TabelasDeclaracao()[i];
        if (auto motivo = fMotivoTabelaInvalida(copias[i], DefinicaoTabela(t), false); !motivo.empty())
            return falha("O arquivo da tabela " + t + ".DB " + motivo);
    }
    return copias;
}

}  // namespace

std::uintmax_t EspacoLivreDisco(const fs::path& pasta) {
    std::error_code ec;
    auto info = fs::space(pasta.empty() ? fs::path(".") : pasta, ec);
    return ec ? 0 : info.available;
}

bool fGravaCopiaDeclaracao(const fs::path& pastaDados, const fs::path& arquivo, Interacao& interacao,
                           const MedidaEspacoLivre& espaco) {
    // A restore cut short is settled first: a backup of its half-swapped folder would carry
    // the mix into the archive.
    try {
        RecuperaTrocaInterrompida(pastaDados);
    } catch (const ErroMotor& e) {
        interacao.Mostra(TipoDialogo::Erro, "Ocorreu um erro durante o processo de backup: [" + std::string(e.what()) + "].");
        return false;
    }
    auto pastaVolume = arquivo.has_parent_path() ? arquivo.parent_path() : fs::path(".");
    TCopiaSeguranca copia;
    copia.BackupTitle = kTituloCopiaZovi;
    // Each volume must offer the minimum; the volume limit keeps a reserve free on it.
    auto conferEspaco = [&] {
        for (;;) {
            auto livre = espaco(pastaVolume);
            if (livre >= kEspacoMinimoVolume) {
                auto limite = livre - kReservaVolume;
                copia.SetMaxSize(limite > static_cast<std::uintmax_t>(INT32_MAX) ? 0 : static_cast<std::int32_t>(limite));
                return true;
            }
            if (interacao.MostraOkCancela(TipoDialogo::Aviso, kSemEspaco) != Resposta::Ok) return false;
        }
    };
    if (!conferEspaco()) return false;
    copia.OnProgress = [&](TCopiaSeguranca&, const std::string&, TPercentage p, bool& continua) {
        interacao.Progresso(p, 100);
        if (interacao.InterrupcaoPedida() && interacao.Confirma("Cancelar o processo de Backup ?")) continua = false;
    };
    copia.OnNeedDisk = [&](TCopiaSeguranca&, std::uint16_t volume, bool& continua) {
        continua = interacao.MostraOkCancela(TipoDialogo::Informacao, TextoVolume(volume)) == Resposta::Ok;
        std::error_code ec;
        while (continua && !fs::is_directory(pastaVolume, ec)) {
            interacao.Aviso(kUnidadeNaoPreparada);
            continua = interacao.MostraOkCancela(TipoDialogo::Informacao, TextoVolume(volume)) == Resposta::Ok;
        }
        continua = continua && conferEspaco();
    };
    copia.OnError = [&](TCopiaSeguranca& c, int, const std::string& texto) {
        interacao.Mostra(TipoDialogo::Erro, "Ocorreu um erro durante o processo de backup: [" + texto + "].");
        c.Cancel();
    };
    interacao.Progresso(0, 100);
    std::optional<TravaPastaDados> trava;
    try {
        trava.emplace(pastaDados, ModoTrava::Compartilhada);
    } catch (const ErroMotor& e) {
        interacao.Mostra(TipoDialogo::Erro, "Ocorreu um erro durante o processo de backup: [" + std::string(e.what()) + "].");
        return false;
    }
    PastaInstantaneo instantaneo(pastaDados);
    auto copias = CopiaTabelasDeclaracao(pastaDados, instantaneo.Caminho(), interacao);
    if (copias.empty()) return false;
    std::vector<std::string> especificacoes;
    for (const auto& c : copias) especificacoes.push_back(c.string());
    copia.PastaArmazenada = fs::absolute(pastaDados);
    if (!copia.Backup(especificacoes, arquivo.string())) return false;
    interacao.Mostra(TipoDialogo::Informacao, "Gravação da cópia bem sucedida.");
    return true;
}

bool fRestauraCopiaDeclaracao(const fs::path& arquivo, const fs::path& pastaDados, Interacao& interacao,
                              Banco* banco, const MedidaEspacoLivre& espaco) {
    if (NomeMaiusculo(arquivo.extension().string()) != ".BKP") {
        interacao.Aviso("Extensao inválida de arquivo de backup.");
        return false;
    }
    std::error_code ec;
    if (!fs::is_regular_file(arquivo, ec)) {
        interacao.Aviso("Arquivo inexistente.");
        return false;
    }
    TCopiaSeguranca copia;
    if (copia.ReadArchiveInfo(arquivo.string(), nullptr) != kTituloCopiaZovi) {
        interacao.Aviso("Esse não é um arquivo de backup ZOVI válido");
        return false;
    }
    // The header's total bounds what may be unpacked: it is checked against the room
    // first and against every chunk as it is written.
    const auto totalDeclarado = static_cast<std::uint32_t>(copia.TotalBytes());
    // Nobody else may be in the folder while its tables are replaced: the program running
    // this raises its own shared hold, and another process holding the folder refuses it.
    std::optional<TravaPastaDados> trava;
    try {
        trava.emplace(pastaDados, ModoTrava::Exclusiva);
    } catch (const ErroMotor& e) {
        if (e.Codigo() != codigo_motor::TabelaOcupada) throw;
        interacao.Aviso(NinguemUsando(e));
        return false;
    }
    // A swap cut short earlier is settled before anything else is touched.
    try {
        RecuperaTrocaInterrompida(pastaDados);
    } catch (const ErroMotor& e) {
        interacao.Mostra(TipoDialogo::Erro, e.what());
        return false;
    }
    if (auto livre = espaco(pastaDados); livre < totalDeclarado + kFolgaRestauracao) {
        interacao.Mostra(TipoDialogo::Erro, "Não há espaço livre suficiente para restaurar a cópia de segurança: são "
                                            "necessários " + std::to_string(totalDeclarado + kFolgaRestauracao) +
                                                " bytes na pasta de dados e há " + std::to_string(livre) + ".");
        return false;
    }
    PastaTrabalho trabalho(pastaDados / kPastaEsperaTroca);
    if (!trabalho.Pronta()) {
        interacao.Mostra(TipoDialogo::Erro, kErroRestauracao);
        return false;
    }
    auto pastaVolume = arquivo.has_parent_path() ? arquivo.parent_path() : fs::path(".");
    std::string recusa;
    copia.OnProgress = [&](TCopiaSeguranca& c, const std::string&, TPercentage p, bool& continua) {
        if (static_cast<std::uint64_t>(c.BytesWritten()) > totalDeclarado) {
            recusa = kTamanhoNaoConfere;
            continua = false;
            return;
        }
        interacao.Progresso(p, 100);
        if (interacao.InterrupcaoPedida() && interacao.Confirma("Cancelar o processo de Restore ?")) continua = false;
    };
    copia.OnNeedDisk = [&](TCopiaSeguranca&, std::uint16_t volume, bool& continua) {
        continua = interacao.MostraOkCancela(TipoDialogo::Informacao, TextoVolume(volume)) == Resposta::Ok;
        while (continua && !fs::is_directory(pastaVolume, ec)) {
            interacao.Aviso(kUnidadeNaoPreparada);
            continua = interacao.MostraOkCancela(TipoDialogo::Informacao, TextoVolume(volume)) == Resposta::Ok;
        }
    };
    copia.OnError = [&](TCopiaSeguranca& c, int, const std::string&) {
        if (recusa.empty()) interacao.Mostra(TipoDialogo::Erro, kErroRestauracao);
        c.Cancel();
    };
    // Exactly the data files of the three tables, each once: anything else in an archive
    // is refused, never written.
    std::set<std::string> vistas;
    copia.OnRestoreFile = [&](TCopiaSeguranca& c, std::string& nome, std::int32_t, bool& restaura) {
        auto simples = fs::path(nome).filename().string();
        auto tabela = TabelaDoArquivo(simples);
        restaura = false;
        if (tabela.empty())
            recusa = "ela contém o arquivo \"" + simples + "\", que não é uma tabela da declaração";
        else if (!vistas.insert(tabela).second)
            recusa = "ela contém a tabela " + tabela + " mais de uma vez";
        else
            restaura = true;
        if (!restaura) return c.Cancel();
        nome = (trabalho.caminho / (tabela + ".DB")).string();
    };
    interacao.Progresso(0, 100);
    bool lida = copia.Restore(arquivo.string(), trabalho.caminho.string());
    if (recusa.empty() && lida) recusa = MotivoTabelasInvalidas(trabalho.caminho, totalDeclarado);
    if (!recusa.empty()) {
        interacao.Mostra(TipoDialogo::Erro, Recusa(recusa));
        return false;
    }
    if (!lida) return false;
    std::vector<ArquivoNovo> novos;
    for (const auto& t : TabelasDeclaracao()) novos.push_back({trabalho.caminho / (t + ".DB"), t + ".DB"});
    try {
        LiberaTabelas(pastaDados, banco);
        TrocaTabelas(pastaDados, TabelasDeclaracao(), novos);
    } catch (const ErroMotor& e) {
        interacao.Aviso(NinguemUsando(e));
        return false;
    } catch (const std::exception&) {
        interacao.Mostra(TipoDialogo::Erro, kErroRestauracao);
        return false;
    }
    interacao.Mostra(TipoDialogo::Informacao, "Restauração da cópia bem sucedida.");
    return true;
}

}  // namespace zovi
