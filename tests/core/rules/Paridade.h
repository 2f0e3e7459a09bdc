#pragma once
// What the parity tests of the records share: a chain read as the form reads
// it and as the run reads it, and whether the whole run of a row writes the
// rows of one chain.
#include <functional>
#include <string>
#include <vector>

#include "rules/CadeiaCriticas.h"

namespace zovi::teste {

// The run's reading of one chain: its first error code ("0000" none) and its rows.
struct LeituraVerificacao {
    std::string codigo = "0000";
    std::vector<Inconsistencia> linhas;
};

inline LeituraVerificacao LeVerificacao(const std::function<void(PassosCritica&)>& cadeia) {
    ColetorInconsistencias coletor;
    EmissorInconsistencias em(coletor, "9");
    PassosVerificacao passos(em);
    cadeia(passos);
    LeituraVerificacao l;
    l.linhas = coletor.linhas;
    for (const auto& linha : coletor.linhas)
        if (linha.errwar == kErro) {
            l.codigo = linha.retorno;
            break;
        }
    return l;
}

// The form's code for the field: the error that stops it.
inline std::string LeFormulario(const std::function<void(PassosCritica&)>& cadeia) {
    PassosFormulario p;
    cadeia(p);
    return p.codigo;
}

// `parte` (kind, code, label and content of each row) appears, in order and together, in `todas`.
inline bool Contem(const std::vector<Inconsistencia>& todas, const std::vector<Inconsistencia>& parte) {
    if (parte.empty()) return true;
    auto mesma = [](const Inconsistencia& a, const Inconsistencia& b) {
        return a.errwar == b.errwar && a.retorno == b.retorno && a.lbl == b.lbl && a.conteudo == b.conteudo;
    };
    for (size_t i = 0; i + parte.size() <= todas.size(); ++i) {
        size_t j = 0;
        while (j < parte.size() && mesma(todas[i + j], parte[j])) ++j;
        if (j == parte.size()) return true;
    }
    return false;
}

// One value of a field's table: the code the form stops on ("0000": passes or only warns) and,
// where the chain makes them differ on purpose, the run's first error code.
struct ValorParidade {
    const char* valor;
    const char* formulario;
    const char* verificacao = nullptr;
    const char* Verificacao() const { return verificacao ? verificacao : formulario; }
};

}  // namespace zovi::teste
