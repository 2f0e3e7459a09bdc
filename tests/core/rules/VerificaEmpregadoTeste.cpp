// The employee steps of the verification run: a realistic employee passes
// every step without a row; changing one thing at a time produces exactly the
// rows of the rules that thing breaks, in the run's order.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "ReferenciasEmpregado.h"
#include "rules/VerificaEmpregado.h"

using namespace zovi;

namespace {

struct Linha {
    std::string errwar, retorno, lbl, conteudo;
    bool operator==(const Linha&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Linha& l) {
    return os << "{" << l.errwar << " " << l.retorno << " " << l.lbl << " '" << l.conteudo << "'}";
}

using teste::Empregado;
using teste::Estabelecimento;

std::vector<Linha> Verifica(const RegistroVinculo& e, const RegistroEstabelecimento& est,
                            bool exigePreenchimento = false, ConsultasVinculo* consultas = nullptr) {
    ColetorInconsistencias coletor;
    pVerificaEmpregado(e, est, {teste::ReferenciasEmpregado(), exigePreenchimento, consultas}, coletor);
    std::vector<Linha> linhas;
    for (const auto& l : coletor.linhas) linhas.push_back({l.errwar, l.retorno, l.lbl, l.conteudo});
    return linhas;
}

using Mudanca = std::function<void(RegistroVinculo&, RegistroEstabelecimento&)>;

using R = RegistroVinculo;

Mudanca Campo(MembroVinculo c, const char* valor) {
    return [=](RegistroVinculo& e, RegistroEstabelecimento&) { e.*c = valor; };
}
Mudanca Campos(std::initializer_list<std::pair<MembroVinculo, const char*>> valores) {
    std::vector<std::pair<MembroVinculo, const char*>> v(valores);
    return [v](RegistroVinculo& e, RegistroEstabelecimento&) {
        for (auto [c, valor] : v) e.*c = valor;
    };
}

struct Mutacao {
    const char* descricao;
    Mudanca mudanca;
    std::vector<Linha> esperado;
};

const char* const kErr = "err";
const char* const kWar = "war";
const char* const kSemRemuneracao = "N\xE3o h\xE1 remunera\xE7\xE3o informada.";

TEST(VerificaEmpregado, EmpregadoCorretoNaoGeraLinhas) {
    EXPECT_EQ(Verifica(Empregado(), Estabelecimento()), std::vector<Linha>{});
}

TEST(VerificaEmpregado, LinhasLevamIdentificacaoDoEmpregadoEDoEstabelecimento) {
    auto e = Empregado();
    e.NoEmpregado = "MARIA";
    ColetorInconsistencias coletor;
    pVerificaEmpregado(e, Estabelecimento(), {teste::ReferenciasEmpregado()}, coletor);
    ASSERT_EQ(coletor.linhas.size(), 1u);
    const auto& l = coletor.linhas[0];
    EXPECT_EQ(l.tiporegistro, "2");
    EXPECT_EQ(l.estabelecimento.inscricao, "11222333000181");
    EXPECT_EQ(l.estabelecimento.razaoSocial, "PADARIA BOM PAO LTDA");
    EXPECT_EQ(l.empregado.pisPasep, "12034567899");
    EXPECT_EQ(l.empregado.nome, "MARIA");
    EXPECT_EQ(l.empregado.admissao, "01032004");
    EXPECT_EQ(l.empregado.usoEmpresa, "SETOR 2");
}

TEST(VerificaEmpregado, UmaMudancaDeCadaVez) {
    const std::vector<Mutacao> mutacoes = {
        {"PIS com digito errado", Campo(&R::CoPisPasepEmpregado, "12034567898"), {{kErr, "0150", "1624", "12034567898"}}},
        {"admissao invalida encerra o passo", Campo(&R::DaAdmissaoEmpregado, "31022004"),
         {{kErr, "0390", "1632", "31022004"}}},
        {"admissao depois do ano", Campo(&R::DaAdmissaoEmpregado, "01012006"),
         {{kErr, "0391", "1632", "01012006"}, {kErr, "0391", "1658", "2005"}}},
        {"menor de 14 na admissao e de 15 no ano", Campo(&R::DaNascimentoEmpregado, "15061992"),
         {{kWar, "0171", "1632", "01032004"},
          {kWar, "0171", "1626", "15061992"},
          {kWar, "0176", "1626", "15061992"},
          {kWar, "0176", "1658", "2005"}}},
        {"menor de 9 na admissao", Campo(&R::DaNascimentoEmpregado, "15061996"),
         {{kErr, "0173", "1632", "01032004"},
          {kErr, "0173", "1626", "15061996"},
          {kWar, "0176", "1626", "15061996"},
          {kWar, "0176", "1658", "2005"}}},
        {"menor de 9 no ano", Campo(&R::DaNascimentoEmpregado, "15061997"),
         {{kErr, "0173", "1632", "01032004"},
          {kErr, "0173", "1626", "15061997"},
          {kErr, "0172", "1626", "15061997"},
          {kErr, "0172", "1658", "2005"}}},
        {"nascido depois do ano", Campo(&R::DaNascimentoEmpregado, "15062006"),
         {{kErr, "0173", "1632", "01032004"},
          {kErr, "0173", "1626", "15062006"},
          {kErr, "0174", "1626", "15062006"},
          {kErr, "0174", "1658", "2005"}}},
        {"nome de uma palavra", Campo(&R::NoEmpregado, "MARIA"), {{kErr, "0161", "1625", "MARIA"}}},
        {"deficiencia vazia", Campo(&R::InDeficienteFisico, ""), {{kErr, "0001", "3620", ""}}},
        {"raca inexistente", Campo(&R::CoTipoRaca, "7"), {{kErr, "0481", "1667", "7"}}},
        {"estrangeiro sem ano de chegada", Campo(&R::CoNacionalidade, "20"),
         {{kErr, "0191", "1628", "0000"}, {kErr, "0191", "1627", "20"}}},
        {"estrangeiro chegado depois da admissao", Campos({{&R::CoNacionalidade, "20"}, {&R::AnChegadaEmpregado, "2005"}}),
         {{kErr, "0194", "1632", "01032004"}, {kErr, "0194", "1628", "2005"}}},
        {"carteira e CPF zerados",
         Campos({{&R::NuCartTrabEmpregado, "00000000000"}, {&R::CoCpfEmpregado, "00000000000"}}),
         {{kErr, "0340", "1630", "00000000000"}, {kErr, "0340", "1631", "00000000000"}}},
        {"salario mensal abaixo do minimo", Campo(&R::VaSalContratualEmpregado, "000029999"),
         {{kWar, "0230", "1634", "000029999"}, {kWar, "0230", "1635", "1"}}},
        {"CBO de eleito e aviso", Campo(&R::CoCbo, "111105"), {{kWar, "3645", "1637", "111105"}}},
        {"CBO inexistente e erro", Campo(&R::CoCbo, "999999"), {{kErr, "0260", "1637", "999999"}}},
        {"CBO superior sem instrucao", Campo(&R::CoCbo, "223505"),
         {{kErr, "3501", "1637", "223505"}, {kErr, "3501", "1629", "7"}}},
        {"tipo de CEI num CNPJ encerra o passo", Campo(&R::CoVinculo, "15"),
         {{kErr, "0271", "1638", "15"}, {kErr, "0271", "1601", "1 (CGC)"}}},
        {"PIS zerado fora dos tipos 35 e 80", Campo(&R::CoPisPasepEmpregado, "00000000000"),
         {{kErr, "0272", "1638", "10"}, {kErr, "0272", "1624", "00000000000"}}},
        {"aprendiz de 24 anos em 2005, pago depois do aniversario",
         Campos({{&R::CoVinculo, "55"}, {&R::DaNascimentoEmpregado, "15061981"}}),
         {{kErr, "3503", "1647", "000100000"}, {kErr, "3503", "1638", "55"}, {kErr, "3503", "1626", "15061981"},
          {kErr, "3503", "1648", "000100000"}, {kErr, "3503", "1638", "55"}, {kErr, "3503", "1626", "15061981"},
          {kErr, "3503", "1649", "000100000"}, {kErr, "3503", "1638", "55"}, {kErr, "3503", "1626", "15061981"},
          {kErr, "3503", "1650", "000100000"}, {kErr, "3503", "1638", "55"}, {kErr, "3503", "1626", "15061981"},
          {kErr, "3503", "1651", "000100000"}, {kErr, "3503", "1638", "55"}, {kErr, "3503", "1626", "15061981"},
          {kErr, "3503", "1652", "000100000"}, {kErr, "3503", "1638", "55"}, {kErr, "3503", "1626", "15061981"}}},
        {"aprendiz de 13 anos em 2004",
         Campos({{&R::CoVinculo, "55"}, {&R::DaNascimentoEmpregado, "01011991"}, {&R::DaAdmissaoEmpregado, "01032005"},
                 {&R::VaJaneiroEmpregado, "000000000"}, {kRemuneracoesVinculo[1], "000000000"}}),
         {{kWar, "0176", "1626", "01011991"}, {kWar, "0176", "1658", "2005"},
          {kErr, "3502", "1638", "55"}, {kErr, "3502", "1626", "01011991"}}},
        {"alvara de maior de 16", Campo(&R::InAlvaraEmpregado, "1"),
         {{kWar, "3531", "3621", "1"}, {kWar, "3531", "1638", "10"}, {kWar, "3531", "1626", "15061980"}}},
        {"causa sem data, e sem ferias", Campo(&R::CoCausaDesligamento, "10"),
         {{kErr, "0291", "1640", "0000"}, {kErr, "0291", "1639", "10"}, {kErr, "3675", "3658", "00000000"}}},
        {"causa 71 sem data", Campo(&R::CoCausaDesligamento, "71"), {}},
        {"causa 78 sem data", Campo(&R::CoCausaDesligamento, "78"), {}},
        {"causa 80 com data",
         Campos({{&R::CoCausaDesligamento, "80"}, {&R::DaDesligamentoEmpregado, "1506"}}),
         {{kErr, "3512", "1640", "1506"}, {kErr, "3512", "1639", "80"},
          {kWar, "0311", "1640", "1506"}, {kWar, "0311", "1647", "000100000"},
          {kWar, "0311", "1640", "1506"}, {kWar, "0311", "1648", "000100000"},
          {kWar, "0311", "1640", "1506"}, {kWar, "0311", "1649", "000100000"},
          {kWar, "0311", "1640", "1506"}, {kWar, "0311", "1650", "000100000"},
          {kWar, "0311", "1640", "1506"}, {kWar, "0311", "1651", "000100000"},
          {kWar, "0311", "1640", "1506"}, {kWar, "0311", "1652", "000100000"},
          {kWar, "0321", "1653", "11"}, {kWar, "0321", "1640", "1506"},
          {kWar, "0321", "1655", "12"}, {kWar, "0321", "1640", "1506"}}},
        {"data de desligamento invalida encerra o passo", Campo(&R::DaDesligamentoEmpregado, "3212"),
         {{kErr, "0292", "1640", "3212"}}},
        {"encerramento em 2006: Y 2006, causa e data exigidas",
         [](RegistroVinculo&, RegistroEstabelecimento& est) {
             est.InEncerramentoAtividade = "1";
             est.DaEncerramentoAtividade = "31012006";
         },
         {{kErr, "0281", "1639", "00"}, {kErr, "0281", "3618", "1"},
          {kErr, "0294", "1640", "0000"}, {kErr, "0294", "1658", "2006"}}},
        {"desligado depois do encerramento em 2006",
         [](RegistroVinculo& e, RegistroEstabelecimento& est) {
             est.InEncerramentoAtividade = "1";
             est.DaEncerramentoAtividade = "31012006";
             e.CoCausaDesligamento = "11";
             e.DaDesligamentoEmpregado = "3112";
             e.VaGlobalFerias = "00010000";
         },
         {{kErr, "3603", "1640", "31122006"}, {kErr, "3603", "3619", "31012006"}}},
        {"empregado correto de estabelecimento que encerra em 2006",
         [](RegistroVinculo& e, RegistroEstabelecimento& est) {
             est.InEncerramentoAtividade = "1";
             est.DaEncerramentoAtividade = "31012006";
             e.DaAdmissaoEmpregado = "02012006";
             e.CoCausaDesligamento = "11";
             e.DaDesligamentoEmpregado = "3101";
             e.VaGlobalFerias = "00010000";
             for (int m = 2; m <= 12; ++m) e.*kRemuneracoesVinculo[m - 1] = "000000000";
             e.Me13AdiantamentoEmpregado = "00";
             e.Va13AdiantamentoEmpregado = "000000000";
             e.Me13ParcelaFinalEmpregado = "01";
         },
         {}},
        {"admitido em 2006 sem encerramento em 2006", Campo(&R::DaAdmissaoEmpregado, "02012006"),
         {{kErr, "0391", "1632", "02012006"}, {kErr, "0391", "1658", "2005"}}},
        {"aviso previo vazio", Campo(&R::VaAvisoPrevioEmpregado, ""), {{kErr, "0335", "3511", ""}}},
        {"fevereiro abaixo do minimo", Campo(kRemuneracoesVinculo[1], "000025999"),
         {{kWar, "0312", "1642", "000025999"}}},
        {"fevereiro nao numerico", Campo(kRemuneracoesVinculo[1], "00002599A"),
         {{kErr, "0040", "1642", "00002599A"}}},
        {"marco dez vezes fevereiro", Campo(kRemuneracoesVinculo[2], "001000000"),
         {{kWar, "0314", "1642", "000100000"}, {kWar, "0314", "1643", "001000000"}}},
        {"remuneracao antes da admissao no ano", Campo(&R::DaAdmissaoEmpregado, "01032005"),
         {{kErr, "0310", "1641", "000100000"}, {kErr, "0310", "1632", "01032005"},
          {kErr, "0310", "1642", "000100000"}, {kErr, "0310", "1632", "01032005"}}},
        {"parcela unica com adiantamento", Campo(&R::Me13ParcelaFinalEmpregado, "99"),
         {{kErr, "0326", "1653", "11"}, {kErr, "0326", "1655", "99"}}},
        {"adiantamento sem mes", Campo(&R::Me13AdiantamentoEmpregado, "00"),
         {{kErr, "0324", "1653", "00"}, {kErr, "0324", "1654", "000050000"}}},
        {"adiantamento no teto", Campo(&R::Va13AdiantamentoEmpregado, "004500000"),
         {{kWar, "0332", "1653", "11"}, {kWar, "0332", "1654", "004500000"},
          {kWar, "3508", "1664", "12000,00"}, {kWar, "3508", "1665", "45500,00"}}},
        {"decimo terceiro desproporcional", Campo(&R::Va13ParcelaFinalEmpregado, "000200000"),
         {{kWar, "3508", "1664", "12000,00"}, {kWar, "3508", "1665", "2500,00"}}},
        {"sem decimo terceiro", Campos({{&R::Va13AdiantamentoEmpregado, "000000000"},
                                        {&R::Va13ParcelaFinalEmpregado, "000000000"},
                                        {&R::Me13AdiantamentoEmpregado, "00"},
                                        {&R::Me13ParcelaFinalEmpregado, "00"}}),
         {{kWar, "1676", "1665", kSemRemuneracao}}},
        {"motivo de afastamento invalido", Campo(&R::CoMotivoSeguAfas, "45"),
         {{kErr, "3629", "3636", "45"},
          {kErr, "3639", "3642", "45"}, {kErr, "3639", "3637", "0000"},
          {kErr, "3639", "3642", "45"}, {kErr, "3639", "3637", "0000"},
          {kErr, "3644", "3641", "000"}, {kErr, "3644", "3642", "00"}}},
        {"afastamento terminando antes de comecar",
         Campos({{&R::CoMotivoPrimAfas, "10"}, {&R::DaInicioprimeiroAfas, "1503"}, {&R::DaFinalPrimeiroAfas, "1403"},
                 {&R::QtDiasAfas, "010"}}),
         {{kErr, "3633", "3637", "1503"}, {kErr, "3633", "3637", "1403"}}},
        {"data de afastamento sem motivo", Campo(&R::DaInicioSegundoAfas, "0103"),
         {{kErr, "3646", "3642", "00"}, {kErr, "3646", "3637", "0103"}}},
        {"afastamento depois do desligamento",
         Campos({{&R::CoCausaDesligamento, "60"}, {&R::DaDesligamentoEmpregado, "3112"}, {&R::VaGlobalFerias, "00010000"},
                 {&R::CoMotivoTercAfas, "10"}, {&R::DaInicioTerceiroAfas, "0112"}, {&R::DaFinalTerceiroAfas, "0101"},
                 {&R::QtDiasAfas, "010"}}),
         {{kErr, "3633", "3637", "0112"}, {kErr, "3633", "3637", "0101"}}},
        {"afastamento com motivo e sem dias", Campos({{&R::CoMotivoPrimAfas, "10"}, {&R::DaInicioprimeiroAfas, "0103"},
                                                       {&R::DaFinalPrimeiroAfas, "1003"}}),
         {{kErr, "3644", "3641", "000"}, {kErr, "3644", "3642", "10"}}},
        {"texto de uso com aspas", Campo(&R::TxUsoEmpregado, "SETOR \"A\""), {{kErr, "0020", "1623", "SETOR \"A\""}}},
        {"municipio de trabalho inexistente", Campo(&R::CoMunicipioTrabalho, "3550309"),
         {{kErr, "0090", "3671", "3550309"}}},
        {"municipio de trabalho zerado", Campo(&R::CoMunicipioTrabalho, "0000000"), {}},
        {"CNPJ associativo de filial", Campo(&R::CoCNPJPrimAssociativa, "11222333000262"),
         {{kErr, "3649", "3650", "11222333000262"}}},
        {"CNPJ confederativo da matriz", Campo(&R::CoCNPJConfederativa, "11222333000181"), {}},
        {"contribuicao assistencial vazia", Campo(&R::VaGlobalAssistencial, ""), {{kErr, "3648", "3655", ""}}},
        {"banco de horas sem meses", Campo(&R::VaGlobalBcoHoras, "00010000"), {{kErr, "0030", "3661", "00"}}},
        {"meses de dissidio sem valor", Campo(&R::QtCompDissidio, "03"), {{kErr, "0030", "3663", "03"}}},
        {"gratificacao nao numerica", Campo(&R::VaGlobalGratificacoes, "0001000A"),
         {{kErr, "3648", "3664", "0001000A"}, {kErr, "0030", "3665", "00"}}},
        {"horas de maio nao numericas", Campo(kHorasVinculo[4], "17A"), {{kErr, "0040", "3670", "17A"}}},
        {"CNAE de administracao publica", [](RegistroVinculo&, RegistroEstabelecimento& est) { est.CoCnae = "75116"; },
         {{kWar, "3507", "1638", "10"}, {kWar, "3507", "1618", "75116"}}},
        {"natureza de administracao publica",
         [](RegistroVinculo&, RegistroEstabelecimento& est) { est.CoNaturezaJuridica = "1031"; },
         {{kWar, "3519", "1638", "10"}, {kWar, "3519", "1619", "1031"}}},
    };
    for (const auto& m : mutacoes) {
        auto e = Empregado();
        auto est = Estabelecimento();
        m.mudanca(e, est);
        EXPECT_EQ(Verifica(e, est), m.esperado) << m.descricao;
    }
}

// Whole years without pay are accepted only for a year-long leave of motive 40 or 70,
// or for someone who left during the year.
TEST(VerificaEmpregado, SemRemuneracaoAlguma) {
    auto semNada = [] {
        auto e = Empregado();
        for (auto membro : kRemuneracoesVinculo) e.*membro = "000000000";
        e.Va13AdiantamentoEmpregado = e.Va13ParcelaFinalEmpregado = "000000000";
        e.Me13AdiantamentoEmpregado = e.Me13ParcelaFinalEmpregado = "00";
        return e;
    };
    auto e = semNada();
    EXPECT_EQ(Verifica(e, Estabelecimento()), (std::vector<Linha>{{kErr, "1674", "1663", kSemRemuneracao}}));

    for (const char* motivo : {"40", "70"}) {
        e = semNada();
        e.CoMotivoPrimAfas = motivo;
        e.DaInicioprimeiroAfas = "0101";
        e.DaFinalPrimeiroAfas = "3112";
        e.QtDiasAfas = "365";
        EXPECT_EQ(Verifica(e, Estabelecimento()), std::vector<Linha>{}) << motivo;
    }

    e = semNada();
    e.CoCausaDesligamento = "60";
    e.DaDesligamentoEmpregado = "1001";
    e.VaGlobalFerias = "00010000";
    EXPECT_EQ(Verifica(e, Estabelecimento()), std::vector<Linha>{});

    e = semNada();
    e.Va13ParcelaFinalEmpregado = "000050000";
    e.Me13ParcelaFinalEmpregado = "12";
    EXPECT_EQ(Verifica(e, Estabelecimento()), (std::vector<Linha>{{kWar, "1675", "1664", kSemRemuneracao}}));
}

TEST(VerificaEmpregado, AnoDeReferencia) {
    EXPECT_EQ(AnoReferenciaEmpregado("2", "00000000"), "2005");
    EXPECT_EQ(AnoReferenciaEmpregado("1", "31122005"), "2005");
    EXPECT_EQ(AnoReferenciaEmpregado("1", "31012006"), "2006");
    EXPECT_EQ(AnoReferenciaEmpregado("1", "31122004"), "2006");
    EXPECT_EQ(AnoReferenciaEmpregado("2", "31012006"), "2005");
    EXPECT_EQ(AnoReferenciaEmpregado("1", ""), "2005");
}

TEST(VerificaEmpregado, ExigenciaDePreenchimento) {
    auto e = Empregado();
    for (auto* c : {&e.CoCNPJSindical, &e.CoCNPJPrimAssociativa, &e.CoCNPJSegAssociativa, &e.CoCNPJAssistencial,
                    &e.CoCNPJConfederativa})
        *c = "";
    e.CoCNPJSegAssociativa = "11222333000181";
    e.CoMunicipioTrabalho = "";
    EXPECT_EQ(Verifica(e, Estabelecimento(), false), std::vector<Linha>{});
    EXPECT_EQ(Verifica(e, Estabelecimento(), true), (std::vector<Linha>{{kErr, "0030", "3671", ""},
                                                                         {kErr, "0030", "3652", ""},
                                                                         {kErr, "0030", "3650", ""},
                                                                         {kErr, "0030", "3654", ""},
                                                                         {kErr, "0030", "3656", ""}}));
}

// The run's two queries write their rows between the right steps: the
// duplicate check after the admission, the birth-date check after the race.
TEST(VerificaEmpregado, ConsultasDoPercursoEntramNaOrdem) {
    struct Marcas : ConsultasVinculo {
        void VerificaDuplicado(const RegistroVinculo& e, EmissorInconsistencias& saida) override {
            saida.Linha("err", "1671", e.NuSequencialRegistro, "1662");
        }
        void VerificaNascimento(const RegistroVinculo& e, EmissorInconsistencias& saida) override {
            saida.Linha("err", "1672", e.DaNascimentoEmpregado, "1626");
        }
    } marcas;
    auto e = Empregado();
    e.NuSequencialRegistro = "000007";
    e.DaAdmissaoEmpregado = "01012006";
    e.NoEmpregado = "MARIA";
    e.CoTipoRaca = "";
    e.CoNacionalidade = "";
    EXPECT_EQ(Verifica(e, Estabelecimento(), false, &marcas),
              (std::vector<Linha>{{kErr, "0391", "1632", "01012006"},
                                  {kErr, "0391", "1658", "2005"},
                                  {kErr, "1671", "1662", "000007"},
                                  {kErr, "0161", "1625", "MARIA"},
                                  {kErr, "0480", "1667", ""},
                                  {kErr, "1672", "1626", "15061980"},
                                  {kErr, "0180", "1627", ""}}));
}

}  // namespace
