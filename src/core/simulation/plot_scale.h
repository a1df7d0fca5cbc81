// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tavora {

// Polar plots of the pattern cuts on a dB scale: the forward gain at the rim,
// `kPolarRangeDb` below it at the centre, rings every `kPolarRingDb`.
inline constexpr double kPolarRangeDb = 40;
inline constexpr double kPolarRingDb = 10;

// Distance from the centre as a fraction of the rim's (0..1) for a gain, the
// plot's top being `maxGain`. Anything further down than the range sits at the centre.
double PolarRadius(double gain, double maxGain, double rangeDb = kPolarRangeDb);

// Ring levels relative to the rim: 0, -10, ... down to -range (excluded).
std::vector<double> PolarRings(double rangeDb = kPolarRangeDb, double stepDb = kPolarRingDb);
std::string RingLabel(double levelDb, char decimalSep = '.'); // "-10 dB"

// Ticks of a plot axis over lo..hi at a step of 1, 2 or 5 times a power of ten,
// at most about `count` of them, every tick inside lo..hi.
std::vector<double> AxisTicks(double lo, double hi, int count = 6);
// A tick's text with as many decimals as the step needs.
std::string TickLabel(double value, double step, char decimalSep = '.');

// The captions the plots carry.
inline constexpr const char* kEPlaneCaption = "E plane (elements' plane)";
inline constexpr const char* kHPlaneCaption = "H plane (through the boom)";
// What the rim of the polar plots stands for: "0 dB = 14.01 dBi".
std::string PolarScaleCaption(double maxGain, char decimalSep = '.');
inline constexpr const char* kGainAxis = "Gain (dBi)";
// "SWR against 50 ohm"
std::string SwrCaption(double z0, char decimalSep = '.');
inline constexpr const char* kFrequencyAxis = "Frequency (MHz)";

} // namespace tavora
