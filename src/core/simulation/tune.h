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

// Trimming the driven element until the feed is resistive at the design
// frequency, then matching what is left to the line.

inline constexpr int kMostTuneSolves = 10;
// Where the search stops: well inside the 2 ohm a builder can tell from zero.
inline constexpr double kResonantReactance = 0.5; // ohm
inline constexpr double kDefaultVelocityFactor = 0.66;
inline constexpr const char* kNotResonant =
    "No length near the DL6WU length makes the feed resistive: the tuned length comes closest";

// The design as the tuner changes it: the members the model is built from
// (for a non-metal boom), the driven element's DL6WU tip-to-tip length and
// the model at that length.
struct TuneSubject {
    DesignState design; // as entered: its lengths are the builder's
    DesignState members;
    Feed feed = Feed::SingleDipole;
    NecModel model;
    // The model's feed twice as wide (FeedWidened). The engine's feed acts as
    // a gap as wide as the fed segments, which is neither the builder's gap
    // nor his leads: a folded dipole's X moves 10 to 20 ohm each time it
    // doubles, so its resonant length is only known to what this moves it.
    bool wideFeed = false;
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

// The transformer's coax unless one is given: the design's balun coax, else
// kDefaultVelocityFactor.
double DefaultVelocityFactor(const DesignState& design);

struct TuneSettings {
    SimulationSettings simulation;
    // The transformer's coax, refused outside 0 to 1 (kVelocityFactorBox);
    // none takes the design's balun coax, else kDefaultVelocityFactor.
    std::optional<double> velocityFactor;
    bool sweepBefore = true; // also simulate the DL6WU length, for the plot
};

// The quarter-wave transformer from the tuned feed resistance to the line.
struct RodLine {
    double diameter = 0, spacing = 0, length = 0; // mm; spacing centre to centre
};
// Whether the radiator's rod makes that line: within the rod fit's range,
// far enough apart to hold with spacers, close enough not to radiate.
enum class RodFit { Practical, OutOfRange, TooClose, TooWide };
inline constexpr double kLeastRodGap = 2;         // mm between the rods
inline constexpr double kWidestRodSpacing = 0.05; // wavelengths
struct TuneMatch {
    double z0 = 50;
    double swrUnmatched = 0;
    double impedance = 0; // of the transformer, ohm
    double velocityFactor = 0;
    double length = 0; // mm of coax
    RodFit rodFit = RodFit::OutOfRange;
    RodLine rods; // what the rod would give, unless OutOfRange
    // SWR against z0 through the transformer over the tuned antenna's sweep,
    // one per sweep row; at the design frequency on its own.
    std::vector<double> swrMatched;
    double swrMatchedAtDesign = 0;
};

struct TuneResult {
    TuneSubject subject;
    std::vector<TuneSolve> solves;                          // the first at the DL6WU length
    const TuneSolve& Tuned() const { return Best(solves); } // its length the model's
    double TunedLength() const;                             // the builder's, mm tip to tip
    bool IsResonant() const { return Resonant(solves); }    // the search found X = 0
    // How far the resonant length can be trusted, mm: how far half the
    // density moves the reactance at the tuned length, over its slope there
    // (segments), and how far the feed twice as wide moves it (feedWidth);
    // LengthError is both together. NaN when not known or not resonant.
    double segmentsError = std::numeric_limits<double>::quiet_NaN();
    double feedWidthError = std::numeric_limits<double>::quiet_NaN();
    double LengthError() const;
    // Whether a resonant length is not known to the report's cutting
    // tolerance: the figure is then where to start, and the built antenna's
    // resonance decides.
    bool BeyondCuttingTolerance() const;
    std::vector<TuneSolve> wideSolves; // the same search with the feed twice as wide
    std::shared_ptr<const SimulationResult> sweepBefore; // null unless asked for
    SimulationResult tuned;
    TuneMatch match;
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

// The quarter-wave match of a resistive feed `r` to `z0` at `frequency`,
// through the transformer for the rows of `sweep`.
TuneMatch MatchFeed(double r, std::complex<double> atDesign, double z0, double frequency,
                    double velocityFactor, double rodDiameter, const std::vector<SweepRow>& sweep);

// The figures as the window and the command line show them, the sentences
// among them; the tuned antenna's own figures are SimulationText's.
ResultText TuneText(const TuneResult& result, char decimalSep = '.');
// The same figures, then the sweep before and after with the matched SWR, then
// the tuned antenna's own as SimulationCsv writes them, for spreadsheets.
std::string TuneCsv(const TuneResult& result);

} // namespace tavora
