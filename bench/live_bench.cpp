// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine_bench.h"

#include "simulation/live.h"

#include <benchmark/benchmark.h>

using namespace tavora;
using namespace tavora::bench;

namespace {

// One update of the figures that follow typing, range(0) directors at
// 144.1 MHz with the band's sizes: the entry designed and modelled as the
// panel does it, then solved without bars; and, apart, the bars that follow
// once typing stops. CPU of both processes: the target is CPU, not the wall.
void BM_LiveUpdate(benchmark::State& state)
{
    DesignEntry e = FormDefaults();
    e.Frequency = "144.1";
    ApplyBandDefaults(e);
    e.Directors = std::to_string(state.range(0));
    const DesignState design = Design(static_cast<int>(state.range(0)), "144.1");
    double figures = 0, bars = 0;
    for (auto _ : state) {
        const double start = CpuSeconds(RUSAGE_SELF) + EngineCpuSeconds();
        const NecModel model = LiveModel(e, design, Feed::SingleDipole);
        SimulationResult r = Run(model, LiveSettings(), {});
        const double between = CpuSeconds(RUSAGE_SELF) + EngineCpuSeconds();
        AddBars(r, model, LiveSettings(), {});
        benchmark::DoNotOptimize(r);
        figures += between - start;
        bars += CpuSeconds(RUSAGE_SELF) + EngineCpuSeconds() - between;
    }
    const auto perRun = [](double seconds) {
        return benchmark::Counter(seconds * 1000, benchmark::Counter::kAvgIterations);
    };
    state.counters["update_cpu_ms"] = perRun(figures);
    state.counters["bars_cpu_ms"] = perRun(bars);
}
BENCHMARK(BM_LiveUpdate)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
