// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedline/balun.h"

#include "text/format.h"
#include "state/numbers.h"

namespace tavora {

std::string BalunLengthText(const DesignState& state, char sep)
{
    return FormatFixed(state.BalunLength, 6, 0, sep);
}

std::string BalunLengthLabel(const DesignState& state, char sep)
{
    return BalunLengthText(state, sep) + " mm";
}

const std::string& FixCoaxName(DesignState& state)
{
    if (state.CoaxName == "coax")
        state.CoaxName = "User defined coax";
    return state.CoaxName;
}

std::string BalunPrintTitle(const DesignState& state, char sep)
{
    return "Balun for " + GeneralFloatText(state.DesignFreq, sep) + " MHz using " +
           BalunLengthText(state, sep) + " mm loop of " + state.CoaxName;
}

BalunSheetLayout BalunSheetGeometry(long long pageWidth, const DesignState& state, char sep)
{
    const long long q = pageWidth / 4;
    const double qd = static_cast<double>(q);
    return {q,
            {q, RoundHalfEven(0.8 * qd)},
            {q, q},
            {3 * q, 2 * q},
            {2 * q, RoundHalfEven(1.3 * qd)},
            BalunLengthText(state, sep) + "mm"};
}

} // namespace tavora
