// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nec/model.h"
#include "nec/pattern.h"

#include <complex>
#include <cstddef>
#include <functional>
#include <istream>
#include <limits>
#include <string_view>
#include <vector>

namespace tavora {

// What nec2c printed for one frequency.
struct FrequencyOutput {
    double frequency = 0;                         // MHz
    std::complex<double> impedance;               // the first source card's
    std::vector<std::complex<double>> impedances; // every source card's, in deck order
                                                  // (SourceImpedances: each source's)
    bool hasImpedance = false;                    // its input parameters were printed
    double efficiency = 0;                        // percent
    double inputPower = 0;                        // watts, the power budget's
    std::vector<PatternPoint> pattern;            // every RP card's points in print order
};

// Reads nec2c's output file: one entry per frequency block, in print order.
// Pattern cards after the first at the same frequency add to that block.
// Pattern gains are worked out from the printed fields and input power, to
// about 0.001 dB, where they round to the printed column; the column otherwise.
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

// Each source's impedance from what the engine printed for one frequency
// (one entry per source card, in deck order): a source on a pair of segments
// is the two in series.
std::vector<std::complex<double>>
SourceImpedances(const NecModel& model, const std::vector<std::complex<double>>& printed);

} // namespace tavora
