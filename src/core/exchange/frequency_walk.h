// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavora {

// The frequency searches walk down from their start value by repeated
// subtraction: f, f - 0.001, f - 0.001 - 0.001, ... Those are not the doubles
// f - k x 0.001, but inside one binary exponent range [2^(e-1), 2^e) the
// doubles are the multiples of one ulp and every subtraction removes the same
// round(0.001 / ulp) ulps, so a whole run of steps has a closed form.
inline constexpr double kWalkStep = 0.001;
// How many steps a search takes at most before it gives up.
inline constexpr long kMaxSearchSteps = 10'000'000;

// A stretch of the walk: after j of its steps (1 <= j <= count) the frequency
// is At(j), the very double the subtractions give.
struct WalkRun {
    double start;
    double step;
    long count;
    double At(long j) const { return start - static_cast<double>(j) * step; }
};

// The run that begins at f. A step that may leave the exponent range is a run
// of its own, and so is every step where 0.001 is a whole number of ulps and a
// half (the tie rounds to even, which depends on f) or less than half an ulp.
// Runs are at most kMaxSearchSteps long.
WalkRun NextWalkRun(double f);

} // namespace tavora
