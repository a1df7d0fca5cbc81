// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/plot_scale.h"

#include "text/format.h"

#include <algorithm>
#include <cmath>

namespace tavora {

double PolarRadius(double gain, double maxGain, double rangeDb)
{
    if (!std::isfinite(gain))
        return 0;
    return std::clamp((gain - maxGain + rangeDb) / rangeDb, 0.0, 1.0);
}

std::vector<double> PolarRings(double rangeDb, double stepDb)
{
    std::vector<double> rings;
    for (double level = 0; level > -rangeDb + 1e-9; level -= stepDb)
        rings.push_back(level);
    return rings;
}

std::string SwrCaption(double z0, char sep)
{
    return "SWR against " + FormatFixed(z0, 6, 0, sep) + " ohm";
}

std::string PolarScaleCaption(double maxGain, char sep)
{
    return "0 dB = " + FormatFixed(maxGain, 5, 2, sep) + " dBi";
}

std::string RingLabel(double levelDb, char sep)
{
    return FormatFixed(levelDb, 4, 0, sep) + " dB";
}

namespace {

double NiceStep(double span, int count)
{
    const double raw = span / std::max(count, 1);
    const double power = std::pow(10, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw)
            return m * power;
    return 10 * power;
}

} // namespace

std::vector<double> AxisTicks(double lo, double hi, int count)
{
    if (!(hi > lo) || !std::isfinite(lo) || !std::isfinite(hi))
        return {lo};
    const double step = NiceStep(hi - lo, count);
    const double first = std::ceil(lo / step - 1e-9) * step;
    std::vector<double> ticks;
    // Counted, not summed, and bounded: where the step is below the numbers'
    // precision (1E+16 to 1.0000000000000002E+16) adding it changes nothing.
    for (int i = 0; i <= 2 * count + 2; ++i) {
        const double t = first + i * step;
        if (t > hi + step * 1e-9 || (!ticks.empty() && t <= ticks.back()))
            break;
        ticks.push_back(std::abs(t) < step * 1e-9 ? 0 : t);
    }
    return ticks;
}

std::string TickLabel(double value, double step, char sep)
{
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return FormatFixed(value, 15, decimals, sep);
}

} // namespace tavora
