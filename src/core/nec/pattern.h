// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <complex>
#include <vector>

namespace tavora {

// One radiation pattern point: angles in degrees, total power gain in dBi.
struct PatternPoint {
    double theta = 0;
    double phi = 0;
    double gain = 0;
};

// A pattern cut, index = degrees away from the forward direction (0..359).
using PatternCut = std::array<double, 360>;
// E plane: theta 90, phi = angle. H plane: phi 0, theta = 90 - angle.
PatternCut EPlaneCut(const std::vector<PatternPoint>& points);
PatternCut HPlaneCut(const std::vector<PatternPoint>& points);

// Width of the main lobe between its -3 dB points, interpolated; 360 when it
// never falls 3 dB.
double Beamwidth(const PatternCut& cut);
// Level of the first side lobe either side of the main lobe, relative to the
// forward gain (dB, negative); NaN when the cut has none.
double FirstSideLobe(const PatternCut& cut);
// Strongest gain in the rear half (90 to 270 degrees) of the cuts.
double RearMaximum(const PatternCut& a, const PatternCut& b);

// SWR of an impedance against a real reference.
double Swr(std::complex<double> z, double z0);

// Finer steps either side of forward in both cuts, for an array's lobes that
// fall between whole degrees: `steps` steps of `step` degrees each way; none
// when `steps` is 0.
struct FineSteps {
    double step = 0;
    int steps = 0;
};
// A cut in those steps: gain[i] lies (i - steps) * step degrees from forward,
// in the sense the whole cut's indexes count.
struct FineCut {
    FineSteps at;
    std::vector<double> gain;
};
FineCut EPlaneFine(const std::vector<PatternPoint>& points, FineSteps at);
FineCut HPlaneFine(const std::vector<PatternPoint>& points, FineSteps at);
// Beamwidth and first side lobe as above, each side from the finer cut where
// it holds the -3 dB point or the side lobe's peak, else from the whole cut.
double Beamwidth(const PatternCut& whole, const FineCut& fine);
double FirstSideLobe(const PatternCut& whole, const FineCut& fine);

// Gain in the pattern at exactly (theta, phi), NaN when not computed.
double GainAt(const std::vector<PatternPoint>& points, double theta, double phi);

} // namespace tavora
