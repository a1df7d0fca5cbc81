#include "design/entry.h"
#include "design/report.h"
#include "simulation/simulation.h"
#include "simulation/tolerance.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include <sys/resource.h>

using namespace tavora;

namespace {

// The engines' CPU seconds so far: on a shared machine the wall time says
// more about the neighbours than about the run.
double EngineCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct EngineCpu {
    benchmark::State& state;
    double before = EngineCpuSeconds();
    ~EngineCpu()
    {
        state.counters["engine_cpu_ms"] = benchmark::Counter((EngineCpuSeconds() - before) * 1000,
                                                             benchmark::Counter::kAvgIterations);
    }
};

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

// One solve at the design frequency, as a tolerance run writes it, against one
// random build: the errors drawn, the model moved and cut again, then solved.
void BM_ToleranceOneSolve(benchmark::State& state)
{
    const NecModel model = Model(static_cast<int>(state.range(0)));
    const EngineCpu cpu{state};
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveModels({model}, 50, 1, {}));
}
void BM_ToleranceOneBuild(benchmark::State& state)
{
    const NecModel model = Model(static_cast<int>(state.range(0)));
    const EngineCpu cpu{state};
    const int n = ElementCount(model);
    std::mt19937_64 engine(1);
    for (auto _ : state) {
        const auto length = RandomErrors(engine, n, 6, ErrorDistribution::Uniform);
        const auto position = RandomErrors(engine, n, 1, ErrorDistribution::Uniform);
        benchmark::DoNotOptimize(SolveModels({Perturbed(model, length, position)}, 50, 1, {}));
    }
}

// 100 random builds over every core, then the whole run those builds come
// with (sensitivity and systematic errors add two decks per element and two).
void BM_ToleranceHundredBuilds(benchmark::State& state)
{
    const NecModel model = Model(static_cast<int>(state.range(0)));
    const EngineCpu cpu{state};
    const int n = ElementCount(model);
    for (auto _ : state) {
        std::mt19937_64 engine(1);
        std::vector<NecModel> models;
        for (int b = 0; b < 100; ++b) {
            const auto length = RandomErrors(engine, n, 6, ErrorDistribution::Uniform);
            const auto position = RandomErrors(engine, n, 1, ErrorDistribution::Uniform);
            models.push_back(Perturbed(model, length, position));
        }
        benchmark::DoNotOptimize(SolveModels(models, 50, ProcessCount({}), {}));
    }
}
void BM_ToleranceWholeRun(benchmark::State& state)
{
    const NecModel model = Model(static_cast<int>(state.range(0)));
    const EngineCpu cpu{state};
    for (auto _ : state)
        benchmark::DoNotOptimize(SimulateTolerance(model, {.builds = 100}, {}));
}

BENCHMARK(BM_ToleranceOneSolve)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ToleranceOneBuild)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ToleranceHundredBuilds)
    ->Arg(20)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ToleranceWholeRun)
    ->Arg(20)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
