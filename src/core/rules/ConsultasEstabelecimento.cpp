#include "rules/ConsultasEstabelecimento.h"

#include "engine/Consulta.h"
#include "rules/Primitivas.h"

namespace zovi {

namespace {

// The same test as fTodosZeros, in SQL: not empty and nothing but "0".
constexpr const char* kPisZerado = "(CoPisPasepEmpregado <> '' and ltrim(CoPisPasepEmpregado, '0') = '')";
constexpr const char* kDoEstabelecimento =
    "AnBase = :anbase and CoCgcCeiEstabelecimento = :inscricao and NuPrefixoEstabelecimento = :prefixo";

void Liga(Consulta& q, const std::string& anoBase, const std::string& inscricao, const std::string& prefixo) {
    q.Parametro("anbase", anoBase);
    q.Parametro("inscricao", inscricao);
    q.Parametro("prefixo", prefixo);
}

}  // namespace

ConsultasEstabelecimento::Pessoa ConsultasEstabelecimento::PessoaDe(const RegistroVinculo& e) {
    const auto& pis = e.CoPisPasepEmpregado;
    return {pis, fTodosZeros(pis) ? e.NoEmpregado : std::string()};
}

void ConsultasEstabelecimento::Estabelecimento(const std::string& anoBase, const std::string& inscricao,
                                               const std::string& prefixo) {
    duplicados_.clear();
    divergentes_.clear();
    const std::string nome = std::string("case when ") + kPisZerado + " then NoEmpregado else '' end";

    Consulta dup(banco_, {"select CoPisPasepEmpregado, DaAdmissaoEmpregado, " + nome + " as nome, count(*) as n",
                          "from " + tabela_, std::string("where ") + kDoEstabelecimento,
                          "group by 1, 2, 3 having count(*) > 1"});
    Liga(dup, anoBase, inscricao, prefixo);
    for (dup.Abre(); !dup.Fim(); dup.Proximo())
        duplicados_[{dup.Texto(0), dup.Texto(1), dup.Texto(2)}] = dup.Inteiro(3);
    dup.Fecha();

    Consulta nasc(banco_, {"select CoPisPasepEmpregado, " + nome + " as nome, DaNascimentoEmpregado, count(*) as n",
                           "from " + tabela_, std::string("where ") + kDoEstabelecimento,
                           "and (CoPisPasepEmpregado, " + nome + ") in (",
                           "  select CoPisPasepEmpregado, " + nome + " from " + tabela_,
                           std::string("  where ") + kDoEstabelecimento,
                           "  group by 1, 2 having count(distinct DaNascimentoEmpregado) > 1)", "group by 1, 2, 3"});
    Liga(nasc, anoBase, inscricao, prefixo);
    for (nasc.Abre(); !nasc.Fim(); nasc.Proximo()) {
        auto& n = divergentes_[{nasc.Texto(0), nasc.Texto(1)}];
        n.total += nasc.Inteiro(3);
        n.porData[nasc.Texto(2)] += nasc.Inteiro(3);
    }
}

void ConsultasEstabelecimento::VerificaDuplicado(const RegistroVinculo& e, EmissorInconsistencias& saida) {
    auto [pis, nome] = PessoaDe(e);
    auto it = duplicados_.find({pis, e.DaAdmissaoEmpregado, nome});
    if (it == duplicados_.end() || it->second <= 1) return;
    saida.Linhas(kErro, "1671",
                 {{e.NuSequencialRegistro, "1662"},
                  {e.CoPisPasepEmpregado, "1624"},
                  {e.NoEmpregado, "1625"},
                  {e.DaAdmissaoEmpregado, "1632"}});
}

void ConsultasEstabelecimento::VerificaNascimento(const RegistroVinculo& e, EmissorInconsistencias& saida) {
    auto it = divergentes_.find(PessoaDe(e));
    if (it == divergentes_.end()) return;
    auto mesma = it->second.porData.find(e.DaNascimentoEmpregado);
    long diferentes = it->second.total - (mesma == it->second.porData.end() ? 0 : mesma->second);
    for (long i = 0; i < diferentes; ++i)
        saida.Linhas(kErro, "1672",
                     {{e.NuSequencialRegistro, "1662"},
                      {e.CoPisPasepEmpregado, "1624"},
                      {e.NoEmpregado, "1625"},
                      {e.DaAdmissaoEmpregado, "1632"},
                      {e.DaNascimentoEmpregado, "1626"}});
}

}  // namespace zovi
