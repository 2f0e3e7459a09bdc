#include "analysis/AnaliseEstrutura.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "data/Tabelas.h"
#include "engine/Erros.h"
#include "engine/Tabela.h"
#include "messages/Formatacao.h"
#include "messages/Mensagens.h"
#include "zovi2005.h"

namespace zovi {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPedacoLeitura = 32766;  // bytes read at a time, and the buffer's data capacity
constexpr int kFolgaImagem = 28;               // the record images hold L + 28 bytes

struct FechaArquivo {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Arquivo = std::unique_ptr<std::FILE, FechaArquivo>;

// The file read through one buffer: the records are examined in place, and a
// refill moves only the unconsumed tail (less than one record) to the front.
class LeitorBuffer {
public:
    LeitorBuffer(std::FILE* f, std::uint64_t tamanho, int L)
        : arquivo_(f), naoLido_(tamanho),
          buffer_(tamanho <= kPedacoLeitura ? std::max<std::size_t>(tamanho + 1, 3 * static_cast<std::size_t>(L))
                                            : kPedacoLeitura + 1,
                  '\0') {}

    // Makes at least n bytes available, unless the file ends first.
    void Garante(std::size_t n) {
        if (Disponiveis() >= n || naoLido_ == 0) return;
        const std::size_t resto = Disponiveis();
        std::memmove(buffer_.data(), buffer_.data() + ini_, resto);
        ini_ = 0;
        fim_ = resto;
        const std::size_t capacidade = std::min(buffer_.size() - 1, kPedacoLeitura);
        while (fim_ < capacidade && naoLido_ > 0) {
            const std::size_t pedir = static_cast<std::size_t>(std::min<std::uint64_t>(capacidade - fim_, naoLido_));
            const std::size_t lidos = std::fread(buffer_.data() + fim_, 1, pedir, arquivo_);
            if (lidos == 0) throw ErroMotor(codigo_motor::ErroEntradaSaida, "Erro de leitura do arquivo em análise");
            fim_ += lidos;
            naoLido_ -= lidos;
        }
    }
    std::size_t Disponiveis() const { return fim_ - ini_; }
    std::uint64_t Restantes() const { return Disponiveis() + naoLido_; }
    std::string_view Atual(std::size_t n) const { return {buffer_.data() + ini_, std::min(n, Disponiveis())}; }
    void Avanca(std::size_t n) { ini_ += n; }

private:
    std::FILE* arquivo_;
    std::uint64_t naoLido_;
    std::vector<char> buffer_;
    std::size_t ini_ = 0, fim_ = 0;
};

std::string Zeros(std::uint64_t valor, std::size_t largura) {
    std::string s = std::to_string(valor);
    if (s.size() < largura) s.insert(0, largura - s.size(), '0');
    return s.substr(s.size() - largura);  // a number too big keeps its last digits
}

char Maiuscula(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
std::string Maiusculo(std::string s) {
    for (char& c : s) c = Maiuscula(c);
    return s;
}
bool UmOuX(const std::string& valor) {
    const std::string v = Maiusculo(valor);
    return v == "1" || v == "X";
}
// "1" or "X" gives "1"; "2" or a blank gives "2"; anything else is kept, upper-cased.
std::string SimNaoOuOutro(const std::string& valor) {
    const std::string v = Maiusculo(valor);
    if (v == "1" || v == "X") return "1";
    if (v == "2" || v == " " || v.empty()) return "2";
    return v;
}

std::string Corta(std::string texto, std::size_t largura) {
    if (texto.size() > largura) texto.resize(largura);
    return texto;
}

}  // namespace

struct LinhaStru {
    std::string coMsg, sequencia, inscricaoPrefixo, tipoCampo, posicaoInicial, conteudo;
};

// Held while an analysis runs: a second analysis of the same data folder waits for it.
class TravaAnalise {
public:
    explicit TravaAnalise(const fs::path& pasta)
        : fd_(::open((pasta / "R01TXZZZ.TRAVA").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~TravaAnalise() {
        if (fd_ >= 0) ::close(fd_);
    }
    TravaAnalise(const TravaAnalise&) = delete;
    TravaAnalise& operator=(const TravaAnalise&) = delete;

    // With the lock held no other analysis runs: a working copy in the folder is a leftover.
    static void LimpaCopiasAbandonadas(const fs::path& pasta) {
        const std::string nome = kArquivoCopiaAnalise;
        const std::string inicio = nome.substr(0, nome.find('.')) + "-", fim = nome.substr(nome.find('.'));
        std::error_code ec;
        std::vector<fs::path> restos;
        for (const auto& e : fs::directory_iterator(pasta, ec)) {
            auto n = e.path().filename().string();
            if (n.size() > inicio.size() + fim.size() && n.rfind(inicio, 0) == 0 &&
                n.compare(n.size() - fim.size(), fim.size(), fim) == 0)
                restos.push_back(e.path());
        }
        for (const auto& r : restos) fs::remove(r, ec);
    }

private:
    int fd_;
};

// One run of the analysis, from the copy of the file to the outcome.
class ExecucaoAnalise {
public:
    ExecucaoAnalise(TAnaliseEstrutura& dono, const fs::path& arquivo, int anoBase, bool zerarValores)
        : dono_(dono), banco_(dono.banco_), interacao_(dono.interacao_), leiaute_(dono.leiaute_),
          arquivo_(arquivo), anoEsperado_(std::to_string(anoBase)), zerarValores_(zerarValores),
          copia_() {}

    int Executa(long& nEstabelecimentos, long& nEmpregados);

private:
    bool CopiaArquivo();
    void CriaTabelasTrabalho();
    void ApagaTabelasTrabalho();
    void LeRegistros();
    void Examina(std::string_view registro);
    bool TestaChaves(std::string_view r);
    bool PerguntaInterrupcao();
    void AvancaProgresso();

    void TrataTipoZero(std::string_view r);
    void TrataTipoUm(std::string_view r);
    void TrataTipoDois(std::string_view r);
    void TrataTipoNove(std::string_view r);
    void GravaContagens();
    void GravaEmpregado(std::string_view r, bool zerar);
    void ConfereSelo();

    // Faults.
    void RegistraErro(int codigo);
    void Linha(int codigo, int variante, bool atual);
    void Imagem(std::string& destino, std::string_view origem) const;
    void GravaTe8stru();

    TAnaliseEstrutura& dono_;
    Banco& banco_;
    Interacao& interacao_;
    LeiauteLeitura& leiaute_;
    fs::path arquivo_;
    std::string anoEsperado_;
    bool zerarValores_;
    fs::path copia_;

    int L_ = kTamanhoRegistroAtual;
    int S_ = kTamanhoRegistroAtual;
    int tipoQuebra_ = 0;
    std::uint64_t lidos_ = 0;  // records accepted
    long nEstab_ = 0, nEmpreg_ = 0, empregEstab_ = 0, estrangEstab_ = 0;
    std::string anoEstab_;
    char tipoAnterior_ = '4';
    std::string inscPrefAnterior_;  // positions 7 to 22 of the previous record
    bool negativo_ = false;
    bool retificacao_ = false;
    bool falha_ = false, interrompida_ = false;
    std::string imagemAnterior_, imagemAtual_;  // L + 28 bytes, zero-filled
    std::string seloTrailer_;
    int campoFalho_ = 4;   // key field that failed the digit test
    int posicaoFalha_ = 0;  // position shown by 1901 and 1923
    std::uint64_t restantesFalha_ = 0;
    std::vector<LinhaStru> linhas_;

    // Progress of the reading: 8 to 100.
    std::uint64_t registrosPorPasso_ = 1, contaPasso_ = 0;
    long progresso_ = 0;

    std::optional<Tabela> te8resp_, te8emp_, te8vinc_;
};

TAnaliseEstrutura::TAnaliseEstrutura(Banco& banco, Interacao& interacao) : banco_(banco), interacao_(interacao) {}

int TAnaliseEstrutura::fAnalisaArquivo(const fs::path& arquivo, int anoBase, bool zerarValores,
                                       long& nEstabelecimentos, long& nEmpregados) {
    interrupcao_ = false;
    if (anoAnterior_) pCarregaLayoutAnterior(leiaute_);
    else pCarregaLayoutAtual(leiaute_);
    ExecucaoAnalise execucao(*this, arquivo, anoBase, zerarValores);
    return execucao.Executa(nEstabelecimentos, nEmpregados);
}

int ExecucaoAnalise::Executa(long& nEstabelecimentos, long& nEmpregados) {
    nEstabelecimentos = nEmpregados = 0;
    L_ = leiaute_.tamanhoRegistro;
    imagemAnterior_.assign(static_cast<std::size_t>(L_ + kFolgaImagem), '\0');
    imagemAtual_ = imagemAnterior_;

    interacao_.Progresso(0, 100);
    // The work tables are one set per data folder: analyses of it run one after the other.
    TravaAnalise trava(banco_.Pasta());
    TravaAnalise::LimpaCopiasAbandonadas(banco_.Pasta());
    banco_.ApagaTabela("TE8STRU");
    if (!CopiaArquivo()) {
        std::error_code ec;
        fs::remove(copia_, ec);
        interacao_.Aviso("Ocorreu erro na cópia do arquivo " + arquivo_.string());
        return kAnaliseArquivoIlegivel;
    }
    struct RemoveCopia {
        fs::path caminho;
        ~RemoveCopia() {
            std::error_code ec;
            fs::remove(caminho, ec);
        }
    } removeCopia{copia_};

    CriaTabelasTrabalho();
    try {
        {
            // Everything the file loads commits together, or not at all.
            Transacao transacao(banco_);
            LeRegistros();
            if (!falha_ && !interrompida_) transacao.Confirma();
        }
        te8resp_.reset();
        te8emp_.reset();
        te8vinc_.reset();
        if (!falha_ && !interrompida_) ConfereSelo();
    } catch (...) {
        te8resp_.reset();
        te8emp_.reset();
        te8vinc_.reset();
        try { ApagaTabelasTrabalho(); } catch (...) {}
        throw;
    }

    nEstabelecimentos = nEstab_;
    nEmpregados = nEmpreg_;
    if (falha_ || interrompida_) ApagaTabelasTrabalho();
    if (falha_) {
        GravaTe8stru();
        return kAnaliseComFalha;
    }
    if (interrompida_) return kAnaliseInterrompida;
    interacao_.Progresso(100, 100);
    return retificacao_ ? kAnaliseRetificacao : kAnaliseSemFalha;
}

bool ExecucaoAnalise::CopiaArquivo() {
    std::error_code ec;
    Arquivo origem(std::fopen(arquivo_.c_str(), "rb"));
    if (!origem) return false;
    const auto tamanho = fs::file_size(arquivo_, ec);
    if (ec || fs::is_directory(arquivo_, ec)) return false;
    const std::string nome = kArquivoCopiaAnalise;
    std::string modelo = (banco_.Pasta() / (nome.substr(0, nome.find('.')) + "-XXXXXX" + nome.substr(nome.find('.')))).string();
    const int fd = ::mkostemps(modelo.data(), static_cast<int>(nome.size() - nome.find('.')), O_CLOEXEC);
    if (fd < 0) return false;
    copia_ = modelo;
    Arquivo destino(::fdopen(fd, "wb"));
    if (!destino) {
        ::close(fd);
        return false;
    }
    std::vector<char> pedaco(kPedacoLeitura);
    std::uint64_t copiados = 0;
    long passo = 0;
    for (;;) {
        const std::size_t lidos = std::fread(pedaco.data(), 1, pedaco.size(), origem.get());
        if (lidos == 0) break;
        if (std::fwrite(pedaco.data(), 1, lidos, destino.get()) != lidos) return false;
        copiados += lidos;
        const long agora = tamanho ? static_cast<long>(copiados * 8 / std::max<std::uint64_t>(tamanho, copiados)) : 8;
        if (agora != passo) interacao_.Progresso(passo = agora, 100);
    }
    if (std::ferror(origem.get())) return false;
    return std::fclose(destino.release()) == 0;
}

void ExecucaoAnalise::CriaTabelasTrabalho() {
    banco_.CriaTabelaComo("BD8EMP", "TE8EMP", true);
    banco_.CriaTabelaComo("BD8VINC", "TE8VINC", false);
    // The sequence number is part of the key, so employees that repeat PIS, admission and name are all kept.
    banco_.AdicionaIndice("TE8VINC", DefIndice{"Te8vinc", kChaveEmpregado, true, false});
    banco_.CriaTabelaComo("BD8RESP", "TE8RESP", false);
    te8resp_.emplace(banco_, "TE8RESP");
    te8emp_.emplace(banco_, "TE8EMP");
    te8vinc_.emplace(banco_, "TE8VINC");
    te8resp_->Abre();
    te8emp_->Abre();
    te8vinc_->Abre();
}

void ExecucaoAnalise::ApagaTabelasTrabalho() {
    for (const char* nome : {"TE8EMP", "TE8VINC", "TE8RESP"}) banco_.ApagaTabela(nome);
}

// --- framing ----------------------------------------------------------------

void ExecucaoAnalise::LeRegistros() {
    Arquivo f(std::fopen(copia_.c_str(), "rb"));
    if (!f) throw ErroMotor(codigo_motor::ErroEntradaSaida, "Não foi possível abrir " + copia_.string());
    std::error_code ec;
    const std::uint64_t tamanho = fs::file_size(copia_, ec);
    if (ec) throw ErroMotor(codigo_motor::ErroEntradaSaida, "Não foi possível ler " + copia_.string());
    LeitorBuffer leitor(f.get(), tamanho, L_);
    leitor.Garante(kPedacoLeitura);

    if (tamanho < 3 * static_cast<std::uint64_t>(L_)) {
        Imagem(imagemAtual_, leitor.Atual(imagemAtual_.size()));
        RegistraErro(1924);
        return;
    }
    tipoQuebra_ = fTipoQuebra(leitor.Atual(static_cast<std::size_t>(L_) + 2), L_);
    S_ = fPasso(tipoQuebra_, L_);
    registrosPorPasso_ = std::max<std::uint64_t>(1, tamanho / static_cast<std::uint64_t>(S_) / 92);
    progresso_ = 8;
    const auto S = static_cast<std::size_t>(S_);

    for (;;) {
        leitor.Garante(S);
        const std::uint64_t restantes = leitor.Restantes();
        Imagem(imagemAtual_, leitor.Atual(imagemAtual_.size()));
        if (tipoAnterior_ == '9') {
            if (restantes == 0) return;
            if (restantes <= S && leitor.Atual(1)[0] == '\x1A') return;  // the end-of-file mark
            RegistraErro(1903);
            return;
        }
        if (restantes == 0) {
            RegistraErro(1905);
            return;
        }
        if (restantes < S) {
            restantesFalha_ = restantes;
            RegistraErro(1904);
            return;
        }
        const std::string_view registro = leitor.Atual(S);
        if (fTemQuebra(registro.data(), static_cast<std::size_t>(L_))) {
            posicaoFalha_ = static_cast<int>(fPosicaoNaoImprimivel(registro.data(), static_cast<std::size_t>(L_)));
            RegistraErro(1923);
            return;
        }
        if (!fConfereQuebra(registro, S_, tipoQuebra_)) {
            RegistraErro(1900);
            return;
        }
        Examina(registro);
        if (falha_ || interrompida_) return;
        Imagem(imagemAnterior_, registro);
        inscPrefAnterior_.assign(registro.substr(6, 16));
        tipoAnterior_ = registro[22];
        ++lidos_;
        leitor.Avanca(S);
        AvancaProgresso();
    }
}

void ExecucaoAnalise::AvancaProgresso() {
    if (++contaPasso_ < registrosPorPasso_) return;
    contaPasso_ = 0;
    if (progresso_ < 100) interacao_.Progresso(++progresso_, 100);
    if (interacao_.InterrupcaoPedida()) dono_.pInterrompe();
}

void ExecucaoAnalise::Imagem(std::string& destino, std::string_view origem) const {
    std::fill(destino.begin(), destino.end(), '\0');
    std::memcpy(destino.data(), origem.data(), std::min(origem.size(), destino.size()));
}

// --- records ----------------------------------------------------------------

void ExecucaoAnalise::Examina(std::string_view r) {
    if (!TestaChaves(r)) return;
    if (dono_.interrupcao_ && PerguntaInterrupcao()) {
        interrompida_ = true;
        return;
    }
    const char tipo = r[22];
    if (lidos_ == 0 && tipo != '0') {
        RegistraErro(1907);
        return;
    }
    switch (tipo) {
        case '0': TrataTipoZero(r); break;
        case '1': TrataTipoUm(r); break;
        case '2': TrataTipoDois(r); break;
        case '9': TrataTipoNove(r); break;
        default: RegistraErro(1921); break;
    }
}

bool ExecucaoAnalise::TestaChaves(std::string_view r) {
    struct Chave {
        int inicio, tamanho;
    };
    constexpr Chave kChaves[] = {{1, 6}, {7, 14}, {23, 1}};
    for (int i = 0; i < 3; ++i) {
        const char* campo = r.data() + kChaves[i].inicio - 1;
        const auto n = static_cast<std::size_t>(kChaves[i].tamanho);
        if (!fSoDigitos(campo, n)) {
            campoFalho_ = i;
            posicaoFalha_ = kChaves[i].inicio + static_cast<int>(fPosicaoNaoDigito(campo, n)) - 1;
            RegistraErro(1922);
            return false;
        }
        if (i == 0 && std::stoull(std::string(campo, n)) != lidos_ + 1) {
            RegistraErro(1902);
            return false;
        }
    }
    return true;
}

bool ExecucaoAnalise::PerguntaInterrupcao() {
    if (ConfirmaInterrupcao(interacao_)) return true;
    dono_.interrupcao_ = false;
    return false;
}

void ExecucaoAnalise::TrataTipoZero(std::string_view r) {
    if (!fSoImprimiveis(r.data() + 270, 10)) {
        posicaoFalha_ = 270 + static_cast<int>(fPosicaoNaoImprimivel(r.data() + 270, 10));
        RegistraErro(1901);
        return;
    }
    if (lidos_ != 0) {
        RegistraErro(1906);
        return;
    }
    const auto& z = leiaute_.tipoZero;
    auto campo = [&](int slot) { return z.Extrai(r, slot); };
    auto aparado = [&](int slot) { return fAparaTexto(campo(slot)); };
    Tabela& t = *te8resp_;
    t.Acrescenta();
    t.PoeTexto("CoCgcCeiResponsavel", aparado(6));
    t.PoeTexto("InInscrResponsavel", aparado(7));
    t.PoeTexto("NoResponsavelArquivo", aparado(8));
    t.PoeTexto("EdLogradouroRespArquivo", aparado(9));
    t.PoeTexto("NuLogradouroRespArquivo", campo(10));
    t.PoeTexto("TxComplementoRespArquivo", aparado(11));
    t.PoeTexto("NoBairroRespArquivo", aparado(12));
    t.PoeTexto("CoCepRespArquivo", campo(13));
    t.PoeTexto("CoMunicipioRespArquivo", campo(14));
    t.PoeTexto("NoMunicipioRespArquivo", aparado(15));
    t.PoeTexto("SgUfRespArquivo", campo(16));
    t.PoeTexto("NuFoneDDD", campo(17));
    t.PoeTexto("NuFoneAssinante", campo(18));
    t.PoeTexto("TxEMailRespArquivo", campo(23));
    t.PoeLogico("InReciboParaRespArquivo", UmOuX(campo(5)));
    retificacao_ = UmOuX(campo(20));
    t.PoeLogico("InRetificacao", retificacao_);
    t.PoeTexto("DaRetificacao", campo(21));
    // The layout carries no anticipation mark: a file read here is never an anticipated declaration.
    t.PoeLogico("InAntecipacao", false);
    t.PoeTexto("DaGeracao", campo(22));
    t.PoeTexto("HoSenha", campo(24));
    t.Grava();
}

void ExecucaoAnalise::GravaContagens() {
    if (nEstab_ == 0) return;
    Tabela& t = *te8emp_;
    t.Edita();
    t.PoeTexto("NuVinculosEstabelecimento", Zeros(static_cast<std::uint64_t>(empregEstab_), 6));
    // More than 99999 foreigners in one establishment do not fit the field: it keeps its largest value.
    t.PoeTexto("NuEstrangeirosEstabelec", Zeros(static_cast<std::uint64_t>(std::min(estrangEstab_, 99999L)), 5));
    t.Grava();
    empregEstab_ = estrangEstab_ = 0;
}

void ExecucaoAnalise::TrataTipoUm(std::string_view r) {
    const auto& u = leiaute_.tipoUm;
    if (!fSoDigitos(r.data() + 277, 1)) {
        campoFalho_ = 3;
        posicaoFalha_ = 278;
        RegistraErro(1922);
        return;
    }
    if (!fSoImprimiveis(r.data() + 227, 38)) {
        posicaoFalha_ = 227 + static_cast<int>(fPosicaoNaoImprimivel(r.data() + 227, 38));
        RegistraErro(1901);
        return;
    }
    GravaContagens();
    const std::string_view inscPref = r.substr(6, 16);
    if (tipoAnterior_ == '0' && (inscPref != inscPrefAnterior_ || lidos_ != 1)) {
        RegistraErro(1908);
        return;
    }
    if (tipoAnterior_ == '1') {
        if (!negativo_) {
            RegistraErro(1909);
            return;
        }
        if (inscPref == inscPrefAnterior_) {
            RegistraErro(1910);
            return;
        }
    }
    const TArquivo& ano = u.Campo(23);
    const std::string anoRegistro = fExtraiCampo(r, ano.posicao, ano.tamanho);
    const std::string esperado = dono_.AnoAnterior() ? ano.legenda : anoEsperado_;
    if (!fSoDigitos(anoRegistro) || anoRegistro.size() != 4 || anoRegistro != esperado) {
        RegistraErro(1911);
        return;
    }
    anoEstab_ = esperado;
    std::string vinculado = u.Extrai(r, 22);
    if (u.Campo(22).tamanho != 14) vinculado = "00" + vinculado;

    const std::string inscricao(r.substr(6, 14)), prefixo(r.substr(20, 2));
    Tabela& t = *te8emp_;
    if (t.BuscaChave({anoEstab_, inscricao, prefixo})) {
        // The first record of the repeated establishment, as far as the table keeps it.
        std::string anterior(static_cast<std::size_t>(L_ + kFolgaImagem), '\0');
        const std::string seq = t.Texto("NuSequencialRegistro");
        std::memcpy(anterior.data(), seq.data(), std::min<std::size_t>(seq.size(), 6));
        std::memcpy(anterior.data() + 6, inscricao.data(), 14);
        std::memcpy(anterior.data() + 20, prefixo.data(), 2);
        anterior[22] = '1';
        const std::string neg = t.Texto("InZoviNegEstabelecimento");
        if (!neg.empty()) anterior[277] = neg[0];
        imagemAnterior_ = anterior;
        RegistraErro(1910);
        return;
    }
    const char tipoZovi = r[277];
    if (tipoZovi != '0' && tipoZovi != '1') {
        RegistraErro(1912);
        return;
    }
    negativo_ = tipoZovi == '1';

    const bool atual = !dono_.AnoAnterior();
    auto campo = [&](int slot) { return u.Extrai(r, slot); };
    auto aparado = [&](int slot) { return fAparaTexto(campo(slot)); };
    t.Acrescenta();
    t.PoeTexto("NuSequencialRegistro", campo(1));
    t.PoeTexto("AnBase", anoEstab_);
    t.PoeTexto("CoCgcCeiEstabelecimento", campo(2));
    t.PoeTexto("NuPrefixoEstabelecimento", campo(3));
    t.PoeTexto("NoRazaoEstabelecimento", aparado(5));
    t.PoeTexto("EdEstabelecimento", aparado(6));
    t.PoeTexto("NuEnderecoEstabelecimento", campo(7));
    t.PoeTexto("TxComplemEstabelecimento", aparado(8));
    t.PoeTexto("NoBairroEstabelecimento", aparado(9));
    t.PoeTexto("CoCepEstabelecimento", campo(10));
    t.PoeTexto("CoMunicipio", campo(11));
    t.PoeTexto("NoMunicEstabelecimento", aparado(12));
    constexpr const char* kSlots13a21[] = {"SgUf",   "NuDDD",      "NuTelefone",
                                           "CoCnae", "CoNaturezaJuridica", "NuProprietEstabelecimento",
                                           "MeDataBase", "InInscrEstabelecimento", "InZoviNegEstabelecimento"};
    for (int i = 0; i < 9; ++i) t.PoeTexto(kSlots13a21[i], campo(13 + i));
    t.PoeTexto("InEncerramentoAtividade", UmOuX(campo(37)) ? "1" : "2");
    t.PoeTexto("DaEncerramentoAtividade", campo(38));
    t.PoeTexto("TxEmailEstabelecimento", campo(40));
    t.PoeTexto("InParticipaPAT", SimNaoOuOutro(campo(24)));
    t.PoeTexto("InOptanteSimples", UmOuX(campo(27)) ? "1" : "2");
    // The previous year's layout has no size class, PAT counts or percentages.
    t.PoeTexto("InPorte", atual ? campo(39) : "3");
    t.PoeTexto("NuVinculoPatMenor5", atual ? campo(29) : "000000");
    t.PoeTexto("NuVinculoPatMaior5", atual ? campo(30) : "000000");
    constexpr const char* kPercentuais[] = {"PoServicoProprio",   "PoAdmCozinha",    "PoRefeicaoConvenio",
                                            "PoRefeicaoTransportadora", "PoCestaAlimento", "PoAlimentacaoConvenio"};
    for (int i = 0; i < 6; ++i) t.PoeTexto(kPercentuais[i], atual ? campo(31 + i) : "000");
    t.PoeTexto("CoCgcVinculado", vinculado);
    t.PoeTexto("TxUsoEstabelecimento", campo(28));
    constexpr const char* kSindicais[] = {"CoCNPJAssociativa",  "VaGlobalAssociativa",  "CoCNPJSindical",
                                          "VaGlobalSindical",   "CoCNPJAssistencial",   "VaGlobalAssistencial",
                                          "CoCNPJConfederativa", "VaGlobalConfederativa", "InAtividadeAnoBase"};
    for (int i = 0; i < 9; ++i) t.PoeTexto(kSindicais[i], campo(41 + i));
    t.PoeTexto("NuVinculosEstabelecimento", "000000");
    t.PoeTexto("NuEstrangeirosEstabelec", "00000");
    t.Grava();
    ++nEstab_;
}

void ExecucaoAnalise::TrataTipoDois(std::string_view r) {
    const std::string_view inscPref = r.substr(6, 16);
    if (tipoAnterior_ == '1') {
        if (inscPref != inscPrefAnterior_) {
            RegistraErro(negativo_ ? 1913 : 1915);
            return;
        }
        if (negativo_) {
            RegistraErro(1914);
            return;
        }
    }
    if (tipoAnterior_ == '2' && inscPref != inscPrefAnterior_) {
        RegistraErro(1916);
        return;
    }
    if (tipoAnterior_ == '0') {
        RegistraErro(1913);
        return;
    }
    if (leiaute_.tipoDois.Extrai(r, 8) != "10") ++estrangEstab_;
    GravaEmpregado(r, zerarValores_ && anoEstab_ != anoEsperado_);
    ++empregEstab_;
    ++nEmpreg_;
}

void ExecucaoAnalise::GravaEmpregado(std::string_view r, bool zerar) {
    const auto& d = leiaute_.tipoDois;
    auto campo = [&](int slot) { return d.Vista(r, slot); };
    Tabela& t = *te8vinc_;
    t.Acrescenta();
    t.PoeTexto("NuSequencialRegistro", campo(1));
    t.PoeTexto("AnBase", anoEstab_);
    t.PoeTexto("CoCgcCeiEstabelecimento", r.substr(6, 14));
    t.PoeTexto("NuPrefixoEstabelecimento", r.substr(20, 2));
    t.PoeTexto("CoPisPasepEmpregado", campo(5));
    t.PoeTexto("NoEmpregado", fAparaTexto(std::string(campo(6))));
    constexpr const char* kSlots7a11[] = {"DaNascimentoEmpregado", "CoNacionalidade", "AnChegadaEmpregado",
                                          "CoInstrucao", "CoCpfEmpregado"};
    for (int i = 0; i < 5; ++i) t.PoeTexto(kSlots7a11[i], campo(7 + i));
    std::string carteira(campo(12));
    if (carteira.size() < 11) carteira.insert(0, 11 - carteira.size(), '0');
    t.PoeTexto("NuCartTrabEmpregado", carteira);
    t.PoeTexto("CoTipoRaca", campo(39));
    t.PoeTexto("InDeficienteFisico", SimNaoOuOutro(std::string(campo(40))));
    t.PoeTexto("DaAdmissaoEmpregado", campo(14));
    t.PoeTexto("CoTipoAdmissao", campo(15));
    t.PoeTexto("InSexo", campo(44));
    t.PoeTexto("CoCbo", campo(19));
    t.PoeTexto("CoMunicipioTrabalho", campo(73));
    t.PoeTexto("CoTipoSalarioContratual", campo(17));
    t.PoeTexto("HoSemanaisEmpregado", campo(18));
    t.PoeTexto("CoVinculo", campo(20));
    t.PoeTexto("CoCausaDesligamento", campo(21));
    t.PoeTexto("DaDesligamentoEmpregado", campo(22));
    t.PoeTexto("InAlvaraEmpregado", campo(43));
    t.PoeTexto("TxUsoEmpregado", campo(41));

    // Amounts: copied, or zeros (`zero`) / left empty (nullptr) for a previous year's employee.
    struct Valor {
        const char* nome;
        int slot;
        const char* zero;
    };
    static constexpr Valor kValores[] = {
        {"VaSalContratualEmpregado", 16, "000000000"},
        {"VaJaneiroEmpregado", 23, "000000000"},   {"VaFevereiroEmpregado", 24, "000000000"},
        {"VaMarcoEmpregado", 25, "000000000"},     {"VaAbrilEmpregado", 26, "000000000"},
        {"VaMaioEmpregado", 27, "000000000"},      {"VaJunhoEmpregado", 28, "000000000"},
        {"VaJulhoEmpregado", 29, "000000000"},     {"VaAgostoEmpregado", 30, "000000000"},
        {"VaSetembroEmpregado", 31, "000000000"},  {"VaOutubroEmpregado", 32, "000000000"},
        {"VaNovembroEmpregado", 33, "000000000"},  {"VaDezembroEmpregado", 34, "000000000"},
        {"Va13AdiantamentoEmpregado", 35, "000000000"}, {"Me13AdiantamentoEmpregado", 36, "00"},
        {"Va13ParcelaFinalEmpregado", 37, "000000000"}, {"Me13ParcelaFinalEmpregado", 38, "00"},
        {"VaAvisoPrevioEmpregado", 42, "000000000"},
        {"CoMotivoPrimAfas", 45, nullptr},         {"DaInicioprimeiroAfas", 46, nullptr},
        {"DaFinalPrimeiroAfas", 47, nullptr},      {"CoMotivoSeguAfas", 48, nullptr},
        {"DaInicioSegundoAfas", 49, nullptr},      {"DaFinalSegundoAfas", 50, nullptr},
        {"CoMotivoTercAfas", 51, nullptr},         {"DaInicioTerceiroAfas", 52, nullptr},
        {"DaFinalTerceiroAfas", 53, nullptr},      {"QtDiasAfas", 54, nullptr},
        {"VaGlobalFerias", 55, "00000000"},        {"VaGlobalBcoHoras", 56, "00000000"},
        {"QtCompBcoHoras", 57, nullptr},           {"VaGlobalDissidio", 58, "00000000"},
        {"QtCompDissidio", 59, nullptr},           {"VaGlobalGratificacoes", 60, "00000000"},
        {"QtCompGratificacoes", 61, nullptr},      {"VaGlobalMultas", 62, "00000000"},
        {"CoCNPJPrimAssociativa", 63, nullptr},    {"VaGlobalPrimAssociativa", 64, "00000000"},
        {"CoCNPJSegAssociativa", 65, nullptr},     {"VaGlobalSegAssociativa", 66, "00000000"},
        {"CoCNPJSindical", 67, nullptr},           {"VaGlobalSindical", 68, "00000000"},
        {"CoCNPJAssistencial", 69, nullptr},       {"VaGlobalAssistencial", 70, "00000000"},
        {"CoCNPJConfederativa", 71, nullptr},      {"VaGlobalConfederativa", 72, "00000000"},
        {"HoTrabalhadasJaneiro", 74, nullptr},     {"HoTrabalhadasFevereiro", 75, nullptr},
        {"HoTrabalhadasMarco", 76, nullptr},       {"HoTrabalhadasAbril", 77, nullptr},
        {"HoTrabalhadasMaio", 78, nullptr},        {"HoTrabalhadasJunho", 79, nullptr},
        {"HoTrabalhadasJulho", 80, nullptr},       {"HoTrabalhadasAgosto", 81, nullptr},
        {"HoTrabalhadasSetembro", 82, nullptr},    {"HoTrabalhadasOutubro", 83, nullptr},
        {"HoTrabalhadasNovembro", 84, nullptr},    {"HoTrabalhadasDezembro", 85, nullptr},
    };
    for (const auto& v : kValores) {
        if (!zerar) t.PoeTexto(v.nome, campo(v.slot));
        else if (v.zero) t.PoeTexto(v.nome, v.zero);
    }
    t.Grava();
}

void ExecucaoAnalise::TrataTipoNove(std::string_view r) {
    if (!fSoImprimiveis(r.data() + 35, 245)) {
        posicaoFalha_ = 35 + static_cast<int>(fPosicaoNaoImprimivel(r.data() + 35, 245));
        RegistraErro(1901);
        return;
    }
    GravaContagens();
    if (tipoAnterior_ == '0') {
        RegistraErro(1917);
        return;
    }
    if (tipoAnterior_ == '1' && !negativo_) {
        RegistraErro(1915);
        return;
    }
    if (r.substr(6, 16) != inscPrefAnterior_) {
        RegistraErro(1918);
        return;
    }
    auto total = [&](std::size_t inicio) -> std::uint64_t {
        const std::string_view v = r.substr(inicio, 6);
        return fSoDigitos(v) ? std::stoull(std::string(v)) : 0;
    };
    if (total(23) != static_cast<std::uint64_t>(nEstab_)) {
        RegistraErro(1919);
        return;
    }
    if (total(29) != static_cast<std::uint64_t>(nEmpreg_)) {
        RegistraErro(1920);
        return;
    }
    Tabela& t = *te8resp_;
    t.Edita();
    t.PoeTexto("NuRespostaPesquisa", leiaute_.tipoNove.Extrai(r, 9));
    t.Grava();
    seloTrailer_ = leiaute_.tipoNove.Extrai(r, 10);
}

// A file sealed by the writer must still be the file it sealed. An unsealed one
// (the seal field blank, as payroll systems produce it) is accepted: it can be
// sealed by regenerating it. Seals of the previous year's files came from that
// year's library and are not ours to check.
void ExecucaoAnalise::ConfereSelo() {
    if (dono_.AnoAnterior() || seloTrailer_.find_first_not_of(' ') == std::string::npos) return;
    const std::string caminho = copia_.string();
    char selo[ZOVI2005_SELO] = {};
    if (caminho.size() < ZOVI2005_CAMINHO) hashFileGenerate(caminho.c_str(), selo);
    if (std::string(selo) == seloTrailer_) return;
    falha_ = true;
    linhas_.push_back(LinhaStru{kCodigoSeloInvalido, Zeros(lidos_, 6),
                                fSoImprimiveis(imagemAnterior_.data() + 6, 16) ? imagemAnterior_.substr(6, 16) : "",
                                "5", std::to_string(leiaute_.tipoNove.Campo(10).posicao),
                                Corta(seloTrailer_, 20)});
}

// --- faults -----------------------------------------------------------------

void ExecucaoAnalise::RegistraErro(int codigo) {
    falha_ = true;
    linhas_.clear();
    const bool primeiro = lidos_ == 0;
    switch (codigo) {
        case 1902:
            if (!primeiro) Linha(codigo, 0, false);
            Linha(codigo, 0, true);
            break;
        case 1903: Linha(codigo, 0, false); Linha(codigo, 1, true); break;
        case 1904: Linha(codigo, 0, true); Linha(codigo, 1, true); break;
        case 1905: Linha(codigo, 0, false); break;
        case 1908: case 1910: case 1916: case 1917: case 1918:
            Linha(codigo, 0, false);
            Linha(codigo, 0, true);
            break;
        case 1909: case 1914: case 1915:
            Linha(codigo, 0, false);
            Linha(codigo, 1, false);
            Linha(codigo, 0, true);
            break;
        case 1919: case 1920:
            Linha(codigo, 0, true);
            Linha(codigo, 1, true);
            Linha(codigo, 2, true);
            break;
        default: Linha(codigo, 0, true); break;
    }
}

void ExecucaoAnalise::Linha(int codigo, int variante, bool atual) {
    const std::string& reg = atual ? imagemAtual_ : imagemAnterior_;
    auto mostra = [&](std::size_t pos) { return fMostraCaracter(static_cast<unsigned char>(reg[pos - 1]), true); };
    auto seImprimivel = [&](std::size_t pos, std::size_t n) {
        return fSoImprimiveis(reg.data() + pos - 1, n) ? reg.substr(pos - 1, n) : std::string();
    };
    LinhaStru l;
    l.coMsg = std::to_string(codigo);
    const std::uint64_t N = lidos_;
    if (atual) l.sequencia = Zeros(N + 1, 6);
    else if (codigo != 1902 && fSoDigitos(reg.data(), 6)) l.sequencia = reg.substr(0, 6);
    else l.sequencia = Zeros(N, 6);
    l.inscricaoPrefixo = seImprimivel(7, 16);

    switch (codigo) {
        case 1900: {
            const auto a = static_cast<unsigned char>(reg[static_cast<std::size_t>(L_)]);
            const auto b = static_cast<unsigned char>(reg[static_cast<std::size_t>(L_) + 1]);
            l.tipoCampo = "5";
            l.posicaoInicial = std::to_string(L_ + 1);
            l.conteudo = fMostraCaracter(a, fExibivel(b));
            if (S_ == L_ + 2) l.conteudo += fMostraCaracter(b, true);
            break;
        }
        case 1901: case 1923:
            l.tipoCampo = "5";
            l.posicaoInicial = std::to_string(posicaoFalha_);
            l.conteudo = mostra(static_cast<std::size_t>(posicaoFalha_));
            break;
        case 1902:
            l.tipoCampo = "0";
            l.conteudo = reg.substr(0, 6);
            break;
        case 1903:
            l.tipoCampo = variante == 0 ? "1" : "5";
            if (variante == 1) l.posicaoInicial = "1";
            l.conteudo = mostra(variante == 0 ? 23 : 1);
            break;
        case 1904:
            l.tipoCampo = variante == 0 ? "9" : "A";
            l.conteudo = std::to_string(variante == 0 ? static_cast<std::uint64_t>(S_) : restantesFalha_);
            break;
        case 1909: case 1914: case 1915:
            l.tipoCampo = variante == 0 ? "1" : "2";
            l.conteudo = mostra(variante == 0 ? 23 : 278);
            break;
        case 1911: {
            const TArquivo& ano = leiaute_.tipoUm.Campo(23);
            l.tipoCampo = "5";
            l.posicaoInicial = std::to_string(ano.posicao);
            l.conteudo = seImprimivel(static_cast<std::size_t>(ano.posicao), 4);
            break;
        }
        case 1912:
            l.tipoCampo = "2";
            l.conteudo = mostra(278);
            break;
        case 1919: case 1920: {
            const bool estab = codigo == 1919;
            const char* tipos[] = {"1", estab ? "3" : "4", estab ? "6" : "7"};
            l.tipoCampo = tipos[variante];
            if (variante == 0) l.conteudo = mostra(23);
            else if (variante == 1) l.conteudo = seImprimivel(estab ? 24 : 30, 6);
            else l.conteudo = std::to_string(estab ? nEstab_ : nEmpreg_);
            break;
        }
        case 1922: {
            const char* tipos[] = {"0", "8", "1", "2"};
            l.tipoCampo = tipos[campoFalho_];
            l.posicaoInicial = std::to_string(posicaoFalha_);
            l.conteudo = mostra(static_cast<std::size_t>(posicaoFalha_));
            if (campoFalho_ == 0 && fSoImprimiveis(reg.data(), 6)) l.conteudo = reg.substr(0, 6);
            if (campoFalho_ == 1 && fSoImprimiveis(reg.data() + 6, 14)) l.conteudo = reg.substr(6, 14);
            break;
        }
        case 1924:
            break;
        default:  // 1905 to 1908, 1910, 1913, 1916 to 1918, 1921: the record type
            l.tipoCampo = "1";
            l.conteudo = mostra(23);
            break;
    }
    l.conteudo = Corta(l.conteudo, 20);
    linhas_.push_back(std::move(l));
}

void ExecucaoAnalise::GravaTe8stru() {
    banco_.CriaTabela(DefTe8stru());
    Tabela t(banco_, "TE8STRU");
    t.Abre();
    for (const auto& l : linhas_) {
        t.Acrescenta();
        t.PoeTexto("AnBase", Corta(anoEsperado_, 4));
        t.PoeTexto("CoMsg", l.coMsg);
        t.PoeTexto("Sequencia", l.sequencia);
        t.PoeTexto("InscricaoPrefixo", l.inscricaoPrefixo);
        t.PoeTexto("TipoCampo", l.tipoCampo);
        t.PoeTexto("PosicaoInicial", l.posicaoInicial);
        t.PoeTexto("Conteudo", l.conteudo);
        t.Grava();
    }
    t.Fecha();
}

}  // namespace zovi
