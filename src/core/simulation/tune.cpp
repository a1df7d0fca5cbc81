// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/tune.h"

#include "design/cut_list.h"
#include "design/dl6wu.h"
#include "design/entry.h"
#include "feedline/impedance.h"
#include "nec/model_builder.h"
#include "nec/pattern.h"
#include "nec/segmentation.h"
#include "state/errors.h"
#include "state/refusals.h"
#include "text/csv.h"
#include "text/format.h"
#include "text/impedance_text.h"
#include "text/uncertain.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace tavora {

namespace {

std::optional<NecModel> FeedVariant(const NecModel& m, TuneFeed feed)
{
    switch (feed) {
    case TuneFeed::Model:
        return m;
    case TuneFeed::BuilderGap:
        return WithFedGap(m, BuilderGap(m));
    case TuneFeed::Widened:
        return FeedWidened(m);
    case TuneFeed::HalfDensity:
        return Recut(m, kCoarserDensity, FeedSegment(m));
    }
    return std::nullopt;
}

} // namespace

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
    if (auto v = FeedVariant(m, variant))
        return *v;
    throw Error("The driven element is too short to change its feed");
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

// Solves the model at each length at the design frequency, after `done` solves
// of `most`.
std::vector<TuneSolve> SolveLengths(const TuneSubject& subject, const std::vector<double>& lengths,
                                    const RunControl& control, int done, int most)
{
    std::vector<NecJob> jobs;
    for (double length : lengths)
        jobs.push_back({subject.WithLength(length), false, {{subject.model.frequency, 0, 1}}});
    RunControl step = control;
    if (control.progress)
        step.progress = [&control, done, most](int finished, int) {
            control.progress(done + finished, most);
        };
    const auto solutions = Solve(jobs, step);
    std::vector<TuneSolve> solves;
    for (size_t i = 0; i < lengths.size(); ++i)
        solves.push_back({lengths[i], solutions[i].frequencies.at(0).Feed()});
    return solves;
}

} // namespace

std::vector<TuneSolve> SearchResonance(const TuneSubject& subject, const RunControl& control)
{
    const double l0 = subject.ModelLength();
    std::vector<TuneSolve> solves = SolveLengths(
        subject, {l0, l0 * (1 - kFirstStep), l0 * (1 + kFirstStep)}, control, 0, kMostTuneSolves);
    while (std::abs(Best(solves).impedance.imag()) > kResonantReactance &&
           static_cast<int>(solves.size()) < kMostTuneSolves) {
        const auto next = NextLength(solves, l0);
        if (!next)
            break;
        solves.push_back(SolveLengths(subject, {*next}, control, static_cast<int>(solves.size()),
                                      kMostTuneSolves)
                             .front());
    }
    return solves;
}

namespace {

double Reflection2(std::complex<double> z, double z0)
{
    return std::norm((z - z0) / (z + z0));
}

bool ByLength(const TuneSolve& a, const TuneSolve& b)
{
    return a.length < b.length;
}

} // namespace

const TuneSolve& BestMatch(const std::vector<TuneSolve>& solves, double z0)
{
    return *std::min_element(solves.begin(), solves.end(), [z0](const auto& a, const auto& b) {
        return Reflection2(a.impedance, z0) < Reflection2(b.impedance, z0);
    });
}

std::vector<TuneSolve> SearchMatch(const TuneSubject& subject, double z0,
                                   std::vector<TuneSolve> solves, const RunControl& control)
{
    const double l0 = subject.ModelLength();
    const size_t from = solves.size();
    while (solves.size() < from + kMostMatchSolves) {
        std::vector<TuneSolve> sorted = solves;
        std::sort(sorted.begin(), sorted.end(), ByLength);
        const TuneSolve& best = BestMatch(sorted, z0);
        const size_t i = static_cast<size_t>(&best - sorted.data());
        double next = 0;
        if (i == 0 || i + 1 == sorted.size()) {
            next = std::clamp(best.length + (i == 0 ? -kFirstStep : kFirstStep) * l0,
                              (1 - kFurthest) * l0, (1 + kFurthest) * l0);
        } else {
            const double x0 = sorted[i - 1].length, x1 = best.length, x2 = sorted[i + 1].length;
            const double y0 = Reflection2(sorted[i - 1].impedance, z0),
                         y1 = Reflection2(best.impedance, z0),
                         y2 = Reflection2(sorted[i + 1].impedance, z0);
            const double d01 = (y1 - y0) / (x1 - x0), d12 = (y2 - y1) / (x2 - x1);
            next = (x1 + x2) / 2 - d12 / (2 * (d12 - d01) / (x2 - x0));
            if (!(next > x0 && next < x2))
                next = y0 < y2 ? (x0 + x1) / 2 : (x1 + x2) / 2;
        }
        if (!std::isfinite(next) || std::abs(next - best.length) < 1e-3 * l0)
            break;
        const auto more = SolveLengths(subject, {next}, control,
                                       static_cast<int>(solves.size() - from), kMostMatchSolves);
        solves.push_back(more.front());
    }
    return solves;
}

const TuneSolve& TuneResult::Tuned() const
{
    return Changes() ? BestMatch(own.solves, z0) : own.solves.front();
}

double TuneResult::TunedLength() const
{
    return BuilderLength(Tuned().length);
}

double TuneResult::BuilderLength(double model) const
{
    return subject.DesignLength() + (model - subject.ModelLength());
}

const TuneLengths* TuneResult::Variant(TuneFeed feed) const
{
    for (const TuneLengths& v : variants)
        if (v.feed == feed)
            return &v;
    return nullptr;
}

bool TuneResult::ShowsResonance() const
{
    const TuneLengths* gap = Variant(TuneFeed::BuilderGap);
    return own.resonant && (!gap || gap->resonant);
}

bool TuneResult::FoldedNotResonant() const
{
    return subject.feed == Feed::FoldedDipole && !own.resonant;
}

bool TuneResult::BeyondCuttingTolerance() const
{
    const TuneSolve& best = BestMatch(own.solves, z0);
    return std::abs(best.length - own.solves.front().length) >
           LengthTolerance(subject.design.WaveLength);
}

bool TuneResult::BetterMatch() const
{
    const TuneSolve& best = BestMatch(own.solves, z0);
    return BeyondCuttingTolerance() &&
           Swr(own.solves.front().impedance, z0) - Swr(best.impedance, z0) >= kLeastSwrGain;
}

bool TuneResult::Changes() const
{
    return BetterMatch() && !FoldedNotResonant();
}

namespace {

// How far the model's form moves the length of least SWR (or of X = 0 when
// `resonance`), mm: Z moves along the length as the two solves nearest it
// say, and the form's R and X shares shift that line. Near its least the
// reflection's move along the line is the form's share along it.
double FormShare(std::vector<TuneSolve> solves, double length, bool resonance)
{
    std::sort(solves.begin(), solves.end(), [length](const auto& a, const auto& b) {
        return std::abs(a.length - length) < std::abs(b.length - length);
    });
    const std::complex<double> slope =
        (solves[1].impedance - solves[0].impedance) / (solves[1].length - solves[0].length);
    if (resonance)
        return kFormReactance / std::abs(slope.imag());
    return (std::abs(slope.real()) * kFormResistance * solves[0].impedance.real() +
            std::abs(slope.imag()) * kFormReactance) /
           std::norm(slope);
}

} // namespace

LengthBand TuneResult::Band(bool resonance) const
{
    const auto lengthOf = [resonance](const TuneLengths& t) {
        return resonance ? t.resonance : t.match;
    };
    LengthBand b;
    const double l = resonance ? own.resonance : own.match;
    b.length = BuilderLength(l);
    double below = 0, above = 0, density = 0;
    for (const TuneLengths& v : variants) {
        if (resonance && !v.resonant)
            continue;
        const double d = lengthOf(v) - l;
        if (v.feed == TuneFeed::HalfDensity) {
            b.density = density = std::abs(d);
            continue;
        }
        below = std::min(below, d);
        above = std::max(above, d);
        (v.feed == TuneFeed::BuilderGap ? b.gapLength : b.wideLength) = BuilderLength(lengthOf(v));
    }
    // Each feed's length is as uncertain as the model's: the density's move
    // and the model form's share.
    b.form = FormShare(own.solves, l, resonance);
    const double share = std::hypot(density, b.form);
    b.low = b.length + below - share;
    b.high = b.length + above + share;
    return b;
}

bool TuneResult::OffersRods() const
{
    return match.rodsLower && match.rodFit == RodFit::Practical && !FoldedNotResonant();
}

DesignState TuneResult::TunedDesign() const
{
    DesignState s = subject.design;
    (subject.feed == Feed::SingleDipole ? s.DipoleLength : s.FoldedLength) = TunedLength();
    return s;
}

double TwoWireImpedance(double spacingOverDiameter)
{
    return 120 * std::acosh(spacingOverDiameter);
}

double TwoWireRatio(double impedance)
{
    return std::cosh(impedance / 120);
}

double CoaxImpedance(const std::string& text)
{
    const std::string unit = " ohm";
    if (text.size() <= unit.size() || text.compare(text.size() - unit.size(), unit.size(), unit))
        return 0;
    const size_t end = text.size() - unit.size(), start = text.rfind(' ', end - 1) + 1;
    double z = 0;
    std::from_chars(text.data() + start, text.data() + end, z);
    return z;
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

TuneMatch MatchFeed(std::complex<double> z, double z0, Feed feed, double frequency,
                    std::optional<double> velocityFactor, double rodDiameter,
                    const std::vector<SweepRow>& sweep)
{
    TuneMatch m;
    m.z0 = z0;
    m.feed = feed;
    // The folded dipole's coax comes after its 4:1 balun, which divides the
    // feed and the line alike; the rods are balanced and go before it.
    const double balun = feed == Feed::FoldedDipole ? 4 : 1;
    m.line = z0 / balun;
    const auto through = [&](double zt, double k) {
        const auto swr = [&](std::complex<double> load, double f) {
            return zt > 0 ? Swr(ThroughQuarterWave(load / k, zt, f, frequency), z0 / k)
                          : Swr(load, z0);
        };
        SwrSpan s{swr(z, frequency), {}};
        for (const SweepRow& row : sweep)
            s.sweep.push_back(swr(row.impedance, row.frequency));
        return s;
    };
    m.unmatched = through(0, 1);
    const auto lowers = [&m](const SwrSpan& s) {
        return m.unmatched.centre - s.centre >= kLeastSwrGain;
    };
    // The first cable of each impedance in the list stands for it.
    std::optional<Transformer> best;
    for (const CoaxItem& item : CoaxList()) {
        const double zt = CoaxImpedance(item.text);
        if (zt <= 0)
            continue;
        const double vf = velocityFactor.value_or(item.velocityFactor);
        Transformer t{zt,
                      item.text,
                      vf,
                      0,
                      0,
                      static_cast<double>(QuarterWaveLength(frequency, vf)),
                      through(zt, balun)};
        if (!best || t.swr.centre < best->swr.centre)
            best = std::move(t);
    }
    if (best && lowers(best->swr))
        m.cable = std::move(best);
    // Zt^2 = z0 |Z| gives the least |reflection| through the line for a
    // complex Z too; two round rods reach any impedance in air.
    const double zt = std::sqrt(z0 * std::abs(z));
    m.rods = {zt,
              "",
              1,
              rodDiameter,
              rodDiameter * TwoWireRatio(zt),
              static_cast<double>(QuarterWaveLength(frequency, 1)),
              through(zt, 1)};
    m.rodFit = m.rods.spacing - m.rods.diameter < kLeastRodGap              ? RodFit::TooClose
               : m.rods.spacing > kWidestRodSpacing * WaveLength(frequency) ? RodFit::TooWide
                                                                            : RodFit::Practical;
    m.rodsLower = lowers(m.rods.swr);
    return m;
}

namespace {

// The transformer's velocity factor as given, refused outside 0 to 1.
void RefuseVelocityFactor(const TuneSettings& settings, char sep)
{
    if (!settings.velocityFactor)
        return;
    RefuseNotPositive(*settings.velocityFactor, kVelocityFactorBox);
    RefuseAbove(*settings.velocityFactor, 1, kVelocityFactorBox, sep);
}

// Both searches on one feed model, in one share of the bar.
TuneLengths Lengths(TuneSubject subject, TuneFeed feed, double z0, const RunControl& control)
{
    subject.variant = feed;
    TuneLengths t;
    t.feed = feed;
    RunControl first = control, second = control;
    if (control.progress) {
        first.progress = [&control](int done, int all) { control.progress(6 * done, 10 * all); };
        second.progress = [&control](int done, int all) {
            control.progress(6 * all + 4 * done, 10 * all);
        };
    }
    const std::vector<TuneSolve> resonance = SearchResonance(subject, first);
    t.resonant = Resonant(resonance);
    t.resonance = Best(resonance).length;
    t.solves = SearchMatch(subject, z0, resonance, second);
    t.match = BestMatch(t.solves, z0).length;
    return t;
}

} // namespace

void Refuse(const TuneSettings& settings, const TuneSubject& subject, char sep)
{
    Refuse(settings.simulation, subject.model, sep);
    RefuseVelocityFactor(settings, sep);
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
    r.z0 = ReferenceImpedance(subject.feed, settings.simulation.z0);
    // One bar over the whole job: the model's searches, the other feed
    // models', then one or two simulations.
    const int sims = settings.sweepBefore ? 2 : 1;
    const int total = kTuneSteps, searchShare = 250, variantShare = 100,
              simShare = (total - searchShare - 3 * variantShare) / sims;
    const auto phase = [&control, total](int from, int share) {
        RunControl c = control;
        if (control.progress)
            c.progress = [&control, from, share, total](int finished, int all) {
                control.progress(from + share * finished / std::max(all, 1), total);
            };
        return c;
    };
    r.own = Lengths(r.subject, TuneFeed::Model, r.z0, phase(0, searchShare));
    // Outside the engine's range the other models are no measure either.
    int from = searchShare;
    if (subject.model.rangeNotes.empty())
        for (TuneFeed feed : {TuneFeed::BuilderGap, TuneFeed::Widened, TuneFeed::HalfDensity}) {
            if (FeedVariant(subject.model, feed))
                r.variants.push_back(Lengths(r.subject, feed, r.z0, phase(from, variantShare)));
            from += variantShare;
        }
    const int simFrom = searchShare + 3 * variantShare;
    r.tuned =
        Run(r.subject.WithLength(r.Tuned().length), settings.simulation, phase(simFrom, simShare));
    const std::vector<SweepRow>& sweep = r.tuned.sweep;
    if (settings.sweepBefore)
        r.sweepBefore =
            r.Changes()
                ? std::make_shared<const SimulationResult>(Run(r.subject.model, settings.simulation,
                                                               phase(simFrom + simShare, simShare)))
                : std::make_shared<const SimulationResult>(r.tuned);
    // The DL6WU length's SWR at the sweep's ends: what a change of length is
    // held to there.
    if (r.sweepBefore) {
        for (const SweepRow& row : {r.sweepBefore->sweep.front(), r.sweepBefore->sweep.back()})
            r.edgesBefore.push_back(row.swr);
    } else if (!r.Changes()) {
        r.edgesBefore = {sweep.front().swr, sweep.back().swr};
    } else {
        const double low = sweep.front().frequency, high = sweep.back().frequency;
        const auto edges = Solve({{r.subject.model, false, {{low, high - low, 2}}}}, control);
        for (const SolvedFrequency& f : edges.at(0).frequencies)
            r.edgesBefore.push_back(Swr(f.Feed(), r.z0));
    }
    r.match = MatchFeed(r.Tuned().impedance, r.z0, subject.feed, subject.model.frequency,
                        settings.velocityFactor, r.subject.members.RadiatorDiam, sweep);
    // The DL6WU length kept needs no second simulation: the bar ends here.
    if (control.progress)
        control.progress(total, total);
    return r;
}

namespace {

std::string Signed(double x, int n, char sep)
{
    const std::string text = FigureText(x, n, sep);
    return text.front() == '-' || text == FigureText(0, n, sep) ? text : "+" + text;
}

} // namespace

namespace {

std::string Mm(double x, char sep)
{
    return FigureText(x, 1, sep) + " mm";
}

// "SWR 1.55 to 1.12 at 144.100 MHz, ..." at the design frequency and the
// sweep's ends, and where it rises: no change is shown without it.
std::string SwrChange(double before, double after, const std::vector<double>& edgesBefore,
                      const std::vector<double>& edgesAfter, const std::vector<SweepRow>& sweep,
                      double frequency, char sep)
{
    struct Point {
        double f, before, after;
    };
    std::vector<Point> points{{frequency, before, after}};
    if (sweep.size() > 1 && edgesBefore.size() == 2 && edgesAfter.size() == 2)
        points.insert(points.end(), {{sweep.front().frequency, edgesBefore[0], edgesAfter[0]},
                                     {sweep.back().frequency, edgesBefore[1], edgesAfter[1]}});
    std::string text = "SWR", raised;
    for (const Point& p : points) {
        const std::string mhz = FigureText(p.f, 3, sep) + " MHz";
        text += std::string(&p == points.data() ? " " : ", ") + FigureText(p.before, 2, sep) +
                " to " + FigureText(p.after, 2, sep) + " at " + mhz;
        if (std::round(100 * p.after) > std::round(100 * p.before))
            raised += (raised.empty() ? "" : " and ") + mhz;
    }
    return raised.empty() ? text : text + "; raises it at " + raised;
}

size_t Solves(const TuneResult& r)
{
    size_t n = r.own.solves.size();
    for (const TuneLengths& v : r.variants)
        n += v.solves.size();
    return n;
}

std::vector<double> Edges(const std::vector<double>& sweepSwr)
{
    return sweepSwr.size() > 1 ? std::vector<double>{sweepSwr.front(), sweepSwr.back()}
                               : std::vector<double>{};
}

std::string BandText(const LengthBand& b, char sep)
{
    std::string text = FigureText(b.low, 1, sep) + " to " + Mm(b.high, sep);
    std::vector<std::string> parts;
    if (std::isfinite(b.density))
        parts.push_back("half density " + Uncertain{b.length, b.density}.ErrorText(1, sep));
    parts.push_back("model form " + Uncertain{b.length, b.form}.ErrorText(1, sep));
    if (std::isfinite(b.gapLength))
        parts.push_back("builder's gap " + FigureText(b.gapLength, 1, sep));
    if (std::isfinite(b.wideLength))
        parts.push_back("feed twice as wide " + FigureText(b.wideLength, 1, sep));
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i ? ", " : " (") + parts[i] + (i + 1 == parts.size() ? ")" : "");
    return text;
}

} // namespace

ResultText TuneText(const TuneResult& r, char sep)
{
    const double l0 = r.subject.DesignLength();
    const double z0 = r.z0, f0 = r.subject.model.frequency;
    const TuneSolve& dl6wu = r.own.solves.front();
    const TuneSolve& best = BestMatch(r.own.solves, z0);
    const std::string swrOf = " (" + FigureText(z0, 0, sep) + " ohm)";
    const auto impedance = [sep](std::complex<double> z) {
        return ImpedanceText(z, 1, 1, sep) + " ohm";
    };
    const auto feedRow = [&](std::string label, std::complex<double> z) {
        return FigureRow{std::move(label),
                         impedance(z) + ", SWR " + FigureText(Swr(z, z0), 2, sep) + swrOf,
                         "",
                         "",
                         {}};
    };
    const auto row = [](std::string label, std::string text) {
        return FigureRow{std::move(label), std::move(text), "", "", {}};
    };
    const auto percent = [&](double mm) { return FigureText(100 * std::abs(mm) / l0, 1, sep); };
    const std::vector<SweepRow>& sweep = r.tuned.sweep;
    const std::vector<double> edgesAfter =
        sweep.size() > 1 ? std::vector<double>{sweep.front().swr, sweep.back().swr}
                         : std::vector<double>{};
    ResultText text;
    std::vector<FigureRow>& rows = text.figures;
    const LengthBand band = r.Band(false);
    const double change = r.TunedLength() - l0;
    if (r.Changes())
        rows.push_back(
            row("Tuned length:", Mm(r.TunedLength(), sep) + " (DL6WU " + Mm(l0, sep) + ", " +
                                     Signed(change, 1, sep) + " mm, " +
                                     Signed(100 * change / l0, 2, sep) + " %): " +
                                     SwrChange(Swr(dl6wu.impedance, z0), Swr(best.impedance, z0),
                                               r.edgesBefore, edgesAfter, sweep, f0, sep)));
    else
        rows.push_back(
            row("Tuned length:",
                Mm(l0, sep) + " (DL6WU " + Mm(l0, sep) + ", no change): " +
                    (r.BetterMatch() ? std::string("the folded dipole does not resonate; no rod "
                                                   "for another length")
                                     : std::string(kAlreadyBest))));
    rows.push_back(row("Lowest SWR" + swrOf + " at " + FigureText(f0, 3, sep) + " MHz:",
                       Mm(r.BuilderLength(best.length), sep) + ", " + impedance(best.impedance) +
                           ", SWR " + FigureText(Swr(best.impedance, z0), 2, sep)));
    if (r.Changes())
        rows.push_back(row("Band it holds in:", BandText(band, sep)));
    rows.push_back(row("Engine solves:", std::to_string(Solves(r))));
    rows.push_back(feedRow("Feed at DL6WU length:", dl6wu.impedance));
    rows.push_back(feedRow("Feed at tuned length:", r.Tuned().impedance));
    if (r.ShowsResonance()) {
        const TuneSolve& x0 = Best(r.own.solves);
        rows.push_back(row("X = 0 at:", Mm(r.BuilderLength(x0.length), sep) + ", " +
                                            impedance(x0.impedance) + ", SWR " +
                                            FigureText(Swr(x0.impedance, z0), 2, sep) + swrOf));
        rows.push_back(row("X = 0 band:", BandText(r.Band(true), sep)));
    } else {
        // Where the model or the builder's gap never comes to X = 0.
        const TuneLengths* gap = r.Variant(TuneFeed::BuilderGap);
        const TuneLengths& closest = r.own.resonant && gap ? *gap : r.own;
        const TuneSolve& x = Best(closest.solves);
        rows.push_back(
            row("X = 0 at:",
                std::string(r.subject.feed == Feed::FoldedDipole ? "the folded" : "the single") +
                    " dipole does not resonate near the DL6WU length" +
                    (&closest == gap ? " with the builder's gap" : "") +
                    ": X comes no closer to 0 than " + FigureText(x.impedance.imag(), 1, sep) +
                    " ohm, at " + Mm(r.BuilderLength(x.length), sep)));
    }
    // Which length to cut: the builder can shorten a rod, not lengthen it.
    if (r.BeyondCuttingTolerance()) {
        const double bestChange = r.BuilderLength(best.length) - l0;
        const std::string measured = "the model matches best " + percent(bestChange) + " % " +
                                     (bestChange > 0 ? "longer" : "shorter") +
                                     " than the DL6WU length";
        std::string advice;
        if (!r.BetterMatch())
            advice = measured + ", and lowers the SWR by less than " +
                     FigureText(kLeastSwrGain, 2, sep) + ": cut to the DL6WU length";
        else if (!r.Changes())
            advice = measured + ", but its feed does not resonate: cut to the DL6WU length; no "
                                "rod for another length";
        else {
            const double cut = std::max(l0, band.high);
            advice = measured +
                     "; the model holds no balun and no feed leads: cut to the DL6WU length" +
                     (cut > l0 ? " plus " + Mm(cut - l0, sep) + " (" + Mm(cut, sep) +
                                     ", the band's longer end), then trim as built"
                               : ", then trim toward " + Mm(r.TunedLength(), sep) + " as built");
        }
        rows.push_back(row("Which to cut:", advice));
    }
    if (r.Changes() && std::max(band.high - band.length, band.length - band.low) >
                           LengthTolerance(r.subject.design.WaveLength))
        rows.push_back(row(
            "", "Beyond the report's length tolerance of " +
                    Uncertain{l0, LengthTolerance(r.subject.design.WaveLength)}.ErrorText(1, sep) +
                    " mm: the feed as built decides the rest; check the resonance "
                    "of the built antenna"));
    if (r.Changes() && BoomCorrected(r.subject.design))
        rows.push_back(row("", "The model's change of length, found without the boom, is added "
                               "to the boom-corrected length"));
    if (r.Changes() && r.subject.feed == Feed::FoldedDipole) {
        rows.push_back(
            row("Folded dipole rod:", "for the tuned length, from the inside of the bends"));
        for (const auto& [name, mm] : FoldedRodMarks(r.TunedDesign()))
            rows.push_back({std::string(name) + ":", FigureText(mm, 1, sep), "mm", "", {}});
    }
    const TuneMatch& m = r.match;
    const auto swrList = [&](const SwrSpan& s) {
        std::string t = FigureText(s.centre, 2, sep) + " at " + FigureText(f0, 3, sep) + " MHz";
        if (sweep.size() > 1)
            t += ", " + FigureText(s.sweep.front(), 2, sep) + " at " +
                 FigureText(sweep.front().frequency, 3, sep) + " MHz, " +
                 FigureText(s.sweep.back(), 2, sep) + " at " +
                 FigureText(sweep.back().frequency, 3, sep) + " MHz";
        return t;
    };
    const auto through = [&](const Transformer& t) {
        return SwrChange(m.unmatched.centre, t.swr.centre, Edges(m.unmatched.sweep),
                         Edges(t.swr.sweep), sweep, f0, sep);
    };
    rows.push_back(row("Line:", FigureText(z0, 0, sep) + " ohm"));
    rows.push_back(row("SWR unmatched:", swrList(m.unmatched)));
    if (m.feed == Feed::FoldedDipole)
        rows.push_back(row("After the 4:1 balun:", impedance(r.Tuned().impedance / 4.0) + " on " +
                                                       FigureText(m.line, 0, sep) + " ohm, SWR " +
                                                       swrList(m.unmatched)));
    rows.push_back(row(
        "Quarter-wave transformer:",
        m.cable ? m.cable->cable + (m.feed == Feed::FoldedDipole ? " after the balun, " : ", ") +
                      Mm(m.cable->length, sep) + " (velocity factor " +
                      FigureText(m.cable->velocityFactor, 2, sep) + "): " + through(*m.cable)
                : std::string("none: no cable of the coax list lowers the SWR")));
    const Transformer& rods = m.rods;
    const std::string rodSize = Mm(rods.diameter, sep) + " rods";
    std::string rodLine;
    if (r.FoldedNotResonant())
        rodLine = "none: the folded dipole does not resonate";
    else if (!m.rodsLower)
        rodLine =
            "none: a line of " + FigureText(rods.impedance, 0, sep) + " ohm does not lower the SWR";
    else if (m.rodFit == RodFit::TooClose)
        rodLine = "none: " + FigureText(rods.impedance, 0, sep) + " ohm needs " + rodSize + " " +
                  Mm(rods.spacing - rods.diameter, sep) + " apart";
    else if (m.rodFit == RodFit::TooWide)
        rodLine = "none: " + FigureText(rods.impedance, 0, sep) + " ohm needs " + rodSize + " " +
                  Mm(rods.spacing, sep) + " centre to centre, over a twentieth of a wave";
    else
        rodLine = rodSize + ", " + Mm(rods.spacing, sep) + " centre to centre (" +
                  FigureText(rods.impedance, 0, sep) + " ohm, 120 acosh(s/d) in air), " +
                  Mm(rods.length, sep) + " long: " + through(rods);
    rows.push_back(row("Rod line:", rodLine));
    return text;
}

CsvTables TuneCsv(const TuneResult& r)
{
    const auto F = [](double x, int n) { return FigureText(x, n, '.'); };
    const double l0 = r.subject.DesignLength();
    const TuneMatch& m = r.match;
    const bool rods = r.OffersRods();
    const TuneSolve& best = BestMatch(r.own.solves, r.z0);
    const TuneSolve& x0 = Best(r.own.solves);
    const LengthBand band = r.Band(false), x0Band = r.Band(true);
    const std::pair<const char*, std::string> figures[] = {
        {"dl6wu_length_mm", F(l0, 2)},
        {"tuned_length_mm", F(r.TunedLength(), 2)},
        {"change_mm", F(r.TunedLength() - l0, 2)},
        {"change_percent", F(100 * (r.TunedLength() - l0) / l0, 3)},
        {"lowest_swr_length_mm", F(r.BuilderLength(best.length), 2)},
        {"lowest_swr_band_low_mm", F(band.low, 2)},
        {"lowest_swr_band_high_mm", F(band.high, 2)},
        {"engine_solves", std::to_string(Solves(r))},
        {"resonant", r.ShowsResonance() ? "yes" : "no"},
        {"resonant_length_mm", r.ShowsResonance() ? F(r.BuilderLength(x0.length), 2) : ""},
        {"resonant_band_low_mm", r.ShowsResonance() ? F(x0Band.low, 2) : ""},
        {"resonant_band_high_mm", r.ShowsResonance() ? F(x0Band.high, 2) : ""},
        {"r_dl6wu_ohm", F(r.own.solves.front().impedance.real(), 2)},
        {"x_dl6wu_ohm", F(r.own.solves.front().impedance.imag(), 2)},
        {"r_tuned_ohm", F(r.Tuned().impedance.real(), 2)},
        {"x_tuned_ohm", F(r.Tuned().impedance.imag(), 2)},
        {"line_ohm", F(m.z0, 1)},
        {"swr_dl6wu", F(Swr(r.own.solves.front().impedance, m.z0), 3)},
        {"swr_unmatched", F(m.unmatched.centre, 3)},
        {"transformer_cable", m.cable ? CsvQuoted(m.cable->cable) : ""},
        {"transformer_ohm", m.cable ? F(m.cable->impedance, 1) : ""},
        {"transformer_length_mm", m.cable ? F(m.cable->length, 1) : ""},
        {"velocity_factor", m.cable ? F(m.cable->velocityFactor, 2) : ""},
        {"swr_transformer_design", m.cable ? F(m.cable->swr.centre, 3) : ""},
        {"rod_line_ohm", rods ? F(m.rods.impedance, 1) : ""},
        {"rod_diameter_mm", rods ? F(m.rods.diameter, 1) : ""},
        {"rod_spacing_mm", rods ? F(m.rods.spacing, 1) : ""},
        {"rod_line_length_mm", rods ? F(m.rods.length, 1) : ""},
        {"swr_rod_line_design", rods ? F(m.rods.swr.centre, 3) : ""},
    };
    std::string csv = "figure,value\n";
    for (const auto& [name, value] : figures)
        csv += std::string(name) + "," + value + "\n";
    CsvTables tables{{"figures", csv}};
    if (r.Changes() && r.subject.feed == Feed::FoldedDipole) {
        std::string marks = "rod_mark,mm\n";
        for (const auto& [name, mm] : FoldedRodMarks(r.TunedDesign()))
            marks += std::string(name) + "," + F(mm, 1) + "\n";
        tables.push_back({"rod-marks", marks});
    }
    csv = "frequency_mhz,swr_dl6wu,gain_dl6wu_dbi,swr_tuned,gain_tuned_dbi,swr_transformer,"
          "swr_rod_line\n";
    const std::vector<SweepRow>& tuned = r.tuned.sweep;
    for (size_t i = 0; i < tuned.size(); ++i) {
        const bool before = r.sweepBefore && i < r.sweepBefore->sweep.size();
        csv += F(tuned[i].frequency, 4) + "," +
               (before ? F(r.sweepBefore->sweep[i].swr, 3) + "," +
                             F(r.sweepBefore->sweep[i].gainDbi, 2)
                       : std::string(",")) +
               "," + F(tuned[i].swr, 3) + "," + F(tuned[i].gainDbi, 2) + "," +
               (m.cable ? F(m.cable->swr.sweep[i], 3) : "") + "," +
               (rods ? F(m.rods.swr.sweep[i], 3) : "") + "\n";
    }
    tables.push_back({"sweep", csv});
    // The tuned antenna's own tables, as the simulation writes them.
    for (CsvTable& t : SimulationCsv(r.tuned))
        tables.push_back({"tuned-" + t.name, std::move(t.text)});
    return tables;
}

} // namespace tavora
