// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    double feedGap = 0;             // the builder's gap at the feed, metres; 0 not known
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
// The sweep a simulation asks for unless told otherwise, and the exported deck's.
inline constexpr double kDefaultSweepPercent = 2;
inline constexpr int kDefaultSweepPoints = 21;
// Consecutive pieces of a sweep, as even as can be, none empty.
std::vector<Sweep> SplitSweep(const Sweep& sweep, int pieces);

// "Reflector", "Dipole", "Folded dipole" or "Director k".
std::string ElementName(const NecModel& model, int element);
// Number of elements in the model (reflector, radiator, directors).
int ElementCount(const NecModel& model);

// Whether the wire runs through the plane y = 0 (an end on it does not count):
// the plane every element is centred on, about which the model is symmetric.
bool CrossesMirrorPlane(const NecWire& wire);

} // namespace tavora
