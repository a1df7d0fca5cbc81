// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/design_state.h"

#include <string>

namespace tavora {

// Gain in dBd of a Yagi whose last element is x mm from the reflector.
double GainVK3AUU(double x, double waveLength);
double GainWA2PHW(double x, double waveLength);
double GainDJ9BV(double x, double waveLength);

// Estimated 3 dB beamwidth in degrees from a gain in dBd.
double BeamwidthFromGain(double gainDbd);

enum class GainMethod { VK3AUU, WA2PHW, DJ9BV };

double GainByMethod(GainMethod method, double x, double waveLength);

// WaveLength at kLightSpeedRounded: the gain and stacking windows' constant,
// not the engine's. Throws on a zero frequency, leaving WaveLength alone.
void StoreWaveLength(DesignState& state);

inline constexpr const char* kGainFrequencyBox = "Enter frequency in MHz";
inline constexpr const char* kBoomLengthBox = "Boom length mm";

// A method button of the gain window: converts the two boxes in turn, storing
// DesignFreq, BoomLength and WaveLength as it goes, and gives the memo's three
// lines (CRLF between them, none after the last). A failing step throws; the
// values stored before it stay. A frequency or boom length outside what the
// formulas answer (state/refusals.h) is refused, naming its box.
std::string FindGain(DesignState& state, const std::string& freqText, const std::string& boomText,
                     GainMethod method, char decimalSep = '.');

} // namespace tavora
