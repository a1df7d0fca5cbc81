// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine_bench.h"

#include "nec/deck.h"
#include "nec/output.h"
#include "nec/segmentation.h"
#include "physics/physics.h"
#include "simulation/array.h"
#include "simulation/director_scan.h"
#include "simulation/simulation.h"
#include "simulation/tune.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <string>

using namespace tavora;
using namespace tavora::bench;

namespace {

// The model as decks were written before the guidelines' segmentation and
// the mirror plane: about 21 segments per half wave on every element, an odd
// count, the feed on the middle one, standard kernel, every wire written.
NecModel OldModel(const NecModel& model)
{
    NecModel old = model;
    old.extendedKernel = false;
    const double perSegment = WaveLength(model.frequency) / 1000 / (2.0 * kSegmentsPerHalfWave);
    for (NecWire& w : old.wires) {
        const double length = std::hypot(w.x2 - w.x1, w.y2 - w.y1, w.z2 - w.z1);
        w.segments =
            static_cast<int>(2 * std::max(std::lround((length / perSegment - 1) / 2), 0L) + 1);
    }
    old.sources[0] = {old.sources[0].tag, (old.wires[1].segments + 1) / 2};
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

// Today's decks of a simulation's jobs.
std::vector<std::string> Decks(const std::vector<NecJob>& jobs)
{
    std::vector<std::string> decks;
    for (const NecJob& job : jobs)
        decks.push_back(JobDeck(job));
    return decks;
}

void Run(benchmark::State& state, const std::vector<std::string>& decks)
{
    const EngineCpu cpu{state};
    for (auto _ : state)
        benchmark::DoNotOptimize(RunDecks(decks, {}));
}

SimulationSettings Points(int points)
{
    SimulationSettings settings;
    settings.points = points;
    return settings;
}

// One frequency, the old way and today's (without the error bars' models,
// which run beside it), at range(0) directors.
void BM_OneFrequencyOld(benchmark::State& state)
{
    Run(state, OldDecks(Model(static_cast<int>(state.range(0))), 1));
}
void BM_OneFrequency(benchmark::State& state)
{
    const NecModel model = Model(static_cast<int>(state.range(0)));
    Run(state, Decks(SimulationJobs(model, Points(1), ProcessCount({}))));
}
// The models the error bars come from, on their own.
void BM_BarModels(benchmark::State& state)
{
    std::vector<NecJob> jobs;
    for (const NecModel& m : BarModels(Model(static_cast<int>(state.range(0)))))
        jobs.push_back({m, jobs.empty(), jobs.empty() ? std::vector<Sweep>{}
                                                      : std::vector<Sweep>{{m.frequency, 0, 1}}});
    Run(state, Decks(jobs));
}
// The default 21-point sweep and the pattern cuts, split over every core.
void BM_Sweep21Old(benchmark::State& state)
{
    Run(state, OldDecks(Model(static_cast<int>(state.range(0))), 21));
}
void BM_Sweep21(benchmark::State& state)
{
    const NecModel model = Model(static_cast<int>(state.range(0)));
    Run(state, Decks(SimulationJobs(model, Points(21), ProcessCount({}))));
}

// A whole run as the user starts it, error bars included, against plain nec2c
// on the whole deck of the same antenna (every wire written, no mirror plane)
// with the same frequencies and cuts, run by run: range(0) directors,
// range(1) points. The engines' CPU time of every solve is counted.
void BM_AgainstPlainNec2c(benchmark::State& state)
{
    const NecModel model = Model(static_cast<int>(state.range(0)));
    const SimulationSettings settings = Points(static_cast<int>(state.range(1)));
    std::vector<Sweep> sweep;
    if (settings.points > 1)
        sweep = {SweepAround(model.frequency, settings.sweepPercent, settings.points)};
    const std::string whole = NecDeck(model, true, sweep);
    double ours = 0, plain = 0;
    for (auto _ : state) {
        const double start = EngineCpuSeconds();
        benchmark::DoNotOptimize(tavora::Run(model, settings, {}));
        const double between = EngineCpuSeconds();
        benchmark::DoNotOptimize(RunDecks({whole}, {}));
        ours += between - start;
        plain += EngineCpuSeconds() - between;
    }
    const auto perRun = [&state](double seconds) {
        return benchmark::Counter(seconds * 1000, benchmark::Counter::kAvgIterations);
    };
    state.counters["ours_cpu_ms"] = perRun(ours);
    state.counters["nec2c_cpu_ms"] = perRun(plain);
    state.counters["ratio"] = ours / plain;
}
BENCHMARK(BM_AgainstPlainNec2c)
    ->ArgsProduct({{10, 20, 40, 100}, {1}})
    ->Args({20, 21})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// How far today's model (the mirror plane, even counts, the driven element
// twice as fine, the feed the two segments at the plane) is from the same
// model with odd counts and the feed on one middle segment, as it was cut
// before the mirror plane, both refined range(2) / 10 times: 10 directors at
// range(0) MHz, the single (range(1) 0) or folded dipole.
void BM_AgainstOddCounts(benchmark::State& state)
{
    const NecModel model = Model(10, std::to_string(state.range(0)),
                                 state.range(1) ? Feed::FoldedDipole : Feed::SingleDipole);
    const double factor = static_cast<double>(state.range(2)) / 10;
    const NecModel today =
        factor == 1 ? model : Recut(model, factor, FeedSegment(model)).value();
    NecModel old = model;
    for (NecWire& w : old.wires) {
        const double n = w.segments * factor / (w.element == 1 && !w.bend ? 2 : 1);
        w.segments = w.bend ? static_cast<int>(std::lround(n))
                            : 2 * static_cast<int>(std::lround((n - 1) / 2)) + 1;
    }
    old.sources[0] = {old.sources[0].tag, (old.wires[1].segments + 1) / 2};
    std::vector<std::vector<FrequencyOutput>> out;
    for (auto _ : state)
        out = RunDecks({NecDeck(old, true, {}), NecDeck(today, true, {}, DeckForm::Mirrored)}, {});
    const FrequencyOutput& before = out.at(0).at(0);
    const FrequencyOutput& now = out.at(1).at(0);
    const std::complex<double> z = before.impedance;
    const std::complex<double> zs = SourceImpedances(today, now.impedances).at(0);
    state.counters["odd_R"] = z.real();
    state.counters["odd_X"] = z.imag();
    state.counters["dGain_dB"] = GainAt(now.pattern, 90, 0) - GainAt(before.pattern, 90, 0);
    state.counters["dR_pct"] = 100 * (zs.real() / z.real() - 1);
    state.counters["dX_ohm"] = zs.imag() - z.imag();
}

// Side by side, so the ratios hold on a busy machine; 100 directors take
// minutes (run them with --benchmark_filter). Wall time, with the engine's
// CPU time as a counter.
void OneFrequencySizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10)->Arg(20)->Arg(40)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
}
void SweepSizes(benchmark::internal::Benchmark* b)
{
    b->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_OneFrequencyOld)->Apply(OneFrequencySizes);
BENCHMARK(BM_OneFrequency)->Apply(OneFrequencySizes);
BENCHMARK(BM_BarModels)->Apply(OneFrequencySizes);
BENCHMARK(BM_Sweep21Old)->Apply(SweepSizes);
BENCHMARK(BM_Sweep21)->Apply(SweepSizes);
BENCHMARK(BM_AgainstOddCounts)
    ->ArgsProduct({{144, 432, 1296}, {0, 1}, {10, 15, 20, 40}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The search for the driven element's resonant length of a range(0)-director
// design at 432 MHz, range(1) 0 single, 1 folded dipole, and the same search
// with the feed twice as wide that measures the length's uncertainty: the
// solves each takes and the engine's CPU time for all of them.
void BM_TuneSearch(benchmark::State& state)
{
    const DesignState s = Design(static_cast<int>(state.range(0)), "432");
    const TuneSubject subject =
        TuneSubjectOf(s, state.range(1) ? Feed::FoldedDipole : Feed::SingleDipole);
    TuneSubject wide = subject;
    wide.variant = TuneFeed::Widened;
    const EngineCpu cpu{state};
    size_t solves = 0, wideSolves = 0;
    for (auto _ : state) {
        solves = SearchResonance(subject, {}).size();
        wideSolves = SearchResonance(wide, {}).size();
    }
    state.counters["solves"] = static_cast<double>(solves);
    state.counters["wide_solves"] = static_cast<double>(wideSolves);
}
BENCHMARK(BM_TuneSearch)->ArgsProduct({{20}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
// Two 20-director Yagis stacked vertically, swept over 11 spacings (with the
// single Yagi, the spacing asked for and the rule's): CPU time of the whole.
void BM_ArraySweep(benchmark::State& state)
{
    const NecModel model = Model(20, "432");
    ArraySettings settings;
    settings.sweepPoints = 11;
    const EngineCpu cpu{state};
    for (auto _ : state)
        benchmark::DoNotOptimize(Run(model, settings, {}));
}
BENCHMARK(BM_ArraySweep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The 144.1 MHz design with its band's sizes scanned over 5 to 40 directors:
// the engines' CPU time and our own (the designs, decks and reading).
void BM_DirectorScan(benchmark::State& state)
{
    const ScanDesign design{Design(10, "144.1"), '.'};
    DirectorScanSettings settings;
    settings.from = 5;
    settings.to = 40;
    const EngineCpu engines{state};
    const CpuCounter own{state, "own_cpu_ms", RUSAGE_SELF};
    for (auto _ : state)
        benchmark::DoNotOptimize(Run(design, settings, {}));
}
BENCHMARK(BM_DirectorScan)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
