#include "import/ImportaDeclaracao.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "data/ListasSelecao.h"
#include "data/Tabelas.h"
#include "engine/Consulta.h"
#include "engine/Erros.h"
#include "engine/Tabela.h"
#include "messages/Formatacao.h"
#include "messages/Mensagens.h"
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
    long desligados = 0, duplicados = 0, importados = 0;
    long empregadosBase = 0, estrangeirosBase = 0;  // the establishment's employee rows once imported
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
    return LinhaSelecaoEstabelecimento(e.inscricao, e.tipoInscricao, CompletaEspacos(e.prefixo, 2),
                                       CompletaEspacos(e.nome, 30)) +
           "  " + e.vinculos;
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
    ExecucaoImportacao(Banco& banco, Interacao& interacao, int ano, long lote)
        : banco_(banco), interacao_(interacao), ano_(std::to_string(ano)), anterior_(ano != 2005), lote_(lote),
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
    void AvancaProgresso(long passos = 1);

    Banco& banco_;
    Interacao& interacao_;
    const std::string ano_;
    const bool anterior_;
    const long lote_;
    Tabela te8emp_, bd8emp_, bd8vinc_, te8imp_;
    std::vector<std::string> notas_;  // codes stored in CoImp, numbered 1, 2, ... in order of first use

    // Progress: per establishment of the list, or per employee when the file holds
    // more than ten employees for each of them.
    bool porEmpregado_ = false;
    long total_ = 1, feitos_ = 0, mostrado_ = -1;
};

TImportacao::TImportacao(Banco& banco, Interacao& interacao, long empregadosPorLote)
    : banco_(banco), interacao_(interacao), lote_(std::max(1L, empregadosPorLote)) {}

ResultadoImportacao TImportacao::fImporta(int ano, const std::vector<EscolhaImportacao>& escolha) {
    ExecucaoImportacao execucao(banco_, interacao_, ano, lote_);
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

void ExecucaoImportacao::AvancaProgresso(long passos) {
    feitos_ += passos;
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
    GravaContagens(l.empregadosBase, l.estrangeirosBase);
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

// The employees of one establishment, copied inside the engine a batch at a time
// (Cancel and the progress are looked at between batches). An employee is skipped
// as a duplicate when BD8VINC already has it, or when an earlier row of the file
// (in key order) is the same person: same PIS/PASEP and admission date, and also
// the same name when the PIS/PASEP is zeros, which identifies nobody.
void ExecucaoImportacao::ImportaEmpregados(LinhaImp& l, const std::string& prefixoArquivo, bool codigoPorEmpregado) {
    const std::string doEstabelecimento =
        "AnBase = :ano AND CoCgcCeiEstabelecimento = :inscricao AND NuPrefixoEstabelecimento = :prefixo";
    auto parametros = [&](Consulta& q) {
        q.Parametro("ano", ano_);
        q.Parametro("inscricao", l.inscricao);
        q.Parametro("prefixo", prefixoArquivo);
        q.Parametro("destino", l.prefixo);
    };
    // Employees carried forward from the previous year: still employed at its end ("00"),
    // or whose termination is a transfer ("71", "78").
    const std::string continua = anterior_ ? "CoCausaDesligamento IN ('00', '71', '78')" : "1";
    long lidos = 0, continuam = 0;
    std::int64_t primeiro = 0, ultimo = -1;
    {
        Consulta q(banco_, {"SELECT count(*), total(" + continua + "), min(rowid), max(rowid) FROM TE8VINC",
                            "WHERE " + doEstabelecimento});
        parametros(q);
        q.Abre();
        lidos = q.Inteiro(0);
        continuam = static_cast<long>(std::stod(q.Texto(1)));
        if (lidos > 0) primeiro = std::stoll(q.Texto(2)), ultimo = std::stoll(q.Texto(3));
    }
    l.desligados = lidos - continuam;
    if (codigoPorEmpregado && lidos > 0) {
        // The code of the last employee handled, in key order.
        Consulta q(banco_, {"SELECT " + continua + " FROM TE8VINC WHERE " + doEstabelecimento,
                            "ORDER BY CoPisPasepEmpregado DESC, DaAdmissaoEmpregado DESC, NoEmpregado DESC, "
                            "NuSequencialRegistro DESC LIMIT 1"});
        parametros(q);
        q.Abre();
        l.coImp = q.Inteiro(0) ? kImpEstabelecimentoAtualizado : kImpDesligadoAnoAnterior;
    }

    // Every field of BD8VINC from its namesake, but the record's sequence and the leave
    // reason, which the file does not carry.
    std::string campos, valores;
    for (const auto& c : bd8vinc_.Definicao().campos) {
        std::string valor = "t." + c.nome;
        if (c.nome == "AnBase") valor = std::string("'") + kAnoImportado + "'";
        else if (c.nome == "NuPrefixoEstabelecimento") valor = ":destino";
        else if (c.nome == "NuSequencialRegistro" || c.nome == "CoMotivoAfastamento") valor = "''";
        else if (c.nome == "QtDiasAfas" && anterior_) valor = "CASE WHEN trim(t.QtDiasAfas) = '' THEN '000' ELSE t.QtDiasAfas END";
        campos += (campos.empty() ? "" : ", ") + c.nome;
        valores += (valores.empty() ? "" : ", ") + valor;
    }
    // An establishment without rows in BD8VINC has no duplicates there to look for; leaving
    // the look-up out also spares the engine a copy of each batch (a statement that reads
    // the table it inserts into first gathers its rows apart).
    bool temEmpregados = false;
    {
        Consulta q(banco_, {"SELECT count(*) FROM (SELECT 1 FROM BD8VINC WHERE AnBase = '" + std::string(kAnoImportado) +
                                "' AND CoCgcCeiEstabelecimento = :inscricao AND NuPrefixoEstabelecimento = :destino LIMIT 1)"});
        parametros(q);
        q.Abre();
        temEmpregados = q.Inteiro(0) > 0;
    }
    // Likewise a file that repeats nobody needs no look-up among its own rows.
    bool repete = false;
    {
        Consulta q(banco_, {"SELECT 1 FROM TE8VINC WHERE " + doEstabelecimento + " AND " + continua,
                            "GROUP BY CoPisPasepEmpregado, DaAdmissaoEmpregado HAVING count(*) > 1 LIMIT 1"});
        parametros(q);
        q.Abre();
        repete = !q.Vazia();
    }
    const std::string semPis = "trim(t.CoPisPasepEmpregado, ' 0') = ''";
    std::vector<std::string> sql = {
        "INSERT INTO BD8VINC (" + campos + ")",
        "SELECT " + valores + " FROM TE8VINC t",
        // The rows of one establishment lie together, in the order the analysis read them.
        "WHERE t.rowid BETWEEN :de AND :ate AND +t.AnBase = :ano AND +t.CoCgcCeiEstabelecimento = :inscricao",
        "AND +t.NuPrefixoEstabelecimento = :prefixo AND " + (anterior_ ? "t." + continua : continua)};
    if (repete)
        sql.insert(sql.end(), {
        "AND NOT EXISTS (SELECT 1 FROM TE8VINC o WHERE o.AnBase = t.AnBase",
        "  AND o.CoCgcCeiEstabelecimento = t.CoCgcCeiEstabelecimento AND o.NuPrefixoEstabelecimento = t.NuPrefixoEstabelecimento",
        "  AND o.CoPisPasepEmpregado = t.CoPisPasepEmpregado AND o.DaAdmissaoEmpregado = t.DaAdmissaoEmpregado",
        "  AND " + (anterior_ ? "o." + continua : continua),
        "  AND CASE WHEN " + semPis,
        "    THEN o.NoEmpregado = t.NoEmpregado AND o.NuSequencialRegistro < t.NuSequencialRegistro",
        "    ELSE (o.NoEmpregado, o.NuSequencialRegistro) < (t.NoEmpregado, t.NuSequencialRegistro) END)"});
    if (temEmpregados)
        sql.insert(sql.end(), {
        "AND NOT EXISTS (SELECT 1 FROM BD8VINC b WHERE b.AnBase = '" + std::string(kAnoImportado) + "'",
        "  AND b.CoCgcCeiEstabelecimento = :inscricao AND b.NuPrefixoEstabelecimento = :destino",
        "  AND b.CoPisPasepEmpregado = t.CoPisPasepEmpregado AND b.DaAdmissaoEmpregado = t.DaAdmissaoEmpregado",
        "  AND (NOT " + semPis + " OR b.NoEmpregado = t.NoEmpregado))"});
    Consulta copia(banco_, sql);
    parametros(copia);
    for (std::int64_t de = primeiro; de <= ultimo; de += lote_) {
        ConfereInterrupcao();
        const std::int64_t ate = std::min(ultimo, de + lote_ - 1);
        copia.Parametro("de", std::to_string(de));
        copia.Parametro("ate", std::to_string(ate));
        l.importados += copia.ExecutaPreparada();
        if (porEmpregado_) AvancaProgresso(ate - de + 1);
    }
    l.duplicados = continuam - l.importados;
    if (l.importados == 0) return;

    // The establishment's counts follow its rows.
    Consulta conta(banco_, {"SELECT count(*), total(CoNacionalidade <> '10') FROM BD8VINC",
                            "WHERE AnBase = '" + std::string(kAnoImportado) + "'",
                            "AND CoCgcCeiEstabelecimento = :inscricao AND NuPrefixoEstabelecimento = :destino"});
    parametros(conta);
    conta.Abre();
    l.empregadosBase = conta.Inteiro(0);
    l.estrangeirosBase = static_cast<long>(std::stod(conta.Texto(1)));
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
