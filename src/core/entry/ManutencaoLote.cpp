#include "entry/ManutencaoLote.h"

#include <utility>

#include "data/ListasSelecao.h"
#include "engine/Consulta.h"
#include "engine/Erros.h"
#include "engine/Tabela.h"
#include "messages/Formatacao.h"
#include "rules/Primitivas.h"
#include "rules/RegrasEmpregado.h"
#include "rules/RegrasEstabelecimento.h"

namespace zovi {

namespace {

// Characters `inicio` (1-based) to `fim` of a line, trimmed; what lies past its end is empty.
std::string Trecho(const std::string& linha, size_t inicio, size_t fim) {
    if (linha.size() < inicio) return {};
    return fAparaTexto(linha.substr(inicio - 1, fim - inicio + 1));
}

// The condition every statement here puts on the establishment's rows.
constexpr const char* kCondicaoEstabelecimento =
    "where AnBase = :AnBase and CoCgcCeiEstabelecimento = :Inscricao and NuPrefixoEstabelecimento = :Prefixo";

void LigaEstabelecimento(Consulta& q, const ChaveEstabelecimento& e) {
    q.Parametro("AnBase", e.anoBase);
    q.Parametro("Inscricao", e.inscricao);
    q.Parametro("Prefixo", e.prefixo);
}

// The open-operation marker of the establishment ("" empties it).
void MarcaOpcao(Banco& banco, const ChaveEstabelecimento& e, const std::string& marca) {
    Consulta q(banco, {"update bd8Emp set InOpcaoAberta = :InOpcaoAberta", kCondicaoEstabelecimento});
    LigaEstabelecimento(q, e);
    q.Parametro("InOpcaoAberta", marca);
    if (q.Executa() != 1)
        throw ErroBanco("Estabelecimento " + e.inscricao + " " + e.prefixo + " não encontrado em BD8EMP");
}

// Both counts rewritten from the stored rows, as the employee form keeps them.
void GravaContagens(TdmEntradaDados& dm, const ChaveEstabelecimento& e) {
    const long empregados = dm.ContaEmpregados(e.anoBase, e.inscricao, e.prefixo);
    const long estrangeiros = dm.ContaEstrangeiros(e.anoBase, e.inscricao, e.prefixo);
    Consulta grava(dm.ta8Empresa.BancoDados(),
                   {"update bd8Emp set NuVinculosEstabelecimento = :Empregados, NuEstrangeirosEstabelec = :Estrangeiros",
                    kCondicaoEstabelecimento});
    LigaEstabelecimento(grava, e);
    grava.Parametro("Empregados", CompletaZeros(std::to_string(empregados), 6));
    grava.Parametro("Estrangeiros", CompletaZeros(std::to_string(estrangeiros), 5));
    grava.Executa();
}

}  // namespace

EstabelecimentoEscolhido LeLinhaEstabelecimento(const std::string& linha, LeituraInscricao leitura) {
    EstabelecimentoEscolhido r;
    r.inscricaoFormatada = Trecho(linha, 1, 18);
    std::string digitos = RetiraSeparadores(r.inscricaoFormatada);
    r.digitosLidos = digitos.size();
    if (leitura == LeituraInscricao::Transferencia && digitos.size() == 11)
        digitos = "000" + digitos;
    else if (digitos.size() < 14)
        digitos = std::string(14 - digitos.size(), '0') + digitos;
    r.inscricao = digitos;
    r.prefixo = Trecho(linha, 21, 22);
    r.nome = Trecho(linha, 25, linha.size());
    return r;
}

EmpregadoMarcado LeLinhaEmpregado(const std::string& linha, char ordem) {
    if (ordem == '0')
        return {RetiraSeparadores(Trecho(linha, 1, 14)), RetiraSeparadores(Trecho(linha, 17, 26)), Trecho(linha, 27, 65)};
    return {RetiraSeparadores(Trecho(linha, 33, 46)), RetiraSeparadores(Trecho(linha, 49, 58)), Trecho(linha, 1, 30)};
}

// --- checks ---------------------------------------------------------------

bool InscricaoAceita(const std::string& codigo) {
    return codigo == "0050" || codigo == "0051" || codigo == "0052" || codigo == "0056";
}

std::string CriticaInscricaoEscolhida(const EstabelecimentoEscolhido& escolhido, LeituraInscricao leitura) {
    if (leitura == LeituraInscricao::Transferencia && escolhido.digitosLidos == 11)
        return fCriticaInscricaoResponsavel(escolhido.inscricao, 11);
    const std::string codigo = fCriticaInscricao(escolhido.inscricao);
    // A CPF is accepted only where the transfer read one.
    return codigo == "0056" ? std::string("0053") : codigo;
}

EstabelecimentoEscolhido EscolhaDe(Banco& banco, const ChaveEstabelecimento& estab, LeituraInscricao leitura) {
    Consulta q(banco, {"select InInscrEstabelecimento, NoRazaoEstabelecimento from bd8Emp", kCondicaoEstabelecimento});
    LigaEstabelecimento(q, estab);
    q.Abre();
    if (q.Vazia()) return {};
    const std::string linha = CompletaEspacos(FormataInscricao(estab.inscricao, q.Texto("InInscrEstabelecimento")), 18) +
                              "  " + estab.prefixo + "  " + q.Texto("NoRazaoEstabelecimento");
    return LeLinhaEstabelecimento(linha, leitura);
}

std::string CriticaTemEmpregados(TdmEntradaDados& dm, const ChaveEstabelecimento& estab) {
    return dm.ContaEmpregados(estab.anoBase, estab.inscricao, estab.prefixo) > 0 ? kPassa : "1302";
}

std::string CriticaCeiVinculadoOrigem(Banco& banco, const ChaveEstabelecimento& origem) {
    Consulta q(banco, {"Select coCgcVinculado from BD8Emp", kCondicaoEstabelecimento});
    LigaEstabelecimento(q, origem);
    q.Abre();
    const std::string vinculado = q.Vazia() ? std::string() : q.Texto(0);
    return fPassou(fCriticaCeiVinculado(vinculado)) ? kPassa : "1311";
}

std::string CriticaDestinoExiste(Banco& banco, const ChaveEstabelecimento& destino) {
    Consulta q(banco, {"select count(*) from bd8Emp", kCondicaoEstabelecimento});
    LigaEstabelecimento(q, destino);
    q.Abre();
    return q.Inteiro(0) > 0 ? "1308" : kPassa;
}

std::string TipoInscricaoEstabelecimento(Banco& banco, const ChaveEstabelecimento& estab,
                                         const std::string& codigoInscricao) {
    if (codigoInscricao == "0051") return "1";
    if (codigoInscricao == "0052") return "3";
    Consulta q(banco, {"Select InInscrEstabelecimento from bd8Emp", kCondicaoEstabelecimento});
    LigaEstabelecimento(q, estab);
    q.Abre();
    return q.Vazia() ? std::string() : fAparaTexto(q.Texto(0));
}

std::string CriticaCodigoVinculo(const std::string& codigo, const std::string& tipoInscricao) {
    if (fAparaTexto(codigo).empty()) return "1306";
    return fPassou(fCriticaVinculoTipoInscricao(codigo, tipoInscricao)) ? kPassa : "1307";
}

// --- operations -------------------------------------------------------------

namespace {

// Runs `escreve` as one transaction; after a failure the data module's cursors, which
// may describe rows that were rolled back, are closed to open again at their next use.
template <typename F>
long EmTransacao(TdmEntradaDados& dm, F&& escreve) {
    try {
        Transacao transacao(dm.ta8Empresa.BancoDados());
        const long n = escreve();
        transacao.Confirma();
        return n;
    } catch (...) {
        for (Tabela* t : {&dm.ta8Empreg, &dm.ta8Empresa}) {
            try {
                if (t->Aberta()) t->Cancela();
            } catch (const ErroBanco&) {
            }
            t->Fecha();
        }
        throw;
    }
}

constexpr long kLoteExclusao = 4096;  // employee rows deleted between two progress reports

}  // namespace

long ExcluiEstabelecimento(TdmEntradaDados& dm, const ChaveEstabelecimento& estab, Interacao* progresso) {
    Banco& banco = dm.ta8Empresa.BancoDados();
    return EmTransacao(dm, [&] {
        MarcaOpcao(banco, estab, "1");
        const long total = dm.ContaEmpregados(estab.anoBase, estab.inscricao, estab.prefixo);
        if (progresso) progresso->Progresso(0, total + 1);
        Consulta apaga(banco, {"delete from bd8Vinc where rowid in (select rowid from bd8Vinc", kCondicaoEstabelecimento,
                               "limit " + std::to_string(kLoteExclusao) + ")"});
        LigaEstabelecimento(apaga, estab);
        long apagadas = 0;
        for (long n; (n = apaga.ExecutaPreparada()) > 0;) {
            apagadas += n;
            if (progresso) progresso->Progresso(apagadas, total + 1);
        }
        apaga.Fecha();
        // The marker goes with the row: deleting it is the operation's last write.
        Consulta linha(banco, {"delete from bd8Emp", kCondicaoEstabelecimento});
        LigaEstabelecimento(linha, estab);
        linha.Executa();
        if (progresso) progresso->Progresso(total + 1, total + 1);
        return apagadas;
    });
}

long ExcluiEmpregados(TdmEntradaDados& dm, const ChaveEstabelecimento& estab, const std::vector<EmpregadoMarcado>& linhas) {
    Banco& banco = dm.ta8Empresa.BancoDados();
    return EmTransacao(dm, [&] {
        MarcaOpcao(banco, estab, "4");
        // The key's leading fields find the rows; among several with the PIS/PASEP and
        // admission date the one of the line's name goes, or else the first in key order.
        Consulta apaga(banco, {"delete from bd8Vinc where rowid = (select rowid from bd8Vinc", kCondicaoEstabelecimento,
                               "and CoPisPasepEmpregado = :Pis and DaAdmissaoEmpregado = :Admissao",
                               "and (:PisNumerado = '1' or rtrim(NoEmpregado) = :Nome)",
                               "order by rtrim(NoEmpregado) = :Nome desc, NoEmpregado, NuSequencialRegistro limit 1)"});
        LigaEstabelecimento(apaga, estab);
        long apagadas = 0;
        for (const auto& l : linhas) {
            apaga.Parametro("Pis", l.pisPasep);
            apaga.Parametro("Admissao", l.admissao);
            apaga.Parametro("Nome", l.nome);
            apaga.Parametro("PisNumerado", fTodosZeros(l.pisPasep) ? "0" : "1");
            apagadas += apaga.ExecutaPreparada();
        }
        apaga.Fecha();
        GravaContagens(dm, estab);
        MarcaOpcao(banco, estab, "");
        return apagadas;
    });
}

long TransfereEmpregados(TdmEntradaDados& dm, const ChaveEstabelecimento& origem, const DestinoTransferencia& destino,
                         const std::vector<EmpregadoMarcado>& linhas) {
    Banco& banco = dm.ta8Empresa.BancoDados();
    const ChaveEstabelecimento chaveDestino{origem.anoBase, destino.inscricao, destino.prefixo};
    if (!fPassou(CriticaDestinoExiste(banco, chaveDestino)))
        throw ErroBanco("Estabelecimento de destino " + destino.inscricao + " " + destino.prefixo + " já existe em BD8EMP");
    return EmTransacao(dm, [&] {
        {
            Tabela t(banco, "BD8EMP");
            t.Abre();
            t.Acrescenta();
            const std::pair<const char*, std::string> campos[] = {
                {"AnBase", origem.anoBase}, {"CoCgcCeiEstabelecimento", destino.inscricao},
                {"NuPrefixoEstabelecimento", destino.prefixo}, {"InInscrEstabelecimento", destino.tipoInscricao},
                {"InZoviNegEstabelecimento", "0"}, {"CoCgcVinculado", "00000000000000"},
                {"NuEnderecoEstabelecimento", "000000"}, {"CoCepEstabelecimento", "00000000"},
                {"CoMunicipio", "0000000"}, {"CoCnae", "00000"}, {"CoNaturezaJuridica", "0000"},
                {"NuProprietEstabelecimento", "00"}, {"NuVinculosEstabelecimento", "000000"},
                {"NuEstrangeirosEstabelec", "00000"}, {"NuVinculoPatMaior5", "000000"},
                {"NuVinculoPatMenor5", "000000"}, {"PoServicoProprio", "000"}, {"PoAdmCozinha", "000"},
                {"PoRefeicaoConvenio", "000"}, {"PoRefeicaoTransportadora", "000"}, {"PoCestaAlimento", "000"},
                {"PoAlimentacaoConvenio", "000"}, {"InPorte", " "}, {"InOptanteSimples", " "},
                {"InParticipaPAT", " "}, {"InAtividadeAnoBase", "1"}, {"InOpcaoAberta", "3"}};
            for (const auto& [campo, valor] : campos) t.PoeTexto(campo, valor);
            t.Grava();
        }
        Consulta move(banco, {"update bd8Vinc set CoCgcCeiEstabelecimento = :Destino, NuPrefixoEstabelecimento = :PrefixoDestino",
                              kCondicaoEstabelecimento,
                              "and CoPisPasepEmpregado = :Pis and DaAdmissaoEmpregado = :Admissao",
                              "and rtrim(NoEmpregado) = :Nome"});
        LigaEstabelecimento(move, origem);
        move.Parametro("Destino", destino.inscricao);
        move.Parametro("PrefixoDestino", destino.prefixo);
        long movidas = 0;
        for (const auto& l : linhas) {
            move.Parametro("Pis", l.pisPasep);
            move.Parametro("Admissao", l.admissao);
            move.Parametro("Nome", l.nome);
            movidas += move.ExecutaPreparada();
        }
        move.Fecha();
        GravaContagens(dm, origem);
        GravaContagens(dm, chaveDestino);
        MarcaOpcao(banco, chaveDestino, "");
        return movidas;
    });
}

long TrocaVinculo(TdmEntradaDados& dm, const ChaveEstabelecimento& estab, const std::string& codigo) {
    Banco& banco = dm.ta8Empresa.BancoDados();
    return EmTransacao(dm, [&] {
        MarcaOpcao(banco, estab, "5");
        Consulta troca(banco, {"update bd8VINC set coVinculo = :coVinculo", kCondicaoEstabelecimento});
        LigaEstabelecimento(troca, estab);
        troca.Parametro("coVinculo", codigo);
        const long trocadas = troca.Executa();
        MarcaOpcao(banco, estab, "");
        return trocadas;
    });
}

}  // namespace zovi
