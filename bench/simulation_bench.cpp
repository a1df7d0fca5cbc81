#include "design/entry.h"
#include "design/report.h"
#include "simulation/segmentation.h"
#include "simulation/simulation.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

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

NecModel Model(int directors)
{
    DesignEntry e = FormDefaults();
    e.Directors = std::to_string(directors);
    DesignState s;
    YagiDoCalculate(e, s);
    std::string report;
    Yagidimensions(s, report);
    return ModelFromDesign(s, Feed::SingleDipole);
}

// The model as decks were written before the guidelines' segmentation: about
// 21 segments per half wave on every element, an odd count, standard kernel.
NecModel OldModel(const NecModel& model)
{
    NecModel old = model;
    old.extendedKernel = false;
    const double perSegment = 299.792 / model.frequency / (2.0 * kSegmentsPerHalfWave);
    for (NecWire& w : old.wires) {
        const double length = std::hypot(w.x2 - w.x1, w.y2 - w.y1, w.z2 - w.z1);
        w.segments =
            static_cast<int>(2 * std::max(std::lround((length / perSegment - 1) / 2), 0L) + 1);
    }
    old.feedSegment = (old.wires[1].segments + 1) / 2;
    return old;
}

// The old run: the pattern deck, and the sweep (or the one frequency) again
// in a deck of its own, split over every core.
std::vector<std::string> OldDecks(const NecModel& model, int points)
{
    const NecModel old = OldModel(model);
    std::vector<std::string> decks{NecDeck(old, true, {})};
    const Sweep sweep = SweepAround(old.frequency, 2, points);
    for (const Sweep& piece : SplitSweep(sweep, ProcessCount({})))
        decks.push_back(NecDeck(old, false, {piece}));
    return decks;
}

void Run(benchmark::State& state, const std::vector<std::string>& decks)
{
    const double before = ChildCpuSeconds();
    for (auto _ : state)
        benchmark::DoNotOptimize(RunDecks(decks, {}));
    CountEngineCpu(state, before);
}

SimulationSettings Points(int points)
{
    SimulationSettings settings;
    settings.points = points;
    return settings;
}

// One frequency, the old way and today's (without the finer solve, which
// runs beside it on the other core), at range(0) directors.
void BM_OneFrequencyOld(benchmark::State& state)
{
    Run(state, OldDecks(Model(static_cast<int>(state.range(0))), 1));
}
void BM_OneFrequency(benchmark::State& state)
{
    const NecModel model = Model(static_cast<int>(state.range(0)));
    Run(state, SimulationDecks(model, Points(1), ProcessCount({})));
}
// The finer solve that gives the figures their uncertainty, on its own.
void BM_FinerSolve(benchmark::State& state)
{
    Run(state, {NecDeck(Refined(Model(static_cast<int>(state.range(0)))), true, {})});
}
// The default 21-point sweep and the pattern cuts, split over every core.
void BM_Sweep21Old(benchmark::State& state)
{
    Run(state, OldDecks(Model(static_cast<int>(state.range(0))), 21));
}
void BM_Sweep21(benchmark::State& state)
{
    const NecModel model = Model(static_cast<int>(state.range(0)));
    Run(state, SimulationDecks(model, Points(21), ProcessCount({})));
}

// Side by side, so the ratios hold on a busy machine; 100 directors take
// minutes (run them with --benchmark_filter).
BENCHMARK(BM_OneFrequencyOld)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_OneFrequency)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FinerSolve)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Sweep21Old)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Sweep21)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
