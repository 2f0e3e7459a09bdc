#pragma once
// The combined municipality and CEP check of the establishment and declarant
// forms: judges both fields together and tells the form what to show (the
// municipality's name and state) and how the CEP relates to them.
#include <string>
#include <string_view>

#include "rules/Referencias.h"

namespace zovi {

// How the CEP relates to the municipality.
enum class SituacaoMunicipioCep : char {
    Coerente = '0',          // the municipality exists and the CEP belongs to it
    MunicipioInvalido = '1', // the municipality code failed its rule (resultado says why)
    ForaDoMunicipio = '2',   // CEP inside the state but outside the municipality's CEP
    ForaDaUf = '3',          // CEP outside the state's ranges (resultado "0083")
    MunicipioSemCep = '4',   // the municipality has no CEP of its own to compare with
};

struct ResultadoMunicipioCep {
    std::string nomeMunicipio;  // NoMunicipio of the municipality found
    std::string siglaUf;        // SgUf of its state (first two digits of the code)
    SituacaoMunicipioCep situacao = SituacaoMunicipioCep::Coerente;
    std::string resultado;      // result code, "0000" when nothing is wrong
};

class TCriticaZovi {
public:
    explicit TCriticaZovi(const Referencias& referencias) : ref_(referencias) {}

    ResultadoMunicipioCep CriticaMunicipioCep(std::string_view municipio, std::string_view cep) const;

private:
    const Referencias& ref_;
};

}  // namespace zovi
