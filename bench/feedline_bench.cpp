// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedline/impedance.h"

#include <benchmark/benchmark.h>

namespace {

// The longest search: the cross-section step over the whole round-rod range
// (11 500 evaluations of the fit) before "Out of range".
void RodSearchOutOfRange(benchmark::State& run)
{
    for (auto _ : run) {
        long double x = 0;
        benchmark::DoNotOptimize(tavora::FindRodRatio(tavora::RodSection::Round,
                                                      tavora::RodUnknown::CrossSection, 200, x));
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(RodSearchOutOfRange);

} // namespace
