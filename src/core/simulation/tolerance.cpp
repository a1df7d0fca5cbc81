// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/tolerance.h"

#include "design/dl6wu.h"
#include "nec/segmentation.h"
#include "simulation/simulation.h"
#include "state/refusals.h"
#include "text/format.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tavora {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

double DefaultLengthTolerance(const NecModel& model)
{
    return LengthTolerance(WaveLength(model.frequency));
}

double LengthTolerance(const ToleranceSettings& s, const NecModel& model)
{
    return std::isnan(s.lengthTol) ? DefaultLengthTolerance(model) : s.lengthTol;
}

void Refuse(const ToleranceSettings& s, const NecModel& model, char sep)
{
    Refuse(SimulationSettings{.z0 = s.z0}, model, sep);
    RefuseOutside(s.builds, {1, kMostBuilds, "builds"}, kBuildsBox, sep);
    const double most = 0.05 * WaveLength(model.frequency);
    for (const auto& [tol, box] : {std::pair{LengthTolerance(s, model), kLengthTolBox},
                                   std::pair{s.positionTol, kPositionTolBox}}) {
        RefuseNegative(tol, box);
        RefuseAbove(tol, std::floor(most * 10) / 10, box, sep);
    }
}

std::vector<double> RandomErrors(std::mt19937_64& engine, int count, double tolerance,
                                 ErrorDistribution distribution)
{
    // 53 random bits in [0, 1): the conversion every platform does alike.
    const auto unit = [&engine] { return static_cast<double>(engine() >> 11) * 0x1.0p-53; };
    std::vector<double> errors;
    for (int i = 0; i < count; ++i) {
        if (distribution == ErrorDistribution::Uniform) {
            errors.push_back(tolerance * (2 * unit() - 1));
            continue;
        }
        // Box-Muller; a builder recuts what is outside the tolerance.
        double e = 0;
        do {
            const double u1 = 1 - unit(), u2 = unit();
            e = tolerance / 2 * std::sqrt(-2 * std::log(u1)) * std::cos(2 * std::numbers::pi * u2);
        } while (std::abs(e) > tolerance);
        errors.push_back(e);
    }
    return errors;
}

namespace {

// Each element's extent along y (metres): from its left tip to its right.
std::vector<std::pair<double, double>> ElementSpans(const NecModel& model)
{
    std::vector<std::pair<double, double>> spans(static_cast<size_t>(ElementCount(model)),
                                                 {HUGE_VAL, -HUGE_VAL});
    for (const NecWire& w : model.wires) {
        auto& [lo, hi] = spans[static_cast<size_t>(w.element)];
        lo = std::min({lo, w.y1, w.y2});
        hi = std::max({hi, w.y1, w.y2});
    }
    return spans;
}

} // namespace

NecModel Perturbed(const NecModel& model, const std::vector<double>& length,
                   const std::vector<double>& position)
{
    NecModel m = model;
    const auto spans = ElementSpans(model);
    // Each half moves out by half the error, as a rod cut long and centred on
    // the boom; a folded dipole's bend chords all lie beyond its straights'
    // ends and move with them.
    for (NecWire& w : m.wires) {
        const auto e = static_cast<size_t>(w.element);
        const double centre = (spans[e].first + spans[e].second) / 2;
        const double half = length.at(e) / 2000, dx = position.at(e) / 1000;
        for (double* y : {&w.y1, &w.y2})
            *y += *y > centre ? half : *y < centre ? -half : 0;
        w.x1 += dx;
        w.x2 += dx;
    }
    SegmentModel(m, model.density);
    return m;
}

double Value(const BuildFigures& f, Judged figure)
{
    switch (figure) {
    case Judged::Gain:
        return f.gainDbi;
    case Judged::FrontToBack:
        return f.frontToBack;
    case Judged::Swr:
        return f.swr;
    }
    return kNaN;
}

const char* JudgedName(Judged figure)
{
    switch (figure) {
    case Judged::Gain:
        return "Gain (dBi)";
    case Judged::FrontToBack:
        return "F/B (dB)";
    case Judged::Swr:
        return "SWR";
    }
    return "";
}

double Percentile(std::vector<double> v, double percent)
{
    if (v.empty())
        return kNaN;
    std::sort(v.begin(), v.end());
    const double rank = percent / 100 * static_cast<double>(v.size() - 1);
    const auto below = static_cast<size_t>(std::floor(rank));
    const size_t above = std::min(below + 1, v.size() - 1);
    return v[below] + (rank - static_cast<double>(below)) * (v[above] - v[below]);
}

Spread SpreadOf(const std::vector<double>& v, Judged figure, int bins)
{
    Spread s;
    s.median = Percentile(v, 50);
    s.p5 = Percentile(v, 5);
    s.p95 = Percentile(v, 95);
    if (v.empty())
        return s;
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    s.worst = figure == Judged::Swr ? *hi : *lo;
    Histogram& h = s.histogram;
    h.low = *lo;
    h.width = (*hi - *lo) / bins;
    h.counts.assign(static_cast<size_t>(h.width > 0 ? bins : 1), 0);
    for (double x : v) {
        const double bin = h.width > 0 ? std::floor((x - h.low) / h.width) : 0;
        ++h.counts[std::min(static_cast<size_t>(std::max(bin, 0.0)), h.counts.size() - 1)];
    }
    return s;
}

double SystematicShift(const NecModel& model, double error)
{
    const auto spans = ElementSpans(model);
    double sum = 0;
    for (const auto& [lo, hi] : spans) {
        const double mm = (hi - lo) * 1000;
        sum += mm / (mm + error);
    }
    return model.frequency * (sum / static_cast<double>(spans.size()) - 1);
}

BuildFigures FiguresFromSolution(const Solution& solution, double z0)
{
    if (solution.frequencies.empty())
        throw Error("nec2c output holds no frequency");
    const SolvedFrequency& f = solution.frequencies.front();
    BuildFigures b;
    b.impedance = f.Feed();
    b.swr = Swr(b.impedance, z0);
    b.gainDbi = f.forwardGain;
    b.frontToBack = b.gainDbi - f.backwardGain;
    return b;
}

std::vector<BuildFigures> SolveModels(const std::vector<NecModel>& models, double z0, int processes,
                                      const RunControl& control)
{
    std::vector<NecJob> jobs;
    for (const NecModel& m : models)
        jobs.push_back({m, false, {{m.frequency, 0, 1}}});
    const int total = static_cast<int>(jobs.size());
    const auto solutions = Solve(jobs, control, {processes, 0, total});
    std::vector<BuildFigures> out;
    for (const Solution& solution : solutions)
        out.push_back(FiguresFromSolution(solution, z0));
    return out;
}

namespace {

// The change per mm from the builds 1 mm either side of the nominal.
BuildFigures PerMm(const BuildFigures& plus, const BuildFigures& minus)
{
    return {(plus.impedance - minus.impedance) / 2.0, (plus.gainDbi - minus.gainDbi) / 2,
            (plus.frontToBack - minus.frontToBack) / 2, (plus.swr - minus.swr) / 2};
}

} // namespace

ToleranceResult Run(const NecModel& model, const ToleranceSettings& asked,
                    const RunControl& control)
{
    ToleranceSettings settings = asked;
    settings.lengthTol = LengthTolerance(asked, model);
    Refuse(settings, model);
    ToleranceResult r;
    r.model = model;
    r.settings = settings;
    r.z0 = ReferenceImpedance(model.feed, settings.z0);
    const int n = ElementCount(model);
    const std::vector<double> none(static_cast<size_t>(n), 0);

    std::vector<NecModel> models{model};
    std::mt19937_64 engine(settings.seed);
    for (int b = 0; b < settings.builds; ++b) {
        Build build;
        build.length = RandomErrors(engine, n, settings.lengthTol, settings.distribution);
        build.position = RandomErrors(engine, n, settings.positionTol, settings.distribution);
        models.push_back(Perturbed(model, build.length, build.position));
        r.builds.push_back(std::move(build));
    }
    r.longer.lengthError = settings.lengthTol;
    r.shorter.lengthError = -settings.lengthTol;
    for (const Systematic* s : {&r.longer, &r.shorter})
        models.push_back(Perturbed(model, std::vector(none.size(), s->lengthError), none));
    // Both ways, as a central difference: at a minimum (the SWR's at the
    // design frequency) a step one way measures the curvature, not the slope.
    for (int e = 0; e < n; ++e)
        for (double mm : {1.0, -1.0}) {
            std::vector<double> one = none;
            one[static_cast<size_t>(e)] = mm;
            models.push_back(Perturbed(model, one, none));
            models.push_back(Perturbed(model, none, one));
        }

    const std::vector<BuildFigures> figures =
        SolveModels(models, r.z0, ProcessCount({.processes = settings.processes}), control);
    auto next = figures.begin();
    r.nominal = *next++;
    for (Build& b : r.builds)
        b.figures = *next++;
    for (Systematic* s : {&r.longer, &r.shorter}) {
        s->figures = *next++;
        s->frequencyShift = SystematicShift(model, s->lengthError);
    }
    for (int e = 0; e < n; ++e) {
        r.sensitivity.push_back({e, PerMm(next[0], next[2]), PerMm(next[1], next[3])});
        next += 4;
    }
    for (size_t k = 0; k < kJudged.size(); ++k) {
        std::vector<double> values;
        for (const Build& b : r.builds)
            values.push_back(Value(b.figures, kJudged[k]));
        r.spreads[k] = SpreadOf(values, kJudged[k]);
    }
    return r;
}

int RunSize(const ToleranceSettings& settings, const NecModel& model)
{
    return 3 + settings.builds + 4 * ElementCount(model);
}

namespace {

// Decimals each figure is shown with: the model's digits, not more.
int Decimals(Judged figure)
{
    return figure == Judged::FrontToBack ? 1 : 2;
}

std::string Caption(Judged figure, const ToleranceResult& r, char sep)
{
    return figure == Judged::Swr ? "SWR (" + FigureText(r.z0, 0, sep) + " ohm)"
                                 : JudgedName(figure);
}

// A tolerance shown to a tenth of a millimetre, finer where it is below one.
std::string Mm(double x, char sep)
{
    return FigureText(x, std::abs(x) < 1 && x != 0 ? 2 : 1, sep);
}

// "reflector", "director_3": element names as CSV column stems.
std::string Stem(const NecModel& m, int e)
{
    std::string s = ElementName(m, e);
    for (char& c : s)
        c = c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

ResultText ToleranceText(const ToleranceResult& r, char sep)
{
    const ToleranceSettings& s = r.settings;
    ResultText text;
    text.heading = "Tolerance at " + FigureText(r.model.frequency, 3, sep) +
                   " MHz: " + std::to_string(s.builds) + " builds, lengths +/- " +
                   Mm(s.lengthTol, sep) + " mm, positions +/- " + Mm(s.positionTol, sep) + " mm, " +
                   (s.distribution == ErrorDistribution::Uniform ? "uniform" : "normal") +
                   ", seed " + std::to_string(s.seed);
    TextTable spread{"", {"", "Nominal", "Median", "5 %", "95 %", "Worst"}, {}, {}};
    for (size_t k = 0; k < kJudged.size(); ++k) {
        const int d = Decimals(kJudged[k]);
        const Spread& sp = r.spreads[k];
        spread.rows.push_back({Caption(kJudged[k], r, sep),
                               FigureText(Value(r.nominal, kJudged[k]), d, sep),
                               FigureText(sp.median, d, sep), FigureText(sp.p5, d, sep),
                               FigureText(sp.p95, d, sep), FigureText(sp.worst, d, sep)});
    }
    TextTable systematic{
        "", {"Systematic errors", "Shift", "Gain (dBi)", "F/B (dB)", "SWR"}, {}, {}};
    for (const Systematic* sy : {&r.longer, &r.shorter})
        systematic.rows.push_back({std::string(sy == &r.longer ? "All long by " : "All short by ") +
                                       Mm(std::abs(sy->lengthError), sep) + " mm",
                                   FigureText(sy->frequencyShift, 2, sep) + " MHz",
                                   FigureText(sy->figures.gainDbi, 2, sep),
                                   FigureText(sy->figures.frontToBack, 1, sep),
                                   FigureText(sy->figures.swr, 2, sep)});
    // Gains read from the engine's fields hold about 0.001 dB; more
    // decimals would only show their rounding.
    TextTable perMm{"Change per mm, each element alone, from 1 mm either way: gain and F/B in dB",
                    {"", "Length: gain", "F/B", "SWR", "Position: gain", "F/B", "SWR"},
                    {},
                    {}};
    for (const Sensitivity& se : r.sensitivity) {
        std::vector<std::string> row{ElementName(r.model, se.element)};
        for (const BuildFigures* f : {&se.perMmLength, &se.perMmPosition})
            row.insert(row.end(), {FigureText(f->gainDbi, 3, sep),
                                   FigureText(f->frontToBack, 3, sep), FigureText(f->swr, 3, sep)});
        perMm.rows.push_back(std::move(row));
    }
    text.tables = {std::move(spread), std::move(systematic), std::move(perMm)};
    return text;
}

CsvTables ToleranceCsv(const ToleranceResult& r)
{
    auto F = [](double x, int n) { return FigureText(x, n, '.'); };
    auto figures = [&F](const BuildFigures& f) {
        return F(f.impedance.real(), 2) + "," + F(f.impedance.imag(), 2) + "," + F(f.swr, 3) + "," +
               F(f.gainDbi, 2) + "," + F(f.frontToBack, 2);
    };
    const int n = ElementCount(r.model);
    std::string csv = "build";
    std::string spread, systematic, sensitivity;
    for (const char* what : {"_length_error_mm", "_position_error_mm"})
        for (int e = 0; e < n; ++e)
            csv += "," + Stem(r.model, e) + what;
    csv += ",r_ohm,x_ohm,swr,gain_dbi,front_to_back_db\n";
    csv +=
        "nominal" + std::string(2 * static_cast<size_t>(n), ',') + "," + figures(r.nominal) + "\n";
    for (size_t b = 0; b < r.builds.size(); ++b) {
        csv += std::to_string(b + 1);
        for (const auto* errors : {&r.builds[b].length, &r.builds[b].position})
            for (double x : *errors)
                csv += "," + F(x, 4);
        csv += "," + figures(r.builds[b].figures) + "\n";
    }
    spread = "figure,nominal,median,p5,p95,worst\n";
    for (size_t k = 0; k < kJudged.size(); ++k) {
        const Spread& sp = r.spreads[k];
        const char* names[] = {"gain_dbi", "front_to_back_db", "swr"};
        spread += std::string(names[k]) + "," + F(Value(r.nominal, kJudged[k]), 3) + "," +
               F(sp.median, 3) + "," + F(sp.p5, 3) + "," + F(sp.p95, 3) + "," + F(sp.worst, 3) +
               "\n";
    }
    systematic = "systematic,length_error_mm,frequency_shift_mhz,r_ohm,x_ohm,swr,gain_dbi,"
                 "front_to_back_db\n";
    for (const Systematic* sy : {&r.longer, &r.shorter})
        systematic += std::string(sy == &r.longer ? "long" : "short") + "," +
                      F(sy->lengthError, 4) + "," + F(sy->frequencyShift, 3) + "," +
                      figures(sy->figures) + "\n";
    sensitivity = "element,length_gain_db_per_mm,length_front_to_back_db_per_mm,"
                  "length_swr_per_mm,position_gain_db_per_mm,position_front_to_back_db_per_mm,"
                  "position_swr_per_mm\n";
    for (const Sensitivity& se : r.sensitivity) {
        sensitivity += Stem(r.model, se.element);
        for (const BuildFigures* f : {&se.perMmLength, &se.perMmPosition})
            sensitivity += "," + F(f->gainDbi, 4) + "," + F(f->frontToBack, 3) + "," + F(f->swr, 4);
        sensitivity += "\n";
    }
    return {{"builds", csv},
            {"spread", spread},
            {"systematic", systematic},
            {"sensitivities", sensitivity}};
}

} // namespace tavora
