// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine_bench.h"

#include "simulation/tolerance.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

using namespace tavora;
using namespace tavora::bench;

namespace {

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
        benchmark::DoNotOptimize(Run(model, ToleranceSettings{.builds = 100}, {}));
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
