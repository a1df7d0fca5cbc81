// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedline/impedance.h"

#include "physics/physics.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/refusals.h"
#include "text/format.h"

#include <cmath>

namespace tavora {

namespace {

long double Known(const std::string& text, char sep)
{
    try {
        return StrToFloatExt(text, sep);
    } catch (const ConversionError&) {
        throw ConversionError(kEntryBoxError);
    }
}

std::string BoxText(long double v, char sep)
{
    return FormatFixed(Narrowed(v), 5, 1, sep);
}

long double Fit(RodSection section, long double x)
{
    return section == RodSection::Round ? RoundRodImpedance(x) : SquareRodImpedance(x);
}

} // namespace

bool FindRodRatio(RodSection section, RodUnknown unknown, long double wanted, long double& x)
{
    const long double step = unknown == RodUnknown::CrossSection ? 0.0001L : 0.001L;
    const bool round = section == RodSection::Round;
    const long double limit = round ? 2.2L : 0.92L;
    x = round ? 1.0499L : 0.0399L;
    for (;;) {
        x += step;
        if (x > limit)
            return false;
        if (wanted - Fit(section, x) < 0.1L)
            return true;
    }
}

long double RoundRodImpedance(long double x)
{
    return ((972 * x - 481 * x * x) + 86 * x * x * x) - 547;
}

long double SquareRodImpedance(long double x)
{
    return ((344 * x + 0.45L) - 345 * x * x) + 411 * x * x * x;
}

long double QuarterWaveLength(long double freq, long double velocityFactor)
{
    ClearFpFaults();
    return Checked(Checked(WaveLength(freq, velocityFactor * kLightSpeed)) / 4);
}

long double QuarterWaveImpedance(long double zIn, long double zOut)
{
    ClearFpFaults();
    return Checked(std::sqrt(zIn * zOut));
}

RodBoxes VisibleRodBoxes(RodUnknown unknown)
{
    return {unknown != RodUnknown::CrossSection, unknown != RodUnknown::Spacing,
            unknown != RodUnknown::Impedance};
}

const char* SpacingLabel(RodSection section)
{
    return section == RodSection::Round ? "Centre to centre (mm)" : "Face to face (mm)";
}

RodFitRange FitRange(RodSection section)
{
    return section == RodSection::Square ? RodFitRange{15, 320} : RodFitRange{45, 175};
}

std::string RangeMessage(RodSection section, long double z)
{
    const RodFitRange range = FitRange(section);
    if (!(z < range.low || z > range.high))
        return "";
    return "Calculated Impedance outside range of algorithms (" + std::to_string(range.low) + "-" +
           std::to_string(range.high) + " ohms)";
}

RodsResult CalculateRods(RodUnknown unknown, RodSection section, const std::string& crossText,
                         const std::string& spacingText, const std::string& impedanceText, char sep)
{
    ClearFpFaults();
    const bool round = section == RodSection::Round;
    RodsResult result;
    if (unknown == RodUnknown::Impedance) {
        const long double spacing = Known(spacingText, sep);
        const long double cross = Known(crossText, sep);
        RefuseNotPositive(static_cast<double>(spacing), SpacingLabel(section));
        RefuseNotPositive(static_cast<double>(cross), kCrossSectionBox);
        // Round rods are measured centre to centre: closer than a diameter they overlap.
        if (round && !(spacing > cross))
            throw BoxRefusal(SpacingLabel(section), std::string(SpacingLabel(section)) +
                                                        " must be above the " + kCrossSectionBox +
                                                        ", " + BoxText(cross, sep) +
                                                        " mm: closer, the rods overlap");
        const long double x = Checked(round ? spacing / cross : spacing / (spacing + cross));
        const long double z = Checked(Fit(section, x));
        result.unknownText = BoxText(z, sep);
        result.message = RangeMessage(section, z);
        return result;
    }
    const bool crossUnknown = unknown == RodUnknown::CrossSection;
    const long double known = Known(crossUnknown ? spacingText : crossText, sep);
    const long double z = Known(impedanceText, sep);
    RefuseNotPositive(static_cast<double>(known),
                      crossUnknown ? SpacingLabel(section) : kCrossSectionBox);
    RefuseNegative(static_cast<double>(z), kImpedanceBox);
    result.message = RangeMessage(section, z);
    long double x = 0;
    if (!FindRodRatio(section, unknown, z, x)) {
        result.unknownText = kOutOfRange;
        return result;
    }
    long double v = 0;
    if (crossUnknown) // known is the spacing
        v = round ? known / x : (known - x * known) / x;
    else // known is the cross-section
        v = round ? known * x : x * known / (1 - x);
    result.unknownText = BoxText(Checked(v), sep);
    return result;
}

void CalculateQuarterWave(const std::string& freqText, const std::string& zInText,
                          const std::string& zOutText, const std::string& vfText,
                          QuarterWaveResult& result, char sep)
{
    const long double freq = Known(freqText, sep);
    const long double zIn = Known(zInText, sep);
    const long double zOut = Known(zOutText, sep);
    const long double vf = Known(vfText, sep);
    RefuseNotPositive(static_cast<double>(freq), kQuarterWaveFrequencyBox);
    RefuseNotPositive(static_cast<double>(vf), kVelocityFactorBox);
    RefuseAbove(static_cast<double>(vf), 1, kVelocityFactorBox);
    result.length = BoxText(QuarterWaveLength(freq, vf), sep);
    const long double z = QuarterWaveImpedance(zIn, zOut);
    // After the root, which meets a negative product with its own fault.
    RefuseNotPositive(static_cast<double>(zIn), kInputImpedanceBox);
    RefuseNotPositive(static_cast<double>(zOut), kOutputImpedanceBox);
    result.impedance = BoxText(z, sep);
}

} // namespace tavora
