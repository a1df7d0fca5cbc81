#include "commands.h"

#include "simulation/simulation.h"
#include "state/atomic_file.h"
#include "state/errors.h"

#include <iostream>

namespace tavora::cli {

namespace {

struct SimulateOptions {
    DesignInput input;
    Feed feed = Feed::SingleDipole;
    SimulationSettings settings;
    std::string csvFile;
};

int RunSimulate(const SimulateOptions& o)
{
    try {
        DesignState state;
        std::string report;
        CalculateDesign(o.input, state, report);
        const SimulationResult result = Simulate(ModelFromDesign(state, o.feed), o.settings, {});
        for (const std::string& line : SimulationFigureLines(result))
            std::cout << line << '\n';
        std::cout << '\n';
        for (const std::string& line : SweepTableLines(result))
            std::cout << line << '\n';
        if (!o.csvFile.empty())
            WriteFileAtomically(o.csvFile, SimulationCsv(result));
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
    AddWords(cmd, "--dipole", o->feed,
             {{"single", Feed::SingleDipole}, {"folded", Feed::FoldedDipole}},
             "Radiator of the model");
    // The ranges are said in the help texts, not as the parser's own notation.
    cmd->add_option("--sweep", o->settings.sweepPercent,
                    "Sweep either side of the design frequency, 0 to 50 %")
        ->check(Number())
        ->check(CLI::Range(0.0, 50.0).description(""))
        ->type_name("NUMBER")
        ->capture_default_str();
    cmd->add_option("--points", o->settings.points, "Frequencies in the sweep, 1 to 1001")
        ->check(WholeNumber())
        ->check(CLI::Range(1, 1001).description(""))
        ->type_name("NUMBER")
        ->capture_default_str();
    cmd->add_option("--z0", o->settings.z0,
                    "SWR reference in ohm, above 0 (default 50 single, 200 folded)")
        ->check(Number())
        ->check(CLI::Validator(CLI::PositiveNumber).description(""))
        ->type_name("NUMBER");
    cmd->add_option("--csv", o->csvFile, "Also write the sweep and both pattern cuts as CSV");
    cmd->callback([o, &exitCode] { exitCode = RunSimulate(*o); });
}

} // namespace tavora::cli
