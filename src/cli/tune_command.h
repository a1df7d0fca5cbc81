// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands.h"

#include "simulation/tune.h"

namespace tavora::cli {

// `simulate --tune`: its options, and what it prints and writes.
struct TuneOptions {
    bool tune = false;
    // Converted by the core, which never looks at the locale.
    std::string velocityFactor;
    std::string necFile;
};
void AddTuneOptions(CLI::App* cmd, TuneOptions& options);
// Throws ConversionError for a velocity factor that is not a number.
TuneSettings TuneSettingsOf(const TuneOptions& options, const SimulationSettings& simulation,
                            bool sweepBefore);
void PrintTune(const TuneResult& result, const TuneOptions& options, const std::string& csvFile,
               const std::string& s1pFile);

} // namespace tavora::cli
