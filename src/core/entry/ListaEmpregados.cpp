#include "entry/ListaEmpregados.h"

#include "engine/Consulta.h"
#include "messages/Formatacao.h"

namespace zovi {

namespace {

// The order's columns: the primary key, or the name followed by the rest of the key.
const char* const kOrdemPis[] = {"CoPisPasepEmpregado", "DaAdmissaoEmpregado", "NoEmpregado", "NuSequencialRegistro"};
const char* const kOrdemNome[] = {"NoEmpregado", "CoPisPasepEmpregado", "DaAdmissaoEmpregado", "NuSequencialRegistro"};

// Names compare without letter case: the bounds of a name search are folded the same way.
std::string Minusculas(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

std::string ProximoPrefixo(std::string prefixo) {
    while (!prefixo.empty() && static_cast<unsigned char>(prefixo.back()) == 0xFF) prefixo.pop_back();
    if (!prefixo.empty()) prefixo.back() = static_cast<char>(static_cast<unsigned char>(prefixo.back()) + 1);
    return prefixo;
}

ListaEmpregados::ListaEmpregados(Banco& banco, std::string anoBase, std::string inscricao, std::string prefixo,
                                 std::string tabela)
    : banco_(banco), anoBase_(std::move(anoBase)), inscricao_(std::move(inscricao)), prefixo_(std::move(prefixo)),
      tabela_(std::move(tabela)) {}

void ListaEmpregados::Filtra(FiltroEmpregados filtro) {
    filtro.pisPasep = fAparaTexto(filtro.pisPasep);
    filtro.nome = fAparaTexto(filtro.nome);
    filtro_ = std::move(filtro);
}

void ListaEmpregados::Ordena(OrdemEmpregados ordem, bool descendente) {
    ordem_ = ordem;
    descendente_ = descendente;
}

// In name order, and in a search by name, the establishment's key is compared with
// the name index's collation, so that the engine walks that index instead of every
// row of the establishment.
std::string ListaEmpregados::Coluna(const char* campo) const {
    return PeloIndiceNome() ? std::string(campo) + " COLLATE NOCASE" : std::string(campo);
}

bool ListaEmpregados::PeloIndiceNome() const {
    return ordem_ == OrdemEmpregados::Nome || !filtro_.nome.empty() || !filtro_.letras.empty();
}

std::string ListaEmpregados::ColunaOrdem(const char* campo) const {
    return ordem_ == OrdemEmpregados::Nome ? std::string(campo) + " COLLATE NOCASE" : std::string(campo);
}

std::vector<std::string> ListaEmpregados::Instrucao(const std::string& colunas) const {
    std::vector<std::string> l = {"select " + colunas, "from " + tabela_,
                                  "where " + Coluna("AnBase") + " = :anbase and " + Coluna("CoCgcCeiEstabelecimento") +
                                      " = :coCgcCeiEstabelecimento and",
                                  Coluna("NuPrefixoEstabelecimento") + " = :NuPrefixoEstabelecimento"};
    if (!filtro_.pisPasep.empty()) {
        l.push_back("and CoPisPasepEmpregado >= :PPisPasep");
        if (!ProximoPrefixo(filtro_.pisPasep).empty()) l.push_back("and CoPisPasepEmpregado < :PPisPasepFim");
    }
    const std::string& inicioNome = !filtro_.nome.empty() ? filtro_.nome : filtro_.letras.substr(0, 1);
    if (!inicioNome.empty()) {
        l.push_back("and NoEmpregado COLLATE NOCASE >= :PNome");
        l.push_back("and NoEmpregado COLLATE NOCASE < :PNomeFim");
    }
    return l;
}

void ListaEmpregados::Liga(Consulta& q) const {
    q.Parametro("anbase", anoBase_);
    q.Parametro("coCgcCeiEstabelecimento", inscricao_);
    q.Parametro("NuPrefixoEstabelecimento", prefixo_);
    q.Parametro("PPisPasep", filtro_.pisPasep);
    q.Parametro("PPisPasepFim", ProximoPrefixo(filtro_.pisPasep));
    if (!filtro_.nome.empty()) {
        q.Parametro("PNome", Minusculas(filtro_.nome));
        q.Parametro("PNomeFim", ProximoPrefixo(Minusculas(filtro_.nome)));
    } else if (!filtro_.letras.empty()) {
        // "EF": from the first letter up to the one after the last.
        q.Parametro("PNome", Minusculas(filtro_.letras.substr(0, 1)));
        q.Parametro("PNomeFim", ProximoPrefixo(Minusculas(filtro_.letras.substr(filtro_.letras.size() - 1))));
    }
}

long ListaEmpregados::Conta() {
    Consulta q(banco_, Instrucao("count(*)"));
    Liga(q);
    q.Abre();
    return q.Inteiro(0);
}

std::vector<LinhaEmpregado> ListaEmpregados::Linhas(long inicio, long quantidade) {
    std::vector<LinhaEmpregado> linhas;
    if (quantidade <= 0 || inicio < 0) return linhas;
    auto sql = Instrucao("CoPisPasepEmpregado, NoEmpregado, DaAdmissaoEmpregado, NuSequencialRegistro");
    std::string ordem = "order by ";
    const auto& campos = ordem_ == OrdemEmpregados::Nome ? kOrdemNome : kOrdemPis;
    for (size_t i = 0; i < std::size(kOrdemPis); ++i)
        ordem += (i ? ", " : "") + ColunaOrdem(campos[i]) + (descendente_ ? " desc" : "");
    sql.push_back(ordem);
    sql.push_back("limit " + std::to_string(quantidade) + " offset " + std::to_string(inicio));
    Consulta q(banco_, std::move(sql));
    Liga(q);
    linhas.reserve(static_cast<size_t>(quantidade));
    for (q.Abre(); !q.Fim(); q.Proximo())
        linhas.push_back({q.Texto(0), q.Texto(1), q.Texto(2), q.Texto(3)});
    return linhas;
}

std::optional<long> ListaEmpregados::Posicao(const ChaveEmpregado& chave) {
    const auto& campos = ordem_ == OrdemEmpregados::Nome ? kOrdemNome : kOrdemPis;
    std::string tupla = "(";
    for (size_t i = 0; i < std::size(kOrdemPis); ++i) tupla += (i ? ", " : "") + ColunaOrdem(campos[i]);
    tupla += ")";
    auto sql = Instrucao("count(*)");
    sql.push_back("and " + tupla + (descendente_ ? " > " : " < ") + "(:k1, :k2, :k3, :k4)");
    Consulta q(banco_, std::move(sql));
    Liga(q);
    const std::string* valores[] = {&chave.pisPasep, &chave.admissao, &chave.nome, &chave.sequencial};
    if (ordem_ == OrdemEmpregados::Nome) {
        const std::string* porNome[] = {&chave.nome, &chave.pisPasep, &chave.admissao, &chave.sequencial};
        std::copy(std::begin(porNome), std::end(porNome), std::begin(valores));
    }
    for (int i = 0; i < 4; ++i) q.Parametro("k" + std::to_string(i + 1), *valores[i]);
    q.Abre();
    long antes = q.Inteiro(0);
    auto linha = Linhas(antes, 1);
    if (linha.empty() || !(linha.front().Chave() == chave)) return std::nullopt;
    return antes;
}

}  // namespace zovi
