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

// False when the design's reflector, dipoles or last director come out zero or
// negative long (elements too thick for the frequency). A design the engine
// cannot compute counts as true: the engine reports its fault itself.
bool ElementLengthsPositive(const DesignState& state);

// The balun line, or nothing when no valid velocity factor was chosen; a coax
// name containing "USER" becomes "coax" in the state either way.
std::string BalunLine(DesignState& state, char decimalSep = '.');

// Flat-plane factor K for the whole-number length-to-bend ratio b (at least 10).
double FindK(long long b);

// The folded dipole bent from one rod, measured from the inside of the bends:
// the rod's length and the distances between the points A to I of the sketch.
struct FoldedDipoleRod {
    double rodLength = 0, bc = 0, hi = 0, ha = 0, hb = 0, hc = 0;
};
FoldedDipoleRod FoldedDipoleRodOf(const DesignState& state);

// Appends the folded dipole construction section and stores the three values
// the MMANA-GAL export reads.
void FoldedDipoleDetails(DesignState& state, std::string& report, char decimalSep = '.');

// What "Print results" writes: three empty lines, the report as displayed (one
// entry per displayed line), two empty lines and the sketch of the folded dipole.
std::vector<std::string> ReportPrintLines(const std::vector<std::string>& displayedLines);

} // namespace tavora
