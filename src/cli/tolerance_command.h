// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/simulation.h"
#include "simulation/tolerance.h"

#include <CLI/CLI.hpp>

#include <string>

namespace tavora::cli {

// simulate --tolerance and the options that go with it.
struct ToleranceOptions {
    bool on = false;
    ToleranceSettings settings;
    // Converted by the core, which never looks at the locale; empty takes
    // the settings' default (the report's tolerance for the lengths).
    std::string lengthTol;
    std::string positionTol;
};
void AddToleranceOptions(CLI::App* cmd, ToleranceOptions& options);

// Runs the builds and prints their figures, or writes them to `csvFile`.
// Throws Error, SimulationCancelled.
void RunTolerance(const ToleranceOptions& options, const NecModel& model,
                  const SimulationSettings& simulation, const RunControl& control,
                  const std::string& csvFile);

} // namespace tavora::cli
