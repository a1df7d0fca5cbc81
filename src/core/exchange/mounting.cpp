// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/mounting.h"

#include "design/dl6wu.h"
#include "physics/physics.h"
#include "state/numbers.h"

#include <array>

namespace tavora {

double BoomCorrection(double designFreq, double boomDiam)
{
    ClearFpFaults();
    const double w = Checked(WaveLength(designFreq));
    return Checked(w * BoomCorrection(boomDiam / w, 'Y'));
}

double MountingShift(int from, int to, double boomCorr)
{
    if (from < 0 || from > 2)
        return 0;
    // Each step towards non-metal takes half the correction off.
    return (from - to) * boomCorr / 2;
}

void DoTheConversion(YoEntryTexts& entries, Mounting to, char decimalSep)
{
    const int from = StrToInt(entries[40]);
    // Director lengths are entries 5, 7, ..., 35; the reflector is entry 39.
    std::array<size_t, 17> index{};
    for (size_t k = 0; k < 16; ++k)
        index[k] = 4 + 2 * k;
    index[16] = 38;
    std::array<double, 17> values{};
    for (size_t i = 0; i < index.size(); ++i)
        values[i] = StrToFloat(entries[index[i]], decimalSep);

    const double c =
        BoomCorrection(StrToFloat(entries[36], decimalSep), StrToFloat(entries[37], decimalSep));
    const double shift = MountingShift(from, static_cast<int>(to), c);
    for (size_t i = 0; i < index.size(); ++i) {
        double v = values[i];
        if (v > 0 && shift != 0)
            v = static_cast<double>(RoundHalfEven(Checked(v + shift)));
        entries[index[i]] = GeneralFloatText(v, decimalSep);
    }
    entries[40] = std::to_string(static_cast<int>(to));
}

} // namespace tavora
