#pragma once
// Writes the verification run's rows to te8errwa.
//
// A run writes its rows into a table of its own, te8errnv, created when the run starts,
// and only a run that reaches its end puts it in place of te8errwa, with one rename:
// readers see the previous run's whole result or the new one, never part of one. A run
// without rows removes te8errwa (readers take its absence as an empty list). While
// te8errnv exists a run is under way or was cut short (stopped by the user, killed): the
// last verification is unfinished and te8errwa no longer speaks for the declaration.
// Rows are numbered in writing order and committed in batches, so a large declaration
// full of faults does not pay one disk sync per row.
#include <memory>

#include "engine/Banco.h"
#include "engine/Tabela.h"
#include "rules/Inconsistencias.h"

namespace zovi {

// The table of the run under way (or cut short).
inline constexpr const char* kTabelaInconsistenciasEmCurso = "TE8ERRNV";

// True when the last verification run of the folder did not reach its end.
bool fVerificacaoInacabada(const Banco& banco);

class GravadorInconsistencias : public DestinoInconsistencias {
public:
    explicit GravadorInconsistencias(Banco& banco) : banco_(banco) {}
    ~GravadorInconsistencias() override;

    // A run starts: its own table is created empty (what an earlier unfinished run left in
    // it goes), and from now on the verification counts as unfinished.
    void Inicia();
    // pGravaInconsistencia: one row, numbered; sets the error or warning indication.
    void Grava(const Inconsistencia& linha) override;
    // Commits what is pending; the rows written so far stay in the run's table.
    void Conclui();
    // The run reached its end: its rows become te8errwa.
    void Publica();

    bool HouveErro() const { return erro_; }
    bool HouveAviso() const { return aviso_; }
    long Linhas() const { return sequencial_; }

private:
    Banco& banco_;
    std::unique_ptr<Tabela> tabela_;
    std::unique_ptr<Transacao> transacao_;
    long sequencial_ = 0;
    long pendentes_ = 0;
    bool erro_ = false;
    bool aviso_ = false;
};

}  // namespace zovi
