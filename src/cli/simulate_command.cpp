// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"
#include "run_progress.h"
#include "tolerance_command.h"
#include "tune_command.h"

#include "nec/stop_signals.h"
#include "simulation/director_scan.h"
#include "simulation/simulation.h"
#include "simulation/touchstone.h"
#include "state/atomic_file.h"
#include "state/errors.h"
#include "state/numbers.h"

#include <charconv>

namespace tavora::cli {

namespace {

struct SimulateOptions {
    DesignInput input;
    Feed feed = Feed::SingleDipole;
    SimulationSettings settings;
    // Converted by the core, which never looks at the locale, as every box is.
    std::string z0 = "0";
    std::string csvFile;
    std::string s1pFile;
    std::string scan; // FROM:TO
    TuneOptions tune;
    ToleranceOptions tolerance;
};

constexpr const char* kScanOption = "--scan-directors";

// FROM:TO as two whole numbers; anything else is refused by the option's
// name. Their range is the core's to refuse, as the window's boxes are.
DirectorScanSettings ScanSettingsOf(const std::string& text, const SimulateOptions& o)
{
    DirectorScanSettings s;
    const auto number = [](const char* first, const char* last, int& n) {
        const auto [end, ec] = std::from_chars(first, last, n);
        return ec == std::errc() && end == last && first != last;
    };
    const size_t colon = text.find(':');
    const char* begin = text.data();
    if (colon == std::string::npos || !number(begin, begin + colon, s.from) ||
        !number(begin + colon + 1, begin + text.size(), s.to))
        throw Error(std::string(kScanOption) +
                    ": takes FROM:TO, two whole director counts, as 5:20");
    s.feed = o.feed;
    s.z0 = o.settings.z0;
    s.processes = o.settings.processes;
    return s;
}

void RunScan(const SimulateOptions& o, const DesignState& state, RunControl& control)
{
    const DirectorScanSettings settings = ScanSettingsOf(o.scan, o);
    const ScanDesign design{state, '.'};
    Refuse(settings, design);
    const DirectorScan scan = [&] {
        const StopSignals signals;
        std::vector<int> segments;
        for (const NecModel& model : ScanModels(design, settings))
            segments.push_back(SegmentCount(model));
        AnnounceLongRun(segments, "models");
        const RunProgress progress(control, "models");
        return Run(design, settings, control);
    }();
    if (!ToStdout(o.csvFile))
        PrintLines(ResultLines(DirectorScanText(scan)));
    if (!o.csvFile.empty())
        WriteCsvTables("--csv", o.csvFile, DirectorScanCsv(scan));
}

void RunSimulate(SimulateOptions o)
{
    CheckOneStdout({&o.csvFile, &o.s1pFile, &o.tune.necFile});
    o.settings.z0 = StrToFloat(o.z0);
    DesignState state;
    std::string report;
    CalculateDesign(o.input, state, report);
    RunControl control;
    if (!o.scan.empty())
        return RunScan(o, state, control);
    if (o.tune.tune) {
        const TuneSettings settings = TuneSettingsOf(o.tune, o.settings, !o.csvFile.empty());
        const TuneSubject subject = TuneSubjectOf(state, o.feed);
        const TuneResult tuned = [&] {
            const StopSignals signals;
            AnnounceLongRun(RunSize(settings, subject), SegmentCount(subject.model), "frequencies");
            const RunProgress progress(control, "frequencies");
            return Run(subject, settings, control);
        }();
        PrintTune(tuned, o.tune, o.csvFile, o.s1pFile);
        return;
    }
    if (o.tolerance.on) {
        const StopSignals signals;
        RunTolerance(o.tolerance, ModelFromDesign(state, o.feed), o.settings, control, o.csvFile);
        return;
    }
    const NecModel model = ModelFromDesign(state, o.feed);
    const SimulationResult result = [&] {
        const StopSignals signals;
        AnnounceLongRun(RunSize(o.settings, model), SegmentCount(model), "frequencies");
        const RunProgress progress(control, "frequencies");
        return Run(model, o.settings, control);
    }();
    if (!ToStdout(o.csvFile) && !ToStdout(o.s1pFile)) {
        PrintLines(ResultLines(SimulationText(result)));
    }
    if (!o.csvFile.empty())
        WriteCsvTables("--csv", o.csvFile, SimulationCsv(result));
    if (!o.s1pFile.empty())
        WriteOutput("--s1p", o.s1pFile, TouchstoneS1p(result));
}

} // namespace

void AddSimulateCommand(CLI::App& app, int& /*exitCode: its errors reach main*/)
{
    auto o = std::make_shared<SimulateOptions>();
    CLI::App* cmd =
        app.add_subcommand("simulate", "Simulate the design with the NEC-2 engine nec2c");
    AddDesignInputOptions(cmd, o->input);
    AddFeedOption(cmd, o->feed);
    // The ranges are said in the help texts, not as the parser's own notation;
    // the number options' ranges are added with every command's.
    cmd->add_option("--sweep", o->settings.sweepPercent,
                    "Sweep either side of the design frequency, %")
        ->check(Number())
        ->type_name("NUMBER")
        ->capture_default_str();
    cmd->add_option("--points", o->settings.points,
                    "Frequencies in the sweep, 1 to " + std::to_string(kMostPoints))
        ->check(WholeNumber())
        ->check(CLI::Range(1, kMostPoints).description(""))
        ->type_name("NUMBER")
        ->capture_default_str();
    AddNumber(cmd, "--z0", o->z0,
              "SWR reference in ohm, 0 for the dipole's own (50 single, 200 folded)");
    cmd->add_option("--csv", o->csvFile,
                    "Also write CSV files, one table each: NAME-sweep.csv, NAME-pattern.csv, "
                    "NAME-figures.csv, NAME-notes.csv (- writes the sweep alone to standard "
                    "output); with --tune, --tolerance or --scan-directors, theirs")
        ->type_name("NAME");
    cmd->add_option("--s1p", o->s1pFile,
                    "Also write the sweep as a Touchstone .s1p file, S11 against the SWR reference "
                    "(- for standard output)");
    AddTuneOptions(cmd, o->tune);
    AddToleranceOptions(cmd, o->tolerance);
    CLI::Option* scan =
        cmd->add_option(kScanOption, o->scan,
                        "Instead of the sweep, simulate the design with every director count "
                        "from FROM to TO (0 to 100), the other sizes as given, at the design "
                        "frequency without error bars: boom length, DL6WU estimate, gain, F/B, "
                        "F/R, feed impedance and SWR, the best F/B and the lowest SWR marked; "
                        "--csv NAME then writes NAME-scan.csv")
            ->type_name("FROM:TO");
    // The scan is a question of its own: one frequency, no sweep, no file of one design.
    for (const char* other : {"--tune", "--tolerance", "--s1p", "--sweep", "--points"})
        scan->excludes(cmd->get_option(other));
    // One question a run: tuning or the tolerance builds; the builds have no sweep.
    cmd->get_option("--tune")->excludes(cmd->get_option("--tolerance"));
    cmd->get_option("--tolerance")->excludes(cmd->get_option("--s1p"));
    cmd->callback([o] { RunSimulate(*o); });
}

} // namespace tavora::cli
