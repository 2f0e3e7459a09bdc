#include "rules/CriticaZovi.h"

#include "rules/Primitivas.h"
#include "rules/RegrasEndereco.h"

namespace zovi {

ResultadoMunicipioCep TCriticaZovi::CriticaMunicipioCep(std::string_view municipio, std::string_view cep) const {
    ResultadoMunicipioCep r;
    const Municipio* m = nullptr;
    r.resultado = fCriticaCodigoMunicipio(ref_, municipio, &m);
    if (!m) {
        r.situacao = SituacaoMunicipioCep::MunicipioInvalido;
        return r;
    }
    auto codigoUf = Apara(municipio).substr(0, 2);
    r.nomeMunicipio = m->nome;
    if (const Uf* uf = ref_.BuscaUfPorCodigo(codigoUf)) r.siglaUf = uf->sigla;

    r.resultado = fCriticaCepMunicipio(ref_, cep, municipio, false);
    if (r.resultado == kPassa) return r;
    std::string foraDoMunicipio = r.resultado;
    r.resultado = fCriticaCepUf(ref_, cep, codigoUf);
    if (r.resultado != kPassa) {
        r.situacao = SituacaoMunicipioCep::ForaDaUf;
        return r;
    }
    if (!m->cep.empty()) {
        r.situacao = SituacaoMunicipioCep::ForaDoMunicipio;
        r.resultado = foraDoMunicipio;
    } else {
        r.situacao = SituacaoMunicipioCep::MunicipioSemCep;
    }
    return r;
}

}  // namespace zovi
