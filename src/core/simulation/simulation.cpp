// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/simulation.h"

#include "arrays/gain.h"
#include "arrays/stacking.h"
#include "nec/model_builder.h"
#include "nec/segmentation.h"
#include "state/errors.h"
#include "state/refusals.h"
#include "text/csv.h"
#include "text/format.h"
#include "text/impedance_text.h"
#include "text/uncertain.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

namespace tavora {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A result whose figures are all unknown, for a variant that solves only some.
SimulationResult NotSolved()
{
    SimulationResult r;
    r.gainDbi = r.frontToBack = r.frontToRear = r.efficiency = r.swr = kNaN;
    r.beamwidthE = r.beamwidthH = r.sideLobeE = r.sideLobeH = kNaN;
    r.impedance = {kNaN, kNaN};
    r.ePlane.fill(kNaN);
    r.hPlane.fill(kNaN);
    return r;
}
} // namespace

double ReferenceImpedance(Feed feed, double z0)
{
    if (z0 > 0)
        return z0;
    return feed == Feed::SingleDipole ? 50 : 200;
}

SimulationSettings FiguresOnly(double z0)
{
    SimulationSettings settings;
    settings.points = 1;
    settings.bars = false;
    settings.z0 = z0;
    return settings;
}

void Refuse(const SimulationSettings& settings, const NecModel& model, char sep)
{
    RefuseOutside(model.frequency, kFrequencyRange, kModelFrequencyBox, sep);
    RefuseNegative(settings.z0, kReferenceBox);
    if (settings.z0 != 0 && !(settings.z0 >= kReferenceImpedanceRange.low &&
                              settings.z0 <= kReferenceImpedanceRange.high))
        throw BoxRefusal(kReferenceBox, std::string(kReferenceBox) + " must be 0, or from " +
                                            RangeText(kReferenceImpedanceRange, sep));
}

int RunSize(const SimulationSettings& settings, const NecModel& model)
{
    // An odd sweep's middle point is the pattern's frequency, solved once.
    const int points = std::max(settings.points, 1);
    const int bars = settings.bars ? static_cast<int>(BarModels(model).size()) : 0;
    return 1 + points - points % 2 + bars;
}

int ProcessCount(const SimulationSettings& settings)
{
    if (settings.processes > 0)
        return settings.processes;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

std::vector<NecJob> SimulationJobs(const NecModel& model, const SimulationSettings& settings,
                                   int pieces)
{
    const auto job = [&model](bool patterns, const std::vector<Sweep>& sweeps) {
        return NecJob{model, patterns, sweeps};
    };
    std::vector<NecJob> jobs{job(true, {})};
    const Sweep sweep = SweepAround(model.frequency, settings.sweepPercent, settings.points);
    if (sweep.points % 2 == 0) {
        for (const Sweep& piece : SplitSweep(sweep, pieces))
            jobs.push_back(job(false, {piece}));
        return jobs;
    }
    // An odd sweep's middle point is the design frequency, which the pattern
    // job solves already: the sweep jobs take the points either side.
    const int half = sweep.points / 2;
    if (half == 0)
        return jobs;
    const Sweep below{sweep.from, sweep.step, half}, above{sweep.At(half + 1), sweep.step, half};
    if (pieces <= 1) {
        jobs.push_back(job(false, {below, above}));
        return jobs;
    }
    for (const Sweep& piece : SplitSweep(below, pieces / 2))
        jobs.push_back(job(false, {piece}));
    for (const Sweep& piece : SplitSweep(above, pieces - pieces / 2))
        jobs.push_back(job(false, {piece}));
    return jobs;
}

namespace {

// The sweep's point a solved frequency stands for: the nearest, within the
// five digits nec2c prints (141.22 for 141.218); else the frequency itself.
double Asked(double solved, const Sweep& sweep)
{
    double nearest = solved, distance = 5e-5 * std::abs(solved);
    bool found = false;
    for (int i = 0; i < sweep.points; ++i) {
        const double d = std::abs(sweep.At(i) - solved);
        if (found ? d < distance : d <= distance)
            nearest = sweep.At(i), distance = d, found = true;
    }
    return nearest;
}

} // namespace

SimulationResult ResultFromSolutions(const NecModel& model, const SimulationSettings& settings,
                                     const std::vector<Solution>& solutions)
{
    if (solutions.empty() || solutions.front().frequencies.empty())
        throw Error("nec2c output holds no frequency");
    SimulationResult r;
    r.notes = model.notes;
    r.notes.insert(r.notes.end(), model.rangeNotes.begin(), model.rangeNotes.end());
    r.z0 = ReferenceImpedance(model.feed, settings.z0);
    r.feed = model.feed;
    const Solution& patterns = solutions.front();
    const SolvedFrequency& f = patterns.frequencies.front();
    r.frequency = Asked(f.frequency, {model.frequency, 0, 1});
    r.impedance = f.Feed();
    r.swr = Swr(r.impedance, r.z0);
    r.efficiency = f.efficiency;
    // A sweep piece's output holds a few directions, not the two whole cuts.
    const auto whole = [](const PatternCut& c) {
        return std::none_of(c.begin(), c.end(), [](double g) { return std::isnan(g); });
    };
    if (!patterns.cuts || !whole(patterns.cuts->ePlane) || !whole(patterns.cuts->hPlane))
        throw Error("nec2c output holds no pattern cut");
    r.ePlane = patterns.cuts->ePlane;
    r.hPlane = patterns.cuts->hPlane;
    r.gainDbi = f.forwardGain;
    r.frontToBack = f.forwardGain - f.backwardGain;
    r.frontToRear = f.forwardGain - RearMaximum(r.ePlane, r.hPlane);
    r.beamwidthE = Beamwidth(r.ePlane);
    r.beamwidthH = Beamwidth(r.hPlane);
    r.sideLobeE = FirstSideLobe(r.ePlane);
    r.sideLobeH = FirstSideLobe(r.hPlane);

    // Every frequency after the pattern's is a sweep point, whether the sweep
    // ran in pieces or in the same deck (as the exported deck has it).
    const Sweep asked = SweepAround(model.frequency, settings.sweepPercent, settings.points);
    auto addSweep = [&](const SolvedFrequency& s) {
        const std::complex<double> z = s.Feed();
        r.sweep.push_back({Asked(s.frequency, asked), z, Swr(z, r.z0), s.forwardGain,
                           s.forwardGain - s.backwardGain});
    };
    std::for_each(patterns.frequencies.begin() + 1, patterns.frequencies.end(), addSweep);
    for (size_t k = 1; k < solutions.size(); ++k)
        for (const SolvedFrequency& s : solutions[k].frequencies)
            addSweep(s);
    // The design frequency's row from the pattern job, where the sweep jobs
    // left it to that (an odd sweep run in pieces).
    const bool designInSweep = asked.points % 2 == 1;
    if (designInSweep && std::none_of(r.sweep.begin(), r.sweep.end(), [&](const SweepRow& row) {
            return row.frequency == Asked(f.frequency, asked);
        }))
        addSweep(f);
    std::stable_sort(r.sweep.begin(), r.sweep.end(), [](const SweepRow& a, const SweepRow& b) {
        return a.frequency < b.frequency;
    });

    const double lambda = WaveLength(model.frequency);
    r.estimateGainDbd = model.directors > 0 ? GainVK3AUU(model.lastElementPos, lambda) : kNaN;
    r.estimateBeamwidth = model.directors > 0 ? BeamwidthFromGain(r.estimateGainDbd) : kNaN;
    return r;
}

double BuilderGap(const NecModel& model)
{
    // A model without a gap takes half its own feed, as far as the widened
    // feed is the other side. A pair of fed segments could not be narrower
    // than twice the kernel's limit, wider than many a builder's gap.
    const double radius = [&model] {
        for (const NecWire& w : model.wires)
            if (w.tag == model.sources.front().tag)
                return w.radius;
        return 0.0;
    }();
    const double gap = model.feedGap > 0 ? model.feedGap : FeedSegment(model);
    return std::max(gap, kExtendedKernelRadii * radius);
}

std::vector<NecModel> BarModels(const NecModel& model)
{
    // Outside the range the model's figures are rough and its variants no
    // measure of them: the notes say so instead.
    if (!model.rangeNotes.empty())
        return {};
    const double segment = FeedSegment(model);
    std::vector<NecModel> models;
    if (auto coarse = Recut(model, kCoarserDensity, segment))
        models.push_back(std::move(*coarse));
    else
        return {};
    if (auto gap = WithFedGap(Recounted(model, kCoarserDensity), BuilderGap(model)))
        models.push_back(std::move(*gap));
    if (auto wide = Recut(model, kCoarserDensity, segment * kFeedWidening))
        models.push_back(std::move(*wide));
    if (model.feed == Feed::FoldedDipole)
        if (auto bends = Recut(WithInscribedBends(model), kCoarserDensity, segment))
            models.push_back(std::move(*bends));
    return models;
}

std::vector<std::string> UnsettledNotes(const SimulationResult& r)
{
    constexpr double kSettledGain = 0.05;       // dB
    constexpr double kSettledResistance = 0.03; // of the resistance
    std::vector<std::string> notes;
    if (!r.coarse)
        return notes;
    const double ahead = std::max(0.0, 1 - kSettledRadii / r.segmentRadii);
    const double gain = ahead * std::abs(r.coarse->gainDbi - r.gainDbi);
    const double resistance = ahead * std::abs(r.coarse->impedance.real() - r.impedance.real()) /
                              std::abs(r.impedance.real());
    if (!(gain <= kSettledGain))
        notes.push_back("Finer segments would move the gain about " + FormatFixed(gain, 6, 2) +
                        " dB: gain is rough");
    if (!(resistance <= kSettledResistance))
        notes.push_back("Finer segments would move the feed resistance about " +
                        FormatFixed(100 * resistance, 6, 1) + " %: impedance is rough");
    return notes;
}

namespace {

std::vector<NecJob> BarJobs(const std::vector<NecModel>& bars)
{
    // The first, the model at half its density, is a whole result of its own;
    // the others move the feed and the forward figures only.
    std::vector<NecJob> jobs;
    for (size_t k = 0; k < bars.size(); ++k)
        jobs.push_back({bars[k], k == 0,
                        k == 0 ? std::vector<Sweep>{}
                               : std::vector<Sweep>{{bars[k].frequency, 0, 1}}});
    return jobs;
}

// The bar models' solutions onto the result, and the notes on what finer
// segments would still move.
void AttachBars(SimulationResult& r, const NecModel& model, const SimulationSettings& settings,
                const std::vector<NecModel>& bars, const std::vector<Solution>& variants)
{
    if (!variants.empty()) {
        r.coarse = std::make_shared<const SimulationResult>(
            ResultFromSolutions(bars.front(), settings, {variants.front()}));
        for (size_t k = 1; k < variants.size(); ++k) {
            const SolvedFrequency& f = variants[k].frequencies.at(0);
            SimulationResult& v = r.variants.emplace_back(NotSolved());
            v.impedance = f.Feed();
            v.swr = Swr(v.impedance, r.z0);
            v.gainDbi = f.forwardGain;
            v.frontToBack = f.forwardGain - f.backwardGain;
        }
        r.segmentRadii = TypicalSegmentRadii(model);
        r.bothKernels = StandardKernelHolds(model);
    }
    const auto unsettled = UnsettledNotes(r);
    r.notes.insert(r.notes.end(), unsettled.begin(), unsettled.end());
}

} // namespace

SimulationResult Run(const NecModel& model, const SimulationSettings& settings,
                     const RunControl& control)
{
    Refuse(settings, model);
    auto jobs = SimulationJobs(model, settings, ProcessCount(settings));
    const size_t own = jobs.size();
    const std::vector<NecModel> bars = settings.bars ? BarModels(model) : std::vector<NecModel>{};
    for (NecJob& job : BarJobs(bars))
        jobs.push_back(std::move(job));
    auto solutions = Solve(jobs, control);
    std::vector<Solution> variants(std::make_move_iterator(solutions.begin() + own),
                                   std::make_move_iterator(solutions.end()));
    solutions.resize(own);
    SimulationResult r = ResultFromSolutions(model, settings, solutions);
    AttachBars(r, model, settings, bars, variants);
    return r;
}

void AddBars(SimulationResult& result, const NecModel& model, const SimulationSettings& settings,
             const RunControl& control)
{
    const std::vector<NecModel> bars = BarModels(model);
    const int n = static_cast<int>(bars.size());
    const Batches batches = settings.processes > 0 ? Batches{settings.processes, 0, n} : Batches{};
    AttachBars(result, model, settings, bars,
               bars.empty() ? std::vector<Solution>{} : Solve(BarJobs(bars), control, batches));
}

SimulatedStacking StackingFromResult(const SimulationResult& r)
{
    const double lambda = WaveLength(r.frequency, kLightSpeedRounded);
    // No beamwidth from the engine, no stacking figure ("-").
    const auto distance = [lambda](double beamwidth) {
        return std::isfinite(beamwidth) ? StackingDistance(lambda, beamwidth) : kNaN;
    };
    return {distance(r.beamwidthH), distance(r.beamwidthE)};
}

namespace {

// The figures an error bar is given to: their name in the CSV, where they are
// found, the decimals they print with at most, and two shares of the error
// that no solve of the run measures, from the convergence study: how far two
// equally valid models of the same antenna part (`form`: different counts,
// junctions and feed pieces; `bend` more for a folded dipole, whose bends
// are most of the element in the higher bands), and, where both kernels
// hold, how far they part (`kernel`). Fractions of the figure where
// `relative`.
struct Figure {
    const char* name;
    double (*get)(const SimulationResult&);
    int decimals;
    double form = 0;
    double kernel = 0;
    bool relative = false;
    double bend = 0;
};

const Figure kFigures[] = {
    {"feed_r_ohm", [](const SimulationResult& r) { return r.impedance.real(); }, 1, kFormResistance, 0.01,
     true},
    {"feed_x_ohm", [](const SimulationResult& r) { return r.impedance.imag(); }, 1, kFormReactance,
     0.5},
    {"swr", [](const SimulationResult& r) { return r.swr; }, 2, 0.01, 0.01},
    {"gain_dbi", [](const SimulationResult& r) { return r.gainDbi; }, 2, 0.02, 0.02, false, 0.035},
    {"gain_dbd", [](const SimulationResult& r) { return r.GainDbd(); }, 2, 0.02, 0.02, false, 0.035},
    {"front_to_back_db", [](const SimulationResult& r) { return r.frontToBack; }, 1, 0.1, 0.05},
    {"front_to_rear_db", [](const SimulationResult& r) { return r.frontToRear; }, 1, 0.1, 0.05},
    {"beamwidth_e_deg", [](const SimulationResult& r) { return r.beamwidthE; }, 1},
    {"beamwidth_h_deg", [](const SimulationResult& r) { return r.beamwidthH; }, 1},
    {"side_lobe_e_db", [](const SimulationResult& r) { return r.sideLobeE; }, 1},
    {"side_lobe_h_db", [](const SimulationResult& r) { return r.sideLobeH; }, 1},
    {"efficiency_percent", [](const SimulationResult& r) { return r.efficiency; }, 1},
    {"stacking_vertical_mm",
     [](const SimulationResult& r) { return StackingFromResult(r).vertical; }, 0},
    {"stacking_horizontal_mm",
     [](const SimulationResult& r) { return StackingFromResult(r).horizontal; }, 0},
};

const Figure& Find(std::string_view name)
{
    return *std::find_if(std::begin(kFigures), std::end(kFigures),
                         [name](const Figure& f) { return f.name == name; });
}

// The figure with its uncertainty: how far half the density moves it, how
// far the other models move it from that, and the shares no solve measures,
// all together; none for a model outside the engine's range.
Uncertain Of(const SimulationResult& r, const Figure& f)
{
    const double value = f.get(r);
    if (!r.coarse)
        return {value, kNaN};
    const double reference = f.get(*r.coarse);
    double variants = 0;
    for (const SimulationResult& v : r.variants)
        if (std::isfinite(f.get(v)))
            variants = std::max(variants, std::abs(f.get(v) - reference));
    const double scale = f.relative ? std::abs(value) : 1;
    const double kernel = r.bothKernels ? f.kernel : 0;
    const double bend = r.feed == Feed::FoldedDipole ? f.bend : 0;
    return {value, std::hypot(std::hypot(reference - value, variants),
                              scale * std::hypot(f.form, kernel, bend))};
}

// The figure to the digits its uncertainty allows, its unit, then "±" and the
// change: "17.27 dBi ±0.03".
FigureRow Row(const SimulationResult& r, std::string label, std::string_view name, const char* unit,
              char sep)
{
    const Figure& f = Find(name);
    return Of(r, f).Row(std::move(label), unit, f.decimals, sep);
}

FigureRow ImpedanceRow(const SimulationResult& r, char sep)
{
    const Figure &fr = Find("feed_r_ohm"), &fx = Find("feed_x_ohm");
    const Uncertain R = Of(r, fr), X = Of(r, fx);
    FigureRow row{
        "Feed impedance:",
        ImpedanceText({R.value, X.value}, R.Decimals(fr.decimals), X.Decimals(fx.decimals), sep),
        "ohm",
        "",
        {}};
    if (r.coarse)
        row.uncertainty =
            "(" + R.ErrorText(fr.decimals, sep) + ", " + X.ErrorText(fx.decimals, sep) + ")";
    return row;
}

} // namespace

Uncertain FigureOf(const SimulationResult& r, std::string_view name)
{
    return Of(r, Find(name));
}

ResultText SimulationText(const SimulationResult& r, char sep)
{
    const auto row = [&r, sep](std::string label, std::string_view name, const char* unit) {
        return Row(r, std::move(label), name, unit, sep);
    };
    ResultText text{kSimulatedHeading, {}, {}, {}};
    for (const std::string& note : r.notes)
        text.notes.push_back(WithDecimalSep(note, sep));
    FigureRow gain = row("Forward gain:", "gain_dbi", "dBi");
    gain.beside = {row("", "gain_dbd", "dBd").Text(),
                   "DL6WU estimate " + FigureText(r.estimateGainDbd, 1, sep) + " dBd"};
    FigureRow beamwidthE = row("E plane beamwidth:", "beamwidth_e_deg", "deg");
    beamwidthE.beside = {"", "DL6WU estimate " + FigureText(r.estimateBeamwidth, 1, sep) + " deg"};
    text.figures = {
        {"Frequency:", FigureText(r.frequency, 3, sep), "MHz", "", {}},
        ImpedanceRow(r, sep),
        row("SWR (" + FigureText(r.z0, 0, sep) + " ohm):", "swr", ""),
        gain,
        row("F/B (180 deg):", "front_to_back_db", "dB"),
        row("F/R (rear half):", "front_to_rear_db", "dB"),
        beamwidthE,
        row("H plane beamwidth:", "beamwidth_h_deg", "deg"),
        row("E plane first side lobe:", "side_lobe_e_db", "dB"),
        row("H plane first side lobe:", "side_lobe_h_db", "dB"),
        row("Efficiency:", "efficiency_percent", "%"),
        row("Vertical stacking (H plane):", "stacking_vertical_mm", "mm"),
        row("Horizontal stacking (E plane):", "stacking_horizontal_mm", "mm"),
    };
    TextTable sweep{"", {"MHz", "R (ohm)", "X (ohm)", "SWR", "Gain (dBi)", "F/B (dB)"}, {}, {}};
    const auto F = [sep](double x, int n) { return FigureText(x, n, sep); };
    for (const SweepRow& s : r.sweep)
        sweep.rows.push_back({F(s.frequency, 3), F(s.impedance.real(), 1), F(s.impedance.imag(), 1),
                              F(s.swr, 2), F(s.gainDbi, 2), F(s.frontToBack, 1)});
    text.tables.push_back(std::move(sweep));
    return text;
}

CsvTables SimulationCsv(const SimulationResult& r)
{
    auto F = [](double x, int n) { return FigureText(x, n, '.'); };
    std::string csv = "frequency_mhz,r_ohm,x_ohm,swr,gain_dbi,front_to_back_db\n";
    std::string pattern = "angle_deg,e_plane_dbi,h_plane_dbi\n";
    std::string figures = "figure,value,uncertainty\n";
    std::string notes = "note\n";
    for (const SweepRow& s : r.sweep)
        csv += F(s.frequency, 4) + "," + F(s.impedance.real(), 2) + "," + F(s.impedance.imag(), 2) +
               "," + F(s.swr, 3) + "," + F(s.gainDbi, 2) + "," + F(s.frontToBack, 2) + "\n";
    for (size_t a = 0; a < r.ePlane.size(); ++a)
        pattern += std::to_string(a) + "," + F(r.ePlane[a], 2) + "," + F(r.hPlane[a], 2) + "\n";
    for (const Figure& f : kFigures) {
        const Uncertain u = Of(r, f);
        if (!std::isfinite(u.value))
            continue;
        const int n = u.Decimals(f.decimals);
        figures += std::string(f.name) + "," + F(u.value, n) + "," +
               (std::isfinite(u.error) ? u.ErrorFigure(f.decimals) : std::string()) + "\n";
    }
    for (const std::string& note : r.notes)
        notes += CsvQuoted(note) + "\n";
    return {{"sweep", csv}, {"pattern", pattern}, {"figures", figures}, {"notes", notes}};
}

} // namespace tavora
