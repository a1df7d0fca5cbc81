// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/touchstone.h"

#include "nec/deck.h"
#include "text/format.h"

namespace tavora {

std::string TouchstoneS1p(const SimulationResult& r)
{
    const auto F = [](double x) { return FormatFixed(x, 15, 9, '.'); };
    std::string text = "! Tavora: NEC-2 simulation, S11 of the feed impedance against " +
                       FormatFixed(r.z0, 15, 1, '.') + " ohm\n";
    text += "# MHz S RI R " + DeckNumber(r.z0) + "\n";
    for (const SweepRow& row : r.sweep) {
        const std::complex<double> s11 = (row.impedance - r.z0) / (row.impedance + r.z0);
        text += F(row.frequency) + " " + F(s11.real()) + " " + F(s11.imag()) + "\n";
    }
    return text;
}

} // namespace tavora
