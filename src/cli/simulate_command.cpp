#include "commands.h"
#include "tolerance_command.h"

#include "simulation/simulation.h"
#include "simulation/touchstone.h"
#include "state/atomic_file.h"
#include "state/errors.h"
#include "state/numbers.h"

#include <atomic>
#include <csignal>
#include <iostream>

namespace tavora::cli {

namespace {

// Set from the signal handler: lock-free, so safe there.
std::atomic<bool> stopRun{false};
volatile std::sig_atomic_t stopSignal = 0;
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnStopSignal(int signal)
{
    stopSignal = signal;
    stopRun.store(true);
}

// For the length of a run, Ctrl-C, a kill or a closed terminal stop it as
// Cancel does: the engines run in process groups of their own, which the
// terminal's Ctrl-C does not reach, and only the run can remove its folder.
// Then the program ends by the same signal, as it would have without this.
// A signal ignored from the start (nohup) stays ignored.
class StopSignals {
  public:
    StopSignals()
    {
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < std::size(kSignals); ++i) {
            ::sigaction(kSignals[i], nullptr, &old_[i]);
            if (old_[i].sa_handler != SIG_IGN)
                ::sigaction(kSignals[i], &action, nullptr);
        }
    }
    ~StopSignals()
    {
        for (size_t i = 0; i < std::size(kSignals); ++i)
            ::sigaction(kSignals[i], &old_[i], nullptr);
        if (const int signal = stopSignal) {
            std::cout.flush();
            std::signal(signal, SIG_DFL);
            std::raise(signal);
        }
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

  private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction old_[std::size(kSignals)]{};
};

struct SimulateOptions {
    DesignInput input;
    Feed feed = Feed::SingleDipole;
    SimulationSettings settings;
    // Converted by the core, which never looks at the locale, as every box is.
    std::string z0 = "0";
    std::string csvFile;
    std::string s1pFile;
    ToleranceOptions tolerance;
};

int RunSimulate(SimulateOptions o)
{
    CheckOneStdout({&o.csvFile, &o.s1pFile});
    try {
        o.settings.z0 = StrToFloat(o.z0);
        DesignState state;
        std::string report;
        CalculateDesign(o.input, state, report);
        RunControl control;
        control.cancel = &stopRun;
        if (o.tolerance.on) {
            const StopSignals signals;
            RunTolerance(o.tolerance, ModelFromDesign(state, o.feed), o.settings, control,
                         o.csvFile);
            return 0;
        }
        const SimulationResult result = [&] {
            const StopSignals signals;
            return Simulate(ModelFromDesign(state, o.feed), o.settings, control);
        }();
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
        std::cerr << ErrorText(e) << '\n';
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
    cmd->add_option(
           "--z0", o->z0,
           "SWR reference in ohm: 0 for the dipole's own (50 single, 200 folded), or 10 to 1000")
        ->type_name("NUMBER");
    cmd->add_option("--csv", o->csvFile,
                    "Also write the sweep and both pattern cuts as CSV (- for standard output)");
    cmd->add_option("--s1p", o->s1pFile,
                    "Also write the sweep as a Touchstone .s1p file, S11 against the SWR reference "
                    "(- for standard output)");
    AddToleranceOptions(cmd, o->tolerance);
    cmd->callback([o, &exitCode] { exitCode = RunSimulate(*o); });
}

} // namespace tavora::cli
