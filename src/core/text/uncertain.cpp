// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/uncertain.h"

#include "text/format.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavora {

int Uncertain::Decimals(int most) const
{
    if (!std::isfinite(error) || error <= 0)
        return most;
    int decimals = -static_cast<int>(std::floor(std::log10(error)));
    // The first digit as it will print (0.96 prints as 1.0: a leading 1).
    if (std::round(error * std::pow(10.0, decimals)) < 2)
        ++decimals;
    return std::clamp(decimals, 0, most);
}

FigureRow Uncertain::Row(std::string label, std::string unit, int most, char sep) const
{
    FigureRow row{std::move(label), FigureText(value, Decimals(most), sep), std::move(unit), "", {}};
    if (std::isfinite(value) && std::isfinite(error))
        row.uncertainty = ErrorText(most, sep);
    return row;
}

std::string Uncertain::Text(int most, char sep) const
{
    return Row("", "", most, sep).Text();
}

std::string Uncertain::ErrorText(int most, char sep) const
{
    return "\u00b1" + ErrorFigure(most, sep);
}

std::string Uncertain::ErrorFigure(int most, char sep) const
{
    // An error below the last digit shown would print as zero, which no
    // model is: say it is less than that digit.
    const int decimals = Decimals(most);
    if (std::isfinite(error) && std::round(error * std::pow(10.0, decimals)) < 1)
        return "<" + FigureText(std::pow(10.0, -decimals), decimals, sep);
    return FigureText(error, decimals, sep);
}

} // namespace tavora
