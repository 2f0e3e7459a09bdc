#include "declfile/Retificacao.h"

#include "engine/Consulta.h"
#include "engine/Definicao.h"
#include "engine/Erros.h"
#include "engine/Tabela.h"
#include "rules/Primitivas.h"

namespace zovi {

namespace {

// The current row of `origem` appended to `destino`, field by field in field order.
void AcrescentaCopia(const Tabela& origem, Tabela& destino) {
    destino.Acrescenta();
    for (const auto& campo : origem.Definicao().campos) {
        if (origem.Nulo(campo.nome))
            destino.Limpa(campo.nome);
        else if (campo.tipo == TipoCampo::Logico)
            destino.PoeLogico(campo.nome, origem.Logico(campo.nome));
        else
            destino.PoeTexto(campo.nome, origem.Texto(campo.nome));
    }
    destino.Grava();
}

// The employee's key fields as the primary index leads with them; the name only when the
// PIS cannot tell employees apart.
std::vector<std::string> ChaveEmpregado(const EstabelecimentoRetificacao& e, const EmpregadoRetificacao& v) {
    std::vector<std::string> chave{e.anBase, e.inscricao, e.prefixo, v.pis, v.admissao};
    if (v.pis == kPisNaoInformado) chave.push_back(v.nome);
    return chave;
}

}  // namespace

EmpregadoRetificacao::EmpregadoRetificacao(std::string pis_, std::string admissao_, const std::string& nome_,
                                           long posicao_)
    : pis(std::move(pis_)), admissao(std::move(admissao_)), nome(pis == kPisNaoInformado ? nome_ : std::string()),
      posicao(posicao_) {}

SelecaoRetificacao fEstabelecimentosRetificacao(Banco& banco, const std::string& anoBase) {
    Consulta q(banco, {"SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, InZoviNegEstabelecimento,",
                       "InInscrEstabelecimento, NoRazaoEstabelecimento, NuVinculosEstabelecimento FROM BD8Emp", "WHERE AnBase = :AnBase",
                       "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
    q.Parametro("AnBase", anoBase);
    SelecaoRetificacao selecao;
    for (q.Abre(); !q.Fim(); q.Proximo()) {
        EstabelecimentoRetificacao e;
        e.anBase = q.Texto(0);
        e.inscricao = q.Texto(1);
        e.prefixo = q.Texto(2);
        e.posicao = static_cast<long>(selecao.size());
        e.comEmpregados = q.Texto(3) == "0";
        e.tipoInscricao = q.Texto(4);
        e.nome = q.Texto(5);
        e.vinculos = q.Texto(6);
        selecao.push_back(std::move(e));
    }
    return selecao;
}

std::string fCriticaSelecaoRetificacao(const SelecaoRetificacao& selecao, size_t* falta) {
    bool algum = false;
    for (size_t i = 0; i < selecao.size(); ++i) {
        const auto& e = selecao[i];
        if (!e.selecionado) continue;
        algum = true;
        if (e.comEmpregados && e.escolhidos.empty()) {
            if (falta) *falta = i;
            return "1304";
        }
    }
    return algum ? kPassa : "1301";
}

bool fCriaTabelasRetificacao(Banco& banco) {
    return banco.fCriaTabelaComo("BD8RESP", "TE8RESP", true) && banco.fCriaTabelaComo("BD8EMP", "TE8EMP", true) &&
           banco.fCriaTabelaComo("BD8VINC", "TE8VINC", true);
}

std::string fCopiaRetificacao(Banco& banco, const SelecaoRetificacao& selecao) {
    Transacao tr(banco);
    // Every pass starts afresh: a declarant corrected on a second pass replaces the first copy.
    for (const char* t : {"TE8RESP", "TE8EMP", "TE8VINC"}) banco.EsvaziaTabela(t);
    Tabela bd8Resp(banco, "BD8RESP"), bd8Emp(banco, "BD8EMP"), bd8Vinc(banco, "BD8VINC");
    Tabela te8Resp(banco, "TE8RESP"), te8Emp(banco, "TE8EMP"), te8Vinc(banco, "TE8VINC");
    for (Tabela* t : {&bd8Resp, &bd8Emp, &bd8Vinc, &te8Resp, &te8Emp, &te8Vinc}) t->Abre();
    bd8Resp.Primeiro();
    if (!bd8Resp.Vazia()) AcrescentaCopia(bd8Resp, te8Resp);
    for (const auto& e : selecao) {
        if (!e.selecionado) continue;
        if (!bd8Emp.BuscaChave({e.anBase, e.inscricao, e.prefixo})) return "1925";
        AcrescentaCopia(bd8Emp, te8Emp);
        for (const auto& v : e.escolhidos) {
            if (!bd8Vinc.BuscaChave(ChaveEmpregado(e, v))) return "1925";
            try {
                AcrescentaCopia(bd8Vinc, te8Vinc);
            } catch (const ErroMotor& erro) {
                if (erro.Codigo() != codigo_motor::ViolacaoChave) throw;
                return "1926";
            }
        }
    }
    tr.Confirma();
    return kPassa;
}

}  // namespace zovi
