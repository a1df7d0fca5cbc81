// SPDX-License-Identifier: GPL-3.0-or-later
#include "independent/independent_deck.h"

#include "nec/output.h"
#include "nec/pattern.h"

#include <algorithm>
#include <cmath>
#include <charconv>
#include <stdexcept>

namespace tavora::independent {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAluminium = 3.72e7; // S/m

// Numbers in and out with a point, whatever the locale (the suites also
// run under a comma one).
double Mm(const std::string& cell)
{
    double v = 0;
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), v);
    if (error != std::errc() || end != cell.data() + cell.size())
        throw std::runtime_error("not a length in mm: " + cell);
    return v;
}

// Nine digits: nec2c reads at most 132 characters of a card.
std::string Text(double v)
{
    char buffer[32];
    return {buffer,
            std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 9).ptr};
}

double Rod(const CutList& list, const std::string& mark)
{
    for (const auto& row : list.rodRows)
        if (row.at(0).rfind(mark, 0) == 0)
            return Mm(row.at(1));
    throw std::runtime_error("no " + mark + " in the cut list");
}

struct Writer {
    std::string cards;
    int tag = 0;
    double lambda = 0; // mm
    DeckSettings settings;

    // At about the density asked, never shorter than leastRadii radii.
    int Count(double length, double radius, bool odd) const
    {
        const double most = std::floor(length / (settings.leastRadii * radius));
        double n = std::min(std::round(length * 2 * settings.segmentsPerHalfWave / lambda), most);
        n = std::max(n, 1.0);
        if (odd && std::fmod(n, 2) == 0)
            n += n + 1 <= most ? 1 : -1;
        return std::max(1, static_cast<int>(n));
    }

    int Wire(int segments, double x1, double y1, double z1, double x2, double y2, double z2,
             double radius)
    {
        cards += "GW " + std::to_string(++tag) + " " + std::to_string(segments);
        for (double mm : {x1, y1, z1, x2, y2, z2, radius})
            cards += " " + Text(mm / 1000);
        cards += "\n";
        return tag;
    }

    // A straight along y at (x, z) from y1 to y2. With a feed width, the
    // centre piece is three segments that wide, fed on the middle one: the
    // engine's input power is only sound where the source's neighbours match
    // it. Gives the centre's tag and segment.
    std::pair<int, int> Straight(double x, double z, double y1, double y2, double radius,
                                 double feed)
    {
        const double length = y2 - y1, mid = (y1 + y2) / 2;
        if (feed <= 0) {
            const int n = Count(length, radius, true);
            return {Wire(n, x, y1, z, x, y2, z, radius), n / 2 + 1};
        }
        const int side = Count((length - 3 * feed) / 2, radius, false);
        Wire(side, x, y1, z, x, mid - 1.5 * feed, z, radius);
        const int fed = Wire(3, x, mid - 1.5 * feed, z, x, mid + 1.5 * feed, z, radius);
        Wire(side, x, mid + 1.5 * feed, z, x, y2, z, radius);
        return {fed, 2};
    }
};

} // namespace

std::string Deck(const CutList& list, double mhz, const DeckSettings& settings)
{
    Writer w;
    w.lambda = 299792.458 / mhz;
    w.settings = settings;
    for (const auto& [caption, value] : list.summary)
        if (caption == "Mounting" && value.rfind("on a non-metal boom", 0) != 0)
            throw std::runtime_error("only a non-metal boom's lengths model without the boom");
    w.cards = "CM independent model\nCE\n";
    std::pair<int, int> fed{0, 0};
    for (const auto& row : list.rows) {
        const double length = Mm(row.at(1)), x = Mm(row.at(2)), radius = Mm(row.at(4)) / 2;
        const bool driven = row.at(0) == "Dipole" || row.at(0) == "Folded dipole";
        const double feed = driven ? settings.feedWidth : 0;
        if (row.at(0) != "Folded dipole") {
            const auto centre = w.Straight(x, 0, -length / 2, length / 2, radius, feed);
            if (driven)
                fed = centre;
            continue;
        }
        // The rod's centre line: two straights one bend diameter apart, fed
        // in the lower one's gap, joined by semicircles.
        const double bend = Rod(list, "Bend diameter"), straight = Rod(list, "Tip to tip") - bend;
        const double r = bend / 2, half = straight / 2;
        fed = w.Straight(x, -r, -half, half, radius, feed);
        w.Straight(x, r, -half, half, radius, 0);
        int chords = 8;
        while (chords > 1 && bend * std::sin(kPi / (2 * chords)) < settings.leastRadii * radius)
            --chords;
        for (int side : {-1, 1})
            for (int k = 0; k < chords; ++k) {
                const double a1 = -kPi / 2 + kPi * k / chords, a2 = a1 + kPi / chords;
                w.Wire(1, x, side * (half + r * std::cos(a1)), r * std::sin(a1), x,
                       side * (half + r * std::cos(a2)), r * std::sin(a2), radius);
            }
    }
    if (fed.first == 0)
        throw std::runtime_error("the cut list holds no driven element");
    return w.cards + "GE 0\n" + (settings.extendedKernel ? "EK 0\n" : "") + "LD 5 0 0 0 " +
           Text(kAluminium) + "\nEX 0 " + std::to_string(fed.first) + " " +
           std::to_string(fed.second) + " 0 1 0\nFR 0 1 0 0 " + Text(mhz) +
           " 0\nRP 0 1 2 1000 90 0 0 180\nEN\n";
}

std::vector<Figures> Solve(const std::vector<std::string>& decks, const RunControl& control)
{
    std::vector<Figures> out;
    for (const auto& blocks : RunDecks(decks, control)) {
        const FrequencyOutput& f = blocks.at(0);
        const double forward = GainAt(f.pattern, 90, 0), backward = GainAt(f.pattern, 90, 180);
        out.push_back({forward, forward - backward, f.impedance});
    }
    return out;
}

} // namespace tavora::independent
