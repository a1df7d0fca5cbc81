// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"
#include "run_progress.h"

#include "nec/stop_signals.h"
#include "simulation/array.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "state/refusals.h"
#include "text/format.h"

namespace tavora::cli {

namespace {

struct StackOptions {
    DesignInput input;
    Feed feed = Feed::SingleDipole;
    ArraySettings settings;
    std::string sweep;
    std::string csvFile;
};

// "FROM:TO:POINTS", mm and a whole number; the numbers as the core reads a box.
void ReadSweep(const std::string& text, ArraySettings& s)
{
    const size_t a = text.find(':'), b = text.find(':', a == std::string::npos ? a : a + 1);
    if (a == std::string::npos || b == std::string::npos)
        throw BoxRefusal(kSweepBox, "takes FROM:TO:POINTS, as 400:1600:11");
    double points = 0;
    try {
        s.sweepFrom = StrToFloat(text.substr(0, a));
        s.sweepTo = StrToFloat(text.substr(a + 1, b - a - 1));
        points = StrToFloat(text.substr(b + 1));
    } catch (const ConversionError& e) {
        throw BoxRefusal(kSweepBox, e.what());
    }
    RefuseSweepPoints(points);
    s.sweepPoints = static_cast<int>(points);
}

void RunSimulateStack(StackOptions o)
{
    if (!o.sweep.empty())
        ReadSweep(o.sweep, o.settings);
    RefuseArray(o.settings);
    DesignState state;
    std::string report;
    CalculateDesign(o.input, state, report);
    RunControl control;
    const NecModel single = ModelFromDesign(state, o.feed);
    const ArrayResult result = [&] {
        const StopSignals signals;
        // Each deck but the single Yagi's holds every Yagi of the array.
        const int yagis = o.settings.arrangement == Arrangement::Box ? 4 : 2;
        AnnounceLongRun(RunSize(o.settings, single), yagis * SegmentCount(single), "models");
        const RunProgress progress(control, "models");
        return Run(single, o.settings, control);
    }();
    if (!ToStdout(o.csvFile)) {
        PrintLines(ResultLines(ArrayText(result)));
    }
    if (!o.csvFile.empty())
        WriteCsvTables("--csv", o.csvFile, ArrayCsv(result));
}

} // namespace

void AddSimulateStackCommand(CLI::App& app, int& /*exitCode: its errors reach main*/)
{
    auto o = std::make_shared<StackOptions>();
    CLI::App* cmd = app.add_subcommand(
        "simulate-stack", "Simulate two or four Yagis of the design as one array with nec2c");
    AddDesignInputOptions(cmd, o->input);
    AddFeedOption(cmd, o->feed);
    AddWords(cmd, "--arrangement", o->settings.arrangement,
             {{"vertical", Arrangement::Vertical},
              {"horizontal", Arrangement::Horizontal},
              {"box", Arrangement::Box}},
             "Two Yagis one above the other, two side by side, or four in a 2 x 2 box");
    cmd->add_option("--spacing", o->settings.spacing,
                    "Spacing in mm (a box's vertical one; its horizontal one keeps the rule's "
                    "ratio), at most " +
                        FigureText(kStackSpacingRange.high, 0) +
                        " wavelengths; 0 takes the stacking rule's spacing")
        ->check(Number())
        ->type_name("MM")
        ->capture_default_str();
    cmd->add_option("--sweep-spacing", o->sweep,
                    "Spacings swept, mm, as FROM:TO:POINTS; 0 for FROM and TO, or no option, takes "
                    "0.5 to 2 times the rule's spacing (11 points without the option)")
        ->type_name("FROM:TO:POINTS");
    cmd->add_option("--side-lobe", o->settings.sideLobeLimit,
                    "Side lobe level the sweep marks the largest spacing below, dB")
        ->check(Number())
        ->type_name("DB")
        ->capture_default_str();
    cmd->add_option("--csv", o->csvFile,
                    "Also write CSV files, one table each: NAME-figures.csv, NAME-feeds.csv, "
                    "NAME-spacings.csv, NAME-pattern.csv (- writes the figures alone to standard "
                    "output)")
        ->type_name("NAME");
    cmd->callback([o] { RunSimulateStack(*o); });
}

} // namespace tavora::cli
