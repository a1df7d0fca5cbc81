// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/design_state.h"

#include <string>

namespace tavora {

// Gain in dBd of one antenna from its half-power beamwidth in degrees.
double GainFromBeamwidth(double beamwidth);
// Stacking distance in mm in the plane of the beamwidth.
double StackingDistance(double waveLength, double beamwidth);
// Vertical stacking distance as a percentage of the horizontal one.
double StackingPercent(double gainDbd);
double EstimateVerticalStacking(double horizontalDistance, double gainDbd);
double EstimateHorizontalStacking(double verticalDistance, double gainDbd);

// The plane radio group's index, as the stacking value group stores it.
enum class StackingPlane { Vertical = 0, Horizontal = 1 };

// What the window shows for a plane: its captions and the picture beside them.
struct StackingPlaneView {
    std::string planeLabel;
    std::string beamwidthLabel;
    std::string pictureFile; // full name, in the program directory or installed
};
StackingPlaneView StackingPlaneViewOf(int planeIndex, const DesignState& state);

inline constexpr const char* kStackingFrequencyBox = "Frequency in MHz";

// The "Calculate" button: stores DesignFreq, then WaveLength, and rebuilds
// `memo` (CRLF line ends). A failing step throws; `memo` keeps what was written
// so far (only the antenna gain line when the frequency is 0). An index that is
// neither plane writes the gain line only. A frequency or beamwidth outside
// what the estimate answers (state/refusals.h) is refused before anything is written.
void FindBeamGain(DesignState& state, const std::string& freqText, const std::string& beamwidthText,
                  int planeIndex, std::string& memo, char decimalSep = '.');

} // namespace tavora
