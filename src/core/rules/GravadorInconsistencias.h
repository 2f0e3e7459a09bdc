#pragma once
// Writes the verification run's rows to te8errwa.
//
// The table is created by the first row of a run (a run without rows leaves no
// table, which readers take as an empty list). Rows are numbered in writing
// order and committed in batches, so a large declaration full of faults does
// not pay one disk sync per row.
#include <memory>

#include "engine/Banco.h"
#include "engine/Tabela.h"
#include "rules/Inconsistencias.h"

namespace zovi {

class GravadorInconsistencias : public DestinoInconsistencias {
public:
    explicit GravadorInconsistencias(Banco& banco) : banco_(banco) {}
    ~GravadorInconsistencias() override;

    // The previous run's table disappears.
    void ApagaTabela();
    // pGravaInconsistencia: one row, numbered; sets the error or warning indication.
    void Grava(const Inconsistencia& linha) override;
    // Commits what is pending; the rows written so far stay in the table.
    void Conclui();

    bool HouveErro() const { return erro_; }
    bool HouveAviso() const { return aviso_; }
    long Linhas() const { return sequencial_; }

private:
    void pCriaTabelaInconsistencias();

    Banco& banco_;
    std::unique_ptr<Tabela> tabela_;
    std::unique_ptr<Transacao> transacao_;
    long sequencial_ = 0;
    long pendentes_ = 0;
    bool erro_ = false;
    bool aviso_ = false;
};

}  // namespace zovi
