// The employee form and the verification run judge a field alike. For each
// field and each value of a table of passing and failing values (taken from
// the rules' own tests), the form's check of the field (its chain read as the
// form reads it) and the verification run over the row holding that value
// give the same code; the run's rows of that chain are among the rows the
// whole run writes for the row. Where the chain makes the form and the run
// differ on purpose, the table says which code each gives.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Paridade.h"
#include "ReferenciasEmpregado.h"
#include "rules/CriticaEmpregado.h"
#include "rules/VerificaEmpregado.h"

using namespace zovi;

namespace {

using Cadeia = std::function<void(const DadosEmpregado&, PassosCritica&)>;
using R = RegistroVinculo;

using teste::ValorParidade;

struct Campo {
    const char* nome;
    MembroVinculo membro;
    Cadeia cadeia;
    std::vector<ValorParidade> valores;
};

template <void (*F)(const DadosEmpregado&, PassosCritica&)>
Cadeia C() {
    return [](const DadosEmpregado& d, PassosCritica& p) { F(d, p); };
}

const std::vector<Campo>& Campos() {
    static const std::vector<Campo> campos = {
        {"PIS/PASEP", &R::CoPisPasepEmpregado, C<CadeiaPisPasep>(),
         {{"", "0153"}, {"12034567890", "0150"}, {"12034567899", "0000"}}},
        {"nome", &R::NoEmpregado, C<CadeiaNome>(),
         {{"", "0160"}, {"MARIA", "0161"}, {"MARIAAAA SOUZA", "3100"}, {"JOSE DA SILVA", "0000"}}},
        {"nascimento", &R::DaNascimentoEmpregado, C<CadeiaNascimento>(),
         {{"", "0170"}, {"31021980", "0175"}, {"15061899", "0175"}, {"15062006", "0174"}, {"15061980", "0000"}}},
        {"nacionalidade", &R::CoNacionalidade, C<CadeiaNacionalidade>(),
         {{"", "0180"}, {"99", "0181"}, {"10", "0000"}}},
        {"raça/cor", &R::CoTipoRaca, C<CadeiaRaca>(), {{"", "0480"}, {"9", "0481"}, {"1", "0000"}}},
        {"sexo", &R::InSexo, C<CadeiaSexo>(), {{"3", "3524"}, {"1", "0000"}}},
        {"instrução", &R::CoInstrucao, C<CadeiaInstrucao>(), {{"", "0200"}, {"7", "0000"}}},
        {"CPF", &R::CoCpfEmpregado, C<CadeiaCpf>(), {{"52998224724", "0210"}, {"52998224725", "0000"}}},
        {"admissão", &R::DaAdmissaoEmpregado, C<CadeiaAdmissao>(),
         {{"", "0392"}, {"31022004", "0390"}, {"01032006", "0391"}, {"01032004", "0000"}}},
        {"horas semanais", &R::HoSemanaisEmpregado, C<CadeiaHorasSemanais>(),
         {{"", "0251"}, {"99", "0250"}, {"44", "0000"}}},
        {"tipo de salário", &R::CoTipoSalarioContratual, C<CadeiaTipoSalario>(), {{"9", "0240"}, {"1", "0000"}}},
        {"tipo de vínculo", &R::CoVinculo, C<CadeiaVinculo>(), // The form measures the age limits in 2005, the run in 2004: an apprentice born in 1980 is 25 for
         // the form and 24 for the run.
         {{"", "0273"}, {"99", "0270"}, {"55", "3502", "0000"}, {"10", "0000"}}},
        {"causa do desligamento", &R::CoCausaDesligamento, C<CadeiaCausaDesligamento>(),
         {{"99", "0280"}, {"00", "0000"}}},
        {"data do desligamento", &R::DaDesligamentoEmpregado, C<CadeiaDataDesligamento>(),
         {{"3102", "0292"}, {"1505", "0293"}, {"0000", "0000"}}},
        {"município de trabalho", &R::CoMunicipioTrabalho, C<CadeiaMunicipioTrabalho>(),
         {{"1234567", "0090"}, {"", "0000"}, {"3550308", "0000"}}},
        {"dias de afastamento", &R::QtDiasAfas, C<CadeiaDiasAfastamento>(), {{"400", "3640"}, {"000", "0000"}}},
        {"horas de janeiro", &R::HoTrabalhadasJaneiro, [](const DadosEmpregado& d, PassosCritica& p) { CadeiaHorasMes(d, 1, p); },
         // The form also holds the hours against the month's pay; the run judges only their form.
         {{"", "0030"}, {"000", "3676", "0000"}, {"176", "0000"}}},
        {"CNPJ sindical", &R::CoCNPJSindical,
         [](const DadosEmpregado& d, PassosCritica& p) { CadeiaCnpjContribuicao(d, 0, p); },
         // The form refuses the establishment's own CNPJ and judges the union's; the run asks only its presence.
         {{"11222333000181", "3649", "0000"}, {"12345678000100", "3649", "0000"}, {"", "0000"}}},
        {"CNPJ assistencial", &R::CoCNPJAssistencial,
         [](const DadosEmpregado& d, PassosCritica& p) { CadeiaCnpjContribuicao(d, 3, p); },
         {{"11222333000181", "3649", "0000"}, {"12345678000100", "3649"}, {"", "0000"}}},
        {"mês do adiantamento", &R::Me13AdiantamentoEmpregado, C<CadeiaMesAdiantamento>(),
         {{"13", "0322"}, {"11", "0000"}}},
        {"mês da parcela final", &R::Me13ParcelaFinalEmpregado, C<CadeiaMesParcelaFinal>(),
         {{"13", "0322"}, {"10", "0323"}, {"12", "0000"}}},
        {"férias", &R::VaGlobalFerias, C<CadeiaFerias>(), {{"", "3648"}, {"00000000", "0000"}}},
        {"meses do banco de horas", &R::QtCompBcoHoras, C<CadeiaMesesBancoHoras>(),
         {{"", "3648"}, {"03", "0030"}, {"00", "0000"}}},
    };
    return campos;
}

}  // namespace

TEST(ParidadeEmpregado, FormularioEVerificacaoDaoOMesmoCodigoPorCampo) {
    const auto est = teste::Estabelecimento();
    for (const auto& campo : Campos()) {
        for (const auto& v : campo.valores) {
            SCOPED_TRACE(std::string(campo.nome) + " = '" + v.valor + "'");
            auto e = teste::Empregado();
            e.*campo.membro = v.valor;
            const DadosEmpregado d(e, est, teste::ReferenciasEmpregado());

            auto cadeia = [&](PassosCritica& p) { campo.cadeia(d, p); };
            EXPECT_EQ(teste::LeFormulario(cadeia), v.formulario);
            const auto verificacao = teste::LeVerificacao(cadeia);
            EXPECT_EQ(verificacao.codigo, v.Verificacao());

            ColetorInconsistencias todas;
            pVerificaEmpregado(e, est, {teste::ReferenciasEmpregado()}, todas);
            EXPECT_TRUE(teste::Contem(todas.linhas, verificacao.linhas)) << "the run does not write the chain's rows";
        }
    }
}
