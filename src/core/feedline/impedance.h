// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

namespace tavora {

// Empirical fits, in ohms. Round rods: x = centre distance / diameter, fair
// for 45 to 175 ohms; square rods: x = gap / centre distance, 15 to 320 ohms.
long double RoundRodImpedance(long double x);
long double SquareRodImpedance(long double x);

// Length in mm of a quarter-wave line at f MHz with velocity factor v.
long double QuarterWaveLength(long double freq, long double velocityFactor);
long double QuarterWaveImpedance(long double zIn, long double zOut);

// The "Calculate" choice of the rods panel: which box is the unknown.
enum class RodUnknown { Impedance = 0, CrossSection = 1, Spacing = 2 };
enum class RodSection { Round = 0, Square = 1 };

inline constexpr std::array<const char*, 3> kRodUnknownItems{
    "Impedance from known rod cross section and separation",
    "Rod cross section from known impedance and separation",
    "Rod separation from known impedance and cross section"};
inline constexpr std::array<const char*, 2> kRodSectionItems{"round section", "square section"};

// The boxes' texts when the window opens.
struct RodsBoxes {
    std::string crossSection = "9.5", spacing = "12.8", impedance = "100";
};
struct QuarterWaveBoxes {
    std::string freq = "144.0", zIn = "200", zOut = "50", velocityFactor = "1.0";
};

// Which of the three boxes (with their labels) show for an unknown: the two
// knowns. The unknown's box shows too once a calculation has run.
struct RodBoxes {
    bool crossSection, spacing, impedance;
};
RodBoxes VisibleRodBoxes(RodUnknown unknown);

const char* SpacingLabel(RodSection section);

// The impedances each section's fit holds for (ohm).
struct RodFitRange {
    int low, high;
};
RodFitRange FitRange(RodSection section);
// The warning for an impedance outside the fit's range, or an empty text.
std::string RangeMessage(RodSection section, long double impedance);

// Steps the ratio up from the fit's start (by 0.0001 for a cross-section,
// 0.001 for a spacing) to the first one whose impedance exceeds the wanted
// one less 0.1 ohm. False when it passes the fit's limit first.
bool FindRodRatio(RodSection section, RodUnknown unknown, long double wanted, long double& x);

inline constexpr const char* kEntryBoxError = "Error in one of the entry boxes";

// Captions of the boxes that refusals of impossible values name.
inline constexpr const char* kCrossSectionBox = "Cross section (mm)";
inline constexpr const char* kImpedanceBox = "Impedance (ohms)";
inline constexpr const char* kQuarterWaveFrequencyBox = "Frequency (MHz)";
inline constexpr const char* kInputImpedanceBox = "Input impedance (ohms)";
inline constexpr const char* kOutputImpedanceBox = "Output impedance (ohms)";
inline constexpr const char* kVelocityFactorBox = "Velocity factor";
inline constexpr const char* kOutOfRange = "Out of range";

struct RodsResult {
    std::string unknownText; // the unknown's box text
    std::string message;     // the message line
};

// The rods panel's "Calculate". A known box that is not a number throws
// ConversionError(kEntryBoxError); arithmetic faults throw ArithmeticError.
// A negative size or impedance, and a zero size that would give a result,
// are refused naming the box.
RodsResult CalculateRods(RodUnknown unknown, RodSection section, const std::string& crossSection,
                         const std::string& spacing, const std::string& impedance,
                         char decimalSep = '.');

struct QuarterWaveResult {
    std::string length;    // mm
    std::string impedance; // ohms
};

// The quarter-wave panel's "Calculate", with the same failures. The length is
// written before the impedance is computed, so it stays when that fails. A
// negative frequency, a velocity factor not above 0 or above 1, and an
// impedance not above 0 (where the root gives a result) are refused.
void CalculateQuarterWave(const std::string& freq, const std::string& zIn, const std::string& zOut,
                          const std::string& velocityFactor, QuarterWaveResult& result,
                          char decimalSep = '.');

} // namespace tavora
