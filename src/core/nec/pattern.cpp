// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/pattern.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavora {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

int Wrap(long a)
{
    return static_cast<int>(((a % 360) + 360) % 360);
}

// A whole degree: the finer steps' other angles stay out of the whole cuts.
bool Whole(double angle)
{
    return std::abs(angle - std::round(angle)) < 1e-6;
}

PatternCut EmptyCut()
{
    PatternCut c;
    c.fill(kNaN);
    return c;
}

} // namespace

PatternCut EPlaneCut(const std::vector<PatternPoint>& points)
{
    PatternCut c = EmptyCut();
    for (const PatternPoint& p : points)
        if (std::abs(p.theta - 90) < 1e-6 && Whole(p.phi))
            c[static_cast<size_t>(Wrap(std::lround(p.phi)))] = p.gain;
    return c;
}

PatternCut HPlaneCut(const std::vector<PatternPoint>& points)
{
    PatternCut c = EmptyCut();
    for (const PatternPoint& p : points)
        if (std::abs(p.phi) < 1e-6 && Whole(p.theta))
            c[static_cast<size_t>(Wrap(std::lround(90 - p.theta)))] = p.gain;
    return c;
}

namespace {

double At(const PatternCut& c, int a)
{
    return c[static_cast<size_t>(Wrap(a))];
}

// Steps from forward, walking in direction `dir` over `limit` steps of the
// cut `g` (gain by signed step), to where the gain first falls below `level`;
// linear interpolation between the steps. NaN when it never does.
template <class Gain> double HalfWidth(Gain g, int limit, double level, int dir)
{
    for (int a = 1; a <= limit; ++a) {
        const double x = g(dir * a);
        if (x < level) {
            const double prev = g(dir * (a - 1));
            return a - 1 + (prev - level) / (prev - x);
        }
    }
    return kNaN;
}

// The first side lobe walking in direction `dir`: past the first null, the
// next peak; NaN when the walk ends first.
template <class Gain> double SideLobe(Gain g, int limit, int dir)
{
    int a = 1;
    while (a < limit && g(dir * (a + 1)) <= g(dir * a))
        ++a;
    while (a < limit && g(dir * (a + 1)) >= g(dir * a))
        ++a;
    if (a >= limit)
        return kNaN;
    return g(dir * a) - g(0);
}

auto WholeGain(const PatternCut& c)
{
    return [&c](int a) { return At(c, a); };
}

double WholeHalfWidth(const PatternCut& c, int dir)
{
    const double w = HalfWidth(WholeGain(c), 180, c[0] - 3, dir);
    return std::isnan(w) ? 180 : w;
}

double Larger(double a, double b)
{
    if (std::isnan(a))
        return b;
    if (std::isnan(b))
        return a;
    return std::max(a, b);
}

// The finer cut's walk, in degrees; NaN where the cut is not complete.
template <class Walk> double FineWalk(const FineCut& f, Walk walk)
{
    const int n = f.at.steps;
    if (n <= 0 || f.gain.size() != static_cast<size_t>(2 * n + 1) ||
        std::any_of(f.gain.begin(), f.gain.end(), [](double g) { return std::isnan(g); }))
        return kNaN;
    return walk([&f, n](int i) { return f.gain[static_cast<size_t>(n + i)]; }, n);
}

FineCut FineFrom(const std::vector<PatternPoint>& points, FineSteps at, bool ePlane)
{
    if (at.steps <= 0 || !(at.step > 0))
        return {at, {}};
    FineCut f{at, std::vector<double>(static_cast<size_t>(2 * at.steps + 1), kNaN)};
    for (const PatternPoint& p : points) {
        if (ePlane ? std::abs(p.theta - 90) > 1e-6 : std::abs(p.phi) > 1e-6)
            continue;
        const double angle = ePlane ? p.phi : 90 - p.theta;
        const long i = std::lround(angle / at.step);
        // The engine prints angles to 0.01 degree.
        if (std::abs(angle - static_cast<double>(i) * at.step) < 1e-3 && std::abs(i) <= at.steps)
            f.gain[static_cast<size_t>(i + at.steps)] = p.gain;
    }
    return f;
}

} // namespace

double Beamwidth(const PatternCut& c)
{
    return std::min(360.0, WholeHalfWidth(c, 1) + WholeHalfWidth(c, -1));
}

double FirstSideLobe(const PatternCut& c)
{
    return Larger(SideLobe(WholeGain(c), 180, 1), SideLobe(WholeGain(c), 180, -1));
}

FineCut EPlaneFine(const std::vector<PatternPoint>& points, FineSteps at)
{
    return FineFrom(points, at, true);
}

FineCut HPlaneFine(const std::vector<PatternPoint>& points, FineSteps at)
{
    return FineFrom(points, at, false);
}

double Beamwidth(const PatternCut& whole, const FineCut& fine)
{
    double width = 0;
    for (const int dir : {1, -1}) {
        const double w = FineWalk(
            fine, [&](auto g, int n) { return HalfWidth(g, n, whole[0] - 3, dir) * fine.at.step; });
        width += std::isnan(w) ? WholeHalfWidth(whole, dir) : w;
    }
    return std::min(360.0, width);
}

double FirstSideLobe(const PatternCut& whole, const FineCut& fine)
{
    double worst = kNaN;
    for (const int dir : {1, -1}) {
        const double lobe = FineWalk(fine, [dir](auto g, int n) { return SideLobe(g, n, dir); });
        worst = Larger(worst, std::isnan(lobe) ? SideLobe(WholeGain(whole), 180, dir) : lobe);
    }
    return worst;
}

double RearMaximum(const PatternCut& a, const PatternCut& b)
{
    double worst = -std::numeric_limits<double>::infinity();
    for (int i = 90; i <= 270; ++i)
        for (const PatternCut* c : {&a, &b})
            if (!std::isnan((*c)[static_cast<size_t>(i)]))
                worst = std::max(worst, (*c)[static_cast<size_t>(i)]);
    return worst;
}

double Swr(std::complex<double> z, double z0)
{
    const double rho = std::abs((z - z0) / (z + z0));
    return rho >= 1 ? std::numeric_limits<double>::infinity() : (1 + rho) / (1 - rho);
}

double GainAt(const std::vector<PatternPoint>& points, double theta, double phi)
{
    for (const PatternPoint& p : points)
        if (std::abs(p.theta - theta) < 1e-6 && std::abs(p.phi - phi) < 1e-6)
            return p.gain;
    return kNaN;
}

} // namespace tavora
