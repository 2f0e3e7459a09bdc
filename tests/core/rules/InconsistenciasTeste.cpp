#include <gtest/gtest.h>

#include "rules/Inconsistencias.h"

using namespace zovi;

namespace {

TEST(Inconsistencias, EmissorLevaTipoEIdentificacaoATodasAsLinhas) {
    ColetorInconsistencias coletor;
    IdentificacaoEstabelecimento est{"11222333000181", "1", "01", "ACME"};
    EmissorInconsistencias emissor(coletor, kRegistroEstabelecimento, est);
    emissor.Linha(kErro, "0120", "", "1605");
    emissor.Linhas(kAviso, "0091", {{"3550308", "1610"}, {"RJ", "1612"}});
    ASSERT_EQ(coletor.linhas.size(), 3u);
    EXPECT_EQ(coletor.linhas[0], (Inconsistencia{"err", "1", "0120", "1605", "", est, {}}));
    EXPECT_EQ(coletor.linhas[1], (Inconsistencia{"war", "1", "0091", "1610", "3550308", est, {}}));
    EXPECT_EQ(coletor.linhas[2].conteudo, "RJ");
    EXPECT_EQ(coletor.linhas[2].lbl, "1612");
}

}  // namespace
