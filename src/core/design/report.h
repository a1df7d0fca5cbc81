// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/design_state.h"

#include <string>
#include <vector>

namespace tavora {

inline constexpr const char* kCrlf = "\r\n";

// Runs the DL6WU engine on the design state, writes its results back and
// rebuilds the whole report into `report` (CRLF line ends, tabs between
// columns). When a step fails the ArithmeticError propagates and `report`
// keeps the text written so far.
void Yagidimensions(DesignState& state, std::string& report, char decimalSep = '.');

// The name of the report's print job and of the file it may be printed to,
// "Yagi 432.00 MHz".
std::string ReportDocumentName(const DesignState& state, char decimalSep = '.');

// The balun line, or nothing when no valid velocity factor was chosen; a coax
// name containing "USER" becomes "coax" in the state either way.
std::string BalunLine(DesignState& state, char decimalSep = '.');

// Flat-plane factor K for the whole-number length-to-bend ratio b (at least 10).
double FindK(long long b);

// Length of the rod the folded dipole is bent from (mm): two straights of
// tip-to-tip length less the bend diameter, two semicircular bends, less the
// feed gap.
double FoldedRodLength(double tipToTip, double bendDiam, double gap);
// The folded dipole bent from one rod, measured from the inside of the bends:
// the rod's length and the distances between the points A to I of the sketch.
struct FoldedDipoleRod {
    double rodLength = 0, bc = 0, hi = 0, ha = 0, hb = 0, hc = 0;
};
FoldedDipoleRod FoldedDipoleRodOf(const DesignState& state);

// Appends the folded dipole construction section and stores the three values
// the MMANA-GAL export reads.
void FoldedDipoleDetails(DesignState& state, std::string& report, char decimalSep = '.');

// What "Print results" writes: three empty lines, the report's lines (the
// printer wraps a long one to its page), an empty line and, as one entry with
// CR LF line ends so that it stays on one page, the heading "Folded dipole
// measuring points" over the five-line sketch of the folded dipole.
std::vector<std::string> ReportPrintLines(const std::vector<std::string>& reportLines);

} // namespace tavora
