#include "commands.h"

#include "simulation/simulation.h"
#include "simulation/touchstone.h"
#include "state/atomic_file.h"
#include "state/errors.h"

#include <iostream>
#include <map>

namespace tavora::cli {

namespace {

struct SimulateOptions {
    DesignInput input;
    Feed feed = Feed::SingleDipole;
    SimulationSettings settings;
    std::string csvFile;
    std::string s1pFile;
};

int RunSimulate(const SimulateOptions& o)
{
    CheckOneStdout({&o.csvFile, &o.s1pFile});
    try {
        DesignState state;
        std::string report;
        CalculateDesign(o.input, state, report);
        const SimulationResult result = Simulate(ModelFromDesign(state, o.feed), o.settings, {});
        if (!ToStdout(o.csvFile) && !ToStdout(o.s1pFile)) {
            for (const std::string& line : SimulationFigureLines(result))
                std::cout << line << '\n';
            std::cout << '\n';
            for (const std::string& line : SweepTableLines(result))
                std::cout << line << '\n';
        }
        if (!o.csvFile.empty())
            WriteOutput(o.csvFile, SimulationCsv(result));
        if (!o.s1pFile.empty())
            WriteOutput(o.s1pFile, TouchstoneS1p(result));
    } catch (const Error& e) {
        std::cout << std::flush;
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

void AddSimulateCommand(CLI::App& app, int& exitCode)
{
    auto o = std::make_shared<SimulateOptions>();
    CLI::App* cmd =
        app.add_subcommand("simulate", "Simulate the design with the NEC-2 engine nec2c");
    AddDesignInputOptions(cmd, o->input);
    const std::map<std::string, Feed> feed{{"single", Feed::SingleDipole},
                                           {"folded", Feed::FoldedDipole}};
    cmd->add_option("--dipole", o->feed, "single|folded")
        ->transform(CLI::CheckedTransformer(feed, CLI::ignore_case));
    cmd->add_option("--sweep", o->settings.sweepPercent,
                    "Sweep either side of the design frequency, %")
        ->check(CLI::Range(0.0, 50.0))
        ->capture_default_str();
    cmd->add_option("--points", o->settings.points, "Frequencies in the sweep")
        ->check(CLI::Range(1, 1001))
        ->capture_default_str();
    cmd->add_option("--z0", o->settings.z0, "SWR reference in ohm (default 50 single, 200 folded)")
        ->check(CLI::PositiveNumber);
    cmd->add_option("--csv", o->csvFile,
                    "Also write the sweep and both pattern cuts as CSV (- for standard output)");
    cmd->add_option("--s1p", o->s1pFile,
                    "Also write the sweep as a Touchstone .s1p file, S11 against the SWR reference "
                    "(- for standard output)");
    cmd->callback([o, &exitCode] { exitCode = RunSimulate(*o); });
}

} // namespace tavora::cli
