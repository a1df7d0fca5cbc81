// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/design_state.h"

#include <string>

namespace tavora {

// The loop length as the sheet writes it: whole millimetres, no unit.
std::string BalunLengthText(const DesignState& state, char decimalSep = '.');
// The length label inside the drawn loop.
std::string BalunLengthLabel(const DesignState& state, char decimalSep = '.');

// The coax label: the report's stand-in "coax" becomes "User defined coax",
// and stays so in the state.
const std::string& FixCoaxName(DesignState& state);

std::string BalunPrintTitle(const DesignState& state, char decimalSep = '.');

struct PagePoint {
    long long x, y;
};

// Where the sheet's parts go on a page `pageWidth` device pixels wide.
struct BalunSheetLayout {
    long long q;     // a quarter of the page width
    PagePoint title; // at 12 points
    PagePoint pictureTopLeft, pictureBottomRight;
    PagePoint length;       // at 8 points
    std::string lengthText; // the length directly followed by "mm"
};
inline constexpr int kBalunTitlePoints = 12;
inline constexpr int kBalunLengthPoints = 8;
BalunSheetLayout BalunSheetGeometry(long long pageWidth, const DesignState& state,
                                    char decimalSep = '.');

} // namespace tavora
