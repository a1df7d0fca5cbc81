// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frequency searches as first written, stepping 0.001 MHz at a time: the
// reference the faster searches must agree with to the last bit.

#include "exchange/yo_details.h"
#include "state/numbers.h"

#include <cmath>
#include <optional>

namespace tavora::reference {

inline std::optional<double> DipoleSearch(double length, double diam)
{
    if (!(length > 0) || !(diam > 0))
        return std::nullopt;
    ClearFpFaults();
    double f = Checked(359751.6 / (2 * length));
    for (long step = 0; step < kMaxSearchSteps; ++step) {
        f -= 0.001;
        if (f <= 0)
            return std::nullopt;
        const double w = 299793 / f;
        const double x = diam / w;
        const double lc = Checked(w * (0.4777 - 1.0522 * x + 0.43363 * std::pow(x, -0.014891)) / 2);
        if (length - lc < 0.01)
            return f;
    }
    return std::nullopt;
}

inline std::optional<double> ReflectorSearch(double length, double elementDiam, double boomDiam,
                                             Mounting mounting)
{
    if (!(length > 0) || !(elementDiam > 0))
        return std::nullopt;
    ClearFpFaults();
    double f = Checked(329772.3 / (2 * length));
    for (long step = 0; step < kMaxSearchSteps; ++step) {
        f -= 0.001;
        if (f <= 0)
            return std::nullopt;
        const double w = 299793 / f;
        const double x = elementDiam / w;
        const double b = boomDiam / w;
        double c = 0;
        if (b > 0 && mounting != Mounting::NonMetal) {
            c = 12 * b * b + 0.15 * b;
            if (mounting == Mounting::Insulated)
                c /= 2;
            if (0.666 * b < c)
                c = 0.666 * b;
        }
        const double rc =
            Checked(w * ((1 - 20 / (186.8769 * std::log(Checked(2 / x)) - 320)) / 2 + c));
        if (length - rc < 0.01)
            return f;
    }
    return std::nullopt;
}

} // namespace tavora::reference
