#include "backup/CopiaDeclaracao.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
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
#include "platform/MotivoSistema.h"

namespace zovi {

namespace fs = std::filesystem;

namespace {

const char* const kSemEspaco =
    "A unidade nao oferece o espaço mínimo exigido para o Backup. \n"
    "Se utilizar disquetes, insira um novo\n"
    "com espaco disponivel.\n"
    "Pronto para continuar ou cancelar?";
const char* const kUnidadeNaoPreparada = "Unidade nao esta preparada.";
const char* const kErroRestauracao = "Ocorreu um erro durante o processo de restauração";
const char* const kTamanhoNaoConfere =
    "o tamanho dos arquivos nela não confere com o registrado no seu cabeçalho (a cópia está danificada)";
// Room kept free in the data folder beyond copies of the tables (a restore's swap journal).
constexpr std::uintmax_t kFolgaPastaDados = 1u << 20;

std::string TextoVolume(std::uint16_t numero) { return "Insira o volume n° " + std::to_string(numero); }

std::string ErroBackup(const std::string& motivo) {
    return "Ocorreu um erro durante o processo de backup: [" + motivo + "].";
}

std::string ErroRestauracao(const std::string& motivo) {
    return std::string(kErroRestauracao) + ": [" + motivo + "].";
}

// What went wrong in a run of the component, in the user's words, with the system's reason.
std::string MotivoErroCopia(const TCopiaSeguranca& c) {
    const auto porque = [&] { return ": " + MotivoSistema(c.ErroSistema()); };
    switch (c.ErrorCode()) {
        case erro_copia::LeituraArquivo: return "não foi possível ler ou gravar o arquivo " + c.ArquivoDoErro() + porque();
        case erro_copia::LeituraCopia: return "não foi possível ler a cópia de segurança";
        case erro_copia::GravacaoCopia: return "não foi possível gravar a cópia em " + c.ArquivoDoErro() + porque();
        case erro_copia::TipoInvalido: return "a cópia está danificada ou não é uma cópia de segurança";
        case erro_copia::Compressao: return "falha ao compactar ou descompactar os dados";
        case erro_copia::ArquivoTemporario: return "não foi possível criar o arquivo temporário da lista de arquivos";
    }
    return TextoErroCopia(c.ErrorCode());
}

std::uintmax_t SomaTamanhos(const std::vector<fs::path>& arquivos) {
    std::uintmax_t total = 0;
    for (const auto& a : arquivos) {
        std::error_code ec;
        auto t = fs::file_size(a, ec);
        if (!ec) total += t;
    }
    return total;
}

// The declaration table whose data file a name is ("bd8emp.db" -> "BD8EMP"); empty for any other.
std::string TabelaDoArquivo(const std::string& nome) {
    for (const auto& t : TabelasDeclaracao())
        if (MesmoNome(nome, t + ".DB")) return t;
    return {};
}

// Why an entry stored under nome may not be restored (another file, a table seen before);
// empty when it is one of the three tables, which vistas then counts.
std::string MotivoEntrada(const std::string& nome, std::set<std::string>& vistas) {
    // Stored names are full paths of this system or of the one the archive was made on.
    auto simples = nome.substr(nome.find_last_of("/\\") + 1);
    auto tabela = TabelaDoArquivo(simples);
    if (tabela.empty()) return "ela contém o arquivo \"" + simples + "\", que não é uma tabela da declaração";
    if (!vistas.insert(tabela).second) return "ela contém a tabela " + tabela + " mais de uma vez";
    return {};
}

// The entries of the archive's first volume, listed before anything is unpacked: only the
// three tables, each once, and all three when the archive ends there.
std::string MotivoConteudo(TCopiaSeguranca& copia, const fs::path& arquivo) {
    std::vector<std::string> nomes;
    bool completa = false;
    if (!copia.ListaEntradas(arquivo.string(), nomes, completa)) return "ela está danificada";
    std::set<std::string> vistas;
    for (const auto& nome : nomes)
        if (auto motivo = MotivoEntrada(nome, vistas); !motivo.empty()) return motivo;
    if (completa)
        for (const auto& t : TabelasDeclaracao())
            if (!vistas.count(t)) return "falta nela a tabela " + t;
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
// removed with whatever it holds when the run ends, and held while the run lives so that
// RemoveCopiasAbandonadas tells it from the leftover of a killed run.
class PastaInstantaneo {
public:
    explicit PastaInstantaneo(const fs::path& pastaDados) {
        RemoveCopiasAbandonadas(pastaDados);
        std::string modelo = (pastaDados / (kPrefixoCopiaEmCurso + "XXXXXX")).string();
        if (!::mkdtemp(modelo.data()))
            throw ErroMotor(codigo_motor::ErroEntradaSaida, "Pasta: " + pastaDados.string() + ": " + MotivoSistema(errno));
        caminho_ = modelo;
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
    fs::path caminho_;
    int trava_ = -1;
};

// Copies the declaration tables as they stand at one instant and checks each copy; the
// copies, or an empty list after telling the user why there are none.
std::vector<fs::path> CopiaTabelasDeclaracao(const fs::path& pastaDados, const fs::path& destino,
                                             Interacao& interacao, ResultadoCopia& resultado) {
    auto falha = [&](const std::string& texto) {
        interacao.Mostra(TipoDialogo::Erro, texto);
        return std::vector<fs::path>{};
    };
    Banco banco;
    banco.Abre("Zovi2005", {"path=" + pastaDados.string()});
    std::vector<fs::path> originais;
    for (const auto& t : TabelasDeclaracao()) {
        auto arquivo = banco.ArquivoTabela(t);
        if (!arquivo) return falha(ErroBackup("A tabela " + t + ".DB não está na pasta de dados"));
        originais.push_back(*arquivo);
    }
    // The copies are made beside the tables: the folder must have room for them.
    const auto necessario = SomaTamanhos(originais) + kFolgaPastaDados;
    if (auto livre = EspacoLivreDisco(pastaDados); livre < necessario)
        return falha("Não há espaço livre suficiente na pasta de dados " + pastaDados.string() +
                     " para preparar a cópia de segurança: são necessários " + std::to_string(necessario) +
                     " bytes e há " + std::to_string(livre) + ".");
    std::vector<fs::path> copias;
    try {
        copias = banco.CopiaInstantanea(TabelasDeclaracao(), destino);
    } catch (const ErroMotor& e) {
        resultado.pastaOcupada = e.Codigo() == codigo_motor::TabelaOcupada;
        return falha(ErroBackup(e.what()));
    }
    for (size_t i = 0; i < copias.size(); ++i) {
        const auto& t = TabelasDeclaracao()[i];
        if (auto motivo = fMotivoTabelaInvalida(copias[i], DefinicaoTabela(t), false); !motivo.empty())
            return falha(ErroBackup("O arquivo da tabela " + t + ".DB " + motivo));
    }
    return copias;
}

}  // namespace

std::uintmax_t EspacoLivreDisco(const fs::path& pasta) {
    std::error_code ec;
    auto info = fs::space(pasta.empty() ? fs::path(".") : pasta, ec);
    return ec ? 0 : info.available;
}

namespace {

// The archive of one volume did not fit the room of its destination.
std::string SemEspacoDestino(const fs::path& pasta, std::uintmax_t livre, std::uintmax_t tabelas) {
    return "Não há espaço suficiente em " + pasta.string() + " para a cópia de segurança: havia " +
           std::to_string(livre) + " bytes livres e a cópia não coube neles (as tabelas somam " +
           std::to_string(tabelas) + " bytes antes da compactação). Nenhum arquivo foi substituído; "
           "libere espaço ou escolha outro destino.";
}

}  // namespace

ResultadoCopia fGravaCopiaDeclaracao(const fs::path& pastaDados, const fs::path& arquivo, Interacao& interacao,
                                     const MedidaEspacoLivre& espaco, bool emVolumes) {
    ResultadoCopia resultado;
    // A restore cut short is settled first: a backup of its half-swapped folder would carry
    // the mix into the archive.
    try {
        RecuperaTrocaInterrompida(pastaDados);
    } catch (const ErroMotor& e) {
        resultado.pastaOcupada = e.Codigo() == codigo_motor::TabelaOcupada;
        interacao.Mostra(TipoDialogo::Erro, ErroBackup(e.what()));
        return resultado;
    }
    auto pastaVolume = arquivo.has_parent_path() ? arquivo.parent_path() : fs::path(".");
    TCopiaSeguranca copia;
    copia.BackupTitle = kTituloCopiaZovi;
    // Each volume must offer the minimum and the archive keeps a reserve free on it: over
    // volumes, as the volume limit; in one file, as the room it must fit in.
    std::uintmax_t livreNoDestino = 0;
    auto conferEspaco = [&] {
        for (;;) {
            livreNoDestino = espaco(pastaVolume);
            if (livreNoDestino >= kEspacoMinimoVolume) {
                auto limite = livreNoDestino - kReservaVolume;
                if (!emVolumes)
                    copia.EspacoDestino = static_cast<std::int64_t>(std::min<std::uintmax_t>(limite, INT64_MAX));
                else
                    copia.SetMaxSize(limite > static_cast<std::uintmax_t>(INT32_MAX) ? 0 : static_cast<std::int32_t>(limite));
                return true;
            }
            if (interacao.MostraOkCancela(TipoDialogo::Aviso, kSemEspaco) != Resposta::Ok) return false;
        }
    };
    if (!conferEspaco()) return resultado;
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
    std::uintmax_t tamanhoTabelas = 0;
    copia.OnError = [&](TCopiaSeguranca& c, int, const std::string&) {
        const bool cheio = c.ErrorCode() == erro_copia::GravacaoCopia && c.ErroSistema() == ENOSPC;
        interacao.Mostra(TipoDialogo::Erro, cheio && !emVolumes ? SemEspacoDestino(pastaVolume, livreNoDestino, tamanhoTabelas)
                                                                : ErroBackup(MotivoErroCopia(c)));
        c.Cancel();
    };
    interacao.Progresso(0, 100);
    std::optional<TravaPastaDados> trava;
    try {
        trava.emplace(pastaDados, ModoTrava::Compartilhada);
    } catch (const ErroMotor& e) {
        resultado.pastaOcupada = e.Codigo() == codigo_motor::TabelaOcupada;
        interacao.Mostra(TipoDialogo::Erro, ErroBackup(e.what()));
        return resultado;
    }
    std::optional<PastaInstantaneo> instantaneo;
    try {
        instantaneo.emplace(pastaDados);
    } catch (const ErroMotor& e) {
        interacao.Mostra(TipoDialogo::Erro, ErroBackup(e.what()));
        return resultado;
    }
    auto copias = CopiaTabelasDeclaracao(pastaDados, instantaneo->Caminho(), interacao, resultado);
    if (copias.empty()) return resultado;
    tamanhoTabelas = SomaTamanhos(copias);
    std::vector<std::string> especificacoes;
    for (const auto& c : copias) especificacoes.push_back(c.string());
    copia.PastaArmazenada = fs::absolute(pastaDados);
    if (!copia.Backup(especificacoes, arquivo.string())) return resultado;
    interacao.Mostra(TipoDialogo::Informacao, "Gravação da cópia bem sucedida.");
    resultado.feita = true;
    return resultado;
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
    if (auto motivo = MotivoConteudo(copia, arquivo); !motivo.empty()) {
        interacao.Mostra(TipoDialogo::Erro, Recusa(motivo));
        return false;
    }
    if (auto livre = espaco(pastaDados); livre < totalDeclarado + kFolgaPastaDados) {
        interacao.Mostra(TipoDialogo::Erro, "Não há espaço livre suficiente para restaurar a cópia de segurança: são "
                                            "necessários " + std::to_string(totalDeclarado + kFolgaPastaDados) +
                                                " bytes na pasta de dados e há " + std::to_string(livre) + ".");
        return false;
    }
    PastaTrabalho trabalho(pastaDados / kPastaEsperaTroca);
    if (!trabalho.Pronta()) {
        interacao.Mostra(TipoDialogo::Erro, ErroRestauracao("não foi possível criar a pasta " + trabalho.caminho.string()));
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
        if (recusa.empty()) interacao.Mostra(TipoDialogo::Erro, ErroRestauracao(MotivoErroCopia(c)));
        c.Cancel();
    };
    // Exactly the data files of the three tables, each once: anything else in an archive
    // is refused, never written.
    std::set<std::string> vistas;
    copia.OnRestoreFile = [&](TCopiaSeguranca& c, std::string& nome, std::int32_t, bool& restaura) {
        recusa = MotivoEntrada(nome, vistas);
        restaura = recusa.empty();
        if (!restaura) return c.Cancel();
        nome = (trabalho.caminho / (TabelaDoArquivo(fs::path(nome).filename().string()) + ".DB")).string();
    };
    interacao.Progresso(0, 100);
    bool lida = copia.Restore(arquivo.string(), trabalho.caminho.string());
    if (recusa.empty() && lida)
        recusa = MotivoTabelasInvalidas(trabalho.caminho, totalDeclarado - static_cast<std::uint32_t>(copia.BytesListaArquivos()));
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
    } catch (const std::exception& e) {
        interacao.Mostra(TipoDialogo::Erro, ErroRestauracao(e.what()));
        return false;
    }
    interacao.Mostra(TipoDialogo::Informacao, "Restauração da cópia bem sucedida.");
    return true;
}

}  // namespace zovi
