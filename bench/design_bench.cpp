// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/report.h"
#include "state/design_state.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void EngineAndReport(benchmark::State& run)
{
    tavora::DesignState state;
    state.DesignFreq = 144.1;
    state.DirCount = static_cast<int>(run.range(0));
    state.ElementDiam = 7;
    state.RadiatorDiam = 10;
    state.BoomDiam = 25;
    state.BoomSize = 25;
    state.Mounting = 'Y';
    state.BendDiam = 50;
    state.FeedGap = 15;
    state.VelocityFactor = 0.66;
    state.CoaxName = "RG-213 (PE) ";
    std::string report;
    for (auto _ : run) {
        tavora::Yagidimensions(state, report);
        benchmark::DoNotOptimize(report.data());
    }
}
BENCHMARK(EngineAndReport)->Arg(8)->Arg(100);

} // namespace
