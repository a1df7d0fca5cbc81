// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/simulation.h"
#include "state/design_state.h"
#include "state/refusals.h"

#include <string>
#include <vector>

namespace tavora {

// A design over a range of director counts: the builder's first choice, where
// the simulated antenna does not follow the smooth DL6WU estimate.

// The counts a scan takes: the design entry's own.
inline constexpr Range kScanDirectorRange{0, kMaxDirectors, ""};
inline constexpr const char* kScanFromBox = "Directors from";
inline constexpr const char* kScanToBox = "Directors to";

struct DirectorScanSettings {
    int from = 0, to = 0;
    Feed feed = Feed::SingleDipole;
    double z0 = 0;     // SWR reference; 0 takes the dipole's own
    int processes = 0; // decks at once; 0 takes one per core
};

// The design whose count the scan changes: the state it was calculated in,
// whose entry group holds the texts as typed, with their decimal separator.
struct ScanDesign {
    DesignState state;
    char decimalSep = '.';
};

// The design's entry with only the director count changed, calculated as
// Calculate does it (no band sizes applied). A refusal names the count:
// "34 directors: <Calculate's message>".
DesignState DesignWithDirectors(const ScanDesign& design, int directors);

struct ScanRow {
    int directors = 0;
    double boomLength = 0;   // mm, reflector to the last director, as the DL6WU estimate takes it
    SimulationResult result; // at the design frequency, without error bars
};

struct DirectorScan {
    double frequency = 0;
    Feed feed = Feed::SingleDipole;
    double z0 = 50;
    std::vector<ScanRow> rows;
    // Indices into rows; -1 where no count has the figure.
    int bestFrontToBack = -1;
    int lowestSwr = -1;
    std::vector<std::string> notes;
};

// The models of every count, in order; refused as DesignWithDirectors refuses.
std::vector<NecModel> ScanModels(const ScanDesign& design, const DirectorScanSettings& settings);

// Refuses, before any engine runs: a count outside kScanDirectorRange, a
// range that runs backwards, a count whose design Calculate refuses, and
// what the simulation refuses of its model.
void Refuse(const DirectorScanSettings& settings, const ScanDesign& design, char decimalSep = '.');
// The decks, one a count.
int RunSize(const DirectorScanSettings& settings, const ScanDesign& design);
// Every count solved at the design frequency as `simulate` solves one
// frequency without its error bars, all decks in one run, one per core at a
// time; progress counts decks. Throws SimulationCancelled on Cancel.
DirectorScan Run(const ScanDesign& design, const DirectorScanSettings& settings,
                 const RunControl& control);

// The heading, the best counts as figures, the notes, and one table of every
// count with its marks.
ResultText DirectorScanText(const DirectorScan& scan, char decimalSep = '.');
// For spreadsheets (comma separated, point decimals): "scan", the table.
CsvTables DirectorScanCsv(const DirectorScan& scan);

} // namespace tavora
