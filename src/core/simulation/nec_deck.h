#pragma once

#include "state/design_state.h"

#include <complex>
#include <string>
#include <vector>

namespace tavora {

// The driven element the model uses.
enum class Feed { SingleDipole, FoldedDipole };

// One straight wire of the model, in metres: the boom runs along x (forward is
// +x), the elements along y, z is up.
struct NecWire {
    int tag = 0;
    int segments = 1;
    double x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;
    double radius = 0;
    int element = 0;   // 0 the reflector, 1 the radiator, k + 1 director k
    bool bend = false; // one of the chords that make up a folded dipole's bend
};

// A voltage source at the centre of a wire. SegmentModel places it: on the
// middle segment of an odd count, or, where an even count puts a junction at
// the centre, on the two segments meeting there (`segment` the first), in
// series, each with half the volts. The feed impedance is then the sum of the
// two the engine prints (SourceImpedances).
struct NecSource {
    int tag = 0;
    int segment = 0;
    std::complex<double> volts{1, 0};
    int span = 1; // 1, or 2 for the pair at a junction
};

// A Yagi as NEC-2 sees it, in free space without its boom.
struct NecModel {
    double frequency = 0; // MHz
    Feed feed = Feed::SingleDipole;
    std::vector<NecWire> wires;
    // The feed: one source at the driven element's centre; a model of several
    // antennas has one per antenna.
    std::vector<NecSource> sources;
    // Parasitic element positions along the boom from the reflector (mm), for
    // the DL6WU estimate beside the simulated figures.
    double lastElementPos = 0;
    int directors = 0;
    std::vector<std::string> notes; // what the model changed from what was entered
    double bendDiam = 0;            // the folded dipole's, metres
    // Set by SegmentModel: the density it was cut at (segments per half wave),
    // whether the deck asks for the extended thin-wire kernel, and where the
    // model is outside the engine's valid range.
    double density = 0;
    bool extendedKernel = false;
    std::vector<std::string> rangeNotes;
};

// Frequencies of one FR card: `points` steps of `step` MHz from `from`.
struct Sweep {
    double from = 0;
    double step = 0;
    int points = 1;
    double At(int i) const { return from + step * i; }
};

// The design frequency ± `percent`, `points` points (at least 1).
Sweep SweepAround(double frequency, double percent, int points);
// Consecutive pieces of a sweep, as even as can be, none empty.
std::vector<Sweep> SplitSweep(const Sweep& sweep, int pieces);

inline constexpr double kAluminiumConductivity = 3.72e7; // S/m
inline constexpr int kSegmentsPerHalfWave = 21;

// "Reflector", "Dipole", "Folded dipole" or "Director k".
std::string ElementName(const NecModel& model, int element);

// The design the engine leaves in the state, rebuilt for a non-metal boom when
// its elements carry a boom correction (the model has no boom to cancel it).
// Runs the engine on a copy; its arithmetic errors propagate.
NecModel ModelFromDesign(const DesignState& state, Feed feed);

// An existing Yagi from the YO entry group; lengths for a metal boom are first
// converted to a non-metal one. Throws Error with the screen's own message
// when the entries describe no antenna.
NecModel ModelFromYoEntries(const YoEntryTexts& entries, Feed feed, char decimalSep = '.');

// The model from the numeric design members (positions from RadiatorPos and
// DirSpacing). Throws Error when a length, diameter or frequency is not positive.
// The folded dipole is the rod the report tells the builder to bend.
NecModel ModelFromMembers(const DesignState& state, Feed feed, double bendDiam);

inline constexpr const char* kNoBoomNote =
    "Modelled without the boom: element lengths for a non-metal boom (no boom correction)";
inline constexpr const char* kBendTooWide =
    "The folded dipole's bend diameter must be less than its length";
inline constexpr const char* kNotAnAntenna =
    "Element lengths, diameters and the frequency must be greater than zero";

// How a deck is written. Whole: every wire, as other NEC-2 programs and their
// users read it. Mirrored, for our own runs: where the model is symmetric
// about the plane y = 0 (MirrorSymmetric), the half with y >= 0 and a GX card
// that reflects it, so that the engine factors two half-size blocks instead of
// one full matrix; any other model is written whole.
enum class DeckForm { Whole, Mirrored };

// The deck text. Pattern cuts (E plane, H plane, 1 degree steps) at the
// model's frequency when `patterns`; forward and backward gain over `sweep`
// when it has points.
std::string NecDeck(const NecModel& model, bool patterns, const std::vector<Sweep>& sweeps,
                    DeckForm form = DeckForm::Whole);

// Whether the model is its own mirror image in the plane y = 0, as the GX
// card needs: each wire that crosses the plane is its own image and is cut
// there (an even count), every other wire has its image on the other side,
// none lies in the plane, and every source is the pair at the centre of a wire
// that crosses it.
bool MirrorSymmetric(const NecModel& model);
// Whether the wire runs through the plane y = 0 (an end on it does not count).
bool CrossesMirrorPlane(const NecWire& wire);

// Each source's impedance from what the engine printed for one frequency
// (one entry per source card, in deck order): a source on a pair of segments
// is the two in series.
std::vector<std::complex<double>>
SourceImpedances(const NecModel& model, const std::vector<std::complex<double>>& printed);

// Number text for the deck: a point, never the locale's separator.
std::string DeckNumber(double value);

} // namespace tavora
