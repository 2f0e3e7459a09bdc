#include "Gerador.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "data/Tabelas.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"

namespace zovi::bancada {

namespace {

// ---------------------------------------------------------------- randomness
// splitmix64: the same sequence on every platform, unlike the standard distributions.
class Sorteio {
public:
    explicit Sorteio(std::uint64_t semente) : estado_(semente) {}
    std::uint64_t Proximo() {
        std::uint64_t z = (estado_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    long Entre(long minimo, long maximo) {  // inclusive
        return minimo + static_cast<long>(Proximo() % static_cast<std::uint64_t>(maximo - minimo + 1));
    }
    bool Chance(int porMil) { return Entre(0, 999) < porMil; }
    template <class T>
    const T& Um(const std::vector<T>& v) { return v[static_cast<size_t>(Entre(0, static_cast<long>(v.size()) - 1))]; }
    std::string Digitos(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + Entre(0, 9));
        return s;
    }

private:
    std::uint64_t estado_;
};

// ---------------------------------------------------------------- formatting
std::string Zeros(long long valor, int largura) {
    std::string s = std::to_string(valor);
    if (static_cast<int>(s.size()) < largura) s.insert(0, static_cast<size_t>(largura) - s.size(), '0');
    return s;
}

bool Bissexto(int ano) { return (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0; }
int DiasNoMes(int mes, int ano) {
    static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return mes == 2 && Bissexto(ano) ? 29 : dias[mes - 1];
}
std::string Data(int dia, int mes, int ano) { return Zeros(dia, 2) + Zeros(mes, 2) + Zeros(ano, 4); }
std::string DiaMes(int dia, int mes) { return Zeros(dia, 2) + Zeros(mes, 2); }

// Text the rules accept as a name or an address: printable, no quotes, longer
// than two characters, no run of four equal characters.
bool TextoAceito(std::string_view t) {
    if (t.size() <= 2) return false;
    for (unsigned char c : t)
        if (c < 32 || c > 126 || c == '"' || c == '\'') return false;
    for (size_t i = 3; i < t.size(); ++i)
        if (t[i] != ' ' && t[i] == t[i - 1] && t[i] == t[i - 2] && t[i] == t[i - 3]) return false;
    return true;
}

bool SoDigitos(std::string_view t) {
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// ---------------------------------------------------------------- names
const std::vector<std::string> kNomesMasculinos = {
    "JOSE",     "JOAO",    "ANTONIO",  "FRANCISCO", "CARLOS",    "PAULO",    "PEDRO",    "LUCAS",
    "LUIZ",     "MARCOS",  "GABRIEL",  "RAFAEL",    "DANIEL",    "MARCELO",  "BRUNO",    "EDUARDO",
    "FELIPE",   "RAIMUNDO", "RODRIGO", "MANOEL",    "MATEUS",    "ANDRE",    "FERNANDO", "FABIO",
    "LEONARDO", "GUSTAVO", "GUILHERME", "LEANDRO",  "TIAGO",     "ANDERSON", "RICARDO",  "MARCIO",
    "JORGE",    "SEBASTIAO", "ALEXANDRE", "ROBERTO", "EDSON",    "DIEGO",    "VITOR",    "SERGIO",
    "CLAUDIO",  "MARIO",   "WAGNER",   "GERALDO",   "BENEDITO",  "OSVALDO",  "RENATO",   "HELIO"};
const std::vector<std::string> kNomesFemininos = {
    "MARIA",    "ANA",     "FRANCISCA", "ANTONIA",  "ADRIANA",   "JULIANA",  "MARCIA",   "FERNANDA",
    "PATRICIA", "ALINE",   "SANDRA",   "CAMILA",    "AMANDA",    "BRUNA",    "JESSICA",  "LETICIA",
    "JULIA",    "LUCIANA", "VANESSA",  "MARIANA",   "GABRIELA",  "VERA",     "VITORIA",  "LARISSA",
    "CLAUDIA",  "BEATRIZ", "LUANA",    "RITA",      "SONIA",     "RENATA",   "ELIANE",   "JOSEFA",
    "SIMONE",   "NATALIA", "CRISTINA", "CARLA",     "DEBORA",    "ROSANGELA", "JAQUELINE", "TEREZA",
    "LUCIA",    "HELENA",  "APARECIDA", "RAQUEL",   "IRENE",     "DENISE",   "REGINA",   "EDNA"};
const std::vector<std::string> kSobrenomes = {
    "SILVA",    "SANTOS",   "OLIVEIRA",  "SOUZA",   "RODRIGUES", "FERREIRA", "ALVES",    "PEREIRA",
    "LIMA",     "GOMES",    "COSTA",     "RIBEIRO", "MARTINS",   "CARVALHO", "ALMEIDA",  "LOPES",
    "SOARES",   "FERNANDES", "VIEIRA",   "BARBOSA", "ROCHA",     "DIAS",     "NASCIMENTO", "ANDRADE",
    "MOREIRA",  "NUNES",    "MARQUES",   "MACHADO", "MENDES",    "FREITAS",  "CARDOSO",  "RAMOS",
    "GONCALVES", "SANTANA", "TEIXEIRA",  "ARAUJO",  "PINTO",     "CAVALCANTE", "MONTEIRO", "MOURA",
    "CORREIA",  "BATISTA",  "CAMPOS",    "REIS",    "FONSECA",   "BORGES",   "PIRES",    "AZEVEDO"};
const std::vector<std::string> kParticulas = {"DE", "DA", "DOS", "DAS", "DO"};
const std::vector<std::string> kRamos = {"COMERCIO",   "INDUSTRIA",  "SERVICOS",  "TRANSPORTES", "ALIMENTOS",
                                         "CONFECCOES", "METALURGICA", "DISTRIBUIDORA", "CONSTRUTORA", "TEXTIL"};
const std::vector<std::string> kRuas = {"RUA DAS FLORES",    "AVENIDA BRASIL",     "RUA SETE DE SETEMBRO",
                                        "RUA QUINZE DE NOVEMBRO", "AVENIDA GETULIO VARGAS", "RUA DO COMERCIO",
                                        "RUA TIRADENTES",    "AVENIDA PRESIDENTE VARGAS", "RUA SAO JOSE",
                                        "RUA DOM PEDRO II",  "RODOVIA BR 116 KM 12", "RUA MARECHAL DEODORO"};
const std::vector<std::string> kBairros = {"CENTRO", "VILA NOVA", "JARDIM AMERICA", "DISTRITO INDUSTRIAL",
                                           "BOA VISTA", "SAO CRISTOVAO", "SANTA CRUZ", "LIBERDADE"};

// Adds words while the whole stays within `largura`.
void Acrescenta(std::string& nome, const std::string& palavra, size_t largura) {
    if (nome.size() + 1 + palavra.size() <= largura) nome += " " + palavra;
}

std::string NomePessoa(Sorteio& s, bool masculino) {
    const auto& primeiros = masculino ? kNomesMasculinos : kNomesFemininos;
    std::string nome = s.Um(primeiros);
    if (s.Chance(300)) Acrescenta(nome, s.Um(primeiros), 30);
    if (s.Chance(250)) {
        std::string particula = s.Um(kParticulas), sobrenome = s.Um(kSobrenomes);
        if (nome.size() + particula.size() + sobrenome.size() + 2 <= 30) nome += " " + particula + " " + sobrenome;
    }
    Acrescenta(nome, s.Um(kSobrenomes), 30);
    if (s.Chance(500)) Acrescenta(nome, s.Um(kSobrenomes), 30);
    if (nome.find(' ') == std::string::npos) nome += " SILVA";
    return nome;
}

// ---------------------------------------------------------------- identifiers
int Resto11(const std::string& digitos, const std::vector<int>& pesos) {
    int soma = 0;
    for (size_t i = 0; i < pesos.size(); ++i) soma += (digitos[i] - '0') * pesos[i];
    return soma % 11;
}
char DigitoPadrao(int resto) { return static_cast<char>('0' + (resto < 2 ? 0 : 11 - resto)); }

}  // namespace

std::string DigitosCnpj(const std::string& doze) {
    std::string c = doze;
    c += DigitoPadrao(Resto11(c, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
    c += DigitoPadrao(Resto11(c, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
    return c;
}

std::string DigitosCei(const std::string& onze) {
    static const int pesos[] = {7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4};
    int soma = 0;
    for (int i = 0; i < 11; ++i) soma += (onze[static_cast<size_t>(i)] - '0') * pesos[i];
    int ultimos = soma % 100;
    int n = (ultimos / 10 + ultimos % 10) % 10;
    return "00" + onze + static_cast<char>('0' + (10 - n) % 10);
}

std::string DigitosCpf(const std::string& nove) {
    std::string c = nove;
    c += DigitoPadrao(Resto11(c, {10, 9, 8, 7, 6, 5, 4, 3, 2}));
    c += DigitoPadrao(Resto11(c, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}));
    return c;
}

std::string DigitosPisPasep(const std::string& dez) {
    int resto = Resto11(dez, {3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
    if (resto == 1) return {};
    return dez + static_cast<char>('0' + (resto == 0 ? 0 : 11 - resto));
}

namespace {

// ---------------------------------------------------------------- reference data
struct Lugar {
    std::string municipio, nome, uf, cepPrefixoInicial, cepPrefixoFinal, ddd;
};

struct Ocupacao {
    std::string codigo;
    bool criticaAna = false, criticaCbo = false;
};

// Area codes a state accepts, by state code.
const std::map<std::string, std::vector<std::string>> kDddPorUf = {
    {"11", {"69"}}, {"12", {"68"}}, {"13", {"92", "97"}}, {"14", {"95"}}, {"15", {"91", "93", "94"}},
    {"16", {"96"}}, {"17", {"63"}}, {"21", {"98", "99"}}, {"22", {"86", "89"}}, {"23", {"85", "88"}},
    {"24", {"84"}}, {"25", {"83"}}, {"26", {"81", "87"}}, {"27", {"82"}}, {"28", {"79"}},
    {"29", {"71", "73", "74", "75", "77"}}, {"31", {"31", "32", "33", "34", "35", "37", "38"}},
    {"32", {"27", "28"}}, {"33", {"21", "22", "24"}}, {"35", {"11", "12", "13", "14", "15", "16", "17", "18", "19"}},
    {"41", {"41", "42", "43", "44", "45", "46"}}, {"42", {"47", "48", "49"}}, {"43", {"51", "53", "54", "55"}},
    {"50", {"67"}}, {"51", {"65", "66"}}, {"52", {"62", "64"}}, {"53", {"61"}}};

class Catalogos {
public:
    explicit Catalogos(Banco& banco) {
        CarregaLugares(banco);
        CarregaOcupacoes(banco);
        cnaes_ = Codigos(banco, "TB8CNAE", "CoCnae", 5, [](const std::string& c) { return !c.starts_with("75"); });
        naturezasEmpresa_ = Codigos(banco, "TB8NATJU", "CoNaturezaJuridica", 4,
                                    [](const std::string& c) { return c.starts_with("2"); });
        naturezasPessoa_ = Codigos(banco, "TB8NATJU", "CoNaturezaJuridica", 4,
                                   [](const std::string& c) { return c.starts_with("4"); });
        if (naturezasPessoa_.empty()) naturezasPessoa_ = naturezasEmpresa_;
        nacionalidadesEstrangeiras_ = Codigos(banco, "TB8NACIO", "CoNacionalidade", 2,
                                              [](const std::string& c) { return c != "10" && c != "00"; });
        instrucoes_ = Codigos(banco, "TB8INSTR", "CoInstrucao", 1, [](const std::string& c) { return c != "0"; });
        racas_ = Codigos(banco, "TB8RACA", "CoRaca", 1, [](const std::string& c) { return c != "0"; });
        tiposAdmissao_ = Codigos(banco, "TB8TPADM", "CoTipoAdmissao", 1, [](const std::string& c) { return c != "0"; });
        for (auto* v : {&cnaes_, &naturezasEmpresa_, &nacionalidadesEstrangeiras_, &instrucoes_, &racas_,
                        &tiposAdmissao_})
            if (v->empty()) throw std::runtime_error("tabela de referência sem códigos utilizáveis");
        if (lugares_.empty()) throw std::runtime_error("nenhum município com faixa de CEP utilizável");
        if (ocupacoes_.empty()) throw std::runtime_error("nenhuma ocupação utilizável em TB8CBO");
    }

    const std::vector<Lugar>& Lugares() const { return lugares_; }
    const std::vector<Ocupacao>& Ocupacoes() const { return ocupacoes_; }
    const std::vector<std::string>& Cnaes() const { return cnaes_; }
    const std::vector<std::string>& NaturezasEmpresa() const { return naturezasEmpresa_; }
    const std::vector<std::string>& NaturezasPessoa() const { return naturezasPessoa_; }
    const std::vector<std::string>& NacionalidadesEstrangeiras() const { return nacionalidadesEstrangeiras_; }
    const std::vector<std::string>& Instrucoes() const { return instrucoes_; }
    const std::vector<std::string>& Racas() const { return racas_; }
    const std::vector<std::string>& TiposAdmissao() const { return tiposAdmissao_; }

private:
    template <class Filtro>
    static std::vector<std::string> Codigos(Banco& banco, const char* tabela, const char* campo, size_t largura,
                                            Filtro aceita) {
        std::vector<std::string> codigos;
        Tabela t(banco, tabela);
        t.Abre();
        for (t.Primeiro(); !t.Fim(); t.Proximo()) {
            auto c = t.Texto(campo);
            if (c.size() == largura && SoDigitos(c) && aceita(c)) codigos.push_back(c);
        }
        return codigos;
    }

    // A municipality is usable when its name passes as text, its CEP range is
    // known (its own ranges, or its single CEP) and lies within one of its
    // state's ranges, and its state has area codes.
    void CarregaLugares(Banco& banco) {
        std::map<std::string, std::string> siglas;
        {
            Tabela uf(banco, "TBUF");
            uf.Abre();
            for (uf.Primeiro(); !uf.Fim(); uf.Proximo()) siglas[uf.Texto("CoUf")] = uf.Texto("SgUf");
        }
        std::map<std::string, std::vector<std::pair<long, long>>> faixasUf;
        {
            Tabela fx(banco, "TBUFCEP");
            fx.Abre();
            for (fx.Primeiro(); !fx.Fim(); fx.Proximo())
                faixasUf[fx.Texto("CoUf")].push_back({fx.Inteiro("CoCepInicial"), fx.Inteiro("CoCepFinal")});
        }
        std::map<std::string, std::pair<std::string, std::string>> faixasMunicipio;
        {
            Tabela fx(banco, "TB8FXCEP");
            fx.Abre();
            for (fx.Primeiro(); !fx.Fim(); fx.Proximo())
                faixasMunicipio[fx.Texto("CoMunicipio")] = {fx.Texto("CoCep1Inicial"), fx.Texto("CoCep1Final")};
        }
        Tabela m(banco, "TB8MUNIC");
        m.Abre();
        for (m.Primeiro(); !m.Fim(); m.Proximo()) {
            Lugar l;
            l.municipio = m.Texto("CoMunicipio");
            l.nome = m.Texto("NoMunicipio");
            if (l.municipio.size() != 7 || !SoDigitos(l.municipio) || l.nome.size() > 30 || !TextoAceito(l.nome))
                continue;
            auto codigoUf = l.municipio.substr(0, 2);
            auto sigla = siglas.find(codigoUf);
            auto ddd = kDddPorUf.find(codigoUf);
            if (sigla == siglas.end() || ddd == kDddPorUf.end()) continue;
            l.uf = sigla->second;
            l.ddd = ddd->second.front();
            if (m.Texto("InFaixa") != "0") {
                auto f = faixasMunicipio.find(l.municipio);
                if (f == faixasMunicipio.end()) continue;
                std::tie(l.cepPrefixoInicial, l.cepPrefixoFinal) = f->second;
            } else {
                l.cepPrefixoInicial = l.cepPrefixoFinal = m.Texto("CoCep");
            }
            if (l.cepPrefixoInicial.size() != 5 || l.cepPrefixoFinal.size() != 5 || !SoDigitos(l.cepPrefixoInicial) ||
                !SoDigitos(l.cepPrefixoFinal) || l.cepPrefixoInicial.starts_with("00") ||
                l.cepPrefixoInicial > l.cepPrefixoFinal)
                continue;
            long ini = std::stol(l.cepPrefixoInicial), fim = std::stol(l.cepPrefixoFinal);
            bool dentroDoEstado = false;
            for (auto [a, b] : faixasUf[codigoUf]) dentroDoEstado = dentroDoEstado || (ini >= a && fim <= b);
            if (dentroDoEstado) lugares_.push_back(std::move(l));
        }
    }

    void CarregaOcupacoes(Banco& banco) {
        static const std::vector<std::string> vedadas = {"111105", "111110", "111230", "111235",
                                                         "111240", "111245", "111250", "111255"};
        Tabela t(banco, "TB8CBO");
        t.Abre();
        for (t.Primeiro(); !t.Fim(); t.Proximo()) {
            Ocupacao o{t.Texto("CoCbo"), t.Logico("InCriticaAna"), t.Logico("InCriticaCbo")};
            if (o.codigo.size() != 6 || !SoDigitos(o.codigo) || o.codigo == "000000") continue;
            if (std::find(vedadas.begin(), vedadas.end(), o.codigo) != vedadas.end()) continue;
            ocupacoes_.push_back(std::move(o));
        }
    }

    std::vector<Lugar> lugares_;
    std::vector<Ocupacao> ocupacoes_;
    std::vector<std::string> cnaes_, naturezasEmpresa_, naturezasPessoa_, nacionalidadesEstrangeiras_, instrucoes_,
        racas_, tiposAdmissao_;
};

// ---------------------------------------------------------------- the declaration
struct Endereco {
    std::string logradouro, numero, complemento, bairro, cep, municipio, nomeMunicipio, uf, ddd, telefone;
};

Endereco SorteiaEndereco(Sorteio& s, const Catalogos& cat) {
    const Lugar& l = s.Um(cat.Lugares());
    Endereco e;
    e.logradouro = s.Um(kRuas);
    e.numero = Zeros(s.Entre(1, 4999), 6);
    e.complemento = s.Chance(300) ? "SALA " + std::to_string(s.Entre(1, 30)) : "";
    e.bairro = s.Um(kBairros);
    long prefixo = s.Entre(std::stol(l.cepPrefixoInicial), std::stol(l.cepPrefixoFinal));
    e.cep = Zeros(prefixo, 5) + Zeros(s.Entre(0, 999), 3);
    e.municipio = l.municipio;
    e.nomeMunicipio = l.nome;
    e.uf = l.uf;
    e.ddd = l.ddd;
    e.telefone = std::to_string(s.Entre(2, 3)) + Zeros(s.Entre(0, 9999999), 7);
    return e;
}

std::string RaizCnpj(Sorteio& s) { return std::to_string(s.Entre(1, 9)) + s.Digitos(7); }

// A CNPJ of a head office (order number 0001) with a root that cannot also read as a CEI.
std::string CnpjMatriz(Sorteio& s) { return DigitosCnpj(RaizCnpj(s) + "0001"); }

struct Estabelecimento {
    std::string inscricao, tipo, prefixo, razao, cnae, natureza, cnpjSindicato, indicadorPat;
    Endereco endereco;
};

// Unique PIS/PASEP numbers: "12" followed by eight digits run through a
// bijection of 0..10^8-1, so that no two employees of a run share one.
class FontePis {
public:
    explicit FontePis(std::uint64_t semente) : deslocamento_(semente % kModulo) {}
    std::string Proximo() {
        for (;;) {
            std::uint64_t n = (kMultiplicador * (contador_++) + deslocamento_) % kModulo;
            auto pis = DigitosPisPasep("12" + Zeros(static_cast<long long>(n), 8));
            if (!pis.empty() && pis != "12345678919" && pis != "12345678900") return pis;
        }
    }

private:
    static constexpr std::uint64_t kModulo = 100000000ull;
    static constexpr std::uint64_t kMultiplicador = 48271ull;  // coprime with 10^8
    std::uint64_t deslocamento_;
    std::uint64_t contador_ = 0;
};

class Gerador {
public:
    Gerador(Banco& banco, const ParametrosGeracao& p)
        : banco_(banco), p_(p), cat_(banco), s_(p.semente), pis_(p.semente * 7919u), emp_(banco, "BD8EMP"),
          vinc_(banco, "BD8VINC") {}

    ResumoGeracao Gera() {
        emp_.Abre();
        vinc_.Abre();
        transacao_ = std::make_unique<Transacao>(banco_);
        std::string raiz = RaizCnpj(s_);
        for (long e = 0; e < p_.estabelecimentos; ++e) {
            if (!p_.umaInscricao && e % 10 == 0 && e > 0) raiz = RaizCnpj(s_);
            GeraEstabelecimento(e, raiz);
        }
        GravaDeclarante();
        transacao_->Confirma();
        transacao_.reset();
        return resumo_;
    }

private:
    void LinhaGravada() {
        if (++linhasNaTransacao_ < p_.linhasPorTransacao) return;
        transacao_->Confirma();
        transacao_ = std::make_unique<Transacao>(banco_);
        linhasNaTransacao_ = 0;
    }

    static std::string Prefixo(long e) {
        static const std::string simbolos = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        long n = e + 1;  // "01", "02", ... "0Z", "10", ...
        if (n >= 36 * 36) throw std::runtime_error("prefixos esgotados para uma só inscrição");
        return {simbolos[static_cast<size_t>(n / 36)], simbolos[static_cast<size_t>(n % 36)]};
    }

    void GeraEstabelecimento(long indice, const std::string& raiz) {
        Estabelecimento est;
        // A declaration without employees cannot come from a CEI.
        bool cei = !p_.umaInscricao && indice % 10 == 9 && p_.empregadosPorEstabelecimento > 0;
        if (p_.umaInscricao) {
            est.inscricao = DigitosCnpj(raiz + "0001");
            est.prefixo = Prefixo(indice);
        } else if (cei) {
            est.inscricao = DigitosCei(Zeros(s_.Entre(1000, 9999), 4) + s_.Digitos(7));
            est.prefixo = "01";
        } else {
            est.inscricao = DigitosCnpj(raiz + Zeros(indice % 10 + 1, 4));
            est.prefixo = "01";
        }
        est.tipo = cei ? "3" : "1";
        std::string sobrenome = s_.Um(kSobrenomes);
        est.razao = cei ? NomePessoa(s_, true) : sobrenome + " " + s_.Um(kRamos) + " LTDA";
        est.cnae = s_.Um(cat_.Cnaes());
        est.natureza = cei ? s_.Um(cat_.NaturezasPessoa()) : s_.Um(cat_.NaturezasEmpresa());
        est.cnpjSindicato = CnpjMatriz(s_);
        est.indicadorPat = s_.Chance(500) ? "1" : "2";
        est.endereco = SorteiaEndereco(s_, cat_);

        long empregados = p_.empregadosPorEstabelecimento, estrangeiros = 0;
        for (long i = 0; i < empregados; ++i) {
            // Foreigners stay within a third of the staff, as the declaration expects.
            bool estrangeiro = s_.Chance(20) && (estrangeiros + 1) * 3 <= empregados;
            estrangeiros += estrangeiro ? 1 : 0;
            GeraEmpregado(est, i, estrangeiro);
        }
        GravaEstabelecimento(est, indice, empregados, estrangeiros);
        resumo_.estabelecimentos++;
        resumo_.empregados += empregados;
        resumo_.estrangeiros += estrangeiros;
    }

    void GravaEstabelecimento(const Estabelecimento& est, long indice, long empregados, long estrangeiros) {
        const Endereco& d = est.endereco;
        bool semEmpregados = empregados == 0;
        bool pat = est.indicadorPat == "1" && !semEmpregados;
        long acima5 = empregados / 10;
        emp_.Acrescenta();
        for (auto [campo, valor] : std::initializer_list<std::pair<const char*, std::string>>{
                 {"AnBase", "2005"},
                 {"CoCgcCeiEstabelecimento", est.inscricao},
                 {"NuPrefixoEstabelecimento", est.prefixo},
                 {"CoCgcVinculado", "00000000000000"},
                 {"NoRazaoEstabelecimento", est.razao},
                 {"EdEstabelecimento", d.logradouro},
                 {"NuEnderecoEstabelecimento", d.numero},
                 {"TxComplemEstabelecimento", d.complemento},
                 {"NoBairroEstabelecimento", d.bairro},
                 {"CoCepEstabelecimento", d.cep},
                 {"CoMunicipio", d.municipio},
                 {"NoMunicEstabelecimento", d.nomeMunicipio},
                 {"SgUf", d.uf},
                 {"NuDDD", d.ddd},
                 {"NuTelefone", d.telefone},
                 {"CoCnae", est.cnae},
                 {"CoNaturezaJuridica", est.natureza},
                 {"NuProprietEstabelecimento", Zeros(s_.Entre(1, 4), 2)},
                 {"MeDataBase", Zeros(s_.Entre(1, 12), 2)},
                 {"InInscrEstabelecimento", est.tipo},
                 {"InZoviNegEstabelecimento", semEmpregados ? "1" : "0"},
                 {"TxUsoEstabelecimento", "FILIAL " + Zeros(indice + 1, 4)},
                 {"NuVinculosEstabelecimento", Zeros(empregados, 6)},
                 {"NuEstrangeirosEstabelec", Zeros(estrangeiros, 5)},
                 {"InOpcaoAberta", ""},
                 {"NuSequencialRegistro", Zeros(indice + 1, 6)},
                 {"InPorte", std::to_string(s_.Entre(1, 3))},
                 {"InOptanteSimples", "2"},
                 {"InEncerramentoAtividade", "2"},
                 {"DaEncerramentoAtividade", "00000000"},
                 {"InParticipaPAT", pat ? "1" : "2"},
                 {"NuVinculoPatMaior5", Zeros(pat ? acima5 : 0, 6)},
                 {"NuVinculoPatMenor5", Zeros(pat ? empregados - acima5 : 0, 6)},
                 {"PoServicoProprio", "000"},
                 {"PoAdmCozinha", "000"},
                 {"PoRefeicaoConvenio", pat ? "060" : "000"},
                 {"PoRefeicaoTransportadora", "000"},
                 {"PoCestaAlimento", "000"},
                 {"PoAlimentacaoConvenio", pat ? "040" : "000"},
                 {"TxEmailEstabelecimento", "rh" + Zeros(indice + 1, 4) + "@empresa.com.br"},
                 {"CoCNPJAssociativa", ""},
                 {"VaGlobalAssociativa", "00000000"},
                 {"CoCNPJSindical", est.cnpjSindicato},
                 {"VaGlobalSindical", Zeros(s_.Entre(10000, 500000), 8)},
                 {"CoCNPJAssistencial", ""},
                 {"VaGlobalAssistencial", "00000000"},
                 {"CoCNPJConfederativa", ""},
                 {"VaGlobalConfederativa", "00000000"},
                 {"InAtividadeAnoBase", "1"}})
            emp_.PoeTexto(campo, valor);
        emp_.PoeLogico("InAvisoCnae", false);
        emp_.Grava();
        LinhaGravada();
    }

    void GeraEmpregado(const Estabelecimento& est, long indice, bool estrangeiro) {
        Sorteio& s = s_;
        bool masculino = s.Chance(550);
        int anoNascimento = static_cast<int>(s.Entre(1945, 1985));
        int mesNascimento = static_cast<int>(s.Entre(1, 12));
        int diaNascimento = static_cast<int>(s.Entre(1, DiasNoMes(mesNascimento, anoNascimento)));

        int anoAdmissao = s.Chance(150) ? 2005 : static_cast<int>(s.Entre(std::max(anoNascimento + 18, 1975), 2004));
        int mesAdmissao = static_cast<int>(s.Entre(1, 12));
        int diaAdmissao = static_cast<int>(s.Entre(1, DiasNoMes(mesAdmissao, anoAdmissao)));
        bool admitidoNoAno = anoAdmissao == 2005;
        int primeiroMes = admitidoNoAno ? mesAdmissao : 1;

        // Terminations happen after the admission month, with a cause that pays holidays.
        int mesDesligamento = 0, diaDesligamento = 0;
        std::string causa = "00";
        if (s.Chance(80) && primeiroMes < 12) {
            mesDesligamento = static_cast<int>(s.Entre(primeiroMes + 1, 12));
            diaDesligamento = static_cast<int>(s.Entre(1, DiasNoMes(mesDesligamento, 2005)));
            static const std::vector<std::string> causas = {"11", "11", "11", "12", "21"};
            causa = s.Um(causas);
        }
        bool desligado = mesDesligamento > 0;
        int ultimoMes = desligado ? mesDesligamento : 12;

        std::string nacionalidade = "10", chegada = "0000";
        if (estrangeiro) {
            nacionalidade = s.Um(cat_.NacionalidadesEstrangeiras());
            chegada = std::to_string(s.Entre(anoNascimento, anoAdmissao));
        }

        const Ocupacao& cbo = s.Um(cat_.Ocupacoes());
        std::string instrucao = s.Um(cat_.Instrucoes());
        if (cbo.criticaCbo) instrucao = "9";
        if (cbo.criticaAna && instrucao == "1") instrucao = "2";

        bool horista = s.Chance(100);
        static const std::vector<int> jornadas = {44, 44, 44, 44, 40, 40, 36, 30, 20};
        int horasSemanais = s.Um(jornadas);
        int horasMes = horasSemanais * 433 / 100;
        double u = static_cast<double>(s.Entre(0, 1000000)) / 1000000.0;
        long long salarioMensal = 35000 + static_cast<long long>(u * u * u * 1500000.0);
        long long salarioHora = std::max<long long>(salarioMensal / horasMes, 200);
        long long contratual = horista ? salarioHora : salarioMensal;

        std::string vinculo;
        if (est.tipo == "3") vinculo = s.Chance(800) ? "15" : "25";
        else vinculo = s.Chance(900) ? "10" : (s.Chance(500) ? "50" : "60");

        vinc_.Acrescenta();
        auto poe = [this](const char* campo, const std::string& valor) { vinc_.PoeTexto(campo, valor); };
        poe("AnBase", "2005");
        poe("CoCgcCeiEstabelecimento", est.inscricao);
        poe("NuPrefixoEstabelecimento", est.prefixo);
        poe("CoPisPasepEmpregado", pis_.Proximo());
        poe("DaAdmissaoEmpregado", Data(diaAdmissao, mesAdmissao, anoAdmissao));
        poe("NoEmpregado", NomePessoa(s, masculino));
        poe("NuSequencialRegistro", Zeros(indice + 1, 6));
        poe("DaNascimentoEmpregado", Data(diaNascimento, mesNascimento, anoNascimento));
        poe("CoNacionalidade", nacionalidade);
        poe("AnChegadaEmpregado", chegada);
        poe("CoInstrucao", instrucao);
        poe("NuCartTrabEmpregado", Zeros(s.Entre(1, 9999999), 7) + Zeros(s.Entre(1, 999), 4));
        poe("CoCpfEmpregado", DigitosCpf(std::to_string(s.Entre(1, 9)) + s.Digitos(8)));
        poe("CoTipoAdmissao", admitidoNoAno ? s.Um(cat_.TiposAdmissao()) : "2");
        poe("VaSalContratualEmpregado", Zeros(contratual, 9));
        poe("CoTipoSalarioContratual", horista ? "5" : "1");
        poe("HoSemanaisEmpregado", Zeros(horasSemanais, 2));
        poe("CoCbo", cbo.codigo);
        poe("CoVinculo", vinculo);
        poe("CoCausaDesligamento", causa);
        poe("DaDesligamentoEmpregado", desligado ? DiaMes(diaDesligamento, mesDesligamento) : "0000");

        // Monthly pay: a raise from May; the admission and termination months
        // paid by the days worked; never exactly ten times the month before.
        long long anterior = 0, somaMeses = 0, mesesPagos = 0, ultimoValor = 0;
        for (int m = 1; m <= 12; ++m) {
            long long valor = 0;
            int horas = 0;
            if (m >= primeiroMes && m <= ultimoMes) {
                long long base = (horista ? salarioHora * horasMes : salarioMensal) * (m >= 5 ? 107 : 100) / 100;
                int dias = DiasNoMes(m, 2005), trabalhados = dias;
                if (admitidoNoAno && m == mesAdmissao) trabalhados = dias - diaAdmissao + 1;
                if (desligado && m == mesDesligamento) trabalhados = std::min(trabalhados, diaDesligamento);
                valor = std::max<long long>(base * trabalhados / dias, 1);
                horas = std::max(horasMes * trabalhados / dias, 1);
                if (valor == anterior * 10) ++valor;
                somaMeses += valor;
                ++mesesPagos;
                ultimoValor = base;
            }
            poe(kCamposRemuneracao[m - 1], Zeros(valor, 9));
            poe(kCamposHoras[m - 1], Zeros(horas, 3));
            anterior = valor;
        }

        // 13th salary: two instalments for who stays, one on termination ("99") for who leaves;
        // never above one and a half times the average month paid.
        int mesesDireito = ultimoMes - primeiroMes + 1;
        long long decimo = std::min(ultimoValor * mesesDireito / 12, somaMeses / mesesPagos * 3 / 2);
        decimo = std::max<long long>(decimo, 1);
        std::string me13Adiantamento = "00", va13Adiantamento = "000000000", me13Final, va13Final;
        if (desligado) {
            me13Final = "99";
            va13Final = Zeros(decimo, 9);
        } else if (primeiroMes <= 11 && decimo >= 2) {
            me13Adiantamento = "11";
            va13Adiantamento = Zeros(decimo / 2, 9);
            me13Final = "12";
            va13Final = Zeros(decimo - decimo / 2, 9);
        } else {
            me13Final = "12";
            va13Final = Zeros(decimo, 9);
        }
        poe("Me13AdiantamentoEmpregado", me13Adiantamento);
        poe("Va13AdiantamentoEmpregado", va13Adiantamento);
        poe("Me13ParcelaFinalEmpregado", me13Final);
        poe("Va13ParcelaFinalEmpregado", va13Final);

        poe("TxUsoEmpregado", "MAT" + Zeros(indice + 1, 7));
        poe("CoTipoRaca", s.Um(cat_.Racas()));
        poe("InDeficienteFisico", s.Chance(20) ? "1" : "2");
        poe("VaAvisoPrevioEmpregado", Zeros(desligado && causa == "11" ? ultimoValor : 0, 9));
        poe("InAlvaraEmpregado", "2");
        poe("InSexo", masculino ? "1" : "2");

        // A sick leave of a fortnight for a few who worked the whole year.
        bool afastado = !admitidoNoAno && !desligado && s.Chance(30);
        int mesAfastamento = static_cast<int>(s.Entre(2, 10)), diaInicio = static_cast<int>(s.Entre(1, 10));
        poe("CoMotivoPrimAfas", afastado ? "40" : "00");
        poe("DaInicioprimeiroAfas", afastado ? DiaMes(diaInicio, mesAfastamento) : "0000");
        poe("DaFinalPrimeiroAfas", afastado ? DiaMes(diaInicio + 15, mesAfastamento) : "0000");
        poe("QtDiasAfas", afastado ? "016" : "000");
        for (const char* campo : {"CoMotivoSeguAfas", "CoMotivoTercAfas", "CoMotivoAfastamento"}) poe(campo, "00");
        for (const char* campo : {"DaInicioSegundoAfas", "DaFinalSegundoAfas", "DaInicioTerceiroAfas",
                                  "DaFinalTerceiroAfas"})
            poe(campo, "0000");

        bool sindicalizado = s.Chance(700);
        poe("CoCNPJSindical", sindicalizado ? est.cnpjSindicato : "");
        poe("VaGlobalSindical", Zeros(sindicalizado ? std::max<long long>(salarioMensal / 30, 1) : 0, 8));
        for (const char* campo : {"CoCNPJPrimAssociativa", "CoCNPJSegAssociativa", "CoCNPJAssistencial",
                                  "CoCNPJConfederativa"})
            poe(campo, "");
        for (const char* campo : {"VaGlobalPrimAssociativa", "VaGlobalSegAssociativa", "VaGlobalAssistencial",
                                  "VaGlobalConfederativa", "VaGlobalMultas", "VaGlobalBcoHoras",
                                  "VaGlobalDissidio", "VaGlobalGratificacoes"})
            poe(campo, "00000000");
        poe("VaGlobalFerias", Zeros(desligado ? std::max<long long>(ultimoValor * 4 / 3 * mesesDireito / 12, 1) : 0, 8));
        for (const char* campo : {"QtCompBcoHoras", "QtCompDissidio", "QtCompGratificacoes"}) poe(campo, "00");
        poe("CoMunicipioTrabalho", est.endereco.municipio);
        poe("NoMunicipioTrabalho", est.endereco.nomeMunicipio);
        poe("SgUfTrabalho", est.endereco.uf);
        vinc_.Grava();
        LinhaGravada();
    }

    void GravaDeclarante() {
        Endereco d = SorteiaEndereco(s_, cat_);
        Tabela resp(banco_, "BD8RESP");
        resp.Abre();
        resp.Primeiro();
        if (resp.Fim()) resp.Acrescenta();
        else resp.Edita();
        for (auto [campo, valor] : std::initializer_list<std::pair<const char*, std::string>>{
                 {"CoCgcCeiResponsavel", CnpjMatriz(s_)},
                 {"InInscrResponsavel", "1"},
                 {"NoResponsavelArquivo", "CONTABILIDADE " + s_.Um(kSobrenomes) + " LTDA"},
                 {"EdLogradouroRespArquivo", d.logradouro},
                 {"NuLogradouroRespArquivo", d.numero},
                 {"TxComplementoRespArquivo", d.complemento},
                 {"NoBairroRespArquivo", d.bairro},
                 {"CoCepRespArquivo", d.cep},
                 {"CoMunicipioRespArquivo", d.municipio},
                 {"NoMunicipioRespArquivo", d.nomeMunicipio},
                 {"SgUfRespArquivo", d.uf},
                 {"NuFoneDDD", d.ddd},
                 {"NuFoneAssinante", d.telefone},
                 {"TxEMailRespArquivo", "contato@contabilidade.com.br"},
                 {"DaRetificacao", "00000000"},
                 {"DaGeracao", "15032006"},
                 {"NuRespostaPesquisa", ""},
                 {"HoSenha", ""}})
            resp.PoeTexto(campo, valor);
        for (const char* campo : {"InReciboParaRespArquivo", "InRetificacao", "InAntecipacao"})
            resp.PoeLogico(campo, false);
        resp.Grava();
    }

    Banco& banco_;
    ParametrosGeracao p_;
    Catalogos cat_;
    Sorteio s_;
    FontePis pis_;
    Tabela emp_, vinc_;
    std::unique_ptr<Transacao> transacao_;
    long linhasNaTransacao_ = 0;
    ResumoGeracao resumo_;
};

}  // namespace

ResumoGeracao GeraDeclaracao(Banco& banco, const ParametrosGeracao& parametros) {
    if (parametros.estabelecimentos < 0 || parametros.empregadosPorEstabelecimento < 0)
        throw std::invalid_argument("quantidades negativas");
    return Gerador(banco, parametros).Gera();
}

}  // namespace zovi::bancada
