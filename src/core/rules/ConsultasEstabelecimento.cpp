#include "rules/ConsultasEstabelecimento.h"

#include "engine/Consulta.h"
#include "rules/Primitivas.h"

namespace zovi {

namespace {

// The same test as fTodosZeros, in SQL: not empty and nothing but "0".
constexpr const char* kPisZerado = "CoPisPasepEmpregado <> '' and ltrim(CoPisPasepEmpregado, '0') = ''";
// Without a PIS/PASEP a worker is the zeros he was recorded with and his name.
constexpr const char* kPessoaSql = "CoPisPasepEmpregado || char(1) || NoEmpregado";

std::string Pessoa(const RegistroVinculo& e) {
    return fTodosZeros(e.CoPisPasepEmpregado) ? e.CoPisPasepEmpregado + '\x01' + e.NoEmpregado : std::string();
}

std::vector<std::string> LinhasZerados(const std::string& selecao, const std::string& tabela, const std::string& restricao) {
    return {selecao, "from " + tabela,
            "where AnBase = :anbase and CoCgcCeiEstabelecimento = :inscricao and NuPrefixoEstabelecimento = :prefixo",
            std::string("and ") + kPisZerado, restricao};
}

}  // namespace

void ConsultasEstabelecimento::Estabelecimento(const std::string& anoBase, const std::string& inscricao,
                                               const std::string& prefixo) {
    ano_ = anoBase;
    inscricao_ = inscricao;
    prefixo_ = prefixo;
    zerados_ = {};
    zeradosCarregados_ = false;
}

void ConsultasEstabelecimento::Grupo(const std::vector<RegistroVinculo>& grupo, size_t tamanho) {
    grupo_ = {};
    // Most workers have one record: alone in his group, he is neither repeated nor born twice.
    sozinho_ = tamanho == 1;
    if (sozinho_) return;
    for (size_t i = 0; i < tamanho; ++i) {
        const auto& e = grupo[i];
        grupo_.porAdmissao[{e.DaAdmissaoEmpregado, ""}]++;
        grupo_.porNascimento[{"", e.DaNascimentoEmpregado}]++;
        grupo_.porNome[""]++;
    }
}

// Records with the PIS/PASEP all zeros: the names that appear twice with one
// admission date, and the names recorded with more than one birth date.
void ConsultasEstabelecimento::CarregaZerados() {
    zeradosCarregados_ = true;
    auto liga = [&](Consulta& q) {
        q.Parametro("anbase", ano_);
        q.Parametro("inscricao", inscricao_);
        q.Parametro("prefixo", prefixo_);
    };
    Consulta dup(banco_, LinhasZerados(std::string("select DaAdmissaoEmpregado, ") + kPessoaSql + ", count(*)", tabela_,
                                         "group by 1, 2 having count(*) > 1"));
    liga(dup);
    for (dup.Abre(); !dup.Fim(); dup.Proximo()) zerados_.porAdmissao[{dup.Texto(0), dup.Texto(1)}] = dup.Inteiro(2);
    dup.Fecha();

    auto linhas = LinhasZerados(std::string("select ") + kPessoaSql + ", DaNascimentoEmpregado, count(*)", tabela_, "");
    linhas.back() = std::string("and ") + kPessoaSql + " in (select " + kPessoaSql + " from " + tabela_ +
                    " where AnBase = :anbase and CoCgcCeiEstabelecimento = :inscricao and "
                    "NuPrefixoEstabelecimento = :prefixo and " + kPisZerado +
                    " group by 1 having count(distinct DaNascimentoEmpregado) > 1)";
    linhas.push_back("group by 1, 2");
    Consulta nasc(banco_, linhas);
    liga(nasc);
    for (nasc.Abre(); !nasc.Fim(); nasc.Proximo()) {
        zerados_.porNascimento[{nasc.Texto(0), nasc.Texto(1)}] = nasc.Inteiro(2);
        zerados_.porNome[nasc.Texto(0)] += nasc.Inteiro(2);
    }
}

const ConsultasEstabelecimento::Contagens& ConsultasEstabelecimento::ContagensDe(const RegistroVinculo& e) {
    if (!fTodosZeros(e.CoPisPasepEmpregado)) return grupo_;
    if (!zeradosCarregados_) CarregaZerados();
    return zerados_;
}

void ConsultasEstabelecimento::VerificaDuplicado(const RegistroVinculo& e, EmissorInconsistencias& saida) {
    if (sozinho_ && !fTodosZeros(e.CoPisPasepEmpregado)) return;
    const auto& c = ContagensDe(e);
    auto it = c.porAdmissao.find({e.DaAdmissaoEmpregado, Pessoa(e)});
    if (it == c.porAdmissao.end() || it->second <= 1) return;
    saida.Linhas(kErro, "1671",
                 {{e.NuSequencialRegistro, "1662"},
                  {e.CoPisPasepEmpregado, "1624"},
                  {e.NoEmpregado, "1625"},
                  {e.DaAdmissaoEmpregado, "1632"}});
}

void ConsultasEstabelecimento::VerificaNascimento(const RegistroVinculo& e, EmissorInconsistencias& saida) {
    if (sozinho_ && !fTodosZeros(e.CoPisPasepEmpregado)) return;
    const auto& c = ContagensDe(e);
    const auto pessoa = Pessoa(e);
    auto total = c.porNome.find(pessoa);
    if (total == c.porNome.end()) return;
    auto mesma = c.porNascimento.find({pessoa, e.DaNascimentoEmpregado});
    long diferentes = total->second - (mesma == c.porNascimento.end() ? 0 : mesma->second);
    for (long i = 0; i < diferentes; ++i)
        saida.Linhas(kErro, "1672",
                     {{e.NuSequencialRegistro, "1662"},
                      {e.CoPisPasepEmpregado, "1624"},
                      {e.NoEmpregado, "1625"},
                      {e.DaAdmissaoEmpregado, "1632"},
                      {e.DaNascimentoEmpregado, "1626"}});
}

}  // namespace zovi
