// SPDX-License-Identifier: GPL-3.0-or-later
#include "arrays/gain.h"

#include "physics/physics.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/refusals.h"
#include "text/format.h"

#include <cmath>

namespace tavora {

namespace {

// Published with the common logarithm taken as ln(v) / ln(10).
double Log10(double v)
{
    return Checked(Checked(std::log(v)) / std::log(10.0));
}

} // namespace

double GainVK3AUU(double x, double waveLength)
{
    const double ratio = Checked(x / waveLength);
    return Checked(3.39 * Checked(std::log(ratio)) + 9.15);
}

double GainWA2PHW(double x, double waveLength)
{
    const double ratio = Checked(x / waveLength);
    return Checked(10 * Log10(Checked(5.4075 * ratio + 4.25)));
}

double GainDJ9BV(double x, double waveLength)
{
    const double ratio = Checked(x / waveLength);
    return Checked(7.773 * Log10(ratio) + 9.15);
}

double BeamwidthFromGain(double gainDbd)
{
    // 2.303 stands for ln 10, as the formula is published.
    const double power = Checked(std::exp(2.303 * (gainDbd + kDipoleGainDbiAsPublished) / 10));
    return Checked(std::sqrt(Checked(41253 / power)));
}

double GainByMethod(GainMethod method, double x, double waveLength)
{
    switch (method) {
    case GainMethod::WA2PHW:
        return GainWA2PHW(x, waveLength);
    case GainMethod::DJ9BV:
        return GainDJ9BV(x, waveLength);
    case GainMethod::VK3AUU:
        break;
    }
    return GainVK3AUU(x, waveLength);
}

void StoreWaveLength(DesignState& state)
{
    ClearFpFaults();
    state.WaveLength = Checked(WaveLength(state.DesignFreq, kLightSpeedRounded));
}

std::string FindGain(DesignState& state, const std::string& freqText, const std::string& boomText,
                     GainMethod method, char sep)
{
    state.DesignFreq = BoxNumber(freqText, kGainFrequencyBox, sep);
    RefuseOutside(state.DesignFreq, kFrequencyRange, kGainFrequencyBox, sep);
    state.BoomLength = BoxWholeNumber(boomText, kBoomLengthBox, sep);
    StoreWaveLength(state);
    // The formulas are fitted to booms of a fifth of a wavelength and more;
    // shorter ones give beamwidths past a dipole's.
    RefuseNotPositive(state.BoomLength, kBoomLengthBox);
    const double boomWavelengths = state.BoomLength / state.WaveLength;
    if (!(boomWavelengths >= kGainBoomRange.low && boomWavelengths <= kGainBoomRange.high))
        throw BoxRefusal(kBoomLengthBox,
                         std::string(kBoomLengthBox) + " must be from " +
                             RoundedText(kGainBoomRange.low * state.WaveLength, sep) + " to " +
                             RoundedText(kGainBoomRange.high * state.WaveLength, sep) + " mm at " +
                             GeneralFloatText(state.DesignFreq, sep) + " MHz (" +
                             RangeText(kGainBoomRange, sep) + ")");
    const double gain = GainByMethod(method, state.BoomLength, state.WaveLength);
    const double beamwidth = BeamwidthFromGain(gain);
    return "Gain is " + FormatFixed(gain, 3, 1, sep) + " dBd (referred to dipole)\r\n" +
           "Approximate 3 dB beamwidth is " + FormatFixed(beamwidth, 3, 1, sep) + " degrees\r\n" +
           "(Assuming E-plane and H-plane are the same)";
}

} // namespace tavora
