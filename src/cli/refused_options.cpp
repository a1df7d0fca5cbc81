// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "design/entry.h"
#include "exchange/mmana.h"
#include "feedline/impedance.h"
#include "feedline/swr.h"
#include "simulation/array.h"
#include "simulation/director_scan.h"
#include "simulation/simulation.h"
#include "simulation/tolerance.h"
#include "state/box_names.h"
#include "state/errors.h"

#include <map>

namespace tavora::cli {

namespace {

// The box captions the core's refusals name, and the option that fills each box.
const std::map<std::string, std::string>& OptionsOfBoxes()
{
    static const std::map<std::string, std::string> options = [] {
        std::map<std::string, std::string> m{
            {kFrequencyBox, "--freq"},
            {"Number of directors", "--directors"},
            {kBoomBox, "--boom"},
            {kBendBox, "--bend"},
            {kGapBox, "--gap"},
            {std::string(kDiameterBox) + kDirectorPanel, "--element-diam"},
            {std::string(kWidthBox) + kDirectorPanel, "--element-width"},
            {std::string(kThicknessBox) + kDirectorPanel, "--element-thick"},
            {std::string(kDiameterBox) + kDipolePanel, "--radiator-diam"},
            {std::string(kWidthBox) + kDipolePanel, "--radiator-width"},
            {std::string(kThicknessBox) + kDipolePanel, "--radiator-thick"},
            {kGainBoxes[0], "--freq"},
            {kGainBoxes[1], "--boom-length"},
            {"Half power vertical beamwidth", "--beamwidth"},
            {"Half power horizontal beamwidth", "--beamwidth"},
            {kCoaxLengthBox, "--length"},
            {kCrossSectionBox, "--cross-section"},
            {SpacingLabel(RodSection::Round), "--spacing"},
            {SpacingLabel(RodSection::Square), "--spacing"},
            {kImpedanceBox, "--impedance"},
            {kQuarterWaveFrequencyBox, "--freq"},
            {kInputImpedanceBox, "--zin"},
            {kOutputImpedanceBox, "--zout"},
            {kVelocityFactorBox, "--vf"},
            {"DM1", "--dm1"},
            {"DM2", "--dm2"},
            {"SC", "--sc"},
            {"EC", "--ec"},
            {kHeightBox, "--height"},
            {kReferenceBox, "--z0"},
            {kBuildsBox, "--builds"},
            {kLengthTolBox, "--length-tol"},
            {kPositionTolBox, "--position-tol"},
            {kSpacingBox, "--spacing"},
            {kSweepBox, "--sweep-spacing"},
            {kSweepPointsBox, "--sweep-spacing"},
            {kSideLobeBox, "--side-lobe"},
            {kScanFromBox, "--scan-directors"},
            {kScanToBox, "--scan-directors"},
        };
        for (MeasureMode mode :
             {MeasureMode::Power, MeasureMode::Volts, MeasureMode::Milliamps, MeasureMode::Ohms}) {
            m.emplace(MeasureTextsOf(mode).firstLabel, "--reverse");
            m.emplace(MeasureTextsOf(mode).secondLabel, "--forward");
        }
        // The YO entries are set by number.
        for (int n = 1; n <= 41; ++n)
            m.emplace(YoEntryBox(n), "--set " + std::to_string(n));
        return m;
    }();
    return options;
}

} // namespace

std::string ErrorText(const std::exception& e)
{
    if (const auto* refusal = dynamic_cast<const BoxRefusal*>(&e)) {
        const auto& options = OptionsOfBoxes();
        if (const auto it = options.find(refusal->box()); it != options.end())
            return it->second + ": " + e.what();
    }
    return e.what();
}

} // namespace tavora::cli
