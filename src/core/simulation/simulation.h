// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nec/solve.h"
#include "physics/physics.h"
#include "text/csv.h"
#include "text/result_text.h"
#include "text/uncertain.h"

#include <complex>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavora {

// The most the sweep reaches either side of the design frequency, and its
// most frequencies; the defaults are the exported deck's (kDefaultSweepPercent,
// kDefaultSweepPoints).
inline constexpr double kMostSweepPercent = 50;
inline constexpr int kMostPoints = 1001;

struct SimulationSettings {
    double sweepPercent = kDefaultSweepPercent;
    int points = kDefaultSweepPoints;
    double z0 = 0;     // SWR reference; 0 takes 50 ohm for the single, 200 for the folded dipole
    int processes = 0; // sweep pieces run at once; 0 takes one per core
    // The error bars' models beside the run (BarModels); figures that must
    // follow typing leave them to a run of their own (AddBars).
    bool bars = true;
};

double ReferenceImpedance(Feed feed, double z0);

// The design frequency alone, without the error bars: the figures that
// follow typing and each count of a director scan.
SimulationSettings FiguresOnly(double z0 = 0);

inline constexpr const char* kReferenceBox = "SWR reference (ohm, 0 by dipole)";
inline constexpr const char* kModelFrequencyBox = "Frequency in MHz";
// Refuses, before the engine runs, a model frequency outside kFrequencyRange and
// a reference that is neither 0 nor within kReferenceImpedanceRange.
void Refuse(const SimulationSettings& settings, const NecModel& model, char decimalSep = '.');
// The frequencies the engine solves, as the progress bar counts them: the
// pattern's, the sweep's others, and the error bars' models (BarModels) unless
// the settings leave them out.
int RunSize(const SimulationSettings& settings, const NecModel& model);

struct SweepRow {
    double frequency = 0;
    std::complex<double> impedance;
    double swr = 0;
    double gainDbi = 0;
    double frontToBack = 0;
};

struct SimulationResult {
    double frequency = 0;
    Feed feed = Feed::SingleDipole;
    double z0 = 50;
    std::complex<double> impedance;
    double swr = 0;
    double gainDbi = 0;
    double frontToBack = 0; // forward against 180 degrees
    double frontToRear = 0; // forward against the worst lobe of the rear half
    double efficiency = 0;
    PatternCut ePlane{}, hPlane{};
    double beamwidthE = 0, beamwidthH = 0;
    double sideLobeE = 0, sideLobeH = 0;
    std::vector<SweepRow> sweep;
    std::vector<std::string> notes;
    // The DL6WU formulas for the same boom, for comparison; NaN without directors.
    double estimateGainDbd = 0;
    double estimateBeamwidth = 0;
    // The design frequency solved at half the density (no sweep): how far
    // each figure moves is the segmentation's share of its uncertainty. Null
    // when the run had no such solve, or the model is outside the engine's
    // range (its figures then carry no error bar).
    std::shared_ptr<const SimulationResult> coarse;
    // Other ways to model the antenna, at the same half density (feed,
    // gain and F/B only): the feed with the builder's gap and twice the
    // model's width (the engine's feed acts as a gap as wide as its
    // segments), and a folded dipole's bends drawn the other way. How far
    // they move each figure from `coarse` is another share of its error.
    std::vector<SimulationResult> variants;
    // Each segment's length in radii, the median wire's: convergence ends
    // where segments come down to about kSettledRadii, so the move from half
    // the density still ahead of the model is (1 - kSettledRadii / this).
    double segmentRadii = 0;
    // Whether the standard kernel holds for every segment too: then the two
    // kernels' difference is a share of each figure's error.
    bool bothKernels = false;
    double GainDbd() const { return gainDbi - kDipoleGainDbi; }
};

// The jobs of one run: the pattern cuts at the model's frequency first, then
// the sweep in `pieces` consecutive pieces, without the design frequency the
// pattern job solves already.
std::vector<NecJob> SimulationJobs(const NecModel& model, const SimulationSettings& settings,
                                   int pieces);

// The figures from the engine's solutions: the first holds the pattern cuts at
// its first frequency; every other frequency of any solution is a sweep point,
// merged in frequency order. Throws Error when the cuts are missing.
SimulationResult ResultFromSolutions(const NecModel& model, const SimulationSettings& settings,
                                     const std::vector<Solution>& solutions);

// The fed segment's length (metres) that makes it the builder's gap: his gap,
// or half the model's fed pair where none is known, at least what the kernel
// allows.
double BuilderGap(const NecModel& model);

// The models the error bars come from, each solved at the design frequency:
// the model at half its density with its own feed, then with the builder's
// gap, with a feed twice as wide, and for the folded dipole with the bends
// drawn the other way. None for a model outside the engine's range.
std::vector<NecModel> BarModels(const NecModel& model);

// Where the convergence study found figures settled: segments this many radii.
inline constexpr double kSettledRadii = 3;

// How far two equally valid models of one antenna part in the feed's
// resistance (a fraction of it) and reactance (ohm): no solve of a run
// measures it.
inline constexpr double kFormResistance = 0.015;
inline constexpr double kFormReactance = 1;

// Notes for the figures finer segments would still move further than the
// guidelines allow (gain 0.05 dB, feed resistance 3 %).
std::vector<std::string> UnsettledNotes(const SimulationResult& result);

// Jobs, solve and figures; the sweep split into one piece per process, and the
// error bars' models beside it.
SimulationResult Run(const NecModel& model, const SimulationSettings& settings,
                     const RunControl& control);
int ProcessCount(const SimulationSettings& settings);

// The error bars of a result Run gave without them: the bar models solved
// now, as Run would have solved them beside it; at most `processes` engines
// at once where the settings give a number.
void AddBars(SimulationResult& result, const NecModel& model, const SimulationSettings& settings,
             const RunControl& control);

// Stacking distances (mm) that the simulated beamwidths give: vertical from the
// H plane, horizontal from the E plane (the stacking calculator's rule).
struct SimulatedStacking {
    double vertical = 0;
    double horizontal = 0;
};
SimulatedStacking StackingFromResult(const SimulationResult& result);

inline constexpr const char* kSimulatedHeading =
    "Simulated with nec2c (NEC-2) in free space, aluminium elements";
// A figure by its CSV name ("gain_dbi", "feed_r_ohm", ...) with its uncertainty.
Uncertain FigureOf(const SimulationResult& result, std::string_view name);

// The heading, the model's notes, the figures (with the error bars' models
// each carries its uncertainty and only the digits that allows), and the
// sweep table.
ResultText SimulationText(const SimulationResult& result, char decimalSep = '.');
// For spreadsheets (comma separated, point decimals): "sweep", "pattern" (both
// cuts), "figures" at the design frequency with their uncertainties, and
// "notes", the model's.
CsvTables SimulationCsv(const SimulationResult& result);

} // namespace tavora
