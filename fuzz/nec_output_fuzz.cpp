// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the NEC-2 output reader as nec2c's outputs of one
// run (split at 0x01 bytes: the pattern run, then the sweep pieces), and on
// to every figure, table and plot scale the program derives from them. Only
// crashes, hangs and undefined behaviour count; an Error is the expected way
// to refuse an output.
#include "nec/output.h"
#include "simulation/plot_scale.h"
#include "simulation/simulation.h"
#include "state/errors.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace tavora;

// The sweep plot's axes as the window scales them.
void Axis(double lo, double hi)
{
    const std::vector<double> ticks = AxisTicks(lo, hi, 5);
    const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1;
    for (double t : ticks)
        (void)TickLabel(t, step, ',');
}

void Plots(const SimulationResult& r)
{
    for (double level : PolarRings())
        (void)PolarRadius(r.gainDbi + level, r.gainDbi), (void)RingLabel(level, ',');
    for (const PatternCut* cut : {&r.ePlane, &r.hPlane})
        for (double gain : *cut)
            (void)PolarRadius(gain, r.gainDbi);
    (void)PolarScaleCaption(r.gainDbi, ',');
    (void)SwrCaption(r.z0, ',');
    if (r.sweep.empty())
        return;
    std::vector<double> swr, gain;
    for (const SweepRow& s : r.sweep)
        swr.push_back(std::min(s.swr, 10.0)), gain.push_back(s.gainDbi);
    double xlo = r.sweep.front().frequency, xhi = r.sweep.back().frequency;
    if (xhi <= xlo)
        xhi = xlo + 1;
    Axis(xlo, xhi);
    for (const auto* ys : {&swr, &gain}) {
        double ylo = *std::min_element(ys->begin(), ys->end());
        double yhi = *std::max_element(ys->begin(), ys->end());
        if (yhi - ylo < 0.5)
            yhi = ylo + 0.5;
        yhi += (yhi - ylo) * 0.05;
        ylo -= (yhi - ylo) * 0.05;
        Axis(ylo, yhi);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> outputs(1);
    for (char c : bytes) {
        if (c == '\x01')
            outputs.emplace_back();
        else
            outputs.back() += c;
    }
    NecModel model;
    model.feed = size % 2 ? Feed::FoldedDipole : Feed::SingleDipole;
    model.directors = 8;
    model.lastElementPos = 3000;
    try {
        // The model asked for the frequency the output has, so that a mutated
        // output gets past the first check.
        const std::vector<FrequencyOutput> blocks = ParseNecOutput(outputs.front());
        model.frequency = blocks.empty() ? 144 : blocks.front().frequency;
        const SimulationResult r =
            ResultFromSolutions(model, SimulationSettings{}, SolutionsFromOutputs(model, outputs));
        (void)ResultLines(SimulationText(r, ','));
        (void)SimulationCsv(r);
        (void)StackingFromResult(r);
        Plots(r);
    } catch (const Error&) {
    }
    return 0;
}
