#pragma once

#include <array>
#include <complex>
#include <cstddef>
#include <functional>
#include <istream>
#include <limits>
#include <string_view>
#include <vector>

namespace tavora {

// One radiation pattern point: angles in degrees, total power gain in dBi.
struct PatternPoint {
    double theta = 0;
    double phi = 0;
    double gain = 0;
};

// What nec2c printed for one frequency.
struct FrequencyOutput {
    double frequency = 0;                         // MHz
    std::complex<double> impedance;               // the first source card's
    std::vector<std::complex<double>> impedances; // every source card's, in deck order
                                                  // (SourceImpedances: each source's)
    bool hasImpedance = false;                    // its input parameters were printed
    double efficiency = 0;                        // percent
    std::vector<PatternPoint> pattern;            // every RP card's points in print order
};

// Reads nec2c's output file: one entry per frequency block, in print order.
// Pattern cards after the first at the same frequency add to that block.
// Throws Error naming a figure no antenna gives (a gain of 1E+300 dBi), so
// that none reaches the calculations.
std::vector<FrequencyOutput> ParseNecOutput(std::string_view text);

// What one output may hold, so that a runaway or hostile engine cannot fill
// the memory: more blocks are an Error, more points per block are left out.
struct NecReadLimits {
    size_t blocks = std::numeric_limits<size_t>::max();
    size_t points = std::numeric_limits<size_t>::max();
};
// The same, read from a stream a line at a time; `eachLine` sees every line
// (cut to a reasonable length).
std::vector<FrequencyOutput>
ReadNecOutput(std::istream& in, const NecReadLimits& limits = {},
              const std::function<void(std::string_view)>& eachLine = {});

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

// Gain in the pattern at exactly (theta, phi), NaN when not computed.
double GainAt(const std::vector<PatternPoint>& points, double theta, double phi);

} // namespace tavora
