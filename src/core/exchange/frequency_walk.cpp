// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/frequency_walk.h"

#include <algorithm>
#include <cmath>

namespace tavora {

WalkRun NextWalkRun(double f)
{
    const double next = f - kWalkStep;
    if (next <= 0)
        return {next, 0, 1};
    int e = 0;
    std::frexp(f, &e);
    const double ulp = std::ldexp(1.0, e - 53);
    const double q = kWalkStep / ulp; // exact: a power-of-two scaling
    const double units = std::round(q);
    if (q - std::floor(q) == 0.5 || units == 0)
        return {next, 0, 1};
    // A step from v (in ulps) stays in the range while v - q >= 2^52.
    const auto room =
        static_cast<long long>(f / ulp) - (1LL << 52) - static_cast<long long>(std::ceil(q));
    if (room < 0)
        return {next, 0, 1};
    const long long count = room / static_cast<long long>(units) + 1;
    return {f, units * ulp, static_cast<long>(std::min<long long>(count, kMaxSearchSteps))};
}

} // namespace tavora
