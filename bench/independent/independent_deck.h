// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A second model of a design, written from its cut list alone as a builder
// with a NEC-2 manual would write it, and sharing nothing with the program's
// model builder, segmentation or deck writer: the yardstick the simulation's
// figures and their error bars are measured against.

#include "design/cut_list.h"
#include "nec/runner.h"

#include <complex>
#include <string>
#include <vector>

namespace tavora::independent {

struct DeckSettings {
    double segmentsPerHalfWave = 25;
    // No segment shorter than this many radii: the extended kernel's range.
    double leastRadii = 2;
    // The fed segment's width (mm); 0 cuts the driven element like the rest.
    double feedWidth = 0;
    bool extendedKernel = true;
};

struct Figures {
    double gainDbi = 0;
    double frontToBack = 0;
    std::complex<double> z;
};

// The cut list's elements (a non-metal boom's lengths), the folded dipole as
// its rod's marks give it, in free space, aluminium. Throws std::runtime_error
// for a list it cannot read.
std::string Deck(const CutList& list, double mhz, const DeckSettings& settings);

// Every deck in one go; gain and F/B at the frequency, the source's impedance.
std::vector<Figures> Solve(const std::vector<std::string>& decks, const RunControl& control);

} // namespace tavora::independent
