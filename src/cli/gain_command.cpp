// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "arrays/gain.h"
#include "state/design_state.h"

#include <iostream>

namespace tavora::cli {

namespace {

// The window's boxes start from the gain value group.
struct GainOptions {
    std::string freq = DesignState().GainValues[0];
    std::string boom = DesignState().GainValues[1];
    GainMethod method = GainMethod::VK3AUU;
};

} // namespace

void AddGainCommand(CLI::App& app, int& exitCode)
{
    auto o = std::make_shared<GainOptions>();
    CLI::App* cmd = app.add_subcommand("gain", "Estimate gain and beamwidth from boom length");
    AddNumber(cmd, "--freq", o->freq, "Frequency in MHz")->capture_default_str();
    // --boom is the boom's cross-section in the design commands; here it is
    // the old spelling of the length, still taken.
    cmd->add_option("--boom-length,--boom", o->boom,
                    "Boom length mm (whole); --boom is its old spelling")
        ->check(WholeNumber())
        ->type_name("NUMBER")
        ->capture_default_str();
    AddWords(cmd, "--method", o->method,
             {{"vk3auu", GainMethod::VK3AUU},
              {"wa2phw", GainMethod::WA2PHW},
              {"dj9bv", GainMethod::DJ9BV}},
             "Published formula");
    cmd->callback([o, &exitCode] {
        DesignState state;
        std::cout << ToLf(FindGain(state, o->freq, o->boom, o->method)) << '\n';
        exitCode = 0;
    });
}

} // namespace tavora::cli
