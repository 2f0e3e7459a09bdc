#include "backup/CopiaDeclaracao.h"

#include <climits>
#include <map>

#include "backup/CopiaSeguranca.h"
#include "engine/Definicao.h"

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
// Files on their way into the data folder, and the files they replace, until the swap is done.
const std::string kPrefixoNovo = "~restaura-";
const std::string kPrefixoAnterior = "~anterior-";

std::string TextoVolume(std::uint16_t numero) { return "Insira o volume n° " + std::to_string(numero); }

// The declaration table a file belongs to ("bd8emp.db" -> "BD8EMP"); empty for any other file.
std::string TabelaDoArquivo(const std::string& nome) {
    for (const auto& t : TabelasCopiadas())
        if (nome.size() > t.size() + 1 && MesmoNome(nome.substr(0, t.size() + 1), t + ".")) return t;
    return {};
}

fs::path ArquivoDaPasta(const fs::path& pasta, const std::string& nome) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(pasta, ec))
        if (MesmoNome(e.path().filename().string(), nome)) return e.path();
    return {};
}

// The name a restored file takes in the data folder: the name of the file it replaces,
// whatever its letter case, or the program's own spelling of the table's files.
fs::path NomeFinal(const fs::path& pastaDados, const std::string& nome, const std::string& tabela) {
    if (auto existente = ArquivoDaPasta(pastaDados, nome); !existente.empty()) return existente;
    std::string resto = nome.substr(tabela.size());
    if (resto.size() >= 3 && MesmoNome(resto.substr(0, 3), ".db")) resto = ".DB" + resto.substr(3);
    return pastaDados / (tabela + resto);
}

// What an earlier swap cut short left behind: a set-aside table goes back when nothing
// replaced it, an unplaced new file goes away.
void RecuperaTrocaInterrompida(const fs::path& pastaDados) {
    std::error_code ec;
    std::vector<fs::path> restos;
    for (const auto& e : fs::directory_iterator(pastaDados, ec)) restos.push_back(e.path());
    for (const auto& p : restos) {
        auto nome = p.filename().string();
        if (nome.rfind(kPrefixoNovo, 0) == 0) {
            fs::remove(p, ec);
        } else if (nome.rfind(kPrefixoAnterior, 0) == 0) {
            auto original = pastaDados / nome.substr(kPrefixoAnterior.size());
            if (fs::exists(original, ec))
                fs::remove(p, ec);
            else
                fs::rename(p, original, ec);
        }
    }
}

// Puts the restored files of the work folder in place of the tables' current files.
// Every new file is first moved beside the tables under a temporary name; only then
// are the current files set aside and the new ones renamed into place, and any failure
// puts the current files back, so the tables are either all replaced or all as before.
bool fSubstituiTabelas(const fs::path& pastaTrabalho, const fs::path& pastaDados, Banco* banco, Interacao& interacao) {
    RecuperaTrocaInterrompida(pastaDados);
    std::map<std::string, std::vector<fs::path>> novos;
    for (const auto& e : fs::directory_iterator(pastaTrabalho))
        if (auto t = TabelaDoArquivo(e.path().filename().string()); !t.empty() && e.is_regular_file()) novos[t].push_back(e.path());

    struct Novo {
        fs::path trabalho, temporario, final;
    };
    std::vector<Novo> copiados;
    std::vector<std::pair<fs::path, fs::path>> afastados;  // set aside -> original
    std::vector<const Novo*> colocados;
    auto desfaz = [&] {
        std::error_code ec;
        for (const auto* n : colocados) fs::rename(n->final, n->temporario, ec);
        for (const auto& [aparte, original] : afastados) fs::rename(aparte, original, ec);
        // The new files go back to the work folder, which keeps what was restored.
        for (const auto& n : copiados)
            if (fs::exists(n.temporario, ec) && !fs::exists(n.trabalho, ec)) fs::rename(n.temporario, n.trabalho, ec);
        for (const auto& n : copiados) fs::remove(n.temporario, ec);
    };
    try {
        for (const auto& [tabela, arquivos] : novos)
            for (const auto& a : arquivos) {
                auto final = NomeFinal(pastaDados, a.filename().string(), tabela);
                auto temporario = pastaDados / (kPrefixoNovo + final.filename().string());
                copiados.push_back({a, temporario, final});
                // The work folder lies in the data folder: moving is the cheap copy.
                std::error_code movido;
                fs::rename(a, temporario, movido);
                if (movido) fs::copy_file(a, temporario, fs::copy_options::overwrite_existing);
            }
        // Nobody may hold the tables: this program lets go of them, another process is refused.
        Banco local;
        if (!banco) local.Abre("Zovi2005", {"path=" + pastaDados.string()});
        Banco& b = banco ? *banco : local;
        for (const auto& [tabela, arquivos] : novos) {
            b.LiberaArquivo(tabela);
            if (!b.ExisteTabela(tabela)) continue;
            b.Trava(tabela, true);
            b.Destrava(tabela, true);
        }
        std::vector<fs::path> atuais;
        for (const auto& e : fs::directory_iterator(pastaDados))
            if (novos.count(TabelaDoArquivo(e.path().filename().string()))) atuais.push_back(e.path());
        for (const auto& p : atuais) {
            auto aparte = pastaDados / (kPrefixoAnterior + p.filename().string());
            fs::rename(p, aparte);
            afastados.emplace_back(aparte, p);
        }
        for (const auto& n : copiados) {
            fs::rename(n.temporario, n.final);
            colocados.push_back(&n);
        }
    } catch (const ErroMotor& e) {
        desfaz();
        interacao.Aviso("Nenhum usuário pode estar usando o sistema: \"" + std::string(e.what()) + "\"");
        return false;
    } catch (const std::exception&) {
        desfaz();
        return false;
    }
    std::error_code ec;
    for (const auto& [aparte, original] : afastados) fs::remove(aparte, ec);
    return true;
}

bool PreparaPastaTrabalho(const fs::path& pasta) {
    std::error_code ec;
    if (fs::is_directory(pasta, ec)) {
        for (const auto& e : fs::directory_iterator(pasta, ec))
            if (!e.is_directory(ec)) fs::remove(e.path(), ec);
    } else {
        fs::remove(pasta, ec);
        fs::create_directories(pasta, ec);
    }
    return fs::is_directory(pasta, ec);
}

}  // namespace

std::uintmax_t EspacoLivreDisco(const fs::path& pasta) {
    std::error_code ec;
    auto info = fs::space(pasta.empty() ? fs::path(".") : pasta, ec);
    return ec ? 0 : info.available;
}

const std::vector<std::string>& TabelasCopiadas() {
    static const std::vector<std::string> tabelas = {"BD8EMP", "BD8VINC", "BD8RESP"};
    return tabelas;
}

bool fGravaCopiaDeclaracao(const fs::path& pastaDados, const fs::path& arquivo, Interacao& interacao,
                           const MedidaEspacoLivre& espaco) {
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
    std::vector<std::string> especificacoes;
    for (const auto& t : TabelasCopiadas())
        especificacoes.push_back((pastaDados / (NomeMaiusculo(t) + ".*")).string());
    interacao.Progresso(0, 100);
    if (!copia.Backup(especificacoes, arquivo.string())) return false;
    interacao.Mostra(TipoDialogo::Informacao, "Gravação da cópia bem sucedida.");
    return true;
}

bool fRestauraCopiaDeclaracao(const fs::path& arquivo, const fs::path& pastaDados, Interacao& interacao,
                              Banco* banco) {
    if (NomeMaiusculo(arquivo.extension().string()) != ".BKP") {
        interacao.Aviso("Extensao inválida de arquivo de backup.");
        return false;
    }
    std::error_code ec;
    if (!fs::is_regular_file(arquivo, ec)) {
        interacao.Aviso("Arquivo inexistente.");
        return false;
    }
    if (TCopiaSeguranca().ReadArchiveInfo(arquivo.string(), nullptr) != kTituloCopiaZovi) {
        interacao.Aviso("Esse não é um arquivo de backup ZOVI válido");
        return false;
    }
    auto pastaTrabalho = pastaDados / "Work";
    if (!PreparaPastaTrabalho(pastaTrabalho)) {
        interacao.Mostra(TipoDialogo::Erro, kErroRestauracao);
        return false;
    }
    auto pastaVolume = arquivo.has_parent_path() ? arquivo.parent_path() : fs::path(".");
    TCopiaSeguranca copia;
    copia.OnProgress = [&](TCopiaSeguranca&, const std::string&, TPercentage p, bool& continua) {
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
        interacao.Mostra(TipoDialogo::Erro, kErroRestauracao);
        c.Cancel();
    };
    // Only the files of the declaration tables come out of an archive: whatever else one
    // holds has no place in the data folder.
    copia.OnRestoreFile = [](TCopiaSeguranca&, std::string& nome, std::int32_t, bool& restaura) {
        restaura = !TabelaDoArquivo(fs::path(nome).filename().string()).empty();
    };
    interacao.Progresso(0, 100);
    if (!copia.Restore(arquivo.string(), pastaTrabalho.string())) return false;
    if (!fSubstituiTabelas(pastaTrabalho, pastaDados, banco, interacao)) {
        interacao.Mostra(TipoDialogo::Erro, kErroRestauracao);
        return false;
    }
    fs::remove_all(pastaTrabalho, ec);
    interacao.Mostra(TipoDialogo::Informacao, "Restauração da cópia bem sucedida.");
    return true;
}

}  // namespace zovi
