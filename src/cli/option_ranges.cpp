// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "arrays/gain.h"
#include "arrays/stacking.h"
#include "design/entry.h"
#include "exchange/mmana.h"
#include "feedline/impedance.h"
#include "feedline/swr.h"
#include "simulation/array.h"
#include "simulation/simulation.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/refusals.h"

#include <cmath>
#include <limits>
#include <vector>

namespace tavora::cli {

namespace {

// The design's sizes: the design refines them in wavelengths of --freq, with
// the shape that uses them; here only a size of no shape is refused.
constexpr Range kDesignSize{0, std::numeric_limits<double>::infinity(), "mm"};
// The rods of a line: a micrometre to 10 m keeps the arithmetic finite.
constexpr Range kRodSize{0.001, 10000, "mm"};
// Velocity factors: no line is made below 0.1; above 1 is faster than light.
constexpr Range kVelocityFactorRange{0.1, 1, ""};
// Line and load impedances a transformer or a rod line is built for.
constexpr Range kLineImpedanceRange{1, 10000, "ohm"};
// Bridge readings in the unit --measure names (W, V, mA or ohm): beyond
// these no amateur bridge reads, and the SWR comes out as 1.00 in rounding.
constexpr Range kReadingRange{0.001, 100000, ""};
constexpr Range kCoaxLengthRange{0.01, 10000, "metres"};
// Narrower, the sweep's rows print one frequency over and over.
constexpr Range kSweepRange{0.1, kMostSweepPercent, "%"};
constexpr Range kArraySpacingRange{1, 1000000, "mm"};
constexpr Range kSideLobeRange{-100, -1, "dB"};
// MMANA-GAL's segmentation: segments per wavelength (DM1, DM2), the taper
// ratio (SC) and the end segments (EC).
constexpr Range kDmRange{1, 10000, ""};
constexpr Range kScRange{1, 10, ""};
constexpr Range kEcRange{1, 100, ""};

// One row an option: what it holds (its box's caption, as the window's own
// refusals name it) and what it takes. `zero` means 0 has a meaning of its
// own (no boom, no coax, the rule's spacing), beside the range.
struct OptionRange {
    std::vector<std::string> commands;
    const char* option;
    std::string caption;
    Range range;
    bool zero = false;
};

const std::vector<std::string> kDesigns{"design", "simulate", "simulate-stack", "cutlist"};
const std::vector<std::string> kMaa{"design", "yo"};

// Every number the command line takes, but those whose whole range is
// refused elsewhere by their box or their parser check (directors, points,
// builds, the tolerances, gain's boom length, beamwidth, height) and the
// seed, where any whole number is one.
const std::vector<OptionRange>& Ranges()
{
    static const std::vector<OptionRange> rows{
        {kDesigns, "--freq", kFrequencyBox, kFrequencyRange},
        {kDesigns, "--boom", kBoomBox, kDesignSize, true},
        {kDesigns, "--element-diam", std::string(kDiameterBox) + kDirectorPanel, kDesignSize},
        {kDesigns, "--element-width", std::string(kWidthBox) + kDirectorPanel, kDesignSize},
        {kDesigns, "--element-thick", std::string(kThicknessBox) + kDirectorPanel, kDesignSize},
        {kDesigns, "--radiator-diam", std::string(kDiameterBox) + kDipolePanel, kDesignSize},
        {kDesigns, "--radiator-width", std::string(kWidthBox) + kDipolePanel, kDesignSize},
        {kDesigns, "--radiator-thick", std::string(kThicknessBox) + kDipolePanel, kDesignSize},
        {kDesigns, "--bend", kBendBox, kDesignSize},
        {kDesigns, "--gap", kGapBox, kDesignSize},
        {kDesigns, "--velocity-factor", kVelocityFactorBox, kVelocityFactorRange},
        {{"simulate"}, "--sweep", "Sweep either side (%)", kSweepRange, true},
        {{"simulate"}, "--z0", kReferenceBox, kReferenceImpedanceRange, true},
        {{"simulate"}, "--vf", kVelocityFactorBox, kVelocityFactorRange},
        {{"simulate-stack"}, "--spacing", kSpacingBox, kArraySpacingRange, true},
        {{"simulate-stack"}, "--side-lobe", kSideLobeBox, kSideLobeRange},
        {{"gain"}, "--freq", kGainFrequencyBox, kFrequencyRange},
        {{"stack"}, "--freq", kStackingFrequencyBox, kFrequencyRange},
        {{"swr"}, "--reverse", "Reverse reading", kReadingRange, true},
        {{"swr"}, "--forward", "Forward reading", kReadingRange},
        {{"swr"}, "--length", kCoaxLengthBox, kCoaxLengthRange, true},
        {{"impedance"}, "--cross-section", kCrossSectionBox, kRodSize},
        {{"impedance"}, "--spacing", "Spacing (mm)", kRodSize},
        {{"impedance"}, "--impedance", kImpedanceBox, kLineImpedanceRange},
        {{"quarterwave"}, "--freq", kQuarterWaveFrequencyBox, kFrequencyRange},
        {{"quarterwave"}, "--zin", kInputImpedanceBox, kLineImpedanceRange},
        {{"quarterwave"}, "--zout", kOutputImpedanceBox, kLineImpedanceRange},
        {{"quarterwave"}, "--vf", kVelocityFactorBox, kVelocityFactorRange},
        {kMaa, "--dm1", "DM1", kDmRange},
        {kMaa, "--dm2", "DM2", kDmRange},
        {kMaa, "--sc", "SC", kScRange},
        {kMaa, "--ec", "EC", kEcRange},
    };
    return rows;
}

std::string Text(double value)
{
    return GeneralFloatText(value);
}

std::string RangeWords(const Range& r)
{
    return (std::isinf(r.high) ? "above " + Text(r.low) : Text(r.low) + " to " + Text(r.high)) +
           (*r.unit != '\0' ? std::string(" ") + r.unit : std::string());
}

// "0, or 0.1 to 50 %", as the help says it.
std::string AllowedText(const OptionRange& row)
{
    return (row.zero ? "0, or " : "") + RangeWords(row.range);
}

// The refusal of `value`, empty when the option takes it; the window's
// wording for a negative or empty box, where the range starts at 0 or above.
std::string Refusal(const OptionRange& row, double value)
{
    const Range& r = row.range;
    if (row.zero && value == 0)
        return {};
    if (r.low >= 0 && value < 0)
        return row.caption + " cannot be negative";
    if (r.low >= 0 && value == 0)
        return row.caption + " box empty or zero!";
    // Written so that a NaN is refused too.
    if (!(value >= r.low && value <= r.high))
        return row.caption + (row.zero ? " must be 0, or " : " must be ") +
               (std::isinf(r.high) ? "" : "from ") + RangeWords(r);
    return {};
}

CLI::Validator RangeCheck(const OptionRange& row)
{
    return CLI::Validator(
        [row](std::string& text) {
            double value = 0;
            try {
                value = StrToFloat(text);
            } catch (const Error&) {
                // Not a number: the option's own check, or the box's, says so.
                ClearFpFaults();
                return std::string();
            }
            const std::string refusal = Refusal(row, value);
            if (!refusal.empty())
                // Refused as the core refuses a box, with the exit status of one.
                throw Error(row.option + std::string(": ") + refusal);
            return std::string();
        },
        "");
}

} // namespace

void AddOptionRanges(CLI::App& app)
{
    for (const OptionRange& row : Ranges())
        for (const std::string& name : row.commands) {
            CLI::Option* option = app.get_subcommand(name)->get_option_no_throw(row.option);
            if (option == nullptr)
                continue;
            option->check(RangeCheck(row));
            option->description(option->get_description() + " [" + AllowedText(row) + "]");
        }
}

} // namespace tavora::cli
