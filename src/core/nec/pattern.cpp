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
        if (std::abs(p.theta - 90) < 1e-6)
            c[static_cast<size_t>(Wrap(std::lround(p.phi)))] = p.gain;
    return c;
}

PatternCut HPlaneCut(const std::vector<PatternPoint>& points)
{
    PatternCut c = EmptyCut();
    for (const PatternPoint& p : points)
        if (std::abs(p.phi) < 1e-6)
            c[static_cast<size_t>(Wrap(std::lround(90 - p.theta)))] = p.gain;
    return c;
}

namespace {

double At(const PatternCut& c, int a)
{
    return c[static_cast<size_t>(Wrap(a))];
}

// Degrees from forward, walking in direction `dir`, to where the gain first
// falls below `level`; linear interpolation between the whole degrees.
double HalfWidth(const PatternCut& c, double level, int dir)
{
    for (int a = 1; a <= 180; ++a) {
        const double g = At(c, dir * a);
        if (g < level) {
            const double prev = At(c, dir * (a - 1));
            return a - 1 + (prev - level) / (prev - g);
        }
    }
    return 180;
}

// The first side lobe walking in direction `dir`: past the first null, the next peak.
double SideLobe(const PatternCut& c, int dir)
{
    int a = 1;
    while (a < 180 && At(c, dir * (a + 1)) <= At(c, dir * a))
        ++a;
    while (a < 180 && At(c, dir * (a + 1)) >= At(c, dir * a))
        ++a;
    if (a >= 180)
        return kNaN;
    return At(c, dir * a) - c[0];
}

} // namespace

double Beamwidth(const PatternCut& c)
{
    const double level = c[0] - 3;
    return std::min(360.0, HalfWidth(c, level, 1) + HalfWidth(c, level, -1));
}

double FirstSideLobe(const PatternCut& c)
{
    const double a = SideLobe(c, 1), b = SideLobe(c, -1);
    if (std::isnan(a))
        return b;
    if (std::isnan(b))
        return a;
    return std::max(a, b);
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
