// SPDX-License-Identifier: GPL-3.0-or-later
#include "tune_command.h"

#include "nec/deck.h"
#include "simulation/touchstone.h"
#include "state/numbers.h"

#include <iostream>

namespace tavora::cli {

void AddTuneOptions(CLI::App* cmd, TuneOptions& o)
{
    CLI::Option* tune = cmd->add_flag(
        "--tune", o.tune,
        "Find the driven element's length with the lowest SWR against the line at the design "
        "frequency, match it with parts a builder can get, and simulate the tuned antenna; --csv NAME "
        "then writes NAME-figures.csv, NAME-rod-marks.csv (a folded dipole's changed length), "
        "NAME-sweep.csv and the tuned antenna's as NAME-tuned-sweep.csv and so on");
    cmd->add_option("--vf", o.velocityFactor,
                    "With --tune: velocity factor of the transformer's coax (the chosen cable's "
                    "own)")
        ->check(Number())
        ->type_name("NUMBER")
        ->needs(tune);
    cmd->add_option("--nec", o.necFile,
                    "With --tune: also write the tuned antenna as a NEC-2 deck (- for standard "
                    "output)")
        ->needs(tune);
}

TuneSettings TuneSettingsOf(const TuneOptions& o, const SimulationSettings& simulation,
                            bool sweepBefore)
{
    TuneSettings s;
    s.simulation = simulation;
    if (!o.velocityFactor.empty())
        s.velocityFactor = StrToFloat(o.velocityFactor);
    s.sweepBefore = sweepBefore;
    return s;
}

void PrintTune(const TuneResult& r, const TuneOptions& o, const std::string& csvFile,
               const std::string& s1pFile)
{
    if (!ToStdout(csvFile) && !ToStdout(s1pFile) && !ToStdout(o.necFile)) {
        PrintLines(ResultLines(TuneText(r)));
        std::cout << '\n';
        PrintLines(ResultLines(SimulationText(r.tuned)));
    }
    if (!csvFile.empty())
        WriteCsvTables("--csv", csvFile, TuneCsv(r));
    if (!s1pFile.empty())
        WriteOutput("--s1p", s1pFile, TouchstoneS1p(r.tuned));
    if (!o.necFile.empty())
        WriteOutput("--nec", o.necFile, ExportDeck(r.subject.WithLength(r.Tuned().length)));
}

} // namespace tavora::cli
