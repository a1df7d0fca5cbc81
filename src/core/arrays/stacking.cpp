// SPDX-License-Identifier: GPL-3.0-or-later
#include "arrays/stacking.h"

#include "arrays/gain.h"
#include "physics/physics.h"
#include "state/numbers.h"
#include "state/program_dir.h"
#include "state/refusals.h"
#include "text/format.h"

#include <cmath>

namespace tavora {

namespace {

struct PercentRow {
    long long lastKey; // gain x 10, rounded
    double percent;
};

// Rows by their highest key; keys 0 and up fall to the first row that holds them.
constexpr PercentRow kPercentTable[] = {
    {50, 88.0},   {67, 89.9},  {80, 91.4},  {90, 92.6},  {99, 93.7},   {107, 94.3},
    {113, 94.75}, {119, 95.2}, {124, 95.5}, {128, 95.9}, {132, 96.3},  {136, 96.7},
    {140, 96.9},  {143, 97.2}, {146, 97.5}, {148, 97.7}, {151, 97.9},  {153, 98.0},
    {155, 98.1},  {157, 98.3}, {159, 98.4}, {161, 98.5}, {163, 98.55}, {165, 98.6},
};
constexpr double kBeyondTable = 98.7;

std::string Gain(double g, char sep)
{
    return FormatFixed(g, 3, 1, sep);
}
std::string Distance(double d, char sep)
{
    return FormatFixed(d, 5, 0, sep);
}

} // namespace

double GainFromBeamwidth(double beamwidth)
{
    // 2.303 stands for ln 10, and the dipole's gain takes dBi to dBd, as published.
    const double ratio = Checked(41253 / Checked(beamwidth * beamwidth));
    return Checked(Checked(10 * Checked(std::log(ratio)) / 2.303) - kDipoleGainDbiAsPublished);
}

double StackingDistance(double waveLength, double beamwidth)
{
    // B / 114.6 is half the beamwidth in radians, at 57.3 degrees to the radian.
    return Checked(waveLength / Checked(2 * std::sin(beamwidth / 114.6)));
}

double StackingPercent(double gainDbd)
{
    const long long key = RoundHalfEven(gainDbd * 10);
    if (key < 0)
        return kBeyondTable; // a negative gain is not the table's first row
    for (const PercentRow& row : kPercentTable)
        if (key <= row.lastKey)
            return row.percent;
    return kBeyondTable;
}

double EstimateVerticalStacking(double horizontalDistance, double gainDbd)
{
    return Checked(horizontalDistance * StackingPercent(gainDbd) / 100);
}

double EstimateHorizontalStacking(double verticalDistance, double gainDbd)
{
    return Checked(verticalDistance * 100 / StackingPercent(gainDbd));
}

StackingPlaneView StackingPlaneViewOf(int planeIndex, const DesignState& state)
{
    const bool vertical = planeIndex == static_cast<int>(StackingPlane::Vertical);
    const char* plane = vertical ? "vertical" : "horizontal";
    return {vertical ? "Vertical stacking" : "Horizontal stacking",
            std::string("Half power ") + plane + " beamwidth",
            ProgramFile(state, std::string(plane) + ".bmp")};
}

void FindBeamGain(DesignState& state, const std::string& freqText, const std::string& beamwidthText,
                  int planeIndex, std::string& memo, char sep)
{
    ClearFpFaults();
    state.DesignFreq = BoxNumber(freqText, kStackingFrequencyBox, sep);
    const std::string beamwidthBox = StackingPlaneViewOf(planeIndex, state).beamwidthLabel;
    const double beamwidth = BoxNumber(beamwidthText, beamwidthBox, sep);
    RefuseOutside(state.DesignFreq, kFrequencyRange, kStackingFrequencyBox, sep);
    RefuseOutside(beamwidth, kBeamwidthRange, beamwidthBox, sep);
    const double gain = GainFromBeamwidth(beamwidth);
    memo = "Estimated gain of antenna:\t" + Gain(gain, sep) + " dBd\r\n";
    StoreWaveLength(state);
    const bool horizontal = planeIndex == static_cast<int>(StackingPlane::Horizontal);
    if (!horizontal && planeIndex != static_cast<int>(StackingPlane::Vertical))
        return;
    const double d = StackingDistance(state.WaveLength, beamwidth);
    if (horizontal) {
        memo += "Horizontal stacking distance:\t" + Distance(d, sep) + " mm\r\n";
        memo += "Estimated vertical stacking:\t" +
                Distance(EstimateVerticalStacking(d, gain), sep) + " mm\r\n";
    } else {
        memo += "Vertical stacking distance:\t" + Distance(d, sep) + " mm\r\n";
        memo += "Estimated horiz. stacking:\t" +
                Distance(EstimateHorizontalStacking(d, gain), sep) + " mm\r\n";
    }
    memo += "Estimated gain of array:\t" + Gain(gain + 2.85, sep) + " dBd\r\n";
}

} // namespace tavora
