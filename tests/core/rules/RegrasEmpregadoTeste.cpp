// Employee identification and contract rules: one table of cases per family.
#include <gtest/gtest.h>

#include "BaseReferencia.h"
#include "ReferenciasEmpregado.h"
#include "engine/Tabela.h"
#include "data/Tabelas.h"
#include "rules/RegistroVinculo.h"
#include "rules/RegrasEmpregado.h"

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

constexpr const char* kPisValido = "12034567899";
constexpr const char* kCpfValido = "52998224725";

TEST(RegistroVinculo, TodosOsCamposDaTabelaNaOrdem) {
    const auto& def = DefinicaoTabela("BD8VINC");
    ASSERT_EQ(def.campos.size(), CamposVinculo().size());
    RegistroVinculo r;
    for (std::size_t i = 0; i < def.campos.size(); ++i) {
        EXPECT_EQ(def.campos[i].nome, CamposVinculo()[i].first) << i;
        r.*CamposVinculo()[i].second = def.campos[i].nome;  // each member reached once
    }
    EXPECT_EQ(r.CoPisPasepEmpregado, "CoPisPasepEmpregado");
    EXPECT_EQ(r.*kRemuneracoesVinculo[11], "VaDezembroEmpregado");
    EXPECT_EQ(r.*kHorasVinculo[0], "HoTrabalhadasJaneiro");
}

TEST(RegistroVinculo, LidoDaTabelaPeloNome) {
    teste::BaseReferencia base;
    {
        Tabela t(base.banco, "BD8VINC");
        t.Abre();
        t.Acrescenta();
        for (const auto& [nome, membro] : CamposVinculo()) t.PoeTexto(nome, std::string(nome).substr(0, 1));
        t.PoeTexto("NoEmpregado", "MARIA DE SOUZA");
        t.PoeTexto("HoTrabalhadasDezembro", "176");
        t.Grava();
    }
    Tabela t(base.banco, "BD8VINC");
    t.Abre();
    t.Primeiro();
    const RegistroVinculo r = LeVinculo(t);
    EXPECT_EQ(r.NoEmpregado, "MARIA DE SOUZA");
    EXPECT_EQ(r.HoTrabalhadasDezembro, "176");
    EXPECT_EQ(r.CoCbo, "C");
    EXPECT_EQ(r.InSexo, "I");
}

TEST(RegrasEmpregado, PisPasepENome) {
    Confere({
        {"PIS vazio", fCriticaPisPasep("   "), "0153"},
        {"PIS com letra", fCriticaPisPasep("1203456789A"), "0040"},
        {"PIS curto", fCriticaPisPasep("1203456789"), "0030"},
        {"PIS todo zeros passa", fCriticaPisPasep("00000000000"), "0000"},
        {"PIS valido", fCriticaPisPasep(kPisValido), "0000"},
        {"PIS digito errado", fCriticaPisPasep("12034567898"), "0150"},
        {"nome vazio", fCriticaNomeEmpregado("", kPisValido), "0160"},
        {"quatro letras iguais", fCriticaNomeEmpregado("JOAO DA SILVVVVA", kPisValido), "3100"},
        {"uma palavra", fCriticaNomeEmpregado("JOAO ", kPisValido), "0161"},
        {"apostrofo", fCriticaNomeEmpregado("JOAO D'AVILA", kPisValido), "0020"},
        {"nome bom", fCriticaNomeEmpregado("MARIA DE SOUZA", kPisValido), "0000"},
        {"trabalhador exemplo com outro nome", fCriticaNomeEmpregado("MARIA DE SOUZA", kPisTrabalhadorExemplo), "3647"},
        {"trabalhador exemplo em minusculas", fCriticaNomeEmpregado("joao da silva pereira santos",
                                                                     kPisTrabalhadorExemplo), "0000"},
    });
    EXPECT_EQ(std::string(kNomeTrabalhadorExemplo).size(), 28u);
}

TEST(RegrasEmpregado, NascimentoEIdade) {
    Confere({
        {"nascimento vazio", fCriticaDataNascimento(""), "0170"},
        {"nascimento zeros", fCriticaDataNascimento("00000000"), "0170"},
        {"nascimento curto", fCriticaDataNascimento("0101198"), "0030"},
        {"31 de fevereiro", fCriticaDataNascimento("31021980"), "0175"},
        {"ano 1900", fCriticaDataNascimento("01011900"), "0175"},
        {"ano 1901", fCriticaDataNascimento("01011901"), "0000"},
        // Age in the reference year: 15 passes, 9 to 14 warns, under 9 or unborn is an error.
        {"1990 em 2005", fCriticaIdadeAnoBase("01011990", "2005"), "0000"},
        {"1995 em 2005", fCriticaIdadeAnoBase("01011995", "2005"), "0176"},
        {"1996 em 2005", fCriticaIdadeAnoBase("01011996", "2005"), "0176"},
        {"1997 em 2005", fCriticaIdadeAnoBase("01011997", "2005"), "0172"},
        {"2006 em 2005", fCriticaIdadeAnoBase("01012006", "2005"), "0174"},
        {"2006 em 2006", fCriticaIdadeAnoBase("01012006", "2006"), "0172"},
        {"1991 em 2006", fCriticaIdadeAnoBase("01011991", "2006"), "0000"},
        {"nascimento invalido passa", fCriticaIdadeAnoBase("0101", "2005"), "0000"},
        {"deficiente 2", fCriticaDeficiente("2"), "0000"},
        {"deficiente vazio", fCriticaDeficiente(""), "0001"},
        {"sexo 3", fCriticaSexo("3"), "3524"},
        {"sexo 1", fCriticaSexo("1"), "0000"},
    });
}

TEST(RegrasEmpregado, CodigosDeTabela) {
    const auto& ref = teste::ReferenciasEmpregado();
    Confere({
        {"raca vazia", fCriticaRacaCor(ref, ""), "0480"},
        {"raca inexistente", fCriticaRacaCor(ref, "9"), "0481"},
        {"raca", fCriticaRacaCor(ref, "2"), "0000"},
        {"nacionalidade zeros", fCriticaNacionalidade(ref, "00"), "0180"},
        {"nacionalidade curta", fCriticaNacionalidade(ref, "1"), "0030"},
        {"nacionalidade inexistente", fCriticaNacionalidade(ref, "99"), "0181"},
        {"nacionalidade", fCriticaNacionalidade(ref, "10"), "0000"},
        {"instrucao vazia", fCriticaInstrucao(ref, ""), "0200"},
        {"instrucao letra", fCriticaInstrucao(ref, "A"), "0040"},
        {"instrucao", fCriticaInstrucao(ref, "7"), "0000"},
        {"tipo admissao zero", fCriticaTipoAdmissao(ref, "0"), "0221"},
        {"tipo admissao inexistente", fCriticaTipoAdmissao(ref, "8"), "0220"},
        {"tipo salario vazio", fCriticaTipoSalario(ref, " "), "0241"},
        {"tipo salario inexistente", fCriticaTipoSalario(ref, "9"), "0240"},
        {"vinculo zeros", fCriticaTipoVinculo(ref, "00"), "0273"},
        {"vinculo inexistente", fCriticaTipoVinculo(ref, "99"), "0270"},
        {"vinculo", fCriticaTipoVinculo(ref, "10"), "0000"},
        {"causa vazia", fCriticaCausaDesligamento(ref, ""), "0280"},
        {"causa zeros passa", fCriticaCausaDesligamento(ref, "00"), "0000"},
        {"causa inexistente", fCriticaCausaDesligamento(ref, "99"), "0280"},
        {"causa letra", fCriticaCausaDesligamento(ref, "1A"), "0040"},
    });
}

TEST(RegrasEmpregado, ChegadaAoPais) {
    Confere({
        {"ano vazio", fCriticaAnoChegada(""), "0030"},
        {"ano 0000", fCriticaAnoChegada("0000"), "0000"},
        {"brasileiro sem ano", fCriticaAnoChegadaNacionalidade("0000", "10"), "0000"},
        {"brasileiro com ano", fCriticaAnoChegadaNacionalidade("1990", "10"), "0190"},
        {"estrangeiro sem ano", fCriticaAnoChegadaNacionalidade("0000", "20"), "0191"},
        {"estrangeiro com ano", fCriticaAnoChegadaNacionalidade("1990", "20"), "0000"},
        {"ambos zero", fCriticaAnoChegadaNacionalidade("0000", "00"), "0000"},
        {"chegada depois de Y", fCriticaAnoChegadaAnoBase("2006", "2005", "20"), "0192"},
        {"chegada em Y=2006", fCriticaAnoChegadaAnoBase("2006", "2006", "20"), "0000"},
        {"brasileiro nao se compara", fCriticaAnoChegadaAnoBase("2006", "2005", "10"), "0000"},
        {"chegada antes de nascer", fCriticaAnoChegadaNascimento("1979", "01011980", "20"), "0193"},
        {"chegada no ano de nascer", fCriticaAnoChegadaNascimento("1980", "31121980", "20"), "0000"},
        {"admissao antes da chegada", fCriticaAdmissaoChegada("2001", "01012000", "20"), "0194"},
        {"admissao no ano da chegada", fCriticaAdmissaoChegada("2000", "01012000", "20"), "0000"},
        {"admissao brasileiro", fCriticaAdmissaoChegada("2001", "01012000", "10"), "0000"},
    });
}

TEST(RegrasEmpregado, DocumentosESalario) {
    Confere({
        {"carteira e CPF zerados", fCriticaCtpsCpf("00000000000", "00000000000"), "0340"},
        {"carteira vazia", fCriticaCtpsCpf("", "00000000000"), "0000"},
        {"carteira informada", fCriticaCtpsCpf("12345600001", "00000000000"), "0000"},
        {"CPF vazio", fCriticaCpf(""), "0211"},
        {"CPF zeros", fCriticaCpf("00000000000"), "0000"},
        {"CPF valido", fCriticaCpf(kCpfValido), "0000"},
        {"CPF invalido", fCriticaCpf("52998224724"), "0210"},
        {"salario vazio", fCriticaSalarioContratual(""), "0232"},
        {"salario zero", fCriticaSalarioContratual("000000000"), "0232"},
        {"salario 0,00", fCriticaSalarioContratual("0,00"), "0232"},
        {"salario curto", fCriticaSalarioContratual("50000"), "0030"},
        {"salario", fCriticaSalarioContratual("000050000"), "0000"},
        // Monthly salaries are measured against December's minimum wage and ceiling.
        {"mensal abaixo do minimo", fCriticaSalarioContratualTipo("000029999", "1"), "0230"},
        {"mensal no minimo", fCriticaSalarioContratualTipo("000030000", "1"), "0000"},
        {"mensal no teto", fCriticaSalarioContratualTipo("004500000", "1"), "0231"},
        {"mensal abaixo do teto", fCriticaSalarioContratualTipo("004499999", "1"), "0000"},
        {"horista abaixo do minimo", fCriticaSalarioContratualTipo("000000500", "5"), "0000"},
        {"horas vazias", fCriticaHorasSemanais(""), "0251"},
        {"horas zero", fCriticaHorasSemanais("00"), "0251"},
        {"horas 44", fCriticaHorasSemanais("44"), "0000"},
        {"horas 45", fCriticaHorasSemanais("45"), "0250"},
        {"aviso vazio", fCriticaAvisoPrevio(""), "0335"},
        {"aviso zeros", fCriticaAvisoPrevio("000000000"), "0000"},
        {"aviso 0,00", fCriticaAvisoPrevio("0,00"), "0000"},
        {"aviso com letra", fCriticaAvisoPrevio("00000A000"), "0040"},
    });
}

TEST(RegrasEmpregado, Admissao) {
    Confere({
        {"admissao vazia", fCriticaDataAdmissao(""), "0392"},
        {"admissao zeros", fCriticaDataAdmissao("00000000"), "0392"},
        {"admissao com letra", fCriticaDataAdmissao("0101200A"), "0040"},
        {"admissao 30/02", fCriticaDataAdmissao("30022005"), "0390"},
        {"admissao", fCriticaDataAdmissao("01032005"), "0000"},
        {"admissao depois de Y", fCriticaAdmissaoAnoBase("01012006", "2005"), "0391"},
        {"admissao em 2006 com Y 2006", fCriticaAdmissaoAnoBase("01012006", "2006"), "0000"},
        {"admissao depois do encerramento", fCriticaAdmissaoEncerramento("30062005", "01072005"), "0394"},
        {"admissao no dia do encerramento", fCriticaAdmissaoEncerramento("30062005", "30062005"), "0000"},
        {"encerramento de outro ano", fCriticaAdmissaoEncerramento("01022006", "01122005"), "0000"},
        {"sem encerramento", fCriticaAdmissaoEncerramento("00000000", "01072005"), "0000"},
        // Age at admission counts whole years: the birthday on the admission day counts.
        {"8 anos", fCriticaIdadeAdmissao("15061996", "14062005"), "0173"},
        {"9 anos no aniversario", fCriticaIdadeAdmissao("15061996", "15062005"), "0171"},
        {"13 anos", fCriticaIdadeAdmissao("15061991", "14062005"), "0171"},
        {"14 anos no aniversario", fCriticaIdadeAdmissao("15061991", "15062005"), "0000"},
    });
}

TEST(RegrasEmpregado, OcupacaoETipoDeVinculo) {
    const auto& ref = teste::ReferenciasEmpregado();
    Confere({
        {"CBO de eleito", fCriticaCbo(ref, "111105"), "3645"},
        {"CBO vazio", fCriticaCbo(ref, ""), "0261"},
        {"CBO de 4", fCriticaCbo(ref, "2235"), "0030"},
        {"CBO com letra", fCriticaCbo(ref, "22350A"), "0040"},
        {"CBO zeros", fCriticaCbo(ref, "000000"), "0261"},
        {"CBO inexistente", fCriticaCbo(ref, "999999"), "0260"},
        {"CBO", fCriticaCbo(ref, "782510"), "0000"},
        {"CBO superior sem superior", fCriticaCboInstrucao(ref, "7", "223505"), "3501"},
        {"CBO superior com superior", fCriticaCboInstrucao(ref, "9", "223505"), "0000"},
        {"CBO vedado ao analfabeto", fCriticaCboInstrucao(ref, "1", "411005"), "3635"},
        {"CBO com alfabetizado", fCriticaCboInstrucao(ref, "2", "411005"), "0000"},
        // PIS all zeros or starting 109 to 119 only for types 35 and 80.
        {"PIS zeros tipo 10", fCriticaVinculoPis("10", "00000000000"), "0272"},
        {"PIS zeros tipo 35", fCriticaVinculoPis("35", "00000000000"), "0000"},
        {"PIS 109 tipo 10", fCriticaVinculoPis("10", "10934567899"), "0272"},
        {"PIS 119 tipo 80", fCriticaVinculoPis("80", "11934567899"), "0000"},
        {"PIS 120 tipo 10", fCriticaVinculoPis("10", kPisValido), "0000"},
        {"CNPJ tipo 15", fCriticaVinculoTipoInscricao("15", "1"), "0271"},
        {"CNPJ tipo 10", fCriticaVinculoTipoInscricao("10", "1"), "0000"},
        {"CEI tipo 10", fCriticaVinculoTipoInscricao("10", "3"), "0271"},
        {"CEI tipo 55", fCriticaVinculoTipoInscricao("55", "3"), "0000"},
        {"outro tipo de inscricao", fCriticaVinculoTipoInscricao("10", "2"), "0000"},
        // Apprentices are 14 to 24 in 2004; other types are flagged at 16 or less.
        {"aprendiz nascido em 1990", fCriticaIdadeVinculo("55", "01011990", "2004"), "0000"},
        {"aprendiz nascido em 1991", fCriticaIdadeVinculo("55", "01011991", "2004"), "3502"},
        {"aprendiz nascido em 1980", fCriticaIdadeVinculo("55", "01011980", "2004"), "0000"},
        {"aprendiz nascido em 1979", fCriticaIdadeVinculo("55", "01011979", "2004"), "3502"},
        {"aprendiz de 14 em 2005", fCriticaIdadeVinculo("55", "01011991", "2005"), "0000"},
        {"menor de 16", fCriticaIdadeVinculo("10", "01011988", "2004"), "3510"},
        {"17 anos", fCriticaIdadeVinculo("10", "01011987", "2004"), "0000"},
        {"CNAE publico tipo 10", fCriticaVinculoCnae("10", "75116"), "3507"},
        {"CNAE publico tipo 30", fCriticaVinculoCnae("30", "75116"), "0000"},
        {"CNAE privado", fCriticaVinculoCnae("10", "70408"), "0000"},
        {"natureza publica tipo 10", fCriticaVinculoNatureza("10", "1031"), "3519"},
        {"natureza publica tipo 97", fCriticaVinculoNatureza("97", "1031"), "0000"},
        {"natureza privada", fCriticaVinculoNatureza("10", "2062"), "0000"},
    });
}

TEST(RegrasEmpregado, Alvara) {
    Confere({
        {"alvara vazio", fCriticaAlvara(""), "0001"},
        {"alvara 2", fCriticaAlvara("2"), "0000"},
        {"sem alvara", fCriticaAlvaraIdade("2", "01011990", "10", "2004"), "0000"},
        {"alvara de menor", fCriticaAlvaraIdade("1", "01011990", "10", "2004"), "0000"},
        {"alvara de 16", fCriticaAlvaraIdade("1", "01011988", "10", "2004"), "0000"},
        {"alvara de maior de 16", fCriticaAlvaraIdade("1", "01011987", "10", "2004"), "3531"},
        {"alvara de aprendiz", fCriticaAlvaraIdade("1", "01011990", "55", "2004"), "3531"},
        {"alvara invalido", fCriticaAlvaraIdade("X", "01011980", "55", "2004"), "0000"},
    });
}

TEST(RegrasEmpregado, Desligamento) {
    Confere({
        {"encerramento em 2005 sem causa", fCriticaCausaEncerramento("1", "2005", "00", "2005"), "0281"},
        {"encerramento com causa vazia", fCriticaCausaEncerramento("1", "2005", "", "2005"), "0281"},
        {"encerramento com causa", fCriticaCausaEncerramento("1", "2005", "10", "2005"), "0000"},
        {"estabelecimento de 2004", fCriticaCausaEncerramento("1", "2004", "00", "2005"), "0000"},
        {"sem encerramento", fCriticaCausaEncerramento("2", "2005", "00", "2005"), "0000"},
        {"data vazia", fCriticaDataDesligamento("", "2005"), "0292"},
        {"data curta", fCriticaDataDesligamento("101", "2005"), "0030"},
        {"data zeros", fCriticaDataDesligamento("0000", "2005"), "0000"},
        {"29/02 em 2005", fCriticaDataDesligamento("2902", "2005"), "0292"},
        {"31/12", fCriticaDataDesligamento("3112", "2005"), "0000"},
        // Causes 71, 78 and 80 carry no date; any other cause needs one; no cause, no date.
        {"causa 71 sem data", fCriticaDesligamentoCausa("0000", "71"), "0000"},
        {"causa 78 sem data", fCriticaDesligamentoCausa("0000", "78"), "0000"},
        {"causa 80 sem data", fCriticaDesligamentoCausa("0000", "80"), "0000"},
        {"causa 80 com data", fCriticaDesligamentoCausa("1506", "80"), "3512"},
        {"causa 71 com data", fCriticaDesligamentoCausa("1506", "71"), "3512"},
        {"causa 10 sem data", fCriticaDesligamentoCausa("0000", "10"), "0291"},
        {"causa 10 com data", fCriticaDesligamentoCausa("1506", "10"), "0000"},
        {"data sem causa", fCriticaDesligamentoCausa("1506", "00"), "0293"},
        {"nem data nem causa", fCriticaDesligamentoCausa("0000", "00"), "0000"},
        {"desligado antes de admitido", fCriticaDesligamentoAdmissao("0106", "02062005", "2005"), "0290"},
        {"desligado no dia da admissao", fCriticaDesligamentoAdmissao("0206", "02062005", "2005"), "0000"},
        {"admitido em ano anterior", fCriticaDesligamentoAdmissao("0106", "02062004", "2005"), "0000"},
        {"desligado depois do encerramento", fCriticaDesligamentoEncerramento("0107", "30062005", "2005"), "3603"},
        {"desligado no encerramento", fCriticaDesligamentoEncerramento("3006", "30062005", "2005"), "0000"},
        {"encerramento fora de Y", fCriticaDesligamentoEncerramento("0107", "30062006", "2005"), "0000"},
        {"encerramento em Y=2006", fCriticaDesligamentoEncerramento("0107", "30062006", "2006"), "3603"},
        {"Y=2006 sem desligamento", fCriticaDesligamentoAnoReferencia("0000", "2006"), "0294"},
        {"Y=2006 com desligamento", fCriticaDesligamentoAnoReferencia("1506", "2006"), "0000"},
        {"Y=2005 sem desligamento", fCriticaDesligamentoAnoReferencia("0000", "2005"), "0000"},
        {"estrangeiros acima de um terco", fCriticaProporcaoEstrangeiros(6, 3), "0393"},
        {"um terco de estrangeiros", fCriticaProporcaoEstrangeiros(6, 2), "0000"},
        {"cinco empregados estrangeiros", fCriticaProporcaoEstrangeiros(5, 5), "0000"},
    });
}

}  // namespace
