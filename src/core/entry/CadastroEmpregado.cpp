#include "entry/CadastroEmpregado.h"

#include "engine/Erros.h"
#include "messages/Formatacao.h"
#include "rules/Primitivas.h"

namespace zovi {

ChaveEmpregado ChaveDe(const RegistroVinculo& r) {
    return {r.CoPisPasepEmpregado, r.DaAdmissaoEmpregado, r.NoEmpregado, r.NuSequencialRegistro};
}

bool PisSemNumero(const std::string& pisPasep) { return fTodosZeros(fAparaTexto(pisPasep)); }

CadastroEmpregado::CadastroEmpregado(TdmEntradaDados& dm, EstabelecimentoEmpregados estabelecimento)
    : dm_(dm), estab_(std::move(estabelecimento)) {}

bool CadastroEmpregado::PosicionaEmpregado(const ChaveEmpregado& chave) {
    auto& t = dm_.ta8Empreg;
    if (!t.Aberta()) t.Abre();
    return t.BuscaChave({estab_.anoBase, estab_.inscricao, estab_.prefixo, chave.pisPasep, chave.admissao, chave.nome,
                         chave.sequencial});
}

std::optional<RegistroVinculo> CadastroEmpregado::Le(const ChaveEmpregado& chave) {
    if (!PosicionaEmpregado(chave)) return std::nullopt;
    return LeVinculo(dm_.ta8Empreg);
}

ContagemEmpregados CadastroEmpregado::Conta() {
    return {dm_.ContaEmpregados(estab_.anoBase, estab_.inscricao, estab_.prefixo),
            dm_.ContaEstrangeiros(estab_.anoBase, estab_.inscricao, estab_.prefixo)};
}

void CadastroEmpregado::GravaContagem(const ContagemEmpregados& c) {
    auto& e = dm_.ta8Empresa;
    if (!e.Aberta()) e.Abre();
    if (!e.BuscaChave({estab_.anoBase, estab_.inscricao, estab_.prefixo}))
        throw ErroBanco("Estabelecimento " + estab_.inscricao + " " + estab_.prefixo + " não encontrado em BD8EMP");
    e.Edita();
    e.PoeTexto("NuVinculosEstabelecimento", CompletaZeros(std::to_string(c.empregados), 6));
    e.PoeTexto("NuEstrangeirosEstabelec", CompletaZeros(std::to_string(c.estrangeiros), 5));
    e.Grava();
}

// After a rolled-back transaction the tables' cursors may describe rows that are
// no longer stored: they are closed, and open again at their next use.
void CadastroEmpregado::Recompoe() {
    for (Tabela* t : {&dm_.ta8Empreg, &dm_.ta8Empresa}) {
        try {
            if (t->Aberta()) t->Cancela();
        } catch (const ErroBanco&) {
        }
        t->Fecha();
    }
}

ContagemEmpregados CadastroEmpregado::Grava(RegistroVinculo& registro, const std::optional<ChaveEmpregado>& original) {
    registro.AnBase = estab_.anoBase;
    registro.CoCgcCeiEstabelecimento = estab_.inscricao;
    registro.NuPrefixoEstabelecimento = estab_.prefixo;
    auto& t = dm_.ta8Empreg;
    try {
        Transacao transacao(t.BancoDados());
        if (original) {
            if (!PosicionaEmpregado(*original))
                throw ErroBanco("Empregado " + original->pisPasep + " não encontrado em BD8VINC");
            t.Edita();
        } else {
            if (!t.Aberta()) t.Abre();
            t.Acrescenta();
        }
        for (const auto& [nome, membro] : CamposVinculo()) t.PoeTexto(nome, registro.*membro);
        t.Grava();
        auto contagem = Conta();
        GravaContagem(contagem);
        transacao.Confirma();
        return contagem;
    } catch (...) {
        Recompoe();
        throw;
    }
}

bool CadastroEmpregado::Exclui(const ChaveEmpregado& chave, ContagemEmpregados* contagem) {
    try {
        Transacao transacao(dm_.ta8Empreg.BancoDados());
        if (!PosicionaEmpregado(chave)) return false;
        dm_.ta8Empreg.Apaga();
        auto c = Conta();
        GravaContagem(c);
        transacao.Confirma();
        if (contagem) *contagem = c;
        return true;
    } catch (...) {
        Recompoe();
        throw;
    }
}

void CadastroEmpregado::LigaEstabelecimento(Consulta& q) {
    q.Parametro("sAnoBase", estab_.anoBase);
    q.Parametro("sInscricao", estab_.inscricao);
    q.Parametro("sPrefixo", estab_.prefixo);
}

std::optional<RegistroVinculo> CadastroEmpregado::DadosPessoaisDoPis(const std::string& pisPasep) {
    auto& q = dm_.quBuscaEmpreg;
    q.DefineSql({"select NoEmpregado, DaNascimentoEmpregado, CoNacionalidade, AnChegadaEmpregado, CoInstrucao,",
                 "NuCartTrabEmpregado, CoTipoRaca, InDeficienteFisico, InSexo, CoCPFEmpregado", "from BD8Vinc",
                 "where AnBase = :sAnoBase and CoCgcCeiEstabelecimento = :sInscricao and",
                 "NuPrefixoEstabelecimento = :sPrefixo and CoPisPasepEmpregado = :sPisPasep"});
    LigaEstabelecimento(q);
    q.Parametro("sPisPasep", pisPasep);
    q.Abre();
    if (q.Vazia()) {
        q.Fecha();
        return std::nullopt;
    }
    auto semZeros = [](const std::string& v) { return fTodosZeros(fAparaTexto(v)) ? std::string() : v; };
    RegistroVinculo r;
    r.NoEmpregado = q.Texto("NoEmpregado");
    r.DaNascimentoEmpregado = q.Texto("DaNascimentoEmpregado");
    r.CoNacionalidade = q.Texto("CoNacionalidade");
    r.AnChegadaEmpregado = semZeros(q.Texto("AnChegadaEmpregado"));
    r.CoInstrucao = q.Texto("CoInstrucao");
    r.NuCartTrabEmpregado = semZeros(q.Texto("NuCartTrabEmpregado"));
    r.CoTipoRaca = semZeros(q.Texto("CoTipoRaca"));
    r.InDeficienteFisico = q.Texto("InDeficienteFisico");
    r.InSexo = q.Texto("InSexo");
    r.CoCpfEmpregado = semZeros(q.Texto("CoCPFEmpregado"));
    q.Fecha();
    return r;
}

std::optional<ChaveEmpregado> CadastroEmpregado::MesmaAdmissao(const std::string& pisPasep,
                                                               const std::string& admissao, const std::string& nome) {
    auto& q = dm_.quBuscaEmpreg;
    q.DefineSql({"select *", "from BD8Vinc", "where AnBase = :sAnoBase and", "CoCgcCeiEstabelecimento = :sInscricao and",
                 "NuPrefixoEstabelecimento = :sPrefixo and", "CoPisPasepEmpregado = :sPisPasep and",
                 "DaAdmissaoEmpregado = :sDataAdm"});
    if (PisSemNumero(pisPasep)) q.Adiciona("and NoEmpregado = :Nome");
    LigaEstabelecimento(q);
    q.Parametro("sPisPasep", pisPasep);
    q.Parametro("sDataAdm", admissao);
    q.Parametro("Nome", nome);
    q.Abre();
    std::optional<ChaveEmpregado> chave;
    if (!q.Vazia())
        chave = ChaveEmpregado{q.Texto("CoPisPasepEmpregado"), q.Texto("DaAdmissaoEmpregado"), q.Texto("NoEmpregado"),
                               q.Texto("NuSequencialRegistro")};
    q.Fecha();
    return chave;
}

long CadastroEmpregado::NascimentosDiferentes(const std::string& pisPasep, const std::string& nome,
                                              const std::string& nascimento) {
    auto& q = dm_.quBuscaEmpreg;
    q.DefineSql({"select count(*)", "from BD8Vinc", "where AnBase = :sAnoBase and",
                 "CoCgcCeiEstabelecimento = :sInscricao and", "NuPrefixoEstabelecimento = :sPrefixo and",
                 "CoPisPasepEmpregado = :sPisPasep and", "DaNascimentoEmpregado <> :sNascimento"});
    if (PisSemNumero(pisPasep)) q.Adiciona("and NoEmpregado = :Nome");
    LigaEstabelecimento(q);
    q.Parametro("sPisPasep", pisPasep);
    q.Parametro("sNascimento", nascimento);
    q.Parametro("Nome", nome);
    q.Abre();
    long n = q.Inteiro(0);
    q.Fecha();
    return n;
}

}  // namespace zovi
