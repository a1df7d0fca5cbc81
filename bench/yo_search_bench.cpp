// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/yo_details.h"

#include <benchmark/benchmark.h>

namespace {

// Lengths near a half wavelength at the given frequency, so each search walks
// its usual distance from its start value down to the answer.
double HalfWave(double mhz) { return 299793 / mhz / 2; }

void DipoleSearchAt(benchmark::State& run)
{
    const double mhz = static_cast<double>(run.range(0));
    const double length = HalfWave(mhz) * 0.94;
    const double diam = 6 * 144 / mhz;
    for (auto _ : run)
        benchmark::DoNotOptimize(tavora::DipoleSearch(length, diam));
    run.counters["MHz"] = benchmark::Counter(*tavora::DipoleSearch(length, diam));
}
BENCHMARK(DipoleSearchAt)->Arg(144)->Arg(432)->Arg(1296)->Arg(2400)->Arg(5760)->Arg(10368)->Unit(benchmark::kMicrosecond);

void ReflectorSearchAt(benchmark::State& run)
{
    const double mhz = static_cast<double>(run.range(0));
    const double length = HalfWave(mhz) * 1.01;
    // The 144 MHz Yagi of the worked values, scaled to the band.
    const double element = 6 * 144 / mhz;
    const double boom = 20 * 144 / mhz;
    const auto search = [&] {
        return tavora::ReflectorSearch(length, element, boom, tavora::Mounting::Insulated);
    };
    for (auto _ : run)
        benchmark::DoNotOptimize(search());
    run.counters["MHz"] = benchmark::Counter(*search());
}
BENCHMARK(ReflectorSearchAt)->Arg(144)->Arg(432)->Arg(1296)->Arg(2400)->Arg(5760)->Arg(10368)->Unit(benchmark::kMicrosecond);

// The longest search the YO details screen can start: a dipole thicker than
// half a wavelength is stepped down as written until the step limit stops it.
// The screen shows a busy cursor for as long as a search runs.
void DipoleSearchToTheStepLimit(benchmark::State& run)
{
    for (auto _ : run)
        benchmark::DoNotOptimize(tavora::DipoleSearch(10, 1000));
    run.counters["found"] = tavora::DipoleSearch(10, 1000).has_value();
}
BENCHMARK(DipoleSearchToTheStepLimit)->Unit(benchmark::kMillisecond);

} // namespace
