// Remuneration, 13th salary, leave, rescission and hours rules, and the checks
// only the employee form makes: one table of cases per family.
#include <gtest/gtest.h>

#include "ReferenciasEmpregado.h"
#include "rules/RegrasRemuneracao.h"

using namespace zovi;

namespace {

struct Caso {
    const char* descricao;
    std::string obtido;
    const char* esperado;
};

void Confere(std::initializer_list<Caso> casos) {
    for (const auto& c : casos) EXPECT_EQ(c.obtido, c.esperado) << c.descricao;
}

// fCriticaRemuneracaoMensal for a monthly salary (type "1").
std::string Mensal(const char* valor, const char* mes, const char* desligamento = "0000",
                   const char* admissao = "01012004", const char* ano = "2005") {
    return fCriticaRemuneracaoMensal(valor, mes, "1", desligamento, admissao, ano);
}

TEST(RegrasRemuneracao, PisoETetoDoMes) {
    Confere({
        {"vazio", Mensal("", "02"), "0315"},
        {"com letra", Mensal("0000A0000", "02"), "0040"},
        {"curto", Mensal("25999", "02"), "0030"},
        {"zeros", Mensal("000000000", "02"), "0000"},
        {"0,00", Mensal("0,00", "02"), "0000"},
        {"fevereiro 259,99", Mensal("000025999", "02"), "0312"},
        {"fevereiro 260,00", Mensal("000026000", "02"), "0000"},
        {"maio 299,99", Mensal("000029999", "05"), "0312"},
        {"abril 3.900.000", Mensal("003900000", "04"), "0313"},
        {"abril 3.899.999", Mensal("003899999", "04"), "0000"},
        {"maio 4.500.000", Mensal("004500000", "05"), "0313"},
        {"maio 4.499.999", Mensal("004499999", "05"), "0000"},
        // Months worked only in part may fall below the floor.
        {"mes do desligamento", Mensal("000025999", "02", "1502"), "0000"},
        {"mes do desligamento acima do teto, admitido antes", Mensal("004500000", "06", "1506"), "0000"},
        {"mes da admissao no ano", Mensal("000025999", "02", "0000", "15022005"), "0000"},
        {"mes da admissao acima do teto", Mensal("003900000", "02", "0000", "15022005"), "0313"},
        {"mes do desligamento admitido no ano, acima do teto", Mensal("004500000", "06", "1506", "15022005"), "0313"},
        {"outro mes admitido no ano", Mensal("000025999", "03", "0000", "15022005"), "0312"},
        {"admissao em 2005 com Y 2006 nao e do ano", Mensal("000025999", "02", "0000", "15022005", "2006"), "0312"},
        {"horista abaixo do piso", fCriticaRemuneracaoMensal("000010000", "02", "5", "0000", "01012004", "2005"),
         "0000"},
        {"horista no teto", fCriticaRemuneracaoMensal("003900000", "02", "5", "0000", "01012004", "2005"), "0313"},
    });
}

TEST(RegrasRemuneracao, MesesForaDoContrato) {
    Confere({
        {"antes da admissao", fCriticaRemuneracaoAdmissao("02", "15032005", "2005"), "0310"},
        {"no mes da admissao", fCriticaRemuneracaoAdmissao("03", "15032005", "2005"), "0000"},
        {"admitido em outro ano", fCriticaRemuneracaoAdmissao("02", "15032004", "2005"), "0000"},
        {"depois do desligamento", fCriticaRemuneracaoDesligamento("07", "1506"), "0311"},
        {"no mes do desligamento", fCriticaRemuneracaoDesligamento("06", "1506"), "0000"},
        {"sem desligamento", fCriticaRemuneracaoDesligamento("07", "0000"), "0000"},
        {"dez vezes o anterior", fCriticaRemuneracaoRepetida("000500000", "03", "000050000"), "0314"},
        {"nove vezes o anterior", fCriticaRemuneracaoRepetida("000450000", "03", "000050000"), "0000"},
        {"janeiro nao se compara", fCriticaRemuneracaoRepetida("000500000", "01", "000050000"), "0000"},
        {"anterior zero", fCriticaRemuneracaoRepetida("000500000", "03", "000000000"), "0000"},
        {"anterior nao numerico", fCriticaRemuneracaoRepetida("000500000", "03", "00005000A"), "0000"},
        // Apprentice ages measured against 2005: paid after turning 24 or before turning 14.
        {"aprendiz de 1981 depois do mes de nascimento",
         fCriticaRemuneracaoAprendiz("07", "55", "15061981", "2005"), "3503"},
        {"aprendiz de 1981 no mes de nascimento", fCriticaRemuneracaoAprendiz("06", "55", "15061981", "2005"),
         "0000"},
        {"aprendiz de 1991 antes do mes de nascimento",
         fCriticaRemuneracaoAprendiz("05", "55", "15061991", "2005"), "3503"},
        {"aprendiz de 1991 depois", fCriticaRemuneracaoAprendiz("07", "55", "15061991", "2005"), "0000"},
        {"aprendiz de 1985", fCriticaRemuneracaoAprendiz("12", "55", "15061985", "2005"), "0000"},
        {"nao aprendiz", fCriticaRemuneracaoAprendiz("07", "10", "15061981", "2005"), "0000"},
    });
}

TEST(RegrasRemuneracao, DecimoTerceiro) {
    Confere({
        {"mes adiantamento vazio", fCriticaMes13Adiantamento(""), "0322"},
        {"mes adiantamento 00", fCriticaMes13Adiantamento("00"), "0000"},
        {"mes adiantamento 12", fCriticaMes13Adiantamento("12"), "0000"},
        {"mes adiantamento 13", fCriticaMes13Adiantamento("13"), "0322"},
        {"mes adiantamento 99", fCriticaMes13Adiantamento("99"), "0322"},
        {"mes final 99", fCriticaMes13ParcelaFinal("99"), "0000"},
        {"mes final 13", fCriticaMes13ParcelaFinal("13"), "0322"},
        {"mes final 1 digito", fCriticaMes13ParcelaFinal("9"), "0030"},
        {"antes da admissao", fCriticaMes13Admissao("02", "15032005", "2005"), "0320"},
        {"admitido em outro ano", fCriticaMes13Admissao("02", "15032004", "2005"), "0000"},
        {"adiantamento depois do desligamento", fCriticaMes13Desligamento("07", "1506"), "0321"},
        {"adiantamento no desligamento", fCriticaMes13Desligamento("06", "1506"), "0000"},
        {"final depois do desligamento", fCriticaParcelaFinal13Desligamento("12", "1506"), "0321"},
        {"final 99 com desligamento", fCriticaParcelaFinal13Desligamento("99", "1506"), "0000"},
        {"final antes do adiantamento", fCriticaMesesParcelas13("11", "10"), "0323"},
        {"final igual ao adiantamento", fCriticaMesesParcelas13("11", "11"), "0323"},
        {"final 99 com adiantamento", fCriticaMesesParcelas13("11", "99"), "0326"},
        {"final 99 sem adiantamento", fCriticaMesesParcelas13("00", "99"), "0000"},
        {"valor adiantamento vazio", fCriticaValor13Adiantamento(""), "0333"},
        {"valor final vazio", fCriticaValor13ParcelaFinal(""), "0334"},
        {"valor final 0,00", fCriticaValor13ParcelaFinal("0,00"), "0000"},
        {"adiantamento sem mes", fCriticaAdiantamento13("00", "000050000"), "0324"},
        {"adiantamento sem valor", fCriticaAdiantamento13("11", "000000000"), "0330"},
        {"adiantamento no teto de abril", fCriticaAdiantamento13("04", "003900000"), "0332"},
        {"adiantamento abaixo do teto de maio", fCriticaAdiantamento13("05", "003900000"), "0000"},
        {"final sem mes", fCriticaParcelaFinal13("00", "000050000"), "0325"},
        {"final sem valor", fCriticaParcelaFinal13("12", "0,00"), "0331"},
        {"final 99 no teto", fCriticaParcelaFinal13("99", "004500000"), "0332"},
        {"nem mes nem valor", fCriticaParcelaFinal13("00", "000000000"), "0000"},
    });
}

TEST(RegrasRemuneracao, Afastamentos) {
    Confere({
        {"motivo vazio", fCriticaMotivoAfastamento(""), "0030"},
        {"motivo 00", fCriticaMotivoAfastamento("00"), "0000"},
        {"motivo 40", fCriticaMotivoAfastamento("40"), "0000"},
        {"motivo 45", fCriticaMotivoAfastamento("45"), "3629"},
        {"data vazia", fCriticaDataAfastamento("", "2005"), "0030"},
        {"data 0000", fCriticaDataAfastamento("0000", "2005"), "0000"},
        {"29/02", fCriticaDataAfastamento("2902", "2005"), "3630"},
        {"antes da admissao", fCriticaAfastamentoAdmissao("0103", "02032005", "2005"), "3632"},
        {"admitido antes do ano", fCriticaAfastamentoAdmissao("0103", "02032004", "2005"), "0000"},
        {"depois do desligamento", fCriticaAfastamentoDesligamento("1606", "1506"), "3631"},
        {"no dia do desligamento", fCriticaAfastamentoDesligamento("1506", "1506"), "0000"},
        {"motivo sem data", fCriticaAfastamentoMotivo("0000", "10"), "3639"},
        {"data sem motivo", fCriticaAfastamentoMotivo("0103", "00"), "3646"},
        {"data e motivo", fCriticaAfastamentoMotivo("0103", "10"), "0000"},
        {"fim antes do inicio", fCriticaAfastamentoPeriodo("1503", "1403"), "3633"},
        {"fim antes, em outro mes", fCriticaAfastamentoPeriodo("0104", "3003"), "3633"},
        {"um dia", fCriticaAfastamentoPeriodo("1503", "1503"), "0000"},
        {"dias vazios", fCriticaQtDiasAfastamento(""), "0030"},
        {"365 dias", fCriticaQtDiasAfastamento("365"), "0000"},
        {"366 dias", fCriticaQtDiasAfastamento("366"), "3640"},
        {"motivo sem dias", fCriticaDiasAfastamento("10", "00", "00", "000"), "3644"},
        {"segundo motivo sem dias", fCriticaDiasAfastamento("", "20", "00", ""), "3644"},
        {"motivo com dias", fCriticaDiasAfastamento("10", "00", "00", "015"), "0000"},
        {"sem motivo", fCriticaDiasAfastamento("00", "", "00", "000"), "0000"},
    });
}

TEST(RegrasRemuneracao, RescisaoMunicipioEHoras) {
    const auto& ref = teste::ReferenciasEmpregado();
    Confere({
        {"municipio curto", fCriticaMunicipioTrabalho(ref, "355030"), "0030"},
        {"municipio inexistente", fCriticaMunicipioTrabalho(ref, "3550309"), "0090"},
        {"municipio", fCriticaMunicipioTrabalho(ref, "3550308"), "0000"},
        {"rescisorio vazio", fCriticaValorRescisorio(""), "3648"},
        {"rescisorio letra", fCriticaValorRescisorio("0000A000"), "3648"},
        {"rescisorio 0,00", fCriticaValorRescisorio("0,00"), "0000"},
        {"rescisorio", fCriticaValorRescisorio("00012345"), "0000"},
        {"meses vazios", fCriticaQuantidadeMeses(""), "3648"},
        {"meses", fCriticaQuantidadeMeses("03"), "0000"},
        {"banco de horas sem meses", fCriticaBancoHoras("00012345", "00"), "0030"},
        {"meses sem banco de horas", fCriticaBancoHoras("0,00", "03"), "0030"},
        {"banco de horas com meses", fCriticaBancoHoras("00012345", "03"), "0000"},
        {"nenhum dos dois", fCriticaDissidio("", ""), "0000"},
        {"gratificacao sem meses", fCriticaGratificacoes("00000100", ""), "0030"},
        {"demitido sem ferias", fCriticaFeriasDesligamento("11", "00000000"), "3675"},
        {"demitido com ferias 0,00", fCriticaFeriasDesligamento("21", "0,00"), "3675"},
        {"demitido com ferias", fCriticaFeriasDesligamento("11", "00012345"), "0000"},
        {"transferido sem ferias", fCriticaFeriasDesligamento("30", "00000000"), "0000"},
        {"sem causa", fCriticaFeriasDesligamento("", "00000000"), "0000"},
        {"horas vazias", fCriticaHorasMes(""), "0030"},
        {"horas", fCriticaHorasMes("176"), "0000"},
    });
}

TEST(RegrasRemuneracao, TotaisEProporcaoDoDecimoTerceiro) {
    std::array<std::string_view, 12> meses;
    meses.fill("000100000");
    meses[0] = "";           // not counted
    meses[1] = "00010000A";  // not numeric: not counted
    meses[2] = "000000000";  // counted, not a paid month
    auto t = fTotaisRemuneracao(meses, "000050000", "0,00");
    EXPECT_EQ(t.mensal, 900000);
    EXPECT_EQ(t.mesesPagos, 9);
    EXPECT_EQ(t.decimoTerceiro, 50000);
    EXPECT_FALSE(fDecimoTerceiroDesproporcional(t));
    // Average 1000,00: up to 1500,00 of 13th is proportionate.
    t.decimoTerceiro = 150000;
    EXPECT_FALSE(fDecimoTerceiroDesproporcional(t));
    t.decimoTerceiro = 150001;
    EXPECT_TRUE(fDecimoTerceiroDesproporcional(t));
    EXPECT_FALSE(fDecimoTerceiroDesproporcional({0, 150001, 0}));

    EXPECT_TRUE(fAfastadoAnoInteiro("40", "0101", "3112"));
    EXPECT_TRUE(fAfastadoAnoInteiro("70", "0101", "3112"));
    EXPECT_FALSE(fAfastadoAnoInteiro("10", "0101", "3112"));
    EXPECT_FALSE(fAfastadoAnoInteiro("40", "0201", "3112"));
}

TEST(RegrasRemuneracao, SoNoFormulario) {
    std::array<std::string_view, 12> valores;
    valores.fill("000100000");
    valores[3] = valores[4] = "000000000";
    valores[5] = "0,00";
    Confere({
        {"inicio sem fim", fCriticaAfastamentoPar("0103", ""), "3643"},
        {"inicio e fim", fCriticaAfastamentoPar("0103", "3103"), "0000"},
        {"nenhum", fCriticaAfastamentoPar("", ""), "0000"},
        {"cnpj sem valor", fCriticaValorObrigatorio("0,00", "11222333000181"), "3673"},
        {"cnpj com valor zerado", fCriticaValorObrigatorio("00000000", "11222333000181"), "3673"},
        {"cnpj com valor", fCriticaValorObrigatorio("00001000", "11222333000181"), "0000"},
        {"sem cnpj nem valor", fCriticaValorObrigatorio("", ""), "0000"},
        {"cnpj zerado sem valor", fCriticaValorObrigatorio("", "00000000000000"), "0000"},
        {"horas no afastamento", fCriticaHorasRemuneracao("100", "000100000", 4, "05", "03"), "3677"},
        {"sem horas no afastamento", fCriticaHorasRemuneracao("000", "000100000", 4, "05", "03"), "0000"},
        {"sem horas fora do afastamento", fCriticaHorasRemuneracao("", "000100000", 6, "05", "03"), "3676"},
        {"horas fora do afastamento", fCriticaHorasRemuneracao("176", "000100000", 6, "05", "03"), "0000"},
        {"sem afastamento e sem horas", fCriticaHorasRemuneracao("000", "000100000", 6, "", ""), "3676"},
        {"horas sem remuneracao", fCriticaHorasRemuneracao("176", "0,00", 6, "", ""), "3677"},
        {"nem horas nem remuneracao", fCriticaHorasRemuneracao("", "", 6, "", ""), "0000"},
        {"mes sem remuneracao", fCriticaMesesSelecionados(4, valores), "3634"},
        {"mes com remuneracao", fCriticaMesesSelecionados(3, valores), "0000"},
        {"mes 13", fCriticaMesesSelecionados(13, valores), "0000"},
        {"13o antes da admissao", fCriticaMes13AdmissaoAno("02", "15032005", "2005"), "0320"},
        {"13o no mes da admissao", fCriticaMes13AdmissaoAno("03", "15032005", "2005"), "0000"},
        {"13o admitido antes do ano", fCriticaMes13AdmissaoAno("02", "15032004", "2005"), "0000"},
        {"afastamento sem remuneracao", fCriticaRemuneracaoAfastamento("10", "0104", "3006", valores), "3634"},
        {"afastamento com um mes pago", fCriticaRemuneracaoAfastamento("10", "0104", "3107", valores), "0000"},
        {"afastamento motivo 40", fCriticaRemuneracaoAfastamento("40", "0104", "3006", valores), "0000"},
        {"sem afastamento", fCriticaRemuneracaoAfastamento("00", "0000", "0000", valores), "0000"},
    });
}

}  // namespace
