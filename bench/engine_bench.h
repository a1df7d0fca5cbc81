// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the simulation benchmarks share: a design's model and the engines' CPU
// time.

#include "design/entry.h"
#include "design/report.h"
#include "nec/model_builder.h"
#include "simulation/simulation.h"

#include <benchmark/benchmark.h>

#include <string>

#include <sys/resource.h>

namespace tavora::bench {

// The form's design with `directors`, at `frequency` with its band's
// defaults when one is given.
inline DesignState Design(int directors, const std::string& frequency = {})
{
    DesignEntry e = FormDefaults();
    if (!frequency.empty()) {
        e.Frequency = frequency;
        ApplyBandDefaults(e);
    }
    e.Directors = std::to_string(directors);
    return DesignFromEntry(e, DesignState{});
}

inline NecModel Model(int directors, const std::string& frequency = {},
                      Feed feed = Feed::SingleDipole)
{
    return ModelFromDesign(Design(directors, frequency), feed);
}

// CPU seconds so far of the engines (RUSAGE_CHILDREN) or of this process
// (RUSAGE_SELF): on a shared machine the wall time says more about the
// neighbours than about the run.
inline double CpuSeconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

inline double EngineCpuSeconds()
{
    return CpuSeconds(RUSAGE_CHILDREN);
}

// Counts, as `counter` per iteration, the CPU time of `who` from its making
// to the end of its scope.
struct CpuCounter {
    benchmark::State& state;
    const char* counter;
    int who;
    double before = CpuSeconds(who);
    ~CpuCounter()
    {
        state.counters[counter] = benchmark::Counter((CpuSeconds(who) - before) * 1000,
                                                     benchmark::Counter::kAvgIterations);
    }
};

// The engines' CPU time as "engine_cpu_ms".
struct EngineCpu : CpuCounter {
    explicit EngineCpu(benchmark::State& s) : CpuCounter{s, "engine_cpu_ms", RUSAGE_CHILDREN} {}
};

} // namespace tavora::bench
