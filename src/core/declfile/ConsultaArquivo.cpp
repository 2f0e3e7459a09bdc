#include "declfile/ConsultaArquivo.h"

#include "analysis/AnaliseEstrutura.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "messages/Formatacao.h"

namespace zovi {

namespace {

bool SoZeros(const std::string& t) {
    const auto a = fAparaTexto(t);
    return a.empty() || a.find_first_not_of('0') == std::string::npos;
}

std::string Data(const std::string& d) {
    if (SoZeros(d)) return "";
    const auto a = fAparaTexto(d);
    if (a.size() == 8) return FormataData(a);
    if (a.size() == 4) return a.substr(0, 2) + "/" + a.substr(2);
    return a;
}

std::string SimNao(const std::string& v) { return v == "1" || v == "X" ? "Sim" : "Não"; }

std::string Mascara(const std::string& codigo, std::initializer_list<std::pair<size_t, char>> partes) {
    std::string r;
    size_t de = 0;
    for (const auto& [n, separador] : partes) {
        if (de >= codigo.size()) break;
        r += codigo.substr(de, n);
        de += n;
        if (separador && de < codigo.size()) r += separador;
    }
    return r;
}

// Reference tables: table -> (code field, description field).
const std::map<std::string, std::pair<std::string, std::string>>& CamposReferencia() {
    static const std::map<std::string, std::pair<std::string, std::string>> m = {
        {"TB8NACIO", {"CoNacionalidade", "NoNacionalidade"}},
        {"TB8INSTR", {"CoInstrucao", "NoInstrucao"}},
        {"TB8RACA", {"CoRaca", "NoRaca"}},
        {"TB8TPADM", {"CoTipoAdmissao", "NoTipoAdmissao"}},
        {"TB8TPSAL", {"CoTipoSalarioContratual", "NoTipoSalarioContratual"}},
        {"TB8CBO", {"CoCbo", "NoCbo"}},
        {"TB8VINC", {"CoVinculo", "NoVinculo"}},
        {"TB8DESL", {"CoCausaDesligamento", "NoCausaDesligamento"}},
        {"TB8AFAST", {"CoAfastamento", "NoAfastamento"}},
        {"TB8CNAE", {"CoCnae", "NoCnae"}},
        {"TB8NATJU", {"CoNaturezaJuridica", "NoNaturezaJuridica"}},
    };
    return m;
}

}  // namespace

int fCarregaConsulta(Banco& banco, const std::filesystem::path& arquivo, Interacao& interacao) {
    TAnaliseEstrutura analise(banco, interacao);
    long estabelecimentos = 0, empregados = 0;
    return analise.fAnalisaArquivo(arquivo, 2005, false, estabelecimentos, empregados);
}

bool ConsultaCarregada(int resultado) { return resultado == kAnaliseSemFalha || resultado == kAnaliseRetificacao; }

DescricoesReferencia::DescricoesReferencia(Banco& banco) {
    for (const auto& [tabela, campos] : CamposReferencia()) {
        auto& linhas = tabelas_[tabela];
        if (!banco.ExisteTabela(tabela)) continue;
        Consulta q(banco, {"Select " + campos.first + ", " + campos.second + " from " + tabela});
        for (q.Abre(); !q.Fim(); q.Proximo()) linhas[fAparaTexto(q.Texto(0))] = fAparaTexto(q.Texto(1));
    }
}

std::string DescricoesReferencia::Descreve(const std::string& tabela, const std::string& codigo) {
    const auto c = fAparaTexto(codigo);
    if (c.empty()) return "";
    const auto& linhas = tabelas_.at(tabela);
    const auto d = linhas.find(c);
    return d == linhas.end() ? c : c + " - " + d->second;
}

std::string fFormataValorConsulta(const std::string& valor) {
    std::string v = valor.empty() || fAparaTexto(valor).empty() ? "000000000" : valor;
    if (v.size() < 3 || v.find_first_not_of("0123456789") != std::string::npos) return valor;
    std::string inteiro = RetiraZerosEsquerda(v.substr(0, v.size() - 2));
    if (inteiro.empty()) inteiro = "0";
    std::string agrupado;
    for (size_t i = 0; i < inteiro.size(); ++i) {
        if (i && (inteiro.size() - i) % 3 == 0) agrupado += '.';
        agrupado += inteiro[i];
    }
    const std::string r = agrupado + "," + v.substr(v.size() - 2);
    // The window's amounts line up on the right in a proportional font: fewer characters, more room.
    int espacos = 0;
    switch (r.size()) {
        case 4: espacos = 14; break;
        case 5: espacos = 12; break;
        case 6: espacos = 11; break;
        case 8: espacos = 7; break;
        case 9: espacos = 5; break;
        case 10: espacos = 3; break;
        default: break;
    }
    return std::string(static_cast<size_t>(espacos), ' ') + r;
}

std::string TelefoneConsulta(const std::string& ddd, const std::string& numero) {
    std::string r;
    if (!SoZeros(ddd)) r = "(" + RetiraZerosEsquerda(fAparaTexto(ddd)) + ")";
    if (!SoZeros(numero)) {
        const auto n = RetiraZerosEsquerda(fAparaTexto(numero));
        r += n.size() > 4 ? n.substr(0, n.size() - 4) + "-" + n.substr(n.size() - 4) : n;
    }
    return r;
}

std::string InscricaoConsulta(const std::string& inscricao, const std::string& tipo) {
    if (tipo == "1" || tipo == "3" || tipo == "4") return FormataInscricaoCpf(inscricao, tipo);
    return inscricao;
}

Linhas CamposResponsavel(const LeCampo& c) {
    std::string endereco = fAparaTexto(c("EdLogradouroRespArquivo"));
    if (const auto n = RetiraZerosEsquerda(fAparaTexto(c("NuLogradouroRespArquivo"))); !n.empty()) endereco += ", " + n;
    if (const auto compl_ = fAparaTexto(c("TxComplementoRespArquivo")); !compl_.empty()) endereco += " " + compl_;
    const bool retificacao = c("InRetificacao") == "1" || c("InRetificacao") == "True";
    const auto dataRetificacao = c("DaRetificacao") == "00000000" ? "" : Data(c("DaRetificacao"));
    const bool recibo = c("InReciboParaRespArquivo") == "1" || c("InReciboParaRespArquivo") == "True";
    return {
        {"Nome", fAparaTexto(c("NoResponsavelArquivo"))},
        {"CNPJ/CEI/CPF", InscricaoConsulta(c("CoCgcCeiResponsavel"), c("InInscrResponsavel"))},
        {"Endereço", endereco},
        {"Bairro", fAparaTexto(c("NoBairroRespArquivo"))},
        {"CEP", Mascara(fAparaTexto(c("CoCepRespArquivo")), {{5, '-'}, {3, 0}})},
        {"Município", Mascara(fAparaTexto(c("CoMunicipioRespArquivo")), {{2, '-'}, {5, 0}}) + " " +
                          fAparaTexto(c("NoMunicipioRespArquivo")) + " " + fAparaTexto(c("SgUfRespArquivo"))},
        {"Telefone p/contato", TelefoneConsulta(c("NuFoneDDD"), c("NuFoneAssinante"))},
        {"E-mail", fAparaTexto(c("TxEMailRespArquivo"))},
        {"Enviar correspondência para o endereço do responsável", recibo ? "Sim" : "Não"},
        {"Estabelecimentos no disquete estão sendo retificados.", retificacao ? "Sim" : "Não"},
        {"Data da retificação", dataRetificacao},
    };
}

Linhas CamposEstabelecimento(const LeCampo& c, DescricoesReferencia& d) {
    std::string porte;
    if (c("InPorte") == "1") porte = "Microempresa";
    else if (c("InPorte") == "2") porte = "Pequeno Porte";
    else if (c("InPorte") == "3") porte = "Outros";
    if (c("InOptanteSimples") == "1") porte += " e Opta pelo Simples";
    const bool comEmpregados = c("InZoviNegEstabelecimento") == "0";
    const auto cnae = fAparaTexto(c("CoCnae"));
    const auto natureza = fAparaTexto(c("CoNaturezaJuridica"));
    const auto cnaeDescrito = d.Descreve("TB8CNAE", cnae);
    const auto naturezaDescrita = d.Descreve("TB8NATJU", natureza);
    const auto numero = RetiraZerosEsquerda(fAparaTexto(c("NuEnderecoEstabelecimento")));
    Linhas r = {
        {"Situação", comEmpregados ? "ZOVI com Empregados" : "ZOVI sem Empregados"},
        {"Declaração", c("AnBase") == "2006" ? "Antecipação Ano-Base 2006" : "Declaração Ano-Base 2005"},
        {"CNPJ/CEI", InscricaoConsulta(c("CoCgcCeiEstabelecimento"), c("InInscrEstabelecimento"))},
        {"Prefixo", c("NuPrefixoEstabelecimento")},
        {"CEI Vinculado", SoZeros(c("CoCgcVinculado")) ? "" : FormataInscricao(c("CoCgcVinculado"), "3")},
        {"Para uso da empresa", fAparaTexto(c("TxUsoEstabelecimento"))},
        {"Total Empregados", comEmpregados ? RetiraZerosEsquerda(c("NuVinculosEstabelecimento")) : ""},
        {"Nome/Razão Social", fAparaTexto(c("NoRazaoEstabelecimento"))},
        {"Telefone", TelefoneConsulta(c("NuDDD"), c("NuTelefone"))},
        {"Endereço", fAparaTexto(c("EdEstabelecimento"))},
        {"Número", numero},
        {"Complemento", fAparaTexto(c("TxComplemEstabelecimento"))},
        {"Bairro", fAparaTexto(c("NoBairroEstabelecimento"))},
        {"CEP", Mascara(fAparaTexto(c("CoCepEstabelecimento")), {{5, '-'}, {3, 0}})},
        {"Município", Mascara(fAparaTexto(c("CoMunicipio")), {{2, '-'}, {5, 0}}) + " " +
                          fAparaTexto(c("NoMunicEstabelecimento"))},
        {"UF", fAparaTexto(c("SgUf"))},
        {"CNAE", cnae.empty() ? "" : Mascara(cnae, {{2, '.'}, {2, '-'}, {1, 0}}) + cnaeDescrito.substr(cnae.size())},
        {"Natureza Jurídica",
         natureza.empty() ? "" : Mascara(natureza, {{3, '-'}, {1, 0}}) + naturezaDescrita.substr(natureza.size())},
        {"Porte", porte},
        {"Mês Data-Base", NomeMes(c("MeDataBase"))},
        {"Proprietários", RetiraZerosEsquerda(fAparaTexto(c("NuProprietEstabelecimento")))},
        {"E-mail", fAparaTexto(c("TxEmailEstabelecimento"))},
        {"PAT", c("InParticipaPAT") == "1" ? "Participa do PAT" : "Não Participa do PAT"},
        {"PAT: vínculos até / acima de 5 SM", c("NuVinculoPatMenor5") + " / " + c("NuVinculoPatMaior5")},
        {"PAT: percentuais",
         c("PoAdmCozinha") + " " + c("PoServicoProprio") + " " + c("PoRefeicaoConvenio") + " " +
             c("PoRefeicaoTransportadora") + " " + c("PoCestaAlimento") + " " + c("PoAlimentacaoConvenio")},
    };
    if (c("InEncerramentoAtividade") == "1")
        r.insert(r.begin() + 2, {"Encerrou as Atividades", Data(c("DaEncerramentoAtividade"))});
    return r;
}

Linhas CamposEmpregado(const LeCampo& c, DescricoesReferencia& d) {
    auto codigo = [&](const char* tabela, const char* campo, bool zerosEmBranco = false) {
        const auto v = fAparaTexto(c(campo));
        return zerosEmBranco && v == "00" ? std::string() : d.Descreve(tabela, v);
    };
    const auto sexo = c("InSexo") == "1" ? "M" : c("InSexo") == "2" ? "F" : "";
    Linhas r = {
        {"PIS/PASEP", FormataPisPasep(c("CoPisPasepEmpregado"))},
        {"Nome", fAparaTexto(c("NoEmpregado"))},
        {"Data de nascimento", Data(c("DaNascimentoEmpregado"))},
        {"Sexo", sexo},
        {"Nacionalidade", codigo("TB8NACIO", "CoNacionalidade")},
        {"Ano de chegada", RetiraZerosEsquerda(fAparaTexto(c("AnChegadaEmpregado")))},
        {"Grau de instrução", codigo("TB8INSTR", "CoInstrucao")},
        {"Raça/cor", codigo("TB8RACA", "CoTipoRaca")},
        {"Deficiente", SimNao(c("InDeficienteFisico"))},
        {"CTPS", c("NuCartTrabEmpregado") == "00000000000" ? "" : fAparaTexto(c("NuCartTrabEmpregado"))},
        {"CPF", SoZeros(c("CoCpfEmpregado")) ? "" : InscricaoConsulta(c("CoCpfEmpregado"), "4")},
        {"Para uso da empresa", fAparaTexto(c("TxUsoEmpregado"))},
        {"Data de admissão", Data(c("DaAdmissaoEmpregado"))},
        {"Tipo de admissão", codigo("TB8TPADM", "CoTipoAdmissao")},
        {"Salário contratual", fFormataValorConsulta(c("VaSalContratualEmpregado"))},
        {"Tipo de salário", codigo("TB8TPSAL", "CoTipoSalarioContratual")},
        {"Horas semanais", RetiraZerosEsquerda(fAparaTexto(c("HoSemanaisEmpregado")))},
        {"Ocupação (CBO)", codigo("TB8CBO", "CoCbo")},
        {"Tipo de vínculo", codigo("TB8VINC", "CoVinculo")},
        {"Alvará", SimNao(c("InAlvaraEmpregado"))},
        {"Causa do desligamento", codigo("TB8DESL", "CoCausaDesligamento", true)},
        {"Data do desligamento", Data(c("DaDesligamentoEmpregado"))},
    };
    static const char* const kMeses[12] = {"VaJaneiroEmpregado",  "VaFevereiroEmpregado", "VaMarcoEmpregado",
                                           "VaAbrilEmpregado",    "VaMaioEmpregado",      "VaJunhoEmpregado",
                                           "VaJulhoEmpregado",    "VaAgostoEmpregado",    "VaSetembroEmpregado",
                                           "VaOutubroEmpregado",  "VaNovembroEmpregado",  "VaDezembroEmpregado"};
    for (int m = 0; m < 12; ++m) r.emplace_back(NomeMes(std::to_string(m + 1)), fFormataValorConsulta(c(kMeses[m])));
    r.emplace_back("13º salário adiantamento (mês " + c("Me13AdiantamentoEmpregado") + ")",
                   fFormataValorConsulta(c("Va13AdiantamentoEmpregado")));
    r.emplace_back("13º salário parcela final (mês " + c("Me13ParcelaFinalEmpregado") + ")",
                   fFormataValorConsulta(c("Va13ParcelaFinalEmpregado")));
    r.emplace_back("Aviso prévio indenizado", fFormataValorConsulta(c("VaAvisoPrevioEmpregado")));
    static const char* const kAfastamentos[3][3] = {
        {"CoMotivoPrimAfas", "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas"},
        {"CoMotivoSeguAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas"},
        {"CoMotivoTercAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"}};
    for (int a = 0; a < 3; ++a) {
        const auto n = std::to_string(a + 1);
        r.emplace_back("Afastamento " + n + ": motivo", codigo("TB8AFAST", kAfastamentos[a][0], true));
        r.emplace_back("Afastamento " + n + ": início e fim",
                       SoZeros(c(kAfastamentos[a][1])) ? "" : Data(c(kAfastamentos[a][1])) + " a " + Data(c(kAfastamentos[a][2])));
    }
    r.emplace_back("Total de dias de afastamento", c("QtDiasAfas") == "000" ? "" : RetiraZerosEsquerda(c("QtDiasAfas")));
    return r;
}

std::vector<std::string> SqlEmpregadosConsulta(const std::string& prefixo, bool porNome) {
    std::vector<std::string> sql = {"select * from te8Vinc", "where AnBase = :AnBase",
                                    "and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento"};
    // A prefix the file left blank is stored as no value at all.
    sql.push_back(fAparaTexto(prefixo).empty() ? "and (NuPrefixoEstabelecimento is null or NuPrefixoEstabelecimento = '')"
                                               : "and NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento");
    sql.push_back(porNome ? "Order by NoEmpregado" : "Order by CoPisPasepEmpregado");
    return sql;
}

void EscreveConsulta(Banco& banco, const std::function<void(const std::string&)>& linha) {
    DescricoesReferencia descricoes(banco);
    auto escreve = [&](const Linhas& linhas) {
        for (const auto& [rotulo, valor] : linhas) linha("  " + rotulo + ": " + fAparaTexto(valor));
    };
    Consulta resp(banco, {"select * from te8Resp"});
    resp.Abre();
    linha("Dados do Responsável");
    if (!resp.Vazia()) escreve(CamposResponsavel([&](const std::string& n) { return resp.Texto(n); }));

    Consulta emp(banco, {"select * from te8Emp order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
    emp.Abre();
    linha("");
    linha("Declaração do Ano-Base 2005");
    linha(CompletaEspacos("CNPJ/CEI", 20) + CompletaEspacos("Prefixo", 9) + CompletaEspacos("Nome/Firma/Razão Social", 54) +
          CompletaEspacos("CEI Vinculado", 20) + "Núm. Vínculos");
    for (; !emp.Fim(); emp.Proximo())
        linha(CompletaEspacos(InscricaoConsulta(emp.Texto("CoCgcCeiEstabelecimento"), emp.Texto("InInscrEstabelecimento")), 20) +
              CompletaEspacos(emp.Texto("NuPrefixoEstabelecimento"), 9) +
              CompletaEspacos(fAparaTexto(emp.Texto("NoRazaoEstabelecimento")), 54) +
              CompletaEspacos(SoZeros(emp.Texto("CoCgcVinculado")) ? "" : FormataInscricao(emp.Texto("CoCgcVinculado"), "3"), 20) +
              RetiraZerosEsquerda(emp.Texto("NuVinculosEstabelecimento")));
    for (emp.Primeiro(); !emp.Fim(); emp.Proximo()) {
        linha("");
        linha("Estabelecimento");
        escreve(CamposEstabelecimento([&](const std::string& n) { return emp.Texto(n); }, descricoes));
        Consulta vinc(banco, SqlEmpregadosConsulta(emp.Texto("NuPrefixoEstabelecimento"), false));
        vinc.Parametro("AnBase", emp.Texto("AnBase"));
        vinc.Parametro("CoCgcCeiEstabelecimento", emp.Texto("CoCgcCeiEstabelecimento"));
        if (!fAparaTexto(emp.Texto("NuPrefixoEstabelecimento")).empty())
            vinc.Parametro("NuPrefixoEstabelecimento", emp.Texto("NuPrefixoEstabelecimento"));
        vinc.AbreSequencial();
        for (; !vinc.Fim(); vinc.Proximo()) {
            linha("");
            linha("  Empregado/Servidor");
            for (const auto& [rotulo, valor] : CamposEmpregado([&](const std::string& n) { return vinc.Texto(n); }, descricoes))
                linha("    " + rotulo + ": " + fAparaTexto(valor));
        }
    }
}

}  // namespace zovi
