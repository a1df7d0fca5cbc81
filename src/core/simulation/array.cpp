// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/array.h"

#include "physics/physics.h"
#include "state/errors.h"
#include "state/refusals.h"
#include "text/format.h"
#include "text/impedance_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tavora {

namespace {

// Offsets of the copies' centres (y, z), in metres.
std::vector<std::pair<double, double>> Offsets(Arrangement a, double v, double h)
{
    switch (a) {
    case Arrangement::Vertical:
        return {{0, -v / 2}, {0, v / 2}};
    case Arrangement::Horizontal:
        return {{-h / 2, 0}, {h / 2, 0}};
    case Arrangement::Box:
        break;
    }
    return {{-h / 2, -v / 2}, {h / 2, -v / 2}, {-h / 2, v / 2}, {h / 2, v / 2}};
}

// One deck's figures: the pattern, the first source's impedance for the
// single Yagi's, every source's for the array's.
const SimulationSettings kOneFrequency{0, 1, 0, 0};

} // namespace

NecModel ArrayModel(const NecModel& single, Arrangement a, double vertical, double horizontal)
{
    NecModel m = single;
    m.wires.clear();
    m.sources.clear();
    const int tags = static_cast<int>(single.wires.size());
    int copy = 0;
    for (const auto& [y, z] : Offsets(a, vertical, horizontal)) {
        for (NecWire w : single.wires) {
            w.tag += copy * tags;
            w.y1 += y, w.y2 += y, w.z1 += z, w.z2 += z;
            m.wires.push_back(w);
        }
        for (NecSource s : single.sources) {
            s.tag += copy * tags;
            m.sources.push_back(s);
        }
        ++copy;
    }
    return m;
}

double ClearSpacing(const NecModel& single, bool vertical)
{
    double low = std::numeric_limits<double>::infinity(), high = -low, radius = 0;
    for (const NecWire& w : single.wires) {
        const double c1 = vertical ? w.z1 : w.y1, c2 = vertical ? w.z2 : w.y2;
        low = std::min({low, c1, c2});
        high = std::max({high, c1, c2});
        radius = std::max(radius, w.radius);
    }
    // The thin-wire kernel wants neighbouring wires several radii apart.
    return 1000 * (high - low + 6 * radius);
}

std::pair<double, double> RuleSpacing(const SimulationResult& single, Arrangement a)
{
    const SimulatedStacking rule = StackingFromResult(single);
    if (a == Arrangement::Horizontal)
        return {rule.horizontal, 0};
    return {rule.vertical, a == Arrangement::Box ? rule.horizontal : 0};
}

void RefuseArray(const ArraySettings& s, char sep)
{
    RefuseNegative(s.spacing, kSpacingBox);
    RefuseNegative(s.sweepFrom, kSweepBox);
    RefuseNegative(s.sweepTo, kSweepBox);
    if (s.sweepTo > 0 && !(s.sweepFrom < s.sweepTo))
        throw BoxRefusal(kSweepBox, "The sweep must end at a larger spacing than it starts");
    if (s.sweepPoints != 0)
        RefuseSweepPoints(s.sweepPoints);
    if (!(s.sideLobeLimit < 0))
        throw BoxRefusal(kSideLobeBox,
                         std::string(kSideLobeBox) + " must be below " + FormatFixed(0, 3, 0, sep));
}

void RefuseSweepPoints(double points)
{
    if (!(points >= 2 && points <= kMaxSweepPoints && points == std::floor(points)))
        throw BoxRefusal(kSweepPointsBox, std::string(kSweepPointsBox) + " must be from 2 to " +
                                              std::to_string(kMaxSweepPoints));
}

void Refuse(const ArraySettings& settings, const NecModel& single, char sep)
{
    Refuse(kOneFrequency, single, sep);
    RefuseArray(settings, sep);
    for (const auto& [mm, box] : {std::pair{settings.spacing, kSpacingBox},
                                  {settings.sweepFrom, kSweepBox},
                                  {settings.sweepTo, kSweepBox}})
        RefuseOutsideWavelengths(mm, kStackSpacingRange, single.frequency, box, sep);
}

int RunSize(const ArraySettings& settings, const NecModel&)
{
    return 3 + settings.sweepPoints +
           (settings.sweepPoints > 0 ? kSearchRounds * kSearchPoints : 0);
}

namespace {

struct Spacing {
    double vertical = 0, horizontal = 0; // mm
};

ArrayPoint PointFrom(const NecModel& array, const SimulationResult& single, Spacing s,
                     Arrangement a, const Solution& solution)
{
    ArrayPoint p;
    p.spacing = a == Arrangement::Horizontal ? s.horizontal : s.vertical;
    p.horizontalSpacing = a == Arrangement::Box ? s.horizontal : 0;
    p.result = ResultFromSolutions(array, kOneFrequency, {solution});
    // The finer steps about forward, where the lobes asked for them.
    const PatternCuts& cuts = *solution.cuts;
    p.result.beamwidthE = Beamwidth(p.result.ePlane, cuts.eFine);
    p.result.beamwidthH = Beamwidth(p.result.hPlane, cuts.hFine);
    p.result.sideLobeE = FirstSideLobe(p.result.ePlane, cuts.eFine);
    p.result.sideLobeH = FirstSideLobe(p.result.hPlane, cuts.hFine);
    p.feeds = solution.frequencies.front().feeds;
    p.overOne = p.result.gainDbi - single.gainDbi;
    const double e = p.result.sideLobeE, h = p.result.sideLobeH;
    p.worstSideLobe = std::fmax(e, h); // the one there is, where a plane has none
    return p;
}

// Steps that resolve the lobes of copies `mm` apart: their grating lobes
// stand a wavelength over the spacing (in radians) apart, the beam and the
// first side lobe within two of those. A twentieth of that per step, in
// steps the engine prints exactly, where whole degrees are coarser.
FineSteps FineFor(double mm, double frequency)
{
    const double lobe = WaveLength(frequency) / mm * 180 / std::numbers::pi;
    if (!(lobe / 20 < 1))
        return {};
    double step = 0.05;
    for (const double s : {0.5, 0.25, 0.2, 0.1})
        if (s <= lobe / 20) {
            step = s;
            break;
        }
    return {step, static_cast<int>(std::ceil(2.5 * lobe / step))};
}

bool Allowed(const ArrayPoint& p, const ArrayPoint& rule)
{
    return !(p.worstSideLobe > rule.worstSideLobe);
}

// Where the gain falls kNearBest under the best's walking from it in `dir`
// over the solved spacings (sorted), interpolated; the last one where it never does.
double NearEdge(const std::vector<ArrayPoint>& all, size_t at, int dir)
{
    const double level = all[at].result.gainDbi - kNearBest;
    size_t i = at;
    for (;;) {
        if ((dir < 0 && i == 0) || (dir > 0 && i + 1 == all.size()))
            return all[i].spacing;
        const ArrayPoint &in = all[i], &out = all[dir < 0 ? i - 1 : i + 1];
        if (out.result.gainDbi < level)
            return in.spacing + (out.spacing - in.spacing) * (in.result.gainDbi - level) /
                                    (in.result.gainDbi - out.result.gainDbi);
        i = dir < 0 ? i - 1 : i + 1;
    }
}

// Every spacing solved within the sweep's range, by spacing: the sweep, the
// search, and the rule's and the one asked for where they lie within.
std::vector<ArrayPoint> Solved(const ArrayResult& r)
{
    std::vector<ArrayPoint> all = r.sweep;
    all.insert(all.end(), r.search.begin(), r.search.end());
    for (const ArrayPoint* p : {&r.atRule, &r.at})
        if (!r.sweep.empty() && p->spacing >= r.sweep.front().spacing &&
            p->spacing <= r.sweep.back().spacing &&
            (p == &r.atRule || p->spacing != r.atRule.spacing))
            all.push_back(*p);
    std::stable_sort(all.begin(), all.end(), [](const ArrayPoint& x, const ArrayPoint& y) {
        return x.spacing < y.spacing;
    });
    return all;
}

size_t IndexOf(const std::vector<ArrayPoint>& all, const ArrayPoint& p)
{
    return static_cast<size_t>(
        std::find_if(all.begin(), all.end(),
                     [&p](const ArrayPoint& q) { return q.spacing == p.spacing; }) -
        all.begin());
}

// The best's neighbourhood and the clean run over every solved spacing.
void Summarise(ArrayResult& r)
{
    const std::vector<ArrayPoint> all = Solved(r);
    bool inRun = false;
    for (const ArrayPoint& p : all) {
        const bool clean = !(p.worstSideLobe >= r.sideLobeLimit);
        if (clean && !inRun)
            r.cleanFrom = p.spacing;
        if (clean)
            r.clean = p;
        inRun = clean;
    }
    r.nearFrom = r.nearTo = std::numeric_limits<double>::quiet_NaN();
    if (!r.best)
        return;
    const size_t i = IndexOf(all, *r.best);
    r.nearFrom = NearEdge(all, i, -1);
    r.nearTo = NearEdge(all, i, 1);
}

} // namespace

ArrayResult Run(const NecModel& single, const ArraySettings& settings, const RunControl& control)
{
    Refuse(settings, single);
    const Arrangement a = settings.arrangement;
    const int processes = ProcessCount({.processes = settings.processes});
    const int sweepPoints = settings.sweepPoints;
    const int total = RunSize(settings, single);

    ArrayResult r;
    r.arrangement = a;
    r.sideLobeLimit = settings.sideLobeLimit;
    r.single = ResultFromSolutions(single, kOneFrequency,
                                   Solve({{single, true, {}}}, control, {1, 0, total}));
    // Plain names, not a structured binding: the lambdas below capture them.
    const std::pair<double, double> rule = RuleSpacing(r.single, a);
    const double ruleV = rule.first, ruleH = rule.second;
    if (!std::isfinite(ruleV) || (a == Arrangement::Box && !std::isfinite(ruleH)))
        throw Error("The single Yagi has no beamwidth to take the stacking rule's spacing from");
    r.ruleSpacing = ruleV;
    r.ruleHorizontal = ruleH;

    // A spacing in the arrangement's terms, as both directions.
    const auto spacing = [&](double s) -> Spacing {
        switch (a) {
        case Arrangement::Vertical:
            return {s, 0};
        case Arrangement::Horizontal:
            return {0, s};
        case Arrangement::Box:
            break;
        }
        return {s, s * ruleH / ruleV};
    };
    const auto clear = [&](Spacing s) {
        const bool v = a != Arrangement::Horizontal, h = a != Arrangement::Vertical;
        return (!v || s.vertical > ClearSpacing(single, true)) &&
               (!h || s.horizontal > ClearSpacing(single, false));
    };
    const auto model = [&](Spacing s) {
        return ArrayModel(single, a, s.vertical / 1000, s.horizontal / 1000);
    };

    const double askedMm = settings.spacing > 0 ? settings.spacing : ruleV;
    const Spacing asked = spacing(askedMm);
    if (!clear(asked))
        throw BoxRefusal(kSpacingBox, "At " + FormatFixed(askedMm, 15, 0) +
                                          " mm the Yagis would touch: the spacing must be more");
    std::vector<Spacing> points{asked, spacing(ruleV)};
    const double from = settings.sweepFrom > 0 ? settings.sweepFrom : kSweepFrom * ruleV;
    const double to = settings.sweepTo > 0 ? settings.sweepTo : kSweepTo * ruleV;
    double tooClose = 0;
    for (int i = 0; i < sweepPoints; ++i) {
        const Spacing s = spacing(from + (to - from) * i / (sweepPoints - 1));
        if (clear(s))
            points.push_back(s);
        else
            tooClose = std::max(tooClose, a == Arrangement::Horizontal ? s.horizontal : s.vertical);
    }
    if (!clear(points[1]))
        points[1] = asked; // the rule's spacing too close: shown at the one asked for
    if (tooClose > 0)
        r.notes.push_back("Sweep spacings up to " + FormatFixed(tooClose, 15, 0) +
                          " mm left out: the Yagis would touch");

    const auto solve = [&](const std::vector<Spacing>& at, int done) {
        std::vector<NecJob> jobs;
        for (const Spacing& s : at)
            jobs.push_back({model(s),
                            true,
                            {},
                            FineFor(std::max(s.vertical, s.horizontal), single.frequency)});
        const auto solutions = Solve(jobs, control, {processes, done, total});
        std::vector<ArrayPoint> figures;
        for (size_t k = 0; k < at.size(); ++k)
            figures.push_back(PointFrom(jobs[k].model, r.single, at[k], a, solutions[k]));
        return figures;
    };
    // The spacing asked for is mostly the rule's own: solved once for both.
    const bool askedIsRule =
        points[1].vertical == asked.vertical && points[1].horizontal == asked.horizontal;
    std::vector<Spacing> solved = points;
    if (askedIsRule)
        solved.erase(solved.begin() + 1);
    // What RunSize counts before the search and this solve leaves out counts
    // as done: the single Yagi, solved first; the rule's spacing when it is
    // the one asked for; sweep points where the Yagis would touch.
    int done = 3 + sweepPoints;
    std::vector<ArrayPoint> figures = solve(solved, done - static_cast<int>(solved.size()));
    if (askedIsRule)
        figures.insert(figures.begin() + 1, figures.front());
    r.at = figures[0];
    r.atRule = figures[1];
    r.sweep.assign(figures.begin() + 2, figures.end());
    r.notes.insert(r.notes.begin(), r.at.result.notes.begin(), r.at.result.notes.end());

    // The gain is flat near its maximum and the side lobes rise with the
    // spacing, so the best mostly lies where they reach the rule's: a few
    // points at once between the solved neighbours of the best so far.
    const auto better = [&r](const ArrayPoint& p) {
        return Allowed(p, r.atRule) && (!r.best || p.result.gainDbi > r.best->result.gainDbi);
    };
    for (const ArrayPoint& p : Solved(r))
        if (better(p))
            r.best = p;
    if (r.best && r.sweep.size() > 1) {
        const std::vector<ArrayPoint> all = Solved(r);
        const size_t i = IndexOf(all, *r.best);
        double lo = all[i > 0 ? i - 1 : i].spacing;
        double hi = all[std::min(i + 1, all.size() - 1)].spacing;
        for (int round = 0; round < kSearchRounds; ++round, done += kSearchPoints) {
            const double h = (hi - lo) / (kSearchPoints + 1);
            std::vector<Spacing> across;
            for (int j = 1; j <= kSearchPoints; ++j)
                across.push_back(spacing(lo + h * j));
            for (const ArrayPoint& p : solve(across, done)) {
                r.search.push_back(p);
                if (better(p))
                    r.best = p;
            }
            lo = std::max(lo, r.best->spacing - h);
            hi = std::min(hi, r.best->spacing + h);
        }
    }
    // No search: what RunSize counted for it is done.
    if (done < total && control.progress)
        control.progress(total, total);
    Summarise(r);
    return r;
}

namespace {

const char* Stacked(Arrangement a)
{
    switch (a) {
    case Arrangement::Vertical:
        return "2 Yagis stacked vertically";
    case Arrangement::Horizontal:
        return "2 Yagis side by side";
    case Arrangement::Box:
        break;
    }
    return "4 Yagis in a 2 x 2 box";
}

std::string SpacingText(const ArrayPoint& p, char sep, const char* unit = " mm")
{
    std::string text = FigureText(p.spacing, 0, sep) + unit;
    if (p.horizontalSpacing > 0)
        text += " x " + FigureText(p.horizontalSpacing, 0, sep) + unit;
    return text;
}

// A spacing's gain and its gain over one Yagi beside it, with its worst side
// lobe where the row compares them (in the same cell: the table has four).
FigureRow Mark(const char* label, const std::optional<ArrayPoint>& p, char sep,
               bool sideLobe = false)
{
    if (!p)
        return {label, "-", "", "", {}};
    FigureRow row{label,
                  SpacingText(*p, sep),
                  "",
                  "",
                  {FigureText(p->result.gainDbi, 2, sep) + " dBi",
                   FigureText(p->overOne, 2, sep) + " dB over one Yagi"}};
    if (sideLobe)
        row.beside.back() += ", worst side lobe " + FigureText(p->worstSideLobe, 1, sep) + " dB";
    return row;
}

// The spacings near the best's gain, and where they run to the sweep's end.
FigureRow NearRow(const std::string& label, const ArrayResult& r, char sep)
{
    if (!r.best)
        return {label, "-", "", "", {}};
    FigureRow row{label,
                  FigureText(r.nearFrom, 0, sep) + " to " + FigureText(r.nearTo, 0, sep),
                  "mm",
                  "",
                  {}};
    const bool first = r.nearFrom <= r.sweep.front().spacing,
               last = r.nearTo >= r.sweep.back().spacing;
    if (first || last)
        row.beside.push_back(first && last ? "the whole sweep"
                             : first       ? "from the sweep's start"
                                           : "to the sweep's end");
    return row;
}

// The run of solved spacings below the side lobe level that ends at the
// largest, and the gain at its end.
FigureRow CleanRow(const std::string& label, const ArrayResult& r, char sep)
{
    if (!r.clean)
        return {label, "-", "", "", {}};
    const double to = r.clean->spacing;
    return {
        label,
        (r.cleanFrom < to ? FigureText(r.cleanFrom, 0, sep) + " to " : "") + FigureText(to, 0, sep),
        "mm",
        "",
        {FigureText(r.clean->result.gainDbi, 2, sep) + " dBi at " + FigureText(to, 0, sep) + " mm",
         FigureText(r.clean->overOne, 2, sep) + " dB over one Yagi"}};
}

} // namespace

ResultText ArrayText(const ArrayResult& r, char sep)
{
    const SimulationResult& a = r.at.result;
    const auto F = [sep](double x, int n) { return FigureText(x, n, sep); };
    ResultText text;
    text.heading = std::string(kSimulatedHeading) + ", fed in phase";
    text.figures = {
        {"Stacked gain:", F(a.gainDbi, 2), "dBi", "", {F(r.at.overOne, 2) + " dB over one Yagi"}},
        {"Array:", std::string(Stacked(r.arrangement)) + ", " + SpacingText(r.at, sep), "", "", {}},
        {"Stacking rule's spacing:",
         F(r.ruleSpacing, 0) + " mm" +
             (r.ruleHorizontal > 0 ? " x " + F(r.ruleHorizontal, 0) + " mm" : ""),
         "",
         "",
         {}},
        {"One Yagi's gain:", F(r.single.gainDbi, 2), "dBi", "", {}},
        {"F/B (180 deg):", F(a.frontToBack, 1), "dB", "", {}},
        {"E plane beamwidth:",
         F(a.beamwidthE, 1),
         "deg",
         "",
         {"one Yagi " + F(r.single.beamwidthE, 1) + " deg"}},
        {"H plane beamwidth:",
         F(a.beamwidthH, 1),
         "deg",
         "",
         {"one Yagi " + F(r.single.beamwidthH, 1) + " deg"}},
        {"E plane first side lobe:", F(a.sideLobeE, 1), "dB", "", {}},
        {"H plane first side lobe:", F(a.sideLobeH, 1), "dB", "", {}},
    };
    for (size_t k = 0; k < r.at.feeds.size(); ++k)
        text.figures.push_back({"Feed impedance, Yagi " + std::to_string(k + 1) + ":",
                                ImpedanceText(r.at.feeds[k], 1, 1, sep),
                                "ohm",
                                "",
                                {}});
    text.figures.push_back({"One Yagi's feed impedance:",
                            ImpedanceText(r.single.impedance, 1, 1, sep),
                            "ohm",
                            "",
                            {}});
    for (const std::string& note : r.notes)
        text.figures.push_back({"", WithDecimalSep(note, sep), "", "", {}});
    TextTable sweep{
        "", {"Spacing (mm)", "Gain (dBi)", "Over one (dB)", "Worst side lobe (dB)"}, {}, {}};
    for (const ArrayPoint& p : r.sweep)
        sweep.rows.push_back({SpacingText(p, sep, ""), F(p.result.gainDbi, 2), F(p.overOne, 2),
                              F(p.worstSideLobe, 1)});
    const std::string near = "Within " + F(kNearBest, 1) + " dB of its gain:";
    const std::string clean = "Side lobes below " + F(r.sideLobeLimit, 1) + " dB:";
    sweep.summary = {
        Mark("Rule's spacing:", r.atRule, sep, true),
        Mark("Best spacing:", r.best, sep, true),
        NearRow(near, r, sep),
        CleanRow(clean, r, sep),
    };
    text.tables.push_back(std::move(sweep));
    return text;
}

CsvTables ArrayCsv(const ArrayResult& r)
{
    auto F = [](double x, int n) { return FigureText(x, n, '.'); };
    std::string csv = "figure,value\n";
    const SimulationResult& a = r.at.result;
    const std::pair<const char*, std::string> figures[] = {
        {"spacing_mm", F(r.at.spacing, 1)},
        {"horizontal_spacing_mm", F(r.at.horizontalSpacing, 1)},
        {"rule_spacing_mm", F(r.ruleSpacing, 1)},
        {"gain_dbi", F(a.gainDbi, 2)},
        {"over_one_yagi_db", F(r.at.overOne, 2)},
        {"one_yagi_gain_dbi", F(r.single.gainDbi, 2)},
        {"front_to_back_db", F(a.frontToBack, 2)},
        {"beamwidth_e_deg", F(a.beamwidthE, 1)},
        {"beamwidth_h_deg", F(a.beamwidthH, 1)},
        {"side_lobe_e_db", F(a.sideLobeE, 1)},
        {"side_lobe_h_db", F(a.sideLobeH, 1)},
        {"best_spacing_mm", r.best ? F(r.best->spacing, 1) : ""},
        {"best_gain_dbi", r.best ? F(r.best->result.gainDbi, 2) : ""},
        {"near_best_from_mm", r.best ? F(r.nearFrom, 1) : ""},
        {"near_best_to_mm", r.best ? F(r.nearTo, 1) : ""},
        {"side_lobes_below_from_mm", r.clean ? F(r.cleanFrom, 1) : ""},
        {"side_lobes_below_to_mm", r.clean ? F(r.clean->spacing, 1) : ""},
    };
    for (const auto& [name, value] : figures)
        csv += std::string(name) + "," + value + "\n";
    std::string feeds = "yagi,r_ohm,x_ohm\n";
    for (size_t k = 0; k < r.at.feeds.size(); ++k)
        feeds += std::to_string(k + 1) + "," + F(r.at.feeds[k].real(), 2) + "," +
                 F(r.at.feeds[k].imag(), 2) + "\n";
    std::string spacings =
        "spacing_mm,horizontal_spacing_mm,gain_dbi,over_one_yagi_db,worst_side_lobe_db\n";
    for (const ArrayPoint& p : r.sweep)
        spacings += F(p.spacing, 1) + "," + F(p.horizontalSpacing, 1) + "," +
                    F(p.result.gainDbi, 2) + "," + F(p.overOne, 2) + "," +
                    F(p.worstSideLobe, 2) + "\n";
    std::string pattern =
        "angle_deg,e_plane_dbi,h_plane_dbi,one_yagi_e_plane_dbi,one_yagi_h_plane_dbi\n";
    for (size_t d = 0; d < a.ePlane.size(); ++d)
        pattern += std::to_string(d) + "," + F(a.ePlane[d], 2) + "," + F(a.hPlane[d], 2) + "," +
                   F(r.single.ePlane[d], 2) + "," + F(r.single.hPlane[d], 2) + "\n";
    return {{"figures", csv}, {"feeds", feeds}, {"spacings", spacings}, {"pattern", pattern}};
}

} // namespace tavora
