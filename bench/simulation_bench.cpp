#include "design/entry.h"
#include "design/report.h"
#include "simulation/simulation.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace tavora;

namespace {

// CPU seconds the engine processes used so far: on a shared machine the wall
// time says more about the neighbours than about the engine.
double ChildCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void CountEngineCpu(benchmark::State& state, double before)
{
    state.counters["engine_cpu_ms"] =
        benchmark::Counter((ChildCpuSeconds() - before) * 1000, benchmark::Counter::kAvgIterations);
}

NecModel Model(int elements)
{
    DesignEntry e = FormDefaults();
    e.Directors = std::to_string(elements - 2);
    DesignState s;
    YagiDoCalculate(e, s);
    std::string report;
    Yagidimensions(s, report);
    return ModelFromDesign(s, Feed::SingleDipole);
}

// Deck, one nec2c run at the design frequency with both pattern cuts, and the
// figures read back. The time is the engine's, so wall-clock time counts.
void BM_OneFrequency(benchmark::State& state)
{
    const NecModel model = Model(static_cast<int>(state.range(0)));
    SimulationSettings settings;
    const double before = ChildCpuSeconds();
    for (auto _ : state) {
        const auto outputs = RunDecks({NecDeck(model, true, {})}, {});
        benchmark::DoNotOptimize(ResultFromBlocks(model, settings, outputs));
    }
    CountEngineCpu(state, before);
}
BENCHMARK(BM_OneFrequency)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 21-point sweep and the pattern cuts, the sweep split over every core.
void BM_Sweep21(benchmark::State& state)
{
    const NecModel model = Model(20);
    const SimulationSettings settings;
    state.counters["processes"] = ProcessCount(settings);
    const double before = ChildCpuSeconds();
    for (auto _ : state)
        benchmark::DoNotOptimize(Simulate(model, settings, {}));
    CountEngineCpu(state, before);
}
BENCHMARK(BM_Sweep21)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
