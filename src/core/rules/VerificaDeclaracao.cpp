#include "rules/VerificaDeclaracao.h"

#include <cstring>

#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "messages/Formatacao.h"
#include "messages/Mensagens.h"
#include "rules/ConsultasEstabelecimento.h"
#include "rules/GravadorInconsistencias.h"
#include "rules/Primitivas.h"
#include "rules/Referencias.h"
#include "rules/RegistroVinculo.h"
#include "rules/VerificaEmpregado.h"
#include "rules/VerificaEstabelecimento.h"

namespace zovi {

namespace {

// The bar moves from 0 to 100 in proportion to the records checked. (Counting
// in whole steps of total/100 would divide by zero below 100 records.)
class Progresso {
public:
    Progresso(Interacao& ui, long total) : ui_(ui), total_(total) { ui_.Progresso(0, 100); }
    void Avanca() {
        ++feitos_;
        long p = total_ > 0 ? std::min<long>(100, feitos_ * 100 / total_) : 100;
        if (p != posicao_) ui_.Progresso(posicao_ = p, 100);
    }
    void Conclui() { ui_.Progresso(100, 100); }

private:
    Interacao& ui_;
    long total_;
    long feitos_ = 0;
    long posicao_ = 0;
};

// A record belongs to a rectification when its table marks it so; work tables
// without the mark hold only the records chosen for the rectification.
bool MarcadoParaRetificacao(const Tabela& t) { return !t.ExisteCampo("InRetificacao") || t.Logico("InRetificacao"); }

class Verificacao {
public:
    Verificacao(Interacao& ui, const std::filesystem::path& diretorio, bool trabalho, const SelecaoEstabelecimentos* lista,
                std::string anoBase, bool exigePreenchimento)
        : ui_(ui), lista_(lista), anoBase_(std::move(anoBase)), exigePreenchimento_(exigePreenchimento) {
        banco_.Abre("Zovi2005", {"path=" + diretorio.string()});
        tabResp_ = trabalho ? "TE8RESP" : "BD8RESP";
        tabEmp_ = trabalho ? "TE8EMP" : "BD8EMP";
        tabVinc_ = trabalho ? "TE8VINC" : "BD8VINC";
        gravador_ = std::make_unique<GravadorInconsistencias>(banco_);
        gravador_->ApagaTabela();
        referencias_.Carrega(banco_);
        sqlEmpregados_ = SqlEmpregados();
    }

    ResultadoVerificacao Executa(bool criticaResponsavel);

private:
    bool Considerado(const Tabela& emp) const {
        if (!anoBase_.empty() && emp.Texto("AnBase") != anoBase_) return false;
        return !(lista_ && lista_->retificacao) || MarcadoParaRetificacao(emp);
    }
    bool Selecionado(long posicao) const {
        return !lista_ || (posicao < static_cast<long>(lista_->marcados.size()) && lista_->marcados[posicao]);
    }
    long TotalProgresso(Tabela& emp);
    // Processes pending requests; false once the user chose to stop.
    bool PontoDeControle();
    std::vector<std::string> SqlEmpregados();
    void VerificaEmpregados(const RegistroEstabelecimento& registro, Tabela& emp, Progresso& progresso);

    Interacao& ui_;
    const SelecaoEstabelecimentos* lista_;
    std::string anoBase_;
    bool exigePreenchimento_;
    Banco banco_;
    std::string tabResp_, tabEmp_, tabVinc_;
    std::vector<std::string> sqlEmpregados_;
    Referencias referencias_;
    std::unique_ptr<GravadorInconsistencias> gravador_;
    bool interrompida_ = false;
};

long Verificacao::TotalProgresso(Tabela& emp) {
    long total = 0, posicao = 0;
    for (emp.Primeiro(); !emp.Fim(); emp.Proximo()) {
        if (!Considerado(emp)) continue;
        if (Selecionado(posicao++)) total += 1 + TextoParaInteiro(emp.Texto("NuVinculosEstabelecimento"));
    }
    return total;
}

bool Verificacao::PontoDeControle() {
    if (ui_.InterrupcaoPedida() && ConfirmaInterrupcao(ui_)) interrompida_ = true;
    return !interrompida_;
}

// The employees of one establishment in key order (the order the table's cursor shows), read by one
// statement straight into the records the rules take.
std::vector<std::string> Verificacao::SqlEmpregados() {
    std::string ordem;
    for (const auto& indice : banco_.LeDefinicao(tabVinc_).indices)
        if (indice.primario)
            for (const auto& campo : SeparaCampos(indice.campos)) ordem += campo + ", ";
    return {"select * from " + tabVinc_,
            "where AnBase = :ano and CoCgcCeiEstabelecimento = :inscricao and NuPrefixoEstabelecimento = :prefixo",
            "order by " + ordem + "rowid"};
}

// Most fields keep their width from row to row: the value is copied over the old one in place.
void Copia(std::string& destino, std::string_view valor) {
    if (destino.size() != valor.size())
        destino.assign(valor);
    else if (!valor.empty())
        std::memcpy(destino.data(), valor.data(), valor.size());
}

void Verificacao::VerificaEmpregados(const RegistroEstabelecimento& registro, Tabela& emp, Progresso& progresso) {
    const auto& e = registro;
    ConsultasEstabelecimento consultas(banco_, tabVinc_);
    consultas.Estabelecimento(e.AnBase, e.CoCgcCeiEstabelecimento, e.NuPrefixoEstabelecimento);
    const auto identificacao = IdentificaEstabelecimento(registro);
    const auto ano = AnoReferenciaEmpregado(e.InEncerramentoAtividade, e.DaEncerramentoAtividade);
    ContextoVerificacaoEmpregado contexto{referencias_, exigePreenchimento_, &consultas, &identificacao, &ano};

    Consulta vinc(banco_, sqlEmpregados_);
    vinc.Parametro("ano", e.AnBase);
    vinc.Parametro("inscricao", e.CoCgcCeiEstabelecimento);
    vinc.Parametro("prefixo", e.NuPrefixoEstabelecimento);
    vinc.AbreSequencial();
    // Columns resolved once: each employee is copied field by field without lookups.
    auto coluna = [&](const char* nome) {
        for (int c = 0; c < vinc.NumCampos(); ++c)
            if (MesmoNome(vinc.NomeCampo(c), nome)) return c;
        return -1;
    };
    std::vector<std::pair<int, std::string RegistroVinculo::*>> colunas;
    for (const auto& [nome, membro] : CamposVinculo()) {
        int c = coluna(nome);
        if (c < 0) throw ErroBanco(std::string("Campo '") + nome + "' não encontrado na tabela " + tabVinc_);
        colunas.emplace_back(c, membro);
    }
    const int colPis = coluna("CoPisPasepEmpregado");
    // As MarcadoParaRetificacao: a table without the mark holds only records of the rectification.
    const int colRetificacao = lista_ && lista_->retificacao ? coluna("InRetificacao") : -1;

    // Records of one PIS/PASEP are kept until the group ends, so that the
    // comparisons between them are answered before each is checked.
    long encontrados = 0;
    std::vector<RegistroVinculo> grupo(1);
    size_t emGrupo = 0;
    auto verificaGrupo = [&] {
        consultas.Grupo(grupo, emGrupo);
        for (size_t i = 0; i < emGrupo && !interrompida_; ++i) {
            pVerificaEmpregado(grupo[i], registro, contexto, *gravador_);
            ++encontrados;
            progresso.Avanca();
            PontoDeControle();
        }
        emGrupo = 0;
    };
    std::vector<std::string_view> linha;
    for (; !vinc.Fim() && !interrompida_; vinc.Proximo()) {
        if (colRetificacao >= 0 && !vinc.LogicoColuna(colRetificacao)) continue;
        vinc.Vistas(linha);
        const auto pis = linha[colPis];
        // Without a PIS/PASEP workers are told apart by name: each record goes alone.
        if (emGrupo > 0 && (pis != grupo[0].CoPisPasepEmpregado || fTodosZeros(pis))) verificaGrupo();
        if (interrompida_) break;
        if (emGrupo == grupo.size()) grupo.emplace_back();
        for (const auto& [c, membro] : colunas) Copia(grupo[emGrupo].*membro, linha[c]);
        ++emGrupo;
    }
    if (emGrupo > 0 && !interrompida_) verificaGrupo();
    if (interrompida_) return;

    EmissorInconsistencias saida(*gravador_, kRegistroEstabelecimento, IdentificaEstabelecimento(registro));
    if (encontrados == 0 && emp.Texto("InZoviNegEstabelecimento") == "0")
        saida.Linhas(kErro, "1673", {{"0", "1661"}, {emp.Texto("InZoviNegEstabelecimento"), "1622"}});
    long estrangeiros = TextoParaInteiro(fAparaTexto(emp.Texto("NuEstrangeirosEstabelec")));
    if (encontrados > 4 && estrangeiros > 0 && encontrados / 3 < estrangeiros)
        saida.Linhas(kAviso, "1670", {{std::to_string(encontrados), "1661"}, {std::to_string(estrangeiros), "1659"}});
}

ResultadoVerificacao Verificacao::Executa(bool criticaResponsavel) {
    Tabela emp(banco_, tabEmp_);
    emp.Abre();
    Progresso progresso(ui_, TotalProgresso(emp));

    if (criticaResponsavel) {
        Tabela resp(banco_, tabResp_);
        resp.Abre();
        resp.Primeiro();
        pVerificaDeclarante(LeDeclarante(resp), referencias_, *gravador_);
    }

    // The employee table stays open (and locked against other processes) for the whole run.
    Tabela vinc(banco_, tabVinc_);
    vinc.Abre();
    long posicao = 0;
    for (emp.Primeiro(); !emp.Fim() && !interrompida_; emp.Proximo()) {
        if (!Considerado(emp) || !Selecionado(posicao++)) continue;
        auto registro = LeEstabelecimento(emp);
        pVerificaEstabelecimento(registro, referencias_, exigePreenchimento_, *gravador_);
        progresso.Avanca();
        if (!PontoDeControle()) break;
        VerificaEmpregados(registro, emp, progresso);
    }
    gravador_->Conclui();
    if (interrompida_) return {false, false, true};
    progresso.Conclui();
    return {gravador_->HouveErro(), gravador_->HouveAviso(), false};
}

}  // namespace

ResultadoVerificacao fVerificaDeclaracao(Interacao& interacao, const std::filesystem::path& diretorio,
                                         bool UsaTabelasTrabalho, const SelecaoEstabelecimentos* lista,
                                         const std::string& anoBase, bool CriticaResponsavel, bool ExigePreenchimento) {
    Verificacao v(interacao, diretorio, UsaTabelasTrabalho, lista, anoBase, ExigePreenchimento);
    return v.Executa(CriticaResponsavel);
}

}  // namespace zovi
