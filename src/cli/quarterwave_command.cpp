// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "feedline/impedance.h"
#include "state/errors.h"

#include <iostream>

namespace tavora::cli {

namespace {

int RunQuarterWave(const QuarterWaveBoxes& o)
{
    QuarterWaveResult r;
    try {
        CalculateQuarterWave(o.freq, o.zIn, o.zOut, o.velocityFactor, r);
    } catch (const Error& e) {
        if (!r.length.empty())
            std::cout << r.length << '\n' << std::flush;
        std::cerr << ErrorText(e) << '\n';
        return 1;
    }
    std::cout << r.length << '\n' << r.impedance << '\n';
    return 0;
}

} // namespace

void AddQuarterWaveCommand(CLI::App& app, int& exitCode)
{
    auto o = std::make_shared<QuarterWaveBoxes>();
    CLI::App* cmd = app.add_subcommand(
        "quarterwave", "Length (mm) and impedance (ohms) of a quarter-wave transformer");
    AddNumber(cmd, "--freq", o->freq, "Frequency in MHz")->capture_default_str();
    AddNumber(cmd, "--zin", o->zIn, "Input impedance in ohms")->capture_default_str();
    AddNumber(cmd, "--zout", o->zOut, "Output impedance in ohms")->capture_default_str();
    AddNumber(cmd, "--vf", o->velocityFactor, "Velocity factor")->capture_default_str();
    cmd->callback([o, &exitCode] { exitCode = RunQuarterWave(*o); });
}

} // namespace tavora::cli
