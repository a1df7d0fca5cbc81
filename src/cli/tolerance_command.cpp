// SPDX-License-Identifier: GPL-3.0-or-later
#include "tolerance_command.h"

#include "commands.h"
#include "run_progress.h"

#include "state/numbers.h"
#include "text/format.h"

#include <iostream>

namespace tavora::cli {

void AddToleranceOptions(CLI::App* cmd, ToleranceOptions& o)
{
    CLI::Option* flag = cmd->add_flag(
        "--tolerance", o.on,
        "Simulate random builds within the cutting tolerances, each element's sensitivity and "
        "every element cut long or short, at the design frequency; --csv NAME then writes "
        "NAME-builds.csv (every build's errors and figures), NAME-spread.csv, "
        "NAME-systematic.csv and NAME-sensitivities.csv");
    cmd->add_option("--builds", o.settings.builds,
                    "Random builds, 1 to " + std::to_string(kMostBuilds))
        ->check(WholeNumber())
        ->type_name("NUMBER")
        ->capture_default_str()
        ->needs(flag);
    AddNumber(cmd, "--length-tol", o.lengthTol,
              "Element lengths off by up to this either way, mm (default: the report's "
              "tolerance, 0.3 % of the wavelength)")
        ->type_name("MM")
        ->needs(flag);
    AddNumber(cmd, "--position-tol", o.positionTol,
              "Element positions along the boom off by up to this either way, mm (default " +
                  FigureText(kDefaultPositionTol, 0) + ")")
        ->type_name("MM")
        ->needs(flag);
    AddWords(cmd, "--distribution", o.settings.distribution,
             {{"uniform", ErrorDistribution::Uniform}, {"normal", ErrorDistribution::Normal}},
             "How the errors spread: uniform, or normal with sigma half the tolerance")
        ->needs(flag);
    cmd->add_option("--seed", o.settings.seed, "Seed of the random builds: one seed, one set")
        ->check(WholeNumber())
        ->type_name("NUMBER")
        ->capture_default_str()
        ->needs(flag);
}

void RunTolerance(const ToleranceOptions& o, const NecModel& model,
                  const SimulationSettings& simulation, const RunControl& control,
                  const std::string& csvFile)
{
    ToleranceSettings s = o.settings;
    if (!o.lengthTol.empty())
        s.lengthTol = StrToFloat(o.lengthTol);
    if (!o.positionTol.empty())
        s.positionTol = StrToFloat(o.positionTol);
    s.z0 = simulation.z0;
    s.processes = simulation.processes;
    AnnounceLongRun(RunSize(s, model), SegmentCount(model), "models");
    const ToleranceResult result = [&] {
        RunControl shown = control;
        const RunProgress progress(shown, "models");
        return Run(model, s, shown);
    }();
    if (!ToStdout(csvFile))
        PrintLines(ResultLines(ToleranceText(result)));
    if (!csvFile.empty())
        WriteCsvTables("--csv", csvFile, ToleranceCsv(result));
}

} // namespace tavora::cli
