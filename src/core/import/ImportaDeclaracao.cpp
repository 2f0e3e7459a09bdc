#include "import/ImportaDeclaracao.h"

#include <optional>
#include <utility>

#include "data/Tabelas.h"
#include "engine/Consulta.h"
#include "engine/Erros.h"
#include "engine/Tabela.h"
#include "messages/Formatacao.h"
#include "messages/Mensagens.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEstabelecimento.h"

namespace zovi {

namespace {

constexpr const char* kAnoImportado = "2005";  // every row the import writes is of this base year
constexpr const char* kPrimeiroPrefixoNovo = "G0";
constexpr int kTotalPrefixos = 36 * 36;

// The fields of an establishment copied from the file, under the same names.
constexpr const char* kCamposEstabelecimento[] = {
    "CoCgcVinculado", "InInscrEstabelecimento", "NoRazaoEstabelecimento", "EdEstabelecimento",
    "NuEnderecoEstabelecimento", "TxComplemEstabelecimento", "NoBairroEstabelecimento", "CoCepEstabelecimento",
    "CoMunicipio", "NoMunicEstabelecimento", "SgUf", "CoCnae", "CoNaturezaJuridica", "NuProprietEstabelecimento",
    "MeDataBase", "InZoviNegEstabelecimento", "InAtividadeAnoBase", "InOptanteSimples", "TxUsoEstabelecimento",
    "InOpcaoAberta", "NuDDD", "NuTelefone", "TxEmailEstabelecimento", "InEncerramentoAtividade",
    "DaEncerramentoAtividade", "InPorte", "InParticipaPAT", "NuVinculoPatMaior5", "NuVinculoPatMenor5",
    "PoServicoProprio", "PoAdmCozinha", "PoRefeicaoConvenio", "PoRefeicaoTransportadora", "PoCestaAlimento",
    "PoAlimentacaoConvenio", "VaGlobalSindical", "VaGlobalAssociativa", "CoCNPJAssistencial",
    "VaGlobalAssistencial", "CoCNPJConfederativa", "VaGlobalConfederativa"};
// Copied, but emptied when the file carries fourteen zeros.
constexpr const char* kCnpjsVaziosSeZeros[] = {"CoCNPJSindical", "CoCNPJAssociativa"};

// Employees carried forward from the previous year: still employed at its end
// ("00"), or whose termination is a transfer ("71", "78").
bool ContinuaEmpregado(std::string_view causa) { return causa == "00" || causa == "71" || causa == "78"; }

// Linked inscriptions compared as numbers: blank and zeros are the same "none".
std::string VinculadoComparavel(const std::string& valor) {
    const std::string v = fAparaTexto(valor);
    return CompletaZeros(v.empty() ? "0" : v, 14);
}

// The first failing code of the four identification rules, in the order inscription,
// type, inscription against type, prefix; empty when the establishment passes.
std::string FalhaIdentificacao(const std::string& inscricao, const std::string& tipo, const std::string& prefixo) {
    const std::string i = inscricao.size() == 12 ? "00" + inscricao : inscricao;
    const std::string insc = fCriticaInscricao(i);
    if (insc != "0050" && insc != "0051" && insc != "0052") return insc;
    for (const std::string& c : {fCriticaTipoInscricao(tipo), fCriticaInscricaoPorTipo(i, tipo), fCriticaPrefixo(prefixo)})
        if (c != "0000") return c;
    return {};
}

char ProximoCaracter(char c, bool& volta) {
    volta = false;
    if (c >= '0' && c < '9') return static_cast<char>(c + 1);
    if (c == '9') return 'A';
    if (c >= 'A' && c < 'Z') return static_cast<char>(c + 1);
    volta = true;
    return '0';
}

// The establishment's row of TE8IMP, held until its transaction writes it.
struct LinhaImp {
    std::string inscricao, prefixo, vinculado, tipo, vinculos;
    long desligados = 0, duplicados = 0, importados = 0, estrangeirosImportados = 0;
    std::string coImp;
};

// The user confirmed "Deseja interromper?": the establishment under way is rolled back.
struct Interrupcao {};

}  // namespace

std::vector<EstabelecimentoArquivo> EstabelecimentosDoArquivo(Banco& banco, int ano) {
    std::vector<EstabelecimentoArquivo> r;
    if (!banco.ExisteTabela("TE8EMP")) return r;
    Consulta q(banco, {"Select coCgcCeiEstabelecimento, NuPrefixoEstabelecimento, ",
                       "NoRazaoEstabelecimento, InInscrEstabelecimento, NuVinculosEstabelecimento ",
                       "from Te8Emp where Anbase = :ano"});
    q.Parametro("ano", std::to_string(ano));
    for (q.Abre(); !q.Fim(); q.Proximo())
        r.push_back({q.Texto(0), q.Texto(1), q.Texto(2), q.Texto(3), q.Texto(4)});
    return r;
}

int AnoDoArquivoAnalisado(Banco& banco) {
    if (!banco.ExisteTabela("TE8EMP")) return 2005;
    Consulta q(banco, {"select count(*) from te8emp where AnBase = '2004'"});
    q.Abre();
    return q.Inteiro(0) > 0 ? 2004 : 2005;
}

std::string LinhaSelecaoImportacao(const EstabelecimentoArquivo& e) {
    return CompletaEspacos(FormataInscricao(e.inscricao, e.tipoInscricao), 18) + "  " + CompletaEspacos(e.prefixo, 2) +
           "  " + CompletaEspacos(e.nome, 30) + "  " + e.vinculos;
}

bool PrefixoImportavel(const std::string& prefixo) { return fAparaTexto(prefixo).size() >= 2; }

std::string ProximoPrefixo(const std::string& prefixo) {
    std::string p = CompletaEspacos(prefixo, 2);
    bool volta = false;
    p[1] = ProximoCaracter(p[1], volta);
    if (volta) p[0] = ProximoCaracter(p[0], volta);
    return p;
}

// One import: the tables it writes, the footnote numbers of its codes and its progress.
class ExecucaoImportacao {
public:
    ExecucaoImportacao(Banco& banco, Interacao& interacao, int ano)
        : banco_(banco), interacao_(interacao), ano_(std::to_string(ano)), anterior_(ano != 2005),
          te8emp_(banco, "TE8EMP"), bd8emp_(banco, "BD8EMP"), bd8vinc_(banco, "BD8VINC"), te8imp_(banco, "TE8IMP") {}

    ResultadoImportacao Executa(const std::vector<EscolhaImportacao>& escolha);

private:
    void AbreTabelas();
    void FechaTabelas();
    LinhaImp LinhaDoArquivo(const EscolhaImportacao& e);
    void ImportaEstabelecimento(LinhaImp& l);
    void ImportaEmpregados(LinhaImp& l, const std::string& prefixoArquivo, bool codigoPorEmpregado);
    std::optional<std::string> PrefixoLivre(const std::string& inscricao);
    void CopiaEstabelecimento(const std::string& prefixo);
    void GravaContagens(long empregados, long estrangeiros);
    void GravaLinhaImp(LinhaImp& l);
    void ConfereInterrupcao();
    void AvancaProgresso();

    Banco& banco_;
    Interacao& interacao_;
    const std::string ano_;
    const bool anterior_;
    Tabela te8emp_, bd8emp_, bd8vinc_, te8imp_;
    std::vector<std::string> notas_;  // codes stored in CoImp, numbered 1, 2, ... in order of first use

    // Progress: per establishment of the list, or per employee when the file holds
    // more than ten employees for each of them.
    bool porEmpregado_ = false;
    long total_ = 1, feitos_ = 0, mostrado_ = -1;
};

TImportacao::TImportacao(Banco& banco, Interacao& interacao) : banco_(banco), interacao_(interacao) {}

ResultadoImportacao TImportacao::fImporta(int ano, const std::vector<EscolhaImportacao>& escolha) {
    ExecucaoImportacao execucao(banco_, interacao_, ano);
    return execucao.Executa(escolha);
}

void ExecucaoImportacao::AbreTabelas() {
    for (Tabela* t : {&te8emp_, &bd8emp_, &bd8vinc_, &te8imp_})
        if (!t->Aberta()) t->Abre();
}

// After a rolled-back transaction the cursors may describe rows that are no longer
// stored: they are closed, and opened again before their next use.
void ExecucaoImportacao::FechaTabelas() {
    for (Tabela* t : {&te8emp_, &bd8emp_, &bd8vinc_, &te8imp_}) {
        try {
            if (t->Aberta()) t->Cancela();
        } catch (const ErroBanco&) {
        }
        t->Fecha();
    }
}

ResultadoImportacao ExecucaoImportacao::Executa(const std::vector<EscolhaImportacao>& escolha) {
    banco_.CriaTabela(DefTe8Imp());
    ResultadoImportacao r;
    if (escolha.empty()) return r;
    {
        const long itens = static_cast<long>(EstabelecimentosDoArquivo(banco_, std::stoi(ano_)).size());
        Consulta q(banco_, {"select count(*) from te8vinc"});
        q.Abre();
        const long empregados = q.Inteiro(0);
        porEmpregado_ = empregados > 0 && 10 * itens < empregados;
        total_ = std::max(1L, porEmpregado_ ? empregados : itens);
    }
    interacao_.Progresso(0, 100);
    AbreTabelas();

    std::size_t i = 0;
    for (; i < escolha.size() && !r.interrompida && !r.falhou; ++i) {
        LinhaImp l = LinhaDoArquivo(escolha[i]);
        const std::size_t notas = notas_.size();
        try {
            ConfereInterrupcao();
            Transacao transacao(banco_);
            ImportaEstabelecimento(l);
            GravaLinhaImp(l);
            transacao.Confirma();
        } catch (const Interrupcao&) {
            r.interrompida = true;
        } catch (const ErroBanco& e) {
            r.falhou = true;
            r.erro = e.what();
        }
        if (r.interrompida || r.falhou) {
            // Rolled back: the establishment is listed with nothing imported and the reason.
            notas_.resize(notas);
            FechaTabelas();
            try {
                AbreTabelas();
                LinhaImp nada = LinhaDoArquivo(escolha[i]);
                nada.coImp = r.falhou ? kImpErroGravacao : kImpInterrompida;
                GravaLinhaImp(nada);
            } catch (const ErroBanco&) {
            }
            continue;
        }
        ++r.estabelecimentos;
        r.importados += l.importados;
        r.duplicados += l.duplicados;
        r.desligados += l.desligados;
        if (!porEmpregado_) AvancaProgresso();
    }
    // The ones after a stop were never started.
    for (; i < escolha.size(); ++i) {
        try {
            LinhaImp nada = LinhaDoArquivo(escolha[i]);
            nada.coImp = kImpInterrompida;
            GravaLinhaImp(nada);
        } catch (const ErroBanco&) {
            break;
        }
    }
    FechaTabelas();
    if (!r.interrompida && !r.falhou) interacao_.Progresso(100, 100);
    return r;
}

LinhaImp ExecucaoImportacao::LinhaDoArquivo(const EscolhaImportacao& e) {
    LinhaImp l;
    l.inscricao = e.inscricao;
    l.prefixo = e.prefixo;
    if (te8emp_.BuscaChave({ano_, e.inscricao, e.prefixo})) {
        l.vinculado = te8emp_.Texto("CoCgcVinculado");
        l.tipo = te8emp_.Texto("InInscrEstabelecimento");
        l.vinculos = te8emp_.Texto("NuVinculosEstabelecimento");
    }
    return l;
}

void ExecucaoImportacao::ConfereInterrupcao() {
    if (interacao_.InterrupcaoPedida() && ConfirmaInterrupcao(interacao_)) throw Interrupcao{};
}

void ExecucaoImportacao::AvancaProgresso() {
    ++feitos_;
    const long agora = std::min(100L, feitos_ * 100 / total_);
    if (agora != mostrado_) interacao_.Progresso(mostrado_ = agora, 100);
}

void ExecucaoImportacao::ImportaEstabelecimento(LinhaImp& l) {
    if (!te8emp_.BuscaChave({ano_, l.inscricao, l.prefixo}))
        throw ErroBanco("Estabelecimento " + l.inscricao + "/" + l.prefixo + " ausente do arquivo analisado");
    if (auto falha = FalhaIdentificacao(l.inscricao, l.tipo, l.prefixo); !falha.empty()) {
        l.coImp = falha;
        return;
    }
    const std::string prefixoArquivo = l.prefixo;
    const bool negativoArquivo = te8emp_.Texto("InZoviNegEstabelecimento") == "1";
    bool existe = bd8emp_.BuscaChave({kAnoImportado, l.inscricao, l.prefixo});
    if (existe && VinculadoComparavel(bd8emp_.Texto("CoCgcVinculado")) != VinculadoComparavel(l.vinculado)) {
        // Another establishment under this inscription and prefix: this one takes a free prefix.
        auto livre = PrefixoLivre(l.inscricao);
        if (!livre) {
            l.coImp = kImpSemPrefixoLivre;
            return;
        }
        l.prefixo = *livre;
        l.coImp = kImpNovoPrefixo;
        existe = false;
    }
    if (existe && negativoArquivo) {
        l.coImp = kImpSemEmpregadosNoArquivo;
        return;
    }
    const bool negativoBase = existe && bd8emp_.Texto("InZoviNegEstabelecimento") == "1";
    const long empregadosAntes = existe ? TextoParaInteiro(bd8emp_.Texto("NuVinculosEstabelecimento")) : 0;
    const long estrangeirosAntes = existe ? TextoParaInteiro(bd8emp_.Texto("NuEstrangeirosEstabelec")) : 0;

    if (!anterior_ && negativoBase) l.coImp = kImpEstabelecimentoAtualizado;
    ImportaEmpregados(l, prefixoArquivo, anterior_ && negativoBase);

    // The establishment's row: appended when new (for the previous year only when it
    // carries someone forward or is declared without employees), rewritten from the
    // file when the database had it without employees, otherwise left but for its counts.
    const bool acrescenta = !existe && (!anterior_ || negativoArquivo || l.importados > 0);
    const bool atualiza = negativoBase && (!anterior_ || l.importados > 0);
    if (acrescenta) {
        bd8emp_.Acrescenta();
        CopiaEstabelecimento(l.prefixo);
    } else if (atualiza || (existe && l.importados > 0)) {
        if (!bd8emp_.BuscaChave({kAnoImportado, l.inscricao, l.prefixo}))
            throw ErroBanco("Estabelecimento " + l.inscricao + "/" + l.prefixo + " não encontrado em BD8EMP");
        bd8emp_.Edita();
        if (atualiza) CopiaEstabelecimento(l.prefixo);
    } else {
        return;
    }
    GravaContagens(empregadosAntes + l.importados, estrangeirosAntes + l.estrangeirosImportados);
}

std::optional<std::string> ExecucaoImportacao::PrefixoLivre(const std::string& inscricao) {
    std::string p = kPrimeiroPrefixoNovo;
    for (int i = 0; i < kTotalPrefixos; ++i, p = ProximoPrefixo(p))
        if (!bd8emp_.BuscaChave({kAnoImportado, inscricao, p})) return p;
    return std::nullopt;
}

// The current row of Te8emp into the edited row of BD8EMP.
void ExecucaoImportacao::CopiaEstabelecimento(const std::string& prefixo) {
    Tabela& d = bd8emp_;
    d.PoeTexto("AnBase", kAnoImportado);
    d.PoeTexto("CoCgcCeiEstabelecimento", te8emp_.Texto("CoCgcCeiEstabelecimento"));
    d.PoeTexto("NuPrefixoEstabelecimento", prefixo);
    for (const char* c : kCamposEstabelecimento) d.PoeTexto(c, te8emp_.Texto(c));
    for (const char* c : kCnpjsVaziosSeZeros) {
        const std::string v = te8emp_.Texto(c);
        d.PoeTexto(c, v == "00000000000000" ? "" : v);
    }
    // An establishment of last year's declaration is warned to confirm its activity code.
    d.PoeLogico("InAvisoCnae", anterior_);
}

// Keeps the establishment's counts equal to its employee rows.
void ExecucaoImportacao::GravaContagens(long empregados, long estrangeiros) {
    bd8emp_.PoeTexto("NuVinculosEstabelecimento", CompletaZeros(std::to_string(std::min(empregados, 999999L)), 6));
    bd8emp_.PoeTexto("NuEstrangeirosEstabelec", CompletaZeros(std::to_string(std::min(estrangeiros, 99999L)), 5));
    bd8emp_.Grava();
}

void ExecucaoImportacao::ImportaEmpregados(LinhaImp& l, const std::string& prefixoArquivo, bool codigoPorEmpregado) {
    Consulta q(banco_, {"SELECT * FROM TE8VINC", "WHERE CoCgcCeiEstabelecimento = :inscricao",
                        "AND NuPrefixoEstabelecimento = :prefixo", "AND AnBase = :ano"});
    q.Parametro("inscricao", l.inscricao);
    q.Parametro("prefixo", prefixoArquivo);
    q.Parametro("ano", ano_);
    q.AbreSequencial();
    if (q.Fim()) return;

    // Columns resolved once: every field of BD8VINC but the record's sequence and the
    // leave reason, which the file does not carry.
    const DefTabela& def = bd8vinc_.Definicao();
    std::vector<std::pair<const std::string*, int>> copia;
    auto coluna = [&](const std::string& nome) {
        for (int c = 0; c < q.NumCampos(); ++c)
            if (Banco::NomeTabela(q.NomeCampo(c)) == Banco::NomeTabela(nome)) return c;
        throw ErroBanco("Campo " + nome + " ausente de TE8VINC");
    };
    for (const auto& campo : def.campos) {
        if (campo.nome == "AnBase" || campo.nome == "NuPrefixoEstabelecimento" || campo.nome == "NuSequencialRegistro" ||
            campo.nome == "CoMotivoAfastamento")
            continue;
        copia.emplace_back(&campo.nome, coluna(campo.nome));
    }
    const int cPis = coluna("CoPisPasepEmpregado"), cAdmissao = coluna("DaAdmissaoEmpregado"),
              cNome = coluna("NoEmpregado"), cCausa = coluna("CoCausaDesligamento"),
              cNacionalidade = coluna("CoNacionalidade"), cDias = coluna("QtDiasAfas");

    std::vector<std::string> chave(6);
    chave[0] = kAnoImportado;
    chave[1] = l.inscricao;
    chave[2] = l.prefixo;
    for (; !q.Fim(); q.Proximo()) {
        ConfereInterrupcao();
        if (anterior_ && !ContinuaEmpregado(q.Vista(cCausa))) {
            ++l.desligados;
            if (codigoPorEmpregado) l.coImp = kImpDesligadoAnoAnterior;
        } else {
            if (codigoPorEmpregado) l.coImp = kImpEstabelecimentoAtualizado;
            chave[3] = q.Vista(cPis);
            chave[4] = q.Vista(cAdmissao);
            // A PIS/PASEP of zeros identifies nobody: the name tells such employees apart.
            const bool semPis = fVazioOuZeros(chave[3]);
            if (semPis) chave[5] = q.Vista(cNome);
            if (semPis ? bd8vinc_.BuscaChave(chave)
                       : bd8vinc_.BuscaChave({chave[0], chave[1], chave[2], chave[3], chave[4]})) {
                ++l.duplicados;
            } else {
                bd8vinc_.Acrescenta();
                for (const auto& [nome, c] : copia) bd8vinc_.PoeTexto(*nome, q.Vista(c));
                bd8vinc_.PoeTexto("AnBase", kAnoImportado);
                bd8vinc_.PoeTexto("NuPrefixoEstabelecimento", l.prefixo);
                if (anterior_ && fVazio(q.Vista(cDias))) bd8vinc_.PoeTexto("QtDiasAfas", "000");
                bd8vinc_.Grava();
                ++l.importados;
                if (q.Vista(cNacionalidade) != "10") ++l.estrangeirosImportados;
            }
        }
        if (porEmpregado_) AvancaProgresso();
    }
}

void ExecucaoImportacao::GravaLinhaImp(LinhaImp& l) {
    std::string seq;
    if (!l.coImp.empty()) {
        std::size_t n = 0;
        while (n < notas_.size() && notas_[n] != l.coImp) ++n;
        if (n == notas_.size()) notas_.push_back(l.coImp);
        seq = std::to_string(n + 1);
    }
    Tabela& t = te8imp_;
    t.Acrescenta();
    t.PoeTexto("AnBase", kAnoImportado);
    t.PoeTexto("CoCgcCeiEstabelecimento", l.inscricao);
    t.PoeTexto("NuPrefixoEstabelecimento", l.prefixo);
    t.PoeTexto("CoCgcVinculado", l.vinculado);
    t.PoeTexto("InInscrEstabelecimento", l.tipo);
    t.PoeTexto("NuVinculosEstabelecimento", l.vinculos);
    t.PoeTexto("NuTotalDesligados", std::to_string(l.desligados));
    t.PoeTexto("NuTotalDuplicados", std::to_string(l.duplicados));
    t.PoeTexto("NuTotalImportados", std::to_string(l.importados));
    t.PoeTexto("CoImp", l.coImp);
    t.PoeTexto("Seq", seq);
    t.Grava();
}

}  // namespace zovi
