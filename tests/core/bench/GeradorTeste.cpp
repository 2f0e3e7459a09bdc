// The declaration generator of the benchmarks: its check digits against the
// rules' own, and a small declaration written whole into a data folder.
#include <gtest/gtest.h>

#include <string>

#include "Gerador.h"
#include "PastaTeste.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "InteracaoRoteirizada.h"
#include "rules/Primitivas.h"
#include "rules/VerificaDeclaracao.h"

namespace zovi::bancada {
namespace {

// Digit strings spread over the whole range, reproducibly.
std::string Digitos(unsigned long long semente, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        semente = semente * 6364136223846793005ull + 1442695040888963407ull;
        s += static_cast<char>('0' + (semente >> 33) % 10);
    }
    return s;
}

// A wrong last digit must make any identifier invalid.
std::string TrocaUltimo(std::string s) {
    s.back() = s.back() == '9' ? '0' : static_cast<char>(s.back() + 1);
    return s;
}

TEST(GeradorTeste, DigitosVerificadoresConferemComAsRegras) {
    int pisSemDigito = 0;
    for (unsigned long long k = 1; k <= 3000; ++k) {
        auto cnpj = DigitosCnpj(Digitos(k, 8) + "0001");
        EXPECT_TRUE(fValidaCnpj(cnpj)) << cnpj;
        EXPECT_FALSE(fValidaCnpj(TrocaUltimo(cnpj))) << cnpj;

        auto cei = DigitosCei(std::string("1").append(Digitos(k, 10)));
        EXPECT_TRUE(fValidaCei(cei)) << cei;
        EXPECT_FALSE(fValidaCei(TrocaUltimo(cei))) << cei;

        auto cpf = DigitosCpf(Digitos(k, 9));
        EXPECT_TRUE(fValidaCpf(cpf)) << cpf;
        EXPECT_FALSE(fValidaCpf(TrocaUltimo(cpf))) << cpf;

        auto dez = std::string("1").append(Digitos(k, 9));
        auto pis = DigitosPisPasep(dez);
        if (pis.empty()) {
            // Remainder 1: no last digit makes a valid number.
            ++pisSemDigito;
            for (char d = '0'; d <= '9'; ++d) EXPECT_FALSE(fValidaPisPasep(dez + d)) << dez << d;
        } else if (pis != "12345678900") {
            EXPECT_TRUE(fValidaPisPasep(pis)) << pis;
            EXPECT_FALSE(fValidaPisPasep(TrocaUltimo(pis))) << pis;
        }
    }
    EXPECT_GT(pisSemDigito, 0);
}

long Conta(Banco& banco, const std::string& sql) {
    Consulta q(banco, {sql});
    q.Abre();
    return q.Inteiro(0);
}

TEST(GeradorTeste, GravaEstabelecimentosEmpregadosEDeclarante) {
    teste::PastaTeste pasta;
    Banco banco;
    banco.Abre("Zovi2005", {pasta.Parametro()});
    ParametrosGeracao p;
    p.estabelecimentos = 3;
    p.empregadosPorEstabelecimento = 30;
    p.linhasPorTransacao = 7;  // several commits inside one establishment
    auto r = GeraDeclaracao(banco, p);
    EXPECT_EQ(r.estabelecimentos, 3);
    EXPECT_EQ(r.empregados, 90);

    EXPECT_EQ(Conta(banco, "select count(*) from BD8EMP"), 3);
    EXPECT_EQ(Conta(banco, "select count(*) from BD8VINC"), 90);
    EXPECT_EQ(Conta(banco, "select count(*) from BD8RESP"), 1);
    // Each establishment's counts match its employees.
    EXPECT_EQ(Conta(banco, "select count(*) from BD8EMP e where cast(e.NuVinculosEstabelecimento as integer) <> "
                           "(select count(*) from BD8VINC v where v.AnBase = e.AnBase and "
                           "v.CoCgcCeiEstabelecimento = e.CoCgcCeiEstabelecimento and "
                           "v.NuPrefixoEstabelecimento = e.NuPrefixoEstabelecimento)"),
              0);
    EXPECT_EQ(Conta(banco, "select count(*) from BD8EMP e where cast(e.NuEstrangeirosEstabelec as integer) <> "
                           "(select count(*) from BD8VINC v where v.AnBase = e.AnBase and "
                           "v.CoCgcCeiEstabelecimento = e.CoCgcCeiEstabelecimento and "
                           "v.NuPrefixoEstabelecimento = e.NuPrefixoEstabelecimento and v.CoNacionalidade <> \"10\")"),
              0);
    EXPECT_EQ(Conta(banco, "select count(distinct CoPisPasepEmpregado) from BD8VINC"), 90);

    // One inscription for all: the establishments differ by prefix only.
    ParametrosGeracao uma = p;
    uma.umaInscricao = true;
    uma.semente = 7;
    GeraDeclaracao(banco, uma);
    EXPECT_EQ(Conta(banco, "select count(*) from BD8EMP"), 6);
    EXPECT_EQ(Conta(banco, "select count(distinct CoCgcCeiEstabelecimento) from BD8EMP"), 4);
    EXPECT_EQ(Conta(banco, "select count(*) from BD8RESP"), 1);
}

// The rows the verification left, one line each, to show on failure.
std::string LinhasVerificacao(Banco& banco) {
    if (!banco.ExisteTabela("TE8ERRWA")) return {};
    Consulta q(banco, {"select errwar, tiporegistro, retorno, lbl, Conteudo, inscricao, copispasep from te8errwa"});
    std::string s;
    for (q.Abre(); !q.Fim(); q.Proximo()) {
        for (int c = 0; c < q.NumCampos(); ++c) s += q.Texto(c) + " | ";
        s += "\n";
    }
    return s;
}

// Declarations of every shape the generator makes pass the whole verification
// without a row: a small one, CEI establishments (every tenth) over several
// states, establishments without employees, and one inscription with several
// prefixes. A row here means the generator or a rule has drifted.
TEST(GeradorTeste, DeclaracoesGeradasPassamNaVerificacao) {
    teste::PastaTeste pasta;
    {
        Banco banco;
        banco.Abre("Zovi2005", {pasta.Parametro()});
        auto gera = [&](long estabelecimentos, long empregados, std::uint64_t semente, bool umaInscricao) {
            ParametrosGeracao p;
            p.estabelecimentos = estabelecimentos;
            p.empregadosPorEstabelecimento = empregados;
            p.semente = semente;
            p.umaInscricao = umaInscricao;
            GeraDeclaracao(banco, p);
        };
        gera(2, 20, 2005, false);
        gera(12, 3, 5, false);
        gera(12, 0, 11, false);
        gera(3, 20, 7, true);
    }
    teste::InteracaoRoteirizada interacao;
    auto r = fVerificaDeclaracao(interacao, pasta.Caminho(), false, nullptr, "2005", true, false);

    Banco banco;
    banco.Abre("Zovi2005", {pasta.Parametro()});
    EXPECT_TRUE(r.Vazio()) << LinhasVerificacao(banco);
    EXPECT_EQ(LinhasVerificacao(banco), "");
    EXPECT_EQ(Conta(banco, "select count(*) from BD8VINC"), 2 * 20 + 12 * 3 + 3 * 20);
}

}  // namespace
}  // namespace zovi::bancada
