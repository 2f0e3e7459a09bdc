#include "data/ListasSelecao.h"

#include <algorithm>

#include "messages/Formatacao.h"

namespace zovi {

namespace {

std::string LinhaEstabelecimento(const Consulta& q) {
    return LinhaSelecaoEstabelecimento(q.Texto("CoCgcCeiEstabelecimento"), q.Texto("InInscrEstabelecimento"),
                                       q.Texto("NuPrefixoEstabelecimento"), q.Texto("NoRazaoEstabelecimento"));
}

std::vector<std::string> Linhas(Consulta& q, std::string (*linha)(const Consulta&)) {
    std::vector<std::string> r;
    for (q.Abre(); !q.Fim(); q.Proximo()) r.push_back(linha(q));
    q.Fecha();
    return r;
}

// The condition lists only declarations with employees.
constexpr const char* kSoComEmpregados = "and InZoviNegEstabelecimento = \"0\"";

}  // namespace

std::string LinhaSelecaoEstabelecimento(const std::string& inscricao, const std::string& tipoInscricao,
                                        const std::string& prefixo, const std::string& nome) {
    return CompletaEspacos(FormataInscricao(inscricao, tipoInscricao), 18) + "  " + prefixo + "  " + nome;
}

std::vector<std::string> ListaEstabelecimentos(Consulta& q, const std::string& anoBase, char apenasComEmpregados) {
    q.Fecha();
    q.DefineSql({"Select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento,", "NoRazaoEstabelecimento, InInscrEstabelecimento",
                 "from BD8Emp", "where anBase= :anBase"});
    if (apenasComEmpregados == 'N') q.Adiciona(kSoComEmpregados);
    q.Parametro("anBase", anoBase);
    return Linhas(q, LinhaEstabelecimento);
}

std::vector<std::string> MarcaEstabelecimentos(Consulta& q, const std::string& anoBase, char apenasComEmpregados,
                                               char ordem) {
    q.Fecha();
    q.DefineSql({"Select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento, inInscrEstabelecimento",
                 "from BD8Emp", "where anbase = :anobase"});
    if (apenasComEmpregados == 'N') q.Adiciona(kSoComEmpregados);
    q.Adiciona(ordem == '0' ? " order by CoCgcCeiEstabelecimento,NuPrefixoEstabelecimento" : " order by NoRazaoEstabelecimento");
    q.Parametro("anobase", anoBase);
    return Linhas(q, LinhaEstabelecimento);
}

std::vector<std::string> MarcaEmpregados(Consulta& q, const std::string& anoBase, const std::string& inscricao,
                                         const std::string& prefixo, char ordem) {
    q.Fecha();
    q.DefineSql({"Select CoPisPasepEmpregado, NoEmpregado, DaAdmissaoEmpregado", "from BD8Vinc", "where AnBase = :anobase",
                 "and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento",
                 "and NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento"});
    q.Adiciona(ordem == '0' ? "order by CoPisPasepEmpregado" : "order by NoEmpregado");
    q.Parametro("anobase", anoBase);
    q.Parametro("CoCgcCeiEstabelecimento", inscricao);
    q.Parametro("NuPrefixoEstabelecimento", prefixo);
    if (ordem == '0')
        return Linhas(q, [](const Consulta& c) {
            return FormataPisPasep(c.Texto("CoPisPasepEmpregado")) + "  " + FormataData(c.Texto("DaAdmissaoEmpregado")) +
                   "  " + c.Texto("NoEmpregado");
        });
    return Linhas(q, [](const Consulta& c) {
        return CompletaEspacos(c.Texto("NoEmpregado"), 30) + "  " + FormataPisPasep(c.Texto("CoPisPasepEmpregado")) + "  " +
               FormataData(c.Texto("DaAdmissaoEmpregado"));
    });
}

std::vector<std::string> ItensMarcados(const std::vector<std::string>& linhas, const std::vector<bool>& marcadas) {
    std::vector<std::string> r;
    for (size_t i = 0; i < linhas.size() && i < marcadas.size(); ++i)
        if (marcadas[i]) r.push_back(linhas[i].substr(0, 65));
    return r;
}

int LarguraMaiorItem(const std::vector<std::string>& linhas) {
    size_t maior = 0;
    for (const auto& l : linhas) maior = std::max(maior, l.size());
    return static_cast<int>(maior);
}

std::string RetiraSeparadores(const std::string& texto) {
    std::string r;
    for (char c : texto)
        if (c != '.' && c != '/' && c != '-') r += c;
    return r;
}

}  // namespace zovi
