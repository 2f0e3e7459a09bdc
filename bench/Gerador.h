#pragma once
// Generator of large, valid declarations for the benchmarks and for the test
// that keeps the generator and the field rules in step.
//
// It writes establishments, their employees and the declarant straight into a
// data folder through the engine, in transactions of a bounded number of rows,
// so that memory stays flat whatever the size asked for. Every value is built
// to pass the field rules: identifiers with correct check digits (computed
// here, independently of the rules), municipalities with a CEP inside their
// own range and their state's, codes taken from the reference tables of the
// folder, remunerations between the minimum wage and the ceiling month by month.
// The same seed always gives the same declaration.
#include <cstdint>
#include <string>

namespace zovi {
class Banco;
}

namespace zovi::bancada {

struct ParametrosGeracao {
    long estabelecimentos = 1;
    long empregadosPorEstabelecimento = 0;
    std::uint64_t semente = 2005;
    // Every establishment under one inscription, told apart by its prefix.
    bool umaInscricao = false;
    long linhasPorTransacao = 20000;
};

struct ResumoGeracao {
    long estabelecimentos = 0;
    long empregados = 0;
    long estrangeiros = 0;
};

// Appends the declaration to the folder's BD8EMP and BD8VINC and makes BD8RESP
// hold the generated declarant. Engine errors (a key already present, a
// missing reference table) propagate as exceptions.
ResumoGeracao GeraDeclaracao(Banco& banco, const ParametrosGeracao& parametros);

// Check digits, exposed for the generator's own test.
std::string DigitosCnpj(const std::string& doze);       // 12 digits -> the 14-digit CNPJ
std::string DigitosCei(const std::string& onze);        // 11 digits -> "00" + 12-digit CEI
std::string DigitosCpf(const std::string& nove);        // 9 digits -> the 11-digit CPF
// 10 digits -> the 11-digit PIS/PASEP, or empty when no digit fits (remainder 1).
std::string DigitosPisPasep(const std::string& dez);

}  // namespace zovi::bancada
