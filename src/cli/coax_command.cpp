// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "design/entry.h"
#include "text/format.h"

#include <iostream>

namespace tavora::cli {

void AddCoaxCommand(CLI::App& app, int& exitCode)
{
    CLI::App* cmd = app.add_subcommand(
        "coax", "List the balun coax items for --coax: index, velocity factor, item text");
    cmd->callback([&exitCode] {
        for (int i = 0; i < kCoaxCount; ++i) {
            const CoaxItem& item = CoaxList()[static_cast<size_t>(i)];
            // The user-defined item takes its factor from --velocity-factor.
            std::cout << i << '\t'
                      << (item.velocityFactor > 0 ? FormatFixed(item.velocityFactor, 4, 2)
                                                  : std::string("--velocity-factor"))
                      << '\t' << item.text << '\n';
        }
        exitCode = 0;
    });
}

} // namespace tavora::cli
