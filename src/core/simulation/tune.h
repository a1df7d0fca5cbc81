// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/simulation.h"
#include "state/design_state.h"

#include <complex>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavora {

// Trimming the driven element for the lowest SWR against the line at the
// design frequency (and showing where the feed is resistive), then matching
// what is left to the line with parts a builder can get.

inline constexpr int kMostTuneSolves = 10;
inline constexpr int kMostMatchSolves = 8; // after the resonance search's
// An SWR change smaller than this is no change a builder can measure: a
// length or a part that gains less is not suggested.
inline constexpr double kLeastSwrGain = 0.02;
// Where the search stops: well inside the 2 ohm a builder can tell from zero.
inline constexpr double kResonantReactance = 0.5; // ohm
inline constexpr const char* kAlreadyBest = "The DL6WU length is already the best match";

// The feed models a length is searched on: the model's own, the builder's gap
// (the fed pair as short as his gap), the feed twice as wide, and the model
// at half its density. The engine's feed acts as a gap as wide as the fed
// segments, which is neither the builder's gap nor his leads: how far the
// others move a length from the model's is its uncertainty.
enum class TuneFeed { Model, BuilderGap, Widened, HalfDensity };

// The design as the tuner changes it: the members the model is built from
// (for a non-metal boom), the driven element's DL6WU tip-to-tip length and
// the model at that length.
struct TuneSubject {
    DesignState design; // as entered: its lengths are the builder's
    DesignState members;
    Feed feed = Feed::SingleDipole;
    NecModel model;
    TuneFeed variant = TuneFeed::Model;
    double DesignLength() const;
    double ModelLength() const;
    // The model with the driven element `length` mm tip to tip, cut into the
    // segments of the DL6WU length's model so that X follows the length
    // smoothly (a count that jumps mid-search would step X by ohms).
    NecModel WithLength(double length) const;
};
TuneSubject TuneSubjectOf(const DesignState& design, Feed feed);

struct TuneSolve {
    double length = 0; // model, mm
    std::complex<double> impedance;
};

// The bracketed root search for X = 0 on the model's driven length: each
// solve is one deck at the design frequency. Solves in the order they ran.
// Where X turns back before it reaches zero, the search ends at the length
// that comes closest; it never looks past 20 % of the DL6WU length.
std::vector<TuneSolve> SearchResonance(const TuneSubject& subject, const RunControl& control);
// Whether the solves found X = 0: one within kResonantReactance, or a sign
// change between two.
bool Resonant(const std::vector<TuneSolve>& solves);
// The solve with the least reactance.
const TuneSolve& Best(const std::vector<TuneSolve>& solves);
// The solve with the lowest SWR against z0.
const TuneSolve& BestMatch(const std::vector<TuneSolve>& solves, double z0);
// The search for the lowest SWR against z0 on the model's driven length,
// from the solves already made (the resonance search's): a step outwards
// while the lowest is the shortest or longest tried, else the vertex of the
// parabola of |reflection|^2 through it and its neighbours, until the step is
// under a thousandth of the length. Returns every solve, `from` first.
std::vector<TuneSolve> SearchMatch(const TuneSubject& subject, double z0,
                                   std::vector<TuneSolve> from, const RunControl& control);

struct TuneSettings {
    SimulationSettings simulation;
    // The transformer's coax, refused outside 0 to 1 (kVelocityFactorBox);
    // none takes the chosen cable's own.
    std::optional<double> velocityFactor;
    bool sweepBefore = true; // also simulate the DL6WU length, for the plot
};

// SWR against the line at the design frequency and at the sweep's ends.
struct SwrSpan {
    double centre = 0;
    std::vector<double> sweep; // one per sweep row
};

// A quarter-wave transformer of `impedance` ohm: a cable of the coax list, or
// two round rods in air.
struct Transformer {
    double impedance = 0;
    std::string cable; // the coax list's item; empty for rods
    double velocityFactor = 1;
    double diameter = 0, spacing = 0; // rods, mm; spacing centre to centre
    double length = 0;                // mm
    SwrSpan swr;
};
// Whether the radiator's rod makes the two-wire line: far enough apart to
// hold with spacers, close enough not to radiate.
enum class RodFit { Practical, TooClose, TooWide };
inline constexpr double kLeastRodGap = 2;         // mm between the rods
inline constexpr double kWidestRodSpacing = 0.05; // wavelengths
// Two parallel round conductors in air, exactly: Z = 120 acosh(s / d).
double TwoWireImpedance(double spacingOverDiameter);
double TwoWireRatio(double impedance); // s / d for Z
// The coax list's characteristic impedance of an item ("RG-59 (PE) 73 ohm"
// gives 73); 0 for the user-defined item.
double CoaxImpedance(const std::string& itemText);

struct TuneMatch {
    double z0 = 50;   // the line
    double line = 50; // what the transformer matches to: z0, or a quarter of it after the balun
    Feed feed = Feed::SingleDipole;
    SwrSpan unmatched;
    std::optional<Transformer> cable; // the coax list's best, where it lowers the SWR
    Transformer rods;                 // the radiator's rod, where it lowers the SWR
    RodFit rodFit = RodFit::Practical;
    bool rodsLower = false;
};

// What one feed model's searches found, model lengths (mm).
struct TuneLengths {
    TuneFeed feed = TuneFeed::Model;
    std::vector<TuneSolve> solves; // the resonance search's, then the match search's
    bool resonant = false;
    double resonance = 0; // the least |X|
    double match = 0;     // the lowest SWR
};

// A length with the band the feed models hold it in (builder's mm).
struct LengthBand {
    double length = 0, low = 0, high = 0;
    double density = std::numeric_limits<double>::quiet_NaN(); // half density's move, mm
    double form = 0; // how far the model's form moves the length, mm
    double gapLength = std::numeric_limits<double>::quiet_NaN(), wideLength = gapLength;
    bool Holds(double x) const { return x >= low && x <= high; }
};

struct TuneResult {
    TuneSubject subject;
    double z0 = 50;                    // the line the SWR is against
    TuneLengths own;                   // the model's; its first solve at the DL6WU length
    std::vector<TuneLengths> variants; // the builder's gap, twice as wide, half density
    const TuneLengths* Variant(TuneFeed feed) const; // null when not solved
    // The lowest-SWR solve where it is suggested, else the DL6WU length's.
    const TuneSolve& Tuned() const;
    double TunedLength() const;                      // the builder's, mm tip to tip
    bool IsResonant() const { return own.resonant; } // the model found X = 0
    // Whether an X = 0 length is shown: the model and the builder's gap both resonate.
    bool ShowsResonance() const;
    // A folded dipole whose feed never comes to X = 0: its length is left
    // as DL6WU's and no rod is suggested.
    bool FoldedNotResonant() const;
    // Whether the lowest SWR lies further from the DL6WU length than the
    // report's cutting tolerance.
    bool BeyondCuttingTolerance() const;
    // Whether the lowest SWR is beyond the cutting tolerance and
    // kLeastSwrGain lower than the DL6WU length's.
    bool BetterMatch() const;
    // Whether the lowest-SWR length is suggested: a BetterMatch, and not
    // FoldedNotResonant.
    bool Changes() const;
    // The lowest-SWR length (or the X = 0 length) with the band the other feed
    // models put it in, widened on both sides by the density's move and the
    // model form's share of X.
    LengthBand Band(bool resonance) const;
    std::shared_ptr<const SimulationResult> sweepBefore; // null unless asked for
    std::vector<double> edgesBefore; // the DL6WU length's SWR at the sweep's ends
    SimulationResult tuned;
    TuneMatch match;
    // Whether the rod line is offered: practical, lowering the SWR, and for a
    // dipole that resonates or is single.
    bool OffersRods() const;
    DesignState TunedDesign() const; // the design with the tuned length
    // A model length as the builder's: the model's change added to his length.
    double BuilderLength(double model) const;
};

// Refuses, before the engine runs, what the simulation refuses of the
// subject's model and a velocity factor not above 0 or above 1.
void Refuse(const TuneSettings& settings, const TuneSubject& subject, char decimalSep = '.');
// One bar over the whole job, shared out between the searches and the
// simulations by their cost.
inline constexpr int kTuneSteps = 1000;
int RunSize(const TuneSettings& settings, const TuneSubject& subject);
// Search, simulate the tuned antenna (and the DL6WU one when asked), match.
TuneResult Run(const TuneSubject& subject, const TuneSettings& settings, const RunControl& control);

// The matches of the feed `atDesign` to `z0` at `frequency` (for the folded
// dipole after its 4:1 balun), through each transformer for the rows of
// `sweep`: the coax list's cable that gives the lowest SWR (with its own
// velocity factor unless one is given) and the radiator's rod as a two-wire
// line, each kept only where it lowers the SWR by kLeastSwrGain.
TuneMatch MatchFeed(std::complex<double> atDesign, double z0, Feed feed, double frequency,
                    std::optional<double> velocityFactor, double rodDiameter,
                    const std::vector<SweepRow>& sweep);

// The figures as the window and the command line show them, the sentences
// among them; the tuned antenna's own figures are SimulationText's.
ResultText TuneText(const TuneResult& result, char decimalSep = '.');
// For spreadsheets: "figures", "rod-marks" where a folded dipole's length
// changes, "sweep" before and after with the matched SWR, and the tuned
// antenna's own as SimulationCsv writes them, each name after "tuned-".
CsvTables TuneCsv(const TuneResult& result);

} // namespace tavora
