#include "simulation/tune.h"

#include "design/cut_list.h"
#include "design/dl6wu.h"
#include "feedline/impedance.h"
#include "nec/model_builder.h"
#include "nec/segmentation.h"
#include "state/errors.h"
#include "state/refusals.h"
#include "text/format.h"
#include "text/impedance_text.h"
#include "text/uncertain.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace tavora {

double TuneSubject::DesignLength() const
{
    return feed == Feed::SingleDipole ? design.DipoleLength : design.FoldedLength;
}

double TuneSubject::ModelLength() const
{
    return feed == Feed::SingleDipole ? members.DipoleLength : members.FoldedLength;
}

NecModel TuneSubject::WithLength(double length) const
{
    DesignState s = members;
    (feed == Feed::SingleDipole ? s.DipoleLength : s.FoldedLength) = length;
    const NecModel cut = ModelFromMembers(s, feed, members.BendDiam);
    NecModel m = model;
    for (size_t i = 0; i < m.wires.size(); ++i)
        if (m.wires[i].element == 1) {
            const int segments = m.wires[i].segments;
            m.wires[i] = cut.wires[i];
            m.wires[i].segments = segments;
        }
    if (!wideFeed)
        return m;
    if (auto wide = FeedWidened(m))
        return *wide;
    throw Error("The driven element is too short to widen its feed");
}

TuneSubject TuneSubjectOf(const DesignState& design, Feed feed)
{
    TuneSubject t;
    t.design = design;
    t.members = ModelledDesign(design);
    t.feed = feed;
    t.model = ModelFromDesign(design, feed);
    return t;
}

namespace {

bool LessReactance(const TuneSolve& a, const TuneSolve& b)
{
    return std::abs(a.impedance.imag()) < std::abs(b.impedance.imag());
}

// The solves, least |X| first.
std::vector<TuneSolve> ByReactance(std::vector<TuneSolve> solves)
{
    std::sort(solves.begin(), solves.end(), LessReactance);
    return solves;
}

} // namespace

const TuneSolve& Best(const std::vector<TuneSolve>& solves)
{
    return *std::min_element(solves.begin(), solves.end(), LessReactance);
}

namespace {

bool Bracketed(const std::vector<TuneSolve>& solves)
{
    const auto below = [](const TuneSolve& s) { return s.impedance.imag() < 0; };
    return std::any_of(solves.begin(), solves.end(), below) &&
           !std::all_of(solves.begin(), solves.end(), below);
}

} // namespace

bool Resonant(const std::vector<TuneSolve>& solves)
{
    return Bracketed(solves) || std::abs(Best(solves).impedance.imag()) <= kResonantReactance;
}

namespace {

// The first bracket: the DL6WU length and 4 % either side, solved at once.
// The single dipole's X moves 5 to 9 ohm per % of length, the folded dipole's
// two to four times as much: 4 % covers what most DL6WU designs are off by,
// and past it the search extrapolates.
constexpr double kFirstStep = 0.04;
constexpr double kFurthest = 0.2;

double Secant(const TuneSolve& a, const TuneSolve& b)
{
    const double xa = a.impedance.imag(), xb = b.impedance.imag();
    return a.length - xa * (b.length - a.length) / (xb - xa);
}

// The next length to try, or none when more solves would tell nothing new.
// With a bracket: the secant through the two solves nearest X = 0, kept
// inside it (else its middle). Without one, X may still cross zero further
// out (the secant, at most two first steps past the lengths tried), or it
// may turn back before reaching zero, as a folded dipole's does where the
// feed's capacitance holds it below zero: then the vertex of the parabola
// through the three solves round the least |X|, the length that comes
// closest.
std::optional<double> NextLength(std::vector<TuneSolve> solves, double l0)
{
    std::sort(solves.begin(), solves.end(),
              [](const auto& a, const auto& b) { return a.length < b.length; });
    const auto tried = [&](double length) {
        return std::any_of(solves.begin(), solves.end(), [&](const TuneSolve& s) {
            return std::abs(s.length - length) < 1e-6 * l0;
        });
    };
    const std::vector<TuneSolve> nearest = ByReactance(solves);
    double next = Secant(nearest[0], nearest[1]);
    if (Bracketed(solves)) {
        double a = 0, b = 0;
        for (size_t i = 0; i + 1 < solves.size(); ++i)
            if ((solves[i].impedance.imag() < 0) != (solves[i + 1].impedance.imag() < 0))
                a = solves[i].length, b = solves[i + 1].length;
        if (b - a < 1e-6 * l0)
            return std::nullopt;
        return next > a && next < b ? next : (a + b) / 2;
    }
    const auto least = std::find_if(solves.begin(), solves.end(), [&](const TuneSolve& s) {
        return s.length == nearest[0].length;
    });
    if (least != solves.begin() && least + 1 != solves.end()) {
        const double x0 = (least - 1)->length, x1 = least->length, x2 = (least + 1)->length;
        const double y0 = (least - 1)->impedance.imag(), y1 = least->impedance.imag(),
                     y2 = (least + 1)->impedance.imag();
        const double d01 = (y1 - y0) / (x1 - x0), d12 = (y2 - y1) / (x2 - x1);
        const double curve = (d12 - d01) / (x2 - x0);
        const double vertex = (x1 + x2) / 2 - d12 / (2 * curve);
        // Near the turn X hardly changes: a tenth of a percent is as good.
        if (!(vertex > x0 && vertex < x2) || std::abs(vertex - x1) < 1e-3 * l0 || tried(vertex))
            return std::nullopt;
        return vertex;
    }
    const double reach = 2 * kFirstStep * l0;
    const double low = std::max(solves.front().length - reach, (1 - kFurthest) * l0);
    const double high = std::min(solves.back().length + reach, (1 + kFurthest) * l0);
    if (!std::isfinite(next))
        return std::nullopt;
    next = std::clamp(next, low, high);
    return tried(next) ? std::nullopt : std::optional<double>(next);
}

} // namespace

std::vector<TuneSolve> SearchResonance(const TuneSubject& subject, const RunControl& control)
{
    const double l0 = subject.ModelLength();
    const Sweep design{subject.model.frequency, 0, 1};
    std::vector<TuneSolve> solves;
    const auto run = [&](const std::vector<double>& lengths) {
        std::vector<NecJob> jobs;
        for (double length : lengths)
            jobs.push_back({subject.WithLength(length), false, {design}});
        RunControl step = control;
        const int done = static_cast<int>(solves.size());
        if (control.progress)
            step.progress = [&control, done](int finished, int) {
                control.progress(done + finished, kMostTuneSolves);
            };
        const auto solutions = Solve(jobs, step);
        for (size_t i = 0; i < lengths.size(); ++i)
            solves.push_back({lengths[i], solutions[i].frequencies.at(0).Feed()});
    };
    run({l0, l0 * (1 - kFirstStep), l0 * (1 + kFirstStep)});
    while (std::abs(Best(solves).impedance.imag()) > kResonantReactance &&
           static_cast<int>(solves.size()) < kMostTuneSolves) {
        const auto next = NextLength(solves, l0);
        if (!next)
            break;
        run({*next});
    }
    return solves;
}

double DefaultVelocityFactor(const DesignState& design)
{
    return design.VelocityFactor > 0 && design.VelocityFactor <= 1 ? design.VelocityFactor
                                                                   : kDefaultVelocityFactor;
}

double TuneResult::TunedLength() const
{
    return BuilderLength(Tuned().length);
}

double TuneResult::BuilderLength(double model) const
{
    return subject.DesignLength() + (model - subject.ModelLength());
}

bool TuneResult::BeyondCuttingTolerance() const
{
    return IsResonant() && !(LengthError() <= LengthTolerance(subject.design.WaveLength));
}

double TuneResult::LengthError() const
{
    return std::hypot(segmentsError, feedWidthError);
}

DesignState TuneResult::TunedDesign() const
{
    DesignState s = subject.design;
    (subject.feed == Feed::SingleDipole ? s.DipoleLength : s.FoldedLength) = TunedLength();
    return s;
}

namespace {

// A quarter-wave line of impedance zt, a quarter wave long at f0, loaded by z
// at f: its electrical length grows with the frequency.
std::complex<double> ThroughQuarterWave(std::complex<double> z, double zt, double f, double f0)
{
    const double theta = std::numbers::pi / 2 * f / f0;
    const std::complex<double> j(0, 1);
    return zt * (z * std::cos(theta) + j * zt * std::sin(theta)) /
           (zt * std::cos(theta) + j * z * std::sin(theta));
}

} // namespace

TuneMatch MatchFeed(double r, std::complex<double> atDesign, double z0, double frequency,
                    double velocityFactor, double rodDiameter, const std::vector<SweepRow>& sweep)
{
    TuneMatch m;
    m.z0 = z0;
    m.swrUnmatched = Swr(atDesign, z0);
    m.impedance = static_cast<double>(QuarterWaveImpedance(r, z0));
    m.velocityFactor = velocityFactor;
    m.length = static_cast<double>(QuarterWaveLength(frequency, velocityFactor));
    // An air-spaced line of the radiator's rod, where the rod fit holds.
    long double ratio = 0;
    if (RangeMessage(RodSection::Round, m.impedance).empty() &&
        FindRodRatio(RodSection::Round, RodUnknown::Spacing, m.impedance, ratio)) {
        m.rods = {rodDiameter, rodDiameter * static_cast<double>(ratio),
                  static_cast<double>(QuarterWaveLength(frequency, 1))};
        m.rodFit = m.rods.spacing - m.rods.diameter < kLeastRodGap              ? RodFit::TooClose
                   : m.rods.spacing > kWidestRodSpacing * WaveLength(frequency) ? RodFit::TooWide
                                                                                : RodFit::Practical;
    }
    for (const SweepRow& row : sweep)
        m.swrMatched.push_back(
            Swr(ThroughQuarterWave(row.impedance, m.impedance, row.frequency, frequency), z0));
    m.swrMatchedAtDesign = Swr(ThroughQuarterWave(atDesign, m.impedance, frequency, frequency), z0);
    return m;
}

namespace {

// How fast X changes with the length near resonance, ohm per mm.
double Slope(const std::vector<TuneSolve>& solves)
{
    const std::vector<TuneSolve> nearest = ByReactance(solves);
    return (nearest[1].impedance.imag() - nearest[0].impedance.imag()) /
           (nearest[1].length - nearest[0].length);
}

// The transformer's velocity factor: the settings', else the design's default.
double VelocityFactor(const TuneSettings& settings, const TuneSubject& subject)
{
    return settings.velocityFactor.value_or(DefaultVelocityFactor(subject.design));
}

} // namespace

void Refuse(const TuneSettings& settings, const TuneSubject& subject, char sep)
{
    Refuse(settings.simulation, subject.model, sep);
    const double vf = VelocityFactor(settings, subject);
    RefuseNotPositive(vf, kVelocityFactorBox);
    RefuseAbove(vf, 1, kVelocityFactorBox, sep);
}

int RunSize(const TuneSettings&, const TuneSubject&)
{
    return kTuneSteps;
}

TuneResult Run(const TuneSubject& subject, const TuneSettings& settings, const RunControl& control)
{
    TuneResult r;
    r.subject = subject;
    Refuse(settings, r.subject);
    const double vf = VelocityFactor(settings, subject);
    // One bar over the whole job: the two searches, then one or two simulations.
    const int sims = settings.sweepBefore ? 2 : 1;
    const int total = kTuneSteps, searchShare = 300, wideShare = 150,
              simShare = (total - searchShare - wideShare) / sims;
    const auto phase = [&control, total](int from, int share) {
        RunControl c = control;
        if (control.progress)
            c.progress = [&control, from, share, total](int finished, int all) {
                control.progress(from + share * finished / std::max(all, 1), total);
            };
        return c;
    };
    r.solves = SearchResonance(r.subject, phase(0, searchShare));
    const TuneSolve& best = Best(r.solves);
    // The same search with the feed twice as wide: how far the feed the
    // engine assumes moves the resonance.
    TuneSubject wide = r.subject;
    wide.wideFeed = true;
    if (FeedWidened(r.subject.model))
        r.wideSolves = SearchResonance(wide, phase(searchShare, wideShare));
    const int simFrom = searchShare + wideShare;
    r.tuned = Run(r.subject.WithLength(best.length), settings.simulation, phase(simFrom, simShare));
    // Without a root the slope near the closest length is no measure.
    if (r.IsResonant() && r.solves.size() > 1) {
        if (r.tuned.coarse)
            r.segmentsError = std::abs(
                (r.tuned.coarse->impedance.imag() - r.tuned.impedance.imag()) / Slope(r.solves));
        if (!r.wideSolves.empty() && Resonant(r.wideSolves))
            r.feedWidthError = std::abs(Best(r.wideSolves).length - best.length);
    }
    if (settings.sweepBefore)
        r.sweepBefore = std::make_shared<const SimulationResult>(
            Run(r.subject.model, settings.simulation, phase(simFrom + simShare, simShare)));
    r.match =
        MatchFeed(best.impedance.real(), best.impedance, r.tuned.z0, r.subject.model.frequency, vf,
                  r.subject.members.RadiatorDiam, r.tuned.sweep);
    return r;
}

namespace {

std::string Signed(double x, int n, char sep)
{
    const std::string text = FigureText(x, n, sep);
    return text.front() == '-' || text == FigureText(0, n, sep) ? text : "+" + text;
}

std::string Impedance(std::complex<double> z, char sep)
{
    return ImpedanceText(z, 1, 1, sep) + " ohm";
}

} // namespace

ResultText TuneText(const TuneResult& r, char sep)
{
    const double l0 = r.subject.DesignLength(), change = r.TunedLength() - l0;
    const double z0 = r.match.z0;
    const std::string swrOf = " (" + FigureText(z0, 0, sep) + " ohm)";
    const auto feedRow = [&](const char* label, std::complex<double> z) {
        return FigureRow{label,
                         Impedance(z, sep) + ", SWR " + FigureText(Swr(z, z0), 2, sep) + swrOf,
                         "",
                         "",
                         {}};
    };
    const auto error = [&](double e) {
        return std::isfinite(e) ? Uncertain{r.TunedLength(), e}.ErrorText(1, sep)
                                : std::string("-");
    };
    const auto sentence = [](std::string text) {
        return FigureRow{"", std::move(text), "", "", {}};
    };
    ResultText text;
    std::vector<FigureRow>& rows = text.figures;
    rows = {
        {"Tuned length:",
         FigureText(r.TunedLength(), 1, sep) + " mm (DL6WU " + FigureText(l0, 1, sep) + " mm, " +
             Signed(change, 1, sep) + " mm, " + Signed(100 * change / l0, 2, sep) + " %)",
         "",
         "",
         {}},
        {"Length uncertainty:",
         std::isfinite(r.LengthError())
             ? error(r.LengthError()) + " mm (segments " + error(r.segmentsError) +
                   ", feed width " + error(r.feedWidthError) + ")"
             : std::string("-"),
         "",
         "",
         {}},
        {"Engine solves:", std::to_string(r.solves.size()), "", "", {}},
        feedRow("Feed at DL6WU length:", r.solves.front().impedance),
        feedRow("Feed at tuned length:", r.Tuned().impedance),
        {"Feed twice as wide:",
         r.wideSolves.empty() ? std::string("-")
                              : (Resonant(r.wideSolves) ? "resonant at " : "closest at ") +
                                    FigureText(r.BuilderLength(Best(r.wideSolves).length), 1, sep) +
                                    " mm, " + Impedance(Best(r.wideSolves).impedance, sep),
         "",
         "",
         {}},
    };
    if (!r.IsResonant())
        rows.push_back(sentence(kNotResonant));
    if (r.BeyondCuttingTolerance())
        rows.push_back(sentence("Beyond the report's length tolerance of " +
                                error(LengthTolerance(r.subject.design.WaveLength)) +
                                " mm: the feed as built decides the rest; check the resonance of "
                                "the built antenna"));
    if (BoomCorrected(r.subject.design))
        rows.push_back(sentence("The model's change of length, found without the boom, is added "
                                "to the boom-corrected length"));
    if (r.subject.feed == Feed::FoldedDipole) {
        rows.push_back({"Folded dipole rod:",
                        "for the tuned length, from the inside of the bends",
                        "",
                        "",
                        {}});
        for (const auto& [name, mm] : FoldedRodMarks(r.TunedDesign()))
            rows.push_back({std::string(name) + ":", FigureText(mm, 1, sep), "mm", "", {}});
    }
    const TuneMatch& m = r.match;
    rows.push_back({"Line:", FigureText(z0, 0, sep), "ohm", "", {}});
    rows.push_back({"SWR unmatched:", FigureText(m.swrUnmatched, 2, sep), "", "", {}});
    rows.push_back({"Quarter-wave transformer:",
                    FigureText(m.impedance, 1, sep) + " ohm, " + FigureText(m.length, 1, sep) +
                        " mm of coax (velocity factor " + FigureText(m.velocityFactor, 2, sep) +
                        ")",
                    "",
                    "",
                    {}});
    const std::string rods = FigureText(m.rods.diameter, 1, sep) + " mm rods";
    const std::string apart = FigureText(m.rods.spacing, 1, sep) + " mm centre to centre";
    std::string rodLine;
    switch (m.rodFit) {
    case RodFit::Practical:
        rodLine = rods + ", " + apart + ", " + FigureText(m.rods.length, 1, sep) + " mm long";
        break;
    case RodFit::OutOfRange: {
        const RodFitRange range = FitRange(RodSection::Round);
        rodLine = "not practical: round rods give " + std::to_string(range.low) + " to " +
                  std::to_string(range.high) + " ohm";
        break;
    }
    case RodFit::TooClose:
        rodLine = "not practical: " + rods + " " +
                  FigureText(m.rods.spacing - m.rods.diameter, 1, sep) + " mm apart";
        break;
    case RodFit::TooWide:
        rodLine = "not practical: " + rods + " " + apart + ", over a twentieth of a wave";
        break;
    }
    rows.push_back({"Rod line:", rodLine, "", "", {}});
    const auto matched = [&](double f, double swr) {
        return FigureRow{"SWR matched at " + FigureText(f, 3, sep) + " MHz:",
                         FigureText(swr, 2, sep),
                         "",
                         "",
                         {}};
    };
    const std::vector<SweepRow>& sweep = r.tuned.sweep;
    if (sweep.size() > 1)
        rows.push_back(matched(sweep.front().frequency, m.swrMatched.front()));
    rows.push_back(matched(r.subject.model.frequency, m.swrMatchedAtDesign));
    if (sweep.size() > 1)
        rows.push_back(matched(sweep.back().frequency, m.swrMatched.back()));
    return text;
}

std::string TuneCsv(const TuneResult& r)
{
    const auto F = [](double x, int n) { return FigureText(x, n, '.'); };
    const double l0 = r.subject.DesignLength();
    const TuneMatch& m = r.match;
    const bool rods = m.rodFit == RodFit::Practical;
    const TuneSolve* wide = r.wideSolves.empty() ? nullptr : &Best(r.wideSolves);
    const std::pair<const char*, std::string> figures[] = {
        {"dl6wu_length_mm", F(l0, 2)},
        {"tuned_length_mm", F(r.TunedLength(), 2)},
        {"change_mm", F(r.TunedLength() - l0, 2)},
        {"length_uncertainty_mm", F(r.LengthError(), 2)},
        {"length_uncertainty_segments_mm", F(r.segmentsError, 2)},
        {"length_uncertainty_feed_width_mm", F(r.feedWidthError, 2)},
        {"change_percent", F(100 * (r.TunedLength() - l0) / l0, 3)},
        {"engine_solves", std::to_string(r.solves.size())},
        {"resonant", r.IsResonant() ? "yes" : "no"},
        {"r_dl6wu_ohm", F(r.solves.front().impedance.real(), 2)},
        {"x_dl6wu_ohm", F(r.solves.front().impedance.imag(), 2)},
        {"r_tuned_ohm", F(r.Tuned().impedance.real(), 2)},
        {"x_tuned_ohm", F(r.Tuned().impedance.imag(), 2)},
        {"wide_feed_resonant", wide ? (Resonant(r.wideSolves) ? "yes" : "no") : ""},
        {"wide_feed_length_mm", wide ? F(r.BuilderLength(wide->length), 2) : ""},
        {"r_wide_feed_ohm", wide ? F(wide->impedance.real(), 2) : ""},
        {"x_wide_feed_ohm", wide ? F(wide->impedance.imag(), 2) : ""},
        {"line_ohm", F(m.z0, 1)},
        {"swr_dl6wu", F(Swr(r.solves.front().impedance, m.z0), 3)},
        {"swr_unmatched", F(m.swrUnmatched, 3)},
        {"transformer_ohm", F(m.impedance, 2)},
        {"transformer_length_mm", F(m.length, 1)},
        {"velocity_factor", F(m.velocityFactor, 2)},
        {"rod_diameter_mm", rods ? F(m.rods.diameter, 1) : ""},
        {"rod_spacing_mm", rods ? F(m.rods.spacing, 1) : ""},
        {"rod_line_length_mm", rods ? F(m.rods.length, 1) : ""},
        {"swr_matched_design", F(m.swrMatchedAtDesign, 3)},
    };
    std::string csv = "figure,value\n";
    for (const auto& [name, value] : figures)
        csv += std::string(name) + "," + value + "\n";
    if (r.subject.feed == Feed::FoldedDipole) {
        csv += "\nrod_mark,mm\n";
        for (const auto& [name, mm] : FoldedRodMarks(r.TunedDesign()))
            csv += std::string(name) + "," + F(mm, 1) + "\n";
    }
    csv += "\nfrequency_mhz,swr_dl6wu,gain_dl6wu_dbi,swr_tuned,gain_tuned_dbi,swr_matched\n";
    const std::vector<SweepRow>& tuned = r.tuned.sweep;
    for (size_t i = 0; i < tuned.size(); ++i) {
        const bool before = r.sweepBefore && i < r.sweepBefore->sweep.size();
        csv += F(tuned[i].frequency, 4) + "," +
               (before ? F(r.sweepBefore->sweep[i].swr, 3) + "," +
                             F(r.sweepBefore->sweep[i].gainDbi, 2)
                       : std::string(",")) +
               "," + F(tuned[i].swr, 3) + "," + F(tuned[i].gainDbi, 2) + "," +
               F(m.swrMatched[i], 3) + "\n";
    }
    return csv + "\n" + SimulationCsv(r.tuned);
}

} // namespace tavora
