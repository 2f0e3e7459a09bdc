#include "engine/Banco.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "engine/TravaPastaDados.h"

namespace zovi {

namespace fs = std::filesystem;

std::string Aspas(const std::string& identificador) {
    std::string r = "\"";
    for (char c : identificador) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

namespace {

constexpr const char* kMetaCampos = "zovi_campos";
constexpr const char* kPrefixoIndice = "i_";

// The session's main database: an empty file beside the tables. With it SQLite keeps the
// super-journal of a transaction over several table files in the data folder itself, so
// that the journals of a commit cut short are found and rolled back whatever happens to
// the temporary folder. The session holds an flock() on it for its whole life; a session
// file nobody holds is the leftover of a process that was killed.
const std::string kPrefixoSessao = ".gdzovi-sessao-";
const std::string kPrefixoSessaoNova = ".gdzovi-nova-";

// Creates and locks the session file in pasta; its descriptor, or -1. The file is made under
// another name and takes its session name only once locked, so no other process ever sees
// a session file that is alive but not yet locked.
int CriaSessao(const fs::path& pasta, fs::path& caminho) {
    std::string modelo = (pasta / (kPrefixoSessaoNova + "XXXXXX")).string();
    int fd = ::mkostemp(modelo.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    auto sessao = pasta / (kPrefixoSessao + modelo.substr(modelo.size() - 6));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::rename(modelo.c_str(), sessao.c_str()) != 0) {
        ::close(fd);
        ::unlink(modelo.c_str());
        return -1;
    }
    caminho = sessao;
    return fd;
}

bool ComecaCom(const std::string& texto, const std::string& prefixo) { return texto.rfind(prefixo, 0) == 0; }

// Rolls back every table journal of the folder that a killed commit left hot. Reading a
// table is enough: SQLite rolls back a hot journal before the first read. False when a
// table could not be read (held by another process, say).
bool DesfazDiariosPendentes(const fs::path& pasta) {
    bool ok = true;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(pasta, ec)) {
        auto nome = NomeMaiusculo(e.path().filename().string());
        if (nome.size() <= 11 || nome.compare(nome.size() - 11, 11, ".DB-JOURNAL") != 0) continue;
        auto tabela = e.path().string();
        tabela.resize(tabela.size() - 8);
        sqlite3* con = nullptr;
        int rc = sqlite3_open_v2(tabela.c_str(), &con, SQLITE_OPEN_READWRITE, nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_busy_timeout(con, 2000);
            rc = sqlite3_exec(con, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        }
        sqlite3_close(con);
        ok = ok && rc == SQLITE_OK;
    }
    return ok;
}

// Removes the session files of killed processes. The super-journal of a commit cut short
// goes only after the table journals it names were rolled back: without it SQLite would
// take those journals for a finished commit and keep half-written tables.
void LimpaSessoesAbandonadas(const fs::path& pasta) {
    std::error_code ec;
    std::vector<fs::path> sessoes, novas;
    for (const auto& e : fs::directory_iterator(pasta, ec)) {
        auto nome = e.path().filename().string();
        if (ComecaCom(nome, kPrefixoSessao) && nome.size() == kPrefixoSessao.size() + 6) sessoes.push_back(e.path());
        if (ComecaCom(nome, kPrefixoSessaoNova)) novas.push_back(e.path());
    }
    for (const auto& sessao : sessoes) {
        int fd = ::open(sessao.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {  // a live session
            ::close(fd);
            continue;
        }
        std::vector<fs::path> restos;
        bool superDiario = false;
        for (const auto& e : fs::directory_iterator(pasta, ec)) {
            auto nome = e.path().filename().string();
            if (!ComecaCom(nome, sessao.filename().string() + "-")) continue;
            restos.push_back(e.path());
            superDiario = superDiario || ComecaCom(nome, sessao.filename().string() + "-mj");
        }
        if (!superDiario || DesfazDiariosPendentes(pasta)) {
            for (const auto& r : restos) fs::remove(r, ec);
            fs::remove(sessao, ec);
        }
        ::close(fd);
    }
    // A process killed between creating its file and naming it: nobody ever used the file.
    for (const auto& nova : novas) {
        int fd = ::open(nova.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) fs::remove(nova, ec);
        ::close(fd);
    }
}

std::string ParametroCaminho(const std::vector<std::string>& parametros) {
    for (const auto& p : parametros) {
        auto igual = p.find('=');
        if (igual != std::string::npos && MesmoNome(p.substr(0, igual), "PATH")) return p.substr(igual + 1);
    }
    return {};
}

}  // namespace

Banco::Banco() = default;

Banco::~Banco() {
    try {
        Fecha();
    } catch (...) {
    }
}

void Banco::Abre(const std::string& nome, const std::vector<std::string>& parametros) {
    Fecha();
    auto caminho = ParametroCaminho(parametros);
    if (caminho.empty()) throw ErroBanco("Parâmetro path= ausente na abertura do banco " + nome);
    if (!fs::is_directory(caminho))
        throw ErroMotor(codigo_motor::TabelaNaoEncontrada, "Pasta de dados inexistente: " + caminho);

    auto pasta = fs::absolute(caminho);
    // A folder where nothing can be written takes no commit either: its session may live
    // in the temporary folder.
    fdSessao_ = CriaSessao(pasta, sessao_);
    if (fdSessao_ < 0) fdSessao_ = CriaSessao(fs::temp_directory_path(), sessao_);
    if (fdSessao_ < 0) throw ErroMotor(codigo_motor::ErroEntradaSaida, "Arquivo da sessão em " + pasta.string());
    LimpaSessoesAbandonadas(pasta);

    sqlite3* con = nullptr;
    // One connection per Banco, used by one thread: no mutex around every call.
    int rc = sqlite3_open_v2(sessao_.c_str(), &con, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(con);
        FechaSessao();
        throw ErroMotor(codigo_motor::ErroEntradaSaida, "Sessão do banco de dados");
    }
    con_ = con;
    sqlite3_extended_result_codes(con_, 1);
    // Double-quoted words are identifiers only: string constants are rewritten by Consulta.
    sqlite3_db_config(con_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(con_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_busy_timeout(con_, 2000);
    nome_ = nome;
    pasta_ = pasta;
}

void Banco::FechaSessao() {
    if (fdSessao_ < 0) return;
    std::error_code ec;
    fs::remove(sessao_, ec);
    fs::remove(sessao_.string() + "-journal", ec);
    ::close(fdSessao_);
    fdSessao_ = -1;
}

void Banco::Fecha() {
    if (!con_) return;
    for (auto* o : std::vector<OuvinteAnexo*>(ouvintes_))
        for (auto& [tabela, a] : anexos_) o->AoDesanexar(tabela);
    for (auto& [tabela, mapa] : comandos_)
        for (auto& [sql, st] : mapa) sqlite3_finalize(st);
    comandos_.clear();
    if (EmTransacao()) sqlite3_exec(con_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(con_);
    con_ = nullptr;
    anexos_.clear();
    for (auto& [nome, cont] : travas_) {
        auto arq = ArquivoTabela(nome);
        for (int i = 0; arq && i < cont.first; ++i) SoltaTravaArquivo(*arq, false);
        for (int i = 0; arq && i < cont.second; ++i) SoltaTravaArquivo(*arq, true);
    }
    travas_.clear();
    abertas_.clear();
    FechaSessao();
}

void Banco::AbreSeNecessario() const {
    if (!con_) throw ErroBanco("Banco de dados não está aberto");
}

sqlite3* Banco::Conexao() {
    AbreSeNecessario();
    return con_;
}

std::string Banco::NomeTabela(const std::string& nomeOuArquivo) {
    std::string n = nomeOuArquivo;
    auto barra = n.find_last_of("/\\");
    if (barra != std::string::npos) n = n.substr(barra + 1);
    auto m = NomeMaiusculo(n);
    if (m.size() > 3 && m.compare(m.size() - 3, 3, ".DB") == 0) m.resize(m.size() - 3);
    else if (!m.empty() && m.back() == '.') m.pop_back();
    return m;
}

std::optional<fs::path> Banco::ArquivoTabela(const std::string& nome) const {
    AbreSeNecessario();
    auto procurado = NomeTabela(nome) + ".DB";
    auto exato = pasta_ / procurado;
    std::error_code ec;
    if (fs::is_regular_file(exato, ec)) return exato;
    for (const auto& e : fs::directory_iterator(pasta_, ec)) {
        if (e.is_regular_file(ec) && NomeMaiusculo(e.path().filename().string()) == procurado) return e.path();
    }
    return std::nullopt;
}

void Banco::Falha(int rc, const std::string& contexto) const {
    using namespace codigo_motor;
    std::uint16_t codigo = ErroSql;
    std::string detalhe = con_ ? sqlite3_errmsg(con_) : "";
    switch (rc & 0xff) {
        case SQLITE_CONSTRAINT:
            if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY) codigo = ViolacaoChave;
            else if (rc == SQLITE_CONSTRAINT_NOTNULL || detalhe.find("obrigatorio_") != std::string::npos)
                codigo = ValorObrigatorio;
            else codigo = ValorForaLargura;
            break;
        case SQLITE_BUSY:
        case SQLITE_LOCKED: codigo = TabelaOcupada; break;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB: codigo = ArquivoCorrompido; break;
        case SQLITE_IOERR:
        case SQLITE_CANTOPEN:
        case SQLITE_FULL:
        case SQLITE_READONLY:
        case SQLITE_PERM: codigo = ErroEntradaSaida; break;
        default: break;
    }
    std::vector<EntradaErro> pilha;
    pilha.push_back({codigo, ErroMotor::TextoCodigo(codigo) + (contexto.empty() ? "" : " " + contexto)});
    if (!detalhe.empty() && detalhe != "not an error") pilha.push_back({codigo, detalhe});
    throw ErroMotor(std::move(pilha));
}

void Banco::ExecutaDireto(const std::string& sql) {
    char* erro = nullptr;
    int rc = sqlite3_exec(Conexao(), sql.c_str(), nullptr, nullptr, &erro);
    sqlite3_free(erro);
    if (rc != SQLITE_OK) Falha(sqlite3_extended_errcode(con_));
}

// --- attachment ----------------------------------------------------------

namespace {

bool MesmoArquivo(const std::string& caminho, std::uint64_t dispositivo, std::uint64_t inode) {
    struct stat st {};
    return ::stat(caminho.c_str(), &st) == 0 && st.st_dev == dispositivo && st.st_ino == inode;
}

}  // namespace

std::string Banco::Fixa(const std::string& nome, bool confereArquivo) {
    AbreSeNecessario();
    auto canon = NomeTabela(nome);
    auto it = anexos_.find(canon);
    if (it != anexos_.end() && confereArquivo && it->second.fixacoes == 0 &&
        !MesmoArquivo(it->second.caminho, it->second.dispositivo, it->second.inode)) {
        Desanexa(canon);
        it = anexos_.end();
    }
    if (it != anexos_.end()) {
        it->second.fixacoes++;
        it->second.uso = ++relogio_;
        return canon;
    }
    auto arquivo = ArquivoTabela(canon);
    if (!arquivo) throw ErroMotor(codigo_motor::TabelaNaoEncontrada, canon + ".DB em " + pasta_.string());

    int limite = sqlite3_limit(con_, SQLITE_LIMIT_ATTACHED, -1);
    while (static_cast<int>(anexos_.size()) >= limite) {
        std::string candidato;
        std::uint64_t menor = UINT64_MAX;
        for (auto& [n, a] : anexos_)
            if (a.fixacoes == 0 && a.uso < menor) { menor = a.uso; candidato = n; }
        if (candidato.empty())
            throw ErroMotor(codigo_motor::RequisicaoInvalida, "Tabelas demais em uso ao mesmo tempo.");
        Desanexa(candidato);
    }

    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(con_, "ATTACH DATABASE ?1 AS ?2", -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_bind_text(st, 1, arquivo->c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, canon.c_str(), -1, SQLITE_TRANSIENT);
        rc = sqlite3_step(st);
        rc = rc == SQLITE_DONE ? SQLITE_OK : sqlite3_extended_errcode(con_);
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_OK) Falha(rc, "Tabela: " + canon + ".DB");
    struct stat identidade {};
    ::stat(arquivo->c_str(), &identidade);
    anexos_[canon] = Anexo{arquivo->string(), 1, ++relogio_, static_cast<std::uint64_t>(identidade.st_dev),
                           static_cast<std::uint64_t>(identidade.st_ino)};
    return canon;
}

void Banco::Solta(const std::string& nome) {
    auto it = anexos_.find(NomeTabela(nome));
    if (it != anexos_.end() && it->second.fixacoes > 0) it->second.fixacoes--;
}

void Banco::DescartaComandos(const std::string& tabela) {
    auto it = comandos_.find(tabela);
    if (it == comandos_.end()) return;
    for (auto& [sql, st] : it->second) sqlite3_finalize(st);
    comandos_.erase(it);
}

void Banco::Desanexa(const std::string& nome) {
    auto it = anexos_.find(nome);
    if (it == anexos_.end()) return;
    if (it->second.fixacoes > 0) throw ErroMotor(codigo_motor::TabelaEmUso, "Tabela: " + nome + ".DB");
    for (auto* o : std::vector<OuvinteAnexo*>(ouvintes_)) o->AoDesanexar(nome);
    DescartaComandos(nome);
    std::string sql = "DETACH DATABASE " + Aspas(nome);
    int rc = sqlite3_exec(con_, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Falha(sqlite3_extended_errcode(con_), "Tabela: " + nome + ".DB");
    anexos_.erase(it);
}

void Banco::LiberaArquivo(const std::string& nome) {
    if (con_) Desanexa(NomeTabela(nome));
}

sqlite3_stmt* Banco::Comando(const std::string& tabela, const std::string& sql) {
    auto& mapa = comandos_[NomeTabela(tabela)];
    auto it = mapa.find(sql);
    if (it != mapa.end()) return it->second;
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v3(con_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr);
    if (rc != SQLITE_OK) Falha(sqlite3_extended_errcode(con_), "Tabela: " + tabela + ".DB");
    mapa.emplace(sql, st);
    return st;
}

void Banco::AdicionaOuvinte(OuvinteAnexo* o) { ouvintes_.push_back(o); }

void Banco::RemoveOuvinte(OuvinteAnexo* o) {
    ouvintes_.erase(std::remove(ouvintes_.begin(), ouvintes_.end(), o), ouvintes_.end());
}

// --- consistent copy -------------------------------------------------------

namespace {

int ExecutaSql(sqlite3* con, const std::string& sql) {
    return sqlite3_exec(con, sql.c_str(), nullptr, nullptr, nullptr);
}

}  // namespace

std::vector<fs::path> Banco::CopiaInstantanea(const std::vector<std::string>& tabelas, const fs::path& pastaDestino) {
    AbreSeNecessario();
    if (EmTransacao()) throw ErroBanco("Cópia das tabelas dentro de uma transação");
    std::vector<std::string> esquemas;
    auto solta = [&] {
        for (const auto& e : esquemas) Solta(e);
    };
    std::vector<fs::path> copiados;
    try {
        for (const auto& t : tabelas) esquemas.push_back(Fixa(t, true));
        // Reading each schema takes its shared lock; once all are held no commit can touch
        // them. A commit under way may hold the next one while it waits for one held here:
        // wait for it only briefly, then let go of all so that it finishes, and try again.
        for (int tentativa = 0;; ++tentativa) {
            sqlite3_busy_timeout(con_, 100);
            ExecutaDireto("BEGIN");
            int rc = SQLITE_OK;
            std::string falhou;
            for (const auto& e : esquemas) {
                rc = ExecutaSql(con_, "SELECT count(*) FROM " + Aspas(e) + ".sqlite_master");
                if (rc != SQLITE_OK) {
                    rc = sqlite3_extended_errcode(con_);
                    falhou = e;
                    break;
                }
            }
            sqlite3_busy_timeout(con_, 2000);
            if (rc == SQLITE_OK) break;
            ExecutaSql(con_, "ROLLBACK");
            bool ocupado = (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
            if (!ocupado || tentativa >= 50) Falha(rc, "Tabela: " + falhou + ".DB");
            sqlite3_sleep(10);
        }
        // While the shared locks are held nobody writes to the files (a writer needs an
        // exclusive lock for that) and no journal of theirs is hot: the files as they are
        // now are the tables at this instant.
        for (const auto& e : esquemas) {
            auto origem = *ArquivoTabela(e);
            auto destino = pastaDestino / origem.filename();
            copiados.push_back(destino);
            std::error_code ec;
            fs::copy_file(origem, destino, fs::copy_options::overwrite_existing, ec);
            if (ec) throw ErroMotor(codigo_motor::ErroEntradaSaida, "Tabela: " + e + ".DB: " + ec.message());
        }
        ExecutaSql(con_, "ROLLBACK");
    } catch (...) {
        if (EmTransacao()) ExecutaSql(con_, "ROLLBACK");
        std::error_code ec;
        for (const auto& c : copiados) fs::remove(c, ec);
        solta();
        throw;
    }
    solta();
    return copiados;
}

// --- locks ---------------------------------------------------------------

void Banco::Trava(const std::string& nome, bool exclusivo) {
    auto canon = NomeTabela(nome);
    auto arquivo = ArquivoTabela(canon);
    if (!arquivo) throw ErroMotor(codigo_motor::TabelaNaoEncontrada, canon + ".DB em " + pasta_.string());
    ObtemTravaArquivo(*arquivo, "Tabela: " + canon + ".DB", exclusivo);
    auto& c = travas_[canon];
    (exclusivo ? c.second : c.first)++;
}

void Banco::Destrava(const std::string& nome, bool exclusivo) {
    auto canon = NomeTabela(nome);
    auto it = travas_.find(canon);
    if (it == travas_.end()) return;
    int& n = exclusivo ? it->second.second : it->second.first;
    if (n == 0) return;
    --n;
    if (auto arquivo = ArquivoTabela(canon)) SoltaTravaArquivo(*arquivo, exclusivo);
    if (it->second.first + it->second.second == 0) travas_.erase(it);
}

void Banco::RegistraAberta(const std::string& nome, int delta) {
    auto canon = NomeTabela(nome);
    if ((abertas_[canon] += delta) <= 0) abertas_.erase(canon);
}

// --- transactions --------------------------------------------------------

void Banco::IniciaTransacao() {
    if (EmTransacao()) throw ErroBanco("Já existe uma transação em andamento");
    ExecutaDireto("BEGIN");
}

void Banco::Confirma() { ExecutaDireto("COMMIT"); }

void Banco::Desfaz() {
    if (EmTransacao()) ExecutaDireto("ROLLBACK");
}

bool Banco::EmTransacao() const { return con_ && sqlite3_get_autocommit(con_) == 0; }

// --- definitions ---------------------------------------------------------

namespace {

std::string DdlCampo(const DefCampo& c) {
    auto q = Aspas(c.nome);
    if (c.tipo == TipoCampo::Logico) return q + " BOOLEAN" + (c.obrigatorio ? " NOT NULL" : "");
    std::string w = std::to_string(c.largura);
    std::string ddl = q + " VARCHAR(" + w + ") NOT NULL DEFAULT '' CONSTRAINT " + Aspas("largura_" + c.nome) +
                      " CHECK (length(CAST(" + q + " AS BLOB)) <= " + w + ")";
    if (c.obrigatorio) ddl += " CONSTRAINT " + Aspas("obrigatorio_" + c.nome) + " CHECK (" + q + " <> '')";
    return ddl;
}

std::string DdlIndice(const std::string& esquema, const std::string& tabela, const DefIndice& i) {
    auto sql = SqlCriaIndice(tabela, i);
    return sql.insert(sql.find(" INDEX ") + 7, Aspas(esquema) + ".");
}

}  // namespace

std::string SqlCriaTabela(const DefTabela& def) {
    std::string sql = "CREATE TABLE " + Aspas(Banco::NomeTabela(def.nome)) + " (";
    for (size_t i = 0; i < def.campos.size(); ++i) sql += (i ? ", " : "") + DdlCampo(def.campos[i]);
    return sql + ")";
}

std::string SqlCriaIndice(const std::string& tabela, const DefIndice& i) {
    std::string colunas;
    for (const auto& campo : SeparaCampos(i.campos)) {
        if (!colunas.empty()) colunas += ", ";
        colunas += Aspas(campo) + (i.semCaixa ? " COLLATE NOCASE" : "");
    }
    return std::string("CREATE ") + (i.primario ? "UNIQUE " : "") + "INDEX " + Aspas(NomeIndice(i.nome)) + " ON " +
           Aspas(tabela) + " (" + colunas + ")";
}

std::string NomeIndice(const std::string& nome) { return kPrefixoIndice + nome; }

void Banco::CriaTabela(const DefTabela& def) {
    AbreSeNecessario();
    auto canon = NomeTabela(def.nome);
    if (def.campos.empty()) throw ErroBanco("Tabela " + canon + " sem campos");
    ApagaTabela(canon);

    auto arquivo = pasta_ / (canon + ".DB");
    {
        // Create the file in one step on a private connection, so that a failure leaves nothing behind.
        sqlite3* con = nullptr;
        int rc = sqlite3_open_v2(arquivo.c_str(), &con, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        std::string sql = "BEGIN; " + SqlCriaTabela(def) + "; CREATE TABLE " + std::string(kMetaCampos) +
               " (ordem INTEGER, nome TEXT, tipo TEXT, largura INTEGER, obrigatorio INTEGER);";
        for (size_t i = 0; i < def.campos.size(); ++i) {
            const auto& c = def.campos[i];
            sql += "INSERT INTO " + std::string(kMetaCampos) + " VALUES (" + std::to_string(i) + ", '" + c.nome +
                   "', '" + (c.tipo == TipoCampo::Logico ? "L" : "A") + "', " + std::to_string(c.largura) + ", " +
                   (c.obrigatorio ? "1" : "0") + ");";
        }
        for (const auto& ind : def.indices) sql += DdlIndice("main", canon, ind) + ";";
        sql += "COMMIT;";
        char* erro = nullptr;
        if (rc == SQLITE_OK) rc = sqlite3_exec(con, sql.c_str(), nullptr, nullptr, &erro);
        std::string msg = erro ? erro : (con ? sqlite3_errmsg(con) : "");
        sqlite3_free(erro);
        sqlite3_close(con);
        if (rc != SQLITE_OK) {
            std::error_code ec;
            fs::remove(arquivo, ec);
            throw ErroMotor({{codigo_motor::ErroSql, "Não foi possível criar a tabela " + canon + ".DB"},
                             {codigo_motor::ErroSql, msg}});
        }
    }
}

DefTabela Banco::LeDefinicao(const std::string& nome) {
    auto esquema = Fixa(nome);
    DefTabela def;
    def.nome = esquema;
    auto solta = [&] { Solta(esquema); };
    try {
        sqlite3_stmt* st = nullptr;
        std::string sql = "SELECT nome, tipo, largura, obrigatorio FROM " + Aspas(esquema) + "." + kMetaCampos +
                          " ORDER BY ordem";
        if (sqlite3_prepare_v2(con_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            throw ErroMotor(codigo_motor::ArquivoCorrompido, "Tabela: " + esquema + ".DB");
        while (sqlite3_step(st) == SQLITE_ROW) {
            DefCampo c;
            c.nome = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
            c.tipo = std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))) == "L" ? TipoCampo::Logico
                                                                                                  : TipoCampo::Texto;
            c.largura = sqlite3_column_int(st, 2);
            c.obrigatorio = sqlite3_column_int(st, 3) != 0;
            def.campos.push_back(std::move(c));
        }
        sqlite3_finalize(st);

        // Indexes: ours carry the prefix; their collation tells a case-insensitive one.
        sql = "SELECT name FROM " + Aspas(esquema) + ".sqlite_master WHERE type = 'index' AND name LIKE 'i\\_%' "
              "ESCAPE '\\' ORDER BY name";
        sqlite3_prepare_v2(con_, sql.c_str(), -1, &st, nullptr);
        std::vector<std::string> nomes;
        while (sqlite3_step(st) == SQLITE_ROW) nomes.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        for (const auto& n : nomes) {
            DefIndice ind;
            ind.nome = n.substr(2);
            sql = "SELECT name, coll, key FROM pragma_index_xinfo(?1, ?2)";
            sqlite3_prepare_v2(con_, sql.c_str(), -1, &st, nullptr);
            sqlite3_bind_text(st, 1, n.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, esquema.c_str(), -1, SQLITE_TRANSIENT);
            while (sqlite3_step(st) == SQLITE_ROW) {
                if (sqlite3_column_int(st, 2) == 0 || sqlite3_column_type(st, 0) == SQLITE_NULL) continue;
                if (!ind.campos.empty()) ind.campos += ";";
                ind.campos += reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
                auto coll = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
                if (coll && MesmoNome(coll, "NOCASE")) ind.semCaixa = true;
            }
            sqlite3_finalize(st);
            sql = "SELECT \"unique\" FROM pragma_index_list(?1, ?2) WHERE name = ?3";
            sqlite3_prepare_v2(con_, sql.c_str(), -1, &st, nullptr);
            sqlite3_bind_text(st, 1, esquema.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, esquema.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 3, n.c_str(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(st) == SQLITE_ROW) ind.primario = sqlite3_column_int(st, 0) != 0;
            sqlite3_finalize(st);
            def.indices.push_back(std::move(ind));
        }
        // The primary index first, as the table's order follows it.
        std::stable_sort(def.indices.begin(), def.indices.end(),
                         [](const DefIndice& a, const DefIndice& b) { return a.primario && !b.primario; });
    } catch (...) {
        solta();
        throw;
    }
    solta();
    return def;
}

bool Banco::ExisteIndice(const std::string& tabela, const std::string& nomeIndice) {
    for (const auto& i : LeDefinicao(tabela).indices)
        if (MesmoNome(i.nome, nomeIndice)) return true;
    return false;
}

bool Banco::ExisteIndicePrimario(const std::string& tabela) {
    auto def = LeDefinicao(tabela);
    return !def.indices.empty() && def.indices.front().primario;
}

void Banco::AdicionaIndice(const std::string& tabela, const DefIndice& indice) {
    auto def = LeDefinicao(tabela);
    for (const auto& campo : SeparaCampos(indice.campos))
        if (!def.Campo(campo)) throw ErroMotor(codigo_motor::IndiceInexistente, "Campo " + campo + " inexistente");
    for (const auto& existente : def.indices)
        if (MesmoNome(existente.nome, indice.nome) || (indice.primario && existente.primario))
            RemoveIndice(tabela, existente.nome);
    auto esquema = Fixa(tabela);
    DescartaComandos(esquema);
    try {
        ExecutaDireto(DdlIndice(esquema, esquema, indice));
    } catch (...) {
        Solta(esquema);
        throw;
    }
    Solta(esquema);
}

void Banco::RemoveIndice(const std::string& tabela, const std::string& nomeIndice) {
    auto esquema = Fixa(tabela);
    DescartaComandos(esquema);
    try {
        ExecutaDireto("DROP INDEX IF EXISTS " + Aspas(esquema) + "." + Aspas(kPrefixoIndice + nomeIndice));
    } catch (...) {
        Solta(esquema);
        throw;
    }
    Solta(esquema);
}

void Banco::CriaTabelaComo(const std::string& origem, const std::string& destino, bool comIndices) {
    auto def = LeDefinicao(origem);
    def.nome = NomeTabela(destino);
    if (!comIndices) def.indices.clear();
    CriaTabela(def);
}

bool Banco::fCriaTabelaComo(const std::string& origem, const std::string& destino, bool comIndices) noexcept {
    try {
        CriaTabelaComo(origem, destino, comIndices);
        return true;
    } catch (...) {
        return false;
    }
}

void Banco::EsvaziaTabela(const std::string& nome) {
    auto esquema = Fixa(nome);
    try {
        ExecutaDireto("DELETE FROM " + Aspas(esquema) + "." + Aspas(esquema));
    } catch (...) {
        Solta(esquema);
        throw;
    }
    Solta(esquema);
}

void Banco::ApagaTabela(const std::string& nome) {
    auto canon = NomeTabela(nome);
    auto arquivo = ArquivoTabela(canon);
    if (!arquivo) return;
    if (abertas_.count(canon)) throw ErroMotor(codigo_motor::TabelaEmUso, "Tabela: " + canon + ".DB");
    Trava(canon, true);
    try {
        LiberaArquivo(canon);
    } catch (...) {
        Destrava(canon, true);
        throw;
    }
    Destrava(canon, true);
    std::error_code ec;
    fs::remove(*arquivo, ec);
    if (ec) throw ErroMotor(codigo_motor::ErroEntradaSaida, "Não foi possível apagar " + arquivo->string());
    fs::remove(arquivo->string() + "-journal", ec);
}

}  // namespace zovi
