// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/model.h"

#include <algorithm>

namespace tavora {

namespace {
// Coordinates of computed wires agree to rounding only.
constexpr double kOnPlane = 1e-9;
} // namespace

Sweep SweepAround(double frequency, double percent, int points)
{
    points = std::max(points, 1);
    if (points == 1)
        return {frequency, 0, 1};
    const double span = frequency * percent / 100;
    return {frequency - span, 2 * span / (points - 1), points};
}

std::vector<Sweep> SplitSweep(const Sweep& sweep, int pieces)
{
    pieces = std::clamp(pieces, 1, sweep.points);
    std::vector<Sweep> out;
    int start = 0;
    for (int k = 0; k < pieces; ++k) {
        const int count = (sweep.points - start) / (pieces - k);
        out.push_back({sweep.At(start), sweep.step, count});
        start += count;
    }
    return out;
}

std::string ElementName(const NecModel& m, int element)
{
    if (element == 0)
        return "Reflector";
    if (element == 1)
        return m.feed == Feed::SingleDipole ? "Dipole" : "Folded dipole";
    return "Director " + std::to_string(element - 1);
}

int ElementCount(const NecModel& model)
{
    int n = 0;
    for (const NecWire& w : model.wires)
        n = std::max(n, w.element + 1);
    return n;
}

bool CrossesMirrorPlane(const NecWire& w)
{
    return std::min(w.y1, w.y2) < -kOnPlane && std::max(w.y1, w.y2) > kOnPlane;
}

} // namespace tavora
