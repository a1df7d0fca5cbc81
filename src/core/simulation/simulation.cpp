#include "simulation/simulation.h"

#include "arrays/gain.h"
#include "arrays/stacking.h"
#include "design/format.h"
#include "state/errors.h"
#include "state/refusals.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

namespace tavora {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

double ReferenceImpedance(Feed feed, double z0)
{
    if (z0 > 0)
        return z0;
    return feed == Feed::SingleDipole ? 50 : 200;
}

void RefuseSimulation(const NecModel& model, const SimulationSettings& settings, char sep)
{
    RefuseOutside(model.frequency, kFrequencyRange, kModelFrequencyBox, sep);
    RefuseNegative(settings.z0, kReferenceBox);
    if (settings.z0 != 0 && !(settings.z0 >= kReferenceImpedanceRange.low &&
                              settings.z0 <= kReferenceImpedanceRange.high))
        throw BoxRefusal(kReferenceBox, std::string(kReferenceBox) + " must be 0, or from " +
                                            RangeText(kReferenceImpedanceRange, sep));
}

int ProcessCount(const SimulationSettings& settings)
{
    if (settings.processes > 0)
        return settings.processes;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

std::vector<std::string> SimulationDecks(const NecModel& model, const SimulationSettings& settings,
                                         int pieces)
{
    std::vector<std::string> decks{NecDeck(model, true, {})};
    const Sweep sweep = SweepAround(model.frequency, settings.sweepPercent, settings.points);
    for (const Sweep& piece : SplitSweep(sweep, pieces))
        decks.push_back(NecDeck(model, false, {piece}));
    return decks;
}

namespace {

const FrequencyOutput& Single(const std::vector<FrequencyOutput>& blocks)
{
    if (blocks.empty())
        throw Error("nec2c output holds no frequency");
    return blocks.front();
}

// nec2c prints frequencies to five digits (141.22 for 141.218): the frequency
// asked for that the print stands for, or the print when none is that close.
double Asked(double printed, const Sweep& sweep)
{
    for (int i = 0; i < sweep.points; ++i)
        if (std::abs(sweep.At(i) - printed) <= 5e-5 * std::abs(printed))
            return sweep.At(i);
    return printed;
}

} // namespace

SimulationResult ResultFromOutputs(const NecModel& model, const SimulationSettings& settings,
                                   const std::vector<std::string>& outputs)
{
    if (outputs.empty())
        throw Error("nec2c output holds no frequency");
    SimulationResult r;
    r.notes = model.notes;
    r.z0 = ReferenceImpedance(model.feed, settings.z0);
    const auto patternBlocks = ParseNecOutput(outputs.front());
    const FrequencyOutput& f = Single(patternBlocks);
    r.frequency = Asked(f.frequency, {model.frequency, 0, 1});
    r.impedance = f.impedance;
    r.swr = Swr(f.impedance, r.z0);
    r.efficiency = f.efficiency;
    r.ePlane = EPlaneCut(f.pattern);
    r.hPlane = HPlaneCut(f.pattern);
    if (std::isnan(r.ePlane[0]) || std::isnan(r.hPlane[0]))
        throw Error("nec2c output holds no pattern cut");
    r.gainDbi = r.ePlane[0];
    r.frontToBack = r.ePlane[0] - r.ePlane[180];
    r.frontToRear = r.ePlane[0] - RearMaximum(r.ePlane, r.hPlane);
    r.beamwidthE = Beamwidth(r.ePlane);
    r.beamwidthH = Beamwidth(r.hPlane);
    r.sideLobeE = FirstSideLobe(r.ePlane);
    r.sideLobeH = FirstSideLobe(r.hPlane);

    // Every block after the pattern block is a sweep point, whether the sweep
    // ran in pieces or in the same deck (as the exported deck has it).
    const Sweep asked = SweepAround(model.frequency, settings.sweepPercent, settings.points);
    auto addSweep = [&](const FrequencyOutput& s) {
        const double forward = GainAt(s.pattern, 90, 0);
        r.sweep.push_back({Asked(s.frequency, asked), s.impedance, Swr(s.impedance, r.z0), forward,
                           forward - GainAt(s.pattern, 90, 180)});
    };
    std::for_each(patternBlocks.begin() + 1, patternBlocks.end(), addSweep);
    for (size_t k = 1; k < outputs.size(); ++k)
        for (const FrequencyOutput& s : ParseNecOutput(outputs[k]))
            addSweep(s);
    std::stable_sort(r.sweep.begin(), r.sweep.end(), [](const SweepRow& a, const SweepRow& b) {
        return a.frequency < b.frequency;
    });

    const double lambda = 299792 / model.frequency;
    r.estimateGainDbd = model.directors > 0 ? GainVK3AUU(model.lastElementPos, lambda) : kNaN;
    r.estimateBeamwidth = model.directors > 0 ? BeamwidthFromGain(r.estimateGainDbd) : kNaN;
    return r;
}

SimulationResult Simulate(const NecModel& model, const SimulationSettings& settings,
                          const RunControl& control)
{
    RefuseSimulation(model, settings);
    const auto decks = SimulationDecks(model, settings, ProcessCount(settings));
    return ResultFromOutputs(model, settings, RunDecks(decks, control));
}

SimulatedStacking StackingFromResult(const SimulationResult& r)
{
    const double lambda = 300000 / r.frequency;
    return {StackingDistance(lambda, r.beamwidthH), StackingDistance(lambda, r.beamwidthE)};
}

namespace {

// A figure, or "-" where the engine gave none (an SWR beyond measure, no side lobe).
std::string Num(double x, int p, int n, char sep)
{
    return std::isfinite(x) ? FormatFixed(x, p, n, sep) : std::string("-");
}

std::string Reactance(double x, char sep)
{
    return (x < 0 ? " - j" : " + j") + Num(std::abs(x), 6, 1, sep);
}

} // namespace

std::vector<std::string> SimulationFigureLines(const SimulationResult& r, char sep)
{
    auto F = [sep](double x, int p, int n) { return Num(x, p, n, sep); };
    std::vector<std::string> lines{
        "Simulated with nec2c (NEC-2) in free space, aluminium elements"};
    lines.insert(lines.end(), r.notes.begin(), r.notes.end());
    const SimulatedStacking stack = StackingFromResult(r);
    const std::vector<std::string> figures{
        "Frequency:\t" + F(r.frequency, 7, 3) + " MHz",
        "Feed impedance:\t" + F(r.impedance.real(), 6, 1) + Reactance(r.impedance.imag(), sep) +
            " ohm",
        "SWR (" + F(r.z0, 6, 0) + " ohm):\t" + F(r.swr, 5, 2),
        "Forward gain:\t" + F(r.gainDbi, 5, 2) + " dBi\t" + F(r.GainDbd(), 5, 2) +
            " dBd\tDL6WU estimate " + F(r.estimateGainDbd, 5, 1) + " dBd",
        "F/B (180 deg):\t" + F(r.frontToBack, 5, 1) + " dB",
        "F/R (rear half):\t" + F(r.frontToRear, 5, 1) + " dB",
        "E plane beamwidth:\t" + F(r.beamwidthE, 5, 1) + " deg\t\tDL6WU estimate " +
            F(r.estimateBeamwidth, 5, 1) + " deg",
        "H plane beamwidth:\t" + F(r.beamwidthH, 5, 1) + " deg",
        "E plane first side lobe:\t" + F(r.sideLobeE, 5, 1) + " dB",
        "H plane first side lobe:\t" + F(r.sideLobeH, 5, 1) + " dB",
        "Efficiency:\t" + F(r.efficiency, 5, 1) + " %",
        "Vertical stacking (H plane):\t" + F(stack.vertical, 5, 0) + " mm",
        "Horizontal stacking (E plane):\t" + F(stack.horizontal, 5, 0) + " mm",
    };
    lines.insert(lines.end(), figures.begin(), figures.end());
    return lines;
}

std::vector<std::string> SweepTableLines(const SimulationResult& r, char sep)
{
    auto F = [sep](double x, int p, int n) { return Num(x, p, n, sep); };
    std::vector<std::string> lines{"MHz\tR (ohm)\tX (ohm)\tSWR\tGain (dBi)\tF/B (dB)"};
    for (const SweepRow& s : r.sweep)
        lines.push_back(F(s.frequency, 7, 3) + "\t" + F(s.impedance.real(), 6, 1) + "\t" +
                        F(s.impedance.imag(), 6, 1) + "\t" + F(s.swr, 5, 2) + "\t" +
                        F(s.gainDbi, 5, 2) + "\t" + F(s.frontToBack, 5, 1));
    return lines;
}

std::string SimulationCsv(const SimulationResult& r)
{
    auto F = [](double x, int n) { return Num(x, 12, n, '.'); };
    std::string csv = "frequency_mhz,r_ohm,x_ohm,swr,gain_dbi,front_to_back_db\n";
    for (const SweepRow& s : r.sweep)
        csv += F(s.frequency, 4) + "," + F(s.impedance.real(), 2) + "," + F(s.impedance.imag(), 2) +
               "," + F(s.swr, 3) + "," + F(s.gainDbi, 2) + "," + F(s.frontToBack, 2) + "\n";
    csv += "\nangle_deg,e_plane_dbi,h_plane_dbi\n";
    for (size_t a = 0; a < r.ePlane.size(); ++a)
        csv += std::to_string(a) + "," + F(r.ePlane[a], 2) + "," + F(r.hPlane[a], 2) + "\n";
    return csv;
}

} // namespace tavora
