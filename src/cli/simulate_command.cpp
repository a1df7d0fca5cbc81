// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"
#include "run_progress.h"
#include "tolerance_command.h"
#include "tune_command.h"

#include "nec/stop_signals.h"
#include "simulation/simulation.h"
#include "simulation/touchstone.h"
#include "state/atomic_file.h"
#include "state/errors.h"
#include "state/numbers.h"

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
    TuneOptions tune;
    ToleranceOptions tolerance;
};

void RunSimulate(SimulateOptions o)
{
    CheckOneStdout({&o.csvFile, &o.s1pFile, &o.tune.necFile});
    o.settings.z0 = StrToFloat(o.z0);
    DesignState state;
    std::string report;
    CalculateDesign(o.input, state, report);
    RunControl control;
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
                    "output); with --tune or --tolerance, theirs")
        ->type_name("NAME");
    cmd->add_option("--s1p", o->s1pFile,
                    "Also write the sweep as a Touchstone .s1p file, S11 against the SWR reference "
                    "(- for standard output)");
    AddTuneOptions(cmd, o->tune);
    AddToleranceOptions(cmd, o->tolerance);
    // One question a run: tuning or the tolerance builds; the builds have no sweep.
    cmd->get_option("--tune")->excludes(cmd->get_option("--tolerance"));
    cmd->get_option("--tolerance")->excludes(cmd->get_option("--s1p"));
    cmd->callback([o] { RunSimulate(*o); });
}

} // namespace tavora::cli
