#include "data/Tabelas.h"

#include <map>

#include "engine/Banco.h"
#include "engine/Erros.h"

namespace zovi {

const char* const kCamposRemuneracao[12] = {
    "VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado",    "VaAbrilEmpregado",
    "VaMaioEmpregado",    "VaJunhoEmpregado",     "VaJulhoEmpregado",    "VaAgostoEmpregado",
    "VaSetembroEmpregado", "VaOutubroEmpregado",  "VaNovembroEmpregado", "VaDezembroEmpregado"};

const char* const kCamposHoras[12] = {
    "HoTrabalhadasJaneiro", "HoTrabalhadasFevereiro", "HoTrabalhadasMarco",    "HoTrabalhadasAbril",
    "HoTrabalhadasMaio",    "HoTrabalhadasJunho",     "HoTrabalhadasJulho",    "HoTrabalhadasAgosto",
    "HoTrabalhadasSetembro", "HoTrabalhadasOutubro",  "HoTrabalhadasNovembro", "HoTrabalhadasDezembro"};

namespace {

DefCampo T(const char* nome, int largura, const char* mascara = "") {
    return DefCampo{nome, TipoCampo::Texto, largura, false, mascara};
}
DefCampo Obrig(const char* nome, int largura) { return DefCampo{nome, TipoCampo::Texto, largura, true, ""}; }
DefCampo L(const char* nome) { return DefCampo{nome, TipoCampo::Logico, 0, false, ""}; }
DefIndice Primario(const char* campos, const char* nome = "Main") { return DefIndice{nome, campos, true, false}; }

constexpr const char* kMascaraCnpj = "99.999.999/9999-99;0;";
constexpr const char* kMascaraData = "99/99/9999;0;";
constexpr const char* kMascaraDiaMes = "99/99;0;";
constexpr const char* kMascaraMunicipio = "99-99999;0;";

DefTabela Bd8Emp() {
    return {"BD8EMP",
            {T("AnBase", 4), T("CoCgcCeiEstabelecimento", 14), T("NuPrefixoEstabelecimento", 2),
             T("CoCgcVinculado", 14), T("NoRazaoEstabelecimento", 52), T("EdEstabelecimento", 40),
             T("NuEnderecoEstabelecimento", 6), T("TxComplemEstabelecimento", 21), T("NoBairroEstabelecimento", 19),
             T("CoCepEstabelecimento", 8, "99999-999;0;"), T("CoMunicipio", 7, kMascaraMunicipio),
             T("NoMunicEstabelecimento", 30), T("SgUf", 2), T("NuDDD", 2), T("NuTelefone", 8),
             T("CoCnae", 5, "99.99-9;0;"), T("CoNaturezaJuridica", 4, "999-9;0;"),
             T("NuProprietEstabelecimento", 2), T("MeDataBase", 2), T("InInscrEstabelecimento", 1),
             T("InZoviNegEstabelecimento", 1), T("TxUsoEstabelecimento", 12), T("NuVinculosEstabelecimento", 6),
             T("NuEstrangeirosEstabelec", 5), T("InOpcaoAberta", 1), T("NuSequencialRegistro", 6), T("InPorte", 1),
             T("InOptanteSimples", 1), T("InEncerramentoAtividade", 1),
             T("DaEncerramentoAtividade", 8, kMascaraData), L("InAvisoCnae"), T("InParticipaPAT", 1),
             T("NuVinculoPatMaior5", 6), T("NuVinculoPatMenor5", 6), T("PoAdmCozinha", 3), T("PoServicoProprio", 3),
             T("PoRefeicaoConvenio", 3), T("PoRefeicaoTransportadora", 3), T("PoCestaAlimento", 3),
             T("PoAlimentacaoConvenio", 3), T("TxEmailEstabelecimento", 45), T("CoCNPJAssociativa", 14, kMascaraCnpj),
             T("VaGlobalAssociativa", 8), T("CoCNPJSindical", 14, kMascaraCnpj), T("VaGlobalSindical", 8),
             T("CoCNPJAssistencial", 14, kMascaraCnpj), T("VaGlobalAssistencial", 8),
             T("CoCNPJConfederativa", 14, kMascaraCnpj), T("VaGlobalConfederativa", 8),
             T("InAtividadeAnoBase", 1)},
            {Primario(kChaveEstabelecimento)}};
}

DefTabela Bd8Vinc() {
    DefTabela t{"BD8VINC",
                {T("AnBase", 4), T("CoCgcCeiEstabelecimento", 14), T("NuPrefixoEstabelecimento", 2),
                 T("CoPisPasepEmpregado", 11, "999.99999.99.9;0;"), T("DaAdmissaoEmpregado", 8, kMascaraData),
                 T("NoEmpregado", 30), T("NuSequencialRegistro", 6), T("DaNascimentoEmpregado", 8, kMascaraData),
                 T("CoNacionalidade", 2, "99;0;"), T("AnChegadaEmpregado", 4, "9999;0;"), T("CoInstrucao", 1, "9;0;"),
                 T("NuCartTrabEmpregado", 11), T("CoCpfEmpregado", 11, "999.999.999-99;0;"),
                 T("CoTipoAdmissao", 1, "9;0;"), T("VaSalContratualEmpregado", 9),
                 T("CoTipoSalarioContratual", 1, "9;0;"), T("HoSemanaisEmpregado", 2, "99;0;"),
                 T("CoCbo", 6, "a999-99;0;"), T("CoVinculo", 2), T("CoCausaDesligamento", 2),
                 T("DaDesligamentoEmpregado", 4, kMascaraDiaMes)},
                {Primario(kChaveEmpregado), DefIndice{kIndiceNomeEmpregado, kCamposIndiceNomeEmpregado, false, true}}};
    for (auto* c : kCamposRemuneracao) t.campos.push_back(T(c, 9));
    for (auto c : {T("Me13AdiantamentoEmpregado", 2), T("Va13AdiantamentoEmpregado", 9),
                   T("Me13ParcelaFinalEmpregado", 2), T("Va13ParcelaFinalEmpregado", 9), T("TxUsoEmpregado", 12),
                   T("CoTipoRaca", 1), T("InDeficienteFisico", 1), T("VaAvisoPrevioEmpregado", 9),
                   T("InAlvaraEmpregado", 1), T("InSexo", 1), T("CoMotivoPrimAfas", 2),
                   T("DaInicioprimeiroAfas", 4, kMascaraDiaMes), T("DaFinalPrimeiroAfas", 4, kMascaraDiaMes),
                   T("CoMotivoSeguAfas", 2), T("DaInicioSegundoAfas", 4, kMascaraDiaMes),
                   T("DaFinalSegundoAfas", 4, kMascaraDiaMes), T("CoMotivoTercAfas", 2),
                   T("DaInicioTerceiroAfas", 4, kMascaraDiaMes), T("DaFinalTerceiroAfas", 4, kMascaraDiaMes),
                   T("QtDiasAfas", 3), T("CoMotivoAfastamento", 2), T("CoCNPJSindical", 14, kMascaraCnpj),
                   T("VaGlobalSindical", 8), T("CoCNPJPrimAssociativa", 14, kMascaraCnpj),
                   T("VaGlobalPrimAssociativa", 8), T("CoCNPJSegAssociativa", 14, kMascaraCnpj),
                   T("VaGlobalSegAssociativa", 8), T("CoCNPJAssistencial", 14, kMascaraCnpj),
                   T("VaGlobalAssistencial", 8), T("CoCNPJConfederativa", 14, kMascaraCnpj),
                   T("VaGlobalConfederativa", 8), T("VaGlobalFerias", 8), T("VaGlobalMultas", 8),
                   T("VaGlobalBcoHoras", 8), T("VaGlobalDissidio", 8), T("QtCompBcoHoras", 2),
                   T("QtCompDissidio", 2), T("VaGlobalGratificacoes", 8), T("QtCompGratificacoes", 2),
                   T("CoMunicipioTrabalho", 7, kMascaraMunicipio), T("NoMunicipioTrabalho", 30),
                   T("SgUfTrabalho", 2)})
        t.campos.push_back(c);
    for (auto* c : kCamposHoras) t.campos.push_back(T(c, 3));
    return t;
}

DefTabela Bd8Resp() {
    return {"BD8RESP",
            {T("CoCgcCeiResponsavel", 14), T("InInscrResponsavel", 1), T("NoResponsavelArquivo", 40),
             T("EdLogradouroRespArquivo", 40), T("NuLogradouroRespArquivo", 6), T("TxComplementoRespArquivo", 21),
             T("NoBairroRespArquivo", 19), T("CoCepRespArquivo", 8), T("CoMunicipioRespArquivo", 7),
             T("NoMunicipioRespArquivo", 30), T("SgUfRespArquivo", 2), T("NuFoneDDD", 2), T("NuFoneAssinante", 8),
             T("TxEMailRespArquivo", 45), L("InReciboParaRespArquivo"), L("InRetificacao"), T("DaRetificacao", 8),
             L("InAntecipacao"), T("DaGeracao", 8), L("InDicasSemEmpregados"), L("InDicas"),
             T("NuRespostaPesquisa", 48), T("HoSenha", 6)},
            {}};
}

DefTabela Referencia(const char* nome, std::vector<DefCampo> campos, const char* chave) {
    return {nome, std::move(campos), {Primario(chave)}};
}

std::vector<DefTabela> MontaTabelas() {
    std::vector<DefTabela> t;
    t.push_back(Bd8Emp());
    t.push_back(Bd8Vinc());
    t.push_back(Bd8Resp());
    t.push_back(Referencia("TB8BASE", {T("MeDataBase", 2), T("NoMes", 10)}, "MeDataBase"));
    t.push_back(Referencia("TB8CBO", {T("CoCbo", 6), T("NoCbo", 200), L("InCriticaAna"), L("InCriticaCbo")}, "CoCbo"));
    t.push_back(Referencia("TB8CNAE", {T("CoCnae", 5), T("NoCnae", 200)}, "CoCNAE"));
    t.push_back(Referencia("TB8DESL", {T("CoCausaDesligamento", 2), T("NoCausaDesligamento", 190)},
                           "CoCausaDesligamento"));
    t.push_back(Referencia("TB8FXCEP",
                           {T("CoMunicipio", 7), T("CoCep1Inicial", 5), T("CoCep1Final", 5), T("CoCep2Inicial", 5),
                            T("CoCep2Final", 5)},
                           "CoMunicipio"));
    t.push_back(Referencia("TB8INSTR", {T("CoInstrucao", 1), T("NoInstrucao", 150)}, "CoInstrucao"));
    t.push_back(Referencia("TB8MSG", {T("NuMensagem", 4), T("TpMensagem", 5), T("TxMensagem", 200)}, "NuMensagem"));
    t.push_back(Referencia("TB8MUNIC", {T("CoMunicipio", 7), T("NoMunicipio", 40), T("CoCep", 5), T("InFaixa", 1)},
                           "CoMunicipio"));
    t.push_back(Referencia("TB8NACIO", {T("CoNacionalidade", 2), T("NoNacionalidade", 30)}, "CoNacionalidade"));
    t.push_back(Referencia("TB8RACA", {T("CoRaca", 1), T("NoRaca", 30)}, "CoRaca"));
    t.push_back(Referencia("TB8TPADM", {T("CoTipoAdmissao", 1), T("NoTipoAdmissao", 190)}, "CoTipoAdmissao"));
    t.push_back(Referencia("TB8TPSAL", {T("CoTipoSalarioContratual", 1), T("NoTipoSalarioContratual", 10)},
                           "CoTipoSalarioContratual"));
    t.push_back({"TBUF",
                 {T("CoUf", 2), T("SgUf", 2), T("NoUf", 19)},
                 {Primario("CoUF;SgUF"), DefIndice{"ISgUf", "SgUF", false, true}}});
    t.push_back({"TBUFCEP", {T("CoUf", 2), T("IdUf", 1), T("CoCepInicial", 5), T("CoCepFinal", 5)}, {}});
    t.push_back(Referencia("TB8VINC", {T("CoVinculo", 2), T("NoVinculo", 150)}, "CoVinculo"));
    t.push_back(Referencia("TB8AFAST", {T("CoAfastamento", 2), T("NoAfastamento", 50)}, "CoAfastamento"));
    t.push_back(Referencia("TB8NATJU", {T("CoNaturezaJuridica", 4), T("NoNaturezaJuridica", 100)},
                           "CoNaturezaJuridica"));
    t.push_back({"CARTELA", {T("Relatorio", 1)}, {}});
    return t;
}

}  // namespace

const std::vector<std::string>& TabelasObrigatorias() {
    static const std::vector<std::string> nomes = {
        "BD8EMP", "BD8VINC", "BD8RESP", "TB8BASE",  "TB8CBO",   "TB8CNAE", "TB8DESL", "TB8FXCEP", "TB8INSTR", "TB8MSG",
        "TB8MUNIC", "TB8NACIO", "TB8RACA", "TB8TPADM", "TB8TPSAL", "TBUF", "TBUFCEP", "TB8VINC", "TB8AFAST", "TB8NATJU"};
    return nomes;
}

const std::vector<std::string>& TabelasDeclaracao() {
    static const std::vector<std::string> nomes = {"BD8EMP", "BD8VINC", "BD8RESP"};
    return nomes;
}

const std::vector<DefTabela>& TabelasDoPrograma() {
    static const std::vector<DefTabela> tabelas = MontaTabelas();
    return tabelas;
}

DefTabela DefTe8errwa() {
    return {"TE8ERRWA",
            {T("errwar", 3), T("inscricao", 14), T("tipoinscricao", 1), T("prefixo", 2), T("tiporegistro", 1),
             T("retorno", 4), T("razaosocial", 52), T("copispasep", 11), T("noempregado", 30), T("DaAdmissao", 8),
             T("usoempresa", 12), T("lbl", 4), T("Conteudo", 52), T("Sequencial", 6)},
            {}};
}

namespace {

std::vector<DefCampo> CamposProIdComuns() {
    return {T("NuDisquete", 2), T("AnBase", 4), T("CoCgcCeiEstabelecimento", 14), T("NuPrefixoEstabelecimento", 2),
            T("InInscrEstabelecimento", 1), T("NoRazaoEstabelecimento", 52), T("EdEstabelecimento", 40),
            T("NuEnderecoEstabelecimento", 6), T("TxComplemEstabelecimento", 21), T("NoBairroEstabelecimento", 19),
            T("CoCepEstabelecimento", 8), T("CoMunicipio", 7), T("NoMunicEstabelecimento", 30), T("SgUf", 2),
            T("NuDDD", 2), T("NuTelefone", 8)};
}

std::vector<DefCampo> CamposProIdResponsavel() {
    return {T("CoCgcCeiResponsavel", 14), T("InInscrResponsavel", 1), T("NoResponsavelArquivo", 40),
            T("EdLogradouroRespArquivo", 40), T("NuLogradouroRespArquivo", 6), T("TxComplementoRespArquivo", 21),
            T("NoBairroRespArquivo", 19), T("CoCepRespArquivo", 8), T("CoMunicipioRespArquivo", 7),
            T("NoMunicipioRespArquivo", 30), T("SgUfRespArquivo", 2), T("NuFoneDDD", 2), T("NuFoneAssinante", 8)};
}

}  // namespace

DefTabela DefTe8ProIdGravacao() {
    DefTabela t{"TE8PROID", CamposProIdComuns(), {}};
    t.campos.push_back(T("TxEMailEstabelecimento", 45));
    for (auto& c : CamposProIdResponsavel()) t.campos.push_back(c);
    for (auto c : {T("TxEMailRespArquivo", 45), L("InReciboParaRespArquivo"), L("InRetificacao"), T("DaGeracao", 8),
                   T("HoSenha", 6), T("NuEstabelecimentos", 6), T("NuVinculos", 6), T("InEncerramentoAtividade", 1),
                   T("DaEncerramentoAtividade", 8)})
        t.campos.push_back(c);
    return t;
}

DefTabela DefTe8ProIdProtocolo() {
    DefTabela t{"TE8PROID", CamposProIdComuns(), {}};
    for (auto& c : CamposProIdResponsavel()) t.campos.push_back(c);
    for (auto c : {T("TxEMailRespArquivo", 39), L("InReciboParaRespArquivo"), L("InRetificacao"),
                   T("InEncerramentoAtividade", 1), T("DaEncerramentoAtividade", 8), T("DaGeracao", 8),
                   T("NuEstabelecimentos", 6), T("NuVinculos", 6), T("CreaProtocolo", 12), T("HashProtocolo", 65),
                   T("ddProtocolo", 2), T("mmProtocolo", 2)})
        t.campos.push_back(c);
    return t;
}

DefTabela DefTe8ProES() {
    return {"TE8PROES",
            {T("NuDisquete", 2), T("CoCgcCeiEstabelecimento", 14), T("NuPrefixoEstabelecimento", 2),
             T("CoCgcVinculado", 14), T("InInscrEstabelecimento", 1), T("NoRazaoEstabelecimento", 52),
             T("NuVinculosEstabelecimento", 6), T("DaEncerramentoAtividade", 8)},
            {}};
}

DefTabela DefTe8stru() {
    return {"TE8STRU",
            {T("AnBase", 4), T("CoMsg", 4), T("Sequencia", 6), T("InscricaoPrefixo", 16), T("TipoCampo", 1),
             T("PosicaoInicial", 3), T("Conteudo", 20)},
            {}};
}

DefTabela DefTe8Imp() {
    return {"TE8IMP",
            {Obrig("AnBase", 4), Obrig("CoCgcCeiEstabelecimento", 14), Obrig("NuPrefixoEstabelecimento", 2),
             T("CoCgcVinculado", 14), T("InInscrEstabelecimento", 1), T("NuVinculosEstabelecimento", 6),
             T("NuTotalDesligados", 6), T("NuTotalDuplicados", 6), T("NuTotalImportados", 6), T("CoImp", 4),
             T("Seq", 3)},
            {}};
}

const DefTabela& DefinicaoTabela(const std::string& nome) {
    static const std::map<std::string, DefTabela> todas = [] {
        std::map<std::string, DefTabela> m;
        for (const auto& t : TabelasDoPrograma()) m[t.nome] = t;
        for (auto t : {DefTe8errwa(), DefTe8ProES(), DefTe8stru(), DefTe8Imp()}) m[t.nome] = t;
        return m;
    }();
    auto it = todas.find(Banco::NomeTabela(nome));
    if (it == todas.end()) throw ErroBanco("Tabela desconhecida: " + nome);
    return it->second;
}

}  // namespace zovi
