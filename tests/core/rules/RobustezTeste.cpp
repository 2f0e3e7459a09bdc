#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "BaseReferencia.h"
#include "rules/CriticaZovi.h"
#include "rules/Primitivas.h"
#include "rules/RegrasContribuicao.h"
#include "rules/RegrasEndereco.h"
#include "rules/RegrasEstabelecimento.h"

using namespace zovi;

namespace {

bool CodigoBemFormado(const std::string& r) {
    if (r == "X") return true;
    if (r.size() != 4) return false;
    for (char c : r)
        if (c < '0' || c > '9') return false;
    return true;
}

// Any text a user can type or a foreign file can hold: the rules answer with a
// code and never fail.
TEST(Robustez, RegrasRespondemComCodigoAQualquerTexto) {
    teste::BaseReferencia base;
    base.Municipio("3550308", "SAO PAULO", "01000", "1");
    base.Uf("35", "SP");
    const Referencias ref = base.Carrega();
    const TCriticaZovi critica(ref);

    using Regra = std::function<std::string(const std::string&, const std::string&)>;
    const std::vector<Regra> regras = {
        [](auto& a, auto&) { return fCriticaTamanhoNumerico(a, 8); },
        [](auto& a, auto&) { return fCriticaTexto(a); },
        [](auto& a, auto&) { return fDataInvertida(a).size() <= a.size() ? "0000" : "????"; },
        [](auto& a, auto& b) { return fAbaixoSalarioMinimo(a, b) || fAcimaTetoSalarial(a, b) ? "0001" : "0000"; },
        [](auto& a, auto&) { return fCriticaInscricao(a); },
        [](auto& a, auto& b) { return fCriticaInscricaoPorTipo(a, b); },
        [](auto& a, auto& b) { return fCriticaInscricaoResponsavel(a, b.size() % 2 ? 11 : 14); },
        [](auto& a, auto&) { return fCriticaPrefixo(a); },
        [](auto& a, auto& b) { return fCriticaRazaoSocial(a, b); },
        [](auto& a, auto&) { return fCriticaCeiVinculado(a); },
        [](auto& a, auto& b) { return fCriticaZoviNegativaInscricao("1", a, b); },
        [](auto& a, auto&) { return fCriticaMesDataBase(a); },
        [&](auto& a, auto&) { return fCriticaCnae(ref, a); },
        [](auto& a, auto& b) { return fCriticaCnaeRazao(a, b); },
        [](auto& a, auto& b) { return fCriticaEncerramento("1", a, b, true); },
        [](auto& a, auto&) { return fCriticaLogradouro(a); },
        [](auto& a, auto& b) { return fCriticaNumeroComplemento(a, b); },
        [](auto& a, auto&) { return fCriticaCep(a); },
        [&](auto& a, auto&) { return fCriticaCodigoMunicipio(ref, a); },
        [&](auto& a, auto&) { return fCriticaNomeMunicipio(a, ref.BuscaMunicipio("3550308")); },
        [&](auto& a, auto&) { return fCriticaUf(ref, a); },
        [&](auto& a, auto& b) { return fCriticaMunicipioUf(ref, a, b); },
        [&](auto& a, auto& b) { return fCriticaCepMunicipio(ref, a, b, false); },
        [&](auto& a, auto&) { return fCriticaCepMunicipio(ref, a, "3550308", false); },
        [](auto& a, auto& b) { return fCriticaCepFaixaUf(a, b); },
        [&](auto& a, auto& b) { return fCriticaCepUf(ref, a, b); },
        [](auto& a, auto& b) { return fCriticaDddUf(a, b); },
        [](auto& a, auto& b) { return fCriticaDddTelefone(a, b); },
        [](auto& a, auto&) { return fCriticaEmail(a); },
        [](auto& a, auto&) { return fCriticaDataGeracao(a); },
        [](auto& a, auto&) { return fCriticaDataRetificacao(true, a); },
        [](auto& a, auto& b) { return fCriticaBeneficiariosPat("2", a, b); },
        [](auto& a, auto&) { return fCriticaPercentualPat(a); },
        [](auto& a, auto& b) { return fCriticaPercentuaisPat("1", {a, b, a, b, a, b}); },
        [](auto& a, auto& b) { return fCriticaCnpjEntidadePropria(a, b); },
        [](auto& a, auto&) { return fCriticaCnpjEntidade(a); },
        [](auto& a, auto&) { return fCriticaValorContribuicao(a); },
        [&](auto& a, auto& b) { return critica.CriticaMunicipioCep(a, b).resultado; },
    };
    // Digits dominate so that values get past the first checks.
    const std::string alfabeto = std::string("00000123456789999 ,.'\"@AZaz~") + "\x7F\x80\xC7\xE3\xFF" + std::string(1, '\0');
    std::mt19937 gerador(2005);
    std::uniform_int_distribution<std::size_t> letra(0, alfabeto.size() - 1), tamanho(0, 20);
    auto texto = [&] {
        std::string s(tamanho(gerador), ' ');
        for (char& c : s) c = alfabeto[letra(gerador)];
        return s;
    };
    for (int i = 0; i < 3000; ++i) {
        const std::string a = texto(), b = texto();
        for (std::size_t k = 0; k < regras.size(); ++k) {
            std::string r;
            ASSERT_NO_THROW(r = regras[k](a, b)) << "regra " << k << " '" << a << "' '" << b << "'";
            ASSERT_TRUE(CodigoBemFormado(r)) << "regra " << k << " -> '" << r << "'";
        }
    }
}

}  // namespace
