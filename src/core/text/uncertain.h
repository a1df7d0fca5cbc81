// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/result_text.h"

#include <limits>
#include <string>

namespace tavora {

// A figure and how far it can be trusted: how far other models move it.
struct Uncertain {
    double value = 0;
    double error = std::numeric_limits<double>::quiet_NaN(); // NaN: not known

    // The decimals the error allows: down to its first significant digit, or
    // its first two when that digit is a 1 (±1.2, not ±1); never more than
    // `most`, which also serves when the error is not known or is zero.
    int Decimals(int most) const;
    // The one text of a figure: its value to the digits the error allows and
    // the error ("17.27 dBi ±0.03"); the value alone, to `most` decimals, when
    // the error is not known; a dash where there is no value (NaN, infinity).
    FigureRow Row(std::string label, std::string unit, int most, char decimalSep = '.') const;
    std::string Text(int most, char decimalSep = '.') const;
    std::string ErrorText(int most, char decimalSep = '.') const;
    // The error alone ("0.03"); one smaller than the last digit shown is
    // "<0.01", never "0.00".
    std::string ErrorFigure(int most, char decimalSep = '.') const;
};

} // namespace tavora
