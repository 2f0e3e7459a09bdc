#include <gtest/gtest.h>

#include "PastaTeste.h"
#include "engine/Banco.h"
#include "engine/Tabela.h"
#include "rules/CriticaZovi.h"
#include "rules/RegrasEndereco.h"

using namespace zovi;

namespace {

// The shipped reference tables and the CEP rules must agree: a CEP a
// municipality's own record gives it is accepted for that municipality and its
// state, or users could not declare an establishment there.
TEST(DadosReais, CepDeCadaMunicipioAceitoPeloMunicipioEPelaUf) {
    teste::PastaTeste pasta;
    Banco banco;
    banco.Abre("Zovi2005", {pasta.Parametro()});
    const Referencias ref(banco);
    const TCriticaZovi critica(ref);

    Tabela municipios(banco, "TB8MUNIC");
    municipios.Abre();
    int verificados = 0;
    std::vector<std::string> recusados;
    for (municipios.Primeiro(); !municipios.Fim(); municipios.Proximo()) {
        const std::string codigo = municipios.Texto("CoMunicipio");
        if (codigo.size() != 7) continue;  // the states heading the list
        std::string prefixo = municipios.Texto("CoCep");
        if (municipios.Texto("InFaixa") != "0")
            if (const auto* faixas = ref.BuscaFaixasCep(codigo)) prefixo = faixas->cep1Inicial;
        if (prefixo.empty()) continue;
        const std::string cep = prefixo + "000";
        ++verificados;
        auto r = critica.CriticaMunicipioCep(codigo, cep);
        if (r.resultado != "0000" || r.situacao != SituacaoMunicipioCep::Coerente || r.siglaUf.empty())
            recusados.push_back(codigo + " " + cep + " -> " + r.resultado);
    }
    EXPECT_GT(verificados, 5000);
    EXPECT_TRUE(recusados.empty()) << recusados.size() << " recusados, o primeiro: " << recusados.front();
}

}  // namespace
