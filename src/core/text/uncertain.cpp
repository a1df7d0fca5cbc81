#include "text/uncertain.h"

#include "text/format.h"

#include <algorithm>
#include <cmath>

namespace tavora {

namespace {
// Significant digits of any figure: plenty, the decimals decide.
constexpr int kDigits = 15;
} // namespace

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

std::string Uncertain::Text(int most, char sep) const
{
    const std::string number = FormatFixed(value, kDigits, Decimals(most), sep);
    return std::isfinite(error) ? number + " " + ErrorText(most, sep) : number;
}

std::string Uncertain::ErrorText(int most, char sep) const
{
    return "\u00b1" + FormatFixed(error, kDigits, Decimals(most), sep);
}

} // namespace tavora
