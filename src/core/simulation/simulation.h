#pragma once

#include "nec/solve.h"
#include "physics/physics.h"
#include "text/result_text.h"

#include <complex>
#include <limits>
#include <memory>
#include <string>
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
};

double ReferenceImpedance(Feed feed, double z0);

inline constexpr const char* kReferenceBox = "SWR reference (ohm, 0 by dipole)";
inline constexpr const char* kModelFrequencyBox = "Frequency in MHz";
// Refuses, before the engine runs, a model frequency outside kFrequencyRange and
// a reference that is neither 0 nor within kReferenceImpedanceRange.
void Refuse(const SimulationSettings& settings, const NecModel& model, char decimalSep = '.');
// The frequencies the engine solves, as the progress bar counts them: the
// pattern's, the sweep's others, the finer solve's and the wide feed's.
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
    // The design frequency solved again with the segments kFinerDensity times
    // finer (no sweep): how far each figure moves is its uncertainty. Null
    // when the run had no such solve.
    std::shared_ptr<const SimulationResult> finer;
    // The design frequency's feed with the feed twice as wide (FeedWidened):
    // the engine's feed acts as a gap of its segments' width, not the
    // builder's, and how far that moves the impedance is part of the feed
    // figures' uncertainty. NaN when not solved.
    std::complex<double> wideFeed{std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::quiet_NaN()};
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

// Notes for the figures a finer solve moved further than the guidelines allow
// from one density to twice it (gain 0.05 dB, feed resistance 3 %).
std::vector<std::string> UnsettledNotes(const SimulationResult& result,
                                        const SimulationResult& finer);

// Jobs, solve and figures; the sweep split into one piece per process, and the
// finer solve of the design frequency in a process of its own.
SimulationResult Run(const NecModel& model, const SimulationSettings& settings,
                     const RunControl& control);
int ProcessCount(const SimulationSettings& settings);

// Stacking distances (mm) that the simulated beamwidths give: vertical from the
// H plane, horizontal from the E plane (the stacking calculator's rule).
struct SimulatedStacking {
    double vertical = 0;
    double horizontal = 0;
};
SimulatedStacking StackingFromResult(const SimulationResult& result);

inline constexpr const char* kSimulatedHeading =
    "Simulated with nec2c (NEC-2) in free space, aluminium elements";
// The heading, the model's notes, the figures (with a finer solve each
// carries its uncertainty and only the digits that allows), and the sweep
// table.
ResultText SimulationText(const SimulationResult& result, char decimalSep = '.');
// The sweep, both pattern cuts, then the design frequency's figures with their
// uncertainties and the model's notes, for spreadsheets (comma separated,
// point decimals).
std::string SimulationCsv(const SimulationResult& result);

} // namespace tavora
