// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "arrays/stacking.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <iostream>

namespace tavora::cli {

namespace {

// The window's boxes start from the stacking value group.
struct StackOptions {
    std::string freq = DesignState().StackingValues[0];
    std::string beamwidth = DesignState().StackingValues[1];
    StackingPlane plane = StackingPlane::Vertical;
};

int RunStack(const StackOptions& o)
{
    DesignState state;
    std::string memo;
    try {
        FindBeamGain(state, o.freq, o.beamwidth, static_cast<int>(o.plane), memo);
    } catch (const Error& e) {
        std::cout << ToLf(memo) << std::flush;
        std::cerr << ErrorText(e) << '\n';
        return 1;
    }
    std::cout << ToLf(memo);
    return 0;
}

} // namespace

void AddStackCommand(CLI::App& app, int& exitCode)
{
    auto o = std::make_shared<StackOptions>();
    CLI::App* cmd = app.add_subcommand("stack", "Stacking distances and gain of two Yagis");
    AddNumber(cmd, "--freq", o->freq, "Frequency in MHz")->capture_default_str();
    AddNumber(cmd, "--beamwidth", o->beamwidth, "Half power beamwidth in degrees")
        ->capture_default_str();
    AddWords(cmd, "--plane", o->plane,
             {{"vertical", StackingPlane::Vertical}, {"horizontal", StackingPlane::Horizontal}},
             "Plane of the beamwidth");
    cmd->callback([o, &exitCode] { exitCode = RunStack(*o); });
}

} // namespace tavora::cli
