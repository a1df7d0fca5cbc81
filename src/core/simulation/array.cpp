#include "simulation/array.h"

#include "state/errors.h"
#include "state/refusals.h"
#include "text/format.h"
#include "text/impedance_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
}

int RunSize(const ArraySettings& settings, const NecModel&)
{
    return 3 + settings.sweepPoints;
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
    p.feeds = solution.frequencies.front().feeds;
    p.overOne = p.result.gainDbi - single.gainDbi;
    const double e = p.result.sideLobeE, h = p.result.sideLobeH;
    p.worstSideLobe = std::fmax(e, h); // the one there is, where a plane has none
    return p;
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

    std::vector<NecModel> models;
    for (const Spacing& s : points)
        models.push_back(model(s));
    // The spacing asked for is mostly the rule's own: solved once for both.
    const bool askedIsRule =
        points[1].vertical == asked.vertical && points[1].horizontal == asked.horizontal;
    std::vector<NecJob> jobs;
    for (size_t k = 0; k < models.size(); ++k)
        if (!(askedIsRule && k == 1))
            jobs.push_back({models[k], true, {}});
    // What RunSize counts and this solve leaves out counts as done: the single
    // Yagi, solved first; the rule's spacing when it is the one asked for;
    // sweep points where the Yagis would touch.
    const int leftOut = total - static_cast<int>(jobs.size());
    auto solutions = Solve(jobs, control, {processes, leftOut, total});
    if (askedIsRule)
        solutions.insert(solutions.begin() + 1, solutions.front());
    std::vector<ArrayPoint> figures;
    for (size_t k = 0; k < points.size(); ++k)
        figures.push_back(PointFrom(models[k], r.single, points[k], a, solutions[k]));
    r.at = figures[0];
    r.atRule = figures[1];
    r.sweep.assign(figures.begin() + 2, figures.end());
    r.notes.insert(r.notes.begin(), r.at.result.notes.begin(), r.at.result.notes.end());
    for (size_t i = 0; i < r.sweep.size(); ++i) {
        if (r.maximum < 0 ||
            r.sweep[i].result.gainDbi > r.sweep[static_cast<size_t>(r.maximum)].result.gainDbi)
            r.maximum = static_cast<int>(i);
        if (!(r.sweep[i].worstSideLobe >= settings.sideLobeLimit))
            r.lastClean = static_cast<int>(i);
    }
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

// A spacing's gain and its gain over one Yagi beside it.
FigureRow Mark(const char* label, const ArrayPoint& p, char sep)
{
    return {label,
            SpacingText(p, sep),
            "",
            "",
            {FigureText(p.result.gainDbi, 2, sep) + " dBi",
             FigureText(p.overOne, 2, sep) + " dB over one Yagi"}};
}

FigureRow Mark(const char* label, const ArrayResult& r, int index, char sep)
{
    if (index < 0)
        return {label, "-", "", "", {}};
    return Mark(label, r.sweep[static_cast<size_t>(index)], sep);
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
    sweep.summary = {Mark("Rule's spacing:", r.atRule, sep),
                     Mark("Maximum gain:", r, r.maximum, sep)};
    const std::string clean = "Side lobes below " + F(r.sideLobeLimit, 1) + " dB up to:";
    sweep.summary.push_back(Mark(clean.c_str(), r, r.lastClean, sep));
    text.tables.push_back(std::move(sweep));
    return text;
}

std::string ArrayCsv(const ArrayResult& r)
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
    };
    for (const auto& [name, value] : figures)
        csv += std::string(name) + "," + value + "\n";
    csv += "\nyagi,r_ohm,x_ohm\n";
    for (size_t k = 0; k < r.at.feeds.size(); ++k)
        csv += std::to_string(k + 1) + "," + F(r.at.feeds[k].real(), 2) + "," +
               F(r.at.feeds[k].imag(), 2) + "\n";
    csv += "\nspacing_mm,horizontal_spacing_mm,gain_dbi,over_one_yagi_db,worst_side_lobe_db\n";
    for (const ArrayPoint& p : r.sweep)
        csv += F(p.spacing, 1) + "," + F(p.horizontalSpacing, 1) + "," + F(p.result.gainDbi, 2) +
               "," + F(p.overOne, 2) + "," + F(p.worstSideLobe, 2) + "\n";
    csv += "\nangle_deg,e_plane_dbi,h_plane_dbi,one_yagi_e_plane_dbi,one_yagi_h_plane_dbi\n";
    for (size_t d = 0; d < a.ePlane.size(); ++d)
        csv += std::to_string(d) + "," + F(a.ePlane[d], 2) + "," + F(a.hPlane[d], 2) + "," +
               F(r.single.ePlane[d], 2) + "," + F(r.single.hPlane[d], 2) + "\n";
    return csv;
}

} // namespace tavora
