#include "declfile/Protocolo.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>

#include "analysis/AnaliseEstrutura.h"
#include "data/Tabelas.h"
#include "engine/Consulta.h"
#include "engine/Erros.h"
#include "engine/Tabela.h"
#include "messages/Mensagens.h"
#include "platform/Unidades.h"
#include "zovi2005.h"

namespace zovi {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNomeProtocolo = "Zovi2005.pro";

std::string Minusculas(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The file named by `caminho` (the program's way or a path), found whatever its letter case.
std::optional<fs::path> LocalizaArquivo(const std::string& caminho) {
    auto p = CaminhoUnidade(caminho);
    if (!p) return std::nullopt;
    std::error_code ec;
    if (fs::is_regular_file(*p, ec)) return p;
    const fs::path pasta = p->parent_path().empty() ? fs::path(".") : p->parent_path();
    const std::string procurado = Minusculas(p->filename().string());
    for (const auto& e : fs::directory_iterator(pasta, ec))
        if (Minusculas(e.path().filename().string()) == procurado && e.is_regular_file(ec)) return e.path();
    return std::nullopt;
}

std::string Hoje() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char texto[16];
    std::strftime(texto, sizeof texto, "%d%m%Y", &local);
    return texto;
}

// The build of the receipt tables from the work tables.
class GeracaoProtocolo {
public:
    GeracaoProtocolo(Banco& banco, Interacao& ui, const DadosProtocolo& dados) : banco_(banco), ui_(ui), dados_(dados) {}
    int Executa();

private:
    // The employee rows of the current establishment of `te8Emp_`, counted one by one so that
    // the stop request is polled between them; false when the user stopped.
    bool ContaEmpregados(long& contagem);
    long MaximoProgresso();
    void AcrescentaIdentificacao(Tabela& estab, Tabela& resp);
    bool Interrompe() { return ui_.InterrupcaoPedida() && ConfirmaInterrupcao(ui_); }

    Banco& banco_;
    Interacao& ui_;
    const DadosProtocolo& dados_;
    long progresso_ = 0, maximo_ = 0;
    std::string anBase_, inscricao_, prefixo_;
};

long GeracaoProtocolo::MaximoProgresso() {
    long maximo = 0;
    Tabela estab(banco_, "TE8EMP");
    estab.Abre();
    for (estab.Primeiro(); !estab.Fim(); estab.Proximo()) {
        ++maximo;
        if (estab.Texto("InZoviNegEstabelecimento") != "0") continue;
        Consulta q(banco_, {"SELECT COUNT(*) FROM TE8Vinc",
                            "WHERE AnBase = :AnBase AND CoCgcCeiEstabelecimento = :Inscricao",
                            "AND NuPrefixoEstabelecimento = :Prefixo"});
        q.Parametro("AnBase", estab.Texto("AnBase"));
        q.Parametro("Inscricao", estab.Texto("CoCgcCeiEstabelecimento"));
        q.Parametro("Prefixo", estab.Texto("NuPrefixoEstabelecimento"));
        q.Abre();
        maximo += q.Inteiro(0);
    }
    return maximo;
}

bool GeracaoProtocolo::ContaEmpregados(long& contagem) {
    Consulta q(banco_, {"SELECT 1 FROM TE8Vinc",
                        "WHERE AnBase = :AnBase AND CoCgcCeiEstabelecimento = :Inscricao",
                        "AND NuPrefixoEstabelecimento = :Prefixo"});
    q.Parametro("AnBase", anBase_);
    q.Parametro("Inscricao", inscricao_);
    q.Parametro("Prefixo", prefixo_);
    for (q.AbreSequencial(); !q.Fim(); q.Proximo()) {
        if (Interrompe()) return false;
        ++contagem;
        ui_.Progresso(++progresso_, maximo_);
    }
    return true;
}

void GeracaoProtocolo::AcrescentaIdentificacao(Tabela& estab, Tabela& resp) {
    Tabela id(banco_, "TE8PROID");
    id.Abre();
    id.Acrescenta();
    id.PoeTexto("NuDisquete", "1");
    for (const char* c : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "InInscrEstabelecimento",
                          "NoRazaoEstabelecimento", "EdEstabelecimento", "NuEnderecoEstabelecimento",
                          "TxComplemEstabelecimento", "NoBairroEstabelecimento", "CoCepEstabelecimento", "CoMunicipio",
                          "NoMunicEstabelecimento", "SgUf", "NuDDD", "NuTelefone", "InEncerramentoAtividade",
                          "DaEncerramentoAtividade"})
        id.PoeTexto(c, estab.Texto(c));
    resp.Primeiro();
    if (!resp.Vazia()) {
        for (const char* c : {"CoCgcCeiResponsavel", "InInscrResponsavel", "NoResponsavelArquivo",
                              "EdLogradouroRespArquivo", "NuLogradouroRespArquivo", "TxComplementoRespArquivo",
                              "NoBairroRespArquivo", "CoCepRespArquivo", "CoMunicipioRespArquivo",
                              "NoMunicipioRespArquivo", "SgUfRespArquivo", "NuFoneDDD", "NuFoneAssinante"})
            id.PoeTexto(c, resp.Texto(c));
        id.PoeTexto("TxEMailRespArquivo", resp.Texto("TxEMailRespArquivo").substr(0, 39));
        id.PoeLogico("InReciboParaRespArquivo", resp.Logico("InReciboParaRespArquivo"));
        id.PoeLogico("InRetificacao", resp.Logico("InRetificacao"));
    }
    id.PoeTexto("DaGeracao", Hoje());
    id.PoeTexto("CreaProtocolo", dados_.numero);
    id.PoeTexto("HashProtocolo", dados_.hash);
    id.PoeTexto("ddProtocolo", dados_.data.substr(0, 2));
    id.PoeTexto("mmProtocolo", dados_.data.size() >= 4 ? dados_.data.substr(2, 2) : std::string());
    id.Grava();
}

int GeracaoProtocolo::Executa() {
    ui_.Progresso(0, 0);
    try {
        banco_.CriaTabela(DefTe8ProIdProtocolo());
        banco_.CriaTabela(DefTe8ProES());
    } catch (const ErroBanco&) {
        ApagaTabelasProtocolo(banco_);
        return kDadosProtocoloErro;
    }
    int resultado = kDadosProtocoloGerados;
    try {
        Transacao tr(banco_);
        maximo_ = MaximoProgresso();
        ui_.Progresso(0, maximo_);
        Tabela estab(banco_, "TE8EMP"), resp(banco_, "TE8RESP"), es(banco_, "TE8PROES");
        estab.Abre();
        resp.Abre();
        es.Abre();
        long estabelecimentos = 0, vinculos = 0;
        for (estab.Primeiro(); !estab.Fim() && resultado == kDadosProtocoloGerados; estab.Proximo()) {
            if (estabelecimentos++ == 0) AcrescentaIdentificacao(estab, resp);
            anBase_ = estab.Texto("AnBase");
            inscricao_ = estab.Texto("CoCgcCeiEstabelecimento");
            prefixo_ = estab.Texto("NuPrefixoEstabelecimento");
            ui_.Progresso(++progresso_, maximo_);
            long contagem = 0;
            if (estab.Texto("InZoviNegEstabelecimento") == "0" && !ContaEmpregados(contagem))
                resultado = kDadosProtocoloInterrompidos;
            vinculos += contagem;
            es.Acrescenta();
            es.PoeTexto("NuDisquete", "1");
            for (const char* c : {"CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoCgcVinculado",
                                  "InInscrEstabelecimento", "NoRazaoEstabelecimento", "DaEncerramentoAtividade"})
                es.PoeTexto(c, estab.Texto(c));
            es.PoeTexto("NuVinculosEstabelecimento", std::to_string(contagem));
            es.Grava();
        }
        if (resultado == kDadosProtocoloGerados && estabelecimentos > 0) {
            Tabela id(banco_, "TE8PROID");
            id.Abre();
            id.Primeiro();
            id.Edita();
            id.PoeTexto("NuEstabelecimentos", std::to_string(estabelecimentos));
            id.PoeTexto("NuVinculos", std::to_string(vinculos));
            id.Grava();
        }
        // A declaration without establishments has nothing to print.
        if (estabelecimentos == 0) resultado = kDadosProtocoloErro;
        if (resultado == kDadosProtocoloGerados) tr.Confirma();
    } catch (const ErroBanco&) {
        resultado = kDadosProtocoloErro;
    }
    if (resultado != kDadosProtocoloGerados) ApagaTabelasProtocolo(banco_);
    return resultado;
}

}  // namespace

std::string CaminhoProtocolo(const std::string& declaracao) {
    const auto barra = declaracao.find_last_of("\\/");
    return (barra == std::string::npos ? std::string() : declaracao.substr(0, barra + 1)) + kNomeProtocolo;
}

int fValidaProtocolo(const std::string& declaracao, Interacao& interacao, DadosProtocolo& dados) {
    dados = {};
    const auto arquivo = LocalizaArquivo(declaracao);
    if (!arquivo) {
        interacao.Mostra(TipoDialogo::Aviso, kAvisoSemDeclaracao);
        return kProtocoloArquivoAusente;
    }
    if (!LocalizaArquivo(CaminhoProtocolo(declaracao))) {
        interacao.Mostra(TipoDialogo::Aviso, kAvisoSemProtocolo);
        return kProtocoloArquivoAusente;
    }
    char caminho[ZOVI2005_CAMINHO] = {};
    char numero[ZOVI2005_NUMERO] = {}, data[ZOVI2005_DATA] = {}, hash[ZOVI2005_HASH] = {};
    const std::string texto = arquivo->string();
    // A path the library's buffer cannot hold cannot be validated.
    if (texto.size() >= sizeof caminho) return kProtocoloInvalido;
    std::memcpy(caminho, texto.data(), texto.size());
    if (protocolValidate(caminho, numero, data, hash) == 0) return kProtocoloInvalido;
    dados = {numero, data, hash};
    return kProtocoloValido;
}

DesfechoProtocolo fAnalisaDeclaracaoProtocolo(Banco& banco, const std::string& declaracao, Interacao& interacao) {
    const auto arquivo = LocalizaArquivo(declaracao);
    if (!arquivo) return DesfechoProtocolo::Recusado;
    TAnaliseEstrutura analise(banco, interacao);
    long estabelecimentos = 0, empregados = 0;
    switch (analise.fAnalisaArquivo(*arquivo, 2005, false, estabelecimentos, empregados)) {
    case kAnaliseSemFalha:
    case kAnaliseRetificacao: return DesfechoProtocolo::Pronto;
    case kAnaliseInterrompida: return DesfechoProtocolo::Interrompido;
    default: return DesfechoProtocolo::Recusado;
    }
}

int fGeraDadosProtocolo(Banco& banco, Interacao& interacao, const DadosProtocolo& dados) {
    return GeracaoProtocolo(banco, interacao, dados).Executa();
}

void ApagaTabelasProtocolo(Banco& banco) {
    for (const char* t : {"TE8PROID", "TE8PROES"}) {
        try {
            banco.ApagaTabela(t);
        } catch (const ErroBanco&) {
        }
    }
}

DesfechoProtocolo fPreparaProtocolo(Banco& banco, const std::string& declaracao, Interacao& interacao,
                                    DadosProtocolo& dados) {
    switch (fValidaProtocolo(declaracao, interacao, dados)) {
    case kProtocoloArquivoAusente: return DesfechoProtocolo::ArquivoAusente;
    case kProtocoloInvalido: return DesfechoProtocolo::Recusado;
    default: break;
    }
    if (const auto analise = fAnalisaDeclaracaoProtocolo(banco, declaracao, interacao);
        analise != DesfechoProtocolo::Pronto)
        return analise;
    switch (fGeraDadosProtocolo(banco, interacao, dados)) {
    case kDadosProtocoloGerados: return DesfechoProtocolo::Pronto;
    case kDadosProtocoloInterrompidos: return DesfechoProtocolo::Interrompido;
    default: return DesfechoProtocolo::Recusado;
    }
}

}  // namespace zovi
