// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/design_state.h"
#include "text/csv.h"

#include <string>
#include <vector>

namespace tavora {

enum class CutUnit { Millimetre = 0, Inch = 1 };
enum class CutDipole { Single = 0, Folded = 1 };
// The finest fraction of an inch a length is given in; the value is the denominator.
enum class CutFraction { ThirtySecond = 32, SixtyFourth = 64 };

// A length for the workshop: "1016.4" (0.1 mm), or in inches to the nearest
// fraction with the decimal inch beside it: "40 1/64 (40.016)".
std::string CutLength(double mm, CutUnit unit, char decimalSep = '.',
                      CutFraction fraction = CutFraction::SixtyFourth);
// Inches to the nearest fraction, reduced: "40 1/64", "1/2", "3".
std::string InchFraction(double mm, CutFraction fraction);

// The cut list of a computed design: what the builder takes to the workshop.
// Every text is formatted here; the window and the command line only lay it out.
struct CutList {
    std::string title;                                        // "Cut list: Yagi 432.00 MHz"
    std::vector<std::pair<std::string, std::string>> summary; // caption, value
    // With their unit. In inches each length has two columns: the decimal
    // inch, a number a spreadsheet can add, and the fraction as text.
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows; // one per element
    // The folded dipole's rod and its marks; empty for the single dipole.
    std::vector<std::string> rodColumns;
    std::vector<std::vector<std::string>> rodRows;
};

// Throws ArithmeticError as the report does for a design that cannot be computed.
CutList MakeCutList(const DesignState& state, CutUnit unit, CutDipole dipole, char decimalSep = '.',
                    CutFraction fraction = CutFraction::SixtyFourth);

// The marks of the rod the folded dipole is bent from (mm), as the cut list
// names them: the report's construction figures for the state's FoldedLength.
std::vector<std::pair<const char*, double>> FoldedRodMarks(const DesignState& state);

// The same rows for spreadsheets: comma separated, fields quoted where they
// hold a comma or a quote, LF line ends: "elements", and "rod" for the
// folded dipole.
CsvTables CutListCsv(const CutList& list);

// The list as text lines, tab between columns, for the command line.
std::vector<std::string> CutListLines(const CutList& list, const std::string& date);

// The units choice as the saved data file keeps it: "0" mm, "1" inch; any
// other text (a file saved before the choice existed gives "0") is mm.
CutUnit CutUnitFromText(const std::string& text);
std::string CutUnitText(CutUnit unit);

} // namespace tavora
