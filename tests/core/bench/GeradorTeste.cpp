// The declaration generator of the benchmarks: its check digits against the
// rules' own, and a small declaration written whole into a data folder.
#include <gtest/gtest.h>

#include <string>

#include "Gerador.h"
#include "PastaTeste.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "rules/Inconsistencias.h"
#include "rules/Primitivas.h"
#include "rules/Referencias.h"
#include "rules/VerificaEstabelecimento.h"

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

// What a verification step found, one line per row, to show on failure.
std::string Descreve(const std::vector<Inconsistencia>& linhas) {
    std::string s;
    for (const auto& l : linhas)
        s += l.errwar + " " + l.tiporegistro + " " + l.retorno + " lbl " + l.lbl + " [" + l.conteudo + "] " +
             l.estabelecimento.inscricao + " " + l.empregado.pisPasep + "\n";
    return s;
}

// Twelve establishments take in the CEI ones (every tenth) and several states; twelve more have no employees.
TEST(GeradorTeste, DeclaranteEEstabelecimentosPassamNasRegras) {
    teste::PastaTeste pasta;
    Banco banco;
    banco.Abre("Zovi2005", {pasta.Parametro()});
    ParametrosGeracao p;
    p.estabelecimentos = 12;
    p.empregadosPorEstabelecimento = 2;
    GeraDeclaracao(banco, p);
    // Establishments without employees.
    ParametrosGeracao sem = p;
    sem.semente = 11;
    sem.empregadosPorEstabelecimento = 0;
    GeraDeclaracao(banco, sem);
    Referencias ref(banco);

    ColetorInconsistencias linhas;
    Tabela resp(banco, "BD8RESP");
    resp.Abre();
    resp.Primeiro();
    pVerificaDeclarante(LeDeclarante(resp), ref, linhas);
    Tabela emp(banco, "BD8EMP");
    emp.Abre();
    long estabelecimentos = 0;
    for (emp.Primeiro(); !emp.Fim(); emp.Proximo(), ++estabelecimentos)
        pVerificaEstabelecimento(LeEstabelecimento(emp), ref, false, linhas);
    EXPECT_EQ(estabelecimentos, 24);
    EXPECT_TRUE(linhas.linhas.empty()) << Descreve(linhas.linhas);
}

}  // namespace
}  // namespace zovi::bancada
