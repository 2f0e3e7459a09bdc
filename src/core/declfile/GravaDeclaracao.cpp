#include "declfile/GravaDeclaracao.h"

#include <fcntl.h>
#include <cerrno>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>
#include <fstream>
#include <unordered_map>

#include "data/Tabelas.h"
#include "declfile/Leiaute.h"
#include "engine/Consulta.h"
#include "engine/Definicao.h"
#include "engine/Tabela.h"
#include "messages/Mensagens.h"
#include "platform/MotivoSistema.h"
#include "platform/Texto1252.h"
#include "platform/Unidades.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEndereco.h"
#include "zovi2005.h"

namespace zovi {

namespace fs = std::filesystem;

namespace {

// Capacity is counted in whole records, never by asking the medium for free space.
constexpr long long kReserva = 3525;
constexpr long long kReservaComEmpregados = kReserva + kTamanhoLinha;  // 4050
// A medium must hold a header, an establishment and one employee past the
// reserve; a smaller one would have every diskette ask for the next without
// writing an employee. (Media below 1410 bytes were already refused.)
constexpr long long kCapacidadeMinima = kReservaComEmpregados + 1;
// A folder is a medium of no size: only the records a file can hold split the declaration.
constexpr long long kSemLimite = 1LL << 60;

constexpr const char* kNomeArquivo = "Zovi2005";
// Refusals of a diskette that stays the same, after which the run stops instead of asking again.
constexpr int kRecusasMesmoDisquete = 3;

enum class Etapa { Ok, Falha, Interrompida };

// Computed items of the layout, by index.
enum Item { iSequencial, iInscricao, iPrefixo, iRetificacao, iDataRetificacao, iDataGeracao, iHoraGravacao,
            iQtTipo1, iQtTipo2, iQtPrefixo, iEstatistica, iSelo, kNumItens };
constexpr const char* kNomesItens[kNumItens] = {
    item::Sequencial, item::Inscricao,   item::Prefixo, item::Retificacao, item::DataRetificacao, item::DataGeracao,
    item::HoraGravacao, item::QtTipo1, item::QtTipo2, item::QtPrefixo, item::Estatistica,   item::Selo};

int IndiceItem(const char* nome) {
    for (int i = 0; i < kNumItens; ++i)
        if (std::strcmp(kNomesItens[i], nome) == 0) return i;
    return -1;
}

std::string Zeros(long valor, int largura) {
    std::string s = std::to_string(valor);
    return s.size() >= static_cast<size_t>(largura) ? s : std::string(largura - s.size(), '0') + s;
}

std::string Apara(const std::string& s) {
    auto ini = s.find_first_not_of(' ');
    if (ini == std::string::npos) return {};
    return s.substr(ini, s.find_last_not_of(' ') - ini + 1);
}

// One row's values by column, and the columns by field name.
struct Linha {
    std::vector<std::string> valores;
    std::unordered_map<std::string, int> colunas;  // upper-case field name -> column

    void DefineColunas(const std::vector<std::string>& nomes) {
        colunas.clear();
        for (size_t i = 0; i < nomes.size(); ++i) colunas[NomeMaiusculo(nomes[i])] = static_cast<int>(i);
        valores.assign(nomes.size(), {});
    }
    int Coluna(const char* campo) const {
        auto it = colunas.find(NomeMaiusculo(campo));
        if (it == colunas.end()) throw ErroBanco(std::string("Campo '") + campo + "' ausente na gravação");
        return it->second;
    }
    const std::string& operator[](const char* campo) const { return valores[Coluna(campo)]; }
};

// Reads the current record of a table into a Linha (logical fields as "1"/"0").
void LeRegistro(const Tabela& t, Linha& l) {
    const auto& campos = t.Definicao().campos;
    if (l.colunas.empty()) {
        std::vector<std::string> nomes;
        for (const auto& c : campos) nomes.push_back(c.nome);
        l.DefineColunas(nomes);
    }
    for (size_t i = 0; i < campos.size(); ++i)
        l.valores[i] = campos[i].tipo == TipoCampo::Logico ? (t.Logico(campos[i].nome) ? "1" : "0")
                                                           : t.Texto(campos[i].nome);
}

// A record type's fields bound to the columns of its source row and to the run's items.
class Plano {
public:
    Plano(char tipo, const Linha& fonte) {
        for (const auto& c : CamposLeiaute(tipo)) {
            Passo p{&c, -1, false};
            if (c.origem) {
                int item = IndiceItem(c.origem);
                p.item = item >= 0;
                p.fonte = p.item ? item : fonte.Coluna(c.origem);
            }
            passos_.push_back(p);
        }
    }

    void Monta(char* registro, const std::vector<std::string>& valores, const std::string* itens) const {
        for (const auto& p : passos_) {
            const CampoLeiaute& c = *p.campo;
            char* destino = registro + c.posicao - 1;
            const std::string* valor = p.fonte < 0 ? nullptr : p.item ? &itens[p.fonte] : &valores[p.fonte];
            switch (c.formato) {
                case FormatoCampo::Literal: std::memcpy(destino, c.padrao, c.largura); break;
                case FormatoCampo::Brancos: std::memset(destino, ' ', c.largura); break;
                case FormatoCampo::Texto:
                case FormatoCampo::Dinheiro: PoeCampoLeiaute(registro, c, *valor); break;
                case FormatoCampo::Indicador: *destino = Apara(*valor) == "1" ? '1' : '2'; break;
                case FormatoCampo::Contador:
                case FormatoCampo::Calculado: PoeCampo(destino, *valor, c.largura); break;
            }
        }
    }

private:
    struct Passo {
        const CampoLeiaute* campo;
        int fonte;  // column or item; -1 for literals and blanks
        bool item;
    };
    std::vector<Passo> passos_;
};

// Receipt rows wait in memory until their counts are known.
struct LinhaRecibo {
    std::vector<std::pair<std::string, std::string>> textos;
    std::vector<std::pair<std::string, bool>> logicos;
};

class Gravador {
public:
    Gravador(Banco& banco, const ParametrosGravacao& p, Interacao& ui)
        : banco_(banco), p_(p), ui_(ui), letra_(static_cast<char>(std::toupper(static_cast<unsigned char>(p.unidade)))) {}

    int Executa();
    // Why the last file operation failed, as the system said it; empty when none did.
    const std::string& Motivo() const { return motivo_; }

private:
    // Sources chosen by the R and W switches.
    std::string TabelaResp() const { return p_.retificacao || p_.trabalho ? "TE8RESP" : "BD8RESP"; }
    std::string TabelaEmp() const { return p_.trabalho ? "TE8EMP" : "BD8EMP"; }
    std::string TabelaVinc() const { return p_.retificacao || p_.trabalho ? "TE8VINC" : "BD8VINC"; }
    // The declaration file on the current medium.
    std::string Arquivo() const {
        if (!p_.pasta) return std::string(1, letra_) + ":\\" + kNomeArquivo + ".";
        return (PastaDoArquivo() / kNomeArquivo).string();
    }
    // The chosen folder for the first file, its subfolder "disquete-N" for the N-th.
    std::filesystem::path PastaDoArquivo() const {
        return disquete_ <= 1 ? *p_.pasta : *p_.pasta / ("disquete-" + std::to_string(disquete_));
    }
    // The file is written under this name and takes its own only once sealed: a run cut
    // short leaves no file that passes for a declaration.
    std::string ArquivoTemporario() const {
        std::string nome = Arquivo();
        return nome + (nome.back() == '.' ? "tmp" : ".tmp");
    }

    bool CriaTabelasRecibo();
    void ApagaTabelasRecibo();
    bool LeDeclarante();
    void PreparaItensFixos();
    long ContaEmpregados(const Linha& estab);
    long MaximoProgresso(Tabela& estabs);
    // Positions `estabs` on the i-th establishment to write; false when done.
    Etapa ProximoEstabelecimento(Tabela& estabs, size_t& indice, bool& fim);
    Etapa GravaEstabelecimento();
    Etapa GravaEmpregados();

    // No room on this file for `registros` more records (the trailer included) past the reserve;
    // the next record is number sequencia_.
    bool SemEspaco(long long reserva, long registros) const {
        return usados_ >= capacidade_ - reserva || sequencia_ + registros - 1 > p_.maximoRegistros;
    }
    Etapa Sonda();
    bool JaGravado() const;
    Etapa VerificaPresenca();
    // A prompt that waits on the user: Cancel confirmed, or nobody to answer, stops the run.
    Etapa EsperaUsuario(const std::string& texto);
    Etapa AbreDisquete();
    // The next file in the chosen folder, with no diskette to ask for.
    Etapa AbreArquivoPasta();
    // Before the first file: an earlier declaration in the folder (its file and the parts of it
    // in "disquete-2", ...) goes, with the user's leave; No leaves it and ends the run.
    Etapa LiberaPasta();
    // A file operation on `arquivo` the system refused: the step fails with the system's reason.
    Etapa FalhaSistema(const std::string& arquivo);
    // A file just created on the medium: its header, and the counts of a new file.
    Etapa ComecaArquivo();
    Etapa FechaESela();
    Etapa GravaLinha(char* registro);
    Etapa GravaTipo0();
    Etapa GravaTipo1();
    Etapa GravaTipo2();
    Etapa GravaTipo9();
    void GuardaContagemEstabelecimento();
    // Stores the file's receipt rows together once its trailer is written.
    void GravaRecibo();
    void Avanca();

    Banco& banco_;
    const ParametrosGravacao& p_;
    Interacao& ui_;
    char letra_;

    Linha declarante_, estab_, vinc_;
    std::optional<Plano> plano0_, plano1_, plano2_, plano9_;
    std::string itens_[kNumItens];
    char registro_[kTamanhoLinha];

    ArquivoUnidade arquivo_;
    bool arquivoIncompleto_ = false;  // the file on the current diskette is not yet sealed
    int disquete_ = 0;
    long long capacidade_ = 0, usados_ = 0;
    long sequencia_ = 0, qtTipo1_ = 0, qtTipo2_ = 0, qtPrefixo_ = 0, qtVincEstab_ = 0;
    int ultimoDisqueteProId_ = 9999;
    std::optional<LinhaRecibo> proIdPendente_, proEsPendente_;
    std::vector<LinhaRecibo> proEsDoArquivo_;
    std::optional<Tabela> taProId_, taProEs_;
    std::vector<std::string> selosGravados_;  // of the files this run completed
    std::string motivo_;
    long progresso_ = 0, maximo_ = 0;
};

// --- receipt tables -------------------------------------------------------

bool Gravador::CriaTabelasRecibo() {
    try {
        banco_.CriaTabela(DefTe8ProIdGravacao());
        banco_.CriaTabela(DefTe8ProES());
        taProId_.emplace(banco_, "TE8PROID");
        taProId_->Abre();
        taProEs_.emplace(banco_, "TE8PROES");
        taProEs_->Abre();
        return true;
    } catch (const ErroBanco&) {
        return false;
    }
}

void Gravador::ApagaTabelasRecibo() {
    taProId_.reset();
    taProEs_.reset();
    for (const char* t : {"TE8PROID", "TE8PROES"}) {
        try {
            banco_.ApagaTabela(t);
        } catch (const ErroBanco&) {
        }
    }
}

void Gravador::GravaRecibo() {
    auto insere = [](Tabela& t, const LinhaRecibo& l) {
        t.Acrescenta();
        for (const auto& [campo, valor] : l.textos) t.PoeTexto(campo, valor);
        for (const auto& [campo, valor] : l.logicos) t.PoeLogico(campo, valor);
        t.Grava();
    };
    Transacao tr(banco_);
    if (proIdPendente_) insere(*taProId_, *proIdPendente_);
    for (const auto& l : proEsDoArquivo_) insere(*taProEs_, l);
    tr.Confirma();
    proIdPendente_.reset();
    proEsDoArquivo_.clear();
}

// --- sources ----------------------------------------------------------------

bool Gravador::LeDeclarante() {
    Tabela t(banco_, TabelaResp());
    t.Abre();
    t.Primeiro();
    if (t.Fim() && t.Vazia()) return false;
    LeRegistro(t, declarante_);
    return true;
}

long Gravador::ContaEmpregados(const Linha& estab) {
    try {
        Consulta q(banco_, {"SELECT COUNT(*) AS n FROM " + TabelaVinc(),
                            "WHERE AnBase = :AnBase AND CoCgcCeiEstabelecimento = :Inscricao",
                            "AND NuPrefixoEstabelecimento = :Prefixo"});
        q.Parametro("AnBase", estab["AnBase"]);
        q.Parametro("Inscricao", estab["CoCgcCeiEstabelecimento"]);
        q.Parametro("Prefixo", estab["NuPrefixoEstabelecimento"]);
        q.Abre();
        return q.Inteiro("n");
    } catch (const ErroBanco&) {
        return 0;  // a count that cannot be read only shortens the progress bar
    }
}

Etapa Gravador::ProximoEstabelecimento(Tabela& estabs, size_t& indice, bool& fim) {
    fim = false;
    if (!p_.selecao) {
        if (indice++ == 0) estabs.Primeiro();
        else estabs.Proximo();
        fim = estabs.Fim();
        if (!fim) LeRegistro(estabs, estab_);
        return Etapa::Ok;
    }
    const auto& lista = *p_.selecao;
    while (indice < lista.size() && !lista[indice].marcado) ++indice;
    if (indice >= lista.size()) {
        fim = true;
        return Etapa::Ok;
    }
    const ItemSelecao& it = lista[indice++];
    if (!estabs.BuscaChave({it.anBase, it.inscricao, it.prefixo})) {
        ui_.Mostra(TipoDialogo::Erro, "Erro na leitura dos dados para gravação do arquivo \"Zovi2005\"!");
        return Etapa::Falha;
    }
    LeRegistro(estabs, estab_);
    return Etapa::Ok;
}

long Gravador::MaximoProgresso(Tabela& estabs) {
    long maximo = 0;
    auto conta = [&] { maximo += 1 + (estab_["InZoviNegEstabelecimento"] == "0" ? ContaEmpregados(estab_) : 0); };
    if (p_.selecao) {
        for (const auto& it : *p_.selecao)
            if (it.marcado && estabs.BuscaChave({it.anBase, it.inscricao, it.prefixo})) {
                LeRegistro(estabs, estab_);
                conta();
            }
        return maximo;
    }
    for (estabs.Primeiro(); !estabs.Fim(); estabs.Proximo()) {
        LeRegistro(estabs, estab_);
        conta();
    }
    return maximo;
}

void Gravador::PreparaItensFixos() {
    const bool r = p_.retificacao, w = p_.trabalho;
    const std::string& g = p_.dataGeracao;
    std::string daRet, daGer;
    if (!r && !w) {
        daRet = "00000000";
        daGer = g;
    } else if (!r && w) {
        daRet = declarante_["DaRetificacao"];
        daGer = declarante_["DaGeracao"];
    } else if (r && !w) {
        daRet = g.empty() ? "00000000" : g;
        daGer = g;
    } else {
        daRet = EmBranco(declarante_["DaRetificacao"]) ? g : declarante_["DaRetificacao"];
        daGer = EmBranco(declarante_["DaGeracao"]) ? g : declarante_["DaGeracao"];
    }
    itens_[iRetificacao] = r ? "1" : "2";
    itens_[iDataRetificacao] = daRet;
    itens_[iDataGeracao] = daGer;
    const std::string versao = kVersaoPrograma;
    itens_[iEstatistica] = std::string("99") + versao[3] + versao[5] + "1" + (w ? "2" : "1");
    itens_[iSelo] = std::string(kTamanhoSelo, ' ');
}

// --- the dialogue -------------------------------------------------------------

Etapa Gravador::Sonda() {
    if (ui_.InterrupcaoPedida() && ConfirmaInterrupcao(ui_)) return Etapa::Interrompida;
    return Etapa::Ok;
}

Etapa Gravador::VerificaPresenca() {
    const std::string texto = std::string("Disquete com problema ou não há disquete no drive ") + letra_ + ":";
    while (!UnidadePresente(letra_)) {
        if (Etapa e = EsperaUsuario(texto); e != Etapa::Ok) return e;
    }
    return Etapa::Ok;
}

Etapa Gravador::EsperaUsuario(const std::string& texto) {
    const Resposta r = ui_.MostraOkCancela(TipoDialogo::Informacao, texto);
    if (r == Resposta::Aborta || (r == Resposta::Cancela && ConfirmaInterrupcao(ui_))) return Etapa::Interrompida;
    return Etapa::Ok;
}

// The sealed file on the medium, then under its name.
bool ColocaNoLugar(const fs::path& temporario, const std::optional<fs::path>& final) {
    int fd = ::open(temporario.c_str(), O_RDONLY | O_CLOEXEC);
    bool ok = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    std::error_code ec;
    if (ok && final) fs::rename(temporario, *final, ec);
    return ok && final && !ec;
}

// What tells one diskette in the drive from another between two prompts: where the drive
// is, and the names, sizes and times of the files in its root.
std::string EstadoRaiz(char letra, const std::vector<EntradaRaiz>& raiz) {
    auto unidade = LocalizaUnidade(letra);
    std::string estado = unidade ? unidade->pasta.string() : std::string();
    for (const auto& e : raiz) {
        estado += "\n" + e.nome;
        std::error_code ec;
        auto p = unidade ? unidade->pasta / e.nome : fs::path(e.nome);
        if (e.pasta) continue;
        estado += " " + std::to_string(fs::file_size(p, ec)) + " " +
                  std::to_string(fs::last_write_time(p, ec).time_since_epoch().count());
    }
    return estado;
}

bool SoOArquivoDaDeclaracao(const EntradaRaiz& e) {
    std::string nome = e.nome;
    while (!nome.empty() && nome.back() == '.') nome.pop_back();
    return !e.pasta && MesmoNome(nome, kNomeArquivo);
}

bool Gravador::JaGravado() const {
    auto caminho = CaminhoUnidade(std::string(1, letra_) + ":\\" + kNomeArquivo);
    std::ifstream f(caminho.value_or(""), std::ios::binary);
    std::string selo(kTamanhoSelo, '\0');
    if (!f.seekg(-kDistanciaSeloFim, std::ios::end) || !f.read(selo.data(), kTamanhoSelo)) return false;
    return std::find(selosGravados_.begin(), selosGravados_.end(), selo) != selosGravados_.end();
}

Etapa Gravador::AbreDisquete() {
    if (Etapa e = Sonda(); e != Etapa::Ok) return e;
    if (disquete_ > 0) {
        if (Etapa e = GravaTipo9(); e != Etapa::Ok) return e;
        if (Etapa e = FechaESela(); e != Etapa::Ok) return e;
    }
    qtPrefixo_ = 0;
    ++disquete_;
    if (p_.pasta) return AbreArquivoPasta();
    bool pedeDisquete = disquete_ > 1;
    std::string estadoAnterior;
    int repeticoes = 0;
    for (;; pedeDisquete = true) {
        if (pedeDisquete) {
            const std::string texto =
                "Insira o disquete # " + std::to_string(disquete_) + "\nno drive " + letra_ + ":";
            if (Etapa e = EsperaUsuario(texto); e != Etapa::Ok) return e;
        }
        if (Etapa e = VerificaPresenca(); e != Etapa::Ok) return e;

        // What a run cut short left on this diskette is never a declaration.
        ApagaArquivoUnidade(ArquivoTemporario());
        auto raiz = ListaRaiz(letra_);
        if (!raiz) continue;
        // Every answer gets this far again; a diskette still the same after a few refusals
        // will not change by asking once more (as when nobody is there to change it).
        auto estado = EstadoRaiz(letra_, *raiz);
        repeticoes = estado == estadoAnterior ? repeticoes + 1 : 0;
        estadoAnterior = estado;
        if (repeticoes >= kRecusasMesmoDisquete) {
            ui_.Mostra(TipoDialogo::Erro, std::string("O disquete no drive ") + letra_ +
                                              ": continua o mesmo depois de recusado. Gravação interrompida.");
            return Etapa::Interrompida;
        }
        if (raiz->size() >= 2 || (raiz->size() == 1 && !SoOArquivoDaDeclaracao(raiz->front()))) {
            ui_.Mostra(TipoDialogo::Informacao, "O disco a ser gravado não pode conter arquivos.");
            continue;
        }
        // The diskette just written, still in the drive, is not the next one.
        if (raiz->size() == 1 && JaGravado()) {
            ui_.Mostra(TipoDialogo::Informacao, "Este disquete já foi gravado nesta gravação.");
            continue;
        }
        if (raiz->size() == 1) {
            const std::string pergunta = std::string("Existe um arquivo de nome \"Zovi2005.\" no disquete montado no drive ") +
                                         letra_ + " .\nAutoriza gravar sobre?";
            if (ui_.Mostra(TipoDialogo::Confirmacao, pergunta) != Resposta::Sim) continue;
            if (!ApagaArquivoUnidade(Arquivo())) {
                ui_.Mostra(TipoDialogo::Informacao, "O arquivo \"Zovi2005.\" não pode ser excluido.");
                continue;
            }
        }
        auto total = TamanhoTotal(letra_);
        if (!total || static_cast<long long>(*total) < kCapacidadeMinima) {
            ui_.Mostra(TipoDialogo::Informacao,
                       "Espaço disponível para gravação abaixo do mínimo aceitável.\nSubstitua o disquete.");
            continue;
        }
        capacidade_ = static_cast<long long>(*total);
        if (!arquivo_.Cria(ArquivoTemporario())) {
            ui_.Mostra(TipoDialogo::Informacao, "Disco com problema ou não há disco na unidade.");
            continue;
        }
        return ComecaArquivo();
    }
}

// A path (UTF-8, as the system names files) inside a message of the core.
std::string NoTexto(const fs::path& caminho) { return Utf8ParaCp1252(caminho.string(), '?'); }

// The declaration files in a folder: its own "Zovi2005" and those of its subfolders "disquete-N".
std::vector<fs::path> ArquivosDeclaracaoNaPasta(const fs::path& pasta) {
    std::vector<fs::path> achados;
    std::error_code ec;
    auto procura = [&](const fs::path& dentro) {
        for (const auto& e : fs::directory_iterator(dentro, ec))
            if (SoOArquivoDaDeclaracao({e.path().filename().string(), e.is_directory(ec)})) achados.push_back(e.path());
    };
    procura(pasta);
    for (const auto& e : fs::directory_iterator(pasta, ec)) {
        const std::string nome = e.path().filename().string();
        const std::string prefixo = "disquete-";
        if (e.is_directory(ec) && nome.size() > prefixo.size() && nome.compare(0, prefixo.size(), prefixo) == 0 &&
            nome.find_first_not_of("0123456789", prefixo.size()) == std::string::npos)
            procura(e.path());
    }
    std::sort(achados.begin(), achados.end());
    return achados;
}

// "Existe um arquivo de nome "Zovi2005" na pasta P (e em disquete-2).\nAutoriza gravar sobre?"
std::string PerguntaSubstituir(const fs::path& pasta, const std::vector<fs::path>& arquivos) {
    bool naPasta = false;
    std::string subpastas;
    for (const auto& a : arquivos) {
        if (a.parent_path() == pasta) {
            naPasta = true;
            continue;
        }
        subpastas += (subpastas.empty() ? "" : ", ") + a.parent_path().filename().string();
    }
    std::string onde = naPasta ? "na pasta " + NoTexto(pasta) : "em " + subpastas + " da pasta " + NoTexto(pasta);
    if (naPasta && !subpastas.empty()) onde += " (e em " + subpastas + ")";
    return "Existe um arquivo de nome \"Zovi2005\" " + onde + ".\nAutoriza gravar sobre?";
}

Etapa Gravador::LiberaPasta() {
    const auto anteriores = ArquivosDeclaracaoNaPasta(*p_.pasta);
    if (anteriores.empty()) return Etapa::Ok;
    // No other medium to offer: a No leaves the folder as it was and ends the run.
    if (ui_.Mostra(TipoDialogo::Confirmacao, PerguntaSubstituir(*p_.pasta, anteriores)) != Resposta::Sim)
        return Etapa::Interrompida;
    // The new declaration may take fewer files: no part of the earlier one may stay beside it.
    for (const auto& a : anteriores) {
        std::error_code ec;
        if (!fs::remove(a, ec) && ec) {
            errno = ec.value();
            return FalhaSistema(a.string());
        }
    }
    return Etapa::Ok;
}

Etapa Gravador::FalhaSistema(const std::string& arquivo) {
    const int erro = errno;
    motivo_ = "Não foi possível gravar " + NoTexto(arquivo) + ": " + MotivoSistema(erro) + ".";
    return Etapa::Falha;
}

Etapa Gravador::AbreArquivoPasta() {
    const auto pasta = PastaDoArquivo();
    std::error_code ec;
    fs::create_directories(pasta, ec);
    if (ec) {
        errno = ec.value();
        return FalhaSistema(pasta.string());
    }
    if (disquete_ == 1)
        if (Etapa e = LiberaPasta(); e != Etapa::Ok) return e;
    capacidade_ = kSemLimite;
    if (!arquivo_.Cria(ArquivoTemporario())) return FalhaSistema(Arquivo());
    return ComecaArquivo();
}

Etapa Gravador::ComecaArquivo() {
    arquivoIncompleto_ = true;
    if (Etapa e = GravaTipo0(); e != Etapa::Ok) return e;
    qtTipo1_ = qtTipo2_ = 0;
    usados_ = 0;
    return Sonda();
}

// Closes the file, stores its seal in place of the trailer's 32 blanks, gives it its name
// and only then stores its receipt rows.
Etapa Gravador::FechaESela() {
    if (!arquivo_.Fecha()) return FalhaSistema(Arquivo());
    if (Etapa e = Sonda(); e != Etapa::Ok) return e;
    auto caminho = CaminhoUnidade(ArquivoTemporario());
    char path[ZOVI2005_CAMINHO] = {};
    char selo[ZOVI2005_SELO] = {};
    if (!caminho || caminho->string().size() >= sizeof path) return Etapa::Falha;
    std::memcpy(path, caminho->c_str(), caminho->string().size());
    hashFileGenerate(path, selo);
    std::fstream f(*caminho, std::ios::in | std::ios::out | std::ios::binary);
    if (std::strlen(selo) != kTamanhoSelo || !f.seekp(-kDistanciaSeloFim, std::ios::end) ||
        !f.write(selo, kTamanhoSelo) || !f.flush())
        return FalhaSistema(Arquivo());
    f.close();
    if (f.fail() || !ColocaNoLugar(*caminho, CaminhoUnidade(Arquivo()))) return FalhaSistema(Arquivo());
    arquivoIncompleto_ = false;
    selosGravados_.emplace_back(selo, kTamanhoSelo);
    GravaRecibo();
    return Sonda();
}

// --- records ------------------------------------------------------------------

Etapa Gravador::GravaLinha(char* registro) {
    if (Etapa e = Sonda(); e != Etapa::Ok) return e;
    registro[kTamanhoRegistro] = '\r';
    registro[kTamanhoRegistro + 1] = '\n';
    if (!arquivo_.Escreve(registro, kTamanhoLinha)) return FalhaSistema(Arquivo());
    return Sonda();
}

Etapa Gravador::GravaTipo0() {
    // The header names the establishment written first into this file.
    itens_[iInscricao] = fFormataCampo(estab_["CoCgcCeiEstabelecimento"], 14);
    itens_[iPrefixo] = fFormataCampo(estab_["NuPrefixoEstabelecimento"], 2);
    char hora[8];
    std::time_t agora = std::time(nullptr);
    std::tm local{};
    localtime_r(&agora, &local);
    std::strftime(hora, sizeof hora, "%H%M%S", &local);
    itens_[iHoraGravacao] = hora;
    plano0_->Monta(registro_, declarante_.valores, itens_);
    if (Etapa e = GravaLinha(registro_); e != Etapa::Ok) return e;
    sequencia_ = 2;
    return Etapa::Ok;
}

void Gravador::GuardaContagemEstabelecimento() {
    if (!proEsPendente_) return;
    proEsPendente_->textos.emplace_back("NuVinculosEstabelecimento", std::to_string(qtVincEstab_));
    proEsDoArquivo_.push_back(std::move(*proEsPendente_));
    proEsPendente_.reset();
}

Etapa Gravador::GravaTipo1() {
    GuardaContagemEstabelecimento();
    qtVincEstab_ = 0;
    itens_[iInscricao] = fFormataCampo(estab_["CoCgcCeiEstabelecimento"], 14);
    itens_[iPrefixo] = fFormataCampo(estab_["NuPrefixoEstabelecimento"], 2);
    itens_[iSequencial] = Zeros(sequencia_, 6);
    plano1_->Monta(registro_, estab_.valores, itens_);
    if (Etapa e = GravaLinha(registro_); e != Etapa::Ok) return e;

    if (disquete_ != ultimoDisqueteProId_) {
        LinhaRecibo id;
        id.textos.emplace_back("NuDisquete", std::to_string(disquete_));
        for (const char* c : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "InInscrEstabelecimento",
                              "NoRazaoEstabelecimento", "EdEstabelecimento", "NuEnderecoEstabelecimento",
                              "TxComplemEstabelecimento", "NoBairroEstabelecimento", "CoCepEstabelecimento",
                              "CoMunicipio", "NoMunicEstabelecimento", "SgUf", "NuDDD", "NuTelefone",
                              "InEncerramentoAtividade", "DaEncerramentoAtividade"})
            id.textos.emplace_back(c, estab_[c]);
        id.textos.emplace_back("TxEMailEstabelecimento", estab_["TxEmailEstabelecimento"]);
        for (const char* c : {"CoCgcCeiResponsavel", "InInscrResponsavel", "NoResponsavelArquivo",
                              "EdLogradouroRespArquivo", "NuLogradouroRespArquivo", "TxComplementoRespArquivo",
                              "NoBairroRespArquivo", "CoCepRespArquivo", "CoMunicipioRespArquivo",
                              "NoMunicipioRespArquivo", "SgUfRespArquivo", "NuFoneDDD", "NuFoneAssinante",
                              "TxEMailRespArquivo"})
            id.textos.emplace_back(c, declarante_[c]);
        id.textos.emplace_back("DaGeracao", p_.dataGeracao);
        id.textos.emplace_back("HoSenha", p_.hora);
        id.logicos.emplace_back("InReciboParaRespArquivo", declarante_["InReciboParaRespArquivo"] == "1");
        id.logicos.emplace_back("InRetificacao", p_.retificacao);
        proIdPendente_ = std::move(id);
        ultimoDisqueteProId_ = disquete_;
    }
    LinhaRecibo es;
    es.textos.emplace_back("NuDisquete", std::to_string(disquete_));
    for (const char* c : {"CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoCgcVinculado",
                          "InInscrEstabelecimento", "NoRazaoEstabelecimento", "DaEncerramentoAtividade"})
        es.textos.emplace_back(c, estab_[c]);
    proEsPendente_ = std::move(es);

    if (estab_["NuPrefixoEstabelecimento"] != "00") ++qtPrefixo_;
    ++qtTipo1_;
    ++sequencia_;
    usados_ += kTamanhoLinha;
    return Etapa::Ok;
}

Etapa Gravador::GravaTipo2() {
    itens_[iSequencial] = Zeros(sequencia_, 6);
    plano2_->Monta(registro_, vinc_.valores, itens_);
    if (Etapa e = GravaLinha(registro_); e != Etapa::Ok) return e;
    ++qtTipo2_;
    ++qtVincEstab_;
    ++sequencia_;
    usados_ += kTamanhoLinha;
    return Etapa::Ok;
}

Etapa Gravador::GravaTipo9() {
    itens_[iSequencial] = Zeros(sequencia_, 6);
    itens_[iQtTipo1] = Zeros(qtTipo1_, 6);
    itens_[iQtTipo2] = Zeros(qtTipo2_, 6);
    itens_[iQtPrefixo] = Zeros(qtPrefixo_, 6);
    plano9_->Monta(registro_, declarante_.valores, itens_);
    if (Etapa e = GravaLinha(registro_); e != Etapa::Ok) return e;
    GuardaContagemEstabelecimento();
    if (proIdPendente_) {
        proIdPendente_->textos.emplace_back("NuEstabelecimentos", std::to_string(qtTipo1_));
        proIdPendente_->textos.emplace_back("NuVinculos", std::to_string(qtTipo2_));
    }
    qtPrefixo_ = 0;
    qtVincEstab_ = 0;
    return Etapa::Ok;
}

void Gravador::Avanca() { ui_.Progresso(++progresso_, maximo_); }

// --- the run --------------------------------------------------------------------

Etapa Gravador::GravaEmpregados() {
    Consulta q(banco_, {"SELECT * FROM " + TabelaVinc(),
                        "WHERE AnBase = :AnBase AND CoCgcCeiEstabelecimento = :Inscricao",
                        "AND NuPrefixoEstabelecimento = :Prefixo",
                        "ORDER BY AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado,",
                        "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro"});
    q.Parametro("AnBase", estab_["AnBase"]);
    q.Parametro("Inscricao", estab_["CoCgcCeiEstabelecimento"]);
    q.Parametro("Prefixo", estab_["NuPrefixoEstabelecimento"]);
    // Rows are read in place and copied once, into strings kept from one row to the next.
    q.AbreSequencial();
    if (!plano2_) {
        std::vector<std::string> nomes;
        for (int i = 0; i < q.NumCampos(); ++i) nomes.push_back(q.NomeCampo(i));
        vinc_.DefineColunas(nomes);
        plano2_.emplace('2', vinc_);
    }
    const int n = static_cast<int>(vinc_.valores.size());
    std::vector<std::string_view> linha;
    for (; !q.Fim(); q.Proximo()) {
        if (Etapa e = Sonda(); e != Etapa::Ok) return e;
        if (SemEspaco(kReserva, 2)) {
            if (Etapa e = AbreDisquete(); e != Etapa::Ok) return e;
            if (Etapa e = GravaTipo1(); e != Etapa::Ok) return e;
        }
        q.Vistas(linha);
        for (int i = 0; i < n; ++i) vinc_.valores[i] = linha[i];
        if (Etapa e = GravaTipo2(); e != Etapa::Ok) return e;
        Avanca();
    }
    return Etapa::Ok;
}

Etapa Gravador::GravaEstabelecimento() {
    const bool comEmpregados = estab_["InZoviNegEstabelecimento"] == "0";
    if (SemEspaco(kReserva, 2) || (comEmpregados && SemEspaco(kReservaComEmpregados, 3))) {
        if (Etapa e = AbreDisquete(); e != Etapa::Ok) return e;
    }
    if (Etapa e = GravaTipo1(); e != Etapa::Ok) return e;
    Avanca();
    return comEmpregados ? GravaEmpregados() : Etapa::Ok;
}

int Gravador::Executa() {
    ui_.Progresso(0, 0);
    if (!CriaTabelasRecibo()) return kFalhaGravacao;

    Etapa resultado = Etapa::Ok;
    {
        Tabela estabs(banco_, TabelaEmp());
        estabs.Abre();
        if (!LeDeclarante()) {
            ui_.Mostra(TipoDialogo::Erro, "Erro na leitura dos dados para gravação do arquivo \"Zovi2005\"!");
            resultado = Etapa::Falha;
        }
        if (resultado == Etapa::Ok) {
            PreparaItensFixos();
            plano0_.emplace('0', declarante_);
            plano9_.emplace('9', declarante_);
            maximo_ = MaximoProgresso(estabs);
            ui_.Progresso(0, maximo_);
            if (!p_.pasta) resultado = VerificaPresenca();
        }
        if (resultado == Etapa::Ok) {
            auto total = p_.pasta ? std::optional<std::uint64_t>(kSemLimite) : TamanhoTotal(letra_);
            capacidade_ = total ? static_cast<long long>(*total) : 0;
            usados_ = capacidade_ - kReserva;  // opens the first diskette
            size_t indice = 0;
            bool fim = false, algum = false;
            while (resultado == Etapa::Ok) {
                resultado = ProximoEstabelecimento(estabs, indice, fim);
                if (resultado != Etapa::Ok || fim) break;
                if (!plano1_) plano1_.emplace('1', estab_);
                algum = true;
                resultado = GravaEstabelecimento();
            }
            if (resultado == Etapa::Ok && !algum) {
                ui_.Mostra(TipoDialogo::Erro, "Erro na leitura dos dados para gravação do arquivo \"Zovi2005\"!");
                resultado = Etapa::Falha;
            }
            if (resultado == Etapa::Ok) resultado = GravaTipo9();
        }
    }
    if (arquivo_.Aberto()) {
        if (resultado == Etapa::Ok) {
            resultado = FechaESela();
        } else {
            arquivo_.Fecha();
        }
    }
    if (resultado == Etapa::Ok) return kGravado;
    ApagaTabelasRecibo();
    if (arquivoIncompleto_) ApagaArquivoUnidade(ArquivoTemporario());
    return resultado == Etapa::Interrompida ? kGravacaoInterrompida : kFalhaGravacao;
}

}  // namespace

std::string fCriticaDataDigitada(const std::string& data) {
    const std::string codigo = fCriticaDataGeracao(data);
    // A date typed in part, or not in digits, is no date at all.
    return codigo == kCurtoOuVazio || codigo == kNaoNumerico || codigo == kLongo ? "0421" : codigo;
}

std::string MensagemFalhaGravacao(const ParametrosGravacao& parametros, const std::string& motivo) {
    std::string texto = "Ocorreu um erro durante a gravação do arquivo \"ZOVI2005\".";
    if (!parametros.pasta) return texto + "\nSubstitua o disquete e tente novamente.";
    return motivo.empty() ? texto : texto + "\n" + motivo;
}

int fGravaDeclaracao(Banco& banco, const ParametrosGravacao& parametros, Interacao& interacao, std::string* motivo) {
    Gravador gravador(banco, parametros, interacao);
    const int resultado = gravador.Executa();
    if (motivo) *motivo = resultado == kFalhaGravacao ? gravador.Motivo() : std::string();
    return resultado;
}

}  // namespace zovi
