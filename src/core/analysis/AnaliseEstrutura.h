#pragma once
// The structure analysis of a file in the declaration layout: record framing,
// record order, sequence numbers, key fields, the grouping of employees under
// their establishment, the base year, the trailer totals and the seal. It stops
// at the first fault and records it, in one to three rows, in Te8stru; while
// reading it loads the file into the work tables Te8resp, Te8emp and Te8vinc.
#include <atomic>
#include <filesystem>
#include <string>

#include "analysis/LeiauteArquivo.h"
#include "engine/Banco.h"
#include "platform/Interacao.h"

namespace zovi {

enum ResultadoAnalise {
    kAnaliseSemFalha = 0,      // read to the end without fault; the work tables hold the file
    kAnaliseComFalha = 1,      // a fault is in Te8stru; the work tables were deleted
    kAnaliseArquivoIlegivel = 2,  // the file could not be read or copied; nothing was created
    kAnaliseInterrompida = 4,  // the user stopped it; nothing remains
    kAnaliseRetificacao = 8,   // read without fault, and the header marks a rectification
};

// Faults found by the analysis beyond those of the record framing and order:
// a trailer whose seal does not match the file.
inline constexpr const char* kCodigoSeloInvalido = "1927";

// The working copy the analysis reads, in the data folder: each analysis makes its own,
// named after this one with a part of its own ("R01TXZZZ-a1B2c3.$$$").
inline constexpr const char* kArquivoCopiaAnalise = "R01TXZZZ.$$$";

class TAnaliseEstrutura {
public:
    // `banco` is open on the data folder, where the work tables and the copy live;
    // `interacao` takes the progress, the stop request and "Deseja interromper?".
    TAnaliseEstrutura(Banco& banco, Interacao& interacao);

    // Reads files of the previous base year's layout (350 characters) instead of the current one.
    void DefineAnoAnterior(bool anterior) { anoAnterior_ = anterior; }
    bool AnoAnterior() const { return anoAnterior_; }

    // Analyses the file and returns a ResultadoAnalise. zerarValores empties the
    // amounts and leaves of employees of establishments whose year is not anoBase
    // (the import of a previous year's file). The counts receive the establishments
    // and employees loaded, also after a fault.
    int fAnalisaArquivo(const std::filesystem::path& arquivo, int anoBase, bool zerarValores,
                        long& nEstabelecimentos, long& nEmpregados);

    // Asks the running analysis to stop; it asks "Deseja interromper?" at its next record.
    void pInterrompe() { interrupcao_ = true; }

private:
    friend class ExecucaoAnalise;

    Banco& banco_;
    Interacao& interacao_;
    bool anoAnterior_ = false;
    LeiauteLeitura leiaute_;
    std::atomic<bool> interrupcao_{false};
};

}  // namespace zovi
