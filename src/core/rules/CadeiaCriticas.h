#pragma once
// A record's checks written once, as one chain of steps per field, and the two
// readers of a chain: the entry form and the verification run.
//
// A chain calls Passo for each of its rules in order with the rule's result,
// the kind the run writes it as (kErro or kAviso), whether a failure ends the
// field's chain in the run, and the fields the run's rows name. The reader
// decides what a failure does:
//  - the form (PassosFormulario) stops at the first error and keeps the
//    warnings to be shown; a warning never stops it;
//  - the run (PassosVerificacao) writes the rows of every failure and stops
//    only where the chain says the step ends it.
// A step that only one of them makes is asked for with Roda(Alcance::...), so
// that each difference between the form and the run stands in the chain.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "rules/Inconsistencias.h"
#include "rules/Primitivas.h"

namespace zovi {

// Who makes a step.
enum class Alcance {
    Formulario,   // the entry form only (a check on leaving a field, a question to the user)
    Verificacao,  // the verification run only
};

// A field named in the run's rows: its content as checked and its label code.
struct Conteudo {
    std::string_view valor;
    const char* rotulo;
};
using Conteudos = std::initializer_list<Conteudo>;

class PassosCritica {
public:
    virtual ~PassosCritica() = default;
    // Whether this reader makes the steps of that reach.
    virtual bool Roda(Alcance alcance) const = 0;
    // One rule's result. True: the chain stops here. A passing result (almost every one the run
    // meets) is answered here, without reaching the reader.
    bool Passo(const std::string& codigo, const char* tipo, bool encerra, Conteudos campos) {
        return !fPassou(codigo) && Falha(codigo, tipo, encerra, campos);
    }

    // The usual shapes: an error, or a warning, that ends the field's chain in the run or not.
    bool Erro(const std::string& codigo, Conteudos campos, bool encerra = false) {
        return Passo(codigo, kErro, encerra, campos);
    }
    bool Aviso(const std::string& codigo, Conteudos campos, bool encerra = false) {
        return Passo(codigo, kAviso, encerra, campos);
    }

protected:
    // A failing result, as this reader takes it.
    virtual bool Falha(const std::string& codigo, const char* tipo, bool encerra, Conteudos campos) = 0;
};

// The form's reading: the first error is the field's result; warnings before it are kept.
class PassosFormulario : public PassosCritica {
public:
    bool Roda(Alcance alcance) const override { return alcance == Alcance::Formulario; }

    std::string codigo = kPassa;       // the error that stops the field; "0000" none
    const char* rotulo = nullptr;      // the label of the first field that error names: where the user goes
    std::vector<std::string> avisos;  // warnings met on the way, in order

protected:
    bool Falha(const std::string& codigo, const char* tipo, bool, Conteudos campos) override {
        if (std::string_view(tipo) == kAviso) {
            avisos.push_back(codigo);
            return false;
        }
        this->codigo = codigo;
        rotulo = campos.size() ? campos.begin()->rotulo : nullptr;
        return true;
    }
};

// A chain as the form reads it, for a form's field check.
template <class Cadeia>
PassosFormulario CriticaFormulario(Cadeia&& cadeia) {
    PassosFormulario p;
    cadeia(p);
    return p;
}

// The run's reading: each failure becomes its rows (one per field named).
class PassosVerificacao : public PassosCritica {
public:
    explicit PassosVerificacao(EmissorInconsistencias& saida) : saida_(saida) {}
    bool Roda(Alcance alcance) const override { return alcance == Alcance::Verificacao; }

protected:
    bool Falha(const std::string& codigo, const char* tipo, bool encerra, Conteudos campos) override {
        for (const auto& c : campos) saida_.Linha(tipo, codigo, std::string(c.valor), c.rotulo);
        return encerra;
    }

private:
    EmissorInconsistencias& saida_;
};

}  // namespace zovi
