// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/refusals.h"

#include "physics/physics.h"
#include "state/errors.h"
#include "state/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace tavora {

namespace {

[[noreturn]] void Refuse(std::string_view box, const std::string& text)
{
    throw BoxRefusal(std::string(box), std::string(box) + text);
}

} // namespace

std::string Quoted(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        std::string piece(1, c);
        if ((byte < 0x20 && c != '\t') || byte >= 0x7F) {
            static const char hex[] = "0123456789ABCDEF";
            piece = {'\\', 'x', hex[byte >> 4], hex[byte & 15]};
        }
        if (out.size() + piece.size() > kQuotedChars)
            return out + "...";
        out += piece;
    }
    return out;
}

double BoxNumber(const std::string& text, std::string_view box, char sep)
{
    if (text.find_first_not_of(' ') == std::string::npos)
        Refuse(box, " box empty or zero!");
    try {
        return StrToFloat(text, sep);
    } catch (const ConversionError&) {
        Refuse(box, " must be a number, not '" + Quoted(text) + "'");
    }
}

int BoxWholeNumber(const std::string& text, std::string_view box, char sep)
{
    const double v = BoxNumber(text, box, sep);
    if (v != std::floor(v))
        Refuse(box, " must be a whole number, not '" + Quoted(text) + "'");
    // Beyond an int, the caller's range refusal names the limits.
    return static_cast<int>(std::clamp(v, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

void RefuseNegative(double value, std::string_view box)
{
    if (value < 0)
        Refuse(box, " cannot be negative");
}

void RefuseNotPositive(double value, std::string_view box)
{
    RefuseNegative(value, box);
    if (value == 0)
        Refuse(box, " box empty or zero!");
}

void RefuseAbove(double value, double limit, std::string_view box, char decimalSep)
{
    if (value > limit)
        Refuse(box, " cannot be above " + GeneralFloatText(limit, decimalSep));
}

std::string RoundedText(double value, char sep)
{
    if (value == 0 || !std::isfinite(value))
        return GeneralFloatText(value, sep);
    const double scale = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 2);
    return GeneralFloatText(std::round(value / scale) * scale, sep);
}

std::string RangeText(Range range, char sep)
{
    return GeneralFloatText(range.low, sep) + " to " + GeneralFloatText(range.high, sep) + " " +
           range.unit;
}

void RefuseOutside(double value, Range range, std::string_view box, char sep)
{
    if (range.low > 0)
        RefuseNotPositive(value, box);
    else
        RefuseNegative(value, box);
    // Written so that a NaN is refused too.
    if (!(value >= range.low && value <= range.high))
        Refuse(box, " must be from " + RangeText(range, sep));
}

void RefuseOutsideWavelengths(double mm, Range ratio, double frequency, std::string_view box,
                              char sep, double boxPerMm)
{
    const double waveLength = WaveLength(frequency);
    if (ratio.low > 0)
        RefuseNotPositive(mm, box);
    else
        RefuseNegative(mm, box);
    const double r = mm / waveLength;
    if (!(r >= ratio.low && r <= ratio.high))
        Refuse(box, " must be from " + RoundedText(ratio.low * waveLength * boxPerMm, sep) +
                        " to " + RoundedText(ratio.high * waveLength * boxPerMm, sep) + " mm at " +
                        GeneralFloatText(frequency, sep) + " MHz (" + RangeText(ratio, sep) + ")");
}

} // namespace tavora
